// The program's windows against the simulator's serial line (a pseudo-terminal) and TCP
// server, with the link's real timers: the link comes up on its own at start, the status is
// polled once per idle second, the link button unlinks with the goodbye, a simulator that
// stops is reported lost after five silent seconds, and a search that finds nothing fails.
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "LinkRig.h"
#include "link/Frames.h"
#include "sim/DeviceModel.h"
#include "sim/SimPty.h"
#include "tests/support/ClosedPort.h"

using namespace dsp;
using dsp::test::ClosedPort;
using dsp::test::TunerWindows;

namespace {

// Status polls the device has received.
int StatusPolls(const sim::DeviceModel& model) {
    int n = 0;
    for (const sim::DeviceFrame& f : model.Received())
        n += f.mode == WRRead && f.Address() == kAddrReadRequest && f.Value16() == kStatusSection;
    return n;
}

} // namespace

class TunerLinkTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // A pseudo-terminal whose far end has gone reports a read error on every turn.
        QLoggingCategory::setFilterRules("dsptuner.link.debug=false");
    }

    void linksOnItsOwnOverSerial_data() {
        QTest::addColumn<int>("variant");
        QTest::addColumn<bool>("stopSimulator"); // else the link button unlinks
        QTest::newRow("A, unlinked by the button") << int(Variant::A) << false;
        QTest::newRow("B, simulator stops") << int(Variant::B) << true;
    }
    void linksOnItsOwnOverSerial() {
        QFETCH(int, variant);
        QFETCH(bool, stopSimulator);
        sim::DeviceModel model{Variant(variant)};
        auto pty = std::make_unique<sim::SimPty>(model, sim::FaultConfig{});
        QVERIFY2(pty->Open(), qPrintable(pty->ErrorString()));

        LinkOptions options;
        options.NoHid = true;
        options.SerialPorts << pty->SlavePath();
        options.Port = QString::number(ClosedPort()); // nothing to find there
        TunerWindows w(Variant(variant), 1, options);
        QSignalSpy online(&w.Driver(), &LinkDriver::WentOnline);
        QElapsedTimer clock;
        clock.start();
        w.view.Start();

        QVERIFY(online.wait(15000));
        const qint64 linkUpMs = clock.elapsed();
        qInfo("variant %c linked over a pseudo-terminal in %lld ms", variant == 0 ? 'A' : 'B',
              static_cast<long long>(linkUpMs));
        QCOMPARE(w.Driver().Ports().Transport, TransportKind::Serial);
        QCOMPARE(w.Caption("LinkLabel"), QString("设备已连接"));
        QCOMPARE(w.refreshes, 1);
        QVERIFY(!w.form2.isVisible());
        QVERIFY(model.SessionOpen());
        for (int i = 0; i < ModeCount; ++i)
            QCOMPARE(w.Driver().Vars().ModeNames[i], model.Mode(sim::kBankMain, i).name);

        // Idle: one status poll per second.
        QTest::qWait(300); // let variant A's handshake write go out
        model.ClearReceived();
        QTest::qWait(3100);
        const int polls = StatusPolls(model);
        QVERIFY2(polls >= 2 && polls <= 4, qPrintable(QString::number(polls)));
        QCOMPARE(int(model.Received().size()), polls);
        QVERIFY(w.Driver().Online());

        if (!stopSimulator) {
            w.Find<BmpButton>("LinkBtn")->click(); // reads "断开" while online
            QVERIFY(!w.Driver().Online());
            QTRY_VERIFY_WITH_TIMEOUT(!model.SessionOpen(), 2000);
            QCOMPARE(w.Caption("LinkLabel"), QString("设备未连接"));
            QCOMPARE(w.Caption("LinkBtn"), QString("联机"));
            QTest::qWait(1200);
            QVERIFY(w.messages.isEmpty()); // an unlink is no failure
            return;
        }
        pty.reset(); // the simulator stops
        clock.restart();
        QTRY_COMPARE_WITH_TIMEOUT(w.messages.size(), 1, 8000);
        const qint64 silentMs = clock.elapsed();
        qInfo("link lost %lld ms after the simulator stopped", static_cast<long long>(silentMs));
        QVERIFY2(silentMs >= 4000, qPrintable(QString::number(silentMs)));
        QCOMPARE(w.messages[0].Caption, QString("提示"));
        QCOMPARE(w.messages[0].Text, QString("已断开连接!"));
        QVERIFY(!w.Driver().Online());
        QCOMPARE(w.Caption("LinkLabel"), QString("设备未连接"));
    }

    // No serial port, nobody at the TCP port: two connects and three hellos, then "连接失败!".
    void searchWithNothingToFindFails() {
        LinkOptions options;
        options.NoHid = true;
        options.Port = QString::number(ClosedPort());
        TunerWindows w(Variant::A, 1, options);
        QElapsedTimer clock;
        clock.start();
        w.view.Start();
        QTRY_VERIFY_WITH_TIMEOUT(w.form2.isVisible(), 2000);
        QTRY_COMPARE_WITH_TIMEOUT(w.form2.ComLabel()->caption(), QString("Network"), 2000);
        QTRY_COMPARE_WITH_TIMEOUT(w.messages.size(), 1, 6000);
        qInfo("search gave up after %lld ms", static_cast<long long>(clock.elapsed()));
        QCOMPARE(w.messages[0].Caption, QString("提示"));
        QCOMPARE(w.messages[0].Text, QString("连接失败!"));
        QVERIFY(!w.form2.isVisible());
        QVERIFY(!w.Driver().Timer1().isActive());
        QCOMPARE(w.Caption("LinkLabel"), QString("设备未连接"));
    }
};

QTEST_MAIN(TunerLinkTest)
#include "TunerLink_test.moc"
