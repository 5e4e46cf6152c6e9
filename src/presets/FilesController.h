#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "params/Variant.h"
#include "presets/ParamFile.h"
#include "presets/PresetFolders.h"

class QListWidget;
class QMenu;
class QTableWidget;
class QWidget;

namespace dsp {

class BmpButton;
class PresetLink;
class ValueEdit;
struct PresetUi;

// Parameter files in the main window: the whole-device files (ValueListEditor1, FileEdit,
// RzBmpButton120 save, RzBmpButton119 load, delete from DeletePopupMenu) and the hidden
// page's EQ files (ValueListEditor2, FileEdit2, HintSavetoPCBtn, HintLoadPCBtn). Files are
// written from DeviceTable; a good load goes into DeviceTable and, online, is downloaded into
// the device (DisCheckWindow 6 or 8).
class FilesController : public QObject {
    Q_OBJECT
public:
    FilesController(QWidget& root, PresetLink& link, const PresetUi& ui, Variant variant,
                    QObject* parent = nullptr);
    ~FilesController() override;

    // Whether the main window has finished showing: a click in a file list then also gives
    // the name box the focus. Default: never.
    std::function<bool()> WindowShown;

    // Show step of the main window: chooses and creates the folders (modeRoot is the Mode
    // folder below the program's folder) and lists both kinds. appDataFolder overrides the
    // user's application-data folder used when the program's folder is not writable.
    void PreparePresetFiles(const QString& modeRoot, const QString& appDataFolder = QString());
    const PresetFolderChoice& Folders() const { return folders_; }

    // Refreshes the list of one kind: the value-list editor, the hidden file list box and
    // FileNames; the name box takes the value of the editor's current row.
    void ListParamFiles(ParamFileKind kind);
    // The names (without extension) found by the last listing.
    const QStringList& FileNames(ParamFileKind kind) const { return names_[Index(kind)]; }

    // Handlers. Sender: RzBmpButton120 or HintSavetoPCBtn (save), RzBmpButton119 or
    // HintLoadPCBtn (load).
    void RzBmpButton120Click(QObject* sender);
    void RzBmpButton119Click(QObject* sender);
    void SaveFile(ParamFileKind kind);
    void LoadFile(ParamFileKind kind);
    // DeletePopupMenu's "刪除": deletes the whole-device file of the current row, no question.
    void DeleteMenuItemClick();
    // A click on a row of a value-list editor.
    void ValueListEditorClick(ParamFileKind kind, int row);

    QTableWidget* ValueListEditor(ParamFileKind kind) const { return lists_[Index(kind)]; }
    ValueEdit* NameBox(ParamFileKind kind) const { return edits_[Index(kind)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    static size_t Index(ParamFileKind kind) { return kind == ParamFileKind::WholeDevice ? 0 : 1; }
    void ConnectControls();
    void ShowResult(const ParamFileResult& result);
    bool NameUsable(const QString& name);
    bool ConfirmOverwrite(ParamFileKind kind, const QString& name);

    QWidget& root_;
    PresetLink& link_;
    const PresetUi& ui_;
    Variant variant_;
    PresetFolderChoice folders_;

    std::array<QTableWidget*, 2> lists_{}; // ValueListEditor1, ValueListEditor2
    std::array<QListWidget*, 2> boxes_{};  // FileListBox1, FileListBox2 (hidden)
    std::array<ValueEdit*, 2> edits_{};    // FileEdit, FileEdit2
    std::array<BmpButton*, 2> saveBtns_{}; // RzBmpButton120, HintSavetoPCBtn
    std::array<BmpButton*, 2> loadBtns_{}; // RzBmpButton119, HintLoadPCBtn
    QMenu* deleteMenu_ = nullptr;          // DeletePopupMenu
    std::array<QStringList, 2> names_;
};

} // namespace dsp
