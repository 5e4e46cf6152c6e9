#include "app/PageControllers.h"

#include <QTabWidget>

#include "app/MainWindow.h"
#include "forms/kit/Kit.h"
#include "link/LinkDriver.h"

namespace dsp {

PageControllers::PageControllers(TForm1& form, LinkContext& link)
    : form_(form), session_(form, form.binding(), link), display_(session_),
      buttons_(session_, display_), handlers_(session_, display_, buttons_),
      refresh_(session_, display_, buttons_, handlers_), presets_(session_, buttons_, refresh_),
      copy_(session_, buttons_, refresh_), navigation_(session_, buttons_, refresh_) {
    session_.SelectPage = [this](int tag) { return navigation_.SelectPage(tag); };
    refresh_.PageButtonClick = [this](QWidget* b) { navigation_.FormMusTabBtnClick(b); };

    TForm1Hooks& hooks = form.hooks();
    hooks.ResetAllEq = [this] {
        Connect();
        presets_.ResetEq(100);
    };
    hooks.SelectMusicPage = [this] {
        Connect();
        navigation_.FormMusTabBtnClick(session_.Find("FormMusTabBtn"));
    };
    // The EQ graph: it redraws through the window and edits through this layer.
    session_.RedrawEQ = [&form](int band, int section) { form.RedrawEQ(band, section); };
    session_.UpdateCurveColor = [&form] { form.UpdateCurveColor(); };
    hooks.ShowValue = [this](Address a, double raw) { display_.ShowValueAt(a, raw); };
    hooks.MusFreEdit1Click = [this](QWidget* edit) { handlers_.MusFreEdit1Click(edit); };
    hooks.CommitEdit = [this](int stepCode) { display_.CommitEdit(stepCode); };

    if (form.Shown())
        Connect();
}

void PageControllers::Connect() {
    if (connected_)
        return;
    connected_ = true;
    handlers_.Connect();
    copy_.Connect();
    navigation_.Connect();
    QObject* ctx = &handlers_;
    if (auto* b = session_.Find<BmpButton>("EQResetBtn"))
        QObject::connect(b, &QAbstractButton::clicked, ctx, [this] { presets_.EQResetBtnClick(); });
    if (auto* b = session_.Find<BmpButton>("MusEQAllpassBtn"))
        QObject::connect(b, &QAbstractButton::clicked, ctx,
                         [this, b] { presets_.MusEQAllpassBtnClick(b); });
    for (const char* name : {"AutoModeBtn", "ManulModeBtn"})
        if (auto* b = session_.Find<BmpButton>(name))
            QObject::connect(b, &QAbstractButton::clicked, ctx,
                             [this, b] { refresh_.AutoModeBtnClick(b); });
    for (const char* name : {"SingModeBtn", "DiscoModeBtn"})
        if (auto* b = session_.Find<BmpButton>(name))
            QObject::connect(b, &QAbstractButton::clicked, ctx,
                             [this, b] { presets_.SingModeBtnClick(b); });
}

void PageControllers::UseDriver(LinkDriver& driver) {
    // Going online refreshes the window from inside the link's online step (the link view
    // calls LinkWentOnline), so that the page is loaded before the keep-alive starts.
    session_.RunOnLink = [&driver](const EditSession::LinkRoutine& r) { driver.Run(r); };
}

bool PageControllers::IsEditBox(Address address) const {
    return IsValidAddress(address) &&
           qobject_cast<ValueEdit*>(session_.Binding().CtrlBind(address)) != nullptr;
}

void PageControllers::SelectEdit(Address address) {
    if (!IsEditBox(address))
        return;
    QWidget* edit = session_.Binding().CtrlBind(address);
    if (edit->isEnabled())
        handlers_.MusFreEdit1Click(edit);
}

int PageControllers::CurrentSheet() const {
    auto* pages = session_.Find<QTabWidget>("FormPageItem");
    return pages ? pages->currentIndex() : 0;
}

int PageControllers::AuxTab() const {
    auto* pages = session_.Find<QTabWidget>("AuxPageCtrol");
    return pages ? pages->currentIndex() : 0;
}

void PageControllers::LinkWentOnline() {
    PageState& page = session_.Page();
    refresh_.RefreshPage(100);
    page.CurrentEqAddress = navigation_.SelectPage(page.CurrentPage);
    refresh_.RefreshPage(page.CurrentSection);
}

} // namespace dsp
