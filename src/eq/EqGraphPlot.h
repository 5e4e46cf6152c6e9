#pragma once

// The widgets inside the plot frame of the EQ graph: Image1 (grid bitmap, spectrum bars and
// the curve) and the 22 point images. Both only paint and forward mouse events to EqGraph.

#include <QColor>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>
#include <vector>

namespace dsp {

class EqGraph;

// Image1: paints GridBitmap, the spectrum bars handed in from outside and the EQ curve.
class EqGraphPlot : public QWidget {
    Q_OBJECT
public:
    EqGraphPlot(EqGraph* graph, QWidget* parent);

    void SetGridBitmap(QPixmap grid) { grid_ = std::move(grid); }
    const QPixmap& GridBitmap() const { return grid_; }
    void SetCurve(QPainterPath path) { curve_ = std::move(path); }
    const QPainterPath& Curve() const { return curve_; }
    void SetCurveColor(QColor color) { curveColor_ = color; }
    QColor CurveColor() const { return curveColor_; }
    // Top y of the spectrum bar drawn in every pixel column (empty: no spectrum).
    void SetSpectrumColumns(std::vector<int> columns) { spectrum_ = std::move(columns); }
    const std::vector<int>& SpectrumColumns() const { return spectrum_; }

    // Paints the plot: the grid restored from GridBitmap, the spectrum bars, then the curve.
    void Render(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    EqGraph* graph_;
    QPixmap grid_;
    QPainterPath curve_;
    QColor curveColor_{255, 102, 0};
    std::vector<int> spectrum_;
};

// One point image (EP1 ... EP20, HPF, LPF); its Tag is its index 0 ... 21.
class EqGraphPoint : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSize = 14;
    EqGraphPoint(int index, EqGraph* graph, QWidget* parent);
    int Tag() const { return index_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int index_;
    EqGraph* graph_;
};

} // namespace dsp
