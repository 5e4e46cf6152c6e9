#include "spectrum/SpectrumViewMath.h"

#include <memory>

#include "spectrum/SpectrumMath.h"

namespace dsp {

SpectrumViewMath MakeSpectrumViewMath() {
    auto transform = std::make_shared<SpectrumTransform>();
    return {
        [transform](std::span<const std::uint8_t> samples) { transform->ComputeSpectrum(samples); },
        [transform](int width, int height, bool lowTrigger) {
            return SpectrumColumns(transform->Output(), width, height, lowTrigger);
        }};
}

} // namespace dsp
