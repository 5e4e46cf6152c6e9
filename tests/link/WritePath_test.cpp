#include "link/WritePath.h"

#include <gtest/gtest.h>

#include "link/Frames.h"
#include "params/SectionMap.h"
#include "tests/link/LinkFixture.h"

namespace dsp::test {
namespace {

struct MapCase {
    const char* name;
    Variant variant;
    int micSection, outputSection, singDisco, hintSection, input;
    Address view;
    Address device;
};

constexpr Address A(int s, int t) {
    return MakeAddress(s, t);
}

const MapCase kMapCases[] = {
    // Microphone page: the mic shown, except the link state and the effect sends.
    {"MicSlotToMic2", Variant::A, 2, 5, 1, 22, 1, A(1, 12), A(2, 12)},
    {"MicSlotToMic1", Variant::B, 1, 5, 1, 22, 1, A(2, 5), A(1, 5)},
    {"MicLinkKeepsSection", Variant::A, 2, 5, 1, 22, 1, A(1, 13), A(1, 13)},
    {"EffectSendKeepsSection", Variant::A, 2, 5, 1, 22, 1, A(1, 115), A(1, 115)},
    {"Mic2EffectSendKeepsSection", Variant::A, 1, 5, 1, 22, 1, A(2, 115), A(2, 115)},
    // Music input gain: slot by the selected input.
    {"GainAuto", Variant::A, 1, 5, 1, 22, 0, A(0, 0), A(0, 0)},
    {"GainAnalog1", Variant::A, 1, 5, 1, 22, 1, A(0, 0), A(0, 0)},
    {"GainAnalog2", Variant::A, 1, 5, 1, 22, 2, A(0, 0), A(0, 1)},
    {"GainBluetooth", Variant::B, 1, 5, 1, 22, 3, A(0, 0), A(0, 2)},
    {"GainOptical", Variant::A, 1, 5, 1, 22, 4, A(0, 0), A(0, 3)},
    {"GainUsb", Variant::A, 1, 5, 1, 22, 5, A(0, 0), A(0, 4)},
    {"GainHdmi1", Variant::A, 1, 5, 1, 22, 6, A(0, 0), A(0, 5)},
    {"GainHdmiArc", Variant::A, 1, 5, 1, 22, 9, A(0, 0), A(0, 5)},
    {"OtherMusicSlotKept", Variant::A, 1, 5, 1, 22, 3, A(0, 1), A(0, 1)},
    // Output page.
    {"OutputSlotToShownOutput", Variant::A, 1, 10, 0, 22, 1, A(5, 3), A(10, 3)},
    {"OutputDelayOfLeftToShown", Variant::A, 1, 10, 1, 22, 1, A(5, 16), A(10, 16)},
    {"ARightDelayMainR", Variant::A, 1, 5, 1, 22, 1, A(7, 16), A(8, 16)},
    {"ARightMuteMainRSing", Variant::A, 1, 6, 0, 22, 1, A(7, 17), A(7, 17)},
    {"ARightDelaySurR", Variant::A, 1, 13, 1, 22, 1, A(15, 16), A(16, 16)},
    {"ARightMuteRecR", Variant::A, 1, 17, 1, 22, 1, A(19, 17), A(20, 17)},
    {"ARightSectionOtherSlot", Variant::A, 1, 6, 1, 22, 1, A(7, 3), A(6, 3)},
    {"BDelayToShownOutput", Variant::B, 1, 12, 1, 22, 1, A(7, 16), A(12, 16)},
    {"BMuteToShownOutput", Variant::B, 1, 12, 1, 22, 1, A(19, 17), A(12, 17)},
    {"Section20Kept", Variant::A, 1, 6, 1, 22, 1, A(20, 16), A(20, 16)},
    // Hidden EQ page.
    {"HiddenToHintSection", Variant::A, 1, 5, 1, 24, 1, A(22, 3), A(24, 3)},
    {"HiddenBypassToHintSection", Variant::B, 1, 5, 1, 23, 1, A(22, 0), A(23, 0)},
    // Sections of their own.
    {"EchoKept", Variant::A, 2, 10, 1, 24, 1, A(3, 5), A(3, 5)},
    {"ReverbKept", Variant::A, 2, 10, 1, 24, 1, A(4, 5), A(4, 5)},
    {"AuxKept", Variant::A, 2, 10, 1, 24, 1, A(21, 3), A(21, 3)},
    {"SysVolKept", Variant::A, 2, 10, 1, 24, 1, A(25, 1), A(25, 1)},
    {"EqResetKept", Variant::A, 2, 10, 1, 24, 1, A(26, 2), A(26, 2)},
    {"SystemKept", Variant::B, 2, 10, 1, 24, 1, A(30, 2), A(30, 2)},
};

class MapAddressCases : public ::testing::TestWithParam<MapCase> {};

TEST_P(MapAddressCases, GivesTheDeviceAddress) {
    const auto& c = GetParam();
    PageState page;
    page.MicSection = c.micSection;
    page.OutputSection = c.outputSection;
    page.SingDisco = c.singDisco;
    page.HintSection = c.hintSection;
    ParamTable device;
    device.At(SecMusic, 65) = c.input;
    EXPECT_EQ(MapAddress(c.view, c.variant, page, device), c.device);
}

INSTANTIATE_TEST_SUITE_P(WritePath, MapAddressCases, ::testing::ValuesIn(kMapCases),
                         [](const auto& info) { return std::string(info.param.name); });

class SendDatatoMCUTest : public ::testing::Test, public LinkFixture {
protected:
    void Send(Address a, int32_t v) {
        auto ctx = Ctx();
        SendDatatoMCU(ctx, a, v);
    }
    Bytes Write(Address device, uint16_t v) {
        auto f = BuildDataFrame(WRWrite, device, v);
        return Bytes(f.begin(), f.end());
    }
};

TEST_F(SendDatatoMCUTest, OfflineStoresBothTablesAndSendsNothing) {
    page.MicSection = 2;
    Send(0x0102, 5);
    EXPECT_EQ(store.ViewTable.At(1, 2), 5);
    EXPECT_EQ(store.DeviceTable.At(2, 2), 5);
    EXPECT_EQ(store.DeviceTable.At(1, 2), 0);
    EXPECT_TRUE(serial.sent.empty());
    EXPECT_TRUE(vars.Queue.Empty());
}

TEST_F(SendDatatoMCUTest, SuppressSendStoresOnly) {
    GoOnline();
    page.SuppressSend = true;
    Send(A(3, 5), 9);
    EXPECT_EQ(store.DeviceTable.At(3, 5), 9);
    EXPECT_TRUE(serial.sent.empty());
}

TEST_F(SendDatatoMCUTest, IdleLineSendsAtOnceThenQueuesUntilTheAnswer) {
    GoOnline();
    vars.IdleTicks = 30;
    vars.StepState = 2;
    Send(A(3, 5), 100);
    EXPECT_EQ(serial.sent, std::vector<Bytes>{Write(A(3, 5), 100)});
    EXPECT_FALSE(vars.LineFree);
    EXPECT_EQ(vars.IdleTicks, 0);
    EXPECT_EQ(vars.StepState, 0);
    EXPECT_TRUE(vars.Queue.Empty());

    Send(A(3, 5), 101);
    Send(A(3, 5), 102);
    EXPECT_EQ(serial.sent.size(), 1u);
    EXPECT_EQ(vars.Queue.Pending(), 1);

    auto ctx = Ctx();
    EXPECT_FALSE(SendNextQueued(ctx)); // still waiting for the answer
    vars.LineFree = true;
    EXPECT_TRUE(SendNextQueued(ctx));
    EXPECT_EQ(serial.sent.back(), Write(A(3, 5), 102));
    EXPECT_FALSE(vars.LineFree);
    EXPECT_TRUE(vars.Queue.Empty());
}

TEST_F(SendDatatoMCUTest, FreeLineWithPendingWritesKeepsTheOrder) {
    GoOnline();
    vars.Queue.QueuePut(A(3, 1), 1);
    Send(A(3, 2), 2);
    EXPECT_TRUE(serial.sent.empty());
    EXPECT_EQ(vars.Queue.Pending(), 2);
}

TEST_F(SendDatatoMCUTest, WritesGoToTheDeviceAddress) {
    GoOnline();
    page.OutputSection = 12;
    Send(A(5, 40), 3);
    EXPECT_EQ(store.ViewTable.At(5, 40), 3);
    EXPECT_EQ(store.DeviceTable.At(12, 40), 3);
    EXPECT_EQ(serial.sent, std::vector<Bytes>{Write(A(12, 40), 3)});
}

struct CommandCase {
    Address address;
    int followUp;
    bool reload; // shows "Loading..." and leaves the online state at once
};

class CommandAddresses : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandAddresses, ArmTheirFollowUpWhenSentAtOnce) {
    const auto& c = GetParam();
    LinkFixture f;
    f.GoOnline();
    f.vars.MissCount = 3;
    auto ctx = f.Ctx();
    SendDatatoMCU(ctx, c.address, 1);
    EXPECT_EQ(f.vars.PendingAction, c.followUp);
    EXPECT_EQ(f.vars.LinkState, c.reload ? 0 : 2);
    EXPECT_EQ(f.vars.MissCount, c.reload ? 0 : 3);
    EXPECT_EQ(f.observer.labels,
              c.reload ? std::vector<std::string>{"Loading..."} : std::vector<std::string>{});
    EXPECT_EQ(f.serial.sent.size(), 1u);
}

TEST_P(CommandAddresses, OnlyQueueWhileAnotherWriteIsOutstanding) {
    const auto& c = GetParam();
    LinkFixture f;
    f.GoOnline();
    f.vars.LineFree = false;
    auto ctx = f.Ctx();
    SendDatatoMCU(ctx, c.address, 1);
    EXPECT_EQ(f.vars.PendingAction, 0);
    EXPECT_EQ(f.vars.LinkState, 2);
    EXPECT_TRUE(f.observer.labels.empty());
    EXPECT_EQ(f.vars.Queue.Pending(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    WritePath, CommandAddresses,
    ::testing::Values(CommandCase{0x1E02, 2, true}, CommandCase{0x1E01, 3, false},
                      CommandCase{0x1E21, 23, false}, CommandCase{0x1E22, 22, true},
                      CommandCase{0x1E03, 0, false}),
    [](const auto& info) { return "Address" + std::to_string(info.param.address); });

TEST_F(SendDatatoMCUTest, EqWriteLeavesTheLineBusyEvenOffline) {
    vars.LineFree = true;
    auto ctx = Ctx();
    SendEQDatatoMCU(ctx, A(0, 13), 1);
    EXPECT_FALSE(vars.LineFree);
    EXPECT_TRUE(serial.sent.empty());
}

TEST_F(SendDatatoMCUTest, MusicGainWriteFollowsTheInput) {
    store.DeviceTable.At(SecMusic, 65) = 3;
    Send(A(0, 0), 8);
    EXPECT_EQ(store.DeviceTable.At(0, 2), 8);
    store.DeviceTable.At(SecMusic, 65) = 0;
    Send(A(0, 0), 9);
    EXPECT_EQ(store.DeviceTable.At(0, 0), 9);
    EXPECT_EQ(observer.gainEnabled, (std::vector<bool>{true, false}));
}

TEST_F(SendDatatoMCUTest, InvalidAddressesTouchNothing) {
    const ParamStore before = store;
    Send(A(31, 0), 1);
    Send(A(3, 200), 1);
    Send(-1, 1);
    page.MicSection = 40;
    Send(A(1, 2), 1); // the view is stored; the device section does not exist
    EXPECT_EQ(store.DeviceTable, before.DeviceTable);
}

class RebuildViewTest : public ::testing::Test, public LinkFixture {
protected:
    void FillDevice() {
        for (int s = 0; s < kSectionCount; ++s)
            for (int t = 0; t < kSlotCount; ++t)
                store.DeviceTable.At(s, t) = s * 1000 + t;
    }
    void Rebuild() {
        auto ctx = Ctx();
        RebuildView(ctx);
    }
};

TEST_F(RebuildViewTest, CopiesTheSectionsNowShown) {
    FillDevice();
    page.MicSection = 2;
    page.OutputSection = 12;
    page.HintSection = 23;
    store.DeviceTable.At(SecMusic, 65) = 5; // USB: gain slot 4
    Rebuild();
    EXPECT_EQ(store.ViewTable.At(1, 12), 2012);
    EXPECT_EQ(store.ViewTable.At(1, 13), 1013);
    EXPECT_EQ(store.ViewTable.At(5, 40), 12040);
    EXPECT_EQ(store.ViewTable.At(22, 4), 23004);
    EXPECT_EQ(store.ViewTable.At(3, 63), 3063);
    EXPECT_EQ(store.ViewTable.At(30, 34), 30034);
    EXPECT_EQ(store.ViewTable.At(0, 0), 4);
    EXPECT_EQ(store.ViewTable.At(3, 64), 0); // past the section's slots
    EXPECT_EQ(store.ViewTable.At(2, 12), 0); // not a view section
    EXPECT_EQ(observer.gainEnabled, std::vector<bool>{true});
    EXPECT_EQ(observer.auxRebinds, 1);
}

struct RightChannelCase {
    int outputSection;
    std::vector<int> rebound;
};

class RightChannel : public ::testing::TestWithParam<RightChannelCase> {};

TEST_P(RightChannel, VariantARebindsForStereoOutputs) {
    LinkFixture f(Variant::A);
    f.page.OutputSection = GetParam().outputSection;
    auto ctx = f.Ctx();
    RebuildView(ctx);
    EXPECT_EQ(f.observer.rightSections, GetParam().rebound);
}

INSTANTIATE_TEST_SUITE_P(RebuildView, RightChannel,
                         ::testing::Values(RightChannelCase{5, {7}}, RightChannelCase{8, {7}},
                                           RightChannelCase{9, {}}, RightChannelCase{12, {}},
                                           RightChannelCase{13, {15}}, RightChannelCase{16, {15}},
                                           RightChannelCase{17, {19}}, RightChannelCase{20, {19}}),
                         [](const auto& info) {
                             return "OutputSection" + std::to_string(info.param.outputSection);
                         });

TEST_F(RebuildViewTest, VariantAShowsRightOutputsDelayAndMuteOfTheChosenSet) {
    FillDevice();
    page.SingDisco = 1;
    Rebuild();
    EXPECT_EQ(store.ViewTable.At(7, 16), 8016);
    EXPECT_EQ(store.ViewTable.At(15, 17), 16017);
    EXPECT_EQ(store.ViewTable.At(19, 16), 20016);
    page.SingDisco = 0;
    Rebuild();
    EXPECT_EQ(store.ViewTable.At(7, 17), 7017);
}

TEST(RebuildViewVariantB, HasNoRightChannelSteps) {
    LinkFixture f(Variant::B);
    for (int t = 0; t < kSlotCount; ++t)
        f.store.DeviceTable.At(8, t) = 1;
    f.page.OutputSection = 6;
    auto ctx = f.Ctx();
    RebuildView(ctx);
    EXPECT_TRUE(f.observer.rightSections.empty());
    EXPECT_EQ(f.store.ViewTable.At(7, 16), 0);
    EXPECT_EQ(f.observer.auxRebinds, 1);
}

} // namespace
} // namespace dsp::test
