#include <gtest/gtest.h>

#include <charconv>
#include <string>

#include "params/ScaleTables.h"

using namespace dsp;

namespace {

double Number(std::string_view text) {
    double v = -1;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

} // namespace

TEST(ScaleTables, FrequencyTextsMatchTheNumbersAndTheirDecimalRule) {
    for (int i = 0; i < kFrequencyCount; ++i) {
        const std::string_view t = FrequencyTexts[i];
        ASSERT_FALSE(t.empty()) << i;
        EXPECT_DOUBLE_EQ(Number(t), FrequencyTable[i]) << i;
        // One decimal below 1000 Hz, none from 1000 Hz up.
        const bool hasDecimal = t.find('.') != std::string_view::npos;
        EXPECT_EQ(hasDecimal, FrequencyTable[i] < 1000) << i << " " << t;
        if (hasDecimal) {
            EXPECT_EQ(t.size() - t.find('.'), 2u) << t;
        }
        if (i > 0) {
            EXPECT_LT(FrequencyTable[i - 1], FrequencyTable[i]) << i;
        }
    }
}

TEST(ScaleTables, QTextsHaveTwoDecimalsAndRise) {
    for (int i = 0; i < kQCount; ++i) {
        const std::string_view t = QTexts[i];
        ASSERT_GE(t.size(), 4u) << i;
        EXPECT_EQ(t[t.size() - 3], '.') << t;
        EXPECT_DOUBLE_EQ(Number(t), QTable[i]) << i;
        if (i > 0) {
            EXPECT_LT(QTable[i - 1], QTable[i]) << i;
        }
    }
}

TEST(ScaleTables, LandmarkEntries) {
    struct Row {
        std::string_view text, expected;
    };
    const Row rows[] = {
        {FrequencyTexts[0], "19.7"},
        {FrequencyTexts[84], "99.0"},
        {FrequencyTexts[203], "981.0"},
        {FrequencyTexts[204], "1000"},
        {FrequencyTexts[359], "19800"},
        {FrequencyTexts[360], "20200"},
        {QTexts[0], "0.40"},
        {QTexts[16], "1.00"},
        {QTexts[24], "1.60"},
        {QTexts[100], "128.00"},
        {RatioTexts[0], "1.0"},
        {RatioTexts[26], "11.4"},
        {RatioTexts[27], "12"},
        {RatioTexts[39], "30"},
        {RatioTexts[40], "100"},
        {ReleaseTexts[0], "Atk x 2"},
        {ReleaseTexts[7], "Atk x 32"},
        {AttackTexts[0], "0.5"},
        {AttackTexts[9], "11"},
        {AttackTexts[19], "400"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.text, r.expected);
    for (auto t : RatioTexts)
        EXPECT_FALSE(t.empty());
    for (auto t : AttackTexts)
        EXPECT_FALSE(t.empty());
}
