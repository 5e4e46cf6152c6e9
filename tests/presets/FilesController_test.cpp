#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "forms/kit/Kit.h"
#include "link/Frames.h"
#include "params/SectionMap.h"
#include "presets/ParamFile.h"
#include "tests/presets/ModesFilesRig.h"

using namespace dsp;
using dsp::test::PresetRig;

namespace {

constexpr auto kWhole = ParamFileKind::WholeDevice;
constexpr auto kEq = ParamFileKind::HiddenEq;

// Every file below a folder, as relative paths.
QStringList FilesBelow(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

QString PathOf(const PresetRig& rig, ParamFileKind kind, const QString& name) {
    return QString::fromStdString(
        rig.Files.Folders().Folders.FileOf(kind, name.toStdString()).string());
}

QStringList ReadLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(f.readAll()).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void WriteLines(const QString& path, const QStringList& lines) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write((lines.join("\r\n") + "\r\n").toLatin1());
}

QString Plain(const QString& stored) {
    std::string plain;
    UnscrambleLine(stored.toStdString(), plain);
    return QString::fromStdString(plain);
}

QString Stored(const QString& plain) {
    return QString::fromStdString(ScrambleLine(plain.toStdString()));
}

// A rig whose files live in a fresh temporary program folder.
struct FileRig {
    QTemporaryDir program;
    PresetRig rig;
    FileRig() {
        rig.Script.Language = 0;
        rig.Files.PreparePresetFiles(program.path() + "/Mode");
    }
    void Type(ParamFileKind kind, const QString& name) { rig.Files.NameBox(kind)->setText(name); }
};

} // namespace

class FilesControllerTest : public QObject {
    Q_OBJECT
private slots:
    void saveThenLoadRoundTrips_data();
    void saveThenLoadRoundTrips();
    void badFilesAreRefusedAndSendNothing_data();
    void badFilesAreRefusedAndSendNothing();
    void badFileNamesWriteNothing_data();
    void badFileNamesWriteNothing();
    void overwriteAsksOncePerMatchingName();
    void listingClickAndKeys();
    void deleteFromThePopupMenu();
    void unwritableProgramFolderUsesAppData();
};

void FilesControllerTest::saveThenLoadRoundTrips_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("first"); // sections first .. last - 1 are restored
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("section"); // a section the venue changes
    QTest::newRow("whole device") << int(kWhole) << 0 << 22 << 5;
    QTest::newRow("hidden-page EQ") << int(kEq) << 22 << 25 << 23;
}

// A file saved from the linked device and loaded after the device has changed is downloaded
// into the device (the whole table, or the hidden page's sections) and restores its values.
void FilesControllerTest::saveThenLoadRoundTrips() {
    QFETCH(int, kind);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, section);
    const auto k = ParamFileKind(kind);
    FileRig f;
    PresetRig& rig = f.rig;
    QVERIFY(rig.LinkUp());
    const ParamTable saved = rig.Store.DeviceTable;

    f.Type(k, "Venue");
    rig.Files.SaveFile(k);
    QVERIFY(rig.Script.Messages.isEmpty());
    QVERIFY(rig.Script.Questions.isEmpty()); // a new name asks nothing
    QVERIFY(QFile::exists(PathOf(rig, k, "Venue")));
    QCOMPARE(rig.Files.FileNames(k), QStringList{"Venue"});

    // The venue changes the device from its front panel, and the tool reloads.
    rig.Model.Table().At(section, 1) += 3;
    rig.Model.Table().At(section, 20) += 1;
    rig.Run([](LinkContext& c) { DisCheckWindow(c, ModeReload); });
    QVERIFY(rig.RunUntilIdle());
    QVERIFY(rig.Store.DeviceTable.At(section, 1) != saved.At(section, 1));

    rig.Model.ClearReceived();
    f.Type(k, "Venue");
    rig.Files.LoadFile(k);
    QCOMPARE(rig.Script.Questions.size(), 1);
    QCOMPARE(rig.Script.Questions[0],
             qMakePair(QString("Confirm"), QString("Load File Data：Venue ?")));
    QVERIFY(rig.RunUntilIdle());
    QVERIFY(rig.Script.Messages.isEmpty());
    QVERIFY(!rig.ReceivedAt(kAddrBulkWrite).empty());
    for (int s = first; s < last; ++s)
        for (int t = 0; t < SlotCount[s]; ++t)
            QCOMPARE(rig.Model.Table().At(s, t), saved.At(s, t));
}

void FilesControllerTest::badFilesAreRefusedAndSendNothing_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("line"); // stored line replaced; negative: from the end
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("message");
    // Line 2 is "address value", both XORed with the line number 2.
    QTest::newRow("one value changed")
        << int(kWhole) << 2 << QString() << "Data file is corrupted!";
    QTest::newRow("EQ file with the whole-device version") << int(kEq) << 1 << "Velmo 89"
                                                           << "File format error!";
    QTest::newRow("line count wrong") << int(kWhole) << -2 << "Intoal: 7"
                                      << "Data file is corrupted!";
    QTest::newRow("not a number") << int(kEq) << 5 << "12 zz"
                                  << "'zz' is not a valid integer value";
}

// A damaged file changes nothing and sends nothing, and says why.
void FilesControllerTest::badFilesAreRefusedAndSendNothing() {
    QFETCH(int, kind);
    QFETCH(int, line);
    QFETCH(QString, plain);
    QFETCH(QString, message);
    const auto k = ParamFileKind(kind);
    FileRig f;
    PresetRig& rig = f.rig;
    QVERIFY(rig.LinkUp());
    f.Type(k, "Damaged");
    rig.Files.SaveFile(k);
    const QString path = PathOf(rig, k, "Damaged");
    QStringList lines = ReadLines(path);
    QVERIFY(lines.size() > 10);
    const int at = line >= 0 ? line : int(lines.size()) + line;
    if (plain.isEmpty()) {
        const QStringList fields = Plain(lines[at]).split(' ');
        plain = fields[0] + ' ' + QString::number(fields[1].toInt() ^ 1);
    }
    lines[at] = Stored(plain);
    WriteLines(path, lines);

    const ParamTable before = rig.Store.DeviceTable;
    rig.Fake.ClearSent();
    f.Type(k, "Damaged");
    rig.Files.LoadFile(k);
    QVERIFY(rig.RunUntilIdle());
    QCOMPARE(rig.Script.Messages.size(), 1);
    QCOMPARE(rig.Script.Messages[0].first, QString("Confirm"));
    QCOMPARE(rig.Script.Messages[0].second, message);
    QVERIFY(rig.Fake.Sent().empty());
    QVERIFY(rig.Store.DeviceTable == before);
}

void FilesControllerTest::badFileNamesWriteNothing_data() {
    QTest::addColumn<QString>("name");
    for (const char* n : {"../escape", "a/b", "a\\b", ".hidden", "..", "x..y", "c:d", "what?",
                          "tab\tname", "con", "trailing.", "trailing "})
        QTest::newRow(n) << QString::fromLatin1(n);
}

// A name that would leave the folder or that a file system refuses is refused with a message;
// nothing is written anywhere and nothing is asked.
void FilesControllerTest::badFileNamesWriteNothing() {
    QFETCH(QString, name);
    FileRig f;
    const QStringList before = FilesBelow(f.program.path());
    for (ParamFileKind k : {kWhole, kEq}) {
        f.Type(k, name);
        f.rig.Files.SaveFile(k);
        f.Type(k, name);
        f.rig.Files.LoadFile(k);
    }
    QCOMPARE(FilesBelow(f.program.path()), before);
    QVERIFY(f.rig.Script.Questions.isEmpty());
    QCOMPARE(f.rig.Script.Messages.size(), 4);
    QVERIFY(f.rig.Script.Messages[0].second.startsWith("Invalid file name"));
}

// Saving over a listed name asks once per matching entry; Cancel keeps the old file. A name
// differing in letter case is another name.
void FilesControllerTest::overwriteAsksOncePerMatchingName() {
    FileRig f;
    PresetRig& rig = f.rig;
    f.Type(kWhole, "Same");
    rig.Files.SaveFile(kWhole);
    const QString path = PathOf(rig, kWhole, "Same");
    WriteLines(path, {"old"});

    rig.Script.Answers = {false};
    f.Type(kWhole, "Same");
    rig.Files.SaveFile(kWhole);
    QCOMPARE(rig.Script.Questions.size(), 1);
    QCOMPARE(rig.Script.Questions[0],
             qMakePair(QString("*Confirm*"), QString("File already exists, overwrite it right?")));
    QCOMPARE(ReadLines(path), QStringList{"old"});

    f.Type(kWhole, "same");
    rig.Files.SaveFile(kWhole);
    QCOMPARE(rig.Script.Questions.size(), 1);

    f.Type(kWhole, "Same");
    rig.Files.SaveFile(kWhole); // answered OK
    QCOMPARE(rig.Script.Questions.size(), 2);
    QVERIFY(ReadLines(path).size() > 1000);

    // A file that appeared after the listing is not replaced silently either.
    QFile(PathOf(rig, kWhole, "Later")).open(QIODevice::WriteOnly);
    rig.Script.Answers = {false};
    f.Type(kWhole, "Later");
    rig.Files.SaveFile(kWhole);
    QCOMPARE(rig.Script.Questions.size(), 3);
    QCOMPARE(QFile(PathOf(rig, kWhole, "Later")).size(), 0);
}

// Listing fills the editor, the hidden list box and FileNames; a click puts the row's name
// (without a four-character extension) into the name box; keys cannot edit the list.
void FilesControllerTest::listingClickAndKeys() {
    FileRig f;
    PresetRig& rig = f.rig;
    for (const char* file : {"Zed.EQdt", "a.b.EQdt", "x.abcd.EQdt", "skip.Nddt"})
        QFile(QString::fromStdString(rig.Files.Folders().Folders.HintFolder.string()) + "/" + file)
            .open(QIODevice::WriteOnly);
    rig.Files.ListParamFiles(kEq);
    QCOMPARE(rig.Files.FileNames(kEq), (QStringList{"a.b", "x.abcd", "Zed"}));
    QTableWidget* list = rig.Files.ValueListEditor(kEq);
    QCOMPARE(list->rowCount(), 3);
    QCOMPARE(list->item(2, 1)->text(), QString("Zed"));
    QCOMPARE(rig.Files.NameBox(kEq)->text(), QString("a.b")); // the current row
    QCOMPARE(rig.Form.findChild<QListWidget*>("FileListBox2")->count(), 3);

    rig.Files.ValueListEditorClick(kEq, 1);
    QCOMPARE(rig.Files.NameBox(kEq)->text(), QString("x"));
    rig.Files.ValueListEditorClick(kEq, 0);
    QCOMPARE(rig.Files.NameBox(kEq)->text(), QString("a.b"));

    list->setCurrentCell(0, 1);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(list->rowCount(), 3);
}

// "刪除" of the whole-device list deletes the current row's file after showing its path.
void FilesControllerTest::deleteFromThePopupMenu() {
    FileRig f;
    PresetRig& rig = f.rig;
    for (const char* name : {"One", "Two"}) {
        f.Type(kWhole, name);
        rig.Files.SaveFile(kWhole);
    }
    QTableWidget* list = rig.Files.ValueListEditor(kWhole);
    list->setCurrentCell(1, 1);
    auto* menu = rig.Form.findChild<QMenu*>("DeletePopupMenu");
    QVERIFY(menu);
    menu->findChild<QAction*>("DeleteMenuItem")->trigger();
    QCOMPARE(rig.Script.Messages.size(), 1);
    QVERIFY(rig.Script.Messages[0].second.endsWith("Two.Nddt"));
    QVERIFY(!QFile::exists(PathOf(rig, kWhole, "Two")));
    QVERIFY(QFile::exists(PathOf(rig, kWhole, "One")));
    QCOMPARE(rig.Files.FileNames(kWhole), QStringList{"One"});
}

// A program folder that cannot hold the Mode folders (an installed program) gives the same
// folders in the user's application-data folder.
void FilesControllerTest::unwritableProgramFolderUsesAppData() {
    QTemporaryDir dir;
    QFile blocker(dir.path() + "/program");
    QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the program's folder would be
    blocker.close();
    PresetRig rig;
    const QString appData = dir.path() + "/appdata";
    rig.Files.PreparePresetFiles(dir.path() + "/program/Mode", appData);
    QVERIFY(rig.Files.Folders().InAppData);
    QVERIFY(rig.Files.Folders().Ready);
    QVERIFY(QFileInfo(appData + "/Mode/W4Mode").isDir());
    QVERIFY(QFileInfo(appData + "/Mode/HintMode").isDir());
    rig.Files.NameBox(kWhole)->setText("Home");
    rig.Files.SaveFile(kWhole);
    QVERIFY(QFile::exists(appData + "/Mode/W4Mode/Home.Nddt"));
}

QTEST_MAIN(FilesControllerTest)
#include "FilesController_test.moc"
