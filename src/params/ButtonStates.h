#pragma once

#include "params/EditSession.h"

class QWidget;

namespace dsp {

class ValueDisplay;

// ButtonState modes of the main window's button groups.
enum ButtonMode {
    kModePageButton = 10,
    kModeToggle = 11,
    kModePhase = 14,
    kModeAutoManual = 16,
    kModeSingDisco = 17,
    kModeSelectorPair = 18,
    kModeLinkButtons = 19,
    kModeLinkPair = 20,
    kModeTypeMark = 21,
    kModeEffectButton = 24,
    kModeHintButton = 25,
};

// The look and state changes of the button groups (ButtonState): modes 0-7 highlight the band
// of an edit box (for EqClass 0-7), the others are listed in ButtonMode. A mode whose control
// is of another kind does nothing and returns 0.
class ButtonStates {
public:
    ButtonStates(EditSession& session, ValueDisplay& display);

    int ButtonState(QWidget* control, int mode);

    // Selected look for one button of a list (page buttons, effect and hidden-page buttons).
    static void ApplyListLook(QWidget* const* buttons, int count, QWidget* selected);

private:
    int PageButton(QWidget* c);
    int TypeMark(QWidget* c);
    int EffectButton(QWidget* c);
    int HintButton(QWidget* c);
    int PressedOfGroup(QWidget* c, std::initializer_list<const char*> names, int mode);

    EditSession& s_;
    ValueDisplay& display_;
};

} // namespace dsp
