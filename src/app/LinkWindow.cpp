#include "app/LinkWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "link/HidTransport.h"
#include "params/PageState.h"
#include "params/ParamStore.h"

namespace dsp {

QString LanguageIdOf(const QLocale& locale) {
    struct Entry {
        QLocale::Language language;
        QLocale::Territory territory; // AnyTerritory: the language's main one
        int id;
    };
    static const Entry kIds[] = {
        {QLocale::Chinese, QLocale::China, 0x0804},
        {QLocale::Chinese, QLocale::Taiwan, 0x0404},
        {QLocale::Chinese, QLocale::HongKong, 0x0C04},
        {QLocale::Chinese, QLocale::Singapore, 0x1004},
        {QLocale::Chinese, QLocale::Macao, 0x1404},
        {QLocale::Chinese, QLocale::AnyTerritory, 0x0804},
        {QLocale::English, QLocale::UnitedKingdom, 0x0809},
        {QLocale::English, QLocale::AnyTerritory, 0x0409},
        {QLocale::German, QLocale::AnyTerritory, 0x0407},
        {QLocale::French, QLocale::AnyTerritory, 0x040C},
        {QLocale::Japanese, QLocale::AnyTerritory, 0x0411},
        {QLocale::Korean, QLocale::AnyTerritory, 0x0412},
    };
    int id = 0;
    for (const Entry& e : kIds) {
        if (e.language != locale.language())
            continue;
        if (e.territory == locale.territory() || e.territory == QLocale::AnyTerritory) {
            id = e.id;
            break;
        }
    }
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')).toUpper();
}

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
