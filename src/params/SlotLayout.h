#pragma once

#include <optional>
#include <string_view>

#include "params/ParamTable.h"
#include "params/SectionMap.h"
#include "params/Variant.h"

namespace dsp {

// Named slots of the sections, and the slot layouts other code needs without a window.

// SecMusic (section 0).
constexpr int kMusInputGainFirst = 0; // slots 0-5: input gain per input class, 0-40
constexpr int kMusInputGainCount = 6;
constexpr int kMusPitch = 6;       // 0-14, 7 = no shift
constexpr int kMusAutoManual = 63; // 0 automatic, 1 manual
constexpr int kMusSingDisco = 64;  // 0 sing, 1 disco
constexpr int kMusInputSource = 65;

// Music input-gain slot (0-5) used for input source x (SecMusic slot 65): auto and analog 1
// share slot 0, each following input class has its own, every HDMI input uses slot 5.
constexpr int MusicGainSlotForInput(int x) {
    return x <= 1 ? 0 : (x >= 6 ? 5 : x - 1);
}

// Microphone sections (1 and 2).
constexpr int kMicLinkSlot = 13;    // microphone link state; keeps its own section
constexpr int kMicEffectSend = 115; // effect send 0-100; keeps its own section

// Output sections (5-20).
constexpr int kOutDelay = 16;
constexpr int kOutMute = 17;
constexpr int kOutLevel = 77;
constexpr int kOutPhase = 78;

// SecAux (section 21).
constexpr int kAuxGainStep = 0;    // 0-4 = 0.2, 0.4, 0.6, 0.8, 1.0 dB
constexpr int kAuxBandCount = 6;   // music bass, mid, high; microphone bass, mid, high
constexpr int kAuxLimitFirst = 31; // per band: maximum boost, then maximum cut (31-42)

// SecSysVol (section 25): normal, maximum and start volume of microphone, music, effect.
constexpr int kSysVolSlots = 9; // slots 0-8, each 0-84
constexpr int kSysVolRun = 9;   // volume-limit enable

// SecSystem (section 30).
constexpr int kSysMode = 2;        // current device mode
constexpr int kSysLeftRight = 3;   // variant B left/right switch
constexpr int kSysPanelLock = 4;   // key-panel lock: 0 off, 1 on
constexpr int kSysUserMode = 8;    // 0 user, 1 administrator
constexpr int kSysLastInput = 20;  // index of the last input item the device offers
constexpr int kSysHintLoad = 21;   // 0: the hidden-EQ file group is shown
constexpr int kSysCenRouting = 23; // variant A centre routing
constexpr int kSysSubRouting = 24; // variant A subwoofer routing
constexpr int kSysMode2 = 34;      // second mode selector

// High-pass and low-pass filter slots of a section: each a (type, frequency) pair.
struct FilterSlots {
    int hpType;
    int hpFreq;
    int lpType;
    int lpFreq;
};

// Filter type values of the high-pass and low-pass type slots.
constexpr int kFilterBypass = 0;
constexpr int kFilterBessel = 1;
constexpr int kFilterButterworth = 2;

// The filter slots of a device section (0-20), or none for sections without filters.
std::optional<FilterSlots> FilterSlotsOf(int section);

// Pseudo-band that stands for a section's high-pass (count) or low-pass (count + 1) filter.
constexpr int FilterPseudoBand(int section, bool lowPass) {
    return BandCount[section] + (lowPass ? 1 : 0);
}

// The EQ bypass-all slot of a section (first EQ slot - 1); -1 for section 21 (its slot 0
// is the gain step) and for sections without EQ.
constexpr int BypassAllSlot(int section) {
    if (section < 0 || section >= kSectionCount || section == SecAux || BandCount[section] == 0)
        return -1;
    return FirstEqSlot[section] - 1;
}

// LSEQ and HSEQ bands use the shelf Q slot (offset 4) and Q indices 0-24; every other type
// value uses offset 3 and 0-100.
constexpr bool IsShelfType(int bandType) {
    return bandType == LSEQ || bandType == HSEQ;
}

// Slot of a band parameter: band counted from 0, offset kBandType ... kBandShelfQ.
constexpr int BandSlot(int section, int band, int offset) {
    return FirstEqSlot[section] + kBandSlots * band + offset;
}

// Auxiliary band n (1-6) whose gain lives at this address, or 0 when it is no such slot.
int AuxBandOfGainAddress(Address a);
// Slot of the gain of auxiliary band n (1-6): 3, 8, 13, 18, 23, 28.
constexpr int AuxGainSlot(int n) {
    return BandSlot(SecAux, n - 1, kBandGain);
}
// Slots of auxiliary band n's (1-6) maximum boost and maximum cut.
constexpr int AuxMaxBoostSlot(int n) {
    return 29 + 2 * n;
}
constexpr int AuxMaxCutSlot(int n) {
    return 30 + 2 * n;
}

// Output number k (1-8) of an output section (5-20), or 0 for any other section.
constexpr int OutputOfSection(int section) {
    if (section < SecOut || section >= SecOut + 2 * kOutputCount)
        return 0;
    return (section - SecOut) / 2 + 1;
}

// Name of output k (1-8) in the given variant ("Main L" ... in A, "Out 1" ... in B).
std::string_view OutputName(Variant variant, int k);

// Variant A: the right-hand output whose delay and mute the left output's page shows while
// OutputSection is this section (7 for 5-8, 15 for 13-16, 19 for 17-20), else 0.
int RightChannelSection(int outputSection);

} // namespace dsp
