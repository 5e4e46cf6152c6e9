#pragma once

#include <QMargins>
#include <QSize>

#include "params/Variant.h"

class QWidget;
class QMenu;
class QTimer;

namespace dsp {
class GroupBox;
class PageControl;
} // namespace dsp

namespace dsp::forms {

// The regions of the main window, top to bottom and left to right.
struct MainFormRegions {
    QWidget* titleBar = nullptr;          // Image2 with the title and the window buttons
    GroupBox* mainGroup = nullptr;        // MainGroupBox: channel pages, button bar, EQ graph
    PageControl* channelPages = nullptr;  // FormPageItem
    QWidget* buttonBar = nullptr;         // RzGroupBox17
    QWidget* graphPanel = nullptr;        // AdvPanel1: the EQ graph, built by the window
    QWidget* plotFrame = nullptr;         // AdvPanel2, the plot frame inside it
    QWidget* plot = nullptr;              // Image1, filling the plot frame
    GroupBox* settingsGroup = nullptr;    // RzGroupBox2
    PageControl* settingsPages = nullptr; // AdvPageControl1
    GroupBox* gate = nullptr;             // FirstCheckGrop
};

// Fixed sizes of the layout at the designed client size 1205 x 609.
constexpr int kTitleBarHeight = 25;
constexpr int kSettingsWidth = 279;
constexpr int kChannelPageHeight = 242;
constexpr int kButtonBarHeight = 56; // two rows: page buttons (24), groups (26)
constexpr int kPlotLeft = 36;        // room for the dB labels left of the plot
constexpr int kPlotWidth = 883;      // at the designed size
constexpr int kPlotHeight = 268;
constexpr int kAxisLabelHeight = 13;
constexpr int kPlotTopGap = 4;   // above the plot frame: the 12dB label stays readable
constexpr int kPlotRightGap = 5; // right of the plot frame
// Below the plot: the frequency labels and a little air.
constexpr int kPlotBottomGap = 1 + kAxisLabelHeight;

// Room the EQ graph panel keeps around its plot frame for the axis labels; with the panel's
// designed size it leaves the plot kPlotWidth x kPlotHeight.
constexpr QMargins GraphPlotMargins() {
    return {kPlotLeft, kPlotTopGap, kPlotRightGap, kPlotBottomGap};
}

// Builds every control of the main window of variant v into form (the TForm1 widget).
// graphPanel is the EQ graph (AdvPanel1 holding AdvPanel2 and Image1), which the window owns
// and builds before its form; it is placed into the channel area below the button bar.
MainFormRegions BuildMainForm(QWidget* form, Variant v, QWidget* graphPanel);

// Places the regions for a client area of the given size (the designed size, or maximised).
void LayOutMainForm(const MainFormRegions& r, QSize client);

// The display order of the 15 channel page buttons (by Tag) in the button bar.
const int* PageButtonOrder(Variant v);

} // namespace dsp::forms
