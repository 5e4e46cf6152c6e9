#include "spectrum/SpectrumViewCapture.h"

#include "spectrum/AudioCapture.h"
#include "spectrum/SpectrumView.h"

namespace dsp {

bool StartSpectrumCapture(AudioCapture& capture, SpectrumView& view) {
    QObject::connect(
        &capture, &AudioCapture::BlockReady, &capture, [&view](const QByteArray& block) {
            view.OnCaptureBlock(std::span(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                          static_cast<std::size_t>(block.size())));
        });
    QObject::connect(&capture, &AudioCapture::AvailabilityChanged, &capture,
                     [&view](bool available) { view.SetAudioAvailable(available); });
    const bool started = capture.Start();
    view.SetAudioAvailable(started);
    return started;
}

} // namespace dsp
