// The output page: source levels, limiter, crossover, delay and mute, output level, and the
// EQ band strip. Variant B adds the right/second source levels and has no right-channel delay.
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "forms/BandStrip.h"
#include "forms/Build.h"
#include "forms/Pages.h"

namespace dsp::forms {

namespace {

QWidget* Slider(QWidget* p, const SliderItem& s) {
    return MakeSliderItem(p, s);
}

// Delay and mute. Variant A carries the right channel's delay and mute too; the page buttons
// move the mute buttons to Left 18 / 58 / 98, so the mute row is placed by hand.
GroupBox* MakeDelayGroup(QWidget* sheet, Variant v) {
    const bool a = v == Variant::A;
    GroupBox* g = MakeGroup(sheet, "AdvGroupBox21", "延时 / 静音", "Delay / Mute");
    const int width = a ? 168 : kItemWidth + 12;
    const int height = a ? 130 : 88;
    g->setFixedSize(width, height);

    auto placeDelay = [&](int y, const char* label, const char* bar, const char* pane,
                          const char* zh, const char* en) {
        TextLabel* l = MakeLabel(g, label, zh, en);
        l->setGeometry(6, y, width - 70, 18);
        StatusPane* p = MakePane(g, pane, 18);
        p->move(width - 62, y);
        TrackBar* b = MakeBar(g, bar, 1000);
        b->setGeometry(6, y + 20, width - 12, 16);
    };
    placeDelay(18, "OutLDelayLabel", "MainLdelayBar", "MainLdelayPane", a ? "左声道延时" : "延时",
               a ? "Left Delay" : "Delay");
    BmpButton* lmute = MakeBmp(g, "MainLmuteBtn", BmpButton::Kind::Toggle, a ? "左静音" : "静音",
                               a ? "L Mute" : "MUTE");
    if (a) {
        placeDelay(58, "OutRDelayLabel", "MainRdelayBar", "MainRdelayPane", "右声道延时",
                   "Right Delay");
        BmpButton* rmute = MakeBmp(g, "MainRmuteBtn", BmpButton::Kind::Toggle, "右静音", "R Mute");
        lmute->setGeometry(18, 100, 72, 22);
        rmute->setGeometry(98, 100, 62, 22);
    } else {
        lmute->setGeometry(18, 60, 70, 22);
    }
    return g;
}

} // namespace

void BuildOutputPage(TabSheet* sheet, Variant v) {
    const bool b = v == Variant::B;
    QList<QWidget*> sources;
    sources << Slider(sheet, {"MainMusLevelBar", "MainMusLevelPane", 200, 9, b ? "音乐左" : "音乐",
                              b ? "Music L" : "Music", "MainMusPhaseBtn"});
    if (b)
        sources << Slider(sheet, {"MainMusRLevelBar", "MainMusRLevelPane", 200, 9, "音乐右",
                                  "Music R", "MainMusRPhaseBtn"});
    sources << Slider(sheet, {"MainMicLevelBar", "MainMicLevelPane", 200, 9, b ? "麦克1" : "麦克风",
                              b ? "MIC 1" : "MIC", "MainMicPhaseBtn"});
    if (b)
        sources << Slider(sheet, {"MainMicBLevelBar", "MainMicBLevelPane", 200, 9, "麦克2", "MIC 2",
                                  "MainMicBPhaseBtn"});
    sources << Slider(sheet, {"MainEchoALevelBar", "MainEchoALevelPane", 200, 9,
                              b ? "回声左" : "回声", b ? "Echo L" : "Echo", "MainEchoAPhaseBtn"});
    if (b)
        sources << Slider(sheet, {"MainEchoRLevelBar", "MainEchoRLevelPane", 200, 9, "回声右",
                                  "Echo R", "MainEchoRPhaseBtn"});
    sources << Slider(sheet, {"MainRvbLevelBar", "MainRvbLevelPane", 200, 9, b ? "混响左" : "混响",
                              b ? "Reverb L" : "Reverb", "MainRvbPhaseBtn"});
    if (b)
        sources << Slider(sheet, {"MainRvbRLevelBar", "MainRvbRLevelPane", 200, 9, "混响右",
                                  "Reverb R", "MainRvbRPhaseBtn"});
    GroupBox* levels =
        MakeItemGroup(sheet, "AdvGroupBox6", "输入电平", "Source Level", sources, b ? 2 : 1);

    GroupBox* limiter = MakeItemGroup(
        sheet, "OutLimiteGroup", "压限", "Limiter",
        {Slider(sheet, {"MainRmsLevelBar", "MainRmsLevelPane", 34, 14, "启动电平", "Level"}),
         Slider(sheet, {"MainRmsAttackBar", "MainRmsAttackPane", 19, 17, "启动时间", "Attack"}),
         Slider(sheet, {"MainRmsReleaseBar", "MainRmsReleasePane", 7, 16, "释放时间", "Release"}),
         Slider(sheet, {"MainRmsRatioBar", "MainRmsRatioPane", 40, 15, "压缩比", "Ratio"})});
    GroupBox* xover = MakeItemGroup(
        sheet, "OutLHPGroup", "分频", "Crossover",
        {MakeFilterItem(sheet, {"MainHPTypeBox", "MainMusHPFreBar", "MainMusHPFrePane", true}),
         MakeFilterItem(sheet, {"MainLPTypeBox", "MainMusLPFreBar", "MainMusLPFrePane", false})});
    GroupBox* output = MakeItemGroup(sheet, "AdvGroupBox34", "输出电平", "Output Level",
                                     {Slider(sheet, {"MainOutLevelBar", "MainOutLevelPane", 100, 9,
                                                     "输出", "Output", "MainOutphasebtn"})});
    GroupBox* delay = MakeDelayGroup(sheet, v);

    QWidget* strip = MakeBandStrip(sheet, {"Main", "Main", "Main", 10, 5, 5, 28, "MainScrollBox",
                                           "MainPanScrollBar", "AdvGroupBox7"});

    auto* h = new QHBoxLayout(sheet);
    h->setContentsMargins(4, 2, 4, 3);
    h->setSpacing(5);
    QList<QWidget*> columns;
    if (b)
        columns = {MakeColumn(sheet, {levels}), MakeColumn(sheet, {limiter, output}),
                   MakeColumn(sheet, {xover, delay})};
    else
        columns = {MakeColumn(sheet, {levels, output}), MakeColumn(sheet, {limiter}),
                   MakeColumn(sheet, {xover}), MakeColumn(sheet, {delay})};
    for (QWidget* c : columns)
        h->addWidget(c, 0, Qt::AlignTop);
    h->addStretch(1);
    h->addWidget(strip);
}

} // namespace dsp::forms
