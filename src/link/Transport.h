#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace dsp {

// Which link a frame travels on. The numbers are the ones the link state records.
enum class TransportKind : uint8_t { UsbHid = 0, Serial = 1, Tcp = 2 };

// One link to the device, as the protocol code sees it. The io layer implements it for
// USB HID, serial and TCP; tests implement it with fakes and the in-process simulator.
class Transport {
public:
    virtual ~Transport() = default;

    virtual TransportKind Kind() const = 0;

    // Whether bytes can be written now (device open, port open, socket connected).
    virtual bool Ready() const = 0;

    // Writes bytes as they are. For USB HID the bytes are one output report: report id 0,
    // the frame, zero bytes up to OutputReportLength().
    virtual void Send(std::span<const uint8_t> bytes) = 0;

    // USB HID: the device's output report length including the report id byte. Others: 0.
    virtual size_t OutputReportLength() const { return 0; }
};

} // namespace dsp
