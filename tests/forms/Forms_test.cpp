// The forms of both variants: the controls the window must have, their designed properties,
// both texts of every text-bearing control, and a layout in which nothing is clipped or
// overlapping on any page, in either language.
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "PageTour.h"
#include "eq/EqGraphPlot.h"

using namespace dsp;

Q_DECLARE_METATYPE(dsp::Variant)

namespace {

// The longest text each FormatCode shows, so the value displays can be checked for room.
QString LongestText(int code) {
    switch (code) {
    case 0:
        return "84";
    case 2:
    case 6:
        return "20200Hz";
    case 3:
        return "-24.0dB";
    case 4:
        return "128.00";
    case 5:
        return "-10.0dB";
    case 9:
        return "200%";
    case 10:
        return "-50%";
    case 12:
        return "5000ms";
    case 14:
        return "-20dBu";
    case 11:
        return "500ms";
    case 15:
        return "100";
    case 16:
        return "Atk x 32";
    case 17:
        return "400ms";
    case 18:
        return "100.0ms";
    case 24:
        return "-90dB";
    case 28:
        return "-12.0dB";
    default:
        return "100%";
    }
}

// Problems of one arrangement: a control outside its parent, two sibling controls on top of
// each other, or a text wider than its control.
QStringList LayoutProblems(QWidget* form) {
    QStringList problems;
    QHash<QWidget*, QList<QWidget*>> byParent;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(form) || !AsKit(w) || w->width() == 0)
            continue;
        const QString name = w->objectName();
        QWidget* p = w->parentWidget();
        if (!p->rect().contains(w->geometry()))
            problems << name + " outside " + p->objectName();
        byParent[p] << w;

        QString text;
        int room = w->width();
        if (auto* l = qobject_cast<TextLabel*>(w); l && !l->wordWrap())
            text = l->text();
        else if (auto* b = qobject_cast<BmpButton*>(w))
            text = b->text(), room -= 4;
        else if (auto* t = qobject_cast<ToolButton*>(w))
            text = t->text(), room -= 4;
        else if (auto* g = qobject_cast<GroupBox*>(w))
            text = g->title(), room -= 20;
        else if (auto* pane = qobject_cast<StatusPane*>(w))
            text = pane->text().isEmpty() ? LongestText(pane->hint().toInt()) : pane->text(),
            room -= 4;
        else if (auto* e = qobject_cast<ValueEdit*>(w); e && !e->hint().isEmpty())
            text = LongestText(e->hint().toInt()), room -= 8;
        if (!text.isEmpty()) {
            QFont f = w->font();
            if (qobject_cast<ToolButton*>(w))
                f.setBold(true);
            if (QFontMetrics(f).horizontalAdvance(text) > room)
                problems << QString("%1 text '%2' clipped").arg(name, text);
        }
    }
    for (auto it = byParent.begin(); it != byParent.end(); ++it) {
        const QList<QWidget*>& kids = it.value();
        for (int i = 0; i < kids.size(); ++i)
            for (int j = i + 1; j < kids.size(); ++j)
                if (kids[i]->geometry().intersects(kids[j]->geometry()))
                    problems << kids[i]->objectName() + " overlaps " + kids[j]->objectName();
    }
    return problems;
}

} // namespace

class FormsTest : public QObject {
    Q_OBJECT

private slots:
    void variants_data();
    void namedControlsExist_data() { variants_data(); }
    void namedControlsExist();
    void designedProperties_data() { variants_data(); }
    void designedProperties();
    void textBearingControlsCarryBothLanguages_data() { variants_data(); }
    void textBearingControlsCarryBothLanguages();
    void bandStrips_data() { variants_data(); }
    void bandStrips();
    void graphPanelGeometry();
    void nothingClippedOrOverlapping_data() { variants_data(); }
    void nothingClippedOrOverlapping();
};

void FormsTest::variants_data() {
    QTest::addColumn<Variant>("variant");
    QTest::newRow("A") << Variant::A;
    QTest::newRow("B") << Variant::B;
}

void FormsTest::namedControlsExist() {
    QFETCH(Variant, variant);
    TForm1 f(variant);
    const char* names[] = {
        // title bar, channel area, settings area, gate, hidden controls
        "Image2", "RzLabel9", "SysLogoLabel", "SysLogoEdit", "RzBmpButton1", "RzBmpButton2",
        "RzBmpButton3", "MainGroupBox", "FormPageItem", "AdvPanel1", "AdvPanel2", "Image1",
        "EQPassLabel", "EQlabel", "RzGroupBox17", "LinkBtn", "UnLinkBtn", "RzToolButton11",
        "LinkLabel", "SingleDiscoGrop", "EQPassGrop", "CopyGrop", "RzGroupBox2", "AdvPageControl1",
        "FirstCheckGrop", "RzStatusPane2", "PanelPassWordEdit", "RzBmpButton4", "Example",
        "Examplexx", "ExampleBtn", "ExampleBtn2", "RzGroupBox10", "MusEQTrackBar1", "ComComboBox1",
        "DeletePopupMenu", "PopupMenu2", "CopyPopupMenu",
        // sheets and inner page controls
        "AdvTabSheet1_mus", "AdvTabSheet2_mic", "AdvTabSheet3_Eff", "AdvTabSheet4_Main",
        "AdvTabSheet5_Center", "AdvTabSheet6_REC", "AdvTabSheet7_sur", "AdvTabSheet8_Sys",
        "AdvTabSheet9_DEQ", "EffPageControl", "AdvTabSheet4", "AdvTabSheet5", "AuxPageCtrol",
        "TabSheet1", "TabSheet2", "AdvTabSheet1", "AdvTabSheet2", "AdvTabSheet3",
        // buttons and groups the handlers use
        "EchoAToolButton", "EchoBToolButton", "RvbToolButton", "HintMusBtn", "HintMicABtn",
        "HintMicBBtn", "HintSysBtn", "HintModePage", "HintEQGroupBox3", "HintEQGroupBox5",
        "LeftBtn", "SameBtn", "RightBtn", "AutoModeBtn", "ManulModeBtn", "SingModeBtn",
        "DiscoModeBtn", "EQResetBtn", "PinPPBtn", "PinDCFBtn", "AdvGroupBox1", "AdvGroupBox16",
        "AdvGroupBox6", "AdvGroupBox7", "AdvGroupBox21", "AdvGroupBox34", "OutLimiteGroup",
        "OutLHPGroup", "OutLDelayLabel", "MainLmuteBtn", "InputLabel", "MusScrollBox",
        "MicScrollBox", "EffScrollBox", "RvbScrollBox", "MainScrollBox", "MusPanScrollBar",
        "MicPanScrollBar", "EchoPanScrollBar", "RvbPanScrollBar", "MainPanScrollBar",
        // settings
        "MusMaxImage", "MicMaxImage", "EffMaxImage", "MusStartImage", "MicStartImage",
        "EffStartImage", "musLabel", "micLabel", "EffLabel", "SysFactoryBtn", "SysFactoryBtn7",
        "AdvGroupBox25", "PassPanelLabel1", "NewPassLabel1", "RzBmpButton22", "RzBmpButton23",
        "SysPanelBtn1", "SysPanelBtn2", "IPstrEdit", "IPPortStrEdit", "PresetModeEdit",
        "SysLoadModeBtn", "SysSaveModeBtn", "ValueListEditor1", "FileListBox1", "FileEdit",
        "RzBmpButton119", "RzBmpButton120", "RzBmpButton24", "RzBmpButton25", "SysUserBtn",
        "SysManagerBtn", "RzBmpButton118", "SysHintLoadGrop", "SysMode3Box", "PresetMode3Edit",
        "SysLoad3ModeBtn", "PresetMode2Edit", "SysLoad2ModeBtn", "SysSave2ModeBtn",
        "ValueListEditor2", "FileListBox2", "FileEdit2", "HintSavetoPCBtn", "HintLoadPCBtn",
        "SysVolRunBtn1", "SysVolRunBtn2", "BlueStrLabel", "BlueNameEdit", "RzBmpButton5",
        "DeviceIDLabel", "Timer1", "Timer2"};
    for (const char* name : names)
        QVERIFY2(f.findChild<QObject*>(name), name);
    for (int n = 1; n <= 8; ++n)
        QVERIFY(f.findChild<QAction*>(QString("CopyBtn%1").arg(n)));
    const bool a = variant == Variant::A;
    for (const char* name : {"MainRdelayBar", "MainRdelayPane", "MainRmuteBtn", "OutRDelayLabel",
                             "SysCenRoutingBox", "SysSubRoutingBox"})
        QVERIFY2(bool(f.findChild<QWidget*>(name)) == a, name);
    for (const char* name : {"SysLRBtn1", "SysLRBtn2", "EchoDirectLevelBar", "MainMusRLevelBar",
                             "MainMicBPhaseBtn", "MainRvbRLevelPane"})
        QVERIFY2(bool(f.findChild<QWidget*>(name)) == !a, name);
}

void FormsTest::designedProperties() {
    QFETCH(Variant, variant);
    const bool a = variant == Variant::A;
    TForm1 f(variant);
    QCOMPARE(f.size(), QSize(1205, 609));
    QVERIFY(f.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(f.palette().color(QPalette::Window), QColor(Qt::white));

    auto* title = f.findChild<TextLabel*>("RzLabel9");
    QCOMPARE(title->text(), QString(a ? "Sonaro 1.2.3" : "Sonaro 1.1.10"));
    QCOMPARE(title->hint(), QString(a ? "Sonaro 1.1.3" : "Sonaro 1.0.8"));
    QCOMPARE(f.findChild<ValueEdit*>("IPstrEdit")->text(), QString("127.0.0.1"));
    QCOMPARE(f.findChild<ValueEdit*>("IPPortStrEdit")->text(), QString("8899"));
    auto* gatePass = f.findChild<ValueEdit*>("PanelPassWordEdit");
    QCOMPARE(gatePass->maxLength(), 6);
    QCOMPARE(gatePass->echoMode(), QLineEdit::Password);
    QVERIFY(f.findChild<QWidget*>("FirstCheckGrop")->isHidden());
    QVERIFY(f.findChild<QWidget*>("SysLogoEdit")->isHidden());

    // Page buttons: Tag, texts and start visibility per variant.
    struct Page {
        const char* name;
        int tag;
        const char* zh;
        bool visible;
    };
    const Page pagesA[] = {{"FormSURTabBtn", 6, "中置", true},
                           {"FormOut4TabBtn", 10, "超低", true},
                           {"FormOut2TabBtn", 1, "输出2", false},
                           {"FormHintTabBtn", 9, "隐藏", false},
                           {"HintAuxBtn", 12, "辅助", false}};
    const Page pagesB[] = {{"FormSURTabBtn", 6, "输出3", true},
                           {"FormOut4TabBtn", 10, "输出4", true},
                           {"FormOut2TabBtn", 1, "输出2", true},
                           {"FormHintTabBtn", 9, "隐藏", false},
                           {"HintAuxBtn", 12, "辅助", false}};
    for (const Page& p : a ? pagesA : pagesB) {
        auto* b = f.findChild<ToolButton*>(p.name);
        QCOMPARE(b->tag(), p.tag);
        QCOMPARE(b->text(), QString(p.zh));
        QVERIFY2(!b->isHidden() == p.visible, p.name);
    }

    // Slider ranges and value-display codes.
    const struct {
        const char* bar;
        int max;
        const char* pane;
        const char* code;
    } bars[] = {{"MusPitchBar", 14, "MusPitchPane", "21"},
                {"MicNoiseLevelBar", 60, "MicNoiseLevelPane", "24"},
                {"MicRmsRatioBar", 40, "MicRmsRatioPane", "15"},
                {"EchoPreDelayBar", 250, "EchoPreDelayPane", "26"},
                {"EchoRPreDelayBar", 50, "EchoRPreDelayPane", "8"},
                {"RvbTimeBar", 80, "RvbTimePane", "12"},
                {"MainMusLevelBar", 200, "MainMusLevelPane", "9"},
                {"MainLdelayBar", 1000, "MainLdelayPane", "18"},
                {"MainOutLevelBar", 100, "MainOutLevelPane", "9"},
                {"MainRmsLevelBar", 34, "MainRmsLevelPane", "14"},
                {"MusHPFREBar", 360, "MusHPFREPane", "6"},
                {"SysMusNormalVolBar", 84, "SysMusNormalVolPane", "0"}};
    for (const auto& b : bars) {
        QCOMPARE(f.findChild<TrackBar*>(b.bar)->maximum(), b.max);
        QCOMPARE(f.findChild<StatusPane*>(b.pane)->hint(), QString(b.code));
    }
    QCOMPARE(f.findChild<TrackBar*>("MusEQTrackBar1")->maximum(), 361);
    QCOMPARE(f.findChild<TrackBar*>("SysMusNormalVolBar")->hint(), QString("0"));
    QCOMPARE(f.findChild<TrackBar*>("SysMusStartVolBar")->hint(), QString("1"));
    QCOMPARE(f.findChild<TrackBar*>("SysMusMaxVolBar")->hint(), QString("2"));
    for (const char* edit : {"MusFreEdit3", "MicGainEdit20", "HintQEdit5", "MusGain1Edit",
                             "AUXMUSBassMaxAddEdit", "AUXMICMidMaxDecEdit", "MICBEffectEdit"}) {
        const QString code = f.findChild<ValueEdit*>(edit)->hint();
        QVERIFY2(QStringList({"2", "3", "4", "5", "27", "28", "29"}).contains(code), edit);
    }
    auto* mode = f.findChild<ComboBox*>("RvbModeBox4");
    QCOMPARE(mode->count(), 4);
    QCOMPARE(mode->itemText(3), QString("HSEQ"));
    QCOMPARE(f.findChild<ComboBox*>("MicHPTypeBox")->hint(), QString("20"));
    QCOMPARE(f.findChild<ComboBox*>("MainLPTypeBox")->itemText(2), QString("Butterworth"));
    QCOMPARE(f.findChild<ComboBox*>("AUXGainBox")->itemText(4), QString("1.0"));
    QCOMPARE(f.findChild<BmpButton*>("SysFactoryBtn7")->text(), QString("..."));
    QVERIFY(f.findChild<ToolButton*>("EchoBToolButton")->isHidden());

    auto* copy = f.findChild<QMenu*>("CopyPopupMenu");
    QCOMPARE(copy->actions().size(), 8);
    for (int n = 1; n <= 8; ++n)
        QCOMPARE(f.findChild<QAction*>(QString("CopyBtn%1").arg(n))->data().toInt(), 3 + 2 * n);

    QCOMPARE(f.Timer1()->interval(), 10);
    QVERIFY(!f.Timer1()->isActive());
    QCOMPARE(f.Timer2()->interval(), 3600000);
    QVERIFY(!f.Timer2()->isActive());

    auto* settings = f.findChild<QTabWidget*>("AdvPageControl1");
    QCOMPARE(settings->count(), 3);
    QCOMPARE(settings->tabText(0), QString("主控界面"));
    QCOMPARE(f.findChild<TabSheet*>("AdvTabSheet2")->hint(), QString("System setting"));
    QCOMPARE(f.findChild<QTabWidget*>("FormPageItem")->count(), 9);
    QCOMPARE(f.findChild<QTabWidget*>("AuxPageCtrol")->tabText(1), QString("用户均衡限制"));
}

void FormsTest::textBearingControlsCarryBothLanguages() {
    QFETCH(Variant, variant);
    TForm1 f(variant);
    QMap<QWidget*, QPair<QString, QString>> designed;
    int swapping = 0;
    for (QWidget* w : f.findChildren<QWidget*>()) {
        KitControl* k = AsKit(w);
        if (!k || !k->swapsWithHint() || k->caption().isEmpty())
            continue;
        ++swapping;
        QVERIFY2(!k->textZh().isEmpty() && !k->textEn().isEmpty(), qPrintable(w->objectName()));
        QCOMPARE(k->caption(), k->textZh());
        QCOMPARE(k->hint(), k->textEn());
        designed[w] = {k->caption(), k->hint()};
    }
    QVERIFY(swapping > 100);
    // English and back: every caption and hint as designed; bitmap buttons keep their values.
    auto* phase = f.findChild<BmpButton*>("MainMusPhaseBtn");
    phase->setState(true);
    testing::ShowLanguage(&f, 0);
    QCOMPARE(f.findChild<BmpButton*>("SysSaveModeBtn")->text(), QString("Save Mode"));
    QCOMPARE(f.findChild<GroupBox*>("AdvGroupBox1")->title(), QString("MiC 1 Limit"));
    QCOMPARE(f.findChild<GroupBox*>("AdvGroupBox1")->hint(), QString("麦克风1压限"));
    testing::ShowLanguage(&f, 1);
    for (auto it = designed.begin(); it != designed.end(); ++it) {
        QCOMPARE(AsKit(it.key())->caption(), it.value().first);
        QCOMPARE(AsKit(it.key())->hint(), it.value().second);
    }
    QCOMPARE(phase->hint(), QString("1"));
}

void FormsTest::bandStrips() {
    QFETCH(Variant, variant);
    TForm1 f(variant);
    f.show();
    QApplication::processEvents();
    const struct {
        int page, sub;
        const char* box;
        const char* bar;
        int visible;
        int max;
        const char* lastColumnEdit;
    } strips[] = {{0, 0, "MusScrollBox", "MusPanScrollBar", 9, 1, "MusFreEdit10"},
                  {1, 0, "MicScrollBox", "MicPanScrollBar", 8, 12, "MicFreEdit20"},
                  {2, 0, "EffScrollBox", "EchoPanScrollBar", 7, 3, "EchoFreEdit10"},
                  {2, 1, "RvbScrollBox", "RvbPanScrollBar", 7, 3, "RvbFreEdit10"},
                  {3, 0, "MainScrollBox", "MainPanScrollBar", 5, 5, "MainFreEdit10"}};
    for (const auto& s : strips) {
        testing::ShowStop(f, {s.box, s.page, s.sub, 0});
        auto* box = f.findChild<QScrollArea*>(s.box);
        auto* bar = f.findChild<QScrollBar*>(s.bar);
        QCOMPARE(box->width(), s.visible * 65);
        QCOMPARE(bar->maximum(), s.max);
        bar->setValue(s.max);
        QCOMPARE(box->horizontalScrollBar()->value(), s.max * 65);
        // The last band is fully in view at the end of the strip.
        QWidget* last = f.findChild<QWidget*>(s.lastColumnEdit)->parentWidget();
        const QPoint topLeft = last->mapTo(box->viewport(), QPoint(0, 0));
        QVERIFY2(box->viewport()->rect().contains(QRect(topLeft, last->size())),
                 qPrintable(QString("%1 %2,%3 %4 %5")
                                .arg(s.box)
                                .arg(topLeft.x())
                                .arg(topLeft.y())
                                .arg(last->width())
                                .arg(box->viewport()->width())));
    }
}

void FormsTest::graphPanelGeometry() {
    TForm1 f(Variant::A);
    f.show();
    QApplication::processEvents();
    QWidget* plot = f.findChild<QWidget*>("Image1");
    QWidget* frame = f.findChild<QWidget*>("AdvPanel2");
    QWidget* panel = f.findChild<QWidget*>("AdvPanel1");
    QCOMPARE(plot->size(), QSize(883, 268));
    // The band points sit on the plot frame, Tag = their index in the point list.
    const char* points[] = {"EP1", "EP20", "HPF", "LPF"};
    const int indices[] = {0, 19, 20, 21};
    for (int i = 0; i < 4; ++i) {
        auto* point = f.findChild<EqGraphPoint*>(points[i]);
        QVERIFY(point);
        QCOMPARE(point->parentWidget(), frame);
        QCOMPARE(point->Tag(), indices[i]);
        QCOMPARE(point->size(), QSize(14, 14));
    }
    // Room for the dB labels (32 + 2) on the left and the frequency labels (13) below.
    QVERIFY(frame->x() >= 34);
    QVERIFY(frame->geometry().bottom() + 13 < panel->height());
    QVERIFY(panel->geometry().right() <
            f.findChild<QWidget*>("RzGroupBox2")->x() + f.findChild<QWidget*>("MainGroupBox")->x());
}

void FormsTest::nothingClippedOrOverlapping() {
    QFETCH(Variant, variant);
    TForm1 f(variant);
    f.show();
    QApplication::processEvents();
    QStringList all;
    testing::Tour(f, [&](const testing::TourStop& s, int lang) {
        for (const QString& p : LayoutProblems(&f))
            all << QString("%1/%2: %3").arg(s.name, lang ? "zh" : "en", p);
    });
    all.removeDuplicates();
    for (QString& p : all)
        p = p.section(": ", 1);
    all.removeDuplicates();
    QVERIFY2(all.isEmpty(), qPrintable(all.mid(0, 60).join("\n")));
}

QTEST_MAIN(FormsTest)
#include "Forms_test.moc"
