#pragma once

#include <cstdint>

#include "eq/Complexs.h"
#include "eq/EqGeometry.h"

namespace dsp {

// One crossover section of a high-pass or low-pass shape.
enum class CrossoverSection {
    Flat,
    FirstOrder,
    SecondOrderQ0577, // second order, Q = 1/sqrt(3)
    SecondOrderQ0707, // second order, Q = 1/sqrt(2)
    Butterworth,      // one section (order, index) of a Butterworth cascade
};

// Magnitude curves in dB on the EQ grid. Each routine writes curve[0 .. EQGridSteps].Re and
// nothing else; Im is left alone. Frequencies of 10 Hz and below are placed at 10 Hz.

// One band or crossover of the EQ graph. typeCode: 0 bypass, 1 peaking, 2 low shelf,
// 3 high shelf, 4..99 as 0, 100 + shape a high-pass, 200 + shape a low-pass (shape = code mod
// 20, 0..12; a shape above 12 leaves the curve as it was). q is the shelf slope for shelves.
// highIndex is the caller's last index; the array must hold at least EQGridSteps + 1 cells.
void BandResponse(TComplex* curve, int highIndex, int freqHz, uint8_t typeCode, float q,
                  float gainDb);

void PeakResponse(TComplex* curve, int freqHz, float q, float gainDb);
void ShelfResponse(TComplex* curve, int freqHz, bool highShelf, float slope, float gainDb);
void HighPassResponse(TComplex* curve, int freqHz, CrossoverSection section, int order = 0,
                      int index = 0);
void LowPassResponse(TComplex* curve, int freqHz, CrossoverSection section, int order = 0,
                     int index = 0);

// The Q the graph draws for a Q-scale value: the five highest values of the scale are drawn
// lower (102 -> 98, 108 -> 100, 114 -> 101, 121 -> 102, 128 -> 103).
float AdjustedQ(float q);

// The grid position the middle of a band's prototype lands on.
int BandGridPosition(int freqHz);

// Squared-magnitude evaluation of a biquad with single-precision coefficients, in dB, at the
// prototype angle omega (exposed for tests).
struct Biquad {
    float b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
};
double BiquadNumerator(const Biquad& f, double omega);   // |B(e^{i omega})|^2
double BiquadDenominator(const Biquad& f, double omega); // |A(e^{i omega})|^2
double BiquadDb(const Biquad& f, double omega);

// Prototype coefficients with the corner at a quarter of the sampling rate.
Biquad PeakBiquad(float q, float gainDb);
Biquad ShelfBiquad(bool highShelf, float slope, float gainDb);
Biquad CrossoverBiquad(bool highPass, CrossoverSection section, int order, int index);

} // namespace dsp
