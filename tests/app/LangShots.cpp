// Screenshots of the main window of both variants in both languages, for looking at the
// texts: LangShots [folder] writes lang_<variant>_<language>_<view>.png (default /tmp/shots)
// and lists the texts wider than their control.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTextStream>

#include "app/MainWindow.h"
#include "app/StatusDialog.h"
#include "app/SystemWiring.h"
#include "forms/kit/Kit.h"
#include "params/PageState.h"
#include "params/ParamStore.h"

using namespace dsp;

namespace {

// Texts that do not fit the control showing them (visible controls only).
QStringList Overflows(QWidget* form) {
    QStringList out;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        KitControl* k = AsKit(w);
        if (!k || !w->isVisible() || k->caption().isEmpty())
            continue;
        const QFontMetrics fm(w->font());
        const int need = fm.horizontalAdvance(k->caption());
        int room = w->width();
        if (qobject_cast<QAbstractButton*>(w))
            room -= 6;
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            room -= 16, (void)g;
        else if (!qobject_cast<QLabel*>(w))
            continue;
        if (auto* l = qobject_cast<QLabel*>(w); l && l->wordWrap())
            continue;
        if (need > room)
            out << QString("%1 '%2' needs %3 px, has %4")
                       .arg(w->objectName(), k->caption())
                       .arg(need)
                       .arg(room);
    }
    return out;
}

void Grab(TForm1& form, const QString& file) {
    QApplication::processEvents();
    form.grab().save(file);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? argv[1] : "/tmp/shots";
    QDir().mkpath(dir);
    QTextStream out(stdout);
    for (Variant v : {Variant::A, Variant::B}) {
        TForm1 form(v);
        TForm2 status;
        SystemPage* sys = InstallSystemPage(form, &status, nullptr);
        form.show();
        auto* pages = form.findChild<QTabWidget*>("FormPageItem");
        auto* aux = form.findChild<QTabWidget*>("AuxPageCtrol");
        auto* settings = form.findChild<QTabWidget*>("AdvPageControl1");
        const QString tag = v == Variant::A ? "a" : "b";
        // Volumes as a device would hold them, so the markers sit over their values.
        const struct {
            const char* name;
            int value;
        } volumes[] = {{"SysMusMaxVolBar", 60},    {"SysMicMaxVolBar", 42},
                       {"SysEffMaxVolBar", 84},    {"SysMusNormalVolBar", 30},
                       {"SysMicNormalVolBar", 42}, {"SysEffNormalVolBar", 0},
                       {"SysMusStartVolBar", 20}};
        form.pageState().SuppressSend = true;
        for (const auto& vol : volumes)
            form.findChild<TrackBar*>(vol.name)->setPosition(vol.value);
        form.pageState().SuppressSend = false;
        for (int lang : {1, 0}) {
            sys->Lang().Translate(lang);
            sys->System().RelistInputs();
            const QString base = QString("%1/lang_%2_%3").arg(dir, tag, lang == 1 ? "zh" : "en");
            struct View {
                const char* name;
                int page, auxTab, settingsPage;
            };
            const View views[] = {
                {"main", 0, 0, 0}, {"aux", 6, 0, 1}, {"limits", 6, 1, 2}, {"system", 7, 0, 0}};
            for (const View& view : views) {
                pages->setCurrentIndex(view.page);
                aux->setCurrentIndex(view.auxTab);
                settings->setCurrentIndex(view.settingsPage);
                Grab(form, base + "_" + view.name + ".png");
                for (const QString& o : Overflows(&form))
                    out << tag << " " << (lang ? "zh" : "en") << " " << view.name << ": " << o
                        << "\n";
            }
            // The gate over the window.
            pages->setCurrentIndex(0);
            settings->setCurrentIndex(0);
            form.pageState().LinkGateState = 1;
            form.params().ViewTable.At(30, 4) = 1;
            sys->Locks().RaiseLinkGateIfDue();
            Grab(form, base + "_gate.png");
            form.findChild<QWidget*>("FirstCheckGrop")->hide();
            for (const char* name : {"FormPageItem", "AdvPanel1", "AdvPageControl1"})
                form.findChild<QWidget*>(name)->setEnabled(true);
            status.show();
            QApplication::processEvents();
            status.grab().save(base + "_status.png");
            status.hide();
        }
    }
    return 0;
}
