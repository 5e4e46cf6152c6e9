#include "ctl/ProgressPrinter.h"

#include <algorithm>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace dsp::ctl {

bool ProgressPrinter::IsTerminal(std::FILE* stream) {
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

void ProgressPrinter::Attach(LinkEvents& events) {
    events.OnProgress = [this](int percent, const std::string& status) { Show(percent, status); };
    events.OnProgressEnd = [this] { End(); };
}

void ProgressPrinter::Show(int percent, const std::string& status) {
    percent = std::clamp(percent, 0, 100);
    if (terminal_) {
        constexpr int kWidth = 30;
        const int filled = percent * kWidth / 100;
        std::fprintf(stream_, "\r%-12s [%s%s] %3d%%", status.c_str(),
                     std::string(size_t(filled), '#').c_str(),
                     std::string(size_t(kWidth - filled), ' ').c_str(), percent);
        std::fflush(stream_);
        barShown_ = true;
        return;
    }
    const int tenth = percent / 10;
    if (status == lastStatus_ && tenth == lastTenth_)
        return;
    lastStatus_ = status;
    lastTenth_ = tenth;
    std::fprintf(stream_, "%s %d%%\n", status.c_str(), percent);
    std::fflush(stream_);
}

void ProgressPrinter::End() {
    if (terminal_ && barShown_)
        std::fprintf(stream_, "\n");
    barShown_ = false;
    lastStatus_.clear();
    lastTenth_ = -1;
}

} // namespace dsp::ctl
