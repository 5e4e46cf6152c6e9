#include "params/SlotLayout.h"

#include <array>

namespace dsp {

std::optional<FilterSlots> FilterSlotsOf(int section) {
    switch (section) {
    case SecMusic:
        return FilterSlots{7, 8, 9, 10};
    case SecMic1:
    case SecMic2:
    case SecEcho:
        return FilterSlots{9, 10, 11, 12};
    case SecReverb:
        return FilterSlots{6, 7, 8, 9};
    default:
        if (OutputOfSection(section) != 0)
            return FilterSlots{22, 23, 24, 25};
        return std::nullopt;
    }
}

int AuxBandOfGainAddress(Address a) {
    if (SectionOf(a) != SecAux)
        return 0;
    for (int n = 1; n <= kAuxBandCount; ++n)
        if (SlotOf(a) == AuxGainSlot(n))
            return n;
    return 0;
}

std::string_view OutputName(Variant variant, int k) {
    static constexpr std::array<std::string_view, kOutputCount> namesA = {
        "Main L", "Main R", "SUB", "Center", "SUR L", "SUR R", "REC L", "REC R"};
    static constexpr std::array<std::string_view, kOutputCount> namesB = {
        "Out 1", "Out 2", "Out 3", "Out 4", "Out 5", "Out 6", "Out 7", "Out 8"};
    if (k < 1 || k > kOutputCount)
        return {};
    return variant == Variant::A ? namesA[k - 1] : namesB[k - 1];
}

int RightChannelSection(int outputSection) {
    // The left outputs 1, 5 and 7 (sections 5, 13, 17) pair with the output two sections on.
    for (int left : {5, 13, 17})
        if (outputSection >= left && outputSection <= left + 3)
            return left + 2;
    return 0;
}

} // namespace dsp
