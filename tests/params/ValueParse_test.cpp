#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "params/ValueParse.h"

using namespace dsp;

TEST(ValueParse, TypedNumberToRawValue) {
    struct Row {
        int code;
        double typed;
        double raw;
    } rows[] = {
        // Frequencies: nearest entry, ties to the lower index, top clamps to 360.
        {2, 1000, 204},
        {2, 1010, 204},
        {2, 1011, 205},
        {2, 19.9, 0}, // midway between 19.7 and 20.1
        {2, 19.91, 1},
        {2, 19.7, 0},
        {2, 5, 0},
        {2, -100, 0},
        {2, 19800, 359},
        {2, 19850, 360},
        {2, 25000, 360},
        // Gains: round((x + 24) * 5), unclamped here.
        {3, -30, -30},
        {3, 13, 185},
        {3, 0, 120},
        {27, 12, 180},
        {28, -12, 60},
        // Q: first entry not below the typed value; above 128.00 gives 101.
        {4, 1.5, 23},
        {4, 1.45, 23},
        {4, 0.1, 0},
        {4, 128, 100},
        {4, 200, 101},
        // Music gain: round((x + 10) * 2), ties to even.
        {5, 0, 20},
        {5, 0.25, 20},
        {5, 0.75, 22},
        // Effect send: round(x), ties to even.
        {29, 12.5, 12},
        {29, 13.5, 14},
        // Other codes keep the typed value.
        {8, 42.7, 42.7},
        {0, -3, -3},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ParseTypedValue(r.code, r.typed), r.raw)
            << "code " << r.code << " typed " << r.typed;
}

TEST(ValueParse, TextOfAnEdit) {
    struct Row {
        int code;
        const char* text;
        std::optional<double> raw;
    } rows[] = {
        {29, "abc", std::nullopt},
        {29, "", std::nullopt},
        {29, "12abc", 12},
        {3, "-30dB", -30},
        {3, "13", 185},
        {2, "1,000Hz", 204}, // the comma is filtered away
        {2, "1000Hz", 204},
        {29, "12.", 12},
        {5, ".5", 21},
        {5, "-.5", 19},
        {29, "-", std::nullopt},
        {29, ".", std::nullopt},
        {29, "1.2.3", std::nullopt},
        {29, "1-2", std::nullopt},
        {29, "--1", std::nullopt},
        {29, "q 7 r", 7},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ParseTypedText(r.code, r.text), r.raw) << "'" << r.text << "'";
}

// Numbers beyond a double are refused rather than read as infinity; long ones are rounded.
TEST(ValueParse, NumberOutOfRange) {
    EXPECT_EQ(ParseNumber("1" + std::string(400, '0')), std::nullopt);
    EXPECT_EQ(ParseNumber("-1" + std::string(400, '0')), std::nullopt);
    EXPECT_EQ(ParseNumber("0." + std::string(30, '0') + "1"), 1e-31);
    EXPECT_EQ(ParseNumber("20.1"), 20.1);
}

TEST(ValueParse, NumberFilterKeepsOnlyNumberCharacters) {
    EXPECT_EQ(FilterNumber("-12.5dB"), "-12.5");
    EXPECT_EQ(FilterNumber(" 1e3 "), "13");
    EXPECT_EQ(FilterNumber("\xe4\xb8\xad"
                           "42"),
              "42"); // UTF-8 bytes are dropped
    EXPECT_EQ(FilterNumber("Hz"), "");
}

TEST(ValueParse, KeyFilter) {
    struct Row {
        char32_t ch;
        KeyAction action;
    } rows[] = {
        {U'0', KeyAction::Accept},  {U'9', KeyAction::Accept},       {U'-', KeyAction::Accept},
        {U'.', KeyAction::Accept},  {U'\b', KeyAction::Accept},      {U'\r', KeyAction::Commit},
        {U'a', KeyAction::Discard}, {U',', KeyAction::Discard},      {U' ', KeyAction::Discard},
        {U'+', KeyAction::Discard}, {U'\u4e2d', KeyAction::Discard},
    };
    for (const Row& r : rows)
        EXPECT_EQ(FilterNumberKey(r.ch), r.action) << static_cast<unsigned>(r.ch);
}
