#pragma once

// Plot geometry of the EQ graph as plain values: pixel mappings, grid lines, axis labels, curve
// points, the spline's Bezier control points, point and value-label placement. No painting here.

#include <cstdint>
#include <string>
#include <vector>

#include "eq/EqGraphShared.h"
#include "params/SectionMap.h"

namespace dsp {

constexpr int kPointCount = 22; // EP1 .. EP20, HPF, LPF
constexpr int kHpfPoint = 20;
constexpr int kLpfPoint = 21;
constexpr int kAllBands = 100; // RedrawEQ / LoadBandList: every band
constexpr double kCurveTension = 0.4;
constexpr double kCurvePenWidth = 1.8;

// Size of Image1 and the horizontal scale of the grid (1.0 until the grid is first drawn).
struct PlotGeometry {
    int width = 0;
    int height = 0;
    double xScale = 1.0; // EQXScale = width / eqshared::EQGridSteps

    double FreqToX(double f) const { return eqshared::FreqToX(f, xScale); }
    double XToFreq(double x) const { return eqshared::XToFreq(x, xScale); }
    double DbToY(double d) const { return eqshared::DbToY(d, height); }
    double YToDb(double y) const { return eqshared::YToDb(y, height); }
};

// Steps and gain limits of the point drag, derived from the plot size.
struct DragMetrics {
    int stepX = 0;    // DragStepX
    int stepY = 0;    // DragStepY
    int topPx = 0;    // DragTopPx: top of a point image whose centre is at +12 dB
    int bottomPx = 0; // DragBottomPx: top of a point image whose centre is at -24 dB
};
DragMetrics ComputeDragMetrics(const PlotGeometry& plot, int pointHeight);

// One straight line of the grid; colour as 0xRRGGBB.
struct GridLine {
    int x1, y1, x2, y2;
    int width;
    uint32_t rgb;
};
constexpr uint32_t kGridBackground = 0xEEEEEE;
constexpr uint32_t kGridStrong = 0xD2D2D2;
constexpr uint32_t kGridLight = 0xDCDCDC;
std::vector<GridLine> GridLines(const PlotGeometry& plot);

// An axis label on the outer panel; left/top in the outer panel's coordinates.
struct AxisLabel {
    std::string name;
    std::string text;
    int left, top, width, height;
    bool rightAligned; // dB labels; the frequency labels are centred
};
// plotLeft/plotTop: position of the plot frame inside the outer panel.
std::vector<AxisLabel> AxisLabels(const PlotGeometry& plot, int plotLeft, int plotTop);

// X of every curve point: round(p * W / eqshared::EQGridSteps).
std::vector<int> CurveXs(int width);
// Y of a curve point for a summed response in dB.
inline int CurveY(const PlotGeometry& plot, double sumDb) {
    return eqshared::RoundPx(plot.DbToY(sumDb));
}

struct PointF {
    double x = 0;
    double y = 0;
    bool operator==(const PointF&) const = default;
};
// One cubic Bezier segment from the previous end point to `end`.
struct BezierSegment {
    PointF c1, c2, end;
};
// A cardinal spline of the given tension through all points, as cubic Bezier segments
// (segment i runs from points[i] to points[i + 1]); the end points are their own outer
// neighbours.
std::vector<BezierSegment> CardinalToBezier(const std::vector<PointF>& points, double tension);

struct PixelPos {
    int left = 0;
    int top = 0;
    bool operator==(const PixelPos&) const = default;
};
// Top-left of a point image of height h centred on (frequency, gain).
PixelPos PointPlacement(const PlotGeometry& plot, double freqHz, double gainDb, int h);

// Value label: below the anchor for gain >= 0, above it otherwise, centred on it and kept
// inside the plot's width so that the label of a point near an edge stays readable.
PixelPos ValueLabelPlacement(PixelPos anchor, int anchorWidth, int anchorHeight, int labelWidth,
                             int labelHeight, double gainDb, int plotWidth);

// Fixed-point text with half-away-from-zero rounding ("#0.0", "#0.00").
std::string FormatLabelNumber(double value, int decimals);
// Text of the value label for a band of the band list; lines separated by '\n'.
std::string ValueLabelText(int type, double freqHz, double gainDb, double q);

// Pen colour of the curve: grey while the output page is shown in automatic mode.
constexpr uint32_t kCurveOrange = 0xFFFF6600;
constexpr uint32_t kCurveGrey = 0xFFACACAC;
constexpr uint32_t CurveColorFor(int currentSection, int manualMode) {
    return currentSection == SecOut && manualMode == 0 ? kCurveGrey : kCurveOrange;
}

} // namespace dsp
