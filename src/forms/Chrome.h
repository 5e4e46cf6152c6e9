#pragma once

#include "params/Variant.h"

class QWidget;

namespace dsp {
class GroupBox;
} // namespace dsp

// The parts of the main window around the pages: title bar, channel button bar, link-password
// prompt, hidden working controls and the pop-up menus. The EQ graph panel is the window's own
// EqGraph, placed by BuildMainForm.
namespace dsp::forms {

QWidget* BuildTitleBar(QWidget* form, Variant v);
QWidget* BuildButtonBar(QWidget* parent, Variant v);
GroupBox* BuildPasswordGate(QWidget* form);
void BuildWorkingControls(QWidget* form);
void BuildPopupMenus(QWidget* form);

} // namespace dsp::forms
