// The link machine driven by arbitrary interleavings of timer ticks, buttons, DisCheckWindow
// modes, edits and received bytes on every transport. Looks for out-of-range table, queue and
// buffer accesses (the sanitizers) and checks a few invariants of the link state.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "link/FrameParser.h"
#include "link/LinkMachine.h"
#include "link/WritePath.h"
#include "params/SectionMap.h"

namespace {

class Sink : public dsp::Transport {
public:
    explicit Sink(dsp::TransportKind kind) : kind_(kind) {}
    dsp::TransportKind Kind() const override { return kind_; }
    bool Ready() const override { return true; }
    void Send(std::span<const uint8_t> bytes) override {
        if (bytes.empty() || bytes.size() > 300)
            __builtin_trap();
    }
    size_t OutputReportLength() const override {
        return kind_ == dsp::TransportKind::UsbHid ? 65 : 0;
    }

private:
    dsp::TransportKind kind_;
};

class Ports : public dsp::LinkEndpoints {
public:
    int ComSelection() const override { return selection_; }
    void SelectComPort(int line) override { selection_ = line < 3 ? line : -1; }
    bool OpenSelectedComPort() override { return selection_ >= 0; }

private:
    int selection_ = 0;
};

struct Reader {
    std::span<const uint8_t> in;
    uint8_t Byte() {
        if (in.empty())
            return 0;
        const uint8_t b = in[0];
        in = in.subspan(1);
        return b;
    }
    std::span<const uint8_t> Bytes(size_t n) {
        n = std::min(n, in.size());
        auto out = in.first(n);
        in = in.subspan(n);
        return out;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dsp::ParamStore store;
    store.ResetDeviceTable();
    dsp::PageState page;
    dsp::LinkVars vars;
    dsp::LinkPorts ports;
    Sink hid(dsp::TransportKind::UsbHid), serial(dsp::TransportKind::Serial),
        tcp(dsp::TransportKind::Tcp);
    ports.For(dsp::TransportKind::UsbHid) = &hid;
    ports.For(dsp::TransportKind::Serial) = &serial;
    ports.For(dsp::TransportKind::Tcp) = &tcp;
    Ports endpoints;
    Reader r{std::span(data, size)};
    const auto variant = r.Byte() & 1 ? dsp::Variant::A : dsp::Variant::B;
    dsp::LinkContext ctx{
        store, page, vars, ports, variant, dsp::NoLinkObserver(), dsp::NoViewHooks(), endpoints};

    while (!r.in.empty()) {
        switch (r.Byte() % 14) {
        case 0:
            dsp::Timer1Tick(ctx);
            break;
        case 1:
            dsp::Timer2Tick(ctx);
            break;
        case 2:
            dsp::Timer3Tick(ctx);
            break;
        case 3:
            dsp::HoldTimerTick(ctx);
            break;
        case 4:
            dsp::LinkBtnClick(ctx, true);
            break;
        case 5:
            dsp::LinkBtnClick(ctx, false);
            break;
        case 6:
            dsp::DisCheckWindow(ctx, r.Byte() % 25);
            break;
        case 7:
            dsp::ComPortRxChar(ctx, r.Bytes(r.Byte() % 80));
            break;
        case 8:
            dsp::HidCtlDeviceData(ctx, r.Bytes(64));
            break;
        case 9:
            dsp::ClientSocket1Read(ctx, r.Bytes(r.Byte() % 80));
            break;
        case 10:
            ports.Transport = static_cast<dsp::TransportKind>(r.Byte() % 3);
            vars.HidPresent = r.Byte() & 1;
            break;
        case 11: {
            const int address = r.Byte() % dsp::kSectionCount * 256 + r.Byte() % dsp::kSlotCount;
            dsp::SendDatatoMCU(ctx, address, r.Byte() | r.Byte() << 8);
            break;
        }
        case 12: // the output copy hands the section upload a destination pair
            vars.StepPos = dsp::SecOut + r.Byte() % 15;
            vars.StepTotal = vars.StepPos + 1;
            break;
        case 13: // page selections as the pages set them
            page.MicSection = 1 + (r.Byte() & 1);
            page.OutputSection = dsp::SecOut + r.Byte() % 16;
            page.HintSection = dsp::SecHint + r.Byte() % 3;
            page.SingDisco = r.Byte() & 1;
            break;
        }
        if (vars.NameIndex < 0 || vars.NameIndex > dsp::ModeCount || vars.Queue.Pending() > 499 ||
            vars.IdleTicks > 50 || vars.StepTicks > 100)
            __builtin_trap();
    }
    return 0;
}
