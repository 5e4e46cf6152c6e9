#include "params/ValueParse.h"

#include <locale>
#include <sstream>
#include <string>

#include "params/ScaleTables.h"
#include "params/ValueFormat.h"

namespace dsp {

namespace {

// Typed values and table entries are decimal numbers; a difference this small is a tie.
constexpr double kTieTolerance = 1e-9;

bool IsNumberChar(char32_t c) {
    return c == '-' || c == '.' || (c >= '0' && c <= '9');
}

} // namespace

std::string FilterNumber(std::string_view text) {
    std::string out;
    for (char c : text)
        if (IsNumberChar(static_cast<unsigned char>(c)))
            out += c;
    return out;
}

KeyAction FilterNumberKey(char32_t ch) {
    if (ch == U'\r' || ch == U'\n')
        return KeyAction::Commit;
    if (ch == U'\b' || IsNumberChar(ch))
        return KeyAction::Accept;
    return KeyAction::Discard;
}

std::optional<double> ParseNumber(std::string_view text) {
    // Only an optional leading minus, digits and at most one point, with at least one digit.
    std::size_t digits = 0, points = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else if (!(c == '-' && i == 0))
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    // A stream in the classic locale reads "." as the decimal point whatever the user's locale,
    // and unlike floating-point from_chars it is in every standard library the tool builds with.
    std::istringstream in{std::string(text)};
    in.imbue(std::locale::classic());
    double v = 0;
    in >> v;
    if (in.fail() || in.peek() != std::char_traits<char>::eof())
        return std::nullopt;
    return v;
}

int FrequencyIndexOf(double hz) {
    constexpr int last = kFrequencyCount - 1;
    if (hz > FrequencyTable[last - 1])
        return last;
    int i = 0;
    while (i < last && FrequencyTable[i] < hz)
        ++i;
    if (i > 0 && hz - FrequencyTable[i - 1] <= FrequencyTable[i] - hz + kTieTolerance)
        return i - 1;
    return i;
}

int QIndexOf(double q) {
    for (int i = 0; i < kQCount; ++i)
        if (QTable[i] >= q)
            return i;
    return kQCount;
}

double ParseTypedValue(int code, double typed) {
    switch (code) {
    case 2:
        return FrequencyIndexOf(typed);
    case 3:
    case 27:
    case 28:
        return RoundHalfEven((typed + 24) * 5);
    case 4:
        return QIndexOf(typed);
    case 5:
        return RoundHalfEven((typed + 10) * 2);
    case 29:
        return RoundHalfEven(typed);
    default:
        return typed;
    }
}

std::optional<double> ParseTypedText(int code, std::string_view text) {
    const std::optional<double> number = ParseNumber(FilterNumber(text));
    if (!number)
        return std::nullopt;
    return ParseTypedValue(code, *number);
}

} // namespace dsp
