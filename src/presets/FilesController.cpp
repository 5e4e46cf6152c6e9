#include "presets/FilesController.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QWidget>
#include <algorithm>

#include "forms/kit/Kit.h"
#include "link/LinkMachine.h"
#include "presets/PresetUi.h"

namespace dsp {

namespace {

QString QtPath(const std::filesystem::path& p) {
    return QString::fromStdU16String(p.u16string());
}

} // namespace

FilesController::FilesController(QWidget& root, PresetLink& link, const PresetUi& ui,
                                 Variant variant, QObject* parent)
    : QObject(parent), root_(root), link_(link), ui_(ui),
      variant_(variant), folders_{ParamFolders(std::filesystem::path()), false, false} {
    lists_ = {root.findChild<QTableWidget*>("ValueListEditor1"),
              root.findChild<QTableWidget*>("ValueListEditor2")};
    boxes_ = {root.findChild<QListWidget*>("FileListBox1"),
              root.findChild<QListWidget*>("FileListBox2")};
    edits_ = {root.findChild<ValueEdit*>("FileEdit"), root.findChild<ValueEdit*>("FileEdit2")};
    saveBtns_ = {root.findChild<BmpButton*>("RzBmpButton120"),
                 root.findChild<BmpButton*>("HintSavetoPCBtn")};
    loadBtns_ = {root.findChild<BmpButton*>("RzBmpButton119"),
                 root.findChild<BmpButton*>("HintLoadPCBtn")};
    deleteMenu_ = root.findChild<QMenu*>("DeletePopupMenu");
    ConnectControls();
}

// The lists drop this filter themselves when it is destroyed.
FilesController::~FilesController() = default;

void FilesController::ConnectControls() {
    for (BmpButton* b : saveBtns_) {
        if (b)
            connect(b, &QAbstractButton::clicked, this, [this, b] { RzBmpButton120Click(b); });
    }
    for (BmpButton* b : loadBtns_) {
        if (b)
            connect(b, &QAbstractButton::clicked, this, [this, b] { RzBmpButton119Click(b); });
    }
    for (ParamFileKind kind : {ParamFileKind::WholeDevice, ParamFileKind::HiddenEq}) {
        QTableWidget* list = lists_[Index(kind)];
        if (!list)
            continue;
        // The lists only choose a name: nothing in them can be edited from the keyboard.
        list->installEventFilter(this);
        connect(list, &QTableWidget::cellClicked, this,
                [this, kind](int row, int) { ValueListEditorClick(kind, row); });
    }
    if (QTableWidget* list = lists_[0]; list && deleteMenu_) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& p) {
            deleteMenu_->popup(list->viewport()->mapToGlobal(p));
        });
        if (auto* item = deleteMenu_->findChild<QAction*>("DeleteMenuItem"))
            connect(item, &QAction::triggered, this, &FilesController::DeleteMenuItemClick);
    }
}

bool FilesController::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        for (QTableWidget* list : lists_) {
            if (list && watched == list)
                return true;
        }
    }
    return QObject::eventFilter(watched, e);
}

void FilesController::PreparePresetFiles(const QString& modeRoot, const QString& appDataFolder) {
    const QString programFolder = QFileInfo(modeRoot).absolutePath();
    folders_ = ChooseParamFolders(programFolder, appDataFolder);
    ListParamFiles(ParamFileKind::WholeDevice);
    ListParamFiles(ParamFileKind::HiddenEq);
}

void FilesController::ListParamFiles(ParamFileKind kind) {
    const size_t k = Index(kind);
    QStringList names;
    if (folders_.Ready) {
        for (const std::string& n : dsp::ListParamFiles(folders_.Folders, kind))
            names << QString::fromStdString(n);
    }
    names_[k] = names;

    if (QListWidget* box = boxes_[k]) {
        box->clear();
        for (const QString& n : names)
            box->addItem(n + QLatin1String(ParamFileExtension(kind)));
    }
    QTableWidget* list = lists_[k];
    QString current;
    if (list) {
        const int kept = list->currentRow();
        list->setRowCount(0);
        list->setRowCount(int(names.size()));
        for (int i = 0; i < names.size(); ++i) {
            list->setItem(i, 0, new QTableWidgetItem(QString::number(i)));
            list->setItem(i, 1, new QTableWidgetItem(names[i]));
        }
        if (!names.isEmpty()) {
            const int row = std::clamp(kept, 0, int(names.size()) - 1);
            list->setCurrentCell(row, 1);
            current = names[row];
        }
    }
    if (ValueEdit* edit = edits_[k])
        edit->setText(current);
}

void FilesController::ValueListEditorClick(ParamFileKind kind, int row) {
    QTableWidget* list = lists_[Index(kind)];
    ValueEdit* edit = edits_[Index(kind)];
    if (!list || !edit || row < 0 || row >= list->rowCount())
        return;
    const QTableWidgetItem* item = list->item(row, 1);
    const QString value = item ? item->text() : QString();
    edit->setText(QString::fromStdString(StripExtension(value.toStdString())));
    if (WindowShown && WindowShown())
        edit->setFocus();
}

void FilesController::ShowResult(const ParamFileResult& result) {
    if (result.ok())
        return;
    ui_.ShowLocalizedMessage(&root_, QString::fromStdString(ParamFileMessage(result, true)),
                             QString::fromStdString(ParamFileMessage(result, false)));
}

bool FilesController::NameUsable(const QString& name) {
    if (ParamFileNameProblem(name, true).isEmpty())
        return true;
    ui_.ShowLocalizedMessage(&root_, ParamFileNameProblem(name, true),
                             ParamFileNameProblem(name, false));
    return false;
}

bool FilesController::ConfirmOverwrite(ParamFileKind kind, const QString& name) {
    const QString caption = ui_.Pick(QStringLiteral("*系统提示*"), QStringLiteral("*Confirm*"));
    const QString question = ui_.Pick(QStringLiteral("文件已存在,覆盖它吗?"),
                                      QStringLiteral("File already exists, overwrite it right?"));
    auto ask = [&] { return ui_.Ask && ui_.Ask(&root_, caption, question, AskButtons::OkCancel); };
    // Asked once per listed file of that name.
    const qsizetype listed = names_[Index(kind)].count(name);
    for (qsizetype i = 0; i < listed; ++i) {
        if (!ask())
            return false;
    }
    // A file that appeared after the last listing is not replaced without asking either.
    if (listed == 0 && QFileInfo::exists(QtPath(folders_.Folders.FileOf(kind, name.toStdString()))))
        return ask();
    return true;
}

void FilesController::SaveFile(ParamFileKind kind) {
    ValueEdit* edit = edits_[Index(kind)];
    const QString name = edit ? edit->text() : QString();
    if (name.isEmpty() || !NameUsable(name))
        return;
    if (!ConfirmOverwrite(kind, name))
        return;
    const std::string stdName = name.toStdString();
    ParamFileResult result;
    if (!folders_.Ready ||
        folders_.Folders.FileOf(kind, stdName).parent_path() != folders_.Folders.FolderOf(kind))
        result = {ParamFileStatus::WriteFailed, folders_.Folders.FileOf(kind, stdName).string()};
    else
        result = SaveParamFile(folders_.Folders, kind, stdName, link_.Context().Store.DeviceTable);
    ShowResult(result);
    ListParamFiles(kind);
}

void FilesController::LoadFile(ParamFileKind kind) {
    ValueEdit* edit = edits_[Index(kind)];
    const QString name = edit ? edit->text() : QString();
    if (name.isEmpty() || !NameUsable(name))
        return;
    const QString question =
        ui_.Pick(QStringLiteral("加载模式：") + name + QStringLiteral(" ?"),
                 QStringLiteral("Load File Data：") + name + QStringLiteral(" ?"));
    if (!ui_.Ask || !ui_.Ask(&root_, QStringLiteral("Confirm"), question, AskButtons::YesNo))
        return;
    const ParamFileResult result = LoadParamFile(folders_.Folders, kind, name.toStdString(),
                                                 link_.Context().Store.DeviceTable, variant_);
    if (!result.ok()) {
        ShowResult(result);
        return;
    }
    // Online the whole table (or the hidden page's sections) goes to the device; offline the
    // values wait in DeviceTable.
    const int mode = ParamFileUploadMode(kind);
    link_.Run([mode](LinkContext& c) { DisCheckWindow(c, mode); });
}

void FilesController::RzBmpButton120Click(QObject* sender) {
    SaveFile(sender == saveBtns_[1] ? ParamFileKind::HiddenEq : ParamFileKind::WholeDevice);
}

void FilesController::RzBmpButton119Click(QObject* sender) {
    LoadFile(sender == loadBtns_[1] ? ParamFileKind::HiddenEq : ParamFileKind::WholeDevice);
}

void FilesController::DeleteMenuItemClick() {
    QTableWidget* list = lists_[0];
    const int row = list ? list->currentRow() : -1;
    const QTableWidgetItem* item = row >= 0 ? list->item(row, 1) : nullptr;
    const QString name = item ? item->text() : QString();
    if (name.isEmpty() || !folders_.Ready)
        return;
    const std::filesystem::path path =
        folders_.Folders.FileOf(ParamFileKind::WholeDevice, name.toStdString());
    if (path.parent_path() != folders_.Folders.ModeFolder)
        return;
    const QString shown = QDir::toNativeSeparators(QtPath(path));
    ui_.ShowLocalizedMessage(&root_, shown, shown);
    DeleteParamFile(folders_.Folders, ParamFileKind::WholeDevice, name.toStdString());
    ListParamFiles(ParamFileKind::WholeDevice);
}

} // namespace dsp
