#include "params/EditSession.h"

#include <QMessageBox>

#include "forms/kit/KitControl.h"
#include "link/WritePath.h"

namespace dsp {

EditSession::EditSession(QWidget& form, ControlBinding& binding, LinkContext& link)
    : form_(form), binding_(binding), link_(link) {}

QWidget* EditSession::FindWidget(const QString& name) const {
    if (names_.isEmpty()) {
        for (QWidget* w : form_.findChildren<QWidget*>()) {
            const QString n = w->objectName();
            if (!n.isEmpty() && !names_.contains(n))
                names_.insert(n, w);
        }
    }
    return names_.value(name, nullptr);
}

void EditSession::RunLink(const LinkRoutine& routine) {
    if (RunOnLink)
        RunOnLink(routine);
    else
        routine(link_);
}

void EditSession::Send(Address view, int32_t value) {
    RunLink([view, value](LinkContext& c) { SendDatatoMCU(c, view, value); });
}

void EditSession::SendEq(Address view, int32_t value) {
    RunLink([view, value](LinkContext& c) { SendEQDatatoMCU(c, view, value); });
}

QString EditSession::Text(const char* chinese, const char* english) const {
    return QString::fromUtf8(Page().UiLanguage == 1 ? chinese : english);
}

void EditSession::SetCaptionPair(QWidget* w, const char* chinese, const char* english) const {
    KitControl* k = AsKit(w);
    if (!k)
        return;
    const bool zh = Page().UiLanguage == 1;
    k->setCaption(QString::fromUtf8(zh ? chinese : english));
    k->setHint(QString::fromUtf8(zh ? english : chinese));
}

void EditSession::ShowMessage(std::string_view chinese, std::string_view english) const {
    if (ShowMessageHook) {
        ShowMessageHook(chinese, english);
        return;
    }
    const bool zh = Page().UiLanguage == 1;
    const std::string_view text = zh ? chinese : english;
    QMessageBox::information(&form_, zh ? QStringLiteral("提示") : QStringLiteral("Confirm"),
                             QString::fromUtf8(text.data(), qsizetype(text.size())));
}

} // namespace dsp
