#include "params/ValueFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "params/ScaleTables.h"
#include "params/SectionMap.h"
#include "params/SlotLayout.h"

namespace dsp {

namespace {

// Entry of a text table at trunc(x), the index held inside the table.
template <typename Table> std::string_view TableText(const Table& table, double x) {
    const int last = static_cast<int>(table.size()) - 1;
    return table[std::clamp(TruncToRaw(x), 0, last)];
}

std::string WithUnit(std::string_view text, std::string_view unit) {
    std::string s(text);
    s += unit;
    return s;
}

std::string Fixed(double v, int decimals, std::string_view unit) {
    return FormatFixed(v, decimals) + std::string(unit);
}

} // namespace

std::string FormatFixed(double v, int decimals) {
    const double scale = decimals > 0 ? 10.0 : 1.0;
    // std::round rounds half away from zero; hold the result inside a range to_chars can take.
    double scaled = std::round(v * scale);
    if (!std::isfinite(scaled))
        scaled = 0;
    scaled = std::clamp(scaled, -1e15, 1e15);
    const long long n = static_cast<long long>(scaled);
    const unsigned long long mag = n < 0 ? static_cast<unsigned long long>(-n) : n;
    const unsigned long long whole = decimals > 0 ? mag / 10 : mag;

    char buf[32];
    char* p = buf;
    if (n < 0)
        *p++ = '-'; // a value that rounds to zero shows no sign
    p = std::to_chars(p, buf + sizeof buf, whole).ptr;
    if (decimals > 0) {
        *p++ = '.';
        *p++ = static_cast<char>('0' + mag % 10);
    }
    return std::string(buf, p);
}

std::optional<std::string> FormatValue(int code, double x) {
    switch (code) {
    case 2:
    case 6:
        return WithUnit(TableText(FrequencyTexts, x), "Hz");
    case 3:
    case 27:
    case 28:
        return Fixed(x / 5 - 24, 1, "dB");
    case 4:
        return std::string(TableText(QTexts, x));
    case 5:
        return Fixed(x / 2 - 10, 1, "dB");
    case 8:
    case 9:
        return Fixed(x, 0, "%");
    case 10:
        return Fixed(x - 50, 0, "%");
    case 11:
        return Fixed(x * 2, 0, "ms");
    case 12:
        return Fixed(x * 62.5, 0, "ms");
    case 14:
        return Fixed(x - 20, 0, "dBu");
    case 15:
        return std::string(TableText(RatioTexts, x));
    case 16:
        return std::string(TableText(ReleaseTexts, x));
    case 17:
        return WithUnit(TableText(AttackTexts, x), "ms");
    case 18:
        return Fixed(x / 10, 1, "ms");
    case 21:
        return Fixed(x - 7, 0, "");
    case 22:
        return Fixed(x / 2 - 10, 0, "dB");
    case 23:
    case 29:
        return Fixed(x, 0, "");
    case 24:
        return Fixed(x - 90, 0, "dB");
    case 25:
        return Fixed(x - 34, 0, "dB");
    case 26:
        return Fixed(x, 0, "ms");
    default:
        return std::nullopt;
    }
}

std::optional<RawRange> RawRangeOf(int code, int bandType) {
    switch (code) {
    case 2:
    case 6:
        return RawRange{0, kFrequencyCount - 1};
    case 3:
        return RawRange{0, 180};
    case 4:
        return RawRange{0, IsShelfType(bandType) ? 24 : kQCount - 1};
    case 5:
    case 22:
        return RawRange{0, 40};
    case 8:
    case 10:
    case 29:
        return RawRange{0, 100};
    case 9:
        return RawRange{0, 200};
    case 11:
    case 26:
        return RawRange{0, 250};
    case 12:
        return RawRange{0, 80};
    case 14:
    case 25:
        return RawRange{0, 34};
    case 15:
        return RawRange{0, kRatioCount - 1};
    case 16:
        return RawRange{0, kReleaseCount - 1};
    case 17:
        return RawRange{0, kAttackCount - 1};
    case 18:
        return RawRange{0, 1000};
    case 21:
        return RawRange{0, 14};
    case 23:
        return RawRange{0, 4};
    case 24:
        return RawRange{0, 60};
    case 27:
        return RawRange{120, 180};
    case 28:
        return RawRange{60, 120};
    default:
        return std::nullopt;
    }
}

double ClampRaw(int code, double x, int bandType) {
    const std::optional<RawRange> r = RawRangeOf(code, bandType);
    if (!r)
        return x;
    if (std::isnan(x))
        return r->min;
    return std::clamp(x, static_cast<double>(r->min), static_cast<double>(r->max));
}

bool CodeTakesSteps(int code) {
    switch (code) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 27:
    case 28:
    case 29:
        return true;
    default:
        return false;
    }
}

int StepDelta(int stepCode, int size) {
    if (stepCode == kStepUp)
        return size;
    if (stepCode == kStepDown)
        return -size;
    return 0;
}

int AuxGainStepSize(int auxGainIndex) {
    return std::clamp(auxGainIndex, 0, 4) + 1;
}

int LimitAuxGain(int d, AuxGainLimits limits) {
    if (d > limits.maxBoost)
        return limits.maxBoost;
    if (d < limits.maxCut)
        return limits.maxCut;
    return d;
}

AuxGainLimits AuxLimitsOf(const ParamTable& view, int n) {
    return {view.At(SecAux, AuxMaxBoostSlot(n)), view.At(SecAux, AuxMaxCutSlot(n))};
}

double RoundHalfEven(double x) {
    const double r = std::round(x);
    if (std::fabs(x - std::trunc(x)) == 0.5)
        return 2.0 * std::round(x / 2.0);
    return r;
}

int32_t TruncToRaw(double x) {
    if (std::isnan(x))
        return 0;
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(std::trunc(x), lo, hi));
}

} // namespace dsp
