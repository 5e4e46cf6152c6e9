#include "sim/SimPty.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "sim/SimLog.h"

namespace dsp::sim {

namespace {

bool MakeRaw(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    cfsetispeed(&t, B115200);
    cfsetospeed(&t, B115200);
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

} // namespace

SimPty::SimPty(DeviceModel& model, const FaultConfig& faults, QObject* parent) : QObject(parent) {
    link_ = std::make_unique<SimLink>(
        model, TransportKind::Serial, faults, [this](const QByteArray& b) { Write(b); },
        [] { qCInfo(lcSim) << "a serial line cannot be closed; staying silent instead"; });
}

SimPty::~SimPty() {
    notifier_.reset();
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

bool SimPty::Open() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    const char* name = ptsname(master_);
    if (!name) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    slavePath_ = QString::fromLocal8Bit(name);
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    // Raw on both sides: no echo of the tool's frames back to the simulator, no line editing.
    if (slave_ < 0 || !MakeRaw(slave_) || !MakeRaw(master_)) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &SimPty::OnReadable);
    return true;
}

void SimPty::OnReadable() {
    char buf[512];
    const ssize_t n = ::read(master_, buf, sizeof buf);
    if (n > 0)
        link_->Feed(QByteArray(buf, qsizetype(n)));
}

void SimPty::Write(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0) {
            qCWarning(lcSim) << "pty write failed:" << std::strerror(errno);
            return;
        }
        done += n;
    }
}

} // namespace dsp::sim
