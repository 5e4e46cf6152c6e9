#pragma once

#include <QString>

class QWidget;

namespace dsp::forms {

// Names of one EQ band column. The band's controls are <prefix>ModeBoxN, <prefix>BYBtnN,
// <prefix>PEQBtnN, <prefix>LSQBtnN, <prefix>HSQBtnN, <prefix>FreEditN, <prefix>EQGainBarN,
// <prefix>GainEditN, <prefix>QEditN and <spinPrefix>QUpDownBtnN; its point label is
// <pointPrefix>EQPointLabel<pointNumber> with the caption <pointNumber>.
struct BandNames {
    QString prefix;
    QString spinPrefix;
    QString pointPrefix;
    int band = 1;        // N in the control names
    int pointNumber = 1; // number of the point label and its caption
    int pointTag = 0;    // point label Tag: view section
    int pointHint = 0;   // point label Hint: slot of band 1's frequency
};

// One band column, kBandColumnWidth wide: point label, type box, type marks, frequency edit,
// vertical gain slider, gain edit, Q edit with spin buttons.
QWidget* MakeBandColumn(QWidget* parent, const BandNames& names);

// A horizontally scrolling strip of `bands` columns of which `visible` show at once, with its
// scroll box and its scroll bar (range 0 .. bands - visible, one column per step).
struct StripLayout {
    QString prefix;
    QString spinPrefix;
    QString pointPrefix;
    int bands = 10;
    int visible = 9;
    int pointTag = 0;
    int pointHint = 0;
    QString scrollBox;
    QString scrollBar;
    QString frameName; // the frame around the strip (empty: a generated name)
};
QWidget* MakeBandStrip(QWidget* parent, const StripLayout& layout);

} // namespace dsp::forms
