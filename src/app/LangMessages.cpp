#include "app/LangMessages.h"

#include <QMessageBox>

#include "params/PageState.h"

namespace dsp {

LangMessages::LangMessages(PageState& page, QWidget* parent) : page_(page), parent_(parent) {}

bool LangMessages::ModalBox(const QString& caption, const QString& text, bool yesNo) {
    if (box_)
        return box_(caption, text, yesNo);
    if (yesNo)
        return QMessageBox::question(parent_, caption, text, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    QMessageBox::information(parent_, caption, text);
    return true;
}

void LangMessages::ShowLocalizedMessage(const QString& chinese, const QString& english) {
    if (page_.UiLanguage == 1)
        ModalBox(QStringLiteral("提示"), chinese, false);
    else
        ModalBox(QStringLiteral("Confirm"), english, false);
}

bool LangMessages::AskYesNo(const QString& caption, const QString& text) {
    return ModalBox(caption, text, true);
}

} // namespace dsp
