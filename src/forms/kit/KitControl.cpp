#include "forms/kit/KitControl.h"

#include <QWidget>

namespace dsp {

void KitControl::showLanguage(int uiLanguage) {
    const QString& shown = uiLanguage == 1 ? textZh_ : textEn_;
    const QString& other = uiLanguage == 1 ? textEn_ : textZh_;
    setCaption(shown);
    if (swapsWithHint())
        hint_ = other;
}

KitControl* AsKit(QWidget* w) {
    return dynamic_cast<KitControl*>(w);
}
const KitControl* AsKit(const QWidget* w) {
    return dynamic_cast<const KitControl*>(w);
}

} // namespace dsp
