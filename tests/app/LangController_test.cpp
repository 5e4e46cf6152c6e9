// Language switching: the swap of caption and Hint, the fixed texts, the start-up choice and
// the language button.
#include <QMap>
#include <QtTest>

#include "app/LangTexts.h"
#include "tests/app/SystemFixture.h"

using namespace dsp;
using namespace dsp::test;

namespace {

struct Texts {
    QString caption;
    QString hint;
    bool operator==(const Texts&) const = default;
};

// Caption and Hint of every kit control of the window, by control.
QMap<QWidget*, Texts> Snapshot(QWidget* form) {
    QMap<QWidget*, Texts> m;
    for (QWidget* w : form->findChildren<QWidget*>())
        if (KitControl* k = AsKit(w))
            m.insert(w, {k->caption(), k->hint()});
    return m;
}

bool HasChinese(const QString& s) {
    for (QChar c : s)
        if (c.unicode() >= 0x3000)
            return true;
    return false;
}

QString Caption(QWidget* form, const char* name) {
    KitControl* k = AsKit(form->findChild<QWidget*>(name));
    return k ? k->caption() : QStringLiteral("<missing %1>").arg(name);
}

} // namespace

class LangControllerTest : public QObject {
    Q_OBJECT
private slots:
    void switchBackRestoresEveryText_data();
    void switchBackRestoresEveryText();
    void englishShowsNoChinese_data();
    void englishShowsNoChinese();
    void fixedTexts();
    void statusDialogFollows();
    void startLanguage_data();
    void startLanguage();
    void languageIdOfLocale_data();
    void languageIdOfLocale();
    void languageButton();
    void firstShowChoosesFromUserLocale();
    void localizedMessage();
};

void LangControllerTest::switchBackRestoresEveryText_data() {
    QTest::addColumn<int>("variant");
    QTest::newRow("A") << int(Variant::A);
    QTest::newRow("B") << int(Variant::B);
}

void LangControllerTest::switchBackRestoresEveryText() {
    QFETCH(int, variant);
    SystemFixture f{Variant(variant)};
    const auto designed = Snapshot(&f.form);
    LangController& lang = f.sys->Lang();

    lang.Translate(1); // the language shown: nothing changes
    QCOMPARE(Snapshot(&f.form), designed);

    lang.Translate(0);
    QCOMPARE(f.form.pageState().UiLanguage, 0);
    const auto english = Snapshot(&f.form);
    QVERIFY(english != designed);
    lang.Translate(0);
    QCOMPARE(Snapshot(&f.form), english);

    lang.Translate(1);
    lang.Translate(0);
    lang.Translate(1);
    const auto back = Snapshot(&f.form);
    for (auto it = designed.begin(); it != designed.end(); ++it)
        if (!(back.value(it.key()) == it.value()))
            QFAIL(qPrintable(QString("%1: '%2'/'%3' came back as '%4'/'%5'")
                                 .arg(it.key()->objectName(), it.value().caption, it.value().hint,
                                      back.value(it.key()).caption, back.value(it.key()).hint)));

    // Bitmap buttons keep their data Hints ("0", "1", …) through every switch.
    for (auto it = designed.begin(); it != designed.end(); ++it)
        if (qobject_cast<BmpButton*>(it.key()))
            QCOMPARE(english.value(it.key()).hint, it.value().hint);
}

void LangControllerTest::englishShowsNoChinese_data() {
    switchBackRestoresEveryText_data();
}

void LangControllerTest::englishShowsNoChinese() {
    QFETCH(int, variant);
    SystemFixture f{Variant(variant)};
    f.sys->Lang().Translate(0);
    QStringList chinese;
    for (QWidget* w : f.form.findChildren<QWidget*>()) {
        KitControl* k = AsKit(w);
        // Value controls show values; the value labels and status texts are set by the program.
        if (!k || qobject_cast<ComboBox*>(w) || qobject_cast<ValueEdit*>(w))
            continue;
        if (HasChinese(k->caption()))
            chinese << QString("%1 '%2'").arg(w->objectName(), k->caption());
    }
    for (QAction* a : f.form.findChildren<QAction*>())
        if (HasChinese(a->text()))
            chinese << QString("%1 '%2'").arg(a->objectName(), a->text());
    QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(", ")));

    f.sys->Lang().Translate(1);
    QCOMPARE(f.form.findChild<QAction*>("CopyBtn3")->text(), QString("复制到输出 3"));
    QCOMPARE(f.form.findChild<QAction*>("DeleteMenuItem")->text(), QString("刪除"));
}

void LangControllerTest::fixedTexts() {
    SystemFixture a(Variant::A);
    a.sys->Lang().Translate(0);
    QCOMPARE(Caption(&a.form, "MainRmuteBtn"), QString("R Mute"));
    QCOMPARE(Caption(&a.form, "SysLoadModeBtn"), QString("Load Mode"));
    QCOMPARE(Caption(&a.form, "RzBmpButton119"), QString("Load File data"));
    QCOMPARE(Caption(&a.form, "SysPanelBtn1"), QString("Disable"));
    QCOMPARE(Caption(&a.form, "LinkBtn"), QString("Link"));
    QCOMPARE(Caption(&a.form, "RzToolButton11"), QString("Chinese"));
    a.GoOnline();
    a.sys->Lang().Translate(1);
    QCOMPARE(Caption(&a.form, "LinkBtn"), QString("断开"));
    QCOMPARE(Caption(&a.form, "RzToolButton11"), QString("English"));

    SystemFixture b(Variant::B);
    b.sys->Lang().Translate(0);
    QCOMPARE(Caption(&b.form, "MainLmuteBtn"), QString("MUTE"));
    QCOMPARE(Caption(&b.form, "SysLRBtn1"), QString("Enable"));
    QCOMPARE(Caption(&b.form, "SysLRBtn2"), QString("Disable"));
    b.sys->Lang().Translate(1);
    QCOMPARE(Caption(&b.form, "MainLmuteBtn"), QString("静音"));
}

void LangControllerTest::statusDialogFollows() {
    SystemFixture f;
    KitControl* label = AsKit(f.form.findChild<QWidget*>("LinkLabel"));
    // A status text as the link sets it: the UI language's as caption, the other as Hint.
    label->setCaption("设备已连接");
    label->setHint("Online");
    f.sys->Lang().Translate(0);
    QCOMPARE(f.status.windowTitle(), QString("Device Staus"));
    QCOMPARE(f.status.WarnLabel()->text(), QString("Please Wait for a moment!"));
    // The dialog's status line is a copy of the main window's.
    QCOMPARE(f.status.LinkLabel()->text(), QString("Online"));
    f.sys->Lang().Translate(1);
    QCOMPARE(f.status.windowTitle(), QString("设备状态"));
    QCOMPARE(f.status.LinkLabel()->text(), label->caption());
}

void LangControllerTest::startLanguage_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("language");
    QTest::newRow("simplified") << "0804" << 1;
    QTest::newRow("traditional") << "0404" << 1;
    QTest::newRow("english") << "0409" << 0;
    QTest::newRow("hong kong id") << "0C04" << 0;
    QTest::newRow("german") << "0407" << 0;
    QTest::newRow("unknown") << "0000" << 0;
    QTest::newRow("empty") << "" << 0;
}

void LangControllerTest::startLanguage() {
    QFETCH(QString, id);
    QFETCH(int, language);
    SystemFixture f;
    f.sys->Lang().ChooseLanguage(id);
    QCOMPARE(f.form.pageState().UiLanguage, language);
    ToolButton* button = f.sys->Lang().LanguageButton();
    QCOMPARE(button->tag(), 1 - language);
    QCOMPARE(button->caption(), QString(language == 1 ? "English" : "Chinese"));
}

void LangControllerTest::languageIdOfLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("id");
    QTest::newRow("zh_CN") << "zh_CN"
                           << "0804";
    QTest::newRow("zh_SG") << "zh_SG"
                           << "0804";
    QTest::newRow("zh_TW") << "zh_TW"
                           << "0404";
    QTest::newRow("zh_HK") << "zh_HK"
                           << "0404";
    QTest::newRow("en_US") << "en_US"
                           << "0409";
    QTest::newRow("en_GB") << "en_GB"
                           << "0409";
    QTest::newRow("de_DE") << "de_DE"
                           << "0407";
    QTest::newRow("ja_JP") << "ja_JP"
                           << "0411";
}

void LangControllerTest::languageIdOfLocale() {
    QFETCH(QString, locale);
    QFETCH(QString, id);
    QCOMPARE(LanguageIdOf(QLocale(locale)), id);
}

void LangControllerTest::languageButton() {
    SystemFixture f;
    int reselects = 0;
    f.sys->Hooks().ReselectPage = [&] { ++reselects; };
    f.sys->Lang().ChooseLanguage("0804");
    ToolButton* button = f.sys->Lang().LanguageButton();
    button->click();
    QCOMPARE(f.form.pageState().UiLanguage, 0);
    QCOMPARE(button->tag(), 1);
    QCOMPARE(button->caption(), QString("Chinese"));
    button->click();
    QCOMPARE(f.form.pageState().UiLanguage, 1);
    QCOMPARE(button->tag(), 0);
    QCOMPARE(reselects, 2);
}

void LangControllerTest::firstShowChoosesFromUserLocale() {
    SystemFixture f;
    f.form.show();
    QVERIFY(f.form.Shown());
    const int lang = StartLanguageOf(UserLanguageId());
    QCOMPARE(f.form.pageState().UiLanguage, lang);
    QCOMPARE(f.sys->Lang().LanguageButton()->tag(), 1 - lang);
}

void LangControllerTest::localizedMessage() {
    SystemFixture f;
    f.sys->Messages().ShowLocalizedMessage("中文", "English");
    f.sys->Lang().Translate(0);
    f.sys->Messages().ShowLocalizedMessage("中文", "English");
    QCOMPARE(f.boxes.size(), size_t(2));
    QCOMPARE(f.boxes[0].caption, QString("提示"));
    QCOMPARE(f.boxes[0].text, QString("中文"));
    QCOMPARE(f.boxes[1].caption, QString("Confirm"));
    QCOMPARE(f.boxes[1].text, QString("English"));
    QVERIFY(!f.boxes[1].yesNo);
}

QTEST_MAIN(LangControllerTest)
#include "LangController_test.moc"
