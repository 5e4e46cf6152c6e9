#pragma once

#include <QWidget>

class QListWidget;

namespace dsp {

// The link window: never shown. It holds the transports, the link timers and state (added by
// the link subsystem) and the history list of transport events. A close request hides it.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    QListWidget* HistoryListBox() const { return history_; }
    QListWidget* DevListBox() const { return devices_; }
    // Appends a line to the history list.
    void AddToHistory(const QString& line);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QListWidget* history_;
    QListWidget* devices_;
};

} // namespace dsp
