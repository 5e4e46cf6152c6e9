#pragma once

// The one place where the EQ graph reaches the shared pieces it builds on: the filter math and
// the pixel mappings of the EQ grid, the value scales and the band decode. Everything is
// reached as eqshared::Name so that the graph's own code never changes when the sources behind
// these names do. The filter math and the mappings are still the interim copies of
// EqGraphInterim.h; once eq/EqGeometry.h and eq/FilterResponse.h are on main, this namespace
// becomes using-declarations of dsp::EQGridSteps, dsp::RoundPx, dsp::FreqToX, dsp::BandResponse …
// and EqGraphInterim.* go away.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "eq/EqGraphInterim.h"
#include "params/BandDecode.h"
#include "params/ScaleTables.h"
#include "params/ValueParse.h"

namespace dsp::eqshared {

// --- grid, mappings and filter math (interim) ---
using TComplex = interim::TComplex;
constexpr int EQGridSteps = interim::EQGridSteps;
constexpr double EQAxisDecades = interim::EQAxisDecades;
constexpr int EQTopDb = 12;
constexpr int EQBottomDb = -24;

// A pixel coordinate from a floating-point value: nearest, ties to even.
inline int RoundPx(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// 10 Hz -> 0, 24 000 Hz -> width (xScale = width / EQGridSteps).
inline double FreqToX(double f, double xScale) {
    return (std::log10(f) - 1.0) / EQAxisDecades * EQGridSteps * xScale;
}
inline double XToFreq(double x, double xScale) {
    return std::pow(10.0, x * EQAxisDecades / (EQGridSteps * xScale) + 1.0);
}
// +12 dB -> 0, -24 dB -> height - 1.
inline double DbToY(double d, int height) {
    return (EQTopDb - d) / (EQTopDb - EQBottomDb) * (height - 1);
}
inline double YToDb(double y, int height) {
    return EQTopDb - y / (height - 1) * (EQTopDb - EQBottomDb);
}

inline void BandResponse(TComplex* curve, int highIndex, int freqHz, int typeCode, float q,
                         float gainDb) {
    interim::BandResponse(curve, highIndex, freqHz, typeCode, q, gainDb);
}

// --- value scales and band decode (params) ---
// Table lookups hold the raw index inside the table, so a stray stored value never reads past
// its end.
inline double FrequencyAt(int index) {
    return FrequencyTable[size_t(std::clamp(index, 0, kFrequencyCount - 1))];
}
inline double QAt(int index) {
    return QTable[size_t(std::clamp(index, 0, kQCount - 1))];
}
// Raw values for a frequency in Hz and a gain in dB, as typed into the band's edits.
inline int FrequencyIndex(double hz) {
    return FrequencyIndexOf(hz);
}
inline int GainIndex(double db) {
    return static_cast<int>(ParseTypedValue(3, db));
}
inline int DecodeBand(Address a) {
    return dsp::DecodeBand(a);
}
inline bool IsEqDecode(int decoded) {
    return dsp::IsEqDecode(decoded);
}

} // namespace dsp::eqshared
