#include <gtest/gtest.h>

#include "params/ParamStore.h"
#include "params/SectionMap.h"
#include "params/SlotLayout.h"

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

TEST(ParamStore, InitialDeviceTableIsZeroElsewhere) {
    ParamStore store;
    store.DeviceTable.At(SecEqReset, 5) = -1;
    store.ResetDeviceTable();
    ParamTable expected;
    const int gains[6] = {1, 10, 11, 12, 13, 14};
    for (int i = 0; i < 6; ++i)
        expected.At(SecMusic, i) = gains[i];
    expected.At(SecMusic, 10) = 360;
    expected.At(SecMusic, 63) = 1;
    expected.At(SecMusic, 65) = 1;
    for (int s : {SecMic1, SecMic2, SecEcho})
        expected.At(s, 12) = 360;
    expected.At(SecReverb, 9) = 360;
    for (int s = SecOut; s <= 20; ++s)
        expected.At(s, 25) = 360;
    expected.At(SecSystem, 20) = 4;
    expected.At(SecSystem, 21) = 1;
    for (int s = 0; s < kSectionCount; ++s)
        for (int k = 0; k < kSlotCount; ++k)
            EXPECT_EQ(store.DeviceTable.At(s, k), expected.At(s, k)) << s << "." << k;
    // Every low-pass frequency slot starts at the top of the frequency table.
    for (int s : {0, 1, 2, 3, 4, 5, 20})
        EXPECT_EQ(store.DeviceTable.At(s, FilterSlotsOf(s)->lpFreq), 360) << s;
}
