#include "params/ShowRule.h"

#include <algorithm>

#include "params/BandDecode.h"
#include "params/SectionMap.h"
#include "params/SlotLayout.h"

namespace dsp {

namespace {

// Step (when editing) then clamp: frequency, Q, music gain, aux limits and effect send.
double StepAndClamp(int code, int stepCode, bool displayOnly, double x, int bandType = 0) {
    if (!displayOnly)
        x += StepDelta(stepCode);
    return ClampRaw(code, x, bandType);
}

// Code 3 while editing: step by the page's step size, clamp, round, hold to the aux limits.
double EditGain(int stepCode, double x, const ShowInputs& in) {
    const int size = in.onAuxPage ? in.auxGainStep : 1;
    x = ClampRaw(3, x + StepDelta(stepCode, size));
    int d = static_cast<int>(RoundHalfEven(x));
    if (in.onAuxPage && in.auxLimits)
        d = LimitAuxGain(d, *in.auxLimits);
    return d;
}

} // namespace

ShowInputs GatherShowInputs(Address liveAddress, const ParamTable& view, int currentSection,
                            int auxGainIndex) {
    ShowInputs in;
    in.onAuxPage = currentSection == SecAux;
    in.auxGainStep = AuxGainStepSize(auxGainIndex);
    if (in.onAuxPage) {
        if (const int n = AuxBandOfGainAddress(liveAddress))
            in.auxLimits = AuxLimitsOf(view, n);
    }
    if (!IsValidAddress(liveAddress))
        return in;
    const int decoded = DecodeBand(liveAddress);
    const int offset = DecodedOffset(decoded);
    if (offset == kBandQ || offset == kBandShelfQ)
        in.bandType = view[liveAddress - offset];
    in.storedQ = view[liveAddress];
    return in;
}

ShowRule ApplyShowRule(int code, int stepCode, bool displayOnly, double x, const ShowInputs& in) {
    ShowRule r;
    switch (code) {
    case 2:
    case 5:
        // Shown values are held to the full range too: a value from the device outside it
        // must not index past the frequency table.
        x = StepAndClamp(code, stepCode, displayOnly, x);
        r.selectsCurrentEdit = code == 2;
        r.highlightBand = true;
        break;
    case 3:
        x = displayOnly ? ClampRaw(3, x) : EditGain(stepCode, x, in);
        r.highlightBand = true;
        break;
    case 4:
        if (displayOnly) {
            // Show the Q stored for the band, repairing an index outside the table.
            const int32_t q = std::clamp<int32_t>(in.storedQ, 0, 100);
            if (q != in.storedQ)
                r.repairedQ = q;
            x = q;
        } else {
            x = StepAndClamp(4, stepCode, false, x, in.bandType);
        }
        r.highlightBand = true;
        break;
    case 27:
    case 28:
    case 29:
        x = StepAndClamp(code, stepCode, displayOnly, x);
        if (displayOnly)
            r.storeAtAddress = static_cast<int32_t>(RoundHalfEven(x));
        break;
    default:
        // Panes: clamp only, never step. Unknown codes keep the value and the text.
        x = ClampRaw(code, x);
        break;
    }
    r.x = x;
    r.raw = TruncToRaw(x);
    r.text = FormatValue(code, x);
    r.sliderPosition = TruncToRaw(RoundHalfEven(x));
    r.storeRaw = code < 5;
    r.send = !displayOnly;
    r.recordLastEdited = code < 8;
    return r;
}

} // namespace dsp
