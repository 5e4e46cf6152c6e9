#pragma once

#include "params/ParamTable.h"

namespace dsp {

// EQ band decode of an address: offset + band * 256, band counted from 0. High-pass and
// low-pass slots decode to pseudo-bands after the last real band, offset 0.
constexpr int kNotEqOffset = 255; // offset of an address that is no EQ slot (band 0)
constexpr int kNotEq = kNotEqOffset;

constexpr int DecodedBand(int decoded) {
    return decoded / 256;
}
constexpr int DecodedOffset(int decoded) {
    return decoded % 256;
}
constexpr bool IsEqDecode(int decoded) {
    return DecodedOffset(decoded) != kNotEqOffset;
}

// Band and offset of an EQ address, or kNotEq when the address is not an EQ slot.
int DecodeBand(Address a);

// For a Q slot (offset 3 or 4): the Q slot live for the band's type in `view` (offset 3 for
// BYPSS/PEQ, offset 4 for LSEQ/HSEQ); any other address comes back unchanged.
Address LiveQAddress(Address a, const ParamTable& view);

} // namespace dsp
