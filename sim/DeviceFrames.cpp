#include "sim/DeviceFrames.h"

#include <algorithm>

namespace dsp::sim {

int DeviceFrame::Value16() const {
    if (data.empty())
        return 0;
    if (data.size() == 1)
        return data[0];
    return data[0] + 256 * data[1];
}

uint8_t FrameChecksum(std::span<const uint8_t> frame) {
    unsigned sum = frame.empty() ? 0 : frame[0];
    for (size_t i = 3; i < frame.size(); ++i)
        sum += frame[i];
    return static_cast<uint8_t>(sum & 0xFF);
}

std::vector<uint8_t> EncodeFrame(const DeviceFrame& frame) {
    const size_t n = std::min(frame.data.size(), kMaxFrameData);
    std::vector<uint8_t> out;
    out.reserve(n + kFrameOverhead);
    out.push_back(kFrameStart);
    out.push_back(kFrameSecond);
    out.push_back(static_cast<uint8_t>(n + 4));
    out.push_back(frame.mode);
    out.push_back(frame.section);
    out.push_back(frame.slot);
    out.insert(out.end(), frame.data.begin(), frame.data.begin() + static_cast<ptrdiff_t>(n));
    out.push_back(FrameChecksum(out));
    return out;
}

std::vector<uint8_t> EncodeAck(uint8_t code) {
    return {kAckStart, code};
}

namespace {

bool HeaderOk(std::span<const uint8_t> b) {
    return b.size() >= 4 && b[0] == kFrameStart && b[1] == kFrameSecond && b[2] >= 4 &&
           (b[3] == kModeWrite || b[3] == kModeRead);
}

DeviceFrame Unpack(std::span<const uint8_t> b) {
    DeviceFrame f;
    f.mode = b[3];
    f.section = b[4];
    f.slot = b[5];
    f.data.assign(b.begin() + 6, b.end() - 1);
    return f;
}

} // namespace

std::optional<DeviceFrame> DecodeFrame(std::span<const uint8_t> b) {
    if (!HeaderOk(b) || b.size() != size_t(b[2]) + 3)
        return std::nullopt;
    if (FrameChecksum(b.first(b.size() - 1)) != b.back())
        return std::nullopt;
    return Unpack(b);
}

std::optional<DeviceFrame> DecodeReport(std::span<const uint8_t> report) {
    if (report.size() < 2)
        return std::nullopt;
    auto payload = report.subspan(1);
    if (!HeaderOk(payload) || payload.size() < size_t(payload[2]) + 3)
        return std::nullopt;
    return DecodeFrame(payload.first(size_t(payload[2]) + 3));
}

std::vector<DeviceFrame> StreamDecoder::Feed(std::span<const uint8_t> bytes) {
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    std::vector<DeviceFrame> frames;
    size_t pos = 0;
    while (pos < buffer_.size()) {
        if (buffer_[pos] != kFrameStart) {
            ++pos;
            continue;
        }
        const size_t avail = buffer_.size() - pos;
        std::span<const uint8_t> rest(buffer_.data() + pos, avail);
        if (avail < 4)
            break; // header still arriving
        if (!HeaderOk(rest)) {
            ++badFrames_;
            ++pos;
            continue;
        }
        const size_t total = size_t(rest[2]) + 3;
        if (avail < total)
            break; // body still arriving
        if (auto f = DecodeFrame(rest.first(total))) {
            frames.push_back(std::move(*f));
            pos += total;
        } else {
            ++badFrames_;
            ++pos;
        }
    }
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<ptrdiff_t>(pos));
    return frames;
}

} // namespace dsp::sim
