#include "ctl/CtlCommands.h"
#include "link/LinkMachine.h"

namespace dsp::ctl {

bool Await(Session& s, const std::function<bool()>& done, const char* what, Output& o) {
    const RunResult r = s.RunUntil(done);
    switch (r) {
    case RunResult::Done:
        return true;
    case RunResult::Failed:
        o.err << "dspctl: the link to " << s.Where() << " failed during " << what
              << ": the device did not answer (Off Line!)\n";
        break;
    case RunResult::Lost:
        o.err << "dspctl: the link to " << s.Where() << " was lost during " << what
              << " (Off Line!)\n";
        break;
    case RunResult::Stalled:
        o.err << "dspctl: the device at " << s.Where() << " stopped answering during " << what
              << "\n";
        // The core waits for ever in a few places; stop it as the unlink button does.
        s.Call([](LinkContext& c) { LinkBtnClick(c, false); });
        s.Settle();
        break;
    }
    return false;
}

bool LinkUp(Session& s, Output& o) {
    s.StartLink();
    return Await(
        s, [&s] { return LinkIdle(s.Ctx().Vars); }, "the link-up", o);
}

void Goodbye(Session& s) {
    if (s.Ctx().Vars.LinkState != 2)
        return;
    s.Call([](LinkContext& c) { LinkBtnClick(c, false); });
    s.Settle();
}

} // namespace dsp::ctl
