#include "eq/EqGraphPlot.h"

#include <QMouseEvent>
#include <QPainter>

#include "eq/EqGraph.h"
#include "eq/EqGraphGeometry.h"

namespace dsp {

EqGraphPlot::EqGraphPlot(EqGraph* graph, QWidget* parent) : QWidget(parent), graph_(graph) {
    setObjectName("Image1");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EqGraphPlot::Render(QPainter& painter) const {
    painter.drawPixmap(0, 0, grid_);
    if (!spectrum_.empty()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(QColor(62, 62, 255), 2));
        const int h = height();
        for (int x = 0; x < int(spectrum_.size()); ++x) {
            if (spectrum_[size_t(x)] < h)
                painter.drawLine(x, h, x, spectrum_[size_t(x)]);
        }
    }
    if (!curve_.isEmpty()) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        QPen pen(curveColor_, kCurvePenWidth);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(curve_);
    }
}

void EqGraphPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Render(painter);
}

void EqGraphPlot::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    graph_->Image1MouseMove(event->buttons(), p.x(), p.y());
}

void EqGraphPlot::mouseReleaseEvent(QMouseEvent* event) {
    graph_->Image1MouseUp(event->button());
}

EqGraphPoint::EqGraphPoint(int index, EqGraph* graph, QWidget* parent)
    : QWidget(parent), index_(index), graph_(graph) {
    if (index < kHpfPoint)
        setObjectName(QString("EP%1").arg(index + 1));
    else
        setObjectName(index == kHpfPoint ? "HPF" : "LPF");
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kSize, kSize);
}

void EqGraphPoint::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const bool filter = index_ >= kHpfPoint;
    const QColor fill = filter ? QColor(40, 150, 70) : QColor(30, 110, 200);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(0.5, 0.5, kSize - 1, kSize - 1));
    QFont font("DejaVu Sans Condensed");
    font.setPixelSize(index_ >= 9 && !filter ? 7 : 8);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QString text = filter ? (index_ == kHpfPoint ? "H" : "L") : QString::number(index_ + 1);
    painter.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void EqGraphPoint::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    graph_->EP1MouseDown(index_, event->button(), p.x(), p.y());
}

// A press on a point grabs the mouse; moves with the right button held that leave the point
// are handed to the plot, where the Q adjustment is done.
void EqGraphPoint::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if ((event->buttons() & Qt::RightButton) && !rect().contains(p)) {
        const QPoint plot = mapTo(graph_->AdvPanel2(), p) - graph_->Image1()->pos();
        graph_->Image1MouseMove(event->buttons(), plot.x(), plot.y());
        return;
    }
    graph_->EP1MouseMove(index_, p.x(), p.y());
}

void EqGraphPoint::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::RightButton && !rect().contains(p)) {
        graph_->Image1MouseUp(event->button());
        return;
    }
    graph_->EP1MouseUp(index_, event->button());
}

} // namespace dsp
