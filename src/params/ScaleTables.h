#pragma once

#include <array>
#include <string_view>

namespace dsp {

// The fixed value tables behind the raw device values. Each table has its numbers (for the
// filter math and for parsing typed values) and its display texts, written exactly as shown.

constexpr int kFrequencyCount = 361; // indices 0-360, about 1/36 octave apart
constexpr int kQCount = 101;         // indices 0-100, about 1/12 octave apart
constexpr int kRatioCount = 41;      // limiter ratio, indices 0-40
constexpr int kReleaseCount = 8;     // limiter and noise-gate release, indices 0-7
constexpr int kAttackCount = 20;     // limiter and noise-gate attack, indices 0-19

// Centre/corner frequencies in Hz, 19.7 ... 20200.
extern const std::array<double, kFrequencyCount> FrequencyTable;
// Display texts of FrequencyTable: one decimal below 1000 Hz, none from 1000 Hz up (no unit).
extern const std::array<std::string_view, kFrequencyCount> FrequencyTexts;

// Q values, 0.40 ... 128.00.
extern const std::array<double, kQCount> QTable;
// Display texts of QTable, always two decimals.
extern const std::array<std::string_view, kQCount> QTexts;

// Limiter ratio texts (no unit), "1.0" ... "100".
extern const std::array<std::string_view, kRatioCount> RatioTexts;
// Release as a multiple of the attack time, "Atk x 2" ... "Atk x 32".
extern const std::array<std::string_view, kReleaseCount> ReleaseTexts;
// Attack times in ms without the unit, "0.5" ... "400".
extern const std::array<std::string_view, kAttackCount> AttackTexts;

} // namespace dsp
