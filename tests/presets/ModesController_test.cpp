#include <QTest>

#include "forms/kit/Kit.h"
#include "link/Frames.h"
#include "tests/presets/ModesFilesRig.h"

using namespace dsp;
using dsp::test::PresetRig;

namespace {

template <class T> T* Child(QWidget& root, const char* name) {
    T* w = root.findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

QString FactoryName(int i) {
    return i == 0 ? QStringLiteral("SysFactoryBtn") : QStringLiteral("SysFactoryBtn%1").arg(i + 1);
}

} // namespace

class ModesControllerTest : public QObject {
    Q_OBJECT
private slots:
    void nameOfLine_data();
    void nameOfLine();
    void recallReloadsAndListsFollow_data();
    void recallReloadsAndListsFollow();
    void quickButtons();
    void saveUpdatesTheBankLists_data();
    void saveUpdatesTheBankLists();
    void offlineSaveSendsNothing();
};

void ModesControllerTest::nameOfLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("3-KTV") << "3-KTV" << 2 << "KTV";
    QTest::newRow("12-Party") << "12-Party" << 11 << "Party";
    QTest::newRow("empty name") << "1-" << 0 << "";
    QTest::newRow("9-X") << "9-X" << 8 << "X";
    QTest::newRow("no line") << "" << -1 << "";
}

void ModesControllerTest::nameOfLine() {
    QFETCH(QString, line);
    QFETCH(int, index);
    QFETCH(QString, name);
    QCOMPARE(ModesController::NameOfLine(line, index), name);
}

void ModesControllerTest::recallReloadsAndListsFollow_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("question");
    QTest::newRow("Chinese") << 1 << "模式切换为9-Stage?";
    QTest::newRow("English") << 0 << "Load Mode to9-Stage?";
}

// Recalling bank-1 mode 9 reloads the device's parameters; the lists, the name edit and the
// quick buttons follow the new current mode.
void ModesControllerTest::recallReloadsAndListsFollow() {
    QFETCH(int, language);
    QFETCH(QString, question);
    PresetRig rig;
    rig.Script.Language = language;
    rig.Model.Mode(sim::kBankMain, 8).name = "Stage";
    rig.Model.Mode(sim::kBankMain, 8).params.At(0, 10) = 77;
    QVERIFY(rig.LinkUp());
    QVERIFY(rig.Store.DeviceTable.At(0, 10) != 77);

    auto* box = Child<ComboBox>(rig.Form, "SysModeBox");
    QCOMPARE(box->count(), 16);
    box->setCurrentIndex(8);
    rig.Modes.SysModeBoxChange();
    QCOMPARE(Child<ValueEdit>(rig.Form, "PresetModeEdit")->text(), QString("Stage"));
    Child<BmpButton>(rig.Form, "SysLoadModeBtn")->click();
    QCOMPARE(rig.Script.Questions.size(), 1);
    QCOMPARE(rig.Script.Questions[0], qMakePair(QString("Confirm"), question));
    QVERIFY(rig.RunUntilIdle());

    QCOMPARE(rig.Model.CurrentMode(sim::kBankMain), 8);
    QCOMPARE(rig.Store.DeviceTable.At(0, 10), 77); // reloaded from the device
    QCOMPARE(box->currentIndex(), 8);
    QCOMPARE(box->currentText(), QString("9-Stage"));
    for (int i = 0; i < 6; ++i)
        QCOMPARE(Child<BmpButton>(rig.Form, FactoryName(i).toLatin1())->face(),
                 BmpButton::Face::Normal);
    auto* seventh = Child<BmpButton>(rig.Form, "SysFactoryBtn7");
    QCOMPARE(seventh->text(), QString("9"));
    QCOMPARE(seventh->face(), BmpButton::Face::Down);
}

// The seventh quick button reads the mode's number from mode 7 on and asks to recall it; below
// it reads "..." and opens the mode page. Offline the buttons do nothing.
void ModesControllerTest::quickButtons() {
    PresetRig rig;
    auto* seventh = Child<BmpButton>(rig.Form, "SysFactoryBtn7");
    auto* third = Child<BmpButton>(rig.Form, "SysFactoryBtn3");
    auto* pages = Child<PageControl>(rig.Form, "AdvPageControl1");

    third->click(); // offline
    QVERIFY(rig.Script.Questions.isEmpty());

    QVERIFY(rig.LinkUp());
    QCOMPARE(seventh->text(), QString("..."));
    QCOMPARE(Child<BmpButton>(rig.Form, "SysFactoryBtn")->face(), BmpButton::Face::Down);
    pages->setCurrentIndex(0);
    seventh->click();
    QCOMPARE(pages->currentIndex(), 1);
    QVERIFY(rig.Script.Questions.isEmpty());

    // Quick button 3 recalls mode 3 (index 2) after its question.
    third->click();
    QCOMPARE(rig.Script.Questions.size(), 1);
    QVERIFY(rig.Script.Questions[0].second.startsWith("模式切换为3-"));
    QVERIFY(rig.RunUntilIdle());
    QCOMPARE(rig.Store.DeviceTable.At(30, 2), 2);
    QCOMPARE(third->face(), BmpButton::Face::Down);

    // Mode 10 (index 9): the seventh button reads "10"; pressing it asks for mode 10 again.
    auto* box = Child<ComboBox>(rig.Form, "SysModeBox");
    box->setCurrentIndex(9);
    rig.Modes.SysModeBoxChange();
    Child<BmpButton>(rig.Form, "SysLoadModeBtn")->click();
    QVERIFY(rig.RunUntilIdle());
    QCOMPARE(seventh->text(), QString("10"));
    QCOMPARE(seventh->face(), BmpButton::Face::Down);
    QCOMPARE(third->face(), BmpButton::Face::Normal);

    rig.Script.Answers = {false};
    rig.Model.ClearReceived();
    const qsizetype asked = rig.Script.Questions.size();
    seventh->click();
    QCOMPARE(rig.Script.Questions.size(), asked + 1);
    QVERIFY(rig.Script.Questions.last().second.startsWith("模式切换为10-"));
    QVERIFY(rig.ReceivedAt(kAddrRecall1).empty()); // answered No
    QCOMPARE(seventh->text(), QString("10"));      // refreshed all the same
}

void ModesControllerTest::saveUpdatesTheBankLists_data() {
    QTest::addColumn<int>("bank");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("bank 1, padded") << 1
                                    << QByteArray("\x01\x00"
                                                  "AB"
                                                  "                  ",
                                                  22);
    QTest::newRow("bank 2, as typed") << 2
                                      << QByteArray("\x01\x00"
                                                    "AB",
                                                    4);
}

// Saving mode 2 under the name AB sends the name frame, stores the mode in the device and,
// once the device has answered, refills the bank's lists with the new name at its line.
void ModesControllerTest::saveUpdatesTheBankLists() {
    QFETCH(int, bank);
    QFETCH(QByteArray, data);
    PresetRig rig;
    QVERIFY(rig.LinkUp());
    rig.Model.ClearReceived();

    auto* box = Child<ComboBox>(rig.Form, bank == 1 ? "SysModeBox" : "SysMode2Box");
    box->setCurrentIndex(1);
    bank == 1 ? rig.Modes.SysModeBoxChange() : rig.Modes.SysMode2BoxChange();
    Child<ValueEdit>(rig.Form, bank == 1 ? "PresetModeEdit" : "PresetMode2Edit")->setText("AB");
    Child<BmpButton>(rig.Form, bank == 1 ? "SysSaveModeBtn" : "SysSave2ModeBtn")->click();
    QCOMPARE(rig.Script.Questions.size(), 1);
    QCOMPARE(rig.Script.Questions[0].second, QString("保存当前模式为 2-AB?"));
    QCOMPARE(rig.Vars.LinkState, 0); // no poll and no write until the save completes
    QVERIFY(rig.RunUntilIdle());

    const auto frames = rig.ReceivedAt(bank == 1 ? kAddrNameWrite1 : kAddrNameWrite2);
    QCOMPARE(frames.size(), size_t(1));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(frames[0].data.data()),
                        qsizetype(frames[0].data.size())),
             data);
    QCOMPARE(QString::fromStdString(rig.Model.Mode(bank - 1, 1).name), QString("AB"));
    QCOMPARE(rig.LinkMessages, QList<QString>{"保存成功!"});
    const QStringList lists =
        bank == 1 ? QStringList{"SysModeBox"} : QStringList{"SysMode2Box", "SysMode3Box"};
    for (const QString& name : lists) {
        auto* list = Child<ComboBox>(rig.Form, name.toLatin1());
        QCOMPARE(list->count(), 16);
        QCOMPARE(list->itemText(1), QString("2-AB"));
        QCOMPARE(list->currentIndex(), 1);
    }
    if (bank == 2) // the bank-1 list keeps its names
        QCOMPARE(Child<ComboBox>(rig.Form, "SysModeBox")->itemText(1),
                 QString::fromStdString("2-" + rig.Vars.ModeNames[1]));
}

// Offline a save would send its name nowhere and later report a save that never happened.
void ModesControllerTest::offlineSaveSendsNothing() {
    PresetRig rig;
    auto* box = Child<ComboBox>(rig.Form, "SysModeBox");
    box->setCurrentIndex(1);
    rig.Modes.SysModeBoxChange();
    Child<ValueEdit>(rig.Form, "PresetModeEdit")->setText("AB");
    Child<BmpButton>(rig.Form, "SysSaveModeBtn")->click();
    QVERIFY(rig.Script.Questions.isEmpty());
    QCOMPARE(rig.Vars.PendingAction, 0);
    QVERIFY(rig.Fake.Sent().empty());
    QVERIFY(rig.Vars.ModeNames[1].empty());
}

QTEST_MAIN(ModesControllerTest)
#include "ModesController_test.moc"
