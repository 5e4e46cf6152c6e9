// Editing handlers and value display on the main window of variant A, with a fake device.
#include <QScrollBar>
#include <QtTest>

#include "params/SectionMap.h"
#include "params/ValueFormat.h"
#include "tests/params/EditFixture.h"

using namespace dsp;
using namespace dsp::test;

class EditHandlersTest : public QObject {
    Q_OBJECT

private slots:
    void sliderShowsSendsAndLeavesTheEdits() {
        EditFixture f;
        f.GoOnline();
        auto* bar = f.W<TrackBar>("EchoTimeBar");
        bar->setPosition(100);
        QCOMPARE(f.W<StatusPane>("EchoTimePane")->text(), QString("200ms"));
        QCOMPARE(f.Writes(), (Writes{{3 * 256 + 5, 100}}));
        QCOMPARE(f.CurrentEdit()->objectName(), QString("Example"));
        // Arrow keys now do nothing: no edit is current.
        QTest::keyClick(f.W<ValueEdit>("MusFreEdit1"), Qt::Key_Up);
        QCOMPARE(f.Writes().size(), size_t(1));
    }

    void typeLabelSelectsTypeAndShowsTheLiveQ() {
        EditFixture f;
        f.View().At(0, 21) = 10; // band 2, Q of the peaking types
        f.View().At(0, 22) = 5;  // band 2, Q of the shelves
        f.GoOnline();
        QTest::mouseClick(f.W<TypeLabel>("MusLSQBtn2"), Qt::LeftButton);
        QCOMPARE(f.W<ComboBox>("MusModeBox2")->currentIndex(), 2);
        QCOMPARE(f.Writes(), (Writes{{18, 2}}));
        QCOMPARE(f.W<ValueEdit>("MusQEdit2")->text(), QString("0.53"));
        QVERIFY(f.W<TypeLabel>("MusLSQBtn2")->highlighted());
        QVERIFY(!f.W<TypeLabel>("MusPEQBtn2")->highlighted());
        QCOMPARE(f.Page().LastEditedAddress, 18);
        // Back to PEQ: the Q of offset 3 is shown again.
        QTest::mouseClick(f.W<TypeLabel>("MusPEQBtn2"), Qt::LeftButton);
        QCOMPARE(f.W<ValueEdit>("MusQEdit2")->text(), QString("0.71"));
    }

    void typeChangeDuringRefreshOnlyMarks() {
        EditFixture f;
        f.GoOnline();
        f.Page().SuppressSend = true;
        auto* box = f.W<ComboBox>("MusModeBox1");
        box->setCurrentIndex(3);
        f.pages.Handlers().MusModeBox1Change(box);
        f.Page().SuppressSend = false;
        QVERIFY(f.W<TypeLabel>("MusHSQBtn1")->highlighted());
        QVERIFY(f.Writes().empty());
    }

    void upInAFrequencyEditStepsTheBandGain() {
        EditFixture f;
        f.GoOnline();
        auto* freq = f.W<ValueEdit>("MusFreEdit3");
        QTest::mouseClick(freq, Qt::LeftButton);
        QCOMPARE(f.CurrentEdit(), freq);
        QVERIFY(f.Writes().empty()); // a click re-shows without sending
        QTest::keyClick(freq, Qt::Key_Up);
        const Address gain = 13 + 2 * 5 + 2;
        QCOMPARE(f.W<ValueEdit>("MusGainEdit3")->text(), QString("0.2dB"));
        QCOMPARE(f.Writes().back(), std::make_pair(gain, 121));
        QCOMPARE(f.CurrentEdit()->objectName(), QString("MusGainEdit3"));
        QCOMPARE(f.W<TrackBar>("MusEQGainBar3")->position(), 121);
        // Left in the gain edit steps the frequency down.
        QTest::keyClick(f.W<ValueEdit>("MusGainEdit3"), Qt::Key_Left);
        QCOMPARE(f.CurrentEdit()->objectName(), QString("MusFreEdit3"));
        QCOMPARE(f.Writes().back(), std::make_pair(gain - 1, 61));
    }

    void typedTextIsFilteredCommittedOrRestored() {
        EditFixture f;
        f.GoOnline();
        auto* freq = f.W<ValueEdit>("MusFreEdit1");
        QTest::mouseClick(freq, Qt::LeftButton);
        const QString before = freq->text();
        QTest::keyClicks(freq, "xyz");
        QCOMPARE(freq->text(), before); // letters never reach the edit
        freq->clear();
        f.pages.Handlers().MusFreEdit1Exit();
        QCOMPARE(freq->text(), before); // an emptied edit gets its text back
        QVERIFY(f.Writes().empty());

        freq->selectAll();
        QTest::keyClicks(freq, "1000");
        QTest::keyClick(freq, Qt::Key_Return);
        QCOMPARE(freq->text(), QString("1000Hz"));
        QCOMPARE(f.Writes(), (Writes{{14, 204}}));

        // An edit reached without a click falls back on its own text.
        auto* gain = f.W<ValueEdit>("MusGainEdit1");
        QTest::keyClicks(gain, "x");
        gain->clear();
        f.pages.Handlers().MusFreEdit1Exit();
        QCOMPARE(gain->text(), QString("0.0dB"));
        QCOMPARE(f.CurrentEdit(), gain);
        QTest::mouseClick(freq, Qt::LeftButton);

        // A number the scale cannot read (two points) restores the text and sends nothing.
        freq->setText("1.2.3");
        f.pages.Display().CommitEdit(kStepNone);
        QCOMPARE(freq->text(), QString("1000Hz"));
        QCOMPARE(f.Writes().size(), size_t(1));
    }

    void wheelStepsOnlyAfterAnEditClick() {
        EditFixture f;
        f.GoOnline();
        QVERIFY(!f.pages.Handlers().FormMouseWheel(120));
        QVERIFY(f.Writes().empty());
        QTest::mouseClick(f.W<ValueEdit>("MusGainEdit1"), Qt::LeftButton);
        QVERIFY(f.pages.Handlers().FormMouseWheel(-120));
        QCOMPARE(f.Writes(), (Writes{{15, 119}}));
        // A page change disarms the wheel.
        f.Click("FormMICATabBtn");
        QVERIFY(!f.pages.Handlers().FormMouseWheel(120));
    }

    void spinButtonsStepTheQWithinTheTypeRange() {
        EditFixture f;
        f.GoOnline();
        auto* spin = f.W<SpinButtons>("MusQUpDownBtn1");
        f.W<ValueEdit>("MusQEdit1")->setText("121.00"); // index 99
        emit spin->upRightClicked();
        emit spin->upRightClicked();
        QCOMPARE(f.W<ValueEdit>("MusQEdit1")->text(), QString("128.00"));
        QCOMPARE(f.Writes(), (Writes{{16, 100}, {16, 100}}));
        // A shelf band stops at index 24 (1.50).
        QTest::mouseClick(f.W<TypeLabel>("MusLSQBtn1"), Qt::LeftButton);
        f.W<ValueEdit>("MusQEdit1")->setText("1.60"); // index 24
        emit spin->upRightClicked();
        QCOMPARE(f.W<ValueEdit>("MusQEdit1")->text(), QString("1.60"));
        QCOMPARE(f.View().At(0, 17), 24);
    }

    void auxGainStepsByTheStepBoxAndStopsAtTheBoost() {
        EditFixture f;
        f.Click("FormAUXTabBtn");
        f.W<ComboBox>("AUXGainBox")->setCurrentIndex(2); // 0.6 dB
        f.View().At(SecAux, 31) = 124;                   // music bass: +0.8 dB at most
        f.View().At(SecAux, 32) = 100;
        // The second tab shows the gains in the AUX...2 edits.
        auto* edit = qobject_cast<ValueEdit*>(f.form.binding().CtrlBind(SecAux, 3));
        QVERIFY(edit);
        QTest::mouseClick(edit, Qt::LeftButton);
        f.pages.Handlers().FormMouseWheel(120);
        QCOMPARE(f.View().At(SecAux, 3), 123);
        f.pages.Handlers().FormMouseWheel(120);
        QCOMPARE(f.View().At(SecAux, 3), 124);
        QCOMPARE(edit->text(), QString("0.8dB"));
    }

    void muteAndPhaseButtonsToggleAndSend() {
        EditFixture f;
        f.Click("FormMAINTabBtn");
        f.GoOnline();
        auto* mute = f.W<BmpButton>("MainLmuteBtn");
        mute->setState(true);
        mute->click();
        QVERIFY(!mute->stateOn());
        auto* phase = f.W<BmpButton>("MainOutphasebtn");
        phase->click();
        QVERIFY(phase->stateOn());
        QCOMPARE(f.Writes(), (Writes{{5 * 256 + 17, 0}, {5 * 256 + 78, 1}}));
        // The device section is the output's set now shown (sing or disco).
        const int out = f.Page().OutputSection;
        QVERIFY(out == 5 || out == 6);
        QCOMPARE(f.Device().At(out, 17), 0);
        QCOMPARE(f.Device().At(out, 78), 1);
    }

    void filterTypeSendsAndRedrawsItsPseudoBand() {
        EditFixture f;
        std::vector<std::pair<int, int>> redraws;
        f.pages.Session().RedrawEQ = [&](int band, int section) {
            redraws.emplace_back(band, section);
        };
        f.GoOnline();
        auto* box = f.W<ComboBox>("MusLPTypeBox");
        box->setCurrentIndex(2);
        f.pages.Handlers().MainHPTypeBoxChange(box);
        QCOMPARE(f.Writes(), (Writes{{9, 2}}));
        QCOMPARE(redraws.back(), std::make_pair(11, 0));
    }

    void graphEditsGoThroughShowValue() {
        EditFixture f;
        f.GoOnline();
        const Address gain = 13 + 4 * 5 + 2; // music band 5
        QVERIFY(f.pages.IsEditBox(gain));
        QVERIFY(f.pages.Display().ShowValueAt(gain, 150));
        QCOMPARE(f.W<ValueEdit>("MusGainEdit5")->text(), QString("6.0dB"));
        QCOMPARE(f.W<TrackBar>("MusEQGainBar5")->position(), 150);
        QCOMPARE(f.Page().LastEditedAddress, gain);
        QCOMPARE(f.Page().LastEditedValue, 150);
        // A crossover frequency is shown in the pane of its slider.
        QVERIFY(f.pages.Display().ShowValueAt(8, 204));
        QCOMPARE(f.W<StatusPane>("MusHPFREPane")->text(), QString("1000Hz"));
        QCOMPARE(f.W<TrackBar>("MusHPFREBar")->position(), 204);
        QVERIFY(!f.pages.Display().ShowValueAt(11, 1)); // no control of its own
        QCOMPARE(f.Writes(), (Writes{{gain, 150}, {8, 204}}));
        f.pages.SelectEdit(gain - 1);
        QCOMPARE(f.CurrentEdit()->objectName(), QString("MusFreEdit5"));
    }

    void bandHighlightScrollsTheStrip() {
        EditFixture f;
        auto* bar = f.W<QScrollBar>("MusPanScrollBar");
        QCOMPARE(bar->value(), 0);
        QTest::mouseClick(f.W<ValueEdit>("MusFreEdit10"), Qt::LeftButton);
        QCOMPARE(bar->value(), 1);
        QCOMPARE(f.Page().SelectedBands[0], 9);
        QVERIFY(f.W<TypeLabel>("MusEQPointLabel10")->highlighted());
        QVERIFY(!f.W<TypeLabel>("MusEQPointLabel1")->highlighted());
        QTest::mouseClick(f.W<ValueEdit>("MusFreEdit1"), Qt::LeftButton);
        QCOMPARE(bar->value(), 0);
    }
};

QTEST_MAIN(EditHandlersTest)
#include "EditHandlers_test.moc"
