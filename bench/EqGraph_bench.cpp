// EQ graph redraw: one band and all bands, each computed and painted into an 883 x 268 image.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "BenchApp.h"
#include "eq/EqGraph.h"
#include "params/SectionMap.h"
#include "spectrum/SpectrumViewMath.h"

namespace {

using namespace dsp;

// A main window that accepts everything and does nothing.
class NullHost : public EqGraphHost {
public:
    void ShowValue(Address, double) override {}
    bool IsEditBox(Address) const override { return true; }
    void SelectEdit(Address) override {}
    void CommitEdit(int) override {}
    bool IsShown() const override { return true; }
    int CurrentSheet() const override { return 1; }
    int AuxTab() const override { return 0; }
    bool AuxFirstGroupActive() const override { return false; }
    bool HintThirdGroupVisible() const override { return true; }
};

using bench::App;

// The microphone page with all 20 bands and both filters in use: the largest redraw.
struct Fixture {
    ParamStore store;
    PageState state;
    NullHost host;
    std::unique_ptr<EqGraph> graph;
    QImage image{883, 268, QImage::Format_RGB32};

    Fixture() {
        App();
        state.CurrentSection = SecMic1;
        for (int b = 0; b < 20; ++b) {
            const int base = FirstEqSlot[SecMic1] + kBandSlots * b;
            store.ViewTable.At(SecMic1, base + kBandType) = b % 4 == 0 ? LSEQ : PEQ;
            store.ViewTable.At(SecMic1, base + kBandFreq) = 20 + 17 * b;
            store.ViewTable.At(SecMic1, base + kBandGain) = b % 2 ? 100 : 140;
            store.ViewTable.At(SecMic1, base + kBandQ) = 40;
            store.ViewTable.At(SecMic1, base + kBandShelfQ) = 10;
        }
        store.ViewTable.At(SecMic1, 9) = 2;
        store.ViewTable.At(SecMic1, 10) = 60;
        store.ViewTable.At(SecMic1, 11) = 2;
        store.ViewTable.At(SecMic1, 12) = 330;
        graph = std::make_unique<EqGraph>(store, state, host);
        graph->RedrawEQ(kAllBands, SecMic1);
    }
    void Paint() {
        QPainter painter(&image);
        graph->Image1()->Render(painter);
    }
};

void BM_EqGraphBandRedraw(benchmark::State& st) {
    Fixture f;
    for (auto _ : st) {
        f.graph->RedrawEQ(7, SecMic1);
        f.Paint();
    }
}
BENCHMARK(BM_EqGraphBandRedraw)->Unit(benchmark::kMicrosecond);

void BM_EqGraphFullRedraw(benchmark::State& st) {
    Fixture f;
    for (auto _ : st) {
        f.graph->RedrawEQ(kAllBands, SecMic1);
        f.Paint();
    }
}
BENCHMARK(BM_EqGraphFullRedraw)->Unit(benchmark::kMicrosecond);

void BM_EqGraphPaintOnly(benchmark::State& st) {
    Fixture f;
    for (auto _ : st)
        f.Paint();
}
BENCHMARK(BM_EqGraphPaintOnly)->Unit(benchmark::kMicrosecond);

// One spectrum frame as the 10 ms timer makes it (about 9 a second): the transform of a block
// of a 1 kHz tone, the bar columns at 883 x 268, and the plot repainted with bars and curve.
void BM_SpectrumFrame(benchmark::State& st) {
    Fixture f;
    SpectrumViewMath math = MakeSpectrumViewMath();
    std::vector<std::uint8_t> block(1024);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = std::uint8_t(128 + 90 * std::sin(2 * M_PI * 1000.0 * double(i) / 48000.0));
    for (auto _ : st) {
        math.Transform(block);
        f.graph->SetSpectrumColumns(math.Bars(883, 268, false));
        f.Paint();
    }
}
BENCHMARK(BM_SpectrumFrame)->Unit(benchmark::kMicrosecond);

} // namespace
