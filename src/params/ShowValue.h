#pragma once

#include "params/EditSession.h"

class QWidget;

namespace dsp {

class ValueEdit;

// Shows values on the channel pages: formats a raw value into its edit box or status pane by
// the control's FormatCode, mirrors it onto the slider bound at the same address, stores it and
// (unless display-only) sends it; commits what the user typed into the current edit; and
// highlights the EQ band an edit belongs to.
class ValueDisplay {
public:
    explicit ValueDisplay(EditSession& session);

    // control: an edit box or status pane of the binding tables; other controls are ignored.
    // stepCode: kStepNone, kStepUp or kStepDown. displayOnly: show (and for some codes store)
    // without stepping or sending.
    void ShowValue(QWidget* control, int stepCode, bool displayOnly, double x);
    // ShowValue (no step, send) on the edit bound at `address`, or on the pane of the slider
    // bound there. False when the address has neither.
    bool ShowValueAt(Address address, double raw);

    // Parses CurrentEdit's text and shows, stores and sends the result with the step applied.
    // Text without a number puts PreviousText back and sends nothing.
    void CommitEdit(int stepCode);

    // The band highlight (ButtonState modes 0-7): selects the edit's band for EQ kind eqClass,
    // highlights its point label and scrolls the page's band strip to it. Returns the band.
    int HighlightBand(QWidget* edit, int eqClass);

    // The edit box the keyboard, spin buttons and wheel act on, and the placeholder edit.
    ValueEdit* CurrentEdit() const;
    void SetCurrentEdit(QWidget* edit);
    bool CurrentIsPlaceholder() const;

private:
    int AuxGainIndex() const;
    void MirrorSlider(Address address, double x);
    void ScrollStrip(int band);

    EditSession& s_;
};

} // namespace dsp
