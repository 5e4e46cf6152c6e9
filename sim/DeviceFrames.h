#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The device's end of the wire: decoding the frames the tool sends and encoding the frames
// and acknowledgements the device answers with. Frame layout (both directions):
//   F5 2C L mode section slot data... checksum
// L counts the bytes from the mode byte to the checksum (data + 4); the checksum is
// (byte 0 + bytes 3 .. last data byte) mod 256.
namespace dsp::sim {

constexpr uint8_t kFrameStart = 0xF5;
constexpr uint8_t kFrameSecond = 0x2C;
constexpr uint8_t kModeWrite = 0xB7;
constexpr uint8_t kModeRead = 0xB0;
constexpr uint8_t kAckStart = 0xEE;
constexpr uint8_t kAckWrite = 0xBB;   // parameter and bulk writes
constexpr uint8_t kAckSession = 0xAA; // hello and goodbye
constexpr uint8_t kAckCommand = 0xCC; // texts, recalls and other commands

constexpr size_t kFrameOverhead = 7;     // bytes of a frame besides its data
constexpr size_t kMaxFrameData = 251;    // the length byte holds data + 4
constexpr size_t kHidReportPayload = 64; // input and output report data, report id excluded

// One frame as the device sees it.
struct DeviceFrame {
    uint8_t mode = kModeWrite;
    uint8_t section = 0;
    uint8_t slot = 0;
    std::vector<uint8_t> data;

    int Address() const { return section * 256 + slot; }
    // data[0] + 256 * data[1], or data[0] alone when only one byte came, 0 when none.
    int Value16() const;
    bool operator==(const DeviceFrame&) const = default;
};

// (byte 0 + bytes 3 .. end - 1) mod 256 over the frame bytes before the checksum.
uint8_t FrameChecksum(std::span<const uint8_t> frameWithoutChecksum);

std::vector<uint8_t> EncodeFrame(const DeviceFrame& frame);
std::vector<uint8_t> EncodeAck(uint8_t code);

// Decodes exactly one whole frame (no trailing bytes). Empty when the bytes are not a frame
// or the checksum is wrong.
std::optional<DeviceFrame> DecodeFrame(std::span<const uint8_t> bytes);

// Decodes one USB HID output report as the tool writes it: report id first, then the frame
// and zero padding. Empty when the report holds no valid frame.
std::optional<DeviceFrame> DecodeReport(std::span<const uint8_t> report);

// Byte-stream framing for serial and TCP: feed bytes as they arrive, take whole frames out.
// Bytes in front of a frame start are skipped; a header with a wrong second byte or mode,
// or a frame with a wrong checksum, is dropped and hunting resumes after its start byte.
class StreamDecoder {
public:
    std::vector<DeviceFrame> Feed(std::span<const uint8_t> bytes);
    void Reset() { buffer_.clear(); }

    int BadFrames() const { return badFrames_; }
    size_t Buffered() const { return buffer_.size(); }

private:
    std::vector<uint8_t> buffer_;
    int badFrames_ = 0;
};

} // namespace dsp::sim
