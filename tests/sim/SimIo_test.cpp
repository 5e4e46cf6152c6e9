// The io transports against the dspsim program: TCP on the loopback address and a
// pseudo-terminal standing in for the device's serial port.
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

#include "link/HidTransport.h"
#include "link/SerialTransport.h"
#include "link/TcpTransport.h"
#include "params/SectionMap.h"
#include "sim/DeviceModel.h"

using namespace dsp;
using namespace dsp::sim;

namespace {

QByteArray Bytes(const std::vector<uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}
std::span<const uint8_t> Span(const QByteArray& b) {
    return {reinterpret_cast<const uint8_t*>(b.constData()), size_t(b.size())};
}

const QByteArray kHello = QByteArray::fromHex("f52c06b71e3011000b");
const QByteArray kAck = QByteArray::fromHex("eeaa");

QByteArray SectionRead(int section) {
    return Bytes(EncodeFrame({kModeRead, 0x1E, 0x10, {uint8_t(section), 0}}));
}

// What a factory-fresh device answers, to compare the wire with.
QByteArray Expected(const QByteArray& request) {
    DeviceModel model;
    return Bytes(model.Answer(*DecodeFrame(Span(request)), TransportKind::Tcp));
}

// Collects what a transport receives; `reads` counts the BytesReceived signals.
struct Collector {
    QByteArray bytes;
    int reads = 0;
    void Attach(IoTransport& t) {
        QObject::connect(&t, &IoTransport::BytesReceived, [this](const QByteArray& b) {
            bytes += b;
            ++reads;
        });
    }
};

} // namespace

class SimIoTest : public QObject {
    Q_OBJECT

private:
    // Starts dspsim with the given switches; fills the TCP port and the pty path it prints.
    bool StartSim(QProcess& sim, const QStringList& args, quint16* port, QString* pty = nullptr) {
        sim.setProgram(QStringLiteral(DSPSIM_PATH));
        sim.setArguments(QStringList{"--port", "0"} + args);
        sim.start();
        if (!sim.waitForStarted(3000))
            return false;
        QString out;
        while (sim.waitForReadyRead(3000)) {
            out += QString::fromLocal8Bit(sim.readAllStandardOutput());
            const bool wantPty = args.contains("--pty");
            if (out.contains("listening on") && (!wantPty || out.contains("\n/")))
                break;
        }
        for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) {
            if (line.startsWith("listening on 127.0.0.1:"))
                *port = quint16(line.section(':', 1).toUInt());
            else if (pty && line.startsWith('/'))
                *pty = line.trimmed();
        }
        return *port != 0 && (!pty || !pty->isEmpty());
    }

    static void Stop(QProcess& sim) {
        sim.kill();
        sim.waitForFinished(3000);
    }

private slots:
    void tcpHelloAndSectionRead() {
        QProcess sim;
        quint16 port = 0;
        QVERIFY(StartSim(sim, {}, &port));
        Collector rx;
        TcpTransport tcp;
        rx.Attach(tcp);
        QVERIFY(tcp.Connect("127.0.0.1", QString::number(port)));
        QVERIFY(tcp.Ready());
        tcp.Send(Span(kHello)); // written while connecting, delivered once connected
        QTRY_COMPARE_WITH_TIMEOUT(rx.bytes, kAck, 3000);
        QVERIFY(tcp.IsConnected());

        rx.bytes.clear();
        const QByteArray expected = Expected(SectionRead(SecMic1));
        QCOMPARE(expected.size(), 7 + 2 * 116);
        tcp.Send(Span(SectionRead(SecMic1)));
        QTRY_COMPARE_WITH_TIMEOUT(rx.bytes.size(), expected.size(), 3000);
        QCOMPARE(rx.bytes, expected);
        Stop(sim);
    }

    void tcpSplitAnswersAndClose() {
        QProcess sim;
        quint16 port = 0;
        QVERIFY(StartSim(sim, {"--split", "8", "--close-after", "2"}, &port));
        Collector rx;
        TcpTransport tcp;
        rx.Attach(tcp);
        tcp.Connect("127.0.0.1", QString::number(port));
        QTRY_VERIFY_WITH_TIMEOUT(tcp.IsConnected(), 3000);
        const QByteArray poll = QByteArray::fromHex("f52c06b01e10300003");
        tcp.Send(Span(poll));
        const QByteArray expected = Expected(poll);
        QTRY_COMPARE_WITH_TIMEOUT(rx.bytes.size(), expected.size(), 3000);
        QCOMPARE(rx.bytes, expected);
        QVERIFY2(rx.reads > 1, "a split answer arrives in several reads");
        tcp.Send(Span(kHello)); // the second frame: answered, then the link is closed
        QTRY_VERIFY_WITH_TIMEOUT(!tcp.Ready(), 3000);
        QVERIFY(rx.bytes.endsWith(kAck));
        Stop(sim);
    }

    // Each fault switch as the tool sees it through its TCP transport.
    void tcpFaultSwitchesShapeTheAnswers() {
        const QByteArray poll = QByteArray::fromHex("f52c06b01e10300003");
        const QByteArray status = Expected(poll);
        struct Session {
            QProcess sim;
            Collector rx; // outlives the transport that feeds it
            TcpTransport tcp;
        };
        auto open = [this](Session& s, const QStringList& args) {
            quint16 port = 0;
            if (!StartSim(s.sim, args, &port))
                return false;
            s.rx.Attach(s.tcp);
            s.tcp.Connect("127.0.0.1", QString::number(port));
            return QTest::qWaitFor([&] { return s.tcp.IsConnected(); }, 3000);
        };
        {
            Session s;
            QVERIFY(open(s, {"--delay-ms", "150"}));
            QElapsedTimer clock;
            clock.start();
            s.tcp.Send(Span(kHello));
            QTRY_COMPARE_WITH_TIMEOUT(s.rx.bytes, kAck, 3000);
            QVERIFY2(clock.elapsed() >= 140, "answered late");
            Stop(s.sim);
        }
        {
            Session s;
            QVERIFY(open(s, {"--join"}));
            s.tcp.Send(Span(kHello));
            QTest::qWait(150);
            QCOMPARE(s.rx.reads, 0); // held back
            s.tcp.Send(Span(poll));
            QTRY_COMPARE_WITH_TIMEOUT(s.rx.bytes, kAck + status, 3000);
            QCOMPARE(s.rx.reads, 1); // both answers in one read
            Stop(s.sim);
        }
        {
            Session s;
            QVERIFY(open(s, {"--drop-every", "2", "--corrupt-every", "1"}));
            s.tcp.Send(Span(poll));
            QTRY_COMPARE_WITH_TIMEOUT(s.rx.bytes.size(), status.size(), 3000);
            QCOMPARE(s.rx.bytes.chopped(1), status.chopped(1));
            QVERIFY(s.rx.bytes.back() != status.back()); // checksum broken
            s.tcp.Send(Span(kHello));                    // the second answer is dropped
            QTest::qWait(150);
            QCOMPARE(s.rx.reads, 1);
            Stop(s.sim);
        }
        {
            Session s;
            QVERIFY(open(s, {"--silent-after", "1"}));
            s.tcp.Send(Span(kHello));
            QTRY_COMPARE_WITH_TIMEOUT(s.rx.bytes, kAck, 3000);
            s.tcp.Send(Span(kHello));
            QTest::qWait(150);
            QCOMPARE(s.rx.bytes, kAck);
            QVERIFY(s.tcp.IsConnected());
            Stop(s.sim);
        }
    }

    void tcpStatusPollFollowsTheKeyKnob() {
        QProcess sim;
        quint16 port = 0;
        QVERIFY(StartSim(sim, {"--turn-pitch-ms", "30"}, &port));
        Collector rx;
        TcpTransport tcp;
        rx.Attach(tcp);
        tcp.Connect("127.0.0.1", QString::number(port));
        const QByteArray poll = QByteArray::fromHex("f52c06b01e10300003");
        QSet<int> pitches;
        for (int i = 0; i < 4; ++i) {
            rx.bytes.clear();
            tcp.Send(Span(poll));
            QTRY_COMPARE_WITH_TIMEOUT(rx.bytes.size(), 7 + qsizetype(kStatusSize), 3000);
            pitches.insert(rx.bytes.at(18));
            QTest::qWait(70);
        }
        QVERIFY2(pitches.size() > 1, "the pitch at byte 18 moves with the knob");
        Stop(sim);
    }

    void tcpRefusesBadPortText() {
        TcpTransport tcp;
        for (const QString& text : {QString("88a9"), QString(""), QString("70000"), QString("0")}) {
            QVERIFY2(!tcp.Connect("127.0.0.1", text), qPrintable(text));
            QVERIFY(!tcp.Ready());
        }
        QCOMPARE(TcpTransport::ParsePort(" 8899 "), quint16(8899));
    }

    void tcpConnectFailureIsSilent() {
        quint16 freePort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            freePort = probe.serverPort();
        }
        TcpTransport tcp;
        QVERIFY(tcp.Connect("127.0.0.1", QString::number(freePort)));
        QTRY_VERIFY_WITH_TIMEOUT(!tcp.Ready(), 3000);
        tcp.Send(Span(kHello)); // dropped, no error surfaces
        QVERIFY(!tcp.IsConnected());
    }

    void serialOverPseudoTerminal() {
        QProcess sim;
        quint16 port = 0;
        QString pty;
        QVERIFY(StartSim(sim, {"--pty"}, &port, &pty));
        Collector rx;
        SerialTransport serial;
        rx.Attach(serial);
        QVERIFY(!serial.Open("/dev/this-port-does-not-exist"));
        QVERIFY(!serial.Ready());
        serial.AddPortName(pty);
        QVERIFY(serial.PortNames().contains(pty));
        QVERIFY(serial.Open(pty));
        QVERIFY(serial.Ready());

        serial.Send(Span(kHello));
        QTRY_COMPARE_WITH_TIMEOUT(rx.bytes, kAck, 3000);
        rx.bytes.clear();
        const QByteArray expected = Expected(SectionRead(SecMusic));
        serial.Send(Span(SectionRead(SecMusic)));
        QTRY_COMPARE_WITH_TIMEOUT(rx.bytes.size(), expected.size(), 3000);
        QCOMPARE(rx.bytes, expected);

        // The search closes and reopens ports; the simulator keeps serving.
        serial.Close();
        QVERIFY(serial.Open(pty));
        rx.bytes.clear();
        serial.Send(Span(kHello));
        QTRY_COMPARE_WITH_TIMEOUT(rx.bytes, kAck, 3000);
        Stop(sim);
    }

    void simOptions_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("help") << QStringList{"--help"} << 0;
        QTest::newRow("variant C") << QStringList{"--variant", "C"} << 2;
        QTest::newRow("negative drop") << QStringList{"--drop-every", "-1"} << 2;
        QTest::newRow("port text") << QStringList{"--port", "x"} << 2;
        QTest::newRow("nothing to serve") << QStringList{"--no-tcp"} << 2;
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 1;
    }

    void simOptions() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QProcess sim;
        sim.start(QStringLiteral(DSPSIM_PATH), args);
        QVERIFY(sim.waitForFinished(3000));
        QCOMPARE(sim.exitCode(), exitCode);
        if (exitCode == 0)
            QVERIFY(sim.readAllStandardOutput().contains("--corrupt-every"));
    }

    void hidWithoutDeviceReportsOnceAndDropsWrites() {
        HidTransport hid;
        QSignalSpy change(&hid, &HidTransport::DeviceChange);
        QSignalSpy history(&hid, &IoTransport::HistoryLine);
        hid.Start(50);
        QTRY_COMPARE_WITH_TIMEOUT(change.count(), 1, 2000);
        if (!HidTransport::Enumerate().empty())
            QSKIP("a device of the vendor is attached to this machine");
        QTest::qWait(200); // several polls, no change
        QCOMPARE(change.count(), 1);
        const HidStatusResult r = hid.HidCtlDeviceChange(false, TransportKind::UsbHid);
        QCOMPARE(r.action, HidLinkAction::SearchOtherLinks);
        QCOMPARE(r.transport, TransportKind::Serial);
        QVERIFY(hid.NotFoundSeen());
        QVERIFY(!hid.HidPresent());
        // Later changes without a device leave the link alone.
        QCOMPARE(hid.HidCtlDeviceChange(true, TransportKind::UsbHid).action, HidLinkAction::None);
        QVERIFY(hid.DevListLines().isEmpty());
        QVERIFY(!hid.Ready());
        hid.Send(Span(kHello));
        QCOMPARE(history.count(), 0);
        QCOMPARE(hid.OutputReportLength(), size_t(65));
    }
};

QTEST_MAIN(SimIoTest)
#include "SimIo_test.moc"
