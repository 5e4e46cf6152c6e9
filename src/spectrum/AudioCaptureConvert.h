#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace dsp {

// Sample encodings an audio input may deliver, in the machine's byte order.
enum class AudioCaptureSampleKind { UInt8, Int16, Int32, Float };

// The format a capture device was opened with.
struct AudioCaptureInputFormat {
    AudioCaptureSampleKind kind = AudioCaptureSampleKind::UInt8;
    int channels = 1;
    int rate = 48000;

    int BytesPerSample() const;
    int BytesPerFrame() const { return BytesPerSample() * channels; }
    bool IsValid() const { return channels > 0 && rate > 0; }
};

// Turns whatever a capture device accepted into the stream the spectrum view relies on:
// unsigned 8-bit (128 = silence), mono, 48 000 samples per second.
//
// Devices that refuse that format are opened in one they accept; the converter then maps
// each sample to [-1, 1], averages the channels of a frame, resamples linearly to 48 000 Hz
// and requantises to unsigned 8 bits. Input may be cut anywhere, even inside a frame: the
// rest of a frame and the resampler's position carry over to the next call.
class AudioCaptureConverter {
public:
    explicit AudioCaptureConverter(AudioCaptureInputFormat format = {});

    const AudioCaptureInputFormat& Format() const { return format_; }
    // The input is already unsigned 8-bit mono 48 000 Hz: bytes pass through untouched.
    bool IsPassThrough() const;

    // Appends the converted samples of the input bytes to out.
    void Convert(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& out);

    // Forgets a partial frame and the resampler's history (after the stream restarts).
    void Reset();

private:
    double FrameValue(const std::uint8_t* frame) const;
    void PushMono(double value, std::vector<std::uint8_t>& out);

    AudioCaptureInputFormat format_;
    double step_ = 1.0; // input samples per output sample
    std::vector<std::uint8_t> partial_;
    double previous_ = 0.0;
    bool havePrevious_ = false;
    double position_ = 0.0; // next output instant, in input samples after previous_
};

// The format to open a capture device with: unsigned 8-bit mono at 48 000 Hz when the device
// takes it, else the closest the device accepts (mono at 48 000 Hz in a wider sample type,
// then its own channel count at 48 000 Hz), else the device's preferred format. The converter
// turns any of these into the spectrum's stream.
AudioCaptureInputFormat
ChooseCaptureFormat(const std::function<bool(const AudioCaptureInputFormat&)>& supported,
                    const AudioCaptureInputFormat& preferred);

// Requantises a value in [-1, 1] to an unsigned 8-bit sample; values outside are clipped.
std::uint8_t ToUInt8Sample(double value);

} // namespace dsp
