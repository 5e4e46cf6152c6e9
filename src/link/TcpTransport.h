#pragma once

#include <QTcpSocket>

#include "link/TransportsIo.h"

namespace dsp {

// TCP link to the device's network module (ClientSocket1): a non-blocking client socket.
// Socket errors are swallowed; a failed link shows up only as missing answers.
class TcpTransport : public IoTransport {
    Q_OBJECT
public:
    explicit TcpTransport(QObject* parent = nullptr);

    TransportKind Kind() const override { return TransportKind::Tcp; }
    // Connected, or connecting: bytes written while connecting go out once connected.
    bool Ready() const override;
    void Send(std::span<const uint8_t> bytes) override;

    // TcpBtnClick: drops any connection and connects to host:port without waiting.
    // A port text that is not a port number makes no connection and returns false.
    bool Connect(const QString& host, const QString& portText);
    void Close();
    bool IsConnected() const;

    // Port text to a port number; 0 when it is not one (empty, not a number, out of range).
    static quint16 ParsePort(const QString& portText);

private:
    void OnReadyRead();

    QTcpSocket socket_;
};

} // namespace dsp
