#include "app/LinkWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace dsp {

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("TForm3");
    setWindowTitle("系统");
    auto* g = new QGridLayout(this);
    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName("LinkMemo");
    g->addWidget(memo, 0, 0, 1, 4);
    auto* open = new QPushButton("连接", this);
    open->setObjectName("ComOpenBtn");
    auto* close = new QPushButton("断开", this);
    close->setObjectName("ComCloseBtn");
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
    g->addWidget(devices_, 2, 0, 1, 2);
    g->addWidget(history_, 2, 2, 1, 2);
    auto* clear = new QPushButton("Clear", this);
    clear->setObjectName("ClearBtn");
    g->addWidget(clear, 3, 3);
    connect(clear, &QPushButton::clicked, history_, &QListWidget::clear);
    hide();
}

void TForm3::AddToHistory(const QString& line) {
    history_->addItem(line);
}

void TForm3::closeEvent(QCloseEvent* e) {
    hide();
    e->ignore();
}

} // namespace dsp
