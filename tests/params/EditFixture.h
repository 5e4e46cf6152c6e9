#pragma once

#include <QTest>
#include <string>
#include <utility>
#include <vector>

#include "app/MainWindow.h"
#include "app/PageControllers.h"
#include "forms/kit/Kit.h"
#include "link/LinkMachine.h"
#include "link/WritePath.h"
#include "params/PageState.h"
#include "params/ParamStore.h"
#include "tests/link/FakeDevice.h"

namespace dsp::test {

// A main window with its editing layer on a link whose far end is a fake device on the
// serial line. The window is shown, so the controls are bound, every EQ holds its defaults
// and the music page is selected.
struct EditFixture {
    explicit EditFixture(Variant v = Variant::A)
        : form(v), hooks(form, form.binding()),
          ctx{form.params(), form.pageState(), vars, ports, v, observer, hooks}, pages(form, ctx) {
        ports.For(TransportKind::Serial) = &device;
        ports.Transport = TransportKind::Serial;
        pages.Session().ShowMessageHook = [this](std::string_view zh, std::string_view) {
            messages.emplace_back(zh);
        };
        form.show();
    }

    template <class T = QWidget> T* W(const char* name) {
        T* w = form.findChild<T*>(name);
        if (!w)
            qWarning("no control %s", name);
        return w;
    }

    ParamTable& View() { return form.params().ViewTable; }
    ParamTable& Device() { return form.params().DeviceTable; }
    PageState& Page() { return form.pageState(); }
    ValueEdit* CurrentEdit() { return form.binding().CurrentEdit; }

    void GoOnline() {
        vars.LinkState = 2;
        vars.LineFree = true;
        device.frames.clear();
    }

    // Lets the device answer and the online timer send what waits, until the line is idle.
    void Flush() {
        for (int i = 0; i < 1000; ++i) {
            device.Deliver(ctx);
            if (!SendNextQueued(ctx))
                break;
        }
        device.Deliver(ctx);
    }

    // Single writes the device received, as (address, value).
    std::vector<std::pair<int, int>> Writes() {
        Flush();
        std::vector<std::pair<int, int>> w;
        for (const auto& f : device.frames)
            if (f.mode == WRWrite && f.address != kAddrBulkWrite)
                w.emplace_back(f.address, f.Value());
        return w;
    }

    void Click(const char* name) {
        if (auto* b = W<QAbstractButton>(name))
            b->click();
    }

    TForm1 form;
    LinkVars vars;
    LinkPorts ports;
    FakeDevice device{TransportKind::Serial};
    RecordingObserver observer;
    PageViewHooks hooks;
    LinkContext ctx;
    PageControllers pages;
    std::vector<std::string> messages;
};

using Writes = std::vector<std::pair<int, int>>;

} // namespace dsp::test
