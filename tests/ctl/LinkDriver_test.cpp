// The link driver against the simulator's TCP server in this process, on 127.0.0.1 with a
// free port: QTimers that mirror the core's timers, received bytes routed to the core, the
// observer passed on and the signals a command-line program waits on.
#include <QSignalSpy>
#include <QTest>

#include "link/HidTransport.h"
#include "link/LinkDriver.h"
#include "link/SerialTransport.h"
#include "link/TcpTransport.h"
#include "params/SectionMap.h"
#include "sim/DeviceModel.h"
#include "sim/SimTcpServer.h"
#include "tests/support/ClosedPort.h"

using namespace dsp;
using dsp::test::ClosedPort;

namespace {

class TextObserver : public LinkObserver {
public:
    void LinkLabelWindow(std::string_view, std::string_view english) override {
        labels << QString::fromUtf8(english.data(), qsizetype(english.size()));
    }
    void LinkOnline() override { ++onlineCalls; }
    QStringList labels;
    int onlineCalls = 0;
};

bool Idle(const LinkVars& v) {
    return v.LinkState == 2 && v.LineFree && v.Queue.Empty() && v.PendingAction == 0;
}

} // namespace

class LinkDriverTest : public QObject {
    Q_OBJECT
private slots:
    // One full load over TCP: about 3 s of search and 11 s of load at 160 ms per step.
    // (dspctl's restore test covers the download through this driver.)
    void fullLoadOverTcpReachesOnline() {
        sim::DeviceModel model;
        model.Table().At(SecMic2, 100) = 513;
        sim::SimTcpServer server(model, {});
        QVERIFY(server.Listen(0));

        ParamStore store;
        store.ResetDeviceTable();
        PageState page;
        LinkDriver driver(store, page, Variant::A);
        TextObserver observer;
        driver.SetObserver(&observer);
        driver.SetSystemSerialPortsListed(false);
        QCOMPARE(driver.SerialSelection(), -1);
        driver.SetTcpEndpoint("127.0.0.1", QString::number(server.Port()));
        QSignalSpy online(&driver, &LinkDriver::WentOnline);
        QSignalSpy failed(&driver, &LinkDriver::LinkFailed);
        QSignalSpy progress(&driver, &LinkDriver::Progress);

        driver.LinkButton(true);
        QVERIFY(driver.Timer1().isActive());
        QCOMPARE(driver.Timer1().interval(), 1000);
        QVERIFY(!driver.HoldTimer().isActive());
        QVERIFY(online.wait(25000));
        QCOMPARE(online.count(), 1);
        QCOMPARE(failed.count(), 0);
        QVERIFY(driver.Online());
        QCOMPARE(observer.onlineCalls, 1);

        // The timers follow the core: the online phase alone, the step timer re-timed for TCP.
        QVERIFY(driver.HoldTimer().isActive());
        QCOMPARE(driver.HoldTimer().interval(), 20);
        QVERIFY(!driver.Timer1().isActive() && !driver.Timer2().isActive());
        QCOMPARE(driver.Timer2().interval(), 160);
        QCOMPARE(observer.labels.first(), QString("Search..."));
        QVERIFY(observer.labels.contains("Linking..."));
        QCOMPARE(observer.labels.last(), QString("Online"));
        QVERIFY(progress.count() > 40);
        QCOMPARE(progress.last().at(0).toInt(), 100);

        for (int s = 0; s <= SecSysVol; ++s) {
            for (int t = 0; t < SlotCount[s]; ++t)
                QCOMPARE(store.DeviceTable.At(s, t), model.Table().At(s, t));
        }
        for (int i = 0; i < ModeCount; ++i) {
            QCOMPARE(driver.Vars().ModeNames[i], model.Mode(sim::kBankMain, i).name);
            QCOMPARE(driver.Vars().ModeNames2[i], model.Mode(sim::kBankHidden, i).name);
        }
        QTRY_VERIFY_WITH_TIMEOUT(Idle(driver.Vars()), 3000); // variant A's 0x1E03 write

        QVERIFY(model.SessionOpen());
        driver.LinkButton(false);
        QTRY_VERIFY_WITH_TIMEOUT(!model.SessionOpen(), 3000); // the goodbye arrived
        QVERIFY(!driver.HoldTimer().isActive());
    }

    // Nobody listens: two connects and three hellos, then the search gives up.
    void closedPortFailsAfterTheTcpSearch() {
        ParamStore store;
        PageState page;
        LinkDriver driver(store, page, Variant::B);
        driver.SetSystemSerialPortsListed(false);
        driver.SetTcpEndpoint("127.0.0.1", QString::number(ClosedPort()));
        QSignalSpy failed(&driver, &LinkDriver::LinkFailed);
        QSignalSpy online(&driver, &LinkDriver::WentOnline);
        driver.LinkButton(true);
        QVERIFY(failed.wait(6000));
        QCOMPARE(online.count(), 0);
        QVERIFY(!driver.Timer1().isActive() && !driver.Timer2().isActive());
        QVERIFY(!driver.Tcp().IsConnected());
    }

    // No USB device attached (none of our vendor here): the first device change moves the
    // search on to the other links, later ones leave it alone.
    void hidChangeWithoutDeviceSearchesTheOtherLinks() {
        if (!HidTransport::Enumerate().empty())
            QSKIP("a USB device of the vendor is attached");
        ParamStore store;
        PageState page;
        LinkDriver driver(store, page, Variant::A);
        driver.SetSystemSerialPortsListed(false);
        driver.SetTcpEnabled(false);
        QSignalSpy status(&driver, &LinkDriver::StatusText);
        driver.HidDeviceChange();
        QVERIFY(driver.Timer1().isActive());
        QCOMPARE(driver.Ports().Transport, TransportKind::Tcp); // no serial port listed
        QVERIFY(driver.Hid().NotFoundSeen());
        QCOMPARE(status.count(), 1);
        QCOMPARE(status.first().at(1).toString(), QString("Search..."));
        driver.LinkButton(false);
        driver.HidDeviceChange();
        QVERIFY(!driver.Timer1().isActive());
        QCOMPARE(status.count(), 2); // only the unlink's "Off Line"
    }

    // Bytes reach the core only from the link in use; with TCP switched off the search
    // never opens a socket.
    void routesOnlyTheCurrentLink() {
        ParamStore store;
        PageState page;
        LinkDriver driver(store, page, Variant::A);
        driver.SetSystemSerialPortsListed(false);
        driver.AddSerialPort("/dev/dsp-test-no-such-port");
        QCOMPARE(driver.SerialPortNames(), QStringList{"/dev/dsp-test-no-such-port"});
        QCOMPARE(driver.SerialSelection(), 0);
        driver.SetTcpEnabled(false);
        driver.LinkButton(true);
        QCOMPARE(driver.Ports().Transport, TransportKind::Serial);

        const QByteArray ack("\xEE\xBB", 2);
        emit driver.Tcp().BytesReceived(ack);
        emit driver.Hid().BytesReceived(ack);
        QVERIFY(!driver.Vars().AckSeen);
        emit driver.Serial().BytesReceived(ack);
        QVERIFY(driver.Vars().AckSeen);

        driver.Ports().Transport = TransportKind::Tcp;
        driver.Vars().AckSeen = false;
        emit driver.Tcp().BytesReceived(ack);
        QVERIFY(driver.Vars().AckSeen);

        driver.LinkButton(false);
        driver.Vars().AckSeen = false;
        driver.LinkButton(true);
        driver.Ports().Transport = TransportKind::Tcp;
        driver.Vars().SearchTicks = 0;
        QTest::qWait(1100); // one search tick on TCP: the connect is switched off
        QVERIFY(!driver.Tcp().Ready());
    }
};

QTEST_GUILESS_MAIN(LinkDriverTest)
#include "LinkDriver_test.moc"
