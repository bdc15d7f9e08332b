// The command-line program over TCP: through a serial device server (socat relaying a TCP port to
// the emulator's terminal), to the emulator's own TCP front end, raw and Modbus TCP.
#include "measurement/AdfFile.h"
#include "support/TcpDeviceServer.h"

#include "CliProcess.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

QStringList Read(const QString& tcp, const char* address, const char* property) {
    return {QStringLiteral("read"),      QStringLiteral("--tcp"),      tcp,
            QStringLiteral("--address"), QString::fromLatin1(address), QStringLiteral("--object"),
            QStringLiteral("0"),         QStringLiteral("--property"), QString::fromLatin1(property)};
}

struct DeviceServer : TTcpDeviceServer {
    DeviceServer(const char* protocol, const char* devices)
        : TTcpDeviceServer(QStringLiteral(DVV_CLI_PATH), protocol, devices) {}
};

TEST(CliTcp, NerixAndScanThroughASerialDeviceServer) {
    DeviceServer server("nerix", "KVD-AIK-BUS,KVD-DO-BUS");
    ASSERT_TRUE(server.Ready()) << server.emulator.Out().toStdString();
    TCliRun r = Cli(Read(server.Tcp(), "2", "0"));
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("5\n")); // the KVD-DO-BUS's type code

    r = Cli({QStringLiteral("scan"), QStringLiteral("--tcp"), server.Tcp(), QStringLiteral("--to"),
             QStringLiteral("4"), QStringLiteral("--timeout"), QStringLiteral("100")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QLatin1String("KVD-AIK-BUS"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QLatin1String("2 devices found"))) << r.out.toStdString();
}

TEST(CliTcp, ModbusThroughASerialDeviceServer) {
    DeviceServer server("modbus", "KVD-DOS12-BUS");
    ASSERT_TRUE(server.Ready()) << server.emulator.Out().toStdString();
    const TCliRun r = Cli(Read(server.Tcp(), "1", "0") +
                          QStringList{QStringLiteral("--protocol"), QStringLiteral("modbus")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("17\n"));
}

TEST(CliTcp, TheEmulatorsOwnTcpPortRawAndModbusTcp) {
    for (const bool mbap : {false, true}) {
        QStringList args = {QStringLiteral("emulate"), QStringLiteral("--tcp-listen"), QStringLiteral("0"),
                            QStringLiteral("--devices"), QStringLiteral("KVD-AIK-BUS,KVD-DOS12-BUS")};
        if (mbap)
            args << QStringLiteral("--mbap");
        TChildProcess emulator(QStringLiteral(DVV_CLI_PATH), args);
        ASSERT_TRUE(emulator.WaitFor(QStringLiteral("emulating"))) << emulator.Out().toStdString();
        const auto m = QRegularExpression(QStringLiteral("TCP port (\\d+) \\((.*)\\)")).match(emulator.Out());
        ASSERT_TRUE(m.hasMatch()) << emulator.Out().toStdString();
        EXPECT_EQ(m.captured(2), mbap ? QStringLiteral("Modbus TCP") : QStringLiteral("Nerix"));
        const QString tcp = QStringLiteral("127.0.0.1:") + m.captured(1);
        QStringList read = Read(tcp, "2", "0");
        if (mbap)
            read << QStringLiteral("--mbap");
        TCliRun r = Cli(read);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, QStringLiteral("17\n"));

        QStringList scan = {QStringLiteral("scan"), QStringLiteral("--tcp"), tcp, QStringLiteral("--to"),
                            QStringLiteral("3")};
        if (mbap)
            scan << QStringLiteral("--mbap");
        r = Cli(scan);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QLatin1String("2 devices found"))) << r.out.toStdString();
    }
}

// record over TCP: through a serial device server, and to a Modbus TCP gateway (the emulator's own
// TCP front end with --mbap). Each run reads answers over the connection and writes whole sweeps.
TEST(CliTcp, RecordThroughADeviceServerAndAModbusTcpGateway) {
    QTemporaryDir dir;
    const auto record = [&](const QString& tcp, bool mbap) {
        const QString adf = dir.filePath(mbap ? QStringLiteral("mbap.adf") : QStringLiteral("raw.adf"));
        QStringList args = {QStringLiteral("record"),
                            QStringLiteral("--tcp"),
                            tcp,
                            QStringLiteral("--channels"),
                            QStringLiteral("0x01.1,2.4"),
                            QStringLiteral("--rate"),
                            QStringLiteral("10"),
                            QStringLiteral("--duration"),
                            QStringLiteral("2"),
                            QStringLiteral("--out"),
                            adf,
                            QStringLiteral("--log")};
        if (mbap)
            args << QStringLiteral("--mbap");
        const TCliRun r = Cli(args);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        // Answers came back over the connection, not only requests that went out.
        EXPECT_GT(r.err.count(QLatin1String(" RX ")), 10) << r.err.left(2000).toStdString();
        TAdfReader reader;
        EXPECT_EQ(reader.Open(adf), TAdfLoadResult::Ok);
        EXPECT_EQ(reader.Header().Channels.size(), 2u);
        EXPECT_GE(reader.SampleCount() / 2, 10);
    };
    {
        DeviceServer server("modbus", "KVD-AIK-BUS=2");
        ASSERT_TRUE(server.Ready()) << server.emulator.Out().toStdString();
        record(server.Tcp(), false);
    }
    TChildProcess gateway(QStringLiteral(DVV_CLI_PATH),
                          {QStringLiteral("emulate"), QStringLiteral("--tcp-listen"), QStringLiteral("0"),
                           QStringLiteral("--mbap"), QStringLiteral("--devices"),
                           QStringLiteral("KVD-AIK-BUS=2")});
    ASSERT_TRUE(gateway.WaitFor(QStringLiteral("emulating"))) << gateway.Out().toStdString();
    const auto m = QRegularExpression(QStringLiteral("TCP port (\\d+)")).match(gateway.Out());
    ASSERT_TRUE(m.hasMatch()) << gateway.Out().toStdString();
    record(QStringLiteral("127.0.0.1:") + m.captured(1), true);

    // A UDP gateway is still no line for it.
    const TCliRun r = Cli({QStringLiteral("record"), QStringLiteral("--udp"), QStringLiteral("127.0.0.1:9"),
                           QStringLiteral("--channels"), QStringLiteral("1.1"), QStringLiteral("--out"),
                           dir.filePath(QStringLiteral("u.adf"))});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(QLatin1String("unknown option --udp for record"))) << r.err.toStdString();
}

TEST(CliTcp, MistakesAreClear) {
    struct Case {
        QStringList args;
        const char* error;
    };
    const QString read = QStringLiteral("read");
    const QStringList device = {QStringLiteral("--address"),  QStringLiteral("1"),
                                QStringLiteral("--object"),   QStringLiteral("0"),
                                QStringLiteral("--property"), QStringLiteral("1")};
    const Case cases[] = {
        {{read, QStringLiteral("--tcp"), QStringLiteral("localhost")},
         "--tcp needs HOST:PORT, not \"localhost\""},
        {{read, QStringLiteral("--tcp"), QStringLiteral("localhost:0")}, "--tcp needs HOST:PORT"},
        {{read, QStringLiteral("--tcp"), QStringLiteral("localhost:65536")}, "--tcp needs HOST:PORT"},
        {{read, QStringLiteral("--tcp"), QStringLiteral(":502")}, "--tcp needs HOST:PORT"},
        {{read, QStringLiteral("--tcp"), QStringLiteral("::1:502")}, "--tcp needs HOST:PORT"},
        {{read, QStringLiteral("--tcp"), QStringLiteral("h:+502")}, "--tcp needs HOST:PORT"},
        {QStringList{read, QStringLiteral("--tcp"), QStringLiteral("h:502"), QStringLiteral("--port"),
                     QStringLiteral("/dev/x")} +
             device,
         "give one of --port, --udp and --tcp"},
        {QStringList{read, QStringLiteral("--port"), QStringLiteral("/dev/x"), QStringLiteral("--mbap")} +
             device,
         "--mbap goes with --tcp"},
        {QStringList{read, QStringLiteral("--tcp"), QStringLiteral("h:502"), QStringLiteral("--mbap"),
                     QStringLiteral("--protocol"), QStringLiteral("nerix")} +
             device,
         "carries Modbus only"},
        {{QStringLiteral("emulate"), QStringLiteral("--tcp-listen"), QStringLiteral("5020"),
          QStringLiteral("--port"), QStringLiteral("/dev/x"), QStringLiteral("--devices"),
          QStringLiteral("KVD-DO-BUS")},
         "give either --port or --tcp-listen"},
        {{QStringLiteral("emulate"), QStringLiteral("--port"), QStringLiteral("/dev/x"),
          QStringLiteral("--mbap"), QStringLiteral("--devices"), QStringLiteral("KVD-DO-BUS")},
         "--mbap goes with --tcp-listen"},
        {{QStringLiteral("emulate"), QStringLiteral("--tcp-listen"), QStringLiteral("70000"),
          QStringLiteral("--devices"), QStringLiteral("KVD-DO-BUS")},
         "--tcp-listen"},
        {{QStringLiteral("emulate"), QStringLiteral("--tcp-listen"), QStringLiteral("5020"),
          QStringLiteral("--faults"), QStringLiteral("drop=0.5"), QStringLiteral("--devices"),
          QStringLiteral("KVD-DO-BUS")},
         "--faults works on a serial port"},
    };
    for (const Case& c : cases) {
        const TCliRun r = Cli(c.args);
        EXPECT_EQ(r.code, 2) << c.args.join(QLatin1Char(' ')).toStdString() << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.error))) << r.err.toStdString();
    }
    // A host that refuses: a failure of the line, not of the arguments.
    const TCliRun r =
        Cli(QStringList{read, QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(FreeTcpPort())} +
            device);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QLatin1String("connection refused"))) << r.err.toStdString();
}

} // namespace
