#include "spectrum/SpectrumView.h"

#include <algorithm>

#include "spectrum/AudioCaptureBlocks.h"

namespace dsp {

SpectrumView::SpectrumView(SpectrumViewMath math, SpectrumViewHooks hooks)
    : math_(std::move(math)), hooks_(std::move(hooks)) {
    transformInput_.reserve(SpectrumBlockSamples);
}

void SpectrumView::SetAudioAvailable(bool available) {
    audioAvailable_ = available;
    if (!available && spectrumOn_) {
        SwitchOff();
    }
}

void SpectrumView::OnCaptureBlock(std::span<const std::uint8_t> block) {
    if (!spectrumOn_ || paused_ || Dragging() || block.empty()) {
        return;
    }
    sampleBuffer_.assign(block.begin(), block.end());
}

void SpectrumView::OnTimerTick() {
    switch (ticker_.Step(spectrumOn_, Dragging())) {
    case SpectrumAction::Compute:
        ComputeSpectrum();
        break;
    case SpectrumAction::Draw:
        DrawSpectrum();
        break;
    case SpectrumAction::None:
        break;
    }
}

void SpectrumView::ComputeSpectrum() {
    // Nothing is transformed before the first block has arrived.
    if (sampleBuffer_.empty() || !math_.Transform) {
        return;
    }
    // The transform always sees exactly one block: a short block is padded with silence and
    // anything beyond a block is not used, so the math never reads past the buffer.
    const std::size_t used = std::min(sampleBuffer_.size(), SpectrumBlockSamples);
    transformInput_.assign(sampleBuffer_.begin(), sampleBuffer_.begin() + used);
    transformInput_.resize(SpectrumBlockSamples, SilentSample);
    math_.Transform(transformInput_);
}

void SpectrumView::DrawSpectrum() {
    if (!math_.Bars || width_ <= 0 || height_ <= 0) {
        return;
    }
    bars_ = math_.Bars(width_, height_, lowTrigger_);
    Repaint();
}

int SpectrumView::PinPPBtnClick(int newState) {
    if (!audioAvailable_) {
        if (hooks_.ShowMessage) {
            hooks_.ShowMessage("没检测到音频设备", "Audio device is not detected");
        }
        SwitchOff();
        return 0;
    }
    if (newState == 1) {
        paused_ = false;
        SetSpectrumOn(true);
        return 1;
    }
    SwitchOff();
    return 0;
}

void SpectrumView::PinDCFBtnClick(int newState) {
    lowTrigger_ = (newState == 1);
}

void SpectrumView::SetPlotSize(int width, int height) {
    width_ = width;
    height_ = height;
    if (spectrumOn_ && !bars_.empty()) {
        DrawSpectrum();
    }
}

void SpectrumView::SetSpectrumOn(bool on) {
    if (spectrumOn_ == on) {
        return;
    }
    spectrumOn_ = on;
    if (hooks_.SpectrumOnChanged) {
        hooks_.SpectrumOnChanged(on);
    }
}

void SpectrumView::SwitchOff() {
    SetSpectrumOn(false);
    bars_.clear();
    Repaint();
}

void SpectrumView::Repaint() {
    if (hooks_.RepaintNeeded) {
        hooks_.RepaintNeeded();
    }
}

} // namespace dsp
