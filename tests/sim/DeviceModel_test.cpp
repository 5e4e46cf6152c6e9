#include <gtest/gtest.h>

#include "params/SectionMap.h"
#include "sim/DeviceModel.h"

using namespace dsp;
using namespace dsp::sim;
using Bytes = std::vector<uint8_t>;

namespace {

DeviceFrame Write(int address, Bytes data) {
    return {kModeWrite, uint8_t(address >> 8), uint8_t(address & 0xFF), std::move(data)};
}
DeviceFrame Read(int address, Bytes data = {}) {
    return {kModeRead, uint8_t(address >> 8), uint8_t(address & 0xFF), std::move(data)};
}
Bytes Value(int v) {
    return {uint8_t(v & 0xFF), uint8_t(v >> 8)};
}

// Values carried by a section reply, low byte first.
std::vector<int> ValuesOf(const Bytes& reply) {
    std::vector<int> v;
    for (size_t i = 6; i + 2 < reply.size(); i += 2)
        v.push_back(reply[i] + 256 * reply[i + 1]);
    return v;
}

struct WireCase {
    const char* what;
    DeviceFrame request;
    Bytes answer;
};

} // namespace

TEST(DeviceModel, AnswersMessagesByteExactly) {
    DeviceModel m;
    const WireCase cases[] = {
        {"hello", Write(0x1E30, Value(0x11)), {0xEE, 0xAA}},
        {"goodbye", Write(0x1E30, Value(0xAA)), {0xEE, 0xAA}},
        {"handshake", Write(0x1E03, Value(1)), {0xEE, 0xBB}},
        {"bank-1 recall", Write(0x1E02, Value(0)), {0xEE, 0xCC}},
        {"parameter write", Write(0x0305, Value(90)), {0xEE, 0xBB}},
        {"password change", Write(0x1E05, {'4', '3', '2', '1'}), {0xEE, 0xCC}},
        {"panel lock item", Read(0x1E04), {0xF5, 0x2C, 0x06, 0xB0, 0x1E, 0x04, 0x00, 0x00, 0xC7}},
        {"bank-1 name 0",
         Read(0x1E00, {0, 0}),
         {0xF5, 0x2C, 0x07, 0xB0, 0x1E, 0x00, 'K', 'T', 'V', 0xB8}},
        {"link password",
         Read(0x1E05),
         {0xF5, 0x2C, 0x08, 0xB0, 0x1E, 0x05, '4', '3', '2', '1', 0x92}},
        {"identity",
         Read(0x1E40),
         {0xF5, 0x2C, 0x08, 0xB0, 0x1E, 0x40, 0x20, 0x26, 0x0A, 0x01, 0x54}},
        {"empty section", Read(0x1E10, {27, 0}), {0xF5, 0x2C, 0x04, 0xB0, 27, 0x00, 0xC0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(m.Answer(c.request, TransportKind::Serial), c.answer) << c.what;
    EXPECT_EQ(m.Table().At(SecEcho, 5), 90);
    EXPECT_EQ(m.Password(), "4321");
    EXPECT_EQ(m.LastHandshake(), 1);
    EXPECT_EQ(m.Received().size(), std::size(cases));
}

TEST(DeviceModel, HelloAndGoodbyeOpenAndCloseTheSession) {
    DeviceModel m;
    EXPECT_FALSE(m.SessionOpen());
    m.Answer(Write(0x1E30, Value(0x11)), TransportKind::Tcp);
    EXPECT_TRUE(m.SessionOpen());
    m.Answer(Write(0x1E30, Value(0xAA)), TransportKind::Tcp);
    EXPECT_FALSE(m.SessionOpen());
}

TEST(DeviceModel, SectionReadSizeDependsOnTheLink) {
    struct Case {
        TransportKind link;
        int section, first;
        size_t values;
    };
    const Case cases[] = {
        {TransportKind::Serial, 1, 0, 116}, {TransportKind::Tcp, 25, 0, 11},
        {TransportKind::UsbHid, 1, 0, 25},  {TransportKind::UsbHid, 1, 100, 16},
        {TransportKind::UsbHid, 25, 0, 11}, {TransportKind::UsbHid, 0, 50, 16},
    };
    DeviceModel m;
    for (const auto& c : cases) {
        for (int i = 0; i < SlotCount[c.section]; ++i)
            m.Table().At(c.section, i) = 1000 + i; // two-byte values
        Bytes reply = m.Answer(Read(0x1E10, {uint8_t(c.section), uint8_t(c.first)}), c.link);
        ASSERT_EQ(reply.size(), 7 + 2 * c.values) << c.section << "/" << c.first;
        EXPECT_EQ(reply[2], 4 + 2 * c.values);
        EXPECT_EQ(reply[4], c.section);
        EXPECT_EQ(reply[5], c.first);
        std::vector<int> values = ValuesOf(reply);
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(values[i], 1000 + c.first + int(i));
        EXPECT_TRUE(DecodeFrame(reply).has_value()) << "checksum";
    }
}

TEST(DeviceModel, StatusBlockCarriesThePitchAtByte18) {
    DeviceModel m;
    m.TurnPitch(11);
    Bytes reply = m.Answer(Read(0x1E10, {0x30, 0x00}), TransportKind::Serial);
    ASSERT_EQ(reply.size(), 7 + kStatusSize);
    EXPECT_EQ(reply[4], 48);
    EXPECT_EQ(reply[5], 0);
    EXPECT_EQ(reply[18], 11);
    EXPECT_EQ(m.Table().At(SecMusic, 6), 11);
}

TEST(DeviceModel, RecallLoadsTheStoredModeAndSaveStoresIt) {
    DeviceModel m;
    const ParamTable factory = m.Table();
    EXPECT_EQ(m.Mode(kBankMain, 2).name, "Disco");
    const int disco_echo = m.Mode(kBankMain, 2).params.At(SecEcho, 0);
    ASSERT_NE(disco_echo, m.Table().At(SecEcho, 0));

    m.Answer(Write(0x1E02, Value(2)), TransportKind::Serial);
    EXPECT_EQ(m.Table().At(SecEcho, 0), disco_echo);
    EXPECT_EQ(m.CurrentMode(kBankMain), 2);

    // Save mode 5 as "AB": index, 0, the name padded to 20 bytes with spaces.
    m.Table().At(SecReverb, 5) = 77;
    Bytes save = {5, 0, 'A', 'B'};
    save.resize(22, ' ');
    EXPECT_EQ(m.Answer(Write(0x1E01, save), TransportKind::Serial), (Bytes{0xEE, 0xCC}));
    EXPECT_EQ(m.Mode(kBankMain, 5).name, "AB");
    Bytes name = m.Answer(Read(0x1E00, {5, 0}), TransportKind::Serial);
    EXPECT_EQ(Bytes(name.begin() + 6, name.end() - 1), (Bytes{'A', 'B'}));

    m.Answer(Write(0x1E02, Value(0)), TransportKind::Serial);
    EXPECT_EQ(m.Table().At(SecReverb, 5), factory.At(SecReverb, 5));
    m.Answer(Write(0x1E02, Value(5)), TransportKind::Serial);
    EXPECT_EQ(m.Table().At(SecReverb, 5), 77);
}

TEST(DeviceModel, BankTwoRecallTouchesOnlyTheHiddenSections) {
    DeviceModel m;
    m.Table().At(SecEcho, 0) = 3;
    m.Table().At(23, 3) = 99;
    Bytes save = {4, 0, 'M', 'i', 'x'};
    m.Answer(Write(0x1E21, save), TransportKind::Tcp);
    EXPECT_EQ(m.Mode(kBankHidden, 4).name, "Mix");

    m.Answer(Write(0x1E22, Value(1)), TransportKind::Tcp); // "Warm"
    EXPECT_EQ(m.Table().At(SecEcho, 0), 3);
    EXPECT_EQ(m.Table().At(23, 3), 135); // band 1 of Warm is lifted by 3 dB
    EXPECT_EQ(m.CurrentMode(kBankHidden), 1);
    m.Answer(Write(0x1E22, Value(4)), TransportKind::Tcp);
    EXPECT_EQ(m.Table().At(23, 3), 99);
    EXPECT_EQ(m.CurrentMode(kBankMain), 0);
}

TEST(DeviceModel, BulkWriteStoresAWholeSection) {
    DeviceModel m;
    Bytes data = {25, 0};
    for (int i = 0; i < 12; ++i) { // USB HID sends one value past the section
        auto v = Value(300 + i);
        data.insert(data.end(), v.begin(), v.end());
    }
    EXPECT_EQ(m.Answer(Write(0x1E0F, data), TransportKind::UsbHid), (Bytes{0xEE, 0xBB}));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(m.Table().At(SecSysVol, i), 300 + i);
    // A bulk write to a section past 29 is acknowledged and ignored.
    const ParamTable before = m.Table();
    EXPECT_EQ(m.Answer(Write(0x1E0F, {30, 0, 1, 0}), TransportKind::Serial), (Bytes{0xEE, 0xBB}));
    EXPECT_EQ(m.Table(), before);
}

TEST(DeviceModel, EqResetCommandResetsTheBlockInUse) {
    DeviceModel m;
    const int gain = FirstEqSlot[5] + kBandGain;
    m.Table().At(SecMusic, 64) = 1; // disco: output 1 uses section 6
    m.Table().At(5, gain) = 150;
    m.Table().At(6, gain) = 150;
    m.Answer(Write(MakeAddress(SecEqReset, 5), Value(1)), TransportKind::Serial);
    EXPECT_EQ(m.Table().At(5, gain), 150);
    EXPECT_EQ(m.Table().At(6, gain), 120);
}

TEST(DeviceModel, FactoryContentIsPlausible) {
    DeviceModel m;
    const ParamTable& t = m.Table();
    for (int s = 0; s <= 24; ++s) {
        for (int b = 0; b < BandCount[s]; ++b) {
            const int base = FirstEqSlot[s] + kBandSlots * b;
            EXPECT_EQ(t.At(s, base + kBandType), PEQ) << s << "/" << b;
            EXPECT_EQ(t.At(s, base + kBandGain), 120) << s << "/" << b;
            EXPECT_LE(t.At(s, base + kBandFreq), 360);
        }
    }
    EXPECT_EQ(t.At(SecMusic, 6), 7); // no key shift
    for (int i = 0; i < kModeCount; ++i) {
        EXPECT_FALSE(m.Mode(kBankMain, i).name.empty());
        EXPECT_LE(m.Mode(kBankMain, i).name.size(), 20u);
        EXPECT_FALSE(m.Mode(kBankHidden, i).name.empty());
    }
    EXPECT_EQ(m.Password().size(), 4u);
    EXPECT_FALSE(m.PanelLocked());
}
