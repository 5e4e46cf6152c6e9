#include "app/LinkMessageBox.h"

#include <QMessageBox>

namespace dsp {

LinkMessage LocalizedMessage(int uiLanguage, const QString& chinese, const QString& english) {
    if (uiLanguage == 1)
        return {QStringLiteral("提示"), chinese};
    return {QStringLiteral("Confirm"), english};
}

void ShowModalMessage(QWidget* owner, const LinkMessage& message) {
    QMessageBox box(QMessageBox::Information, message.Caption, message.Text, QMessageBox::Ok,
                    owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace dsp
