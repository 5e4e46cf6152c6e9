#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace dsp {

// A message box as the user sees it: caption and text in the interface language.
struct LinkMessage {
    QString Caption;
    QString Text;
};

// Chinese messages carry the caption "提示", English ones "Confirm"; uiLanguage 1 is Chinese.
LinkMessage LocalizedMessage(int uiLanguage, const QString& chinese, const QString& english);

// Shows a message to the user. The program uses ShowModalMessage; tests put in their own.
using MessageBoxFunction = std::function<void(QWidget* owner, const LinkMessage&)>;

// A modal message box with an OK button that belongs to `owner`; returns when it is closed.
void ShowModalMessage(QWidget* owner, const LinkMessage& message);

} // namespace dsp
