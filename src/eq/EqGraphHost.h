#pragma once

// What the EQ graph needs from the main window and the editing layer. The main window
// implements it; tests use a fake.

#include "params/ParamTable.h"

namespace dsp {

class EqGraphHost {
public:
    virtual ~EqGraphHost() = default;

    // ShowValue(control, no step, send, raw) on the control bound at `address`: the band's
    // frequency or gain edit box, or for a crossover frequency its display pane. Stores the
    // value, sends it and records LastEdited. Does nothing when no such control exists.
    virtual void ShowValue(Address address, double raw) = 0;

    // True when CtrlBind at `address` is an edit box.
    virtual bool IsEditBox(Address address) const = 0;
    // MusFreEdit1Click on the edit box at `address` when it can take the focus.
    virtual void SelectEdit(Address address) = 0;
    // CommitEdit(step): 1 one step up, 11 one step down, on the current edit.
    virtual void CommitEdit(int stepCode) = 0;

    // The main window has finished its first show.
    virtual bool IsShown() const = 0;
    // Index of the sheet shown in FormPageItem and of the tab shown in AuxPageCtrol.
    virtual int CurrentSheet() const = 0;
    virtual int AuxTab() const = 0;

    // Band number (1, 2, ...) in the caption of the page's EQ point label for point `index`.
    virtual int PointBand(int index) const { return index + 1; }
    // One of the auxiliary page's point labels of bands 1-3 is the highlighted one.
    virtual bool AuxFirstGroupActive() const = 0;
    // HintEQGroupBox3 (the third band group of the hidden page) is visible.
    virtual bool HintThirdGroupVisible() const = 0;
};

} // namespace dsp
