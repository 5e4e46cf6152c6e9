// The system settings: volume triples with their markers, the two-button selectors, the
// input selector and the Bluetooth name.
#include <QtTest>

#include "app/SystemPageController.h"
#include "tests/app/SystemFixture.h"

using namespace dsp;
using namespace dsp::test;

namespace {

constexpr int kMusMaster = 0x1901;
constexpr int kMusMax = 0x1904;
constexpr int kMusStart = 0x1907;

// A position as the page refresh loads it: no one-step rise, no clamps, nothing sent.
void Load(SystemFixture& f, TrackBar* bar, int value) {
    f.form.pageState().SuppressSend = true;
    bar->setPosition(value);
    f.form.pageState().SuppressSend = false;
}

bool Contains(const std::vector<Write>& writes, Write w) {
    return std::find(writes.begin(), writes.end(), w) != writes.end();
}

} // namespace

class SystemPageControllerTest : public QObject {
    Q_OBJECT
private slots:
    void masterRisesOneStepPerChange_data();
    void masterRisesOneStepPerChange();
    void loweringMaximumPullsMasterAndStartDown();
    void startStaysBelowMaximum();
    void loadedValuesAreNotClamped();
    void markerPositions_data();
    void markerPositions();
    void markerDragSetsMaximum();
    void keyboardShortcutsMoveMasters();
    void selectors_data();
    void selectors();
    void inputSelector();
    void refilledInputListWritesNothing();
    void bluetoothName();
};

void SystemPageControllerTest::masterRisesOneStepPerChange_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("ends");
    QTest::newRow("drag up 10 to 60") << 10 << 60 << 11;
    QTest::newRow("drag down 60 to 10") << 60 << 10 << 10;
    QTest::newRow("one step up") << 10 << 11 << 11;
    QTest::newRow("to zero") << 84 << 0 << 0;
}

void SystemPageControllerTest::masterRisesOneStepPerChange() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, ends);
    SystemFixture f;
    f.GoOnline();
    auto* master = f.Find<TrackBar>("SysMusNormalVolBar");
    Load(f, f.Find<TrackBar>("SysMusMaxVolBar"), 84);
    Load(f, master, from);
    QVERIFY(f.Writes().empty());

    master->setPosition(to);
    QCOMPARE(master->position(), ends);
    QCOMPARE(f.Find<StatusPane>("SysMusNormalVolPane")->text(), QString::number(ends));
    QCOMPARE(f.Find<StatusPane>("SysMusNormalVolPane")->hint(), QString::number(ends));
    QCOMPARE(f.Writes(), (std::vector<Write>{{kMusMaster, ends}}));
    QCOMPARE(f.form.params().DeviceTable[kMusMaster], ends);
}

void SystemPageControllerTest::loweringMaximumPullsMasterAndStartDown() {
    SystemFixture f;
    f.GoOnline();
    auto* master = f.Find<TrackBar>("SysMusNormalVolBar");
    auto* maximum = f.Find<TrackBar>("SysMusMaxVolBar");
    auto* start = f.Find<TrackBar>("SysMusStartVolBar");
    Load(f, maximum, 84);
    Load(f, master, 50);
    Load(f, start, 40);

    maximum->setPosition(30);
    QCOMPARE(master->position(), 30);
    QCOMPARE(start->position(), 30);
    const auto writes = f.Writes();
    QVERIFY(Contains(writes, {kMusMaster, 30}));
    QVERIFY(Contains(writes, {kMusStart, 30}));
    QCOMPARE(writes.back(), (Write{kMusMax, 30}));
    QCOMPARE(f.Find<StatusPane>("SysMusNormalVolPane")->text(), QString("30"));
    // The other triples are untouched.
    QCOMPARE(f.Find<TrackBar>("SysMicNormalVolBar")->position(), 0);

    // Raising the maximum again leaves master and start where they are.
    maximum->setPosition(60);
    QCOMPARE(master->position(), 30);
    QCOMPARE(start->position(), 30);
}

void SystemPageControllerTest::startStaysBelowMaximum() {
    SystemFixture f;
    f.GoOnline();
    auto* start = f.Find<TrackBar>("SysEffStartVolBar");
    Load(f, f.Find<TrackBar>("SysEffMaxVolBar"), 40);
    start->setPosition(70);
    QCOMPARE(start->position(), 40);
    QCOMPARE(f.Writes(), (std::vector<Write>{{0x1908, 40}}));
    // The value label of the triple follows start and maximum changes.
    QCOMPARE(f.Find<QLabel>("EffLabel")->text(), QString("40"));
}

void SystemPageControllerTest::loadedValuesAreNotClamped() {
    SystemFixture f;
    f.GoOnline();
    Load(f, f.Find<TrackBar>("SysMicMaxVolBar"), 20);
    Load(f, f.Find<TrackBar>("SysMicNormalVolBar"), 50);
    Load(f, f.Find<TrackBar>("SysMicStartVolBar"), 70);
    QCOMPARE(f.Find<TrackBar>("SysMicNormalVolBar")->position(), 50);
    QCOMPARE(f.Find<StatusPane>("SysMicNormalVolPane")->text(), QString("50"));
    QCOMPARE(f.Find<TrackBar>("SysMicStartVolBar")->position(), 70);
    QCOMPARE(f.form.params().ViewTable[0x1900], 50);
    QVERIFY(f.Writes().empty());
}

void SystemPageControllerTest::markerPositions_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("left");
    QTest::newRow("0") << 0 << 53;
    QTest::newRow("10 (71.9)") << 10 << 72;
    QTest::newRow("30 (109.7)") << 30 << 110;
    QTest::newRow("50 (147.5, half to even)") << 50 << 148;
    QTest::newRow("84 (211.76)") << 84 << 212;
}

void SystemPageControllerTest::markerPositions() {
    QFETCH(int, value);
    QFETCH(int, left);
    QCOMPARE(MarkerLeftOf(value), left);
    QCOMPARE(MarkerValueOf(left), value);

    SystemFixture f;
    auto* maximum = f.Find<TrackBar>("SysMusMaxVolBar");
    maximum->setPosition(value);
    f.sys->System().SysMusNormalVolBarChange(maximum);
    QCOMPARE(f.Find<MarkerImage>("MusMaxImage")->x(), left);
    auto* start = f.Find<TrackBar>("SysMusStartVolBar");
    start->setPosition(value);
    f.sys->System().SysMusNormalVolBarChange(start);
    QCOMPARE(f.Find<MarkerImage>("MusStartImage")->x(), left);
}

void SystemPageControllerTest::markerDragSetsMaximum() {
    SystemFixture f;
    f.GoOnline();
    auto* maximum = f.Find<TrackBar>("SysMusMaxVolBar");
    auto* marker = f.Find<MarkerImage>("MusMaxImage");
    auto* label = f.Find<QLabel>("musLabel");
    SystemPageController& sys = f.sys->System();
    Load(f, maximum, 50);
    sys.SysMusNormalVolBarChange(maximum); // places the marker
    QCOMPARE(marker->x(), 148);

    // The right button starts no drag.
    sys.MusStartImageMouseDown(marker, Qt::RightButton, {5, 4});
    sys.MusStartImageMouseMove(marker, {25, 4});
    QCOMPARE(marker->x(), 148);
    QCOMPARE(maximum->position(), 50);

    sys.MusStartImageMouseDown(marker, Qt::LeftButton, {5, 4});
    QVERIFY(sys.DragInProgress());
    QCOMPARE(sys.DragIndex(), kMusMax);
    sys.MusStartImageMouseMove(marker, {24, 4}); // 19 pixels right: 167 → value 60
    QCOMPARE(maximum->position(), 60);
    QCOMPARE(marker->x(), MarkerLeftOf(60));
    QVERIFY(!label->isHidden());
    QCOMPARE(label->text(), QString("60"));
    QCOMPARE(f.Writes().back(), (Write{kMusMax, 60}));

    // Far past the end the slider stops at 84; the next move first puts the marker back.
    sys.MusStartImageMouseMove(marker, {400, 4});
    QCOMPARE(maximum->position(), 84);
    sys.MusStartImageMouseUp(marker);
    QVERIFY(!sys.DragInProgress());
    QVERIFY(label->isHidden());
    sys.MusStartImageMouseMove(marker, {5, 4}); // no drag: nothing moves
    QCOMPARE(maximum->position(), 84);
}

void SystemPageControllerTest::keyboardShortcutsMoveMasters() {
    SystemFixture f;
    f.GoOnline();
    for (const char* name : {"SysMusMaxVolBar", "SysMicMaxVolBar", "SysEffMaxVolBar"})
        Load(f, f.Find<TrackBar>(name), 84);
    Load(f, f.Find<TrackBar>("SysMusNormalVolBar"), 10);
    f.form.FormKeyDown(Qt::Key_Q);
    f.form.FormKeyDown(Qt::Key_W);
    f.form.FormKeyDown(Qt::Key_D); // effect master at 0 stays there
    QCOMPARE(f.Writes(), (std::vector<Write>{{kMusMaster, 11}, {0x1900, 1}}));
    QCOMPARE(f.Find<StatusPane>("SysMusNormalVolPane")->text(), QString("11"));
}

void SystemPageControllerTest::selectors_data() {
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<QString>("other");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("value");
    QTest::newRow("volume run on") << 0 << "SysVolRunBtn2"
                                   << "SysVolRunBtn1" << 0x1909 << 1;
    QTest::newRow("volume run off") << 0 << "SysVolRunBtn1"
                                    << "SysVolRunBtn2" << 0x1909 << 0;
    QTest::newRow("panel lock on") << 0 << "SysPanelBtn2"
                                   << "SysPanelBtn1" << 0x1E04 << 1;
    QTest::newRow("panel lock off") << 0 << "SysPanelBtn1"
                                    << "SysPanelBtn2" << 0x1E04 << 0;
    QTest::newRow("B: L/R enable") << 1 << "SysLRBtn1"
                                   << "SysLRBtn2" << 0x1E03 << 0;
    QTest::newRow("B: L/R disable") << 1 << "SysLRBtn2"
                                    << "SysLRBtn1" << 0x1E03 << 1;
}

void SystemPageControllerTest::selectors() {
    QFETCH(int, variant);
    QFETCH(QString, pressed);
    QFETCH(QString, other);
    QFETCH(int, address);
    QFETCH(int, value);
    SystemFixture f{Variant(variant)};
    f.GoOnline();
    auto* button = f.form.findChild<BmpButton*>(pressed);
    auto* second = f.form.findChild<BmpButton*>(other);
    // Start from the other button so that the click changes the selection.
    f.sys->System().SysMusInputLevelClick(second);
    f.serial.sent.clear();

    button->click();
    QCOMPARE(button->face(), BmpButton::Face::Down);
    QCOMPARE(second->face(), BmpButton::Face::Normal);
    QCOMPARE(f.Writes(), (std::vector<Write>{{address, value}}));

    // The page refresh loads a value into the Hint of either button and lets the handler pick.
    f.form.pageState().SuppressSend = true;
    second->setHint(QString::number(value));
    f.sys->System().SysMusInputLevelClick(second);
    f.form.pageState().SuppressSend = false;
    QCOMPARE(button->face(), BmpButton::Face::Down);
    QCOMPARE(second->face(), BmpButton::Face::Normal);
    QCOMPARE(button->hint(), QString::number(value));
    QCOMPARE(second->hint(), QString::number(1 - value));
    QCOMPARE(f.Writes().size(), size_t(1));
}

void SystemPageControllerTest::inputSelector() {
    SystemFixture f;
    f.GoOnline();
    auto* box = f.Find<ComboBox>("SysInputBox");
    auto* gain = f.Find<ValueEdit>("MusGain1Edit");
    auto* spin = f.Find<QWidget>("MusGain1UpDown");
    ParamTable& device = f.form.params().DeviceTable;
    device.At(0, 2) = 30; // Bluetooth volume: 30 / 2 - 10 = 5.0 dB
    device.At(0, 0) = 21;

    box->setCurrentIndex(3);
    emit box->activated(3);
    QVERIFY(gain->isEnabled());
    QVERIFY(spin->isEnabled());
    QCOMPARE(gain->text(), QString("5.0dB"));
    QCOMPARE(f.form.params().ViewTable.At(0, 0), 30);
    QCOMPARE(f.Find<QLabel>("InputLabel")->text(), QString("蓝牙音量"));
    QCOMPARE(AsKit(f.Find<QWidget>("InputLabel"))->hint(), QString("BLUE Vol"));
    QCOMPARE(f.Writes(), (std::vector<Write>{{0x0041, 3}}));

    box->setCurrentIndex(0); // "自动"
    emit box->activated(0);
    QVERIFY(!gain->isEnabled());
    QVERIFY(!spin->isEnabled());
    QCOMPARE(gain->text(), QString("0.5dB"));

    f.sys->Lang().Translate(0);
    box->setCurrentIndex(1);
    emit box->activated(1);
    QVERIFY(gain->isEnabled());
    QCOMPARE(f.Find<QLabel>("InputLabel")->text(), QString("RCA1 Vol"));

    // The other boxes only write their item.
    auto* step = f.Find<ComboBox>("AUXGainBox");
    step->setCurrentIndex(2);
    emit step->activated(2);
    QCOMPARE(f.Writes().back(), (Write{0x1500, 2}));
    auto* centre = f.Find<ComboBox>("SysCenRoutingBox");
    centre->setCurrentIndex(1);
    emit centre->activated(1);
    QCOMPARE(f.Writes().back(), (Write{0x1E17, 1}));
}

void SystemPageControllerTest::refilledInputListWritesNothing() {
    SystemFixture f;
    f.GoOnline();
    auto* box = f.Find<ComboBox>("SysInputBox");
    box->setCurrentIndex(2);
    f.form.params().DeviceTable.At(0, 65) = 2;
    f.form.params().DeviceTable.At(30, 20) = 9;
    f.sys->Lang().Translate(0);
    f.sys->System().RelistInputs();
    QCOMPARE(box->count(), 10);
    QCOMPARE(box->currentIndex(), 2);
    QCOMPARE(box->itemText(0), QString("AUTO"));
    QCOMPARE(box->itemText(9), QString("HDMIARC"));
    QCOMPARE(f.Find<QLabel>("InputLabel")->text(), QString("RCA2 Vol"));
    // An empty list is no choice: the selected input stays in the tables.
    box->clear();
    f.sys->System().SysInputBoxChange(box);
    QCOMPARE(f.form.params().DeviceTable.At(0, 65), 2);
    QVERIFY(f.Writes().empty());
}

void SystemPageControllerTest::bluetoothName() {
    SystemFixture f;
    f.GoOnline();
    auto* name = f.Find<ValueEdit>("BlueNameEdit");
    auto* ok = f.Find<BmpButton>("RzBmpButton5");
    name->setText("Hall 2");

    f.answer = false;
    ok->click();
    QCOMPARE(f.boxes.size(), size_t(1));
    QCOMPARE(f.boxes[0].caption, QString("Confirm"));
    QCOMPARE(f.boxes[0].text, QString("蓝牙名称更改?"));
    QVERIFY(f.boxes[0].yesNo);
    QVERIFY(f.StrWrites().empty());

    f.answer = true;
    f.sys->Lang().Translate(0);
    ok->click();
    QCOMPARE(f.boxes[1].text, QString("Bluetooth Name Modify?"));
    const auto sent = f.StrWrites();
    QCOMPARE(sent.size(), size_t(1));
    QCOMPARE(sent[0].first, 0x1E16);
    QCOMPARE(sent[0].second, std::string("Hall 2"));

    // Typed characters the device cannot take as one byte are refused.
    name->clear();
    for (QChar c : QString::fromUtf8("Bar蓝牙9")) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(name, &key);
    }
    QCOMPARE(name->text(), QString("Bar9"));
    name->insert(QString::fromUtf8("é"));
    QCOMPARE(name->text(), QString("Bar9"));
}

QTEST_MAIN(SystemPageControllerTest)
#include "SystemPageController_test.moc"
