// The dspctl program against the dspsim program over TCP on 127.0.0.1: a restore followed
// by a backup leaves the device equal to the file, both files byte for byte what the tool
// (here: the same commands on the in-process device) writes; a bad file opens no link; a
// closed port fails with exit code 1 inside the search's time-outs.
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <sstream>

#include "TickSession.h"
#include "ctl/CtlRun.h"
#include "params/SectionMap.h"
#include "presets/ParamFile.h"
#include "sim/DeviceModel.h"

using namespace dsp;

namespace {

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs dspctl; returns its exit code, or -1 when it did not finish in time.
int RunDspctl(const QStringList& args, QByteArray* err = nullptr, int timeoutMs = 40000) {
    QProcess ctl;
    ctl.setProgram(DSPCTL_PATH);
    ctl.setArguments(args);
    ctl.start();
    if (!ctl.waitForFinished(timeoutMs)) {
        ctl.kill();
        ctl.waitForFinished(3000);
        return -1;
    }
    if (err)
        *err = ctl.readAllStandardError();
    return ctl.exitStatus() == QProcess::NormalExit ? ctl.exitCode() : -1;
}

// The same command on the in-process device: what the tool's link-up and files give.
int RunInProcess(sim::DeviceModel& model, const std::vector<std::string>& args) {
    std::ostringstream out, err;
    return ctl::RunCtl(
        args,
        [&model](const ctl::CtlOptions& o) {
            return std::make_shared<test::TickSession>(model, o.ProgramVariant);
        },
        out, err);
}

} // namespace

class DspctlProcessTest : public QObject {
    Q_OBJECT
private slots:
    void restoreThenBackupOverTcp() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString restored = dir.filePath("changed.Nddt");
        const QString backedUp = dir.filePath("device.Nddt");
        const QString expected = dir.filePath("expected.Nddt");

        // The file to restore: the factory set with changes in applied sections.
        sim::DeviceModel reference;
        ParamTable table = reference.Table();
        table.At(SecMusic, 7) = 11;
        table.At(SecEcho, 3) = 1234;
        table.At(SecMic2, 100) = 513;
        table.At(SecAux, 5) = 65535;
        table.At(SecSystem, 23) = 2;
        QFile f(restored);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(ParamFileText(ParamFileKind::WholeDevice, table)));
        f.close();

        // The same two commands on the in-process device give the expected backup.
        QCOMPARE(RunInProcess(reference, {"restore", restored.toStdString()}), 0);
        QCOMPARE(RunInProcess(reference, {"backup", expected.toStdString()}), 0);

        QProcess sim;
        sim.setProgram(DSPSIM_PATH);
        sim.setArguments({"--port", "0"});
        sim.start();
        QVERIFY(sim.waitForStarted(3000));
        QString port;
        while (port.isEmpty() && sim.waitForReadyRead(3000)) {
            const QString line = QString::fromUtf8(sim.readLine()).trimmed();
            if (line.startsWith("listening on 127.0.0.1:"))
                port = line.section(':', 1);
        }
        QVERIFY(!port.isEmpty());

        QElapsedTimer clock;
        clock.start();
        QByteArray err;
        QCOMPARE(RunDspctl({"--port", port, "restore", restored}, &err), 0);
        QVERIFY2(err.contains("Download..."), err.constData()); // progress lines on stderr
        const qint64 restoreMs = clock.restart();
        QCOMPARE(RunDspctl({"--host", "127.0.0.1", "--port", port, "backup", backedUp}, &err), 0);
        const qint64 backupMs = clock.elapsed();
        qInfo("restore %lld ms, backup %lld ms over TCP (69 steps x 160 ms = 11040 ms)", restoreMs,
              backupMs);
        sim.kill();
        sim.waitForFinished(3000);

        const QByteArray device = ReadFile(backedUp);
        QVERIFY(!device.isEmpty());
        QCOMPARE(device, ReadFile(expected));
        // And what was restored is what came back.
        ParamTable back;
        QVERIFY(
            ReadParamText(ParamFileKind::WholeDevice, device.toStdString(), back, Variant::A).ok());
        QCOMPARE(back.At(SecEcho, 3), 1234);
        QCOMPARE(back.At(SecAux, 5), 65535);
        QCOMPARE(back.At(SecSystem, 23), 2);
    }

    // The serial link: dspsim's pseudo-terminal as the only port, no TCP at all.
    void modesOverSerialAsJson() {
        QProcess sim;
        sim.setProgram(DSPSIM_PATH);
        sim.setArguments({"--no-tcp", "--pty"});
        sim.start();
        QVERIFY(sim.waitForStarted(3000));
        QString pty;
        while (pty.isEmpty() && sim.waitForReadyRead(3000)) {
            const QString line = QString::fromUtf8(sim.readLine()).trimmed();
            if (line.startsWith('/'))
                pty = line;
        }
        QVERIFY(!pty.isEmpty());

        QProcess ctl;
        ctl.setProgram(DSPCTL_PATH);
        ctl.setArguments({"--serial", pty, "--json", "modes"});
        ctl.start();
        QVERIFY(ctl.waitForFinished(30000));
        sim.kill();
        sim.waitForFinished(3000);
        QCOMPARE(ctl.exitCode(), 0);
        const auto doc = QJsonDocument::fromJson(ctl.readAllStandardOutput());
        const QJsonArray banks = doc.object()["banks"].toArray();
        QCOMPARE(banks.size(), 2);
        sim::DeviceModel model;
        const QJsonArray modes = banks[0].toObject()["modes"].toArray();
        QCOMPARE(modes.size(), 16);
        QCOMPARE(modes[1].toObject()["name"].toString().toStdString(),
                 model.Mode(sim::kBankMain, 1).name);
        QCOMPARE(banks[0].toObject()["current"].toInt(), model.CurrentMode(sim::kBankMain) + 1);
    }

    void badFileOpensNoLink() {
        QTemporaryDir dir;
        const QString bad = dir.filePath("bad.Nddt");
        sim::DeviceModel model;
        std::string text = ParamFileText(ParamFileKind::WholeDevice, model.Table());
        // Replace the checksum line by one that cannot match (checksums lie in -255..255).
        const size_t last = text.rfind("\r\n", text.size() - 3);
        text = text.substr(0, last + 2) + ScrambleLine("CCCCK: 999") + "\r\n";
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(text));
        f.close();

        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::LocalHost, 0));
        QByteArray err;
        QCOMPARE(
            RunDspctl({"--port", QString::number(listener.serverPort()), "restore", bad}, &err), 2);
        QVERIFY2(err.contains("Data file is corrupted!"), err.constData());
        QTest::qWait(50);
        QVERIFY(!listener.hasPendingConnections());
    }

    void closedPortFailsWithExitOne() {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const QString port = QString::number(probe.serverPort());
        probe.close();
        QElapsedTimer clock;
        clock.start();
        QByteArray err;
        QCOMPARE(RunDspctl({"--port", port, "get", "25:1"}, &err, 15000), 1);
        QVERIFY(clock.elapsed() < 10000);
        QVERIFY2(err.contains("failed"), err.constData());
    }
};

QTEST_GUILESS_MAIN(DspctlProcessTest)
#include "DspctlProcess_test.moc"
