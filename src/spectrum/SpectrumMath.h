#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "eq/Complexs.h"
#include "eq/FFTs.h"

namespace dsp {

// Length of the spectrum transform; the audio block (1024 unsigned 8-bit samples, 128 =
// silence, 48 000 samples a second) is zero-padded to it.
constexpr int SpectrumFFTLength = 2048;
constexpr int SpectrumBlockLength = 1024;

// Bin width used to look a frequency up in the transform (the exact width is 23.4375 Hz).
constexpr int SpectrumBinHz = 23;

// Factors applied to the row of the lowest 47 bars: a factor below 1 raises the bar.
inline constexpr std::array<float, 47> SpectrumBarWeights = {
    0.40f, 0.42f, 0.25f, 0.47f, 0.30f, 0.53f, 0.76f, 0.69f, 0.73f, 0.57f, 0.31f, 0.45f,
    0.79f, 0.84f, 0.89f, 0.94f, 0.90f, 0.92f, 0.95f, 0.77f, 0.86f, 0.93f, 0.86f, 0.89f,
    0.93f, 0.87f, 0.91f, 0.85f, 0.99f, 0.94f, 0.99f, 0.94f, 0.96f, 0.92f, 0.95f, 0.97f,
    0.96f, 0.93f, 0.96f, 0.99f, 0.93f, 0.97f, 0.96f, 0.95f, 0.99f, 0.94f, 0.99f};

// The spectrum transform: its input and output arrays and the FFT plan, made once.
class SpectrumTransform {
public:
    SpectrumTransform();

    // Transforms one audio block: sample / 128 - 1 into the real parts of the first 1024
    // cells, every other cell 0, no window; then the three lowest bins are tamed (bin k
    // scaled by 0.1 k^3: bin 0 becomes 0, bin 1 is scaled by 0.1, bin 2 by 0.8). Samples past
    // 1024 are ignored; a shorter block is padded with silence. An empty block computes
    // nothing and returns false.
    bool ComputeSpectrum(std::span<const uint8_t> samples);

    const std::vector<TComplex>& Output() const { return output_; }

private:
    MixedRadixPlan plan_;
    std::vector<TComplex> input_;
    std::vector<TComplex> output_;
};

// The spectrum's share of the 10 ms graph timer: while the view is on and no point is being
// dragged, one transform and one draw every 11 ticks, the draw six ticks after the transform.
enum class SpectrumAction { None, Compute, Draw };

struct SpectrumTicker {
    int32_t SpectrumTick = 0;
    SpectrumAction Step(bool spectrumOn, bool dragInProgress);
};

// Row of a bar for a magnitude: the floor is -64 dB with the low trigger, else -52 dB; the
// magnitude is held at 120 (0 counts as 0.001), its level 20 log10(m / 128) kept between the
// floor and 0 dB, and the floor drawn at row height - 2.
double LevelToY(bool lowTrigger, double magnitude, int height);

// Width of one bar slot: width div 120 (at least 1). Each bar is two columns narrower.
int SpectrumSlotWidth(int width);

// The bars of one draw: for every plot column x = 0 .. width, the row up to which a line is
// drawn from the bottom row (height); a column whose row is height draws nothing. The first
// column of slot k looks up bin round(XToFreq(x + slot / 2) / SpectrumBinHz) of the spectrum
// (2048 cells), the last two columns of a slot are the gap, the lowest 47 bars are weighted.
std::vector<int> SpectrumColumns(std::span<const TComplex> spectrum, int width, int height,
                                 bool lowTrigger);

} // namespace dsp
