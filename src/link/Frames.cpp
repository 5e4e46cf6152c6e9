#include "link/Frames.h"

#include <algorithm>

namespace dsp {

uint8_t FrameChecksum(std::span<const uint8_t> head) {
    unsigned sum = head.empty() ? 0 : head[0];
    for (size_t i = 3; i < head.size(); ++i)
        sum += head[i];
    return static_cast<uint8_t>(sum & 0xFF);
}

std::array<uint8_t, 9> BuildDataFrame(uint8_t wrMode, Address address, uint16_t value) {
    std::array<uint8_t, 9> f = {kFrameStart,
                                kFrameSecond,
                                0x06,
                                wrMode,
                                static_cast<uint8_t>((address >> 8) & 0xFF),
                                static_cast<uint8_t>(address & 0xFF),
                                static_cast<uint8_t>(value & 0xFF),
                                static_cast<uint8_t>(value >> 8),
                                0};
    f[8] = FrameChecksum(std::span(f).first(8));
    return f;
}

std::vector<uint8_t> BuildPacketFrame(uint8_t wrMode, Address address,
                                      std::span<const uint8_t> data) {
    if (data.size() > kMaxFrameData)
        return {};
    std::vector<uint8_t> f;
    f.reserve(data.size() + kFrameOverhead);
    f.push_back(kFrameStart);
    f.push_back(kFrameSecond);
    f.push_back(static_cast<uint8_t>(data.size() + 4));
    f.push_back(wrMode);
    f.push_back(static_cast<uint8_t>((address >> 8) & 0xFF));
    f.push_back(static_cast<uint8_t>(address & 0xFF));
    f.insert(f.end(), data.begin(), data.end());
    f.push_back(FrameChecksum(f));
    return f;
}

std::vector<uint8_t> StrDataBytes(Address address, std::u16string_view text) {
    auto lowByte = [](char16_t c) { return static_cast<uint8_t>(c & 0xFF); };
    std::vector<uint8_t> data;
    if (address == kAddrNameWrite1) {
        // Mode index and 0, then the name in 20 bytes padded with spaces.
        data.assign(22, 0x20);
        for (size_t i = 0; i < data.size() && i < text.size(); ++i)
            data[i] = lowByte(text[i]);
        return data;
    }
    const size_t n = std::min(text.size(), kMaxHidFrameData);
    data.reserve(n);
    for (size_t i = 0; i < n; ++i)
        data.push_back(lowByte(text[i]));
    return data;
}

void PutFrame(const LinkPorts& ports, std::span<const uint8_t> frame) {
    Transport* t = ports.Current();
    if (t == nullptr || frame.empty() || !t->Ready())
        return;
    if (ports.Transport != TransportKind::UsbHid) {
        t->Send(frame);
        return;
    }
    std::vector<uint8_t> report(std::max(frame.size() + 1, t->OutputReportLength()), 0);
    std::copy(frame.begin(), frame.end(), report.begin() + 1);
    t->Send(report);
}

void SendData(const LinkPorts& ports, uint8_t wrMode, Address address, uint16_t value) {
    PutFrame(ports, BuildDataFrame(wrMode, address, value));
}

void SendPacktData(const LinkPorts& ports, uint8_t wrMode, Address address,
                   std::span<const uint8_t> data) {
    PutFrame(ports, BuildPacketFrame(wrMode, address, data));
}

void SendStrData(const LinkPorts& ports, Address address, std::u16string_view text) {
    SendPacktData(ports, WRWrite, address, StrDataBytes(address, text));
}

} // namespace dsp
