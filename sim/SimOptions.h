#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "params/Variant.h"
#include "sim/SimEndpoint.h"

namespace dsp::sim {

struct SimOptions {
    bool tcp = true;
    quint16 port = 8899; // 0: any free port
    bool pty = false;
    Variant variant = Variant::A;
    FaultConfig faults;
    QString password; // empty: the factory password
    bool panelLock = false;
    int turnPitchMs = 0; // turn the key knob one step every N ms (0: never)
    bool verbose = false;
};

// Parses dspsim's command line. Empty with `error` set when an option is wrong; --help and
// --version print and exit inside.
std::optional<SimOptions> ParseSimOptions(const QStringList& arguments, QString* error);

} // namespace dsp::sim
