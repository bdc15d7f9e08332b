// read, write and info as scripts use them: property lists, polling, JSON and the traffic log,
// against a scripted device on a pseudo-terminal.
#include "support/NerixFrames.h"
#include "support/ScriptedDevice.h"

#include "CliProcess.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>

namespace {

QJsonObject JsonLine(const QString& text) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text.toStdString();
    return doc.object();
}

class CliRead : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        dev.AddNerixDevice(5, {{{0, 0}, 6}, {{0, 1}, 0xFFFFFF85}, {{0, 2}, 3}, {{0, 3}, 0x00000605}});
    }
    QStringList Line(const char* command, const char* address = "5") {
        return {QString::fromLatin1(command), QStringLiteral("--port"),    dev.PortPath(),
                QStringLiteral("--timeout"),  QStringLiteral("100"),       QStringLiteral("--tries"),
                QStringLiteral("1"),          QStringLiteral("--address"), QString::fromLatin1(address)};
    }
    QStringList Read(const char* properties, const char* address = "5") {
        return Line("read", address) + QStringList{QStringLiteral("--object"), QStringLiteral("0"),
                                                   QStringLiteral("--property"),
                                                   QString::fromLatin1(properties)};
    }
    TScriptedDevice dev;
};

TEST_F(CliRead, PropertyListsAndRangesOneLineEach) {
    TCliRun r = Cli(Read("0-2"));
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("0: 6\n1: -123\n2: 3\n"));
    r = Cli(Read("3,1"));
    EXPECT_EQ(r.out, QStringLiteral("3: 1541\n1: -123\n"));
    EXPECT_EQ(dev.RequestCount(), 5);

    // A property without an answer fails the read and names the device.
    r = Cli(Read("1,9"));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, QStringLiteral("dovuvavarovod-cli: no answer from address 0x05 (5)\n"));

    const int before = dev.RequestCount();
    for (const char* bad : {"3-1", "0-300", "1,1", "a", "1,"}) {
        r = Cli(Read(bad));
        EXPECT_EQ(r.code, 2) << bad;
        EXPECT_TRUE(r.err.startsWith(QLatin1String("dovuvavarovod-cli: --property "))) << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith(QLatin1String("\nTry 'dovuvavarovod-cli read --help'.\n")));
    }
    EXPECT_EQ(dev.RequestCount(), before);
}

TEST_F(CliRead, JsonOnStdoutAndErrorsAsJsonOnStderr) {
    TCliRun r = Cli(Read("1") + QStringList{QStringLiteral("--json")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("{\"address\":5,\"object\":0,\"property\":1,\"value\":-123}\n"));

    r = Cli(Read("0,2") + QStringList{QStringLiteral("--json")});
    EXPECT_EQ(r.out, QStringLiteral("{\"address\":5,\"object\":0,\"values\":{\"0\":6,\"2\":3}}\n"));

    r = Cli(Line("write") + QStringList{QStringLiteral("--object"), QStringLiteral("0"),
                                        QStringLiteral("--property"), QStringLiteral("2"),
                                        QStringLiteral("--value"), QStringLiteral("-2"),
                                        QStringLiteral("--json")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(JsonLine(r.out).value(QStringLiteral("value")).toInt(), -2);
    EXPECT_EQ(dev.Property(5, 0, 2), 0xFFFFFFFEu);

    r = Cli(Line("info") + QStringList{QStringLiteral("--json")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.count(QLatin1Char('\n')), 1);
    const QJsonObject info = JsonLine(r.out);
    EXPECT_EQ(info.value(QStringLiteral("model")).toString(), QStringLiteral("KVD-DIO-BUS"));
    EXPECT_EQ(info.value(QStringLiteral("serialNumber")).toInteger(), 0xFFFFFF85);
    EXPECT_EQ(info.value(QStringLiteral("busSettings")).toString(),
              QStringLiteral("address 0x05 (5), 9600 bit/s, Nerix, parity none, 1 stop bit"));

    // Every command's failure: nothing on stdout, one JSON object on stderr, the exit status kept.
    for (const QStringList& args :
         {Read("1", "6") + QStringList{QStringLiteral("--json")},
          Line("info", "6") + QStringList{QStringLiteral("--json")},
          Line("write", "6") + QStringList{QStringLiteral("--object"), QStringLiteral("0"),
                                           QStringLiteral("--property"), QStringLiteral("2"),
                                           QStringLiteral("--value"), QStringLiteral("1"),
                                           QStringLiteral("--json")}}) {
        r = Cli(args);
        EXPECT_EQ(r.code, 1) << args.first().toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        const QJsonObject error = JsonLine(r.err);
        EXPECT_EQ(error.value(QStringLiteral("error")).toString(),
                  QStringLiteral("no answer from address 0x06 (6)"));
        EXPECT_EQ(error.value(QStringLiteral("address")).toInt(), 6);
    }
    r = Cli({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("/dev/no-such-port"),
             QStringLiteral("--address"), QStringLiteral("1"), QStringLiteral("--object"),
             QStringLiteral("0"), QStringLiteral("--property"), QStringLiteral("1"),
             QStringLiteral("--json")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(JsonLine(r.err).value(QStringLiteral("error")).toString(),
              QStringLiteral("cannot open /dev/no-such-port: No such file or directory"));
}

TEST_F(CliRead, PollPrintsTimeStampedValuesAndASummary) {
    TCliRun r = Cli(Read("1") + QStringList{QStringLiteral("--poll"), QStringLiteral("20"),
                                            QStringLiteral("--count"), QStringLiteral("3")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << r.out.toStdString();
    const QRegularExpression value(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d  -123$"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(value.match(lines[i]).hasMatch()) << lines[i].toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^3 reads, 0 errors, response time min/median/max "
                                                  "\\d+\\.\\d/\\d+\\.\\d/\\d+\\.\\d ms$"))
                    .match(lines[3])
                    .hasMatch())
        << lines[3].toStdString();
    EXPECT_EQ(dev.RequestCount(), 3);

    // Failed reads are counted and the polling goes on; with none answered the exit status is 1.
    r = Cli(Read("9") + QStringList{QStringLiteral("--poll"), QStringLiteral("10"), QStringLiteral("--count"),
                                    QStringLiteral("2")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, QStringLiteral("2 reads, 2 errors\n"));
    EXPECT_EQ(r.err.count(QLatin1String("dovuvavarovod-cli: no answer from address 0x05 (5) at ")), 2);

    r = Cli(Read("0-1") + QStringList{QStringLiteral("--poll"), QStringLiteral("10"),
                                      QStringLiteral("--count"), QStringLiteral("2"),
                                      QStringLiteral("--json")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList json = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(json.size(), 3);
    EXPECT_EQ(JsonLine(json[0]).value(QStringLiteral("values")).toObject().value(QStringLiteral("1")).toInt(),
              -123);
    EXPECT_TRUE(JsonLine(json[0]).contains(QStringLiteral("time")));
    EXPECT_EQ(JsonLine(json[2]).value(QStringLiteral("reads")).toInt(), 2);
    EXPECT_TRUE(JsonLine(json[2]).contains(QStringLiteral("medianMs")));
}

TEST_F(CliRead, PollEndsOnSigintWithTheSummary) {
    QProcess p;
    p.start(QStringLiteral(DVV_CLI_PATH),
            Read("1") + QStringList{QStringLiteral("--poll"), QStringLiteral("30")});
    ASSERT_TRUE(p.waitForStarted());
    ASSERT_TRUE(dev.WaitForRequests(2, 5000));
    QElapsedTimer t;
    t.start();
    ::kill(pid_t(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(2000));
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("\n\\d+ reads, 0 errors, response time ")).match(out).hasMatch())
        << out.toStdString();
}

TEST_F(CliRead, LogShowsRequestsAndAnswersOnStderr) {
    const TCliRun r = Cli(Read("1") + QStringList{QStringLiteral("--log")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("-123\n"));
    const QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << r.err.toStdString();
    const QString stamp = QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d ");
    EXPECT_TRUE(QRegularExpression(stamp + QStringLiteral("TX ") +
                                   QString::fromLatin1(Hex(NerixFrame(5, 0, 0, 1, 0))) + QLatin1Char('$'))
                    .match(lines[0])
                    .hasMatch())
        << lines[0].toStdString();
    // The answer: eleven bytes from address 5.
    EXPECT_TRUE(
        QRegularExpression(stamp + QStringLiteral("RX 05( [0-9A-F]{2}){10}$")).match(lines[1]).hasMatch())
        << lines[1].toStdString();

    // info's four reads, and a silent device: only the requests, one per try.
    TCliRun info = Cli(Line("info") + QStringList{QStringLiteral("--log")});
    EXPECT_EQ(info.err.count(QLatin1String(" TX ")), 4);
    EXPECT_EQ(info.err.count(QLatin1String(" RX ")), 4);
    info = Cli(Line("info", "6") +
               QStringList{QStringLiteral("--log"), QStringLiteral("--tries"), QStringLiteral("2")});
    EXPECT_EQ(info.err.count(QLatin1String(" TX 06 ")), 2);
    EXPECT_EQ(info.err.count(QLatin1String(" RX ")), 0);
}

} // namespace
