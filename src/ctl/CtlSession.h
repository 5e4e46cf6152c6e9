#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "link/LinkContext.h"
#include "link/LinkObserver.h"

namespace dsp::ctl {

// How a wait on the link ended.
enum class RunResult {
    Done,    // the awaited condition holds
    Failed,  // the search or a load gave up ("连接失败!")
    Lost,    // the link was lost while online ("已断开连接!")
    Stalled, // nothing moved on the link for longer than any of its own time-outs
};

// What dspctl watches of the link core's observer calls: the link notices, the status text
// and the progress of the status dialog. Other message boxes are kept as warnings.
class LinkEvents : public LinkObserver {
public:
    void ShowMessage(std::string_view chinese, std::string_view english) override;
    void LinkLabelWindow(std::string_view chinese, std::string_view english) override;
    void ShowStatusDialog(int progressPercent) override;
    void HideStatusDialog() override;

    bool Failed = false;
    bool Lost = false;
    std::string Status; // English status text
    std::vector<std::string> Warnings;
    // Progress of the search, load or download: percent and the status text.
    std::function<void(int percent, const std::string& status)> OnProgress;
    // The status dialog was hidden: the sequence ended.
    std::function<void()> OnProgressEnd;
};

// Online with nothing outstanding: no unanswered frame, no queued write, no follow-up due.
bool LinkIdle(const LinkVars& v);

// A link to one device as the commands use it. The program's session runs the io driver
// and its event loop; tests run the core's ticks against the in-process device.
class Session {
public:
    virtual ~Session() = default;

    virtual LinkContext& Ctx() = 0;
    virtual LinkEvents& Events() = 0;

    // Starts linking as the tool does (the link button; over USB the device change).
    virtual void StartLink() = 0;
    // Runs a core routine on the link (timers follow what it changed).
    virtual void Call(const std::function<void(LinkContext&)>& routine) = 0;
    // Runs the link until done() holds, the link fails or is lost, or it stalls.
    virtual RunResult RunUntil(const std::function<bool()>& done) = 0;
    // Lets what was written last (the goodbye) leave before the program ends.
    virtual void Settle() = 0;
    // Where the device is, for messages: "127.0.0.1:8899", a serial port, "USB".
    virtual std::string Where() const = 0;
};

} // namespace dsp::ctl
