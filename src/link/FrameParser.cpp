#include "link/FrameParser.h"

#include "link/Frames.h"
#include "params/SectionMap.h"

namespace dsp {

namespace {

constexpr std::string_view kLostData = "数据包丢失数据";
constexpr std::string_view kBadChecksum = "数据包丢失数据 校验字不正确！";

constexpr int kNameSlot1 = 0;
constexpr int kNameSlot2 = 32;
constexpr int kPasswordSlot = 5;
constexpr int kIdentitySlot = 64;
constexpr int kFirstUnstoredSystemSlot = 48;
constexpr size_t kPitchByte = 18;

void MarkAnswered(LinkVars& v) {
    v.AckSeen = true;
    v.LineFree = true;
    v.WriteUnconfirmed = false;
    v.StepState = 1;
}

int Value16(std::span<const uint8_t> d, size_t i) {
    return d[i] + 256 * d[i + 1];
}

void StoreSectionData(ParamTable& device, int section, int firstSlot,
                      std::span<const uint8_t> data) {
    // A trailing odd byte is ignored; values past the last slot are dropped.
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const int slot = firstSlot + static_cast<int>(i / 2);
        if (slot >= kSlotCount)
            break;
        device.At(section, slot) = Value16(data, i);
    }
}

void StoreModeName(LinkVars& v, int slot, std::span<const uint8_t> data) {
    // 21 data bytes name nothing; longer replies carry the name in their first 20.
    if (data.size() == kModeNameLength + 1)
        return;
    if (data.size() > kModeNameLength)
        data = data.first(kModeNameLength);
    if (v.NameIndex < 1 || v.NameIndex > ModeCount)
        return;
    std::string name;
    for (uint8_t b : data)
        name.push_back(b < 0x1E || b > 0x7F ? '?' : static_cast<char>(b));
    auto& list = slot == kNameSlot1 ? v.ModeNames : v.ModeNames2;
    list[v.NameIndex - 1] = std::move(name);
}

void StoreDeviceId(LinkContext& ctx, std::span<const uint8_t> data) {
    if (data.size() < 4)
        return;
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string id;
    for (size_t i = 0; i < 4; ++i) {
        id.push_back(kHex[data[i] >> 4]);
        id.push_back(kHex[data[i] & 0x0F]);
    }
    ctx.Vars.DeviceId = id;
    ctx.Observer.DeviceIdChanged(id);
}

void StoreSystemItem(LinkContext& ctx, int slot, std::span<const uint8_t> data) {
    switch (slot) {
    case kNameSlot1:
    case kNameSlot2:
        StoreModeName(ctx.Vars, slot, data);
        return;
    case kPasswordSlot:
        ctx.Vars.LinkPassword.assign(data.begin(), data.end());
        return;
    case kIdentitySlot:
        StoreDeviceId(ctx, data);
        return;
    case 7:
    case 11:
    case 12:
    case 15:
    case 16:
        return;
    default:
        if (slot < kFirstUnstoredSystemSlot && data.size() >= 2)
            ctx.Store.DeviceTable.At(SecSystem, slot) = Value16(data, 0);
        return;
    }
}

void StatusFrame(LinkContext& ctx, int slot, std::span<const uint8_t> frame) {
    MarkAnswered(ctx.Vars);
    if (slot != 0 || frame.size() <= kPitchByte)
        return;
    const int pitch = frame[kPitchByte];
    int32_t& stored = ctx.Store.DeviceTable.At(SecMusic, 6);
    if (pitch == stored)
        return;
    stored = pitch;
    ctx.Observer.ShowPitch(pitch);
}

} // namespace

ParseResult ParseFrame(LinkContext& ctx, TransportKind transport, std::span<const uint8_t> m) {
    LinkVars& v = ctx.Vars;
    // The stream framer hands over checked frames; HID reports and raw reads are sorted here.
    if (transport != TransportKind::Serial) {
        if (m.empty())
            return ParseResult::Ignored;
        if (m[0] == kAckStart) {
            if (m.size() < 2 || !IsAckCode(m[1]))
                return ParseResult::Ignored;
            MarkAnswered(v);
            return ParseResult::Ack;
        }
        if (m[0] != kFrameStart)
            return ParseResult::Ignored;
        v.StepState = 2;
    }

    if (m.size() < 3) {
        v.RetryFlag = true;
        ctx.Observer.ShowMessage(kLostData, kLostData);
        return ParseResult::Incomplete;
    }
    const size_t length = m[2];
    if (length < 4) {
        v.RetryFlag = true;
        return ParseResult::Malformed;
    }
    // The whole frame, checksum included, must be there before any byte of it is read.
    const size_t frameSize = length + 3;
    if (m.size() < frameSize) {
        v.RetryFlag = true;
        ctx.Observer.ShowMessage(kLostData, kLostData);
        return ParseResult::Incomplete;
    }
    if (transport == TransportKind::UsbHid)
        m = m.first(frameSize); // the rest of the report is padding

    if (FrameChecksum(m.first(m.size() - 1)) != m.back()) {
        v.RetryFlag = true;
        if (transport == TransportKind::UsbHid)
            ctx.Observer.ShowMessage(kBadChecksum, kBadChecksum);
        return ParseResult::BadChecksum;
    }

    const int section = m[4];
    const int slot = m[5];
    const auto data = m.subspan(6, length - 4);
    if (section < SecSystem)
        StoreSectionData(ctx.Store.DeviceTable, section, slot, data);
    else if (section == kStatusSection)
        StatusFrame(ctx, slot, m.first(frameSize));
    else if (section == SecSystem)
        StoreSystemItem(ctx, slot, data);
    return ParseResult::Frame;
}

void HidCtlDeviceData(LinkContext& ctx, std::span<const uint8_t> report) {
    ParseFrame(ctx, TransportKind::UsbHid, report);
}

namespace {

void FeedStream(LinkContext& ctx, StreamFramer& framer, TransportKind transport,
                std::span<const uint8_t> bytes) {
    framer.Feed(bytes, [&](StreamFramer::Event e, std::span<const uint8_t> frame) {
        if (e == StreamFramer::Event::Ack) {
            MarkAnswered(ctx.Vars);
            return;
        }
        ParseFrame(ctx, transport, frame);
        // The serial framing marks every frame as received; a TCP frame got its StepState
        // from the parser (a status frame counts as an answer there, as on USB HID).
        if (transport == TransportKind::Serial)
            ctx.Vars.StepState = 2;
    });
}

} // namespace

void ComPortRxChar(LinkContext& ctx, std::span<const uint8_t> bytes) {
    FeedStream(ctx, ctx.Vars.SerialFramer, TransportKind::Serial, bytes);
}

void ClientSocket1Read(LinkContext& ctx, std::span<const uint8_t> bytes) {
    if (ctx.Ports.Transport != TransportKind::Tcp)
        return;
    FeedStream(ctx, ctx.Vars.TcpFramer, TransportKind::Tcp, bytes);
}

void ResetFraming(LinkVars& vars) {
    vars.SerialFramer.Reset();
    vars.TcpFramer.Reset();
}

} // namespace dsp
