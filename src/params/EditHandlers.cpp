#include "params/EditHandlers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSet>
#include <QWheelEvent>

#include "forms/kit/Kit.h"
#include "params/BandDecode.h"
#include "params/ButtonStates.h"
#include "params/SectionMap.h"
#include "params/ShowValue.h"
#include "params/ValueFormat.h"
#include "params/ValueParse.h"

namespace dsp {

namespace {

int TagOf(QWidget* w) {
    const KitControl* k = AsKit(w);
    return k ? k->tag() : -1;
}

} // namespace

EditHandlers::EditHandlers(EditSession& session, ValueDisplay& display, ButtonStates& buttons,
                           QObject* parent)
    : QObject(parent), s_(session), display_(display), buttons_(buttons) {}

void EditHandlers::ConnectEdit(ValueEdit* edit) {
    connect(edit, &ValueEdit::clicked, this, [this, edit] { MusFreEdit1Click(edit); });
    connect(edit, &ValueEdit::focusLost, this, [this] {
        if (!movingFocus_)
            MusFreEdit1Exit();
    });
    edit->installEventFilter(this);
}

void EditHandlers::Connect() {
    if (connected_)
        return;
    connected_ = true;
    ControlBinding& b = s_.Binding();
    QSet<QWidget*> done;
    auto once = [&done](QWidget* w) {
        if (!w || done.contains(w))
            return false;
        done.insert(w);
        return true;
    };

    for (int s = 0; s < kSectionCount; ++s)
        for (int k = 0; k < kSlotCount; ++k) {
            QWidget* c = b.CtrlBind(s, k);
            QWidget* g0 = b.GroupBind(s, k, 0);
            if (once(c)) {
                if (auto* bar = qobject_cast<TrackBar*>(c)) {
                    // The volume bars have handlers of their own on the system page
                    // (one-step rise, clamps, markers).
                    if (s != SecSysVol)
                        connect(bar, &QSlider::valueChanged, this,
                                [this, bar] { MicHPFreBarChange(bar); });
                } else if (auto* box = qobject_cast<ComboBox*>(c)) {
                    if (qobject_cast<TypeLabel*>(g0))
                        connect(box, &QComboBox::activated, this,
                                [this, box] { MusModeBox1Change(box); });
                    else if (box->hint() == QLatin1String("20") ||
                             box->hint() == QLatin1String("21"))
                        connect(box, &QComboBox::activated, this,
                                [this, box] { MainHPTypeBoxChange(box); });
                } else if (auto* edit = qobject_cast<ValueEdit*>(c)) {
                    ConnectEdit(edit);
                } else if (auto* btn = qobject_cast<BmpButton*>(c)) {
                    if (btn->kind() == BmpButton::Kind::Phase)
                        connect(btn, &QAbstractButton::clicked, this,
                                [this, btn] { EchoEffPhaseBtnClick(btn); });
                    else if (btn->kind() == BmpButton::Kind::Toggle &&
                             btn->objectName() != QLatin1String("MusEQAllpassBtn"))
                        connect(btn, &QAbstractButton::clicked, this,
                                [this, btn] { MainLmuteBtnClick(btn); });
                }
            }
            // Second-tab gain edits of the auxiliary page.
            if (auto* edit = qobject_cast<ValueEdit*>(b.PaneBind(s, k)); edit && once(edit))
                ConnectEdit(edit);
            if (qobject_cast<TypeLabel*>(g0)) {
                for (int i = 0; i < 4; ++i)
                    if (auto* mark = qobject_cast<TypeLabel*>(b.GroupBind(s, k, i));
                        mark && once(mark))
                        connect(mark, &TypeLabel::clicked, this,
                                [this, mark] { MusPEQtn1Click(mark); });
            } else if (auto* bar = qobject_cast<TrackBar*>(g0); bar && once(bar)) {
                connect(bar, &QSlider::valueChanged, this,
                        [this, bar] { MusEQGainBar1Change(bar); });
            } else if (auto* spin = qobject_cast<SpinButtons*>(g0); spin && once(spin)) {
                connect(spin, &SpinButtons::upRightClicked, this,
                        [this, spin] { MusFreUpDownBtn1Click(spin, true); });
                connect(spin, &SpinButtons::downLeftClicked, this,
                        [this, spin] { MusFreUpDownBtn1Click(spin, false); });
            }
        }

    for (int list : {0, 1, 2, 3, 4, 6, 9})
        for (int i = 0; i < ControlBinding::EqPointLabelCount(list); ++i)
            if (auto* label = qobject_cast<TypeLabel*>(b.EqPointLabel(list, i));
                label && once(label))
                connect(label, &TypeLabel::clicked, this,
                        [this, label] { MusEQPointLabel1Click(label); });

    s_.Form().installEventFilter(this);
    for (QWidget* w : s_.Form().findChildren<QWidget*>())
        if (!qobject_cast<ValueEdit*>(w))
            w->installEventFilter(this);
}

// ---- sliders ----

void EditHandlers::MicHPFreBarChange(QWidget* slider) {
    if (s_.Page().SetFromControl)
        return;
    auto* bar = qobject_cast<TrackBar*>(slider);
    if (!bar)
        return;
    if (IsValidAddress(bar->tag()))
        if (auto* pane = qobject_cast<StatusPane*>(s_.Binding().PaneBind(bar->tag())))
            display_.ShowValue(pane, kStepNone, false, bar->position());
    display_.SetCurrentEdit(s_.Find<ValueEdit>("Example"));
}

void EditHandlers::MusEQGainBar1Change(QWidget* slider) {
    if (s_.Page().SetFromControl)
        return;
    auto* bar = qobject_cast<TrackBar*>(slider);
    if (!bar || !IsValidAddress(bar->tag()))
        return;
    if (auto* edit = qobject_cast<ValueEdit*>(s_.Binding().CtrlBind(bar->tag()))) {
        display_.SetCurrentEdit(edit);
        display_.ShowValue(edit, kStepNone, false, bar->position());
    }
}

// ---- band type ----

void EditHandlers::MusModeBox1Change(QWidget* combo) {
    auto* box = qobject_cast<ComboBox*>(combo);
    if (!box || !IsValidAddress(box->tag()) || box->currentIndex() < 0)
        return;
    const Address a = box->tag();
    const int t = box->currentIndex();
    buttons_.ButtonState(s_.Binding().GroupBind(a, std::min(t, 3)), kModeTypeMark);
    PageState& page = s_.Page();
    if (page.SuppressSend)
        return;
    s_.Send(a, t);
    const Address q = a + (t <= 1 ? kBandQ : kBandShelfQ);
    if (auto* qEdit = qobject_cast<ValueEdit*>(s_.Binding().CtrlBind(q))) {
        display_.SetCurrentEdit(qEdit);
        display_.ShowValue(qEdit, kStepNone, true, s_.View()[q]);
    }
    page.LastEditedAddress = a;
    page.LastEditedValue = t;
}

void EditHandlers::MusPEQtn1Click(QWidget* label) {
    auto* mark = qobject_cast<TypeLabel*>(label);
    if (!mark || !IsValidAddress(mark->tag()))
        return;
    if (auto* box = qobject_cast<ComboBox*>(s_.Binding().CtrlBind(mark->tag()))) {
        box->setCurrentIndex(mark->hint().toInt());
        MusModeBox1Change(box);
    }
}

// ---- value edits ----

void EditHandlers::MusFreEdit1Click(QWidget* sender) {
    const int tag = TagOf(sender);
    if (!IsValidAddress(tag))
        return;
    auto* edit = qobject_cast<ValueEdit*>(s_.Binding().CtrlBind(tag));
    if (!edit)
        return;
    s_.WheelArmed = true;
    display_.SetCurrentEdit(edit);
    if (!edit->hasFocus()) {
        movingFocus_ = true;
        edit->setFocus(Qt::OtherFocusReason);
        movingFocus_ = false;
    }
    s_.PreviousText = edit->text();
    PageState& page = s_.Page();
    const bool suppressed = page.SuppressSend;
    page.SuppressSend = true;
    display_.CommitEdit(kStepNone);
    page.SuppressSend = suppressed;
}

bool EditHandlers::MusFreEdit1KeyDown(QWidget* sender, int key) {
    if (display_.CurrentIsPlaceholder())
        return false;
    s_.Edited = true;
    auto* edit = qobject_cast<ValueEdit*>(sender);
    if (!edit)
        return false;
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down;
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    if (!vertical && !horizontal)
        return false;
    // In a band, Left/Right step the frequency and Up/Down the gain.
    if (vertical && edit->hint() == QLatin1String("2"))
        MusFreEdit1Click(s_.Binding().CtrlBind(edit->tag() + 1));
    else if (horizontal && edit->hint() == QLatin1String("3"))
        MusFreEdit1Click(s_.Binding().CtrlBind(edit->tag() - 1));
    display_.CommitEdit(key == Qt::Key_Up || key == Qt::Key_Right ? kStepUp : kStepDown);
    return true;
}

bool EditHandlers::MusFreEdit1KeyPress(QWidget* sender, QChar ch) {
    // An edit reached by the keyboard (Tab) rather than a click keeps its own text to fall back
    // on, not the text of the edit selected before it.
    if (auto* edit = qobject_cast<ValueEdit*>(sender); edit && edit != display_.CurrentEdit())
        s_.PreviousText = edit->text();
    display_.SetCurrentEdit(sender);
    s_.Edited = true;
    switch (FilterNumberKey(ch.unicode() == '\n' ? U'\r' : char32_t(ch.unicode()))) {
    case KeyAction::Accept:
        return false;
    case KeyAction::Commit:
        MusFreEdit1Exit();
        return true;
    case KeyAction::Discard:
        return true;
    }
    return true;
}

void EditHandlers::MusFreEdit1Exit() {
    if (display_.CurrentIsPlaceholder())
        return;
    ValueEdit* edit = display_.CurrentEdit();
    if (!edit->text().isEmpty()) {
        if (s_.Edited)
            display_.CommitEdit(kStepNone);
        s_.Edited = false;
    } else {
        edit->setText(s_.PreviousText);
    }
}

void EditHandlers::MusFreUpDownBtn1Click(QWidget* spin, bool up) {
    const int tag = TagOf(spin);
    if (!IsValidAddress(tag))
        return;
    QWidget* c = s_.Binding().CtrlBind(tag);
    if (auto* edit = qobject_cast<ValueEdit*>(c)) {
        display_.SetCurrentEdit(edit);
        movingFocus_ = true;
        edit->setFocus(Qt::OtherFocusReason);
        movingFocus_ = false;
        display_.CommitEdit(up ? kStepUp : kStepDown);
    } else if (auto* bar = qobject_cast<TrackBar*>(c)) {
        bar->setPosition(bar->position() + (up ? 1 : -1));
    }
}

bool EditHandlers::FormMouseWheel(int delta) {
    if (!s_.WheelArmed)
        return false;
    if (delta > 0)
        display_.CommitEdit(kStepUp);
    else if (delta < 0)
        display_.CommitEdit(kStepDown);
    return true;
}

void EditHandlers::MusEQPointLabel1Click(QWidget* label) {
    auto* l = qobject_cast<TypeLabel*>(label);
    if (!l)
        return;
    const int n = l->text().toInt();
    const Address a = MakeAddress(l->tag(), 0) + l->hint().toInt() + kBandSlots * (n - 1);
    if (!IsValidAddress(a))
        return;
    if (auto* edit = qobject_cast<ValueEdit*>(s_.Binding().CtrlBind(a)); edit && edit->isEnabled())
        MusFreEdit1Click(edit);
}

// ---- buttons and filter types ----

void EditHandlers::EchoEffPhaseBtnClick(QWidget* button) {
    const int tag = TagOf(button);
    if (IsValidAddress(tag))
        s_.Send(tag, buttons_.ButtonState(button, kModePhase));
}

void EditHandlers::MainLmuteBtnClick(QWidget* button) {
    const int tag = TagOf(button);
    if (IsValidAddress(tag))
        s_.Send(tag, buttons_.ButtonState(button, kModeToggle));
}

void EditHandlers::MainHPTypeBoxChange(QWidget* combo) {
    auto* box = qobject_cast<ComboBox*>(combo);
    if (!box || !IsValidAddress(box->tag()))
        return;
    s_.Send(box->tag(), box->currentIndex());
    const int section = SectionOf(box->tag());
    const int band = BandCount[size_t(section)] + (box->hint() == QLatin1String("21") ? 1 : 0);
    if (s_.RedrawEQ)
        s_.RedrawEQ(band, s_.Page().CurrentSection);
}

// ---- keyboard and wheel ----

bool EditHandlers::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Wheel) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && (w == &s_.Form() || s_.Form().isAncestorOf(w))) {
            if (FormMouseWheel(static_cast<QWheelEvent*>(e)->angleDelta().y())) {
                e->accept();
                return true;
            }
        }
        return false;
    }
    if (e->type() != QEvent::KeyPress)
        return false;
    auto* edit = qobject_cast<ValueEdit*>(watched);
    if (!edit)
        return false;
    auto* key = static_cast<QKeyEvent*>(e);
    if (MusFreEdit1KeyDown(edit, key->key()))
        return true;
    const QString text = key->text();
    // Only characters reach the key-press filter; editing keys (Delete, shortcuts) pass.
    if (text.size() != 1)
        return false;
    const QChar ch = text.at(0);
    if (ch.unicode() < 0x20 && ch != QChar('\r') && ch != QChar('\n') && ch != QChar('\b'))
        return false;
    if (ch.unicode() == 0x7F)
        return false;
    return MusFreEdit1KeyPress(edit, ch);
}

} // namespace dsp
