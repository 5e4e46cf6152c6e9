#pragma once

// The one place where the EQ graph reaches the filter math, the pixel mappings, the value
// scales and the band decode. Today it points at the interim copies in EqGraphInterim.h; when
// the shared headers land only this file changes.

#include <algorithm>
#include <cmath>

#include "eq/EqGraphInterim.h"
#include "params/SectionMap.h"

namespace dsp {

using EqCell = interim::TComplex;
constexpr int EQGridSteps = interim::EQGridSteps;
constexpr double EQAxisDecades = interim::EQAxisDecades;

namespace eqmap {

// INTERIM copies of FreqToX / XToFreq / DbToY / YToDb (eq/EqGeometry.h); +12 dB at the top,
// -24 dB at the bottom row, 10 Hz at x 0 and 24 000 Hz at the right edge.
inline double FreqToX(double f, double xScale) {
    return (std::log10(f) - 1.0) / EQAxisDecades * EQGridSteps * xScale;
}
inline double XToFreq(double x, double xScale) {
    return std::pow(10.0, x * EQAxisDecades / (EQGridSteps * xScale) + 1.0);
}
inline double DbToY(double d, int height) {
    return (12.0 - d) / 36.0 * (height - 1);
}
inline double YToDb(double y, int height) {
    return 12.0 - y / (height - 1) * 36.0;
}

} // namespace eqmap

inline void EqBandResponse(EqCell* curve, int highIndex, int freqHz, int typeCode, float q,
                           float gainDb) {
    interim::BandResponse(curve, highIndex, freqHz, typeCode, q, gainDb);
}

// Table lookups clamp the raw index so that a stray stored value never reads past the table.
inline double FrequencyAt(int index) {
    return interim::FrequencyTable[std::clamp(index, 0, 360)];
}
inline double QAt(int index) {
    return interim::QTable[std::clamp(index, 0, 100)];
}
inline int ParseFrequencyIndex(double hz) {
    return interim::ParseFrequency(hz);
}
inline int ParseGainIndex(double db) {
    return interim::ParseGain(db);
}

constexpr int kNotEqOffset = 255;
inline int EqDecodeBand(Address a) {
    return interim::DecodeBand(a);
}

} // namespace dsp
