// Grabs every page of both variants in both languages into a folder (default /tmp/shots), so
// the layout can be looked at: form_shots [folder]. Not a test; run it with any platform.
#include <QApplication>
#include <QDir>
#include <QPixmap>

#include "PageTour.h"

using namespace dsp;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? argv[1] : "/tmp/shots";
    QDir().mkpath(dir);
    for (Variant v : {Variant::A, Variant::B}) {
        const QString prefix = v == Variant::A ? "A" : "B";
        TForm1 form(v);
        form.show();
        // Show the selected looks too: band 3 highlighted, every band's type mark "P".
        for (const char* prefix : {"Mus", "Mic", "Echo", "Rvb", "Main", "Hint", "AUXMUS", "AUXMIC"})
            for (int n = 1; n <= 20; ++n)
                if (auto* mark =
                        form.findChild<TypeLabel*>(QString("%1PEQBtn%2").arg(prefix).arg(n)))
                    mark->setHighlighted(true);
        for (const char* label :
             {"MusEQPointLabel3", "MicEQPointLabel3", "EffEQPointLabel3", "RvbEQPointLabel3",
              "MainEQPointLabel3", "HintEQPointLabel3", "AUXEQPointLabel3"})
            form.findChild<TypeLabel*>(label)->setHighlighted(true);
        form.findChild<BmpButton*>("MainMusPhaseBtn")->setState(true);
        form.findChild<BmpButton*>("MainLmuteBtn")->setState(true);
        QApplication::processEvents();
        testing::Tour(form, [&](const testing::TourStop& s, int lang) {
            form.grab().save(
                QString("%1/%2_%3_%4.png").arg(dir, prefix, s.name, lang == 1 ? "zh" : "en"));
        });
        testing::ShowStop(form, testing::kTour[0]);
        testing::SetShown(&form, "FirstCheckGrop", true);
        QApplication::processEvents();
        form.grab().save(QString("%1/%2_gate.png").arg(dir, prefix));
    }
    return 0;
}
