#pragma once

// A private PulseAudio daemon for the capture tests: a null sink and a 1 kHz sine source as the
// default recording device, no sound card needed. The sine source renders two seconds ahead
// and so hands out its samples in bursts; a second source of silence, which follows the
// latency a client asks for, shows the cadence a real input has. It listens only on a socket in its
// own temporary runtime folder and is stopped with the object.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace dsp::test {

class PulseServer {
public:
    static constexpr int SineHz = 1000;
    static constexpr const char* SilenceSource = "silence_input";

    ~PulseServer() { Stop(); }

    // Starts the daemon and waits for its socket. On failure Error() says why.
    bool Start() {
        const QString exe = QStandardPaths::findExecutable("pulseaudio");
        if (exe.isEmpty()) {
            error_ = "pulseaudio is not installed";
            return false;
        }
        if (!dir_.isValid()) {
            error_ = "no temporary folder";
            return false;
        }
        const QString root = dir_.path();
        socket_ = root + "/native";
        const QString script = root + "/default.pa";
        QFile f(script);
        if (!f.open(QIODevice::WriteOnly) || f.write("set-default-source sine_input\n") < 0) {
            error_ = "cannot write " + script;
            return false;
        }
        f.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* var :
             {"HOME", "XDG_RUNTIME_DIR", "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH"}) {
            env.insert(var, root);
        }
        env.remove("PULSE_SERVER");
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(exe, {"--daemonize=no", "--exit-idle-time=-1", "--system=false", "-n",
                             "--use-pid-file=no", "--log-target=stderr", "-L", "module-null-sink",
                             "-L", QString("module-sine-source frequency=%1").arg(SineHz), "-L",
                             QString("module-null-source source_name=") + SilenceSource, "-L",
                             "module-native-protocol-unix auth-anonymous=1 socket=" + socket_, "-F",
                             script});
        if (!process_.waitForStarted(5000)) {
            error_ = "pulseaudio did not start: " + process_.errorString();
            return false;
        }
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(socket_) && waited.elapsed() < 10000) {
            if (process_.state() != QProcess::Running) {
                error_ = "pulseaudio exited: " + QString::fromLocal8Bit(process_.readAll());
                return false;
            }
            QThread::msleep(20);
        }
        if (!QFile::exists(socket_)) {
            error_ = "pulseaudio opened no socket: " + QString::fromLocal8Bit(process_.readAll());
            Stop();
            return false;
        }
        return true;
    }

    void Stop() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(5000)) {
                process_.kill();
                process_.waitForFinished(2000);
            }
        }
    }

    // The value for PULSE_SERVER that reaches this daemon.
    QByteArray Address() const { return "unix:" + socket_.toLocal8Bit(); }
    QString Error() const { return error_; }
    QByteArray Log() { return process_.readAll(); }

private:
    QTemporaryDir dir_{QDir::tempPath() + "/dsp-pulse-XXXXXX"};
    QProcess process_;
    QString socket_;
    QString error_;
};

} // namespace dsp::test
