#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "eq/EqGeometry.h"
#include "spectrum/SpectrumMath.h"

using namespace dsp;

namespace {

constexpr int kWidth = 883;
constexpr int kHeight = 268;

std::vector<uint8_t> Block(double (*sample)(int)) {
    std::vector<uint8_t> b(SpectrumBlockLength);
    for (int i = 0; i < SpectrumBlockLength; ++i)
        b[i] = static_cast<uint8_t>(std::lround(sample(i)));
    return b;
}

// Expected row of bar k for a raw LevelToY row.
int WeightedRow(int k, double row) {
    return RoundPx(k < 47 ? row * SpectrumBarWeights[k] : row);
}

// The bar slot whose looked-up frequency is nearest to f.
int SlotNear(double f, int width) {
    const int g = SpectrumSlotWidth(width);
    int best = 0;
    double bestDist = 1e9;
    for (int k = 0; k * g <= width; ++k) {
        const double d = std::fabs(std::log(XToFreq(k * g + g / 2, EqXScale(width)) / f));
        if (d < bestDist) {
            bestDist = d;
            best = k;
        }
    }
    return best;
}

} // namespace

TEST(LevelToY, FloorTopAndClamps) {
    const double floorRow = kHeight - 2;
    const double topRow = LevelToY(false, 120.0, kHeight); // magnitudes above 120 count as 120
    EXPECT_DOUBLE_EQ(LevelToY(false, 0.0, kHeight), floorRow);
    EXPECT_DOUBLE_EQ(LevelToY(true, 0.0, kHeight), floorRow);
    EXPECT_DOUBLE_EQ(LevelToY(false, 512.0, kHeight), topRow);
    EXPECT_DOUBLE_EQ(LevelToY(false, 1e30, kHeight), topRow);
    EXPECT_LT(topRow, 4.0); // 120 is -0.56 dB: within a few rows of the top
    EXPECT_GT(topRow, -1.0);
    // -58 dB lies below the normal floor (-52 dB) but above the low one (-64 dB).
    const double m58 = 128.0 * std::pow(10.0, -58.0 / 20.0);
    EXPECT_DOUBLE_EQ(LevelToY(false, m58, kHeight), floorRow);
    EXPECT_NEAR(LevelToY(true, m58, kHeight), floorRow - 6.0 / 64.0 * (kHeight - 1), 1e-9);
}

TEST(SpectrumColumns, SlotsOfAnEightHundredEightyThreePixelPlot) {
    EXPECT_EQ(SpectrumSlotWidth(kWidth), 7);
    std::vector<TComplex> spectrum(SpectrumFFTLength, TComplex{50.0f, 0.0f});
    const std::vector<int> rows = SpectrumColumns(spectrum, kWidth, kHeight, false);
    ASSERT_EQ(rows.size(), size_t(kWidth + 1));
    int bars = 0;
    for (int x = 0; x <= kWidth; ++x) {
        if (x % 7 >= 5) {
            EXPECT_EQ(rows[x], kHeight) << "gap column " << x;
        } else {
            EXPECT_LT(rows[x], kHeight - 2) << "bar column " << x;
            EXPECT_EQ(rows[x], rows[x - x % 7]) << "a bar is one row wide " << x;
        }
        bars += x % 7 == 0;
    }
    EXPECT_EQ(bars, 127); // slot starts 0, 7, ..., 882: the last one is a single column
}

TEST(SpectrumColumns, NarrowAndEmptyPlots) {
    std::vector<TComplex> spectrum(SpectrumFFTLength);
    // Below 120 pixels a slot is one column wide and every column is a bar.
    const std::vector<int> narrow = SpectrumColumns(spectrum, 60, 100, false);
    ASSERT_EQ(narrow.size(), 61u);
    for (int x = 0; x <= 60; ++x)
        EXPECT_LT(narrow[x], 100);
    EXPECT_EQ(SpectrumColumns(spectrum, 0, 100, false), std::vector<int>{100});
    EXPECT_TRUE(SpectrumColumns(spectrum, -5, 100, false).empty());
    EXPECT_EQ(SpectrumColumns({}, 3, 100, false), std::vector<int>(4, 100));
}

TEST(ComputeSpectrum, SilenceDrawsEveryBarAtTheFloor) {
    SpectrumTransform t;
    ASSERT_TRUE(t.ComputeSpectrum(Block([](int) { return 128.0; })));
    for (const TComplex& c : t.Output())
        ASSERT_TRUE(c.Re == 0 && c.Im == 0);
    const std::vector<int> rows = SpectrumColumns(t.Output(), kWidth, kHeight, false);
    for (int x = 0; x <= kWidth; x += 7)
        EXPECT_EQ(rows[x], WeightedRow(x / 7, kHeight - 2)) << "bar " << x / 7;
    // The weights raise the lowest bars: bar 2 (weight 0.25) stands far above the floor.
    EXPECT_EQ(rows[14], RoundPx(266 * 0.25));
}

TEST(ComputeSpectrum, FullScaleSineReachesTheTop) {
    SpectrumTransform t;
    ASSERT_TRUE(t.ComputeSpectrum(Block([](int i) {
        return 128.0 + 127.0 * std::sin(2.0 * std::numbers::pi * 1000.0 * i / 48000.0);
    })));
    const int bin = static_cast<int>(std::lround(1000.0 / SpectrumBinHz));
    EXPECT_GT(ComplexAbs(t.Output()[bin]), 400.0f); // about 512 before clamping
    const std::vector<int> rows = SpectrumColumns(t.Output(), kWidth, kHeight, false);
    const int k = SlotNear(1000.0, kWidth);
    ASSERT_GE(k, 47); // no weight on this bar
    EXPECT_EQ(rows[k * 7], RoundPx(LevelToY(false, 120.0, kHeight)));
    EXPECT_GT(rows[SlotNear(100.0, kWidth) * 7], rows[k * 7] + 50); // far lower
}

TEST(ComputeSpectrum, LowTriggerShowsMinusFiftyEightDb) {
    // A spectrum with one bin at -58 dB relative to magnitude 128, under an unweighted bar.
    const int k = SlotNear(5000.0, kWidth);
    ASSERT_GE(k, 47);
    const double f = XToFreq(k * 7 + 3, EqXScale(kWidth));
    std::vector<TComplex> spectrum(SpectrumFFTLength);
    spectrum[RoundPx(f / SpectrumBinHz)] = {float(128.0 * std::pow(10.0, -58.0 / 20.0)), 0};
    const auto normal = SpectrumColumns(spectrum, kWidth, kHeight, false);
    const auto low = SpectrumColumns(spectrum, kWidth, kHeight, true);
    EXPECT_EQ(normal[k * 7], kHeight - 2);
    EXPECT_LT(low[k * 7], kHeight - 2 - 20);
    EXPECT_EQ(low[(k + 1) * 7], kHeight - 2); // its neighbours stay at the floor
}

TEST(ComputeSpectrum, DcOffsetIsHiddenAndLowBinsTamed) {
    SpectrumTransform t;
    ASSERT_TRUE(t.ComputeSpectrum(Block([](int) { return 200.0; })));
    const auto& out = t.Output();
    EXPECT_EQ(out[0].Re, 0.0f);
    EXPECT_EQ(out[0].Im, 0.0f);
    // Without taming bin 1 would hold the zero-padded block's first side lobe.
    const double c = 200.0 / 128.0 - 1.0;
    const double lobe = c / std::sin(std::numbers::pi / SpectrumFFTLength);
    EXPECT_NEAR(ComplexAbs(out[1]), 0.1 * lobe, 1e-3 * lobe);
    // The first bar looks up bin 0 and stays at the (weighted) floor.
    const auto rows = SpectrumColumns(out, kWidth, kHeight, false);
    EXPECT_EQ(rows[0], WeightedRow(0, kHeight - 2));
}

TEST(ComputeSpectrum, EmptyAndShortBlocks) {
    SpectrumTransform t;
    EXPECT_FALSE(t.ComputeSpectrum({}));
    // A long block is cut to 1024 samples, a short one padded with silence: a block of 1024
    // loud samples followed by more, and the same 1024 alone, give the same spectrum.
    std::vector<uint8_t> longBlock(3000, 255);
    ASSERT_TRUE(t.ComputeSpectrum(longBlock));
    const auto a = t.Output();
    ASSERT_TRUE(t.ComputeSpectrum(std::vector<uint8_t>(1024, 255)));
    EXPECT_EQ(a[5].Re, t.Output()[5].Re);
    ASSERT_TRUE(t.ComputeSpectrum(std::vector<uint8_t>(10, 255)));
    const auto b = t.Output();
    ASSERT_TRUE(t.ComputeSpectrum(std::vector<uint8_t>(512, 128)));
    EXPECT_EQ(t.Output()[5].Re, 0.0f); // nothing left over from the earlier block
    EXPECT_NE(b[5].Re, 0.0f);
}

TEST(SpectrumTicker, OneTransformAndOneDrawEveryElevenTicks) {
    SpectrumTicker t;
    std::vector<int> computes, draws;
    for (int tick = 1; tick <= 33; ++tick) {
        const SpectrumAction a = t.Step(true, false);
        if (a == SpectrumAction::Compute)
            computes.push_back(tick);
        if (a == SpectrumAction::Draw)
            draws.push_back(tick);
    }
    EXPECT_EQ(computes, (std::vector<int>{5, 16, 27}));
    EXPECT_EQ(draws, (std::vector<int>{11, 22, 33}));
    // Off or dragging: the counter stands still.
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(t.Step(false, false), SpectrumAction::None);
        EXPECT_EQ(t.Step(true, true), SpectrumAction::None);
    }
    EXPECT_EQ(t.SpectrumTick, 0);
}
