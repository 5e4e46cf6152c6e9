#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dsp {

// Reading numbers typed into the value edits back into raw values.

// Keeps only "-", "." and "0"-"9" of a text, in order ("12abc" gives "12").
std::string FilterNumber(std::string_view text);

// What an edit does with a typed character: keep it, commit the edit (Enter), or drop it.
enum class KeyAction { Accept, Commit, Discard };

// Key filter of the value edits: Backspace, "-", "." and digits are kept, Enter commits,
// every other character is discarded.
KeyAction FilterNumberKey(char32_t ch);

// The whole text as a decimal number with "." as separator ("12.", ".5", "-3" are numbers;
// "", "-", "1.2.3", "1-2" are not).
std::optional<double> ParseNumber(std::string_view text);

// Index (0-360) of the FrequencyTable entry nearest to hz; a tie goes to the lower index and
// anything above the entry at 359 (19800 Hz) gives 360.
int FrequencyIndexOf(double hz);

// First QTable index (0-100) whose Q is not below q; 101 when q is above the last entry.
int QIndexOf(double q);

// Raw value for a number typed in the unit a FormatCode shows; other codes return it as is.
double ParseTypedValue(int code, double typed);

// Filter, convert and parse an edit's text; none when no number is left in it.
std::optional<double> ParseTypedText(int code, std::string_view text);

} // namespace dsp
