#include "app/LinkWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/LangTexts.h"
#include "link/HidTransport.h"
#include "params/PageState.h"
#include "params/ParamStore.h"

namespace dsp {

TForm3::TForm3(ParamStore& store, PageState& page, Variant variant, ViewHooks& hooks,
               QWidget* parent)
    : QWidget(parent, Qt::Window),
      driver_(std::make_unique<LinkDriver>(store, page, variant, hooks)),
      localeId_(LanguageIdOf(QLocale::system())) {
    Init();
}

TForm3::TForm3(QWidget* parent)
    : TForm3(std::make_unique<ParamStore>(), std::make_unique<PageState>(), parent) {}

TForm3::TForm3(std::unique_ptr<ParamStore> store, std::unique_ptr<PageState> page, QWidget* parent)
    : QWidget(parent, Qt::Window), ownStore_(std::move(store)), ownPage_(std::move(page)),
      driver_(std::make_unique<LinkDriver>(*ownStore_, *ownPage_, Variant::A)),
      localeId_(LanguageIdOf(QLocale::system())) {
    Init();
}

void TForm3::Init() {
    setObjectName("TForm3");
    setWindowTitle("系统");
    BuildControls();
    connect(driver_.get(), &LinkDriver::HistoryLine, this, &TForm3::AddToHistory);
    // Connected after the driver's own handler, so the list shows the devices it has chosen.
    connect(&driver_->Hid(), &HidTransport::DeviceChange, this, &TForm3::ListHidDevices);
    hide();
}

TForm3::~TForm3() = default;

void TForm3::BuildControls() {
    auto* g = new QGridLayout(this);
    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName("Memo1");
    g->addWidget(memo, 0, 0, 1, 4);
    // The port group and the TCP button of the window's design; the link button drives the
    // link, these stay inert.
    auto* open = new QPushButton("连接", this);
    open->setObjectName("Button1");
    auto* close = new QPushButton("断开", this);
    close->setObjectName("Button2");
    auto* tcp = new QPushButton("TCP连接", this);
    tcp->setObjectName("TcpBtn");
    auto* reportId = new QLineEdit("1", this);
    reportId->setObjectName("ReportIdEdit");
    g->addWidget(open, 1, 0);
    g->addWidget(close, 1, 1);
    g->addWidget(tcp, 1, 2);
    g->addWidget(reportId, 1, 3);
    devices_ = new QListWidget(this);
    devices_->setObjectName("DevListBox");
    history_ = new QListWidget(this);
    history_->setObjectName("HistoryListBox");
    history_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    g->addWidget(devices_, 2, 0, 1, 2);
    g->addWidget(history_, 2, 2, 1, 2);
    auto* clear = new QPushButton("Clear", this);
    clear->setObjectName("Button3");
    g->addWidget(clear, 3, 3);
    connect(clear, &QPushButton::clicked, this, &TForm3::Button3Click);
}

void TForm3::ListHidDevices() {
    devices_->clear();
    devices_->addItems(driver_->Hid().DevListLines());
    if (devices_->count() > 0)
        devices_->setCurrentRow(0);
}

void TForm3::AddToHistory(const QString& line) {
    // The list widens its horizontal scroll range to the longest line by itself.
    history_->addItem(line);
    history_->setCurrentRow(history_->count() - 1);
}

void TForm3::Button3Click() {
    history_->clear();
}

void TForm3::closeEvent(QCloseEvent* e) {
    hide();
    e->ignore();
}

} // namespace dsp
