#include "eq/EqGraph.h"

#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include "params/SectionMap.h"

namespace dsp {

namespace {

QColor FromRgb(uint32_t rgb) {
    return QColor::fromRgb(QRgb(0xFF000000u | rgb));
}

QLabel* MakeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

} // namespace

EqGraph::EqGraph(ParamStore& store, PageState& state, EqGraphHost& host, QWidget* parent)
    : QWidget(parent), store_(store), state_(state), host_(host),
      curves_(size_t(kPointCount) * kCurveCells) {
    setObjectName("AdvPanel1");
    setAutoFillBackground(true);
    QPalette outer = palette();
    outer.setColor(QPalette::Window, Qt::white);
    setPalette(outer);

    panel2_ = new QWidget(this);
    panel2_->setObjectName("AdvPanel2");
    panel2_->setAutoFillBackground(true);
    QPalette frame = panel2_->palette();
    frame.setColor(QPalette::Window, QColor(238, 238, 238)); // 15658734
    panel2_->setPalette(frame);

    image1_ = new EqGraphPlot(this, panel2_);
    panel2_->installEventFilter(this);

    // Stacking, bottom to top: plot, bypass caption, points, value label.
    eqPassLabel_ = MakeLabel(panel2_, "EQPassLabel");
    QFont passFont;
    passFont.setPixelSize(35);
    passFont.setBold(true);
    eqPassLabel_->setFont(passFont);
    eqPassLabel_->setText("EQ PASS");
    eqPassLabel_->setStyleSheet("color: rgb(150, 150, 150);");
    eqPassLabel_->adjustSize();
    eqPassLabel_->hide();
    eqPassLabel_->installEventFilter(this);

    for (int i = 0; i < kPointCount; ++i) {
        points_[size_t(i)] = new EqGraphPoint(i, this, panel2_);
        points_[size_t(i)]->hide();
    }

    eqLabel_ = MakeLabel(panel2_, "EQlabel");
    QFont labelFont("Arial Narrow");
    labelFont.setPixelSize(13);
    labelFont.setBold(true);
    eqLabel_->setFont(labelFont);
    eqLabel_->setAlignment(Qt::AlignCenter);
    eqLabel_->setStyleSheet("color: rgb(243, 152, 0);"); // 39155
    eqLabel_->hide();
    eqLabel_->installEventFilter(this);

    setMinimumSize(kPlotLeft + kPlotRight + 120, kPlotTop + kPlotBottom + 60);
    const QSize start(883, 268);
    panel2_->setGeometry(kPlotLeft, kPlotTop, start.width(), start.height());
    image1_->setGeometry(0, 0, start.width(), start.height());
    resize(sizeHint());
    DrawEQGrid(0);
    drag_ = ComputeDragMetrics(plot_, EqGraphPoint::kSize);
    CentrePassLabel();
    curveColor_ = CurveColorFor(state_.CurrentSection, state_.ManualMode);
    image1_->SetCurveColor(QColor::fromRgba(curveColor_));
}

void EqGraph::SetPlotMargins(QMargins margins) {
    plotMargins_ = margins;
    const QRect frame = rect().marginsRemoved(plotMargins_);
    if (frame.isValid())
        panel2_->setGeometry(frame);
    SyncPlotSize();
}

QSize EqGraph::sizeHint() const {
    return QSize(883, 268).grownBy(plotMargins_);
}

void EqGraph::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QRect frame = rect().marginsRemoved(plotMargins_);
    if (frame.isValid())
        panel2_->setGeometry(frame);
    SyncPlotSize();
}

// Image1 fills AdvPanel2, whether the frame follows this panel's size or a form lays it out.
void EqGraph::SyncPlotSize() {
    const QSize size = panel2_->size();
    // Below two rows the dB mapping would divide by zero.
    if (size.width() < 2 || size.height() < 2 || size == image1_->size())
        return;
    image1_->setGeometry(0, 0, size.width(), size.height());
    OnPlotResized();
}

void EqGraph::OnPlotResized() {
    DrawEQGrid(1);
    drag_ = ComputeDragMetrics(plot_, EqGraphPoint::kSize);
    CentrePassLabel();
    RedrawEQ(kAllBands, state_.CurrentSection);
    RedrawEQ(state_.SelectedBand, state_.CurrentSection);
}

void EqGraph::CentrePassLabel() {
    eqPassLabel_->move((image1_->width() - eqPassLabel_->width()) / 2,
                       (image1_->height() - eqPassLabel_->height()) / 2);
}

void EqGraph::DrawEQGrid(int mode) {
    if (mode != 2) {
        plot_.width = image1_->width();
        plot_.height = image1_->height();
        plot_.xScale = double(plot_.width) / eqshared::EQGridSteps;
        QImage grid(plot_.width, plot_.height, QImage::Format_RGB32);
        grid.fill(FromRgb(kGridBackground));
        QPainter painter(&grid);
        for (const GridLine& line : GridLines(plot_)) {
            painter.setPen(QPen(FromRgb(line.rgb), line.width));
            painter.drawLine(line.x1, line.y1, line.x2, line.y2);
        }
        painter.end();
        image1_->SetGridBitmap(QPixmap::fromImage(grid));
        PlaceAxisLabels(this, mode);
    }
    image1_->update();
}

void EqGraph::PlaceAxisLabels(QWidget* panel, int mode) {
    const std::vector<AxisLabel> labels = AxisLabels(plot_, panel2_->x(), panel2_->y());
    if (mode == 0 && axisLabels_.empty()) {
        QFont font;
        font.setPixelSize(11);
        for (const AxisLabel& a : labels) {
            auto* label = MakeLabel(panel, a.name.c_str());
            label->setFont(font);
            label->setText(QString::fromStdString(a.text));
            label->setAlignment((a.rightAligned ? Qt::AlignRight : Qt::AlignHCenter) |
                                Qt::AlignVCenter);
            label->setStyleSheet("color: rgb(161, 161, 161);"); // 10592673
            axisLabels_.push_back(label);
        }
    }
    for (size_t i = 0; i < axisLabels_.size() && i < labels.size(); ++i) {
        const AxisLabel& a = labels[i];
        axisLabels_[i]->setGeometry(a.left, a.top, a.width, a.height);
        axisLabels_[i]->show();
    }
}

int EqGraph::LoadBandList(int band, int section) {
    BandListContext ctx;
    ctx.hintThirdGroupVisible = host_.HintThirdGroupVisible();
    ctx.auxFirstGroupActive = host_.AuxFirstGroupActive();
    return dsp::LoadBandList(bandList_, store_.ViewTable, band, section, ctx);
}

void EqGraph::PlacePoint(QWidget* point, double freq, double gain) {
    const PixelPos pos = PointPlacement(plot_, freq, gain, point->height());
    if (point->pos() != QPoint(pos.left, pos.top))
        point->move(pos.left, pos.top);
}

void EqGraph::RedrawEQ(int band, int section) {
    if (band > kAllBands || state_.Refreshing || section >= SecSysVol || section < 0)
        return;
    // Only single bands of the point range exist; anything else would index past the list.
    if (band != kAllBands && (band < 0 || band >= kPointCount))
        return;

    const int r = LoadBandList(band, section);
    const int lastEq = r % 100;
    const int filters = r / 100;
    if (band == kAllBands) {
        for (int i = 0; i < kPointCount; ++i)
            points_[size_t(i)]->setVisible(i <= lastEq);
        points_[kHpfPoint]->setVisible(filters >= 1);
        points_[kLpfPoint]->setVisible(filters >= 2);
    }
    const int n = lastEq + filters;

    for (int i = 0; i <= n; ++i) {
        if (band != kAllBands && i != band)
            continue;
        const BandEntry& b = bandList_.bands[size_t(i)];
        eqshared::BandResponse(&curves_[size_t(i) * kCurveCells], kCurveCells - 1,
                               eqshared::RoundPx(b.freq), b.type, b.q, b.gain);
        if (dragInProgress_)
            continue;
        if (b.type < 100)
            PlacePoint(points_[size_t(i)], b.freq, b.gain);
        else if (b.type < 200)
            PlacePoint(points_[kHpfPoint], b.freq, 0);
        else if (b.type < 300)
            PlacePoint(points_[kLpfPoint], b.freq, 0);
    }

    if (band == kAllBands)
        eqLabel_->hide();
    else
        ShowValueLabel(band, n);

    BuildCurve(n, section);
}

void EqGraph::ShowValueLabel(int band, int lastBand) {
    if (band > lastBand) { // no such band on this page
        eqLabel_->hide();
        return;
    }
    const BandEntry& b = bandList_.bands[size_t(band)];
    QWidget* anchor = points_[size_t(band)];
    if (b.type >= 100)
        anchor = points_[b.type < 200 ? kHpfPoint : kLpfPoint];
    eqLabel_->setText(QString::fromStdString(ValueLabelText(b.type, b.freq, b.gain, b.q)));
    eqLabel_->adjustSize();
    const PixelPos pos = ValueLabelPlacement(
        {anchor->x(), anchor->y()}, anchor->width(), anchor->height(), eqLabel_->width(),
        eqLabel_->height(), b.type < 100 ? b.gain : 0, image1_->width());
    if (eqLabel_->pos() != QPoint(pos.left, pos.top))
        eqLabel_->move(pos.left, pos.top);
    eqLabel_->show();
    eqLabel_->raise();
}

void EqGraph::BuildCurve(int lastBand, int section) {
    if (int(curveXs_.size()) != eqshared::EQGridSteps + 1 || curveXs_.back() != plot_.width)
        curveXs_ = CurveXs(plot_.width);
    const bool aux = section == SecAux;
    curveYs_.assign(size_t(eqshared::EQGridSteps) + 1, 0);
    std::vector<PointF> points(size_t(eqshared::EQGridSteps) + 1);
    for (int p = 0; p <= eqshared::EQGridSteps; ++p) {
        float sum = 0;
        for (int b = 0; b <= lastBand; ++b) {
            if (aux && bandList_.bands[size_t(b)].type == BYPSS)
                continue;
            sum += curves_[size_t(b) * kCurveCells + size_t(p)].Re;
        }
        curveYs_[size_t(p)] = CurveY(plot_, sum);
        points[size_t(p)] = {double(curveXs_[size_t(p)]), double(curveYs_[size_t(p)])};
    }
    if (aux) {
        const bool first = host_.AuxFirstGroupActive();
        for (int i = 0; i < 6; ++i)
            points_[size_t(i)]->setVisible(i < 3 ? first : !first);
    }

    QPainterPath path(QPointF(points[0].x, points[0].y));
    for (const BezierSegment& s : CardinalToBezier(points, kCurveTension))
        path.cubicTo(s.c1.x, s.c1.y, s.c2.x, s.c2.y, s.end.x, s.end.y);
    image1_->SetCurve(std::move(path));
    image1_->update();
}

void EqGraph::SetCurveColor(uint32_t argb) {
    curveColor_ = argb;
    image1_->SetCurveColor(QColor::fromRgba(argb));
    image1_->update();
}

void EqGraph::UpdateCurveColor() {
    SetCurveColor(CurveColorFor(state_.CurrentSection, state_.ManualMode));
}

void EqGraph::SetSpectrumColumns(std::vector<int> columns) {
    image1_->SetSpectrumColumns(std::move(columns));
    image1_->update();
}

bool EqGraph::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panel2_ && event->type() == QEvent::Resize)
        SyncPlotSize();
    if ((watched == eqLabel_ || watched == eqPassLabel_) &&
        event->type() == QEvent::MouseButtonRelease)
        EQlabelMouseUp();
    return QWidget::eventFilter(watched, event);
}

} // namespace dsp
