#include "eq/EqGraphBands.h"

#include <gtest/gtest.h>

#include "params/SectionMap.h"

namespace dsp {
namespace {

// Writes one band block: type, frequency index, raw gain, Q index (both Q slots).
void SetBand(ParamTable& t, int section, int band, int type, int freq, int gain, int q,
             int shelfQ = 0) {
    const int base = FirstEqSlot[size_t(section)] + kBandSlots * band;
    t.At(section, base + kBandType) = type;
    t.At(section, base + kBandFreq) = freq;
    t.At(section, base + kBandGain) = gain;
    t.At(section, base + kBandQ) = q;
    t.At(section, base + kBandShelfQ) = shelfQ;
}

TEST(EqGraphBands, ResultCountsBandsAndFilters) {
    ParamTable t;
    struct Row {
        int section;
        bool hintThird;
        int result;
    } rows[] = {{SecMusic, true, 209},  {SecMic1, true, 219}, {SecEcho, true, 209},
                {SecReverb, true, 209}, {SecOut, true, 209},  {SecOut + 3, true, 209},
                {SecAux, true, 5},      {SecHint, true, 4},   {SecHint, false, 1}};
    for (const Row& r : rows) {
        BandList list;
        BandListContext ctx;
        ctx.hintThirdGroupVisible = r.hintThird;
        EXPECT_EQ(LoadBandList(list, t, kAllBands, r.section, ctx), r.result) << r.section;
    }
}

TEST(EqGraphBands, ReadsTheBandBlock) {
    ParamTable t;
    SetBand(t, SecMusic, 2, PEQ, 204, 90, 28, 5);   // band 3: 1000 Hz, -6 dB, Q 2.00
    SetBand(t, SecMusic, 3, LSEQ, 100, 150, 28, 5); // shelf: Q from the shelf slot
    BandList list;
    LoadBandList(list, t, kAllBands, SecMusic, {});
    EXPECT_EQ(list.bands[2].type, PEQ);
    EXPECT_FLOAT_EQ(list.bands[2].freq, 1000);
    EXPECT_FLOAT_EQ(list.bands[2].gain, -6);
    EXPECT_FLOAT_EQ(list.bands[2].q, 2.0f);
    EXPECT_EQ(list.bands[3].type, LSEQ);
    EXPECT_FLOAT_EQ(list.bands[3].gain, 6);
    EXPECT_FLOAT_EQ(list.bands[3].q, 0.53f);
    EXPECT_EQ(list.freqAddr[2], MakeAddress(SecMusic, 13 + 10 + 1));
    EXPECT_EQ(list.gainAddr[2], MakeAddress(SecMusic, 13 + 10 + 2));
    EXPECT_EQ(list.qAddr[2], MakeAddress(SecMusic, 13 + 10 + 3));
}

TEST(EqGraphBands, SingleBandLeavesTheOthersAndTheControlArrays) {
    ParamTable t;
    SetBand(t, SecMusic, 0, PEQ, 10, 100, 10);
    SetBand(t, SecMusic, 1, PEQ, 20, 110, 10);
    BandList list;
    LoadBandList(list, t, 0, SecMusic, {});
    EXPECT_FLOAT_EQ(list.bands[0].gain, -4);
    EXPECT_EQ(list.bands[1].type, 0);        // not loaded
    EXPECT_EQ(list.freqAddr[0], -1);         // controls only come with a full load
    EXPECT_EQ(list.freqAddr[kHpfPoint], -1); // band 0 < last band: filters untouched
}

TEST(EqGraphBands, CrossoverFilters) {
    struct Row {
        int section, hpType, hpFreq, lpType, lpFreq;
    } rows[] = {{SecMusic, 7, 8, 9, 10},
                {SecMic1, 9, 10, 11, 12},
                {SecEcho, 9, 10, 11, 12},
                {SecReverb, 6, 7, 8, 9},
                {SecOut, 22, 23, 24, 25}};
    for (const Row& r : rows) {
        ParamTable t;
        t.At(r.section, r.hpType) = 2;
        t.At(r.section, r.hpFreq) = 73; // 80.3 Hz
        t.At(r.section, r.lpType) = 1;
        t.At(r.section, r.lpFreq) = 324; // 10100 Hz
        BandList list;
        const int res = LoadBandList(list, t, kAllBands, r.section, {});
        const int e = res % 100;
        EXPECT_EQ(list.bands[size_t(e + 1)].type, 102) << r.section;
        EXPECT_FLOAT_EQ(list.bands[size_t(e + 1)].freq, 80.3f);
        EXPECT_EQ(list.bands[size_t(e + 2)].type, 201);
        EXPECT_FLOAT_EQ(list.bands[size_t(e + 2)].freq, 10100);
        EXPECT_EQ(list.freqAddr[kHpfPoint], MakeAddress(r.section, r.hpFreq));
        EXPECT_EQ(list.freqAddr[size_t(e + 1)], MakeAddress(r.section, r.hpFreq));
        EXPECT_EQ(list.freqAddr[kLpfPoint], MakeAddress(r.section, r.lpFreq));
        EXPECT_EQ(list.gainAddr[kHpfPoint], -1);
    }
}

TEST(EqGraphBands, FiltersAtTheirEndsDrawFlat) {
    ParamTable t;
    t.At(SecMusic, 7) = 2;
    t.At(SecMusic, 8) = 0; // high-pass at index 0
    t.At(SecMusic, 9) = 2;
    t.At(SecMusic, 10) = 360; // low-pass at the top
    BandList list;
    LoadBandList(list, t, kAllBands, SecMusic, {});
    EXPECT_EQ(list.bands[10].type, 100);
    EXPECT_FLOAT_EQ(list.bands[10].freq, 19.0f);
    EXPECT_EQ(list.bands[11].type, 200);
    EXPECT_FLOAT_EQ(list.bands[11].freq, 20200);
}

TEST(EqGraphBands, AuxiliaryShowsOneGroupOfThree) {
    ParamTable t;
    for (int b = 0; b < 6; ++b)
        SetBand(t, SecAux, b, PEQ, 100, 150, 10);
    for (bool first : {false, true}) {
        BandList list;
        BandListContext ctx;
        ctx.auxFirstGroupActive = first;
        LoadBandList(list, t, kAllBands, SecAux, ctx);
        for (int b = 0; b < 6; ++b)
            EXPECT_EQ(list.bands[size_t(b)].type, (b < 3) == first ? PEQ : BYPSS) << b;
    }
}

TEST(EqGraphBands, StrayStoredIndicesStayInsideTheTables) {
    ParamTable t;
    SetBand(t, SecMusic, 0, PEQ, 999, 120, 150);
    SetBand(t, SecMusic, 1, PEQ, -5, 120, -1);
    BandList list;
    LoadBandList(list, t, kAllBands, SecMusic, {});
    EXPECT_FLOAT_EQ(list.bands[0].freq, 20200);
    EXPECT_FLOAT_EQ(list.bands[0].q, 128);
    EXPECT_FLOAT_EQ(list.bands[1].freq, 19.7f);
    EXPECT_FLOAT_EQ(list.bands[1].q, 0.4f);
}

} // namespace
} // namespace dsp
