#include "forms/kit/Containers.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTabBar>

#include "forms/kit/Style.h"

namespace dsp {

GroupBox::GroupBox(QWidget* parent) : QGroupBox(parent) {}

void GroupBox::mousePressEvent(QMouseEvent* e) {
    QGroupBox::mousePressEvent(e);
    emit mousePressed(e->button(), e->modifiers());
}

TabSheet::TabSheet(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
}

void TabSheet::setCaption(const QString& c) {
    caption_ = c;
    // The sheet sits in the tab widget's stack; the tab widget is two levels up.
    for (QWidget* p = parentWidget(); p; p = p->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
            const int i = tabs->indexOf(this);
            if (i >= 0)
                tabs->setTabText(i, c);
            break;
        }
    }
}

void TabSheet::mousePressEvent(QMouseEvent* e) {
    QWidget::mousePressEvent(e);
    emit mousePressed(e->button(), e->modifiers());
}

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
    setDocumentMode(false);
    tabBar()->setDrawBase(false);
    tabBar()->setFocusPolicy(Qt::NoFocus);
    tabBar()->setUsesScrollButtons(false);
}

void PageControl::addSheet(TabSheet* sheet) {
    addTab(sheet, sheet->caption());
    sheet->setCaption(sheet->caption()); // keep the tab text in step with the sheet
}

void PageControl::setTabRowShown(bool shown) {
    tabBar()->setVisible(shown);
}

TabSheet* PageControl::sheet(int index) const {
    return qobject_cast<TabSheet*>(widget(index));
}

Panel::Panel(QWidget* parent, const QColor& background) : QFrame(parent) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, background);
    setPalette(pal);
    setAutoFillBackground(true);
}

void Panel::mousePressEvent(QMouseEvent* e) {
    emit mousePressed(e->button(), e->pos());
    QFrame::mousePressEvent(e);
}

MarkerImage::MarkerImage(Shape shape, QWidget* parent) : QWidget(parent), shape_(shape) {
    setCursor(Qt::SizeHorCursor);
    setAttribute(Qt::WA_TranslucentBackground);
}

void MarkerImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = width();
    const qreal h = height();
    if (shape_ == Shape::EqPoint || shape_ == Shape::FilterPoint) {
        // A band point: a ring in the accent; crossover points are squares.
        const QRectF r(1.5, 1.5, w - 3, h - 3);
        p.setPen(QPen(kit::AccentDark, 1.5));
        p.setBrush(QColor(255, 255, 255, 220));
        if (shape_ == Shape::EqPoint)
            p.drawEllipse(r);
        else
            p.drawRoundedRect(r, 2, 2);
        return;
    }
    QPainterPath tri;
    tri.moveTo(1, 1);
    tri.lineTo(w - 1, 1);
    tri.lineTo(w / 2, h - 1);
    tri.closeSubpath();
    p.setPen(QPen(shape_ == Shape::MaxMarker ? kit::Danger : kit::Accent, 1));
    p.setBrush(shape_ == Shape::MaxMarker ? kit::Danger : kit::Accent);
    p.drawPath(tri);
}

void MarkerImage::mousePressEvent(QMouseEvent* e) {
    emit pressed(e->button(), e->pos());
}
void MarkerImage::mouseMoveEvent(QMouseEvent* e) {
    emit moved(e->buttons(), e->pos());
}
void MarkerImage::mouseReleaseEvent(QMouseEvent* e) {
    emit released(e->button(), e->pos());
}

} // namespace dsp
