#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/Transport.h"
#include "params/ParamTable.h"
#include "params/Variant.h"
#include "sim/DeviceFrames.h"

// The simulated audio processor: its parameter table, two banks of stored modes, link
// password, key-panel lock, identity and status block, and the answer it gives to each
// message the tool sends. Pure state and logic; the adapters carry the bytes.
namespace dsp::sim {

constexpr int kModeCount = 16;
constexpr int kModeNameMax = 20;
constexpr int kBankMain = 0;   // bank 1: the device's main modes
constexpr int kBankHidden = 1; // bank 2: hidden-EQ modes (sections 22 to 24)
constexpr int kStatusSection = 48;
constexpr size_t kStatusSize = 16;
constexpr size_t kStatusPitchByte = 12; // byte 18 of the status frame
constexpr int kHidPacketValues = 25;

// Addresses of section 30 that act as commands.
constexpr int kSysNameBank1 = 0x1E00;
constexpr int kSysNameWrite1 = 0x1E01;
constexpr int kSysRecall1 = 0x1E02;
constexpr int kSysHandshake = 0x1E03;
constexpr int kSysPanelLock = 0x1E04;
constexpr int kSysPassword = 0x1E05;
constexpr int kSysBulkWrite = 0x1E0F;
constexpr int kSysSectionRead = 0x1E10;
constexpr int kSysBluetooth = 0x1E16;
constexpr int kSysNameBank2 = 0x1E20;
constexpr int kSysNameWrite2 = 0x1E21;
constexpr int kSysRecall2 = 0x1E22;
constexpr int kSysSession = 0x1E30;
constexpr int kSysIdentity = 0x1E40;
constexpr int kSessionHello = 0x11;
constexpr int kSessionGoodbye = 0xAA;

struct StoredMode {
    std::string name;
    ParamTable params;
};

class DeviceModel {
public:
    explicit DeviceModel(Variant variant = Variant::A);

    // Back to the content the device leaves the factory with.
    void ResetToFactory();

    // The answer to one frame: a frame or an acknowledgement, empty when the device stays
    // silent. `link` decides how much of a section one read returns (25 values over USB HID,
    // the whole section otherwise).
    std::vector<uint8_t> Answer(const DeviceFrame& frame, TransportKind link);

    Variant DeviceVariant() const { return variant_; }

    ParamTable& Table() { return table_; }
    const ParamTable& Table() const { return table_; }

    StoredMode& Mode(int bank, int index) { return banks_[bank][index]; }
    const StoredMode& Mode(int bank, int index) const { return banks_[bank][index]; }
    int CurrentMode(int bank) const;

    const std::string& Password() const { return password_; }
    void SetPassword(std::string p) { password_ = std::move(p); }
    bool PanelLocked() const;
    void SetPanelLock(bool on);
    const std::string& BluetoothName() const { return bluetooth_; }
    const std::array<uint8_t, 4>& Identity() const { return identity_; }
    void SetIdentity(const std::array<uint8_t, 4>& id) { identity_ = id; }

    // Turning the key knob on the front panel changes the music pitch (section 0 slot 6).
    void TurnPitch(int value);
    std::array<uint8_t, kStatusSize> StatusBlock() const;

    // Between a hello and a goodbye.
    bool SessionOpen() const { return session_; }
    int LastHandshake() const { return handshake_; }

    // The frames received, in order (tests look at what the tool wrote); the oldest are
    // forgotten after some thousands.
    const std::vector<DeviceFrame>& Received() const { return received_; }
    void ClearReceived() { received_.clear(); }

private:
    std::vector<uint8_t> AnswerWrite(const DeviceFrame& f);
    std::vector<uint8_t> AnswerRead(const DeviceFrame& f, TransportKind link);
    std::vector<uint8_t> SectionReply(int section, int first, TransportKind link) const;
    std::vector<uint8_t> SystemReply(int slot) const;
    void StoreBulk(const std::vector<uint8_t>& data);
    void StoreValue(int section, int slot, int value);
    void SaveMode(int bank, int index, std::string name);
    void RecallMode(int bank, int index);
    void ResetEqBlock(int block);

    Variant variant_;
    ParamTable table_;
    std::array<std::array<StoredMode, kModeCount>, 2> banks_;
    std::string password_;
    std::string bluetooth_;
    std::array<uint8_t, 4> identity_{};
    bool session_ = false;
    int handshake_ = -1;
    std::vector<DeviceFrame> received_;
};

// Factory content, also used to rebuild a mode's parameter set.
void FillFactoryParams(ParamTable& t, Variant variant);
// Band defaults of one section: type PEQ, the class's default frequency, 0 dB, Q 16.
void ResetSectionEq(ParamTable& t, int section);

} // namespace dsp::sim
