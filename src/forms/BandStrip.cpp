#include "forms/BandStrip.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "forms/Build.h"

namespace dsp::forms {

namespace {

QString Numbered(const QString& prefix, const char* kind, int n) {
    return QString("%1%2%3").arg(prefix, kind).arg(n);
}

} // namespace

QWidget* MakeBandColumn(QWidget* parent, const BandNames& nm) {
    auto* col = new QWidget(parent);
    col->setObjectName(Numbered(nm.prefix, "BandColumn", nm.band));
    col->setFixedWidth(kBandColumnWidth);
    auto* v = new QVBoxLayout(col);
    v->setContentsMargins(1, 1, 1, 1);
    v->setSpacing(2);

    auto* point = new TypeLabel(TypeLabel::Role::PointLabel, col);
    point->setObjectName(Numbered(nm.pointPrefix, "EQPointLabel", nm.pointNumber));
    point->setText(QString::number(nm.pointNumber));
    point->setTag(nm.pointTag);
    point->setHint(QString::number(nm.pointHint));
    point->setFixedHeight(16);
    v->addWidget(point);

    ComboBox* mode = MakeCombo(col, Numbered(nm.prefix, "ModeBox", nm.band),
                               {"BYPSS", "PEQ", "LSEQ", "HSEQ"}, "1");
    mode->setCurrentIndex(1);
    v->addWidget(mode);

    auto* marks = new QHBoxLayout;
    marks->setSpacing(1);
    const char* kinds[4] = {"BYBtn", "PEQBtn", "LSQBtn", "HSQBtn"};
    const char* texts[4] = {"BY", "P", "LS", "HS"};
    for (int i = 0; i < 4; ++i) {
        auto* mark = new TypeLabel(TypeLabel::Role::TypeMark, col);
        mark->setObjectName(Numbered(nm.prefix, kinds[i], nm.band));
        mark->setText(texts[i]);
        mark->setFixedHeight(14);
        marks->addWidget(mark);
    }
    v->addLayout(marks);

    v->addWidget(MakeEdit(col, Numbered(nm.prefix, "FreEdit", nm.band), 2));
    TrackBar* gain = MakeBar(col, Numbered(nm.prefix, "EQGainBar", nm.band), 180, Qt::Vertical);
    gain->setValue(120);
    v->addWidget(gain, 1, Qt::AlignHCenter);
    v->addWidget(MakeEdit(col, Numbered(nm.prefix, "GainEdit", nm.band), 3));

    auto* q = new QHBoxLayout;
    q->setSpacing(1);
    q->addWidget(MakeEdit(col, Numbered(nm.prefix, "QEdit", nm.band), 4), 1);
    q->addWidget(MakeSpin(col, Numbered(nm.spinPrefix, "QUpDownBtn", nm.band)));
    v->addLayout(q);
    return col;
}

QWidget* MakeBandStrip(QWidget* parent, const StripLayout& layout) {
    GroupBox* frame = MakeBareGroup(
        parent, layout.frameName.isEmpty() ? layout.prefix + "StripFrame" : layout.frameName);
    auto* v = new QVBoxLayout(frame);
    v->setContentsMargins(2, 2, 2, 1);
    v->setSpacing(1);

    auto* box = new QScrollArea(frame);
    box->setObjectName(layout.scrollBox);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setFrameShape(QFrame::NoFrame);
    box->setWidgetResizable(true);
    box->setFixedWidth(layout.visible * kBandColumnWidth);

    auto* strip = new QWidget;
    strip->setObjectName(layout.scrollBox + "Strip");
    auto* h = new QHBoxLayout(strip);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    for (int n = 1; n <= layout.bands; ++n) {
        BandNames nm{layout.prefix,   layout.spinPrefix, layout.pointPrefix, n, n,
                     layout.pointTag, layout.pointHint};
        h->addWidget(MakeBandColumn(strip, nm));
    }
    strip->setFixedWidth(layout.bands * kBandColumnWidth);
    box->setWidget(strip);
    v->addWidget(box, 1);

    auto* bar = new QScrollBar(Qt::Horizontal, frame);
    bar->setObjectName(layout.scrollBar);
    bar->setRange(0, layout.bands - layout.visible);
    bar->setPageStep(1);
    bar->setFixedHeight(12);
    v->addWidget(bar);
    // The strip follows its scroll bar one column per step. Binding-free view glue only.
    QObject::connect(bar, &QScrollBar::valueChanged, box,
                     [box](int p) { box->horizontalScrollBar()->setValue(p * kBandColumnWidth); });
    frame->setFixedWidth(layout.visible * kBandColumnWidth + 6);
    return frame;
}

} // namespace dsp::forms
