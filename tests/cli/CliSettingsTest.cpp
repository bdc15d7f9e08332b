// settings against the command-line emulator over two bridged pty pairs, as a user runs both.
#include "support/PtyBridge.h"

#include "CliProcess.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// An emulator process on one end of the bridge, ready once it said so.
class SettingsEmulator {
public:
    SettingsEmulator(const QString& port, const char* protocol, const char* devices) {
        FProcess.start(QStringLiteral(DVV_CLI_PATH),
                       {QStringLiteral("emulate"), QStringLiteral("--port"), port,
                        QStringLiteral("--protocol"), QString::fromLatin1(protocol),
                        QStringLiteral("--devices"), QString::fromLatin1(devices)});
        QElapsedTimer t;
        t.start();
        while (!FOut.contains(QLatin1String("emulating")) && t.elapsed() < 10000 &&
               FProcess.state() != QProcess::NotRunning) {
            FProcess.waitForReadyRead(100);
            FOut += QString::fromUtf8(FProcess.readAllStandardOutput());
        }
    }
    ~SettingsEmulator() {
        if (FProcess.state() != QProcess::NotRunning) {
            FProcess.kill();
            FProcess.waitForFinished();
        }
    }
    bool Ready() const { return FOut.contains(QLatin1String("emulating")); }
    QString Out() const { return FOut; }

private:
    QProcess FProcess;
    QString FOut;
};

QStringList Args(const QString& port, std::initializer_list<const char*> more) {
    QStringList args{QStringLiteral("settings"), QStringLiteral("--port"), port};
    for (const char* a : more)
        args << QString::fromLatin1(a);
    return args;
}

std::vector<QJsonObject> JsonLines(const QString& text) {
    std::vector<QJsonObject> objects;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
        objects.push_back(doc.object());
    }
    return objects;
}

class CliSettings : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bridge.Ok()); }
    TPtyBridge bridge;
};

TEST_F(CliSettings, EveryInputOfTheDeviceAsTextAndAsJson) {
    SettingsEmulator emulator(bridge.PathA(), "nerix", "KVD-AIK-BUS,KVD-DI-BUS");
    ASSERT_TRUE(emulator.Ready()) << emulator.Out().toStdString();
    const QString port = bridge.PathB();

    // A polynomial coefficient changed behind the model's back shows on its channel only.
    TCliRun r = Cli({QStringLiteral("write"), QStringLiteral("--port"), port, QStringLiteral("--address"),
                     QStringLiteral("1"), QStringLiteral("--object"), QStringLiteral("3"),
                     QStringLiteral("--property"), QStringLiteral("37"), QStringLiteral("--value"),
                     QStringLiteral("0.5"), QStringLiteral("--float")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();

    r = Cli(Args(port, {"--address", "1"}));
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(r.out.contains(QStringLiteral("channel %1 (object %1)\n").arg(n))) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains(QLatin1String("channel 5")));
    for (const char* line :
         {"  range: 0 0..15 mV [mV]\n", "    6 0..1 V [V], attribute 1, coefficients 1, 0\n",
          "  accuracy class: 1\n", "  response time: 0 ms\n", "  normalization: on\n",
          "  polynomial: A 0, B 1, C 0\n", "  polynomial: A 0.5, B 1, C 0\n", "  flags: 0x00000000\n",
          "    polynomial: off\n", "    thermocompensation: off\n", "    result format: floating point\n",
          "    byte sequence: 3210\n", "    RMS points: 0\n", "  LED limits: 1 .. 1\n"})
        EXPECT_TRUE(r.out.contains(QString::fromLatin1(line))) << line << r.out.toStdString();
    EXPECT_EQ(r.out.count(QLatin1String("polynomial: A 0.5")), 1);

    r = Cli(Args(port, {"--address", "1", "--json"}));
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const auto objects = JsonLines(r.out);
    ASSERT_EQ(objects.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const QJsonObject& o = objects[size_t(i)];
        EXPECT_EQ(o.value(QLatin1String("address")).toInt(), 1);
        EXPECT_EQ(o.value(QLatin1String("type")).toInt(), 0);
        EXPECT_EQ(o.value(QLatin1String("channel")).toInt(), i + 1);
        EXPECT_EQ(o.value(QLatin1String("object")).toInt(), i + 1);
        const QJsonObject range = o.value(QLatin1String("range")).toObject();
        EXPECT_EQ(range.value(QLatin1String("code")).toInt(), 0);
        EXPECT_EQ(range.value(QLatin1String("name")).toString(), QStringLiteral("0..15 mV"));
        EXPECT_EQ(range.value(QLatin1String("unit")).toString(), QStringLiteral("mV"));
        EXPECT_EQ(range.value(QLatin1String("kind")).toString(), QStringLiteral("Voltage"));
        const QJsonArray ranges = o.value(QLatin1String("ranges")).toArray();
        ASSERT_EQ(ranges.size(), 6);
        EXPECT_EQ(ranges[5].toObject().value(QLatin1String("code")).toInt(), 55);
        EXPECT_EQ(ranges[5].toObject().value(QLatin1String("unit")).toString(), QStringLiteral("kOhm"));
        EXPECT_EQ(o.value(QLatin1String("accuracyClass")).toInt(), 1);
        EXPECT_NEAR(o.value(QLatin1String("filterCutoff")).toDouble(), 5.0, 1e-4);
        EXPECT_TRUE(o.value(QLatin1String("normalization")).toBool());
        const QJsonArray polynomial = o.value(QLatin1String("polynomial")).toArray();
        ASSERT_EQ(polynomial.size(), 3);
        EXPECT_EQ(polynomial[0].toDouble(), i == 2 ? 0.5 : 0.0);
        EXPECT_EQ(polynomial[1].toDouble(), 1.0);
        const QJsonObject flags = o.value(QLatin1String("flags")).toObject();
        EXPECT_EQ(flags.value(QLatin1String("word")).toInt(), 0);
        EXPECT_EQ(flags.value(QLatin1String("byteSequence")).toString(), QStringLiteral("3210"));
        EXPECT_EQ(flags.value(QLatin1String("resultFormat")).toString(), QStringLiteral("floating point"));
        EXPECT_EQ(o.value(QLatin1String("ledLow")).toDouble(), 1.0);
        EXPECT_EQ(o.value(QLatin1String("ledHigh")).toDouble(), 1.0);
    }

    r = Cli(Args(port, {"--address", "1", "--channel", "2", "--json"}));
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const auto one = JsonLines(r.out);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].value(QLatin1String("channel")).toInt(), 2);
}

TEST_F(CliSettings, NoSuchChannelAnotherFamilyAndASilentAddress) {
    SettingsEmulator emulator(bridge.PathA(), "nerix", "KVD-AIK-BUS,KVD-DO-BUS");
    ASSERT_TRUE(emulator.Ready()) << emulator.Out().toStdString();
    const QString port = bridge.PathB();

    TCliRun r = Cli(Args(port, {"--address", "1", "--channel", "5"}));
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, QStringLiteral(
                         "dovuvavarovod-cli: --channel 5: KVD-AIK-BUS (type 0) has analog inputs 1 to 4\n"));

    r = Cli(Args(port, {"--address", "1", "--channel", "0"}));
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(
        r.err.startsWith(QLatin1String("dovuvavarovod-cli: --channel must be a number from 1 to 255")))
        << r.err.toStdString();

    r = Cli(Args(port, {"--address", "2"}));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, QStringLiteral("dovuvavarovod-cli: KVD-DO-BUS (type 5) has no analog inputs\n"));

    r = Cli(Args(port, {"--address", "2", "--json"}));
    EXPECT_EQ(r.code, 1);
    const auto error = JsonLines(r.err);
    ASSERT_EQ(error.size(), 1u);
    EXPECT_EQ(error[0].value(QLatin1String("type")).toInt(), 5);
    EXPECT_TRUE(
        error[0].value(QLatin1String("error")).toString().contains(QLatin1String("no analog inputs")));

    r = Cli(Args(port, {"--address", "9", "--timeout", "50", "--tries", "1"}));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, QStringLiteral("dovuvavarovod-cli: no answer from address 0x09 (9)\n"));
}

TEST_F(CliSettings, AChannelThatFailsPartWayIsReportedInEnglish) {
    // The eight-channel inputs have no LED limits: the full read ends at them, on every channel. The
    // silence there costs a time-out each; one long enough that a loaded machine's late answer to
    // the properties before them is not taken for silence.
    SettingsEmulator emulator(bridge.PathA(), "nerix", "KVD-AIK8-BUS");
    ASSERT_TRUE(emulator.Ready()) << emulator.Out().toStdString();
    TCliRun r = Cli(Args(bridge.PathB(), {"--address", "1", "--tries", "1", "--timeout", "250"}));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    for (int n = 1; n <= 8; ++n)
        EXPECT_TRUE(
            r.err.contains(QStringLiteral("dovuvavarovod-cli: channel %1 (object %1): Error reading the LED "
                                          "indication limits\n")
                               .arg(n)))
            << r.err.toStdString();

    r = Cli(Args(bridge.PathB(),
                 {"--address", "1", "--channel", "8", "--json", "--tries", "1", "--timeout", "250"}));
    EXPECT_EQ(r.code, 1);
    const auto error = JsonLines(r.err);
    ASSERT_EQ(error.size(), 1u);
    EXPECT_EQ(error[0].value(QLatin1String("channel")).toInt(), 8);
    EXPECT_EQ(error[0].value(QLatin1String("object")).toInt(), 8);
    EXPECT_EQ(error[0].value(QLatin1String("type")).toInt(), 1);
}

TEST_F(CliSettings, ThroughModbusRegisters) {
    SettingsEmulator emulator(bridge.PathA(), "modbus", "KVD-AIK-BUS");
    ASSERT_TRUE(emulator.Ready()) << emulator.Out().toStdString();
    const TCliRun r = Cli(Args(bridge.PathB(), {"--address", "1", "--protocol", "modbus", "--channel", "4"}));
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QLatin1String("channel 4 (object 4)\n  range: 0 0..15 mV [mV]\n")))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QLatin1String("  LED limits: 1 .. 1\n"))) << r.out.toStdString();
}

} // namespace
