#pragma once

#include <QSerialPort>
#include <QStringList>

#include "link/TransportsIo.h"

namespace dsp {

// Serial link (ComPort): 115200 baud, 8 data bits, no parity, 1 stop bit, DTR and RTS on,
// no flow control. The port list is the PC's serial ports plus ports added by name, so a
// pseudo-terminal can stand in for the device's port.
class SerialTransport : public IoTransport {
    Q_OBJECT
public:
    explicit SerialTransport(QObject* parent = nullptr);

    TransportKind Kind() const override { return TransportKind::Serial; }
    bool Ready() const override { return port_.isOpen(); }
    // One write of the whole frame; dropped while the port is closed.
    void Send(std::span<const uint8_t> bytes) override;

    // The lines of the port list (ComComboBox1): the PC's ports, then the added names.
    QStringList PortNames() const;
    // The PC's own ports alone, and a list of them followed by the added ports it lacks.
    static QStringList SystemPortNames();
    QStringList WithAddedPorts(QStringList systemPorts) const;
    void AddPortName(const QString& name);

    // Closes the port if open and opens `name`. Opening errors are not reported: the
    // search simply goes on with the next port. Returns whether the port is open.
    bool Open(const QString& name);
    void Close();
    QString PortName() const { return port_.portName(); }

private:
    void OnReadyRead();

    QSerialPort port_;
    QStringList added_;
};

} // namespace dsp
