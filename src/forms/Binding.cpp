#include "forms/Binding.h"

#include <QHash>
#include <QWidget>

#include "forms/BindingPlan.h"
#include "forms/kit/Kit.h"
#include "params/PageState.h"
#include "params/ParamStore.h"
#include "params/SectionMap.h"

namespace dsp {

namespace {

// Kinds whose Tag the binding stamps when they stand in CtrlBind.
bool IsMainControlKind(QWidget* w) {
    return qobject_cast<ComboBox*>(w) || qobject_cast<TrackBar*>(w) ||
           qobject_cast<PushButton*>(w) || qobject_cast<ToolButton*>(w) ||
           qobject_cast<BmpButton*>(w) || qobject_cast<ValueEdit*>(w);
}

// Kinds whose Tag the binding stamps when they stand in PaneBind.
bool IsPaneKind(QWidget* w) {
    return qobject_cast<ComboBox*>(w) || qobject_cast<StatusPane*>(w) ||
           qobject_cast<BmpButton*>(w) || qobject_cast<ValueEdit*>(w);
}

using NameIndex = QHash<QString, QWidget*>;

NameIndex IndexByName(QWidget* form) {
    NameIndex index;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (!name.isEmpty() && !index.contains(name))
            index.insert(name, w);
    }
    return index;
}

void SetTag(QWidget* w, int tag) {
    if (KitControl* k = AsKit(w))
        k->setTag(tag);
}

} // namespace

ControlBinding::ControlBinding() = default;

int ControlBinding::EqPointLabelCount(int list) {
    switch (list) {
    case 0:
        return 10;
    case 1:
        return 20;
    case 2:
    case 3:
    case 9:
        return 10;
    case 4:
        return 5;
    case 6:
        return 6;
    default:
        return 0;
    }
}

void ControlBinding::Clear() {
    for (auto& row : ctrl_)
        row.fill(nullptr);
    for (auto& row : pane_)
        row.fill(nullptr);
    for (auto& row : group_)
        for (auto& cell : row)
            cell.fill(nullptr);
    for (auto& list : pointLabels_)
        list.fill(nullptr);
    missing_.clear();
}

void ControlBinding::BindControls(QWidget* form, Variant variant, ParamStore& params,
                                  PageState& page) {
    Clear();
    const NameIndex named = IndexByName(form);
    auto find = [&](const QString& name) -> QWidget* {
        QWidget* w = named.value(name, nullptr);
        if (!w && std::find(missing_.begin(), missing_.end(), name) == missing_.end())
            missing_.push_back(name);
        return w;
    };

    // 1. The fixed assignment of the slot layouts.
    for (const SlotBinding& b : BindingPlan(variant)) {
        ctrl_[b.section][b.slot] = find(b.ctrl);
        if (!b.pane.isEmpty())
            pane_[b.section][b.slot] = find(b.pane);
        for (int i = 0; i < b.group.size() && i < 4; ++i)
            group_[b.section][b.slot][i] = find(b.group[i]);
    }

    const char* pages[15] = {"FormMusTabBtn", "FormOut2TabBtn", "FormMICATabBtn", "FormMICBTabBtn",
                             "FormEFFTabBtn", "FormMAINTabBtn", "FormSURTabBtn",  "FormCENTabBtn",
                             "FormSUBTabBtn", "FormHintTabBtn", "FormOut4TabBtn", "FormAUXTabBtn",
                             "HintAuxBtn",    "FormOut7TabBtn", "FormOut8TabBtn"};
    for (int i = 0; i < 15; ++i)
        pageButtons_[i] = find(pages[i]);
    effectButtons_ = {find("EchoAToolButton"), find("EchoBToolButton"), find("RvbToolButton")};
    hintButtons_ = {find("HintMusBtn"), find("HintMicABtn"), find("HintMicBBtn"),
                    find("HintSysBtn")};
    linkButtons_ = {find("LeftBtn"), find("SameBtn"), find("RightBtn")};
    factoryButtons_[0] = find("SysFactoryBtn");
    for (int i = 1; i < 7; ++i)
        factoryButtons_[i] = find(QString("SysFactoryBtn%1").arg(i + 1));
    modeButtons_ = {find("SingModeBtn"), find("DiscoModeBtn")};
    const struct {
        int list;
        const char* prefix;
    } pointLists[7] = {{0, "Mus"},  {1, "Mic"}, {2, "Eff"}, {3, "Main"},
                       {4, "Hint"}, {6, "AUX"}, {9, "Rvb"}};
    for (const auto& l : pointLists)
        for (int i = 0; i < EqPointLabelCount(l.list); ++i)
            pointLabels_[l.list][i] = find(QString("%1EQPointLabel%2").arg(l.prefix).arg(i + 1));

    // Alike looks: the page sliders take the look of MicHPFreBar, the EQ gain sliders that of
    // MusEQGainBar1.
    auto* levelModel = qobject_cast<TrackBar*>(named.value("MicHPFreBar"));
    auto* gainModel = qobject_cast<TrackBar*>(named.value("MusEQGainBar1"));
    for (int s = 0; s <= 24; ++s)
        for (int k = 0; k < kSlotCount; ++k) {
            if (auto* bar = qobject_cast<TrackBar*>(ctrl_[s][k]); bar && levelModel)
                bar->copyLookFrom(*levelModel);
            if (auto* bar = qobject_cast<TrackBar*>(group_[s][k][0]); bar && gainModel)
                bar->copyLookFrom(*gainModel);
        }
    CurrentEdit = qobject_cast<ValueEdit*>(named.value("MusFreEdit1"));
    LastHighlightedEdit = qobject_cast<ValueEdit*>(named.value("Example"));

    // 2-3. Stamp the addresses; the last address of a control in binding order wins.
    page.Refreshing = true;
    for (int s = 0; s < kSectionCount; ++s)
        for (int k = 0; k < SlotCount[s]; ++k) {
            const Address a = MakeAddress(s, k);
            if (QWidget* c = ctrl_[s][k]; c && IsMainControlKind(c))
                SetTag(c, a);
            if (QWidget* p = pane_[s][k]; p && IsPaneKind(p))
                SetTag(p, a);
            QWidget* g0 = group_[s][k][0];
            if (qobject_cast<TypeLabel*>(g0)) {
                for (int i = 0; i < 4; ++i)
                    if (auto* mark = qobject_cast<TypeLabel*>(group_[s][k][i])) {
                        mark->setTag(a);
                        mark->setHint(QString::number(i));
                    }
            } else if (qobject_cast<TrackBar*>(g0) || qobject_cast<SpinButtons*>(g0)) {
                SetTag(g0, a);
            }
        }

    // 4. DeviceTable before the first download.
    params.ResetDeviceTable();

    // 5. Controls outside the tables.
    SetTag(named.value("MusMaxImage"), MakeAddress(SecSysVol, 4));
    SetTag(named.value("MicMaxImage"), MakeAddress(SecSysVol, 3));
    SetTag(named.value("EffMaxImage"), MakeAddress(SecSysVol, 5));
    SetTag(named.value("SysVolRunBtn1"), MakeAddress(SecSysVol, 9));
    SetTag(named.value("SysVolRunBtn2"), MakeAddress(SecSysVol, 9));
    if (variant == Variant::B) {
        SetTag(named.value("SysLRBtn1"), MakeAddress(SecSystem, 3));
        SetTag(named.value("SysLRBtn2"), MakeAddress(SecSystem, 3));
    }

    // 6.
    page.Refreshing = false;
}

} // namespace dsp
