#include "app/SystemWiring.h"

#include "app/MainWindow.h"
#include "link/LinkContext.h"

namespace dsp {

SystemPage::SystemPage(TForm1& form, QWidget* statusDialog, LinkContext* link)
    : QObject(&form), link_(link), messages_(form.pageState(), &form) {
    setObjectName("SystemPage");
    if (!link_) {
        ownVars_ = std::make_unique<LinkVars>();
        ownPorts_ = std::make_unique<LinkPorts>();
        ownLink_ = std::make_unique<LinkContext>(
            LinkContext{form.params(), form.pageState(), *ownVars_, *ownPorts_, form.variant()});
        link_ = ownLink_.get();
    }
    lang_ = new LangController(&form, statusDialog, *link_, hooks_, form.variant(), this);
    locks_ = new LockController(form, *link_, hooks_, messages_, this);
    system_ = new SystemPageController(form, *link_, messages_, this);
}

SystemPage::~SystemPage() = default;

SystemPage* InstallSystemPage(TForm1& form, QWidget* statusDialog, LinkContext* link) {
    auto* page = new SystemPage(form, statusDialog, link);
    form.hooks().ChooseLanguage = [page] {
        page->Lang().ChooseLanguage();
        page->System().RelistInputs();
    };
    page->Hooks().ReselectPage = [page] { page->System().RelistInputs(); };
    return page;
}

} // namespace dsp
