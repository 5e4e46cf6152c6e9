// Page refresh, EQ presets, the microphone link and copy to output, with a fake device.
#include <QMenu>
#include <QtTest>

#include "params/EqPresets.h"
#include "params/SectionMap.h"
#include "tests/params/EditFixture.h"

using namespace dsp;
using namespace dsp::test;

Q_DECLARE_METATYPE(dsp::Variant)

namespace {

int EqSlot(int section, int band, int offset) {
    return FirstEqSlot[size_t(section)] + 5 * band + offset;
}

} // namespace

class RefreshPageTest : public QObject {
    Q_OBJECT

private slots:
    void showLeavesEveryEqAtItsDefaults() {
        EditFixture f;
        for (int s : {0, 1, 2, 3, 4, 5, 12, 20, 21, 22, 24})
            for (int b = 0; b < BandCount[size_t(s)]; ++b) {
                const int c = EqClassOfSection(s);
                QCOMPARE(f.Device().At(s, EqSlot(s, b, 0)), 1);
                QCOMPARE(f.Device().At(s, EqSlot(s, b, 1)), DefaultBandFreq(c, b));
                QCOMPARE(f.Device().At(s, EqSlot(s, b, 2)), 120);
                QCOMPARE(f.Device().At(s, EqSlot(s, b, 4)), 16);
            }
        QCOMPARE(DefaultBandFreq(1, 19), 360);
        QCOMPARE(DefaultBandFreq(6, 4), 129);
        QCOMPARE(f.W<ValueEdit>("MusFreEdit2")->text(), QString("36.5Hz"));
        QCOMPARE(f.W<ValueEdit>("MusGainEdit2")->text(), QString("0.0dB"));
        QCOMPARE(f.W<ValueEdit>("MusQEdit2")->text(), QString("1.00"));
    }

    void refreshLoadsControlsAndSendsNothing() {
        EditFixture f;
        f.GoOnline();
        f.Device().At(3, 5) = 100; // echo time
        f.Device().At(3, 1) = 1;   // echo phase
        f.Device().At(0, 64) = 2;  // no valid sing/disco selection
        f.Device().At(0, 6) = 3;   // pitch
        f.Device().At(0, EqSlot(0, 4, 2)) = 150;
        f.pages.Refresh().RefreshPage(100);
        QVERIFY(f.Writes().empty());
        QCOMPARE(f.W<StatusPane>("EchoTimePane")->text(), QString("200ms"));
        QCOMPARE(f.W<TrackBar>("EchoTimeBar")->position(), 100);
        QVERIFY(f.W<BmpButton>("EchoEffPhaseBtn")->stateOn());
        QCOMPARE(f.W<StatusPane>("MusPitchPane")->text(), QString("-4"));
        QCOMPARE(f.W<ValueEdit>("MusGainEdit5")->text(), QString("6.0dB"));
        QCOMPARE(f.W<TrackBar>("MusEQGainBar5")->position(), 150);
        QCOMPARE(f.Page().SingDisco, 0);
        QVERIFY(!f.Page().Refreshing);
        QVERIFY(!f.Page().SuppressSend);
        // The refresh records no edit for the EQ graph.
        QCOMPARE(f.Page().LastEditedAddress, -1);
    }

    void refreshOfADeviceSectionTouchesNoControl() {
        EditFixture f;
        f.Device().At(3, 5) = 100;
        f.pages.Refresh().RefreshPage(2);
        QCOMPARE(f.W<TrackBar>("EchoTimeBar")->position(), 0);
    }

    void eqPassFollowsTheSectionAndIsOffOnTheUserLimitPage() {
        EditFixture f;
        f.Device().At(0, 12) = 1;
        f.pages.Refresh().RefreshPage(0);
        auto* pass = f.W<BmpButton>("MusEQAllpassBtn");
        QCOMPARE(pass->tag(), 12);
        QVERIFY(pass->stateOn());
        QVERIFY(!f.W<QWidget>("EQPassLabel")->isHidden());
        QVERIFY(!f.W<QWidget>("EQResetBtn")->isEnabled());
        f.Click("FormAUXTabBtn");
        QCOMPARE(pass->tag(), 21 * 256 + 0);
        QVERIFY(!pass->stateOn());
        QCOMPARE(f.Page().EqPassOf[21], 0);
    }

    void eqPassButtonSendsTheSectionsBypass() {
        EditFixture f;
        f.Click("FormEFFTabBtn");
        f.GoOnline();
        f.Click("MusEQAllpassBtn");
        QCOMPARE(f.Writes(), (Writes{{3 * 256 + 13, 1}}));
        QCOMPARE(f.Page().EqPassOf[3], 1);
        QVERIFY(!f.W<QWidget>("EQResetBtn")->isEnabled());
        f.Click("MusEQAllpassBtn");
        QVERIFY(f.W<QWidget>("EQResetBtn")->isEnabled());
    }

    void eqResetInDiscoWritesTheMappedSectionAndOneCommand() {
        EditFixture f;
        f.Device().At(0, 64) = 1;
        f.Device().At(0, 63) = 1;
        f.pages.Refresh().RefreshPage(100);
        f.Click("FormMAINTabBtn");
        QCOMPARE(f.Page().OutputSection, 6);
        const int gain = EqSlot(5, 3, 2);
        f.Device().At(5, gain) = 77; // the sing set must stay as it is
        f.Device().At(6, gain) = 77;
        f.GoOnline();
        f.pages.Presets().EQResetBtnClick();
        QCOMPARE(f.Device().At(6, gain), 120);
        QCOMPARE(f.Device().At(5, gain), 77);
        QCOMPARE(f.View().At(5, gain), 120); // the view follows through the rebuild
        QCOMPARE(f.Writes(), (Writes{{26 * 256 + 5, 1}}));
    }

    void microphoneLinkCopiesTheRowsOfMicOne() {
        EditFixture f;
        f.Click("FormMICATabBtn");
        for (int k = 0; k < 116; ++k) {
            f.Device().At(1, k) = k % 7;
            f.Device().At(2, k) = 99;
        }
        f.GoOnline();
        f.Click("SameBtn");
        QCOMPARE(f.Page().MicLink, 1);
        for (int k = 0; k < 115; ++k)
            QCOMPARE(f.Device().At(2, k), k == 13 ? 1 : k % 7); // 13: the link flag just sent
        QCOMPARE(f.Device().At(2, 115), 99);
        QCOMPARE(f.Writes(), (Writes{{1 * 256 + 13, 1}}));
        // Mic 2 while linked shows section 1.
        f.Device().At(1, 0) = 30;
        f.Click("FormMICBTabBtn");
        QCOMPARE(f.Page().MicSection, 1);
        QCOMPARE(f.Page().MicLink, 1);
        QCOMPARE(f.W<StatusPane>("MicInputGainPane")->text(), QString("5dB"));
        // Unlinking to mic 2 selects mic 2's page and section.
        f.Click("RightBtn");
        QCOMPARE(f.Page().MicLink, 2);
        QCOMPARE(f.Page().MicSection, 2);
        QCOMPARE(f.Page().CurrentPage, 3);
    }

    void singDiscoMovesAnOutputPageToTheOtherSectionOfItsPair() {
        EditFixture f;
        f.Device().At(0, 63) = 1;
        f.Click("FormCENTabBtn"); // SUR in variant A: sections 13, 14
        const int sheet = f.W<QTabWidget>("FormPageItem")->currentIndex();
        f.GoOnline();
        f.Click("DiscoModeBtn");
        QCOMPARE(f.Page().SingDisco, 1);
        QCOMPARE(f.Page().OutputSection, 14);
        QCOMPARE(f.Writes(), (Writes{{64, 1}}));
        f.Click("SingModeBtn");
        QCOMPARE(f.Page().OutputSection, 13);
        QCOMPARE(f.W<QTabWidget>("FormPageItem")->currentIndex(), sheet);
    }

    void automaticModeDisablesTheOutputControls() {
        EditFixture f;
        f.Click("FormMAINTabBtn");
        f.Click("AutoModeBtn");
        QCOMPARE(f.Page().ManualMode, 0);
        QVERIFY(!f.W<QWidget>("MainMusLevelBar")->isEnabled());
        QVERIFY(!f.W<QWidget>("MainEQGainBar1")->isEnabled());
        QVERIFY(!f.W<QWidget>("EQPassGrop")->isEnabled());
        f.Click("ManulModeBtn");
        QVERIFY(f.W<QWidget>("MainMusLevelBar")->isEnabled());
        QVERIFY(f.W<QWidget>("EQResetBtn")->isEnabled());
    }

    void copyToOutputUploadsBothSections() {
        EditFixture f;
        f.Device().At(0, 64) = 0;
        f.Click("FormMAINTabBtn"); // output 1, sections 5 and 6
        for (int k = 0; k < 79; ++k) {
            f.Device().At(5, k) = 10 + k;
            f.Device().At(6, k) = 20 + k;
        }
        // Onto itself: nothing.
        f.GoOnline();
        f.pages.Copy().CopyBtn1Click(5);
        QVERIFY(!f.vars.Timers.Timer3);
        // Onto output 4 (sections 11, 12): the tables, then both sections go to the device.
        f.pages.Copy().CopyBtn1Click(11);
        QCOMPARE(f.Device().At(11, 40), 50);
        QCOMPARE(f.Device().At(12, 40), 60);
        QVERIFY(f.vars.Timers.Timer3);
        for (int i = 0; i < 200 && f.vars.Timers.Timer3; ++i) {
            Timer3Tick(f.ctx);
            f.device.Deliver(f.ctx);
        }
        std::vector<int> sections;
        for (const auto& fr : f.device.frames)
            if (fr.address == kAddrBulkWrite)
                sections.push_back(fr.data[0]);
        QCOMPARE(sections, (std::vector<int>{11, 12}));
        QCOMPARE(f.device.table.At(12, 40), 60);
    }

    void copyWhileOfflineChangesTheTableOnly() {
        EditFixture f;
        f.Click("FormMAINTabBtn");
        f.Device().At(f.Page().OutputSection, 3) = 42;
        f.pages.Copy().CopyBtn1Click(19);
        QCOMPARE(f.Device().At(19 + f.Page().SingDisco, 3), 42);
        QVERIFY(!f.vars.Timers.Timer3);
        QVERIFY(f.device.frames.empty());
    }

    void linkGateSelectsMusicAndBlocksThePageButtons() {
        EditFixture f;
        f.Click("FormEFFTabBtn");
        f.Device().At(30, 4) = 1;
        f.Page().LinkGateState = 1;
        f.pages.LinkWentOnline();
        QCOMPARE(f.Page().LinkGateState, 2);
        QVERIFY(!f.W<QWidget>("FirstCheckGrop")->isHidden());
        QCOMPARE(f.Page().CurrentPage, 0);
        QVERIFY(!f.W<QWidget>("FormPageItem")->isEnabled());
        f.Click("FormMICATabBtn");
        QCOMPARE(f.Page().CurrentPage, 0);
        QVERIFY(!f.W<ToolButton>("FormMICATabBtn")->selectedLook());
        QVERIFY(f.W<ToolButton>("FormMusTabBtn")->selectedLook());
    }

    void aWholeLoadFillsThePagesWithoutSending() {
        EditFixture f;
        f.device.table.At(3, 5) = 100;
        f.device.table.At(0, 64) = 0;
        f.device.table.At(0, 13 + 5 + 2) = 130; // music band 2 gain
        f.vars.LineFree = true;
        DisCheckWindow(f.ctx, ModeLinkStart);
        for (int i = 0; i < 5000 && f.vars.Timers.Timer2; ++i) {
            f.device.Deliver(f.ctx);
            Timer2Tick(f.ctx);
        }
        QCOMPARE(f.vars.LinkState, 2);
        QCOMPARE(f.observer.onlineRefreshes, 1);
        f.device.frames.clear();
        f.pages.LinkWentOnline();
        QVERIFY(f.Writes().empty());
        QCOMPARE(f.W<StatusPane>("EchoTimePane")->text(), QString("200ms"));
        QCOMPARE(f.W<ValueEdit>("MusGainEdit2")->text(), QString("2.0dB"));
        QCOMPARE(f.Page().CurrentSection, 0);
        // Edits now go to the device.
        f.W<TrackBar>("EchoTimeBar")->setPosition(10);
        QCOMPARE(f.Writes(), (Writes{{3 * 256 + 5, 10}}));
    }

    void variantBOpensTheCopyMenuOnlyWithCtrl() {
        EditFixture f(Variant::B);
        f.Click("FormMAINTabBtn");
        f.pages.Copy().AdvTabSheet4_MainMouseDown(Qt::LeftButton, Qt::NoModifier);
        QVERIFY(!f.pages.Copy().MenuArmed());
        emit f.W<GroupBox>("OutLimiteGroup")->mousePressed(Qt::LeftButton, Qt::ControlModifier);
        QVERIFY(f.pages.Copy().MenuArmed());
        auto* menu = f.form.findChild<QMenu*>("CopyPopupMenu");
        QVERIFY(menu);
        f.Device().At(f.Page().OutputSection, 30) = 7;
        menu->actions().at(2)->trigger(); // "复制到输出 3": sections 9 and 10
        QVERIFY(!f.pages.Copy().MenuArmed());
        QCOMPARE(f.Device().At(9 + f.Page().SingDisco, 30), 7);
    }

    void leftRightSwitchIsVariantBs() {
        EditFixture a(Variant::A);
        a.Device().At(30, 3) = 0;
        a.pages.Refresh().RefreshPage(100);
        QCOMPARE(a.Device().At(30, 3), 1); // variant A always reports it set
        EditFixture b(Variant::B);
        b.Device().At(30, 3) = 0;
        b.pages.Refresh().RefreshPage(100);
        QCOMPARE(b.Device().At(30, 3), 0);
        QCOMPARE(b.W<BmpButton>("SysLRBtn1")->face(), BmpButton::Face::Down);
        b.Device().At(30, 3) = 1;
        b.pages.Refresh().RefreshPage(30);
        QCOMPARE(b.W<BmpButton>("SysLRBtn2")->face(), BmpButton::Face::Down);
        QCOMPARE(b.W<BmpButton>("SysLRBtn1")->face(), BmpButton::Face::Normal);
    }

    void systemItemsFollowTheDevice() {
        EditFixture f;
        f.Device().At(30, 2) = 6;
        f.Device().At(30, 20) = 9;
        f.Device().At(30, 21) = 1;
        f.Device().At(1, 115) = 33;
        f.vars.ModeNames[6] = "KTV";
        f.pages.Refresh().RefreshPage(100);
        QCOMPARE(f.W<BmpButton>("SysFactoryBtn7")->text(), QString("7"));
        QCOMPARE(f.W<QComboBox>("SysModeBox")->currentText(), QString("7-KTV"));
        QCOMPARE(f.W<QComboBox>("SysInputBox")->count(), 10);
        QVERIFY(f.W<QWidget>("SysHintLoadGrop")->isHidden());
        QCOMPARE(f.W<ValueEdit>("MICAEffectEdit")->text(), QString("33"));
    }
};

QTEST_MAIN(RefreshPageTest)
#include "RefreshPage_test.moc"
