#pragma once

#include <string>
#include <string_view>

namespace dsp {

// Font colour of LinkLabel: dark blue (0x993300) online, black while linking, red (0x0000FF)
// offline; the values are 0x00BBGGRR.
enum class LinkColour { Online, Linking, Offline };

// What the link core asks of the windows. The main window implements it; every call has a
// no-op default so tests override only what they watch.
class LinkObserver {
public:
    virtual ~LinkObserver() = default;

    // The status frame brought a new pitch: show it, display only, in MusPitchPane.
    virtual void ShowPitch(int /*value*/) {}
    // A modal message box; the window picks the text and caption by UiLanguage.
    virtual void ShowMessage(std::string_view /*chinese*/, std::string_view /*english*/) {}
    // New device identity text for DeviceIDLabel.
    virtual void DeviceIdChanged(const std::string& /*id*/) {}
    // Status text of the link (LinkLabel and the status dialog).
    virtual void LinkLabelWindow(std::string_view /*chinese*/, std::string_view /*english*/) {}
    virtual void SetLinkLabelColour(LinkColour /*colour*/) {}
    // LinkBtn/UnLinkBtn pair: active ("断开"/"Unlink", orange) or inactive ("联机"/"link").
    virtual void SetLinkButtonsActive(bool /*active*/) {}
    // TForm2 takes the status text, shows progress (0-100) and becomes visible.
    virtual void ShowStatusDialog(int /*progressPercent*/) {}
    // TForm2 takes the status text and progress and is hidden.
    virtual void HideStatusDialog() {}
    // ComLabel of TForm2: the port being tried.
    virtual void SetComLabel(std::string_view /*text*/) {}
    // The link went online: RefreshPage (100), SelectPage (CurrentPage), RefreshPage of the
    // page's section, and the main window is made visible.
    virtual void LinkOnline() {}
    // A mode name save has completed: refill the mode lists of bank 1 or bank 2.
    virtual void ModeListChanged(int /*bank*/) {}
    // LinkVars::Timers changed: start, stop or re-time the timers.
    virtual void TimersChanged() {}
    // count edits made while online were dropped from the send queue without reaching the
    // device (the link went down, a new link started or a section upload began): tell the
    // user how many values were not written.
    virtual void WritesDiscarded(int /*count*/) {}
};

// The serial port list and the socket as the search drives them (the io layer and the hidden
// port list of the main window).
class LinkEndpoints {
public:
    virtual ~LinkEndpoints() = default;

    // Line selected in the serial port list; -1 when none.
    virtual int ComSelection() const { return -1; }
    // Selects a line; past the last line the list is left without a selection.
    virtual void SelectComPort(int /*line*/) {}
    // Closes the port if open, names it after the selected line and opens it. False when it
    // did not open (errors are not reported).
    virtual bool OpenSelectedComPort() { return false; }
    virtual std::string SelectedComPortName() const { return {}; }
    // (Re)connects the socket to the address and port of the main window; closes it.
    virtual void TcpConnect() {}
    virtual void TcpClose() {}
};

// Control effects of the write path and the view rebuild, filled in by the main window.
class ViewHooks {
public:
    virtual ~ViewHooks() = default;

    // MusGain1Edit and MusGain1UpDown follow the input selection (disabled on "自动").
    virtual void SetMusicGainEnabled(bool /*enabled*/) {}
    // Variant A: point MainRdelayBar, MainRdelayPane and MainRmuteBtn at slots 16 and 17
    // of the right-hand output section rightSection.
    virtual void RebindRightChannel(int /*rightSection*/) {}
    // Point the CtrlBind entries of the six auxiliary band gains at the edits of the
    // auxiliary tab that is showing.
    virtual void RebindAuxGains() {}
};

// Shared do-nothing instances for callers that watch nothing. They hold no state.
LinkObserver& NoLinkObserver();
ViewHooks& NoViewHooks();
LinkEndpoints& NoLinkEndpoints();

} // namespace dsp
