#pragma once

#include "params/EditSession.h"

class QWidget;

namespace dsp {

class ButtonStates;
class PageRefresh;

// Default frequency index of EQ band `band` (from 0) for EqClass eqClass.
int DefaultBandFreq(int eqClass, int band);
// Default raw value of band parameter `offset` (type, frequency, gain, Q, shelf Q).
int DefaultBandValue(int eqClass, int band, int offset);

// The EQ presets and mode buttons that change many parameters and then refresh the page:
// EQ reset, EQ pass (bypass of every band), sing/disco.
class EqPresets {
public:
    EqPresets(EditSession& session, ButtonStates& buttons, PageRefresh& refresh);

    // section: a view section of the current page (reset the device section behind it, send
    // one reset command), or 100 for every section (tables only, nothing sent).
    void ResetEq(int section);

    void EQResetBtnClick();
    void MusEQAllpassBtnClick(QWidget* button);
    // SingModeBtn (sing) or DiscoModeBtn (disco).
    void SingModeBtnClick(QWidget* button);

    // Redraws the selected band of the page shown.
    void RedrawSelectedBand();

private:
    EditSession& s_;
    ButtonStates& buttons_;
    PageRefresh& refresh_;
};

} // namespace dsp
