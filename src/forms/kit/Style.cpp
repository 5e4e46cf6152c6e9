#include "forms/kit/Style.h"

namespace dsp::kit {

QString WindowStyleSheet() {
    // Slider looks: "level" for the page sliders, "eqgain" for the EQ gain sliders (vertical),
    // "volume" for the master, start and maximum volumes. A slider without a look gets the
    // level look so nothing is left in the platform style.
    return QStringLiteral(R"(
QGroupBox { background: #F6F7F9; border: 1px solid #D6DAE0; border-radius: 4px;
            margin-top: 14px; padding-top: 2px; }
QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 8px;
                   padding: 0 3px; color: #5A6270; font-weight: bold; }
QGroupBox[bare="true"] { margin-top: 0; padding-top: 0; }
QGroupBox[plain="true"] { border: none; background: transparent; border-radius: 0; }
QTabWidget::pane { border: 1px solid #D6DAE0; background: #FFFFFF; top: -1px; }
QTabBar::tab { background: #EEF0F3; border: 1px solid #D6DAE0; padding: 3px 4px; font-size: 11px;
               margin-right: 1px; border-top-left-radius: 3px; border-top-right-radius: 3px; }
QTabBar::tab:selected { background: #FFFFFF; color: #D67800; font-weight: bold;
                        border-bottom-color: #FFFFFF; }
QLineEdit { background: #FFFFFF; border: 1px solid #C9CED6; border-radius: 2px;
            padding: 0 1px; selection-background-color: #F39800; }
QLineEdit:focus { border: 1px solid #F39800; }
QLineEdit:disabled { background: #F0F1F3; color: #A0A0A0; }
QLabel[kit="pane"] { background: #FFFFFF; border: 1px solid #D6DAE0; border-radius: 2px;
                     color: #2B5C8A; }
QComboBox { background: #FFFFFF; border: 1px solid #C9CED6; border-radius: 2px;
            padding: 0 2px; min-height: 16px; }
QComboBox:disabled { color: #A0A0A0; background: #F0F1F3; }
QComboBox::drop-down { border: none; width: 14px; }
QComboBox QAbstractItemView { background: #FFFFFF; selection-background-color: #F39800; }
QPushButton { background: #FFFFFF; border: 1px solid #C9CED6; border-radius: 3px;
              padding: 2px 8px; }
QPushButton:pressed { background: #F39800; color: #FFFFFF; }
QScrollBar:horizontal { height: 12px; background: #EEF0F3; border: none; }
QScrollBar::handle:horizontal { background: #C3C9D2; border-radius: 4px; min-width: 30px;
                                margin: 2px; }
QScrollBar::handle:horizontal:hover { background: #F39800; }
QScrollBar::add-line:horizontal, QScrollBar::sub-line:horizontal { width: 0; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QScrollArea { border: none; background: transparent; }
QListWidget, QTableWidget { background: #FFFFFF; border: 1px solid #D6DAE0; }
QHeaderView::section { background: #EEF0F3; border: none; border-right: 1px solid #D6DAE0;
                       padding: 1px 4px; }
QLabel[kit="typemark"] { background: #9AA1AC; color: #FFFFFF; border-radius: 2px; }
QLabel[kit="typemark"][selected="true"] { background: #FFFFFF; color: #808080;
                                          border: 1px solid #9AA1AC; }
QLabel[kit="pointlabel"] { color: #5A6270; font-weight: bold; border-radius: 2px; }
QLabel[kit="pointlabel"][selected="true"] { background: #F39800; color: #FFFFFF; }
QSlider:horizontal { min-height: 16px; }
QSlider::groove:horizontal { height: 4px; background: #D6DAE0; border-radius: 2px; }
QSlider::sub-page:horizontal { background: #F39800; border-radius: 2px; }
QSlider::sub-page:horizontal:disabled { background: #C3C9D2; }
QSlider::handle:horizontal { width: 12px; margin: -5px 0; border-radius: 6px;
                             background: #FFFFFF; border: 2px solid #F39800; }
QSlider::handle:horizontal:disabled { border-color: #C3C9D2; }
QSlider[look="volume"]::groove:horizontal { height: 6px; border-radius: 3px; }
QSlider[look="volume"]::sub-page:horizontal { background: #2B5C8A; border-radius: 3px; }
QSlider[look="volume"]::handle:horizontal { width: 14px; margin: -5px 0; border-radius: 7px;
                                            border: 2px solid #2B5C8A; }
QSlider:vertical { min-width: 16px; }
QSlider::groove:vertical { width: 4px; background: #D6DAE0; border-radius: 2px; }
QSlider::add-page:vertical { background: #F39800; border-radius: 2px; }
QSlider::add-page:vertical:disabled { background: #C3C9D2; }
QSlider::handle:vertical { height: 10px; margin: 0 -6px; border-radius: 3px;
                           background: #FFFFFF; border: 2px solid #F39800; }
QSlider::handle:vertical:disabled { border-color: #C3C9D2; }
)");
}

} // namespace dsp::kit
