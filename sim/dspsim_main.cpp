// dspsim: the simulated audio processor, serving the device protocol on 127.0.0.1 and
// optionally on a pseudo-terminal.
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTimer>
#include <cstdio>

#include "params/SectionMap.h"
#include "sim/DeviceModel.h"
#include "sim/SimLog.h"
#include "sim/SimOptions.h"
#include "sim/SimPty.h"
#include "sim/SimTcpServer.h"

using namespace dsp::sim;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("dspsim");
    QCoreApplication::setApplicationVersion("1.0");

    QString error;
    const auto options = ParseSimOptions(QCoreApplication::arguments(), &error);
    if (!options) {
        std::fprintf(stderr, "dspsim: %s\n", qPrintable(error));
        return 2;
    }
    if (options->verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("dspsim.debug=true"));

    DeviceModel model(options->variant);
    if (!options->password.isEmpty())
        model.SetPassword(options->password.toStdString());
    model.SetPanelLock(options->panelLock);

    SimTcpServer server(model, options->faults);
    if (options->tcp) {
        if (!server.Listen(options->port)) {
            std::fprintf(stderr, "dspsim: cannot listen on 127.0.0.1:%u: %s\n",
                         unsigned(options->port), qPrintable(server.ErrorString()));
            return 1;
        }
        std::printf("listening on 127.0.0.1:%u\n", unsigned(server.Port()));
    }
    SimPty pty(model, options->faults);
    if (options->pty) {
        if (!pty.Open()) {
            std::fprintf(stderr, "dspsim: cannot open a pseudo-terminal: %s\n",
                         qPrintable(pty.ErrorString()));
            return 1;
        }
        std::printf("%s\n", qPrintable(pty.SlavePath()));
    }
    std::fflush(stdout);
    // The key knob on the front panel: up and down through the 15 key positions.
    QTimer knob;
    int direction = 1;
    QObject::connect(&knob, &QTimer::timeout, [&] {
        const int pitch = model.Table().At(dsp::SecMusic, 6);
        if (pitch + direction < 0 || pitch + direction > 14)
            direction = -direction;
        model.TurnPitch(pitch + direction);
        qCDebug(lcSim) << "key knob at" << pitch + direction;
    });
    if (options->turnPitchMs > 0)
        knob.start(options->turnPitchMs);

    if (options->faults.Any())
        qCInfo(lcSim) << "fault switches on";
    return app.exec();
}
