// The command-line program over TCP: through a serial device server (socat relaying a TCP port to
// the emulator's terminal), to the emulator's own TCP front end, raw and Modbus TCP.
#include "support/PtyBridge.h"

#include "CliProcess.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// A child process that is ready once its output contains Ready (or it connects, for socat).
class Child {
public:
    Child(const QString& program, const QStringList& args) { FProcess.start(program, args); }
    ~Child() {
        if (FProcess.state() != QProcess::NotRunning) {
            FProcess.kill();
            FProcess.waitForFinished();
        }
    }
    bool WaitFor(const QString& text) {
        QElapsedTimer t;
        t.start();
        while (!FOut.contains(text) && t.elapsed() < 10000 && FProcess.state() != QProcess::NotRunning) {
            FProcess.waitForReadyRead(100);
            FOut += QString::fromUtf8(FProcess.readAllStandardOutput());
        }
        return FOut.contains(text);
    }
    QString Out() const { return FOut; }

private:
    QProcess FProcess;
    QString FOut;
};

quint16 FreePort() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

bool Accepts(quint16 port) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, port);
        if (s.waitForConnected(200))
            return true;
        QThread::msleep(50);
    }
    return false;
}

QStringList Read(const QString& tcp, const char* address, const char* property) {
    return {QStringLiteral("read"),      QStringLiteral("--tcp"),      tcp,
            QStringLiteral("--address"), QString::fromLatin1(address), QStringLiteral("--object"),
            QStringLiteral("0"),         QStringLiteral("--property"), QString::fromLatin1(property)};
}

// The emulator on a terminal and socat passing a TCP port's bytes to and from it unchanged, as a
// serial device server in transparent mode does.
struct DeviceServer {
    DeviceServer(const char* protocol, const char* devices)
        : emulator(QStringLiteral(DVV_CLI_PATH),
                   {QStringLiteral("emulate"), QStringLiteral("--port"), bridge.PathA(),
                    QStringLiteral("--protocol"), QString::fromLatin1(protocol), QStringLiteral("--devices"),
                    QString::fromLatin1(devices)}),
          port(FreePort()),
          // Each connection gets a child of its own; one that ended must let go of the terminal at
          // once, or it still reads the answers meant for the next connection's child.
          socat(QStringLiteral("socat"),
                {QStringLiteral("-t"), QStringLiteral("0.01"),
                 QStringLiteral("TCP-LISTEN:%1,bind=127.0.0.1,reuseaddr,fork").arg(port),
                 QStringLiteral("FILE:%1,raw,echo=0").arg(bridge.PathB())}) {}
    bool Ready() { return bridge.Ok() && emulator.WaitFor(QStringLiteral("emulating")) && Accepts(port); }
    QString Tcp() const { return QStringLiteral("127.0.0.1:%1").arg(port); }

    TPtyBridge bridge;
    Child emulator;
    quint16 port;
    Child socat;
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
        Child emulator(QStringLiteral(DVV_CLI_PATH), args);
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
    const TCliRun r = Cli(
        QStringList{read, QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(FreePort())} + device);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QLatin1String("connection refused"))) << r.err.toStdString();
}

} // namespace
