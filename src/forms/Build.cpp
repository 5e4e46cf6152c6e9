#include "forms/Build.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dsp::forms {

TextLabel* MakeLabel(QWidget* parent, const QString& name, const QString& zh, const QString& en,
                     bool swaps) {
    auto* l = new TextLabel(parent, swaps);
    l->setObjectName(name);
    l->setTexts(zh, en);
    l->setText(zh);
    l->setHint(swaps ? en : QString());
    return l;
}

TrackBar* MakeBar(QWidget* parent, const QString& name, int max, Qt::Orientation o) {
    auto* b = new TrackBar(o, 0, max, parent);
    b->setObjectName(name);
    b->setLook(o == Qt::Vertical ? "eqgain" : "level");
    return b;
}

StatusPane* MakePane(QWidget* parent, const QString& name, int formatCode) {
    auto* p = new StatusPane(parent);
    p->setObjectName(name);
    p->setHint(QString::number(formatCode));
    // Times, frequencies and release ratios need the wide pane; plain numbers the narrow one.
    const bool wide = formatCode == 6 || formatCode == 11 || formatCode == 14 || formatCode == 12 ||
                      formatCode == 16 || formatCode == 17 || formatCode == 18;
    p->setFixedSize(wide ? 58 : 44, 18);
    return p;
}

ValueEdit* MakeEdit(QWidget* parent, const QString& name, int formatCode) {
    auto* e = new ValueEdit(parent);
    e->setObjectName(name);
    if (formatCode >= 0)
        e->setHint(QString::number(formatCode));
    e->setFixedHeight(20);
    return e;
}

ComboBox* MakeCombo(QWidget* parent, const QString& name, const QStringList& items,
                    const QString& hint) {
    auto* c = new ComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    c->setHint(hint);
    c->setFixedHeight(20);
    return c;
}

BmpButton* MakeBmp(QWidget* parent, const QString& name, BmpButton::Kind kind, const QString& zh,
                   const QString& en) {
    auto* b = new BmpButton(kind, parent);
    b->setObjectName(name);
    b->setTexts(zh, en);
    b->setText(zh);
    return b;
}

ToolButton* MakeTool(QWidget* parent, const QString& name, const QString& zh, const QString& en,
                     int tag) {
    auto* t = new ToolButton(parent);
    t->setObjectName(name);
    t->setTexts(zh, en);
    t->setText(zh);
    t->setHint(en);
    t->setTag(tag);
    return t;
}

GroupBox* MakeGroup(QWidget* parent, const QString& name, const QString& zh, const QString& en) {
    auto* g = new GroupBox(parent);
    g->setObjectName(name);
    g->setTexts(zh, en);
    g->setTitle(zh);
    g->setHint(en);
    return g;
}

GroupBox* MakeBareGroup(QWidget* parent, const QString& name) {
    auto* g = new GroupBox(parent);
    g->setObjectName(name);
    g->setProperty("bare", true);
    return g;
}

TabSheet* MakeSheet(PageControl* pages, const QString& name, const QString& zh, const QString& en) {
    auto* s = new TabSheet(pages);
    s->setObjectName(name);
    s->setTexts(zh, en);
    s->setHint(en);
    pages->addTab(s, zh);
    s->setCaption(zh);
    return s;
}

SpinButtons* MakeSpin(QWidget* parent, const QString& name) {
    auto* s = new SpinButtons(parent);
    s->setObjectName(name);
    s->setFixedSize(12, 20);
    return s;
}

QTableWidget* MakeFileList(QWidget* parent, const QString& name) {
    auto* t = new QTableWidget(0, 2, parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels({"NO.", "File Name"});
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    t->setColumnWidth(0, 40);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->setDefaultSectionSize(18);
    return t;
}

// The lines of a mode list before the names are known: "1-", "2-" … count.
static QStringList ModeLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QString("%1-").arg(i);
    return lines;
}

QGridLayout* MakeModeRows(GroupBox* group, const QString& box, const QString& label,
                          const QString& edit) {
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setVerticalSpacing(4);
    grid->addWidget(MakeCombo(group, box, ModeLines(22)), 0, 0, 1, 2);
    grid->addWidget(MakeLabel(group, label, "名称", "Name"), 1, 0);
    ValueEdit* name = MakeEdit(group, edit, -1);
    name->setMaxLength(20);
    name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(name, 1, 1);
    return grid;
}

QStringList FilterTypeItems() {
    return {"Bypass", "Bessel", "Butterworth"};
}

QWidget* MakeSliderItem(QWidget* parent, const SliderItem& item) {
    auto* w = new QWidget(parent);
    w->setObjectName(QString("%1Item").arg(item.bar));
    w->setFixedSize(kItemWidth, 38);
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    auto* top = new QHBoxLayout;
    top->setSpacing(3);
    top->addWidget(MakeLabel(w, QString("%1Label").arg(item.bar), item.zh, item.en), 1);
    top->addWidget(MakePane(w, item.pane, item.formatCode));
    v->addLayout(top);
    // The phase button sits at the end of the slider line.
    auto* line = new QHBoxLayout;
    line->setSpacing(3);
    line->addWidget(MakeBar(w, item.bar, item.max), 1);
    if (item.phase) {
        auto* ph = MakeBmp(w, item.phase, BmpButton::Kind::Phase);
        ph->setFixedSize(15, 15);
        line->addWidget(ph);
    }
    v->addLayout(line);
    return w;
}

QWidget* MakeFilterItem(QWidget* parent, const FilterItem& item) {
    auto* w = new QWidget(parent);
    w->setObjectName(QString("%1Item").arg(item.bar));
    w->setFixedSize(kItemWidth, 62);
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    auto* top = new QHBoxLayout;
    top->setSpacing(3);
    top->addWidget(MakeLabel(w, QString("%1Label").arg(item.bar), item.highPass ? "高通" : "低通",
                             item.highPass ? "HPF" : "LPF"),
                   1);
    top->addWidget(MakePane(w, item.pane, 6));
    v->addLayout(top);
    v->addWidget(MakeBar(w, item.bar, 360));
    v->addWidget(MakeCombo(w, item.typeBox, FilterTypeItems(), item.highPass ? "20" : "21"));
    return w;
}

GroupBox* MakeItemGroup(QWidget* parent, const QString& name, const QString& zh, const QString& en,
                        const QList<QWidget*>& items, int columns) {
    GroupBox* g = MakeGroup(parent, name, zh, en);
    auto* grid = new QGridLayout(g);
    grid->setContentsMargins(5, 4, 5, 5);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i)
        grid->addWidget(items[i], i % rows, i / rows, Qt::AlignTop);
    g->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return g;
}

QWidget* MakeColumn(QWidget* parent, const QList<QWidget*>& groups) {
    auto* col = new QWidget(parent);
    auto* v = new QVBoxLayout(col);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(3);
    for (QWidget* g : groups)
        v->addWidget(g);
    v->addStretch(1);
    return col;
}

} // namespace dsp::forms
