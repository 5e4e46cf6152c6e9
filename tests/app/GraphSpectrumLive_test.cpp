// The spectrum in the real main window, end to end: a private PulseAudio daemon whose default
// recording device is a 1 kHz sine, the window's own capture started on first show, the
// spectrum switch, Timer1, and the bars painted under the EQ curve. Skipped only when that
// server cannot be started.
#include <QtTest>
#include <cmath>

#include "GraphFixture.h"
#include "forms/kit/Kit.h"
#include "spectrum/SpectrumView.h"
#include "tests/spectrum/AudioCapturePulseServer.h"

using namespace dsp;
using namespace dsp::testing;

Q_DECLARE_METATYPE(dsp::Variant)

class GraphSpectrumLiveTest : public QObject {
    Q_OBJECT
    test::PulseServer server_;

private slots:
    void initTestCase() {
        if (!server_.Start())
            QSKIP(qPrintable("audio server cannot start: " + server_.Error()));
        // Before the first use of Qt Multimedia, which connects to the server once.
        qputenv("PULSE_SERVER", server_.Address());
    }

    void cleanupTestCase() { server_.Stop(); }

    void sineShowsUnderTheCurve_data() {
        QTest::addColumn<Variant>("variant");
        QTest::newRow("A") << Variant::A;
        QTest::newRow("B") << Variant::B;
    }

    void sineShowsUnderTheCurve() {
        QFETCH(Variant, variant);
        TForm1 f(variant);
        FlatChannel(f.params().ViewTable, SecMusic);
        f.show();
        QApplication::processEvents();
        ShowGraphPage(f, kGraphPages[0]);
        QVERIFY(f.Spectrum().AudioAvailable());
        EqGraph& g = *f.EqGraph();
        auto* pp = f.findChild<BmpButton*>("PinPPBtn");
        QTest::mouseClick(pp, Qt::LeftButton);
        QVERIFY(pp->stateOn());

        const PlotGeometry& plot = g.Geometry();
        const int slot = plot.width / 120;
        auto barAt = [&](double hz) { return int(plot.FreqToX(hz)) / slot * slot; };
        const std::vector<int>& bars = g.Image1()->SpectrumColumns();
        // Timer1 and the capture run by themselves; the 1 kHz bar reaches the top.
        QTRY_VERIFY_WITH_TIMEOUT(!bars.empty() && bars[size_t(barAt(1000))] < plot.height / 10,
                                 5000);
        const int nearFloor = (plot.height - 2) - (plot.height - 1) / 5;
        for (double hz : {8000.0, 12000.0, 18000.0})
            QVERIFY2(bars[size_t(barAt(hz))] >= nearFloor,
                     qPrintable(QString("%1 Hz at row %2").arg(hz).arg(bars[size_t(barAt(hz))])));

        const QImage shot = g.Image1()->grab().toImage();
        const int x = barAt(1000) + 1;
        const int zero = int(std::lrint(plot.DbToY(0)));
        QCOMPARE(shot.pixelColor(x, zero + 40), QColor(62, 62, 255));
        const QColor onCurve = shot.pixelColor(x, zero);
        QVERIFY2(onCurve.red() > 200 && onCurve.blue() < 150, qPrintable(onCurve.name()));

        QTest::mouseClick(pp, Qt::LeftButton);
        QVERIFY(g.Image1()->SpectrumColumns().empty());
    }
};

QTEST_MAIN(GraphSpectrumLiveTest)
#include "GraphSpectrumLive_test.moc"
