#include <gtest/gtest.h>

#include "link/HidStatus.h"

using namespace dsp;

namespace {

HidDeviceInfo Dev(uint16_t vid, uint16_t pid, std::string product = "DSP",
                  std::string serial = "") {
    return {"/dev/hidraw" + std::to_string(pid), vid, pid, std::move(product), std::move(serial)};
}

} // namespace

TEST(HidStatus, DeviceNameLine) {
    EXPECT_EQ(DeviceName(Dev(0x1984, 0x0419, "KTV DSP")), "KTV DSPDevice VID=1984 PID=0419");
    EXPECT_EQ(DeviceName(Dev(0x1984, 0x00ab, "", "A1")),
              "Device VID=1984 PID=00ab (自定义HID描述符=A1)");
}

TEST(HidStatus, Decisions) {
    using enum HidLinkAction;
    const auto usb = TransportKind::UsbHid;
    const auto serial = TransportKind::Serial;
    const std::vector<HidDeviceInfo> two = {Dev(0x1984, 0x0419), Dev(0x1984, 0x0500),
                                            Dev(0x1984, 0x0419)};
    const std::vector<HidDeviceInfo> other = {Dev(0x1984, 0x0500)};
    struct Case {
        const char* what;
        std::vector<HidDeviceInfo> listed;
        bool notFoundSeen, online;
        TransportKind transport;
        int selected;
        HidLinkAction action;
        TransportKind after;
        bool notFoundAfter;
    };
    const Case cases[] = {
        {"last match wins", two, false, false, serial, 2, LinkButton, usb, false},
        {"match while online unlinks", two, true, true, usb, 2, LinkButton, usb, true},
        {"other product is not used", other, false, false, usb, -1, SearchOtherLinks, serial, true},
        {"nothing listed, first time, offline",
         {},
         false,
         false,
         usb,
         -1,
         SearchOtherLinks,
         serial,
         true},
        {"nothing listed, first time, online", {}, false, true, usb, -1, ReportLost, usb, true},
        {"nothing listed, online over TCP",
         {},
         false,
         true,
         TransportKind::Tcp,
         -1,
         None,
         TransportKind::Tcp,
         true},
        {"nothing listed, seen before", {}, true, true, usb, -1, None, usb, true},
    };
    for (const auto& c : cases) {
        const int nindex = c.listed.empty() ? kNoHidDevice : int(c.listed.size()) - 1;
        const HidStatusResult r =
            HIDDeviceStaus(c.listed, nindex, c.notFoundSeen, c.online, c.transport);
        EXPECT_EQ(r.selected, c.selected) << c.what;
        EXPECT_EQ(r.hidPresent, c.selected >= 0) << c.what;
        EXPECT_EQ(r.action, c.action) << c.what;
        EXPECT_EQ(r.transport, c.after) << c.what;
        EXPECT_EQ(r.notFoundSeen, c.notFoundAfter) << c.what;
    }
}

TEST(HidStatus, DeviceSetChangesAndRemovals) {
    const HidDeviceInfo a = Dev(0x1984, 0x0419), b = Dev(0x1984, 0x0500);
    const std::vector<HidDeviceInfo> ab = {a, b}, ba = {b, a}, onlyB = {b};
    EXPECT_FALSE(DeviceSetChanged(ab, ba)) << "another enumeration order is no change";
    EXPECT_TRUE(DeviceSetChanged(ab, onlyB));
    EXPECT_TRUE(DeviceSetChanged({}, onlyB));
    const auto removed = RemovedDevices(ab, onlyB);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(DeviceName(removed[0]), "DSPDevice VID=1984 PID=0419");
    EXPECT_TRUE(RemovedDevices(onlyB, ab).empty());
}
