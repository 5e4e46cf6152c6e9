#pragma once

#include "link/LinkContext.h"

namespace dsp {

// Applies a change to the link timers and tells the io layer when anything changed.
template <class Change> void ChangeTimers(LinkContext& ctx, Change change) {
    const LinkTimers before = ctx.Vars.Timers;
    change(ctx.Vars.Timers);
    if (!(before == ctx.Vars.Timers))
        ctx.Observer.TimersChanged();
}

// Progress of the current step sequence in percent, for the status dialog.
int StepProgress(const LinkVars& v);

} // namespace dsp
