// dspprobe: whole-program figures of the tuning program, measured from outside as a user
// would feel them. Linux only (it reads /proc of the program it started).
//
//   dspprobe startup PROGRAM [RUNS]
//       start-up: from starting the process to the main window's first paint ("shown" in the
//       program's --trace output), offscreen; prints the median and the best of RUNS runs.
//   dspprobe load tcp|serial PROGRAM SIMULATOR [IDLE_SECONDS]
//       starts the simulator (TCP on 127.0.0.1, or its pseudo-terminal) and the program, and
//       prints the full load's wall time (status "Linking..." to "online", by the program's
//       own clock), the peak resident memory after the load and, when IDLE_SECONDS > 0, the
//       CPU time the program used while online and untouched for that long.
//
// Output: one "name value" line per figure, for scripts/bench.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

void Out(const char* name, double value) {
    std::printf("%s %.3f\n", name, value);
    std::fflush(stdout);
}

int Fail(const QString& why) {
    std::fprintf(stderr, "dspprobe: %s\n", qPrintable(why));
    return 1;
}

// Reads lines of a running process until one matches, or the time is up. The matched line.
std::optional<QString> WaitLine(QProcess& p, const QRegularExpression& re, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        while (p.canReadLine()) {
            const QString line = QString::fromUtf8(p.readLine()).trimmed();
            if (re.match(line).hasMatch())
                return line;
        }
        if (p.state() == QProcess::NotRunning)
            return std::nullopt;
        p.waitForReadyRead(50);
    }
    return std::nullopt;
}

// The milliseconds a --trace line starts with.
long long TraceMs(const QString& line) {
    return line.section(' ', 0, 0, QString::SectionSkipEmpty).toLongLong();
}

void Stop(QProcess& p) {
    if (p.state() == QProcess::NotRunning)
        return;
    p.terminate();
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(3000);
    }
}

// A port on 127.0.0.1 that nobody listens on: the program's TCP search finds nothing there.
QString ClosedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QString::number(port);
}

// /proc/PID/status: VmHWM (peak resident set) in kB.
long long PeakRssKb(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// CPU time of every thread of the process in seconds: the scheduler's own count in
// /proc/PID/task/*/schedstat (nanoseconds on the CPU), which a program that wakes often for
// a moment is not over- or under-charged by, unlike the tick-sampled times of /proc/PID/stat
// (user + system, used when schedstat is missing).
double CpuSeconds(qint64 pid) {
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    double ns = 0;
    bool any = false;
    for (const QString& t : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(tasks.filePath(t + "/schedstat"));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        ns += f.readAll().split(' ').value(0).toDouble();
        any = true;
    }
    if (any)
        return ns / 1e9;
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray all = f.readAll();
    // The command name may hold spaces: the fields counted from the ")" that ends it.
    const QList<QByteArray> fields = all.mid(all.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    const double ticks = fields[11].toDouble() + fields[12].toDouble(); // utime, stime
    return ticks / double(sysconf(_SC_CLK_TCK));
}

QProcessEnvironment OffscreenEnv() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

int StartUp(const QString& program, int runs) {
    std::vector<double> ms;
    const QRegularExpression shown(QStringLiteral("^\\d+ ms  shown$"));
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.setProcessEnvironment(OffscreenEnv());
        p.setProcessChannelMode(QProcess::SeparateChannels);
        p.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        // No USB polling and nothing at the TCP port: the program only starts and shows.
        p.start(program, {"--no-hid", "--port", ClosedPort(), "--trace", "--no-modal"});
        if (!WaitLine(p, shown, 20000)) {
            Stop(p);
            return Fail(QStringLiteral("%1 showed no main window").arg(program));
        }
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
        Stop(p);
    }
    std::sort(ms.begin(), ms.end());
    Out("startup_median_ms", ms[ms.size() / 2]);
    Out("startup_best_ms", ms.front());
    return 0;
}

int Load(bool tcp, const QString& program, const QString& simulator, int idleSeconds) {
    QProcess sim;
    sim.setProcessChannelMode(QProcess::SeparateChannels);
    sim.setStandardErrorFile(QProcess::nullDevice());
    sim.start(simulator, tcp ? QStringList{"--port", "0"} : QStringList{"--no-tcp", "--pty"});
    const auto where = WaitLine(
        sim, QRegularExpression(tcp ? "^listening on 127\\.0\\.0\\.1:\\d+$" : "^/dev/"), 5000);
    if (!where) {
        Stop(sim);
        return Fail(QStringLiteral("the simulator did not start"));
    }
    QStringList args{"--no-hid", "--trace", "--no-modal"};
    if (tcp)
        args << "--port" << where->section(':', -1);
    else
        args << "--serial" << *where << "--port" << ClosedPort();

    QProcess tool;
    tool.setProcessEnvironment(OffscreenEnv());
    tool.setStandardErrorFile(QProcess::nullDevice());
    tool.start(program, args);
    const auto linking = WaitLine(tool, QRegularExpression("status: Linking\\.\\.\\.$"), 30000);
    const auto online =
        linking ? WaitLine(tool, QRegularExpression("^\\d+ ms  online$"), 60000) : std::nullopt;
    if (!online) {
        Stop(tool);
        Stop(sim);
        return Fail(QStringLiteral("%1 did not link").arg(program));
    }
    const char* kind = tcp ? "tcp" : "serial";
    Out(qPrintable(QStringLiteral("load_%1_ms").arg(kind)),
        double(TraceMs(*online) - TraceMs(*linking)));

    // Let the online step's writes and the first redraws settle before the figures.
    QThread::msleep(1000);
    Out(qPrintable(QStringLiteral("peak_rss_%1_kb").arg(kind)),
        double(PeakRssKb(tool.processId())));
    if (idleSeconds > 0) {
        QElapsedTimer wall;
        const double before = CpuSeconds(tool.processId());
        wall.start();
        QThread::sleep(idleSeconds);
        const double used = CpuSeconds(tool.processId()) - before;
        const double seconds = double(wall.nsecsElapsed()) / 1e9;
        // Still online: a lost link would have printed its message and status.
        tool.waitForReadyRead(10);
        const QString rest = QString::fromUtf8(tool.readAll());
        if (rest.contains("Off Line")) {
            Stop(tool);
            Stop(sim);
            return Fail(QStringLiteral("the link was lost while idle"));
        }
        Out(qPrintable(QStringLiteral("idle_cpu_%1_percent").arg(kind)), 100.0 * used / seconds);
        Out(qPrintable(QStringLiteral("idle_seconds_%1").arg(kind)), seconds);
    }
    Stop(tool);
    Stop(sim);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    if (a.size() >= 3 && a[1] == "startup")
        return StartUp(a[2], a.size() > 3 ? std::max(1, a[3].toInt()) : 5);
    if (a.size() >= 5 && a[1] == "load" && (a[2] == "tcp" || a[2] == "serial"))
        return Load(a[2] == "tcp", a[3], a[4], a.size() > 5 ? a[5].toInt() : 0);
    std::fprintf(stderr, "usage: dspprobe startup PROGRAM [RUNS]\n"
                         "       dspprobe load tcp|serial PROGRAM SIMULATOR [IDLE_SECONDS]\n");
    return 2;
}
