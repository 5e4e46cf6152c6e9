#pragma once

// One step of a point drag as a pure function: which way a point may move on a sheet, where the
// image goes, and the frequency and gain its new position stands for.

#include "eq/EqGraphGeometry.h"

namespace dsp {

// Sheets of the channel page control.
constexpr int kSheetMusic = 0;
constexpr int kSheetMic = 1;
constexpr int kSheetEffect = 2;
constexpr int kSheetOutput = 3;
constexpr int kSheetHint = 4;
constexpr int kSheetAux = 6;

constexpr double kDragMinHz = 19.5;
constexpr double kDragMaxHz = 20600;

enum class DragRule {
    Free,     // moves both ways
    Sideways, // frequency only (crossover markers)
    Fixed,    // does not move
    Blocked,  // EQ bypass is on: the drag does nothing
};
DragRule SheetDragRule(int sheet, int index, bool eqPassVisible);

struct DragInput {
    int index = 0; // point index 0-21
    int left = 0;  // current top-left of the point image in plot coordinates
    int top = 0;
    int size = 14; // point image height (and width)
    int dx = 0;    // mouse movement since the press, relative to the image
    int dy = 0;
    int plotLeft = 0; // Image1 left and width, for the low-pass marker's right limit
    int plotWidth = 0;
};

struct DragResult {
    bool moved = false; // false: the step was below the threshold or refused
    int left = 0;
    int top = 0;
    int freqHz = 0;
    double gainDb = 0;
};

DragResult DragStep(const PlotGeometry& plot, const DragMetrics& metrics, DragRule rule,
                    const DragInput& in);

} // namespace dsp
