#include "link/TcpTransport.h"

#include "link/IoLog.h"

namespace dsp {

TcpTransport::TcpTransport(QObject* parent) : IoTransport(parent), socket_(this) {
    connect(&socket_, &QTcpSocket::readyRead, this, &TcpTransport::OnReadyRead);
    connect(&socket_, &QAbstractSocket::errorOccurred, this, [this](auto error) {
        // Suppressed on purpose: the link notices a dead socket by its time-outs.
        qCDebug(lcLink) << "tcp error" << error << socket_.errorString();
    });
}

bool TcpTransport::Ready() const {
    const auto s = socket_.state();
    return s == QAbstractSocket::ConnectedState || s == QAbstractSocket::ConnectingState ||
           s == QAbstractSocket::HostLookupState;
}

bool TcpTransport::IsConnected() const {
    return socket_.state() == QAbstractSocket::ConnectedState;
}

quint16 TcpTransport::ParsePort(const QString& portText) {
    bool ok = false;
    const uint port = portText.trimmed().toUInt(&ok);
    return ok && port > 0 && port <= 65535 ? quint16(port) : 0;
}

bool TcpTransport::Connect(const QString& host, const QString& portText) {
    socket_.abort();
    const quint16 port = ParsePort(portText);
    if (port == 0) {
        qCDebug(lcLink) << "tcp: no connection, port text is not a number:" << portText;
        return false;
    }
    qCDebug(lcLink) << "tcp connect" << host << port;
    socket_.connectToHost(host.trimmed(), port);
    return true;
}

void TcpTransport::Close() {
    socket_.abort();
}

void TcpTransport::Send(std::span<const uint8_t> bytes) {
    if (!Ready())
        return; // not connected: the frame is dropped
    qCDebug(lcLink) << "tcp tx"
                    << QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                  qsizetype(bytes.size()))
                           .toHex(' ');
    socket_.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

void TcpTransport::OnReadyRead() {
    const QByteArray bytes = socket_.readAll();
    if (bytes.isEmpty())
        return;
    qCDebug(lcLink) << "tcp rx" << bytes.toHex(' ');
    emit BytesReceived(bytes);
}

} // namespace dsp
