#include <gtest/gtest.h>

#include "params/ParamStore.h"
#include "params/SectionMap.h"

using namespace dsp;

TEST(ParamStore, InitialDeviceTableHoldsStartValues) {
    ParamStore store;
    store.DeviceTable.At(7, 3) = 99; // stale value must be cleared
    store.ResetDeviceTable();
    const int gains[6] = {1, 10, 11, 12, 13, 14};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(store.DeviceTable.At(SecMusic, i), gains[i]);
    for (int s = SecOut; s <= 20; ++s) {
        EXPECT_EQ(store.DeviceTable.At(s, 25), 360) << "low-pass of section " << s;
        EXPECT_EQ(store.DeviceTable.At(s, 23), 0) << "high-pass of section " << s;
    }
    EXPECT_EQ(store.DeviceTable.At(7, 3), 0);
    EXPECT_EQ(store.DeviceTable.At(SecSystem, 20), 4);
    EXPECT_EQ(store.DeviceTable.At(SecSystem, 21), 1);
}

TEST(SectionMap, BandBlocksFitInsideTheirSections) {
    for (int s = 0; s < kSectionCount; ++s) {
        if (BandCount[s] == 0)
            continue;
        EXPECT_LE(FirstEqSlot[s] + kBandSlots * BandCount[s], SlotCount[s]) << "section " << s;
    }
}
