#include <gtest/gtest.h>

#include "params/BandDecode.h"
#include "params/SlotLayout.h"

using namespace dsp;

TEST(SlotLayout, FilterSlotsAndTheirPseudoBands) {
    struct Row {
        int section;
        int hpType, lpType;
    } rows[] = {{0, 7, 9}, {1, 9, 11},  {2, 9, 11},   {3, 9, 11},
                {4, 6, 8}, {5, 22, 24}, {12, 22, 24}, {20, 22, 24}};
    for (const Row& r : rows) {
        const auto f = FilterSlotsOf(r.section);
        ASSERT_TRUE(f) << r.section;
        EXPECT_EQ(f->hpType, r.hpType);
        EXPECT_EQ(f->hpFreq, r.hpType + 1);
        EXPECT_EQ(f->lpType, r.lpType);
        EXPECT_EQ(f->lpFreq, r.lpType + 1);
    }
    for (int s : {21, 22, 25, 30})
        EXPECT_FALSE(FilterSlotsOf(s)) << s;
    // The filter-type change redraws the same pseudo-band DecodeBand gives the filter slots.
    for (int s : {0, 1, 3, 4, 5}) {
        const FilterSlots f = *FilterSlotsOf(s);
        EXPECT_EQ(DecodedBand(DecodeBand(MakeAddress(s, f.hpFreq))), FilterPseudoBand(s, false));
        EXPECT_EQ(DecodedBand(DecodeBand(MakeAddress(s, f.lpType))), FilterPseudoBand(s, true));
    }
}

TEST(SlotLayout, BypassAllSlots) {
    struct Row {
        int section, slot;
    } rows[] = {{0, 12},  {1, 14}, {2, 14}, {3, 13},  {4, 10},  {5, 26},
                {20, 26}, {22, 0}, {23, 0}, {21, -1}, {25, -1}, {30, -1}};
    for (const Row& r : rows)
        EXPECT_EQ(BypassAllSlot(r.section), r.slot) << r.section;
}

TEST(SlotLayout, AuxiliaryBandSlots) {
    const int gainSlots[] = {3, 8, 13, 18, 23, 28};
    for (int n = 1; n <= kAuxBandCount; ++n) {
        EXPECT_EQ(AuxGainSlot(n), gainSlots[n - 1]);
        EXPECT_EQ(AuxBandOfGainAddress(MakeAddress(SecAux, gainSlots[n - 1])), n);
        EXPECT_EQ(AuxMaxBoostSlot(n), 29 + 2 * n);
        EXPECT_EQ(AuxMaxCutSlot(n), 30 + 2 * n);
    }
    EXPECT_EQ(AuxMaxBoostSlot(1), 31);
    EXPECT_EQ(AuxMaxCutSlot(6), 42);
    EXPECT_EQ(AuxBandOfGainAddress(MakeAddress(SecAux, 4)), 0);
    EXPECT_EQ(AuxBandOfGainAddress(MakeAddress(SecHint, 3)), 0);
}

TEST(SlotLayout, OutputsPerVariant) {
    EXPECT_EQ(OutputName(Variant::A, 1), "Main L");
    EXPECT_EQ(OutputName(Variant::A, 3), "SUB");
    EXPECT_EQ(OutputName(Variant::A, 4), "Center");
    EXPECT_EQ(OutputName(Variant::A, 8), "REC R");
    EXPECT_EQ(OutputName(Variant::B, 1), "Out 1");
    EXPECT_EQ(OutputName(Variant::B, 8), "Out 8");
    EXPECT_EQ(OutputName(Variant::A, 0), "");
    EXPECT_EQ(OutputName(Variant::B, 9), "");

    struct Row {
        int section, output, right;
    } rows[] = {{4, 0, 0},  {5, 1, 7},   {6, 1, 7},   {7, 2, 7},   {8, 2, 7},   {9, 3, 0},
                {12, 4, 0}, {13, 5, 15}, {16, 6, 15}, {17, 7, 19}, {20, 8, 19}, {21, 0, 0}};
    for (const Row& r : rows) {
        EXPECT_EQ(OutputOfSection(r.section), r.output) << r.section;
        EXPECT_EQ(RightChannelSection(r.section), r.right) << r.section;
    }
}

TEST(SlotLayout, MusicGainSlotPerInputSource) {
    const int slots[] = {0, 0, 1, 2, 3, 4, 5, 5, 5, 5};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(MusicGainSlotForInput(x), slots[x]) << x;
}
