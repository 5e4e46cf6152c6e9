#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "link/LinkContext.h"
#include "link/LinkObserver.h"
#include "link/LinkPorts.h"
#include "link/LinkVars.h"

namespace dsp {

class HidTransport;
class SerialTransport;
class TcpTransport;

// What a message box of the link says about the link itself.
enum class LinkNotice { None, Failed, Lost };
// "连接失败!" ends a search or a load that ran into its time-outs, "已断开连接!" a link lost
// while online. Other messages are no link notice.
LinkNotice LinkNoticeOf(std::string_view chinese);

// The transports a LinkDriver works with; any left null is created and owned by it.
struct LinkDriverTransports {
    HidTransport* Hid = nullptr;
    SerialTransport* Serial = nullptr;
    TcpTransport* Tcp = nullptr;
};

// The link window's io glue: the four timers, the three transports and the serial port list
// and TCP address the search works on. Every decision is the link core's; this class only
// runs the core's tick routines from QTimers whose state mirrors LinkVars::Timers, hands
// received bytes to the core's receive routines, and passes the core's observer calls on.
//
// Signals are emitted after the core routine that caused them has returned, so a slot sees
// the link state as the core left it and may call into the core again.
class LinkDriver : public QObject, private LinkObserver, private LinkEndpoints {
    Q_OBJECT
public:
    using Transports = LinkDriverTransports;

    LinkDriver(ParamStore& store, PageState& page, Variant variant,
               ViewHooks& hooks = NoViewHooks(), Transports transports = {},
               QObject* parent = nullptr);
    ~LinkDriver() override;

    // The core's view of this link: hand it to SendDatatoMCU and the other core routines.
    LinkContext& Context() { return ctx_; }
    LinkVars& Vars() { return vars_; }
    const LinkVars& Vars() const { return vars_; }
    LinkPorts& Ports() { return ports_; }
    bool Online() const { return vars_.LinkState == 2; }

    // Runs a core routine on this link, then applies the timer changes and emits the signals
    // it caused: driver.Run([&](LinkContext& c) { SendDatatoMCU(c, address, value); }).
    template <class F> void Run(F&& routine) {
        std::forward<F>(routine)(ctx_);
        AfterCore();
    }

    // The link button pair: LinkBtn (link true) or UnLinkBtn.
    void LinkButton(bool link = true);
    void DisCheck(int uMode);

    // Observer calls are passed on to this one (the window's texts, message boxes, the
    // status dialog). Not owned; null for none. TimersChanged is handled here.
    void SetObserver(LinkObserver* observer);

    // USB HID: starts the device polling; the first device change follows at once and links
    // to an attached device on its own (or moves the search to serial and TCP).
    void StartHid(int pollMs = 1000);
    // HidCtlDeviceChange: relists the devices and does what the core decides.
    void HidDeviceChange();

    // The serial port list the search walks (ComComboBox1): the PC's ports when listed,
    // then the ports added by name. The first line is selected, none when the list is empty.
    void SetSystemSerialPortsListed(bool listed);
    void AddSerialPort(const QString& name);
    // Lists the PC's ports again, unless they were listed less than kPortListReuseMs ago:
    // asking the system for its ports takes tens of milliseconds, and the window's first show
    // asks again right after the link window was created.
    void RefreshSerialPorts();
    static constexpr int kPortListReuseMs = 1000;
    QStringList SerialPortNames() const { return comPorts_; }
    int SerialSelection() const { return comSelection_; }

    // TCP address and port text (IPstrEdit, IPPortStrEdit); read at every connect. With TCP
    // disabled the search's connects do nothing, so it reaches no network at all.
    void SetTcpEndpoint(const QString& host, const QString& portText);
    void SetTcpEnabled(bool enabled);
    QString TcpHost() const { return tcpHost_; }
    QString TcpPortText() const { return tcpPort_; }

    HidTransport& Hid() { return *hid_; }
    SerialTransport& Serial() { return *serial_; }
    TcpTransport& Tcp() { return *tcp_; }

    // The timers as they run now (for tests and diagnostics).
    const QTimer& Timer1() const { return timer1_; }
    const QTimer& Timer2() const { return timer2_; }
    const QTimer& Timer3() const { return timer3_; }
    const QTimer& HoldTimer() const { return holdTimer_; }

signals:
    // The link went online (after a load, a download, a reload or a section upload).
    void WentOnline();
    // The search or a load gave up (DisCheckWindow 9), or the link was lost while online (7).
    void LinkFailed();
    void LinkLost();
    // Status dialog progress in percent, sent on every search and step tick.
    void Progress(int percent);
    // New status text (LinkLabel), both languages.
    void StatusText(const QString& chinese, const QString& english);
    // Lines for the history list (HID removals, read and write errors).
    void HistoryLine(const QString& line);
    // count edits were dropped from the send queue without reaching the device. Comes with a
    // StatusText and a HistoryLine naming the count.
    void WritesDropped(int count);

private:
    // LinkObserver: passed on, and noted for the signals.
    void ShowPitch(int value) override;
    void ShowMessage(std::string_view chinese, std::string_view english) override;
    void DeviceIdChanged(const std::string& id) override;
    void LinkLabelWindow(std::string_view chinese, std::string_view english) override;
    void SetLinkLabelColour(LinkColour colour) override;
    void SetLinkButtonsActive(bool active) override;
    void ShowStatusDialog(int progressPercent) override;
    void HideStatusDialog() override;
    void SetComLabel(std::string_view text) override;
    void LinkOnline() override;
    void ModeListChanged(int bank) override;
    void TimersChanged() override;
    void WritesDiscarded(int count) override;

    // LinkEndpoints over the serial port list and the socket.
    int ComSelection() const override { return comSelection_; }
    void SelectComPort(int line) override;
    bool OpenSelectedComPort() override;
    std::string SelectedComPortName() const override;
    void TcpConnect() override;
    void TcpClose() override;

    void MirrorTimers();
    void AfterCore();
    void OnHidBytes(const QByteArray& bytes);
    void OnSerialBytes(const QByteArray& bytes);
    void OnTcpBytes(const QByteArray& bytes);

    LinkVars vars_;
    LinkPorts ports_;
    LinkContext ctx_;
    LinkObserver* observer_ = nullptr;

    HidTransport* hid_ = nullptr;
    SerialTransport* serial_ = nullptr;
    TcpTransport* tcp_ = nullptr;

    QTimer timer1_;
    QTimer timer2_;
    QTimer timer3_;
    QTimer holdTimer_;

    QStringList comPorts_;
    QStringList systemPorts_;    // the PC's ports as last listed
    QElapsedTimer systemListed_; // when they were listed; invalid before the first time
    int comSelection_ = -1;
    bool systemPortsListed_ = true;
    QStringList addedPorts_;
    QString tcpHost_ = QStringLiteral("127.0.0.1");
    QString tcpPort_ = QStringLiteral("8899");
    bool tcpEnabled_ = true;

    // Signals caused by the core routine now running, emitted once it has returned.
    std::vector<std::function<void()>> pending_;
};

} // namespace dsp
