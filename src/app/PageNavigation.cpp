#include "app/PageNavigation.h"

#include <QTabWidget>

#include "forms/kit/Kit.h"
#include "params/ButtonStates.h"
#include "params/PageRefresh.h"
#include "params/SectionMap.h"

namespace dsp {

namespace {

constexpr int kPageMusic = 0;
constexpr int kPageMic1 = 2;
constexpr int kPageMic2 = 3;
constexpr int kPageEffect = 4;
constexpr int kPageHint = 9;
constexpr int kPageAux = 11;
constexpr int kPageAuxStart = 12;

bool OneOf(int tag, std::initializer_list<int> tags) {
    for (int t : tags)
        if (t == tag)
            return true;
    return false;
}

struct TextPair {
    const char* zh;
    const char* en;
};

} // namespace

PageNavigation::PageNavigation(EditSession& session, ButtonStates& buttons, PageRefresh& refresh,
                               QObject* parent)
    : QObject(parent), s_(session), buttons_(buttons), refresh_(refresh) {}

int PageNavigation::OutputFirstSectionOfPage(Variant variant, int tag) {
    const bool a = variant == Variant::A;
    switch (tag) {
    case 1:
        return 7;
    case 5:
        return 5;
    case 6:
        return a ? 11 : 9;
    case 7:
        return 13;
    case 8:
        return 15;
    case 10:
        return a ? 9 : 11;
    case 13:
        return 17;
    case 14:
        return 19;
    default:
        return 0;
    }
}

void PageNavigation::Connect() {
    if (connected_)
        return;
    connected_ = true;
    auto hook = [this](QWidget* w, void (PageNavigation::*click)(QWidget*)) {
        auto* tool = qobject_cast<ToolButton*>(w);
        if (!tool)
            return;
        connect(tool, &QAbstractButton::clicked, this,
                [this, tool, click] { (this->*click)(tool); });
        connect(tool, &ToolButton::pressedDown, this,
                [this, tool] { FormMusTabBtnMouseDown(tool); });
    };
    for (QWidget* w : s_.Binding().PageButtons())
        hook(w, &PageNavigation::FormMusTabBtnClick);
    for (QWidget* w : s_.Binding().EffectButtons())
        hook(w, &PageNavigation::EchoAToolButtonClick);
    for (QWidget* w : s_.Binding().HintButtons())
        hook(w, &PageNavigation::HintMusBtnClick);
    if (auto* lang = s_.Find<ToolButton>("RzToolButton11")) {
        connect(lang, &ToolButton::pressedDown, this,
                [this, lang] { FormMusTabBtnMouseDown(lang); });
        connect(lang, &ToolButton::releasedUp, this, [this, lang] { RzToolButton11MouseUp(lang); });
    }
}

void PageNavigation::FormMusTabBtnMouseDown(QWidget* button) {
    if (auto* tool = qobject_cast<ToolButton*>(button))
        tool->setSelectedLook(true);
}

void PageNavigation::RzToolButton11MouseUp(QWidget* button) {
    if (auto* tool = qobject_cast<ToolButton*>(button))
        tool->setSelectedLook(false);
}

void PageNavigation::FormMusTabBtnClick(QWidget* button) {
    auto* tool = qobject_cast<ToolButton*>(button);
    if (!tool)
        return;
    PageState& page = s_.Page();
    // 1. Nothing changes while the link-password gate is shown.
    if (QWidget* gate = s_.Find("FirstCheckGrop"); gate && gate->isVisible()) {
        if (tool->objectName() != QLatin1String("FormMusTabBtn"))
            tool->setSelectedLook(false);
        return;
    }
    // 2-3.
    page.CurrentEqAddress = buttons_.ButtonState(tool, kModePageButton);
    if (auto* pages = s_.Find<QTabWidget>("FormPageItem"))
        pages->setCurrentIndex(SlotOf(page.CurrentEqAddress));
    // 4.
    if (s_.UpdateCurveColor)
        s_.UpdateCurveColor();
    // 5.
    if (tool->tag() == kPageEffect) {
        const auto& effects = s_.Binding().EffectButtons();
        EchoAToolButtonClick(effects[size_t(std::clamp(s_.LastEffectButton, 0, 2))]);
    } else {
        refresh_.RefreshPage(page.CurrentSection);
    }
    if (s_.RedrawEQ)
        s_.RedrawEQ(100, page.CurrentSection);
    // 6.
    s_.WheelArmed = false;
    if (QWidget* sink = s_.Find("Examplexx"))
        sink->setFocus();
}

void PageNavigation::EchoAToolButtonClick(QWidget* button) {
    auto* tool = qobject_cast<ToolButton*>(button);
    if (!tool)
        return;
    PageState& page = s_.Page();
    const Address a = buttons_.ButtonState(tool, kModeEffectButton);
    s_.LastEffectButton = tool->tag();
    if (auto* pages = s_.Find<QTabWidget>("EffPageControl"))
        pages->setCurrentIndex(SlotOf(a));
    page.CurrentEqAddress = MakeAddress(SectionOf(a), 2);
    page.CurrentSection = SectionOf(a);
    refresh_.RefreshPage(page.CurrentSection);
    if (s_.RedrawEQ)
        s_.RedrawEQ(100, page.CurrentSection);
}

void PageNavigation::HintMusBtnClick(QWidget* button) {
    auto* tool = qobject_cast<ToolButton*>(button);
    if (!tool)
        return;
    PageState& page = s_.Page();
    buttons_.ButtonState(tool, kModeHintButton);
    page.CurrentEqAddress = MakeAddress(SecHint, 4);
    page.CurrentSection = SecHint;
    refresh_.RefreshPage(SecHint);
    if (s_.RedrawEQ)
        s_.RedrawEQ(100, SecHint);
}

Address PageNavigation::SelectPage(int tag) {
    PageState& page = s_.Page();
    const Variant variant = s_.ProgramVariant();
    Address a = 0;
    // 1. Page-specific state.
    switch (tag) {
    case kPageMusic:
        a = MakeAddress(SecMusic, 0);
        break;
    case kPageMic1:
        page.MicSection = SecMic1;
        if (page.MicLink != 1)
            page.MicLink = 0;
        a = MakeAddress(SecMic1, 1);
        break;
    case kPageMic2:
        if (page.MicLink == 1) {
            page.MicSection = SecMic1;
        } else {
            page.MicSection = SecMic2;
            page.MicLink = 2;
        }
        a = MakeAddress(SecMic1, 1);
        break;
    case kPageEffect:
        a = MakeAddress(page.EffectSection, 2);
        break;
    case kPageHint:
        a = MakeAddress(SecHint, 4);
        break;
    case kPageAux:
    case kPageAuxStart:
        if (auto* aux = s_.Find<QTabWidget>("AuxPageCtrol"))
            aux->setCurrentIndex(tag == kPageAux ? 1 : 0);
        a = MakeAddress(SecAux, 6);
        break;
    default:
        if (const int first = OutputFirstSectionOfPage(variant, tag)) {
            page.OutputSection = first + std::clamp(page.SingDisco, 0, 1);
            a = MakeAddress(SecOut, 3);
        } else {
            return page.CurrentEqAddress; // not a page button
        }
        break;
    }
    if (tag == kPageMic1 || tag == kPageMic2) {
        // The group boxes name the microphone whose page button was chosen.
        const bool showsMic1 = tag == kPageMic1;
        s_.SetCaptionPair(s_.Find("AdvGroupBox1"), showsMic1 ? "麦克风1压限" : "麦克风2压限",
                          showsMic1 ? "MiC 1 Limit" : "MiC 2 Limit");
        s_.SetCaptionPair(s_.Find("AdvGroupBox16"), showsMic1 ? "麦克风1 噪声门" : "麦克风2 噪声门",
                          showsMic1 ? "MIC1 Noise" : "MIC2 Noise");
    }

    // 2. Group visibility.
    const bool output = OutputFirstSectionOfPage(variant, tag) != 0;
    if (QWidget* g = s_.Find("CopyGrop"))
        g->setVisible(tag == kPageMic1 || tag == kPageMic2);
    if (QWidget* g = s_.Find("SingleDiscoGrop"))
        g->setVisible(variant == Variant::A ? OneOf(tag, {5, 6, 7, 10, 13}) : output);
    if (QWidget* g = s_.Find("EQPassGrop"))
        g->setVisible(tag != kPageAux && tag != kPageAuxStart);
    if (variant == Variant::B && output)
        if (QWidget* g = s_.Find("OutLimiteGroup"))
            g->setVisible(tag != 13 && tag != 14);

    // 3-4. Captions, and the right channel's controls of the stereo outputs.
    SetPageTexts(tag);
    if (variant == Variant::A)
        SetRightChannelControls(tag);

    // 5. Enabling.
    const bool free =
        OneOf(tag, {kPageMusic, kPageMic1, kPageMic2, kPageEffect}) || page.ManualMode != 0;
    for (const char* name : {"CopyGrop", "EQPassGrop"})
        if (QWidget* g = s_.Find(name))
            g->setEnabled(free);

    // 6.
    page.CurrentSection = SectionOf(a);
    return a;
}

void PageNavigation::SetPageTexts(int tag) {
    TextPair left{"", ""}, right{"", ""}, mute{"", ""}, delay{"", ""};
    if (tag == kPageMusic) {
        left = {"音乐左", "Left"};
        right = {"音乐右", "Right"};
    } else if (tag == kPageMic1 || tag == kPageMic2) {
        left = {"麦克1", "MIC 1"};
        right = {"麦克2", "MIC 2"};
    } else if (OneOf(tag, {5, 7, 13})) {
        left = {"主左", "Main L"};
        right = {"主右", "Main R"};
        mute = {"左静音", "L Mute"};
        delay = {"左声道延时", "Left Delay"};
    } else if (tag == 6) {
        mute = {"中置静音", "Cen Mute"};
        delay = {"中置延时", "Center Delay"};
    } else if (tag == 10) {
        mute = {"超低静音", "SUB Mute"};
        delay = {"超低延时", "SUB Delay"};
    }
    s_.SetCaptionPair(s_.Find("LeftBtn"), left.zh, left.en);
    s_.SetCaptionPair(s_.Find("RightBtn"), right.zh, right.en);
    if (s_.ProgramVariant() != Variant::A)
        return;
    // The mute button's Hint holds its state: it only takes the caption.
    if (KitControl* k = AsKit(s_.Find("MainLmuteBtn")))
        k->setCaption(s_.Text(mute.zh, mute.en));
    s_.SetCaptionPair(s_.Find("OutLDelayLabel"), delay.zh, delay.en);
}

void PageNavigation::SetRightChannelControls(int tag) {
    const bool stereo = OneOf(tag, {5, 7, 13});
    QWidget* lmute = s_.Find("MainLmuteBtn");
    QWidget* rmute = s_.Find("MainRmuteBtn");
    if (lmute)
        lmute->move(stereo ? 18 : 58, lmute->y());
    if (rmute)
        rmute->move(98, rmute->y());
    for (const char* name : {"MainRmuteBtn", "OutRDelayLabel", "MainRdelayBar", "MainRdelayPane"})
        if (QWidget* w = s_.Find(name))
            w->setVisible(stereo);
}

} // namespace dsp
