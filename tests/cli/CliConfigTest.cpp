// backup, diff and restore as a user runs them: the command-line program against the command-line
// emulator over two bridged pty pairs, files in a temporary folder.
#include "support/PtyBridge.h"

#include "CliProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Emulator {
public:
    Emulator(const QString& port, const char* devices) {
        FProcess.start(QStringLiteral(DVV_CLI_PATH),
                       {QStringLiteral("emulate"), QStringLiteral("--port"), port,
                        QStringLiteral("--devices"), QString::fromLatin1(devices)});
        QElapsedTimer t;
        t.start();
        while (!FOut.contains(QLatin1String("emulating")) && t.elapsed() < 10000 &&
               FProcess.state() != QProcess::NotRunning) {
            FProcess.waitForReadyRead(100);
            FOut += QString::fromUtf8(FProcess.readAllStandardOutput());
        }
    }
    ~Emulator() {
        FProcess.kill();
        FProcess.waitForFinished();
    }
    bool Ready() const { return FOut.contains(QLatin1String("emulating")); }

private:
    QProcess FProcess;
    QString FOut;
};

class CliConfig : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bridge.Ok());
        ASSERT_TRUE(dir.isValid());
    }
    TCliRun Run(const char* command, int address, QStringList more = {}) {
        QStringList args{QString::fromLatin1(command), QStringLiteral("--port"),  bridge.PathB(),
                         QStringLiteral("--address"),  QString::number(address),  QStringLiteral("--timeout"),
                         QStringLiteral("60"),         QStringLiteral("--tries"), QStringLiteral("1")};
        return Cli(args + more);
    }
    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    TPtyBridge bridge;
    QTemporaryDir dir;
};

TEST_F(CliConfig, BackUpChangeAnotherDeviceCompareDryRunRestoreAndCompareAgain) {
    Emulator emulator(bridge.PathA(), "KVD-AIK-BUS=2");
    ASSERT_TRUE(emulator.Ready());
    const QString saved = File("a.json");
    TCliRun r = Run("backup", 1, {QStringLiteral("--out"), saved});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());

    // B's second input gets another polynomial behind the program's back.
    const QStringList coefficient{QStringLiteral("--object"), QStringLiteral("2"),
                                  QStringLiteral("--property"), QStringLiteral("37"),
                                  QStringLiteral("--float")};
    r = Run("write", 2, coefficient + QStringList{QStringLiteral("--value"), QStringLiteral("0.5")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();

    const QStringList in{QStringLiteral("--in"), saved};
    r = Run("diff", 2, in);
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), "channel 2 polynomial: A 0.5, B 1, C 0 -> A 0, B 1, C 0\n1 different\n");

    r = Run("restore", 2, in + QStringList{QStringLiteral("--dry-run")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(
        r.out.toStdString(),
        "channel 2 polynomial: A 0.5, B 1, C 0 -> A 0, B 1, C 0\n1 to write; dry run, nothing written\n");
    r = Run("read", 2, coefficient);
    EXPECT_EQ(r.out.trimmed().toStdString(), "0.5");

    r = Run("restore", 2, in + QStringList{QStringLiteral("--flash")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(
        r.out.toStdString(),
        "channel 2 polynomial: A 0.5, B 1, C 0 -> A 0, B 1, C 0\n1 written and verified, saved to flash\n");

    r = Run("diff", 2, in);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), "equal\n");
    r = Run("restore", 2, in);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.toStdString(), "nothing to write: the device has the file's settings\n");
}

TEST_F(CliConfig, TheDocumentGoesToStdoutAndAnotherTypeIsRefusedNamingBoth) {
    Emulator emulator(bridge.PathA(), "KVD-AIK-BUS,KVD-DIO-BUS");
    ASSERT_TRUE(emulator.Ready());
    TCliRun r = Run("backup", 1);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonObject document = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(document.value(QStringLiteral("model")).toString(), QStringLiteral("KVD-AIK-BUS"));
    const QString saved = File("aik.json");
    {
        QFile f(saved);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(r.out.toUtf8());
    }
    r = Run("restore", 2, {QStringLiteral("--in"), saved});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(
        r.err.toStdString(),
        "dovuvavarovod-cli: the file is for KVD-AIK-BUS (type 0), the device is KVD-DIO-BUS (type 6)\n");
}

TEST_F(CliConfig, MistakesOnTheCommandLineAndInTheFile) {
    struct Case {
        const char* what;
        QStringList args;
        int code;
        const char* err;
    };
    const QString port = bridge.PathB();
    const QString junk = File("junk.json");
    {
        QFile f(junk);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("{\"format\": \"something else\"}");
    }
    const Case cases[] = {
        {"no file",
         {QStringLiteral("restore"), QStringLiteral("--port"), port, QStringLiteral("--address"),
          QStringLiteral("1")},
         2,
         "dovuvavarovod-cli: --in is required"},
        {"dry run and flash",
         {QStringLiteral("restore"), QStringLiteral("--port"), port, QStringLiteral("--address"),
          QStringLiteral("1"), QStringLiteral("--in"), junk, QStringLiteral("--dry-run"),
          QStringLiteral("--flash")},
         2,
         "dovuvavarovod-cli: --dry-run writes nothing, so it cannot be given with --flash"},
        {"a missing file",
         {QStringLiteral("diff"), QStringLiteral("--port"), port, QStringLiteral("--address"),
          QStringLiteral("1"), QStringLiteral("--in"), File("none.json")},
         1,
         "dovuvavarovod-cli: cannot open "},
        {"no document",
         {QStringLiteral("diff"), QStringLiteral("--port"), port, QStringLiteral("--address"),
          QStringLiteral("1"), QStringLiteral("--in"), junk},
         1,
         "dovuvavarovod-cli: "},
    };
    for (const Case& c : cases) {
        const TCliRun r = Cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.what << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith(QString::fromLatin1(c.err))) << c.what << ": " << r.err.toStdString();
    }
    const TCliRun r = Cli({QStringLiteral("diff"), QStringLiteral("--port"), port,
                           QStringLiteral("--address"), QStringLiteral("1"), QStringLiteral("--in"), junk});
    EXPECT_TRUE(r.err.contains(QLatin1String("not a configuration document"))) << r.err.toStdString();
}

} // namespace
