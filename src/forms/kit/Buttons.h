#pragma once

#include <QAbstractButton>
#include <QPushButton>

#include "forms/kit/KitControl.h"

namespace dsp {

// Two-state bitmap button. Its Hint carries data (a toggle state "0"/"1", a selector value),
// so a language switch never swaps it; its texts come from an explicit list instead.
// The kind says how the button behaves and is drawn; the face says which picture shows.
class BmpButton : public QAbstractButton, public KitControl {
    Q_OBJECT
public:
    enum class Kind {
        Push,     // ordinary command button (OK, Load, Save, window buttons)
        Toggle,   // on/off switch, state in Hint (mute, EQ bypass, spectrum switches)
        Phase,    // polarity switch, state in Hint, drawn as a small 0/180 mark
        Selector, // one of a two-button group; Hint = the value it sends, chosen = Face::Down
        Glyph,    // window-frame button drawn from a glyph (minimise, maximise, close)
    };
    enum class Face { Normal, Down, StayDown };
    enum class Glyph { None, Minimise, Maximise, Restore, Close };

    BmpButton(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    Face face() const { return face_; }
    void setFace(Face f);
    void setGlyph(Glyph g);
    Glyph glyph() const { return glyph_; }

    // Toggle and phase buttons: the state shown is Hint == "1".
    bool stateOn() const { return hint() == QLatin1String("1"); }
    // Sets the Hint to "0"/"1" and repaints with the matching picture.
    void setState(bool on);

    QString caption() const override { return text(); }
    void setCaption(const QString& c) override { setText(c); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

private:
    Kind kind_;
    Face face_ = Face::Normal;
    Glyph glyph_ = Glyph::None;
    bool hover_ = false;
};

// Tool button with a selected look (white text on the accent) and an unselected one (accent
// text on no background). Hint: second-language caption.
class ToolButton : public QAbstractButton, public KitControl {
    Q_OBJECT
public:
    explicit ToolButton(QWidget* parent = nullptr);

    bool selectedLook() const { return selected_; }
    void setSelectedLook(bool on);

    QString caption() const override { return text(); }
    void setCaption(const QString& c) override { setText(c); }
    bool swapsWithHint() const override { return true; }
    QSize sizeHint() const override;

signals:
    void pressedDown();
    void releasedUp();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool selected_ = false;
};

// Plain push button. Hint: second-language caption.
class PushButton : public QPushButton, public KitControl {
    Q_OBJECT
public:
    explicit PushButton(QWidget* parent = nullptr);
    QString caption() const override { return text(); }
    void setCaption(const QString& c) override { setText(c); }
    bool swapsWithHint() const override { return true; }
};

// Spin buttons: an up/right and a down/left arrow beside an edit.
class SpinButtons : public QWidget, public KitControl {
    Q_OBJECT
public:
    explicit SpinButtons(QWidget* parent = nullptr);

signals:
    void upRightClicked();
    void downLeftClicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    int pressedHalf_ = -1; // 0 upper, 1 lower
};

} // namespace dsp
