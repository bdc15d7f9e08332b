// record and export: the command-line oscilloscope against the command-line emulator over two
// bridged pty pairs, as a script would run them.
#include "measurement/AdfFile.h"
#include "support/PtyBridge.h"

#include "CliProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

class RecordEmulator {
public:
    explicit RecordEmulator(const QString& port) {
        FProcess.start(QStringLiteral(DVV_CLI_PATH),
                       {QStringLiteral("emulate"), QStringLiteral("--port"), port,
                        QStringLiteral("--protocol"), QStringLiteral("modbus"), QStringLiteral("--devices"),
                        QStringLiteral("KVD-AIK-BUS=2")});
        QElapsedTimer t;
        t.start();
        while (!FOut.contains(QLatin1String("emulating")) && t.elapsed() < 10000 &&
               FProcess.state() != QProcess::NotRunning) {
            FProcess.waitForReadyRead(100);
            FOut += QString::fromUtf8(FProcess.readAllStandardOutput());
        }
    }
    ~RecordEmulator() {
        FProcess.kill();
        FProcess.waitForFinished();
    }
    bool Ready() const { return FOut.contains(QLatin1String("emulating")); }

private:
    QProcess FProcess;
    QString FOut;
};

QStringList Record(const QString& Port, const QString& Out) {
    return {QStringLiteral("record"),
            QStringLiteral("--port"),
            Port,
            QStringLiteral("--channels"),
            QStringLiteral("0x01.1,0x01.2,2.4"),
            QStringLiteral("--rate"),
            QStringLiteral("10"),
            QStringLiteral("--out"),
            Out};
}

// Whole sweeps of three channels after a good header; the number of sweeps.
qint64 CheckFile(const QString& Name) {
    TAdfReader r;
    EXPECT_EQ(r.Open(Name), TAdfLoadResult::Ok);
    EXPECT_EQ(r.Header().Frequency, 10u);
    EXPECT_EQ(r.Header().Channels.size(), 3u);
    if (r.Header().Channels.size() != 3)
        return 0;
    EXPECT_EQ(r.Header().Channels[2].ChannelIndex, 3);
    EXPECT_EQ((QFileInfo(Name).size() - kAdfHeaderSize) % (3 * kAdfSampleSize), 0);
    return r.SampleCount() / 3;
}

} // namespace

TEST(CliRecord, RecordsForTheDurationThenExportsAsCsvAndText) {
    TPtyBridge bridge;
    ASSERT_TRUE(bridge.Ok());
    RecordEmulator emulator(bridge.PathA());
    ASSERT_TRUE(emulator.Ready());
    QTemporaryDir dir;
    const QString adf = dir.filePath(QStringLiteral("r.adf"));
    const QString csv = dir.filePath(QStringLiteral("r.csv"));
    TCliRun r =
        Cli(Record(bridge.PathB(), adf) +
            QStringList{QStringLiteral("--duration"), QStringLiteral("3"), QStringLiteral("--csv"), csv});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const qint64 sweeps = CheckFile(adf);
    // Three sweeps to a 60 ms pause between the two devices; 30 asked for in 3 s.
    EXPECT_GE(sweeps, 20);
    EXPECT_LE(sweeps, 31);
    EXPECT_TRUE(r.out.contains(QStringLiteral("recorded %1 sweeps of 3 channels at 10 Hz").arg(sweeps)))
        << r.out.toStdString();
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), sweeps + 2); // header, sweeps, the empty piece after the last newline
    EXPECT_EQ(lines[0], QByteArray("Time,KVD 0x01.1,KVD 0x01.2,KVD 0x02.4"));
    EXPECT_EQ(lines[1].count(','), 3);

    r = Cli({QStringLiteral("export"), adf, QStringLiteral("--txt")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QFile t(dir.filePath(QStringLiteral("r.txt")));
    ASSERT_TRUE(t.open(QIODevice::ReadOnly));
    const QList<QByteArray> text = t.readAll().split('\n');
    ASSERT_EQ(text.size(), sweeps + 1);
    EXPECT_EQ(text[0].count('\t'), 3);
}

TEST(CliRecord, CtrlCClosesAFileOfWholeSweeps) {
    TPtyBridge bridge;
    ASSERT_TRUE(bridge.Ok());
    RecordEmulator emulator(bridge.PathA());
    ASSERT_TRUE(emulator.Ready());
    QTemporaryDir dir;
    const QString adf = dir.filePath(QStringLiteral("c.adf"));
    QProcess p;
    p.start(QStringLiteral(DVV_CLI_PATH), Record(bridge.PathB(), adf));
    ASSERT_TRUE(p.waitForStarted());
    QElapsedTimer t;
    t.start();
    while (QFileInfo(adf).size() <= kAdfHeaderSize && t.elapsed() < 10000)
        p.waitForFinished(50);
    p.waitForFinished(300);
    ::kill(pid_t(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(3000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_GT(CheckFile(adf), 0);
}

TEST(CliRecord, RefusesRatesOutsideOneToAHundredAndTooManyChannels) {
    TCliRun r = Cli({QStringLiteral("record"), QStringLiteral("--port"), QStringLiteral("/dev/null"),
                     QStringLiteral("--channels"), QStringLiteral("1.1"), QStringLiteral("--rate"),
                     QStringLiteral("0"), QStringLiteral("--out"), QStringLiteral("x.adf")});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(QLatin1String("--rate must be a number from 1 to 100")))
        << r.err.toStdString();
    QStringList many;
    for (int a = 1; a <= 26; ++a)
        for (int c = 1; c <= 4; ++c)
            many << QStringLiteral("%1.%2").arg(a).arg(c);
    r = Cli({QStringLiteral("record"), QStringLiteral("--port"), QStringLiteral("/dev/null"),
             QStringLiteral("--channels"), many.join(QLatin1Char(',')), QStringLiteral("--out"),
             QStringLiteral("x.adf")});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(QLatin1String("at most 100 channels"))) << r.err.toStdString();

    r = Cli({QStringLiteral("export"), QStringLiteral("--csv")});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(QLatin1String("FILE.adf is required"))) << r.err.toStdString();
}
