// Screenshots of the whole main window with the EQ graph on every page that has one, a band's
// value label, the bypass caption, the grey curve of the output page in automatic mode and the
// spectrum: graph_shots [folder] (default /tmp/shots). Not a test. Under scripts/with-pulse the
// spectrum shows the server's sine; without audio it shows one synthetic block of a 1 kHz sine.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>

#include "GraphFixture.h"
#include "forms/kit/Kit.h"
#include "params/ScaleTables.h"
#include "spectrum/SpectrumView.h"

using namespace dsp;
using namespace dsp::testing;

namespace {

int FreqIndex(double hz) {
    int best = 0;
    for (int i = 1; i < kFrequencyCount; ++i)
        if (std::abs(FrequencyTable[size_t(i)] - hz) < std::abs(FrequencyTable[size_t(best)] - hz))
            best = i;
    return best;
}

int QIndex(double q) {
    int best = 0;
    for (int i = 1; i < kQCount; ++i)
        if (std::abs(QTable[size_t(i)] - q) < std::abs(QTable[size_t(best)] - q))
            best = i;
    return best;
}

int Gain(double db) {
    return int(std::lround((db + 24) * 5));
}

// A channel with some shape: a low shelf, a cut at 1 kHz, a lift at 4 kHz, filters at 80 Hz
// and 16 kHz; the other bands flat.
void ShapedChannel(ParamTable& t, int section) {
    FlatChannel(t, section);
    const int q2 = QIndex(2.0);
    SetBand(t, section, 0, LSEQ, FreqIndex(100), Gain(4), q2);
    t[BandAddress(section, 0, kBandShelfQ)] = QIndex(0.7);
    SetBand(t, section, 1, PEQ, FreqIndex(300), Gain(-3), QIndex(1.0));
    SetBand(t, section, 2, PEQ, FreqIndex(1000), Gain(-6), q2);
    SetBand(t, section, 3, PEQ, FreqIndex(4000), Gain(5), QIndex(1.4));
    if (const auto xo = CrossoverSlotsOf(section)) {
        t[MakeAddress(section, xo->hpFreq)] = 73; // 80.3 Hz
        t[MakeAddress(section, xo->lpFreq)] = FreqIndex(16000);
    }
}

void Save(TForm1& f, const QString& dir, const QString& name) {
    QApplication::processEvents();
    const QString path = QString("%1/graph_%2.png").arg(dir, name);
    f.grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

void Wait(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? argv[1] : "/tmp/shots";
    QDir().mkpath(dir);
    for (Variant v : {Variant::A, Variant::B}) {
        const QString prefix = v == Variant::A ? "A" : "B";
        TForm1 f(v);
        for (const GraphPage& p : kGraphPages)
            ShapedChannel(f.params().ViewTable, p.section);
        f.hooks().ShowMessage = [](std::string_view, std::string_view en) {
            std::printf("message: %.*s\n", int(en.size()), en.data());
        };
        f.show();
        QApplication::processEvents();

        for (const GraphPage& p : kGraphPages) {
            ShowGraphPage(f, p);
            // A band's value label: band 3, on the auxiliary page band 4 (its second group).
            f.RedrawEQ(p.section == SecAux ? 3 : 2, p.section);
            Save(f, dir, QString("%1_%2").arg(prefix, p.name));
        }
        // The filter marker's label, and the output page in automatic mode (grey curve).
        ShowGraphPage(f, kGraphPages[1]);
        f.RedrawEQ(BandCount[SecMic1], SecMic1);
        Save(f, dir, prefix + "_mic_hpf");
        f.pageState().ManualMode = 0;
        ShowGraphPage(f, kGraphPages[4]);
        Save(f, dir, prefix + "_output_auto");
        f.pageState().ManualMode = 1;
        ShowGraphPage(f, kGraphPages[0]);
        f.EqGraph()->EQPassLabel()->show();
        Save(f, dir, prefix + "_music_bypass");
        f.EqGraph()->EQPassLabel()->hide();

        // The spectrum under the curve.
        SpectrumView& view = f.Spectrum();
        const bool live = view.AudioAvailable();
        if (!live) {
            view.SetAudioAvailable(true);
        }
        f.PinPPBtnClick();
        if (!live) {
            std::vector<std::uint8_t> sine(1024);
            for (size_t i = 0; i < sine.size(); ++i)
                sine[i] =
                    std::uint8_t(std::lround(128 + 100 * std::sin(2 * M_PI * 1000 * i / 48000.0)));
            view.OnCaptureBlock(sine);
        }
        // The first samples after switching on (a test server's sine comes in bursts).
        for (int i = 0; i < 100 && view.SampleBuffer().empty(); ++i)
            Wait(50);
        Wait(400);
        f.RedrawEQ(2, SecMusic);
        Save(f, dir, prefix + (live ? "_spectrum" : "_spectrum_synthetic"));
        f.PinDCFBtnClick();
        Wait(300);
        Save(f, dir, prefix + (live ? "_spectrum_low" : "_spectrum_low_synthetic"));
        f.PinPPBtnClick();
        f.RzBmpButton1Click();
        Wait(200);
        Save(f, dir, prefix + "_maximised");
    }
    return 0;
}
