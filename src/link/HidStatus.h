#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "link/Transport.h"

// What the USB HID side decides when the set of attached devices changes. Pure functions:
// the io layer lists the devices, these decide which one is used and what the link does.
namespace dsp {

constexpr uint16_t kHidVendorId = 0x1984;
constexpr uint16_t kHidProductId = 0x0419;
constexpr int kNoHidDevice = 255; // HIDDeviceStaus index when nothing is listed

struct HidDeviceInfo {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::string product; // UTF-8
    std::string serial;  // UTF-8; empty when the device reports none
};

// The DevListBox line: product name, then "Device VID=%.4x PID=%.4x", then
// " (自定义HID描述符=%s)" when the device reports a serial number.
std::string DeviceName(const HidDeviceInfo& dev);

// Listed devices need the vendor only; the link uses devices of our vendor and product.
bool IsListedDevice(const HidDeviceInfo& dev);
bool IsMatchingDevice(const HidDeviceInfo& dev);

// Whether two enumerations hold different sets of devices (by path; order does not count).
bool DeviceSetChanged(std::span<const HidDeviceInfo> before, std::span<const HidDeviceInfo> now);
// The devices of `before` that are not in `now`, for the "Removal of …" history lines.
std::vector<HidDeviceInfo> RemovedDevices(std::span<const HidDeviceInfo> before,
                                          std::span<const HidDeviceInfo> now);

// What the link is to do after HIDDeviceStaus.
enum class HidLinkAction {
    None,
    LinkButton,       // run the link button's action (links, or unlinks while online)
    ReportLost,       // DisCheckWindow (7): the device was lost while online
    SearchOtherLinks, // Transport is now serial: run the link button's action
};

struct HidStatusResult {
    int selected = -1; // SelectedHidDevice and CurrentDevice (index in the list); -1 none
    bool hidPresent = false;
    bool notFoundSeen = false;
    TransportKind transport = TransportKind::UsbHid;
    HidLinkAction action = HidLinkAction::None;
};

// HIDDeviceStaus (Nindex): Nindex is the index of the last listed device or kNoHidDevice.
// The last matching device among 0 .. Nindex wins. Without a match the link reacts only
// the first time (notFoundSeen): while online over USB the device is reported lost, while
// offline over USB the search moves to the serial ports and TCP.
HidStatusResult HIDDeviceStaus(std::span<const HidDeviceInfo> listed, int nindex, bool notFoundSeen,
                               bool online, TransportKind transport);

} // namespace dsp
