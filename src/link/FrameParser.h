#pragma once

#include <cstdint>
#include <span>

#include "link/LinkContext.h"

namespace dsp {

enum class ParseResult {
    Ignored,     // not for us (empty, unknown first byte, bad acknowledgement code)
    Ack,         // acknowledgement: AckSeen, LineFree, StepState 1
    Frame,       // a checked frame; what it carries is stored
    Incomplete,  // fewer bytes than the length byte announces: RetryFlag
    BadChecksum, // RetryFlag
    Malformed,   // length byte below 4: RetryFlag
};

// Checks one received message and stores what it carries: section data into DeviceTable,
// the status frame's pitch, mode names, the link password, system items and the device
// identity. USB HID passes a whole input report (padding after the frame is ignored), serial
// and TCP one frame cut by the stream framer. Never reads outside m.
ParseResult ParseFrame(LinkContext& ctx, TransportKind transport, std::span<const uint8_t> m);

// Received data from the transports, called by the io layer:
// an input report of the selected HID device (report id not included),
void HidCtlDeviceData(LinkContext& ctx, std::span<const uint8_t> report);
// bytes read from the serial port,
void ComPortRxChar(LinkContext& ctx, std::span<const uint8_t> bytes);
// bytes read from the TCP socket (used only while Transport is TCP).
void ClientSocket1Read(LinkContext& ctx, std::span<const uint8_t> bytes);

// Back to hunting on both byte streams (link button).
void ResetFraming(LinkVars& vars);

} // namespace dsp
