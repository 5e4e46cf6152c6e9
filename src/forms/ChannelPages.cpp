// The music, microphone and effect pages: their parameter groups on the left and the EQ band
// strip on the right.
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "forms/BandStrip.h"
#include "forms/Build.h"
#include "forms/Pages.h"

namespace dsp::forms {

namespace {

// Lays a sheet out as parameter columns, then the strip at the right edge.
void LayOutChannel(QWidget* sheet, const QList<QWidget*>& columns, QWidget* strip) {
    auto* h = new QHBoxLayout(sheet);
    h->setContentsMargins(4, 2, 4, 3);
    h->setSpacing(5);
    for (QWidget* c : columns)
        h->addWidget(c, 0, Qt::AlignTop);
    h->addStretch(1);
    h->addWidget(strip);
}

QWidget* Slider(QWidget* p, const SliderItem& s) {
    return MakeSliderItem(p, s);
}
QWidget* Filter(QWidget* p, const FilterItem& f) {
    return MakeFilterItem(p, f);
}

} // namespace

void BuildMusicPage(TabSheet* sheet, Variant) {
    // Input source and its volume.
    GroupBox* input = MakeGroup(sheet, "MusInputGroup", "输入", "Input");
    auto* iv = new QVBoxLayout(input);
    iv->setContentsMargins(6, 4, 6, 5);
    iv->setSpacing(3);
    ComboBox* source =
        MakeCombo(input, "SysInputBox", {"自动", "模拟1", "模拟2", "蓝牙", "光纤同轴"});
    source->setFixedWidth(kItemWidth);
    iv->addWidget(source);
    iv->addWidget(MakeLabel(input, "InputLabel", "模拟1音量", "RCA1 Vol"));
    auto* gainRow = new QHBoxLayout;
    gainRow->setSpacing(1);
    gainRow->addWidget(MakeEdit(input, "MusGain1Edit", 5), 1);
    gainRow->addWidget(MakeSpin(input, "MusGain1UpDown"));
    iv->addLayout(gainRow);
    input->setFixedWidth(kItemWidth + 12);

    GroupBox* pitch =
        MakeItemGroup(sheet, "MusPitchGroup", "变调", "Key",
                      {Slider(sheet, {"MusPitchBar", "MusPitchPane", 14, 21, "音调", "Pitch"})});
    GroupBox* xover =
        MakeItemGroup(sheet, "MusFilterGroup", "分频", "Crossover",
                      {Filter(sheet, {"MusHPTypeBox", "MusHPFREBar", "MusHPFREPane", true}),
                       Filter(sheet, {"MusLPTypeBox", "MusLPFREBar", "MusLPFREPane", false})});

    QWidget* strip = MakeBandStrip(sheet, {"Mus", "Mus", "Mus", 10, 9, 0, 14, "MusScrollBox",
                                           "MusPanScrollBar", "MusStripFrame"});
    LayOutChannel(sheet, {MakeColumn(sheet, {input, pitch}), MakeColumn(sheet, {xover})}, strip);
}

void BuildMicPage(TabSheet* sheet, Variant) {
    GroupBox* input = MakeItemGroup(
        sheet, "MicInputGroup", "输入", "Input",
        {Slider(sheet, {"MicInputGainBar", "MicInputGainPane", 40, 22, "输入增益", "Gain"}),
         Slider(sheet, {"MicFBEBar", "MicFBEPane", 4, 23, "反馈抑制", "Feedback"})});
    GroupBox* noise = MakeItemGroup(
        sheet, "AdvGroupBox16", "麦克风1 噪声门", "MIC1 Noise",
        {Slider(sheet, {"MicNoiseLevelBar", "MicNoiseLevelPane", 60, 24, "门限", "Threshold"}),
         Slider(sheet, {"MicNoiseAttackBar", "MicNoiseAttackPane", 19, 17, "启动", "Attack"}),
         Slider(sheet, {"MicNoiseReleaseBar", "MicNoiseReleasePane", 7, 16, "释放", "Release"})});
    GroupBox* limiter = MakeItemGroup(
        sheet, "AdvGroupBox1", "麦克风1压限", "MiC 1 Limit",
        {Slider(sheet, {"MicRmsLevelBar", "MicRmsLevelPane", 34, 25, "启动电平", "Threshold"}),
         Slider(sheet, {"MicRmsAttackBar", "MicRmsAttackPane", 19, 17, "启动时间", "Attack"}),
         Slider(sheet, {"MicRmsReleaseBar", "MicRmsReleasePane", 7, 16, "释放时间", "Release"}),
         Slider(sheet, {"MicRmsRatioBar", "MicRmsRatioPane", 40, 15, "压缩比", "Ratio"})});
    GroupBox* xover =
        MakeItemGroup(sheet, "MicFilterGroup", "分频", "Crossover",
                      {Filter(sheet, {"MicHPTypeBox", "MicHPFreBar", "MicHPFrePane", true}),
                       Filter(sheet, {"MicLPTypeBox", "MicLPFreBar", "MicLPFrePane", false})});

    QWidget* strip = MakeBandStrip(sheet, {"Mic", "MIc", "Mic", 20, 8, 1, 16, "MicScrollBox",
                                           "MicPanScrollBar", "MicStripFrame"});
    LayOutChannel(sheet,
                  {MakeColumn(sheet, {input, noise}), MakeColumn(sheet, {limiter}),
                   MakeColumn(sheet, {xover})},
                  strip);
}

namespace {

void BuildEchoSheet(TabSheet* sheet, Variant v) {
    QList<QWidget*> levels = {Slider(sheet, {"EchoEffLevelBar", "EchoEffLevelPane", 100, 8,
                                             "效果电平", "Effect", "EchoEffPhaseBtn"})};
    if (v == Variant::B)
        levels << Slider(sheet, {"EchoDirectLevelBar", "EchoDirectLevelPane", 100, 8, "直达电平",
                                 "Direct", "EchoDirectPhaseBtn"});
    levels << Slider(sheet, {"EchoPreDelayBar", "EchoPreDelayPane", 250, 26, "预延时", "Predelay"})
           << Slider(sheet, {"EchoTimeBar", "EchoTimePane", 250, 11, "回声时间", "Time"})
           << Slider(sheet, {"EchoRepeatBar", "EchoRepeatPane", 80, 8, "重复", "Repeat"});
    GroupBox* echo = MakeItemGroup(sheet, "EchoMainGroup", "回声", "Echo", levels);
    GroupBox* second = MakeItemGroup(
        sheet, "EchoSecondGroup", "二次回声", "Second Echo",
        {Slider(sheet, {"EchoRPreDelayBar", "EchoRPreDelayPane", 50, 8, "二次预延时", "Delay 2"}),
         Slider(sheet, {"EchoRTimeBar", "EchoRTimePane", 100, 10, "二次时间", "Time 2"})});
    GroupBox* xover =
        MakeItemGroup(sheet, "EchoFilterGroup", "分频", "Crossover",
                      {Filter(sheet, {"EchoHPTypeBox", "EchoHPFreBar", "EchoHPFrePane", true}),
                       Filter(sheet, {"EchoLPTypeBox", "EchoLPFreBar", "EchoLPFrePane", false})});
    QWidget* strip = MakeBandStrip(sheet, {"Echo", "Echo", "Eff", 10, 7, 3, 15, "EffScrollBox",
                                           "EchoPanScrollBar", "EchoStripFrame"});
    LayOutChannel(
        sheet, {MakeColumn(sheet, {echo}), MakeColumn(sheet, {second}), MakeColumn(sheet, {xover})},
        strip);
}

void BuildReverbSheet(TabSheet* sheet, Variant) {
    GroupBox* levels =
        MakeItemGroup(sheet, "RvbLevelGroup", "混响电平", "Reverb Level",
                      {Slider(sheet, {"RvbEffLevelBar", "RvbEffLevelPane", 100, 8, "效果电平",
                                      "Effect", "RvbEffPhaseBtn"}),
                       Slider(sheet, {"RvbDirectLevelBar", "RvbDirectLevelPane", 100, 8, "直达电平",
                                      "Direct", "RvbDirectPhaseBtn"})});
    GroupBox* times = MakeItemGroup(
        sheet, "RvbTimeGroup", "混响时间", "Time",
        {Slider(sheet, {"RvbPreDelayBar", "RvbPreDelayPane", 100, 11, "预延时", "Delay"}),
         Slider(sheet, {"RvbTimeBar", "RvbTimePane", 80, 12, "混响时间", "Time"})});
    GroupBox* xover =
        MakeItemGroup(sheet, "RvbFilterGroup", "分频", "Crossover",
                      {Filter(sheet, {"RvbHPTypeBox", "RvbHPFreBar", "RvbHPFrePane", true}),
                       Filter(sheet, {"RvbLPTypeBox", "RvbLPFreBar", "RvbLPFrePane", false})});
    QWidget* strip = MakeBandStrip(sheet, {"Rvb", "Rvb", "Rvb", 10, 7, 4, 12, "RvbScrollBox",
                                           "RvbPanScrollBar", "RvbStripFrame"});
    LayOutChannel(
        sheet,
        {MakeColumn(sheet, {levels}), MakeColumn(sheet, {times}), MakeColumn(sheet, {xover})},
        strip);
}

} // namespace

void BuildEffectPage(TabSheet* sheet, Variant v) {
    auto* h = new QHBoxLayout(sheet);
    h->setContentsMargins(3, 4, 0, 0);
    h->setSpacing(2);

    // The effect sub-buttons stand in a column left of the effect pages.
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(3);
    ToolButton* echo = MakeTool(sheet, "EchoAToolButton", "回声", "Echo", 0);
    ToolButton* echoB = MakeTool(sheet, "EchoBToolButton", "回声B", "Echo B", 1);
    ToolButton* rvb = MakeTool(sheet, "RvbToolButton", "混响", "Reverb", 2);
    echoB->hide();
    echo->setSelectedLook(true);
    for (ToolButton* b : {echo, echoB, rvb}) {
        b->setFixedSize(56, 26);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    h->addLayout(buttons);

    auto* pages = new PageControl(sheet);
    pages->setObjectName("EffPageControl");
    pages->setTabRowShown(false);
    pages->setProperty("flat", true);
    BuildEchoSheet(MakeSheet(pages, "AdvTabSheet4", "回声A", "Echo A"), v);
    BuildReverbSheet(MakeSheet(pages, "AdvTabSheet5", "Rvb", "Rvb"), v);
    h->addWidget(pages, 1);
}

} // namespace dsp::forms
