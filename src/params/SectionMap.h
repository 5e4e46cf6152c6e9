#pragma once

#include <array>

#include "params/ParamTable.h"

namespace dsp {

// Named sections of the parameter tables.
constexpr int SecMusic = 0;
constexpr int SecMic1 = 1;
constexpr int SecMic2 = 2;
constexpr int SecEcho = 3;
constexpr int SecReverb = 4;
constexpr int SecOut = 5; // output k (1-8), set m (0 sing, 1 disco): SecOut + 2 * (k - 1) + m
constexpr int SecAux = 21;
constexpr int SecHint = 22;
constexpr int SecSysVol = 25;
constexpr int SecEqReset = 26;
constexpr int SecSystem = 30;

constexpr int kOutputCount = 8;
constexpr int kBandSlots = 5; // type, frequency, gain, Q (bypass/peak), Q (shelves)

// Band-block offsets.
constexpr int kBandType = 0;
constexpr int kBandFreq = 1;
constexpr int kBandGain = 2;
constexpr int kBandQ = 3;
constexpr int kBandShelfQ = 4;

// Band types.
constexpr int BYPSS = 0;
constexpr int PEQ = 1;
constexpr int LSEQ = 2;
constexpr int HSEQ = 3;

// Slots in use per section (slots 0 .. n-1).
constexpr std::array<int, kSectionCount> SlotCount = {
    66, 116, 116, 64, 61,                                          // 0-4
    79, 79, 79, 79, 79, 79, 79, 79, 79, 79, 79, 79, 79, 79, 79, 79, // 5-20
    43, 26, 26, 26, 11, 18, 0,  0,  0,  35};                       // 21-30

// First EQ slot per section; 0 where the section has no EQ.
constexpr std::array<int, kSectionCount> FirstEqSlot = {
    13, 15, 15, 14, 11,                                            // 0-4
    27, 27, 27, 27, 27, 27, 27, 27, 27, 27, 27, 27, 27, 27, 27, 27, // 5-20
    1,  1,  1,  1,  0,  0,  0,  0,  0,  0};

// EQ bands per section; 0 where the section has no EQ.
constexpr std::array<int, kSectionCount> BandCount = {
    10, 20, 20, 10, 10,                                            // 0-4
    10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, // 5-20
    6,  5,  5,  5,  0,  0,  0,  0,  0,  0};

// EQ block per section (the reset slot in SecEqReset); -1 where the section has no EQ.
constexpr std::array<int, kSectionCount> EqBlock = {
    0,  1,  2,  3,  4,                                 // 0-4
    5,  5,  6,  6,  7,  7,  8,  8,  9,  9,  10, 10, 11, 11, 12, 12, // 5-20
    16, 13, 14, 15, -1, -1, -1, -1, -1, -1};

// View sections in the order the view rebuild walks them.
constexpr std::array<int, 10> ViewSections = {0, 1, 3, 4, 5, 21, 22, 25, 26, 30};

// EQ kind of a section: 0 music, 1 microphones, 2 effects, 3 outputs and others,
// 4 hidden EQ, 6 auxiliary.
constexpr int EqClassOfSection(int section) {
    if (section == 0)
        return 0;
    if (section == 1 || section == 2)
        return 1;
    if (section == 3 || section == 4)
        return 2;
    if (section == 21)
        return 6;
    if (section >= 22 && section <= 24)
        return 4;
    return 3;
}
constexpr int EqClassOf(Address a) { return EqClassOfSection(SectionOf(a)); }

// First section of output k (1-8).
constexpr int OutputFirstSection(int k) { return SecOut + 2 * (k - 1); }

} // namespace dsp
