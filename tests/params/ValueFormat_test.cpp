#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <optional>
#include <string>

#include "params/SectionMap.h"
#include "params/ValueFormat.h"
#include "params/ValueParse.h"

using namespace dsp;

namespace {

struct FormatCase {
    int code;
    double raw;
    const char* text; // nullptr: the code shows no text
};

const FormatCase kFormatCases[] = {
    // EQ frequency edits and filter panes: FrequencyTable + "Hz".
    {2, 0, "19.7Hz"},
    {2, 204, "1000Hz"},
    {2, 360, "20200Hz"},
    {6, 203, "981.0Hz"},
    {6, 360, "20200Hz"},
    // EQ gain and the aux limits: r / 5 - 24, "#0.0".
    {3, 0, "-24.0dB"},
    {3, 1, "-23.8dB"},
    {3, 120, "0.0dB"},
    {3, 121, "0.2dB"},
    {3, 180, "12.0dB"},
    {27, 120, "0.0dB"},
    {27, 180, "12.0dB"},
    {28, 60, "-12.0dB"},
    // Q: QTable text, no unit.
    {4, 0, "0.40"},
    {4, 24, "1.60"},
    {4, 100, "128.00"},
    // Music input gain: r / 2 - 10, "#0.0".
    {5, 0, "-10.0dB"},
    {5, 1, "-9.5dB"},
    {5, 20, "0.0dB"},
    {5, 40, "10.0dB"},
    // Levels and times.
    {8, 100, "100%"},
    {9, 200, "200%"},
    {10, 0, "-50%"},
    {10, 100, "50%"},
    {11, 100, "200ms"},
    {11, 250, "500ms"},
    {12, 1, "63ms"}, // 62.5 rounds away from zero
    {12, 3, "188ms"},
    {12, 80, "5000ms"},
    {14, 0, "-20dBu"},
    {14, 34, "14dBu"},
    {15, 0, "1.0"},
    {15, 40, "100"},
    {16, 0, "Atk x 2"},
    {16, 7, "Atk x 32"},
    {17, 0, "0.5ms"},
    {17, 19, "400ms"},
    {18, 0, "0.0ms"},
    {18, 5, "0.5ms"},
    {18, 1000, "100.0ms"},
    {21, 0, "-7"},
    {21, 7, "0"},
    {21, 14, "7"},
    // Microphone gain: halves round away from zero on both sides of 0 dB.
    {22, 1, "-10dB"},
    {22, 19, "-1dB"},
    {22, 21, "1dB"},
    {22, 40, "10dB"},
    {23, 4, "4"},
    {24, 0, "-90dB"},
    {24, 60, "-30dB"},
    {25, 0, "-34dB"},
    {26, 250, "250ms"},
    {29, 100, "100"},
    // Codes without a text.
    {0, 5, nullptr},
    {1, 5, nullptr},
    {7, 5, nullptr},
    {13, 5, nullptr},
    {19, 5, nullptr},
    {20, 1, nullptr},
    {99, 5, nullptr},
};

} // namespace

TEST(ValueFormat, TextOfEveryCode) {
    for (const FormatCase& c : kFormatCases) {
        const std::optional<std::string> text = FormatValue(c.code, c.raw);
        if (c.text == nullptr) {
            EXPECT_FALSE(text) << "code " << c.code;
        } else {
            EXPECT_EQ(text.value_or("<none>"), c.text) << "code " << c.code << " raw " << c.raw;
        }
    }
}

TEST(ValueFormat, TableLookupsStayInsideTheTable) {
    EXPECT_EQ(FormatValue(2, 400), "20200Hz");
    EXPECT_EQ(FormatValue(2, -3), "19.7Hz");
    EXPECT_EQ(FormatValue(4, 101), "128.00");
    EXPECT_EQ(FormatValue(16, 8), "Atk x 32");
    EXPECT_EQ(FormatValue(2, 204.9), "1000Hz"); // index is trunc(x)
}

TEST(ValueFormat, FixedPatternsRoundHalfAwayFromZero) {
    struct Row {
        double v;
        int decimals;
        const char* text;
    } rows[] = {
        {2.5, 0, "3"},           {-2.5, 0, "-3"},     {0.4, 0, "0"},    {-0.4, 0, "0"},
        {1.25, 1, "1.3"},        {-1.25, 1, "-1.3"},  {0.05, 1, "0.1"}, {-0.04, 1, "0.0"},
        {12345.0, 1, "12345.0"}, {-24.0, 1, "-24.0"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(FormatFixed(r.v, r.decimals), r.text) << r.v;
}

namespace {

// A number format with a decimal comma, as many user locales have.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

} // namespace

TEST(ValueFormat, DecimalPointIgnoresTheLocale) {
    const std::locale previousLocale =
        std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    // Also switch the C library to a decimal-comma locale where one is installed.
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        std::setlocale(LC_ALL, "fr_FR.UTF-8");
    const auto gain = FormatValue(3, 121);
    const auto delay = FormatValue(18, 5);
    const auto typed = ParseTypedText(5, "0.5");
    std::setlocale(LC_ALL, previousC.c_str());
    std::locale::global(previousLocale);
    EXPECT_EQ(gain, "0.2dB");
    EXPECT_EQ(delay, "0.5ms");
    EXPECT_EQ(typed, 21);
}

TEST(ValueFormat, ClampRanges) {
    struct Row {
        int code;
        double x;
        int bandType;
        double expected;
    } rows[] = {
        {2, -5, 0, 0},     {2, 400, 0, 360},  {3, -30, 0, 0},     {3, 185, 0, 180},
        {4, 50, PEQ, 50},  {4, 50, LSEQ, 24}, {4, 150, HSEQ, 24}, {4, 150, BYPSS, 100},
        {5, 41, 0, 40},    {9, 250, 0, 200},  {12, 81, 0, 80},    {18, 1001, 0, 1000},
        {27, 100, 0, 120}, {27, 190, 0, 180}, {28, 50, 0, 60},    {28, 130, 0, 120},
        {29, -1, 0, 0},    {29, 101, 0, 100}, {7, 1234, 0, 1234}, {1, -7, 0, -7},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ClampRaw(r.code, r.x, r.bandType), r.expected) << "code " << r.code;
}

TEST(ValueFormat, OnlyStepCodesOneAndElevenStep) {
    struct Row {
        int stepCode, size, delta;
    } rows[] = {
        {kStepUp, 1, 1}, {kStepDown, 1, -1}, {kStepNone, 1, 0}, {kStepUp, 3, 3}, {kStepDown, 3, -3},
        {2, 1, 0},       {10, 1, 0},         {-1, 1, 0},        {12, 1, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(StepDelta(r.stepCode, r.size), r.delta) << r.stepCode;
    for (int code : {2, 3, 4, 5, 27, 28, 29})
        EXPECT_TRUE(CodeTakesSteps(code)) << code;
    for (int code : {0, 1, 6, 8, 12, 18, 26})
        EXPECT_FALSE(CodeTakesSteps(code)) << code;
}

TEST(ValueFormat, AuxiliaryGainStepAndLimits) {
    EXPECT_EQ(AuxGainStepSize(0), 1);
    EXPECT_EQ(AuxGainStepSize(2), 3); // item "0.6"
    EXPECT_EQ(AuxGainStepSize(4), 5);
    EXPECT_EQ(AuxGainStepSize(-1), 1); // no item selected: smallest step
    const AuxGainLimits limits{150, 90};
    EXPECT_EQ(LimitAuxGain(151, limits), 150);
    EXPECT_EQ(LimitAuxGain(89, limits), 90);
    EXPECT_EQ(LimitAuxGain(120, limits), 120);
    // Crossed limits: the boost test comes first.
    EXPECT_EQ(LimitAuxGain(120, AuxGainLimits{0, 0}), 0);
}

TEST(ValueFormat, RoundingHelpers) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(TruncToRaw(-2.7), -2);
    EXPECT_EQ(TruncToRaw(1e30), 2147483647);
    EXPECT_EQ(TruncToRaw(-1e30), -2147483647 - 1);
}
