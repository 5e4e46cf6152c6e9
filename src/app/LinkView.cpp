#include "app/LinkView.h"

#include <QAbstractSocket>
#include <QCloseEvent>
#include <QProgressBar>
#include <QSerialPort>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/LinkWindow.h"
#include "app/MainWindow.h"
#include "app/StatusDialog.h"
#include "forms/kit/Kit.h"
#include "link/LinkDriver.h"
#include "link/LinkMachine.h"
#include "link/SerialTransport.h"
#include "link/TcpTransport.h"
#include "params/PageState.h"
#include "params/ValueFormat.h"

namespace dsp {

namespace {

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// The channel page sheet each page button (by Tag) shows.
int SheetOfPage(int pageTag) {
    static constexpr int kSheets[15] = {0, 3, 1, 1, 2, 3, 3, 3, 3, 4, 3, 6, 6, 3, 3};
    return pageTag >= 0 && pageTag < 15 ? kSheets[pageTag] : 0;
}

// LinkLabel's font colour: dark blue online, black while linking, red offline.
QColor LinkLabelColour(LinkColour colour) {
    switch (colour) {
    case LinkColour::Online:
        return QColor(0x00, 0x33, 0x99);
    case LinkColour::Linking:
        return QColor(0x00, 0x00, 0x00);
    case LinkColour::Offline:
        break;
    }
    return QColor(0xFF, 0x00, 0x00);
}

void PrintLine(const QElapsedTimer& clock, const QString& line) {
    std::printf("%7lld ms  %s\n", static_cast<long long>(clock.elapsed()),
                line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

int LinkButtonPairState(QWidget* sender, int uiLanguage) {
    if (!sender)
        return 0;
    QWidget* form = sender->window();
    auto* link = form->findChild<BmpButton*>("LinkBtn");
    auto* unlink = form->findChild<BmpButton*>("UnLinkBtn");
    if (!link || !unlink || (sender != link && sender != unlink))
        return 0;
    // UnLinkBtn keeps its caption in both states; it follows the language like LinkBtn.
    unlink->setTexts("断开", "Unlink");
    unlink->setCaption(uiLanguage == 1 ? "断开" : "Unlink");
    if (sender == link) {
        link->setFace(BmpButton::Face::StayDown); // pressed, orange text
        link->setTexts("断开", "Unlink");
        link->setCaption(uiLanguage == 1 ? "断开" : "Unlink");
        unlink->setFace(BmpButton::Face::Normal);
        return 0;
    }
    unlink->setFace(BmpButton::Face::Down);
    link->setFace(BmpButton::Face::Normal); // black text
    link->setTexts("联机", "link");
    link->setCaption(uiLanguage == 1 ? "联机" : "link");
    return 1;
}

LinkView::LinkView(TForm1& main, TForm3& link, TForm2& status, const LinkOptions& options,
                   QObject* parent)
    : QObject(parent), main_(main), link_(link), status_(status), driver_(link.Driver()),
      options_(options) {
    clock_.start();
    OnLinkOnline = [this] { DefaultLinkOnline(); };
    OnPitch = [this](int value) { ShowPitchDisplayOnly(value); };
    if (options_.Trace)
        Trace = [this](const QString& line) { PrintLine(clock_, line); };
    if (options_.NoModal) {
        MessageBox = [this](QWidget*, const LinkMessage& m) {
            PrintLine(clock_, QStringLiteral("message: %1: %2").arg(m.Caption, m.Text));
        };
    }

    TForm1Hooks& hooks = main_.hooks();
    hooks.IsOnline = [this] { return driver_.Online(); };
    hooks.SayGoodbye = [this] { SayGoodbye(); };
    hooks.FillSerialPorts = [this] {
        driver_.RefreshSerialPorts();
        FillComComboBox();
    };

    driver_.SetObserver(this);
    ApplyOptions();
    ConnectControls();
    if (auto* unlink = main_.findChild<BmpButton*>("UnLinkBtn"))
        LinkButtonPairState(unlink, UiLanguage());
    main_.installEventFilter(this);
}

LinkView::~LinkView() {
    driver_.SetObserver(nullptr);
}

int LinkView::UiLanguage() const {
    return main_.pageState().UiLanguage;
}

void LinkView::ApplyOptions() {
    auto* ip = main_.findChild<ValueEdit*>("IPstrEdit");
    auto* port = main_.findChild<ValueEdit*>("IPPortStrEdit");
    if (ip && !options_.Host.isEmpty())
        ip->setText(options_.Host);
    if (port && !options_.Port.isEmpty())
        port->setText(options_.Port);
    if (ip && port)
        driver_.SetTcpEndpoint(ip->text(), port->text());
    for (const QString& name : options_.SerialPorts)
        driver_.AddSerialPort(name);
    FillComComboBox();
}

void LinkView::ConnectControls() {
    for (const char* name : {"LinkBtn", "UnLinkBtn"}) {
        if (auto* b = main_.findChild<BmpButton*>(name))
            connect(b, &QAbstractButton::clicked, this, [this, b] { LinkBtnClick(b); });
    }
    // The connect reads the address and port as they are when it runs.
    auto* ip = main_.findChild<ValueEdit*>("IPstrEdit");
    auto* port = main_.findChild<ValueEdit*>("IPPortStrEdit");
    if (ip && port) {
        auto update = [this, ip, port] { driver_.SetTcpEndpoint(ip->text(), port->text()); };
        connect(ip, &QLineEdit::textChanged, this, update);
        connect(port, &QLineEdit::textChanged, this, update);
    }
}

void LinkView::Start() {
    if (!options_.NoHid) {
        driver_.StartHid();
        return;
    }
    QTimer::singleShot(
        0, this, [this] { driver_.Run([](LinkContext& c) { HidPresenceChanged(c, false); }); });
}

void LinkView::LinkBtnClick(QObject* sender) {
    driver_.LinkButton(sender == main_.findChild<BmpButton*>("LinkBtn"));
}

void LinkView::SayGoodbye() {
    driver_.Run([](LinkContext& c) {
        c.Vars.LinkState = 0;
        PCtoMCUAckSign(c, kGoodbye);
    });
    FlushOutput();
}

void LinkView::FlushOutput() {
    // The program may end right after the goodbye: write it out now instead of at the next
    // turn of the event loop.
    for (QAbstractSocket* s : driver_.Tcp().findChildren<QAbstractSocket*>()) {
        if (s->state() == QAbstractSocket::ConnectedState && s->bytesToWrite() > 0) {
            s->flush();
            s->waitForBytesWritten(200);
        }
    }
    for (QSerialPort* p : driver_.Serial().findChildren<QSerialPort*>()) {
        if (p->isOpen() && p->bytesToWrite() > 0) {
            p->flush();
            p->waitForBytesWritten(200);
        }
    }
}

bool LinkView::eventFilter(QObject* watched, QEvent* e) {
    // The first paint of the main window is when the user first sees it.
    if (watched == &main_ && e->type() == QEvent::Paint && !shownTraced_) {
        shownTraced_ = true;
        TraceLine(QStringLiteral("shown"));
    }
    if (watched == &main_ && e->type() == QEvent::Close) {
        // Closing ends the program: say goodbye when still online, and leave no other window
        // showing that would keep the program running.
        if (driver_.Online())
            SayGoodbye();
        closing_ = true;
        status_.hide();
        link_.hide();
    }
    return QObject::eventFilter(watched, e);
}

void LinkView::FillComComboBox() {
    auto* box = main_.findChild<ComboBox*>("ComComboBox1");
    if (!box)
        return;
    box->clear();
    box->addItems(driver_.SerialPortNames());
    SyncComSelection();
}

void LinkView::SyncComSelection() {
    if (auto* box = main_.findChild<ComboBox*>("ComComboBox1"))
        box->setCurrentIndex(driver_.SerialSelection());
}

void LinkView::CopyStatusToDialog() {
    status_.ShowLanguage(UiLanguage());
    if (auto* label = main_.findChild<TextLabel*>("LinkLabel"))
        status_.LinkLabel()->setCaption(label->caption());
}

void LinkView::TraceLine(const QString& line) {
    if (Trace)
        Trace(line);
}

// ---- hook defaults ----

void LinkView::DefaultLinkOnline() {
    if (auto* pages = main_.regions().channelPages)
        pages->setCurrentIndex(SheetOfPage(main_.pageState().CurrentPage));
}

void LinkView::ShowPitchDisplayOnly(int value) {
    auto* pane = main_.findChild<StatusPane*>("MusPitchPane");
    const int code = pane && !pane->hint().isEmpty() ? pane->hint().toInt() : 21;
    const double x = ClampRaw(code, value);
    if (pane) {
        if (const auto text = FormatValue(code, x))
            pane->setCaption(QString::fromStdString(*text));
    }
    if (auto* bar = main_.findChild<TrackBar*>("MusPitchBar")) {
        PageState& page = main_.pageState();
        page.SetFromControl = true; // the slider's change handler sends nothing
        bar->setPosition(int(RoundHalfEven(x)));
        page.SetFromControl = false;
    }
}

// ---- LinkObserver ----

void LinkView::ShowPitch(int value) {
    if (OnPitch)
        OnPitch(value);
}

void LinkView::ShowMessage(std::string_view chinese, std::string_view english) {
    const LinkMessage message = LocalizedMessage(UiLanguage(), Text(chinese), Text(english));
    // Shown once the link routine has returned and the timers follow its decisions; a modal
    // box must not run the event loop in the middle of a link routine.
    QTimer::singleShot(0, this, [this, message] {
        if (MessageBox)
            MessageBox(&main_, message);
    });
}

void LinkView::DeviceIdChanged(const std::string& id) {
    if (auto* label = main_.findChild<TextLabel*>("DeviceIDLabel")) {
        const QString text = QString::fromStdString(id);
        label->setTexts(text, text);
        label->setCaption(text);
    }
}

void LinkView::LinkLabelWindow(std::string_view chinese, std::string_view english) {
    const QString zh = Text(chinese);
    const QString en = Text(english);
    if (auto* label = main_.findChild<TextLabel*>("LinkLabel")) {
        label->setTexts(zh, en);
        const bool chineseUi = UiLanguage() == 1;
        label->setCaption(chineseUi ? zh : en);
        label->setHint(chineseUi ? en : zh);
    }
    TraceLine(QStringLiteral("status: %1").arg(en));
}

void LinkView::SetLinkLabelColour(LinkColour colour) {
    if (auto* label = main_.findChild<TextLabel*>("LinkLabel"))
        label->setTextColor(LinkLabelColour(colour));
}

void LinkView::SetLinkButtonsActive(bool active) {
    if (auto* b = main_.findChild<BmpButton*>(active ? "LinkBtn" : "UnLinkBtn"))
        LinkButtonPairState(b, UiLanguage());
}

void LinkView::ShowStatusDialog(int progressPercent) {
    SyncComSelection();
    if (closing_)
        return;
    CopyStatusToDialog();
    status_.RzProgressStatus1()->setValue(progressPercent);
    if (!status_.isVisible())
        status_.show();
}

void LinkView::HideStatusDialog() {
    CopyStatusToDialog();
    const LinkVars& v = driver_.Vars();
    const int progress = v.StepTotal > 0 ? int(std::lrint(100.0 * v.StepPos / v.StepTotal)) : 0;
    status_.RzProgressStatus1()->setValue(std::clamp(progress, 0, 100));
    status_.hide();
}

void LinkView::SetComLabel(std::string_view text) {
    status_.ComLabel()->setCaption(Text(text));
    SyncComSelection();
}

void LinkView::LinkOnline() {
    if (OnLinkOnline)
        OnLinkOnline();
    if (!main_.isVisible() && !closing_)
        main_.show();
    TraceLine(QStringLiteral("online"));
}

void LinkView::ModeListChanged(int bank) {
    if (OnModeListChanged)
        OnModeListChanged(bank);
}

} // namespace dsp
