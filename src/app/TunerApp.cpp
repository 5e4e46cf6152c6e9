#include "app/TunerApp.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTimer>

#include "app/LinkOptions.h"
#include "app/LinkView.h"
#include "app/LinkWindow.h"
#include "app/MainWindow.h"
#include "app/PageControllers.h"
#include "app/StatusDialog.h"
#include "app/SystemWiring.h"
#include "link/LinkDriver.h"
#include "params/PageState.h"
#include "params/ParamStore.h"
#include "presets/PresetWiring.h"

namespace dsp {

// The state every window shares lives here for the whole run, then the three windows, in
// this order: main, link, status. The editing layer's view hooks exist before the link
// window, whose link driver calls them.
struct TunerProgram::Parts {
    explicit Parts(Variant variant)
        : form1(variant, params, page), viewHooks(form1, form1.binding()),
          form3(params, page, variant, viewHooks), pages(form1, form3.Driver().Context()) {}

    ParamStore params;
    PageState page;
    TForm1 form1;
    PageViewHooks viewHooks;
    TForm3 form3;
    TForm2 form2;
    PageControllers pages;
    std::unique_ptr<LinkView> link; // made last, once every subsystem is installed
};

TunerProgram::TunerProgram(Variant variant, const LinkOptions& options) {
    parts_ = std::make_unique<Parts>(variant);
    Parts& p = *parts_;
    TForm1& form1 = p.form1;
    PageControllers& pages = p.pages;
    PageState& page = p.page;
    LinkDriver& driver = p.form3.Driver();

    // Editing, value display, page refresh and navigation, on the link's context.
    pages.UseDriver(driver);

    // Device modes and parameter files.
    PresetWiring* presets = InstallPresets(form1, &driver);
    presets->Ui().UiLanguage = [&page] { return page.UiLanguage; };
    pages.Session().ModeBoxChanged = [presets](QWidget* box) {
        const QString name = box->objectName();
        if (name == "SysModeBox")
            presets->Modes().SysModeBoxChange();
        else if (name == "SysMode2Box")
            presets->Modes().SysMode2BoxChange();
        else if (name == "SysMode3Box")
            presets->Modes().SysMode3BoxChange();
    };

    // Languages, access locks and the system settings page.
    SystemPage* system = InstallSystemPage(form1, &p.form2, &driver.Context());
    system->Hooks().OpenPage = [&pages, &form1](int tag) {
        pages.Navigation().FormMusTabBtnClick(form1.binding().PageButtons()[size_t(tag)]);
    };
    system->Hooks().HintSubPage = [&pages, &form1](int tag) {
        pages.Navigation().HintMusBtnClick(form1.binding().HintButtons()[size_t(tag)]);
    };
    form1.hooks().VolumeMarkerDragging = [system] { return system->System().DragInProgress(); };
    system->Hooks().ReselectPage = [&pages, &page] {
        page.CurrentEqAddress = pages.Navigation().SelectPage(page.CurrentPage);
        pages.Refresh().RefreshPage(page.CurrentSection);
    };

    // The link as the windows show it: link buttons, status texts, status dialog, messages.
    p.link = std::make_unique<LinkView>(form1, p.form3, p.form2, options);
    p.link->OnLinkOnline = [&pages] { pages.LinkWentOnline(); };
    p.link->OnModeListChanged = [presets](int bank) { presets->Modes().ModeListChanged(bank); };
}

TunerProgram::~TunerProgram() = default;

void TunerProgram::Start() {
    parts_->form1.show();
    parts_->link->Start(); // the first USB HID device change links on its own
}

TForm1& TunerProgram::Main() {
    return parts_->form1;
}

LinkDriver& TunerProgram::Driver() {
    return parts_->form3.Driver();
}

LinkView& TunerProgram::View() {
    return *parts_->link;
}

PageControllers& TunerProgram::Pages() {
    return parts_->pages;
}

int RunTuner(int argc, char** argv, Variant variant) {
    QApplication app(argc, argv);
    // The window title is the product's; the name (folders, settings paths) is the program's.
    QApplication::setApplicationName(variant == Variant::A ? "dsptuner" : "dsptuner8");
    QApplication::setApplicationDisplayName("Sonaro-2 ");
    QGuiApplication::setDesktopFileName(variant == Variant::A ? "dsptuner" : "dsptuner8");
    const LinkOptions linkOptions = ParseLinkOptions(QApplication::arguments());
    // Frame dumps of the link only on request (QT_LOGGING_RULES="dsptuner.link.debug=true").
    QLoggingCategory::setFilterRules(QStringLiteral("dsptuner.link.debug=false"));

    TunerProgram program(variant, linkOptions);
    program.Start();
    if (linkOptions.QuitAfterMs >= 0)
        QTimer::singleShot(linkOptions.QuitAfterMs, &program.Main(), &QWidget::close);
    return QApplication::exec();
}

} // namespace dsp
