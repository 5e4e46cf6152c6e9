#pragma once

// INTERIM copy of the filter response math used by the EQ graph until eq/FilterResponse.h
// lands: TComplex, EQGridSteps, EQAxisDecades and BandResponse. Everything lives in
// dsp::interim so it cannot collide with the shared definitions; EqGraphShared.h is the only
// user. To swap: point EqGraphShared.h at the shared headers and delete this file and its .cpp.

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

} // namespace dsp::interim
