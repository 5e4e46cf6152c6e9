// Grabs every page of both variants in both languages into a folder (default /tmp/shots), so
// the layout can be looked at: form_shots [folder]. Not a test; run it with any platform.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>

#include "app/MainWindow.h"
#include "forms/kit/Kit.h"

using namespace dsp;

namespace {

void ShowLanguage(QWidget* form, int lang) {
    for (QWidget* w : form->findChildren<QWidget*>())
        if (KitControl* k = AsKit(w); k && (!k->textZh().isEmpty() || !k->textEn().isEmpty()))
            k->showLanguage(lang);
}

void Show(TForm1& f, const char* name, bool on) {
    if (QWidget* w = f.findChild<QWidget*>(name))
        w->setVisible(on);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? argv[1] : "/tmp/shots";
    QDir().mkpath(dir);
    for (Variant v : {Variant::A, Variant::B}) {
        TForm1 form(v);
        form.show();
        QApplication::processEvents();
        auto* pages = form.findChild<QTabWidget*>("FormPageItem");
        auto* eff = form.findChild<QTabWidget*>("EffPageControl");
        auto* aux = form.findChild<QTabWidget*>("AuxPageCtrol");
        auto* settings = form.findChild<QTabWidget*>("AdvPageControl1");
        struct Shot {
            const char* name;
            int page, sub, settingsPage;
        };
        const Shot shots[] = {{"music", 0, 0, 0},  {"mic", 1, 0, 1},    {"echo", 2, 0, 2},
                              {"reverb", 2, 1, 0}, {"output", 3, 0, 0}, {"hint", 4, 0, 1},
                              {"aux0", 6, 0, 0},   {"aux1", 6, 1, 2},   {"system", 7, 0, 0}};
        for (int lang : {1, 0}) {
            ShowLanguage(&form, lang);
            for (const Shot& s : shots) {
                pages->setCurrentIndex(s.page);
                eff->setCurrentIndex(s.page == 2 ? s.sub : 0);
                aux->setCurrentIndex(s.page == 6 ? s.sub : 0);
                settings->setCurrentIndex(s.settingsPage);
                // What the page buttons would show for the page.
                Show(form, "SingleDiscoGrop", s.page == 3);
                Show(form, "CopyGrop", s.page == 1);
                Show(form, "EQPassGrop", s.page != 6);
                Show(form, "HintModePage", s.page == 4);
                Show(form, "SysHintLoadGrop", s.settingsPage == 2);
                Show(form, "FirstCheckGrop", false);
                QApplication::processEvents();
                const QString file =
                    QString("%1/%2_%3_%4.png")
                        .arg(dir, v == Variant::A ? "A" : "B", s.name, lang == 1 ? "zh" : "en");
                form.grab().save(file);
            }
        }
        Show(form, "FirstCheckGrop", true);
        QApplication::processEvents();
        form.grab().save(QString("%1/%2_gate.png").arg(dir, v == Variant::A ? "A" : "B"));
    }
    return 0;
}
