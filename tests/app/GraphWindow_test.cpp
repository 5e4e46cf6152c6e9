// The EQ graph and the spectrum view inside the real main window: one graph at the designed
// size, the curve of a flat channel, point drags reaching the editing layer's hooks with the
// right addresses, Timer1's two steps, and the spectrum switches. This binary has no audio
// server, as on a PC without a recording device; the live capture has a test of its own.
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <vector>

#include "GraphFixture.h"
#include "forms/kit/Kit.h"
#include "spectrum/SpectrumView.h"

using namespace dsp;
using namespace dsp::testing;

Q_DECLARE_METATYPE(dsp::Variant)

namespace {

// One block of a full-scale 1 kHz sine at 48 kHz, unsigned 8-bit.
std::vector<std::uint8_t> SineBlock() {
    std::vector<std::uint8_t> block(1024);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] =
            std::uint8_t(std::lround(128 + 127 * std::sin(2 * M_PI * 1000 * double(i) / 48000)));
    return block;
}

// First column of the spectrum bar holding a frequency.
int BarColumn(const PlotGeometry& plot, double hz) {
    const int slot = plot.width / 120;
    return int(plot.FreqToX(hz)) / slot * slot;
}

struct Recorder {
    std::vector<std::pair<Address, double>> shown;
    std::vector<QString> selected;
    std::vector<int> commits;
    std::vector<std::pair<std::string, std::string>> messages;

    void Attach(TForm1& f) {
        TForm1Hooks& h = f.hooks();
        h.ShowValue = [this](Address a, double raw) { shown.emplace_back(a, raw); };
        h.MusFreEdit1Click = [this](QWidget* edit) { selected.push_back(edit->objectName()); };
        h.CommitEdit = [this](int step) { commits.push_back(step); };
        h.ShowMessage = [this](std::string_view zh, std::string_view en) {
            messages.emplace_back(zh, en);
        };
    }
};

// A shown window on a page whose channel is flat.
struct Window {
    TForm1 f;
    Recorder rec;
    explicit Window(Variant v, const GraphPage& page = kGraphPages[0]) : f(v) {
        rec.Attach(f);
        for (const GraphPage& p : kGraphPages)
            FlatChannel(f.params().ViewTable, p.section);
        f.show();
        QApplication::processEvents();
        ShowGraphPage(f, page);
    }
    EqGraph& graph() { return *f.EqGraph(); }
};

} // namespace

class GraphWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void oneGraphAtTheDesignedSize_data();
    void oneGraphAtTheDesignedSize();
    void plotFollowsMaximise();
    void flatChannelDrawsOnTheZeroDbLine_data();
    void flatChannelDrawsOnTheZeroDbLine();
    void dragReachesShowValue_data();
    void dragReachesShowValue();
    void rightPressStepsQThroughCommitEdit();
    void timerRedrawsAfterAnEdit();
    void spectrumSwitchesWithoutADevice();
    void spectrumBarsUnderTheCurve();
    void dragsHoldTheSpectrum();
    void defaultMessageFollowsTheLanguage();
};

void GraphWindowTest::initTestCase() {
    // An audio server address that leads nowhere: no recording device, none started on demand.
    qputenv("PULSE_SERVER", "unix:/nonexistent/dsp-no-audio/native");
}

void GraphWindowTest::oneGraphAtTheDesignedSize_data() {
    QTest::addColumn<Variant>("variant");
    QTest::newRow("A") << Variant::A;
    QTest::newRow("B") << Variant::B;
}

void GraphWindowTest::oneGraphAtTheDesignedSize() {
    QFETCH(Variant, variant);
    TForm1 f(variant);
    f.show();
    QApplication::processEvents();
    for (const char* name : {"AdvPanel1", "AdvPanel2", "Image1", "EQlabel", "EQPassLabel", "EP1",
                             "EP20", "HPF", "LPF", "EQLabelY0", "EQLabelX20"})
        QVERIFY2(f.findChildren<QWidget*>(name).size() == 1, name);
    EqGraph* g = f.EqGraph();
    QVERIFY(g);
    QCOMPARE(f.regions().graphPanel, static_cast<QWidget*>(g));
    QCOMPARE(f.regions().plotFrame, g->AdvPanel2());
    QCOMPARE(f.regions().plot, static_cast<QWidget*>(g->Image1()));
    QCOMPARE(g->parentWidget(), f.findChild<QWidget*>("MainGroupBox"));
    QCOMPARE(g->Image1()->size(), QSize(883, 268));
    QCOMPARE(g->Image1()->pos(), QPoint(0, 0));
    QCOMPARE(g->Geometry().width, 883);
    QCOMPARE(g->Geometry().height, 268);
    QCOMPARE(g->Metrics().stepX, 2);
    QCOMPARE(g->Metrics().stepY, 1);
    // The graph sits below the button bar and its frequency labels inside it.
    QVERIFY(g->y() >= f.regions().buttonBar->geometry().bottom());
    const QWidget* x20 = f.findChild<QWidget*>("EQLabelX20");
    QVERIFY(g->rect().contains(x20->geometry()));
    const QWidget* y0 = f.findChild<QWidget*>("EQLabelY0");
    QVERIFY(y0->x() >= 0);
}

void GraphWindowTest::plotFollowsMaximise() {
    Window w(Variant::A);
    EqGraph& g = w.graph();
    SpectrumView& view = w.f.Spectrum();
    view.SetAudioAvailable(true);
    w.f.PinPPBtnClick();
    view.OnCaptureBlock(SineBlock());
    QTRY_COMPARE_WITH_TIMEOUT(g.Image1()->SpectrumColumns().size(), size_t(884), 2000);

    w.f.RzBmpButton1Click();
    QApplication::processEvents();
    QVERIFY(g.Image1()->size() != QSize(883, 268));
    QCOMPARE(g.Image1()->size(), g.AdvPanel2()->size());
    QCOMPARE(g.Geometry().width, g.Image1()->width());
    QCOMPARE(g.CurveXPoints().back(), g.Image1()->width());
    QCOMPARE(g.AdvPanel2()->geometry(), g.rect().marginsRemoved(forms::GraphPlotMargins()));
    // The bars are laid out again for the new plot at once: the high bars sit near the new
    // bottom, below where the old plot ended.
    const std::vector<int>& bars = g.Image1()->SpectrumColumns();
    QCOMPARE(bars.size(), size_t(g.Image1()->width() + 1));
    QVERIFY(bars[size_t(BarColumn(g.Geometry(), 20000))] > 268);

    w.f.RzBmpButton1Click();
    QApplication::processEvents();
    QCOMPARE(g.Image1()->size(), QSize(883, 268));
    QCOMPARE(g.CurveXPoints().back(), 883);
    QCOMPARE(g.Image1()->SpectrumColumns().size(), size_t(884));
}

void GraphWindowTest::flatChannelDrawsOnTheZeroDbLine_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("visiblePoints"); // EQ points, without the filter markers
    QTest::addColumn<bool>("filters");
    QTest::newRow("music") << 0 << 10 << true;
    QTest::newRow("mic") << 1 << 20 << true;
    QTest::newRow("output") << 4 << 10 << true;
    QTest::newRow("hint") << 5 << 5 << false;
    QTest::newRow("aux") << 6 << 3 << false;
}

void GraphWindowTest::flatChannelDrawsOnTheZeroDbLine() {
    QFETCH(int, page);
    QFETCH(int, visiblePoints);
    QFETCH(bool, filters);
    Window w(Variant::A, kGraphPages[page]);
    EqGraph& g = w.graph();
    const int zero = int(std::lrint(g.Geometry().DbToY(0)));
    for (int y : g.CurveYPoints())
        QCOMPARE(y, zero);
    int shown = 0;
    for (int i = 0; i < kHpfPoint; ++i) {
        QWidget* p = g.PointImage(i);
        if (!p->isVisible())
            continue;
        ++shown;
        QCOMPARE(p->y() + p->height() / 2, zero);
    }
    QCOMPARE(shown, visiblePoints);
    QCOMPARE(g.PointImage(kHpfPoint)->isVisible(), filters);
    QCOMPARE(g.PointImage(kLpfPoint)->isVisible(), filters);
    if (filters) // the high-pass at index 0 sits at 19 Hz on the 0 dB line
        QCOMPARE(g.PointImage(kHpfPoint)->pos(),
                 QPoint(int(std::lrint(g.Geometry().FreqToX(19.0) - 7)), zero - 7));
    QVERIFY(g.EQlabel()->isHidden());

    // What the window paints: the curve's colour along the 0 dB row, grid elsewhere.
    const QImage shot = g.Image1()->grab().toImage();
    int curvePixels = 0;
    for (int x = 0; x < shot.width(); ++x) {
        const QColor c = shot.pixelColor(x, zero);
        curvePixels += c.red() > 200 && c.green() < 160 && c.blue() < 100;
    }
    QVERIFY2(curvePixels > shot.width() * 8 / 10, qPrintable(QString::number(curvePixels)));
    QCOMPARE(shot.pixelColor(440, zero - 40), QColor(238, 238, 238));
}

void GraphWindowTest::dragReachesShowValue_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("point");
    QTest::addColumn<int>("manualMode");
    QTest::addColumn<int>("band");     // 1-based; 0: nothing may happen
    QTest::addColumn<QString>("edit"); // selected by the press
    QTest::newRow("music band 3") << 0 << 2 << 1 << 3 << "MusFreEdit3";
    QTest::newRow("mic band 12") << 1 << 11 << 1 << 12 << "MicFreEdit12";
    QTest::newRow("output band 1") << 4 << 0 << 1 << 1 << "MainFreEdit1";
    QTest::newRow("output in automatic mode") << 4 << 0 << 0 << 0 << "";
}

void GraphWindowTest::dragReachesShowValue() {
    QFETCH(int, page);
    QFETCH(int, point);
    QFETCH(int, manualMode);
    QFETCH(int, band);
    QFETCH(QString, edit);
    Window w(Variant::A);
    w.f.pageState().ManualMode = manualMode;
    ShowGraphPage(w.f, kGraphPages[page]);
    EqGraph& g = w.graph();
    QWidget* p = g.PointImage(point);
    QVERIFY(p->isVisible());

    SendMouse(p, QEvent::MouseButtonPress, {7, 7}, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(w.f.DragInProgress(), band > 0);
    // 40 px up and 30 px right, relative to where the image was pressed.
    SendMouse(p, QEvent::MouseMove, {37, -33}, Qt::NoButton, Qt::LeftButton);
    SendMouse(p, QEvent::MouseButtonRelease, {37, -33}, Qt::LeftButton, Qt::NoButton);
    QVERIFY(!w.f.DragInProgress());
    w.f.Timer1Timer(); // the drag reaches the editing layer on the next tick

    const int section = kGraphPages[page].section;
    if (band == 0) {
        QVERIFY(w.rec.shown.empty());
        QVERIFY(w.rec.selected.empty());
        return;
    }
    QCOMPARE(w.rec.selected.front(), edit); // the press selects the band's frequency edit
    QCOMPARE(w.rec.selected.back(), edit);  // and so does the release
    const PlotGeometry& plot = g.Geometry();
    const double freq = plot.XToFreq(p->x() + 7);
    const double gain = plot.YToDb(p->y() + 7);
    QCOMPARE(w.rec.shown.size(), size_t(2));
    QCOMPARE(w.rec.shown[0].first, BandAddress(section, band - 1, kBandFreq));
    QCOMPARE(w.rec.shown[0].second, double(FrequencyIndexOf(std::lround(freq))));
    QCOMPARE(w.rec.shown[1].first, BandAddress(section, band - 1, kBandGain));
    QCOMPARE(w.rec.shown[1].second, double(std::lround((gain + 24) * 5)));
    QVERIFY(gain > 1.0);
}

void GraphWindowTest::rightPressStepsQThroughCommitEdit() {
    Window w(Variant::B);
    EqGraph& g = w.graph();
    QWidget* p = g.PointImage(2);
    SendMouse(p, QEvent::MouseButtonPress, {7, 7}, Qt::RightButton, Qt::RightButton);
    QCOMPARE(w.rec.selected, std::vector<QString>{"MusQEdit3"});
    QVERIFY(g.QAdjustMode());
    const QPoint start = p->pos() + QPoint(7, 7);
    SendMouse(g.Image1(), QEvent::MouseMove, start + QPoint(4, 0), Qt::NoButton, Qt::RightButton);
    SendMouse(g.Image1(), QEvent::MouseMove, start + QPoint(5, 0), Qt::NoButton, Qt::RightButton);
    SendMouse(g.Image1(), QEvent::MouseMove, start + QPoint(1, 0), Qt::NoButton, Qt::RightButton);
    QCOMPARE(w.rec.commits, (std::vector<int>{1, 11}));
    SendMouse(g.Image1(), QEvent::MouseButtonRelease, start, Qt::RightButton, Qt::NoButton);
    QVERIFY(!g.QAdjustMode());
    QCOMPARE(w.rec.selected.back(), QString("MusFreEdit3"));
}

void GraphWindowTest::timerRedrawsAfterAnEdit() {
    Window w(Variant::A);
    EqGraph& g = w.graph();
    QVERIFY(w.f.Timer1()->isActive());
    QCOMPARE(w.f.Timer1()->interval(), 10);
    // Curve row at a plot column.
    auto rowAt = [&g](int x) {
        const std::vector<int>& xs = g.CurveXPoints();
        const size_t p = size_t(std::lower_bound(xs.begin(), xs.end(), x) - xs.begin());
        return g.CurveYPoints()[p];
    };
    const int x = g.PointImage(4)->x() + 7;
    QCOMPARE(rowAt(x), int(std::lrint(g.Geometry().DbToY(0))));
    // An edit elsewhere: band 5 to +12 dB, recorded as ShowValue records it.
    const Address gain = BandAddress(SecMusic, 4, kBandGain);
    w.f.params().ViewTable[gain] = 180;
    w.f.pageState().LastEditedAddress = gain;
    w.f.pageState().LastEditedValue = 180;
    QTRY_VERIFY_WITH_TIMEOUT(g.EQlabel()->isVisible(), 1000);
    QVERIFY2(g.EQlabel()->text().startsWith("12.0dB"), qPrintable(g.EQlabel()->text()));
    QVERIFY2(std::abs(rowAt(x) - g.Geometry().DbToY(12)) <= 2,
             qPrintable(QString::number(rowAt(x))));
    QCOMPARE(g.PointImage(4)->y() + 7, int(std::lrint(g.Geometry().DbToY(12))));
}

void GraphWindowTest::spectrumSwitchesWithoutADevice() {
    Window w(Variant::A);
    SpectrumView& view = w.f.Spectrum();
    QVERIFY(!view.AudioAvailable()); // the capture started on show and found no device
    auto* pp = w.f.findChild<BmpButton*>("PinPPBtn");
    QTest::mouseClick(pp, Qt::LeftButton);
    QTest::mouseClick(pp, Qt::LeftButton);
    QCOMPARE(w.rec.messages.size(), size_t(2));
    QCOMPARE(w.rec.messages[0].first, std::string("没检测到音频设备"));
    QCOMPARE(w.rec.messages[0].second, std::string("Audio device is not detected"));
    QVERIFY(!pp->stateOn());
    QVERIFY(!view.SpectrumOn());
    QVERIFY(w.graph().Image1()->SpectrumColumns().empty());
    QVERIFY(!w.graph().CurveYPoints().empty()); // redrawn, curve kept
}

void GraphWindowTest::spectrumBarsUnderTheCurve() {
    Window w(Variant::A);
    SpectrumView& view = w.f.Spectrum();
    EqGraph& g = w.graph();
    view.SetAudioAvailable(true); // as if a recording device had been found
    auto* pp = w.f.findChild<BmpButton*>("PinPPBtn");
    auto* dcf = w.f.findChild<BmpButton*>("PinDCFBtn");
    QTest::mouseClick(pp, Qt::LeftButton);
    QVERIFY(pp->stateOn());
    QVERIFY(view.SpectrumOn());
    const std::vector<std::uint8_t> sine = SineBlock();
    view.OnCaptureBlock(sine);

    // Timer1 runs the spectrum step: a transform, then bars in every column of the plot.
    QTRY_VERIFY_WITH_TIMEOUT(!g.Image1()->SpectrumColumns().empty(), 2000);
    const std::vector<int>& bars = g.Image1()->SpectrumColumns();
    QCOMPARE(bars.size(), size_t(884));
    const int h = g.Geometry().height;
    QVERIFY2(bars[size_t(BarColumn(g.Geometry(), 1000))] < h / 10,
             qPrintable(QString::number(bars[size_t(BarColumn(g.Geometry(), 1000))])));
    QVERIFY(bars[size_t(BarColumn(g.Geometry(), 15000))] > h / 2);

    // Painted: the bar's colour below the curve, the curve over it on the 0 dB row.
    const QImage shot = g.Image1()->grab().toImage();
    const int x = BarColumn(g.Geometry(), 1000) + 1;
    const int zero = int(std::lrint(g.Geometry().DbToY(0)));
    QCOMPARE(shot.pixelColor(x, zero + 30), QColor(62, 62, 255));
    const QColor onCurve = shot.pixelColor(x, zero);
    QVERIFY2(onCurve.red() > 200 && onCurve.blue() < 150, qPrintable(onCurve.name()));

    // P freezes the sample buffer; the low trigger follows its button.
    w.f.FormKeyDown(Qt::Key_P);
    QVERIFY(w.f.SpectrumPaused());
    view.OnCaptureBlock(std::vector<std::uint8_t>(1024, 128));
    QCOMPARE(view.SampleBuffer(), sine);
    w.f.FormKeyDown(Qt::Key_P);
    QVERIFY(!w.f.SpectrumPaused());
    QTest::mouseClick(dcf, Qt::LeftButton);
    QVERIFY(dcf->stateOn());
    QVERIFY(view.LowTrigger());

    // An EQ redraw keeps the bars; switching off removes them.
    w.f.RedrawEQ(kAllBands, SecMusic);
    QVERIFY(!g.Image1()->SpectrumColumns().empty());
    QTest::mouseClick(pp, Qt::LeftButton);
    QVERIFY(!pp->stateOn());
    QVERIFY(!view.SpectrumOn());
    QVERIFY(g.Image1()->SpectrumColumns().empty());
    QVERIFY(w.rec.messages.empty());
}

void GraphWindowTest::dragsHoldTheSpectrum() {
    Window w(Variant::A);
    SpectrumView& view = w.f.Spectrum();
    view.SetAudioAvailable(true);
    w.f.PinPPBtnClick();
    QVERIFY(view.SpectrumOn());
    QWidget* p = w.graph().PointImage(0);
    SendMouse(p, QEvent::MouseButtonPress, {7, 7}, Qt::LeftButton, Qt::LeftButton);
    QVERIFY(w.f.DragInProgress());
    view.OnCaptureBlock(SineBlock());
    QVERIFY(view.SampleBuffer().empty());
    const int tick = view.SpectrumTick();
    w.f.Timer1()->stop();
    w.f.Timer1Timer();
    QCOMPARE(view.SpectrumTick(), tick);
    SendMouse(p, QEvent::MouseButtonRelease, {7, 7}, Qt::LeftButton, Qt::NoButton);
    QVERIFY(!w.f.DragInProgress());

    // A volume marker of the system page holds it the same way.
    w.f.SetVolumeMarkerDrag(true);
    QVERIFY(w.f.DragInProgress());
    view.OnCaptureBlock(SineBlock());
    QVERIFY(view.SampleBuffer().empty());
    w.f.SetVolumeMarkerDrag(false);
    view.OnCaptureBlock(SineBlock());
    QCOMPARE(view.SampleBuffer().size(), size_t(1024));
    w.f.Timer1Timer();
    QCOMPARE(view.SpectrumTick(), tick + 1);
}

void GraphWindowTest::defaultMessageFollowsTheLanguage() {
    TForm1 f(Variant::A);
    f.show();
    auto* pp = f.findChild<BmpButton*>("PinPPBtn");
    for (int lang : {1, 0}) {
        pp->showLanguage(lang);
        QString title, text;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                box->accept();
            }
        });
        f.PinPPBtnClick();
        QCOMPARE(title, QString(lang ? "提示" : "Confirm"));
        QCOMPARE(text, QString(lang ? "没检测到音频设备" : "Audio device is not detected"));
    }
}

QTEST_MAIN(GraphWindowTest)
#include "GraphWindow_test.moc"
