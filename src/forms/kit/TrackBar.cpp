#include "forms/kit/TrackBar.h"

#include <QStyle>

namespace dsp {

TrackBar::TrackBar(Qt::Orientation orientation, int min, int max, QWidget* parent)
    : QSlider(orientation, parent) {
    setRange(min, max);
    setSingleStep(1);
    setPageStep(1);
    setFocusPolicy(Qt::NoFocus);
}

void TrackBar::setLook(const QString& look) {
    if (look == look_)
        return;
    look_ = look;
    style()->unpolish(this);
    style()->polish(this);
    update();
}

} // namespace dsp
