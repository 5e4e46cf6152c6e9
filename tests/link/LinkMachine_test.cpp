#include "link/LinkMachine.h"

#include <gtest/gtest.h>

#include "link/WritePath.h"
#include "tests/link/FakeDevice.h"

namespace dsp::test {
namespace {

class LinkMachineTest : public ::testing::Test, public DeviceFixture {
protected:
    explicit LinkMachineTest(Variant v = Variant::A, int serialPorts = 1)
        : DeviceFixture(v, serialPorts) {}

    // Runs the step machine, delivering answers before each tick, until it stops.
    int RunSteps(int maxTicks = 5000) {
        auto ctx = Ctx();
        int ticks = 0;
        while ((vars.Timers.Timer2 || vars.Timers.Timer3) && ticks < maxTicks) {
            Current().Deliver(ctx);
            if (vars.Timers.Timer2)
                Timer2Tick(ctx);
            else
                Timer3Tick(ctx);
            ++ticks;
        }
        return ticks;
    }
    // A load as it starts after the handshake value was acknowledged.
    void Load(TransportKind kind) {
        ports.Transport = kind;
        vars.LineFree = true;
        auto ctx = Ctx();
        DisCheckWindow(ctx, ModeLinkStart);
        RunSteps();
    }
    void Hold(int ticks) {
        auto ctx = Ctx();
        for (int i = 0; i < ticks; ++i) {
            Current().Deliver(ctx);
            HoldTimerTick(ctx);
        }
    }
};

TEST_F(LinkMachineTest, HandshakeFollowsTheFirstAcknowledgement) {
    auto ctx = Ctx();
    LinkBtnClick(ctx, true);
    EXPECT_EQ(ports.Transport, TransportKind::Serial);
    EXPECT_TRUE(vars.Timers.Timer1);
    EXPECT_EQ(observer.labels.back(), "Search...");
    EXPECT_TRUE(observer.dialogVisible);

    Timer1Tick(ctx); // tick n - 1: hello on the first serial port
    EXPECT_EQ(serial.Count(WRWrite, kAddrHello), 1);
    serial.Deliver(ctx);
    EXPECT_TRUE(vars.AckSeen);

    Timer1Tick(ctx); // tick n + 1: the handshake value
    EXPECT_EQ(serial.Count(WRWrite, kAddrHandshake), 1);
    EXPECT_EQ(serial.frames.back().Value(), 1);
    EXPECT_TRUE(vars.Timers.Timer1);
    EXPECT_EQ(vars.Timers.Timer2Interval, 50);

    Timer1Tick(ctx); // tick n + 2: the load starts
    EXPECT_FALSE(vars.Timers.Timer1);
    EXPECT_TRUE(vars.Timers.Timer2);
    EXPECT_EQ(serial.frames.back().address, kAddrReadRequest);
    EXPECT_EQ(serial.frames.back().Value(), 0);
    EXPECT_EQ(observer.labels.back(), "Linking...");
}

struct LoadCase {
    const char* name;
    Variant variant;
    TransportKind kind;
    int requests;
    int sectionReads;
};

class FullLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(FullLoad, ReadsTheWholeDeviceAndGoesOnline) {
    const auto& c = GetParam();
    DeviceFixture f(c.variant);
    f.ports.Transport = c.kind;
    FakeDevice& dev = f.Current();
    dev.table.At(0, 64) = 1;
    f.vars.LineFree = true; // the handshake value was acknowledged
    auto ctx = f.Ctx();
    DisCheckWindow(ctx, ModeLinkStart);
    for (int i = 0; i < 5000 && f.vars.Timers.Timer2; ++i) {
        dev.Deliver(ctx);
        Timer2Tick(ctx);
    }
    EXPECT_EQ(f.vars.LinkState, 2);
    EXPECT_TRUE(f.vars.Timers.HoldTimer);
    EXPECT_FALSE(f.vars.Timers.Timer2);
    EXPECT_EQ(f.observer.onlineRefreshes, 1);
    EXPECT_EQ(f.observer.labels.back(), "Online");
    EXPECT_EQ(f.page.SingDisco, 1);
    EXPECT_EQ(f.page.LinkGateState, 1);

    EXPECT_EQ(dev.Requests(), c.requests);
    EXPECT_EQ(dev.Count(WRRead, kAddrReadRequest), c.sectionReads);
    EXPECT_EQ(dev.Count(WRRead, 0x1E14), c.variant == Variant::A ? 1 : 0);
    EXPECT_EQ(dev.Count(WRRead, 0x1E17), c.variant == Variant::A ? 1 : 0);

    for (int s = 0; s <= 25; ++s)
        for (int t = 0; t < SlotCount[s]; ++t)
            ASSERT_EQ(f.store.DeviceTable.At(s, t), dev.table.At(s, t)) << s << "," << t;
    for (int k = 0; k < ModeCount; ++k) {
        EXPECT_EQ(f.vars.ModeNames[k], "One" + std::to_string(k));
        EXPECT_EQ(f.vars.ModeNames2[k], "Two" + std::to_string(k));
    }
    EXPECT_EQ(f.vars.LinkPassword, "1234");
    EXPECT_EQ(f.store.DeviceTable.At(SecSystem, 0x15), 0x15);

    // Variant A writes the handshake address on the first link, through the write path.
    EXPECT_EQ(dev.Count(WRWrite, kAddrHandshake), c.variant == Variant::A ? 1 : 0);
    EXPECT_EQ(dev.badReports, 0);
}

INSTANTIATE_TEST_SUITE_P(
    LinkMachine, FullLoad,
    ::testing::Values(LoadCase{"SerialA", Variant::A, TransportKind::Serial, 69, 26},
                      LoadCase{"TcpB", Variant::B, TransportKind::Tcp, 67, 26},
                      LoadCase{"HidA", Variant::A, TransportKind::UsbHid, 136, 93},
                      LoadCase{"HidB", Variant::B, TransportKind::UsbHid, 134, 93}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkMachineTest, HidReadsSectionsInPacketsOf25) {
    Load(TransportKind::UsbHid);
    std::vector<int> firstSlotsOfSection0;
    for (const auto& fr : hid.frames)
        if (fr.address == kAddrReadRequest && fr.data[0] == 0)
            firstSlotsOfSection0.push_back(fr.data[1]);
    EXPECT_EQ(firstSlotsOfSection0, (std::vector<int>{0, 0, 25, 50}));
}

TEST_F(LinkMachineTest, UnansweredRequestTimesOutThroughTheStages) {
    ports.Transport = TransportKind::Serial;
    auto ctx = Ctx();
    DisCheckWindow(ctx, ModeLinkStart);
    for (int i = 0; i < 6; ++i) { // sections 0 to 5 answered, the request of 6 is not
        serial.Deliver(ctx);
        Timer2Tick(ctx);
    }
    ASSERT_EQ(vars.StepPos, 6);
    serial.silent = true;
    serial.pending.clear();
    const size_t sent = serial.frames.size();
    for (int i = 0; i < 31; ++i)
        Timer2Tick(ctx);
    EXPECT_EQ(vars.StepState, 4);
    for (int i = 0; i < 21; ++i)
        Timer2Tick(ctx);
    EXPECT_EQ(vars.StepState, 5);
    EXPECT_EQ(serial.frames.size(), sent + 1); // repeated once
    for (int i = 0; i < 99; ++i)
        Timer2Tick(ctx);
    EXPECT_TRUE(vars.Timers.Timer2);
    Timer2Tick(ctx);
    EXPECT_FALSE(vars.Timers.Timer2);
    EXPECT_EQ(observer.messages.back(), "连接失败!");
    EXPECT_EQ(endpoints.closes, 1);
}

TEST_F(LinkMachineTest, BadFrameRequestsTheSameSectionAgain) {
    ports.Transport = TransportKind::Serial;
    auto ctx = Ctx();
    DisCheckWindow(ctx, ModeLinkStart);
    serial.Deliver(ctx);
    Timer2Tick(ctx); // section 1 requested
    serial.pending.front().back() ^= 0xFF;
    serial.Deliver(ctx);
    EXPECT_TRUE(vars.RetryFlag);
    Timer2Tick(ctx);
    EXPECT_EQ(vars.StepPos, 1);
    EXPECT_EQ(serial.frames.back().Value(), 1);
    EXPECT_FALSE(vars.RetryFlag);
}

// A reply that fails its checksum is asked for again, so no stale or misplaced value is left.
struct RetryCase {
    const char* name;
    TransportKind kind;
    bool (*failing)(const SentFrame&);
};

const RetryCase kRetryCases[] = {
    {"HidPacketInsideASection", TransportKind::UsbHid,
     [](const SentFrame& f) { return f.address == kAddrReadRequest && f.Value() == 3 + 256 * 25; }},
    {"HidLastPacketOfASection", TransportKind::UsbHid,
     [](const SentFrame& f) { return f.address == kAddrReadRequest && f.Value() == 4 + 256 * 50; }},
    {"HidSection25", TransportKind::UsbHid,
     [](const SentFrame& f) { return f.address == kAddrReadRequest && f.Value() == 25; }},
    {"SerialSection25", TransportKind::Serial,
     [](const SentFrame& f) { return f.address == kAddrReadRequest && f.Value() == 25; }},
    {"SerialBank1Name", TransportKind::Serial,
     [](const SentFrame& f) { return f.address == kAddrNameRequest1 && f.data[0] == 3; }},
    {"HidBank2Name", TransportKind::UsbHid,
     [](const SentFrame& f) { return f.address == kAddrNameRequest2 && f.data[0] == 15; }},
    {"TcpLastBank1Name", TransportKind::Tcp,
     [](const SentFrame& f) { return f.address == kAddrNameRequest1 && f.data[0] == 15; }},
};

class FailedReply : public ::testing::TestWithParam<RetryCase> {};

TEST_P(FailedReply, IsRequestedAgain) {
    DeviceFixture f;
    f.ports.Transport = GetParam().kind;
    f.vars.LineFree = true;
    FakeDevice& dev = f.Current();
    dev.corruptIf = GetParam().failing;
    auto ctx = f.Ctx();
    DisCheckWindow(ctx, ModeLinkStart);
    for (int i = 0; i < 5000 && f.vars.Timers.Timer2; ++i) {
        dev.Deliver(ctx);
        Timer2Tick(ctx);
    }
    ASSERT_EQ(f.vars.LinkState, 2);
    EXPECT_FALSE(dev.corruptIf); // the failure happened
    for (int s = 0; s <= 25; ++s)
        for (int t = 0; t < SlotCount[s]; ++t)
            ASSERT_EQ(f.store.DeviceTable.At(s, t), dev.table.At(s, t)) << s << "," << t;
    for (int k = 0; k < ModeCount; ++k) {
        EXPECT_EQ(f.vars.ModeNames[k], "One" + std::to_string(k));
        EXPECT_EQ(f.vars.ModeNames2[k], "Two" + std::to_string(k));
    }
}

INSTANTIATE_TEST_SUITE_P(LinkMachine, FailedReply, ::testing::ValuesIn(kRetryCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkMachineTest, SearchTriesSerialPortsThenTcpThenFails) {
    DeviceFixture f(Variant::A, 2);
    f.serial.silent = f.tcp.silent = true;
    auto ctx = f.Ctx();
    LinkBtnClick(ctx, true);
    for (int i = 0; i < 3; ++i)
        Timer1Tick(ctx);
    EXPECT_EQ(f.endpoints.opened, (std::vector<int>{0, 1, -1}));
    EXPECT_EQ(f.serial.Count(WRWrite, kAddrHello), 2);
    EXPECT_EQ(f.vars.LastComIndex, -1);
    Timer1Tick(ctx);
    EXPECT_EQ(f.ports.Transport, TransportKind::Tcp);
    Timer1Tick(ctx);
    Timer1Tick(ctx);
    EXPECT_EQ(f.endpoints.connects, 2);
    EXPECT_EQ(f.tcp.Count(WRWrite, kAddrHello), 3);
    EXPECT_TRUE(f.vars.Timers.Timer1);
    Timer1Tick(ctx);
    EXPECT_FALSE(f.vars.Timers.Timer1);
    EXPECT_EQ(f.observer.messages.back(), "连接失败!");
    EXPECT_GE(f.endpoints.closes, 1);

    // The list is now without a selection: the next search goes straight to TCP.
    LinkBtnClick(ctx, true);
    EXPECT_EQ(f.ports.Transport, TransportKind::Tcp);
}

TEST_F(LinkMachineTest, PresentHidDeviceGetsNineHellos) {
    vars.HidPresent = true;
    hid.silent = true;
    auto ctx = Ctx();
    LinkBtnClick(ctx, true);
    EXPECT_EQ(ports.Transport, TransportKind::UsbHid);
    for (int i = 0; i < 10; ++i)
        Timer1Tick(ctx);
    EXPECT_EQ(hid.Count(WRWrite, kAddrHello), 9);
    EXPECT_EQ(ports.Transport, TransportKind::Serial);
}

class OnlineTest : public LinkMachineTest {
protected:
    void SetUp() override {
        Load(TransportKind::Serial);
        ASSERT_EQ(vars.LinkState, 2);
        Hold(2); // drains the first-link write
        serial.frames.clear();
    }
};

TEST_F(OnlineTest, PollsOncePerIdleSecondWhileAnswered) {
    Hold(50 * 5);
    EXPECT_EQ(serial.Count(WRRead, kAddrReadRequest), 5);
    EXPECT_EQ(vars.LinkState, 2);
}

TEST_F(OnlineTest, LinkIsLostAfterFiveSecondsWithoutAnswers) {
    serial.silent = true;
    Hold(48); // one idle second after the last answer: the poll that goes unanswered
    EXPECT_EQ(serial.Count(WRRead, kAddrReadRequest), 1);
    Hold(50 * 5 - 1);
    EXPECT_EQ(vars.LinkState, 2);
    EXPECT_EQ(serial.Count(WRRead, kAddrReadRequest), 3); // again after 2 and 4 seconds
    Hold(1);
    EXPECT_EQ(vars.LinkState, 0);
    EXPECT_FALSE(vars.Timers.HoldTimer);
    EXPECT_EQ(observer.messages.back(), "已断开连接!");
    EXPECT_EQ(observer.colours.back(), LinkColour::Offline);
}

TEST_F(OnlineTest, QueuedWritesLeaveOnePerAnswer) {
    auto ctx = Ctx();
    SendDatatoMCU(ctx, MakeAddress(3, 5), 1);
    SendDatatoMCU(ctx, MakeAddress(3, 6), 2);
    SendDatatoMCU(ctx, MakeAddress(3, 6), 3);
    EXPECT_EQ(serial.frames.size(), 1u);
    Hold(1);
    ASSERT_EQ(serial.frames.size(), 2u);
    EXPECT_EQ(serial.frames[1].address, MakeAddress(3, 6));
    EXPECT_EQ(serial.frames[1].Value(), 3);
    Hold(1);
    EXPECT_EQ(serial.frames.size(), 2u);
}

// The answer to a write is lost while more writes wait behind it: two idle seconds later the
// unanswered write goes again, and its answer lets the queue drain; the link stays up.
TEST_F(OnlineTest, LostWriteAnswerIsAskedAgainAndTheQueueDrains) {
    auto ctx = Ctx();
    SendDatatoMCU(ctx, MakeAddress(3, 5), 11);
    serial.pending.clear(); // its acknowledgement never arrives
    SendDatatoMCU(ctx, MakeAddress(3, 6), 12);
    SendDatatoMCU(ctx, MakeAddress(3, 7), 13);
    Hold(50 * 2);
    ASSERT_EQ(serial.frames.size(), 2u);
    EXPECT_EQ(serial.frames[1].address, MakeAddress(3, 5)); // the same write again
    EXPECT_EQ(serial.frames[1].Value(), 11);
    Hold(3);
    ASSERT_EQ(serial.frames.size(), 4u);
    EXPECT_EQ(serial.frames[2].address, MakeAddress(3, 6));
    EXPECT_EQ(serial.frames[3].address, MakeAddress(3, 7));
    EXPECT_TRUE(vars.Queue.Empty());
    Hold(50 * 6);
    EXPECT_EQ(vars.LinkState, 2);
    EXPECT_TRUE(observer.messages.empty());
}

TEST_F(OnlineTest, RecallFollowUpReloadsAfterTheAnswer) {
    auto ctx = Ctx();
    SendDatatoMCU(ctx, kAddrRecall1, 4);
    EXPECT_EQ(vars.PendingAction, ModeReload);
    EXPECT_EQ(vars.LinkState, 0);
    EXPECT_EQ(observer.labels.back(), "Loading...");
    Hold(1);
    EXPECT_EQ(vars.PendingAction, 0);
    EXPECT_TRUE(vars.Timers.Timer2);
    EXPECT_FALSE(vars.Timers.HoldTimer);
    EXPECT_EQ(serial.frames.back().address, kAddrReadRequest);
    RunSteps();
    EXPECT_EQ(vars.LinkState, 2);
}

TEST_F(OnlineTest, ModeNameSaveCompletesOnTheAnswer) {
    auto ctx = Ctx();
    SendDatatoMCU(ctx, kAddrNameWrite2, 0);
    Hold(1);
    EXPECT_EQ(observer.modeLists, std::vector<int>{2});
    EXPECT_EQ(vars.LinkState, 2);
    EXPECT_EQ(observer.messages.back(), "保存成功!");
}

TEST_F(OnlineTest, DownloadOverHidWritesSection25AsOnePacketOf12ThenReadsItBack) {
    DeviceFixture f(Variant::A);
    f.ports.Transport = TransportKind::UsbHid;
    f.vars.LinkState = 2;
    f.store.DeviceTable.At(SecSystem, 23) = 2;
    auto ctx = f.Ctx();
    DisCheckWindow(ctx, ModeDownload);
    for (int i = 0; i < 5000 && f.vars.Timers.Timer2; ++i) {
        f.hid.Deliver(ctx);
        Timer2Tick(ctx);
    }
    EXPECT_EQ(f.vars.LinkState, 2);
    std::vector<size_t> section25Sizes;
    for (const auto& fr : f.hid.frames)
        if (fr.address == kAddrBulkWrite && fr.data[0] == 25)
            section25Sizes.push_back((fr.data.size() - 2) / 2);
    EXPECT_EQ(section25Sizes, std::vector<size_t>{12});
    EXPECT_EQ(f.hid.Count(WRRead, kAddrReadRequest), 1);
    EXPECT_EQ(f.hid.frames.back().address, kAddrHandshake); // first link, then the queued items
    f.hid.Deliver(ctx);
    for (int i = 0; i < 4; ++i) {
        HoldTimerTick(ctx);
        f.hid.Deliver(ctx);
    }
    EXPECT_EQ(f.hid.Count(WRWrite, 0x1E17), 1);
    EXPECT_EQ(f.hid.Count(WRWrite, 0x1E18), 1);
    for (int s = 0; s <= 25; ++s)
        for (int t = 0; t < SlotCount[s]; ++t)
            ASSERT_EQ(f.hid.table.At(s, t), f.store.DeviceTable.At(s, t));
}

TEST_F(OnlineTest, PartialDownloadWritesSections22To24WithoutReadingBack) {
    auto ctx = Ctx();
    DisCheckWindow(ctx, ModePartialDownload);
    RunSteps();
    EXPECT_EQ(vars.LinkState, 2);
    std::vector<int> sections;
    for (const auto& fr : serial.frames)
        if (fr.address == kAddrBulkWrite)
            sections.push_back(fr.data[0]);
    EXPECT_EQ(sections, (std::vector<int>{22, 23, 24}));
    EXPECT_EQ(serial.Requests(), 0);
}

TEST_F(OnlineTest, SectionUploadWritesTheOutputPair) {
    auto ctx = Ctx();
    vars.StepPos = 9;
    vars.StepTotal = 10;
    DisCheckWindow(ctx, ModeSectionUpload);
    EXPECT_TRUE(vars.Timers.Timer3);
    RunSteps();
    EXPECT_EQ(vars.LinkState, 2);
    EXPECT_FALSE(vars.Timers.Timer3);
    std::vector<int> sections;
    for (const auto& fr : serial.frames)
        if (fr.address == kAddrBulkWrite)
            sections.push_back(fr.data[0]);
    EXPECT_EQ(sections, (std::vector<int>{9, 10}));
}

TEST_F(LinkMachineTest, UnlinkSendsTheGoodbyeAndStopsEveryTimer) {
    serial.silent = true;
    ports.Transport = TransportKind::Serial;
    auto ctx = Ctx();
    vars.StepPos = 9;
    vars.StepTotal = 10;
    DisCheckWindow(ctx, ModeSectionUpload);
    LinkBtnClick(ctx, false);
    EXPECT_EQ(serial.frames.back().Value(), kGoodbye);
    EXPECT_EQ(vars.Timers, (LinkTimers{false, false, false, false, 100}));
    EXPECT_EQ(observer.labels.back(), "Off Line");
    EXPECT_FALSE(observer.dialogVisible);
}

TEST_F(LinkMachineTest, LinkButtonWhileOnlineUnlinks) {
    Load(TransportKind::Tcp);
    ASSERT_EQ(vars.LinkState, 2);
    auto ctx = Ctx();
    LinkBtnClick(ctx, true);
    EXPECT_EQ(vars.LinkState, 0);
    EXPECT_EQ(tcp.frames.back().Value(), kGoodbye);
}

TEST_F(LinkMachineTest, AttachedHidDeviceStartsTheLinkOnItsOwn) {
    auto ctx = Ctx();
    HidPresenceChanged(ctx, true);
    EXPECT_EQ(ports.Transport, TransportKind::UsbHid);
    EXPECT_TRUE(vars.Timers.Timer1);
    Timer1Tick(ctx);
    EXPECT_EQ(hid.Count(WRWrite, kAddrHello), 1);
}

TEST_F(LinkMachineTest, WithoutHidDeviceTheFirstChangeSearchesSerialAndTcp) {
    auto ctx = Ctx();
    HidPresenceChanged(ctx, false);
    EXPECT_EQ(ports.Transport, TransportKind::Serial);
    EXPECT_TRUE(vars.Timers.Timer1);
    LinkBtnClick(ctx, false);
    ports.Transport = TransportKind::UsbHid;
    HidPresenceChanged(ctx, false); // seen once already: nothing
    EXPECT_FALSE(vars.Timers.Timer1);
}

TEST_F(LinkMachineTest, HidDeviceRemovedWhileOnlineIsReportedOnlyTheFirstTime) {
    Load(TransportKind::UsbHid);
    ASSERT_EQ(vars.LinkState, 2);
    auto ctx = Ctx();
    HidPresenceChanged(ctx, false);
    EXPECT_EQ(vars.LinkState, 0);
    EXPECT_EQ(observer.messages.back(), "已断开连接!");
    EXPECT_TRUE(vars.Timers.HoldTimer); // it only drains the queue from now on
}

TEST_F(LinkMachineTest, HidDeviceChangeWhileOnlineUnlinks) {
    Load(TransportKind::UsbHid);
    auto ctx = Ctx();
    HidPresenceChanged(ctx, true);
    EXPECT_EQ(vars.LinkState, 0);
    EXPECT_EQ(hid.frames.back().Value(), kGoodbye);
}

} // namespace
} // namespace dsp::test
