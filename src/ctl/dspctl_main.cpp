// dspctl: the command-line companion of the tuning tool. It drives the same link machine,
// write path and parameter files as the window, over TCP, a serial port or USB HID.
#include <QCoreApplication>
#include <QLoggingCategory>
#include <iostream>

#include "ctl/CtlRun.h"
#include "ctl/ProgressPrinter.h"

using namespace dsp::ctl;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("dspctl");
    // Frame dumps of the link only when asked for through QT_LOGGING_RULES.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("dsptuner.link.debug=false"));

    std::vector<std::string> args(argv + 1, argv + argc);
    ProgressPrinter progress(stderr, ProgressPrinter::IsTerminal(stderr));
    const SessionFactory makeSession = [&progress](const CtlOptions& o) {
        auto session = std::make_shared<DriverSession>(o.ProgramVariant, o.Target);
        progress.Attach(session->Events());
        return std::shared_ptr<Session>(std::move(session));
    };
    return RunCtl(args, makeSession, std::cout, std::cerr);
}
