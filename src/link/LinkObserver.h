#pragma once

#include <string>
#include <string_view>

namespace dsp {

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

} // namespace dsp
