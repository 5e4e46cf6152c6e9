#pragma once

#include <QWidget>

#include "params/Variant.h"

namespace dsp {

// The main window: borderless, client area 1205 x 609, white, centred on the screen.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(Variant variant, QWidget* parent = nullptr);

    static constexpr int kClientWidth = 1205;
    static constexpr int kClientHeight = 609;

    Variant variant() const { return variant_; }

private:
    Variant variant_;
};

} // namespace dsp
