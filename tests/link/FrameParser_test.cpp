#include "link/FrameParser.h"

#include <algorithm>
#include <cstddef>

#include <gtest/gtest.h>

#include "link/Frames.h"
#include "params/SectionMap.h"
#include "tests/link/LinkFixture.h"

namespace dsp::test {
namespace {

// A frame as the device sends it.
Bytes DeviceFrame(int section, int slot, const Bytes& data) {
    return BuildPacketFrame(WRWrite, MakeAddress(section, slot), data);
}

Bytes Values(std::initializer_list<int> values) {
    Bytes b;
    for (int v : values) {
        b.push_back(static_cast<uint8_t>(v & 0xFF));
        b.push_back(static_cast<uint8_t>(v >> 8));
    }
    return b;
}

Bytes StatusFrame(uint8_t pitch) {
    Bytes data(13, 0); // byte 18 of the frame is data byte 12
    data[12] = pitch;
    return DeviceFrame(kStatusSection, 0, data);
}

class ParseFrameTest : public ::testing::Test, public LinkFixture {
protected:
    ParseResult Parse(const Bytes& m, TransportKind kind = TransportKind::Tcp) {
        auto ctx = Ctx();
        return ParseFrame(ctx, kind, m);
    }
};

TEST_F(ParseFrameTest, SectionDataStoresValuesLowByteFirst) {
    EXPECT_EQ(Parse(DeviceFrame(3, 10, Values({300, 7, 65535}))), ParseResult::Frame);
    EXPECT_EQ(store.DeviceTable.At(3, 10), 300);
    EXPECT_EQ(store.DeviceTable.At(3, 11), 7);
    EXPECT_EQ(store.DeviceTable.At(3, 12), 65535);
    EXPECT_EQ(vars.StepState, 2);
}

TEST_F(ParseFrameTest, OddDataCountIgnoresTheTrailingByte) {
    store.DeviceTable.At(3, 12) = 99;
    Bytes data = Values({1, 2});
    data.push_back(0x55);
    Parse(DeviceFrame(3, 10, data));
    EXPECT_EQ(store.DeviceTable.At(3, 10), 1);
    EXPECT_EQ(store.DeviceTable.At(3, 11), 2);
    EXPECT_EQ(store.DeviceTable.At(3, 12), 99);
}

TEST_F(ParseFrameTest, ValuesPastSlot164AreDroppedNotWrittenIntoTheNextSection) {
    Parse(DeviceFrame(2, 163, Values({5, 6, 7, 8})));
    EXPECT_EQ(store.DeviceTable.At(2, 163), 5);
    EXPECT_EQ(store.DeviceTable.At(2, 164), 6);
    EXPECT_EQ(store.DeviceTable.At(3, 0), 0);
    EXPECT_EQ(store.DeviceTable.At(3, 1), 0);

    Parse(DeviceFrame(29, 200, Values({5})));
    EXPECT_EQ(store.DeviceTable.At(30, 35), 0);
}

TEST_F(ParseFrameTest, StatusFrameMarksTheLineFreeAndShowsOnlyAChangedPitch) {
    store.DeviceTable.At(SecMusic, 6) = 7;
    EXPECT_EQ(Parse(StatusFrame(7)), ParseResult::Frame);
    EXPECT_TRUE(vars.AckSeen);
    EXPECT_TRUE(vars.LineFree);
    EXPECT_EQ(vars.StepState, 1);
    EXPECT_TRUE(observer.pitches.empty());

    Parse(StatusFrame(9));
    EXPECT_EQ(store.DeviceTable.At(SecMusic, 6), 9);
    EXPECT_EQ(observer.pitches, std::vector<int>{9});
}

TEST_F(ParseFrameTest, ShortStatusFrameAnswersButLeavesThePitch) {
    store.DeviceTable.At(SecMusic, 6) = 7;
    Parse(DeviceFrame(kStatusSection, 0, Bytes(4, 0x33)));
    EXPECT_TRUE(vars.LineFree);
    EXPECT_EQ(store.DeviceTable.At(SecMusic, 6), 7);
    EXPECT_TRUE(observer.pitches.empty());
}

TEST_F(ParseFrameTest, ModeNamesFollowTheLengthRulesAndNameIndex) {
    const Bytes name25 = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M',
                          'N', 'O', 'P', 'Q', 'R', 'S', 'T', 'U', 'V', 'W', 'X', 'Y'};
    vars.ModeNames[2] = "old";
    vars.NameIndex = 3;
    Parse(DeviceFrame(SecSystem, 0, Bytes(name25.begin(), name25.begin() + 21)));
    EXPECT_EQ(vars.ModeNames[2], "old");
    Parse(DeviceFrame(SecSystem, 0, name25));
    EXPECT_EQ(vars.ModeNames[2], "ABCDEFGHIJKLMNOPQRST");

    Parse(DeviceFrame(SecSystem, 32, {'h', 'i'}));
    EXPECT_EQ(vars.ModeNames2[2], "hi");

    vars.NameIndex = 0;
    Parse(DeviceFrame(SecSystem, 32, {'n', 'o'}));
    for (const auto& n : vars.ModeNames2)
        EXPECT_NE(n, "no");
}

TEST_F(ParseFrameTest, ModeNameCharacterFilter) {
    vars.NameIndex = 1;
    Parse(DeviceFrame(SecSystem, 0, {0x1D, 0x1E, 'a', 0x7F, 0x80, 0xFF, 0x00}));
    EXPECT_EQ(vars.ModeNames[0], "?\x1E"
                                 "a\x7F???");
}

TEST_F(ParseFrameTest, LinkPasswordIsStoredUnfiltered) {
    Parse(DeviceFrame(SecSystem, 5, {'1', 0x01, '3', 0xC8}));
    EXPECT_EQ(vars.LinkPassword, std::string("1\x01"
                                             "3\xC8"));
}

TEST_F(ParseFrameTest, DeviceIdentityBecomesUpperCaseHex) {
    Parse(DeviceFrame(SecSystem, 64, {0x01, 0xAB, 0x00, 0xFF, 0x77}));
    EXPECT_EQ(vars.DeviceId, "01AB00FF");
    EXPECT_EQ(observer.ids, std::vector<std::string>{"01AB00FF"});

    Parse(DeviceFrame(SecSystem, 64, {0x12, 0x34, 0x56}));
    EXPECT_EQ(vars.DeviceId, "01AB00FF");
    EXPECT_EQ(observer.ids.size(), 1u);
}

struct SystemItemCase {
    int slot;
    Bytes data;
    int32_t expected; // DeviceTable (30, slot) afterwards; starts at -1
};

class SystemItems : public ::testing::TestWithParam<SystemItemCase> {};

TEST_P(SystemItems, StoreOnlyWhereTheyShould) {
    const auto& c = GetParam();
    LinkFixture f;
    for (int t = 0; t < kSlotCount; ++t)
        f.store.DeviceTable.At(SecSystem, t) = -1;
    auto ctx = f.Ctx();
    ParseFrame(ctx, TransportKind::Tcp, DeviceFrame(SecSystem, c.slot, c.data));
    EXPECT_EQ(f.store.DeviceTable.At(SecSystem, c.slot), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ParseFrame, SystemItems,
    ::testing::Values(SystemItemCase{2, {0x03, 0x00}, 3}, SystemItemCase{20, {0x34, 0x12}, 0x1234},
                      SystemItemCase{47, {0x01, 0x00}, 1}, SystemItemCase{7, {0x01, 0x00}, -1},
                      SystemItemCase{11, {0x01, 0x00}, -1}, SystemItemCase{16, {0x01, 0x00}, -1},
                      SystemItemCase{48, {0x01, 0x00}, -1}, SystemItemCase{49, {0x01, 0x00}, -1},
                      SystemItemCase{20, {0x05}, -1}, // one byte: no value
                      SystemItemCase{20, {}, -1}),
    [](const auto& info) {
        return "Slot" + std::to_string(info.param.slot) + "Bytes" +
               std::to_string(info.param.data.size());
    });

TEST_F(ParseFrameTest, SectionsAbove30StoreNothing) {
    const ParamTable before = store.DeviceTable;
    for (int s : {31, 47, 49, 255})
        EXPECT_EQ(Parse(DeviceFrame(s, 0, Values({1, 2, 3}))), ParseResult::Frame);
    EXPECT_EQ(store.DeviceTable, before);
    EXPECT_FALSE(vars.LineFree);
}

TEST_F(ParseFrameTest, HidReportIsTheFrameFollowedByPadding) {
    Bytes report = DeviceFrame(4, 0, Values({42}));
    report.resize(64, 0xA5);
    EXPECT_EQ(Parse(report, TransportKind::UsbHid), ParseResult::Frame);
    EXPECT_EQ(store.DeviceTable.At(4, 0), 42);
}

struct RejectCase {
    const char* name;
    TransportKind kind;
    Bytes message;
    ParseResult result;
    bool retry;
    const char* message_box; // "" none
};

Bytes Corrupt(Bytes b) {
    b.back() ^= 1;
    return b;
}

// The frame without its last n bytes.
Bytes Cut(const Bytes& b, size_t n) {
    return Bytes(b.begin(), b.end() - static_cast<std::ptrdiff_t>(std::min(n, b.size())));
}

Bytes Padded(Bytes b) {
    b.resize(64, 0);
    return b;
}

const RejectCase kRejectCases[] = {
    {"Empty", TransportKind::Tcp, {}, ParseResult::Ignored, false, ""},
    {"UnknownFirstByte", TransportKind::UsbHid, Padded({0x12, 0x2C, 0x06}), ParseResult::Ignored,
     false, ""},
    {"AckAlone", TransportKind::UsbHid, {0xEE}, ParseResult::Ignored, false, ""},
    {"AckWrongCode", TransportKind::UsbHid, Padded({0xEE, 0xBC}), ParseResult::Ignored, false, ""},
    {"TruncatedTcp", TransportKind::Tcp, Cut(DeviceFrame(3, 0, Values({1, 2})), 1),
     ParseResult::Incomplete, true, "数据包丢失数据"},
    {"HeaderOnly",
     TransportKind::Tcp,
     {0xF5, 0x2C},
     ParseResult::Incomplete,
     true,
     "数据包丢失数据"},
    {"HidLengthBeyondReport",
     TransportKind::UsbHid,
     {0xF5, 0x2C, 0x3F, 0xB7, 0x03, 0x00},
     ParseResult::Incomplete,
     true,
     "数据包丢失数据"},
    {"LengthBelowFour",
     TransportKind::Serial,
     {0xF5, 0x2C, 0x03, 0xB7, 0x03, 0x00},
     ParseResult::Malformed,
     true,
     ""},
    {"LengthZero", TransportKind::UsbHid, Padded({0xF5, 0x2C, 0x00, 0xB7}), ParseResult::Malformed,
     true, ""},
    {"BadChecksumHid", TransportKind::UsbHid, Padded(Corrupt(DeviceFrame(3, 0, Values({1})))),
     ParseResult::BadChecksum, true, "数据包丢失数据 校验字不正确！"},
    {"BadChecksumTcpSilent", TransportKind::Tcp, Corrupt(DeviceFrame(3, 0, Values({1}))),
     ParseResult::BadChecksum, true, ""},
    {"BadChecksumSerialSilent", TransportKind::Serial, Corrupt(DeviceFrame(3, 0, Values({1}))),
     ParseResult::BadChecksum, true, ""},
};

class RejectedMessages : public ::testing::TestWithParam<RejectCase> {};

TEST_P(RejectedMessages, StoreNothing) {
    const auto& c = GetParam();
    LinkFixture f;
    auto ctx = f.Ctx();
    const ParamTable before = f.store.DeviceTable;
    EXPECT_EQ(ParseFrame(ctx, c.kind, c.message), c.result);
    EXPECT_EQ(f.vars.RetryFlag, c.retry);
    EXPECT_EQ(f.store.DeviceTable, before);
    EXPECT_FALSE(f.vars.LineFree);
    if (*c.message_box)
        EXPECT_EQ(f.observer.messages, std::vector<std::string>{c.message_box});
    else
        EXPECT_TRUE(f.observer.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(ParseFrame, RejectedMessages, ::testing::ValuesIn(kRejectCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ParseFrameTest, AcknowledgementCodesAreAlike) {
    for (uint8_t code : {0xBB, 0xAA, 0xCC}) {
        vars = LinkVars{};
        EXPECT_EQ(Parse(Padded({0xEE, code}), TransportKind::UsbHid), ParseResult::Ack);
        EXPECT_TRUE(vars.AckSeen);
        EXPECT_TRUE(vars.LineFree);
        EXPECT_EQ(vars.StepState, 1);
    }
}

} // namespace
} // namespace dsp::test
