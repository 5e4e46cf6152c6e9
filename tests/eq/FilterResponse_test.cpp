#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "eq/FilterResponse.h"

using namespace dsp;

namespace {

constexpr int N = EQGridSteps;
constexpr int kCells = 1025; // the graph's curve arrays

struct CurveBuf {
    std::vector<TComplex> cells = std::vector<TComplex>(kCells, TComplex{-99.0f, 42.0f});
    TComplex* data() { return cells.data(); }
    float operator[](int p) const { return cells[p].Re; }
};

CurveBuf Band(int freq, int code, float q, float gain) {
    CurveBuf c;
    BandResponse(c.data(), kCells - 1, freq, static_cast<uint8_t>(code), q, gain);
    return c;
}

template <class F> CurveBuf Build(F f) {
    CurveBuf c;
    f(c.data());
    return c;
}

void ExpectSameCurve(const CurveBuf& a, const CurveBuf& b) {
    for (int p = 0; p <= N; ++p)
        ASSERT_EQ(a[p], b[p]) << "position " << p;
}

int PeakPosition(const CurveBuf& c) {
    int best = 0;
    for (int p = 1; p <= N; ++p)
        if (c[p] > c[best])
            best = p;
    return best;
}

} // namespace

TEST(FilterResponse, FlatBandsAreZeroEverywhere) {
    const struct {
        int code;
        float q, gain;
        int freq;
    } cases[] = {
        {0, 1.0f, 12.0f, 1000},  {0, 0.4f, -24.0f, 20},  {1, 5.0f, 0.0f, 350},
        {50, 2.0f, 6.0f, 5000},  {99, 1.0f, 3.0f, 80},   {100, 1.0f, 6.0f, 1000},
        {200, 1.0f, 6.0f, 1000}, {120, 1.0f, 6.0f, 500}, // shape = code mod 20
    };
    for (const auto& c : cases) {
        const CurveBuf curve = Band(c.freq, c.code, c.q, c.gain);
        for (int p = 0; p <= N; ++p)
            ASSERT_NEAR(curve[p], 0.0f, 1e-6f) << "code " << c.code << " position " << p;
    }
}

TEST(FilterResponse, PeakIsCentredAndSymmetric) {
    const CurveBuf c = Band(1000, 1, 1.0f, 12.0f);
    EXPECT_EQ(PeakPosition(c), 273);
    EXPECT_NEAR(c[273], 12.0f, 1e-4f);
    for (int j = 1; j <= 273; ++j) {
        ASSERT_LT(c[273 - j], c[273 - j + 1] + 1e-6f) << "falls off to the left";
        if (273 + j <= N) {
            ASSERT_NEAR(c[273 - j], c[273 + j], 1e-4f) << "j = " << j;
        }
    }
    const CurveBuf cut = Band(1000, 1, 1.0f, -12.0f);
    for (int p = 0; p <= N; ++p)
        ASSERT_NEAR(cut[p], -c[p], 1e-4f) << "a cut mirrors a boost, position " << p;
    // A narrower band falls off faster.
    const CurveBuf narrow = Band(1000, 1, 8.0f, 12.0f);
    EXPECT_LT(narrow[260], c[260]);
}

TEST(FilterResponse, ShelvesReachFullGainHalfGainAndZero) {
    const CurveBuf low = Band(100, 2, 1.0f, 12.0f);
    const CurveBuf high = Band(100, 3, 1.0f, 12.0f);
    EXPECT_NEAR(low[0], 12.0f, 0.01f);
    EXPECT_NEAR(low[137], 6.0f, 0.01f);
    EXPECT_NEAR(low[N], 0.0f, 0.01f);
    EXPECT_NEAR(high[0], 0.0f, 0.01f);
    EXPECT_NEAR(high[137], 6.0f, 0.01f);
    EXPECT_NEAR(high[N], 12.0f, 0.01f);
    for (int p = 1; p <= N; ++p) {
        ASSERT_LE(low[p], low[p - 1] + 1e-5f) << p;
        ASSERT_GE(high[p], high[p - 1] - 1e-5f) << p;
    }
}

TEST(FilterResponse, PlacementOnTheGrid) {
    EXPECT_EQ(BandGridPosition(5), 0);
    EXPECT_EQ(BandGridPosition(-40), 0);
    EXPECT_EQ(BandGridPosition(10), 0);
    EXPECT_EQ(BandGridPosition(1000), 273);
    EXPECT_EQ(BandGridPosition(20000), 451);
    ExpectSameCurve(Band(5, 1, 2.0f, 6.0f), Band(10, 1, 2.0f, 6.0f));
    EXPECT_EQ(PeakPosition(Band(5, 1, 2.0f, 6.0f)), 0);
    EXPECT_EQ(PeakPosition(Band(20000, 1, 2.0f, 6.0f)), 451);
    // The ends repeat the prototype's first and last steps: a peak at 10 Hz is the right half.
    const CurveBuf mid = Band(1000, 1, 2.0f, 6.0f);
    const CurveBuf edge = Band(10, 1, 2.0f, 6.0f);
    for (int p = 0; p <= N - 273; ++p)
        ASSERT_EQ(edge[p], mid[273 + p]);
}

TEST(FilterResponse, WritesOnlyTheGridCells) {
    // A frequency above the axis must not write past position EQGridSteps, whatever the
    // caller's array holds beyond it; Im is never touched.
    for (int freq : {1000, 24000, 30000, 1000000, 2000000000}) {
        for (int code : {1, 2, 3, 103, 211, 212}) {
            const CurveBuf c = Band(freq, code, 1.0f, 6.0f);
            for (int p = 0; p < kCells; ++p) {
                ASSERT_EQ(c.cells[p].Im, 42.0f);
                if (p > N) {
                    ASSERT_EQ(c[p], -99.0f) << "freq " << freq << " position " << p;
                } else {
                    ASSERT_TRUE(std::isfinite(c[p]) && c[p] != -99.0f) << p;
                }
            }
        }
    }
}

TEST(FilterResponse, HighestQValuesAreDrawnLower) {
    const struct {
        float q, drawn;
    } cases[] = {{102, 98}, {108, 100}, {114, 101}, {121, 102}, {128, 103}, {96, 96}, {0.4f, 0.4f}};
    for (const auto& c : cases) {
        EXPECT_EQ(AdjustedQ(c.q), c.drawn);
        ExpectSameCurve(Band(2000, 1, c.q, 9.0f),
                        Build([&](TComplex* t) { PeakResponse(t, 2000, c.drawn, 9.0f); }));
    }
    // The remap applies to every code: a shelf slope of 102 is drawn as 98 (and then held at 4).
    ExpectSameCurve(Band(300, 2, 102.0f, 6.0f), Band(300, 2, 4.0f, 6.0f));
}

TEST(FilterResponse, ShelfSlopeAboveFourCountsAsFour) {
    for (int code : {2, 3}) {
        ExpectSameCurve(Band(500, code, 10.0f, -9.0f), Band(500, code, 4.0f, -9.0f));
        const CurveBuf gentle = Band(500, code, 0.5f, -9.0f);
        const CurveBuf steep = Band(500, code, 4.0f, -9.0f);
        EXPECT_NE(gentle[250], steep[250]);
    }
}

TEST(FilterResponse, UnknownShapeLeavesTheCurve) {
    for (int code : {113, 119, 213, 219, 233}) {
        CurveBuf c = Band(1000, 1, 1.0f, 6.0f);
        const CurveBuf before = c;
        BandResponse(c.data(), kCells - 1, 500, static_cast<uint8_t>(code), 1.0f, 0.0f);
        ExpectSameCurve(c, before);
    }
}

TEST(FilterResponse, CrossoverShapesAreSumsOfSections) {
    using S = CrossoverSection;
    struct Part {
        S s;
        int order, index;
    };
    const struct {
        int shape;
        Part a, b;
        double wa, wb;
    } cases[] = {
        {4, {S::FirstOrder, 0, 0}, {S::FirstOrder, 0, 0}, 1, 1},
        {5, {S::SecondOrderQ0577, 0, 0}, {S::FirstOrder, 0, 0}, 1, 1},
        {6, {S::SecondOrderQ0707, 0, 0}, {S::FirstOrder, 0, 0}, 1, 1},
        {7, {S::SecondOrderQ0577, 0, 0}, {S::SecondOrderQ0577, 0, 0}, 1, 1},
        {8, {S::Butterworth, 4, 0}, {S::Butterworth, 4, 1}, 1, 1},
        {9, {S::SecondOrderQ0707, 0, 0}, {S::SecondOrderQ0707, 0, 0}, 1, 1},
        {10, {S::SecondOrderQ0577, 0, 0}, {S::SecondOrderQ0577, 0, 0}, 1, 2},
        {11, {S::Butterworth, 4, 0}, {S::Butterworth, 4, 1}, 1, 2},
        {12, {S::Butterworth, 3, 0}, {S::FirstOrder, 0, 0}, 2, 2},
    };
    for (bool high : {true, false}) {
        const auto section = [&](const Part& part, int freq) {
            return Build([&](TComplex* t) {
                if (high)
                    HighPassResponse(t, freq, part.s, part.order, part.index);
                else
                    LowPassResponse(t, freq, part.s, part.order, part.index);
            });
        };
        for (const auto& c : cases) {
            const CurveBuf shape = Band(250, (high ? 100 : 200) + c.shape, 1.0f, 0.0f);
            const CurveBuf a = section(c.a, 250), b = section(c.b, 250);
            for (int p = 0; p <= N; ++p)
                ASSERT_FLOAT_EQ(shape[p], float(c.wa * a[p] + c.wb * b[p]))
                    << (high ? "high" : "low") << "-pass shape " << c.shape << " at " << p;
        }
        // Shape 11 adds a second (4, 1) section, not another (4, 0).
        const CurveBuf s11 = Band(250, (high ? 100 : 200) + 11, 1.0f, 0.0f);
        const CurveBuf s8 = Band(250, (high ? 100 : 200) + 8, 1.0f, 0.0f);
        const CurveBuf q1307 = section({S::Butterworth, 4, 0}, 250);
        EXPECT_GT(std::fabs(s11[120] - (s8[120] + q1307[120])), 0.1f);
    }
}

TEST(FilterResponse, CrossoverCornersAndSlopes) {
    // At the band's own position the prototype sits at its corner: |H| = Q for a second-order
    // section, 1/sqrt(2) for a first-order one.
    const struct {
        int shape;
        double cornerDb;
    } cases[] = {
        {1, -3.0103}, {2, 20 * std::log10(1 / std::sqrt(3.0))},
        {3, -3.0103}, {8, -3.0103}, // fourth-order Butterworth
        {9, -6.0206}, {12, 2 * (-3.0103 + 0.0)},
    };
    const int l = BandGridPosition(1000);
    for (const auto& c : cases) {
        for (int base : {100, 200})
            EXPECT_NEAR(Band(1000, base + c.shape, 1, 0)[l], c.cornerDb, 2e-3)
                << "code " << base + c.shape;
    }
    // Pass band at 0 dB, stop band well down, every point finite (the low-pass zero guard).
    for (int shape = 1; shape <= 12; ++shape) {
        const CurveBuf hp = Band(1000, 100 + shape, 1, 0);
        const CurveBuf lp = Band(1000, 200 + shape, 1, 0);
        EXPECT_NEAR(hp[N], 0.0f, 0.05f) << shape;
        EXPECT_NEAR(lp[0], 0.0f, 0.05f) << shape;
        EXPECT_LT(hp[0], -20.0f) << shape;
        EXPECT_LT(lp[N], -20.0f) << shape;
        for (int p = 0; p <= N; ++p)
            ASSERT_TRUE(std::isfinite(hp[p]) && std::isfinite(lp[p])) << shape << " " << p;
    }
}

TEST(FilterResponse, LowPassZeroRepeatsThePreviousPoint) {
    // The low-pass prototype reaches its zero at pi; that step takes the previous value.
    const Biquad f = CrossoverBiquad(false, CrossoverSection::SecondOrderQ0707, 0, 0);
    EXPECT_EQ(BiquadNumerator(f, std::numbers::pi), 0.0);
    const int l = BandGridPosition(1000);
    const CurveBuf lp = Band(1000, 203, 1, 0);
    // Prototype steps 336 (pi) and 335 land on positions l + 105 and l + 104.
    EXPECT_EQ(lp[l + 105], lp[l + 104]);
    EXPECT_TRUE(std::isfinite(lp[l + 105]));
}

TEST(FilterResponse, PrototypeMagnitudeMatchesDirectComplexEvaluation) {
    using Cd = std::complex<double>;
    std::vector<Biquad> filters;
    for (float gain : {-24.0f, -3.0f, 6.0f, 12.0f})
        for (float q : {0.4f, 1.0f, 12.0f, 103.0f})
            filters.push_back(PeakBiquad(q, gain));
    for (bool high : {false, true})
        for (float slope : {0.3f, 1.0f, 4.0f})
            filters.push_back(ShelfBiquad(high, slope, -10.0f));
    using S = CrossoverSection;
    for (bool high : {false, true}) {
        filters.push_back(CrossoverBiquad(high, S::FirstOrder, 0, 0));
        filters.push_back(CrossoverBiquad(high, S::SecondOrderQ0577, 0, 0));
        filters.push_back(CrossoverBiquad(high, S::SecondOrderQ0707, 0, 0));
        filters.push_back(CrossoverBiquad(high, S::Butterworth, 4, 1));
    }
    for (size_t i = 0; i < filters.size(); ++i) {
        const Biquad& f = filters[i];
        for (int step = 1; step < N; step += 7) {
            const double w = step * std::numbers::pi / N;
            const Cd z1 = std::polar(1.0, -w), z2 = z1 * z1;
            const Cd h = (double(f.b0) + double(f.b1) * z1 + double(f.b2) * z2) /
                         (double(f.a0) + double(f.a1) * z1 + double(f.a2) * z2);
            ASSERT_NEAR(BiquadDb(f, w), 20.0 * std::log10(std::abs(h)), 1e-6)
                << "filter " << i << " step " << step;
        }
    }
    // And the curve of a band is that magnitude, slid onto the grid.
    const CurveBuf c = Band(1000, 1, 2.0f, 5.0f);
    const Biquad peak = PeakBiquad(2.0f, 5.0f);
    for (int p = 0; p <= N; ++p) {
        const int idx = std::clamp(231 + (p - 273), 0, N - 1);
        ASSERT_FLOAT_EQ(c[p], float(BiquadDb(peak, idx * std::numbers::pi / N))) << p;
    }
}
