// The link driver over real I/O against the dspsim program: the device goes away while the
// link is online with edits queued — the TCP peer closes the connection, the pseudo-terminal
// closes. The driver must report the link lost within the keep-alive time and report the
// edits that were not written; it must not crash or hang.
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include "link/LinkDriver.h"
#include "link/WritePath.h"
#include "params/PageState.h"
#include "params/ParamStore.h"
#include "params/SectionMap.h"

using namespace dsp;

class ReliabIoTest : public QObject {
    Q_OBJECT

private:
    // Starts dspsim on a free port (and a pty); fills the port and the pty path it prints.
    static bool StartSim(QProcess& sim, bool withPty, quint16* port, QString* pty) {
        sim.setProgram(QStringLiteral(DSPSIM_PATH));
        QStringList args{"--port", "0"};
        if (withPty)
            args << "--pty";
        sim.setArguments(args);
        sim.start();
        if (!sim.waitForStarted(3000))
            return false;
        QString out;
        while (sim.waitForReadyRead(3000)) {
            out += QString::fromLocal8Bit(sim.readAllStandardOutput());
            if (out.contains("listening on") && (!withPty || out.contains("\n/")))
                break;
        }
        for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) {
            if (line.startsWith("listening on 127.0.0.1:"))
                *port = quint16(line.section(':', 1).toUInt());
            else if (line.startsWith('/'))
                *pty = line.trimmed();
        }
        return *port != 0 && (!withPty || !pty->isEmpty());
    }

    // Links up over the pty (serial) or TCP, kills the device with edits queued, and checks
    // what the user is told.
    void DeviceGoesAwayOnline(bool serial) {
        QProcess sim;
        quint16 port = 0;
        QString pty;
        QVERIFY(StartSim(sim, serial, &port, &pty));

        ParamStore store;
        store.ResetDeviceTable();
        PageState page;
        LinkDriver driver(store, page, Variant::A);
        driver.SetSystemSerialPortsListed(false);
        if (serial) {
            driver.AddSerialPort(pty);
            driver.SetTcpEnabled(false);
        } else {
            driver.SetTcpEndpoint("127.0.0.1", QString::number(port));
        }
        QSignalSpy online(&driver, &LinkDriver::WentOnline);
        QSignalSpy lost(&driver, &LinkDriver::LinkLost);
        QSignalSpy failed(&driver, &LinkDriver::LinkFailed);
        QSignalSpy dropped(&driver, &LinkDriver::WritesDropped);
        QSignalSpy history(&driver, &LinkDriver::HistoryLine);

        driver.LinkButton(true);
        QTRY_COMPARE_WITH_TIMEOUT(online.count(), 1, 60000);
        QTest::qWait(300);

        sim.kill(); // the device reboots: the socket or the pty closes under the tool
        sim.waitForFinished(3000);
        driver.Run([](LinkContext& c) {
            for (int i = 0; i < 5; ++i)
                SendDatatoMCU(c, MakeAddress(SecEcho, i), 60 + i);
        });
        QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, 15000);
        QCOMPARE(failed.count(), 0);
        QVERIFY(!driver.Online());
        QVERIFY(!driver.HoldTimer().isActive());
        QCOMPARE(dropped.count(), 1);
        const int count = dropped.at(0).at(0).toInt();
        QCOMPARE(count, 5); // four queued and the one sent into the dead link
        bool named = false;
        for (const auto& h : history)
            named |= h.at(0).toString().startsWith(QString::number(count) + " value");
        QVERIFY(named);

        // Linking again finds no device and fails cleanly.
        driver.LinkButton(true);
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 20000);
        QCOMPARE(dropped.count(), 1);
    }

private slots:
    void tcpPeerClosesWhileOnline() { DeviceGoesAwayOnline(false); }
    void ptyClosesWhileOnline() { DeviceGoesAwayOnline(true); }
};

QTEST_MAIN(ReliabIoTest)
#include "ReliabIo_test.moc"
