#include "app/MainWindow.h"

#include <QGuiApplication>
#include <QScreen>

namespace dsp {

TForm1::TForm1(Variant variant, QWidget* parent) : QWidget(parent), variant_(variant) {
    setObjectName("TForm1");
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(kClientWidth, kClientHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.center() - rect().center());
    }
}

} // namespace dsp
