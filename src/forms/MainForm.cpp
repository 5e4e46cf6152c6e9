#include "forms/MainForm.h"

#include "forms/Build.h"
#include "forms/Chrome.h"
#include "forms/Pages.h"
#include "forms/kit/Style.h"

namespace dsp::forms {

namespace {

PageControl* BuildChannelPages(QWidget* parent, Variant v) {
    auto* pages = new PageControl(parent);
    pages->setObjectName("FormPageItem");
    pages->setTabRowShown(false); // the page buttons navigate
    BuildMusicPage(MakeSheet(pages, "AdvTabSheet1_mus", "音乐", "Music"), v);
    BuildMicPage(MakeSheet(pages, "AdvTabSheet2_mic", "麦克风", "MIC"), v);
    BuildEffectPage(MakeSheet(pages, "AdvTabSheet3_Eff", "效果", "Effect"), v);
    BuildOutputPage(MakeSheet(pages, "AdvTabSheet4_Main", "输出", "Output"), v);
    BuildHintPage(MakeSheet(pages, "AdvTabSheet5_Center", "隐藏", "Hint"), v);
    MakeSheet(pages, "AdvTabSheet6_REC", "录音", "REC");
    BuildAuxPage(MakeSheet(pages, "AdvTabSheet7_sur", "辅助", "AUX"), v);
    BuildSystemPage(MakeSheet(pages, "AdvTabSheet8_Sys", "系统管理", "System"), v);
    MakeSheet(pages, "AdvTabSheet9_DEQ", "DEQ", "DEQ");
    return pages;
}

PageControl* BuildSettingsPages(QWidget* parent, Variant v) {
    auto* pages = new PageControl(parent);
    pages->setObjectName("AdvPageControl1");
    BuildMainSettingSheet(MakeSheet(pages, "AdvTabSheet1", "主控界面", "Main Setting"), v);
    BuildSystemSettingSheet(MakeSheet(pages, "AdvTabSheet2", "系统设定", "System setting"), v);
    BuildUserSettingSheet(MakeSheet(pages, "AdvTabSheet3", "系统设定", "System setting"), v);
    return pages;
}

} // namespace

MainFormRegions BuildMainForm(QWidget* form, Variant v, QWidget* graphPanel) {
    QPalette pal = form->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, kit::Ink);
    form->setPalette(pal);
    QFont font = form->font();
    font.setPixelSize(kit::kFontPx);
    form->setFont(font);

    MainFormRegions r;
    r.titleBar = BuildTitleBar(form, v);

    r.mainGroup = MakeBareGroup(form, "MainGroupBox");
    r.mainGroup->setProperty("plain", true);
    r.channelPages = BuildChannelPages(r.mainGroup, v);
    r.buttonBar = BuildButtonBar(r.mainGroup, v);
    r.graphPanel = graphPanel;
    r.graphPanel->setParent(r.mainGroup);
    r.graphPanel->show();
    r.plotFrame = r.graphPanel->findChild<QWidget*>("AdvPanel2");
    r.plot = r.graphPanel->findChild<QWidget*>("Image1");

    r.settingsGroup = MakeBareGroup(form, "RzGroupBox2");
    r.settingsGroup->setProperty("plain", true);
    r.settingsPages = BuildSettingsPages(r.settingsGroup, v);

    r.gate = BuildPasswordGate(form);
    BuildWorkingControls(form);
    BuildPopupMenus(form);
    LayOutMainForm(r, {1205, 609});
    // The style sheet goes on last: set first, every control created, reparented or laid out
    // below the window would have it worked out again for its whole subtree (most of the
    // window's creation time), while set once here it reaches each control once.
    form->setStyleSheet(kit::WindowStyleSheet());
    return r;
}

void LayOutMainForm(const MainFormRegions& r, QSize client) {
    const int w = client.width();
    const int h = client.height();
    r.titleBar->setGeometry(0, 0, w, kTitleBarHeight);

    const int bodyTop = kTitleBarHeight;
    const int bodyHeight = h - bodyTop;
    const int leftWidth = w - kSettingsWidth - 2;
    r.mainGroup->setGeometry(0, bodyTop, leftWidth, bodyHeight);
    r.settingsGroup->setGeometry(leftWidth + 2, bodyTop, kSettingsWidth, bodyHeight);
    r.settingsPages->setGeometry(0, 2, kSettingsWidth - 2, bodyHeight - 4);

    r.channelPages->setGeometry(2, 2, leftWidth - 4, kChannelPageHeight - 2);
    r.buttonBar->setGeometry(2, kChannelPageHeight, leftWidth - 4, kButtonBarHeight);
    const int graphTop = kChannelPageHeight + kButtonBarHeight;
    // The plot keeps room for the dB labels on its left and the frequency labels below; the
    // graph panel places its plot frame inside those margins itself.
    r.graphPanel->setGeometry(0, graphTop, leftWidth, bodyHeight - graphTop);
    if (r.plotFrame)
        r.plotFrame->setGeometry(r.graphPanel->rect().marginsRemoved(GraphPlotMargins()));

    r.gate->move((w - r.gate->width()) / 2, (h - r.gate->height()) / 2);
    r.gate->raise();
}

} // namespace dsp::forms
