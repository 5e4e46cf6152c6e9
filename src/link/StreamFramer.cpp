#include "link/StreamFramer.h"

#include <algorithm>

#include "link/Frames.h"

namespace dsp {

void StreamFramer::Reset() {
    state_ = Hunting;
    expected_ = 0;
    buffer_.clear();
}

void StreamFramer::Hunt(uint8_t b) {
    if (b == kFrameStart)
        expected_ = 3;
    else if (b == kAckStart)
        expected_ = 1;
    else
        return;
    // Room for the largest frame (length byte 255 plus start, second and length bytes), so a
    // frame costs one allocation rather than one per growth step.
    buffer_.reserve(258);
    buffer_.assign(1, b);
    state_ = Header;
}

void StreamFramer::EndHeader(const Sink& sink) {
    if (buffer_[0] == kAckStart) {
        const bool ack = IsAckCode(buffer_[1]);
        Reset();
        if (ack)
            sink(Event::Ack, {});
        return;
    }
    const uint8_t length = buffer_[2];
    const uint8_t mode = buffer_[3];
    // A length below 4 cannot hold the address and checksum: treat it as a bad header.
    if (buffer_[1] != kFrameSecond || (mode != WRWrite && mode != WRRead) || length < 4) {
        Reset();
        return;
    }
    state_ = Body;
    expected_ = length - 1u;
}

void StreamFramer::Feed(std::span<const uint8_t> bytes, const Sink& sink) {
    size_t i = 0;
    while (i < bytes.size()) {
        switch (state_) {
        case Hunting:
            Hunt(bytes[i++]);
            break;
        case Header:
            buffer_.push_back(bytes[i++]);
            if (--expected_ == 0)
                EndHeader(sink);
            break;
        case Body: {
            const size_t take = std::min(expected_, bytes.size() - i);
            buffer_.insert(buffer_.end(), bytes.begin() + i, bytes.begin() + i + take);
            i += take;
            expected_ -= take;
            if (expected_ == 0) {
                // The frame leaves the buffer before the sink runs, so the sink may feed or
                // reset this framer. Two buffers take turns, so a frame allocates nothing.
                std::vector<uint8_t> frame = std::move(spare_);
                frame.swap(buffer_);
                Reset();
                sink(Event::Frame, frame);
                frame.clear();
                spare_ = std::move(frame);
            }
            break;
        }
        }
    }
}

} // namespace dsp
