// The main window's life: creation, first show and its hooks, the shortcut keys, the window
// buttons, the hidden access box, and the link and status windows.
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include "app/LinkWindow.h"
#include "app/MainWindow.h"
#include "app/StatusDialog.h"
#include "forms/kit/Kit.h"
#include "params/PageState.h"
#include "params/ParamStore.h"

using namespace dsp;

namespace {

// A key press as the keyboard delivers it: to the focused control, or to the window.
void Press(TForm1& f, Qt::Key key) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : &f, key);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void createdBorderlessAtItsSize();
    void firstShowRunsItsStepsInOrder();
    void firstShowKeepsThePageWhenOnline();
    void shortcutKeysMoveMasterVolumes();
    void shortcutKeysOnlyOnFirstSettingsPage();
    void shortcutKeysLeaveFreeTextAlone();
    void maximiseKeepsTaskBarAndRestores();
    void closeSaysGoodbyeOnlyWhenOnline_data();
    void closeSaysGoodbyeOnlyWhenOnline();
    void linkLabelDoubleClickOpensAccessBox();
    void dragFromTitleBarMovesWindow();
    void linkAndStatusWindowsOnlyHide();
    void copyMenuNeedsCtrlOnVariantB();
};

void MainWindowTest::createdBorderlessAtItsSize() {
    TForm1 f(Variant::A);
    QCOMPARE(f.objectName(), QString("TForm1"));
    QVERIFY(f.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(f.size(), QSize(TForm1::kClientWidth, TForm1::kClientHeight));
    QVERIFY(f.KeyPreview());
    QVERIFY(!f.Shown());
    QVERIFY(!f.Timer1()->isActive());
    // Numbers use "." whatever the user locale.
    QCOMPARE(QLocale().toString(1.5), QString("1.5"));
}

void MainWindowTest::firstShowRunsItsStepsInOrder() {
    TForm1 f(Variant::B);
    QStringList steps;
    bool boundBeforeReset = false;
    TForm1Hooks& h = f.hooks();
    h.PrepareEqGraph = [&] { steps << "graph"; };
    h.StartSpectrumCapture = [&] { steps << "capture"; };
    h.ResetAllEq = [&] {
        steps << "reset";
        auto* q = qobject_cast<ValueEdit*>(f.findChild<QWidget*>("MusQEdit1"));
        boundBeforeReset = q->tag() == 17;
    };
    h.PreparePresetFiles = [&](const QString& root) {
        steps << "presets";
        QVERIFY(root.endsWith("/Mode"));
    };
    h.ChooseLanguage = [&] { steps << "language"; };
    h.IsOnline = [] { return false; };
    h.SelectMusicPage = [&] { steps << "music"; };
    h.FillSerialPorts = [&] { steps << "ports"; };
    f.findChild<QTabWidget*>("FormPageItem")->setCurrentIndex(3);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QCOMPARE(steps,
             QStringList({"graph", "capture", "reset", "presets", "language", "music", "ports"}));
    QVERIFY(boundBeforeReset);
    QVERIFY(f.Shown());
    QVERIFY(f.Timer1()->isActive());
    QCOMPARE(f.ModeRoot(), f.ProgramFolder() + "/Mode");
    // A second show runs nothing again.
    f.hide();
    f.show();
    QCOMPARE(steps.size(), 7);
}

void MainWindowTest::firstShowKeepsThePageWhenOnline() {
    TForm1 f(Variant::A);
    bool selected = false;
    f.hooks().IsOnline = [] { return true; };
    f.hooks().SelectMusicPage = [&] { selected = true; };
    f.findChild<QTabWidget*>("FormPageItem")->setCurrentIndex(3);
    f.show();
    QVERIFY(!selected);
    QCOMPARE(f.findChild<QTabWidget*>("FormPageItem")->currentIndex(), 3);

    // Without a hook the music sheet is shown.
    TForm1 g(Variant::A);
    g.findChild<QTabWidget*>("FormPageItem")->setCurrentIndex(3);
    g.show();
    QCOMPARE(g.findChild<QTabWidget*>("FormPageItem")->currentIndex(), 0);
}

void MainWindowTest::shortcutKeysMoveMasterVolumes() {
    TForm1 f(Variant::A);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    auto* mus = f.findChild<TrackBar*>("SysMusNormalVolBar");
    auto* mic = f.findChild<TrackBar*>("SysMicNormalVolBar");
    auto* eff = f.findChild<TrackBar*>("SysEffNormalVolBar");
    QSignalSpy moved(mus, &QSlider::valueChanged);
    mic->setPosition(10);
    eff->setPosition(84);
    const struct {
        Qt::Key key;
        TrackBar* bar;
        int expected;
    } steps[] = {{Qt::Key_Q, mus, 1},  {Qt::Key_Q, mus, 2},  {Qt::Key_A, mus, 1},
                 {Qt::Key_A, mus, 0},  {Qt::Key_A, mus, 0}, // held at the slider's minimum
                 {Qt::Key_W, mic, 11}, {Qt::Key_S, mic, 10}, {Qt::Key_E, eff, 84},
                 {Qt::Key_D, eff, 83}};
    for (const auto& s : steps) {
        Press(f, s.key);
        QCOMPARE(s.bar->position(), s.expected);
    }
    QCOMPARE(moved.count(), 4); // the slider reports each change as a user move would
    QVERIFY(!f.SpectrumPaused());
    Press(f, Qt::Key_P);
    QVERIFY(f.SpectrumPaused());
    Press(f, Qt::Key_P);
    QVERIFY(!f.SpectrumPaused());
    Press(f, Qt::Key_Z);
    QCOMPARE(mus->position(), 0);
}

void MainWindowTest::shortcutKeysOnlyOnFirstSettingsPage() {
    TForm1 f(Variant::B);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    auto* pages = f.findChild<QTabWidget*>("AdvPageControl1");
    auto* mus = f.findChild<TrackBar*>("SysMusNormalVolBar");
    pages->setCurrentIndex(1);
    QVERIFY(!f.KeyPreview());
    Press(f, Qt::Key_Q);
    pages->setCurrentIndex(2);
    Press(f, Qt::Key_Q);
    QCOMPARE(mus->position(), 0);
    pages->setCurrentIndex(0);
    QVERIFY(f.KeyPreview());
    Press(f, Qt::Key_Q);
    QCOMPARE(mus->position(), 1);
}

void MainWindowTest::shortcutKeysLeaveFreeTextAlone() {
    TForm1 f(Variant::A);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.findChild<QTabWidget*>("FormPageItem")->setCurrentIndex(6);
    auto* mus = f.findChild<TrackBar*>("SysMusNormalVolBar");
    auto* name = f.findChild<ValueEdit*>("BlueNameEdit");
    name->setFocus();
    QApplication::processEvents();
    QTest::keyClicks(name, "AQUA");
    QCOMPARE(name->text(), QString("AQUA"));
    QCOMPARE(mus->position(), 0);
    // In a value edit (which takes only digits) the key still acts as a shortcut.
    auto* gain = f.findChild<ValueEdit*>("MICAEffectEdit");
    gain->setFocus();
    QApplication::processEvents();
    QTest::keyClick(gain, Qt::Key_Q);
    QCOMPARE(mus->position(), 1);
}

void MainWindowTest::maximiseKeepsTaskBarAndRestores() {
    TForm1 f(Variant::A);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QRect normal = f.geometry();
    f.RzBmpButton1Click();
    QVERIFY(f.Maximised());
    // The available geometry leaves the task bar uncovered (never below the designed size).
    const QRect avail = f.screen()->availableGeometry();
    QCOMPARE(f.geometry(), QRect(avail.topLeft(), avail.size().expandedTo(f.minimumSize())));
    QCOMPARE(f.findChild<BmpButton*>("RzBmpButton1")->glyph(), BmpButton::Glyph::Restore);
    // The regions follow the larger client area.
    QCOMPARE(f.findChild<QWidget*>("RzGroupBox2")->geometry().right(), f.width() - 1);
    f.RzBmpButton1Click();
    QVERIFY(!f.Maximised());
    QCOMPARE(f.geometry(), normal);
    QCOMPARE(f.findChild<QWidget*>("Image1")->size(), QSize(883, 268));
    QTest::mouseClick(f.findChild<BmpButton*>("RzBmpButton2"), Qt::LeftButton);
    QVERIFY(f.windowState() & Qt::WindowMinimized);
}

void MainWindowTest::closeSaysGoodbyeOnlyWhenOnline_data() {
    QTest::addColumn<bool>("online");
    QTest::newRow("online") << true;
    QTest::newRow("offline") << false;
}

void MainWindowTest::closeSaysGoodbyeOnlyWhenOnline() {
    QFETCH(bool, online);
    TForm1 f(Variant::A);
    int goodbyes = 0;
    bool visibleAtGoodbye = false;
    f.hooks().IsOnline = [&] { return online; };
    f.hooks().SayGoodbye = [&] {
        ++goodbyes;
        visibleAtGoodbye = f.isVisible();
    };
    f.show();
    QTest::mouseClick(f.findChild<BmpButton*>("RzBmpButton3"), Qt::LeftButton);
    QCOMPARE(goodbyes, online ? 1 : 0);
    QCOMPARE(visibleAtGoodbye, online);
    QVERIFY(!f.isVisible());
}

void MainWindowTest::linkLabelDoubleClickOpensAccessBox() {
    TForm1 f(Variant::B);
    f.show();
    auto* hintButton = f.findChild<QWidget*>("FormHintTabBtn");
    hintButton->show();
    auto* code = f.findChild<ValueEdit*>("SysLogoEdit");
    code->setText("old");
    QTest::mouseDClick(f.findChild<QWidget*>("LinkLabel"), Qt::LeftButton);
    QVERIFY(f.findChild<QWidget*>("SysLogoLabel")->isVisible());
    QVERIFY(code->isVisible());
    QVERIFY(code->text().isEmpty());
    QVERIFY(hintButton->isHidden());
}

void MainWindowTest::dragFromTitleBarMovesWindow() {
    TForm1 f(Variant::A);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QPoint start = f.pos();
    QWidget* bar = f.findChild<QWidget*>("Image2");
    const QPoint grip(400, 10);
    QTest::mousePress(bar, Qt::LeftButton, {}, grip);
    QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(30, 20)),
                     QPointF(bar->mapToGlobal(grip + QPoint(30, 20))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&f, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, grip + QPoint(30, 20));
    QCOMPARE(f.pos(), start + QPoint(30, 20));
    // A control is not a drag surface.
    const QPoint now = f.pos();
    auto* ok = f.findChild<QWidget*>("RzBmpButton22");
    QTest::mousePress(ok, Qt::LeftButton);
    QTest::mouseRelease(ok, Qt::LeftButton);
    QCOMPARE(f.pos(), now);
}

void MainWindowTest::linkAndStatusWindowsOnlyHide() {
    TForm3 link;
    QVERIFY(link.isHidden());
    QCOMPARE(link.windowTitle(), QString("系统"));
    link.show();
    link.close();
    QVERIFY(link.isHidden());
    link.AddToHistory("WRITE ERROR: x (1)");
    QCOMPARE(link.HistoryListBox()->count(), 1);

    TForm2 status;
    QCOMPARE(status.windowTitle(), QString("设备状态"));
    QCOMPARE(status.WarnLabel()->text(), QString("请稍等,可能需要几秒钟才能完成操作！"));
    QCOMPARE(status.LinkLabel()->text(), QString("设备未连接"));
    QCOMPARE(status.ComLabel()->text(), QString("COM1"));
    QVERIFY(status.windowFlags() & Qt::WindowStaysOnTopHint);
    status.show();
    status.close();
    QVERIFY(status.isHidden());
    // Closing the dialog does not end the program: it stays a live, hidden window.
    status.show();
    QVERIFY(status.isVisible());
}

void MainWindowTest::copyMenuNeedsCtrlOnVariantB() {
    TForm1 b(Variant::B);
    b.show();
    b.findChild<QTabWidget*>("FormPageItem")->setCurrentIndex(3);
    auto* sheet = b.findChild<QWidget*>("AdvTabSheet4_Main");
    auto* limiter = b.findChild<QWidget*>("OutLimiteGroup");
    QTest::mousePress(limiter, Qt::RightButton, Qt::ControlModifier, QPoint(4, 4));
    QVERIFY(b.CopyMenuAutoPopup());
    QTest::mousePress(sheet, Qt::RightButton, {}, QPoint(2, 230));
    QVERIFY(!b.CopyMenuAutoPopup());
    QTest::mousePress(sheet, Qt::LeftButton, Qt::ControlModifier, QPoint(2, 230));
    QVERIFY(b.CopyMenuAutoPopup());
    QCOMPARE(sheet->contextMenuPolicy(), Qt::CustomContextMenu);

    // Variant A attaches the copy menu to no control.
    TForm1 a(Variant::A);
    QTest::mousePress(a.findChild<QWidget*>("OutLimiteGroup"), Qt::RightButton, Qt::ControlModifier,
                      QPoint(4, 4));
    QVERIFY(!a.CopyMenuAutoPopup());
    QCOMPARE(a.findChild<QWidget*>("AdvTabSheet4_Main")->contextMenuPolicy(),
             Qt::DefaultContextMenu);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindow_test.moc"
