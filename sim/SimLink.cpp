#include "sim/SimLink.h"

#include <QPointer>
#include <QTimer>

#include "sim/SimLog.h"

Q_LOGGING_CATEGORY(lcSim, "dspsim", QtInfoMsg)

namespace dsp::sim {

SimLink::SimLink(DeviceModel& model, TransportKind link, const FaultConfig& faults, Writer write,
                 Closer close, QObject* parent)
    : QObject(parent), endpoint_(model, link, faults), write_(std::move(write)),
      close_(std::move(close)) {}

void SimLink::Feed(const QByteArray& bytes) {
    qCDebug(lcSim) << "rx" << bytes.toHex(' ');
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    Dispatch(endpoint_.FeedBytes(std::span(data, size_t(bytes.size()))));
}

void SimLink::Dispatch(const EndpointOutput& out) {
    const bool gaps = endpoint_.Faults().splitSize > 0;
    int due = 0;
    int index = 0;
    for (const Chunk& c : out.chunks) {
        const QByteArray bytes(reinterpret_cast<const char*>(c.bytes.data()),
                               qsizetype(c.bytes.size()));
        due = c.delayMs + (gaps ? index * kSplitGapMs : 0);
        ++index;
        if (due == 0) {
            qCDebug(lcSim) << "tx" << bytes.toHex(' ');
            write_(bytes);
            continue;
        }
        QTimer::singleShot(due, this, [this, bytes] {
            qCDebug(lcSim) << "tx" << bytes.toHex(' ');
            write_(bytes);
        });
    }
    if (out.close) {
        qCInfo(lcSim) << "closing the link after" << endpoint_.FramesReceived() << "frames";
        QTimer::singleShot(due, this, [this] { close_(); });
    }
}

} // namespace dsp::sim
