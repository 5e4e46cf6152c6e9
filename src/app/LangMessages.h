#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace dsp {

struct PageState;

// The modal message boxes of the main window, in the UI language. Every box goes through one
// replaceable function, so tests answer them without a window blocking.
class LangMessages {
public:
    // Shows a box with the caption and text; yesNo asks Yes/No instead of showing OK. Returns
    // true for Yes (and for OK).
    using Box = std::function<bool(const QString& caption, const QString& text, bool yesNo)>;

    LangMessages(PageState& page, QWidget* parent);

    // The Chinese text with the caption "提示", or the English one with "Confirm", by
    // UiLanguage.
    void ShowLocalizedMessage(const QString& chinese, const QString& english);
    // A Yes/No question; true for Yes.
    bool AskYesNo(const QString& caption, const QString& text);

    void SetBox(Box box) { box_ = std::move(box); }

private:
    bool ModalBox(const QString& caption, const QString& text, bool yesNo);

    PageState& page_;
    QWidget* parent_;
    Box box_;
};

} // namespace dsp
