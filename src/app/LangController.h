#pragma once

#include <QObject>
#include <QString>

#include "params/Variant.h"

class QWidget;

namespace dsp {

struct LinkContext;
struct SystemHooks;
class ToolButton;

// Language switching of the main window. Every text-bearing control is designed with its
// Chinese caption and its English Hint; a switch exchanges the two on the kinds whose Hint is a
// caption (labels, push buttons, group boxes, tool buttons, tab sheets) and sets the others
// from a fixed list. The language lives in PageState::UiLanguage.
class LangController : public QObject {
    Q_OBJECT
public:
    // form: the main window (TForm1); statusDialog: TForm2, may be null.
    LangController(QWidget* form, QWidget* statusDialog, LinkContext& link, SystemHooks& hooks,
                   Variant variant, QObject* parent = nullptr);

    // Switches to bStatus (1 Chinese, 0 English); nothing when it is the language shown.
    void Translate(int bStatus);

    // Start-up: Chinese for the identifiers "0804" and "0404" (the language button's Tag
    // then 0), English for every other (Tag 1). The first form reads the user locale.
    void ChooseLanguage();
    void ChooseLanguage(const QString& languageId);

    // The language button: switch to its Tag, flip the Tag, re-derive and refresh the page.
    void RzToolButton11Click();

    ToolButton* LanguageButton() const { return langButton_; }

private:
    void SwapCaptions();
    void SetFixedTexts(int lang);
    void SetStatusDialogTexts(int lang);

    QWidget* form_;
    QWidget* status_;
    LinkContext& link_;
    SystemHooks& hooks_;
    Variant variant_;
    ToolButton* langButton_ = nullptr;
};

} // namespace dsp
