// The three sheets of the settings page control: main setting (master volumes with their
// markers, mode quick buttons, key-panel password, TCP address), system setting (maximum
// volumes, device modes, PC files) and user setting (user/administrator, second mode list).
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "forms/Build.h"
#include "forms/Pages.h"

namespace dsp::forms {

namespace {

// Geometry of a volume row: the marker's Left is 53 + 1.89 * value, so the slider starts at 53
// and its thumb centre travels 84 * 1.89 pixels.
constexpr int kVolBarLeft = 53;
constexpr int kVolBarWidth = 173;
constexpr int kVolRowHeight = 34;
constexpr int kVolGroupWidth = 266;

struct VolumeRow {
    const char *bar, *pane, *zh, *en;
    const char *maxMarker, *startMarker, *valueLabel;
};

// Three volume rows of one kind ("0" master, "2" maximum) placed by hand in a group.
GroupBox* MakeVolumeGroup(QWidget* sheet, const QString& name, const QString& zh, const QString& en,
                          const VolumeRow (&rows)[3], const QString& kind) {
    GroupBox* g = MakeGroup(sheet, name, zh, en);
    g->setFixedSize(kVolGroupWidth, 20 + 3 * kVolRowHeight);
    for (int i = 0; i < 3; ++i) {
        const VolumeRow& r = rows[i];
        const int top = 18 + i * kVolRowHeight;
        TextLabel* l = MakeLabel(g, QString(r.bar) + "Label", r.zh, r.en);
        l->setGeometry(6, top + 10, kVolBarLeft - 8, 16);
        TrackBar* bar = MakeBar(g, r.bar, 84);
        bar->setLook("volume");
        bar->setHint(kind);
        bar->setGeometry(kVolBarLeft, top + 10, kVolBarWidth, 18);
        StatusPane* pane = MakePane(g, r.pane, 0);
        pane->setHint("0");
        pane->setText("0");
        pane->setFixedSize(34, 18);
        pane->move(kVolBarLeft + kVolBarWidth + 2, top + 10);
        if (r.maxMarker) {
            auto* mx = new MarkerImage(MarkerImage::Shape::MaxMarker, g);
            mx->setObjectName(r.maxMarker);
            mx->setGeometry(kVolBarLeft + 159, top, 14, 9); // maximum 84 at start
            auto* st = new MarkerImage(MarkerImage::Shape::StartMarker, g);
            st->setObjectName(r.startMarker);
            st->setGeometry(kVolBarLeft, top, 14, 9);
            st->hide();
            TextLabel* value = MakeLabel(g, r.valueLabel, "84", "84", false);
            value->setGeometry(kVolBarLeft + kVolBarWidth + 2, top - 4, 34, 14);
            value->setAlignment(Qt::AlignCenter);
            value->hide();
        }
    }
    return g;
}

BmpButton* Push(QWidget* p, const char* name, const char* zh, const char* en, int w = 0) {
    BmpButton* b = MakeBmp(p, name, BmpButton::Kind::Push, zh, en);
    b->setFixedHeight(22);
    if (w > 0)
        b->setFixedWidth(w);
    return b;
}

} // namespace

void BuildMainSettingSheet(TabSheet* sheet, Variant) {
    auto* v = new QVBoxLayout(sheet);
    v->setContentsMargins(2, 4, 2, 4);
    v->setSpacing(4);

    const VolumeRow master[3] = {{"SysMusNormalVolBar", "SysMusNormalVolPane", "音乐", "Music",
                                  "MusMaxImage", "MusStartImage", "musLabel"},
                                 {"SysMicNormalVolBar", "SysMicNormalVolPane", "麦克风", "MIC",
                                  "MicMaxImage", "MicStartImage", "micLabel"},
                                 {"SysEffNormalVolBar", "SysEffNormalVolPane", "效果", "Effect",
                                  "EffMaxImage", "EffStartImage", "EffLabel"}};
    v->addWidget(
        MakeVolumeGroup(sheet, "SysMasterVolGroup", "主音量", "Master Volume", master, "0"));

    GroupBox* quick = MakeGroup(sheet, "SysFactoryGroup", "调用模式：", "Load Mode:");
    auto* qh = new QHBoxLayout(quick);
    qh->setContentsMargins(6, 4, 6, 6);
    qh->setSpacing(4);
    for (int i = 0; i < 7; ++i) {
        const QString name =
            i == 0 ? QString("SysFactoryBtn") : QString("SysFactoryBtn%1").arg(i + 1);
        const QString text = i < 6 ? QString::number(i + 1) : QString("...");
        BmpButton* b = MakeBmp(quick, name, BmpButton::Kind::Push, text, text);
        b->setTag(i);
        b->setFixedSize(32, 24);
        qh->addWidget(b);
    }
    qh->addStretch(1);
    quick->setFixedWidth(kVolGroupWidth);
    v->addWidget(quick);

    GroupBox* pass = MakeGroup(sheet, "AdvGroupBox25", "面板密码", "Panel Password");
    auto* pg = new QGridLayout(pass);
    pg->setContentsMargins(6, 4, 6, 6);
    pg->setHorizontalSpacing(6);
    pg->setVerticalSpacing(4);
    pg->addWidget(MakeLabel(pass, "PassOldLabel", "原密码", "Password"), 0, 0);
    ValueEdit* old = MakeEdit(pass, "PassPanelLabel1", -1);
    old->setMaxLength(4);
    old->setEchoMode(QLineEdit::Password);
    pg->addWidget(old, 0, 1);
    pg->addWidget(Push(pass, "RzBmpButton22", "确定", "OK", 60), 0, 2);
    pg->addWidget(MakeLabel(pass, "PassNewLabel", "新密码", "New"), 1, 0);
    ValueEdit* fresh = MakeEdit(pass, "NewPassLabel1", -1);
    fresh->setMaxLength(4);
    fresh->setEnabled(false);
    pg->addWidget(fresh, 1, 1);
    pg->addWidget(Push(pass, "RzBmpButton23", "修改", "Modify", 60), 1, 2);
    pg->addWidget(MakeLabel(pass, "PanelLockLabel", "面板锁", "Panel Lock"), 2, 0);
    auto* lockRow = new QHBoxLayout;
    lockRow->setSpacing(4);
    BmpButton* off = MakeBmp(pass, "SysPanelBtn1", BmpButton::Kind::Selector, "禁用", "Disable");
    BmpButton* on = MakeBmp(pass, "SysPanelBtn2", BmpButton::Kind::Selector, "启用", "Enable");
    off->setHint("0");
    on->setHint("1");
    off->setFace(BmpButton::Face::Down);
    for (BmpButton* b : {off, on}) {
        b->setTag(30 * 256 + 4);
        b->setFixedSize(60, 22);
        lockRow->addWidget(b);
    }
    lockRow->addStretch(1);
    pg->addLayout(lockRow, 2, 1, 1, 2);
    pass->setFixedWidth(kVolGroupWidth);
    v->addWidget(pass);

    GroupBox* net = MakeGroup(sheet, "SysNetGroup", "网络连接", "Network");
    auto* ng = new QGridLayout(net);
    ng->setContentsMargins(6, 4, 6, 6);
    ng->setVerticalSpacing(4);
    ng->addWidget(MakeLabel(net, "IPstrLabel", "IP地址", "IP Address"), 0, 0);
    ValueEdit* ip = MakeEdit(net, "IPstrEdit", -1);
    ip->setText("127.0.0.1");
    ng->addWidget(ip, 0, 1);
    ng->addWidget(MakeLabel(net, "IPPortStrLabel", "端口", "Port"), 1, 0);
    ValueEdit* port = MakeEdit(net, "IPPortStrEdit", -1);
    port->setText("8899");
    ng->addWidget(port, 1, 1);
    net->setFixedWidth(kVolGroupWidth);
    v->addWidget(net);
    v->addStretch(1);
}

void BuildSystemSettingSheet(TabSheet* sheet, Variant) {
    auto* v = new QVBoxLayout(sheet);
    v->setContentsMargins(2, 4, 2, 4);
    v->setSpacing(4);

    const VolumeRow maxima[3] = {
        {"SysMusMaxVolBar", "SysMusMaxVolPane", "音乐", "Music", nullptr, nullptr, nullptr},
        {"SysMicMaxVolBar", "SysMicMaxVolPane", "麦克风", "MIC", nullptr, nullptr, nullptr},
        {"SysEffMaxVolBar", "SysEffMaxVolPane", "效果", "Effect", nullptr, nullptr, nullptr}};
    v->addWidget(MakeVolumeGroup(sheet, "SysMaxVolGroup", "最大音量", "Max Volume", maxima, "2"));

    GroupBox* modes = MakeGroup(sheet, "SysModeGroup", "设备模式", "Device Mode");
    QGridLayout* mg = MakeModeRows(modes, "SysModeBox", "PresetModeLabel", "PresetModeEdit");
    auto* row = new QHBoxLayout;
    row->addWidget(Push(modes, "SysLoadModeBtn", "调用设备模式", "Load Mode"));
    BmpButton* save = Push(modes, "SysSaveModeBtn", "保存设备模式", "Save Mode");
    save->setEnabled(false);
    row->addWidget(save);
    mg->addLayout(row, 2, 0, 1, 2);
    modes->setFixedWidth(kVolGroupWidth);
    v->addWidget(modes);

    GroupBox* files = MakeGroup(sheet, "SysFileGroup", "电脑数据", "PC Data");
    auto* fg = new QGridLayout(files);
    fg->setContentsMargins(6, 4, 6, 6);
    fg->setVerticalSpacing(4);
    fg->addWidget(Push(files, "RzBmpButton24", "单模式参数", "Alone Mode File"), 0, 0);
    fg->addWidget(Push(files, "RzBmpButton25", "整机参数", "All Mode File"), 0, 1);
    fg->addWidget(MakeFileList(files, "ValueListEditor1"), 1, 0, 1, 2);
    ValueEdit* file = MakeEdit(files, "FileEdit", -1);
    file->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fg->addWidget(file, 2, 0, 1, 2);
    fg->addWidget(Push(files, "RzBmpButton120", "保存数据到电脑", "Save Data to PC"), 3, 0);
    fg->addWidget(Push(files, "RzBmpButton119", "上传数据到设备", "Load File data"), 3, 1);
    auto* hiddenList = new QListWidget(files);
    hiddenList->setObjectName("FileListBox1");
    hiddenList->hide();
    files->setFixedWidth(kVolGroupWidth);
    v->addWidget(files, 1);
}

void BuildUserSettingSheet(TabSheet* sheet, Variant) {
    auto* v = new QVBoxLayout(sheet);
    v->setContentsMargins(2, 4, 2, 4);
    v->setSpacing(4);

    GroupBox* user = MakeGroup(sheet, "SysUserGroup", "使用模式", "Operating Mode");
    auto* ug = new QHBoxLayout(user);
    ug->setContentsMargins(6, 4, 6, 6);
    BmpButton* u = MakeBmp(user, "SysUserBtn", BmpButton::Kind::Selector, "用户", "User");
    BmpButton* m = MakeBmp(user, "SysManagerBtn", BmpButton::Kind::Selector, "管理员", "Admin");
    u->setHint("0");
    m->setHint("1");
    u->setFace(BmpButton::Face::Down);
    for (BmpButton* b : {u, m}) {
        b->setTag(30 * 256 + 8);
        b->setFixedSize(80, 24);
        ug->addWidget(b);
    }
    ug->addWidget(Push(user, "RzBmpButton118", "确定", "OK", 56));
    ug->addStretch(1);
    user->setFixedWidth(kVolGroupWidth);
    v->addWidget(user);

    GroupBox* load = MakeGroup(sheet, "SysHintLoadGrop", "调用模式", "Load Mode");
    QGridLayout* lg = MakeModeRows(load, "SysMode3Box", "PresetMode3Label", "PresetMode3Edit");
    lg->addWidget(Push(load, "SysLoad3ModeBtn", "调用设备模式", "Load Mode"), 2, 0, 1, 2);
    load->setFixedWidth(kVolGroupWidth);
    load->hide(); // shown by the page refresh when the device asks for it
    v->addWidget(load);
    v->addStretch(1);
}

} // namespace dsp::forms
