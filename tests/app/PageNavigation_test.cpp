// Page navigation of both variants: page state, captions, group visibility; screenshots.
#include <QDir>
#include <QtTest>

#include "params/SectionMap.h"
#include "tests/params/EditFixture.h"

using namespace dsp;
using namespace dsp::test;

Q_DECLARE_METATYPE(dsp::Variant)

class PageNavigationTest : public QObject {
    Q_OBJECT

private slots:
    void selectPage_data() {
        QTest::addColumn<Variant>("variant");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("singDisco");
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("outputSection");
        QTest::addColumn<int>("sheet");
        QTest::addColumn<bool>("singDiscoGroup");
        // Variant A: outputs by role.
        QTest::newRow("A music") << Variant::A << "FormMusTabBtn" << 0 << 0x0000 << 5 << 0 << false;
        QTest::newRow("A main") << Variant::A << "FormMAINTabBtn" << 0 << 0x0503 << 5 << 3 << true;
        QTest::newRow("A main disco")
            << Variant::A << "FormMAINTabBtn" << 1 << 0x0503 << 6 << 3 << true;
        QTest::newRow("A centre") << Variant::A << "FormSURTabBtn" << 1 << 0x0503 << 12 << 3
                                  << true;
        QTest::newRow("A sub") << Variant::A << "FormOut4TabBtn" << 0 << 0x0503 << 9 << 3 << true;
        QTest::newRow("A rec") << Variant::A << "FormOut7TabBtn" << 1 << 0x0503 << 18 << 3 << true;
        QTest::newRow("A effect") << Variant::A << "FormEFFTabBtn" << 0 << 0x0302 << 5 << 2
                                  << false;
        QTest::newRow("A aux") << Variant::A << "FormAUXTabBtn" << 0 << 0x1506 << 5 << 6 << false;
        // Variant B: numbered outputs, pages 6 and 10 the other way round.
        QTest::newRow("B out 2") << Variant::B << "FormOut2TabBtn" << 0 << 0x0503 << 7 << 3 << true;
        QTest::newRow("B out 3") << Variant::B << "FormSURTabBtn" << 0 << 0x0503 << 9 << 3 << true;
        QTest::newRow("B out 4") << Variant::B << "FormOut4TabBtn" << 1 << 0x0503 << 12 << 3
                                 << true;
        QTest::newRow("B out 8") << Variant::B << "FormOut8TabBtn" << 0 << 0x0503 << 19 << 3
                                 << true;
        QTest::newRow("B mic 1") << Variant::B << "FormMICATabBtn" << 0 << 0x0101 << 5 << 1
                                 << false;
    }

    void selectPage() {
        QFETCH(Variant, variant);
        QFETCH(QString, button);
        QFETCH(int, singDisco);
        EditFixture f(variant);
        f.Device().At(0, 64) = singDisco;
        f.Device().At(0, 63) = 1;
        f.pages.Refresh().RefreshPage(100);
        f.Click(button.toLatin1().constData());
        QTEST(int(f.Page().CurrentEqAddress), "address");
        QTEST(f.Page().OutputSection, "outputSection");
        QTEST(f.W<QTabWidget>("FormPageItem")->currentIndex(), "sheet");
        QTEST(!f.W<QWidget>("SingleDiscoGrop")->isHidden(), "singDiscoGroup");
        QCOMPARE(f.Page().CurrentSection, f.Page().CurrentEqAddress / 256);
        QVERIFY(f.W<ToolButton>(button.toLatin1().constData())->selectedLook());
    }

    void captionsFollowThePageAndLanguage() {
        EditFixture f;
        f.Click("FormMAINTabBtn");
        QCOMPARE(f.W<BmpButton>("LeftBtn")->text(), QString("主左"));
        QCOMPARE(f.W<BmpButton>("LeftBtn")->hint(), QString("Main L"));
        QCOMPARE(f.W<BmpButton>("MainLmuteBtn")->text(), QString("左静音"));
        QVERIFY(!f.W<QWidget>("MainRmuteBtn")->isHidden());
        QCOMPARE(f.W<QWidget>("MainLmuteBtn")->x(), 18);
        f.Click("FormOut4TabBtn");
        QCOMPARE(f.W<BmpButton>("MainLmuteBtn")->text(), QString("超低静音"));
        QCOMPARE(f.W<TextLabel>("OutLDelayLabel")->text(), QString("超低延时"));
        QCOMPARE(f.W<BmpButton>("LeftBtn")->text(), QString());
        QVERIFY(f.W<QWidget>("MainRmuteBtn")->isHidden());
        QCOMPARE(f.W<QWidget>("MainLmuteBtn")->x(), 58);
        f.Page().UiLanguage = 0;
        f.Click("FormMICBTabBtn");
        QCOMPARE(f.W<BmpButton>("RightBtn")->text(), QString("MIC 2"));
        QCOMPARE(f.W<GroupBox>("AdvGroupBox1")->title(), QString("MiC 2 Limit"));
        QCOMPARE(f.W<GroupBox>("AdvGroupBox1")->hint(), QString("麦克风2压限"));
        QVERIFY(!f.W<QWidget>("CopyGrop")->isHidden());
    }

    void rightChannelFollowsTheStereoOutput() {
        EditFixture f;
        f.Device().At(0, 64) = 0;
        f.Device().At(7, 16) = 250; // Main R delay, sing set
        f.Device().At(15, 17) = 1;  // SUR R mute, sing set
        f.pages.Refresh().RefreshPage(100);
        f.Click("FormMAINTabBtn");
        QCOMPARE(f.W<TrackBar>("MainRdelayBar")->tag(), 7 * 256 + 16);
        QCOMPARE(f.W<StatusPane>("MainRdelayPane")->text(), QString("25.0ms"));
        f.Click("FormCENTabBtn");
        QCOMPARE(f.W<BmpButton>("MainRmuteBtn")->tag(), 15 * 256 + 17);
        QVERIFY(f.W<BmpButton>("MainRmuteBtn")->stateOn());
        // Moving the right delay writes the right-hand output.
        f.GoOnline();
        f.W<TrackBar>("MainRdelayBar")->setPosition(300);
        QCOMPARE(f.Writes(), (Writes{{15 * 256 + 16, 300}}));
    }

    void effectAndHiddenSubButtons() {
        EditFixture f;
        f.Click("FormEFFTabBtn");
        f.Click("RvbToolButton");
        QCOMPARE(f.Page().EffectSection, 4);
        QCOMPARE(f.Page().CurrentSection, 4);
        QCOMPARE(f.W<QTabWidget>("EffPageControl")->currentIndex(), 1);
        f.Click("FormMusTabBtn");
        f.Click("FormEFFTabBtn"); // the last effect sub-button is kept
        QCOMPARE(f.Page().CurrentSection, 4);

        f.W<QWidget>("FormHintTabBtn")->show();
        f.Click("FormHintTabBtn");
        f.Click("HintMusBtn");
        QCOMPARE(f.Page().HintSection, 22);
        QVERIFY(f.W<QWidget>("HintEQGroupBox3")->isHidden());
        f.Click("HintMicBBtn");
        QCOMPARE(f.Page().HintSection, 24);
        QVERIFY(!f.W<QWidget>("HintEQGroupBox5")->isHidden());
        QVERIFY(f.W<QWidget>("HintModePage")->isHidden());
    }

    // Screenshots of pages with values loaded: DSP_SHOTS=<folder> to write them.
    void screenshots() {
        const QString dir = qEnvironmentVariable("DSP_SHOTS");
        if (dir.isEmpty())
            QSKIP("DSP_SHOTS not set");
        QDir().mkpath(dir);
        for (Variant v : {Variant::A, Variant::B}) {
            EditFixture f(v);
            for (int k = 0; k < 79; ++k)
                f.Device().At(5, k) = (k * 37) % 200;
            for (int b = 0; b < 10; ++b) {
                f.Device().At(0, 13 + 5 * b + 2) = 90 + 8 * b;
                f.Device().At(5, 27 + 5 * b) = b % 4;
                f.Device().At(5, 27 + 5 * b + 2) = 150 - 6 * b;
            }
            f.Device().At(0, 64) = 0;
            f.Device().At(0, 63) = 1;
            f.Device().At(3, 5) = 100;
            f.Device().At(1, 0) = 28;
            f.pages.Refresh().RefreshPage(100);
            const char* tag = v == Variant::A ? "a" : "b";
            const std::pair<const char*, const char*> shots[] = {{"FormMusTabBtn", "music"},
                                                                 {"FormMICATabBtn", "mic"},
                                                                 {"FormEFFTabBtn", "effect"},
                                                                 {"FormMAINTabBtn", "output"},
                                                                 {"FormAUXTabBtn", "aux"}};
            for (const auto& [button, name] : shots) {
                f.Click(button);
                if (QString(name) == "music")
                    QTest::mouseClick(f.W<ValueEdit>("MusGainEdit3"), Qt::LeftButton);
                QVERIFY(f.form.grab().save(QString("%1/edit_%2_%3.png").arg(dir, tag, name)));
            }
        }
    }
};

QTEST_MAIN(PageNavigationTest)
#include "PageNavigation_test.moc"
