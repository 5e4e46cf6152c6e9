#include <algorithm>
#include <span>
#include <vector>

#include "link/Frames.h"
#include "link/LinkMachine.h"
#include "link/LinkTimerControl.h"
#include "params/SectionMap.h"

namespace dsp {

namespace {

constexpr int kNameStep1 = 30;
constexpr int kNameStep2 = 37;
constexpr int kStageTicks = 30;
constexpr int kRepeatTicks = 20;
constexpr int kFailTicks = 100;

// Read requests of the steps after the sections: address and whether the name index goes along.
struct StepRequest {
    Address address;
    bool withName;
};
constexpr StepRequest kStepRequests[] = {
    {kAddrNameRequest1, true}, // 30
    {0x1E01, false},           // 31
    {0x1E02, false},           // 32
    {0x1E03, false},           // 33
    {0x1E04, false},           // 34
    {kAddrPassword, false},    // 35
    {0x1E15, false},           // 36
    {kAddrNameRequest2, true}, // 37
    {0x1E21, false},           // 38
    {0x1E22, false},           // 39
    {0x1E14, false},           // 40, variant A only
    {0x1E17, false},           // 41, variant A only
};

bool OnHid(const LinkContext& ctx) {
    return ctx.Ports.Transport == TransportKind::UsbHid;
}

void SendReadStep(LinkContext& ctx, int step, int firstSlot) {
    if (step < kNameStep1) {
        SendData(ctx.Ports, WRRead, kAddrReadRequest,
                 static_cast<uint16_t>(step + 256 * firstSlot));
        return;
    }
    const int index = step - kNameStep1;
    if (index >= static_cast<int>(std::size(kStepRequests)) ||
        step >= FullLoadSteps(ctx.ProgramVariant))
        return;
    const StepRequest& r = kStepRequests[index];
    const auto data = std::span<const uint8_t>(ctx.Vars.FrameBuffer).first(r.withName ? 2 : 0);
    SendPacktData(ctx.Ports, WRRead, r.address, data);
}

void SendWriteStep(LinkContext& ctx, int step, int firstSlot) {
    auto& fb = ctx.Vars.FrameBuffer;
    fb[0] = static_cast<uint8_t>(step);
    fb[1] = static_cast<uint8_t>(firstSlot);
    if (step >= kNameStep1)
        return;
    // Over USB HID 25 values per packet; the last packet of a section carries one value more
    // than the section has slots left. Serial and TCP take the whole section in one frame.
    const int slots = SlotCount[step];
    int count = slots;
    if (OnHid(ctx))
        count = slots - firstSlot > 24 ? kPacketValues : slots - firstSlot + 1;
    count = std::clamp(count, 0, kSlotCount - firstSlot);
    std::vector<uint8_t> data = {fb[0], fb[1]};
    for (int i = 0; i < count; ++i) {
        const int32_t value = ctx.Store.DeviceTable.At(step, firstSlot + i);
        data.push_back(static_cast<uint8_t>(value & 0xFF));
        data.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
    }
    SendPacktData(ctx.Ports, WRWrite, kAddrBulkWrite, data);
}

// Time-out stages of a request that has not been answered: after 30 ticks the stage advances
// (in steps 0 and 1 the request is repeated first, off USB HID), after 20 more it is
// repeated once off USB HID, and 100 ticks later the link has failed. The stages advance in
// steps 0 and 1 too: repeating there without end would leave a silent device's load (or a
// USB HID one's, where nothing is repeated) hanging for ever instead of failing.
void WatchRequest(LinkContext& ctx) {
    LinkVars& v = ctx.Vars;
    auto repeat = [&] {
        if (!OnHid(ctx))
            SendPacketStep(ctx, v.StepPos * 256 + v.PacketIndex, v.StepMode);
    };
    // The first request of a load goes out in state 0, and an acknowledgement (state 1)
    // answers no read request: both still wait for their answer, so the stages run for them
    // too rather than the load waiting for ever.
    if (v.StepState == 0 || v.StepState == 1)
        v.StepState = 3;
    if (v.StepState == 3 && v.StepTicks > kStageTicks) {
        if (v.StepPos <= 1)
            repeat();
        v.StepState = 4;
        v.StepTicks = 0;
    } else if (v.StepState == 4 && v.StepTicks > kRepeatTicks) {
        repeat();
        v.StepState = 5;
        v.StepTicks = 0;
    } else if (v.StepState == 5 && v.StepTicks >= kFailTicks) {
        v.StepState = 0;
        DisCheckWindow(ctx, ModeLinkFailed);
    }
}

void CountTick(LinkVars& v) {
    if (v.StepTicks < kFailTicks)
        ++v.StepTicks;
}

void SendStepAndWait(LinkContext& ctx, int step) {
    LinkVars& v = ctx.Vars;
    SendPacketStep(ctx, step * 256 + v.PacketIndex, v.StepMode);
    if (OnHid(ctx))
        ++v.PacketIndex;
    v.StepState = 3;
    v.StepTicks = 0;
}

// One answered step of Timer2: move to the next request.
void AdvanceSteps(LinkContext& ctx) {
    LinkVars& v = ctx.Vars;
    if (v.StepPos >= v.StepTotal) {
        v.StepState = 0;
        ChangeTimers(ctx, [](LinkTimers& t) { t.Timer2 = false; });
        DisCheckWindow(ctx, ModeOnline);
        return;
    }
    if (v.StepPos == kNameStep1 || v.StepPos == kNameStep2) {
        // A failed name reply asks for the same name again, so that the next reply lands in
        // its own position of the list.
        const bool again = v.RetryFlag && v.NameIndex > 0;
        v.FrameBuffer[0] = static_cast<uint8_t>(again ? v.NameIndex - 1 : v.NameIndex);
        v.FrameBuffer[1] = 0;
        if (!v.RetryFlag)
            ++v.NameIndex;
        v.RetryFlag = false;
        if (v.NameIndex > ModeCount) {
            v.NameIndex = 0;
            ++v.StepPos;
        }
    } else {
        const bool retry = v.RetryFlag;
        if (v.StepPos == 25 || v.StepPos == 36) {
            // Sections 26 to 29 are skipped, but a failed section 25 is read again first.
            if (v.StepPos == 25 && !retry)
                v.StepPos = 29;
            v.NameIndex = 0;
            v.FrameBuffer[0] = v.FrameBuffer[1] = 0;
        }
        if (!retry && (v.PacketIndex > LastPacket(v.StepPos) || !OnHid(ctx))) {
            ++v.StepPos;
            v.PacketIndex = 0;
            if (v.StepPos == kNameStep1)
                ++v.NameIndex;
        } else if (retry && OnHid(ctx) && v.PacketIndex > 0) {
            --v.PacketIndex; // the failed packet, not the next one, is requested again
        }
        v.RetryFlag = false;
    }
    // Nothing is left to request: the next tick ends the sequence. (A download reads section
    // 25 back instead, and its answer ends the sequence.)
    const bool partialDone = v.StepTotal == kPartialSteps && v.StepPos >= kPartialSteps;
    const bool readDone = v.StepMode != 1 && v.StepPos >= v.StepTotal;
    if (partialDone || readDone) {
        v.StepState = 2;
        v.StepTicks = 0;
        return;
    }
    if (v.StepPos < v.StepTotal || v.StepMode != 1) {
        SendStepAndWait(ctx, v.StepPos);
        return;
    }
    SendPacketStep(ctx, 25 * 256, 0);
    if (OnHid(ctx))
        ++v.PacketIndex;
    v.StepState = 3;
    v.StepTicks = 0;
}

} // namespace

void SendPacketStep(LinkContext& ctx, int nTotalStep, int mode) {
    const int step = nTotalStep / 256;
    const int packet = nTotalStep % 256;
    const int firstSlot = OnHid(ctx) ? kPacketValues * packet : 0;
    // The packet number only counts in section steps; it never reaches past the table there.
    if (step < 0 || (step < kNameStep1 && firstSlot >= kSlotCount))
        return;
    if (mode == 0)
        SendReadStep(ctx, step, firstSlot);
    else
        SendWriteStep(ctx, step, firstSlot);
}

void Timer2Tick(LinkContext& ctx) {
    LinkVars& v = ctx.Vars;
    CountTick(v);
    ctx.Observer.ShowStatusDialog(StepProgress(v));
    if (v.StepState == 2 || (v.StepState == 1 && v.StepMode == 1)) {
        AdvanceSteps(ctx);
        return;
    }
    WatchRequest(ctx);
}

void Timer3Tick(LinkContext& ctx) {
    LinkVars& v = ctx.Vars;
    CountTick(v);
    if (v.StepState == 2 || (v.StepState == 1 && v.StepMode == 2)) {
        auto finish = [&] {
            v.StepState = 0;
            ChangeTimers(ctx, [](LinkTimers& t) { t.Timer3 = false; });
            DisCheckWindow(ctx, ModeOnline);
        };
        if (v.StepPos > v.StepTotal) {
            finish();
            return;
        }
        if (!v.RetryFlag && (v.PacketIndex > LastPacket(v.StepPos) || !OnHid(ctx))) {
            ++v.StepPos;
            v.PacketIndex = 0;
            if (v.StepPos > v.StepTotal) {
                finish();
                return;
            }
        }
        v.RetryFlag = false;
        SendStepAndWait(ctx, v.StepPos);
        return;
    }
    WatchRequest(ctx);
}

} // namespace dsp
