#include <gtest/gtest.h>

#include "eq/EqGeometry.h"

using namespace dsp;

TEST(EqGeometry, AxisEndsAndInverses) {
    for (int width : {462, 883, 1200}) {
        const double xs = EqXScale(width);
        EXPECT_NEAR(FreqToX(10.0, xs), 0.0, 1e-9);
        EXPECT_NEAR(FreqToX(24000.0, xs), width, 1e-9);
        for (double f : {19.7, 100.0, 1000.0, 20200.0})
            EXPECT_NEAR(XToFreq(FreqToX(f, xs), xs), f, f * 1e-12);
    }
    for (int height : {268, 300}) {
        EXPECT_DOUBLE_EQ(DbToY(EQTopDb, height), 0.0);
        EXPECT_DOUBLE_EQ(DbToY(EQBottomDb, height), height - 1);
        EXPECT_DOUBLE_EQ(DbToY(0, height), (height - 1) / 3.0);
        for (double db : {-24.0, -6.5, 0.0, 11.9})
            EXPECT_NEAR(YToDb(DbToY(db, height), height), db, 1e-12);
    }
}

TEST(EqGeometry, GridPositions) {
    EXPECT_NEAR(GridPosition(10.0), 0.0, 1e-12);
    EXPECT_NEAR(GridPosition(24000.0), EQGridSteps, 1e-9);
    EXPECT_EQ(RoundPx(GridPosition(1000.0)), 273);
    EXPECT_EQ(RoundPx(GridPosition(100.0)), 137);
    EXPECT_NEAR(GridFrequency(GridPosition(440.0)), 440.0, 1e-9);
}

TEST(EqGeometry, PixelRoundingTiesToEven) {
    const struct {
        double v;
        int px;
    } cases[] = {{2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {7.51, 8}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundPx(c.v), c.px) << c.v;
}
