#include "forms/kit/Buttons.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "forms/kit/Style.h"

namespace dsp {

namespace {

QFont ControlFont(const QWidget* w, bool bold = false) {
    QFont f = w->font();
    f.setPixelSize(kit::kFontPx);
    f.setBold(bold);
    return f;
}

void DrawGlyph(QPainter& p, const QRectF& r, BmpButton::Glyph g, const QColor& c) {
    QPen pen(c, 1.6);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPointF m = r.center();
    const qreal s = qMin(r.width(), r.height()) * 0.22;
    switch (g) {
    case BmpButton::Glyph::Minimise:
        p.drawLine(QPointF(m.x() - s, m.y() + s * 0.6), QPointF(m.x() + s, m.y() + s * 0.6));
        break;
    case BmpButton::Glyph::Maximise:
        p.drawRect(QRectF(m.x() - s, m.y() - s, 2 * s, 2 * s));
        break;
    case BmpButton::Glyph::Restore:
        p.drawRect(QRectF(m.x() - s, m.y() - s * 0.5, 1.5 * s, 1.5 * s));
        p.drawLine(QPointF(m.x() - s * 0.5, m.y() - s), QPointF(m.x() + s, m.y() - s));
        p.drawLine(QPointF(m.x() + s, m.y() - s), QPointF(m.x() + s, m.y() + s * 0.5));
        break;
    case BmpButton::Glyph::Close:
        p.drawLine(QPointF(m.x() - s, m.y() - s), QPointF(m.x() + s, m.y() + s));
        p.drawLine(QPointF(m.x() - s, m.y() + s), QPointF(m.x() + s, m.y() - s));
        break;
    case BmpButton::Glyph::None:
        break;
    }
}

} // namespace

// ---- BmpButton ----

BmpButton::BmpButton(Kind kind, QWidget* parent) : QAbstractButton(parent), kind_(kind) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    if (kind == Kind::Toggle || kind == Kind::Phase || kind == Kind::Selector)
        setHint("0");
}

void BmpButton::setFace(Face f) {
    face_ = f;
    update();
}

void BmpButton::setGlyph(Glyph g) {
    glyph_ = g;
    update();
}

void BmpButton::setState(bool on) {
    setHint(on ? "1" : "0");
    update();
}

QSize BmpButton::sizeHint() const {
    const QFontMetrics fm(ControlFont(this));
    return {fm.horizontalAdvance(text()) + 16, 22};
}

void BmpButton::enterEvent(QEnterEvent* e) {
    hover_ = true;
    update();
    QAbstractButton::enterEvent(e);
}

void BmpButton::leaveEvent(QEvent* e) {
    hover_ = false;
    update();
    QAbstractButton::leaveEvent(e);
}

void BmpButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool enabled = isEnabled();
    const bool sunken = isDown() || face_ == Face::Down;

    if (kind_ == Kind::Glyph) {
        QColor bg = Qt::transparent;
        if (hover_ || isDown())
            bg = glyph_ == Glyph::Close ? kit::Danger : QColor(255, 255, 255, 40);
        p.fillRect(rect(), bg);
        DrawGlyph(p, r, glyph_, Qt::white);
        return;
    }

    if (kind_ == Kind::Phase) {
        // Polarity: a neutral outlined circle when normal; inverted fills it with the accent.
        const bool on = stateOn();
        const qreal d = qMin(r.width(), r.height()) - 1;
        const QRectF c(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
        const QColor edge = !enabled ? kit::Line : on ? kit::Accent : kit::InkMuted;
        p.setPen(QPen(edge, 1.1));
        p.setBrush(on ? kit::Accent : kit::Field);
        p.drawEllipse(c);
        p.setPen(QPen(on ? QColor(Qt::white) : edge, 1.1));
        p.drawLine(QPointF(c.left() + d * 0.22, c.bottom() - d * 0.22),
                   QPointF(c.right() - d * 0.22, c.top() + d * 0.22));
        return;
    }

    QColor face = kit::Field;
    QColor border = kit::Line;
    QColor ink = kit::Ink;
    switch (kind_) {
    case Kind::Toggle:
        if (stateOn()) {
            face = kit::Danger;
            border = kit::Danger;
            ink = Qt::white;
        }
        break;
    case Kind::Selector:
        if (sunken) {
            face = kit::Accent;
            border = kit::Accent;
            ink = Qt::white;
        }
        break;
    default:
        if (sunken) {
            face = kit::Accent;
            border = kit::AccentDark;
            ink = Qt::white;
        } else if (face_ == Face::StayDown) {
            face = QColor(255, 243, 224);
            border = kit::Accent;
            ink = kit::AccentDark;
        }
        break;
    }
    if (hover_ && enabled && ink != QColor(Qt::white))
        border = kit::Accent;
    if (!enabled) {
        face = face == kit::Field ? kit::Panel : face.lighter(130);
        ink = kit::InkMuted;
        border = kit::Line;
    }
    p.setPen(QPen(border, 1));
    p.setBrush(face);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(ink);
    p.setFont(ControlFont(this));
    p.drawText(rect(), Qt::AlignCenter, text());
}

// ---- ToolButton ----

ToolButton::ToolButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void ToolButton::setSelectedLook(bool on) {
    selected_ = on;
    update();
}

QSize ToolButton::sizeHint() const {
    const QFontMetrics fm(ControlFont(this, true));
    return {fm.horizontalAdvance(text()) + 14, 24};
}

void ToolButton::mousePressEvent(QMouseEvent* e) {
    QAbstractButton::mousePressEvent(e);
    emit pressedDown();
}

void ToolButton::mouseReleaseEvent(QMouseEvent* e) {
    QAbstractButton::mouseReleaseEvent(e);
    emit releasedUp();
}

void ToolButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    if (selected_) {
        p.setPen(Qt::NoPen);
        p.setBrush(isEnabled() ? kit::Accent : kit::Line);
        p.drawRoundedRect(r, 3, 3);
        p.setPen(Qt::white);
    } else {
        if (underMouse() && isEnabled()) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(243, 152, 0, 28));
            p.drawRoundedRect(r, 3, 3);
        }
        p.setPen(isEnabled() ? kit::Accent : kit::InkMuted);
    }
    p.setFont(ControlFont(this, true));
    p.drawText(rect(), Qt::AlignCenter, text());
}

// ---- PushButton ----

PushButton::PushButton(QWidget* parent) : QPushButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}

// ---- SpinButtons ----

SpinButtons::SpinButtons(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
}

void SpinButtons::mousePressEvent(QMouseEvent* e) {
    pressedHalf_ = e->position().y() < height() / 2.0 ? 0 : 1;
    update();
}

void SpinButtons::mouseReleaseEvent(QMouseEvent* e) {
    const int half = pressedHalf_;
    pressedHalf_ = -1;
    update();
    if (!rect().contains(e->position().toPoint()) || !isEnabled())
        return;
    if (half == 0)
        emit upRightClicked();
    else if (half == 1)
        emit downLeftClicked();
}

void SpinButtons::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = width();
    const qreal h = height() / 2.0;
    for (int half = 0; half < 2; ++half) {
        const QRectF r(0.5, half * h + 0.5, w - 1, h - 1);
        p.setPen(kit::Line);
        p.setBrush(pressedHalf_ == half ? kit::Accent : kit::Field);
        p.drawRoundedRect(r, 2, 2);
        const QColor ink = !isEnabled()           ? kit::Line
                           : pressedHalf_ == half ? QColor(Qt::white)
                                                  : kit::InkMuted;
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        const QPointF c = r.center();
        const qreal s = qMin(r.width(), r.height()) * 0.28;
        QPainterPath tri;
        if (half == 0) {
            tri.moveTo(c.x() - s, c.y() + s * 0.5);
            tri.lineTo(c.x() + s, c.y() + s * 0.5);
            tri.lineTo(c.x(), c.y() - s * 0.6);
        } else {
            tri.moveTo(c.x() - s, c.y() - s * 0.5);
            tri.lineTo(c.x() + s, c.y() - s * 0.5);
            tri.lineTo(c.x(), c.y() + s * 0.6);
        }
        tri.closeSubpath();
        p.drawPath(tri);
    }
}

} // namespace dsp
