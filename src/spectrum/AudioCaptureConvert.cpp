#include "spectrum/AudioCaptureConvert.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

#include "spectrum/AudioCaptureBlocks.h"

namespace dsp {

int AudioCaptureInputFormat::BytesPerSample() const {
    switch (kind) {
    case AudioCaptureSampleKind::UInt8:
        return 1;
    case AudioCaptureSampleKind::Int16:
        return 2;
    case AudioCaptureSampleKind::Int32:
    case AudioCaptureSampleKind::Float:
        return 4;
    }
    return 1;
}

std::uint8_t ToUInt8Sample(double value) {
    const double scaled = std::nearbyint(value * 128.0 + 128.0);
    return static_cast<std::uint8_t>(std::clamp(scaled, 0.0, 255.0));
}

AudioCaptureInputFormat
ChooseCaptureFormat(const std::function<bool(const AudioCaptureInputFormat&)>& supported,
                    const AudioCaptureInputFormat& preferred) {
    using Kind = AudioCaptureSampleKind;
    constexpr Kind kinds[] = {Kind::UInt8, Kind::Int16, Kind::Float, Kind::Int32};
    for (int channels : {1, preferred.channels}) {
        for (Kind kind : kinds) {
            const AudioCaptureInputFormat candidate{kind, channels, SpectrumSampleRate};
            if (candidate.IsValid() && supported(candidate)) {
                return candidate;
            }
        }
    }
    return preferred;
}

AudioCaptureConverter::AudioCaptureConverter(AudioCaptureInputFormat format) : format_(format) {
    assert(format_.IsValid());
    if (format_.IsValid()) {
        step_ = static_cast<double>(format_.rate) / SpectrumSampleRate;
    }
}

bool AudioCaptureConverter::IsPassThrough() const {
    return format_.kind == AudioCaptureSampleKind::UInt8 && format_.channels == 1 &&
           format_.rate == SpectrumSampleRate;
}

void AudioCaptureConverter::Reset() {
    partial_.clear();
    havePrevious_ = false;
    position_ = 0.0;
}

void AudioCaptureConverter::Convert(std::span<const std::uint8_t> bytes,
                                    std::vector<std::uint8_t>& out) {
    if (IsPassThrough()) {
        out.insert(out.end(), bytes.begin(), bytes.end());
        return;
    }
    if (!format_.IsValid()) {
        return;
    }
    const std::size_t frameBytes = static_cast<std::size_t>(format_.BytesPerFrame());
    out.reserve(out.size() + static_cast<std::size_t>(bytes.size() / frameBytes / step_) + 2);

    // Complete the frame cut off by the previous call.
    if (!partial_.empty()) {
        const std::size_t take = std::min(frameBytes - partial_.size(), bytes.size());
        partial_.insert(partial_.end(), bytes.begin(), bytes.begin() + take);
        bytes = bytes.subspan(take);
        if (partial_.size() < frameBytes) {
            return;
        }
        PushMono(FrameValue(partial_.data()), out);
        partial_.clear();
    }
    while (bytes.size() >= frameBytes) {
        PushMono(FrameValue(bytes.data()), out);
        bytes = bytes.subspan(frameBytes);
    }
    partial_.assign(bytes.begin(), bytes.end());
}

double AudioCaptureConverter::FrameValue(const std::uint8_t* frame) const {
    double sum = 0.0;
    for (int c = 0; c < format_.channels; ++c) {
        const std::uint8_t* p = frame + c * format_.BytesPerSample();
        switch (format_.kind) {
        case AudioCaptureSampleKind::UInt8:
            sum += (static_cast<double>(*p) - 128.0) / 128.0;
            break;
        case AudioCaptureSampleKind::Int16: {
            std::int16_t v;
            std::memcpy(&v, p, sizeof v);
            sum += v / 32768.0;
            break;
        }
        case AudioCaptureSampleKind::Int32: {
            std::int32_t v;
            std::memcpy(&v, p, sizeof v);
            sum += v / 2147483648.0;
            break;
        }
        case AudioCaptureSampleKind::Float: {
            float v;
            std::memcpy(&v, p, sizeof v);
            sum += std::isfinite(v) ? v : 0.0;
            break;
        }
        }
    }
    return sum / format_.channels;
}

void AudioCaptureConverter::PushMono(double value, std::vector<std::uint8_t>& out) {
    if (format_.rate == SpectrumSampleRate) {
        out.push_back(ToUInt8Sample(value));
        return;
    }
    if (!havePrevious_) {
        previous_ = value;
        havePrevious_ = true;
        position_ = 0.0;
        return;
    }
    // Output instants between the previous input sample (0) and this one (1).
    while (position_ < 1.0) {
        out.push_back(ToUInt8Sample(previous_ + (value - previous_) * position_));
        position_ += step_;
    }
    position_ -= 1.0;
    previous_ = value;
}

} // namespace dsp
