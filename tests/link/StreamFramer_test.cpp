#include "link/StreamFramer.h"

#include <gtest/gtest.h>

#include "link/FrameParser.h"
#include "link/Frames.h"
#include "tests/link/LinkFixture.h"

namespace dsp::test {
namespace {

const Bytes kFrameA = BuildPacketFrame(WRWrite, MakeAddress(3, 0), Bytes{0x01, 0x00});
const Bytes kFrameB = BuildPacketFrame(WRRead, MakeAddress(4, 2), Bytes{0x07, 0x00, 0x08, 0x00});
const Bytes kAck = {0xEE, 0xBB};

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes Part(const Bytes& b, size_t from, size_t n) {
    return Bytes(b.begin() + from, b.begin() + std::min(b.size(), from + n));
}

// Events rendered as "ack" or the frame's bytes in hex.
std::string Render(StreamFramer::Event e, std::span<const uint8_t> frame) {
    if (e == StreamFramer::Event::Ack)
        return "ack";
    std::string s;
    char buf[4];
    for (uint8_t b : frame) {
        snprintf(buf, sizeof buf, "%02X", b);
        s += buf;
    }
    return s;
}

std::string Hex(const Bytes& b) {
    return Render(StreamFramer::Event::Frame, b);
}

struct FramerCase {
    const char* name;
    std::vector<Bytes> reads;
    std::vector<std::string> events;
};

const FramerCase kFramerCases[] = {
    {"AckInOneRead", {kAck}, {"ack"}},
    {"AckSplitAcrossReads", {{0xEE}, {0xBB}}, {"ack"}},
    {"AckCodesAlike", {{0xEE, 0xAA, 0xEE, 0xCC}}, {"ack", "ack"}},
    {"AckWrongCodeDropped", {{0xEE, 0x12}, kAck}, {"ack"}},
    {"FrameInOneRead", {kFrameA}, {Hex(kFrameA)}},
    {"BodyArrivingInPieces",
     {Part(kFrameB, 0, 2), Part(kFrameB, 2, 3), Part(kFrameB, 5, 1), Part(kFrameB, 6, 20)},
     {Hex(kFrameB)}},
    {"ByteByByte",
     [] {
         std::vector<Bytes> r;
         for (uint8_t b : kFrameB)
             r.push_back({b});
         return r;
     }(),
     {Hex(kFrameB)}},
    {"TwoFramesInOneRead", {Join({kFrameA, kFrameB})}, {Hex(kFrameA), Hex(kFrameB)}},
    {"FrameAckFrameInOneRead",
     {Join({kFrameA, kAck, kFrameB})},
     {Hex(kFrameA), "ack", Hex(kFrameB)}},
    {"LeadingNoiseSkipped", {Join({{0x00, 0x13, 0x2C}, kFrameA})}, {Hex(kFrameA)}},
    {"WrongSecondByteDropped", {{0xF5, 0x2D, 0x06, 0xB7}, kFrameA}, {Hex(kFrameA)}},
    {"UnknownModeByteDropped", {{0xF5, 0x2C, 0x06, 0xB5}, kFrameA}, {Hex(kFrameA)}},
    {"LengthZeroDropped", {{0xF5, 0x2C, 0x00, 0xB7}, kFrameA}, {Hex(kFrameA)}},
    {"LengthThreeDropped", {{0xF5, 0x2C, 0x03, 0xB0}, kFrameA}, {Hex(kFrameA)}},
    {"SmallestFrame", {{0xF5, 0x2C, 0x04, 0xB0, 0x1E, 0x03, 0xC6}}, {"F52C04B01E03C6"}},
};

class Framer : public ::testing::TestWithParam<FramerCase> {};

TEST_P(Framer, CutsTheStream) {
    StreamFramer framer;
    std::vector<std::string> events;
    for (const auto& read : GetParam().reads)
        framer.Feed(read, [&](auto e, auto frame) { events.push_back(Render(e, frame)); });
    EXPECT_EQ(events, GetParam().events);
    EXPECT_EQ(framer.RxState(), StreamFramer::Hunting);
}

INSTANTIATE_TEST_SUITE_P(StreamFramer, Framer, ::testing::ValuesIn(kFramerCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StreamFramer, HoldsAPartialBodyUntilItIsComplete) {
    StreamFramer framer;
    int frames = 0;
    auto sink = [&](auto, auto) { ++frames; };
    framer.Feed(Part(kFrameB, 0, kFrameB.size() - 1), sink);
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(framer.RxState(), StreamFramer::Body);
    framer.Feed(Part(kFrameB, kFrameB.size() - 1, 1), sink);
    EXPECT_EQ(frames, 1);
}

TEST(StreamFramer, ResetDropsAPartialMessage) {
    StreamFramer framer;
    std::vector<std::string> events;
    auto sink = [&](auto e, auto frame) { events.push_back(Render(e, frame)); };
    framer.Feed(Part(kFrameA, 0, 5), sink);
    framer.Reset();
    framer.Feed(kAck, sink);
    EXPECT_EQ(events, std::vector<std::string>{"ack"});
}

TEST(ComPortRxChar, AckAndFramesReachTheLinkState) {
    LinkFixture f;
    auto ctx = f.Ctx();
    ComPortRxChar(ctx, Bytes{0xEE});
    EXPECT_FALSE(f.vars.AckSeen);
    ComPortRxChar(ctx, Bytes{0xBB});
    EXPECT_TRUE(f.vars.AckSeen);
    EXPECT_TRUE(f.vars.LineFree);
    EXPECT_EQ(f.vars.StepState, 1);

    ComPortRxChar(ctx, kFrameB);
    EXPECT_EQ(f.vars.StepState, 2);
    EXPECT_EQ(f.store.DeviceTable.At(4, 2), 7);
    EXPECT_EQ(f.store.DeviceTable.At(4, 3), 8);
}

TEST(ComPortRxChar, BadChecksumSetsRetryFlagAndStillEndsTheMessage) {
    LinkFixture f;
    auto ctx = f.Ctx();
    Bytes bad = kFrameA;
    bad.back() ^= 0xFF;
    ComPortRxChar(ctx, bad);
    EXPECT_TRUE(f.vars.RetryFlag);
    EXPECT_EQ(f.vars.StepState, 2);
    EXPECT_EQ(f.store.DeviceTable.At(3, 0), 0);
    EXPECT_TRUE(f.observer.messages.empty());
}

TEST(ClientSocket1Read, ReassemblesFramesSplitOrJoinedAcrossReads) {
    LinkFixture f;
    f.ports.Transport = TransportKind::Tcp;
    auto ctx = f.Ctx();
    const Bytes joined = Join({kFrameA, kFrameB});
    ClientSocket1Read(ctx, Part(joined, 0, 4));
    ClientSocket1Read(ctx, Part(joined, 4, 100));
    EXPECT_EQ(f.store.DeviceTable.At(3, 0), 1);
    EXPECT_EQ(f.store.DeviceTable.At(4, 3), 8);
    EXPECT_FALSE(f.vars.RetryFlag);
}

TEST(ClientSocket1Read, StatusFrameCountsAsAnAnswerAsOnHid) {
    LinkFixture f;
    f.ports.Transport = TransportKind::Tcp;
    auto ctx = f.Ctx();
    ClientSocket1Read(ctx, BuildPacketFrame(WRWrite, MakeAddress(kStatusSection, 0), Bytes(13, 7)));
    EXPECT_EQ(f.vars.StepState, 1);
    EXPECT_TRUE(f.vars.LineFree);
    ComPortRxChar(ctx, BuildPacketFrame(WRWrite, MakeAddress(kStatusSection, 0), Bytes(13, 7)));
    EXPECT_EQ(f.vars.StepState, 2); // the serial framing marks every frame
}

TEST(ClientSocket1Read, IgnoredWhileAnotherTransportIsInUse) {
    LinkFixture f;
    f.ports.Transport = TransportKind::Serial;
    auto ctx = f.Ctx();
    ClientSocket1Read(ctx, kFrameA);
    ClientSocket1Read(ctx, kAck);
    EXPECT_EQ(f.store.DeviceTable.At(3, 0), 0);
    EXPECT_FALSE(f.vars.AckSeen);
}

} // namespace
} // namespace dsp::test
