#include "app/StatusDialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include "forms/Build.h"

namespace dsp {

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName("TForm2");
    setWindowTitle("设备状态");
    // Shown on every search and step tick: it must not take the keyboard from the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(380, 150);
    setStyleSheet("QWidget#TForm2 { background: #FFFFFF; } * { font-size: 12px; }"
                  "QProgressBar { border: 1px solid #D6DAE0; border-radius: 3px; height: 16px;"
                  " background: #F6F7F9; text-align: center; }"
                  "QProgressBar::chunk { background: #F39800; width: 8px; margin: 1px; }");
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(16, 12, 16, 12);
    v->setSpacing(8);
    warn_ = forms::MakeLabel(this, "WarnLabel", "请稍等,可能需要几秒钟才能完成操作！",
                             "Please Wait for a moment!", false);
    warn_->setWordWrap(true);
    link_ = forms::MakeLabel(this, "LinkLabel", "设备未连接", "Off Line", false);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("RzProgressStatus1");
    progress_->setRange(0, 100);
    progress_->setValue(0);
    com_ = forms::MakeLabel(this, "ComLabel", "COM1", "COM1", false);
    v->addWidget(warn_);
    v->addWidget(link_);
    v->addWidget(progress_);
    v->addWidget(com_);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TForm2::ShowLanguage(int uiLanguage) {
    const bool chinese = uiLanguage == 1;
    setWindowTitle(chinese ? "设备状态" : "Device Staus");
    warn_->setCaption(chinese ? warn_->textZh() : warn_->textEn());
}

void TForm2::closeEvent(QCloseEvent* e) {
    hide();
    e->ignore();
}

} // namespace dsp
