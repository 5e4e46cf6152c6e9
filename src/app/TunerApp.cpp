#include "app/TunerApp.h"

#include <QApplication>
#include <QTimer>

#include "app/LinkWindow.h"
#include "app/MainWindow.h"
#include "app/StatusDialog.h"
#include "app/SystemWiring.h"
#include "params/PageState.h"
#include "params/ParamStore.h"

namespace dsp {

int RunTuner(int argc, char** argv, Variant variant) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Sonaro-2 ");
    QApplication::setApplicationDisplayName("Sonaro-2 ");

    // The state every window shares lives here for the whole run.
    ParamStore params;
    PageState page;

    // The three windows, in this order: main, link, status.
    TForm1 form1(variant, params, page);
    TForm3 form3;
    TForm2 form2;

    // ---- Languages, access locks and the system page (a child of form1) ----
    // nullptr: an offline link of form1's own tables until the link window hands its link.
    InstallSystemPage(form1, &form2, nullptr);
    // ----

    form1.show();

    // --quit-after MS: close the main window after MS milliseconds (tests, screenshots).
    const QStringList args = QApplication::arguments();
    const qsizetype quitAt = args.indexOf("--quit-after");
    if (quitAt >= 0 && quitAt + 1 < args.size())
        QTimer::singleShot(args[quitAt + 1].toInt(), &form1, &QWidget::close);
    return QApplication::exec();
}

} // namespace dsp
