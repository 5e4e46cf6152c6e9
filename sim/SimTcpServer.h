#pragma once

#include <QList>
#include <QPointer>
#include <QTcpServer>

#include "sim/SimLink.h"

namespace dsp::sim {

// The device's network module: a TCP server on the loopback address only. Every client
// gets its own framing and fault counters; all of them talk to the one device model.
class SimTcpServer : public QObject {
    Q_OBJECT
public:
    SimTcpServer(DeviceModel& model, const FaultConfig& faults, QObject* parent = nullptr);

    // Listens on 127.0.0.1:port (0: any free port). False when the port is taken.
    bool Listen(quint16 port);
    quint16 Port() const { return server_.serverPort(); }
    QString ErrorString() const { return server_.errorString(); }
    int Clients() const { return clients_; }
    // The links of the clients connected now (for tests that change faults mid-session).
    QList<SimLink*> Links() const;

private:
    void OnNewConnection();

    DeviceModel& model_;
    FaultConfig faults_;
    QTcpServer server_;
    int clients_ = 0;
    QList<QPointer<SimLink>> links_;
};

} // namespace dsp::sim
