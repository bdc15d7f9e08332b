// The command-line emulator answering the command-line master over two bridged pty pairs.
#include "support/NerixFrames.h"
#include "support/PtyBridge.h"

#include "CliProcess.h"
#include <QElapsedTimer>

#include <QProcess>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// An emulator process on one end of the bridge, ready once it said so.
class Emulator {
public:
    Emulator(const QString& port, const char* protocol, const char* devices, const QStringList& extra = {}) {
        FProcess.start(QStringLiteral(DVV_CLI_PATH),
                       QStringList{QStringLiteral("emulate"), QStringLiteral("--port"), port,
                                   QStringLiteral("--protocol"), QString::fromLatin1(protocol),
                                   QStringLiteral("--devices"), QString::fromLatin1(devices),
                                   QStringLiteral("--log")} +
                           extra);
        QElapsedTimer t;
        t.start();
        while (!FOut.contains(QLatin1String("emulating")) && t.elapsed() < 10000 &&
               FProcess.state() != QProcess::NotRunning) {
            FProcess.waitForReadyRead(100);
            FOut += QString::fromUtf8(FProcess.readAllStandardOutput());
        }
    }
    ~Emulator() {
        if (FProcess.state() != QProcess::NotRunning) {
            FProcess.kill();
            FProcess.waitForFinished();
        }
    }
    qint64 Pid() const { return FProcess.processId(); }
    // SIGINT, as Ctrl+C sends it; the exit code, -1 when it did not end normally within MaxMs.
    int Interrupt(int MaxMs) {
        ::kill(pid_t(FProcess.processId()), SIGINT);
        if (!FProcess.waitForFinished(MaxMs))
            return -1;
        FOut += QString::fromUtf8(FProcess.readAllStandardOutput());
        return FProcess.exitStatus() == QProcess::NormalExit ? FProcess.exitCode() : -1;
    }
    bool Ready() const { return FOut.contains(QLatin1String("emulating")); }
    // SIGTERM; the exit code, -1 when it did not end normally.
    int Terminate() {
        FProcess.terminate();
        if (!FProcess.waitForFinished(5000))
            return -1;
        FOut += QString::fromUtf8(FProcess.readAllStandardOutput());
        return FProcess.exitStatus() == QProcess::NormalExit ? FProcess.exitCode() : -1;
    }
    QString Out() const { return FOut; }
    // Sends Signal and waits up to MaxMs for Text to appear in the output.
    bool SignalAndWaitFor(int Signal, const QString& Text, int MaxMs) {
        ::kill(pid_t(FProcess.processId()), Signal);
        QElapsedTimer t;
        t.start();
        while (!FOut.contains(Text) && t.elapsed() < MaxMs) {
            FProcess.waitForReadyRead(50);
            FOut += QString::fromUtf8(FProcess.readAllStandardOutput());
        }
        return FOut.contains(Text);
    }

private:
    QProcess FProcess;
    QString FOut;
};

} // namespace

TEST(CliEmulate, AnswersReadAndScanThenEndsCleanlyOnSigterm) {
    TPtyBridge bridge;
    ASSERT_TRUE(bridge.Ok());
    Emulator emulator(bridge.PathA(), "nerix", "KVD-AIK-BUS,KVD-DI-BUS=2");
    ASSERT_TRUE(emulator.Ready()) << emulator.Out().toStdString();
    EXPECT_TRUE(emulator.Out().contains(QLatin1String("0x03 KVD-DIDC-BUS"))) << emulator.Out().toStdString();

    // The KVD-DI-BUS row's device reports type 10.
    TCliRun r = Cli({QStringLiteral("read"), QStringLiteral("--port"), bridge.PathB(),
                     QStringLiteral("--address"), QStringLiteral("2"), QStringLiteral("--object"),
                     QStringLiteral("0"), QStringLiteral("--property"), QStringLiteral("0")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("10\n"));

    r = Cli({QStringLiteral("scan"), QStringLiteral("--port"), bridge.PathB(), QStringLiteral("--from"),
             QStringLiteral("1"), QStringLiteral("--to"), QStringLiteral("5"), QStringLiteral("--timeout"),
             QStringLiteral("50")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QLatin1String("3 devices found"))) << r.out.toStdString();

    EXPECT_EQ(emulator.Terminate(), 0);
    // Every request and answer in hexadecimal: the read of address 2 and its answer.
    EXPECT_TRUE(emulator.Out().contains(QLatin1String(" RX 02 00 00 00 00 00 00 00 00")))
        << emulator.Out().toStdString();
    EXPECT_TRUE(emulator.Out().contains(QLatin1String(" TX 02 00 00 00 00 00 00 00 0A")))
        << emulator.Out().toStdString();
}

TEST(CliEmulate, ModbusThroughTheRegisterMap) {
    TPtyBridge bridge;
    ASSERT_TRUE(bridge.Ok());
    Emulator emulator(bridge.PathA(), "modbus", "KVD-DOS12-BUS");
    ASSERT_TRUE(emulator.Ready()) << emulator.Out().toStdString();
    const TCliRun r = Cli({QStringLiteral("read"), QStringLiteral("--port"), bridge.PathB(),
                           QStringLiteral("--protocol"), QStringLiteral("modbus"),
                           QStringLiteral("--address"), QStringLiteral("1"), QStringLiteral("--object"),
                           QStringLiteral("0"), QStringLiteral("--property"), QStringLiteral("0")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("17\n"));
    EXPECT_EQ(emulator.Terminate(), 0);
}

TEST(CliEmulate, RefusesBadArgumentsAndPortsThatDoNotOpen) {
    for (const QStringList& args : {
             QStringList{QStringLiteral("emulate"), QStringLiteral("--port"), QStringLiteral("/tmp/x"),
                         QStringLiteral("--devices"), QStringLiteral("KVD-XYZ")},
             QStringList{QStringLiteral("emulate"), QStringLiteral("--port"), QStringLiteral("/tmp/x")},
             QStringList{QStringLiteral("emulate"), QStringLiteral("--devices"),
                         QStringLiteral("KVD-DO-BUS")},
             QStringList{QStringLiteral("emulate"), QStringLiteral("--port"), QStringLiteral("/tmp/x"),
                         QStringLiteral("--devices"), QStringLiteral("KVD-DO-BUS=11")},
             QStringList{QStringLiteral("emulate"), QStringLiteral("--port"), QStringLiteral("/tmp/x"),
                         QStringLiteral("--devices"), QStringLiteral("KVD-DO-BUS"),
                         QStringLiteral("--address"), QStringLiteral("1")},
         }) {
        const TCliRun r = Cli(args);
        EXPECT_EQ(r.code, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.endsWith(QLatin1String("\nTry 'dovuvavarovod-cli emulate --help'.\n")))
            << r.err.toStdString();
    }
    const TCliRun r =
        Cli({QStringLiteral("emulate"), QStringLiteral("--port"), QStringLiteral("/nonexistent/tty"),
             QStringLiteral("--devices"), QStringLiteral("KVD-DO-BUS")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith(QLatin1String("dovuvavarovod-cli: cannot open /nonexistent/tty:")))
        << r.err.toStdString();
}

TEST(CliEmulate, CatalogueModelNamesOneDeviceAndAPromptEndOnSigint) {
    TPtyBridge bridge;
    ASSERT_TRUE(bridge.Ok());
    Emulator emulator(bridge.PathA(), "nerix", "KVD-DIDC-BUS");
    ASSERT_TRUE(emulator.Ready()) << emulator.Out().toStdString();
    EXPECT_TRUE(emulator.Out().startsWith(QLatin1String("0x01 KVD-DIDC-BUS\nemulating 1 device on ")))
        << emulator.Out().toStdString();
    const TCliRun r = Cli({QStringLiteral("read"), QStringLiteral("--port"), bridge.PathB(),
                           QStringLiteral("--address"), QStringLiteral("1"), QStringLiteral("--object"),
                           QStringLiteral("0"), QStringLiteral("--property"), QStringLiteral("0")});
    EXPECT_EQ(r.out, QStringLiteral("10\n")) << r.err.toStdString();

    QElapsedTimer t;
    t.start();
    EXPECT_EQ(emulator.Interrupt(2000), 0);
    // A hang guard, not a speed test: the process is meant to end within a few tens of ms.
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_TRUE(emulator.Out().endsWith(QLatin1String("stopped\n"))) << emulator.Out().toStdString();
}

TEST(CliEmulate, BadFaultsAndSeedsAreUsageErrorsNamingTheBadPart) {
    const struct {
        const char* option;
        const char* value;
        const char* named;
    } cases[] = {
        {"--faults", "delay=5-40,drop=1.5", "drop=1.5"},
        {"--faults", "split=3", "split=3"},
        {"--faults", "jitter=2", "unknown fault \"jitter=2\""},
        {"--faults", "device=300:drop=1", "device=300:drop=1"},
        {"--seed", "-4", "--seed"},
    };
    for (const auto& c : cases) {
        const TCliRun r = Cli({QStringLiteral("emulate"), QStringLiteral("--port"), QStringLiteral("/tmp/x"),
                               QStringLiteral("--devices"), QStringLiteral("KVD-DO-BUS"),
                               QString::fromLatin1(c.option), QString::fromLatin1(c.value)});
        EXPECT_EQ(r.code, 2) << c.value;
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(c.named))) << r.err.toStdString();
    }
}

TEST(CliEmulate, FaultsPrintTheirSeedAndStatisticsComeOnSigusr1AndAtTheEnd) {
    TPtyBridge bridge;
    ASSERT_TRUE(bridge.Ok());
    Emulator emulator(bridge.PathA(), "nerix", "KVD-AIK-BUS,KVD-DO-BUS",
                      {QStringLiteral("--faults"), QStringLiteral("device=2:drop=1"),
                       QStringLiteral("--seed"), QStringLiteral("77"), QStringLiteral("--stats")});
    ASSERT_TRUE(emulator.Ready()) << emulator.Out().toStdString();
    auto read = [&](const char* address) {
        return Cli({QStringLiteral("read"), QStringLiteral("--port"), bridge.PathB(),
                    QStringLiteral("--address"), QString::fromLatin1(address), QStringLiteral("--object"),
                    QStringLiteral("0"), QStringLiteral("--property"), QStringLiteral("0"),
                    QStringLiteral("--timeout"), QStringLiteral("50"), QStringLiteral("--tries"),
                    QStringLiteral("2")});
    };
    EXPECT_EQ(read("1").code, 0);
    EXPECT_NE(read("2").code, 0);
    EXPECT_NE(read("9").code, 0); // no such device: two tries, both refused
    {
        // A request to device 1 with a broken CRC, straight onto the line.
        const int fd = ::open(bridge.PathB().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        QByteArray bad = NerixFrame(1, 0, 0, 1, 0);
        bad[10] = char(bad[10] ^ 0x5A);
        EXPECT_EQ(::write(fd, bad.constData(), size_t(bad.size())), bad.size());
        ::usleep(150000);
        ::close(fd);
    }
    ASSERT_TRUE(emulator.SignalAndWaitFor(SIGUSR1, QStringLiteral("statistics:"), 3000))
        << emulator.Out().toStdString();
    EXPECT_EQ(emulator.Terminate(), 0);
    const QString out = emulator.Out();
    EXPECT_TRUE(out.contains(QLatin1String("faults: device=2:drop=1; seed 77\n"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QLatin1String(
        "0x01 KVD-AIK-BUS: received 2, answered 1, dropped 0, refused 1 (bad CRC 1), answer time")))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QLatin1String("0x02 KVD-DO-BUS: received 2, answered 0, dropped 2, refused 0")))
        << out.toStdString();
    EXPECT_TRUE(
        out.contains(QLatin1String("other addresses and noise: received 2, refused 2 (unknown address 2)\n")))
        << out.toStdString();
    // Once on the signal, once at the end.
    EXPECT_EQ(out.count(QLatin1String("statistics:")), 2) << out.toStdString();
    EXPECT_TRUE(out.endsWith(QLatin1String("stopped\n")));
}
