#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>

#include "app/LinkMessageBox.h"
#include "app/LinkOptions.h"
#include "link/LinkObserver.h"

class QWidget;

namespace dsp {

class LinkDriver;
class TForm1;
class TForm2;
class TForm3;

// ButtonState mode 20 on the link button pair: for LinkBtn, LinkBtn shows pressed with the
// caption "断开" / "Unlink" in orange text and UnLinkBtn takes the idle look; for UnLinkBtn,
// UnLinkBtn shows pressed and LinkBtn reads "联机" / "link" in black. Both buttons stay
// clickable (the idle look is a picture, not a disabled control). Returns 0 for LinkBtn, 1 for
// UnLinkBtn; any other control is left alone and gives 0.
int LinkButtonPairState(QWidget* sender, int uiLanguage);

// The link as the windows show it: the link observer of the main window, the status dialog
// and the link window. It drives LinkBtn and UnLinkBtn, LinkLabel and the status dialog,
// DeviceIDLabel and the pitch display, the message boxes of the link, the serial port list
// and TCP address the search uses, and the goodbye when the main window closes while online.
class LinkView : public QObject, public LinkObserver {
    Q_OBJECT
public:
    LinkView(TForm1& main, TForm3& link, TForm2& status, const LinkOptions& options = {},
             QObject* parent = nullptr);
    ~LinkView() override;

    // The link went online (before the keep-alive starts): rebuild the controls from the
    // device's parameters and re-select the current page. The editing layer puts its page
    // refresh here; the default shows the sheet of the current page again.
    std::function<void()> OnLinkOnline;
    // A status frame brought a new music pitch (raw 0-14): show it, display only, nothing is
    // sent. The default writes MusPitchPane and moves MusPitchBar with SetFromControl set.
    std::function<void(int)> OnPitch;
    // A mode name save has completed: refill the mode lists of bank 1 or 2. Default: nothing.
    std::function<void(int bank)> OnModeListChanged;
    // How message boxes reach the user (modal QMessageBox, or what a test puts here). They are
    // shown once the link routine that raised them has returned.
    MessageBoxFunction MessageBox = ShowModalMessage;
    // Trace lines (status texts, messages, online); empty for none.
    std::function<void(const QString&)> Trace;

    // The automatic first link: starts the USB HID polling, whose first device change links
    // on its own; with NoHid the search over serial and TCP starts as if no device were found.
    void Start();

    // LinkBtnClick: LinkBtn links (or unlinks while online), UnLinkBtn unlinks.
    void LinkBtnClick(QObject* sender);

    // Close button while online: mark the link offline and send the goodbye, written out
    // before the program ends.
    void SayGoodbye();

    int UiLanguage() const;
    LinkDriver& Driver() { return driver_; }

    // The defaults of the hooks above.
    void DefaultLinkOnline();
    void ShowPitchDisplayOnly(int value);

    // LinkObserver.
    void ShowPitch(int value) override;
    void ShowMessage(std::string_view chinese, std::string_view english) override;
    void DeviceIdChanged(const std::string& id) override;
    void LinkLabelWindow(std::string_view chinese, std::string_view english) override;
    void SetLinkLabelColour(LinkColour colour) override;
    void SetLinkButtonsActive(bool active) override;
    void ShowStatusDialog(int progressPercent) override;
    void HideStatusDialog() override;
    void SetComLabel(std::string_view text) override;
    void LinkOnline() override;
    void ModeListChanged(int bank) override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void ConnectControls();
    void ApplyOptions();
    void FillComComboBox();
    void SyncComSelection();
    void CopyStatusToDialog();
    void FlushOutput();
    void TraceLine(const QString& line);

    TForm1& main_;
    TForm3& link_;
    TForm2& status_;
    LinkDriver& driver_;
    LinkOptions options_;
    QElapsedTimer clock_;
    bool closing_ = false;     // the main window has closed: the status dialog stays hidden
    bool shownTraced_ = false; // the main window's first paint has been traced
};

} // namespace dsp
