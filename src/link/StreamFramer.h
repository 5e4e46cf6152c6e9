#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace dsp {

// Cuts a byte stream (serial port, TCP socket) into acknowledgements and frames.
//   hunting: skip bytes up to 0xF5 (frame) or 0xEE (acknowledgement);
//   header:  F5 2C L WRMode with WRMode B7 or B0 and L >= 4, or EE with BB, AA or CC;
//   body:    the L - 1 remaining bytes of the frame, delivered whole.
// A rejected header is dropped and hunting resumes with the next byte. Bytes of a body that
// has not fully arrived are kept until the next Feed.
class StreamFramer {
public:
    enum class Event { Ack, Frame };
    using Sink = std::function<void(Event, std::span<const uint8_t>)>;

    enum State { Hunting = 0, Header = 1, Body = 2 };

    // Runs the framing over newly received bytes; sink gets each acknowledgement (no bytes)
    // and each complete frame (all its bytes) in stream order.
    void Feed(std::span<const uint8_t> bytes, const Sink& sink);

    // Back to hunting; a partly received message is dropped.
    void Reset();

    int RxState() const { return state_; }

private:
    void Hunt(uint8_t b);
    void EndHeader(const Sink& sink);

    int state_ = Hunting;
    size_t expected_ = 0; // bytes still to come in the current state
    std::vector<uint8_t> buffer_;
    std::vector<uint8_t> spare_; // the other buffer, between frames
};

} // namespace dsp
