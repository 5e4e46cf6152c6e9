#pragma once

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "link/FrameParser.h"
#include "link/Frames.h"
#include "params/SectionMap.h"
#include "tests/link/LinkFixture.h"

namespace dsp::test {

// One frame the tool sent, decoded.
struct SentFrame {
    uint8_t mode;
    Address address;
    Bytes data;
    int Value() const { return data.size() >= 2 ? data[0] + 256 * data[1] : -1; }
};

// The device's side of the protocol, enough for the link machine: answers hello, handshake,
// writes and bulk writes with an acknowledgement, read requests with their frames. Frames and
// acknowledgements wait in a queue until the test delivers them.
class FakeDevice : public Transport {
public:
    FakeDevice(TransportKind kind, size_t reportLength = 0)
        : kind_(kind), reportLength_(reportLength) {
        for (int s = 0; s < kSectionCount; ++s)
            for (int t = 0; t < kSlotCount; ++t)
                table.At(s, t) = (s * 7 + t) % 200;
    }

    TransportKind Kind() const override { return kind_; }
    bool Ready() const override { return ready; }
    size_t OutputReportLength() const override { return reportLength_; }

    void Send(std::span<const uint8_t> bytes) override {
        Bytes f(bytes.begin(), bytes.end());
        if (kind_ == TransportKind::UsbHid) {
            if (f.size() < reportLength_ || f[0] != 0)
                badReports++;
            f.erase(f.begin()); // report id
            f.resize(f[2] + 3);
        }
        SentFrame s{f[3], f[4] * 256 + f[5], Bytes(f.begin() + 6, f.end() - 1)};
        frames.push_back(s);
        if (silent)
            return;
        Answer(s);
        if (corruptIf && corruptIf(s)) {
            pending.back().back() ^= 0xFF; // the answer fails its checksum
            corruptIf = nullptr;
        }
    }

    // Hands every waiting answer to the link core.
    void Deliver(LinkContext& ctx) {
        while (!pending.empty()) {
            Bytes m = pending.front();
            pending.pop_front();
            switch (kind_) {
            case TransportKind::UsbHid:
                m.resize(64, 0);
                HidCtlDeviceData(ctx, m);
                break;
            case TransportKind::Serial:
                ComPortRxChar(ctx, m);
                break;
            case TransportKind::Tcp:
                ClientSocket1Read(ctx, m);
                break;
            }
        }
    }

    int Count(uint8_t mode, Address address) const {
        int n = 0;
        for (const auto& f : frames)
            n += f.mode == mode && f.address == address;
        return n;
    }
    // Read requests other than the status poll.
    int Requests() const {
        int n = 0;
        for (const auto& f : frames)
            n +=
                f.mode == WRRead && !(f.address == kAddrReadRequest && f.Value() == kStatusSection);
        return n;
    }

    bool ready = true;
    bool silent = false;
    // The answer to the first request matching this fails its checksum.
    std::function<bool(const SentFrame&)> corruptIf;
    int badReports = 0;
    ParamTable table;
    std::string password = "1234";
    std::vector<SentFrame> frames;
    std::deque<Bytes> pending;

private:
    void Ack() { pending.push_back({0xEE, 0xBB}); }
    void Reply(int section, int slot, const Bytes& data) {
        pending.push_back(BuildPacketFrame(WRWrite, MakeAddress(section, slot), data));
    }

    void Answer(const SentFrame& f) {
        if (f.mode == WRWrite) {
            if (f.address == kAddrBulkWrite && f.data.size() >= 2)
                for (size_t i = 2; i + 1 < f.data.size() && f.data[1] + (i - 2) / 2 < kSlotCount;
                     i += 2)
                    table.At(f.data[0], f.data[1] + (i - 2) / 2) = f.data[i] + 256 * f.data[i + 1];
            Ack();
            return;
        }
        if (f.address == kAddrReadRequest) {
            const int section = f.data[0], first = f.data[1];
            if (section == kStatusSection) {
                Reply(kStatusSection, 0, Bytes(13, 7));
                return;
            }
            const int count = kind_ == TransportKind::UsbHid
                                  ? std::min(25, SlotCount[section] - first)
                                  : SlotCount[section] - first;
            Bytes data;
            for (int i = 0; i < count; ++i) {
                data.push_back(table.At(section, first + i) & 0xFF);
                data.push_back(table.At(section, first + i) >> 8);
            }
            Reply(section, first, data);
            return;
        }
        const int slot = f.address & 0xFF;
        if (f.address == kAddrNameRequest1 || f.address == kAddrNameRequest2) {
            const std::string name = (slot == 0 ? "One" : "Two") + std::to_string(f.data[0]);
            Reply(SecSystem, slot, Bytes(name.begin(), name.end()));
        } else if (f.address == kAddrPassword) {
            Reply(SecSystem, slot, Bytes(password.begin(), password.end()));
        } else {
            Reply(SecSystem, slot, {static_cast<uint8_t>(slot), 0});
        }
    }

    TransportKind kind_;
    size_t reportLength_;
};

// The serial port list and the socket.
class FakeEndpoints : public LinkEndpoints {
public:
    explicit FakeEndpoints(int ports) : ports_(ports), selection_(ports > 0 ? 0 : -1) {}
    int ComSelection() const override { return selection_; }
    void SelectComPort(int line) override { selection_ = line < ports_ ? line : -1; }
    bool OpenSelectedComPort() override {
        opened.push_back(selection_);
        return selection_ >= 0;
    }
    std::string SelectedComPortName() const override {
        return selection_ < 0 ? "" : "ttyS" + std::to_string(selection_);
    }
    void TcpConnect() override { ++connects; }
    void TcpClose() override { ++closes; }

    std::vector<int> opened;
    int connects = 0;
    int closes = 0;

private:
    int ports_;
    int selection_;
};

// A link whose three transports are fake devices.
struct DeviceFixture {
    explicit DeviceFixture(Variant variant = Variant::A, int serialPorts = 1)
        : variant(variant), endpoints(serialPorts) {
        ports.For(TransportKind::UsbHid) = &hid;
        ports.For(TransportKind::Serial) = &serial;
        ports.For(TransportKind::Tcp) = &tcp;
        store.ResetDeviceTable();
    }

    LinkContext Ctx() {
        return LinkContext{store, page, vars, ports, variant, observer, observer, endpoints};
    }
    FakeDevice& Current() { return *static_cast<FakeDevice*>(ports.Current()); }
    void Deliver() {
        auto ctx = Ctx();
        Current().Deliver(ctx);
    }

    Variant variant;
    ParamStore store;
    PageState page;
    LinkVars vars;
    LinkPorts ports;
    FakeDevice hid{TransportKind::UsbHid, 65};
    FakeDevice serial{TransportKind::Serial};
    FakeDevice tcp{TransportKind::Tcp};
    RecordingObserver observer;
    FakeEndpoints endpoints;
};

} // namespace dsp::test
