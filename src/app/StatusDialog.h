#pragma once

#include <QWidget>

class QProgressBar;

namespace dsp {

class TextLabel;

// The device-status dialog: progress and status during link-up and downloads. Stays on top,
// centred on the screen; a close request only hides it.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    TextLabel* WarnLabel() const { return warn_; }
    TextLabel* LinkLabel() const { return link_; }
    QProgressBar* RzProgressStatus1() const { return progress_; }
    TextLabel* ComLabel() const { return com_; }

    // The dialog's own texts in the interface language (1 Chinese, 0 English): its caption
    // and WarnLabel. The status line is copied from the main window.
    void ShowLanguage(int uiLanguage);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    TextLabel* warn_;
    TextLabel* link_;
    QProgressBar* progress_;
    TextLabel* com_;
};

} // namespace dsp
