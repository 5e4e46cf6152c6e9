#pragma once

// A main window of one variant with its languages, locks and system page installed on a
// link whose serial transport records what is sent. Message boxes are answered by the test.
#include <QString>
#include <utility>
#include <vector>

#include "app/MainWindow.h"
#include "app/StatusDialog.h"
#include "app/SystemWiring.h"
#include "forms/kit/Kit.h"
#include "link/Frames.h"
#include "link/WritePath.h"
#include "tests/link/LinkFixture.h"

namespace dsp::test {

struct Write {
    int address;
    int value;
    bool operator==(const Write&) const = default;
};

struct Box {
    QString caption;
    QString text;
    bool yesNo;
};

struct SystemFixture {
    explicit SystemFixture(Variant v = Variant::A)
        : form(v), ctx{form.params(), form.pageState(), vars, ports, v} {
        ports.For(TransportKind::Serial) = &serial;
        ports.Transport = TransportKind::Serial;
        form.BindControls();
        sys = InstallSystemPage(form, &status, &ctx);
        sys->Messages().SetBox([this](const QString& c, const QString& t, bool yesNo) {
            boxes.push_back({c, t, yesNo});
            return answer;
        });
    }

    template <class T> T* Find(const char* name) { return form.findChild<T*>(name); }

    void GoOnline() {
        vars.LinkState = 2;
        vars.LineFree = true;
    }

    // The device answers every frame at once: queued writes go out too.
    void Flush() {
        for (int guard = 0; guard < 1000 && !vars.Queue.Empty(); ++guard) {
            vars.LineFree = true;
            SendNextQueued(ctx);
        }
        vars.LineFree = true;
    }

    static bool IsStringAddress(int a) { return a == kAddrPassword || a == kAddrBluetoothName; }

    // Single-value writes sent so far, in order.
    std::vector<Write> Writes() {
        Flush();
        std::vector<Write> out;
        for (const Bytes& f : serial.sent)
            if (f.size() == 9 && f[3] == WRWrite && !IsStringAddress(f[4] * 256 + f[5]))
                out.push_back({f[4] * 256 + f[5], f[6] | (f[7] << 8)});
        return out;
    }

    // String writes sent so far: address and text bytes.
    std::vector<std::pair<int, std::string>> StrWrites() {
        std::vector<std::pair<int, std::string>> out;
        for (const Bytes& f : serial.sent)
            if (f.size() >= 7 && f[3] == WRWrite && IsStringAddress(f[4] * 256 + f[5]))
                out.push_back({f[4] * 256 + f[5], std::string(f.begin() + 6, f.end() - 1)});
        return out;
    }

    TForm1 form;
    TForm2 status;
    LinkVars vars;
    LinkPorts ports;
    FakeTransport serial{TransportKind::Serial};
    LinkContext ctx;
    SystemPage* sys = nullptr;
    std::vector<Box> boxes;
    bool answer = true;
};

} // namespace dsp::test
