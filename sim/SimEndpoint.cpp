#include "sim/SimEndpoint.h"

#include <algorithm>

namespace dsp::sim {

std::vector<uint8_t> ToInputReport(std::span<const uint8_t> bytes) {
    std::vector<uint8_t> report(kHidReportPayload, 0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), kHidReportPayload), report.begin());
    return report;
}

SimEndpoint::SimEndpoint(DeviceModel& model, TransportKind link, FaultConfig faults)
    : model_(model), link_(link), faults_(faults) {}

EndpointOutput SimEndpoint::FeedBytes(std::span<const uint8_t> bytes) {
    EndpointOutput out;
    for (const DeviceFrame& f : decoder_.Feed(bytes))
        Handle(f, out);
    out.close = closed_;
    return out;
}

EndpointOutput SimEndpoint::FeedReport(std::span<const uint8_t> report) {
    EndpointOutput out;
    if (auto f = DecodeReport(report))
        Handle(*f, out);
    else
        ++badReports_;
    out.close = closed_;
    return out;
}

void SimEndpoint::Handle(const DeviceFrame& frame, EndpointOutput& out) {
    if (closed_)
        return;
    ++framesReceived_;
    std::vector<uint8_t> answer = model_.Answer(frame, link_);
    const bool silent = faults_.silentAfter > 0 && framesReceived_ > faults_.silentAfter;
    if (!silent && !answer.empty())
        Emit(std::move(answer), out);
    if (faults_.closeAfter > 0 && framesReceived_ >= faults_.closeAfter)
        closed_ = true;
}

void SimEndpoint::Emit(std::vector<uint8_t> answer, EndpointOutput& out) {
    ++answers_;
    if (faults_.dropEvery > 0 && answers_ % faults_.dropEvery == 0) {
        ++dropped_;
        return;
    }
    if (answer[0] == kFrameStart) {
        ++answerFrames_;
        if (faults_.corruptEvery > 0 && answerFrames_ % faults_.corruptEvery == 0)
            answer.back() = uint8_t(answer.back() + 1);
    }
    if (faults_.join) {
        if (held_.empty()) {
            held_ = std::move(answer);
            return;
        }
        held_.insert(held_.end(), answer.begin(), answer.end());
        answer = std::move(held_);
        held_.clear();
    }
    Deliver(answer, out);
}

void SimEndpoint::Deliver(const std::vector<uint8_t>& bytes, EndpointOutput& out) const {
    size_t piece = faults_.splitSize > 0 ? size_t(faults_.splitSize) : bytes.size();
    if (link_ == TransportKind::UsbHid)
        piece = std::min(piece, kHidReportPayload);
    for (size_t pos = 0; pos < bytes.size(); pos += piece) {
        std::span<const uint8_t> part(bytes.data() + pos, std::min(piece, bytes.size() - pos));
        Chunk c;
        c.delayMs = faults_.delayMs;
        c.bytes = link_ == TransportKind::UsbHid ? ToInputReport(part)
                                                 : std::vector<uint8_t>(part.begin(), part.end());
        out.chunks.push_back(std::move(c));
    }
}

} // namespace dsp::sim
