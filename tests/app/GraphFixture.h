#pragma once

// The real main window with its EQ graph, and what the graph tests do to it: fill a channel's
// bands in ViewTable, show a page as the page buttons would (sheet, sub-page, section), and
// press or move the mouse on a point image.
#include <QApplication>
#include <QMouseEvent>
#include <QTabWidget>

#include "app/MainWindow.h"
#include "eq/EqGraph.h"
#include "eq/EqGraphBands.h"
#include "params/PageState.h"
#include "params/ParamStore.h"
#include "params/SectionMap.h"

namespace dsp::testing {

struct GraphPage {
    const char* name;
    int section;
    int sheet; // FormPageItem
    int sub;   // EffPageControl or AuxPageCtrol
};

inline const GraphPage kGraphPages[] = {{"music", SecMusic, 0, 0}, {"mic", SecMic1, 1, 0},
                                        {"echo", SecEcho, 2, 0},   {"reverb", SecReverb, 2, 1},
                                        {"output", SecOut, 3, 0},  {"hint", SecHint, 4, 0},
                                        {"aux", SecAux, 6, 0}};

inline Address BandAddress(int section, int band, int offset) {
    return MakeAddress(section, FirstEqSlot[size_t(section)] + kBandSlots * band + offset);
}

inline void SetBand(ParamTable& t, int section, int band, int type, int freq, int gain, int q) {
    t[BandAddress(section, band, kBandType)] = type;
    t[BandAddress(section, band, kBandFreq)] = freq;
    t[BandAddress(section, band, kBandGain)] = gain;
    t[BandAddress(section, band, kBandQ)] = q;
    t[BandAddress(section, band, kBandShelfQ)] = 10;
}

// Every band a peak at 0 dB (raw gain 120) spread over the axis; filters off (high-pass at
// index 0, low-pass at 360).
inline void FlatChannel(ParamTable& t, int section) {
    for (int b = 0; b < BandCount[size_t(section)]; ++b)
        SetBand(t, section, b, PEQ, 30 + 15 * b, 120, 16);
    if (const auto xo = CrossoverSlotsOf(section)) {
        t[MakeAddress(section, xo->hpType)] = 2;
        t[MakeAddress(section, xo->hpFreq)] = 0;
        t[MakeAddress(section, xo->lpType)] = 2;
        t[MakeAddress(section, xo->lpFreq)] = 360;
    }
}

// Arranges the window for a page without the page buttons' own handlers.
inline void ShowGraphPage(TForm1& f, const GraphPage& p) {
    f.pageState().CurrentSection = p.section;
    f.findChild<QTabWidget*>("FormPageItem")->setCurrentIndex(p.sheet);
    f.findChild<QTabWidget*>("EffPageControl")->setCurrentIndex(p.sheet == 2 ? p.sub : 0);
    f.findChild<QTabWidget*>("AuxPageCtrol")->setCurrentIndex(p.sheet == 6 ? p.sub : 0);
    QApplication::processEvents();
    f.UpdateCurveColor();
    f.RedrawEQ(kAllBands, p.section);
}

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
    QMouseEvent ev(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, buttons,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(w, &ev);
}

} // namespace dsp::testing
