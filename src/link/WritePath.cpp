#include "link/WritePath.h"

#include <algorithm>

#include "link/Frames.h"
#include "link/LinkMachine.h"
#include "params/SectionMap.h"

namespace dsp {

namespace {

constexpr int kInputSlot = 65;
constexpr int kDelaySlot = 16;
constexpr int kMuteSlot = 17;
constexpr int kMicLinkSlot = 13;
constexpr int kEffectSendSlot = 115;

// Gain slot of the music input: 0 auto and analog 1, 1 analog 2, 2 Bluetooth,
// 3 optical/coaxial, 4 USB, 5 any HDMI input.
int GainSlotOfInput(int input) {
    if (input <= 1)
        return 0;
    if (input >= 6)
        return 5;
    return input - 1;
}

// Variant A: slots 16 and 17 of a right-hand output (7/8, 15/16, 19) follow the sing or disco
// set of that output; the left outputs' own go to the output shown.
int SingOrDisco(const PageState& page) {
    return std::clamp(page.SingDisco, 0, 1);
}

int DelayMuteSection(int section, const PageState& page) {
    if (section == 7 || section == 8)
        return 7 + SingOrDisco(page);
    if (section == 15 || section == 16)
        return 15 + SingOrDisco(page);
    if (section == 19)
        return 19 + SingOrDisco(page);
    return page.OutputSection;
}

void ArmFollowUp(LinkContext& ctx, Address device) {
    ctx.Vars.PendingAction = CommandFollowUp(device);
    if (device == kAddrRecall1 || device == kAddrRecall2) {
        LinkLabelWindow(ctx, kTextLoading);
        ctx.Vars.LinkState = 0;
        ctx.Vars.MissCount = 0;
    }
}

} // namespace

bool MusicGainEnabled(const ParamTable& device) {
    return device.At(SecMusic, kInputSlot) != 0;
}

Address MapAddress(Address view, Variant variant, const PageState& page, const ParamTable& device) {
    int s = SectionOf(view);
    int t = SlotOf(view);
    if ((s == SecMic1 || s == SecMic2) && t != kMicLinkSlot && t != kEffectSendSlot)
        s = page.MicSection;
    else if (s == SecMusic && t == 0)
        t = GainSlotOfInput(device.At(SecMusic, kInputSlot));
    else if (s >= SecOut && s <= 19) {
        if (variant == Variant::A && (t == kDelaySlot || t == kMuteSlot))
            s = DelayMuteSection(s, page);
        else
            s = page.OutputSection;
    } else if (s >= SecHint && s <= 24)
        s = page.HintSection;
    return MakeAddress(s, t);
}

Address MapAddress(const LinkContext& ctx, Address view) {
    return MapAddress(view, ctx.ProgramVariant, ctx.Page, ctx.Store.DeviceTable);
}

int CommandFollowUp(Address device) {
    switch (device) {
    case kAddrRecall1:
        return 2;
    case kAddrNameWrite1:
        return 3;
    case kAddrNameWrite2:
        return 23;
    case kAddrRecall2:
        return 22;
    default:
        return 0;
    }
}

void SendDatatoMCU(LinkContext& ctx, Address view, int32_t value) {
    if (!IsValidAddress(view))
        return;
    ctx.Store.ViewTable[view] = value;
    const Address device = MapAddress(ctx, view);
    if (view == MakeAddress(SecMusic, 0))
        ctx.Hooks.SetMusicGainEnabled(MusicGainEnabled(ctx.Store.DeviceTable));
    // Page selections outside their ranges would point past the table: store nothing more.
    if (!IsValidAddress(device))
        return;
    ctx.Store.DeviceTable[device] = value;

    LinkVars& v = ctx.Vars;
    if (ctx.Page.SuppressSend || v.LinkState != 2)
        return;
    v.IdleTicks = 0;
    if (!v.LineFree || !v.Queue.Empty()) {
        v.Queue.QueuePut(device, value);
        return;
    }
    v.StepState = 0;
    ArmFollowUp(ctx, device);
    v.Queue.Reset();
    v.Queue.QueuePut(device, value);
    v.Queue.QueueTake();
    SendData(ctx.Ports, WRWrite, device, static_cast<uint16_t>(value));
    v.LineFree = false;
    v.WriteUnconfirmed = true;
}

void SendEQDatatoMCU(LinkContext& ctx, Address view, int32_t value) {
    SendDatatoMCU(ctx, view, value);
    ctx.Vars.LineFree = false;
}

bool SendNextQueued(LinkContext& ctx) {
    LinkVars& v = ctx.Vars;
    if (!v.LineFree || v.Queue.Empty())
        return false;
    v.MissCount = 0;
    v.IdleTicks = 0;
    const int pos = v.Queue.QueueTake();
    SendData(ctx.Ports, WRWrite, v.Queue.AddressAt(pos),
             static_cast<uint16_t>(v.Queue.ValueAt(pos)));
    v.LineFree = false;
    v.WriteUnconfirmed = true;
    return true;
}

void ResendLastWrite(LinkContext& ctx) {
    const SendQueue& q = ctx.Vars.Queue;
    SendData(ctx.Ports, WRWrite, q.AddressAt(q.QueueReadPos),
             static_cast<uint16_t>(q.ValueAt(q.QueueReadPos)));
}

void RebuildView(LinkContext& ctx) {
    ParamTable& view = ctx.Store.ViewTable;
    const ParamTable& device = ctx.Store.DeviceTable;
    for (int s : ViewSections) {
        for (int t = 0; t < SlotCount[s]; ++t) {
            const Address d = MapAddress(ctx, MakeAddress(s, t));
            if (IsValidAddress(d))
                view.At(s, t) = device[d];
        }
    }
    ctx.Hooks.SetMusicGainEnabled(MusicGainEnabled(device));

    if (ctx.ProgramVariant == Variant::A) {
        const int singDisco = SingOrDisco(ctx.Page);
        for (int b : {5, 13, 17}) {
            view.At(b + 2, kDelaySlot) = device.At(b + 2 + singDisco, kDelaySlot);
            view.At(b + 2, kMuteSlot) = device.At(b + 2 + singDisco, kMuteSlot);
        }
        for (int b : {5, 13, 17}) {
            if (b <= ctx.Page.OutputSection && ctx.Page.OutputSection <= b + 3) {
                ctx.Hooks.RebindRightChannel(b + 2);
                break;
            }
        }
    }
    ctx.Hooks.RebindAuxGains();
}

} // namespace dsp
