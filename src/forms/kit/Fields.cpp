#include "forms/kit/Fields.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace dsp {

StatusPane::StatusPane(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setProperty("kit", "pane");
}

ValueEdit::ValueEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignCenter);
    setProperty("kit", "edit");
}

void ValueEdit::mousePressEvent(QMouseEvent* e) {
    QLineEdit::mousePressEvent(e);
    emit clicked();
}

void ValueEdit::keyPressEvent(QKeyEvent* e) {
    if (keyFilter_ && keyFilter_(*this, *e))
        return;
    QLineEdit::keyPressEvent(e);
}

void ValueEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    emit focusLost();
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setFocusPolicy(Qt::NoFocus);
    setProperty("kit", "combo");
}

void ComboBox::paintEvent(QPaintEvent* e) {
    QComboBox::paintEvent(e);
    // The drop-down mark: a small flat triangle at the right edge.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(isEnabled() ? QColor(128, 128, 128) : QColor(190, 190, 190));
    const qreal cx = width() - 8.5;
    const qreal cy = height() / 2.0;
    const QPointF tri[3] = {{cx - 3.5, cy - 1.5}, {cx + 3.5, cy - 1.5}, {cx, cy + 2.5}};
    p.drawPolygon(tri, 3);
}

TextLabel::TextLabel(QWidget* parent, bool swaps) : QLabel(parent), swaps_(swaps) {}

void TextLabel::setTextColor(const QColor& c) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, c);
    setPalette(pal);
}

void TextLabel::mouseDoubleClickEvent(QMouseEvent* e) {
    QLabel::mouseDoubleClickEvent(e);
    emit doubleClicked();
}

TypeLabel::TypeLabel(Role role, QWidget* parent) : QLabel(parent), role_(role) {
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    setProperty("kit", role == Role::TypeMark ? "typemark" : "pointlabel");
    setHighlighted(false);
}

void TypeLabel::setHighlighted(bool on) {
    // Polishing again is what a style sheet costs most; a label that keeps its state keeps
    // its look.
    const bool unchanged = on == highlighted_ && property("selected").isValid();
    highlighted_ = on;
    if (unchanged)
        return;
    setProperty("selected", on);
    style()->unpolish(this);
    style()->polish(this);
    update();
}

void TypeLabel::mousePressEvent(QMouseEvent* e) {
    QLabel::mousePressEvent(e);
    if (e->button() == Qt::LeftButton)
        emit clicked();
}

} // namespace dsp
