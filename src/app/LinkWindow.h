#pragma once

#include <QLocale>
#include <QWidget>
#include <memory>

#include "link/LinkDriver.h"
#include "link/LinkObserver.h"
#include "params/Variant.h"

class QListWidget;

namespace dsp {

struct ParamStore;
struct PageState;

// The link window: never shown. It owns the link driver (the transports, the four link timers
// and the link state) and the lists of USB HID devices and transport events. A close request
// hides it.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    TForm3(ParamStore& store, PageState& page, Variant variant, ViewHooks& hooks = NoViewHooks(),
           QWidget* parent = nullptr);
    // A link window with a parameter store and page state of its own (tests, tools).
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    LinkDriver& Driver() { return *driver_; }
    const LinkDriver& Driver() const { return *driver_; }

    // The user locale's language identifier, read when the window was created.
    const QString& LocaleId() const { return localeId_; }

    QListWidget* HistoryListBox() const { return history_; }
    QListWidget* DevListBox() const { return devices_; }
    // AddToHistory: appends a line to the history list and selects it.
    void AddToHistory(const QString& line);
    // "Clear": empties the history list.
    void Button3Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    TForm3(std::unique_ptr<ParamStore> store, std::unique_ptr<PageState> page, QWidget* parent);
    void Init();
    void BuildControls();
    void ListHidDevices();

    std::unique_ptr<ParamStore> ownStore_;
    std::unique_ptr<PageState> ownPage_;
    std::unique_ptr<LinkDriver> driver_;
    QString localeId_;
    QListWidget* history_ = nullptr;
    QListWidget* devices_ = nullptr;
};

} // namespace dsp
