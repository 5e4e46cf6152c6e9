// The tool's link machine against the in-process device with faults on the line: lost,
// corrupted, split, joined and late answers, and a device that falls silent or closes the
// link while loading, while downloading and while online with edits queued. Each case must
// end — online with the device's values, or with exactly the link notice the link rules
// give — and no edit made online may disappear without the user being told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/WritePath.h"
#include "tests/sim/InProcessRig.h"

using namespace dsp;
using namespace dsp::sim;

namespace {

// What the user is shown: message boxes, status texts and discarded writes.
struct Watcher : LinkObserver {
    void ShowMessage(std::string_view chinese, std::string_view) override {
        messages.emplace_back(chinese);
    }
    void LinkLabelWindow(std::string_view, std::string_view english) override {
        status = std::string(english);
    }
    void WritesDiscarded(int count) override { discarded += count; }

    int Count(std::string_view text) const {
        int n = 0;
        for (const auto& m : messages)
            n += m == text ? 1 : 0;
        return n;
    }
    std::vector<std::string> messages;
    std::string status;
    int discarded = 0;
};

constexpr std::string_view kFailed = "连接失败!";
constexpr std::string_view kLost = "已断开连接!";

// The watcher comes first so that the link context can hold it.
struct WatcherHolder {
    Watcher watcher;
};

struct Rig : WatcherHolder, InProcessRig {
    explicit Rig(TransportKind kind, FaultConfig faults = {}, Variant variant = Variant::A)
        : InProcessRig(kind, variant, faults, watcher) {}

    // Online, or a link notice shown (other messages, such as a lost packet, are no end).
    bool Ended() const { return Online() || Notices() > 0; }
    int Notices() const { return watcher.Count(kFailed) + watcher.Count(kLost); }
    bool TimersStopped() const {
        const LinkTimers& t = vars.Timers;
        return !t.Timer1 && !t.Timer2 && !t.Timer3 && !t.HoldTimer;
    }
    bool LinkUp(int limitMs = 120000) {
        LinkBtnClick(ctx, true);
        return RunUntil([&] { return Ended(); }, limitMs) && Online();
    }
    void Settle() {
        RunUntil([] { return false; }, 300);
    }
};

const char* Name(TransportKind k) {
    return k == TransportKind::UsbHid ? "hid" : k == TransportKind::Serial ? "serial" : "tcp";
}

constexpr TransportKind kAll[] = {TransportKind::Serial, TransportKind::Tcp, TransportKind::UsbHid};

enum class Outcome { Online, Failed };

struct LoadCase {
    const char* fault;
    FaultConfig faults;
    Outcome serial, tcp, hid;
};

Outcome Expected(const LoadCase& c, TransportKind k) {
    return k == TransportKind::UsbHid ? c.hid : k == TransportKind::Serial ? c.serial : c.tcp;
}

} // namespace

// Faults on the line during the search and the whole load. A link that comes up holds exactly
// the device's values; one that does not says "连接失败!" once and stops every timer.
TEST(ReliabFault, LoadUnderLineFaults) {
    const LoadCase cases[] = {
        {"drop every 7th answer",
         {.dropEvery = 7},
         Outcome::Online,
         Outcome::Online,
         Outcome::Failed},
        {"corrupt every 5th answer",
         {.corruptEvery = 5},
         Outcome::Online,
         Outcome::Online,
         Outcome::Online},
        // A USB HID device cannot split a report: pieces of one byte are no frames at all.
        {"answers in single bytes",
         {.splitSize = 1},
         Outcome::Online,
         Outcome::Online,
         Outcome::Failed},
        // Each answer arrives with the next one: the serial search tries its port once and moves
        // on; TCP gets there through the repeats of the time-out stages, slowly; USB HID repeats
        // nothing, so the held answer never comes and the load fails.
        {"two answers in one read",
         {.join = true},
         Outcome::Failed,
         Outcome::Online,
         Outcome::Failed},
        // Late answers land in the time-out stages and are taken.
        {"answers 2 s late", {.delayMs = 2000}, Outcome::Online, Outcome::Online, Outcome::Online},
        {"silent at load start",
         {.silentAfter = 2},
         Outcome::Failed,
         Outcome::Failed,
         Outcome::Failed},
        {"silent mid-load", {.silentAfter = 20}, Outcome::Failed, Outcome::Failed, Outcome::Failed},
        {"closes mid-load", {.closeAfter = 20}, Outcome::Failed, Outcome::Failed, Outcome::Failed},
    };
    for (const LoadCase& c : cases) {
        for (TransportKind k : kAll) {
            SCOPED_TRACE(testing::Message() << c.fault << " over " << Name(k));
            Rig rig(k, c.faults);
            LinkBtnClick(rig.ctx, true);
            ASSERT_TRUE(rig.RunUntil([&] { return rig.Ended(); }, 900000)) << "hangs";
            const Outcome got = rig.Online() ? Outcome::Online : Outcome::Failed;
            EXPECT_EQ(got, Expected(c, k));
            if (got == Outcome::Online) {
                EXPECT_TRUE(rig.TablesMatch());
            } else {
                EXPECT_EQ(rig.watcher.Count(kFailed), 1);
                EXPECT_TRUE(rig.TimersStopped());
                EXPECT_EQ(rig.watcher.status, "Off Line");
            }
        }
    }
}

// The device falls silent while the tool downloads the parameter set: the download ends in
// "连接失败!" with the timers stopped, never in a hang or a false "online".
TEST(ReliabFault, SilentDuringDownload) {
    for (TransportKind k : kAll) {
        SCOPED_TRACE(Name(k));
        Rig rig(k);
        ASSERT_TRUE(rig.LinkUp());
        rig.Settle();
        FaultConfig f;
        f.silentAfter = rig.device.Endpoint().FramesReceived() + 5;
        rig.device.Endpoint().SetFaults(f);
        DisCheckWindow(rig.ctx, ModeDownload);
        ASSERT_TRUE(rig.RunUntil([&] { return rig.Notices() > 0; }, 60000));
        EXPECT_FALSE(rig.Online());
        EXPECT_EQ(rig.watcher.Count(kFailed), 1);
        EXPECT_TRUE(rig.TimersStopped());
    }
}

// Edits made online while the device has gone silent (or closed the link): the keep-alive
// declares the link lost, and the edits that never reached the device are reported by count.
TEST(ReliabFault, SilentOnlineWithEditsQueued) {
    for (bool close : {false, true}) {
        for (TransportKind k : kAll) {
            SCOPED_TRACE(testing::Message() << Name(k) << (close ? " closed" : " silent"));
            Rig rig(k);
            ASSERT_TRUE(rig.LinkUp());
            rig.Settle();
            FaultConfig f;
            (close ? f.closeAfter : f.silentAfter) = rig.device.Endpoint().FramesReceived() + 1;
            rig.device.Endpoint().SetFaults(f);
            // One edit goes out and is answered (the last frame before the fault), the next
            // goes out unanswered, the rest queue behind it.
            for (int i = 0; i < 6; ++i)
                SendDatatoMCU(rig.ctx, MakeAddress(SecEcho, i), 40 + i);
            ASSERT_TRUE(rig.RunUntil([&] { return rig.Notices() > 0; }, 30000));
            EXPECT_FALSE(rig.Online());
            EXPECT_EQ(rig.watcher.Count(kLost), 1);
            EXPECT_TRUE(rig.TimersStopped());
            // Every edit either reached the device or is counted as not written.
            int written = 0;
            for (int i = 0; i < 6; ++i)
                written += rig.model.Table().At(SecEcho, i) == 40 + i ? 1 : 0;
            EXPECT_GE(rig.watcher.discarded, 1);
            // The unanswered write counts as not written, even where the device took it.
            EXPECT_GE(written + rig.watcher.discarded, 6);
            EXPECT_TRUE(rig.vars.Queue.Empty());
            EXPECT_NE(rig.watcher.status.find("not written"), std::string::npos)
                << rig.watcher.status;

            // The next link does not report them again.
            const int before = rig.watcher.discarded;
            LinkBtnClick(rig.ctx, true);
            EXPECT_EQ(rig.watcher.discarded, before);
        }
    }
}

// A flaky line while online: edits sent through dropped and corrupted acknowledgements
// all reach the device; where the link is declared lost, the rest are reported.
TEST(ReliabFault, OnlineEditsThroughFlakyLine) {
    const FaultConfig faults[] = {{.dropEvery = 5}, {.corruptEvery = 3}, {.splitSize = 1}};
    for (const FaultConfig& fault : faults) {
        for (TransportKind k : kAll) {
            SCOPED_TRACE(testing::Message() << Name(k) << " drop " << fault.dropEvery << " corrupt "
                                            << fault.corruptEvery);
            Rig rig(k);
            ASSERT_TRUE(rig.LinkUp());
            rig.Settle();
            rig.device.Endpoint().SetFaults(fault);
            for (int i = 0; i < 20; ++i) {
                SendDatatoMCU(rig.ctx, MakeAddress(SecEcho, i), 100 + i);
                rig.RunUntil([] { return false; }, 40);
            }
            rig.RunUntil([&] { return rig.vars.Queue.Empty() && rig.vars.LineFree; }, 20000);
            rig.RunUntil([] { return false; }, 6000);
            int written = 0;
            for (int i = 0; i < 20; ++i)
                written += rig.model.Table().At(SecEcho, i) == 100 + i ? 1 : 0;
            // A lost or broken answer is asked for again, so the link stays up; only USB HID
            // answers cut into single bytes are no reports at all, and that link is lost.
            EXPECT_EQ(rig.Online(), !(k == TransportKind::UsbHid && fault.splitSize == 1));
            if (rig.Online()) {
                EXPECT_EQ(written, 20);
            } else {
                EXPECT_EQ(rig.watcher.Count(kLost), 1);
                EXPECT_GE(written + rig.watcher.discarded, 20);
            }
        }
    }
}

// A section upload and a new link drop the send queue: the count is reported.
TEST(ReliabFault, QueueDropsAreReported) {
    Rig rig(TransportKind::Serial);
    ASSERT_TRUE(rig.LinkUp());
    rig.Settle();
    rig.device.SetConnected(false); // nothing is answered: edits pile up
    for (int i = 0; i < 4; ++i)
        SendDatatoMCU(rig.ctx, MakeAddress(SecEcho, i), 7 + i);
    const int pending = rig.vars.Queue.Pending();
    ASSERT_GT(pending, 0);
    rig.vars.StepPos = 0;
    rig.vars.StepTotal = 0;
    DisCheckWindow(rig.ctx, ModeSectionUpload);
    EXPECT_EQ(rig.watcher.discarded, pending);
    EXPECT_TRUE(rig.vars.Queue.Empty());

    EXPECT_EQ(WritesDiscardedText(3, false), "3 values not written to the device!");
    EXPECT_EQ(WritesDiscardedText(1, false), "1 value not written to the device!");
    EXPECT_EQ(WritesDiscardedText(3, true), "3 个参数未写入设备!");
}
