#include "link/LinkDriver.h"

#include <span>

#include "link/FrameParser.h"
#include "link/HidTransport.h"
#include "link/IoLog.h"
#include "link/LinkMachine.h"
#include "link/SerialTransport.h"
#include "link/TcpTransport.h"

namespace dsp {

namespace {

std::span<const uint8_t> Bytes(const QByteArray& b) {
    return {reinterpret_cast<const uint8_t*>(b.constData()), size_t(b.size())};
}

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// Starts, stops or re-times one QTimer to match the core's wish. Changing the interval of a
// running timer restarts it, as the core's timers do.
void Mirror(QTimer& timer, bool on, int interval) {
    if (timer.interval() != interval)
        timer.setInterval(interval);
    if (on && !timer.isActive())
        timer.start();
    else if (!on && timer.isActive())
        timer.stop();
}

} // namespace

LinkNotice LinkNoticeOf(std::string_view chinese) {
    if (chinese == "连接失败!")
        return LinkNotice::Failed;
    if (chinese == "已断开连接!")
        return LinkNotice::Lost;
    return LinkNotice::None;
}

LinkDriver::LinkDriver(ParamStore& store, PageState& page, Variant variant, ViewHooks& hooks,
                       Transports transports, QObject* parent)
    : QObject(parent), ctx_{store, page, vars_, ports_, variant, *this, hooks, *this},
      hid_(transports.Hid ? transports.Hid : new HidTransport(this)),
      serial_(transports.Serial ? transports.Serial : new SerialTransport(this)),
      tcp_(transports.Tcp ? transports.Tcp : new TcpTransport(this)) {
    ports_.For(TransportKind::UsbHid) = hid_;
    ports_.For(TransportKind::Serial) = serial_;
    ports_.For(TransportKind::Tcp) = tcp_;

    QTimer* timers[] = {&timer1_, &timer2_, &timer3_, &holdTimer_};
    for (QTimer* t : timers)
        t->setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, [this] { Run(Timer1Tick); });
    connect(&timer2_, &QTimer::timeout, this, [this] { Run(Timer2Tick); });
    connect(&timer3_, &QTimer::timeout, this, [this] { Run(Timer3Tick); });
    connect(&holdTimer_, &QTimer::timeout, this, [this] { Run(HoldTimerTick); });
    MirrorTimers();

    connect(hid_, &IoTransport::BytesReceived, this, &LinkDriver::OnHidBytes);
    connect(serial_, &IoTransport::BytesReceived, this, &LinkDriver::OnSerialBytes);
    connect(tcp_, &IoTransport::BytesReceived, this, &LinkDriver::OnTcpBytes);
    for (IoTransport* t : std::initializer_list<IoTransport*>{hid_, serial_, tcp_})
        connect(t, &IoTransport::HistoryLine, this, &LinkDriver::HistoryLine);
    connect(hid_, &HidTransport::DeviceChange, this, &LinkDriver::HidDeviceChange);

    RefreshSerialPorts();
}

LinkDriver::~LinkDriver() {
    // The transports may outlive the driver when they were given: stop talking to us.
    for (QObject* t : std::initializer_list<QObject*>{hid_, serial_, tcp_})
        disconnect(t, nullptr, this, nullptr);
}

void LinkDriver::LinkButton(bool link) {
    Run([link](LinkContext& c) { LinkBtnClick(c, link); });
}

void LinkDriver::DisCheck(int uMode) {
    Run([uMode](LinkContext& c) { DisCheckWindow(c, uMode); });
}

void LinkDriver::SetObserver(LinkObserver* observer) {
    observer_ = observer;
}

// ---- USB HID ----

void LinkDriver::StartHid(int pollMs) {
    hid_->Start(pollMs);
}

void LinkDriver::HidDeviceChange() {
    const HidStatusResult r = hid_->HidCtlDeviceChange(Online(), ports_.Transport);
    vars_.HidPresent = r.hidPresent;
    ports_.Transport = r.transport;
    switch (r.action) {
    case HidLinkAction::LinkButton:
    case HidLinkAction::SearchOtherLinks:
        LinkBtnClick(ctx_, true);
        break;
    case HidLinkAction::ReportLost:
        DisCheckWindow(ctx_, ModeLinkLost);
        break;
    case HidLinkAction::None:
        break;
    }
    AfterCore();
}

// ---- received bytes: only those of the transport in use reach the core ----

void LinkDriver::OnHidBytes(const QByteArray& bytes) {
    if (ports_.Transport != TransportKind::UsbHid)
        return;
    HidCtlDeviceData(ctx_, Bytes(bytes));
    AfterCore();
}

void LinkDriver::OnSerialBytes(const QByteArray& bytes) {
    if (ports_.Transport != TransportKind::Serial)
        return;
    ComPortRxChar(ctx_, Bytes(bytes));
    AfterCore();
}

void LinkDriver::OnTcpBytes(const QByteArray& bytes) {
    ClientSocket1Read(ctx_, Bytes(bytes)); // parses only while Transport is TCP
    AfterCore();
}

// ---- serial port list and socket ----

void LinkDriver::SetSystemSerialPortsListed(bool listed) {
    systemPortsListed_ = listed;
    RefreshSerialPorts();
}

void LinkDriver::AddSerialPort(const QString& name) {
    if (name.isEmpty() || addedPorts_.contains(name))
        return;
    addedPorts_ << name;
    serial_->AddPortName(name);
    RefreshSerialPorts();
}

void LinkDriver::RefreshSerialPorts() {
    if (systemPortsListed_ &&
        (!systemListed_.isValid() || systemListed_.elapsed() >= kPortListReuseMs)) {
        systemPorts_ = SerialTransport::SystemPortNames();
        systemListed_.start();
    }
    comPorts_ = systemPortsListed_ ? serial_->WithAddedPorts(systemPorts_) : addedPorts_;
    comSelection_ = comPorts_.isEmpty() ? -1 : 0;
}

void LinkDriver::SetTcpEndpoint(const QString& host, const QString& portText) {
    tcpHost_ = host;
    tcpPort_ = portText;
}

void LinkDriver::SetTcpEnabled(bool enabled) {
    tcpEnabled_ = enabled;
}

void LinkDriver::SelectComPort(int line) {
    comSelection_ = line >= 0 && line < comPorts_.size() ? line : -1;
}

bool LinkDriver::OpenSelectedComPort() {
    if (comSelection_ < 0)
        return false;
    return serial_->Open(comPorts_[comSelection_]);
}

std::string LinkDriver::SelectedComPortName() const {
    return comSelection_ < 0 ? std::string() : comPorts_[comSelection_].toStdString();
}

void LinkDriver::TcpConnect() {
    if (tcpEnabled_)
        tcp_->Connect(tcpHost_, tcpPort_);
}

void LinkDriver::TcpClose() {
    tcp_->Close();
}

// ---- observer: passed on; link notices become signals once the core has returned ----

void LinkDriver::ShowPitch(int value) {
    if (observer_)
        observer_->ShowPitch(value);
}

void LinkDriver::ShowMessage(std::string_view chinese, std::string_view english) {
    switch (LinkNoticeOf(chinese)) {
    case LinkNotice::Failed:
        pending_.push_back([this] { emit LinkFailed(); });
        break;
    case LinkNotice::Lost:
        pending_.push_back([this] { emit LinkLost(); });
        break;
    case LinkNotice::None:
        break;
    }
    if (observer_)
        observer_->ShowMessage(chinese, english);
}

void LinkDriver::DeviceIdChanged(const std::string& id) {
    if (observer_)
        observer_->DeviceIdChanged(id);
}

void LinkDriver::LinkLabelWindow(std::string_view chinese, std::string_view english) {
    pending_.push_back([this, zh = Text(chinese), en = Text(english)] { emit StatusText(zh, en); });
    if (observer_)
        observer_->LinkLabelWindow(chinese, english);
}

void LinkDriver::SetLinkLabelColour(LinkColour colour) {
    if (observer_)
        observer_->SetLinkLabelColour(colour);
}

void LinkDriver::SetLinkButtonsActive(bool active) {
    if (observer_)
        observer_->SetLinkButtonsActive(active);
}

void LinkDriver::ShowStatusDialog(int progressPercent) {
    pending_.push_back([this, progressPercent] { emit Progress(progressPercent); });
    if (observer_)
        observer_->ShowStatusDialog(progressPercent);
}

void LinkDriver::HideStatusDialog() {
    if (observer_)
        observer_->HideStatusDialog();
}

void LinkDriver::SetComLabel(std::string_view text) {
    if (observer_)
        observer_->SetComLabel(text);
}

void LinkDriver::LinkOnline() {
    pending_.push_back([this] { emit WentOnline(); });
    if (observer_)
        observer_->LinkOnline();
}

void LinkDriver::ModeListChanged(int bank) {
    if (observer_)
        observer_->ModeListChanged(bank);
}

void LinkDriver::TimersChanged() {
    MirrorTimers();
    if (observer_)
        observer_->TimersChanged();
}

void LinkDriver::WritesDiscarded(int count) {
    // The status text came through LinkLabelWindow already.
    pending_.push_back([this, count] {
        emit WritesDropped(count);
        emit HistoryLine(Text(WritesDiscardedText(count, false)));
    });
    if (observer_)
        observer_->WritesDiscarded(count);
}

void LinkDriver::MirrorTimers() {
    const LinkTimers& t = vars_.Timers;
    Mirror(timer1_, t.Timer1, LinkTimers::kTimer1Interval);
    Mirror(timer2_, t.Timer2, t.Timer2Interval);
    Mirror(timer3_, t.Timer3, LinkTimers::kTimer3Interval);
    Mirror(holdTimer_, t.HoldTimer, LinkTimers::kHoldInterval);
}

void LinkDriver::AfterCore() {
    MirrorTimers();
    // A slot may run the core again and queue more; those follow in their own round.
    while (!pending_.empty()) {
        auto round = std::exchange(pending_, {});
        for (auto& emitIt : round)
            emitIt();
    }
}

} // namespace dsp
