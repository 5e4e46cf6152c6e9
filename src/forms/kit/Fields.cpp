#include "forms/kit/Fields.h"

#include <QMouseEvent>
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

void ValueEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    emit focusLost();
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setFocusPolicy(Qt::NoFocus);
    setProperty("kit", "combo");
}

TextLabel::TextLabel(QWidget* parent, bool swaps) : QLabel(parent), swaps_(swaps) {}

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
    highlighted_ = on;
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
