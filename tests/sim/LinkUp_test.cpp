// The link machine of the tool against the in-process device: search, handshake, the whole
// load, and mode recalls, on each kind of link and in both variants, with the timers stepped
// on a fake clock.
#include <gtest/gtest.h>

#include "link/WritePath.h"
#include "tests/sim/InProcessRig.h"

using namespace dsp;
using namespace dsp::sim;

namespace {

using Rig = InProcessRig;

struct Case {
    TransportKind kind;
    Variant variant;
    int requests; // read requests of the whole load
};

void LinkUpAndRecall(const Case& c) {
    SCOPED_TRACE(testing::Message()
                 << "link " << int(c.kind) << " variant " << (c.variant == Variant::A ? "A" : "B"));
    Rig rig(c.kind, c.variant);
    rig.model.Table().At(SecMic2, 100) = 513; // a two-byte value in a late USB packet
    LinkBtnClick(rig.ctx, true);
    ASSERT_TRUE(rig.RunUntil([&] { return rig.vars.LinkState == 2; }, 30000));

    int reads = 0;
    for (const DeviceFrame& f : rig.model.Received())
        reads += f.mode == kModeRead ? 1 : 0;
    EXPECT_EQ(reads, c.requests);
    for (int s = 0; s <= SecSysVol; ++s) {
        for (int k = 0; k < SlotCount[s]; ++k)
            ASSERT_EQ(rig.store.DeviceTable.At(s, k), rig.model.Table().At(s, k)) << s << "/" << k;
    }
    for (int i = 0; i < kModeCount; ++i) {
        EXPECT_EQ(rig.vars.ModeNames[size_t(i)], rig.model.Mode(kBankMain, i).name);
        EXPECT_EQ(rig.vars.ModeNames2[size_t(i)], rig.model.Mode(kBankHidden, i).name);
    }
    EXPECT_EQ(rig.vars.LinkPassword, rig.model.Password());
    EXPECT_EQ(rig.model.LastHandshake(), c.variant == Variant::A ? 1 : 0);

    // Let the online step's writes drain, then recall bank-1 mode 3 (index 2): a full
    // reload follows.
    rig.RunUntil([] { return false; }, 200);
    SendDatatoMCU(rig.ctx, 0x1E02, 2);
    ASSERT_TRUE(rig.RunUntil([&] { return rig.vars.LinkState == 2; }, 30000));
    EXPECT_EQ(rig.model.CurrentMode(kBankMain), 2);
    EXPECT_EQ(rig.store.DeviceTable.At(SecEcho, 0),
              rig.model.Mode(kBankMain, 2).params.At(SecEcho, 0));
    EXPECT_EQ(rig.store.DeviceTable.At(SecSystem, 2), 2);

    // Bank-2 mode 2 (index 1, "Warm"): sections 22 to 24 are reloaded.
    rig.RunUntil([] { return false; }, 200);
    SendDatatoMCU(rig.ctx, 0x1E22, 1);
    ASSERT_TRUE(rig.RunUntil([&] { return rig.vars.LinkState == 2; }, 30000));
    EXPECT_EQ(rig.store.DeviceTable.At(23, 3), rig.model.Mode(kBankHidden, 1).params.At(23, 3));

    // An ordinary edit reaches the device and the link stays up through the keep-alive.
    SendDatatoMCU(rig.ctx, MakeAddress(SecEcho, 5), 77);
    EXPECT_FALSE(rig.RunUntil([&] { return rig.vars.LinkState != 2; }, 3000));
    EXPECT_EQ(rig.model.Table().At(SecEcho, 5), 77);
}

} // namespace

TEST(LinkUp, SerialAndTcp) {
    const Case cases[] = {
        {TransportKind::Serial, Variant::A, 69},
        {TransportKind::Serial, Variant::B, 67},
        {TransportKind::Tcp, Variant::A, 69},
        {TransportKind::Tcp, Variant::B, 67},
    };
    for (const Case& c : cases)
        LinkUpAndRecall(c);
}

TEST(LinkUp, UsbHid) {
    const Case cases[] = {
        {TransportKind::UsbHid, Variant::A, 136},
        {TransportKind::UsbHid, Variant::B, 134},
    };
    for (const Case& c : cases)
        LinkUpAndRecall(c);
}
