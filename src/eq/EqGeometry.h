#pragma once

namespace dsp {

// The EQ graph's frequency grid: positions 0 .. EQGridSteps on a logarithmic axis from 10 Hz
// (position 0) to 24 000 Hz (position EQGridSteps).
constexpr int EQGridSteps = 462;
constexpr double EQAxisDecades = 3.380211241711606; // log10(2400)

// The graph's dB range, top row to bottom row.
constexpr int EQTopDb = 12;
constexpr int EQBottomDb = -24;

// Grid position of a frequency (not rounded): (log10 f - 1) / EQAxisDecades * EQGridSteps.
double GridPosition(double freqHz);

// Frequency of a grid position: 10^(1 + p * EQAxisDecades / EQGridSteps).
double GridFrequency(double position);

// Pixel mappings of the plot. xScale is the plot width / EQGridSteps (1.0 until the grid is
// first drawn, see EqXScale); height is the plot height in pixels.
double EqXScale(int width);
double FreqToX(double freqHz, double xScale); // 10 Hz -> 0, 24 000 Hz -> width
double XToFreq(double x, double xScale);
double DbToY(double db, int height); // +12 dB -> 0, -24 dB -> height - 1
double YToDb(double y, int height);

// A pixel coordinate from a floating-point value: nearest, ties to even.
int RoundPx(double v);

} // namespace dsp
