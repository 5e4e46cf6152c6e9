#include <gtest/gtest.h>

#include "params/BandDecode.h"
#include "params/SectionMap.h"

using namespace dsp;

namespace {

struct DecodeCase {
    int section, slot;
    int band, offset; // offset kNotEqOffset: not an EQ slot
};

constexpr int N = kNotEqOffset;

const DecodeCase kDecodeCases[] = {
    // Music: filters are pseudo-bands 10 and 11; bands 0-9 at slots 13-62.
    {0, 6, 0, N},
    {0, 7, 10, 0},
    {0, 8, 10, 0},
    {0, 9, 11, 0},
    {0, 10, 11, 0},
    {0, 11, 0, N},
    {0, 12, 0, N},
    {0, 13, 0, 0},
    {0, 17, 0, 4},
    {0, 18, 1, 0},
    {0, 62, 9, 4},
    {0, 63, 0, N},
    {0, 65, 0, N},
    // Microphone 1; microphone 2 is only ever shown through section 1.
    {1, 9, 20, 0},
    {1, 12, 21, 0},
    {1, 14, 0, N},
    {1, 15, 0, 0},
    {1, 114, 19, 4},
    {1, 115, 0, N},
    {2, 9, 0, N},
    {2, 15, 0, N},
    // Echo and reverb.
    {3, 9, 10, 0},
    {3, 12, 11, 0},
    {3, 13, 0, N},
    {3, 14, 0, 0},
    {3, 63, 9, 4},
    {4, 6, 10, 0},
    {4, 9, 11, 0},
    {4, 10, 0, N},
    {4, 11, 0, 0},
    {4, 60, 9, 4},
    // Outputs through section 5 only.
    {5, 21, 0, N},
    {5, 22, 10, 0},
    {5, 23, 10, 0},
    {5, 24, 11, 0},
    {5, 25, 11, 0},
    {5, 26, 0, N},
    {5, 27, 0, 0},
    {5, 76, 9, 4},
    {5, 77, 0, N},
    {6, 27, 0, N},
    {20, 30, 0, N},
    // Auxiliary: slot 0 is the gain step, limits above slot 30.
    {21, 0, 0, N},
    {21, 1, 0, 0},
    {21, 3, 0, 2},
    {21, 30, 5, 4},
    {21, 31, 0, N},
    // Hidden EQ: slot 0 reads as band 0's type slot; sections 23, 24 never decode.
    {22, 0, 0, 0},
    {22, 1, 0, 0},
    {22, 25, 4, 4},
    {23, 1, 0, N},
    {24, 1, 0, N},
    {25, 0, 0, N},
    {30, 4, 0, N},
};

} // namespace

TEST(BandDecode, DecodeBandOfAddresses) {
    for (const DecodeCase& c : kDecodeCases) {
        const int decoded = DecodeBand(MakeAddress(c.section, c.slot));
        EXPECT_EQ(decoded, c.offset + c.band * 256) << c.section << "." << c.slot;
    }
}

TEST(BandDecode, NotEqEncodingAndHelpers) {
    EXPECT_EQ(DecodeBand(MakeAddress(5, 26)), 255);
    EXPECT_EQ(DecodeBand(MakeAddress(5, 24)), 11 * 256);
    EXPECT_EQ(DecodeBand(-1), 255);
    EXPECT_FALSE(IsEqDecode(DecodeBand(MakeAddress(21, 0))));
    const int d = DecodeBand(MakeAddress(1, 114));
    EXPECT_TRUE(IsEqDecode(d));
    EXPECT_EQ(DecodedBand(d), 19);
    EXPECT_EQ(DecodedOffset(d), 4);
}

TEST(BandDecode, LiveQAddressFollowsTheBandType) {
    struct QCase {
        int section, band; // band counted from 0
    } bands[] = {{0, 0}, {0, 9}, {1, 19}, {3, 4}, {4, 0}, {5, 9}, {21, 5}, {22, 4}};
    for (const QCase& b : bands) {
        const Address type = MakeAddress(b.section, FirstEqSlot[b.section] + 5 * b.band);
        for (int t = BYPSS; t <= HSEQ; ++t) {
            ParamTable view;
            view[type] = t;
            const Address live = type + (t <= PEQ ? kBandQ : kBandShelfQ);
            EXPECT_EQ(LiveQAddress(type + kBandQ, view), live) << b.section << "/" << b.band;
            EXPECT_EQ(LiveQAddress(type + kBandShelfQ, view), live) << b.section << "/" << b.band;
            // Other offsets of the band come back unchanged.
            EXPECT_EQ(LiveQAddress(type + kBandFreq, view), type + kBandFreq);
            EXPECT_EQ(LiveQAddress(type + kBandGain, view), type + kBandGain);
        }
    }
}

TEST(BandDecode, LiveQAddressLeavesOtherAddressesAlone) {
    ParamTable view;
    view[MakeAddress(2, 15)] = LSEQ;
    for (Address a : {MakeAddress(0, 7), MakeAddress(0, 10), MakeAddress(2, 18), MakeAddress(23, 4),
                      MakeAddress(30, 4), MakeAddress(21, 0)})
        EXPECT_EQ(LiveQAddress(a, view), a) << a;
    // The music Q edit carries offset 4 of band 1 (address 17).
    EXPECT_EQ(LiveQAddress(17, view), 16);
    view[13] = HSEQ;
    EXPECT_EQ(LiveQAddress(17, view), 17);
    EXPECT_EQ(LiveQAddress(16, view), 17);
}
