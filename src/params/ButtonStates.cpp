#include "params/ButtonStates.h"

#include <algorithm>

#include "forms/kit/Kit.h"
#include "params/SectionMap.h"
#include "params/ShowValue.h"

namespace dsp {

ButtonStates::ButtonStates(EditSession& session, ValueDisplay& display)
    : s_(session), display_(display) {}

void ButtonStates::ApplyListLook(QWidget* const* buttons, int count, QWidget* selected) {
    for (int i = 0; i < count; ++i)
        if (auto* b = qobject_cast<ToolButton*>(buttons[i]))
            b->setSelectedLook(b == selected);
}

int ButtonStates::ButtonState(QWidget* c, int mode) {
    if (!c)
        return 0;
    if (mode >= 0 && mode <= 7)
        return qobject_cast<ValueEdit*>(c) ? display_.HighlightBand(c, mode) : 0;
    auto* bmp = qobject_cast<BmpButton*>(c);
    switch (mode) {
    case kModePageButton:
        return PageButton(c);
    case kModeToggle:
        if (!bmp)
            return 0;
        bmp->setState(!bmp->stateOn());
        return bmp->stateOn() ? 1 : 0;
    case kModePhase:
        if (!bmp)
            return 0;
        bmp->setText(QString());
        bmp->setState(!bmp->stateOn());
        return bmp->stateOn() ? 1 : 0;
    case kModeAutoManual:
        return PressedOfGroup(c, {"AutoModeBtn", "ManulModeBtn"}, mode);
    case kModeSingDisco:
        return PressedOfGroup(c, {"SingModeBtn", "DiscoModeBtn"}, mode);
    case kModeLinkButtons:
        return PressedOfGroup(c, {"LeftBtn", "SameBtn", "RightBtn"}, mode);
    case kModeLinkPair:
        return PressedOfGroup(c, {"LinkBtn", "UnLinkBtn"}, mode);
    case kModeSelectorPair: {
        if (!bmp)
            return 0;
        // The pair is the sender and its sibling: names ending in 1 and 2.
        QString base = c->objectName();
        base.chop(1);
        const int chosen = bmp->hint().toInt();
        for (int i = 0; i < 2; ++i)
            if (auto* b = s_.Find<BmpButton>(base + QString::number(i + 1)))
                b->setFace(i == chosen ? BmpButton::Face::Down : BmpButton::Face::Normal);
        return chosen;
    }
    case kModeTypeMark:
        return TypeMark(c);
    case kModeEffectButton:
        return EffectButton(c);
    case kModeHintButton:
        return HintButton(c);
    default:
        return 0;
    }
}

int ButtonStates::PressedOfGroup(QWidget* c, std::initializer_list<const char*> names, int mode) {
    auto* sender = qobject_cast<BmpButton*>(c);
    if (!sender)
        return 0;
    int index = -1;
    int i = 0;
    for (const char* name : names) {
        if (c->objectName() == QLatin1String(name))
            index = i;
        ++i;
    }
    if (index < 0)
        return 0;
    i = 0;
    for (const char* name : names) {
        if (auto* b = s_.Find<BmpButton>(name)) {
            if (i == index)
                b->setFace(BmpButton::Face::Down);
            else
                b->setFace(mode == kModeAutoManual ? BmpButton::Face::Normal
                                                   : BmpButton::Face::StayDown);
        }
        ++i;
    }
    if (mode == kModeLinkPair) {
        auto* link = s_.Find<BmpButton>("LinkBtn");
        auto* unlink = s_.Find<BmpButton>("UnLinkBtn");
        if (link && unlink)
            link->setText(index == 0 ? s_.Text("断开", "Unlink") : s_.Text("联机", "link"));
    }
    if (mode == kModeLinkButtons)
        return index == 1 ? 1 : 0;
    return index;
}

int ButtonStates::PageButton(QWidget* c) {
    auto* tool = qobject_cast<ToolButton*>(c);
    if (!tool)
        return 0;
    const auto& list = s_.Binding().PageButtons();
    ApplyListLook(list.data(), int(list.size()), c);
    s_.Page().CurrentPage = tool->tag();
    return s_.SelectPage ? s_.SelectPage(tool->tag()) : 0;
}

int ButtonStates::TypeMark(QWidget* c) {
    auto* mark = qobject_cast<TypeLabel*>(c);
    if (!mark || !IsValidAddress(mark->tag()))
        return 0;
    const int chosen = mark->hint().toInt();
    for (int i = 0; i < 4; ++i)
        if (auto* m = qobject_cast<TypeLabel*>(s_.Binding().GroupBind(mark->tag(), i)))
            m->setHighlighted(i == chosen);
    return 0;
}

int ButtonStates::EffectButton(QWidget* c) {
    auto* tool = qobject_cast<ToolButton*>(c);
    if (!tool)
        return 0;
    const auto& list = s_.Binding().EffectButtons();
    ApplyListLook(list.data(), int(list.size()), c);
    const bool reverb = tool->tag() == 2;
    s_.Page().EffectSection = reverb ? SecReverb : SecEcho;
    return reverb ? MakeAddress(SecReverb, 1) : MakeAddress(SecEcho, 0);
}

int ButtonStates::HintButton(QWidget* c) {
    auto* tool = qobject_cast<ToolButton*>(c);
    if (!tool)
        return 0;
    const auto& list = s_.Binding().HintButtons();
    ApplyListLook(list.data(), int(list.size()), c);
    const int tag = std::clamp(tool->tag(), 0, 3);
    static const int sections[4] = {22, 23, 24, 22};
    s_.Page().HintSection = sections[tag];
    for (int n = 3; n <= 5; ++n)
        if (QWidget* g = s_.Find(QString("HintEQGroupBox%1").arg(n)))
            g->setVisible(tag != 0);
    if (QWidget* modes = s_.Find("HintModePage"))
        modes->setVisible(tag == 3);
    return MakeAddress(SecHint, 0);
}

} // namespace dsp
