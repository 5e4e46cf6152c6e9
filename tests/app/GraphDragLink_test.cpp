// A drag on the EQ graph in the whole program as it runs, online with the simulator on a
// pseudo-terminal and the link's real timers: the dragged band's frequency and gain, and a Q
// stepped with the right button, end up in the device exactly as the window shows them; a
// continuous drag writes each changed value once and always sends the last one.
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "GraphFixture.h"
#include "app/LinkView.h"
#include "app/MainWindow.h"
#include "app/TunerApp.h"
#include "eq/EqGraph.h"
#include "link/Frames.h"
#include "link/LinkDriver.h"
#include "sim/DeviceModel.h"
#include "sim/SimPty.h"
#include "tests/support/ClosedPort.h"

using namespace dsp;
using dsp::test::ClosedPort;
using namespace dsp::testing;

namespace {

// Single writes the device received, in order.
std::vector<std::pair<int, int>> DeviceWrites(const sim::DeviceModel& model) {
    std::vector<std::pair<int, int>> writes;
    for (const sim::DeviceFrame& f : model.Received())
        if (f.mode == WRWrite && f.data.size() <= 2)
            writes.emplace_back(f.Address(), f.Value16());
    return writes;
}

// A mouse event on a point image at a position given in plot coordinates (the image moves
// while it is dragged).
void MouseOnPoint(EqGraph& g, QWidget* point, QEvent::Type type, QPoint plotPos,
                  Qt::MouseButton button, Qt::MouseButtons buttons) {
    SendMouse(point, type, point->mapFromGlobal(g.Image1()->mapToGlobal(plotPos)), button, buttons);
}

} // namespace

class GraphDragLinkTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QLoggingCategory::setFilterRules("dsptuner.link.debug=false");
        qputenv("PULSE_SERVER", "unix:/nonexistent/dsp-no-audio/native");
    }

    void dragReachesTheDevice() {
        sim::DeviceModel model{Variant::A};
        auto pty = std::make_unique<sim::SimPty>(model, sim::FaultConfig{});
        QVERIFY2(pty->Open(), qPrintable(pty->ErrorString()));
        LinkOptions options;
        options.NoHid = true;
        options.SerialPorts << pty->SlavePath();
        options.Port = QString::number(ClosedPort());
        TunerProgram program(Variant::A, options);
        QList<LinkMessage> messages;
        program.View().MessageBox = [&messages](QWidget*, const LinkMessage& m) { messages << m; };
        program.Driver().SetSystemSerialPortsListed(false);
        TForm1& form1 = program.Main();
        QSignalSpy online(&program.Driver(), &LinkDriver::WentOnline);
        program.Start();
        QVERIFY(online.wait(15000));
        QTest::qWait(300); // variant A's handshake write goes out after the load
        QCOMPARE(form1.pageState().CurrentSection, int(SecMusic));

        EqGraph& g = *form1.EqGraph();
        const int band = 2; // the third point
        QWidget* p = g.PointImage(band);
        QVERIFY(p->isVisible());
        const Address freqAt = BandAddress(SecMusic, band, kBandFreq);
        const Address gainAt = BandAddress(SecMusic, band, kBandGain);
        const Address qAt = BandAddress(SecMusic, band, kBandQ);
        const ParamTable& view = form1.params().ViewTable;
        QCOMPARE(view[gainAt], model.Table()[gainAt]);
        model.ClearReceived();

        // A continuous drag: 30 moves of 2 px up and 3 px right, one every few milliseconds,
        // so that several moves fall into one 10 ms tick and the line is often busy.
        const QPoint start = p->pos() + QPoint(7, 7);
        MouseOnPoint(g, p, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(form1.DragInProgress());
        QPoint at = start;
        for (int i = 0; i < 30; ++i) {
            at += QPoint(3, -2);
            MouseOnPoint(g, p, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
            QTest::qWait(4);
        }
        MouseOnPoint(g, p, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        QVERIFY(!form1.DragInProgress());

        // The window shows about where the point was let go (the drag moves in steps), and
        // the device ends up holding exactly what the window shows.
        const double freq = g.Geometry().XToFreq(at.x());
        const double gain = g.Geometry().YToDb(at.y());
        QVERIFY2(std::abs(view[freqAt] - FrequencyIndexOf(std::lround(freq))) <= 1,
                 qPrintable(QString::number(view[freqAt])));
        QVERIFY2(std::abs(view[gainAt] - int(std::lround((gain + 24) * 5))) <= 1,
                 qPrintable(QString::number(view[gainAt])));
        QVERIFY(gain > 6);
        QTRY_COMPARE_WITH_TIMEOUT(model.Table()[gainAt], view[gainAt], 3000);
        QTRY_COMPARE_WITH_TIMEOUT(model.Table()[freqAt], view[freqAt], 3000);
        QCOMPARE(form1.params().DeviceTable[gainAt], view[gainAt]);
        QVERIFY(program.Driver().Online());
        QVERIFY(messages.isEmpty());

        // Only the dragged band's two values were written, each one only when it changed,
        // and the last write of each is the value let go.
        const auto writes = DeviceWrites(model);
        std::map<int, int> last;
        for (const auto& [address, value] : writes) {
            QVERIFY2(address == freqAt || address == gainAt, qPrintable(QString::number(address)));
            if (last.count(address))
                QVERIFY2(last[address] != value, qPrintable(QString::number(value)));
            last[address] = value;
        }
        QCOMPARE(last[gainAt], view[gainAt]);
        QCOMPARE(last[freqAt], view[freqAt]);
        QVERIFY2(writes.size() <= 60, qPrintable(QString::number(writes.size())));
        qInfo("continuous drag: 30 moves, %d writes", int(writes.size()));

        // The right button steps the band's Q; the device follows.
        const int q0 = view[qAt];
        model.ClearReceived();
        const QPoint qStart = p->pos() + QPoint(7, 7);
        MouseOnPoint(g, p, QEvent::MouseButtonPress, qStart, Qt::RightButton, Qt::RightButton);
        QVERIFY(g.QAdjustMode());
        for (int dx = 1; dx <= 12; ++dx) {
            SendMouse(g.Image1(), QEvent::MouseMove, qStart + QPoint(dx, 0), Qt::NoButton,
                      Qt::RightButton);
            QTest::qWait(4);
        }
        SendMouse(g.Image1(), QEvent::MouseButtonRelease, qStart + QPoint(12, 0), Qt::RightButton,
                  Qt::NoButton);
        QVERIFY(view[qAt] > q0);
        QTRY_COMPARE_WITH_TIMEOUT(model.Table()[qAt], view[qAt], 3000);
        for (const auto& [address, value] : DeviceWrites(model))
            QCOMPARE(address, int(qAt));
        QVERIFY(messages.isEmpty());
    }
};

QTEST_MAIN(GraphDragLinkTest)
#include "GraphDragLink_test.moc"
