#include "params/ChannelCopy.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include "forms/kit/Kit.h"
#include "link/LinkMachine.h"
#include "params/ButtonStates.h"
#include "params/PageRefresh.h"
#include "params/SectionMap.h"
#include "params/SlotLayout.h"

namespace dsp {

namespace {

constexpr int kMicCopySlots = 115; // slots 0-114: everything but the effect send
constexpr int kOutputCopySlots = 79;

} // namespace

ChannelCopy::ChannelCopy(EditSession& session, ButtonStates& buttons, PageRefresh& refresh,
                         QObject* parent)
    : QObject(parent), s_(session), buttons_(buttons), refresh_(refresh) {}

void ChannelCopy::Connect() {
    if (connected_)
        return;
    connected_ = true;
    for (QWidget* w : s_.Binding().LinkButtons())
        if (auto* b = qobject_cast<BmpButton*>(w))
            connect(b, &QAbstractButton::clicked, this, [this, b] { SameBtnClick(b); });
    if (auto* menu = s_.Form().findChild<QMenu*>("CopyPopupMenu"))
        for (QAction* a : menu->actions())
            connect(a, &QAction::triggered, this, [this, a] { CopyBtn1Click(a->data().toInt()); });
    if (s_.ProgramVariant() != Variant::B)
        return;
    auto arm = [this](Qt::MouseButton b, Qt::KeyboardModifiers m) {
        AdvTabSheet4_MainMouseDown(b, m);
    };
    if (auto* sheet = s_.Find<TabSheet>("AdvTabSheet4_Main"))
        connect(sheet, &TabSheet::mousePressed, this, arm);
    for (const char* name : {"OutLimiteGroup", "AdvGroupBox6", "OutLHPGroup", "AdvGroupBox21",
                             "AdvGroupBox34", "AdvGroupBox7"})
        if (auto* g = s_.Find<GroupBox>(name))
            connect(g, &GroupBox::mousePressed, this, arm);
}

void ChannelCopy::CopyLinkedChannel(int /*section*/) {
    ParamTable& device = s_.Device();
    for (int k = 0; k < kMicCopySlots; ++k)
        device.At(SecMic2, k) = device.At(SecMic1, k);
}

void ChannelCopy::SameBtnClick(QWidget* button) {
    const KitControl* k = AsKit(button);
    if (!k)
        return;
    PageState& page = s_.Page();
    const int t = k->tag();
    if (t != 1 && page.MicLink == 1)
        CopyLinkedChannel(SecMic1);
    page.MicLink = t;
    buttons_.ButtonState(s_.Find(page.MicLink == 2 ? "FormMICBTabBtn" : "FormMICATabBtn"),
                         kModePageButton);
    const int value = buttons_.ButtonState(button, kModeLinkButtons);
    s_.Send(MakeAddress(SecMic1, kMicLinkSlot), value);
    if (t == 1)
        CopyLinkedChannel(SecMic1);
    if (s_.SelectPage)
        page.CurrentEqAddress = s_.SelectPage(page.CurrentPage);
    refresh_.RefreshPage(page.CurrentSection);
    const int band = page.SelectedBands[size_t(std::clamp(SlotOf(page.CurrentEqAddress), 0, 7))];
    if (s_.RedrawEQ)
        s_.RedrawEQ(band, page.CurrentSection);
}

void ChannelCopy::CopyBtn1Click(int dst) {
    menuArmed_ = false;
    LinkContext& link = s_.Link();
    link.Vars.Queue.Reset();
    PageState& page = s_.Page();
    const int src = page.OutputSection - page.SingDisco;
    if (dst == src || OutputOfSection(dst) == 0 || OutputOfSection(src) == 0)
        return;
    ParamTable& device = s_.Device();
    for (int k = 0; k < kOutputCopySlots; ++k) {
        device.At(dst, k) = device.At(src, k);
        device.At(dst + 1, k) = device.At(src + 1, k);
    }
    if (link.Vars.LinkState == 2)
        s_.RunLink([dst](LinkContext& c) {
            c.Vars.StepPos = dst;
            c.Vars.StepTotal = dst + 1;
            DisCheckWindow(c, ModeSectionUpload);
        });
}

void ChannelCopy::AdvTabSheet4_MainMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods) {
    menuArmed_ = mods.testFlag(Qt::ControlModifier);
    if (menuArmed_ && button == Qt::RightButton)
        if (auto* menu = s_.Form().findChild<QMenu*>("CopyPopupMenu"))
            menu->popup(QCursor::pos());
}

} // namespace dsp
