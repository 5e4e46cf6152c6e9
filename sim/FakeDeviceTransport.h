#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <vector>

#include "link/Transport.h"
#include "sim/SimEndpoint.h"

// A Transport whose far end is the in-process device model. What the tool sends is answered
// at once into a queue; the test decides when answers arrive by pumping it, so a whole
// link-up runs in microseconds. A fake clock carries the delay fault.
namespace dsp::sim {

class FakeDeviceTransport : public Transport {
public:
    using Receiver = std::function<void(std::span<const uint8_t>)>;

    // For UsbHid the transport behaves as a HID device with a 65-byte output report
    // (report id + 64 bytes) and delivers 64-byte input reports; for Serial and Tcp it
    // carries a byte stream.
    FakeDeviceTransport(DeviceModel& model, TransportKind kind, FaultConfig faults = {});

    TransportKind Kind() const override { return kind_; }
    bool Ready() const override { return connected_; }
    void Send(std::span<const uint8_t> bytes) override;
    size_t OutputReportLength() const override;

    // Where pumped answers go (the tool's receive path).
    void SetReceiver(Receiver r) { receiver_ = std::move(r); }

    // Delivers the queued answers that are due by the fake clock, in order. Returns how many.
    int Pump();
    // Moves the fake clock on, then pumps.
    int Advance(int ms);
    // Delivers every queued answer whatever its delay.
    int PumpAll();
    size_t Pending() const { return queue_.size(); }
    int64_t NowMs() const { return nowMs_; }

    // A link that is not connected drops what is sent (unplugged device, closed socket).
    void SetConnected(bool on) { connected_ = on; }

    // Every Send, as the tool wrote it.
    const std::vector<std::vector<uint8_t>>& Sent() const { return sent_; }
    void ClearSent() { sent_.clear(); }

    SimEndpoint& Endpoint() { return endpoint_; }
    DeviceModel& Model() { return endpoint_.Model(); }

private:
    struct QueuedAnswer {
        int64_t dueMs;
        std::vector<uint8_t> bytes;
    };
    void Deliver(std::vector<uint8_t> bytes);

    TransportKind kind_;
    SimEndpoint endpoint_;
    Receiver receiver_;
    std::deque<QueuedAnswer> queue_;
    std::vector<std::vector<uint8_t>> sent_;
    int64_t nowMs_ = 0;
    bool connected_ = true;
};

} // namespace dsp::sim
