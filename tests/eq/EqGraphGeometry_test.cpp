#include "eq/EqGraphGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dsp {
namespace {

PlotGeometry Plot(int w, int h) {
    return {w, h, double(w) / eqshared::EQGridSteps};
}

TEST(EqGraphGeometry, MappingsPinTheAxisEnds) {
    const PlotGeometry p = Plot(883, 268);
    EXPECT_NEAR(p.FreqToX(10), 0, 1e-9);
    EXPECT_NEAR(p.FreqToX(24000), 883, 1e-6);
    EXPECT_NEAR(p.DbToY(12), 0, 1e-9);
    EXPECT_NEAR(p.DbToY(-24), 267, 1e-9);
    for (double f : {19.5, 1000.0, 20600.0})
        EXPECT_NEAR(p.XToFreq(p.FreqToX(f)), f, f * 1e-9);
    for (double d : {-24.0, -6.0, 0.0, 12.0})
        EXPECT_NEAR(p.YToDb(p.DbToY(d)), d, 1e-9);
}

TEST(EqGraphGeometry, DragMetricsFollowThePlotSize) {
    struct Row {
        int w, h, stepX, stepY;
    } rows[] = {{883, 268, 2, 1}, {1766, 536, 3, 1}, {400, 150, 1, 0}, {1200, 700, 2, 2}};
    for (const Row& r : rows) {
        const DragMetrics m = ComputeDragMetrics(Plot(r.w, r.h), 14);
        EXPECT_EQ(m.stepX, r.stepX) << r.w;
        EXPECT_EQ(m.stepY, r.stepY) << r.h;
        // The point's centre reaches exactly the +12 and -24 dB rows.
        EXPECT_EQ(m.topPx + 7, 0);
        EXPECT_EQ(m.bottomPx + 7, r.h - 1);
    }
}

TEST(EqGraphGeometry, GridLinesEveryThreeDbAndAtTheDecades) {
    const PlotGeometry p = Plot(883, 268);
    const std::vector<GridLine> lines = GridLines(p);
    int horizontal = 0;
    for (const GridLine& l : lines) {
        if (l.y1 == l.y2 && l.width == 1) {
            ++horizontal;
            const double db = p.YToDb(l.y1);
            const bool strong =
                std::abs(db) < 0.2 || std::abs(db - 12) < 0.2 || std::abs(db + 24) < 0.2;
            EXPECT_EQ(l.rgb, strong ? kGridStrong : kGridLight) << db;
            EXPECT_EQ(l.x2, 883);
        }
    }
    EXPECT_EQ(horizontal, 13); // -24, -21, ... +12
    auto hasVertical = [&](int x, int width) {
        return std::any_of(lines.begin(), lines.end(), [&](const GridLine& l) {
            return l.x1 == x && l.x2 == x && l.y1 == 0 && l.y2 == 268 && l.width == width;
        });
    };
    EXPECT_TRUE(hasVertical(0, 2));
    EXPECT_TRUE(hasVertical(eqshared::RoundPx(p.FreqToX(1000)), 2));
    EXPECT_TRUE(hasVertical(eqshared::RoundPx(p.FreqToX(20000)), 1));
    EXPECT_TRUE(hasVertical(882, 1)); // right border
}

TEST(EqGraphGeometry, AxisLabelsLineUpWithTheGrid) {
    const PlotGeometry p = Plot(883, 268);
    const int left = 40, top = 10;
    const std::vector<AxisLabel> labels = AxisLabels(p, left, top);
    ASSERT_EQ(labels.size(), 21u);
    EXPECT_EQ(labels[0].name, "EQLabelY0");
    EXPECT_EQ(labels[0].text, "-24dB");
    EXPECT_EQ(labels[4].text, "0dB");
    EXPECT_EQ(labels[6].text, "12dB");
    EXPECT_EQ(labels[10].text, "36dB");
    for (int i = 0; i <= 6; ++i) { // the ones inside the range
        const AxisLabel& a = labels[size_t(i)];
        EXPECT_EQ(a.left + a.width + 2, left);
        EXPECT_EQ(a.top + a.height / 2 - top, eqshared::RoundPx(p.DbToY(-24 + 6 * i))) << a.text;
        EXPECT_TRUE(a.rightAligned);
    }
    const char* texts[] = {"20Hz", "50Hz", "100Hz", "200Hz", "500Hz",
                           "1KHz", "2KHz", "5KHz",  "10KHz", "20KHz"};
    const double hz[] = {20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000};
    for (int i = 0; i < 10; ++i) {
        const AxisLabel& a = labels[size_t(11 + i)];
        EXPECT_EQ(a.name, "EQLabelX" + std::to_string(11 + i));
        EXPECT_EQ(a.text, texts[i]);
        EXPECT_EQ(a.left + a.width / 2 - left, eqshared::RoundPx(p.FreqToX(hz[i])));
        EXPECT_EQ(a.top, top + 268);
    }
}

TEST(EqGraphGeometry, CurveXsSpanThePlot) {
    const std::vector<int> xs = CurveXs(883);
    ASSERT_EQ(xs.size(), size_t(eqshared::EQGridSteps + 1));
    EXPECT_EQ(xs.front(), 0);
    EXPECT_EQ(xs.back(), 883);
    EXPECT_EQ(xs[231], eqshared::RoundPx(231.0 * 883 / 462));
    EXPECT_TRUE(std::is_sorted(xs.begin(), xs.end()));
}

TEST(EqGraphGeometry, CardinalSplineControlPoints) {
    // Through (0,0), (3,3), (6,0) with tension 0.4: tangents are tension/3 of the chord
    // between the neighbours; an end point stands in for its missing neighbour.
    const std::vector<PointF> pts = {{0, 0}, {3, 3}, {6, 0}};
    const auto seg = CardinalToBezier(pts, 0.4);
    ASSERT_EQ(seg.size(), 2u);
    const double k = 0.4 / 3;
    EXPECT_NEAR(seg[0].c1.x, 3 * k, 1e-12);
    EXPECT_NEAR(seg[0].c1.y, 3 * k, 1e-12);
    EXPECT_NEAR(seg[0].c2.x, 3 - 6 * k, 1e-12);
    EXPECT_NEAR(seg[0].c2.y, 3, 1e-12); // horizontal tangent at the peak
    EXPECT_EQ(seg[0].end, (PointF{3, 3}));
    EXPECT_NEAR(seg[1].c1.x, 3 + 6 * k, 1e-12);
    EXPECT_NEAR(seg[1].c1.y, 3, 1e-12);
    EXPECT_NEAR(seg[1].c2.x, 6 - 3 * k, 1e-12);
    EXPECT_NEAR(seg[1].c2.y, 3 * k, 1e-12);
    EXPECT_EQ(seg[1].end, (PointF{6, 0}));
}

TEST(EqGraphGeometry, CardinalSplineOfALineStaysOnIt) {
    std::vector<PointF> pts;
    for (int i = 0; i <= 462; ++i)
        pts.push_back({i * 1.9, 120.0});
    const auto seg = CardinalToBezier(pts, 0.4);
    ASSERT_EQ(seg.size(), 462u);
    for (size_t i = 0; i < seg.size(); ++i) {
        EXPECT_EQ(seg[i].c1.y, 120.0);
        EXPECT_EQ(seg[i].c2.y, 120.0);
        EXPECT_EQ(seg[i].end, pts[i + 1]);
        EXPECT_GE(seg[i].c1.x, pts[i].x);
        EXPECT_LE(seg[i].c2.x, pts[i + 1].x);
    }
    EXPECT_TRUE(CardinalToBezier({{1, 1}}, 0.4).empty());
}

TEST(EqGraphGeometry, ValueLabelTexts) {
    struct Row {
        int type;
        double freq, gain, q;
        const char* text;
    } rows[] = {
        {1, 1000, -6, 2, "-6.0dB\nQ:2.00\n1000.00Hz"},
        {1, 1000, 6, 2, "6.0dB\nQ:2.00\n1000.00Hz"},
        {0, 19.7, 0, 0.4, "0.0dB\nQ:0.40\n19.70Hz"},
        {3, 20200, -24, 128, "-24.0dB\nQ:128.00\n20200.00Hz"},
        {101, 80.3f, 0, 0, "HPF:80.30Hz"},
        {100, 19.0, 0, 0, "HPF:19.00Hz"},
        {202, 12000, 0, 0, "LPF:12000.00Hz"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ValueLabelText(r.type, r.freq, r.gain, r.q), r.text);
}

TEST(EqGraphGeometry, FormatRoundsHalfAwayFromZero) {
    EXPECT_EQ(FormatLabelNumber(0.25, 1), "0.3");
    EXPECT_EQ(FormatLabelNumber(-0.25, 1), "-0.3");
    EXPECT_EQ(FormatLabelNumber(-0.04, 1), "0.0");
    EXPECT_EQ(FormatLabelNumber(11.8, 1), "11.8");
}

TEST(EqGraphGeometry, ValueLabelSitsBelowForGainAndAboveForCut) {
    const PixelPos anchor{100, 50};
    EXPECT_EQ(ValueLabelPlacement(anchor, 14, 14, 60, 45, 6, 883), (PixelPos{100 - 30 + 7, 64}));
    EXPECT_EQ(ValueLabelPlacement(anchor, 14, 14, 60, 45, 0, 883), (PixelPos{77, 64}));
    EXPECT_EQ(ValueLabelPlacement(anchor, 14, 14, 60, 45, -0.2, 883), (PixelPos{77, 50 - 45 - 1}));
    // Near the edges the label stays inside the plot.
    EXPECT_EQ(ValueLabelPlacement({870, 50}, 14, 14, 90, 13, 0, 883).left, 883 - 90);
    EXPECT_EQ(ValueLabelPlacement({2, 50}, 14, 14, 90, 13, 0, 883).left, 0);
}

TEST(EqGraphGeometry, CurveIsGreyOnlyOnTheAutomaticOutputPage) {
    EXPECT_EQ(CurveColorFor(SecOut, 0), kCurveGrey);
    EXPECT_EQ(CurveColorFor(SecOut, 1), kCurveOrange);
    EXPECT_EQ(CurveColorFor(SecMusic, 0), kCurveOrange);
}

} // namespace
} // namespace dsp
