#include "sim/FakeDeviceTransport.h"

namespace dsp::sim {

namespace {
constexpr size_t kFakeHidOutputReport = kHidReportPayload + 1;
}

FakeDeviceTransport::FakeDeviceTransport(DeviceModel& model, TransportKind kind, FaultConfig faults)
    : kind_(kind), endpoint_(model, kind, faults) {}

size_t FakeDeviceTransport::OutputReportLength() const {
    return kind_ == TransportKind::UsbHid ? kFakeHidOutputReport : 0;
}

void FakeDeviceTransport::Send(std::span<const uint8_t> bytes) {
    if (!connected_)
        return;
    sent_.emplace_back(bytes.begin(), bytes.end());
    EndpointOutput out =
        kind_ == TransportKind::UsbHid ? endpoint_.FeedReport(bytes) : endpoint_.FeedBytes(bytes);
    for (Chunk& c : out.chunks)
        queue_.push_back({nowMs_ + c.delayMs, std::move(c.bytes)});
    if (out.close)
        connected_ = false;
}

void FakeDeviceTransport::Deliver(std::vector<uint8_t> bytes) {
    if (receiver_)
        receiver_(bytes);
}

int FakeDeviceTransport::Pump() {
    int n = 0;
    // Answers are queued in order with non-decreasing due times.
    while (!queue_.empty() && queue_.front().dueMs <= nowMs_) {
        std::vector<uint8_t> bytes = std::move(queue_.front().bytes);
        queue_.pop_front();
        Deliver(std::move(bytes)); // the receiver may send again, appending to the queue
        ++n;
    }
    return n;
}

int FakeDeviceTransport::Advance(int ms) {
    nowMs_ += ms;
    return Pump();
}

int FakeDeviceTransport::PumpAll() {
    int n = 0;
    while (!queue_.empty()) {
        std::vector<uint8_t> bytes = std::move(queue_.front().bytes);
        queue_.pop_front();
        Deliver(std::move(bytes));
        ++n;
    }
    return n;
}

} // namespace dsp::sim
