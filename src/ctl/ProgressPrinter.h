#pragma once

#include <cstdio>
#include <string>

#include "ctl/CtlSession.h"

namespace dsp::ctl {

// Shows the progress of searches, loads and downloads on stderr: a bar redrawn in place on
// a terminal, otherwise a plain line whenever the status changes or another tenth is done.
class ProgressPrinter {
public:
    ProgressPrinter(std::FILE* stream, bool terminal) : stream_(stream), terminal_(terminal) {}

    // Hooks the printer to a session's link events.
    void Attach(LinkEvents& events);

    void Show(int percent, const std::string& status);
    void End();

    // Whether the stream is a terminal.
    static bool IsTerminal(std::FILE* stream);

private:
    std::FILE* stream_;
    bool terminal_;
    bool barShown_ = false;
    std::string lastStatus_;
    int lastTenth_ = -1;
};

} // namespace dsp::ctl
