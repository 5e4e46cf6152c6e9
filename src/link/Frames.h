#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "link/LinkPorts.h"
#include "params/ParamTable.h"

namespace dsp {

// Frame: F5 2C L WRMode section slot data… checksum, with L = data bytes + 4. The checksum is
// byte 0 plus bytes 3 up to the last data byte, mod 256 (bytes 1 and 2 are not summed).
// Acknowledgement from the device: EE followed by BB, AA or CC.
constexpr uint8_t kFrameStart = 0xF5;
constexpr uint8_t kFrameSecond = 0x2C;
constexpr uint8_t kAckStart = 0xEE;
constexpr uint8_t WRWrite = 0xB7;
constexpr uint8_t WRRead = 0xB0;

constexpr size_t kFrameOverhead = 7;
// The length byte caps the data at 251 bytes; a 64-byte HID report carries at most 57.
constexpr size_t kMaxFrameData = 255 - 4;
constexpr size_t kMaxHidFrameData = 57;

// Addresses of the system section that the link uses as messages.
constexpr Address kAddrNameRequest1 = 0x1E00; // read request of a bank-1 name
constexpr Address kAddrNameWrite1 = 0x1E01;   // bank-1 name write; also a system item
constexpr Address kAddrRecall1 = 0x1E02;      // recall a bank-1 mode
constexpr Address kAddrHandshake = 0x1E03;    // handshake value
constexpr Address kAddrPassword = 0x1E05;     // link password
constexpr Address kAddrBulkWrite = 0x1E0F;    // section, first slot, values
constexpr Address kAddrReadRequest = 0x1E10;  // section read request and status poll
constexpr Address kAddrBluetoothName = 0x1E16;
constexpr Address kAddrNameRequest2 = 0x1E20; // read request of a bank-2 name
constexpr Address kAddrNameWrite2 = 0x1E21;   // bank-2 name write
constexpr Address kAddrRecall2 = 0x1E22;      // recall a bank-2 mode
constexpr Address kAddrHello = 0x1E30;        // hello 0x11, goodbye 0xAA

constexpr int kStatusSection = 48;

constexpr bool IsAckCode(uint8_t b) {
    return b == 0xBB || b == 0xAA || b == 0xCC;
}

// Checksum of a frame whose first bytes (checksum excluded) are given.
uint8_t FrameChecksum(std::span<const uint8_t> head);

// The 9-byte frame of SendData: the 16-bit value goes low byte first.
std::array<uint8_t, 9> BuildDataFrame(uint8_t wrMode, Address address, uint16_t value);

// A frame with a data block; empty when the data exceed kMaxFrameData.
std::vector<uint8_t> BuildPacketFrame(uint8_t wrMode, Address address,
                                      std::span<const uint8_t> data);

// Data bytes of a string write: each character gives the low byte of its code. For 0x1E01
// (bank-1 mode name) exactly 22 bytes: the first two characters (mode index, 0), then the
// name from character 3 on, padded with spaces to 20. Other addresses: one byte per
// character, at most kMaxHidFrameData.
std::vector<uint8_t> StrDataBytes(Address address, std::u16string_view text);

// Puts a frame on the current transport. A transport that is missing or not ready drops it.
// USB HID gets one output report: report id 0, the frame, zeros up to the output report length.
void PutFrame(const LinkPorts& ports, std::span<const uint8_t> frame);

void SendData(const LinkPorts& ports, uint8_t wrMode, Address address, uint16_t value);
void SendPacktData(const LinkPorts& ports, uint8_t wrMode, Address address,
                   std::span<const uint8_t> data);
void SendStrData(const LinkPorts& ports, Address address, std::u16string_view text);

} // namespace dsp
