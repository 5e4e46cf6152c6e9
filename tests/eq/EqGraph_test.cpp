#include "eq/EqGraph.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QtTest>
#include <ctime>
#include <memory>

#include "EqGraphFakeHost.h"
#include "params/SectionMap.h"

using namespace dsp;

namespace {

struct Page {
    int section;
    int sheet;
};
constexpr Page kMusic{SecMusic, kSheetMusic}, kMic{SecMic1, kSheetMic}, kEcho{SecEcho, 2},
    kOutput{SecOut, kSheetOutput}, kHint{SecHint, kSheetHint}, kAux{SecAux, kSheetAux};

Address BandAddr(int section, int band, int offset) {
    return MakeAddress(section, FirstEqSlot[size_t(section)] + kBandSlots * band + offset);
}

// One graph with its tables, page state and a fake main window.
struct Rig {
    ParamStore store;
    PageState state;
    EqGraphFakeHost host{store, state};
    std::unique_ptr<EqGraph> graph;

    Rig() {
        graph = std::make_unique<EqGraph>(store, state, host);
        graph->show();
    }

    void SetBand(int section, int band, int type, int freq, int gain, int q) {
        store.ViewTable[BandAddr(section, band, kBandType)] = type;
        store.ViewTable[BandAddr(section, band, kBandFreq)] = freq;
        store.ViewTable[BandAddr(section, band, kBandGain)] = gain;
        store.ViewTable[BandAddr(section, band, kBandQ)] = q;
        store.ViewTable[BandAddr(section, band, kBandShelfQ)] = 10;
    }
    // Every band a peak at 0 dB spread over the axis; filters off.
    void FlatChannel(int section) {
        for (int b = 0; b < BandCount[size_t(section)]; ++b)
            SetBand(section, b, PEQ, 30 + 15 * b, 120, 16);
        if (const auto xo = CrossoverSlotsOf(section)) {
            store.ViewTable[MakeAddress(section, xo->hpType)] = 2;
            store.ViewTable[MakeAddress(section, xo->hpFreq)] = 0;
            store.ViewTable[MakeAddress(section, xo->lpType)] = 2;
            store.ViewTable[MakeAddress(section, xo->lpFreq)] = 360;
        }
    }
    void Show(Page page) {
        state.CurrentSection = page.section;
        host.sheet = page.sheet;
        graph->RedrawEQ(kAllBands, page.section);
    }
    QWidget* Point(int i) const { return graph->PointImage(i); }
    QPoint Centre(int i) const { return Point(i)->pos() + QPoint(7, 7); }
};

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent ev(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, buttons,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(w, &ev);
}

// Left press on the centre of a point, then moves of the cursor to plot positions.
void Press(QWidget* point, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(point, QEvent::MouseButtonPress, {7, 7}, button, button);
}
void MoveTo(QWidget* point, QPoint plotPos, Qt::MouseButtons buttons = Qt::LeftButton) {
    SendMouse(point, QEvent::MouseMove, plotPos - point->pos(), Qt::NoButton, buttons);
}
void Release(QWidget* point, QPoint plotPos, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(point, QEvent::MouseButtonRelease, plotPos - point->pos(), button, Qt::NoButton);
}

void SaveShot(QWidget* w, const QString& name) {
    QDir().mkpath("/tmp/shots");
    w->grab().save("/tmp/shots/" + name + ".png");
}

} // namespace

class EqGraphTest : public QObject {
    Q_OBJECT
private slots:
    void flatChannelLiesOnTheZeroLine();
    void pointsPerPage_data();
    void pointsPerPage();
    void valueLabelTextAndPlacement_data();
    void valueLabelTextAndPlacement();
    void highPassLabel();
    void ignoredRedraws();
    void resizeRescalesEverything();
    void dragStopsAtTheLimits_data();
    void dragStopsAtTheLimits();
    void smallMovesAccumulate();
    void pushesOncePerChangedValue();
    void sameValueOnAnotherPointIsSent();
    void editRedrawsOnTheNextTick();
    void rightButtonStepsQ();
    void markersMoveOnlySideways();
    void bypassFreezesEqPoints();
    void lockedOutputPage();
    void lowPassPressShowsItsLabel();
    void otherButtonsLeaveNoDragBehind();
    void curveColourAndSpectrum();
    void realMouseThroughTheWindow();
    void screenshotsAndTiming();
};

void EqGraphTest::flatChannelLiesOnTheZeroLine() {
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.Show(kMusic);
    const PlotGeometry& p = rig.graph->Geometry();
    QCOMPARE(p.width, 883);
    QCOMPARE(p.height, 268);
    const int zeroY = eqshared::RoundPx(p.DbToY(0));
    for (int y : rig.graph->CurveYPoints())
        QCOMPARE(y, zeroY);
    for (int b = 0; b < 10; ++b) {
        const double hz = rig.graph->Bands().bands[size_t(b)].freq;
        QCOMPARE(rig.Centre(b), QPoint(eqshared::RoundPx(p.FreqToX(hz)), zeroY));
    }
    QCOMPARE(rig.Centre(kHpfPoint), QPoint(eqshared::RoundPx(p.FreqToX(19.0)), zeroY));
    QCOMPARE(rig.Centre(kLpfPoint), QPoint(eqshared::RoundPx(p.FreqToX(20200)), zeroY));
    QVERIFY(rig.graph->EQlabel()->isHidden());
}

void EqGraphTest::pointsPerPage_data() {
    QTest::addColumn<int>("section");
    QTest::addColumn<bool>("hintThird");
    QTest::addColumn<bool>("auxFirst");
    QTest::addColumn<QString>("visible"); // one character per point: 1 shown, 0 hidden
    QTest::newRow("music") << SecMusic << true << false << "1111111111000000000011";
    QTest::newRow("mic") << int(SecMic1) << true << false << "1111111111111111111111";
    QTest::newRow("output") << int(SecOut) << true << false << "1111111111000000000011";
    QTest::newRow("hint") << int(SecHint) << true << false << "1111100000000000000000";
    QTest::newRow("hint two groups") << int(SecHint) << false << false << "1100000000000000000000";
    QTest::newRow("aux second group") << int(SecAux) << true << false << "0001110000000000000000";
    QTest::newRow("aux first group") << int(SecAux) << true << true << "1110000000000000000000";
}

void EqGraphTest::pointsPerPage() {
    QFETCH(int, section);
    QFETCH(bool, hintThird);
    QFETCH(bool, auxFirst);
    QFETCH(QString, visible);
    Rig rig;
    rig.FlatChannel(section);
    rig.host.hintThird = hintThird;
    rig.host.auxFirst = auxFirst;
    rig.graph->RedrawEQ(kAllBands, section);
    QString got;
    for (int i = 0; i < kPointCount; ++i)
        got += rig.Point(i)->isHidden() ? '0' : '1';
    QCOMPARE(got, visible);
}

void EqGraphTest::valueLabelTextAndPlacement_data() {
    QTest::addColumn<int>("gainRaw");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("above");
    QTest::newRow("-6 dB") << 90 << "-6.0dB\nQ:2.00\n1000.00Hz" << true;
    QTest::newRow("+6 dB") << 150 << "6.0dB\nQ:2.00\n1000.00Hz" << false;
    QTest::newRow("0 dB") << 120 << "0.0dB\nQ:2.00\n1000.00Hz" << false;
}

void EqGraphTest::valueLabelTextAndPlacement() {
    QFETCH(int, gainRaw);
    QFETCH(QString, text);
    QFETCH(bool, above);
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.SetBand(SecMusic, 2, PEQ, 204, gainRaw, 28); // band 3: 1000 Hz, Q 2.00
    rig.Show(kMusic);
    rig.graph->RedrawEQ(2, SecMusic);
    QLabel* label = rig.graph->EQlabel();
    QVERIFY(!label->isHidden());
    QCOMPARE(label->text(), text);
    QCOMPARE(label->text().split('\n').size(), 3);
    const QWidget* point = rig.Point(2);
    QCOMPARE(label->x() + label->width() / 2,
             point->x() + point->width() / 2 + (label->width() % 2 ? 0 : 0));
    if (above)
        QCOMPARE(label->y() + label->height() + 1, point->y());
    else
        QCOMPARE(label->y(), point->y() + point->height());
    SaveShot(rig.graph.get(), QString("eq_label_%1").arg(gainRaw));
}

void EqGraphTest::highPassLabel() {
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.store.ViewTable[MakeAddress(SecMusic, 8)] = 73; // 80.3 Hz
    rig.Show(kMusic);
    rig.graph->RedrawEQ(10, SecMusic);
    QLabel* label = rig.graph->EQlabel();
    QCOMPARE(label->text(), QString("HPF:80.30Hz"));
    const QWidget* hpf = rig.Point(kHpfPoint);
    QCOMPARE(label->y(), hpf->y() + hpf->height());
    QCOMPARE(rig.Centre(kHpfPoint).x(), eqshared::RoundPx(rig.graph->Geometry().FreqToX(80.3)));
}

void EqGraphTest::ignoredRedraws() {
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.Show(kMusic);
    const std::vector<int> flat = rig.graph->CurveYPoints();
    rig.SetBand(SecMusic, 0, PEQ, 204, 180, 16);
    rig.state.Refreshing = true;
    rig.graph->RedrawEQ(0, SecMusic);
    QCOMPARE(rig.graph->CurveYPoints(), flat);
    rig.state.Refreshing = false;
    for (int band : {-1, 22, 99, 101})
        rig.graph->RedrawEQ(band, SecMusic);
    rig.graph->RedrawEQ(0, SecSysVol);
    QCOMPARE(rig.graph->CurveYPoints(), flat);
    rig.graph->RedrawEQ(0, SecMusic);
    QVERIFY(rig.graph->CurveYPoints() != flat);
    // The peak of +12 dB at 1000 Hz reaches the top row.
    const auto& ys = rig.graph->CurveYPoints();
    QCOMPARE(*std::min_element(ys.begin(), ys.end()), 0);
}

void EqGraphTest::resizeRescalesEverything() {
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.SetBand(SecMusic, 4, PEQ, 204, 150, 16);
    rig.Show(kMusic);
    QCOMPARE(rig.graph->Metrics().stepX, 2);
    QCOMPARE(rig.graph->Metrics().stepY, 1);
    rig.graph->resize(1200 + EqGraph::kPlotLeft + EqGraph::kPlotRight,
                      700 + EqGraph::kPlotTop + EqGraph::kPlotBottom);
    const PlotGeometry& p = rig.graph->Geometry();
    QCOMPARE(p.width, 1200);
    QCOMPARE(p.height, 700);
    QCOMPARE(rig.graph->Image1()->GridBitmap().size(), QSize(1200, 700));
    QCOMPARE(rig.graph->Metrics().stepX, 2);
    QCOMPARE(rig.graph->Metrics().stepY, 2);
    const PixelPos at = PointPlacement(p, 1000, 6, 14);
    QCOMPARE(rig.Point(4)->pos(), QPoint(at.left, at.top));
    QVERIFY(
        (rig.Centre(4) - QPoint(eqshared::RoundPx(p.FreqToX(1000)), eqshared::RoundPx(p.DbToY(6))))
            .manhattanLength() <= 1);
    QCOMPARE(rig.graph->CurveXPoints().back(), 1200);
    auto* label = rig.graph->findChild<QLabel*>("EQLabelX16"); // 1KHz
    QVERIFY(label);
    QCOMPARE(label->x() + label->width() / 2,
             eqshared::RoundPx(p.FreqToX(1000)) + EqGraph::kPlotLeft);
    QCOMPARE(label->y(), EqGraph::kPlotTop + 700);

    // A form that lays out the plot frame itself: Image1, grid and labels follow it.
    rig.graph->AdvPanel2()->setGeometry(30, 2, 900, 300);
    QCOMPARE(rig.graph->Image1()->geometry(), QRect(0, 0, 900, 300));
    QCOMPARE(rig.graph->Geometry().width, 900);
    QCOMPARE(rig.graph->Geometry().height, 300);
    label = rig.graph->findChild<QLabel*>("EQLabelY4"); // 0dB
    QCOMPARE(label->y() + label->height() / 2,
             2 + eqshared::RoundPx(rig.graph->Geometry().DbToY(0)));
    QCOMPARE(label->x() + label->width() + 2, 30);
}

void EqGraphTest::dragStopsAtTheLimits_data() {
    QTest::addColumn<QPoint>("target");
    QTest::addColumn<int>("freqIndex"); // -1: unchanged
    QTest::addColumn<int>("gainRaw");   // -1: unchanged
    QTest::newRow("top") << QPoint(0, -400) << -1 << 180;
    QTest::newRow("bottom") << QPoint(0, 600) << -1 << 0;
    QTest::newRow("left") << QPoint(-900, 0) << 1 << -1; // 20 Hz: 20.1 Hz step
    QTest::newRow("right") << QPoint(1200, 0) << 360 << -1;
}

void EqGraphTest::dragStopsAtTheLimits() {
    QFETCH(QPoint, target);
    QFETCH(int, freqIndex);
    QFETCH(int, gainRaw);
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.SetBand(SecMusic, 2, PEQ, 204, 120, 16);
    rig.Show(kMusic);
    QWidget* ep3 = rig.Point(2);
    const QPoint start = rig.Centre(2);
    Press(ep3);
    QCOMPARE(rig.host.selected.back(), BandAddr(SecMusic, 2, kBandFreq));
    QVERIFY(rig.graph->DragInProgress());
    MoveTo(ep3, start + target);
    rig.graph->ProcessPendingEQ(true);
    Release(ep3, start + target);
    QVERIFY(!rig.graph->DragInProgress());
    const int freq = rig.store.ViewTable[BandAddr(SecMusic, 2, kBandFreq)];
    const int gain = rig.store.ViewTable[BandAddr(SecMusic, 2, kBandGain)];
    if (freqIndex >= 0)
        QCOMPARE(freq, freqIndex);
    else
        QVERIFY(std::abs(freq - 204) <= 1);
    if (gainRaw >= 0)
        QCOMPARE(gain, gainRaw);
    else
        QVERIFY(std::abs(gain - 120) <= 1);
    // The point's centre stays on the plot.
    const QPoint c = rig.Centre(2);
    QVERIFY(c.y() >= 0 && c.y() <= 267);
    QVERIFY(c.x() >= 0 && c.x() <= 883);
}

void EqGraphTest::smallMovesAccumulate() {
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.Show(kMusic);
    QWidget* ep1 = rig.Point(0);
    const QPoint start = ep1->pos();
    const QPoint c = rig.Centre(0);
    Press(ep1);
    MoveTo(ep1, c + QPoint(1, 0)); // below DragStepX = 2 and no vertical move
    QCOMPARE(ep1->pos(), start);
    MoveTo(ep1, c + QPoint(2, 0)); // the same direction: the sum reaches the step
    QCOMPARE(ep1->pos(), start + QPoint(2, 0));
    MoveTo(ep1, c + QPoint(2, 1)); // one row is a step vertically (DragStepY = 1)
    QCOMPARE(ep1->pos(), start + QPoint(2, 1));
}

void EqGraphTest::pushesOncePerChangedValue() {
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.SetBand(SecMusic, 2, PEQ, 204, 120, 16);
    rig.Show(kMusic);
    QWidget* ep3 = rig.Point(2);
    const QPoint c = rig.Centre(2);
    const Address freqAddr = BandAddr(SecMusic, 2, kBandFreq);
    const Address gainAddr = BandAddr(SecMusic, 2, kBandGain);
    Press(ep3);
    MoveTo(ep3, c + QPoint(40, -40));
    QVERIFY(rig.host.shown.empty()); // the drag hands over; the tick pushes
    rig.graph->ProcessPendingEQ(true);
    QCOMPARE(int(rig.host.shown.size()), 2);
    QCOMPARE(rig.host.shown[0].first, freqAddr); // frequency first, then gain
    QCOMPARE(rig.host.shown[1].first, gainAddr);
    rig.graph->ProcessPendingEQ(true);
    QCOMPARE(int(rig.host.shown.size()), 2); // nothing changed: nothing sent
    // A vertical move changes only the gain.
    MoveTo(ep3, c + QPoint(40, -20));
    rig.graph->ProcessPendingEQ(true);
    QCOMPARE(int(rig.host.shown.size()), 3);
    QCOMPARE(rig.host.shown[2].first, gainAddr);
    // A drag that ends between two ticks is still pushed on the next one.
    MoveTo(ep3, c + QPoint(80, -20));
    Release(ep3, c + QPoint(80, -20));
    rig.graph->ProcessPendingEQ(true);
    QCOMPARE(rig.host.shown.back().first, freqAddr);
    QCOMPARE(rig.store.ViewTable[freqAddr], eqshared::FrequencyIndex(eqshared::RoundPx(
                                                rig.graph->Geometry().XToFreq(c.x() + 80))));
}

void EqGraphTest::sameValueOnAnotherPointIsSent() {
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.Show(kMusic);
    for (int i : {1, 5}) {
        QWidget* point = rig.Point(i);
        const QPoint c = rig.Centre(i);
        Press(point);
        MoveTo(point, c + QPoint(0, 500));
        Release(point, c + QPoint(0, 500));
        rig.graph->ProcessPendingEQ(true);
        QCOMPARE(rig.store.ViewTable[BandAddr(SecMusic, i, kBandGain)], 0);
    }
}

void EqGraphTest::editRedrawsOnTheNextTick() {
    Rig rig;
    rig.FlatChannel(SecMic1);
    rig.Show(kMic);
    const std::vector<int> flat = rig.graph->CurveYPoints();
    // An edit elsewhere: the value is stored and LastEdited recorded, as ShowValue does.
    rig.host.ShowValue(BandAddr(SecMic1, 7, kBandGain), 60);
    QCOMPARE(rig.graph->CurveYPoints(), flat);
    rig.graph->ProcessPendingEQ(true);
    QVERIFY(rig.graph->CurveYPoints() != flat);
    QCOMPARE(rig.graph->EQlabel()->text().split('\n').first(), QString("-12.0dB"));
    const PlotGeometry& p = rig.graph->Geometry();
    QCOMPARE(rig.Centre(7).y(), eqshared::RoundPx(p.DbToY(-12)));
    // A non-EQ address redraws nothing.
    const QString before = rig.graph->EQlabel()->text();
    rig.host.ShowValue(MakeAddress(SecMic1, 0), 20);
    rig.graph->ProcessPendingEQ(true);
    QCOMPARE(rig.graph->EQlabel()->text(), before);
}

void EqGraphTest::rightButtonStepsQ() {
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.Show(kMusic);
    QWidget* ep3 = rig.Point(2);
    const QPoint c = rig.Centre(2);
    const Address qAddr = BandAddr(SecMusic, 2, kBandQ);
    Press(ep3, Qt::RightButton);
    QCOMPARE(rig.host.selected.back(), qAddr);
    QVERIFY(rig.graph->QAdjustMode());
    QVERIFY(!rig.graph->DragInProgress());
    QWidget* image1 = rig.graph->Image1();
    auto moveOnPlot = [&](QPoint pos) {
        SendMouse(image1, QEvent::MouseMove, pos, Qt::NoButton, Qt::RightButton);
    };
    moveOnPlot(c + QPoint(2, 0)); // not more than 2 pixels: no step
    QVERIFY(rig.host.commits.empty());
    moveOnPlot(c + QPoint(-3, 0)); // left of the press: one step down
    QCOMPARE(rig.host.commits, std::vector<int>({11}));
    moveOnPlot(c + QPoint(1, 0)); // 4 to the right of the last step: up
    moveOnPlot(c + QPoint(5, 0));
    QCOMPARE(rig.host.commits, std::vector<int>({11, 1, 1}));
    QCOMPARE(rig.store.ViewTable[qAddr], 16 - 1 + 2);
    QCOMPARE(ep3->pos(), c - QPoint(7, 7)); // the point itself does not move
    // Moves handed over from the pressed point once the cursor has left it.
    MoveTo(ep3, c + QPoint(12, 0), Qt::RightButton);
    QCOMPARE(rig.host.commits.size(), size_t(4));
    SendMouse(image1, QEvent::MouseButtonRelease, c + QPoint(12, 0), Qt::RightButton, Qt::NoButton);
    QVERIFY(!rig.graph->QAdjustMode());
    QCOMPARE(rig.host.selected.back(), BandAddr(SecMusic, 2, kBandFreq));
    moveOnPlot(c + QPoint(40, 0));
    QCOMPARE(rig.host.commits.size(), size_t(4));
}

void EqGraphTest::markersMoveOnlySideways() {
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.store.ViewTable[MakeAddress(SecMusic, 8)] = 73;
    rig.Show(kMusic);
    QWidget* hpf = rig.Point(kHpfPoint);
    const QPoint c = rig.Centre(kHpfPoint);
    Press(hpf);
    QCOMPARE(rig.graph->EQlabel()->text(), QString("HPF:80.30Hz"));
    QVERIFY(rig.host.selected.empty());
    MoveTo(hpf, c + QPoint(30, -60));
    rig.graph->ProcessPendingEQ(true);
    QCOMPARE(rig.Centre(kHpfPoint), c + QPoint(30, 0));
    QCOMPARE(int(rig.host.shown.size()), 1); // frequency only; a marker has no gain
    QCOMPARE(rig.host.shown[0].first, MakeAddress(SecMusic, 8));
    QVERIFY(rig.host.shown[0].second > 73);
    Release(hpf, c + QPoint(30, -60));
    // The next tick redraws the filter from the stored value.
    rig.graph->ProcessPendingEQ(true);
    QVERIFY(rig.graph->EQlabel()->text().startsWith("HPF:"));
    QVERIFY(rig.graph->EQlabel()->text() != QString("HPF:80.30Hz"));
}

void EqGraphTest::bypassFreezesEqPoints() {
    struct Case {
        Page page;
        bool markerMoves;
    } cases[] = {{kMusic, false}, {kMic, true}, {kEcho, true}, {kOutput, true}};
    for (const Case& k : cases) {
        Rig rig;
        rig.FlatChannel(k.page.section);
        rig.Show(k.page);
        rig.graph->EQPassLabel()->show();
        QWidget* ep1 = rig.Point(0);
        const QPoint p1 = ep1->pos();
        Press(ep1);
        MoveTo(ep1, rig.Centre(0) + QPoint(20, 20));
        Release(ep1, rig.Centre(0));
        QCOMPARE(ep1->pos(), p1);
        QWidget* lpf = rig.Point(kLpfPoint);
        const QPoint pl = lpf->pos();
        Press(lpf);
        MoveTo(lpf, rig.Centre(kLpfPoint) + QPoint(-40, 0));
        Release(lpf, rig.Centre(kLpfPoint));
        QCOMPARE(lpf->pos() != pl, k.markerMoves);
    }
}

void EqGraphTest::lockedOutputPage() {
    Rig rig;
    rig.FlatChannel(SecOut);
    rig.state.ManualMode = 0;
    rig.Show(kOutput);
    rig.graph->UpdateCurveColor();
    QCOMPARE(rig.graph->CurveColor(), kCurveGrey);
    for (int i : {0, kHpfPoint}) {
        QWidget* point = rig.Point(i);
        const QPoint pos = point->pos();
        Press(point);
        QVERIFY(!rig.graph->DragInProgress());
        MoveTo(point, rig.Centre(i) + QPoint(30, 30));
        Release(point, rig.Centre(i) + QPoint(30, 30));
        QCOMPARE(point->pos(), pos);
    }
    Press(rig.Point(1), Qt::RightButton);
    QVERIFY(!rig.graph->QAdjustMode());
    QVERIFY(rig.host.selected.empty());
    rig.graph->ProcessPendingEQ(true);
    QVERIFY(rig.host.shown.empty());
}

void EqGraphTest::lowPassPressShowsItsLabel() {
    Rig rig;
    rig.FlatChannel(SecMic1);
    rig.store.ViewTable[MakeAddress(SecMic1, 12)] = 324; // 10100 Hz
    rig.Show(kMic);
    Press(rig.Point(kLpfPoint));
    QCOMPARE(rig.graph->EQlabel()->text(), QString("LPF:10100.00Hz"));
    const QWidget* lpf = rig.Point(kLpfPoint);
    QCOMPARE(rig.graph->EQlabel()->y(), lpf->y() + lpf->height());
}

void EqGraphTest::otherButtonsLeaveNoDragBehind() {
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.Show(kMusic);
    Press(rig.Point(0), Qt::MiddleButton);
    QVERIFY(!rig.graph->DragInProgress());
    // A right press on a marker neither drags it nor stays flagged.
    QWidget* hpf = rig.Point(kHpfPoint);
    const QPoint pos = hpf->pos();
    Press(hpf, Qt::RightButton);
    QVERIFY(!rig.graph->DragInProgress());
    MoveTo(hpf, rig.Centre(kHpfPoint) + QPoint(5, 0), Qt::RightButton);
    QCOMPARE(hpf->pos(), pos);
    // Presses on the second tab of the auxiliary page start nothing.
    rig.host.sheet = kSheetAux;
    rig.host.auxTab = 1;
    Press(rig.Point(1));
    QVERIFY(!rig.graph->DragInProgress());
    QVERIFY(rig.host.selected.empty());
    rig.host.sheet = kSheetMusic;
    rig.host.auxTab = 0;
    // Presses before the window is shown start nothing.
    rig.host.shownFlag = false;
    Press(rig.Point(1));
    QVERIFY(rig.host.selected.empty());
}

// The same gestures through the window system, so that the mouse grab of a pressed point and
// the hand-over of right-button moves to the plot are exercised as a user would.
void EqGraphTest::realMouseThroughTheWindow() {
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.Show(kMusic);
    QVERIFY(QTest::qWaitForWindowExposed(rig.graph.get()));
    QWidget* ep5 = rig.Point(4);
    const QPoint c = rig.Centre(4);
    QTest::mousePress(ep5, Qt::LeftButton, {}, QPoint(7, 7));
    QVERIFY(rig.graph->DragInProgress());
    QTest::mouseMove(ep5, QPoint(7 + 30, 7 - 40));
    QCOMPARE(rig.Centre(4), c + QPoint(30, -40));
    QTest::mouseRelease(ep5, Qt::LeftButton, {}, QPoint(7, 7));
    QVERIFY(!rig.graph->DragInProgress());
    rig.graph->ProcessPendingEQ(true);
    QCOMPARE(rig.store.ViewTable[BandAddr(SecMusic, 4, kBandGain)],
             eqshared::GainIndex(rig.graph->Geometry().YToDb(c.y() - 40)));

    QWidget* ep3 = rig.Point(2);
    QTest::mousePress(ep3, Qt::RightButton, {}, QPoint(7, 7));
    QVERIFY(rig.graph->QAdjustMode());
    QTest::mouseMove(ep3, QPoint(7 + 20, 7));
    QCOMPARE(rig.host.commits, std::vector<int>({1}));
    QTest::mouseMove(ep3, QPoint(7 + 10, 7));
    QCOMPARE(rig.host.commits, std::vector<int>({1, 11}));
    QTest::mouseRelease(ep3, Qt::RightButton, {}, QPoint(7 + 10, 7));
    QVERIFY(!rig.graph->QAdjustMode());
    // A press and release on the value label ends a Q adjustment too.
    QTest::mousePress(ep3, Qt::RightButton, {}, QPoint(7, 7));
    QTest::mouseRelease(ep3, Qt::RightButton, {}, QPoint(7, 7)); // over the point: still on
    QVERIFY(rig.graph->QAdjustMode());
    rig.graph->RedrawEQ(2, SecMusic);
    QTest::mouseClick(rig.graph->EQlabel(), Qt::LeftButton);
    QVERIFY(!rig.graph->QAdjustMode());
}

void EqGraphTest::curveColourAndSpectrum() {
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.Show(kMusic);
    QCOMPARE(rig.graph->CurveColor(), kCurveOrange);
    std::vector<int> columns(884, 268);
    for (int x = 100; x < 300; ++x)
        columns[size_t(x)] = 150;
    rig.graph->SetSpectrumColumns(columns);
    const QImage shot = rig.graph->Image1()->grab().toImage();
    QCOMPARE(shot.pixelColor(150, 200), QColor(62, 62, 255));   // a bar
    QCOMPARE(shot.pixelColor(505, 205), QColor(238, 238, 238)); // background
    const int zeroY = eqshared::RoundPx(rig.graph->Geometry().DbToY(0));
    const QColor curve = shot.pixelColor(505, zeroY); // the curve on top, antialiased
    QVERIFY(curve.red() > 230 && curve.green() < 140 && curve.blue() < 60);
}

void EqGraphTest::screenshotsAndTiming() {
    Rig rig;
    rig.FlatChannel(SecMusic);
    rig.SetBand(SecMusic, 0, LSEQ, 60, 150, 16);        // low shelf 62.5 Hz +6 dB
    rig.SetBand(SecMusic, 3, PEQ, 180, 80, 28);         // 630 Hz -8 dB Q 2
    rig.SetBand(SecMusic, 6, PEQ, 276, 160, 10);        // 4 kHz +8 dB
    rig.SetBand(SecMusic, 9, HSEQ, 330, 90, 16);        // high shelf 11.1 kHz -6 dB
    rig.store.ViewTable[MakeAddress(SecMusic, 8)] = 40; // high-pass 41.7 Hz
    rig.store.ViewTable[MakeAddress(SecMusic, 10)] = 340;
    rig.Show(kMusic);
    rig.graph->RedrawEQ(3, SecMusic);
    SaveShot(rig.graph.get(), "eq_music");

    Rig mic;
    mic.FlatChannel(SecMic1);
    for (int b = 0; b < 20; ++b)
        mic.SetBand(SecMic1, b, PEQ, 20 + 17 * b, b % 2 ? 100 : 140, 40);
    mic.Show(kMic);
    mic.graph->RedrawEQ(kLpfPoint, SecMic1);
    SaveShot(mic.graph.get(), "eq_mic");

    // The automatic output page in grey, with spectrum bars under the curve.
    Rig out;
    out.FlatChannel(SecOut);
    out.SetBand(SecOut, 2, PEQ, 150, 170, 20);
    out.store.ViewTable[MakeAddress(SecOut, 23)] = 90;
    out.state.ManualMode = 0;
    out.Show(kOutput);
    out.graph->UpdateCurveColor();
    std::vector<int> bars(884, 268);
    for (int x = 0; x <= 883; ++x)
        bars[size_t(x)] = x % 7 > 4 ? 268 : 120 + (x * 37 % 100);
    out.graph->SetSpectrumColumns(bars);
    SaveShot(out.graph.get(), "eq_output_auto_spectrum");
    out.graph->EQPassLabel()->show();
    SaveShot(out.graph.get(), "eq_output_bypass");

    // The auxiliary page with its first group, enlarged.
    Rig aux;
    aux.host.auxFirst = true;
    for (int b = 0; b < 6; ++b)
        aux.SetBand(SecAux, b, PEQ, 60 + 50 * b, 150 - 10 * b, 12);
    aux.Show(kAux);
    aux.graph->resize(1300, 500);
    aux.graph->RedrawEQ(1, SecAux);
    SaveShot(aux.graph.get(), "eq_aux_large");

    // Timing: one band and a full redraw, each computed and painted into an 883 x 268 image.
    QImage image(883, 268, QImage::Format_RGB32);
    auto paint = [&] {
        QPainter painter(&image);
        rig.graph->Image1()->Render(painter);
    };
    // Wall time suffers when the machine is shared; process CPU time is reported beside it.
    constexpr int runs = 50;
    auto measure = [&](auto&& step) {
        QElapsedTimer wall;
        const std::clock_t cpu0 = std::clock();
        wall.start();
        for (int i = 0; i < runs; ++i)
            step();
        const double wallMs = double(wall.nsecsElapsed()) / runs / 1e6;
        const double cpuMs = double(std::clock() - cpu0) * 1000.0 / CLOCKS_PER_SEC / runs;
        return std::pair{wallMs, cpuMs};
    };
    const auto band = measure([&] {
        rig.graph->RedrawEQ(3, SecMusic);
        paint();
    });
    const auto full = measure([&] {
        rig.graph->RedrawEQ(kAllBands, SecMusic);
        paint();
    });
    const auto compute = measure([&] { rig.graph->RedrawEQ(kAllBands, SecMusic); });
    qInfo("EQ graph redraw (wall / CPU ms): one band %.3f / %.3f, all bands %.3f / %.3f, "
          "all bands without painting %.3f / %.3f",
          band.first, band.second, full.first, full.second, compute.first, compute.second);
    image.save("/tmp/shots/eq_render.png");
}

QTEST_MAIN(EqGraphTest)
#include "EqGraph_test.moc"
