// The command-line program itself against a scripted device on a pseudo-terminal.
#include "support/ModbusSlave.h"
#include "support/NerixFrames.h"
#include "support/ScriptedDevice.h"
#include "support/UdpGateway.h"

#include <QUdpSocket>

#include "CliProcess.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

class CliRun : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        dev.AddNerixDevice(5, {{{0, 1}, 0xFFFFFF85}, {{2, 10}, 0x41480000}, {{0, 4}, 0}});
    }
    QStringList Base(const char* property, const char* object = "0") {
        return {QStringLiteral("--port"),     dev.PortPath(),
                QStringLiteral("--address"),  QStringLiteral("5"),
                QStringLiteral("--object"),   QString::fromLatin1(object),
                QStringLiteral("--property"), QString::fromLatin1(property),
                QStringLiteral("--timeout"),  QStringLiteral("100")};
    }
    TScriptedDevice dev;
};

TEST_F(CliRun, ReadPrintsSignedDecimalsAndFloats) {
    auto r = Cli(QStringList{QStringLiteral("read")} + Base("1"));
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("-123\n"));
    EXPECT_EQ(dev.Requests().at(0), NerixFrame(5, 0, 0, 1, 0));

    r = Cli(QStringList{QStringLiteral("read")} + Base("10", "2") + QStringList{QStringLiteral("--float")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("12.5\n"));
}

TEST_F(CliRun, WriteStoresTheValue) {
    auto r = Cli(QStringList{QStringLiteral("write")} + Base("4") +
                 QStringList{QStringLiteral("--value"), QStringLiteral("0x10")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(dev.Property(5, 0, 4), 16u);

    r = Cli(QStringList{QStringLiteral("write")} + Base("4") +
            QStringList{QStringLiteral("--float"), QStringLiteral("--value"), QStringLiteral("-0.5")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(dev.Property(5, 0, 4), 0xBF000000u);
}

TEST_F(CliRun, NoAnswerBadArgumentsAndBadPorts) {
    auto r = Cli(QStringList{QStringLiteral("read")} + Base("77"));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, QStringLiteral("dovuvavarovod-cli: no answer from address 0x05 (5)\n"));
    EXPECT_EQ(dev.RequestCount(), 2); // two tries by default

    r = Cli(QStringList{QStringLiteral("write")} + Base("77") +
            QStringList{QStringLiteral("--value"), QStringLiteral("1")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, QStringLiteral("dovuvavarovod-cli: no answer from address 0x05 (5)\n"));

    r = Cli({QStringLiteral("read"), QStringLiteral("--port"), dev.PortPath(), QStringLiteral("--address"),
             QStringLiteral("999")});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err,
              QStringLiteral("dovuvavarovod-cli: --address must be a number from 0 to 255, not \"999\"\n"
                             "Try 'dovuvavarovod-cli read --help'.\n"));

    r = Cli({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("/dev/no-such-port"),
             QStringLiteral("--address"), QStringLiteral("1"), QStringLiteral("--object"),
             QStringLiteral("0"), QStringLiteral("--property"), QStringLiteral("1")});
    EXPECT_EQ(r.code, 1);
    // The path once, with the system's reason.
    EXPECT_EQ(r.err, QStringLiteral(
                         "dovuvavarovod-cli: cannot open /dev/no-such-port: No such file or directory\n"));

    r = Cli({QStringLiteral("--help")});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("usage: dovuvavarovod-cli COMMAND")));
}

TEST(CliRunModbus, ReadsAndWritesThroughTheRegisterMap) {
    TModbusSlave slave(9, 64);
    ASSERT_TRUE(slave.Ok());
    slave.SetPair(2, 0xFFFFFFFE);
    const QStringList base = {QStringLiteral("--port"),     slave.PortPath(),
                              QStringLiteral("--protocol"), QStringLiteral("modbus"),
                              QStringLiteral("--address"),  QStringLiteral("9"),
                              QStringLiteral("--object"),   QStringLiteral("0")};
    auto r = Cli(QStringList{QStringLiteral("read")} + base +
                 QStringList{QStringLiteral("--property"), QStringLiteral("1")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("-2\n"));

    r = Cli(QStringList{QStringLiteral("write")} + base +
            QStringList{QStringLiteral("--property"), QStringLiteral("15"), QStringLiteral("--float"),
                        QStringLiteral("--value"), QStringLiteral("1")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(slave.Pair(12), 0x3F800000u);

    const int before = slave.Requests();
    r = Cli(QStringList{QStringLiteral("read")} + base +
            QStringList{QStringLiteral("--property"), QStringLiteral("4")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("dovuvavarovod-cli: no register for object 0 property 4"));
    EXPECT_EQ(slave.Requests(), before);
}

TEST(CliRunInfo, ModelSerialChannelsAndBusSettings) {
    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    dev.AddNerixDevice(5, {{{0, 0}, 6}, {{0, 1}, 777}, {{0, 2}, 0x0003F00F}, {{0, 3}, 0x00000605}});
    dev.AddNerixDevice(6, {{{0, 0}, 9}, {{0, 1}, 1}, {{0, 2}, 0}, {{0, 3}, 0x22010C06}});
    const QStringList base = {QStringLiteral("info"), QStringLiteral("--port"),
                              dev.PortPath(),         QStringLiteral("--timeout"),
                              QStringLiteral("100"),  QStringLiteral("--address")};
    auto r = Cli(base + QStringList{QStringLiteral("5")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              QStringLiteral("model: KVD-DIO-BUS (type 6)\n"
                             "serial number: 777\n"
                             "channel mask: 0x0003F00F\n"
                             "channels:\n"
                             "  0: Discrete input channel №1 (Group isolation), kind 5\n"
                             "  1: Discrete input channel №2 (Group isolation), kind 5\n"
                             "  2: Discrete input channel №3 (Group isolation), kind 5\n"
                             "  3: Discrete input channel №4 (Group isolation), kind 5\n"
                             "  12: Discrete output channel №5 (Load current 100mA), kind 6\n"
                             "  13: Discrete output channel №6 (Load current 100mA), kind 6\n"
                             "  14: Discrete output channel №7 (Load current 100mA), kind 6\n"
                             "  15: Discrete output channel №8 (Load current 100mA), kind 6\n"
                             "  16: Manager of discrete input/output, kind 12\n"
                             "  17: System health controller, kind 21\n"
                             "bus settings: address 0x05 (5), 9600 bit/s, Nerix, parity none, 1 stop bit\n"));

    r = Cli(base + QStringList{QStringLiteral("6")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("model: unknown (type 9)\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("channels: none\n")));
    EXPECT_TRUE(r.out.contains(
        QStringLiteral("address 0x06 (6), 115200 bit/s, Modbus RTU, parity even, 2 stop bits")));

    r = Cli(base + QStringList{QStringLiteral("7")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("dovuvavarovod-cli: no answer from address 0x07 (7)"));
    r = Cli({QStringLiteral("info"), QStringLiteral("--port"), dev.PortPath(), QStringLiteral("--address"),
             QStringLiteral("5"), QStringLiteral("--object"), QStringLiteral("1")});
    EXPECT_EQ(r.code, 2);
}

TEST(CliRunScan, LinesJsonFirstAndBadRanges) {
    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    dev.AddNerixDevice(2, {{{0, 0}, 6}, {{0, 1}, 1001}, {{0, 2}, 3}, {{0, 3}, 0x00000602}});
    dev.AddNerixDevice(5, {{{0, 0}, 7}, {{0, 1}, 1002}, {{0, 2}, 1}, {{0, 3}, 0x20000605}});
    dev.SetDeviceBaud(5, 19200);
    const QStringList base = {
        QStringLiteral("scan"),       QStringLiteral("--port"),  dev.PortPath(),
        QStringLiteral("--protocol"), QStringLiteral("nerix"),   QStringLiteral("--timeout"),
        QStringLiteral("30"),         QStringLiteral("--tries"), QStringLiteral("1"),
        QStringLiteral("--to"),       QStringLiteral("6")};
    auto r = Cli(base + QStringList{QStringLiteral("--speeds"), QStringLiteral("9600,19200")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("0x02 (2)  br9600  Nerix  KVD-DIO-BUS  1001\n"
                                    "0x05 (5)  br19200  Nerix  KVD-DOS-BUS  1002\n"
                                    "2 devices found\n"));

    r = Cli(base + QStringList{QStringLiteral("--json"), QStringLiteral("--first")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              QStringLiteral("{\"address\":2,\"addressText\":\"0x02 (2)\",\"baud\":9600,\"channelMask\":3,"
                             "\"model\":\"KVD-DIO-BUS\",\"parity\":\"none\",\"protocol\":\"Nerix\","
                             "\"serialNumber\":1001,\"stopBits\":\"1\",\"type\":6}\n"));
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("1 device found"));

    r = Cli(base + QStringList{QStringLiteral("--from"), QStringLiteral("4"), QStringLiteral("--to"),
                               QStringLiteral("4")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, QStringLiteral("no devices found\n"));

    const int before = dev.RequestCount();
    for (const char* bad : {"--from=0", "--from=10", "--to=256", "--speeds=9601", "--speeds=300"}) {
        r = Cli(base + QStringList{QLatin1String(bad)});
        EXPECT_EQ(r.code, 2) << bad;
    }
    EXPECT_EQ(dev.RequestCount(), before);
}

TEST(CliRunUdp, ReadWriteInfoAndScanThroughAGateway) {
    TUdpGateway gateway;
    ASSERT_TRUE(gateway.Ok());
    gateway.Devices().AddNerixDevice(4, {{{0, 0}, 6}, {{0, 1}, 4321}, {{0, 2}, 1}, {{0, 3}, 0x20010600}});
    const QString udp = QStringLiteral("127.0.0.1:%1").arg(gateway.Port());
    auto r = Cli({QStringLiteral("read"), QStringLiteral("--udp"), udp, QStringLiteral("--address"),
                  QStringLiteral("4"), QStringLiteral("--object"), QStringLiteral("0"),
                  QStringLiteral("--property"), QStringLiteral("1")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("4321\n"));

    // The gateway answering to a fixed local port.
    QUdpSocket probe;
    ASSERT_TRUE(probe.bind(QHostAddress::AnyIPv4, 0));
    const quint16 local = probe.localPort();
    probe.close();
    gateway.SetAnswerPort(local);
    r = Cli({QStringLiteral("write"), QStringLiteral("--udp"), udp, QStringLiteral("--local-port"),
             QString::number(local), QStringLiteral("--address"), QStringLiteral("4"),
             QStringLiteral("--object"), QStringLiteral("0"), QStringLiteral("--property"),
             QStringLiteral("2"), QStringLiteral("--value"), QStringLiteral("7")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(gateway.Devices().Property(4, 0, 2), 7u);
    gateway.SetAnswerPort(0);

    r = Cli({QStringLiteral("info"), QStringLiteral("--udp"), udp, QStringLiteral("--address"),
             QStringLiteral("4")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("model: KVD-DIO-BUS (type 6)\nserial number: 4321\n")));

    r = Cli({QStringLiteral("scan"), QStringLiteral("--udp"), udp, QStringLiteral("--protocol"),
             QStringLiteral("nerix"), QStringLiteral("--to"), QStringLiteral("5"),
             QStringLiteral("--timeout"), QStringLiteral("20"), QStringLiteral("--tries"),
             QStringLiteral("1")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("0x04 (4)  br9600  Nerix  KVD-DIO-BUS  4321\n1 device found\n"));

    for (const QStringList& bad :
         {QStringList{QStringLiteral("scan"), QStringLiteral("--udp"), udp, QStringLiteral("--speeds"),
                      QStringLiteral("9600")},
          QStringList{QStringLiteral("scan"), QStringLiteral("--udp"), QStringLiteral("nohostport")},
          QStringList{QStringLiteral("scan"), QStringLiteral("--udp"), udp, QStringLiteral("--port"),
                      QStringLiteral("COM1")},
          QStringList{QStringLiteral("scan"), QStringLiteral("--port"), QStringLiteral("COM1"),
                      QStringLiteral("--local-port"), QStringLiteral("9000")},
          QStringList{QStringLiteral("scan"), QStringLiteral("--udp"), udp, QStringLiteral("--timeout"),
                      QStringLiteral("5")}}) {
        r = Cli(bad);
        EXPECT_EQ(r.code, 2) << bad.join(QLatin1Char(' ')).toStdString();
    }
}

TEST(CliRunInfo, ASpeedCodeOutsideTheDeviceTableIsUnknown) {
    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    // The emulated devices report a speed field of 0, which once read as 110 bit/s.
    dev.AddNerixDevice(1, {{{0, 0}, 10}, {{0, 1}, 1246}, {{0, 2}, 0}, {{0, 3}, 0x00000001}});
    dev.AddNerixDevice(2, {{{0, 0}, 10}, {{0, 1}, 1247}, {{0, 2}, 0}, {{0, 3}, 0x00001402}});
    for (const auto& [address, line] :
         {std::pair{"1",
                    "bus settings: address 0x01 (1), unknown speed code 0, Nerix, parity none, 1 stop bit\n"},
          std::pair{
              "2",
              "bus settings: address 0x02 (2), unknown speed code 20, Nerix, parity none, 1 stop bit\n"}}) {
        const TCliRun r = Cli({QStringLiteral("info"), QStringLiteral("--port"), dev.PortPath(),
                               QStringLiteral("--address"), QString::fromLatin1(address)});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.endsWith(QString::fromUtf8(line))) << r.out.toStdString();
    }
}

TEST(CliRunUdp, AHostThatDoesNotResolveSaysSo) {
    // ".invalid" never resolves, so nothing leaves the machine.
    for (const char* command : {"read", "info", "scan"}) {
        QStringList args = {QString::fromLatin1(command), QStringLiteral("--udp"),
                            QStringLiteral("gateway.invalid:5000")};
        if (QLatin1String(command) != QLatin1String("scan"))
            args << QStringLiteral("--address") << QStringLiteral("1");
        if (QLatin1String(command) == QLatin1String("read"))
            args << QStringLiteral("--object") << QStringLiteral("0") << QStringLiteral("--property")
                 << QStringLiteral("0");
        const TCliRun r = Cli(args);
        EXPECT_EQ(r.code, 1) << command;
        EXPECT_EQ(r.err, QStringLiteral("dovuvavarovod-cli: cannot resolve host gateway.invalid\n"))
            << command;
    }
}

} // namespace
