#include "sim/SimTcpServer.h"

#include <QHostAddress>
#include <QTcpSocket>

#include "sim/SimLog.h"

namespace dsp::sim {

SimTcpServer::SimTcpServer(DeviceModel& model, const FaultConfig& faults, QObject* parent)
    : QObject(parent), model_(model), faults_(faults) {
    connect(&server_, &QTcpServer::newConnection, this, &SimTcpServer::OnNewConnection);
}

bool SimTcpServer::Listen(quint16 port) {
    return server_.listen(QHostAddress::LocalHost, port);
}

QList<SimLink*> SimTcpServer::Links() const {
    QList<SimLink*> live;
    for (const QPointer<SimLink>& l : links_)
        if (l)
            live.append(l.data());
    return live;
}

void SimTcpServer::OnNewConnection() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++clients_;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        qCInfo(lcSim) << "tcp client" << socket->peerAddress().toString() << socket->peerPort();
        auto* link = new SimLink(
            model_, TransportKind::Tcp, faults_,
            [socket](const QByteArray& b) {
                if (socket->state() == QAbstractSocket::ConnectedState) {
                    socket->write(b);
                    socket->flush();
                }
            },
            [socket] { socket->disconnectFromHost(); }, socket);
        links_.removeAll(nullptr);
        links_.append(link);
        connect(socket, &QTcpSocket::readyRead, link,
                [socket, link] { link->Feed(socket->readAll()); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            --clients_;
            qCInfo(lcSim) << "tcp client gone";
            socket->deleteLater();
        });
    }
}

} // namespace dsp::sim
