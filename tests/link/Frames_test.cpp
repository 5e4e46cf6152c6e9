#include "link/Frames.h"

#include <gtest/gtest.h>

#include "tests/link/LinkFixture.h"

namespace dsp::test {
namespace {

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct FrameCase {
    const char* name;
    Bytes (*build)();
    Bytes expected;
};

const FrameCase kFrameCases[] = {
    {"Hello",
     [] {
         auto f = BuildDataFrame(WRWrite, kAddrHello, 0x0011);
         return Bytes(f.begin(), f.end());
     },
     {0xF5, 0x2C, 0x06, 0xB7, 0x1E, 0x30, 0x11, 0x00, 0x0B}},
    {"StatusPoll",
     [] {
         auto f = BuildDataFrame(WRRead, kAddrReadRequest, 0x0030);
         return Bytes(f.begin(), f.end());
     },
     {0xF5, 0x2C, 0x06, 0xB0, 0x1E, 0x10, 0x30, 0x00, 0x03}},
    {"ValueLowByteFirst",
     [] {
         auto f = BuildDataFrame(WRWrite, 0x0510, 0x03E8);
         return Bytes(f.begin(), f.end());
     },
     {0xF5, 0x2C, 0x06, 0xB7, 0x05, 0x10, 0xE8, 0x03, 0xAC}},
    {"ReadRequestNoData",
     [] { return BuildPacketFrame(WRRead, kAddrHandshake, {}); },
     {0xF5, 0x2C, 0x04, 0xB0, 0x1E, 0x03, 0xC6}},
    {"ModeNameWriteBank1",
     [] {
         return BuildPacketFrame(
             WRWrite, kAddrNameWrite1,
             StrDataBytes(kAddrNameWrite1, std::u16string(u"\x02") + char16_t(0) + u"AB"));
     },
     Concat(Concat({0xF5, 0x2C, 0x1A, 0xB7, 0x1E, 0x01, 0x02, 0x00, 0x41, 0x42}, Bytes(18, 0x20)),
            {0x90})},
    {"ModeNameWriteBank2NotPadded",
     [] {
         return BuildPacketFrame(
             WRWrite, kAddrNameWrite2,
             StrDataBytes(kAddrNameWrite2, std::u16string(u"\x03") + char16_t(0) + u"XY"));
     },
     {0xF5, 0x2C, 0x08, 0xB7, 0x1E, 0x21, 0x03, 0x00, 0x58, 0x59, 0x9F}},
    {"BulkSectionWrite",
     [] {
         return BuildPacketFrame(WRWrite, kAddrBulkWrite,
                                 Bytes{0x05, 0x00, 0x02, 0x01, 0x04, 0x03});
     },
     {0xF5, 0x2C, 0x0A, 0xB7, 0x1E, 0x0F, 0x05, 0x00, 0x02, 0x01, 0x04, 0x03, 0xE8}},
};

class FrameBytes : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameBytes, AreExact) {
    EXPECT_EQ(GetParam().build(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Builders, FrameBytes, ::testing::ValuesIn(kFrameCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StrDataBytes, TakesTheLowByteOfEachCharacterAndPadsOnlyBank1Names) {
    // A character beyond Latin-1 contributes its low byte only.
    EXPECT_EQ(StrDataBytes(kAddrPassword, u"12\u3404"), (Bytes{0x31, 0x32, 0x04}));
    // A bank-1 name longer than 20 characters is cut to 20.
    const auto name =
        StrDataBytes(kAddrNameWrite1, std::u16string(2, char16_t(0)) + std::u16string(30, u'x'));
    ASSERT_EQ(name.size(), 22u);
    EXPECT_EQ(name[21], 'x');
    // Other strings never exceed what one HID report carries.
    EXPECT_EQ(StrDataBytes(kAddrBluetoothName, std::u16string(80, u'b')).size(), kMaxHidFrameData);
}

TEST(BuildPacketFrame, RefusesDataTheLengthByteCannotCount) {
    EXPECT_EQ(BuildPacketFrame(WRWrite, kAddrBulkWrite, Bytes(kMaxFrameData)).size(),
              kMaxFrameData + kFrameOverhead);
    EXPECT_TRUE(BuildPacketFrame(WRWrite, kAddrBulkWrite, Bytes(kMaxFrameData + 1)).empty());
}

TEST(PutFrame, GoesToTheCurrentTransportOnly) {
    LinkFixture f;
    for (auto kind : {TransportKind::Serial, TransportKind::Tcp, TransportKind::UsbHid}) {
        f.ports.Transport = kind;
        SendData(f.ports, WRWrite, kAddrHello, 0x11);
    }
    ASSERT_EQ(f.serial.sent.size(), 1u);
    ASSERT_EQ(f.tcp.sent.size(), 1u);
    ASSERT_EQ(f.hid.sent.size(), 1u);
    EXPECT_EQ(f.serial.sent[0], f.tcp.sent[0]);
    EXPECT_EQ(f.serial.sent[0].size(), 9u);
}

TEST(PutFrame, HidGetsReportIdZeroFrameAndZerosUpToTheReportLength) {
    LinkFixture f;
    f.ports.Transport = TransportKind::UsbHid;
    SendPacktData(f.ports, WRRead, kAddrHandshake, {});
    ASSERT_EQ(f.hid.sent.size(), 1u);
    Bytes expected(65, 0);
    const Bytes frame = {0xF5, 0x2C, 0x04, 0xB0, 0x1E, 0x03, 0xC6};
    std::copy(frame.begin(), frame.end(), expected.begin() + 1);
    EXPECT_EQ(f.hid.sent[0], expected);
}

TEST(PutFrame, DropsFramesWhenTheTransportIsNotReadyOrMissing) {
    LinkFixture f;
    f.serial.ready = false;
    SendData(f.ports, WRWrite, kAddrHello, 0x11);
    EXPECT_TRUE(f.serial.sent.empty());

    f.ports.For(TransportKind::Tcp) = nullptr;
    f.ports.Transport = TransportKind::Tcp;
    SendData(f.ports, WRWrite, kAddrHello, 0x11); // must not crash
    EXPECT_TRUE(f.tcp.sent.empty());
}

} // namespace
} // namespace dsp::test
