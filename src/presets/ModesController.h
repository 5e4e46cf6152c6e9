#pragma once

#include <QObject>
#include <QString>
#include <array>

class QWidget;

namespace dsp {

class BmpButton;
class ComboBox;
class PageControl;
class PresetLink;
class ValueEdit;
struct PresetUi;

// The device's modes in the main window: the bank-1 list (SysModeBox) with its name edit and
// recall and save buttons, the two bank-2 lists of the hidden page (SysMode2Box with save,
// SysMode3Box recall only), and the seven quick buttons SysFactoryBtn … SysFactoryBtn7.
// A recall writes the mode's number (0x1E02 / 0x1E22), whose follow-up reloads what the mode
// changed; a save sends the name as a text frame (0x1E01 / 0x1E21) and the link completes it
// with ModeListChanged once the device has answered.
class ModesController : public QObject {
    Q_OBJECT
public:
    // root holds the controls (the main window); link and ui outlive this object.
    ModesController(QWidget& root, PresetLink& link, const PresetUi& ui, QObject* parent = nullptr);

    // Page refresh, mode lists: the 16 lines of each bank from ModeNames / ModeNames2, the
    // current modes of DeviceTable (30, 2) and (30, 34) selected with their change handlers
    // run, and the save buttons enabled.
    void FillModeLists();
    // Page refresh, quick buttons: the one of the current bank-1 mode shows pressed; the
    // seventh reads the mode's number from mode 7 on and "..." below.
    void ShowFactoryButtons();

    // A name save has completed (DisCheckWindow 3 for bank 1, 23 for bank 2): the bank's
    // lists are refilled and keep their selected line.
    void ModeListChanged(int bank);

    // Handlers.
    void SysModeBoxChange();
    void SysMode2BoxChange();
    void SysMode3BoxChange();
    // Sender: SysLoadModeBtn (recall) or SysSaveModeBtn (save).
    void SysLoadModeBtnClick(QObject* sender);
    // Sender: SysLoad2ModeBtn, SysLoad3ModeBtn (recall) or SysSave2ModeBtn (save).
    void SysLoad2ModeBtnClick(QObject* sender);
    // Sender: one of the quick buttons.
    void SysFactoryBtnClick(QObject* sender);

    // The name in a mode line: the text after the mode number and "-" ("3-KTV" gives "KTV",
    // "12-Party" gives "Party"); empty when the line is shorter.
    static QString NameOfLine(const QString& line, int index);
    // The line of mode i: its number from 1, "-" and the name.
    static QString LineOf(int index, const QString& name);

private:
    void ConnectControls();
    void FillList(ComboBox* box, int bank);
    void ShowLineName(ComboBox* box, ValueEdit* edit);
    void Recall(ComboBox* box, int bank);
    void Save(ComboBox* box, ValueEdit* edit, int bank);
    int CurrentMode(int bank) const;

    QWidget& root_;
    PresetLink& link_;
    const PresetUi& ui_;

    ComboBox* modeBox_ = nullptr;  // SysModeBox
    ComboBox* mode2Box_ = nullptr; // SysMode2Box
    ComboBox* mode3Box_ = nullptr; // SysMode3Box
    ValueEdit* nameEdit_ = nullptr;
    ValueEdit* name2Edit_ = nullptr;
    ValueEdit* name3Edit_ = nullptr;
    BmpButton* loadBtn_ = nullptr;
    BmpButton* saveBtn_ = nullptr;
    BmpButton* load2Btn_ = nullptr;
    BmpButton* load3Btn_ = nullptr;
    BmpButton* save2Btn_ = nullptr;
    std::array<BmpButton*, 7> factory_{};
    PageControl* pages_ = nullptr; // AdvPageControl1
};

} // namespace dsp
