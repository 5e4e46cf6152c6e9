#include "presets/ModesController.h"

#include <QWidget>
#include <string>

#include "forms/kit/Kit.h"
#include "link/Frames.h"
#include "link/LinkMachine.h"
#include "link/WritePath.h"
#include "params/SectionMap.h"
#include "presets/PresetUi.h"

namespace dsp {

namespace {

// Slots of section 30 holding the current mode of each bank (0-based).
constexpr int kCurrentModeSlot1 = 2;
constexpr int kCurrentModeSlot2 = 34;
constexpr LinkText kTextSaving = {"保存中...", "Saving..."};

template <class T> T* Find(QWidget& root, const char* name) {
    return root.findChild<T*>(QString::fromLatin1(name));
}

// The name as the device will hold it: the low byte of each character, and the bytes the link
// shows as "?" when it reads names back.
std::string DeviceName(const QString& name) {
    std::string out;
    for (QChar c : name) {
        const auto b = static_cast<uint8_t>(c.unicode() & 0xFF);
        out.push_back(b < 0x1E || b > 0x7F ? '?' : static_cast<char>(b));
    }
    return out;
}

} // namespace

ModesController::ModesController(QWidget& root, PresetLink& link, const PresetUi& ui,
                                 QObject* parent)
    : QObject(parent), root_(root), link_(link), ui_(ui) {
    modeBox_ = Find<ComboBox>(root, "SysModeBox");
    mode2Box_ = Find<ComboBox>(root, "SysMode2Box");
    mode3Box_ = Find<ComboBox>(root, "SysMode3Box");
    nameEdit_ = Find<ValueEdit>(root, "PresetModeEdit");
    name2Edit_ = Find<ValueEdit>(root, "PresetMode2Edit");
    name3Edit_ = Find<ValueEdit>(root, "PresetMode3Edit");
    loadBtn_ = Find<BmpButton>(root, "SysLoadModeBtn");
    saveBtn_ = Find<BmpButton>(root, "SysSaveModeBtn");
    load2Btn_ = Find<BmpButton>(root, "SysLoad2ModeBtn");
    load3Btn_ = Find<BmpButton>(root, "SysLoad3ModeBtn");
    save2Btn_ = Find<BmpButton>(root, "SysSave2ModeBtn");
    factory_[0] = Find<BmpButton>(root, "SysFactoryBtn");
    for (int i = 1; i < 7; ++i)
        factory_[size_t(i)] = root.findChild<BmpButton*>(QString("SysFactoryBtn%1").arg(i + 1));
    pages_ = Find<PageControl>(root, "AdvPageControl1");
    ConnectControls();
}

void ModesController::ConnectControls() {
    // The change handlers follow the user's choice only; a list filled by the program runs
    // them itself where it should.
    if (modeBox_)
        connect(modeBox_, &QComboBox::activated, this, &ModesController::SysModeBoxChange);
    if (mode2Box_)
        connect(mode2Box_, &QComboBox::activated, this, &ModesController::SysMode2BoxChange);
    if (mode3Box_)
        connect(mode3Box_, &QComboBox::activated, this, &ModesController::SysMode3BoxChange);
    for (BmpButton* b : {loadBtn_, saveBtn_}) {
        if (b)
            connect(b, &QAbstractButton::clicked, this, [this, b] { SysLoadModeBtnClick(b); });
    }
    for (BmpButton* b : {load2Btn_, load3Btn_, save2Btn_}) {
        if (b)
            connect(b, &QAbstractButton::clicked, this, [this, b] { SysLoad2ModeBtnClick(b); });
    }
    for (BmpButton* b : factory_) {
        if (b)
            connect(b, &QAbstractButton::clicked, this, [this, b] { SysFactoryBtnClick(b); });
    }
}

QString ModesController::NameOfLine(const QString& line, int index) {
    const int k = index < 9 ? 3 : index < 16 ? 4 : 5;
    return line.size() < k ? QString() : line.mid(k - 1);
}

QString ModesController::LineOf(int index, const QString& name) {
    return QString::number(index + 1) + QLatin1Char('-') + name;
}

int ModesController::CurrentMode(int bank) const {
    return link_.Context().Store.DeviceTable.At(SecSystem,
                                                bank == 1 ? kCurrentModeSlot1 : kCurrentModeSlot2);
}

void ModesController::FillList(ComboBox* box, int bank) {
    if (!box)
        return;
    const LinkVars& v = link_.Context().Vars;
    const auto& names = bank == 1 ? v.ModeNames : v.ModeNames2;
    QStringList lines;
    for (int i = 0; i < ModeCount; ++i)
        lines << LineOf(i, QString::fromLatin1(names[size_t(i)]));
    box->clear();
    box->addItems(lines);
}

void ModesController::FillModeLists() {
    FillList(modeBox_, 1);
    FillList(mode2Box_, 2);
    FillList(mode3Box_, 2);
    if (modeBox_)
        modeBox_->setCurrentIndex(CurrentMode(1));
    SysModeBoxChange();
    const int mode2 = CurrentMode(2);
    if (mode2Box_)
        mode2Box_->setCurrentIndex(mode2);
    SysMode2BoxChange();
    if (mode3Box_)
        mode3Box_->setCurrentIndex(mode2);
    SysMode3BoxChange();
    if (saveBtn_)
        saveBtn_->setEnabled(true);
}

void ModesController::ShowFactoryButtons() {
    const int m = CurrentMode(1);
    for (int j = 0; j < 6; ++j) {
        if (BmpButton* b = factory_[size_t(j)])
            b->setFace(m == j ? BmpButton::Face::Down : BmpButton::Face::Normal);
    }
    BmpButton* more = factory_[6];
    if (!more)
        return;
    const QString caption = m < 6 ? QStringLiteral("...") : QString::number(m + 1);
    more->setTexts(caption, caption); // a language switch keeps the number
    more->setText(caption);
    more->setFace(m < 6 ? BmpButton::Face::Normal : BmpButton::Face::Down);
}

void ModesController::ModeListChanged(int bank) {
    if (bank == 1) {
        const int kept = modeBox_ ? modeBox_->currentIndex() : -1;
        FillList(modeBox_, 1);
        if (modeBox_)
            modeBox_->setCurrentIndex(kept);
        return;
    }
    const int kept = mode2Box_ ? mode2Box_->currentIndex() : -1;
    FillList(mode2Box_, 2);
    FillList(mode3Box_, 2);
    if (mode3Box_)
        mode3Box_->setCurrentIndex(kept);
    if (mode2Box_)
        mode2Box_->setCurrentIndex(kept);
}

void ModesController::ShowLineName(ComboBox* box, ValueEdit* edit) {
    if (!box || !edit)
        return;
    edit->setText(NameOfLine(box->currentText(), box->currentIndex()));
}

void ModesController::SysModeBoxChange() {
    ShowLineName(modeBox_, nameEdit_);
    if (saveBtn_)
        saveBtn_->setEnabled(true);
}

void ModesController::SysMode2BoxChange() {
    ShowLineName(mode2Box_, name2Edit_);
    if (save2Btn_)
        save2Btn_->setEnabled(true);
}

void ModesController::SysMode3BoxChange() {
    ShowLineName(mode3Box_, name3Edit_);
}

void ModesController::Recall(ComboBox* box, int bank) {
    const int i = box ? box->currentIndex() : -1;
    // Only the device's 16 modes can be recalled (before the first link the list shows more
    // lines than that).
    if (i >= 0 && i < ModeCount) {
        const QString line = box->currentText();
        const QString question = ui_.Pick(QStringLiteral("模式切换为") + line + QLatin1Char('?'),
                                          QStringLiteral("Load Mode to") + line + QLatin1Char('?'));
        if (ui_.Ask && ui_.Ask(&root_, QStringLiteral("Confirm"), question, AskButtons::YesNo)) {
            const Address command = bank == 1 ? kAddrRecall1 : kAddrRecall2;
            link_.Run([&](LinkContext& c) { SendDatatoMCU(c, command, i); });
        }
    }
    if (bank == 1)
        ShowFactoryButtons();
}

void ModesController::Save(ComboBox* box, ValueEdit* edit, int bank) {
    const int i = box ? box->currentIndex() : -1;
    if (i < 0 || i >= ModeCount || !edit)
        return;
    // Offline the name frame would go nowhere and the completion would report a save that
    // never happened once the link comes up.
    if (link_.Context().Vars.LinkState != 2)
        return;
    const QString name = edit->text().left(kModeNameLength);
    const QString line = LineOf(i, name);
    const QString question = ui_.Pick(QStringLiteral("保存当前模式为 ") + line + QLatin1Char('?'),
                                      QStringLiteral("Save Mode to ") + line + QLatin1Char('?'));
    if (!ui_.Ask || !ui_.Ask(&root_, QStringLiteral("Confirm"), question, AskButtons::YesNo))
        return;

    std::u16string text;
    text.push_back(char16_t(i));
    text.push_back(char16_t(0));
    for (QChar c : name)
        text.push_back(c.unicode());
    link_.Run([&](LinkContext& c) {
        LinkVars& v = c.Vars;
        (bank == 1 ? v.ModeNames : v.ModeNames2)[size_t(i)] = DeviceName(name);
        SendStrData(c.Ports, bank == 1 ? kAddrNameWrite1 : kAddrNameWrite2, text);
        v.PendingAction = bank == 1 ? ModeNamesSaved1 : ModeNamesSaved2;
        LinkLabelWindow(c, kTextSaving);
        v.LinkState = 0;
        v.MissCount = 0;
    });
}

void ModesController::SysLoadModeBtnClick(QObject* sender) {
    if (sender == saveBtn_)
        Save(modeBox_, nameEdit_, 1);
    else
        Recall(modeBox_, 1);
}

void ModesController::SysLoad2ModeBtnClick(QObject* sender) {
    if (sender == save2Btn_)
        Save(mode2Box_, name2Edit_, 2);
    else if (sender == load3Btn_)
        Recall(mode3Box_, 2);
    else
        Recall(mode2Box_, 2);
}

void ModesController::SysFactoryBtnClick(QObject* sender) {
    if (link_.Context().Vars.LinkState != 2)
        return;
    auto* button = qobject_cast<BmpButton*>(sender);
    if (!button)
        return;
    const QString caption = button->text();
    if (caption == QLatin1String("...")) {
        if (pages_)
            pages_->setCurrentIndex(1);
        return;
    }
    bool ok = false;
    const int n = caption.toInt(&ok);
    if (!ok || !modeBox_)
        return;
    modeBox_->setCurrentIndex(n - 1);
    SysModeBoxChange();
    Recall(modeBox_, 1);
}

} // namespace dsp
