#pragma once

#include <functional>

namespace dsp {

// Routines of page navigation and page refresh that the language switch, the access locks
// and the system page call. Each is optional; an empty hook falls back to the least that
// keeps the window consistent (noted per hook).
struct SystemHooks {
    // FormMusTabBtnClick with the page button of this Tag (0 music, 9 hidden page, 12 the
    // auxiliary page's first tab). Fallback: show the page's sheet and set CurrentPage.
    std::function<void(int tag)> OpenPage;
    // HintMusBtnClick with the hidden-page sub-button of this Tag (0 music … 3 system).
    // Fallback: nothing.
    std::function<void(int tag)> HintSubPage;
    // After a language switch: CurrentEqAddress := SelectPage (CurrentPage), then
    // RefreshPage (CurrentSection). Fallback: relist the inputs and name the input volume.
    std::function<void()> ReselectPage;
};

} // namespace dsp
