#include "link/SerialTransport.h"

#include <QSerialPortInfo>

#include "link/IoLog.h"

namespace dsp {

SerialTransport::SerialTransport(QObject* parent) : IoTransport(parent), port_(this) {
    connect(&port_, &QSerialPort::readyRead, this, &SerialTransport::OnReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e != QSerialPort::NoError)
            qCDebug(lcLink) << "serial error" << e << port_.errorString();
        // The port went away (cable pulled, device gone): close it, or the notifier keeps
        // firing the same error in a busy loop. Queued, as the port is inside its own call.
        if (e == QSerialPort::ResourceError)
            QMetaObject::invokeMethod(
                this, [this] { port_.close(); }, Qt::QueuedConnection);
    });
}

QStringList SerialTransport::SystemPortNames() {
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names << info.portName();
    return names;
}

QStringList SerialTransport::PortNames() const {
    return WithAddedPorts(SystemPortNames());
}

QStringList SerialTransport::WithAddedPorts(QStringList names) const {
    for (const QString& name : added_) {
        if (!names.contains(name))
            names << name;
    }
    return names;
}

void SerialTransport::AddPortName(const QString& name) {
    if (!name.isEmpty() && !added_.contains(name))
        added_ << name;
}

bool SerialTransport::Open(const QString& name) {
    Close();
    port_.setPortName(name);
    if (!port_.open(QIODevice::ReadWrite)) {
        qCDebug(lcLink) << "serial open failed" << name << port_.errorString();
        return false;
    }
    // Line settings after opening; a setting a port cannot take (a pseudo-terminal has no
    // modem lines) is ignored like the opening errors.
    port_.setBaudRate(QSerialPort::Baud115200);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setDataTerminalReady(true);
    port_.setRequestToSend(true);
    port_.clearError();
    qCDebug(lcLink) << "serial open" << name;
    return true;
}

void SerialTransport::Close() {
    if (port_.isOpen())
        port_.close();
}

void SerialTransport::Send(std::span<const uint8_t> bytes) {
    if (!port_.isOpen())
        return;
    const QByteArray frame(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    qCDebug(lcLink) << "serial tx" << frame.toHex(' ');
    port_.write(frame);
}

void SerialTransport::OnReadyRead() {
    const QByteArray bytes = port_.readAll();
    if (bytes.isEmpty())
        return;
    qCDebug(lcLink) << "serial rx" << bytes.toHex(' ');
    emit BytesReceived(bytes);
}

} // namespace dsp
