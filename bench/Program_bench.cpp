// The tuning program as it runs, built whole (TunerProgram) with the device model of the
// simulator behind a fake link:
// - a full load over USB HID with the link's real timers, the fake device answering each
//   report within a millisecond (the HID interrupt interval), the page refresh included;
// - edit to wire: a slider change while the line is idle, up to its write frame;
// - a continuous drag while the device takes its time to acknowledge.
#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <span>

#include "BenchApp.h"
#include "app/LinkOptions.h"
#include "app/LinkView.h"
#include "app/MainWindow.h"
#include "app/TunerApp.h"
#include "forms/kit/Kit.h"
#include "link/FrameParser.h"
#include "link/Frames.h"
#include "link/LinkDriver.h"
#include "link/LinkMachine.h"
#include "params/SectionMap.h"
#include "sim/DeviceModel.h"
#include "sim/FakeDeviceTransport.h"

namespace {

using namespace dsp;
using bench::App;
using bench::RunUntil;

// The program with the fake device as one of its links; nothing reaches a real port.
struct Rig {
    sim::DeviceModel model{Variant::A};
    sim::FakeDeviceTransport device;
    TunerProgram program;
    QTimer pump;
    QElapsedTimer clock;
    int answers = 0; // answers delivered to the program

    Rig(TransportKind kind, int ackDelayMs = 0)
        : device(model, kind, sim::FaultConfig{.delayMs = ackDelayMs}),
          program(Variant::A, Options()) {
        LinkDriver& d = program.Driver();
        program.View().MessageBox = [](QWidget*, const LinkMessage&) {};
        d.SetTcpEnabled(false);
        d.Ports().For(kind) = &device;
        device.SetReceiver([this, kind](std::span<const uint8_t> bytes) {
            ++answers;
            program.Driver().Run([&](LinkContext& c) {
                if (kind == TransportKind::UsbHid)
                    HidCtlDeviceData(c, bytes);
                else
                    ClientSocket1Read(c, bytes);
            });
        });
        // What the device queued is delivered by the millisecond, on the GUI thread.
        clock.start();
        pump.setTimerType(Qt::PreciseTimer);
        pump.setInterval(1);
        QObject::connect(&pump, &QTimer::timeout,
                         [this] { device.Advance(int(clock.elapsed() - device.NowMs())); });
        pump.start();
        program.Main().show();
        RunUntil([] { return false; }, 50); // the first show's work and paint
    }

    static LinkOptions Options() {
        LinkOptions o;
        o.NoHid = true;
        return o;
    }

    // The view online on `kind` as after a load: refresh, keep-alive, the first-link write.
    void GoOnline(TransportKind kind) {
        LinkDriver& d = program.Driver();
        d.Ports().Transport = kind;
        d.Vars().LineFree = true;
        d.DisCheck(ModeOnline);
        RunUntil([&] { return d.Vars().LineFree && device.Pending() == 0; }, 2000);
    }
};

int ReadRequests(const sim::DeviceModel& model) {
    int n = 0;
    for (const sim::DeviceFrame& f : model.Received())
        n += f.mode == WRRead ? 1 : 0;
    return n;
}

// Status "Linking..." (the first request of the load) to online, page refresh included.
void BM_FullLoadHid(benchmark::State& st) {
    App();
    for (auto _ : st) {
        Rig rig(TransportKind::UsbHid);
        LinkDriver& d = rig.program.Driver();
        QElapsedTimer load;
        bool online = false;
        QObject::connect(&d, &LinkDriver::StatusText, [&](const QString&, const QString& en) {
            if (en == "Linking...")
                load.start();
        });
        QObject::connect(&d, &LinkDriver::WentOnline, [&] { online = true; });
        d.Vars().HidPresent = true;
        d.LinkButton(true);
        if (!RunUntil([&] { return online; }, 60000)) {
            st.SkipWithError("the load over the fake HID device did not end");
            return;
        }
        const double seconds = double(load.nsecsElapsed()) / 1e9;
        st.SetIterationTime(seconds);
        const int requests = ReadRequests(rig.model);
        st.counters["requests"] = requests;
        st.counters["load_ms"] = seconds * 1000;
        st.counters["floor_ms"] = requests * 50.0;
    }
}
BENCHMARK(BM_FullLoadHid)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// A slider moved by the user while online and the line idle: the handler, value display and
// write path run and the frame is on the transport before setValue returns (same turn).
void BM_EditToWire(benchmark::State& st) {
    App();
    Rig rig(TransportKind::Tcp);
    rig.GoOnline(TransportKind::Tcp);
    LinkDriver& d = rig.program.Driver();
    auto* bar = rig.program.Main().findChild<TrackBar*>("EchoTimeBar");
    if (!bar) {
        st.SkipWithError("no EchoTimeBar");
        return;
    }
    int position = bar->position();
    int sameTurn = 0, edits = 0;
    for (auto _ : st) {
        d.Vars().LineFree = true; // the last write was acknowledged
        const size_t before = rig.device.Sent().size();
        position = position == 100 ? 101 : 100;
        bar->setPosition(position);
        sameTurn += rig.device.Sent().size() == before + 1 ? 1 : 0;
        ++edits;
        if (rig.device.Sent().size() > 1000) {
            rig.device.ClearSent();
            rig.device.Advance(0);
        }
    }
    rig.device.PumpAll();
    st.counters["same_turn"] = double(sameTurn) / edits; // 1: every edit
}
BENCHMARK(BM_EditToWire)->Unit(benchmark::kMicrosecond);

// A drag over EchoTimeBar from 1 to 240, one step every 4 ms (about 1 s), while the device
// acknowledges each write 15 ms late: at most one write is outstanding at any time (one write per
// acknowledgement) and the slider's last position reaches the device.
void BM_ContinuousDrag(benchmark::State& st) {
    App();
    for (auto _ : st) {
        Rig rig(TransportKind::Tcp, 15);
        rig.GoOnline(TransportKind::Tcp);
        auto* bar = rig.program.Main().findChild<TrackBar*>("EchoTimeBar");
        const size_t sentBefore = rig.device.Sent().size();
        const int answersBefore = rig.answers;
        int maxOutstanding = 0, moves = 0;
        auto outstanding = [&] {
            return int(rig.device.Sent().size() - sentBefore) - (rig.answers - answersBefore);
        };
        QTimer mover;
        mover.setTimerType(Qt::PreciseTimer);
        mover.setInterval(4);
        QObject::connect(&mover, &QTimer::timeout, [&] {
            bar->setPosition(1 + moves); // each value once: the last is new to the device
            ++moves;
            maxOutstanding = std::max(maxOutstanding, outstanding());
        });
        QObject::connect(&rig.pump, &QTimer::timeout,
                         [&] { maxOutstanding = std::max(maxOutstanding, outstanding()); });
        mover.start();
        RunUntil([&] { return moves >= 240; }, 10000);
        mover.stop();
        const int last = bar->position();
        QElapsedTimer settle;
        settle.start();
        const bool arrived =
            RunUntil([&] { return rig.model.Table().At(SecEcho, 5) == last; }, 2000);
        const double settleMs = double(settle.nsecsElapsed()) / 1e6;
        RunUntil([&] { return rig.program.Driver().Vars().LineFree; }, 1000);
        const int writes = int(rig.device.Sent().size() - sentBefore);
        const int acks = rig.answers - answersBefore;
        st.counters["moves"] = moves;
        st.counters["writes"] = writes;
        st.counters["acks"] = acks;
        st.counters["max_outstanding"] = maxOutstanding;
        st.counters["last_value_sent"] = arrived ? 1 : 0;
        st.counters["last_value_ms"] = settleMs;
    }
}
BENCHMARK(BM_ContinuousDrag)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
