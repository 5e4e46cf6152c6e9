#include "link/LinkMachine.h"

#include <algorithm>
#include <cmath>

#include "link/FrameParser.h"
#include "link/Frames.h"
#include "link/LinkTimerControl.h"
#include "link/WritePath.h"
#include "params/SectionMap.h"

namespace dsp {

int FullLoadSteps(Variant variant) {
    return variant == Variant::A ? kFullLoadStepsA : kFullLoadStepsB;
}

int LastPacket(int step) {
    if (step < 0 || step >= kSectionCount)
        return 0;
    return (SlotCount[step] - 1) / kPacketValues;
}

int DiscardQueuedWrites(LinkContext& ctx, bool withUnconfirmed) {
    LinkVars& v = ctx.Vars;
    int count = v.Queue.Pending();
    v.Queue.Drop();
    if (withUnconfirmed && v.WriteUnconfirmed)
        ++count;
    v.WriteUnconfirmed = false;
    if (count > 0) {
        const std::string chinese = WritesDiscardedText(count, true);
        const std::string english = WritesDiscardedText(count, false);
        ctx.Observer.LinkLabelWindow(chinese, english);
        ctx.Observer.WritesDiscarded(count);
    }
    return count;
}

std::string WritesDiscardedText(int count, bool chinese) {
    const std::string n = std::to_string(count);
    if (chinese)
        return n + " 个参数未写入设备!";
    return n + (count == 1 ? " value not written to the device!"
                           : " values not written to the device!");
}

void LinkLabelWindow(LinkContext& ctx, const LinkText& text) {
    ctx.Observer.LinkLabelWindow(text.Chinese, text.English);
}

int StepProgress(const LinkVars& v) {
    if (v.StepTotal <= 0)
        return 0;
    return static_cast<int>(std::lrint(100.0 * v.StepPos / v.StepTotal));
}

void PCtoMCUAckSign(LinkContext& ctx, int numm) {
    switch (numm) {
    case kHello:
        ctx.Vars.HandshakeSent = false;
        SendData(ctx.Ports, WRWrite, kAddrHello, kHello);
        break;
    case kStatusPoll:
        SendData(ctx.Ports, WRRead, kAddrReadRequest, kStatusSection);
        break;
    case kGoodbye:
        SendData(ctx.Ports, WRWrite, kAddrHello, kGoodbye);
        break;
    default:
        break;
    }
}

void LinkBtnClick(LinkContext& ctx, bool linkButton) {
    LinkVars& v = ctx.Vars;
    if (linkButton && v.LinkState != 2) {
        v.AckSeen = false;
        v.SearchTicks = 0;
        ctx.Page.LinkGateState = 0;
        ctx.Page.SuppressSend = false;
        ResetFraming(v);
        if (v.HidPresent) {
            ctx.Ports.Transport = TransportKind::UsbHid;
        } else if (ctx.Endpoints.ComSelection() < 0) {
            ctx.Ports.Transport = TransportKind::Tcp;
        } else {
            ctx.Endpoints.SelectComPort(v.SearchTicks);
            ctx.Ports.Transport = TransportKind::Serial;
        }
        ChangeTimers(ctx, [](LinkTimers& t) {
            t.Timer1 = true;
            t.Timer2 = false;
            t.HoldTimer = false;
        });
        ctx.Observer.SetLinkButtonsActive(true);
        LinkLabelWindow(ctx, kTextSearch);
        DiscardQueuedWrites(ctx);
        v.StepPos = 0;
        v.StepTotal = FullLoadSteps(ctx.ProgramVariant);
        ctx.Observer.ShowStatusDialog(0);
        return;
    }
    // Unlink. The section upload stops too, so that it cannot bring the link back online.
    v.LinkState = 0;
    ctx.Observer.SetLinkButtonsActive(false);
    ChangeTimers(ctx, [](LinkTimers& t) {
        t.Timer1 = false;
        t.Timer2 = false;
        t.Timer3 = false;
        t.HoldTimer = false;
    });
    PCtoMCUAckSign(ctx, kGoodbye);
    LinkLabelWindow(ctx, kTextOffline);
    ctx.Observer.HideStatusDialog();
}

void HidPresenceChanged(LinkContext& ctx, bool matchFound) {
    LinkVars& v = ctx.Vars;
    v.HidPresent = matchFound;
    if (matchFound) {
        ctx.Ports.Transport = TransportKind::UsbHid;
        LinkBtnClick(ctx, true);
        return;
    }
    if (v.NotFoundSeen)
        return;
    v.NotFoundSeen = true;
    if (ctx.Ports.Transport != TransportKind::UsbHid)
        return;
    if (v.LinkState == 2) {
        DisCheckWindow(ctx, ModeLinkLost);
        return;
    }
    ctx.Ports.Transport = TransportKind::Serial;
    LinkBtnClick(ctx, true);
}

namespace {

void StartSteps(LinkContext& ctx, int first, int total, int mode, const LinkText& text) {
    LinkVars& v = ctx.Vars;
    v.StepPos = first;
    v.StepTotal = total;
    v.StepMode = mode;
    v.PacketIndex = 0;
    LinkLabelWindow(ctx, text);
}

void GoOnline(LinkContext& ctx) {
    LinkVars& v = ctx.Vars;
    ParamTable& device = ctx.Store.DeviceTable;
    ctx.Page.SingDisco = std::clamp(device.At(SecMusic, 64), 0, 1);
    const bool firstLink = ctx.Page.LinkGateState == 0;
    if (firstLink)
        ctx.Page.LinkGateState = 1;
    ctx.Observer.LinkOnline();

    v.LinkState = 2;
    ctx.Observer.SetLinkLabelColour(LinkColour::Online);
    ctx.Observer.SetLinkButtonsActive(true);
    LinkLabelWindow(ctx, kTextOnline);
    ctx.Observer.HideStatusDialog();
    ChangeTimers(ctx, [](LinkTimers& t) {
        t.Timer3 = false;
        t.HoldTimer = true;
    });

    if (ctx.ProgramVariant != Variant::A)
        return;
    if (firstLink)
        SendDatatoMCU(ctx, kAddrHandshake, 1);
    if (v.StepMode == 1) {
        SendDatatoMCU(ctx, 0x1E17, device.At(SecSystem, 23));
        SendDatatoMCU(ctx, 0x1E18, device.At(SecSystem, 24));
    }
}

void LinkDown(LinkContext& ctx, bool lost) {
    LinkVars& v = ctx.Vars;
    ChangeTimers(ctx, [](LinkTimers& t) {
        t.Timer1 = false;
        t.Timer2 = false;
        t.Timer3 = false;
    });
    ctx.Page.SuppressSend = false;
    if (lost)
        v.LinkState = 0;
    ctx.Observer.SetLinkButtonsActive(false);
    LinkLabelWindow(ctx, kTextOffline);
    ctx.Observer.SetLinkLabelColour(LinkColour::Offline);
    if (!lost)
        ctx.Endpoints.TcpClose();
    ctx.Observer.HideStatusDialog();
    // Writes still queued can never go out: the next link starts by loading the device's
    // values and drops the queue. Say so now rather than losing them silently later; the
    // write the device never answered counts too.
    DiscardQueuedWrites(ctx, true);
    if (lost)
        ctx.Observer.ShowMessage("已断开连接!", "Off Line!");
    else
        ctx.Observer.ShowMessage("连接失败!", "Off Line!");
}

void NamesSaved(LinkContext& ctx, int bank) {
    ctx.Observer.ModeListChanged(bank);
    ctx.Vars.LinkState = 2;
    LinkLabelWindow(ctx, kTextOnline);
    ctx.Observer.SetLinkLabelColour(LinkColour::Online);
    ctx.Observer.ShowMessage("保存成功!", "Save Success!");
}

} // namespace

void DisCheckWindow(LinkContext& ctx, int uMode) {
    LinkVars& v = ctx.Vars;
    switch (uMode) {
    case ModeOnline:
        GoOnline(ctx);
        return;
    case ModeReload:
    case ModeLinkStart:
    case ModePartialReload: {
        ChangeTimers(ctx, [](LinkTimers& t) {
            t.Timer1 = false;
            t.Timer2 = true;
            t.HoldTimer = false;
        });
        const bool partial = uMode == ModePartialReload;
        StartSteps(ctx, partial ? kPartialFirstStep : 0,
                   partial ? kPartialSteps : FullLoadSteps(ctx.ProgramVariant), 0,
                   uMode == ModeLinkStart ? kTextLinking : kTextLoading);
        SendPacketStep(ctx, v.StepPos * 256, 0);
        v.LinkState = 0;
        if (uMode == ModeLinkStart) {
            v.StepState = 0;
            v.StepTicks = 0;
            ctx.Observer.SetLinkLabelColour(LinkColour::Linking);
        }
        return;
    }
    case ModeDownload:
    case ModePartialDownload: {
        if (v.LinkState != 2)
            return;
        ChangeTimers(ctx, [](LinkTimers& t) {
            t.Timer1 = false;
            t.Timer2 = true;
            t.Timer3 = false;
            t.HoldTimer = false;
        });
        const bool partial = uMode == ModePartialDownload;
        StartSteps(ctx, partial ? kPartialFirstStep : 0, partial ? kPartialSteps : kDownloadSteps,
                   1, kTextDownload);
        v.LinkState = 0;
        v.StepTicks = 0;
        v.StepState = 3;
        SendPacketStep(ctx, v.StepPos * 256, 1);
        return;
    }
    case ModeLinkLost:
        LinkDown(ctx, true);
        return;
    case ModeLinkFailed:
        LinkDown(ctx, false);
        return;
    case ModeSectionUpload:
        ChangeTimers(ctx, [](LinkTimers& t) {
            t.Timer1 = false;
            t.Timer2 = false;
            t.Timer3 = true;
            t.HoldTimer = false;
        });
        DiscardQueuedWrites(ctx);
        v.StepMode = 2;
        v.PacketIndex = 0;
        LinkLabelWindow(ctx, kTextLoading);
        SendPacketStep(ctx, v.StepPos * 256, 2);
        v.LinkState = 0;
        return;
    case ModeNamesSaved1:
        NamesSaved(ctx, 1);
        return;
    case ModeNamesSaved2:
        NamesSaved(ctx, 2);
        return;
    default:
        return;
    }
}

} // namespace dsp
