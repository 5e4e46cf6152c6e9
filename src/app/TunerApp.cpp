#include "app/TunerApp.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTimer>

#include "app/LinkOptions.h"
#include "app/LinkView.h"
#include "app/LinkWindow.h"
#include "app/MainWindow.h"
#include "app/StatusDialog.h"
#include "params/PageState.h"
#include "params/ParamStore.h"

namespace dsp {

int RunTuner(int argc, char** argv, Variant variant) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Sonaro-2 ");
    QApplication::setApplicationDisplayName("Sonaro-2 ");
    const LinkOptions linkOptions = ParseLinkOptions(QApplication::arguments());
    // Frame dumps of the link only on request (QT_LOGGING_RULES="dsptuner.link.debug=true").
    QLoggingCategory::setFilterRules(QStringLiteral("dsptuner.link.debug=false"));

    // The state every window shares lives here for the whole run.
    ParamStore params;
    PageState page;

    // The three windows, in this order: main, link, status.
    TForm1 form1(variant, params, page);
    TForm3 form3(params, page, variant);
    TForm2 form2;

    // The link as the windows show it: link buttons, status texts, status dialog, messages.
    LinkView link(form1, form3, form2, linkOptions);

    form1.show();
    link.Start(); // the first USB HID device change links on its own

    if (linkOptions.QuitAfterMs >= 0)
        QTimer::singleShot(linkOptions.QuitAfterMs, &form1, &QWidget::close);
    return QApplication::exec();
}

} // namespace dsp
