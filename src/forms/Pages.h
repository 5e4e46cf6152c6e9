#pragma once

#include "params/Variant.h"

class QWidget;

namespace dsp {
class TabSheet;
class PageControl;
} // namespace dsp

// Builders of the channel pages (the sheets of FormPageItem) and of the settings sheets.
// Each fills a sheet that the main form has created.
namespace dsp::forms {

void BuildMusicPage(TabSheet* sheet, Variant v);
void BuildMicPage(TabSheet* sheet, Variant v);
void BuildEffectPage(TabSheet* sheet, Variant v);
void BuildOutputPage(TabSheet* sheet, Variant v);
void BuildHintPage(TabSheet* sheet, Variant v);
void BuildAuxPage(TabSheet* sheet, Variant v);
void BuildSystemPage(TabSheet* sheet, Variant v);

void BuildMainSettingSheet(TabSheet* sheet, Variant v);
void BuildSystemSettingSheet(TabSheet* sheet, Variant v);
void BuildUserSettingSheet(TabSheet* sheet, Variant v);

} // namespace dsp::forms
