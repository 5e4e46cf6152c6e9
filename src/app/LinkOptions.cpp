#include "app/LinkOptions.h"

namespace dsp {

LinkOptions ParseLinkOptions(const QStringList& arguments) {
    LinkOptions o;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == QLatin1String("--no-hid")) {
            o.NoHid = true;
        } else if (a == QLatin1String("--no-modal")) {
            o.NoModal = true;
        } else if (a == QLatin1String("--trace")) {
            o.Trace = true;
        } else if (!hasValue) {
            continue;
        } else if (a == QLatin1String("--host")) {
            o.Host = arguments[++i];
        } else if (a == QLatin1String("--port")) {
            o.Port = arguments[++i];
        } else if (a == QLatin1String("--serial")) {
            o.SerialPorts << arguments[++i];
        } else if (a == QLatin1String("--quit-after")) {
            bool ok = false;
            const int ms = arguments[++i].toInt(&ok);
            o.QuitAfterMs = ok ? ms : -1;
        }
    }
    return o;
}

} // namespace dsp
