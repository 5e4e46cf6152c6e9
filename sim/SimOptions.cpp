#include "sim/SimOptions.h"

#include <QCommandLineParser>

namespace dsp::sim {

namespace {

// A non-negative whole number, or nothing.
std::optional<int> Count(const QCommandLineParser& p, const QString& name, QString* error) {
    if (!p.isSet(name))
        return 0;
    bool ok = false;
    const int v = p.value(name).toInt(&ok);
    if (!ok || v < 0) {
        *error = QStringLiteral("--%1 needs a whole number of 0 or more, not \"%2\"")
                     .arg(name, p.value(name));
        return std::nullopt;
    }
    return v;
}

} // namespace

std::optional<SimOptions> ParseSimOptions(const QStringList& arguments, QString* error) {
    QCommandLineParser p;
    p.setApplicationDescription(
        "Simulated karaoke audio processor for dsptuner: answers the device protocol over TCP "
        "(127.0.0.1 only) and, with --pty, over a pseudo-terminal serial port.");
    p.addHelpOption();
    p.addVersionOption();
    p.addOptions({
        {"port", "TCP port on 127.0.0.1 (default 8899, 0 picks a free one).", "N", "8899"},
        {"no-tcp", "Do not listen on TCP."},
        {"pty", "Open a pseudo-terminal as the device's serial port and print its path."},
        {"variant", "Device variant A or B (default A).", "A|B", "A"},
        {"password", "Link password (default 1234).", "DIGITS"},
        {"lock", "Start with the key-panel lock on."},
        {"turn-pitch-ms", "Turn the key knob one step every N ms (the status poll shows it).", "N"},
        {"drop-every", "Drop every Nth answer.", "N"},
        {"corrupt-every", "Break the checksum of every Nth answer frame.", "N"},
        {"split", "Send answers in pieces of at most N bytes.", "N"},
        {"join", "Hold each answer back and send it together with the next one."},
        {"delay-ms", "Answer N milliseconds late.", "N"},
        {"silent-after", "Stop answering after N frames.", "N"},
        {"close-after", "Close the connection after N frames.", "N"},
        {"verbose", "Log every frame in and out."},
    });
    p.process(arguments);

    SimOptions o;
    o.tcp = !p.isSet("no-tcp");
    o.pty = p.isSet("pty");
    o.panelLock = p.isSet("lock");
    o.verbose = p.isSet("verbose");
    o.password = p.value("password");
    const QString variant = p.value("variant").toUpper();
    if (variant != "A" && variant != "B") {
        *error = QStringLiteral("--variant is A or B, not \"%1\"").arg(p.value("variant"));
        return std::nullopt;
    }
    o.variant = variant == "A" ? Variant::A : Variant::B;
    bool ok = false;
    const uint port = p.value("port").toUInt(&ok);
    if (!ok || port > 65535) {
        *error = QStringLiteral("--port needs a port number, not \"%1\"").arg(p.value("port"));
        return std::nullopt;
    }
    o.port = quint16(port);
    if (!o.tcp && !o.pty) {
        *error = QStringLiteral("nothing to serve: --no-tcp without --pty");
        return std::nullopt;
    }

    const struct {
        const char* name;
        int* field;
    } counts[] = {
        {"drop-every", &o.faults.dropEvery},     {"corrupt-every", &o.faults.corruptEvery},
        {"split", &o.faults.splitSize},          {"delay-ms", &o.faults.delayMs},
        {"silent-after", &o.faults.silentAfter}, {"close-after", &o.faults.closeAfter},
    };
    for (const auto& c : counts) {
        const auto v = Count(p, QString::fromLatin1(c.name), error);
        if (!v)
            return std::nullopt;
        *c.field = *v;
    }
    o.faults.join = p.isSet("join");
    const auto pitch = Count(p, QStringLiteral("turn-pitch-ms"), error);
    if (!pitch)
        return std::nullopt;
    o.turnPitchMs = *pitch;
    return o;
}

} // namespace dsp::sim
