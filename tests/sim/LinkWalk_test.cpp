// A whole link-up's reads against the in-process device, one request per answer as the
// tool's step machine asks them, on every kind of link: the answers must rebuild the
// device's parameter set, both banks of mode names and the link password.
#include <gtest/gtest.h>

#include <chrono>

#include "params/SectionMap.h"
#include "sim/FakeDeviceTransport.h"

using namespace dsp;
using namespace dsp::sim;
using Bytes = std::vector<uint8_t>;

namespace {

class Walker {
public:
    explicit Walker(FakeDeviceTransport& t) : t_(t) {
        t_.SetReceiver([this](std::span<const uint8_t> b) { answer_.assign(b.begin(), b.end()); });
    }

    // Sends one request and returns the frame that answers it (padding removed).
    DeviceFrame Ask(const DeviceFrame& request) {
        Bytes wire = EncodeFrame(request);
        if (t_.Kind() == TransportKind::UsbHid) {
            wire.insert(wire.begin(), 0); // report id
            wire.resize(t_.OutputReportLength(), 0);
        }
        answer_.clear();
        t_.Send(wire);
        EXPECT_EQ(t_.PumpAll(), 1);
        ++requests_;
        if (answer_.size() < 3)
            return {};
        const size_t length = size_t(answer_[2]) + 3;
        EXPECT_LE(length, answer_.size());
        auto frame = DecodeFrame(std::span(answer_).first(std::min(length, answer_.size())));
        EXPECT_TRUE(frame.has_value());
        return frame.value_or(DeviceFrame{});
    }

    int Requests() const { return requests_; }

private:
    FakeDeviceTransport& t_;
    Bytes answer_;
    int requests_ = 0;
};

void StoreSection(ParamTable& table, const DeviceFrame& f) {
    for (size_t i = 0; 2 * i + 1 < f.data.size() && f.slot + i < size_t(kSlotCount); ++i)
        table.At(f.section, f.slot + int(i)) = f.data[2 * i] + 256 * f.data[2 * i + 1];
}

} // namespace

TEST(LinkWalk, ReadsTheWholeDeviceOnEveryLink) {
    struct Case {
        TransportKind kind;
        int sectionRequests;
    };
    // Over USB HID sections travel in packets of 25 values.
    const Case cases[] = {
        {TransportKind::Serial, 26}, {TransportKind::Tcp, 26}, {TransportKind::UsbHid, 92}};
    for (const auto& c : cases) {
        DeviceModel model;
        model.Table().At(SecMic2, 100) = 513; // a two-byte value in the last packet
        FakeDeviceTransport t(model, c.kind);
        Walker w(t);
        const auto start = std::chrono::steady_clock::now();

        ParamTable seen;
        for (int s = 0; s <= SecSysVol; ++s) {
            const int step = c.kind == TransportKind::UsbHid ? kHidPacketValues : kSlotCount;
            for (int first = 0; first == 0 || first < SlotCount[s]; first += step) {
                DeviceFrame reply = w.Ask({kModeRead, 0x1E, 0x10, {uint8_t(s), uint8_t(first)}});
                EXPECT_EQ(reply.section, s);
                EXPECT_EQ(reply.slot, first);
                StoreSection(seen, reply);
            }
        }
        EXPECT_EQ(w.Requests(), c.sectionRequests);
        for (int s = 0; s <= SecSysVol; ++s) {
            for (int k = 0; k < SlotCount[s]; ++k)
                ASSERT_EQ(seen.At(s, k), model.Table().At(s, k))
                    << int(c.kind) << ":" << s << "/" << k;
        }
        for (int bank : {kBankMain, kBankHidden}) {
            for (int i = 0; i < kModeCount; ++i) {
                const uint8_t slot = bank == kBankMain ? 0x00 : 0x20;
                DeviceFrame reply = w.Ask({kModeRead, 0x1E, slot, {uint8_t(i), 0}});
                EXPECT_EQ(reply.slot, slot);
                EXPECT_EQ(std::string(reply.data.begin(), reply.data.end()),
                          model.Mode(bank, i).name);
            }
        }
        for (uint8_t item : {0x01, 0x02, 0x03, 0x04, 0x05, 0x15, 0x21, 0x22, 0x14, 0x17}) {
            DeviceFrame reply = w.Ask({kModeRead, 0x1E, item, {}});
            EXPECT_EQ(reply.section, SecSystem);
            EXPECT_EQ(reply.slot, item);
            if (item == 0x05)
                EXPECT_EQ(std::string(reply.data.begin(), reply.data.end()), model.Password());
            else
                EXPECT_EQ(reply.Value16(), model.Table().At(SecSystem, item));
        }
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
        RecordProperty("link_" + std::to_string(int(c.kind)) + "_us", int(us));
    }
}
