#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "link/Transport.h"

namespace dsp {

// The Qt side of a transport: what arrives is handed on as a signal on the GUI thread.
// USB HID emits one BytesReceived per input report (its data, report id excluded); serial
// and TCP emit the raw stream bytes as they were read, for the framer to cut into frames.
class IoTransport : public QObject, public Transport {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void BytesReceived(const QByteArray& bytes);
    // Lines for the link window's history list ("Removal of …", "WRITE ERROR: …").
    void HistoryLine(const QString& line);
};

} // namespace dsp
