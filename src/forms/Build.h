#pragma once

#include <QString>
#include <QStringList>

#include "forms/kit/Kit.h"
#include "params/Variant.h"

class QGridLayout;
class QBoxLayout;
class QTableWidget;

// Small factories the form builders share: each creates one kit control with its objectName,
// texts and data, so that a page builder reads as a list of the controls it places.
namespace dsp::forms {

// Width of one EQ band column in the band strips.
constexpr int kBandColumnWidth = 65;
// Width of one slider item (label, pane, slider) on the channel pages.
constexpr int kItemWidth = 112;

TextLabel* MakeLabel(QWidget* parent, const QString& name, const QString& zh, const QString& en,
                     bool swaps = true);
TrackBar* MakeBar(QWidget* parent, const QString& name, int max,
                  Qt::Orientation o = Qt::Horizontal);
StatusPane* MakePane(QWidget* parent, const QString& name, int formatCode);
ValueEdit* MakeEdit(QWidget* parent, const QString& name, int formatCode);
ComboBox* MakeCombo(QWidget* parent, const QString& name, const QStringList& items,
                    const QString& hint = {});
BmpButton* MakeBmp(QWidget* parent, const QString& name, BmpButton::Kind kind,
                   const QString& zh = {}, const QString& en = {});
ToolButton* MakeTool(QWidget* parent, const QString& name, const QString& zh, const QString& en,
                     int tag);
GroupBox* MakeGroup(QWidget* parent, const QString& name, const QString& zh, const QString& en);
// A frame without a title, used to hold band strips and button groups.
GroupBox* MakeBareGroup(QWidget* parent, const QString& name);
TabSheet* MakeSheet(PageControl* pages, const QString& name, const QString& zh, const QString& en);
SpinButtons* MakeSpin(QWidget* parent, const QString& name);

// A file list with the columns "NO." and "File Name", one row selected at a time.
QTableWidget* MakeFileList(QWidget* parent, const QString& name);

// Fills a mode group's grid: the mode list on the first row, "名称"/"Name" and the name edit
// (at most 20 characters) on the second. Returns the grid for the group's buttons (row 2).
QGridLayout* MakeModeRows(GroupBox* group, const QString& box, const QString& label,
                          const QString& edit);

// The filter-type items of the high-pass and low-pass boxes.
QStringList FilterTypeItems();

// One slider item: a caption and the value pane on the first line (optionally a phase button
// between them), the slider below.
struct SliderItem {
    const char* bar;
    const char* pane;
    int max;
    int formatCode;
    const char* zh;
    const char* en;
    const char* phase = nullptr; // phase button name, or none
};
QWidget* MakeSliderItem(QWidget* parent, const SliderItem& item);

// One crossover item: caption and value pane, the frequency slider, the filter-type box.
struct FilterItem {
    const char* typeBox;
    const char* bar;
    const char* pane;
    bool highPass;
};
QWidget* MakeFilterItem(QWidget* parent, const FilterItem& item);

// A group box whose items are laid out top to bottom in `columns` columns.
GroupBox* MakeItemGroup(QWidget* parent, const QString& name, const QString& zh, const QString& en,
                        const QList<QWidget*>& items, int columns = 1);

// Packs group boxes into one column (top-aligned) and returns the column widget.
QWidget* MakeColumn(QWidget* parent, const QList<QWidget*>& groups);

} // namespace dsp::forms
