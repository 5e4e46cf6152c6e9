#pragma once

#include <array>
#include <cstdint>

#include "link/LinkContext.h"
#include "link/LinkMachine.h"

namespace dsp::test {

// The link core's four timers on a simulated clock, as the link driver would run them: each
// step jumps to the timer due next and runs its tick.
class FakeLinkClock {
public:
    int64_t NowMs() const { return nowMs_; }

    // Runs the next due tick, first telling `advance` how many milliseconds pass. False (and
    // nothing done) when no timer is on or the next one is due after `limitMs`.
    template <class Advance> bool Step(LinkContext& ctx, int64_t limitMs, Advance&& advance) {
        using Tick = void (*)(LinkContext&);
        static constexpr Tick kTicks[4] = {Timer1Tick, Timer2Tick, Timer3Tick, HoldTimerTick};
        Sync(ctx.Vars.Timers);
        size_t next = timers_.size();
        for (size_t i = 0; i < timers_.size(); ++i)
            if (timers_[i].active && (next == timers_.size() || timers_[i].due < timers_[next].due))
                next = i;
        if (next == timers_.size() || timers_[next].due > limitMs)
            return false;
        advance(int(timers_[next].due - nowMs_));
        nowMs_ = timers_[next].due;
        timers_[next].due += timers_[next].interval;
        kTicks[next](ctx);
        return true;
    }

private:
    struct SimTimer {
        bool active = false;
        int interval = 0;
        int64_t due = 0;
    };

    void Sync(const LinkTimers& t) {
        const bool on[4] = {t.Timer1, t.Timer2, t.Timer3, t.HoldTimer};
        const int interval[4] = {LinkTimers::kTimer1Interval, t.Timer2Interval,
                                 LinkTimers::kTimer3Interval, LinkTimers::kHoldInterval};
        for (size_t i = 0; i < 4; ++i) {
            SimTimer& s = timers_[i];
            // Starting a timer, or re-timing a running one, starts a new period.
            if (on[i] && (!s.active || s.interval != interval[i]))
                s.due = nowMs_ + interval[i];
            s.active = on[i];
            s.interval = interval[i];
        }
    }

    int64_t nowMs_ = 0;
    std::array<SimTimer, 4> timers_{};
};

} // namespace dsp::test
