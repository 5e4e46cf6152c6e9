#pragma once

#include "params/Variant.h"

class QWidget;

namespace dsp {
class Panel;
class GroupBox;
} // namespace dsp

// The parts of the main window around the pages: title bar, channel button bar, EQ graph
// panel, link-password prompt, hidden working controls and the pop-up menus.
namespace dsp::forms {

QWidget* BuildTitleBar(QWidget* form, Variant v);
QWidget* BuildButtonBar(QWidget* parent, Variant v);
Panel* BuildGraphPanel(QWidget* parent);
GroupBox* BuildPasswordGate(QWidget* form);
void BuildWorkingControls(QWidget* form);
void BuildPopupMenus(QWidget* form);

} // namespace dsp::forms
