#include "eq/EqGraphBands.h"

#include "params/SectionMap.h"

namespace dsp {

std::optional<CrossoverSlots> CrossoverSlotsOf(int section) {
    switch (section) {
    case SecMusic:
        return CrossoverSlots{7, 8, 9, 10};
    case SecMic1:
    case SecMic2:
    case SecEcho:
        return CrossoverSlots{9, 10, 11, 12};
    case SecReverb:
        return CrossoverSlots{6, 7, 8, 9};
    default:
        // Every output section (5-20) has the layout of the one the page is bound through.
        if (section >= SecOut && section < SecOut + 2 * kOutputCount)
            return CrossoverSlots{22, 23, 24, 25};
        return std::nullopt;
    }
}

int LastEqBand(int section, const BandListContext& ctx) {
    if (section == SecHint && !ctx.hintThirdGroupVisible)
        return BandCount[section] - 4;
    return BandCount[section] - 1;
}

int LoadBandList(BandList& list, const ParamTable& view, int band, int section,
                 const BandListContext& ctx) {
    const int e = LastEqBand(section, ctx);
    const auto xo = CrossoverSlotsOf(section);
    const auto at = [&](int slot) { return view.At(section, slot); };

    if (xo && band >= e) {
        BandEntry& hp = list.bands[e + 1];
        const int hpIndex = at(xo->hpFreq);
        hp.type = 100 + at(xo->hpType);
        hp.freq = float(eqshared::FrequencyAt(hpIndex));
        if (hpIndex == 0) {
            hp.type = 100;
            hp.freq = 19.0f;
        }
        hp.gain = 0;
        list.freqAddr[e + 1] = list.freqAddr[kHpfPoint] = MakeAddress(section, xo->hpFreq);

        BandEntry& lp = list.bands[e + 2];
        const int lpIndex = at(xo->lpFreq);
        lp.type = lpIndex >= 360 ? 200 : 200 + at(xo->lpType);
        lp.freq = float(eqshared::FrequencyAt(lpIndex));
        lp.gain = 0;
        list.freqAddr[e + 2] = list.freqAddr[kLpfPoint] = MakeAddress(section, xo->lpFreq);
    }

    for (int i = 0; i <= e; ++i) {
        if (band != kAllBands && band != i)
            continue;
        const int base = FirstEqSlot[section] + kBandSlots * i;
        BandEntry& b = list.bands[i];
        b.type = at(base + kBandType);
        b.freq = float(eqshared::FrequencyAt(at(base + kBandFreq)));
        b.gain = float(at(base + kBandGain)) / 5.0f - 24.0f;
        const bool peakQ = b.type == BYPSS || b.type == PEQ;
        b.q = float(eqshared::QAt(at(base + (peakQ ? kBandQ : kBandShelfQ))));
        if (band == kAllBands) {
            list.freqAddr[i] = MakeAddress(section, base + kBandFreq);
            list.gainAddr[i] = MakeAddress(section, base + kBandGain);
            list.qAddr[i] = MakeAddress(section, base + kBandQ);
        }
    }

    // The auxiliary page shows one group of three bands at a time; the other group is off.
    if (section == SecAux) {
        const int first = ctx.auxFirstGroupActive ? 3 : 0;
        for (int i = first; i < first + 3; ++i)
            list.bands[i].type = BYPSS;
    }
    return xo ? 200 + e : e;
}

} // namespace dsp
