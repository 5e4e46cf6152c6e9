#pragma once

// The EQ graph of the main window: the outer panel AdvPanel1 with the axis labels, the plot
// frame AdvPanel2 holding Image1, the value label EQlabel, EQPassLabel and the 22 point images.
// Shows the summed response of the bands of the section on the current page and lets the user
// drag the points (frequency and gain), the crossover markers (frequency) and step Q with the
// right button. Values reach the device only through EqGraphHost::ShowValue.
//
// Wiring by the main window: Timer1 (10 ms) calls ProcessPendingEQ(true) before the spectrum
// step; the page and auto/manual buttons call UpdateCurveColor() and RedrawEQ(kAllBands, …);
// the page refresh shows or hides EQPassLabel(); the spectrum view hands its bar rows to
// SetSpectrumColumns() and asks DragInProgress() before it takes audio.

#include <QLabel>
#include <QMargins>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

#include "eq/EqGraphBands.h"
#include "eq/EqGraphDrag.h"
#include "eq/EqGraphGeometry.h"
#include "eq/EqGraphHost.h"
#include "eq/EqGraphPlot.h"
#include "params/PageState.h"
#include "params/ParamStore.h"

namespace dsp {

class EqGraph : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCurveCells = 1025;
    // Position of the plot frame inside the outer panel and the room kept around it.
    static constexpr int kPlotLeft = 40;
    static constexpr int kPlotTop = 10;
    static constexpr int kPlotRight = 12;
    static constexpr int kPlotBottom = 18;

    EqGraph(ParamStore& store, PageState& state, EqGraphHost& host, QWidget* parent = nullptr);

    // Redraws one band (0-21) or every band (kAllBands) of a view section. Ignored while
    // Refreshing, for sections 25 and up and for other band numbers.
    void RedrawEQ(int band, int section);
    // Reloads the band list from ViewTable; returns 200 + last EQ band with crossover filters,
    // else the last EQ band.
    int LoadBandList(int band, int section);
    // 0 at creation, 1 on resize: draw the grid and place the axis labels; 2: restore only.
    void DrawEQGrid(int mode);
    // 0 creates the axis labels on `panel`, 1 repositions them.
    void PlaceAxisLabels(QWidget* panel, int mode);

    // First step of every 10 ms tick of Timer1: redraws after an EQ edit (when redraw is
    // true) and pushes the values of a dragged point through the host.
    void ProcessPendingEQ(bool redraw);

    // Pen colour of the curve; UpdateCurveColor derives it from the page state.
    void SetCurveColor(uint32_t argb);
    void UpdateCurveColor();
    uint32_t CurveColor() const { return curveColor_; }

    // Spectrum bars under the curve: top y for each pixel column of Image1 (empty: none).
    void SetSpectrumColumns(std::vector<int> columns);

    // Mouse handlers shared by the point images (index = Tag) and the plot.
    void EP1MouseDown(int index, Qt::MouseButton button, int x, int y);
    void EP1MouseMove(int index, int x, int y);
    void EP1MouseUp(int index, Qt::MouseButton button);
    void Image1MouseMove(Qt::MouseButtons buttons, int x, int y);
    void Image1MouseUp(Qt::MouseButton button);
    void EQlabelMouseUp();

    // State read by the spectrum view, the system page and tests.
    const PlotGeometry& Geometry() const { return plot_; }
    const DragMetrics& Metrics() const { return drag_; }
    const BandList& Bands() const { return bandList_; }
    const std::vector<int>& CurveXPoints() const { return curveXs_; }
    const std::vector<int>& CurveYPoints() const { return curveYs_; }
    const eqshared::TComplex* BandCurve(int band) const {
        return &curves_[size_t(band) * kCurveCells];
    }
    bool DragInProgress() const { return dragInProgress_; }
    bool QAdjustMode() const { return qAdjustMode_; }
    int DragIndex() const { return dragIndex_; }

    QWidget* AdvPanel2() const { return panel2_; }
    EqGraphPlot* Image1() const { return image1_; }
    QLabel* EQlabel() const { return eqLabel_; }
    QLabel* EQPassLabel() const { return eqPassLabel_; }
    EqGraphPoint* PointImage(int index) const { return points_[size_t(index)]; }

    // Room around the plot frame for the axis labels (default kPlotLeft, kPlotTop, kPlotRight,
    // kPlotBottom). A form may instead lay out AdvPanel2() itself; Image1 follows either way.
    void SetPlotMargins(QMargins margins);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SyncPlotSize();
    void OnPlotResized();
    void CentrePassLabel();
    bool LockedOutputPage() const;
    Address BandSlotAddress(int pointIndex, int offset) const;
    void SelectBandFreqEdit(int pointIndex);
    void StartPending(int index);
    void PlacePoint(QWidget* point, double freq, double gain);
    void ShowValueLabel(int band, int lastBand);
    void BuildCurve(int lastBand, int section);

    ParamStore& store_;
    PageState& state_;
    EqGraphHost& host_;

    QWidget* panel2_ = nullptr;
    EqGraphPlot* image1_ = nullptr;
    QLabel* eqLabel_ = nullptr;
    QLabel* eqPassLabel_ = nullptr;
    std::array<EqGraphPoint*, kPointCount> points_{};
    std::vector<QLabel*> axisLabels_;

    PlotGeometry plot_;
    DragMetrics drag_;
    BandList bandList_;
    std::vector<eqshared::TComplex> curves_;
    std::vector<int> curveXs_;
    std::vector<int> curveYs_;
    uint32_t curveColor_ = kCurveOrange;
    QMargins plotMargins_{kPlotLeft, kPlotTop, kPlotRight, kPlotBottom};

    // Point drag and Q adjustment.
    bool dragInProgress_ = false;
    int dragIndex_ = -1;
    int dragLastX_ = 0;
    int dragLastY_ = 0;
    bool qAdjustMode_ = false;
    int pendingPoint_ = -1;
    float pendingFreqIndex_ = 0;
    float pendingGainIndex_ = 0;
    float shownFreqIndex_ = 0;
    float shownGainIndex_ = 0;
    // LastEdited as last drawn.
    Address drawnEditAddress_ = -1;
    int drawnEditValue_ = 0;
};

} // namespace dsp
