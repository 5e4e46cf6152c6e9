#pragma once

#include <array>
#include <cstdint>

namespace dsp {

constexpr int kSectionCount = 31;
constexpr int kSlotCount = 165;

// A 16-bit parameter address: section * 256 + slot.
using Address = int;

constexpr Address MakeAddress(int section, int slot) { return section * 256 + slot; }
constexpr int SectionOf(Address a) { return a / 256; }
constexpr int SlotOf(Address a) { return a % 256; }
constexpr bool IsValidAddress(Address a) {
    return a >= 0 && SectionOf(a) < kSectionCount && SlotOf(a) < kSlotCount;
}

// 31 sections x 165 signed 32-bit values, stored section after section, zero at start.
class ParamTable {
public:
    int32_t& At(int section, int slot) { return values_[Index(section, slot)]; }
    int32_t At(int section, int slot) const { return values_[Index(section, slot)]; }
    int32_t& operator[](Address a) { return At(SectionOf(a), SlotOf(a)); }
    int32_t operator[](Address a) const { return At(SectionOf(a), SlotOf(a)); }

    int32_t* Section(int section) { return &values_[Index(section, 0)]; }
    const int32_t* Section(int section) const { return &values_[Index(section, 0)]; }

    void Clear() { values_.fill(0); }
    bool operator==(const ParamTable&) const = default;

private:
    static constexpr int Index(int section, int slot) { return section * kSlotCount + slot; }
    std::array<int32_t, kSectionCount * kSlotCount> values_{};
};

} // namespace dsp
