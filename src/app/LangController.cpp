#include "app/LangController.h"

#include <QAbstractButton>
#include <QAction>

#include "app/LangTexts.h"
#include "app/SystemHooks.h"
#include "forms/kit/Kit.h"
#include "link/LinkContext.h"

namespace dsp {

LangController::LangController(QWidget* form, QWidget* statusDialog, LinkContext& link,
                               SystemHooks& hooks, Variant variant, QObject* parent)
    : QObject(parent), form_(form), status_(statusDialog), link_(link), hooks_(hooks),
      variant_(variant) {
    langButton_ = form_->findChild<ToolButton*>("RzToolButton11");
    if (langButton_)
        connect(langButton_, &QAbstractButton::clicked, this, &LangController::RzToolButton11Click);
}

void LangController::Translate(int bStatus) {
    PageState& page = link_.Page;
    if (bStatus == page.UiLanguage)
        return;
    page.UiLanguage = bStatus;
    SwapCaptions();
    SetFixedTexts(bStatus);
    SetStatusDialogTexts(bStatus);
}

void LangController::SwapCaptions() {
    for (QWidget* w : form_->findChildren<QWidget*>()) {
        KitControl* k = AsKit(w);
        if (!k || !k->swapsWithHint())
            continue;
        const QString caption = k->caption();
        k->setCaption(k->hint());
        k->setHint(caption);
    }
}

void LangController::SetFixedTexts(int lang) {
    // Controls whose Hint carries data keep it; the ones still showing their designed text
    // take the designed text of the new language (status texts set by the program stay).
    for (QWidget* w : form_->findChildren<QWidget*>()) {
        KitControl* k = AsKit(w);
        if (!k || k->swapsWithHint() || k->textZh() == k->textEn())
            continue;
        if (!qobject_cast<BmpButton*>(w) && !qobject_cast<StatusPane*>(w) &&
            !qobject_cast<TextLabel*>(w))
            continue;
        const QString& from = lang == 1 ? k->textEn() : k->textZh();
        if (k->caption() == from)
            k->setCaption(lang == 1 ? k->textZh() : k->textEn());
    }
    for (const ExplicitText& t : ExplicitTexts(variant_))
        if (KitControl* k = AsKit(form_->findChild<QWidget*>(t.Name)))
            k->setCaption(LangText(t.Text, lang));
    if (KitControl* link = AsKit(form_->findChild<QWidget*>("LinkBtn")))
        link->setCaption(LangText(LinkButtonText(link_.Vars.LinkState == 2), lang));
    // The pop-up menu items.
    for (QAction* a : form_->findChildren<QAction*>()) {
        const QString name = a->objectName();
        if (name.startsWith(QLatin1String("DeleteMenuItem")))
            a->setText(LangText(kDeleteText, lang));
        else if (name.startsWith(QLatin1String("CopyBtn")))
            a->setText(LangText(kCopyText, lang) + " " + name.mid(7));
    }
}

void LangController::SetStatusDialogTexts(int lang) {
    if (!status_)
        return;
    if (KitControl* warn = AsKit(status_->findChild<QWidget*>("WarnLabel")))
        warn->setCaption(LangText(kWarnText, lang));
    status_->setWindowTitle(LangText(kStatusCaption, lang));
    KitControl* mainLabel = AsKit(form_->findChild<QWidget*>("LinkLabel"));
    KitControl* dialogLabel = AsKit(status_->findChild<QWidget*>("LinkLabel"));
    if (mainLabel && dialogLabel)
        dialogLabel->setCaption(mainLabel->caption());
}

void LangController::ChooseLanguage() {
    ChooseLanguage(UserLanguageId());
}

void LangController::ChooseLanguage(const QString& languageId) {
    const int lang = StartLanguageOf(languageId);
    Translate(lang);
    if (langButton_)
        langButton_->setTag(1 - lang);
}

void LangController::RzToolButton11Click() {
    if (!langButton_)
        return;
    Translate(langButton_->tag());
    langButton_->setTag(1 - langButton_->tag());
    if (hooks_.ReselectPage)
        hooks_.ReselectPage();
}

} // namespace dsp
