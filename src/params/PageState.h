#pragma once

#include "params/ParamTable.h"

namespace dsp {

// The current selections and the shared flags of the window, one instance per program.
struct PageState {
    // Which device section the shared controls stand for.
    int MicSection = 1;
    int EffectSection = 3;
    int OutputSection = 5;
    int HintSection = 22;
    int CurrentSection = 0;
    int SingDisco = 1;
    int ManualMode = 1;
    int MicLink = 0;

    int CurrentPage = 0;
    Address CurrentEqAddress = 0;
    int SelectedBand = 0;
    int EqPass = 0;
    int LinkGateState = 0;

    // Language of the interface: 1 Chinese, 0 English. Every choice between a Chinese and an
    // English text (link status, message boxes, captions) reads it.
    int UiLanguage = 1;

    // A slider is being moved by the program; slider change handlers return at once.
    bool SetFromControl = false;
    // The write path stores but sends nothing.
    bool SuppressSend = false;
    // Controls are being loaded: no band highlight and no LastEdited record.
    bool Refreshing = false;

    // Address and value of the last EQ-related edit, polled by the EQ graph. -1: none.
    Address LastEditedAddress = -1;
    int LastEditedValue = 0;
};

} // namespace dsp
