#include "forms/BindingPlan.h"

#include <algorithm>

#include "params/SectionMap.h"

namespace dsp {

namespace {

class Plan {
public:
    std::vector<SlotBinding> entries;

    void Add(int section, int slot, const QString& ctrl, const QString& pane = {},
             const QStringList& group = {}) {
        entries.push_back({section, slot, ctrl, pane, group});
    }

    // A slider with its value pane.
    void Bar(int section, int slot, const QString& bar, const QString& pane) {
        Add(section, slot, bar, pane);
    }

    // A high-pass or low-pass pair: type box, then frequency slider with its pane.
    void Filter(int section, int slot, const QString& box, const QString& bar,
                const QString& pane) {
        Add(section, slot, box);
        Bar(section, slot + 1, bar, pane);
    }

    // `count` EQ bands from firstSlot; control names <prefix>...N, spin buttons
    // <spinPrefix>QUpDownBtnN at offset spinOffset. gainPanePrefix names the second gain edits
    // (auxiliary page) that stand as PaneBind at the gain slots.
    void Bands(int section, int firstSlot, int count, const QString& prefix,
               const QString& spinPrefix, int spinOffset, const QString& gainPanePrefix = {}) {
        for (int b = 0; b < count; ++b) {
            const int n = b + 1;
            const int base = firstSlot + kBandSlots * b;
            const QString num = QString::number(n);
            Add(section, base + kBandType, prefix + "ModeBox" + num, {},
                {prefix + "BYBtn" + num, prefix + "PEQBtn" + num, prefix + "LSQBtn" + num,
                 prefix + "HSQBtn" + num});
            Add(section, base + kBandFreq, prefix + "FreEdit" + num);
            Add(section, base + kBandGain, prefix + "GainEdit" + num,
                gainPanePrefix.isEmpty() ? QString() : gainPanePrefix + "GainEdit" + num,
                {prefix + "EQGainBar" + num});
            const QString spin = spinPrefix + "QUpDownBtn" + num;
            Add(section, base + kBandQ, prefix + "QEdit" + num, {},
                spinOffset == kBandQ ? QStringList{spin} : QStringList{});
            Add(section, base + kBandShelfQ, prefix + "QEdit" + num, {},
                spinOffset == kBandShelfQ ? QStringList{spin} : QStringList{});
        }
    }
};

void MusicSection(Plan& p) {
    p.Add(SecMusic, 0, "MusGain1Edit", {}, {"MusGain1UpDown"});
    p.Bar(SecMusic, 6, "MusPitchBar", "MusPitchPane");
    p.Filter(SecMusic, 7, "MusHPTypeBox", "MusHPFREBar", "MusHPFREPane");
    p.Filter(SecMusic, 9, "MusLPTypeBox", "MusLPFREBar", "MusLPFREPane");
    // Slot 11 holds the EQ pass button until the page refresh re-addresses it to slot 12.
    p.Add(SecMusic, 11, "MusEQAllpassBtn");
    p.Add(SecMusic, 12, "MusEQAllpassBtn");
    p.Bands(SecMusic, FirstEqSlot[SecMusic], BandCount[SecMusic], "Mus", "Mus", kBandQ);
    p.Add(SecMusic, 65, "SysInputBox");
}

void MicSections(Plan& p) {
    const char* bars[9] = {"MicInputGain",   "MicFBE",          "MicNoiseLevel",
                           "MicNoiseAttack", "MicNoiseRelease", "MicRmsLevel",
                           "MicRmsAttack",   "MicRmsRelease",   "MicRmsRatio"};
    for (int k = 0; k < 9; ++k)
        p.Bar(SecMic1, k, QString(bars[k]) + "Bar", QString(bars[k]) + "Pane");
    p.Filter(SecMic1, 9, "MicHPTypeBox", "MicHPFreBar", "MicHPFrePane");
    p.Filter(SecMic1, 11, "MicLPTypeBox", "MicLPFreBar", "MicLPFrePane");
    p.Add(SecMic1, 14, "MusEQAllpassBtn");
    p.Bands(SecMic1, FirstEqSlot[SecMic1], BandCount[SecMic1], "Mic", "MIc", kBandQ);
    p.Add(SecMic1, 115, "MICAEffectEdit", {}, {"MICAEffectSpinButtons"});
    p.Add(SecMic2, 115, "MICBEffectEdit", {}, {"MICBEffectEditSpinButtons"});
}

void EffectSections(Plan& p, Variant v) {
    p.Bar(SecEcho, 0, "EchoEffLevelBar", "EchoEffLevelPane");
    p.Add(SecEcho, 1, "EchoEffPhaseBtn");
    if (v == Variant::B) {
        p.Bar(SecEcho, 2, "EchoDirectLevelBar", "EchoDirectLevelPane");
        p.Add(SecEcho, 3, "EchoDirectPhaseBtn");
    }
    p.Bar(SecEcho, 4, "EchoPreDelayBar", "EchoPreDelayPane");
    p.Bar(SecEcho, 5, "EchoTimeBar", "EchoTimePane");
    p.Bar(SecEcho, 6, "EchoRepeatBar", "EchoRepeatPane");
    p.Bar(SecEcho, 7, "EchoRPreDelayBar", "EchoRPreDelayPane");
    p.Bar(SecEcho, 8, "EchoRTimeBar", "EchoRTimePane");
    p.Filter(SecEcho, 9, "EchoHPTypeBox", "EchoHPFreBar", "EchoHPFrePane");
    p.Filter(SecEcho, 11, "EchoLPTypeBox", "EchoLPFreBar", "EchoLPFrePane");
    p.Add(SecEcho, 13, "MusEQAllpassBtn");
    p.Bands(SecEcho, FirstEqSlot[SecEcho], BandCount[SecEcho], "Echo", "Echo", kBandQ);

    p.Bar(SecReverb, 0, "RvbEffLevelBar", "RvbEffLevelPane");
    p.Add(SecReverb, 1, "RvbEffPhaseBtn");
    p.Bar(SecReverb, 2, "RvbDirectLevelBar", "RvbDirectLevelPane");
    p.Add(SecReverb, 3, "RvbDirectPhaseBtn");
    p.Bar(SecReverb, 4, "RvbPreDelayBar", "RvbPreDelayPane");
    p.Bar(SecReverb, 5, "RvbTimeBar", "RvbTimePane");
    p.Filter(SecReverb, 6, "RvbHPTypeBox", "RvbHPFreBar", "RvbHPFrePane");
    p.Filter(SecReverb, 8, "RvbLPTypeBox", "RvbLPFreBar", "RvbLPFrePane");
    p.Add(SecReverb, 10, "MusEQAllpassBtn");
    p.Bands(SecReverb, FirstEqSlot[SecReverb], BandCount[SecReverb], "Rvb", "Rvb", kBandQ);
}

void OutputSection(Plan& p, Variant v) {
    const bool b = v == Variant::B;
    // Source levels and phases, slots 0-15; the right/second sources are variant B's.
    const char* sources[8] = {"MainMus",   "MainMusR",  "MainMic", "MainMicB",
                              "MainEchoA", "MainEchoR", "MainRvb", "MainRvbR"};
    const char* phases[8] = {"MainMusPhaseBtn",  "MainMusRPhaseBtn",  "MainMicPhaseBtn",
                             "MainMicBPhaseBtn", "MainEchoAPhaseBtn", "MainEchoRPhaseBtn",
                             "MainRvbPhaseBtn",  "MainRvbRPhaseBtn"};
    for (int i = 0; i < 8; ++i) {
        if (i % 2 == 1 && !b)
            continue;
        p.Bar(SecOut, 2 * i, QString(sources[i]) + "LevelBar", QString(sources[i]) + "LevelPane");
        p.Add(SecOut, 2 * i + 1, phases[i]);
    }
    p.Bar(SecOut, 16, "MainLdelayBar", "MainLdelayPane");
    p.Add(SecOut, 17, "MainLmuteBtn");
    p.Bar(SecOut, 18, "MainRmsLevelBar", "MainRmsLevelPane");
    p.Bar(SecOut, 19, "MainRmsAttackBar", "MainRmsAttackPane");
    p.Bar(SecOut, 20, "MainRmsReleaseBar", "MainRmsReleasePane");
    p.Bar(SecOut, 21, "MainRmsRatioBar", "MainRmsRatioPane");
    p.Filter(SecOut, 22, "MainHPTypeBox", "MainMusHPFreBar", "MainMusHPFrePane");
    p.Filter(SecOut, 24, "MainLPTypeBox", "MainMusLPFreBar", "MainMusLPFrePane");
    p.Add(SecOut, 26, "MusEQAllpassBtn");
    p.Bands(SecOut, FirstEqSlot[SecOut], BandCount[SecOut], "Main", "Main", kBandQ);
    p.Bar(SecOut, 77, "MainOutLevelBar", "MainOutLevelPane");
    p.Add(SecOut, 78, "MainOutphasebtn");
    if (!b) {
        // The right channels of Main, SUR and REC, shown on the left output's page.
        for (int k : {2, 6, 8}) {
            const int right = OutputFirstSection(k);
            p.Bar(right, 16, "MainRdelayBar", "MainRdelayPane");
            p.Add(right, 17, "MainRmuteBtn");
        }
    }
}

void AuxSection(Plan& p) {
    p.Add(SecAux, 0, "AUXGainBox");
    p.Bands(SecAux, 1, 3, "AUXMUS", "AUXMUS", kBandShelfQ, "AUXMUS2");
    p.Bands(SecAux, 16, 3, "AUXMIC", "AUXMIC", kBandShelfQ, "AUXMIC2");
    int slot = 31;
    for (const char* group : {"MUS", "MIC"})
        for (const char* part : {"Bass", "Mid", "High"}) {
            const QString base = QString("AUX%1%2").arg(group, part);
            p.Add(SecAux, slot++, base + "MaxAddEdit");
            p.Add(SecAux, slot++, base + "MaxDecEdit");
        }
}

void SystemSections(Plan& p, Variant v) {
    p.Add(SecHint, 0, "MusEQAllpassBtn");
    p.Bands(SecHint, FirstEqSlot[SecHint], BandCount[SecHint], "Hint", "Hint", kBandShelfQ);

    const char* vols[9] = {"SysMicNormalVol", "SysMusNormalVol", "SysEffNormalVol",
                           "SysMicMaxVol",    "SysMusMaxVol",    "SysEffMaxVol",
                           "SysMicStartVol",  "SysMusStartVol",  "SysEffStartVol"};
    for (int k = 0; k < 9; ++k)
        p.Bar(SecSysVol, k, QString(vols[k]) + "Bar", QString(vols[k]) + "Pane");

    p.Add(SecSystem, 2, "SysModeBox");
    if (v == Variant::A) {
        p.Add(SecSystem, 23, "SysCenRoutingBox");
        p.Add(SecSystem, 24, "SysSubRoutingBox");
    }
    p.Add(SecSystem, 34, "SysMode2Box");
}

} // namespace

std::vector<SlotBinding> BindingPlan(Variant v) {
    Plan p;
    MusicSection(p);
    MicSections(p);
    EffectSections(p, v);
    OutputSection(p, v);
    AuxSection(p);
    SystemSections(p, v);
    std::stable_sort(p.entries.begin(), p.entries.end(),
                     [](const SlotBinding& a, const SlotBinding& b) {
                         return MakeAddress(a.section, a.slot) < MakeAddress(b.section, b.slot);
                     });
    return p.entries;
}

} // namespace dsp
