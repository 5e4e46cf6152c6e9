#include "spectrum/AudioCapture.h"

#include <QAudioSource>
#include <QIODevice>
#include <QLoggingCategory>
#include <QMediaDevices>

namespace dsp {

Q_LOGGING_CATEGORY(lcAudioCapture, "dsp.spectrum.capture")

namespace {

std::optional<AudioCaptureSampleKind> KindOf(QAudioFormat::SampleFormat format) {
    switch (format) {
    case QAudioFormat::UInt8:
        return AudioCaptureSampleKind::UInt8;
    case QAudioFormat::Int16:
        return AudioCaptureSampleKind::Int16;
    case QAudioFormat::Int32:
        return AudioCaptureSampleKind::Int32;
    case QAudioFormat::Float:
        return AudioCaptureSampleKind::Float;
    default:
        return std::nullopt;
    }
}

QAudioFormat::SampleFormat QtFormatOf(AudioCaptureSampleKind kind) {
    switch (kind) {
    case AudioCaptureSampleKind::UInt8:
        return QAudioFormat::UInt8;
    case AudioCaptureSampleKind::Int16:
        return QAudioFormat::Int16;
    case AudioCaptureSampleKind::Int32:
        return QAudioFormat::Int32;
    case AudioCaptureSampleKind::Float:
        return QAudioFormat::Float;
    }
    return QAudioFormat::Unknown;
}

QAudioFormat ToQt(const AudioCaptureInputFormat& f) {
    QAudioFormat format;
    format.setSampleFormat(QtFormatOf(f.kind));
    format.setChannelCount(f.channels);
    format.setSampleRate(f.rate);
    return format;
}

std::optional<AudioCaptureInputFormat> FromQt(const QAudioFormat& format) {
    const auto kind = KindOf(format.sampleFormat());
    if (!kind || format.channelCount() <= 0 || format.sampleRate() <= 0) {
        return std::nullopt;
    }
    return AudioCaptureInputFormat{*kind, format.channelCount(), format.sampleRate()};
}

} // namespace

AudioCapture::AudioCapture(QObject* parent) : QObject(parent) {}

AudioCapture::~AudioCapture() {
    StopSource();
}

bool AudioCapture::Start(const QAudioDevice& input) {
    StopSource();
    const QAudioDevice device = input.isNull() ? QMediaDevices::defaultAudioInput() : input;
    if (device.isNull()) {
        qCInfo(lcAudioCapture) << "no audio input device";
        SetAvailable(false);
        return false;
    }
    const auto preferred = FromQt(device.preferredFormat());
    const AudioCaptureInputFormat wanted{AudioCaptureSampleKind::UInt8, 1, SpectrumSampleRate};
    const auto supported = [&](const AudioCaptureInputFormat& f) {
        return device.isFormatSupported(ToQt(f));
    };
    const auto chosen = forced_ && supported(*forced_)
                            ? *forced_
                            : ChooseCaptureFormat(supported, preferred.value_or(wanted));
    if (!device.isFormatSupported(ToQt(chosen))) {
        qCWarning(lcAudioCapture) << "input" << device.description() << "takes no usable format";
        SetAvailable(false);
        return false;
    }

    deviceFormat_ = ToQt(chosen);
    converter_ = AudioCaptureConverter(chosen);
    gatherer_.Reset();
    source_ = std::make_unique<QAudioSource>(device, deviceFormat_);
    // About two blocks of buffering: short enough for a live display, long enough not to
    // overrun when the GUI thread is busy for a moment.
    source_->setBufferSize(2 * static_cast<int>(SpectrumBlockSamples) * chosen.rate /
                           SpectrumSampleRate * chosen.BytesPerFrame());
    connect(source_.get(), &QAudioSource::stateChanged, this, &AudioCapture::OnStateChanged);
    io_ = source_->start();
    if (!io_ || source_->error() != QAudio::NoError || source_->state() == QAudio::StoppedState) {
        qCWarning(lcAudioCapture) << "cannot open input" << device.description() << "error"
                                  << source_->error();
        source_.reset();
        SetAvailable(false);
        return false;
    }
    connect(io_, &QIODevice::readyRead, this, &AudioCapture::ReadCaptured);
    qCInfo(lcAudioCapture) << "capturing from" << device.description() << deviceFormat_
                           << (Converting() ? "converted" : "as is");
    SetAvailable(true);
    return true;
}

void AudioCapture::Stop() {
    StopSource();
    SetAvailable(false);
}

void AudioCapture::StopSource() {
    if (source_) {
        source_->disconnect(this);
        if (io_) {
            io_->disconnect(this);
        }
        source_->stop();
        source_.reset();
    }
    io_ = nullptr;
}

void AudioCapture::ReadCaptured() {
    if (!io_) {
        return;
    }
    const QByteArray data = io_->readAll();
    if (data.isEmpty()) {
        return;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
    std::span<const std::uint8_t> stream(bytes, static_cast<std::size_t>(data.size()));
    if (!converter_.IsPassThrough()) {
        converted_.clear();
        converter_.Convert(stream, converted_);
        stream = converted_;
    }
    gatherer_.Push(stream, [this](std::span<const std::uint8_t> block) {
        emit BlockReady(QByteArray(reinterpret_cast<const char*>(block.data()),
                                   static_cast<qsizetype>(block.size())));
    });
}

void AudioCapture::OnStateChanged() {
    if (source_ && source_->state() == QAudio::StoppedState &&
        source_->error() != QAudio::NoError) {
        qCWarning(lcAudioCapture) << "input stopped with error" << source_->error();
        SetAvailable(false);
    }
}

void AudioCapture::SetAvailable(bool available) {
    if (available_ == available) {
        return;
    }
    available_ = available;
    emit AvailabilityChanged(available);
}

} // namespace dsp
