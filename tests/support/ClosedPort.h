#pragma once

#include <QHostAddress>
#include <QTcpServer>

namespace dsp::test {

// A port on 127.0.0.1 that nobody listens on: a TCP search there finds nothing.
inline quint16 ClosedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace dsp::test
