#include "eq/EqGraphDrag.h"

#include <algorithm>
#include <cstdlib>

namespace dsp {

DragRule SheetDragRule(int sheet, int index, bool eqPassVisible) {
    int sidewaysFrom = 99; // first index that moves only sideways
    int fixedFrom = 99;    // first index that does not move
    int bypassUpTo = -1;   // last index refused while the EQ bypass is on
    switch (sheet) {
    case kSheetMusic:
        sidewaysFrom = 15;
        bypassUpTo = kLpfPoint;
        break;
    case kSheetMic:
        sidewaysFrom = 20;
        bypassUpTo = 19;
        break;
    case kSheetEffect:
    case kSheetOutput:
        sidewaysFrom = 10;
        bypassUpTo = 9;
        break;
    case kSheetHint:
        fixedFrom = 5;
        bypassUpTo = 4;
        break;
    case kSheetAux:
        fixedFrom = 6;
        bypassUpTo = 5;
        break;
    default:
        break;
    }
    if (eqPassVisible && index <= bypassUpTo)
        return DragRule::Blocked;
    if (index >= fixedFrom)
        return DragRule::Fixed;
    if (index >= sidewaysFrom)
        return DragRule::Sideways;
    return DragRule::Free;
}

DragResult DragStep(const PlotGeometry& plot, const DragMetrics& metrics, DragRule rule,
                    const DragInput& in) {
    DragResult r;
    int dx = in.dx;
    int dy = in.dy;
    // Small moves accumulate: the caller keeps the reference point until a step is taken.
    if (std::abs(dx) < metrics.stepX && std::abs(dy) < metrics.stepY)
        return r;
    if (rule == DragRule::Blocked)
        return r;
    if (rule == DragRule::Sideways)
        dy = 0;
    else if (rule == DragRule::Fixed)
        dx = dy = 0;

    const int h = in.size;
    int left = in.left + dx;
    int top = std::clamp(in.top + dy, metrics.topPx, metrics.bottomPx);

    if (in.index == kLpfPoint) {
        const int right = in.plotWidth + in.plotLeft;
        if (left > right - h / 2)
            left = right - h / 2;
        else if (left > right - h)
            left = right - h;
    }
    if (left < plot.FreqToX(kDragMinHz) - h / 2)
        left = eqshared::RoundPx(plot.FreqToX(kDragMinHz)) - h / 2;

    int f = eqshared::RoundPx(plot.XToFreq(left + h / 2));
    double g = plot.YToDb(top + h / 2);
    if (f > kDragMaxHz) {
        f = int(kDragMaxHz);
        left = eqshared::RoundPx(plot.FreqToX(kDragMaxHz) - h / 2);
    }
    g = std::clamp(g, double(eqshared::EQBottomDb), double(eqshared::EQTopDb));

    r.moved = true;
    r.left = left;
    r.top = top;
    r.freqHz = f;
    r.gainDb = g;
    return r;
}

} // namespace dsp
