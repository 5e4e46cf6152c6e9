#include "presets/PresetUi.h"

#include <QMessageBox>

#include "link/LinkDriver.h"

namespace dsp {

PresetUi::PresetUi()
    : Message(ShowModalPresetMessage), Ask(AskModalPresetQuestion), UiLanguage([] { return 1; }) {}

void PresetUi::ShowLocalizedMessage(QWidget* owner, const QString& chinese,
                                    const QString& english) const {
    if (!Message)
        return;
    if (Chinese())
        Message(owner, QStringLiteral("提示"), chinese);
    else
        Message(owner, QStringLiteral("Confirm"), english);
}

void ShowModalPresetMessage(QWidget* owner, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

bool AskModalPresetQuestion(QWidget* owner, const QString& caption, const QString& text,
                            AskButtons buttons) {
    const bool yesNo = buttons == AskButtons::YesNo;
    const QMessageBox::StandardButtons set =
        yesNo ? (QMessageBox::Yes | QMessageBox::No) : (QMessageBox::Ok | QMessageBox::Cancel);
    QMessageBox box(QMessageBox::Question, caption, text, set, owner);
    const int answer = box.exec();
    return answer == (yesNo ? QMessageBox::Yes : QMessageBox::Ok);
}

LinkContext& DriverPresetLink::Context() {
    return driver_.Context();
}

void DriverPresetLink::Run(const std::function<void(LinkContext&)>& routine) {
    driver_.Run([&routine](LinkContext& c) { routine(c); });
}

} // namespace dsp
