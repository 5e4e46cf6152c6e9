#pragma once

#include "link/LinkObserver.h"
#include "params/EditSession.h"

class QWidget;

namespace dsp {

class ButtonStates;
class EditHandlers;
class ValueDisplay;

// The control effects of the write path and the view rebuild (the core's ViewHooks), on the
// controls of the main window. Needs only the form and its binding, so the link window's
// driver can be built with it before the page controllers exist.
class PageViewHooks : public ViewHooks {
public:
    PageViewHooks(QWidget& form, ControlBinding& binding);

    void SetMusicGainEnabled(bool enabled) override;
    void RebindRightChannel(int rightSection) override;
    void RebindAuxGains() override;

private:
    QWidget* Find(const char* name) const;

    QWidget& form_;
    ControlBinding& binding_;
};

// Loads the controls of the pages from the tables without sending (RefreshPage), and the
// enabling that follows the automatic/manual mode.
class PageRefresh {
public:
    PageRefresh(EditSession& session, ValueDisplay& display, ButtonStates& buttons,
                EditHandlers& handlers);

    // viewSection: one of ViewSections, or 100 for all of them.
    void RefreshPage(int viewSection);

    // selector 255: value 0 disables the output page's controls, any other value enables them;
    // every selector recomputes whether EQ reset is available.
    void UpdateOutputEnable(int value, int selector);

    // AutoModeBtn (automatic) or ManulModeBtn (manual).
    void AutoModeBtnClick(QWidget* button);

    // Two-button selector (SysVolRunBtn1/2, SysPanelBtn1/2, SysLRBtn1/2): the pressed button
    // is shown down, its pair up, and its value (0 for the first, 1 for the second) is sent.
    void SysMusInputLevelClick(QWidget* button);

    // Page button click of the page navigation (the link gate selects the music page).
    std::function<void(QWidget* pageButton)> PageButtonClick;

private:
    void LoadControl(int section, int slot);
    void LoadToggle(QWidget* button, int32_t x);
    void LoadRightChannel();
    void LoadLinkState();
    void LoadEqPass();
    void LoadSystemItems();
    void LoadModeLists();
    void LoadInputs();
    void LoadFactoryButtons();
    void RaiseLinkGate();

    EditSession& s_;
    ValueDisplay& display_;
    ButtonStates& buttons_;
    EditHandlers& handlers_;
};

} // namespace dsp
