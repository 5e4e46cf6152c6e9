#include <gtest/gtest.h>

#include "sim/DeviceFrames.h"

using namespace dsp::sim;
using Bytes = std::vector<uint8_t>;

namespace {

DeviceFrame Frame(uint8_t mode, int address, Bytes data) {
    return {mode, uint8_t(address >> 8), uint8_t(address & 0xFF), std::move(data)};
}

struct EncodeCase {
    DeviceFrame frame;
    Bytes wire;
};

} // namespace

TEST(DeviceFrames, EncodesAndDecodesKnownFrames) {
    const std::vector<EncodeCase> cases = {
        {Frame(kModeWrite, 0x1E30, {0x11, 0x00}),
         {0xF5, 0x2C, 0x06, 0xB7, 0x1E, 0x30, 0x11, 0x00, 0x0B}},
        {Frame(kModeRead, 0x1E10, {0x30, 0x00}),
         {0xF5, 0x2C, 0x06, 0xB0, 0x1E, 0x10, 0x30, 0x00, 0x03}},
        {Frame(kModeRead, 0x1E03, {}), {0xF5, 0x2C, 0x04, 0xB0, 0x1E, 0x03, 0xC6}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeFrame(c.frame), c.wire);
        auto back = DecodeFrame(c.wire);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, c.frame);
    }
}

TEST(DeviceFrames, RejectsDamagedFrames) {
    const Bytes good = {0xF5, 0x2C, 0x06, 0xB7, 0x1E, 0x30, 0x11, 0x00, 0x0B};
    struct Damage {
        size_t index;
        uint8_t value;
    };
    const Damage damages[] = {{8, 0x0C}, {1, 0x2D}, {3, 0xB5}, {2, 0x07}};
    for (const auto& d : damages) {
        Bytes bad = good;
        bad[d.index] = d.value;
        EXPECT_FALSE(DecodeFrame(bad).has_value()) << "byte " << d.index;
    }
    EXPECT_FALSE(DecodeFrame(Bytes(good.begin(), good.end() - 1)).has_value());
}

TEST(DeviceFrames, ReportDecodingSkipsReportIdAndPadding) {
    Bytes report(65, 0);
    const Bytes frame = {0xF5, 0x2C, 0x04, 0xB0, 0x1E, 0x03, 0xC6};
    std::copy(frame.begin(), frame.end(), report.begin() + 1);
    auto f = DecodeReport(report);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->Address(), 0x1E03);
    report[7] = 0xC7;
    EXPECT_FALSE(DecodeReport(report).has_value());
}

TEST(StreamDecoder, ReassemblesPiecesAndResynchronises) {
    const Bytes hello = {0xF5, 0x2C, 0x06, 0xB7, 0x1E, 0x30, 0x11, 0x00, 0x0B};
    const Bytes poll = {0xF5, 0x2C, 0x06, 0xB0, 0x1E, 0x10, 0x30, 0x00, 0x03};
    Bytes stream = {0x00, 0x13}; // line noise
    stream.insert(stream.end(), hello.begin(), hello.end());
    stream.insert(stream.end(), {0xF5, 0x2C, 0x06, 0xB7, 0x1E, 0x30, 0x11, 0x00, 0x0C}); // bad sum
    stream.insert(stream.end(), {0xF5, 0x11}); // a start byte with a wrong second byte
    stream.insert(stream.end(), poll.begin(), poll.end());

    for (size_t piece : {size_t(1), size_t(4), stream.size()}) {
        StreamDecoder d;
        std::vector<DeviceFrame> got;
        for (size_t pos = 0; pos < stream.size(); pos += piece) {
            auto part = std::span(stream).subspan(pos, std::min(piece, stream.size() - pos));
            for (auto& f : d.Feed(part))
                got.push_back(f);
        }
        ASSERT_EQ(got.size(), 2u) << "piece " << piece;
        EXPECT_EQ(got[0].Address(), 0x1E30);
        EXPECT_EQ(got[1].Address(), 0x1E10);
        EXPECT_EQ(d.Buffered(), 0u);
        EXPECT_GE(d.BadFrames(), 2);
    }
}
