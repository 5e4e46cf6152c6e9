#pragma once

// The band list of the EQ graph: type, frequency, gain and Q of every EQ band and crossover
// filter of the section shown, read from ViewTable, and the addresses the point drag writes to.

#include <array>
#include <optional>

#include "eq/EqGraphGeometry.h"
#include "params/ParamTable.h"

namespace dsp {

struct BandEntry {
    int type = 0; // 0-3 EQ band types, 100 + x high-pass, 200 + x low-pass
    float freq = 0;
    float gain = 0;
    float q = 0;
};

struct BandList {
    std::array<BandEntry, kPointCount> bands{};
    // Address of the control that edits each point's frequency, gain and Q (-1: none). Entries
    // 20 and 21 of the frequency array are the high-pass and low-pass frequency displays.
    std::array<Address, kPointCount> freqAddr;
    std::array<Address, kPointCount> gainAddr;
    std::array<Address, kPointCount> qAddr;
    BandList() {
        freqAddr.fill(-1);
        gainAddr.fill(-1);
        qAddr.fill(-1);
    }
};

// Page facts that the band list depends on besides the table.
struct BandListContext {
    bool hintThirdGroupVisible = true; // HintEQGroupBox3 shown on the hidden-EQ page
    bool auxFirstGroupActive = false;  // a point label of auxiliary bands 1-3 is highlighted
};

// Slots of a section's high-pass and low-pass filters (type, then frequency).
struct CrossoverSlots {
    int hpType, hpFreq, lpType, lpFreq;
};
std::optional<CrossoverSlots> CrossoverSlotsOf(int section);

// Index of the last EQ band shown for the section.
int LastEqBand(int section, const BandListContext& ctx);

// Fills the band list for one band (0-21) or all (kAllBands). Returns 200 + the last EQ band
// index when the section has crossover filters, else the last EQ band index.
int LoadBandList(BandList& list, const ParamTable& view, int band, int section,
                 const BandListContext& ctx);

} // namespace dsp
