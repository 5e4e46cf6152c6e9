// The link as the windows show it, against the in-process device: the link core's tick
// routines are run here one after the other (no waiting for timers), the device answers at
// once. Texts, colours, button looks, the status dialog, message boxes in both languages,
// the goodbye of the close button, the device identity and the pitch display.
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "LinkRig.h"
#include "link/Frames.h"
#include "link/HidTransport.h"
#include "params/SectionMap.h"
#include "sim/DeviceModel.h"
#include "sim/FakeDeviceTransport.h"

using namespace dsp;
using dsp::test::TunerWindows;

namespace {

// The windows with the in-process device behind the TCP link.
struct FakeRig : TunerWindows {
    sim::DeviceModel model;
    sim::FakeDeviceTransport fake;

    FakeRig(Variant variant, int uiLanguage, const LinkOptions& options = {})
        : TunerWindows(variant, uiLanguage, options), model(variant),
          fake(model, TransportKind::Tcp) {
        LinkDriver& d = Driver();
        d.SetTcpEnabled(false); // no socket: the fake is the link
        d.Ports().For(TransportKind::Tcp) = &fake;
        fake.SetReceiver([&d](std::span<const uint8_t> b) {
            d.Run([b](LinkContext& c) { ClientSocket1Read(c, b); });
        });
    }

    // One tick of the link timer that is on, then the device's answers. False when none is on.
    bool Step() {
        LinkDriver& d = Driver();
        const LinkTimers& t = d.Vars().Timers;
        if (t.Timer1)
            d.Run(Timer1Tick);
        else if (t.Timer2)
            d.Run(Timer2Tick);
        else if (t.Timer3)
            d.Run(Timer3Tick);
        else if (t.HoldTimer)
            d.Run(HoldTimerTick);
        else
            return false;
        fake.PumpAll();
        return true;
    }
    bool StepUntil(const std::function<bool()>& done, int maxSteps = 3000) {
        for (int i = 0; i < maxSteps && !done(); ++i) {
            if (!Step())
                break;
        }
        return done();
    }
    bool LinkUp() {
        Find<BmpButton>("LinkBtn")->click();
        return StepUntil([this] { return Driver().Online(); });
    }
    // Frames the tool wrote that match mode and address.
    int SentTo(uint8_t mode, Address address) const {
        int n = 0;
        for (const auto& f : fake.Sent())
            n += f.size() > 5 && f[3] == mode && f[4] == address / 256 && f[5] == address % 256;
        return n;
    }
};

// LinkLabel's text colour as #RRGGBB.
QString Colour(QWidget* w) {
    return w->palette().color(QPalette::WindowText).name().toUpper();
}

} // namespace

class LinkViewTest : public QObject {
    Q_OBJECT
private slots:
    void linkUpShowsEveryStage_data() {
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts"); // search, linking, online, link button
        QTest::addColumn<QString>("shot");
        QTest::newRow("A chinese")
            << int(Variant::A) << 1 << QStringList{"设备搜索...", "连接中...", "设备已连接", "断开"}
            << "link_online_A_zh";
        QTest::newRow("B english")
            << int(Variant::B) << 0 << QStringList{"Search...", "Linking...", "Online", "Unlink"}
            << "link_online_B_en";
    }
    void linkUpShowsEveryStage() {
        QFETCH(int, variant);
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        QFETCH(QString, shot);
        FakeRig rig(Variant(variant), language);
        auto* linkBtn = rig.Find<BmpButton>("LinkBtn");
        auto* unlinkBtn = rig.Find<BmpButton>("UnLinkBtn");
        auto* label = rig.Find<TextLabel>("LinkLabel");
        QProgressBar* progress = rig.form2.RzProgressStatus1();

        // At start: the idle pair, nothing shown.
        QCOMPARE(unlinkBtn->face(), BmpButton::Face::Down);
        QCOMPARE(linkBtn->caption(), QString(language ? "联机" : "link"));
        QVERIFY(!rig.form2.isVisible());

        linkBtn->click();
        QCOMPARE(label->caption(), texts[0]);
        QCOMPARE(linkBtn->caption(), texts[3]);
        QCOMPARE(linkBtn->face(), BmpButton::Face::StayDown);
        QCOMPARE(unlinkBtn->face(), BmpButton::Face::Normal);
        QVERIFY(linkBtn->isEnabled() && unlinkBtn->isEnabled());
        QVERIFY(rig.form2.isVisible());
        QCOMPARE(progress->value(), 0);
        QCOMPARE(rig.form2.LinkLabel()->caption(), texts[0]);
        rig.Step(); // no serial port: the first search tick goes to the network
        QCOMPARE(rig.form2.ComLabel()->caption(), QString("Network"));

        // Half way through the load: linking text in black, the dialog follows the steps.
        QVERIFY(rig.StepUntil([&] { return rig.Driver().Vars().StepPos >= 20; }));
        QCOMPARE(label->caption(), texts[1]);
        QCOMPARE(Colour(label), QString("#000000"));
        QVERIFY(rig.form2.isVisible());
        QVERIFY2(progress->value() > 30 && progress->value() < 70,
                 qPrintable(QString::number(progress->value())));
        QCOMPARE(rig.form2.LinkLabel()->caption(), texts[1]);
        QCOMPARE(rig.form2.WarnLabel()->caption(),
                 language ? QString("请稍等,可能需要几秒钟才能完成操作！")
                          : QString("Please Wait for a moment!"));
        rig.form2.close(); // closing it hides it until the next tick
        QVERIFY(!rig.form2.isVisible());
        rig.Step();
        QVERIFY(rig.form2.isVisible());
        test::SaveShot(rig.form2, "link_status_dialog_" + shot.section('_', 2));

        QVERIFY(rig.StepUntil([&] { return rig.Driver().Online(); }));
        QCOMPARE(label->caption(), texts[2]);
        QCOMPARE(label->hint(), language ? QString("Online") : QString("设备已连接"));
        QCOMPARE(Colour(label), QString("#003399"));
        QCOMPARE(linkBtn->caption(), texts[3]);
        QVERIFY(!rig.form2.isVisible());
        QCOMPARE(progress->value(), 100);
        QCOMPARE(rig.form2.LinkLabel()->caption(), texts[2]);
        QCOMPARE(rig.refreshes, 1);
        QVERIFY(rig.Driver().HoldTimer().isActive());
        // The device identity (asked for by the system page): four bytes as eight
        // upper-case hexadecimal digits.
        rig.Driver().Run([](LinkContext& c) { SendPacktData(c.Ports, WRRead, 0x1E40, {}); });
        rig.fake.PumpAll();
        const auto id = rig.model.Identity();
        QString hex;
        for (uint8_t b : id)
            hex += QString("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
        QCOMPARE(rig.Caption("DeviceIDLabel"), hex);
        QCoreApplication::processEvents();
        QVERIFY(rig.messages.isEmpty());
        test::SaveShot(rig.form1, shot);
    }

    // The knob on the device turns the pitch: the next status poll shows it, and nothing about
    // it is sent back.
    void pitchFromTheDeviceIsDisplayOnly() {
        FakeRig rig(Variant::A, 1);
        QVERIFY(rig.LinkUp());
        rig.StepUntil([&] { return rig.Driver().Vars().Queue.Empty(); });
        rig.fake.ClearSent();
        rig.model.TurnPitch(10);
        QVERIFY(rig.StepUntil([&] { return rig.Caption("MusPitchPane") == "3"; }, 200));
        QCOMPARE(rig.Find<TrackBar>("MusPitchBar")->position(), 10);
        QCOMPARE(rig.store.DeviceTable.At(SecMusic, 6), 10);
        QCOMPARE(rig.SentTo(WRWrite, SecMusic * 256 + 6), 0);
        QVERIFY(!rig.page.SetFromControl);
    }

    // The search tries each serial port of the list once, leaves the list without a
    // selection past its end, then goes to the network.
    void searchWalksTheSerialPortList() {
        LinkOptions options;
        options.SerialPorts << "/dev/dsp-test-no-such-port";
        FakeRig rig(Variant::A, 1, options);
        auto* box = rig.Find<ComboBox>("ComComboBox1");
        QCOMPARE(box->count(), 1);
        rig.Find<BmpButton>("LinkBtn")->click();
        QCOMPARE(rig.Driver().Ports().Transport, TransportKind::Serial);
        rig.Step();
        QCOMPARE(rig.form2.ComLabel()->caption(), QString("/dev/dsp-test-no-such-port"));
        QCOMPARE(box->currentIndex(), 0);
        rig.Step();
        QCOMPARE(box->currentIndex(), -1);
        rig.Step();
        QCOMPARE(rig.Driver().Ports().Transport, TransportKind::Tcp);
        QCOMPARE(rig.form2.ComLabel()->caption(), QString("Network"));
        QVERIFY(rig.StepUntil([&] { return rig.Driver().Online(); }));
    }

    void failuresTellTheUser_data() {
        QTest::addColumn<bool>("lost"); // lost while online, else a search that finds nothing
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("status");
        QTest::newRow("lost zh") << true << 1 << "提示"
                                 << "已断开连接!"
                                 << "设备未连接";
        QTest::newRow("lost en") << true << 0 << "Confirm"
                                 << "Off Line!"
                                 << "Off Line";
        QTest::newRow("failed zh") << false << 1 << "提示"
                                   << "连接失败!"
                                   << "设备未连接";
        QTest::newRow("failed en") << false << 0 << "Confirm"
                                   << "Off Line!"
                                   << "Off Line";
    }
    void failuresTellTheUser() {
        QFETCH(bool, lost);
        QFETCH(int, language);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QString, status);
        FakeRig rig(Variant::A, language);
        if (lost) {
            QVERIFY(rig.LinkUp());
            rig.fake.SetConnected(false); // the device falls silent
            // 5 idle seconds of 20 ms ticks, and not one tick less.
            for (int i = 0; i < 5 * 50 - 10; ++i)
                rig.Step();
            QVERIFY(rig.Driver().Online());
        } else {
            rig.fake.SetConnected(false);
            rig.Find<BmpButton>("LinkBtn")->click();
        }
        QVERIFY(rig.StepUntil(
            [&] {
                return !rig.Driver().Timer1().isActive() && !rig.Driver().HoldTimer().isActive();
            },
            400));
        QVERIFY(!rig.Driver().Online());
        QCOMPARE(rig.Caption("LinkLabel"), status);
        QCOMPARE(Colour(rig.Find("LinkLabel")), QString("#FF0000"));
        QCOMPARE(rig.Caption("LinkBtn"), QString(language ? "联机" : "link"));
        QCOMPARE(rig.Find<BmpButton>("UnLinkBtn")->face(), BmpButton::Face::Down);
        QVERIFY(!rig.form2.isVisible());
        // The box comes once the link routine has returned.
        QVERIFY(rig.messages.isEmpty());
        QTRY_COMPARE(rig.messages.size(), 1);
        QCOMPARE(rig.messages[0].Caption, caption);
        QCOMPARE(rig.messages[0].Text, text);
    }

    // The close button says goodbye only while online; the window closes either way and the
    // status dialog does not come back.
    void closeButtonSaysGoodbyeWhenOnline_data() {
        QTest::addColumn<bool>("online");
        QTest::newRow("online") << true;
        QTest::newRow("searching") << false;
    }
    void closeButtonSaysGoodbyeWhenOnline() {
        QFETCH(bool, online);
        FakeRig rig(Variant::B, 1);
        if (online)
            QVERIFY(rig.LinkUp());
        else
            rig.Find<BmpButton>("LinkBtn")->click();
        QVERIFY(rig.model.SessionOpen() == online);
        rig.fake.ClearSent();
        rig.Find<BmpButton>("RzBmpButton3")->click();
        rig.fake.PumpAll();
        QVERIFY(!rig.form1.isVisible());
        QVERIFY(!rig.form2.isVisible());
        QCOMPARE(rig.SentTo(WRWrite, kAddrHello), online ? 1 : 0);
        QVERIFY(!rig.model.SessionOpen());
        QVERIFY(!rig.Driver().Online());
        rig.Step(); // a search tick after the close leaves the status dialog hidden
        QVERIFY(!rig.form2.isVisible());
    }

    // UnLinkBtn while online: offline at once, the goodbye, the dialog hidden; the socket's
    // link stays as it is.
    void unlinkButtonSaysGoodbye() {
        FakeRig rig(Variant::A, 0);
        QVERIFY(rig.LinkUp());
        rig.fake.ClearSent();
        rig.Find<BmpButton>("UnLinkBtn")->click();
        QVERIFY(!rig.Driver().Online());
        QCOMPARE(rig.SentTo(WRWrite, kAddrHello), 1);
        QCOMPARE(rig.Caption("LinkLabel"), QString("Off Line"));
        QCOMPARE(rig.Caption("LinkBtn"), QString("link"));
        QVERIFY(!rig.Driver().HoldTimer().isActive());
        QCOMPARE(LinkButtonPairState(rig.Find("UnLinkBtn"), 0), 1);
        QCOMPARE(LinkButtonPairState(rig.Find("LinkBtn"), 0), 0);
        QCOMPARE(LinkButtonPairState(rig.Find("EQResetBtn"), 0), 0);
    }

    void optionsFillTheLinkControls_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QStringList>("serial");
        QTest::addColumn<QString>("flags"); // h no-hid, m no-modal, t trace
        QTest::newRow("none") << QStringList{} << "127.0.0.1"
                              << "8899" << QStringList{} << "";
        QTest::newRow("host and port")
            << QStringList{"--host", "127.0.0.1", "--port", "18899"} << "127.0.0.1"
            << "18899" << QStringList{} << "";
        QTest::newRow("two serial ports, flags")
            << QStringList{"--serial", "/dev/pts/77", "--no-hid", "--serial", "/dev/pts/78",
                           "--trace",  "--no-modal",  "--other",  "x"}
            << "127.0.0.1"
            << "8899" << QStringList{"/dev/pts/77", "/dev/pts/78"} << "hmt";
        QTest::newRow("value missing at the end") << QStringList{"--port"} << "127.0.0.1"
                                                  << "8899" << QStringList{} << "";
    }
    void optionsFillTheLinkControls() {
        QFETCH(QStringList, args);
        QFETCH(QString, host);
        QFETCH(QString, port);
        QFETCH(QStringList, serial);
        QFETCH(QString, flags);
        const LinkOptions o = ParseLinkOptions(QStringList{"dsptuner"} + args);
        QCOMPARE(o.NoHid, flags.contains('h'));
        QCOMPARE(o.NoModal, flags.contains('m'));
        QCOMPARE(o.Trace, flags.contains('t'));
        TunerWindows w(Variant::A, 1, o);
        QCOMPARE(w.Find<ValueEdit>("IPstrEdit")->text(), host);
        QCOMPARE(w.Find<ValueEdit>("IPPortStrEdit")->text(), port);
        QCOMPARE(w.Driver().TcpHost(), host);
        QCOMPARE(w.Driver().TcpPortText(), port);
        auto* box = w.Find<ComboBox>("ComComboBox1");
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        QCOMPARE(items, serial);
        QCOMPARE(box->currentIndex(), serial.isEmpty() ? -1 : 0);
        // The address box is read again before every connect.
        w.Find<ValueEdit>("IPPortStrEdit")->setText("9");
        QCOMPARE(w.Driver().TcpPortText(), QString("9"));
    }

    void historyListAndClear() {
        TunerWindows w(Variant::A, 1);
        QListWidget* list = w.form3.HistoryListBox();
        emit w.Driver().Hid().HistoryLine("Removal of X");
        emit w.Driver().Hid().HistoryLine("READ ERROR: gone (5)");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->currentRow(), 1);
        QCOMPARE(list->item(1)->text(), QString("READ ERROR: gone (5)"));
        w.form3.findChild<QPushButton*>("Button3")->click();
        QCOMPARE(list->count(), 0);
        QVERIFY(!w.form3.isVisible());
    }
};

QTEST_MAIN(LinkViewTest)
#include "LinkView_test.moc"
