#pragma once

#include <QColor>
#include <QString>

namespace dsp::kit {

// The palette of the tool: flat, light, one orange accent.
inline const QColor Accent(243, 152, 0);     // selected buttons, slider fill, curve accents
inline const QColor AccentDark(214, 120, 0); // pressed accent
inline const QColor Ink(51, 51, 51);         // normal text
inline const QColor InkMuted(128, 128, 128); // secondary text, type-label grey
inline const QColor Panel(246, 247, 249);    // page and group background
inline const QColor Line(214, 218, 224);     // borders and grooves
inline const QColor Field(255, 255, 255);    // edit and pane background
inline const QColor Danger(220, 64, 52);     // mute on
inline const QColor TitleBar(38, 44, 56);    // window title bar

// Pixel font size of ordinary control text.
constexpr int kFontPx = 12;

// The style sheet applied once to the main window; slider looks are chosen by the TrackBar
// property "look" so that sliders bound alike look alike.
QString WindowStyleSheet();

} // namespace dsp::kit
