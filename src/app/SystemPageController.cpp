#include "app/SystemPageController.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "app/LangMessages.h"
#include "app/LangTexts.h"
#include "app/MainWindow.h"
#include "forms/kit/Kit.h"
#include "link/Frames.h"
#include "link/WritePath.h"
#include "params/SectionMap.h"

namespace dsp {

namespace {

constexpr int kVolumeSlots = 9;
constexpr int kMasterKind = 0; // slots 0-2
constexpr int kMaxKind = 1;    // slots 3-5
constexpr int kStartKind = 2;  // slots 6-8

// The bars of section 25 by slot; each has a companion pane named …Pane.
constexpr const char* kVolumeBars[kVolumeSlots] = {
    "SysMicNormalVolBar", "SysMusNormalVolBar", "SysEffNormalVolBar",
    "SysMicMaxVolBar",    "SysMusMaxVolBar",    "SysEffMaxVolBar",
    "SysMicStartVolBar",  "SysMusStartVolBar",  "SysEffStartVolBar"};

constexpr Address kVolRunAddress = MakeAddress(SecSysVol, 9);
constexpr Address kPanelLockAddress = MakeAddress(SecSystem, 4);
constexpr Address kLRAddress = MakeAddress(SecSystem, 3);
constexpr Address kInputAddress = MakeAddress(SecMusic, 65);
constexpr int kInputCountSlot = 20; // DeviceTable (30, 20): last input the device offers
constexpr int kBlueNameLength = 20;

// a / b rounded to the nearest integer, halves to even (b > 0).
int RoundHalfEven(int a, int b) {
    int q = a / b;
    int r = a % b;
    if (r < 0) {
        r += b;
        --q;
    }
    if (2 * r > b || (2 * r == b && (q & 1)))
        ++q;
    return q;
}

// Device slot of section 0 that holds the volume of an input: 0 auto and analog 1, 1 analog 2,
// 2 Bluetooth, 3 optical, 4 USB, 5 any HDMI input.
int GainSlotOfInput(int input) {
    if (input <= 1)
        return 0;
    if (input >= 6)
        return 5;
    return input - 1;
}

std::u16string_view Utf16(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())};
}

} // namespace

int MarkerLeftOf(int value) {
    return RoundHalfEven(189 * value + 100 * kMarkerLeftMin, 100);
}

int MarkerValueOf(int left) {
    return RoundHalfEven(100 * (left - kMarkerLeftMin), 189);
}

SystemPageController::SystemPageController(TForm1& form, LinkContext& link, LangMessages& messages,
                                           QObject* parent)
    : QObject(parent), form_(form), link_(link), messages_(messages), variant_(form.variant()) {
    const char* maxNames[3] = {"MicMaxImage", "MusMaxImage", "EffMaxImage"};
    const char* startNames[3] = {"MicStartImage", "MusStartImage", "EffStartImage"};
    const char* labelNames[3] = {"micLabel", "musLabel", "EffLabel"};
    for (int t = 0; t < 3; ++t) {
        maxMarkers_[t] = form_.findChild<MarkerImage*>(maxNames[t]);
        startMarkers_[t] = form_.findChild<MarkerImage*>(startNames[t]);
        valueLabels_[t] = form_.findChild<QWidget*>(labelNames[t]);
    }
    for (int slot = 0; slot < kVolumeSlots; ++slot)
        bars_[slot] = form_.findChild<TrackBar*>(kVolumeBars[slot]);
    ConnectControls();
    // Panes and markers show the bars as they are until the first refresh loads them.
    for (int slot = 0; slot < kVolumeSlots; ++slot) {
        const QString pane = QString(kVolumeBars[slot]).replace("Bar", "Pane");
        if (auto* p = form_.findChild<StatusPane*>(pane); p && bars_[slot])
            p->setText(QString::number(bars_[slot]->position()));
    }
    for (int t = 0; t < 3; ++t)
        PlaceMarkers(t);
}

void SystemPageController::ConnectControls() {
    const char* bars[kVolumeSlots] = {
        "SysMicNormalVolBar", "SysMusNormalVolBar", "SysEffNormalVolBar",
        "SysMicMaxVolBar",    "SysMusMaxVolBar",    "SysEffMaxVolBar",
        "SysMicStartVolBar",  "SysMusStartVolBar",  "SysEffStartVolBar"};
    for (const char* name : bars)
        if (auto* bar = form_.findChild<TrackBar*>(name))
            connect(bar, &QAbstractSlider::valueChanged, this,
                    [this, bar] { SysMusNormalVolBarChange(bar); });

    for (auto* list : {&maxMarkers_, &startMarkers_})
        for (MarkerImage* m : *list) {
            if (!m)
                continue;
            connect(m, &MarkerImage::pressed, this,
                    [this, m](Qt::MouseButton b, QPoint p) { MusStartImageMouseDown(m, b, p); });
            connect(m, &MarkerImage::moved, this,
                    [this, m](Qt::MouseButtons, QPoint p) { MusStartImageMouseMove(m, p); });
            connect(m, &MarkerImage::released, this,
                    [this, m](Qt::MouseButton, QPoint) { MusStartImageMouseUp(m); });
        }

    QStringList selectors = {"SysVolRunBtn1", "SysVolRunBtn2", "SysPanelBtn1", "SysPanelBtn2"};
    if (variant_ == Variant::B)
        selectors << "SysLRBtn1"
                  << "SysLRBtn2";
    for (const QString& name : selectors)
        if (auto* b = form_.findChild<BmpButton*>(name))
            connect(b, &QAbstractButton::clicked, this, [this, b] { SysMusInputLevelClick(b); });

    // The user's choice only: a list refilled by the program reports nothing.
    for (const char* name : {"SysInputBox", "AUXGainBox", "SysCenRoutingBox", "SysSubRoutingBox"})
        if (auto* box = form_.findChild<ComboBox*>(name))
            connect(box, &QComboBox::activated, this, [this, box] { SysInputBoxChange(box); });

    if (auto* ok = form_.findChild<BmpButton*>("RzBmpButton5"))
        connect(ok, &QAbstractButton::clicked, this, &SystemPageController::RzBmpButton5Click);
    // The device takes one byte per character: the name is kept to printable ASCII.
    if (auto* name = form_.findChild<ValueEdit*>("BlueNameEdit"))
        name->setValidator(
            new QRegularExpressionValidator(QRegularExpression("[\\x20-\\x7E]{0,20}"), name));
}

TrackBar* SystemPageController::VolumeBar(int slot) const {
    return bars_[slot];
}

bool SystemPageController::MoveBar(TrackBar* bar, int value) {
    if (!bar || bar->position() == value)
        return false;
    bar->setPosition(value);
    return bar->position() == value;
}

void SystemPageController::SysMusNormalVolBarChange(TrackBar* bar) {
    PageState& page = link_.Page;
    if (!bar || page.SetFromControl)
        return;
    const Address address = bar->tag();
    if (SectionOf(address) != SecSysVol || SlotOf(address) >= kVolumeSlots)
        return;
    const int slot = SlotOf(address);
    const int triple = slot % 3;
    const int kind = slot / 3;
    TrackBar* master = VolumeBar(triple);
    TrackBar* maximum = VolumeBar(3 + triple);
    TrackBar* start = VolumeBar(6 + triple);
    auto* pane = qobject_cast<StatusPane*>(form_.binding().PaneBind(address));
    if (!master || !maximum || !start || !pane)
        return;
    const bool clamp = !page.SuppressSend;

    // A master rises by one step per change; the re-raised change does the rest.
    const int prev = pane->hint().toInt();
    if (kind == kMasterKind && bar->position() > prev && clamp && MoveBar(bar, prev + 1))
        return;

    const int top = maximum->position();
    switch (kind) {
    case kMasterKind:
        if (clamp && master->position() > top && MoveBar(master, top))
            return;
        pane->setText(QString::number(master->position()));
        break;
    case kStartKind:
        if (clamp && start->position() > top && MoveBar(start, top))
            return;
        pane->setText(QString::number(start->position()));
        break;
    case kMaxKind:
        if (clamp) {
            if (start->position() > top)
                MoveBar(start, top);
            if (master->position() > top)
                MoveBar(master, top);
        }
        pane->setText(QString::number(top));
        break;
    }
    pane->setHint(QString::number(bar->position()));
    PlaceMarkers(triple);
    if (kind != kMasterKind)
        if (KitControl* label = AsKit(valueLabels_[triple]))
            label->setCaption(pane->hint());
    SendDatatoMCU(link_, address, bar->position());
}

void SystemPageController::PlaceMarkers(int triple) {
    if (MarkerImage* m = startMarkers_[triple]; m && VolumeBar(6 + triple))
        m->move(MarkerLeftOf(VolumeBar(6 + triple)->position()), m->y());
    if (MarkerImage* m = maxMarkers_[triple]; m && VolumeBar(3 + triple))
        m->move(MarkerLeftOf(VolumeBar(3 + triple)->position()), m->y());
}

void SystemPageController::MusStartImageMouseDown(MarkerImage* image, Qt::MouseButton button,
                                                  QPoint pos) {
    dragIndex_ = image->tag();
    if (button != Qt::LeftButton)
        return;
    dragLastX_ = pos.x();
    dragLastY_ = pos.y();
    dragInProgress_ = true;
}

void SystemPageController::MusStartImageMouseMove(MarkerImage* image, QPoint pos) {
    if (!dragInProgress_)
        return;
    const int left = image->x();
    if (left < kMarkerLeftMin || left > kMarkerLeftMax)
        image->move(std::clamp(left, kMarkerLeftMin, kMarkerLeftMax), image->y());
    if (pos.x() != dragLastX_)
        image->move(image->x() + pos.x() - dragLastX_, image->y());
    const Address address = image->tag();
    if (!IsValidAddress(address))
        return;
    if (auto* bar = qobject_cast<TrackBar*>(form_.binding().CtrlBind(address)))
        bar->setPosition(MarkerValueOf(image->x()));
    if (SectionOf(address) == SecSysVol && SlotOf(address) >= 3 && SlotOf(address) <= 5)
        if (QWidget* label = valueLabels_[SlotOf(address) % 3])
            label->show();
}

void SystemPageController::MusStartImageMouseUp(MarkerImage*) {
    if (!dragInProgress_)
        return;
    dragInProgress_ = false;
    for (QWidget* label : valueLabels_)
        if (label)
            label->hide();
}

void SystemPageController::SysMusInputLevelClick(BmpButton* button) {
    if (!button)
        return;
    const Address address = button->tag();
    const char* names[2] = {nullptr, nullptr};
    if (address == kVolRunAddress)
        names[0] = "SysVolRunBtn1", names[1] = "SysVolRunBtn2";
    else if (address == kPanelLockAddress)
        names[0] = "SysPanelBtn1", names[1] = "SysPanelBtn2";
    else if (address == kLRAddress && variant_ == Variant::B)
        names[0] = "SysLRBtn1", names[1] = "SysLRBtn2";
    else
        return;
    auto* first = form_.findChild<BmpButton*>(names[0]);
    auto* second = form_.findChild<BmpButton*>(names[1]);
    if (!first || !second)
        return;
    const int value = button->hint().toInt();
    first->setHint("0");
    second->setHint("1");
    first->setFace(value == 0 ? BmpButton::Face::Down : BmpButton::Face::Normal);
    second->setFace(value != 0 ? BmpButton::Face::Down : BmpButton::Face::Normal);
    SendDatatoMCU(link_, address, value);
}

void SystemPageController::SysInputBoxChange(ComboBox* box) {
    // A list being refilled has no item for a moment: that is no choice to write.
    if (!box || box->currentIndex() < 0 || !IsValidAddress(box->tag()))
        return;
    const int item = box->currentIndex();
    SendDatatoMCU(link_, box->tag(), item);
    if (box->objectName() != QLatin1String("SysInputBox"))
        return;

    SetMusicGainEnabled(item != 0);
    const int slot = GainSlotOfInput(item);
    const int32_t raw = link_.Store.DeviceTable.At(SecMusic, slot);
    if (auto* edit = form_.findChild<ValueEdit*>("MusGain1Edit"))
        edit->setText(QString::number(raw / 2.0 - 10.0, 'f', 1) + "dB");
    link_.Store.ViewTable.At(SecMusic, 0) = raw;
    NameInputVolume(item);
}

void SystemPageController::SetMusicGainEnabled(bool enabled) {
    for (const char* name : {"MusGain1Edit", "MusGain1UpDown"})
        if (QWidget* w = form_.findChild<QWidget*>(name))
            w->setEnabled(enabled);
}

void SystemPageController::NameInputVolume(int item) {
    if (KitControl* label = AsKit(form_.findChild<QWidget*>("InputLabel"))) {
        const LangPair name = InputVolumeName(item);
        label->setCaption(LangText(name, link_.Page.UiLanguage));
        label->setHint(LangText(name, 1 - link_.Page.UiLanguage));
    }
}

void SystemPageController::RelistInputs() {
    auto* box = form_.findChild<ComboBox*>("SysInputBox");
    if (!box)
        return;
    const int last =
        std::clamp<int>(link_.Store.DeviceTable.At(SecSystem, kInputCountSlot), 0, kInputCount - 1);
    const QSignalBlocker quiet(box);
    const int item = box->currentIndex();
    box->clear();
    for (int i = 0; i <= last; ++i)
        box->addItem(LangText(kInputNames[i], link_.Page.UiLanguage));
    box->setCurrentIndex(item);
    NameInputVolume(std::max(item, 0));
}

void SystemPageController::RzBmpButton5Click() {
    auto* label = form_.findChild<TextLabel*>("BlueStrLabel");
    auto* edit = form_.findChild<ValueEdit*>("BlueNameEdit");
    if (!label || !edit)
        return;
    if (!messages_.AskYesNo(QStringLiteral("Confirm"), label->text() + "?"))
        return;
    const QString name = edit->text().left(kBlueNameLength);
    SendStrData(link_.Ports, kAddrBluetoothName, Utf16(name));
}

} // namespace dsp
