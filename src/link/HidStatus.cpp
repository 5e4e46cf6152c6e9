#include "link/HidStatus.h"

#include <algorithm>
#include <cstdio>

namespace dsp {

std::string DeviceName(const HidDeviceInfo& dev) {
    char ids[48];
    std::snprintf(ids, sizeof ids, "Device VID=%.4x PID=%.4x", unsigned(dev.vendorId),
                  unsigned(dev.productId));
    std::string name = dev.product + ids;
    if (!dev.serial.empty())
        name += " (自定义HID描述符=" + dev.serial + ")";
    return name;
}

bool IsListedDevice(const HidDeviceInfo& dev) {
    return dev.vendorId == kHidVendorId;
}

bool IsMatchingDevice(const HidDeviceInfo& dev) {
    return dev.vendorId == kHidVendorId && dev.productId == kHidProductId;
}

namespace {

std::vector<std::string> SortedPaths(std::span<const HidDeviceInfo> devices) {
    std::vector<std::string> paths;
    for (const HidDeviceInfo& d : devices)
        paths.push_back(d.path);
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace

bool DeviceSetChanged(std::span<const HidDeviceInfo> before, std::span<const HidDeviceInfo> now) {
    return SortedPaths(before) != SortedPaths(now);
}

std::vector<HidDeviceInfo> RemovedDevices(std::span<const HidDeviceInfo> before,
                                          std::span<const HidDeviceInfo> now) {
    std::vector<HidDeviceInfo> removed;
    for (const HidDeviceInfo& old : before) {
        const bool still = std::any_of(now.begin(), now.end(),
                                       [&](const HidDeviceInfo& d) { return d.path == old.path; });
        if (!still)
            removed.push_back(old);
    }
    return removed;
}

HidStatusResult HIDDeviceStaus(std::span<const HidDeviceInfo> listed, int nindex, bool notFoundSeen,
                               bool online, TransportKind transport) {
    HidStatusResult r;
    r.notFoundSeen = notFoundSeen;
    r.transport = transport;
    if (nindex != kNoHidDevice) {
        for (int i = 0; i <= nindex && i < int(listed.size()); ++i) {
            if (IsMatchingDevice(listed[size_t(i)])) {
                r.selected = i;
                r.hidPresent = true;
            }
        }
    }
    if (r.hidPresent) {
        r.transport = TransportKind::UsbHid;
        r.action = HidLinkAction::LinkButton;
        return r;
    }
    if (notFoundSeen)
        return r;
    r.notFoundSeen = true;
    if (transport != TransportKind::UsbHid)
        return r;
    if (online) {
        r.action = HidLinkAction::ReportLost;
    } else {
        r.transport = TransportKind::Serial;
        r.action = HidLinkAction::SearchOtherLinks;
    }
    return r;
}

} // namespace dsp
