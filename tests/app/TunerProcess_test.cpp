// The tuning programs themselves (offscreen) against the dspsim program on 127.0.0.1 and on a
// pseudo-terminal: each links on its own at start; a simulator that is killed while online
// is reported lost. The programs write their link status to standard output (--trace) and
// print message boxes instead of waiting for OK (--no-modal).
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "tests/support/ClosedPort.h"

using dsp::test::ClosedPort;

namespace {

// Starts a program with the offscreen platform; false when it did not start.
bool Start(QProcess& p, const QString& program, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    // The interface language follows the user's locale: run the programs as a Chinese user.
    env.insert("LC_ALL", "zh_CN.UTF-8");
    env.insert("LANG", "zh_CN.UTF-8");
    p.setProcessEnvironment(env);
    p.setProgram(program);
    p.setArguments(args);
    p.start();
    return p.waitForStarted(5000);
}

void Stop(QProcess& p) {
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(3000);
    }
}

// Reads standard output lines until one contains `text`; returns the line, empty on time-out.
QString WaitForLine(QProcess& p, const QString& text, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        while (p.canReadLine()) {
            const QString line = QString::fromUtf8(p.readLine()).trimmed();
            if (line.contains(text))
                return line;
        }
        if (p.state() == QProcess::NotRunning)
            return {};
        p.waitForReadyRead(200);
    }
    return {};
}

// The milliseconds a --trace line starts with.
qint64 TraceMs(const QString& line) {
    return QRegularExpression("^(\\d+) ms").match(line).captured(1).toLongLong();
}

} // namespace

class TunerProcessTest : public QObject {
    Q_OBJECT
private slots:
    // dsptuner8 finds the simulator's network module after the serial ports: one TCP load.
    void variantBLinksOverTcp() {
        QProcess sim;
        QVERIFY(Start(sim, DSPSIM_PATH, {"--variant", "B", "--port", "0"}));
        const QString listening = WaitForLine(sim, "listening on 127.0.0.1:", 5000);
        QVERIFY(!listening.isEmpty());
        const QString port = listening.section(':', 1);

        QProcess tool;
        QVERIFY(Start(tool, DSPTUNER8_PATH, {"--no-hid", "--port", port, "--trace", "--no-modal"}));
        const QString onlineLine = WaitForLine(tool, " online", 40000);
        QVERIFY2(!onlineLine.isEmpty(), tool.readAllStandardError().constData());
        qInfo("dsptuner8 online over TCP %lld ms after start", TraceMs(onlineLine));
        Stop(tool);
        Stop(sim);
    }

    // dsptuner over the simulator's pseudo-terminal; the simulator is killed while online and
    // the program says "已断开连接!" after five silent seconds.
    void variantALinksOverSerialAndNoticesTheLoss() {
        QProcess sim;
        QVERIFY(Start(sim, DSPSIM_PATH, {"--no-tcp", "--pty"}));
        const QString pty = WaitForLine(sim, "/dev/", 5000);
        QVERIFY(!pty.isEmpty());

        QProcess tool;
        QVERIFY(Start(tool, DSPTUNER_PATH,
                      {"--no-hid", "--serial", pty, "--port", QString::number(ClosedPort()),
                       "--trace", "--no-modal"}));
        const QString onlineLine = WaitForLine(tool, " online", 20000);
        QVERIFY2(!onlineLine.isEmpty(), tool.readAllStandardError().constData());
        qInfo("dsptuner online over a pseudo-terminal %lld ms after start", TraceMs(onlineLine));

        QTest::qWait(1500); // online and idle for a while
        Stop(sim);
        QElapsedTimer clock;
        clock.start();
        const QString lost = WaitForLine(tool, "message: ", 9000);
        QCOMPARE(lost.section("message: ", 1), QString("提示: 已断开连接!"));
        qInfo("loss reported %lld ms after the simulator was killed", clock.elapsed());
        QVERIFY(clock.elapsed() >= 3500);
        QVERIFY(tool.state() == QProcess::Running); // the program goes on, offline
        Stop(tool);
    }
};

QTEST_GUILESS_MAIN(TunerProcessTest)
#include "TunerProcess_test.moc"
