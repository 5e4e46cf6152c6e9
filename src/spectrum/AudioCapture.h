#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "spectrum/AudioCaptureBlocks.h"
#include "spectrum/AudioCaptureConvert.h"

class QAudioSource;
class QIODevice;

namespace dsp {

// Continuous capture from the default recording device for the spectrum view.
//
// Opens the device as unsigned 8-bit mono at 48 000 Hz when it takes that format; otherwise in
// a format it accepts, converted to that stream (AudioCaptureConverter). Whatever period the
// backend delivers, BlockReady hands out blocks of exactly SpectrumBlockSamples samples, on the
// thread that owns this object (the GUI thread). There is no level trigger: it records all the
// time once started.
class AudioCapture : public QObject {
    Q_OBJECT
public:
    explicit AudioCapture(QObject* parent = nullptr);
    ~AudioCapture() override;

    // Opens the default input (or the given one) and starts recording. Returns false, and
    // AudioAvailable turns false, when there is no input or it cannot be opened.
    bool Start(const QAudioDevice& input = {});
    // Stops recording; AudioAvailable turns false.
    void Stop();

    // Opens the device in this format at the next Start, when the device takes it, instead of
    // the one ChooseCaptureFormat picks. For devices that misreport what they take, and for
    // checking the conversion path against a real server.
    void ForceDeviceFormat(const AudioCaptureInputFormat& format) { forced_ = format; }

    // Recording runs (false before Start, after a failed start, after Stop and after the
    // device failed).
    bool AudioAvailable() const { return available_; }
    // The format the device was opened with.
    QAudioFormat DeviceFormat() const { return deviceFormat_; }
    // The device's samples are converted (it refused unsigned 8-bit mono 48 kHz).
    bool Converting() const { return !converter_.IsPassThrough(); }

signals:
    // One block of SpectrumBlockSamples unsigned 8-bit mono samples at 48 000 Hz.
    void BlockReady(const QByteArray& block);
    // AudioAvailable changed (a start succeeded, or the device stopped with an error).
    void AvailabilityChanged(bool available);

private:
    void StopSource();
    void ReadCaptured();
    void OnStateChanged();
    void SetAvailable(bool available);

    std::unique_ptr<QAudioSource> source_;
    QPointer<QIODevice> io_;
    QAudioFormat deviceFormat_;
    AudioCaptureConverter converter_;
    AudioCaptureBlockGatherer gatherer_;
    std::vector<std::uint8_t> converted_;
    std::optional<AudioCaptureInputFormat> forced_;
    bool available_ = false;
};

} // namespace dsp
