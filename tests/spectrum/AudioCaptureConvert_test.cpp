#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>
#include <ostream>
#include <set>
#include <tuple>
#include <vector>

#include "spectrum/AudioCaptureBlocks.h"
#include "spectrum/AudioCaptureConvert.h"

namespace dsp {
namespace {

using Kind = AudioCaptureSampleKind;

template <typename T> std::vector<std::uint8_t> Bytes(std::initializer_list<T> values) {
    std::vector<std::uint8_t> out(values.size() * sizeof(T));
    std::memcpy(out.data(), values.begin(), out.size());
    return out;
}

std::vector<std::uint8_t> Convert(AudioCaptureInputFormat format,
                                  const std::vector<std::uint8_t>& bytes) {
    AudioCaptureConverter converter(format);
    std::vector<std::uint8_t> out;
    converter.Convert(bytes, out);
    return out;
}

// Sign changes around the rest value 128 of an unsigned 8-bit stream.
int ZeroCrossings(const std::vector<std::uint8_t>& s) {
    int n = 0;
    for (std::size_t i = 1; i < s.size(); ++i) {
        n += (s[i - 1] < 128) != (s[i] < 128);
    }
    return n;
}

struct SampleCase {
    const char* name;
    AudioCaptureInputFormat format;
    std::vector<std::uint8_t> input;
    std::vector<std::uint8_t> expected;
};

// Names the case in test listings.
void PrintTo(const SampleCase& c, std::ostream* os) {
    *os << c.name;
}

class SampleMappingTest : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SampleMappingTest, MapsToUnsigned8BitMono) {
    const auto& c = GetParam();
    EXPECT_EQ(Convert(c.format, c.input), c.expected);
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Formats, SampleMappingTest,
    ::testing::Values(
        SampleCase{
            "UInt8PassesThrough", {Kind::UInt8, 1, 48000}, {0, 1, 128, 255}, {0, 1, 128, 255}},
        SampleCase{"Int16",
                   {Kind::Int16, 1, 48000},
                   Bytes<std::int16_t>({-32768, 0, 16384, -16384, 32767}),
                   {0, 128, 192, 64, 255}},
        SampleCase{"Int32",
                   {Kind::Int32, 1, 48000},
                   Bytes<std::int32_t>({std::numeric_limits<std::int32_t>::min(), 0, 1 << 30,
                                        std::numeric_limits<std::int32_t>::max()}),
                   {0, 128, 192, 255}},
        // Full scale +1 lies one step above 255 and out-of-range values are clipped, so a loud
        // input can never wrap round to the other end of the scale.
        SampleCase{"FloatClipsAndIgnoresNaN",
                   {Kind::Float, 1, 48000},
                   Bytes<float>({-1.0f, 0.0f, 0.5f, 1.0f, 3.0f, -3.0f, kNaN}),
                   {0, 128, 192, 255, 255, 0, 128}},
        SampleCase{"StereoIsAveraged",
                   {Kind::Int16, 2, 48000},
                   Bytes<std::int16_t>({16384, -16384, 32767, 32767, 16384, 0}),
                   {128, 255, 160}},
        SampleCase{
            "UInt8StereoIsAveraged", {Kind::UInt8, 2, 48000}, {0, 255, 192, 192}, {128, 192}},
        SampleCase{"PartialFrameWaits",
                   {Kind::Int16, 2, 48000},
                   Bytes<std::int16_t>({0, 0, 32767}),
                   {128}}),
    [](const auto& info) { return std::string(info.param.name); });

// A sine at `rate` as 32-bit floats, amplitude 0.5.
std::vector<std::uint8_t> FloatSine(double freq, int rate, int samples) {
    std::vector<float> s(samples);
    for (int i = 0; i < samples; ++i) {
        s[i] = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * freq * i / rate));
    }
    std::vector<std::uint8_t> out(s.size() * sizeof(float));
    std::memcpy(out.data(), s.data(), out.size());
    return out;
}

class ResampleTest : public ::testing::TestWithParam<int> {};

TEST_P(ResampleTest, KeepsPitchAndReaches48kHz) {
    const int rate = GetParam();
    const auto input = FloatSine(1000.0, rate, rate); // one second
    const auto out = Convert({Kind::Float, 1, rate}, input);

    // The output after the last input sample waits for the next one.
    EXPECT_NEAR(static_cast<double>(out.size()), SpectrumSampleRate,
                std::ceil(double(SpectrumSampleRate) / rate) + 1);
    // 1000 periods in the second: 2000 sign changes.
    EXPECT_NEAR(ZeroCrossings(out), 2000, 2);
    for (std::uint8_t v : out) {
        ASSERT_GE(v, 128 - 65);
        ASSERT_LE(v, 128 + 65);
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, ResampleTest, ::testing::Values(8000, 22050, 44100, 96000));

TEST(AudioCaptureConverter, PiecesGiveTheSameStreamAsOneCall) {
    // Stereo 16-bit at 44.1 kHz, cut at every possible place inside frames.
    const AudioCaptureInputFormat format{Kind::Int16, 2, 44100};
    std::vector<std::int16_t> frames;
    for (int i = 0; i < 4410; ++i) {
        const auto v = static_cast<std::int16_t>(20000 * std::sin(i * 0.05));
        frames.push_back(v);
        frames.push_back(static_cast<std::int16_t>(-v / 2));
    }
    std::vector<std::uint8_t> bytes(frames.size() * 2);
    std::memcpy(bytes.data(), frames.data(), bytes.size());
    const auto whole = Convert(format, bytes);

    AudioCaptureConverter converter(format);
    std::vector<std::uint8_t> pieces;
    std::size_t at = 0;
    for (std::size_t piece = 1; at < bytes.size(); piece = piece % 7 + 1) {
        const std::size_t n = std::min(piece, bytes.size() - at);
        converter.Convert(std::span(bytes).subspan(at, n), pieces);
        at += n;
    }
    EXPECT_EQ(pieces, whole);
}

TEST(AudioCaptureConverter, PassThroughOnlyForTheSpectrumFormat) {
    EXPECT_TRUE(AudioCaptureConverter({Kind::UInt8, 1, 48000}).IsPassThrough());
    EXPECT_FALSE(AudioCaptureConverter({Kind::UInt8, 2, 48000}).IsPassThrough());
    EXPECT_FALSE(AudioCaptureConverter({Kind::UInt8, 1, 44100}).IsPassThrough());
    EXPECT_FALSE(AudioCaptureConverter({Kind::Int16, 1, 48000}).IsPassThrough());
}

struct ChooseCase {
    const char* name;
    std::vector<AudioCaptureInputFormat> supported;
    AudioCaptureInputFormat preferred;
    AudioCaptureInputFormat expected;
};

// Names the case in test listings.
void PrintTo(const ChooseCase& c, std::ostream* os) {
    *os << c.name;
}

bool Same(const AudioCaptureInputFormat& a, const AudioCaptureInputFormat& b) {
    return std::tie(a.kind, a.channels, a.rate) == std::tie(b.kind, b.channels, b.rate);
}

class ChooseFormatTest : public ::testing::TestWithParam<ChooseCase> {};

TEST_P(ChooseFormatTest, PrefersTheSpectrumFormat) {
    const auto& c = GetParam();
    const auto chosen = ChooseCaptureFormat(
        [&](const AudioCaptureInputFormat& f) {
            for (const auto& s : c.supported) {
                if (Same(s, f)) {
                    return true;
                }
            }
            return false;
        },
        c.preferred);
    EXPECT_TRUE(Same(chosen, c.expected))
        << int(chosen.kind) << " " << chosen.channels << " " << chosen.rate;
}

INSTANTIATE_TEST_SUITE_P(
    Devices, ChooseFormatTest,
    ::testing::Values(
        ChooseCase{"TakesUInt8Mono48k",
                   {{Kind::Int16, 2, 44100}, {Kind::UInt8, 1, 48000}, {Kind::Int16, 1, 48000}},
                   {Kind::Int16, 2, 44100},
                   {Kind::UInt8, 1, 48000}},
        ChooseCase{"WiderSampleMono",
                   {{Kind::Float, 1, 48000}, {Kind::Int16, 1, 48000}},
                   {Kind::Float, 2, 48000},
                   {Kind::Int16, 1, 48000}},
        ChooseCase{"StereoOnly",
                   {{Kind::Int32, 2, 48000}, {Kind::Float, 2, 48000}},
                   {Kind::Int32, 2, 48000},
                   {Kind::Float, 2, 48000}},
        ChooseCase{"OwnRateOnly",
                   {{Kind::Int16, 2, 44100}},
                   {Kind::Int16, 2, 44100},
                   {Kind::Int16, 2, 44100}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace dsp
