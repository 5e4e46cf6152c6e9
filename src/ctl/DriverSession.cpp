#include "ctl/DriverSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <tuple>

#include "link/HidTransport.h"

namespace dsp::ctl {

namespace {

// What changes while the link makes headway; unchanged for long means it stalled.
auto Headway(const LinkVars& v) {
    return std::make_tuple(v.LinkState, v.StepPos, v.PacketIndex, v.NameIndex, v.SearchTicks,
                           v.AckSeen, v.HandshakeSent, v.LineFree, v.Queue.QueueReadPos,
                           v.Queue.QueueWritePos, v.PendingAction, v.Timers.Timer1, v.Timers.Timer2,
                           v.Timers.Timer3, v.Timers.HoldTimer);
}

} // namespace

DriverSession::DriverSession(Variant variant, const LinkTarget& target, int stallMs)
    : target_(target), stallMs_(stallMs) {
    store_.ResetDeviceTable();
    driver_ = std::make_unique<LinkDriver>(store_, page_, variant);
    driver_->SetObserver(&events_);
    // Only the link the user named: no other serial ports, no TCP unless asked for.
    driver_->SetSystemSerialPortsListed(false);
    if (target.LinkKind == LinkTarget::Kind::Serial)
        driver_->AddSerialPort(target.SerialPath);
    driver_->SetTcpEnabled(target.LinkKind == LinkTarget::Kind::Tcp);
    driver_->SetTcpEndpoint(target.Host, target.Port);
}

DriverSession::~DriverSession() = default;

void DriverSession::StartLink() {
    if (target_.LinkKind == LinkTarget::Kind::Usb)
        driver_->HidDeviceChange(); // links to the attached device, or searches on and fails
    else
        driver_->LinkButton(true);
}

void DriverSession::Call(const std::function<void(LinkContext&)>& routine) {
    driver_->Run(routine);
}

RunResult DriverSession::RunUntil(const std::function<bool()>& done) {
    QEventLoop loop;
    QElapsedTimer still;
    still.start();
    auto last = Headway(driver_->Vars());
    // The hold timer ticks every 20 ms while online; this keeps the loop waking otherwise.
    QTimer wake;
    wake.start(50);
    for (;;) {
        if (events_.Failed)
            return RunResult::Failed;
        if (events_.Lost)
            return RunResult::Lost;
        if (done())
            return RunResult::Done;
        const auto now = Headway(driver_->Vars());
        if (now != last) {
            last = now;
            still.restart();
        } else if (still.elapsed() > stallMs_) {
            return RunResult::Stalled;
        }
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void DriverSession::Settle() {
    // Give the socket or port a moment to put the last frame on the wire.
    QEventLoop loop;
    QTimer::singleShot(150, &loop, &QEventLoop::quit);
    loop.exec();
}

std::string DriverSession::Where() const {
    switch (target_.LinkKind) {
    case LinkTarget::Kind::Tcp:
        return (target_.Host + ':' + target_.Port).toStdString();
    case LinkTarget::Kind::Serial:
        return target_.SerialPath.toStdString();
    case LinkTarget::Kind::Usb:
        return "USB";
    }
    return {};
}

} // namespace dsp::ctl
