// Access locks: the link-password gate, the password change, the digit-only boxes and the
// hidden box with its access codes.
#include <QtTest>

#include "tests/app/SystemFixture.h"

using namespace dsp;
using namespace dsp::test;

class LockControllerTest : public QObject {
    Q_OBJECT
private slots:
    void gateRaisedOncePerLink_data();
    void gateRaisedOncePerLink();
    void panelLockSwitchedOnRaisesGateAtNextRefresh();
    void unlock_data();
    void unlock();
    void passwordChange();
    void passwordBoxesTakeDigitsOnly();
    void accessCodes_data();
    void accessCodes();
    void wrongCodeHidesHiddenPageButton();
};

void LockControllerTest::gateRaisedOncePerLink_data() {
    QTest::addColumn<int>("gateState");
    QTest::addColumn<int>("panelLock");
    QTest::addColumn<bool>("raised");
    QTest::newRow("loaded, locked") << 1 << 1 << true;
    QTest::newRow("loaded, unlocked") << 1 << 0 << false;
    QTest::newRow("link started, not loaded") << 0 << 1 << false;
    QTest::newRow("already raised this link") << 2 << 1 << false;
}

void LockControllerTest::gateRaisedOncePerLink() {
    QFETCH(int, gateState);
    QFETCH(int, panelLock);
    QFETCH(bool, raised);
    SystemFixture f;
    std::vector<int> opened;
    f.sys->Hooks().OpenPage = [&](int tag) { opened.push_back(tag); };
    f.form.pageState().LinkGateState = gateState;
    f.form.params().ViewTable.At(30, 4) = panelLock;

    QCOMPARE(f.sys->Locks().RaiseLinkGateIfDue(), raised);
    QCOMPARE(f.sys->Locks().GateShown(), raised);
    QCOMPARE(f.Find<QWidget>("FormPageItem")->isEnabled(), !raised);
    QCOMPARE(f.Find<QWidget>("AdvPanel1")->isEnabled(), !raised);
    QCOMPARE(f.Find<QWidget>("AdvPageControl1")->isEnabled(), !raised);
    if (raised) {
        QCOMPARE(f.form.pageState().LinkGateState, 2);
        QCOMPARE(opened, std::vector<int>{0});
        // Raised at most once per link.
        QVERIFY(!f.sys->Locks().RaiseLinkGateIfDue());
    }
}

void LockControllerTest::panelLockSwitchedOnRaisesGateAtNextRefresh() {
    SystemFixture f;
    f.GoOnline();
    f.form.pageState().LinkGateState = 1; // this link has loaded, the panel was not locked
    QVERIFY(!f.sys->Locks().RaiseLinkGateIfDue());
    f.Find<BmpButton>("SysPanelBtn2")->click();
    QCOMPARE(f.Writes(), (std::vector<Write>{{0x1E04, 1}}));
    QVERIFY(f.sys->Locks().RaiseLinkGateIfDue());
    QVERIFY(f.sys->Locks().GateShown());
}

void LockControllerTest::unlock_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("unlocks");
    QTest::newRow("correct") << "1234"
                             << "1234" << true;
    QTest::newRow("never received, empty typed") << ""
                                                 << "" << false;
    QTest::newRow("never received, digits typed") << ""
                                                  << "1234" << false;
    QTest::newRow("extra digit") << "1234"
                                 << "12345" << false;
    QTest::newRow("prefix") << "1234"
                            << "123" << false;
    QTest::newRow("wrong") << "1234"
                           << "4321" << false;
    QTest::newRow("received text not 4 long") << "12345"
                                              << "12345" << false;
}

void LockControllerTest::unlock() {
    QFETCH(QString, password);
    QFETCH(QString, typed);
    QFETCH(bool, unlocks);
    SystemFixture f;
    f.vars.LinkPassword = password.toStdString();
    f.form.pageState().LinkGateState = 1;
    f.form.params().ViewTable.At(30, 4) = 1;
    f.sys->Locks().RaiseLinkGateIfDue();

    auto* edit = f.Find<QLineEdit>("PanelPassWordEdit");
    // Tried twice: there is no retry limit.
    for (int attempt = 0; attempt < 2; ++attempt) {
        edit->setText(typed);
        f.sys->Locks().RzBmpButton4Click();
        QVERIFY(edit->text().isEmpty());
        if (unlocks)
            break;
    }
    QCOMPARE(f.sys->Locks().GateShown(), !unlocks);
    QCOMPARE(f.Find<QWidget>("FormPageItem")->isEnabled(), unlocks);
    QCOMPARE(f.Find<QWidget>("AdvPageControl1")->isEnabled(), unlocks);
    QCOMPARE(f.boxes.size(), size_t(unlocks ? 1 : 0));
    if (unlocks)
        QCOMPARE(f.boxes[0].text, QString("解锁成功!"));
}

void LockControllerTest::passwordChange() {
    SystemFixture f;
    f.GoOnline();
    f.vars.LinkPassword = "1234";
    auto* old = f.Find<QLineEdit>("PassPanelLabel1");
    auto* fresh = f.Find<QLineEdit>("NewPassLabel1");
    LockController& locks = f.sys->Locks();

    old->setText("1243");
    locks.RzBmpButton22Click();
    QVERIFY(!fresh->isEnabled());
    QCOMPARE(old->text(), QString("1243"));

    old->setText("1234");
    locks.RzBmpButton22Click();
    QVERIFY(fresh->isEnabled());
    QVERIFY(old->text().isEmpty());

    fresh->setText("567"); // not 4 characters: nothing happens
    locks.RzBmpButton23Click();
    QVERIFY(fresh->isEnabled());
    QVERIFY(f.StrWrites().empty());

    fresh->setText("5678");
    locks.RzBmpButton23Click();
    QVERIFY(!fresh->isEnabled());
    QVERIFY(fresh->text().isEmpty());
    QCOMPARE(f.vars.LinkPassword, std::string("5678"));
    const auto sent = f.StrWrites();
    QCOMPARE(sent.size(), size_t(1));
    QCOMPARE(sent[0].first, 0x1E05);
    QCOMPARE(sent[0].second, std::string("5678"));

    // The old password no longer opens the change.
    old->setText("1234");
    locks.RzBmpButton22Click();
    QVERIFY(!fresh->isEnabled());
}

void LockControllerTest::passwordBoxesTakeDigitsOnly() {
    SystemFixture f;
    for (const char* name : {"PanelPassWordEdit", "PassPanelLabel1", "NewPassLabel1"}) {
        auto* e = f.Find<QLineEdit>(name);
        e->setEnabled(true);
        QTest::keyClicks(e, "1a2 B-3");
        QCOMPARE(e->text(), QString("123"));
        QTest::keyClick(e, Qt::Key_Backspace);
        QCOMPARE(e->text(), QString("12"));
        // Pasted text passes the same filter.
        e->insert("9x");
        QCOMPARE(e->text(), QString("12"));
    }
    QVERIFY(LockController::SysPassEditKeyPress(QChar('\b')));
    QVERIFY(LockController::SysPassEditKeyPress(QChar('\r')));
    QVERIFY(!LockController::SysPassEditKeyPress(QChar(0x0661))); // Arabic-Indic one
}

void LockControllerTest::accessCodes_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("page");      // page opened, -1 none
    QTest::addColumn<bool>("micPages"); // hidden-page sub-buttons beyond music shown
    QTest::addColumn<bool>("boxStays");
    QTest::newRow("A") << "OPERATR2753" << 9 << false << false;
    QTest::newRow("B") << "operatr5286" << 9 << true << false;
    QTest::newRow("C") << "352617" << 12 << false << true;
    QTest::newRow("A in other case") << "operatr2753" << -1 << false << true;
    QTest::newRow("A with a space") << "OPERATR2753 " << -1 << false << true;
}

void LockControllerTest::accessCodes() {
    QFETCH(QString, code);
    QFETCH(int, page);
    QFETCH(bool, micPages);
    QFETCH(bool, boxStays);
    SystemFixture f;
    std::vector<int> opened;
    std::vector<int> subPages;
    f.sys->Hooks().OpenPage = [&](int tag) { opened.push_back(tag); };
    f.sys->Hooks().HintSubPage = [&](int tag) { subPages.push_back(tag); };
    f.Find<QWidget>("HintMicABtn")->setVisible(!micPages);

    f.form.LinkLabelDblClick();
    auto* box = f.Find<QLineEdit>("SysLogoEdit");
    QVERIFY(!box->isHidden());
    QTest::keyClicks(box, code);
    QTest::keyClick(box, Qt::Key_Return);

    QCOMPARE(opened, page < 0 ? std::vector<int>{} : std::vector<int>{page});
    QCOMPARE(!box->isHidden(), boxStays);
    QCOMPARE(!f.Find<QWidget>("SysLogoLabel")->isHidden(), boxStays);
    if (page == 9) {
        QVERIFY(!f.Find<QWidget>("FormHintTabBtn")->isHidden());
        QCOMPARE(subPages, std::vector<int>{0});
        for (const char* name : {"HintMicABtn", "HintMicBBtn", "HintSysBtn"})
            QCOMPARE(!f.Find<QWidget>(name)->isHidden(), micPages);
        if (!micPages)
            QVERIFY(f.Find<QWidget>("HintModePage")->isHidden());
    }
    if (page == 12)
        QVERIFY(!f.Find<QWidget>("HintAuxBtn")->isHidden());
}

void LockControllerTest::wrongCodeHidesHiddenPageButton() {
    SystemFixture f;
    f.form.LinkLabelDblClick();
    auto* box = f.Find<QLineEdit>("SysLogoEdit");
    box->setText("OPERATR2753");
    f.sys->Locks().SysLogoEditKeyPress(QChar('\r'));
    QVERIFY(!f.Find<QWidget>("FormHintTabBtn")->isHidden());

    f.form.LinkLabelDblClick(); // opening the box again hides the button
    box->setText("OPERATR2753");
    f.sys->Locks().SysLogoEditKeyPress(QChar('a')); // only Enter checks
    QVERIFY(f.Find<QWidget>("FormHintTabBtn")->isHidden());
    f.sys->Locks().SysLogoEditKeyPress(QChar('\r'));
    QVERIFY(!f.Find<QWidget>("FormHintTabBtn")->isHidden());

    box->show();
    box->setText("nope");
    f.sys->Locks().SysLogoEditKeyPress(QChar('\r'));
    QVERIFY(f.Find<QWidget>("FormHintTabBtn")->isHidden());
}

QTEST_MAIN(LockControllerTest)
#include "LockController_test.moc"
