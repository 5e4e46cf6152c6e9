#include <gtest/gtest.h>

#include "params/SectionMap.h"
#include "sim/FakeDeviceTransport.h"

using namespace dsp;
using namespace dsp::sim;
using Bytes = std::vector<uint8_t>;

namespace {

const Bytes kHello = {0xF5, 0x2C, 0x06, 0xB7, 0x1E, 0x30, 0x11, 0x00, 0x0B};
const Bytes kPoll = {0xF5, 0x2C, 0x06, 0xB0, 0x1E, 0x10, 0x30, 0x00, 0x03};
const Bytes kAck = {0xEE, 0xAA};

Bytes SectionRead(int section, int first) {
    return EncodeFrame({kModeRead, 0x1E, 0x10, {uint8_t(section), uint8_t(first)}});
}

Bytes Report(const Bytes& frame) {
    Bytes r(65, 0);
    std::copy(frame.begin(), frame.end(), r.begin() + 1);
    return r;
}

// Sends `count` hellos one by one and returns every chunk the endpoint gave back.
std::vector<Chunk> HelloRun(SimEndpoint& ep, int count, bool* closed = nullptr) {
    std::vector<Chunk> all;
    for (int i = 0; i < count; ++i) {
        EndpointOutput out = ep.FeedBytes(kHello);
        all.insert(all.end(), out.chunks.begin(), out.chunks.end());
        if (closed)
            *closed = out.close;
    }
    return all;
}

} // namespace

TEST(SimEndpoint, StreamAnswersFramesSplitAcrossFeeds) {
    DeviceModel m;
    SimEndpoint ep(m, TransportKind::Serial);
    Bytes twice = kHello;
    twice.insert(twice.end(), kPoll.begin(), kPoll.end());
    EXPECT_TRUE(ep.FeedBytes(std::span(twice).first(5)).chunks.empty());
    EndpointOutput out = ep.FeedBytes(std::span(twice).subspan(5));
    ASSERT_EQ(out.chunks.size(), 2u);
    EXPECT_EQ(out.chunks[0].bytes, kAck);
    EXPECT_EQ(out.chunks[1].bytes[4], 48);
    EXPECT_EQ(ep.FramesReceived(), 2);
}

TEST(SimEndpoint, HidAnswersWith64ByteReports) {
    DeviceModel m;
    SimEndpoint ep(m, TransportKind::UsbHid);
    EndpointOutput out = ep.FeedReport(Report(SectionRead(1, 25)));
    ASSERT_EQ(out.chunks.size(), 1u);
    const Bytes& r = out.chunks[0].bytes;
    ASSERT_EQ(r.size(), 64u);
    EXPECT_EQ(r[2], 4 + 50); // 25 values
    EXPECT_EQ(r[5], 25);
    EXPECT_TRUE(DecodeFrame(std::span(r).first(57)).has_value());
    EXPECT_TRUE(std::all_of(r.begin() + 57, r.end(), [](uint8_t b) { return b == 0; }));
    // A report whose frame fails its checksum is not answered.
    Bytes bad = Report(kHello);
    bad[9] ^= 1;
    EXPECT_TRUE(ep.FeedReport(bad).chunks.empty());
    EXPECT_EQ(ep.BadFrames(), 1);
}

TEST(SimEndpoint, FaultSwitches) {
    struct Case {
        const char* what;
        FaultConfig faults;
        int hellos;
        std::vector<Bytes> expected;
    };
    const Bytes two = {0xEE, 0xAA, 0xEE, 0xAA};
    const Case cases[] = {
        {"drop every 2nd", {.dropEvery = 2}, 4, {kAck, kAck}},
        {"split into single bytes", {.splitSize = 1}, 1, {{0xEE}, {0xAA}}},
        {"join pairs", {.join = true}, 3, {two}},
        {"silent after 2", {.silentAfter = 2}, 4, {kAck, kAck}},
        {"close after 1", {.closeAfter = 1}, 3, {kAck}},
    };
    for (const auto& c : cases) {
        DeviceModel m;
        SimEndpoint ep(m, TransportKind::Tcp, c.faults);
        std::vector<Bytes> got;
        for (const Chunk& ch : HelloRun(ep, c.hellos))
            got.push_back(ch.bytes);
        EXPECT_EQ(got, c.expected) << c.what;
    }
}

TEST(SimEndpoint, CorruptAndDelayAffectFramesOnly) {
    DeviceModel m;
    SimEndpoint ep(m, TransportKind::Serial, {.corruptEvery = 2, .delayMs = 40});
    std::vector<Chunk> got;
    for (const Bytes& req : {kPoll, kHello, kPoll, kPoll}) {
        auto out = ep.FeedBytes(req);
        got.insert(got.end(), out.chunks.begin(), out.chunks.end());
    }
    ASSERT_EQ(got.size(), 4u);
    EXPECT_TRUE(DecodeFrame(got[0].bytes).has_value());
    EXPECT_EQ(got[1].bytes, kAck);
    EXPECT_FALSE(DecodeFrame(got[2].bytes).has_value()) << "second frame is corrupted";
    EXPECT_TRUE(DecodeFrame(got[3].bytes).has_value());
    for (const Chunk& c : got)
        EXPECT_EQ(c.delayMs, 40);
    bool closed = false;
    SimEndpoint closing(m, TransportKind::Tcp, {.closeAfter = 2});
    HelloRun(closing, 2, &closed);
    EXPECT_TRUE(closed);
}

TEST(FakeDeviceTransport, QueuesAnswersUntilPumped) {
    DeviceModel m;
    FakeDeviceTransport t(m, TransportKind::Tcp, {.delayMs = 100});
    std::vector<Bytes> got;
    t.SetReceiver([&](std::span<const uint8_t> b) { got.emplace_back(b.begin(), b.end()); });
    t.Send(kHello);
    EXPECT_EQ(t.Pending(), 1u);
    EXPECT_EQ(t.Pump(), 0);
    EXPECT_EQ(t.Advance(99), 0);
    EXPECT_EQ(t.Advance(1), 1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], kAck);
    EXPECT_EQ(t.Sent().size(), 1u);
    EXPECT_TRUE(m.SessionOpen());
}

TEST(FakeDeviceTransport, HidReadsASectionInPackets) {
    DeviceModel m;
    FakeDeviceTransport t(m, TransportKind::UsbHid);
    ASSERT_EQ(t.OutputReportLength(), 65u);
    // The receiver asks for the next packet as each one arrives, as the link machine does.
    std::vector<int> firsts;
    t.SetReceiver([&](std::span<const uint8_t> r) {
        ASSERT_EQ(r.size(), 64u);
        firsts.push_back(r[5]);
        const int next = r[5] + 25;
        if (next < SlotCount[SecMic1])
            t.Send(Report(SectionRead(SecMic1, next)));
    });
    t.Send(Report(SectionRead(SecMic1, 0)));
    t.PumpAll();
    EXPECT_EQ(firsts, (std::vector<int>{0, 25, 50, 75, 100}));
}

TEST(FakeDeviceTransport, ClosedLinkDropsWrites) {
    DeviceModel m;
    FakeDeviceTransport t(m, TransportKind::Serial, {.closeAfter = 1});
    t.Send(kHello);
    EXPECT_FALSE(t.Ready());
    t.Send(kPoll);
    EXPECT_EQ(t.Sent().size(), 1u);
    EXPECT_EQ(t.PumpAll(), 1);
    t.SetConnected(true);
    EXPECT_TRUE(t.Ready());
}
