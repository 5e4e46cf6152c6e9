#pragma once

#include <memory>

#include "app/PageNavigation.h"
#include "params/ButtonStates.h"
#include "params/ChannelCopy.h"
#include "params/EditHandlers.h"
#include "params/EditSession.h"
#include "params/EqPresets.h"
#include "params/PageRefresh.h"
#include "params/ShowValue.h"

namespace dsp {

class LinkDriver;
class TForm1;

// The editing layer of the main window: one small controller per job (value display, button
// looks, editing handlers, page refresh, EQ presets, channel copy, page navigation), all on one
// EditSession. Built with the window and the link context the write path runs on; fills the
// window's ResetAllEq and SelectMusicPage hooks and connects the controls once they are bound.
class PageControllers {
public:
    PageControllers(TForm1& form, LinkContext& link);

    // Runs the core routines on the driver, so that its timers follow.
    void UseDriver(LinkDriver& driver);

    // Connects every bound control (done on the window's first show; call again after a
    // rebinding: it does nothing the second time).
    void Connect();

    // The link went online: every page is loaded, the current page re-selected and refreshed.
    void LinkWentOnline();

    // What the EQ graph asks of the editing layer: ShowValue (no step, send) on the control
    // bound at an address is Display().ShowValueAt, CommitEdit is Display().CommitEdit.
    bool IsEditBox(Address address) const;
    // The edit click on the edit box bound at `address`, when it is enabled.
    void SelectEdit(Address address);
    // Sheet shown in FormPageItem, tab shown in AuxPageCtrol.
    int CurrentSheet() const;
    int AuxTab() const;

    EditSession& Session() { return session_; }
    ValueDisplay& Display() { return display_; }
    ButtonStates& Buttons() { return buttons_; }
    EditHandlers& Handlers() { return handlers_; }
    PageRefresh& Refresh() { return refresh_; }
    EqPresets& Presets() { return presets_; }
    ChannelCopy& Copy() { return copy_; }
    PageNavigation& Navigation() { return navigation_; }

private:
    TForm1& form_;
    EditSession session_;
    ValueDisplay display_;
    ButtonStates buttons_;
    EditHandlers handlers_;
    PageRefresh refresh_;
    EqPresets presets_;
    ChannelCopy copy_;
    PageNavigation navigation_;
    bool connected_ = false;
};

} // namespace dsp
