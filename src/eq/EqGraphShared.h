#pragma once

// The one place where the EQ graph reaches the shared pieces it builds on: the grid and pixel
// mappings, the filter response math, the value scales and the band decode. The graph's code
// names them eqshared::Name, so a change behind any of them touches only this file.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "eq/Complexs.h"
#include "eq/EqGeometry.h"
#include "eq/FilterResponse.h"
#include "params/BandDecode.h"
#include "params/ScaleTables.h"
#include "params/ValueParse.h"

namespace dsp::eqshared {

// --- grid, pixel mappings and filter math (eq) ---
using dsp::DbToY;
using dsp::EQAxisDecades;
using dsp::EQBottomDb;
using dsp::EQGridSteps;
using dsp::EQTopDb;
using dsp::FreqToX;
using dsp::RoundPx;
using dsp::TComplex;
using dsp::XToFreq;
using dsp::YToDb;

// Type codes run 0-255 (100 + a high-pass shape, 200 + a low-pass shape).
inline void BandResponse(TComplex* curve, int highIndex, int freqHz, int typeCode, float q,
                         float gainDb) {
    dsp::BandResponse(curve, highIndex, freqHz, static_cast<uint8_t>(typeCode), q, gainDb);
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
