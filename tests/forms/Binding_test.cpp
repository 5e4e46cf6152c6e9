// Binding of the main window's controls to parameter addresses, for both variants.
#include <QMap>
#include <QtTest>

#include "app/MainWindow.h"
#include "forms/BindingPlan.h"
#include "forms/kit/Kit.h"
#include "params/PageState.h"
#include "params/ParamStore.h"
#include "params/SectionMap.h"

using namespace dsp;

Q_DECLARE_METATYPE(dsp::Variant)

namespace {

// Kinds whose Tag the binding owns.
bool Stampable(QWidget* w, bool asPane) {
    if (asPane)
        return qobject_cast<ComboBox*>(w) || qobject_cast<StatusPane*>(w) ||
               qobject_cast<BmpButton*>(w) || qobject_cast<ValueEdit*>(w);
    return qobject_cast<ComboBox*>(w) || qobject_cast<TrackBar*>(w) ||
           qobject_cast<BmpButton*>(w) || qobject_cast<ValueEdit*>(w) ||
           qobject_cast<ToolButton*>(w) || qobject_cast<PushButton*>(w);
}

// The last address (in binding order) at which each control stands.
QMap<QWidget*, int> LastAddresses(const ControlBinding& b) {
    QMap<QWidget*, int> last;
    for (int s = 0; s < kSectionCount; ++s)
        for (int k = 0; k < SlotCount[s]; ++k) {
            const int a = MakeAddress(s, k);
            if (QWidget* c = b.CtrlBind(s, k); c && Stampable(c, false))
                last[c] = a;
            if (QWidget* p = b.PaneBind(s, k); p && Stampable(p, true))
                last[p] = a;
            QWidget* g0 = b.GroupBind(s, k, 0);
            if (qobject_cast<TypeLabel*>(g0)) {
                for (int i = 0; i < 4; ++i)
                    last[b.GroupBind(s, k, i)] = a;
            } else if (qobject_cast<TrackBar*>(g0) || qobject_cast<SpinButtons*>(g0)) {
                last[g0] = a;
            }
        }
    return last;
}

int TagOf(TForm1& f, const char* name) {
    QWidget* w = f.findChild<QWidget*>(name);
    KitControl* k = AsKit(w);
    return k ? k->tag() : -1;
}

} // namespace

class BindingTest : public QObject {
    Q_OBJECT

private slots:
    void bothVariants_data();
    void bothVariants();
    void everyPlannedSlotHasItsControl_data() { bothVariants_data(); }
    void everyPlannedSlotHasItsControl();
    void everyBoundTagIsItsLastAddress_data() { bothVariants_data(); }
    void everyBoundTagIsItsLastAddress();
    void knownAddresses();
    void variantDifferences();
    void alikeSlidersLookAlike_data() { bothVariants_data(); }
    void alikeSlidersLookAlike();
    void resetsDeviceTableOnly();
    void secondRunGivesSameResult();
    void controlLists_data() { bothVariants_data(); }
    void controlLists();
};

void BindingTest::bothVariants_data() {
    QTest::addColumn<Variant>("variant");
    QTest::newRow("A") << Variant::A;
    QTest::newRow("B") << Variant::B;
}

void BindingTest::bothVariants() {
    QFETCH(Variant, variant);
    TForm1 f(variant);
    f.BindControls();
    // A Q edit stands at both Q slots of its band and keeps the address of offset 4.
    QCOMPARE(TagOf(f, "MusQEdit1"), 0 * 256 + 17);
    QVERIFY(f.binding().Missing().empty());
    QVERIFY(!f.pageState().Refreshing);
    QCOMPARE(f.binding().CurrentEdit, f.findChild<ValueEdit*>("MusFreEdit1"));
    QCOMPARE(f.binding().LastHighlightedEdit, f.findChild<ValueEdit*>("Example"));
}

void BindingTest::everyPlannedSlotHasItsControl() {
    QFETCH(Variant, variant);
    TForm1 f(variant);
    f.BindControls();
    const ControlBinding& b = f.binding();
    for (const SlotBinding& e : BindingPlan(variant)) {
        const QString where = QString("%1:%2").arg(e.section).arg(e.slot);
        QWidget* c = b.CtrlBind(e.section, e.slot);
        QVERIFY2(c && c->objectName() == e.ctrl, qPrintable(where + " " + e.ctrl));
        if (!e.pane.isEmpty()) {
            QWidget* p = b.PaneBind(e.section, e.slot);
            QVERIFY2(p && p->objectName() == e.pane, qPrintable(where + " " + e.pane));
        }
        for (int i = 0; i < e.group.size(); ++i) {
            QWidget* g = b.GroupBind(e.section, e.slot, i);
            QVERIFY2(g && g->objectName() == e.group[i], qPrintable(where + " " + e.group[i]));
        }
    }
    // Every used EQ slot of the view sections is bound: type box, edits and Q edit.
    for (int s : {0, 1, 3, 4, 5, 21, 22})
        for (int band = 0; band < BandCount[s]; ++band)
            for (int off = 0; off < kBandSlots; ++off)
                QVERIFY2(b.CtrlBind(s, FirstEqSlot[s] + 5 * band + off),
                         qPrintable(QString("%1:%2").arg(s).arg(FirstEqSlot[s] + 5 * band + off)));
}

void BindingTest::everyBoundTagIsItsLastAddress() {
    QFETCH(Variant, variant);
    TForm1 f(variant);
    f.BindControls();
    const QMap<QWidget*, int> last = LastAddresses(f.binding());
    QVERIFY(last.size() > 700);
    for (auto it = last.begin(); it != last.end(); ++it)
        QVERIFY2(AsKit(it.key())->tag() == it.value(), qPrintable(it.key()->objectName()));
    // Type marks carry their type value.
    const ControlBinding& b = f.binding();
    for (int i = 0; i < 4; ++i) {
        auto* mark = qobject_cast<TypeLabel*>(b.GroupBind(SecMic1, 15 + 5 * 7, i));
        QVERIFY(mark);
        QCOMPARE(mark->hint(), QString::number(i));
        QCOMPARE(mark->tag(), MakeAddress(SecMic1, 50));
    }
}

void BindingTest::knownAddresses() {
    struct Row {
        int variants; // 1 A, 2 B, 3 both
        const char* name;
        int tag;
    };
    const Row rows[] = {
        {3, "MusGain1Edit", 0},
        {3, "MusGain1UpDown", 0},
        {3, "MusHPFREPane", 8},
        {3, "MusModeBox2", 18},
        {3, "MusLSQBtn2", 18},
        {3, "MusEQGainBar1", 15},
        {3, "MIcQUpDownBtn1", 1 * 256 + 18},
        {3, "MicQEdit20", 1 * 256 + 114},
        {3, "MICAEffectEdit", 1 * 256 + 115},
        {3, "MICBEffectEdit", 2 * 256 + 115},
        {3, "MICBEffectEditSpinButtons", 2 * 256 + 115},
        {3, "EchoTimeBar", 3 * 256 + 5},
        {3, "RvbLPFrePane", 4 * 256 + 9},
        {3, "MainOutphasebtn", 5 * 256 + 78},
        {3, "MainModeBox10", 5 * 256 + 72},
        {3, "AUXGainBox", 21 * 256 + 0},
        {3, "AUXMUSQUpDownBtn1", 21 * 256 + 5},
        {3, "AUXMUS2GainEdit1", 21 * 256 + 3},
        {3, "AUXMIC2GainEdit3", 21 * 256 + 28},
        {3, "AUXMICHighMaxDecEdit", 21 * 256 + 42},
        {3, "HintQEdit5", 22 * 256 + 25},
        {3, "HintQUpDownBtn1", 22 * 256 + 5},
        {3, "MusEQAllpassBtn", 22 * 256 + 0},
        {3, "SysEffStartVolBar", 25 * 256 + 8},
        {3, "MusMaxImage", 25 * 256 + 4},
        {3, "MicMaxImage", 25 * 256 + 3},
        {3, "SysVolRunBtn2", 25 * 256 + 9},
        {3, "SysModeBox", 30 * 256 + 2},
        {3, "SysMode2Box", 30 * 256 + 34},
        {3, "SysPanelBtn2", 30 * 256 + 4},
        {3, "SysInputBox", 65},
        {1, "MainRdelayBar", 19 * 256 + 16},
        {1, "MainRmuteBtn", 19 * 256 + 17},
        {1, "SysSubRoutingBox", 30 * 256 + 24},
        {2, "EchoDirectLevelBar", 3 * 256 + 2},
        {2, "MainRvbRPhaseBtn", 5 * 256 + 15},
        {2, "SysLRBtn1", 30 * 256 + 3},
    };
    for (Variant v : {Variant::A, Variant::B}) {
        TForm1 f(v);
        f.BindControls();
        const int bit = v == Variant::A ? 1 : 2;
        for (const Row& r : rows) {
            if (!(r.variants & bit))
                continue;
            const int tag = TagOf(f, r.name);
            QVERIFY2(tag == r.tag, qPrintable(QString("%1 %2: %3 != %4")
                                                  .arg(bit == 1 ? "A" : "B", r.name)
                                                  .arg(tag)
                                                  .arg(r.tag)));
        }
    }
}

void BindingTest::variantDifferences() {
    TForm1 a(Variant::A);
    TForm1 b(Variant::B);
    a.BindControls();
    b.BindControls();
    // Variant A leaves the right/second sources unbound and has no echo direct level.
    for (int k : {2, 3, 6, 7, 10, 11, 14, 15})
        QVERIFY(!a.binding().CtrlBind(SecOut, k));
    QVERIFY(!a.binding().CtrlBind(SecEcho, 2));
    QVERIFY(!a.findChild<QWidget*>("EchoDirectLevelBar"));
    QVERIFY(!a.findChild<QWidget*>("SysLRBtn1"));
    // Variant B has no right-channel delay and mute and no routing boxes.
    for (const char* name :
         {"MainRdelayBar", "MainRmuteBtn", "SysCenRoutingBox", "SysSubRoutingBox"})
        QVERIFY2(!b.findChild<QWidget*>(name), name);
    QVERIFY(!b.binding().CtrlBind(7, 16));
    QVERIFY(!b.binding().CtrlBind(SecSystem, 23));
}

void BindingTest::alikeSlidersLookAlike() {
    QFETCH(Variant, variant);
    TForm1 f(variant);
    f.findChild<TrackBar*>("MicHPFreBar")->setLook("level-custom");
    f.findChild<TrackBar*>("MusEQGainBar1")->setLook("eq-custom");
    f.BindControls();
    const ControlBinding& b = f.binding();
    int levels = 0;
    int gains = 0;
    for (int s = 0; s <= 24; ++s)
        for (int k = 0; k < SlotCount[s]; ++k) {
            if (auto* bar = qobject_cast<TrackBar*>(b.CtrlBind(s, k))) {
                QCOMPARE(bar->look(), QString("level-custom"));
                ++levels;
            }
            if (auto* bar = qobject_cast<TrackBar*>(b.GroupBind(s, k, 0))) {
                QCOMPARE(bar->look(), QString("eq-custom"));
                ++gains;
            }
        }
    QCOMPARE(gains, 71);
    QVERIFY(levels >= 41);
}

void BindingTest::resetsDeviceTableOnly() {
    ParamStore params;
    PageState page;
    params.DeviceTable.At(5, 0) = 77;
    params.ViewTable.At(5, 0) = 55;
    TForm1 f(Variant::A, params, page);
    f.BindControls();
    ParamStore expected;
    expected.ResetDeviceTable();
    QVERIFY(params.DeviceTable == expected.DeviceTable);
    QCOMPARE(params.DeviceTable.At(SecMusic, 3), 12);
    QCOMPARE(params.DeviceTable.At(9, 25), 360);
    QCOMPARE(params.ViewTable.At(5, 0), 55);
}

void BindingTest::secondRunGivesSameResult() {
    TForm1 f(Variant::B);
    f.BindControls();
    const QMap<QWidget*, int> first = LastAddresses(f.binding());
    QMap<QString, int> tags;
    for (QWidget* w : f.findChildren<QWidget*>())
        if (KitControl* k = AsKit(w))
            tags[w->objectName()] = k->tag();
    const ParamTable device = f.params().DeviceTable;
    f.params().DeviceTable.At(1, 1) = 9;
    f.BindControls();
    QCOMPARE(LastAddresses(f.binding()), first);
    for (QWidget* w : f.findChildren<QWidget*>())
        if (KitControl* k = AsKit(w))
            QCOMPARE(k->tag(), tags.value(w->objectName()));
    QVERIFY(f.params().DeviceTable == device);
}

void BindingTest::controlLists() {
    QFETCH(Variant, variant);
    TForm1 f(variant);
    f.BindControls();
    const ControlBinding& b = f.binding();
    for (int i = 0; i < 15; ++i) {
        QVERIFY(b.PageButtons()[i]);
        QCOMPARE(AsKit(b.PageButtons()[i])->tag(), i);
    }
    for (int i = 0; i < 7; ++i)
        QCOMPARE(AsKit(b.FactoryButtons()[i])->tag(), i);
    QCOMPARE(b.EffectButtons()[2]->objectName(), QString("RvbToolButton"));
    QCOMPARE(b.HintButtons()[3]->objectName(), QString("HintSysBtn"));
    QCOMPARE(b.LinkButtons()[1]->objectName(), QString("SameBtn"));
    QCOMPARE(b.ModeButtons()[1]->objectName(), QString("DiscoModeBtn"));
    for (int list : {0, 1, 2, 3, 4, 6, 9}) {
        const int n = ControlBinding::EqPointLabelCount(list);
        for (int i = 0; i < n; ++i) {
            auto* label = qobject_cast<TypeLabel*>(b.EqPointLabel(list, i));
            QVERIFY(label);
            QCOMPARE(label->text(), QString::number(i + 1));
        }
        QVERIFY(!b.EqPointLabel(list, n));
    }
    // A point label's Tag and Hint lead to its band's frequency edit.
    for (int list : {0, 1, 2, 3, 4, 6, 9}) {
        auto* label = qobject_cast<TypeLabel*>(b.EqPointLabel(list, 1));
        const int a = label->tag() * 256 + label->hint().toInt() + 5;
        QVERIFY2(b.CtrlBind(a) && b.CtrlBind(a)->objectName().contains("FreEdit2"),
                 qPrintable(label->objectName()));
    }
}

QTEST_MAIN(BindingTest)
#include "Binding_test.moc"
