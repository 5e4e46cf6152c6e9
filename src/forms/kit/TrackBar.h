#pragma once

#include <QSlider>

#include "forms/kit/KitControl.h"

namespace dsp {

// Track-bar slider. Its position is the raw device value; valueChanged reports every change.
// The look (groove, fill, thumb) is a named style shared by all sliders of one family, so
// copying a template's look makes two sliders look alike.
class TrackBar : public QSlider, public KitControl {
    Q_OBJECT
    Q_PROPERTY(QString look READ look WRITE setLook)
public:
    TrackBar(Qt::Orientation orientation, int min, int max, QWidget* parent = nullptr);

    int position() const { return value(); }
    void setPosition(int p) { setValue(p); }

    QString look() const { return look_; }
    void setLook(const QString& look);
    // Takes the pictures (the look) of a template slider.
    void copyLookFrom(const TrackBar& model) { setLook(model.look()); }

private:
    QString look_;
};

} // namespace dsp
