// The monitor watching a line on which the command-line master (and libmodbus's master) talks to
// the emulator: a tap copies every byte that crosses to the monitor's own pseudo-terminal.
#include "support/ModbusMaster.h"
#include "support/PtyTap.h"
#include "traffic/TrafficSerializer.h"

#include "CliProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// A command-line process that is ready once its output holds Ready.
class TCliProcess {
public:
    TCliProcess(const QStringList& Args, const QString& Ready) {
        FProcess.start(QStringLiteral(DVV_CLI_PATH), Args);
        QElapsedTimer t;
        t.start();
        while (!FOut.contains(Ready) && t.elapsed() < 10000 && FProcess.state() != QProcess::NotRunning) {
            FProcess.waitForReadyRead(100);
            FOut += QString::fromUtf8(FProcess.readAllStandardOutput());
        }
        FReady = FOut.contains(Ready);
    }
    ~TCliProcess() {
        if (FProcess.state() != QProcess::NotRunning) {
            FProcess.kill();
            FProcess.waitForFinished();
        }
    }
    bool Ready() const { return FReady; }
    // SIGTERM; the exit code, -1 when it did not end normally.
    int Terminate() {
        FProcess.terminate();
        if (!FProcess.waitForFinished(5000))
            return -1;
        FOut += QString::fromUtf8(FProcess.readAllStandardOutput());
        FErr += QString::fromUtf8(FProcess.readAllStandardError());
        return FProcess.exitStatus() == QProcess::NormalExit ? FProcess.exitCode() : -1;
    }
    QString Out() const { return FOut; }
    QString Err() const { return FErr; }

private:
    QProcess FProcess;
    QString FOut;
    QString FErr;
    bool FReady = false;
};

QStringList FrameLines(const QString& Out) {
    static const QRegularExpression frame(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} #\\d+ "));
    QStringList lines;
    for (const QString& line : Out.split(QLatin1Char('\n')))
        if (frame.match(line).hasMatch())
            lines << line;
    return lines;
}

// Waits until the monitor has been handed Bytes bytes and a moment more to print them.
void SettleTap(const TPtyTap& Tap, qint64 Bytes) {
    QElapsedTimer t;
    t.start();
    while (Tap.Tapped() < Bytes && t.elapsed() < 5000)
        QThread::msleep(5);
    QThread::msleep(300);
}

} // namespace

TEST(CliMonitor, WatchesNerixExchangesWithoutSending) {
    TPtyTap tap;
    ASSERT_TRUE(tap.Ok());
    TCliProcess emulator({QStringLiteral("emulate"), QStringLiteral("--port"), tap.PathB(),
                          QStringLiteral("--devices"), QStringLiteral("KVD-AIK-BUS")},
                         QStringLiteral("emulating"));
    ASSERT_TRUE(emulator.Ready()) << emulator.Out().toStdString();
    TCliProcess monitor({QStringLiteral("monitor"), QStringLiteral("--port"), tap.PathM()},
                        QStringLiteral("monitoring"));
    ASSERT_TRUE(monitor.Ready()) << monitor.Out().toStdString();

    // Four exchanges with device 1, a device that is not there (asked once: a Nerix retry has the
    // bytes of an answer holding 0, which a listener cannot tell apart), then device 1 again.
    TCliRun r = Cli({QStringLiteral("read"), QStringLiteral("--port"), tap.PathA(),
                     QStringLiteral("--address"), QStringLiteral("1"), QStringLiteral("--object"),
                     QStringLiteral("0"), QStringLiteral("--property"), QStringLiteral("0-3")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    r = Cli({QStringLiteral("read"), QStringLiteral("--port"), tap.PathA(), QStringLiteral("--address"),
             QStringLiteral("9"), QStringLiteral("--object"), QStringLiteral("1"),
             QStringLiteral("--property"), QStringLiteral("0"), QStringLiteral("--timeout"),
             QStringLiteral("50"), QStringLiteral("--tries"), QStringLiteral("1")});
    EXPECT_NE(r.code, 0);
    r = Cli({QStringLiteral("read"), QStringLiteral("--port"), tap.PathA(), QStringLiteral("--address"),
             QStringLiteral("1"), QStringLiteral("--object"), QStringLiteral("1"),
             QStringLiteral("--property"), QStringLiteral("0")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    SettleTap(tap, 11 * 11);
    ASSERT_EQ(monitor.Terminate(), 0) << monitor.Err().toStdString();

    const QStringList lines = FrameLines(monitor.Out());
    ASSERT_EQ(lines.size(), 11) << monitor.Out().toStdString();
    for (int i = 0; i < 11; ++i)
        EXPECT_TRUE(lines[i].contains(QStringLiteral(" #%1 ").arg(i))) << lines[i].toStdString();
    for (int i = 0; i < 8; i += 2) {
        EXPECT_TRUE(lines[i].contains(QLatin1String(" request: 01 00 00 00 0"))) << lines[i].toStdString();
        EXPECT_TRUE(lines[i].contains(QLatin1String("Function:[READ - Request]")));
        EXPECT_TRUE(lines[i + 1].contains(QStringLiteral(" answer to #%1 after ").arg(i)))
            << lines[i + 1].toStdString();
        EXPECT_FALSE(lines[i + 1].contains(QLatin1String("Incorrect")));
    }
    EXPECT_TRUE(lines[0].contains(QLatin1String("KVD-AIK-BUS Device: Type code"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[3].contains(QLatin1String("KVD-AIK-BUS Device: Serial number")))
        << lines[3].toStdString();
    EXPECT_TRUE(lines[8].contains(QLatin1String(" request: 09 00 01 00 00")));
    EXPECT_TRUE(lines[8].contains(QLatin1String("KVD-AIK-BUS Analog input 1: Value")));
    EXPECT_TRUE(lines[9].contains(QLatin1String(" request (#8 got no answer): 01 00 01")))
        << lines[9].toStdString();
    EXPECT_TRUE(lines[10].contains(QLatin1String(" answer to #9 after "))) << lines[10].toStdString();
    EXPECT_TRUE(
        monitor.Out().contains(QLatin1String("stopped: 11 frames, 5 answered, 1 without answer, 0 garbage")))
        << monitor.Out().toStdString();
    EXPECT_EQ(tap.MonitorSent(), 0);
}

TEST(CliMonitor, WatchesModbusFromTwoMastersAndSavesATrafficFile) {
    TPtyTap tap;
    ASSERT_TRUE(tap.Ok());
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("line.xml"));
    TCliProcess emulator({QStringLiteral("emulate"), QStringLiteral("--port"), tap.PathB(),
                          QStringLiteral("--protocol"), QStringLiteral("modbus"), QStringLiteral("--devices"),
                          QStringLiteral("KVD-AIK-BUS")},
                         QStringLiteral("emulating"));
    ASSERT_TRUE(emulator.Ready()) << emulator.Out().toStdString();
    TCliProcess monitor({QStringLiteral("monitor"), QStringLiteral("--port"), tap.PathM(),
                         QStringLiteral("--protocol"), QStringLiteral("modbus"), QStringLiteral("--json"),
                         QStringLiteral("--save"), saved},
                        QStringLiteral("\"monitoring\""));
    ASSERT_TRUE(monitor.Ready()) << monitor.Out().toStdString();

    // libmodbus reads analog input 1's value (0x100, two registers) and switches it on (0x104).
    const int fd = ::open(tap.PathA().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    {
        TModbusMaster master(fd, 1, 1000);
        ASSERT_TRUE(master.Ok());
        quint16 values[2] = {};
        EXPECT_EQ(master.ReadRegisters(0x100, 2, values), 2);
        const quint16 range[2] = {0, 1}; // "Enabled" = 1
        EXPECT_EQ(master.WriteRegisters(0x104, 2, range), 2);
    }
    ::close(fd);
    // Our own master reads the type code through the register map.
    const TCliRun r = Cli({QStringLiteral("read"), QStringLiteral("--port"), tap.PathA(),
                           QStringLiteral("--protocol"), QStringLiteral("modbus"),
                           QStringLiteral("--address"), QStringLiteral("1"), QStringLiteral("--object"),
                           QStringLiteral("0"), QStringLiteral("--property"), QStringLiteral("0")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    SettleTap(tap, 8 + 9 + 13 + 8 + 8 + 9);
    ASSERT_EQ(monitor.Terminate(), 0) << monitor.Err().toStdString();

    std::vector<QJsonObject> frames;
    for (const QString& line : monitor.Out().split(QLatin1Char('\n'))) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        if (o.contains(QLatin1String("index")))
            frames.push_back(o);
    }
    ASSERT_EQ(frames.size(), 6u) << monitor.Out().toStdString();
    const char* roles[] = {"request", "answer", "request", "answer", "request", "answer"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(frames[size_t(i)].value(QLatin1String("index")).toInt(), i);
        EXPECT_EQ(frames[size_t(i)].value(QLatin1String("role")).toString(), QLatin1String(roles[i])) << i;
        EXPECT_TRUE(frames[size_t(i)].value(QLatin1String("crc_ok")).toBool()) << i;
        if (i % 2 == 1) {
            EXPECT_EQ(frames[size_t(i)].value(QLatin1String("request")).toInt(), i - 1);
            EXPECT_GE(frames[size_t(i)].value(QLatin1String("response_ms")).toDouble(), 0.0);
        }
    }
    const QJsonArray context = frames[0].value(QLatin1String("context")).toArray();
    ASSERT_FALSE(context.isEmpty());
    EXPECT_EQ(context[0].toObject().value(QLatin1String("device")).toString(), QStringLiteral("KVD-AIK-BUS"));
    EXPECT_EQ(context[0].toObject().value(QLatin1String("object")).toString(),
              QStringLiteral("Analog input 1"));
    EXPECT_EQ(context[0].toObject().value(QLatin1String("action")).toString(), QStringLiteral("Value"));
    EXPECT_EQ(frames[1]
                  .value(QLatin1String("nodes"))
                  .toArray()[1]
                  .toObject()
                  .value(QLatin1String("text"))
                  .toString(),
              QStringLiteral("Function:[READ - Response]"));
    EXPECT_EQ(frames[2]
                  .value(QLatin1String("nodes"))
                  .toArray()[1]
                  .toObject()
                  .value(QLatin1String("text"))
                  .toString(),
              QStringLiteral("Function:[WRITE - Request]"));
    EXPECT_EQ(tap.MonitorSent(), 0);

    // The saved file loads as the window loads it.
    TTrafficFile file;
    int skipped = -1;
    ASSERT_TRUE(LoadTraffic(saved, file, &skipped));
    EXPECT_EQ(skipped, 0);
    EXPECT_EQ(file.Protocol, 1);
    ASSERT_EQ(file.Packages.size(), 6u);
    EXPECT_EQ(file.Packages[0].Direction, 0);
    EXPECT_EQ(file.Packages[1].Direction, 1);
    EXPECT_EQ(file.Packages[2].Length, 13);
}

TEST(CliMonitor, RefusesBadArgumentsAndMissingPorts) {
    TCliRun r = Cli({QStringLiteral("monitor")});
    EXPECT_EQ(r.code, 2);
    r = Cli({QStringLiteral("monitor"), QStringLiteral("--port"), QStringLiteral("/x"),
             QStringLiteral("--protocol"), QStringLiteral("zovuru")});
    EXPECT_EQ(r.code, 2);
    r = Cli({QStringLiteral("monitor"), QStringLiteral("--port"), QStringLiteral("/nonexistent/tty")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QLatin1String("/nonexistent/tty"))) << r.err.toStdString();
}

TEST(CliProfiles, ListsTheShippedProfilesFromAnyWorkingFolder) {
    QTemporaryDir elsewhere;
    QProcess p;
    p.setWorkingDirectory(elsewhere.path());
    p.start(QStringLiteral(DVV_CLI_PATH), {QStringLiteral("profiles"), QStringLiteral("--json")});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    EXPECT_EQ(o.value(QLatin1String("profiles")).toArray().size(), 10);
    EXPECT_TRUE(o.value(QLatin1String("warnings")).toArray().isEmpty());

    // A folder of the working folder wins, and a bad file in it is named.
    ASSERT_TRUE(QDir(elsewhere.path()).mkpath(QStringLiteral("DB/DevicesXMLProfiles")));
    QFile bad(elsewhere.filePath(QStringLiteral("DB/DevicesXMLProfiles/bad.xml")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("<profile>");
    bad.close();
    p.start(QStringLiteral(DVV_CLI_PATH), {QStringLiteral("profiles")});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QLatin1String("0 profiles"))) << out.toStdString();
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(QLatin1String("bad.xml")));
}
