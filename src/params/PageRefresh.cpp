#include "params/PageRefresh.h"

#include <QSignalBlocker>
#include <QTabWidget>
#include <algorithm>

#include "forms/kit/Kit.h"
#include "link/WritePath.h"
#include "params/ButtonStates.h"
#include "params/EditHandlers.h"
#include "params/InputNames.h"
#include "params/SectionMap.h"
#include "params/ShowValue.h"
#include "params/SlotLayout.h"
#include "params/ValueFormat.h"

namespace dsp {

namespace {

bool OwnEnabled(const QWidget* w) {
    return w && !w->testAttribute(Qt::WA_Disabled);
}

} // namespace

// ---- ViewHooks ----

PageViewHooks::PageViewHooks(QWidget& form, ControlBinding& binding)
    : form_(form), binding_(binding) {}

QWidget* PageViewHooks::Find(const char* name) const {
    return form_.findChild<QWidget*>(QLatin1String(name));
}

void PageViewHooks::SetMusicGainEnabled(bool enabled) {
    for (const char* name : {"MusGain1Edit", "MusGain1UpDown"})
        if (QWidget* w = Find(name))
            w->setEnabled(enabled);
}

void PageViewHooks::RebindRightChannel(int rightSection) {
    const Address delay = MakeAddress(rightSection, kOutDelay);
    for (const char* name : {"MainRdelayBar", "MainRdelayPane"})
        if (KitControl* k = AsKit(Find(name)))
            k->setTag(delay);
    if (KitControl* k = AsKit(Find("MainRmuteBtn")))
        k->setTag(MakeAddress(rightSection, kOutMute));
}

void PageViewHooks::RebindAuxGains() {
    auto* tabs = qobject_cast<QTabWidget*>(Find("AuxPageCtrol"));
    const bool first = !tabs || tabs->currentIndex() == 0;
    const char* groups[2] = {"MUS", "MIC"};
    for (int g = 0; g < 2; ++g)
        for (int n = 1; n <= 3; ++n) {
            const QString name =
                QString("AUX%1%2GainEdit%3").arg(groups[g], first ? "" : "2").arg(n);
            if (QWidget* w = form_.findChild<QWidget*>(name))
                binding_.SetCtrlBind(MakeAddress(SecAux, AuxGainSlot(3 * g + n)), w);
        }
}

// ---- RefreshPage ----

PageRefresh::PageRefresh(EditSession& session, ValueDisplay& display, ButtonStates& buttons,
                         EditHandlers& handlers)
    : s_(session), display_(display), buttons_(buttons), handlers_(handlers) {}

void PageRefresh::RefreshPage(int v) {
    PageState& page = s_.Page();
    ParamTable& device = s_.Device();
    const bool variantA = s_.ProgramVariant() == Variant::A;

    // 1-2.
    page.Refreshing = true;
    page.SuppressSend = true;
    if (variantA)
        device.At(SecSystem, kSysLeftRight) = 1;
    s_.RunLink([](LinkContext& c) { RebuildView(c); });
    const int32_t sd = device.At(SecMusic, kMusSingDisco);
    page.SingDisco = (sd > 1 || sd < 0) ? 0 : sd;

    // 3. Every control of the sections asked for.
    for (int s : ViewSections)
        if (s == v || v == 100)
            for (int k = 0; k < SlotCount[size_t(s)]; ++k)
                LoadControl(s, k);

    // 4. The input-gain caption follows the input chosen.
    if (auto* input = s_.Find<ComboBox>("SysInputBox")) {
        const TextPair n = InputVolumeName(input->currentIndex());
        s_.SetCaptionPair(s_.Find("InputLabel"), n.Chinese, n.English);
    }
    // 5-9.
    if (variantA)
        LoadRightChannel();
    LoadLinkState();
    LoadEqPass();
    AutoModeBtnClick(s_.Find(page.ManualMode == 1 ? "ManulModeBtn" : "AutoModeBtn"));
    buttons_.ButtonState(s_.Find(page.SingDisco ? "DiscoModeBtn" : "SingModeBtn"), kModeSingDisco);
    LoadSystemItems();
    // 10-13.
    LoadModeLists();
    LoadInputs();
    if (auto* e = s_.Find<ValueEdit>("MICAEffectEdit"))
        e->setText(QString::number(device.At(SecMic1, kMicEffectSend)));
    if (auto* e = s_.Find<ValueEdit>("MICBEffectEdit"))
        e->setText(QString::number(device.At(SecMic2, kMicEffectSend)));
    LoadFactoryButtons();

    // 14.
    page.Refreshing = false;
    if (s_.RedrawEQ)
        s_.RedrawEQ(100, page.CurrentSection);
    page.SuppressSend = false;
    // 15.
    if (page.LinkGateState == 1 && s_.View().At(SecSystem, kSysPanelLock) == 1)
        RaiseLinkGate();
}

void PageRefresh::LoadToggle(QWidget* button, int32_t x) {
    auto* b = qobject_cast<BmpButton*>(button);
    if (!b)
        return;
    // The toggle handler flips the Hint back to the stored state (and sends nothing here).
    b->setHint(x == 0 ? "1" : "0");
    if (b->kind() == BmpButton::Kind::Phase)
        handlers_.EchoEffPhaseBtnClick(b);
    else
        handlers_.MainLmuteBtnClick(b);
}

void PageRefresh::LoadControl(int s, int k) {
    QWidget* c = s_.Binding().CtrlBind(s, k);
    if (!c)
        return;
    const int32_t x = s_.View().At(s, k);
    if (auto* bar = qobject_cast<TrackBar*>(c)) {
        if (s == SecSysVol) {
            // The volume bars load through their own change handler (the system page): with
            // sending suppressed it writes the pane, places the markers and skips the clamps.
            {
                const QSignalBlocker quiet(bar);
                bar->setPosition(x);
            }
            emit bar->valueChanged(bar->value());
            return;
        }
        PageState& page = s_.Page();
        page.SetFromControl = true;
        bar->setPosition(x);
        page.SetFromControl = false;
        if (auto* pane = qobject_cast<StatusPane*>(s_.Binding().PaneBind(s, k)))
            display_.ShowValue(pane, kStepNone, true, bar->position());
    } else if (auto* b = qobject_cast<BmpButton*>(c)) {
        if (b->kind() == BmpButton::Kind::Selector) {
            // Select the button of the pair whose value is x.
            QString base = b->objectName();
            base.chop(1);
            SysMusInputLevelClick(s_.Find(base + (x == 0 ? "1" : "2")));
        } else if (b->objectName() != QLatin1String("MusEQAllpassBtn") &&
                   (b->kind() == BmpButton::Kind::Phase || b->kind() == BmpButton::Kind::Toggle)) {
            LoadToggle(b, x);
        }
    } else if (auto* box = qobject_cast<ComboBox*>(c)) {
        box->setCurrentIndex(x < box->count() ? x : -1);
        if (qobject_cast<TypeLabel*>(s_.Binding().GroupBind(s, k, 0)))
            handlers_.MusModeBox1Change(box);
    } else if (qobject_cast<ValueEdit*>(c)) {
        display_.ShowValue(c, kStepNone, true, x);
    }
}

void PageRefresh::LoadRightChannel() {
    const int out = s_.Page().OutputSection;
    for (int first : {5, 13, 17}) {
        if (out < first || out > first + 3)
            continue;
        const int right = first + 2;
        if (auto* bar = qobject_cast<TrackBar*>(s_.Binding().CtrlBind(right, kOutDelay))) {
            PageState& page = s_.Page();
            page.SetFromControl = true;
            bar->setPosition(s_.View().At(right, kOutDelay));
            page.SetFromControl = false;
            if (auto* pane = s_.Find<StatusPane>("MainRdelayPane"))
                display_.ShowValue(pane, kStepNone, true, bar->position());
        }
        LoadToggle(s_.Binding().CtrlBind(right, kOutMute), s_.View().At(right, kOutMute));
        return;
    }
}

void PageRefresh::LoadLinkState() {
    PageState& page = s_.Page();
    if (s_.View().At(SecMic1, kMicLinkSlot) == 1)
        page.MicLink = 1;
    else if (page.MicLink == 1)
        page.MicLink = 0;
    page.ManualMode = s_.View().At(SecMusic, kMusAutoManual) != 0 ? 1 : 0;
    if (page.CurrentPage == 2 || page.CurrentPage == 3) {
        const auto& links = s_.Binding().LinkButtons();
        for (int i = 0; i < 3; ++i)
            if (auto* b = qobject_cast<BmpButton*>(links[size_t(i)]))
                b->setFace(i == page.MicLink ? BmpButton::Face::Down : BmpButton::Face::Normal);
    }
}

void PageRefresh::LoadEqPass() {
    PageState& page = s_.Page();
    auto* pass = s_.Find<BmpButton>("MusEQAllpassBtn");
    const int section = page.CurrentSection;
    if (!pass || section < 0 || section >= kSectionCount || BandCount[size_t(section)] == 0)
        return;
    const Address a = MakeAddress(section, FirstEqSlot[size_t(section)] - 1);
    pass->setTag(a);
    pass->setHint(s_.View()[a] == 0 || section == SecAux ? "1" : "0");
    const int state = buttons_.ButtonState(pass, kModeToggle);
    page.EqPassOf[size_t(section)] = state;
    page.EqPass = state;
    if (QWidget* label = s_.Find("EQPassLabel"))
        label->setVisible(state == 1);
}

void PageRefresh::LoadSystemItems() {
    const ParamTable& device = s_.Device();
    if (QWidget* g = s_.Find("SysHintLoadGrop"))
        g->setVisible(device.At(SecSystem, kSysHintLoad) == 0);
    SysMusInputLevelClick(
        s_.Find(device.At(SecSystem, kSysPanelLock) != 0 ? "SysPanelBtn2" : "SysPanelBtn1"));
    SysMusInputLevelClick(
        s_.Find(s_.View().At(SecSysVol, kSysVolRun) != 0 ? "SysVolRunBtn2" : "SysVolRunBtn1"));
    if (s_.ProgramVariant() == Variant::B)
        SysMusInputLevelClick(
            s_.Find(device.At(SecSystem, kSysLeftRight) != 0 ? "SysLRBtn2" : "SysLRBtn1"));
}

void PageRefresh::LoadModeLists() {
    const LinkVars& vars = s_.Link().Vars;
    const struct {
        const char* name;
        const std::array<std::string, ModeCount>* names;
        int slot;
    } lists[3] = {{"SysModeBox", &vars.ModeNames, kSysMode},
                  {"SysMode2Box", &vars.ModeNames2, kSysMode2},
                  {"SysMode3Box", &vars.ModeNames2, kSysMode2}};
    for (const auto& l : lists) {
        auto* box = s_.Find<QComboBox>(l.name);
        if (!box)
            continue;
        {
            const QSignalBlocker quiet(box);
            box->clear();
            for (int i = 0; i < ModeCount; ++i)
                box->addItem(
                    QString("%1-%2").arg(i + 1).arg(QString::fromStdString((*l.names)[size_t(i)])));
            const int32_t mode = s_.Device().At(SecSystem, l.slot);
            box->setCurrentIndex(mode >= 0 && mode < ModeCount ? mode : -1);
        }
        if (s_.ModeBoxChanged)
            s_.ModeBoxChanged(box);
    }
    if (QWidget* save = s_.Find("SysSaveModeBtn"))
        save->setEnabled(true);
}

void PageRefresh::LoadInputs() {
    auto* box = s_.Find<ComboBox>("SysInputBox");
    if (!box)
        return;
    const QSignalBlocker quiet(box);
    const int index = box->currentIndex();
    box->clear();
    const int last = std::clamp<int32_t>(s_.Device().At(SecSystem, kSysLastInput), 0, 9);
    for (int i = 0; i <= last; ++i)
        box->addItem(s_.Text(kInputNames[i].Chinese, kInputNames[i].English));
    box->setCurrentIndex(index < box->count() ? index : -1);
}

void PageRefresh::LoadFactoryButtons() {
    const int32_t mode = s_.Device().At(SecSystem, kSysMode);
    const auto& buttons = s_.Binding().FactoryButtons();
    for (int i = 0; i < 6; ++i)
        if (auto* b = qobject_cast<BmpButton*>(buttons[size_t(i)]))
            b->setFace(mode == i ? BmpButton::Face::Down : BmpButton::Face::Normal);
    if (auto* b = qobject_cast<BmpButton*>(buttons[6])) {
        b->setFace(mode > 5 ? BmpButton::Face::Down : BmpButton::Face::Normal);
        b->setText(mode > 5 ? QString::number(mode + 1) : QStringLiteral("..."));
    }
}

void PageRefresh::RaiseLinkGate() {
    PageState& page = s_.Page();
    page.LinkGateState = 2;
    if (PageButtonClick)
        PageButtonClick(s_.Find("FormMusTabBtn"));
    if (auto* pages = s_.Find<QTabWidget>("FormPageItem"))
        pages->setCurrentIndex(0);
    if (QWidget* gate = s_.Find("FirstCheckGrop")) {
        gate->show();
        gate->raise();
    }
    if (QWidget* pass = s_.Find("PanelPassWordEdit"))
        pass->setFocus();
    for (const char* name : {"FormPageItem", "AdvPanel1", "AdvPageControl1"})
        if (QWidget* w = s_.Find(name))
            w->setEnabled(false);
}

// ---- automatic / manual and the output enabling ----

void PageRefresh::AutoModeBtnClick(QWidget* button) {
    if (!button)
        return;
    PageState& page = s_.Page();
    const int value = button->objectName() == QLatin1String("ManulModeBtn") ? 1 : 0;
    buttons_.ButtonState(button, kModeAutoManual);
    s_.Send(MakeAddress(SecMusic, kMusAutoManual), value);
    page.ManualMode = value;
    UpdateOutputEnable(value, 255);
    if (s_.UpdateCurveColor)
        s_.UpdateCurveColor();
    if (s_.RedrawEQ)
        s_.RedrawEQ(100, page.CurrentSection);
}

void PageRefresh::UpdateOutputEnable(int value, int selector) {
    PageState& page = s_.Page();
    if (selector == 255) {
        const bool enabled = value != 0;
        for (int k = 0; k < SlotCount[SecOut]; ++k) {
            if (auto* bar = qobject_cast<TrackBar*>(s_.Binding().CtrlBind(SecOut, k)))
                bar->setEnabled(enabled);
            if (auto* bar = qobject_cast<TrackBar*>(s_.Binding().GroupBind(SecOut, k, 0)))
                bar->setEnabled(enabled);
        }
        for (const char* name : {"AutoModeBtn", "SingModeBtn", "DiscoModeBtn", "MainLmuteBtn",
                                 "MainRmuteBtn", "MainRdelayBar", "AdvGroupBox6", "OutLimiteGroup",
                                 "OutLHPGroup", "AdvGroupBox21", "MainPanScrollBar"})
            if (QWidget* w = s_.Find(name))
                w->setEnabled(enabled);
        if (page.CurrentSection >= SecOut)
            for (const char* name : {"CopyGrop", "EQPassGrop"})
                if (QWidget* w = s_.Find(name))
                    w->setEnabled(enabled);
    }
    auto* pass = s_.Find<BmpButton>("MusEQAllpassBtn");
    QWidget* reset = s_.Find("EQResetBtn");
    if (!pass || !reset)
        return;
    const int section = std::clamp(SectionOf(pass->tag()), 0, kSectionCount - 1);
    reset->setEnabled(page.EqPassOf[size_t(section)] == 0 && OwnEnabled(s_.Find("EQPassGrop")));
}

void PageRefresh::SysMusInputLevelClick(QWidget* button) {
    auto* pressed = qobject_cast<BmpButton*>(button);
    if (!pressed)
        return;
    QString base = pressed->objectName();
    base.chop(1);
    for (int i = 0; i < 2; ++i)
        if (auto* b = s_.Find<BmpButton>(base + QString::number(i + 1))) {
            b->setHint(QString::number(i));
            b->setFace(b == pressed ? BmpButton::Face::Down : BmpButton::Face::Normal);
        }
    if (IsValidAddress(pressed->tag()))
        s_.Send(pressed->tag(), pressed->hint().toInt());
}

} // namespace dsp
