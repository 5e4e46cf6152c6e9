// The factory content of the simulated device: sensible levels, filters and flat EQs, and
// sixteen named modes per bank that differ the way a venue's presets would.
#include <algorithm>

#include "params/SectionMap.h"
#include "sim/DeviceModel.h"

namespace dsp::sim {

namespace {

constexpr int kFlatGain = 120; // 0 dB in 0.2 dB steps
constexpr int kDefaultQ = 16;
constexpr int kFreq80Hz = 73; // FrequencyTable indices
constexpr int kFreq120Hz = 94;
constexpr int kFreq8kHz = 312;
constexpr int kFreqTop = 360;

int DefaultBandFreq(int eqClass, int band) {
    static constexpr int kCommon[10] = {2, 32, 62, 92, 122, 152, 182, 212, 242, 272};
    static constexpr int kMic[20] = {2,   25,  49,  73,  96,  120, 144, 167, 187, 215,
                                     238, 262, 287, 299, 313, 323, 333, 343, 353, 360};
    static constexpr int kAux[6] = {20, 129, 280, 20, 129, 280};
    if (eqClass == 1)
        return kMic[std::clamp(band, 0, 19)];
    if (eqClass == 6)
        return kAux[std::clamp(band, 0, 5)];
    return kCommon[std::clamp(band, 0, 9)];
}

void Filter(ParamTable& t, int s, int slot, int type, int freq) {
    t.At(s, slot) = type;
    t.At(s, slot + 1) = freq;
}

void FillMusic(ParamTable& t) {
    for (int k = 0; k < 6; ++k)
        t.At(SecMusic, k) = 20; // 0 dB on every input class
    t.At(SecMusic, 6) = 7;      // no key shift
    Filter(t, SecMusic, 7, 0, 0);
    Filter(t, SecMusic, 9, 0, kFreqTop);
    t.At(SecMusic, 63) = 1; // manual
    t.At(SecMusic, 64) = 0; // sing
    t.At(SecMusic, 65) = 0; // automatic input
}

void FillMic(ParamTable& t, int s) {
    static constexpr int kDynamics[9] = {30, 2, 20, 5, 3, 28, 5, 3, 10};
    std::copy(std::begin(kDynamics), std::end(kDynamics), t.Section(s));
    Filter(t, s, 9, 2, kFreq80Hz);
    Filter(t, s, 11, 0, kFreqTop);
    t.At(s, 115) = 80; // effect send
}

void FillEffects(ParamTable& t) {
    static constexpr int kEcho[9] = {60, 0, 80, 0, 30, 120, 40, 10, 50};
    std::copy(std::begin(kEcho), std::end(kEcho), t.Section(SecEcho));
    Filter(t, SecEcho, 9, 2, kFreq80Hz);
    Filter(t, SecEcho, 11, 2, kFreq8kHz);
    static constexpr int kReverb[6] = {50, 0, 80, 0, 20, 40};
    std::copy(std::begin(kReverb), std::end(kReverb), t.Section(SecReverb));
    Filter(t, SecReverb, 6, 2, kFreq80Hz);
    Filter(t, SecReverb, 8, 2, kFreq8kHz);
}

void FillOutput(ParamTable& t, int s, bool subwoofer) {
    for (int slot = 0; slot < 16; slot += 2)
        t.At(s, slot) = 100; // every source at unity
    t.At(s, 18) = 30;        // limiter threshold, attack, release, ratio
    t.At(s, 19) = 5;
    t.At(s, 20) = 3;
    t.At(s, 21) = 10;
    Filter(t, s, 22, subwoofer ? 0 : 2, subwoofer ? 0 : 40);
    Filter(t, s, 24, subwoofer ? 2 : 0, subwoofer ? kFreq120Hz : kFreqTop);
    t.At(s, 77) = 80; // output level
}

void FillAux(ParamTable& t) {
    t.At(SecAux, 0) = 2; // 0.6 dB per step
    for (int slot = 31; slot <= 42; ++slot)
        t.At(SecAux, slot) = 60; // 12 dB of boost and of cut
}

void FillSystem(ParamTable& t, Variant variant) {
    static constexpr int kVolumes[10] = {50, 55, 50, 84, 84, 84, 40, 40, 40, 0};
    std::copy(std::begin(kVolumes), std::end(kVolumes), t.Section(SecSysVol));
    t.At(SecSystem, 3) = variant == Variant::A ? 1 : 0;
    t.At(SecSystem, 20) = 9; // inputs 0 .. 9 available
    t.At(SecSystem, 21) = 1;
}

// Bank-1 modes: the name and how the mode leans away from the factory sound.
struct ModeFlavour {
    const char* name;
    int echoLevel, echoTime, reverbTime, musicLevel, bassGain;
};
constexpr ModeFlavour kMainModes[] = {
    {"KTV", 60, 120, 40, 100, 120},   {"Party", 70, 140, 50, 120, 130},
    {"Disco", 40, 100, 30, 140, 140}, {"Concert", 50, 160, 70, 110, 125},
    {"Speech", 10, 60, 10, 80, 110},  {"Lounge", 45, 130, 45, 90, 122},
    {"Live", 55, 150, 60, 105, 126},
};
constexpr const char* kHiddenNames[] = {"Flat", "Warm", "Bright", "Vocal"};

} // namespace

void ResetSectionEq(ParamTable& t, int s) {
    const int cls = EqClassOfSection(s);
    for (int b = 0; b < BandCount[s]; ++b) {
        int32_t* band = t.Section(s) + FirstEqSlot[s] + kBandSlots * b;
        band[kBandType] = PEQ;
        band[kBandFreq] = DefaultBandFreq(cls, b);
        band[kBandGain] = kFlatGain;
        band[kBandQ] = kDefaultQ;
        band[kBandShelfQ] = kDefaultQ;
    }
}

void FillFactoryParams(ParamTable& t, Variant variant) {
    t.Clear();
    FillMusic(t);
    FillMic(t, SecMic1);
    FillMic(t, SecMic2);
    FillEffects(t);
    for (int k = 1; k <= kOutputCount; ++k) {
        const bool sub = variant == Variant::A && k == 3; // output 3 is SUB in variant A
        FillOutput(t, OutputFirstSection(k), sub);
        FillOutput(t, OutputFirstSection(k) + 1, sub);
    }
    FillAux(t);
    FillSystem(t, variant);
    for (int s = 0; s <= 24; ++s)
        ResetSectionEq(t, s);
}

void DeviceModel::ResetToFactory() {
    FillFactoryParams(table_, variant_);
    for (int i = 0; i < kModeCount; ++i) {
        StoredMode& m = banks_[kBankMain][i];
        m.params = table_;
        if (i < int(std::size(kMainModes))) {
            const ModeFlavour& f = kMainModes[i];
            m.name = f.name;
            m.params.At(SecEcho, 0) = f.echoLevel;
            m.params.At(SecEcho, 5) = f.echoTime;
            m.params.At(SecReverb, 5) = f.reverbTime;
            m.params.At(SecMusic, FirstEqSlot[SecMusic] + kBandGain) = f.bassGain;
            for (int k = 1; k <= kOutputCount; ++k)
                m.params.At(OutputFirstSection(k), 0) = f.musicLevel;
        } else {
            m.name = "User " + std::to_string(i + 1);
        }
        m.params.At(SecSystem, 2) = i;

        StoredMode& h = banks_[kBankHidden][i];
        h.params = table_;
        h.name =
            i < int(std::size(kHiddenNames)) ? kHiddenNames[i] : "Hint " + std::to_string(i + 1);
        // Warm lifts the lows, Bright the highs, Vocal the middle of every hidden EQ.
        const int lift = i == 1 ? 0 : i == 2 ? 4 : i == 3 ? 2 : -1;
        for (int s = SecHint; s <= 24 && lift >= 0; ++s)
            h.params.At(s, FirstEqSlot[s] + kBandSlots * lift + kBandGain) = kFlatGain + 15;
    }
    table_ = banks_[kBankMain][0].params; // mode 1 is active
    password_ = "1234";
    bluetooth_ = "KTV-DSP";
    identity_ = variant_ == Variant::A ? std::array<uint8_t, 4>{0x20, 0x26, 0x0A, 0x01}
                                       : std::array<uint8_t, 4>{0x20, 0x26, 0x0B, 0x08};
    session_ = false;
    handshake_ = -1;
    received_.clear();
}

} // namespace dsp::sim
