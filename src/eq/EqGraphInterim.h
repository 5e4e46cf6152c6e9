#pragma once

// INTERIM stand-ins used by the EQ graph until the shared pieces land:
//   - TComplex, EQGridSteps, EQAxisDecades, BandResponse  -> eq/BandResponse.h (filter math)
//   - FrequencyTable, QTable, frequency/gain parsing      -> params value scales
//   - DecodeBand                                          -> params section map
// Everything here lives in dsp::interim so it cannot collide with the shared definitions.
// To swap: delete this file and its .cpp, and point EqGraphShared.h at the shared headers.

#include <array>

#include "params/ParamTable.h"

namespace dsp::interim {

// Cell of a band curve: the response in dB at one grid position sits in Re.
struct TComplex {
    float Re = 0;
    float Im = 0;
};

constexpr int EQGridSteps = 462;
constexpr double EQAxisDecades = 3.380211241711606; // log10(2400)

// Fills curve[0 .. EQGridSteps].Re with the response of one band or crossover filter.
void BandResponse(TComplex* curve, int highIndex, int freqHz, int typeCode, float q, float gainDb);

// The 361 frequency steps (Hz) and the 101 Q steps of the value scales.
extern const std::array<double, 361> FrequencyTable;
extern const std::array<double, 101> QTable;

// Raw frequency index for a frequency in Hz: the nearest step, ties to the lower index.
int ParseFrequency(double hz);
// Raw gain value for a gain in dB: round((dB + 24) * 5), ties to even.
int ParseGain(double db);

// EQ band and offset of an address, encoded offset + band * 256; offset 255 when not EQ.
int DecodeBand(Address a);

} // namespace dsp::interim
