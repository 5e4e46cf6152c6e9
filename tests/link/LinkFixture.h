#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "link/LinkContext.h"
#include "link/Transport.h"

namespace dsp::test {

using Bytes = std::vector<uint8_t>;

// Records every write; readiness and report length are set by the test.
class FakeTransport : public Transport {
public:
    explicit FakeTransport(TransportKind kind, size_t reportLength = 0)
        : kind_(kind), reportLength_(reportLength) {}

    TransportKind Kind() const override { return kind_; }
    bool Ready() const override { return ready; }
    void Send(std::span<const uint8_t> bytes) override {
        sent.emplace_back(bytes.begin(), bytes.end());
    }
    size_t OutputReportLength() const override { return reportLength_; }

    bool ready = true;
    std::vector<Bytes> sent;

private:
    TransportKind kind_;
    size_t reportLength_;
};

// Records what the core asks of the windows.
class RecordingObserver : public LinkObserver, public ViewHooks {
public:
    void ShowPitch(int value) override { pitches.push_back(value); }
    void ShowMessage(std::string_view chinese, std::string_view) override {
        messages.emplace_back(chinese);
    }
    void DeviceIdChanged(const std::string& id) override { ids.push_back(id); }
    void LinkLabelWindow(std::string_view, std::string_view english) override {
        labels.emplace_back(english);
    }
    void SetLinkLabelColour(LinkColour c) override { colours.push_back(c); }
    void SetLinkButtonsActive(bool active) override { buttonsActive.push_back(active); }
    void ShowStatusDialog(int progress) override {
        dialogVisible = true;
        lastProgress = progress;
    }
    void HideStatusDialog() override { dialogVisible = false; }
    void SetComLabel(std::string_view text) override { comLabels.emplace_back(text); }
    void LinkOnline() override { ++onlineRefreshes; }
    void ModeListChanged(int bank) override { modeLists.push_back(bank); }
    void TimersChanged() override { ++timerChanges; }
    void SetMusicGainEnabled(bool enabled) override { gainEnabled.push_back(enabled); }
    void RebindRightChannel(int section) override { rightSections.push_back(section); }
    void RebindAuxGains() override { ++auxRebinds; }

    std::vector<int> pitches;
    std::vector<std::string> messages;
    std::vector<std::string> ids;
    std::vector<std::string> labels;
    std::vector<bool> gainEnabled;
    std::vector<int> rightSections;
    int auxRebinds = 0;
    std::vector<LinkColour> colours;
    std::vector<bool> buttonsActive;
    bool dialogVisible = false;
    int lastProgress = -1;
    std::vector<std::string> comLabels;
    int onlineRefreshes = 0;
    std::vector<int> modeLists;
    int timerChanges = 0;
};

// A fresh link with fake transports on all three links; serial is current.
struct LinkFixture {
    explicit LinkFixture(Variant variant = Variant::A) : variant(variant) {
        ports.For(TransportKind::UsbHid) = &hid;
        ports.For(TransportKind::Serial) = &serial;
        ports.For(TransportKind::Tcp) = &tcp;
        ports.Transport = TransportKind::Serial;
    }

    LinkContext Ctx() { return LinkContext{store, page, vars, ports, variant, observer, observer}; }

    void GoOnline() {
        vars.LinkState = 2;
        vars.LineFree = true;
    }

    Variant variant;
    ParamStore store;
    PageState page;
    LinkVars vars;
    LinkPorts ports;
    FakeTransport hid{TransportKind::UsbHid, 65};
    FakeTransport serial{TransportKind::Serial};
    FakeTransport tcp{TransportKind::Tcp};
    RecordingObserver observer;
};

} // namespace dsp::test
