#include <gtest/gtest.h>

#include "params/SectionMap.h"
#include "params/ShowRule.h"
#include "params/SlotLayout.h"

using namespace dsp;

namespace {

struct ShowCase {
    const char* what;
    int code;
    int stepCode;
    bool displayOnly;
    double x;
    ShowInputs in;
    double expectedX;
    const char* text;
};

ShowInputs AuxPage(int stepSize, AuxGainLimits limits) {
    ShowInputs in;
    in.onAuxPage = true;
    in.auxGainStep = stepSize;
    in.auxLimits = limits;
    return in;
}

ShowInputs Band(int type) {
    ShowInputs in;
    in.bandType = type;
    return in;
}

const ShowCase kShowCases[] = {
    // Frequency edits.
    {"freq step up", 2, kStepUp, false, 204, {}, 205, "1020Hz"},
    {"freq step past top", 2, kStepUp, false, 360, {}, 360, "20200Hz"},
    {"freq step below 0", 2, kStepDown, false, 0, {}, 0, "19.7Hz"},
    {"freq typed 25000", 2, kStepNone, false, 360, {}, 360, "20200Hz"},
    {"freq shown too high", 2, kStepNone, true, 400, {}, 360, "20200Hz"},
    {"freq shown negative", 2, kStepNone, true, -3, {}, 0, "19.7Hz"},
    {"freq shown ignores step", 2, kStepUp, true, 204, {}, 204, "1000Hz"},
    // Gain edits.
    {"gain typed -30", 3, kStepNone, false, -30, {}, 0, "-24.0dB"},
    {"gain typed 13", 3, kStepNone, false, 185, {}, 180, "12.0dB"},
    {"gain step down", 3, kStepDown, false, 120, {}, 119, "-0.2dB"},
    {"gain rounds ties to even", 3, kStepNone, false, 120.5, {}, 120, "0.0dB"},
    {"gain shown keeps fraction", 3, kStepNone, true, 120.5, {}, 120.5, "0.1dB"},
    {"gain shown too high", 3, kStepNone, true, 200, {}, 180, "12.0dB"},
    {"aux gain 0.6 step", 3, kStepUp, false, 120, AuxPage(3, {150, 90}), 123, "0.6dB"},
    {"aux gain stops at boost", 3, kStepUp, false, 149, AuxPage(3, {150, 90}), 150, "6.0dB"},
    {"aux gain stops at cut", 3, kStepDown, false, 91, AuxPage(3, {150, 90}), 90, "-6.0dB"},
    {"aux gain shown unlimited", 3, kStepNone, true, 170, AuxPage(3, {150, 90}), 170, "10.0dB"},
    {"aux step on other page", 3, kStepUp, false, 120,
     [] {
         ShowInputs in = AuxPage(3, {150, 90});
         in.onAuxPage = false;
         return in;
     }(),
     121, "0.2dB"},
    // Q edits: the shelf types stop at index 24.
    {"shelf Q typed high", 4, kStepNone, false, 50, Band(LSEQ), 24, "1.60"},
    {"shelf Q step at top", 4, kStepUp, false, 24, Band(HSEQ), 24, "1.60"},
    {"peak Q up to 100", 4, kStepUp, false, 99, Band(PEQ), 100, "128.00"},
    {"peak Q typed 101", 4, kStepNone, false, 101, Band(PEQ), 100, "128.00"},
    // Music gain.
    {"music gain step", 5, kStepUp, false, 20, {}, 21, "0.5dB"},
    {"music gain clamp", 5, kStepNone, true, 50, {}, 40, "10.0dB"},
    // Aux limits and effect send.
    {"boost clamp low", 27, kStepDown, false, 120, {}, 120, "0.0dB"},
    {"cut clamp high", 28, kStepUp, false, 120, {}, 120, "0.0dB"},
    {"effect send step", 29, kStepDown, false, 50, {}, 49, "49"},
    // Panes clamp and never step.
    {"reverb time", 12, kStepUp, false, 80, {}, 80, "5000ms"},
    {"reverb time clamp", 12, kStepNone, true, 81, {}, 80, "5000ms"},
    {"echo time", 11, kStepNone, false, 100, {}, 100, "200ms"},
    {"mic limiter", 25, kStepNone, true, 0, {}, 0, "-34dB"},
    {"noise gate", 24, kStepNone, true, 60, {}, 60, "-30dB"},
    // Invalid step codes act as none.
    {"step code 2", 29, 2, false, 50, {}, 50, "50"},
    {"step code 10", 3, 10, false, 120, {}, 120, "0.0dB"},
    // Codes without a rule leave value and text.
    {"unknown code", 7, kStepUp, false, 1234, {}, 1234, nullptr},
};

} // namespace

TEST(ShowRule, ValueAndTextPerCode) {
    for (const ShowCase& c : kShowCases) {
        const ShowRule r = ApplyShowRule(c.code, c.stepCode, c.displayOnly, c.x, c.in);
        EXPECT_EQ(r.x, c.expectedX) << c.what;
        if (c.text) {
            EXPECT_EQ(r.text.value_or("<none>"), c.text) << c.what;
        } else {
            EXPECT_FALSE(r.text) << c.what;
        }
    }
}

TEST(ShowRule, ShownQComesFromTheTableAndIsRepaired) {
    ShowInputs in = Band(LSEQ);
    in.storedQ = 50; // shown as stored, even above the shelf limit
    ShowRule r = ApplyShowRule(4, kStepNone, true, 3, in);
    EXPECT_EQ(r.x, 50);
    EXPECT_EQ(r.text, "7.10");
    EXPECT_FALSE(r.repairedQ);

    in.storedQ = 150;
    r = ApplyShowRule(4, kStepNone, true, 3, in);
    EXPECT_EQ(r.repairedQ, 100);
    EXPECT_EQ(r.text, "128.00");

    in.storedQ = -2;
    r = ApplyShowRule(4, kStepNone, true, 3, in);
    EXPECT_EQ(r.repairedQ, 0);
    EXPECT_EQ(r.text, "0.40");
}

TEST(ShowRule, FollowUpActions) {
    // Edits below code 5 store and (when editing) send the truncated value.
    ShowRule r = ApplyShowRule(3, kStepNone, false, 121, {});
    EXPECT_TRUE(r.storeRaw);
    EXPECT_TRUE(r.send);
    EXPECT_TRUE(r.recordLastEdited);
    EXPECT_TRUE(r.highlightBand);
    EXPECT_FALSE(r.selectsCurrentEdit);
    EXPECT_EQ(r.raw, 121);
    EXPECT_EQ(r.sliderPosition, 121);

    r = ApplyShowRule(2, kStepNone, true, 204, {});
    EXPECT_TRUE(r.selectsCurrentEdit);
    EXPECT_TRUE(r.storeRaw);
    EXPECT_FALSE(r.send);

    // Filter panes record the pseudo-band edit; level panes neither store nor record.
    r = ApplyShowRule(6, kStepNone, false, 100, {});
    EXPECT_FALSE(r.storeRaw);
    EXPECT_TRUE(r.recordLastEdited);
    EXPECT_FALSE(r.highlightBand);
    r = ApplyShowRule(8, kStepNone, false, 100, {});
    EXPECT_FALSE(r.recordLastEdited);
    EXPECT_TRUE(r.send);

    // The aux limit and effect-send edits store their own address when shown.
    r = ApplyShowRule(27, kStepNone, true, 100, {});
    EXPECT_EQ(r.storeAtAddress, 120);
    EXPECT_FALSE(r.storeRaw);
    r = ApplyShowRule(29, kStepNone, true, 42.6, {});
    EXPECT_EQ(r.storeAtAddress, 43);
    EXPECT_EQ(r.raw, 42);
    r = ApplyShowRule(29, kStepUp, false, 42, {});
    EXPECT_FALSE(r.storeAtAddress);

    // Slider positions round ties to even; the raw value truncates.
    r = ApplyShowRule(3, kStepNone, true, 120.5, {});
    EXPECT_EQ(r.sliderPosition, 120);
    EXPECT_EQ(r.raw, 120);
}

TEST(ShowRule, GatherReadsLimitsBandTypeAndStoredQ) {
    ParamTable view;
    const Address gain2 = MakeAddress(SecAux, AuxGainSlot(2));
    view.At(SecAux, AuxMaxBoostSlot(2)) = 150;
    view.At(SecAux, AuxMaxCutSlot(2)) = 90;

    ShowInputs in = GatherShowInputs(gain2, view, SecAux, 2);
    EXPECT_TRUE(in.onAuxPage);
    EXPECT_EQ(in.auxGainStep, 3);
    ASSERT_TRUE(in.auxLimits);
    EXPECT_EQ(in.auxLimits->maxBoost, 150);
    EXPECT_EQ(in.auxLimits->maxCut, 90);

    in = GatherShowInputs(gain2, view, SecMusic, 2);
    EXPECT_FALSE(in.onAuxPage);
    EXPECT_FALSE(in.auxLimits);
    EXPECT_FALSE(GatherShowInputs(MakeAddress(SecAux, 4), view, SecAux, 0).auxLimits);

    // Music band 2: type at slot 18, Q slots 21 and 22.
    view.At(SecMusic, 18) = LSEQ;
    view.At(SecMusic, 22) = 7;
    in = GatherShowInputs(MakeAddress(SecMusic, 22), view, SecMusic, 0);
    EXPECT_EQ(in.bandType, LSEQ);
    EXPECT_EQ(in.storedQ, 7);

    // Stepping the aux band gain from the gathered inputs stops at the boost.
    view.At(SecAux, AuxGainSlot(2)) = 149;
    in = GatherShowInputs(gain2, view, SecAux, 2);
    EXPECT_EQ(ApplyShowRule(3, kStepUp, false, 149, in).raw, 150);
}

TEST(ShowRule, PanesShowOnlyCodesFromSix) {
    EXPECT_FALSE(PaneShowsCode(0));
    EXPECT_FALSE(PaneShowsCode(5));
    EXPECT_TRUE(PaneShowsCode(6));
    EXPECT_TRUE(PaneShowsCode(26));
}
