#pragma once

#include <QSize>

#include "params/Variant.h"

class QWidget;
class QMenu;
class QTimer;

namespace dsp {
class GroupBox;
class PageControl;
class Panel;
} // namespace dsp

namespace dsp::forms {

// The regions of the main window, top to bottom and left to right.
struct MainFormRegions {
    QWidget* titleBar = nullptr;          // Image2 with the title and the window buttons
    GroupBox* mainGroup = nullptr;        // MainGroupBox: channel pages, button bar, EQ graph
    PageControl* channelPages = nullptr;  // FormPageItem
    QWidget* buttonBar = nullptr;         // RzGroupBox17
    Panel* graphPanel = nullptr;          // AdvPanel1
    Panel* plotFrame = nullptr;           // AdvPanel2
    QWidget* plot = nullptr;              // Image1 (placeholder the EQ graph replaces or fills)
    GroupBox* settingsGroup = nullptr;    // RzGroupBox2
    PageControl* settingsPages = nullptr; // AdvPageControl1
    GroupBox* gate = nullptr;             // FirstCheckGrop
};

// Fixed sizes of the layout at the designed client size 1205 x 609.
constexpr int kTitleBarHeight = 25;
constexpr int kSettingsWidth = 279;
constexpr int kChannelPageHeight = 242;
constexpr int kButtonBarHeight = 58;
constexpr int kPlotLeft = 36;   // room for the dB labels left of the plot
constexpr int kPlotWidth = 883; // at the designed size
constexpr int kPlotHeight = 268;
constexpr int kAxisLabelHeight = 13;

// Builds every control of the main window of variant v into form (the TForm1 widget).
MainFormRegions BuildMainForm(QWidget* form, Variant v);

// Places the regions for a client area of the given size (the designed size, or maximised).
void LayOutMainForm(const MainFormRegions& r, QSize client);

// The display order of the 15 channel page buttons (by Tag) in the button bar.
const int* PageButtonOrder(Variant v);

} // namespace dsp::forms
