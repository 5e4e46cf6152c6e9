// The widget kit: the data each control carries and the signals handlers connect to.
#include <QtTest>

#include "forms/kit/Kit.h"
#include "forms/kit/Style.h"

using namespace dsp;

class KitTest : public QObject {
    Q_OBJECT

private slots:
    void languageSwapsOnlyTheSwappingKinds();
    void toggleStateLivesInHint();
    void editKeyFilterSeesKeysFirst();
    void clicksReachTheirSignals();
    void tabSheetCaptionIsItsTabText();
    void labelTextColourSurvivesTheWindowStyle();
};

void KitTest::languageSwapsOnlyTheSwappingKinds() {
    GroupBox group;
    group.setTexts("麦克风1压限", "MiC 1 Limit");
    group.showLanguage(1);
    QCOMPARE(group.title(), QString("麦克风1压限"));
    QCOMPARE(group.hint(), QString("MiC 1 Limit"));
    group.showLanguage(0);
    QCOMPARE(group.title(), QString("MiC 1 Limit"));
    QCOMPARE(group.hint(), QString("麦克风1压限"));

    // A bitmap button changes its caption but keeps the value in its Hint.
    BmpButton mute(BmpButton::Kind::Toggle);
    mute.setTexts("右静音", "R Mute");
    mute.setState(true);
    mute.showLanguage(0);
    QCOMPARE(mute.text(), QString("R Mute"));
    QCOMPARE(mute.hint(), QString("1"));
    // A fixed label (title, device texts) keeps its Hint too.
    TextLabel title(nullptr, false);
    title.setTexts("Sonaro 1.2.3", "Sonaro 1.2.3");
    title.setHint("Sonaro 1.1.3");
    title.showLanguage(0);
    QCOMPARE(title.hint(), QString("Sonaro 1.1.3"));
}

void KitTest::toggleStateLivesInHint() {
    BmpButton phase(BmpButton::Kind::Phase);
    QCOMPARE(phase.hint(), QString("0"));
    QVERIFY(!phase.stateOn());
    phase.setHint("1");
    QVERIFY(phase.stateOn());
    BmpButton push(BmpButton::Kind::Push);
    QVERIFY(push.hint().isEmpty());
}

void KitTest::editKeyFilterSeesKeysFirst() {
    ValueEdit edit;
    QStringList seen;
    edit.setKeyFilter([&](ValueEdit& e, QKeyEvent& k) {
        seen << k.text();
        return &e == &edit && !k.text().isEmpty() && !k.text()[0].isDigit();
    });
    QTest::keyClicks(&edit, "1a2");
    QCOMPARE(edit.text(), QString("12"));
    QCOMPARE(seen, QStringList({"1", "a", "2"}));
}

void KitTest::clicksReachTheirSignals() {
    ValueEdit edit;
    QSignalSpy clicked(&edit, &ValueEdit::clicked);
    QTest::mouseClick(&edit, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);

    TypeLabel mark(TypeLabel::Role::TypeMark);
    QSignalSpy markClicked(&mark, &TypeLabel::clicked);
    QTest::mouseClick(&mark, Qt::LeftButton);
    QTest::mouseClick(&mark, Qt::RightButton);
    QCOMPARE(markClicked.count(), 1);
    mark.setHighlighted(true);
    QVERIFY(mark.highlighted());

    SpinButtons spin;
    spin.resize(14, 20);
    QSignalSpy up(&spin, &SpinButtons::upRightClicked);
    QSignalSpy down(&spin, &SpinButtons::downLeftClicked);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(7, 3));
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(7, 17));
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(7, 16));
    QCOMPARE(up.count(), 1);
    QCOMPARE(down.count(), 2);
    spin.setEnabled(false);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(7, 3));
    QCOMPARE(up.count(), 1);

    TrackBar bar(Qt::Horizontal, 0, 84);
    QSignalSpy moved(&bar, &QSlider::valueChanged);
    bar.setPosition(90);
    QCOMPARE(bar.position(), 84);
    QCOMPARE(moved.count(), 1);
}

void KitTest::tabSheetCaptionIsItsTabText() {
    PageControl pages;
    auto* sheet = new TabSheet;
    sheet->setCaption("主控界面");
    pages.addSheet(sheet);
    QCOMPARE(pages.tabText(0), QString("主控界面"));
    sheet->setTexts("主控界面", "Main Setting");
    sheet->showLanguage(0);
    QCOMPARE(pages.tabText(0), QString("Main Setting"));
    QCOMPARE(sheet->hint(), QString("主控界面"));
    QCOMPARE(pages.sheet(0), sheet);
}

void KitTest::labelTextColourSurvivesTheWindowStyle() {
    QWidget window;
    window.setStyleSheet(kit::WindowStyleSheet());
    auto* label = new TextLabel(&window);
    label->setText("██████");
    label->setTextColor(QColor(0, 0x33, 0x99));
    label->resize(120, 20);
    window.resize(120, 20);
    const QImage image = window.grab().toImage();
    bool found = false;
    for (int y = 0; y < image.height() && !found; ++y)
        for (int x = 0; x < image.width() && !found; ++x)
            found = image.pixelColor(x, y) == QColor(0, 0x33, 0x99);
    QVERIFY(found);
}

QTEST_MAIN(KitTest)
#include "Kit_test.moc"
