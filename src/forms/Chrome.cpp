#include "forms/Chrome.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QVBoxLayout>

#include "forms/Build.h"
#include "forms/MainForm.h"
#include "forms/kit/Style.h"

namespace dsp::forms {

namespace {

struct PageButtonText {
    const char* name;
    const char* zhA;
    const char* enA;
    const char* zhB;
    const char* enB;
    bool visibleA;
    bool visibleB;
};

// The 15 channel page buttons by Tag.
const PageButtonText kPageButtons[15] = {
    {"FormMusTabBtn", "音乐", "Music", "音乐", "Music", true, true},
    {"FormOut2TabBtn", "输出2", "Out 2", "输出2", "Out 2", false, true},
    {"FormMICATabBtn", "麦克1", "MIC 1", "麦克1", "MIC 1", true, true},
    {"FormMICBTabBtn", "麦克2", "MIC 2", "麦克2", "MIC 2", true, true},
    {"FormEFFTabBtn", "效果", "Effect", "效果", "Effect", true, true},
    {"FormMAINTabBtn", "主输出", "Main", "输出1", "Out 1", true, true},
    {"FormSURTabBtn", "中置", "Center", "输出3", "Out 3", true, true},
    {"FormCENTabBtn", "环绕", "SUR", "输出5", "Out 5", true, true},
    {"FormSUBTabBtn", "输出6", "Out-6", "输出6", "Out-6", false, true},
    {"FormHintTabBtn", "隐藏", "Hint", "隐藏", "Hint", false, false},
    {"FormOut4TabBtn", "超低", "SUB", "输出4", "Out 4", true, true},
    {"FormAUXTabBtn", "辅助", "Other", "辅助", "Other", true, true},
    {"HintAuxBtn", "辅助", "AUX", "辅助", "AUX", false, false},
    {"FormOut7TabBtn", "录音", "REC", "输出7", "Out 7", true, true},
    {"FormOut8TabBtn", "输出8", "Out 8", "输出8", "Out 8", false, true},
};

BmpButton* BarButton(QWidget* p, const char* name, BmpButton::Kind kind, const char* zh,
                     const char* en, int width) {
    BmpButton* b = MakeBmp(p, name, kind, zh, en);
    b->setFixedSize(width, 22);
    return b;
}

GroupBox* ButtonGroup(QWidget* p, const char* name, const QList<QWidget*>& buttons) {
    GroupBox* g = MakeBareGroup(p, name);
    auto* h = new QHBoxLayout(g);
    h->setContentsMargins(3, 2, 3, 2);
    h->setSpacing(2);
    for (QWidget* b : buttons)
        h->addWidget(b);
    return g;
}

} // namespace

const int* PageButtonOrder(Variant v) {
    static const int orderA[15] = {0, 2, 3, 4, 5, 1, 6, 7, 10, 8, 13, 14, 11, 12, 9};
    static const int orderB[15] = {0, 2, 3, 4, 5, 1, 6, 10, 7, 8, 13, 14, 11, 12, 9};
    return v == Variant::A ? orderA : orderB;
}

QWidget* BuildTitleBar(QWidget* form, Variant v) {
    auto* bar = new Panel(form, kit::TitleBar);
    bar->setObjectName("Image2");
    auto* h = new QHBoxLayout(bar);
    h->setContentsMargins(10, 0, 0, 0);
    h->setSpacing(6);

    TextLabel* title =
        MakeLabel(bar, "RzLabel9", v == Variant::A ? "Sonaro 1.2.3" : "Sonaro 1.1.10",
                  v == Variant::A ? "Sonaro 1.2.3" : "Sonaro 1.1.10", false);
    title->setHint(v == Variant::A ? "Sonaro 1.1.3" : "Sonaro 1.0.8");
    title->setStyleSheet("color: #FFFFFF; font-weight: bold; font-size: 13px;");
    h->addWidget(title);
    TextLabel* sub =
        MakeLabel(bar, "TitleProductLabel", "音频处理器调试软件", "Audio Processor Tuner");
    sub->setStyleSheet("color: #AEB6C4;");
    h->addWidget(sub);
    h->addStretch(1);

    TextLabel* logo = MakeLabel(bar, "SysLogoLabel", "运行：", "Run:");
    logo->setStyleSheet("color: #FFFFFF;");
    logo->hide();
    h->addWidget(logo);
    ValueEdit* code = MakeEdit(bar, "SysLogoEdit", -1);
    code->setFixedSize(110, 19);
    code->hide();
    h->addWidget(code);
    h->addSpacing(8);

    const struct {
        const char* name;
        BmpButton::Glyph glyph;
    } buttons[3] = {{"RzBmpButton2", BmpButton::Glyph::Minimise},
                    {"RzBmpButton1", BmpButton::Glyph::Maximise},
                    {"RzBmpButton3", BmpButton::Glyph::Close}};
    for (const auto& b : buttons) {
        BmpButton* btn = MakeBmp(bar, b.name, BmpButton::Kind::Glyph);
        btn->setGlyph(b.glyph);
        btn->setFixedSize(40, kTitleBarHeight);
        h->addWidget(btn);
    }
    return bar;
}

QWidget* BuildButtonBar(QWidget* parent, Variant v) {
    auto* bar = new Panel(parent, kit::Panel);
    bar->setObjectName("RzGroupBox17");
    auto* rows = new QVBoxLayout(bar);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);

    // Row 1: channel page buttons, then the spectrum switches.
    auto* top = new QHBoxLayout;
    top->setSpacing(2);
    const int* order = PageButtonOrder(v);
    for (int i = 0; i < 15; ++i) {
        const int tag = order[i];
        const PageButtonText& t = kPageButtons[tag];
        const bool a = v == Variant::A;
        ToolButton* b = MakeTool(bar, t.name, a ? t.zhA : t.zhB, a ? t.enA : t.enB, tag);
        b->setFixedSize(54, 24);
        b->setSelectedLook(tag == 0);
        b->setVisible(a ? t.visibleA : t.visibleB);
        top->addWidget(b);
    }
    top->addStretch(1);
    top->addWidget(BarButton(bar, "PinPPBtn", BmpButton::Kind::Toggle, "频谱", "Spectrum", 64));
    top->addWidget(BarButton(bar, "PinDCFBtn", BmpButton::Kind::Toggle, "低触发", "Normal", 64));
    rows->addLayout(top);

    // Row 2: mode, EQ and link groups on the left; the link controls on the right.
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(4);
    BmpButton* autoBtn = BarButton(bar, "AutoModeBtn", BmpButton::Kind::Push, "自动", "Auto", 46);
    BmpButton* manual = BarButton(bar, "ManulModeBtn", BmpButton::Kind::Push, "手动", "Manual", 50);
    BmpButton* sing = BarButton(bar, "SingModeBtn", BmpButton::Kind::Push, "唱歌", "Sing", 46);
    BmpButton* disco = BarButton(bar, "DiscoModeBtn", BmpButton::Kind::Push, "热舞", "Disco", 46);
    autoBtn->setTag(63);
    manual->setTag(63);
    manual->setFace(BmpButton::Face::Down);
    sing->setTag(64);
    disco->setTag(64);
    disco->setFace(BmpButton::Face::Down);
    GroupBox* singDisco = ButtonGroup(bar, "SingleDiscoGrop", {autoBtn, manual, sing, disco});
    singDisco->hide(); // output pages only
    bottom->addWidget(singDisco);

    BmpButton* pass =
        BarButton(bar, "MusEQAllpassBtn", BmpButton::Kind::Toggle, "EQ直通", "EQ Bypass", 72);
    BmpButton* reset =
        BarButton(bar, "EQResetBtn", BmpButton::Kind::Push, "EQ重置", "EQ Reset", 66);
    bottom->addWidget(ButtonGroup(bar, "EQPassGrop", {pass, reset}));

    BmpButton* left = BarButton(bar, "LeftBtn", BmpButton::Kind::Push, "音乐左", "Left", 56);
    BmpButton* same = BarButton(bar, "SameBtn", BmpButton::Kind::Push, "同步", "SYNC", 48);
    BmpButton* right = BarButton(bar, "RightBtn", BmpButton::Kind::Push, "音乐右", "Right", 56);
    left->setTag(0);
    same->setTag(1);
    right->setTag(2);
    left->setFace(BmpButton::Face::Down);
    GroupBox* copy = ButtonGroup(bar, "CopyGrop", {left, same, right});
    copy->hide(); // microphone pages only
    bottom->addWidget(copy);
    bottom->addStretch(1);

    BmpButton* link = BarButton(bar, "LinkBtn", BmpButton::Kind::Push, "联机", "Link", 56);
    BmpButton* unlink = BarButton(bar, "UnLinkBtn", BmpButton::Kind::Push, "断开", "Unlink", 56);
    unlink->setFace(BmpButton::Face::Down);
    bottom->addWidget(link);
    bottom->addWidget(unlink);
    ToolButton* lang = MakeTool(bar, "RzToolButton11", "English", "Chinese", 1);
    lang->setTexts("English", "Chinese");
    lang->setFixedSize(64, 24);
    bottom->addWidget(lang);
    TextLabel* status = MakeLabel(bar, "LinkLabel", "设备未连接", "Off Line");
    status->setFixedWidth(112);
    status->setAlignment(Qt::AlignCenter);
    QFont bold = status->font();
    bold.setBold(true);
    status->setFont(bold);
    status->setTextColor(QColor(255, 0, 0)); // offline
    bottom->addWidget(status);
    rows->addLayout(bottom);
    return bar;
}

GroupBox* BuildPasswordGate(QWidget* form) {
    GroupBox* gate = MakeGroup(form, "FirstCheckGrop", "设备已锁定", "Device Locked");
    gate->setFixedSize(320, 104);
    gate->setStyleSheet(
        "QGroupBox#FirstCheckGrop { background: #FFFFFF; border: 2px solid #F39800;"
        " border-radius: 6px; margin-top: 0; padding-top: 16px; }"
        "QGroupBox#FirstCheckGrop::title { subcontrol-origin: padding; top: 3px; left: 10px;"
        " color: #D67800; }");
    auto* g = new QGridLayout(gate);
    g->setContentsMargins(12, 10, 12, 10);
    g->setHorizontalSpacing(8);
    auto* prompt = new StatusPane(gate);
    prompt->setObjectName("RzStatusPane2");
    prompt->setTexts("输入解锁密码：", "Unlock password:");
    prompt->setText("输入解锁密码：");
    prompt->setHint("Unlock password:");
    prompt->setFixedHeight(22);
    g->addWidget(prompt, 0, 0, 1, 2);
    ValueEdit* pass = MakeEdit(gate, "PanelPassWordEdit", -1);
    pass->setMaxLength(6);
    pass->setEchoMode(QLineEdit::Password);
    g->addWidget(pass, 1, 0);
    BmpButton* ok = MakeBmp(gate, "RzBmpButton4", BmpButton::Kind::Push, "确定", "OK");
    ok->setFixedSize(64, 22);
    g->addWidget(ok, 1, 1);
    gate->setAutoFillBackground(true);
    gate->hide();
    return gate;
}

void BuildWorkingControls(QWidget* form) {
    ValueEdit* example = MakeEdit(form, "Example", -1);
    example->hide();
    // The focus sink must be able to take the focus, so it stays "visible" at zero size.
    ValueEdit* sink = MakeEdit(form, "Examplexx", -1);
    sink->setGeometry(0, 0, 0, 0);
    sink->setFixedSize(0, 0);
    sink->setReadOnly(true); // never typed into: keys pass on to the window's shortcuts
    BmpButton* tmpl = MakeBmp(form, "ExampleBtn", BmpButton::Kind::Toggle);
    tmpl->hide();
    BmpButton* phase = MakeBmp(form, "ExampleBtn2", BmpButton::Kind::Phase);
    phase->hide();

    GroupBox* box = MakeGroup(form, "RzGroupBox10", "", "");
    MakeBar(box, "MusEQTrackBar1", 361);
    MakeCombo(box, "ComComboBox1", {});
    box->hide();
}

void BuildPopupMenus(QWidget* form) {
    auto* del = new QMenu(form);
    del->setObjectName("DeletePopupMenu");
    del->addAction("刪除")->setObjectName("DeleteMenuItem");
    auto* del2 = new QMenu(form);
    del2->setObjectName("PopupMenu2");
    del2->addAction("刪除")->setObjectName("DeleteMenuItem2");
    auto* copy = new QMenu(form);
    copy->setObjectName("CopyPopupMenu");
    for (int n = 1; n <= 8; ++n) {
        QAction* a = copy->addAction(QString("复制到输出 %1").arg(n));
        a->setObjectName(QString("CopyBtn%1").arg(n));
        a->setData(5 + 2 * (n - 1)); // Tag: first section of output n
    }
}

} // namespace dsp::forms
