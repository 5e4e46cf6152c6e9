#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <functional>

#include "forms/kit/KitControl.h"

namespace dsp {

// Status pane: the read-only value display beside a slider. Hint: the FormatCode of the value.
class StatusPane : public QLabel, public KitControl {
    Q_OBJECT
public:
    explicit StatusPane(QWidget* parent = nullptr);
    QString caption() const override { return text(); }
    void setCaption(const QString& c) override { setText(c); }
};

// Value edit box. Hint: the FormatCode of the value. Reports a click and the loss of focus so
// that editing handlers can select and commit. A key filter, when set, sees every key press
// first and returns true to swallow it (digit filters, arrow-key stepping).
class ValueEdit : public QLineEdit, public KitControl {
    Q_OBJECT
public:
    using KeyFilter = std::function<bool(ValueEdit& edit, QKeyEvent& key)>;

    explicit ValueEdit(QWidget* parent = nullptr);
    QString caption() const override { return text(); }
    void setCaption(const QString& c) override { setText(c); }
    void setKeyFilter(KeyFilter filter) { keyFilter_ = std::move(filter); }

signals:
    void clicked();
    void focusLost();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    KeyFilter keyFilter_;
};

// Drop-down list. Hint: data (a FormatCode or filter kind).
class ComboBox : public QComboBox, public KitControl {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);
    QString caption() const override { return currentText(); }

protected:
    void paintEvent(QPaintEvent* e) override;
};

// Plain text label. A swapping label exchanges caption and Hint on a language switch; a fixed
// label (title, device texts) keeps its Hint.
class TextLabel : public QLabel, public KitControl {
    Q_OBJECT
public:
    explicit TextLabel(QWidget* parent = nullptr, bool swaps = true);
    QString caption() const override { return text(); }
    void setCaption(const QString& c) override { setText(c); }
    bool swapsWithHint() const override { return swaps_; }
    // Text colour (the link status colours); kept in the palette so styles leave it alone.
    void setTextColor(const QColor& c);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    bool swaps_;
};

// Clickable small label: the band-type marks (BY, P, LS, HS; Hint = type value) and the EQ point
// labels (caption = band number). Its highlight is the selected look of the group.
class TypeLabel : public QLabel, public KitControl {
    Q_OBJECT
public:
    enum class Role { TypeMark, PointLabel };
    TypeLabel(Role role, QWidget* parent = nullptr);

    Role role() const { return role_; }
    QString caption() const override { return text(); }
    void setCaption(const QString& c) override { setText(c); }

    bool highlighted() const { return highlighted_; }
    // Type marks: selected = white face, grey text; others grey face, white text.
    // Point labels: selected = opaque accent face; others transparent.
    void setHighlighted(bool on);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    Role role_;
    bool highlighted_ = false;
};

} // namespace dsp
