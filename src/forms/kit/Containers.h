#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QTabWidget>

#include "forms/kit/KitControl.h"

namespace dsp {

// Group box with a caption; Hint: second-language caption.
class GroupBox : public QGroupBox, public KitControl {
    Q_OBJECT
public:
    explicit GroupBox(QWidget* parent = nullptr);
    QString caption() const override { return title(); }
    void setCaption(const QString& c) override { setTitle(c); }
    bool swapsWithHint() const override { return true; }

signals:
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers mods);

protected:
    void mousePressEvent(QMouseEvent* e) override;
};

// One page of a page control; its caption is the tab text. Hint: second-language caption.
class TabSheet : public QWidget, public KitControl {
    Q_OBJECT
public:
    explicit TabSheet(QWidget* parent = nullptr);
    QString caption() const override { return caption_; }
    void setCaption(const QString& c) override;
    bool swapsWithHint() const override { return true; }

signals:
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers mods);

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    QString caption_;
};

// Page control holding tab sheets; the tab row can be hidden when buttons elsewhere navigate.
class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);
    void addSheet(TabSheet* sheet);
    void setTabRowShown(bool shown);
    TabSheet* sheet(int index) const;
};

// Flat panel (plain frame with a background colour).
class Panel : public QFrame {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent = nullptr, const QColor& background = Qt::white);

signals:
    void mousePressed(Qt::MouseButton button, QPoint pos);

protected:
    void mousePressEvent(QMouseEvent* e) override;
};

// Small draggable picture: the volume markers above the master sliders (Tag: the address of
// the slider it sets) and the EQ graph's band points (Tag: the point's index). Reports press,
// move and release in its own coordinates.
class MarkerImage : public QWidget, public KitControl {
    Q_OBJECT
public:
    enum class Shape { MaxMarker, StartMarker, EqPoint, FilterPoint };
    MarkerImage(Shape shape, QWidget* parent = nullptr);

signals:
    void pressed(Qt::MouseButton button, QPoint pos);
    void moved(Qt::MouseButtons buttons, QPoint pos);
    void released(Qt::MouseButton button, QPoint pos);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    Shape shape_;
};

} // namespace dsp
