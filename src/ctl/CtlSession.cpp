#include "ctl/CtlSession.h"

#include "link/LinkDriver.h"

namespace dsp::ctl {

void LinkEvents::ShowMessage(std::string_view chinese, std::string_view english) {
    switch (LinkNoticeOf(chinese)) {
    case LinkNotice::Failed:
        Failed = true;
        return;
    case LinkNotice::Lost:
        Lost = true;
        return;
    case LinkNotice::None:
        Warnings.emplace_back(english);
        return;
    }
}

void LinkEvents::LinkLabelWindow(std::string_view, std::string_view english) {
    Status = english;
}

void LinkEvents::ShowStatusDialog(int progressPercent) {
    if (OnProgress)
        OnProgress(progressPercent, Status);
}

void LinkEvents::HideStatusDialog() {
    if (OnProgressEnd)
        OnProgressEnd();
}

bool LinkIdle(const LinkVars& v) {
    return v.LinkState == 2 && v.LineFree && v.Queue.Empty() && v.PendingAction == 0;
}

} // namespace dsp::ctl
