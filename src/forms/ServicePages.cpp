// The hidden EQ page, the auxiliary page with its two tabs, and the system management page.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "forms/BandStrip.h"
#include "forms/Build.h"
#include "forms/Pages.h"

namespace dsp::forms {

namespace {

QListWidget* MakeHiddenFileBox(QWidget* parent, const QString& name) {
    auto* l = new QListWidget(parent);
    l->setObjectName(name);
    l->hide();
    return l;
}

} // namespace

void BuildHintPage(TabSheet* sheet, Variant) {
    auto* h = new QHBoxLayout(sheet);
    h->setContentsMargins(3, 4, 4, 3);
    h->setSpacing(4);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(3);
    const char* names[4] = {"HintMusBtn", "HintMicABtn", "HintMicBBtn", "HintSysBtn"};
    const char* zh[4] = {"音乐", "话筒1", "话筒2", "系统设定"};
    const char* en[4] = {"Music", "MIC 1", "MIC 2", "System"};
    for (int i = 0; i < 4; ++i) {
        ToolButton* b = MakeTool(sheet, names[i], zh[i], en[i], i);
        b->setFixedSize(64, 26);
        b->setSelectedLook(i == 0);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    h->addLayout(buttons);

    // One group per band, so the page can show two or five bands.
    for (int n = 1; n <= 5; ++n) {
        GroupBox* g = MakeGroup(sheet, QString("HintEQGroupBox%1").arg(n), QString("EQ %1").arg(n),
                                QString("EQ %1").arg(n));
        auto* v = new QVBoxLayout(g);
        v->setContentsMargins(1, 2, 1, 1);
        v->addWidget(MakeBandColumn(g, {"Hint", "Hint", "Hint", n, n, 22, 2}));
        g->setFixedWidth(kBandColumnWidth + 4);
        h->addWidget(g);
    }

    // The second mode bank and the EQ files, shown for the system sub-page.
    auto* modePage = new QWidget(sheet);
    modePage->setObjectName("HintModePage");
    auto* mv = new QHBoxLayout(modePage);
    mv->setContentsMargins(0, 0, 0, 0);
    mv->setSpacing(4);

    GroupBox* modes = MakeGroup(modePage, "HintModeGroup", "保存 / 调用模式", "Save / Load Mode");
    QGridLayout* grid = MakeModeRows(modes, "SysMode2Box", "PresetMode2Label", "PresetMode2Edit");
    BmpButton* load =
        MakeBmp(modes, "SysLoad2ModeBtn", BmpButton::Kind::Push, "调用设备模式", "Load Mode");
    BmpButton* save =
        MakeBmp(modes, "SysSave2ModeBtn", BmpButton::Kind::Push, "保存设备模式", "Save Mode");
    save->setEnabled(false);
    load->setFixedHeight(24);
    save->setFixedHeight(24);
    grid->addWidget(load, 2, 0, 1, 2);
    grid->addWidget(save, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    modes->setFixedWidth(170);
    mv->addWidget(modes);

    GroupBox* files = MakeGroup(modePage, "HintFileGroup", "EQ文件", "EQ Files");
    auto* fv = new QGridLayout(files);
    fv->setContentsMargins(6, 4, 6, 6);
    fv->setVerticalSpacing(4);
    fv->addWidget(MakeFileList(files, "ValueListEditor2"), 0, 0, 1, 2);
    ValueEdit* fileName = MakeEdit(files, "FileEdit2", -1);
    fileName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fv->addWidget(fileName, 1, 0, 1, 2);
    BmpButton* toPc = MakeBmp(files, "HintSavetoPCBtn", BmpButton::Kind::Push, "保存数据到电脑",
                              "Save Data to PC");
    BmpButton* toDev =
        MakeBmp(files, "HintLoadPCBtn", BmpButton::Kind::Push, "上传数据到设备", "Load File data");
    toPc->setFixedHeight(24);
    toDev->setFixedHeight(24);
    fv->addWidget(toPc, 2, 0);
    fv->addWidget(toDev, 2, 1);
    MakeHiddenFileBox(files, "FileListBox2");
    mv->addWidget(files, 1);
    modePage->hide();
    h->addWidget(modePage, 1);
}

namespace {

// Start volumes, the mode-independent volume switch and the user EQ gain step.
QWidget* MakeAuxLeftColumn(QWidget* tab) {
    GroupBox* start = MakeGroup(tab, "AuxStartVolGroup", "起始音量", "Start Volume");
    auto* g = new QGridLayout(start);
    g->setContentsMargins(6, 4, 6, 5);
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(3);
    struct Row {
        const char *bar, *pane, *zh, *en;
    };
    const Row rows[3] = {{"SysMusStartVolBar", "SysMusStartVolPane", "音乐", "Music"},
                         {"SysMicStartVolBar", "SysMicStartVolPane", "麦克风", "MIC"},
                         {"SysEffStartVolBar", "SysEffStartVolPane", "效果", "Effect"}};
    for (int i = 0; i < 3; ++i) {
        g->addWidget(MakeLabel(start, QString(rows[i].bar) + "Label", rows[i].zh, rows[i].en), i,
                     0);
        TrackBar* bar = MakeBar(start, rows[i].bar, 84);
        bar->setLook("volume");
        bar->setHint("1");
        bar->setFixedWidth(120);
        g->addWidget(bar, i, 1);
        StatusPane* pane = MakePane(start, rows[i].pane, 0);
        pane->setHint("0");
        pane->setText("0");
        pane->setFixedWidth(36);
        g->addWidget(pane, i, 2);
    }

    GroupBox* run = MakeGroup(tab, "AuxVolRunGroup", "模式独立音量", "Mode Volume");
    auto* rh = new QHBoxLayout(run);
    rh->setContentsMargins(6, 4, 6, 5);
    BmpButton* off = MakeBmp(run, "SysVolRunBtn1", BmpButton::Kind::Selector, "禁用", "Disable");
    BmpButton* on = MakeBmp(run, "SysVolRunBtn2", BmpButton::Kind::Selector, "启用", "Enable");
    on->setHint("1");
    off->setHint("0");
    off->setFace(BmpButton::Face::Down);
    for (BmpButton* b : {off, on}) {
        b->setFixedSize(64, 22);
        rh->addWidget(b);
    }
    rh->addStretch(1);

    GroupBox* step = MakeGroup(tab, "AuxGainStepGroup", "用户均衡步进", "User EQ Step");
    auto* sh = new QHBoxLayout(step);
    sh->setContentsMargins(6, 4, 6, 5);
    sh->addWidget(MakeLabel(step, "AUXGainLabel", "增益步进 (dB)", "Gain Step (dB)"));
    ComboBox* gain = MakeCombo(step, "AUXGainBox", {"0.2", "0.4", "0.6", "0.8", "1.0"});
    gain->setFixedWidth(60);
    sh->addWidget(gain);
    sh->addStretch(1);

    for (GroupBox* b : {start, run, step})
        b->setFixedWidth(236);
    return MakeColumn(tab, {start, run, step});
}

// The six user EQ bands (three music, three microphone) in one strip without scrolling.
QWidget* MakeAuxEq(QWidget* tab) {
    GroupBox* g = MakeGroup(tab, "AuxEqGroup", "音乐 / 麦克风 均衡", "Music / MIC EQ");
    auto* h = new QHBoxLayout(g);
    h->setContentsMargins(3, 2, 3, 2);
    h->setSpacing(0);
    for (int n = 1; n <= 6; ++n) {
        const bool mus = n <= 3;
        const int band = mus ? n : n - 3;
        h->addWidget(MakeBandColumn(
            g, {mus ? "AUXMUS" : "AUXMIC", mus ? "AUXMUS" : "AUXMIC", "AUX", band, n, 21, 2}));
        if (n == 3)
            h->addSpacing(6);
    }
    g->setFixedWidth(6 * kBandColumnWidth + 12);
    return g;
}

QWidget* MakeAuxRightColumn(QWidget* tab, Variant v) {
    GroupBox* sends = MakeGroup(tab, "AuxEffectSendGroup", "麦克风效果音量", "MIC Effect Vol");
    auto* sg = new QGridLayout(sends);
    sg->setContentsMargins(6, 4, 6, 5);
    sg->setVerticalSpacing(3);
    const char* edits[2] = {"MICAEffectEdit", "MICBEffectEdit"};
    const char* spins[2] = {"MICAEffectSpinButtons", "MICBEffectEditSpinButtons"};
    const char* zh[2] = {"麦克1", "麦克2"};
    const char* en[2] = {"MIC 1", "MIC 2"};
    for (int i = 0; i < 2; ++i) {
        sg->addWidget(MakeLabel(sends, QString(edits[i]) + "Label", zh[i], en[i]), i, 0);
        ValueEdit* e = MakeEdit(sends, edits[i], 29);
        e->setFixedWidth(60);
        sg->addWidget(e, i, 1);
        sg->addWidget(MakeSpin(sends, spins[i]), i, 2);
    }
    sg->setColumnStretch(3, 1);

    GroupBox* routing = MakeGroup(tab, "AuxRoutingGroup", "通道设置", "Routing");
    auto* rg = new QGridLayout(routing);
    rg->setContentsMargins(6, 4, 6, 5);
    rg->setVerticalSpacing(3);
    if (v == Variant::A) {
        rg->addWidget(MakeLabel(routing, "SysCenRoutingLabel", "中置", "Center"), 0, 0);
        rg->addWidget(MakeCombo(routing, "SysCenRoutingBox", {"L+R", "Left", "Right"}), 0, 1);
        rg->addWidget(MakeLabel(routing, "SysSubRoutingLabel", "超低", "SUB"), 1, 0);
        rg->addWidget(MakeCombo(routing, "SysSubRoutingBox", {"L+R", "Left", "Right"}), 1, 1);
    } else {
        rg->addWidget(MakeLabel(routing, "SysLRLabel", "左右通道独立", "Independent L/R"), 0, 0, 1,
                      2);
        BmpButton* on = MakeBmp(routing, "SysLRBtn1", BmpButton::Kind::Selector, "启用", "Enable");
        BmpButton* off =
            MakeBmp(routing, "SysLRBtn2", BmpButton::Kind::Selector, "禁用", "Disable");
        on->setHint("0");
        off->setHint("1");
        on->setFace(BmpButton::Face::Down);
        on->setFixedHeight(22);
        off->setFixedHeight(22);
        rg->addWidget(on, 1, 0);
        rg->addWidget(off, 1, 1);
    }

    GroupBox* blue = MakeGroup(tab, "AuxBlueGroup", "蓝牙", "Bluetooth");
    auto* bg = new QGridLayout(blue);
    bg->setContentsMargins(6, 4, 6, 5);
    bg->setVerticalSpacing(3);
    bg->addWidget(MakeLabel(blue, "BlueStrLabel", "蓝牙名称更改", "Bluetooth Name Modify"), 0, 0, 1,
                  2);
    ValueEdit* name = MakeEdit(blue, "BlueNameEdit", -1);
    name->setMaxLength(20);
    name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    bg->addWidget(name, 1, 0);
    BmpButton* ok = MakeBmp(blue, "RzBmpButton5", BmpButton::Kind::Push, "确定", "OK");
    ok->setFixedSize(48, 22);
    bg->addWidget(ok, 1, 1);

    for (GroupBox* b : {sends, routing, blue})
        b->setFixedWidth(238);
    return MakeColumn(tab, {sends, routing, blue});
}

// User EQ limits: per band its gain (second edit of the same address) and its limits.
void BuildLimitTab(TabSheet* tab) {
    auto* outer = new QHBoxLayout(tab);
    outer->setContentsMargins(8, 6, 8, 6);
    GroupBox* g = MakeGroup(tab, "AuxLimitGroup", "用户均衡限制", "User balance limit");
    auto* grid = new QGridLayout(g);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(3);
    grid->addWidget(MakeLabel(g, "AuxLimitGainHead", "增益", "Gain"), 0, 1, Qt::AlignCenter);
    grid->addWidget(MakeLabel(g, "AuxLimitAddHead", "最大提升", "Max Boost"), 0, 2,
                    Qt::AlignCenter);
    grid->addWidget(MakeLabel(g, "AuxLimitDecHead", "最大衰减", "Max Cut"), 0, 3, Qt::AlignCenter);
    struct Band {
        const char *group, *part, *zh, *en;
        int n;
    };
    const Band bands[6] = {{"MUS", "Bass", "音乐 低音", "Music Bass", 1},
                           {"MUS", "Mid", "音乐 中音", "Music Mid", 2},
                           {"MUS", "High", "音乐 高音", "Music High", 3},
                           {"MIC", "Bass", "麦克风 低音", "MIC Bass", 1},
                           {"MIC", "Mid", "麦克风 中音", "MIC Mid", 2},
                           {"MIC", "High", "麦克风 高音", "MIC High", 3}};
    for (int r = 0; r < 6; ++r) {
        const Band& b = bands[r];
        const QString base = QString("AUX%1").arg(b.group);
        grid->addWidget(MakeLabel(g, base + b.part + "LimitLabel", b.zh, b.en), r + 1, 0);
        const QString edits[3] = {base + QString("2GainEdit%1").arg(b.n),
                                  QString("%1%2MaxAddEdit").arg(base, b.part),
                                  QString("%1%2MaxDecEdit").arg(base, b.part)};
        const int codes[3] = {3, 27, 28};
        for (int c = 0; c < 3; ++c) {
            ValueEdit* e = MakeEdit(g, edits[c], codes[c]);
            e->setFixedWidth(80);
            grid->addWidget(e, r + 1, c + 1);
        }
    }
    grid->setRowStretch(7, 1);
    outer->addWidget(g);
    outer->addStretch(1);
}

} // namespace

void BuildAuxPage(TabSheet* sheet, Variant v) {
    auto* h = new QHBoxLayout(sheet);
    h->setContentsMargins(2, 2, 2, 2);
    auto* pages = new PageControl(sheet);
    pages->setObjectName("AuxPageCtrol");
    h->addWidget(pages);

    TabSheet* start = MakeSheet(pages, "TabSheet1", "起始音量设置", "Max volume Set");
    auto* sh = new QHBoxLayout(start);
    sh->setContentsMargins(4, 2, 4, 2);
    sh->setSpacing(6);
    sh->addWidget(MakeAuxLeftColumn(start), 0, Qt::AlignTop);
    sh->addWidget(MakeAuxEq(start));
    sh->addWidget(MakeAuxRightColumn(start, v), 0, Qt::AlignTop);
    sh->addStretch(1);

    BuildLimitTab(MakeSheet(pages, "TabSheet2", "用户均衡限制", "User balance limit"));
}

void BuildSystemPage(TabSheet* sheet, Variant) {
    auto* h = new QHBoxLayout(sheet);
    h->setContentsMargins(8, 6, 8, 6);
    h->setSpacing(8);

    GroupBox* id = MakeGroup(sheet, "SysDeviceGroup", "设备管理码", "Device Code");
    auto* iv = new QVBoxLayout(id);
    TextLabel* code = MakeLabel(id, "DeviceIDLabel", "设备管理码", "Device Code", false);
    code->setAlignment(Qt::AlignCenter);
    code->setMinimumWidth(150);
    iv->addWidget(code);
    iv->addStretch(1);

    GroupBox* backup = MakeGroup(sheet, "SysBackupGroup", "电脑数据备份管理", "PC Data Backup");
    auto* bv = new QVBoxLayout(backup);
    bv->addWidget(MakeLabel(backup, "SysBackupNote", "参数文件保存在程序目录的 Mode 文件夹",
                            "Parameter files are kept in the Mode folder"));
    bv->addStretch(1);

    GroupBox* ir = MakeGroup(sheet, "SysRemoteGroup", "红外遥控管理", "Infrared Remote");
    auto* rv = new QVBoxLayout(ir);
    rv->addWidget(MakeLabel(ir, "SysRemoteNote", "红外遥控学习与管理", "Remote learning"));
    rv->addStretch(1);

    for (GroupBox* g : {id, backup, ir})
        h->addWidget(g, 1);
}

} // namespace dsp::forms
