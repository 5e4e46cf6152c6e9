#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <functional>

#include "app/MainWindow.h"
#include "link/FrameParser.h"
#include "link/LinkMachine.h"
#include "presets/FilesController.h"
#include "presets/ModesController.h"
#include "presets/PresetUi.h"
#include "sim/DeviceModel.h"
#include "sim/FakeDeviceTransport.h"
#include "tests/link/FakeLinkClock.h"

namespace dsp::test {

// Message boxes and questions answered by the test: every box is recorded, questions take
// the queued answers in order (Yes / OK when none is queued).
struct ScriptedUi {
    PresetUi Ui;
    QList<QPair<QString, QString>> Messages;  // caption, text
    QList<QPair<QString, QString>> Questions; // caption, text
    QList<bool> Answers;
    int Language = 1;

    ScriptedUi() {
        Ui.Message = [this](QWidget*, const QString& c, const QString& t) {
            Messages.append({c, t});
        };
        Ui.Ask = [this](QWidget*, const QString& c, const QString& t, AskButtons) {
            Questions.append({c, t});
            return Answers.isEmpty() ? true : Answers.takeFirst();
        };
        Ui.UiLanguage = [this] { return Language; };
    }
};

// The main window with both preset controllers, linked over TCP to the in-process device. The
// link's timers run on a simulated clock as the QTimers would call them; the device's answers
// arrive between ticks. The link's page refresh fills the mode lists and the quick buttons.
class PresetRig : private LinkObserver, private LinkEndpoints, public PresetLink {
public:
    explicit PresetRig(Variant variant = Variant::A)
        : Model(variant), Fake(Model, TransportKind::Tcp),
          Form(variant, Store, Page), Ctx{Store,   Page,  Vars,          Ports,
                                          variant, *this, NoViewHooks(), *this},
          Modes(Form, *this, Script.Ui), Files(Form, *this, Script.Ui, variant) {
        Store.ResetDeviceTable();
        Ports.For(TransportKind::Tcp) = &Fake;
        Ports.Transport = TransportKind::Tcp;
        Fake.SetConnected(false);
        Fake.SetReceiver([this](std::span<const uint8_t> b) { ClientSocket1Read(Ctx, b); });
    }

    // PresetLink.
    LinkContext& Context() override { return Ctx; }
    void Run(const std::function<void(LinkContext&)>& routine) override {
        routine(Ctx);
        Fake.Pump();
    }

    // Links and waits until the link is online and idle.
    bool LinkUp() {
        Run([](LinkContext& c) { LinkBtnClick(c, true); });
        return RunUntilIdle();
    }
    bool Idle() const {
        return Vars.LinkState == 2 && Vars.LineFree && Vars.Queue.Empty() &&
               Vars.PendingAction == 0 && !Vars.Timers.Timer2 && !Vars.Timers.Timer3;
    }
    bool RunUntilIdle() {
        return RunUntil([this] { return Idle(); });
    }

    // Runs the link's timers on the simulated clock until done() or five simulated minutes.
    bool RunUntil(const std::function<bool()>& done) {
        const int64_t limit = clock_.NowMs() + 300000;
        while (!done()) {
            if (!clock_.Step(Ctx, limit, [this](int ms) { Fake.Advance(ms); }))
                return false;
            Fake.Pump();
        }
        return true;
    }

    // Frames the device received at an address since the last ClearReceived.
    std::vector<sim::DeviceFrame> ReceivedAt(int address) const {
        std::vector<sim::DeviceFrame> out;
        for (const sim::DeviceFrame& f : Model.Received())
            if (f.Address() == address)
                out.push_back(f);
        return out;
    }

    sim::DeviceModel Model;
    sim::FakeDeviceTransport Fake;
    ParamStore Store;
    PageState Page;
    LinkVars Vars;
    LinkPorts Ports;
    TForm1 Form;
    LinkContext Ctx;
    ScriptedUi Script;
    ModesController Modes;
    FilesController Files;
    QList<QString> LinkMessages; // the link's own messages (Chinese text)

private:
    // LinkObserver: the page refresh's mode steps and the save completions.
    void LinkOnline() override {
        Modes.FillModeLists();
        Modes.ShowFactoryButtons();
    }
    void ModeListChanged(int bank) override { Modes.ModeListChanged(bank); }
    void ShowMessage(std::string_view chinese, std::string_view) override {
        LinkMessages.append(QString::fromUtf8(chinese.data(), qsizetype(chinese.size())));
    }
    // LinkEndpoints: no serial ports; the socket connects to the device.
    void TcpConnect() override { Fake.SetConnected(true); }
    void TcpClose() override { Fake.SetConnected(false); }

    FakeLinkClock clock_;
};

} // namespace dsp::test
