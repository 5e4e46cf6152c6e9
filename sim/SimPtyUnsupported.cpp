// SimPty on systems without pseudo-terminals (Windows): Open() fails with a clear message,
// so `dspsim --pty` says why and the simulator is used over TCP instead.
#include "sim/SimPty.h"

namespace dsp::sim {

SimPty::SimPty(DeviceModel& model, const FaultConfig& faults, QObject* parent) : QObject(parent) {
    link_ = std::make_unique<SimLink>(
        model, TransportKind::Serial, faults, [this](const QByteArray& b) { Write(b); }, [] {});
}

SimPty::~SimPty() = default;

bool SimPty::Open() {
    error_ = QStringLiteral("pseudo-terminals need a POSIX system; use the TCP port instead");
    return false;
}

void SimPty::OnReadable() {}

void SimPty::Write(const QByteArray&) {}

} // namespace dsp::sim
