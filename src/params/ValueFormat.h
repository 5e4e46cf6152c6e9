#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "params/ParamTable.h"

namespace dsp {

// Value scales of the channel pages, chosen by a control's FormatCode (the number in its
// Hint): display text, range, steps. Texts always use "." as decimal separator and round
// half away from zero, whatever the locale.

// Step requests of spin buttons, arrow keys and the mouse wheel. Any other value acts as none.
constexpr int kStepNone = 0;
constexpr int kStepUp = 1;
constexpr int kStepDown = 11;

// Inclusive range of raw values of a FormatCode.
struct RawRange {
    int min;
    int max;
};

// Maximum boost and maximum cut of one auxiliary band (raw gain values, 120 = 0 dB).
struct AuxGainLimits {
    int maxBoost;
    int maxCut;
};

// Formats v with one decimal ("#0.0") or none ("#0"), half away from zero, "." separator.
std::string FormatFixed(double v, int decimals);

// Display text of value x (raw units) for a FormatCode, unit included; none for codes
// without a text (0, 1, 7, 13, 19, 20, unknown). Table indices are taken as trunc(x), held
// inside the table.
std::optional<std::string> FormatValue(int code, double x);

// Raw range of a FormatCode; for code 4 the band type decides (0-24 for LSEQ/HSEQ, else
// 0-100). None for codes that have no range.
std::optional<RawRange> RawRangeOf(int code, int bandType = 0);

// x held inside the FormatCode's range (unchanged for codes without a range).
double ClampRaw(int code, double x, int bandType = 0);

// True for the codes that step by keys and spin buttons (2, 3, 4, 5, 27, 28, 29).
bool CodeTakesSteps(int code);

// Signed change for a step request: +size for kStepUp, -size for kStepDown, else 0.
int StepDelta(int stepCode, int size = 1);

// Gain step on the auxiliary page: AUXGainBox item index + 1 (index held to 0-4).
int AuxGainStepSize(int auxGainIndex);

// Auxiliary gain d held to the band's limits: above the maximum boost gives the boost,
// else below the maximum cut gives the cut.
int LimitAuxGain(int d, AuxGainLimits limits);

// Limits of auxiliary band n (1-6) as stored in `view`.
AuxGainLimits AuxLimitsOf(const ParamTable& view, int n);

// Rounding to the nearest integer with ties to even (table indices and slider positions).
double RoundHalfEven(double x);

// trunc(x) as a raw value, saturated to the 32-bit range (NaN gives 0).
int32_t TruncToRaw(double x);

} // namespace dsp
