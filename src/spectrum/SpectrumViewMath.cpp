#include "spectrum/SpectrumViewMath.h"

#include <memory>

// capture.cmake defines DSP_HAVE_SPECTRUM_MATH=1 when the spectrum math is in the tree.
#ifndef DSP_HAVE_SPECTRUM_MATH
#define DSP_HAVE_SPECTRUM_MATH 0
#endif
#if DSP_HAVE_SPECTRUM_MATH
#include "spectrum/SpectrumMath.h"
#endif

namespace dsp {

#if DSP_HAVE_SPECTRUM_MATH

SpectrumViewMath MakeSpectrumViewMath() {
    auto transform = std::make_shared<SpectrumTransform>();
    return {
        [transform](std::span<const std::uint8_t> samples) { transform->ComputeSpectrum(samples); },
        [transform](int width, int height, bool lowTrigger) {
            return SpectrumColumns(transform->Output(), width, height, lowTrigger);
        }};
}

bool SpectrumViewHasMath() {
    return true;
}

#else

// STUB while the spectrum math is not part of the build: no transform and no bars.
SpectrumViewMath MakeSpectrumViewMath() {
    return {};
}

bool SpectrumViewHasMath() {
    return false;
}

#endif

} // namespace dsp
