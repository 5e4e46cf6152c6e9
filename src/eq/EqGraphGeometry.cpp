#include "eq/EqGraphGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dsp {

DragMetrics ComputeDragMetrics(const PlotGeometry& plot, int pointHeight) {
    DragMetrics m;
    m.stepX = eqshared::RoundPx(plot.width / 361.0 / 1.5);
    m.stepY =
        eqshared::RoundPx(plot.height / double((eqshared::EQTopDb - eqshared::EQBottomDb) * 10));
    m.topPx = eqshared::RoundPx(plot.DbToY(12) - pointHeight / 2);
    m.bottomPx = eqshared::RoundPx(plot.DbToY(-24) - pointHeight / 2);
    return m;
}

std::vector<GridLine> GridLines(const PlotGeometry& plot) {
    const int w = plot.width;
    const int h = plot.height;
    std::vector<GridLine> lines;
    // Horizontal lines every 3 dB; the range ends and 0 dB a shade darker.
    for (int d = eqshared::EQBottomDb; d <= eqshared::EQTopDb; ++d) {
        if (d % 3 != 0)
            continue;
        const int y = eqshared::RoundPx(plot.DbToY(d));
        const bool strong = d == eqshared::EQBottomDb || d == 0 || d == eqshared::EQTopDb;
        lines.push_back({0, y, w, y, 1, strong ? kGridStrong : kGridLight});
    }
    // Left border and the decades.
    lines.push_back({0, 0, 0, h, 2, kGridStrong});
    for (double f : {100.0, 1000.0, 10000.0}) {
        const int x = eqshared::RoundPx(plot.FreqToX(f));
        lines.push_back({x, 0, x, h, 2, kGridStrong});
    }
    // The steps within each decade, then the right border.
    static constexpr double minor[] = {20,   30,   40,   50,   60,   70,   80,   90,   200,
                                       300,  400,  500,  600,  700,  800,  900,  2000, 3000,
                                       4000, 5000, 6000, 7000, 8000, 9000, 20000};
    for (double f : minor) {
        const int x = eqshared::RoundPx(plot.FreqToX(f));
        lines.push_back({x, 0, x, h, 1, kGridLight});
    }
    const int right = eqshared::RoundPx(eqshared::EQGridSteps * plot.xScale - 1);
    lines.push_back({right, 0, right, h, 1, kGridLight});
    // Top and bottom of the range.
    const int top = eqshared::RoundPx(plot.DbToY(eqshared::EQTopDb) + 1);
    const int bottom = eqshared::RoundPx(plot.DbToY(eqshared::EQBottomDb));
    lines.push_back({0, top, w, top, 2, kGridStrong});
    lines.push_back({0, bottom, w, bottom, 2, kGridStrong});
    return lines;
}

std::vector<AxisLabel> AxisLabels(const PlotGeometry& plot, int plotLeft, int plotTop) {
    std::vector<AxisLabel> labels;
    constexpr int dbW = 32, dbH = 13;
    for (int i = 0; i <= 10; ++i) {
        const int value = eqshared::EQBottomDb + 6 * i;
        labels.push_back(
            {"EQLabelY" + std::to_string(i), std::to_string(value) + "dB", plotLeft - dbW - 2,
             eqshared::RoundPx(plot.DbToY(value)) + plotTop - dbH / 2, dbW, dbH, true});
    }
    struct Mark {
        double hz;
        const char* text;
    };
    static constexpr Mark marks[] = {
        {20, "20Hz"},   {50, "50Hz"},   {100, "100Hz"}, {200, "200Hz"},   {500, "500Hz"},
        {1000, "1KHz"}, {2000, "2KHz"}, {5000, "5KHz"}, {10000, "10KHz"}, {20000, "20KHz"}};
    constexpr int fW = 36, fH = 13;
    int index = 11;
    for (const Mark& m : marks) {
        labels.push_back({"EQLabelX" + std::to_string(index++), m.text,
                          eqshared::RoundPx(plot.FreqToX(m.hz)) + plotLeft - fW / 2,
                          plotTop + plot.height, fW, fH, false});
    }
    return labels;
}

std::vector<int> CurveXs(int width) {
    std::vector<int> xs(eqshared::EQGridSteps + 1);
    for (int p = 0; p <= eqshared::EQGridSteps; ++p)
        xs[p] = eqshared::RoundPx(double(p) * width / eqshared::EQGridSteps);
    return xs;
}

std::vector<BezierSegment> CardinalToBezier(const std::vector<PointF>& points, double tension) {
    std::vector<BezierSegment> segments;
    if (points.size() < 2)
        return segments;
    const double k = tension / 3.0;
    const size_t last = points.size() - 1;
    segments.reserve(last);
    for (size_t i = 0; i < last; ++i) {
        const PointF& p0 = points[i == 0 ? 0 : i - 1];
        const PointF& p1 = points[i];
        const PointF& p2 = points[i + 1];
        const PointF& p3 = points[i + 1 == last ? last : i + 2];
        segments.push_back({{p1.x + k * (p2.x - p0.x), p1.y + k * (p2.y - p0.y)},
                            {p2.x - k * (p3.x - p1.x), p2.y - k * (p3.y - p1.y)},
                            p2});
    }
    return segments;
}

PixelPos PointPlacement(const PlotGeometry& plot, double freqHz, double gainDb, int h) {
    return {eqshared::RoundPx(plot.FreqToX(freqHz) - h / 2),
            eqshared::RoundPx(plot.DbToY(gainDb) - h / 2)};
}

PixelPos ValueLabelPlacement(PixelPos anchor, int anchorWidth, int anchorHeight, int labelWidth,
                             int labelHeight, double gainDb, int plotWidth) {
    PixelPos pos;
    pos.left = anchor.left - labelWidth / 2 + anchorWidth / 2;
    pos.left = std::max(0, std::min(pos.left, plotWidth - labelWidth));
    pos.top = gainDb >= 0 ? anchor.top + anchorHeight : anchor.top - labelHeight - 1;
    return pos;
}

std::string FormatLabelNumber(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale; // half away from zero
    if (rounded == 0)
        rounded = 0; // no "-0.0"
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, rounded);
    return buf;
}

std::string ValueLabelText(int type, double freqHz, double gainDb, double q) {
    if (type < 100)
        return FormatLabelNumber(gainDb, 1) + "dB\nQ:" + FormatLabelNumber(q, 2) + "\n" +
               FormatLabelNumber(freqHz, 2) + "Hz";
    return (type < 200 ? "HPF:" : "LPF:") + FormatLabelNumber(freqHz, 2) + "Hz";
}

} // namespace dsp
