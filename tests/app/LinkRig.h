#pragma once

#include <QApplication>
#include <QDir>
#include <QList>
#include <QPixmap>
#include <functional>

#include "app/LinkOptions.h"
#include "app/LinkView.h"
#include "app/LinkWindow.h"
#include "app/MainWindow.h"
#include "app/StatusDialog.h"
#include "forms/kit/Kit.h"
#include "link/FrameParser.h"
#include "link/LinkDriver.h"
#include "link/LinkMachine.h"
#include "params/PageState.h"
#include "params/ParamStore.h"

namespace dsp::test {

// The program's three windows and the link view, built as the program builds them, with the
// message boxes collected instead of shown. The PC's own serial ports are left out of the
// serial port list so that only the ports a test adds are searched.
struct TunerWindows {
    ParamStore store;
    PageState page;
    TForm1 form1;
    TForm3 form3;
    TForm2 form2;
    LinkView view;
    QList<LinkMessage> messages;
    int refreshes = 0; // OnLinkOnline calls

    TunerWindows(Variant variant, int uiLanguage, const LinkOptions& options = {})
        : form1(variant, store, page), form3(store, page, variant),
          view(form1, form3, form2, Prepare(form3, page, uiLanguage, options)) {
        QApplication::setQuitOnLastWindowClosed(false);
        view.MessageBox = [this](QWidget*, const LinkMessage& m) { messages << m; };
        view.OnLinkOnline = [this] {
            ++refreshes;
            view.DefaultLinkOnline();
        };
        form1.show();
    }

    LinkDriver& Driver() { return form3.Driver(); }
    template <class T = QWidget> T* Find(const char* name) { return form1.findChild<T*>(name); }
    QString Caption(const char* name) {
        auto* w = Find(name);
        KitControl* k = w ? AsKit(w) : nullptr;
        return k ? k->caption() : QString();
    }

private:
    static const LinkOptions& Prepare(TForm3& form3, PageState& page, int uiLanguage,
                                      const LinkOptions& options) {
        page.UiLanguage = uiLanguage;
        form3.Driver().SetSystemSerialPortsListed(false);
        return options;
    }
};

// Saves a picture of a window for a look by eye (not compared).
inline void SaveShot(QWidget& w, const QString& name) {
    QDir().mkpath("/tmp/shots");
    w.grab().save(QStringLiteral("/tmp/shots/%1.png").arg(name));
}

} // namespace dsp::test
