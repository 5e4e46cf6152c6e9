#include "eq/EqGraphDrag.h"

#include <gtest/gtest.h>

namespace dsp {
namespace {

struct EqGraphDrag : ::testing::Test {
    PlotGeometry plot{883, 268, 883.0 / eqshared::EQGridSteps};
    DragMetrics metrics = ComputeDragMetrics(plot, 14);
    DragInput At(int index, double hz, double db, int dx, int dy) const {
        DragInput in;
        in.index = index;
        const PixelPos p = PointPlacement(plot, hz, db, 14);
        in.left = p.left;
        in.top = p.top;
        in.dx = dx;
        in.dy = dy;
        in.plotWidth = 883;
        return in;
    }
};

TEST_F(EqGraphDrag, RulesPerSheet) {
    struct Row {
        int sheet, index;
        bool bypass;
        DragRule rule;
    } rows[] = {
        {kSheetMusic, 3, false, DragRule::Free},      {kSheetMusic, 20, false, DragRule::Sideways},
        {kSheetMusic, 21, true, DragRule::Blocked},   {kSheetMusic, 3, true, DragRule::Blocked},
        {kSheetMic, 19, false, DragRule::Free},       {kSheetMic, 19, true, DragRule::Blocked},
        {kSheetMic, 20, true, DragRule::Sideways},    {kSheetEffect, 9, false, DragRule::Free},
        {kSheetEffect, 21, true, DragRule::Sideways}, {kSheetOutput, 20, false, DragRule::Sideways},
        {kSheetOutput, 4, true, DragRule::Blocked},   {kSheetHint, 4, false, DragRule::Free},
        {kSheetHint, 5, false, DragRule::Fixed},      {kSheetHint, 4, true, DragRule::Blocked},
        {kSheetAux, 5, false, DragRule::Free},        {kSheetAux, 6, false, DragRule::Fixed},
        {kSheetAux, 5, true, DragRule::Blocked},
    };
    for (const Row& r : rows)
        EXPECT_EQ(SheetDragRule(r.sheet, r.index, r.bypass), r.rule)
            << r.sheet << " " << r.index << " " << r.bypass;
}

TEST_F(EqGraphDrag, MovesBelowTheStepDoNothing) {
    ASSERT_EQ(metrics.stepX, 2);
    ASSERT_EQ(metrics.stepY, 1);
    EXPECT_FALSE(DragStep(plot, metrics, DragRule::Free, At(0, 1000, 0, 1, 0)).moved);
    EXPECT_FALSE(DragStep(plot, metrics, DragRule::Free, At(0, 1000, 0, -1, 0)).moved);
    const DragInput in = At(0, 1000, 0, 2, 0);
    const DragResult r = DragStep(plot, metrics, DragRule::Free, in);
    ASSERT_TRUE(r.moved);
    EXPECT_EQ(r.left, in.left + 2);
    EXPECT_EQ(r.top, in.top);
    EXPECT_TRUE(DragStep(plot, metrics, DragRule::Free, At(0, 1000, 0, 0, 1)).moved);
}

TEST_F(EqGraphDrag, LimitsOfFrequencyAndGain) {
    struct Row {
        int dx, dy;
        int freqHz;
        double gainDb;
    } rows[] = {
        {0, -500, 1000, 12},
        {0, 500, 1000, -24},
        {-900, 0, 20, 0},
        {900, 0, 20600, 0},
    };
    for (const Row& row : rows) {
        const DragInput in = At(0, 1000, 0, row.dx, row.dy);
        const DragResult r = DragStep(plot, metrics, DragRule::Free, in);
        ASSERT_TRUE(r.moved);
        if (row.dx == 0)
            EXPECT_NEAR(r.freqHz, row.freqHz, 10);
        else
            EXPECT_EQ(r.freqHz, row.freqHz);
        EXPECT_NEAR(r.gainDb, row.gainDb, 0.1);
        EXPECT_GE(r.top, metrics.topPx);
        EXPECT_LE(r.top, metrics.bottomPx);
    }
    // The left stop puts the centre on the pixel of 19.5 Hz; read back as whole hertz that is
    // 20 Hz, the step of 20.1 Hz.
    const DragResult left = DragStep(plot, metrics, DragRule::Free, At(0, 1000, 0, -900, 0));
    EXPECT_EQ(left.left, eqshared::RoundPx(plot.FreqToX(19.5)) - 7);
    EXPECT_EQ(left.freqHz, 20);
    EXPECT_EQ(eqshared::FrequencyIndex(left.freqHz), 1);
    const DragResult right = DragStep(plot, metrics, DragRule::Free, At(0, 1000, 0, 900, 0));
    EXPECT_EQ(right.left, eqshared::RoundPx(plot.FreqToX(20600) - 7));
    EXPECT_EQ(eqshared::FrequencyIndex(right.freqHz), 360);
    const DragResult top = DragStep(plot, metrics, DragRule::Free, At(0, 1000, 0, 0, -500));
    EXPECT_EQ(eqshared::GainIndex(top.gainDb), 180);
    const DragResult bottom = DragStep(plot, metrics, DragRule::Free, At(0, 1000, 0, 0, 500));
    EXPECT_EQ(eqshared::GainIndex(bottom.gainDb), 0);
}

TEST_F(EqGraphDrag, SidewaysFixedAndBlocked) {
    const DragInput in = At(20, 100, 0, 10, 40);
    const DragResult side = DragStep(plot, metrics, DragRule::Sideways, in);
    ASSERT_TRUE(side.moved);
    EXPECT_EQ(side.top, in.top);
    EXPECT_EQ(side.left, in.left + 10);
    const DragResult fixed = DragStep(plot, metrics, DragRule::Fixed, in);
    EXPECT_EQ(fixed.left, in.left);
    EXPECT_EQ(fixed.top, in.top);
    EXPECT_FALSE(DragStep(plot, metrics, DragRule::Blocked, in).moved);
}

TEST_F(EqGraphDrag, LowPassMarkerStopsAtTheRightEdge) {
    DragInput in = At(kLpfPoint, 20000, 0, 60, 0);
    const DragResult r = DragStep(plot, metrics, DragRule::Sideways, in);
    EXPECT_EQ(r.freqHz, 20600);
    EXPECT_LE(r.left + 7, 883);
}

} // namespace
} // namespace dsp
