# Transports: USB HID (hidapi), serial (QSerialPort), TCP (QTcpSocket); all in dspio.
