#pragma once

// The tool's link machine wired to the in-process device, with the four timers stepped on a
// fake clock in 10 ms steps: a whole link-up runs in milliseconds.
#include <cstdint>
#include <span>
#include <string>

#include "link/FrameParser.h"
#include "link/LinkContext.h"
#include "link/LinkMachine.h"
#include "params/SectionMap.h"
#include "sim/FakeDeviceTransport.h"

namespace dsp::sim {

// One serial port in the list, which opens; the socket connects without delay.
class OnePort : public LinkEndpoints {
public:
    explicit OnePort(bool hasPort) : selection_(hasPort ? 0 : -1) {}
    int ComSelection() const override { return selection_; }
    void SelectComPort(int line) override { selection_ = line == 0 ? 0 : -1; }
    bool OpenSelectedComPort() override { return selection_ == 0; }
    std::string SelectedComPortName() const override { return "ttyS0"; }

private:
    int selection_;
};

struct InProcessRig {
    InProcessRig(TransportKind kind, Variant variant, FaultConfig faults = {},
                 LinkObserver& observer = NoLinkObserver())
        : model(variant), device(model, kind, faults),
          endpoints(kind == TransportKind::Serial), ctx{store,         page,     vars,
                                                        ports,         variant,  observer,
                                                        NoViewHooks(), endpoints} {
        ports.For(kind) = &device;
        vars.HidPresent = kind == TransportKind::UsbHid;
        device.SetReceiver([this, kind](std::span<const uint8_t> b) {
            if (kind == TransportKind::UsbHid)
                HidCtlDeviceData(ctx, b);
            else if (kind == TransportKind::Serial)
                ComPortRxChar(ctx, b);
            else
                ClientSocket1Read(ctx, b);
        });
    }

    // Steps the fake clock and the four timers in 10 ms steps until done() or limitMs.
    template <class Done> bool RunUntil(Done done, int limitMs) {
        for (int t = 10; t <= limitMs; t += 10) {
            nowMs += 10;
            device.Advance(10);
            const LinkTimers& timers = vars.Timers;
            if (timers.Timer1 && nowMs % LinkTimers::kTimer1Interval == 0)
                Timer1Tick(ctx);
            if (timers.Timer2 && nowMs % timers.Timer2Interval == 0)
                Timer2Tick(ctx);
            if (timers.Timer3 && nowMs % LinkTimers::kTimer3Interval == 0)
                Timer3Tick(ctx);
            if (timers.HoldTimer && nowMs % LinkTimers::kHoldInterval == 0)
                HoldTimerTick(ctx);
            if (done())
                return true;
        }
        return false;
    }
    bool Online() const { return vars.LinkState == 2; }
    // The load brought the device's values over.
    bool TablesMatch() const {
        for (int s = 0; s <= SecSysVol; ++s)
            for (int k = 0; k < SlotCount[s]; ++k)
                if (store.DeviceTable.At(s, k) != model.Table().At(s, k))
                    return false;
        return true;
    }

    DeviceModel model;
    FakeDeviceTransport device;
    OnePort endpoints;
    ParamStore store;
    PageState page;
    LinkVars vars;
    LinkPorts ports;
    LinkContext ctx;
    int64_t nowMs = 0;
};

} // namespace dsp::sim
