#include <algorithm>

#include "link/Frames.h"
#include "link/LinkMachine.h"
#include "link/LinkTimerControl.h"
#include "link/WritePath.h"

namespace dsp {

namespace {

constexpr int kHidHellos = 10; // a present USB device gets 9 hellos
constexpr int kTcpTicks = 3;   // two connects, three hellos, then the link fails
constexpr int kIdleLimit = 50; // one idle second of 20 ms ticks
constexpr int kPendingMisses = 50;
constexpr int kPollMisses = 4;

void SearchHid(LinkContext& ctx) {
    LinkVars& v = ctx.Vars;
    ++v.SearchTicks;
    if (v.HidPresent && v.SearchTicks < kHidHellos) {
        PCtoMCUAckSign(ctx, kHello);
        ctx.Observer.SetComLabel("  USB");
        return;
    }
    ctx.Ports.Transport = TransportKind::Serial;
    v.SearchTicks = 0;
}

void StartTcp(LinkContext& ctx) {
    ctx.Observer.SetComLabel("Network");
    ctx.Endpoints.TcpConnect();
}

void SearchSerial(LinkContext& ctx) {
    LinkVars& v = ctx.Vars;
    LinkEndpoints& ports = ctx.Endpoints;
    if (v.SearchTicks <= v.LastComIndex + 1 && ports.ComSelection() >= 0) {
        ports.SelectComPort(v.SearchTicks);
        ctx.Observer.SetComLabel(ports.SelectedComPortName());
        v.LastComIndex = ports.ComSelection();
        if (ports.OpenSelectedComPort())
            PCtoMCUAckSign(ctx, kHello);
        ++v.SearchTicks;
        return;
    }
    v.SearchTicks = 0;
    ctx.Ports.Transport = TransportKind::Tcp;
    StartTcp(ctx);
    PCtoMCUAckSign(ctx, kHello);
}

void SearchTcp(LinkContext& ctx) {
    LinkVars& v = ctx.Vars;
    if (v.SearchTicks == 0)
        StartTcp(ctx);
    ++v.SearchTicks;
    if (v.SearchTicks < kTcpTicks) {
        PCtoMCUAckSign(ctx, kHello);
        return;
    }
    v.SearchTicks = 0;
    DisCheckWindow(ctx, ModeLinkFailed);
    ctx.Endpoints.TcpClose();
}

} // namespace

void Timer1Tick(LinkContext& ctx) {
    LinkVars& v = ctx.Vars;
    ctx.Observer.ShowStatusDialog(StepProgress(v));
    if (v.AckSeen) {
        if (!v.HandshakeSent) {
            v.HandshakeSent = true;
            SendData(ctx.Ports, WRWrite, kAddrHandshake, ctx.ProgramVariant == Variant::A ? 1 : 0);
        } else {
            DisCheckWindow(ctx, ModeLinkStart);
        }
        const int interval = ctx.Ports.Transport == TransportKind::Tcp ? 160 : 50;
        ChangeTimers(ctx, [&](LinkTimers& t) { t.Timer2Interval = interval; });
        return;
    }
    switch (ctx.Ports.Transport) {
    case TransportKind::UsbHid:
        SearchHid(ctx);
        break;
    case TransportKind::Serial:
        SearchSerial(ctx);
        break;
    case TransportKind::Tcp:
        SearchTcp(ctx);
        break;
    }
}

void HoldTimerTick(LinkContext& ctx) {
    LinkVars& v = ctx.Vars;
    v.IdleTicks = std::min(v.IdleTicks + 1, kIdleLimit);

    // A command's follow-up runs once the device has answered it.
    if (v.LineFree && v.PendingAction != 0) {
        const int action = v.PendingAction;
        v.PendingAction = 0;
        DisCheckWindow(ctx, action);
        v.MissCount = 0;
        v.IdleTicks = 0;
    } else if (v.PendingAction != 0 && v.IdleTicks == kIdleLimit) {
        v.IdleTicks = 0;
        if (++v.MissCount > kPendingMisses) {
            v.MissCount = 0;
            ChangeTimers(ctx, [](LinkTimers& t) { t.HoldTimer = false; });
            DisCheckWindow(ctx, ModeLinkLost);
        }
    }

    SendNextQueued(ctx);

    // Keep-alive: poll once per idle second; without answers ask again after 2 and 4
    // seconds and declare the link lost after 5. What is asked again is what went
    // unanswered: an unanswered parameter write is sent again (the device takes the same
    // value twice without harm), so one lost answer neither loses the write nor stalls the
    // writes queued behind it until the link is given up.
    if (v.LinkState == 2 && v.IdleTicks == kIdleLimit) {
        v.IdleTicks = 0;
        ++v.MissCount;
        if (v.LineFree) {
            v.LineFree = false;
            v.MissCount = 0;
            PCtoMCUAckSign(ctx, kStatusPoll);
        } else if (v.MissCount % 2 == 0) {
            if (v.WriteUnconfirmed)
                ResendLastWrite(ctx);
            else
                PCtoMCUAckSign(ctx, kStatusPoll);
        }
        if (v.MissCount > kPollMisses) {
            v.MissCount = 0;
            ChangeTimers(ctx, [](LinkTimers& t) { t.HoldTimer = false; });
            DisCheckWindow(ctx, ModeLinkLost);
        }
    }
}

} // namespace dsp
