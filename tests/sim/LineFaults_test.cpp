// The link driver with its real timers against the simulator over a real TCP connection on
// 127.0.0.1 and over a pseudo-terminal, with faults on the line: lost, corrupted and
// fragmented answers during the load, a device that falls silent or hangs up mid-load, and
// late answers and a flaky line while online with edits being made. Every case ends
// — online with the device's values, or with exactly one link notice — and every edit made
// online either reaches the device or is counted as not written.
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "link/LinkDriver.h"
#include "link/WritePath.h"
#include "params/SectionMap.h"
#include "sim/DeviceModel.h"
#include "sim/SimPty.h"
#include "sim/SimTcpServer.h"
#include "tests/support/ClosedPort.h"

using namespace dsp;
using dsp::test::ClosedPort;

Q_DECLARE_METATYPE(dsp::sim::FaultConfig)

namespace {

// What the user is told: link notices and edits counted as not written.
struct Told : LinkObserver {
    void ShowMessage(std::string_view chinese, std::string_view) override {
        messages.emplace_back(chinese);
    }
    void WritesDiscarded(int count) override { discarded += count; }
    int Count(std::string_view text) const {
        int n = 0;
        for (const auto& m : messages)
            n += m == text ? 1 : 0;
        return n;
    }
    std::vector<std::string> messages;
    int discarded = 0;
};

constexpr std::string_view kFailed = "连接失败!";
constexpr std::string_view kLost = "已断开连接!";

// The simulator on one kind of line and the link driver searching for it.
struct Line {
    Line(bool overTcp, const sim::FaultConfig& faults) : driver(store, page, Variant::A) {
        store.ResetDeviceTable();
        driver.SetObserver(&told);
        driver.SetSystemSerialPortsListed(false);
        if (overTcp) {
            tcp = std::make_unique<sim::SimTcpServer>(model, faults);
            ok = tcp->Listen(0);
            driver.SetTcpEndpoint("127.0.0.1", QString::number(tcp->Port()));
        } else {
            pty = std::make_unique<sim::SimPty>(model, faults);
            ok = pty->Open();
            driver.AddSerialPort(pty->SlavePath());
            driver.SetTcpEndpoint("127.0.0.1", QString::number(ClosedPort()));
        }
    }

    // Links and waits until online or a link notice; true when online.
    bool LinkUp(int limitMs = 90000) {
        driver.LinkButton(true);
        return QTest::qWaitFor([this] { return driver.Online() || Notices() > 0; }, limitMs) &&
               driver.Online();
    }
    int Notices() const { return told.Count(kFailed) + told.Count(kLost); }
    bool TimersStopped() const {
        return !driver.Timer1().isActive() && !driver.Timer2().isActive() &&
               !driver.Timer3().isActive() && !driver.HoldTimer().isActive();
    }
    bool TablesMatch() const {
        for (int s = 0; s <= SecSysVol; ++s)
            for (int k = 0; k < SlotCount[s]; ++k)
                if (store.DeviceTable.At(s, k) != model.Table().At(s, k))
                    return false;
        return true;
    }
    sim::SimEndpoint& Endpoint() {
        return tcp ? tcp->Links().constFirst()->Endpoint() : pty->Link().Endpoint();
    }
    void Edit(int slot, int value) {
        driver.Run([&](LinkContext& c) { SendDatatoMCU(c, MakeAddress(SecEcho, slot), value); });
    }
    int Written(int count, int base) const {
        int n = 0;
        for (int i = 0; i < count; ++i)
            n += model.Table().At(SecEcho, i) == base + i ? 1 : 0;
        return n;
    }

    sim::DeviceModel model;
    std::unique_ptr<sim::SimTcpServer> tcp;
    std::unique_ptr<sim::SimPty> pty;
    ParamStore store;
    PageState page;
    LinkDriver driver;
    Told told;
    bool ok = false;
};

void AddLines(const char* fault, const sim::FaultConfig& faults, bool online) {
    for (bool tcp : {true, false})
        QTest::addRow("%s, %s", tcp ? "tcp" : "pty", fault) << tcp << faults << online;
}

// How an online case may end.
enum class End { Online, Lost, Either };

void AddOnlineLines(const char* fault, const sim::FaultConfig& faults, int edits, End end) {
    for (bool tcp : {true, false})
        QTest::addRow("%s, %s", tcp ? "tcp" : "pty", fault) << tcp << faults << edits << int(end);
}

} // namespace

class LineFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("dspsim.info=false"); }

    // Faults from the first byte on. A load that comes up holds exactly the device's values;
    // one that does not says "连接失败!" once and stops every timer.
    void loadUnderFaults_data() {
        QTest::addColumn<bool>("tcp");
        QTest::addColumn<sim::FaultConfig>("faults");
        QTest::addColumn<bool>("online");
        // Each lost answer costs the step machine's time-out stages before the request is
        // repeated: about 8 s at TCP's 160 ms step (a load losing every 7th answer takes
        // some 100 s), 2.5 s on a serial line.
        AddLines("every 20th answer lost", {.dropEvery = 20}, true);
        AddLines("64-byte pieces, every 5th corrupted", {.corruptEvery = 5, .splitSize = 64}, true);
        AddLines("silent mid-load", {.silentAfter = 20}, false);
        // A serial line cannot hang up: the simulator falls silent there instead.
        AddLines("hangs up mid-load", {.closeAfter = 20}, false);
    }
    void loadUnderFaults() {
        QFETCH(bool, tcp);
        QFETCH(sim::FaultConfig, faults);
        QFETCH(bool, online);
        Line line(tcp, faults);
        QVERIFY(line.ok);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(line.LinkUp(), online);
        qInfo("ended %s after %lld ms", online ? "online" : "failed",
              static_cast<long long>(clock.elapsed()));
        if (online) {
            QVERIFY(line.TablesMatch());
            QCOMPARE(line.Notices(), 0);
        } else {
            QCOMPARE(line.told.Count(kFailed), 1);
            QCOMPARE(line.told.Count(kLost), 0);
            QVERIFY(line.TimersStopped());
        }
    }

    // Faults that start once the link is online, with edits made through them. Each edit
    // waits for the acknowledgement of the one before, so late answers slow the edits down
    // without losing any; a line that loses half its answers may be declared lost, and then
    // every edit that did not arrive is counted.
    void editsOnlineUnderFaults_data() {
        QTest::addColumn<bool>("tcp");
        QTest::addColumn<sim::FaultConfig>("faults");
        QTest::addColumn<int>("edits");
        QTest::addColumn<int>("end");
        AddOnlineLines("answers 2 s late", {.delayMs = 2000}, 4, End::Online);
        AddOnlineLines("every 6th answer lost", {.dropEvery = 6}, 12, End::Online);
        AddOnlineLines("every 4th answer lost, every 3rd corrupted",
                       {.dropEvery = 4, .corruptEvery = 3}, 12, End::Either);
    }
    void editsOnlineUnderFaults() {
        QFETCH(bool, tcp);
        QFETCH(sim::FaultConfig, faults);
        QFETCH(int, edits);
        QFETCH(int, end);
        Line line(tcp, {});
        QVERIFY(line.ok);
        QVERIFY(line.LinkUp());
        QTest::qWait(300);
        line.Endpoint().SetFaults(faults);

        // Edits one every 30 ms, as from a slider being moved.
        constexpr int kBase = 60;
        for (int i = 0; i < edits; ++i) {
            line.Edit(i, kBase + i);
            QTest::qWait(30);
        }
        // Until everything is written and answered, or the link is declared lost.
        const auto settled = [&] {
            const LinkVars& v = line.driver.Vars();
            return line.Notices() > 0 ||
                   (v.Queue.Empty() && v.LineFree && line.Written(edits, kBase) == edits);
        };
        QVERIFY2(QTest::qWaitFor(settled, 40000), "hangs");
        QTest::qWait(1500); // a keep-alive round on the faulty line
        const int written = line.Written(edits, kBase);
        const bool online = line.driver.Online();
        qInfo("%s, %d of %d edits written, %d reported not written", online ? "online" : "lost",
              written, edits, line.told.discarded);
        if (End(end) != End::Either)
            QCOMPARE(online, End(end) == End::Online);
        if (online) {
            QCOMPARE(written, edits);
            QCOMPARE(line.Notices(), 0);
            QCOMPARE(line.told.discarded, 0);
        } else {
            QCOMPARE(line.told.Count(kLost), 1);
            QVERIFY(line.TimersStopped());
            QVERIFY(line.told.discarded >= 1);
            QVERIFY2(written + line.told.discarded >= edits,
                     qPrintable(QString("%1 + %2").arg(written).arg(line.told.discarded)));
        }
    }
};

QTEST_GUILESS_MAIN(LineFaultsTest)
#include "LineFaults_test.moc"
