#pragma once

#include <QByteArray>
#include <QObject>
#include <functional>

#include "sim/SimEndpoint.h"

namespace dsp::sim {

// Carries the answers of one simulated link to the tool with Qt timers: the delay fault,
// and a short gap between the pieces of a split answer so that they arrive as separate reads.
class SimLink : public QObject {
    Q_OBJECT
public:
    static constexpr int kSplitGapMs = 20;

    using Writer = std::function<void(const QByteArray&)>;
    using Closer = std::function<void()>;

    SimLink(DeviceModel& model, TransportKind link, const FaultConfig& faults, Writer write,
            Closer close, QObject* parent = nullptr);

    // Bytes from the tool, as read.
    void Feed(const QByteArray& bytes);
    SimEndpoint& Endpoint() { return endpoint_; }

private:
    void Dispatch(const EndpointOutput& out);

    SimEndpoint endpoint_;
    Writer write_;
    Closer close_;
};

} // namespace dsp::sim
