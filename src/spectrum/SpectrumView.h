#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "spectrum/SpectrumMath.h"

namespace dsp {

// The spectrum math the view drives. The view owns neither the transform arrays nor the bar
// geometry; it only decides when to transform and when to lay out the bars.
struct SpectrumViewMath {
    // Transforms one block of SpectrumBlockSamples unsigned 8-bit samples (128 = silence)
    // and keeps the result for the next call of Bars.
    std::function<void(std::span<const std::uint8_t> samples)> Transform;
    // Row of every pixel column 0 .. width of a plot width x height from the last transform:
    // the bar in that column is drawn from the bottom row up to this row (a gap column holds
    // the height, which draws nothing).
    std::function<std::vector<int>(int width, int height, bool lowTrigger)> Bars;
};

// What the view needs from the window around it.
struct SpectrumViewHooks {
    // A point or volume-marker drag is in progress: no audio is kept and nothing refreshes.
    std::function<bool()> DragInProgress;
    // Shows a message box in the interface language (Chinese text, English text).
    std::function<void(std::string_view zh, std::string_view en)> ShowMessage;
    // The bars changed (new bars, or none any more): the EQ graph should repaint the plot,
    // bars under the curve it already holds.
    std::function<void()> RepaintNeeded;
    // SpectrumOn changed; PinPPBtn's two-state look should follow it.
    std::function<void(bool on)> SpectrumOnChanged;
};

// The spectrum view behind the EQ curve: switch, pause, sample buffer and the timer cycle.
// It paints nothing itself; the EQ graph paints bars() under its curve.
class SpectrumView {
public:
    // Timer1 ticks (10 ms) at which the cycle (SpectrumTicker) transforms and draws: one
    // transform and one draw every SpectrumCycleTicks ticks, the draw six after the transform.
    static constexpr int SpectrumComputeTick = 5;
    static constexpr int SpectrumCycleTicks = 11;

    explicit SpectrumView(SpectrumViewMath math = {}, SpectrumViewHooks hooks = {});

    // Whether capture runs; false makes every press of PinPPBtn refuse. An input lost while
    // the view is on switches the view off rather than leaving the last bars frozen.
    void SetAudioAvailable(bool available);
    bool AudioAvailable() const { return audioAvailable_; }

    // Capture block handler: keeps a copy of the block while the view is on, not paused and
    // no drag is in progress.
    void OnCaptureBlock(std::span<const std::uint8_t> block);

    // Spectrum step of each 10 ms tick of Timer1, after the EQ graph's own step.
    void OnTimerTick();

    // PinPPBtn pressed; newState is the button's state after its toggle (1 = pressed).
    // Returns the state the button should show: 0 when the view could not be switched on.
    int PinPPBtnClick(int newState);
    // PinDCFBtn pressed; the lower floor takes effect at the next draw.
    void PinDCFBtnClick(int newState);
    // The P key: freezes the sample buffer (the same block is shown again) or resumes.
    void TogglePause() { paused_ = !paused_; }

    // The plot size in pixels (Image1). Shown bars are laid out again for the new size.
    void SetPlotSize(int width, int height);

    // Column rows of the bars to paint under the curve (see SpectrumViewMath::Bars); empty
    // while the view is off or before its first draw. Kept unchanged between draws, so an
    // EQ redraw paints the same bars again.
    const std::vector<int>& bars() const { return bars_; }

    bool SpectrumOn() const { return spectrumOn_; }
    bool Paused() const { return paused_; }
    bool LowTrigger() const { return lowTrigger_; }
    std::int32_t SpectrumTick() const { return ticker_.SpectrumTick; }
    // The last block kept by the block handler, as delivered.
    const std::vector<std::uint8_t>& SampleBuffer() const { return sampleBuffer_; }

private:
    bool Dragging() const { return hooks_.DragInProgress && hooks_.DragInProgress(); }
    void ComputeSpectrum();
    void DrawSpectrum();
    void SetSpectrumOn(bool on);
    void SwitchOff();
    void Repaint();

    SpectrumViewMath math_;
    SpectrumViewHooks hooks_;
    bool spectrumOn_ = false;
    bool audioAvailable_ = true;
    bool lowTrigger_ = false;
    bool paused_ = false;
    SpectrumTicker ticker_;
    std::vector<std::uint8_t> sampleBuffer_;
    std::vector<std::uint8_t> transformInput_;
    std::vector<int> bars_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace dsp
