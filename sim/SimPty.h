#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

#include "sim/SimLink.h"

namespace dsp::sim {

// The device's serial port as a pseudo-terminal: the tool opens SlavePath() as its serial
// port. The simulator keeps a handle on the slave side itself so that the master does not
// hang up while the tool closes and reopens the port during its search.
class SimPty : public QObject {
    Q_OBJECT
public:
    SimPty(DeviceModel& model, const FaultConfig& faults, QObject* parent = nullptr);
    ~SimPty() override;

    bool Open(); // posix_openpt, raw mode; false with ErrorString() set
    QString SlavePath() const { return slavePath_; }
    QString ErrorString() const { return error_; }
    SimLink& Link() { return *link_; }

private:
    void OnReadable();
    void Write(const QByteArray& bytes);

    std::unique_ptr<SimLink> link_;
    std::unique_ptr<QSocketNotifier> notifier_;
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    QString error_;
};

} // namespace dsp::sim
