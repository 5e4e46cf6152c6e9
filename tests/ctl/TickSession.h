#pragma once

#include "ctl/CtlSession.h"
#include "link/FrameParser.h"
#include "link/LinkMachine.h"
#include "sim/FakeDeviceTransport.h"
#include "tests/link/FakeLinkClock.h"

namespace dsp::test {

// A dspctl session whose device is the in-process model: the core's tick routines run on a
// simulated clock as the QTimers would call them, and the device's answers arrive between
// ticks. A whole link-up takes microseconds.
class TickSession : public ctl::Session, private LinkEndpoints {
public:
    // Simulated time after which a wait counts as stalled.
    static constexpr int64_t kStallMs = 300000;

    // The device sits behind TCP, the link dspctl uses by default; the socket is closed
    // until the search connects it.
    TickSession(sim::DeviceModel& model, Variant variant, sim::FaultConfig faults = {})
        : fake_(model, TransportKind::Tcp, faults), ctx_{store_,  page_,   vars_,         ports_,
                                                         variant, events_, NoViewHooks(), *this} {
        store_.ResetDeviceTable();
        ports_.For(TransportKind::Tcp) = &fake_;
        ports_.Transport = TransportKind::Tcp;
        fake_.SetConnected(false);
        fake_.SetReceiver([this](std::span<const uint8_t> b) { ClientSocket1Read(ctx_, b); });
    }

    // The device's network module does not accept connections (a closed port).
    void SetReachable(bool on) { reachable_ = on; }

    LinkContext& Ctx() override { return ctx_; }
    ctl::LinkEvents& Events() override { return events_; }
    void StartLink() override {
        Call([](LinkContext& c) { LinkBtnClick(c, true); });
    }
    void Call(const std::function<void(LinkContext&)>& routine) override {
        routine(ctx_);
        fake_.Pump();
    }
    ctl::RunResult RunUntil(const std::function<bool()>& done) override;
    void Settle() override { fake_.Pump(); }
    std::string Where() const override { return "the in-process device"; }

    sim::FakeDeviceTransport& Fake() { return fake_; }
    int64_t NowMs() const { return clock_.NowMs(); }

private:
    // LinkEndpoints: no serial ports; the socket "connects" when the device is reachable.
    void TcpConnect() override { fake_.SetConnected(reachable_); }
    void TcpClose() override { fake_.SetConnected(false); }

    sim::FakeDeviceTransport fake_;
    ParamStore store_;
    PageState page_;
    LinkVars vars_;
    LinkPorts ports_;
    ctl::LinkEvents events_;
    LinkContext ctx_;
    bool reachable_ = true;
    FakeLinkClock clock_;
};

inline ctl::RunResult TickSession::RunUntil(const std::function<bool()>& done) {
    const int64_t limit = clock_.NowMs() + kStallMs;
    for (;;) {
        if (events_.Failed)
            return ctl::RunResult::Failed;
        if (events_.Lost)
            return ctl::RunResult::Lost;
        if (done())
            return ctl::RunResult::Done;
        if (!clock_.Step(ctx_, limit, [this](int ms) { fake_.Advance(ms); }))
            return ctl::RunResult::Stalled;
        fake_.Pump();
    }
}

} // namespace dsp::test
