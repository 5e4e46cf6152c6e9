#include "params/BandDecode.h"

#include "params/SectionMap.h"
#include "params/SlotLayout.h"

namespace dsp {

namespace {

constexpr int Encode(int band, int offset) {
    return offset + band * 256;
}

// Sections whose high-pass and low-pass slots decode to pseudo-bands (the view sections
// that show filters).
bool DecodesFilters(int section) {
    return section == SecMusic || section == SecMic1 || section == SecEcho ||
           section == SecReverb || section == SecOut;
}

} // namespace

int DecodeBand(Address a) {
    if (a < 0 || a > MakeAddress(SecHint, 255))
        return kNotEq;
    const int s = SectionOf(a);
    const int k = SlotOf(a);

    if (DecodesFilters(s)) {
        const FilterSlots f = *FilterSlotsOf(s);
        if (k == f.hpType || k == f.hpFreq)
            return Encode(FilterPseudoBand(s, false), 0);
        if (k == f.lpType || k == f.lpFreq)
            return Encode(FilterPseudoBand(s, true), 0);
    }

    const int first = FirstEqSlot[s];
    switch (s) {
    case SecMusic:
    case SecMic1:
    case SecEcho:
    case SecReverb:
    case SecOut:
    case SecAux:
        break;
    case SecHint:
        if (k == 0)
            return Encode(0, 0); // the bypass-all slot reads as band 0's type slot
        break;
    default:
        return kNotEq; // sections 2, 6-20: shown through another section
    }
    // Slots outside the band blocks (including any slot past the last band, which no bound
    // control carries) are not EQ.
    if (k < first || k >= first + kBandSlots * BandCount[s])
        return kNotEq;
    return Encode((k - first) / kBandSlots, (k - first) % kBandSlots);
}

Address LiveQAddress(Address a, const ParamTable& view) {
    const int decoded = DecodeBand(a);
    const int offset = DecodedOffset(decoded);
    if (offset != kBandQ && offset != kBandShelfQ)
        return a;
    const Address base = a - offset;
    return IsShelfType(view[base]) ? base + kBandShelfQ : base + kBandQ;
}

} // namespace dsp
