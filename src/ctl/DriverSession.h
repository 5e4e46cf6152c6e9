#pragma once

#include <QString>
#include <memory>

#include "ctl/CtlSession.h"
#include "link/LinkDriver.h"
#include "params/PageState.h"
#include "params/ParamStore.h"

namespace dsp::ctl {

// Where dspctl links to: TCP (default), one serial port, or the USB HID device. Nothing else
// is tried: the search's other links are left empty or switched off.
struct LinkTarget {
    enum class Kind { Tcp, Serial, Usb };
    Kind LinkKind = Kind::Tcp;
    QString Host = QStringLiteral("127.0.0.1");
    QString Port = QStringLiteral("8899");
    QString SerialPath;
};

// The program's session: the io driver with its timers and transports, run by a local
// event loop while a command waits.
class DriverSession : public Session {
public:
    // A wait ends as stalled when nothing moves on the link for this long: longer than the
    // step machine's time-outs on TCP (about 25 s), which end a dead load on their own.
    static constexpr int kStallMs = 30000;

    DriverSession(Variant variant, const LinkTarget& target, int stallMs = kStallMs);
    ~DriverSession() override;

    LinkContext& Ctx() override { return driver_->Context(); }
    LinkEvents& Events() override { return events_; }
    void StartLink() override;
    void Call(const std::function<void(LinkContext&)>& routine) override;
    RunResult RunUntil(const std::function<bool()>& done) override;
    void Settle() override;
    std::string Where() const override;

    LinkDriver& Driver() { return *driver_; }

private:
    ParamStore store_;
    PageState page_;
    LinkEvents events_;
    LinkTarget target_;
    int stallMs_;
    std::unique_ptr<LinkDriver> driver_;
};

} // namespace dsp::ctl
