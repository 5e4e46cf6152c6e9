#include "sim/DeviceModel.h"

#include <algorithm>

#include "params/SectionMap.h"

namespace dsp::sim {

namespace {

constexpr int kLastParamSection = 29; // sections 0 .. 29 carry parameters
constexpr size_t kReceivedKept = 8192;

bool InBank1(int section) {
    return section <= SecAux || section == SecSysVol;
}
bool InBank2(int section) {
    return section >= SecHint && section <= 24;
}

std::vector<uint8_t> Reply(int section, int slot, std::vector<uint8_t> data) {
    return EncodeFrame({kModeRead, uint8_t(section), uint8_t(slot), std::move(data)});
}

std::string TextOf(const std::vector<uint8_t>& data, size_t from) {
    if (from >= data.size())
        return {};
    return std::string(data.begin() + static_cast<ptrdiff_t>(from), data.end());
}

std::string TrimPadding(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0'))
        s.pop_back();
    return s.substr(0, kModeNameMax);
}

} // namespace

DeviceModel::DeviceModel(Variant variant) : variant_(variant) {
    ResetToFactory();
}

int DeviceModel::CurrentMode(int bank) const {
    return table_.At(SecSystem, bank == kBankMain ? 2 : 34);
}

bool DeviceModel::PanelLocked() const {
    return table_.At(SecSystem, 4) != 0;
}
void DeviceModel::SetPanelLock(bool on) {
    table_.At(SecSystem, 4) = on ? 1 : 0;
}

void DeviceModel::TurnPitch(int value) {
    table_.At(SecMusic, 6) = std::clamp(value, 0, 14);
}

std::array<uint8_t, kStatusSize> DeviceModel::StatusBlock() const {
    std::array<uint8_t, kStatusSize> s{};
    s[0] = 0x01; // running
    s[1] = uint8_t(table_.At(SecMusic, 65));
    s[2] = uint8_t(CurrentMode(kBankMain));
    s[3] = uint8_t(CurrentMode(kBankHidden));
    for (int i = 0; i < 3; ++i)
        s[4 + i] = uint8_t(table_.At(SecSysVol, i));
    s[7] = PanelLocked() ? 1 : 0;
    s[kStatusPitchByte] = uint8_t(table_.At(SecMusic, 6));
    return s;
}

std::vector<uint8_t> DeviceModel::Answer(const DeviceFrame& frame, TransportKind link) {
    if (received_.size() >= kReceivedKept) // a long-running simulator keeps the recent ones
        received_.erase(received_.begin(), received_.begin() + kReceivedKept / 2);
    received_.push_back(frame);
    return frame.mode == kModeRead ? AnswerRead(frame, link) : AnswerWrite(frame);
}

std::vector<uint8_t> DeviceModel::AnswerWrite(const DeviceFrame& f) {
    const int value = f.Value16();
    switch (f.Address()) {
    case kSysSession:
        if (value == kSessionHello)
            session_ = true;
        else if (value == kSessionGoodbye)
            session_ = false;
        return EncodeAck(kAckSession);
    case kSysHandshake:
        handshake_ = value;
        StoreValue(SecSystem, 3, value);
        return EncodeAck(kAckWrite);
    case kSysBulkWrite:
        StoreBulk(f.data);
        return EncodeAck(kAckWrite);
    case kSysNameWrite1:
    case kSysNameWrite2:
        // index, 0, then the name (bank 1 pads it to 20 bytes with spaces): the device
        // stores its current settings as that mode under the new name.
        if (!f.data.empty())
            SaveMode(f.Address() == kSysNameWrite1 ? kBankMain : kBankHidden, f.data[0],
                     TrimPadding(TextOf(f.data, 2)));
        return EncodeAck(kAckCommand);
    case kSysRecall1:
    case kSysRecall2:
        RecallMode(f.Address() == kSysRecall1 ? kBankMain : kBankHidden, value);
        return EncodeAck(kAckCommand);
    case kSysPassword:
        password_ = TextOf(f.data, 0);
        return EncodeAck(kAckCommand);
    case kSysBluetooth:
        bluetooth_ = TextOf(f.data, 0).substr(0, kModeNameMax);
        return EncodeAck(kAckCommand);
    default:
        break;
    }
    if (f.section == SecEqReset && f.slot < SlotCount[SecEqReset] && value == 1)
        ResetEqBlock(f.slot);
    StoreValue(f.section, f.slot, value);
    return EncodeAck(kAckWrite);
}

std::vector<uint8_t> DeviceModel::AnswerRead(const DeviceFrame& f, TransportKind link) {
    switch (f.Address()) {
    case kSysSectionRead:
        return SectionReply(f.Value16() & 0xFF, f.Value16() >> 8, link);
    case kSysNameBank1:
    case kSysNameBank2: {
        const int bank = f.Address() == kSysNameBank1 ? kBankMain : kBankHidden;
        const int index = f.data.empty() ? 0 : f.data[0];
        std::string name = index < kModeCount ? banks_[bank][index].name : std::string();
        return Reply(SecSystem, f.slot, std::vector<uint8_t>(name.begin(), name.end()));
    }
    default:
        break;
    }
    if (f.section == SecSystem)
        return SystemReply(f.slot);
    if (f.section <= kLastParamSection)
        return SectionReply(f.section, f.slot, link);
    return Reply(f.section, f.slot, {});
}

std::vector<uint8_t> DeviceModel::SectionReply(int section, int first, TransportKind link) const {
    if (section == kStatusSection) {
        const auto s = StatusBlock();
        return Reply(kStatusSection, first, std::vector<uint8_t>(s.begin(), s.end()));
    }
    if (section >= kSectionCount)
        return Reply(section, first, {});
    const int used = SlotCount[section];
    int count = std::max(0, used - first);
    if (link == TransportKind::UsbHid)
        count = std::min(count, kHidPacketValues);
    std::vector<uint8_t> data;
    data.reserve(size_t(count) * 2);
    for (int i = 0; i < count; ++i) {
        const int32_t v = table_.At(section, first + i);
        data.push_back(uint8_t(v & 0xFF));
        data.push_back(uint8_t((v >> 8) & 0xFF));
    }
    return Reply(section, first, std::move(data));
}

std::vector<uint8_t> DeviceModel::SystemReply(int slot) const {
    if (slot == SlotOf(kSysPassword))
        return Reply(SecSystem, slot, std::vector<uint8_t>(password_.begin(), password_.end()));
    if (slot == SlotOf(kSysIdentity))
        return Reply(SecSystem, slot, std::vector<uint8_t>(identity_.begin(), identity_.end()));
    const int32_t v = slot < kSlotCount ? table_.At(SecSystem, slot) : 0;
    return Reply(SecSystem, slot, {uint8_t(v & 0xFF), uint8_t((v >> 8) & 0xFF)});
}

void DeviceModel::StoreBulk(const std::vector<uint8_t>& data) {
    if (data.size() < 2 || data[0] > kLastParamSection)
        return;
    const int section = data[0];
    for (size_t i = 0; 2 + 2 * i + 1 < data.size(); ++i)
        StoreValue(section, data[1] + int(i), data[2 + 2 * i] + 256 * data[3 + 2 * i]);
}

void DeviceModel::StoreValue(int section, int slot, int value) {
    if (section < kSectionCount && slot < kSlotCount)
        table_.At(section, slot) = value;
}

void DeviceModel::SaveMode(int bank, int index, std::string name) {
    if (index >= kModeCount)
        return;
    StoredMode& m = banks_[bank][index];
    m.name = std::move(name);
    m.params = table_;
}

void DeviceModel::RecallMode(int bank, int index) {
    if (index < 0 || index >= kModeCount)
        return;
    const ParamTable& stored = banks_[bank][index].params;
    for (int s = 0; s < kSectionCount; ++s) {
        if (bank == kBankMain ? InBank1(s) : InBank2(s))
            std::copy_n(stored.Section(s), kSlotCount, table_.Section(s));
    }
    table_.At(SecSystem, bank == kBankMain ? 2 : 34) = index;
}

void DeviceModel::ResetEqBlock(int block) {
    // Both sections of an output share a block; the device resets the set in use.
    for (int s = 0; s <= 24; ++s) {
        if (EqBlock[s] != block)
            continue;
        const bool output = s >= SecOut && s <= 20;
        const int singDisco = std::min(table_.At(SecMusic, 64), 1);
        if (!output || (s - SecOut) % 2 == singDisco)
            ResetSectionEq(table_, s);
    }
}

} // namespace dsp::sim
