#include "spectrum/SpectrumMath.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "eq/EqGeometry.h"

namespace dsp {

SpectrumTransform::SpectrumTransform()
    : plan_(SpectrumFFTLength), input_(SpectrumFFTLength), output_(SpectrumFFTLength) {}

bool SpectrumTransform::ComputeSpectrum(std::span<const uint8_t> samples) {
    if (samples.empty())
        return false;
    const size_t count = std::min<size_t>(samples.size(), SpectrumBlockLength);
    std::fill(input_.begin(), input_.end(), TComplex{});
    for (size_t i = 0; i < count; ++i)
        input_[i].Re = static_cast<float>(samples[i] / 128.0 - 1.0);
    const FftStatus status = plan_.Execute(input_.data(), output_.data());
    assert(status == FftStatus::Ok); // 2048 = 4 * 8 * 8 * 8
    (void)status;
    // Tame the lowest bins: a DC offset and the rumble just above it would fill the left bars.
    for (int k = 0; k < 3; ++k)
        output_[k] = ComplexScale(output_[k], 0.1 * k * k * k);
    return true;
}

SpectrumAction SpectrumTicker::Step(bool spectrumOn, bool dragInProgress) {
    if (dragInProgress || !spectrumOn)
        return SpectrumAction::None;
    ++SpectrumTick;
    if (SpectrumTick == 5)
        return SpectrumAction::Compute;
    if (SpectrumTick > 10) {
        SpectrumTick = 0;
        return SpectrumAction::Draw;
    }
    return SpectrumAction::None;
}

double LevelToY(bool lowTrigger, double magnitude, int height) {
    const double floorDb = lowTrigger ? -64.0 : -52.0;
    double m = magnitude > 120.0 ? 120.0 : magnitude;
    if (m == 0.0)
        m = 0.001;
    double level = 20.0 * std::log10(m / 128.0);
    level = std::clamp(level, floorDb, 0.0);
    return (height - 2) - (level - floorDb) / (0.0 - floorDb) * (height - 1);
}

int SpectrumSlotWidth(int width) {
    return std::max(width / 120, 1);
}

std::vector<int> SpectrumColumns(std::span<const TComplex> spectrum, int width, int height,
                                 bool lowTrigger) {
    std::vector<int> rows;
    if (width < 0)
        return rows;
    rows.assign(static_cast<size_t>(width) + 1, height);
    if (width == 0 || spectrum.empty())
        return rows; // no plot area (or nothing transformed yet): no bars
    const int g = SpectrumSlotWidth(width);
    const double xScale = EqXScale(width);
    const int lastBin = static_cast<int>(spectrum.size()) - 1;
    int y = height;
    for (int x = 0; x <= width; ++x) {
        if (x % g == 0) {
            const int k = x / g;
            const double f = XToFreq(x + g / 2, xScale);
            const int bin = std::clamp(RoundPx(f / SpectrumBinHz), 0, lastBin);
            double row = LevelToY(lowTrigger, ComplexAbs(spectrum[bin]), height);
            if (k < static_cast<int>(SpectrumBarWeights.size()))
                row *= SpectrumBarWeights[k];
            y = RoundPx(row);
        } else if (x % g > g - 3) {
            y = height;
        }
        rows[x] = y;
    }
    return rows;
}

} // namespace dsp
