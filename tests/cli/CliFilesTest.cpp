// files and converter as a user runs them: against the emulated weight controller (in this process,
// over a bridged pair of pseudo-terminals) and against a scripted one for the faults.
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/VirtualFileManager.h"
#include "files/ScriptedFileDevice.h"
#include "support/PtyBridge.h"
#include "support/PtyPair.h"
#include "support/ScriptedDevice.h"

#include "CliProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& Path) {
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Runs the program while this process keeps serving events (the emulator answers from them).
TCliRun RunServing(const QStringList& Args, const QString& WorkDir = {}) {
    QProcess p;
    if (!WorkDir.isEmpty())
        p.setWorkingDirectory(WorkDir);
    p.start(QStringLiteral(DVV_CLI_PATH), Args);
    TCliRun r;
    QElapsedTimer t;
    t.start();
    while (p.state() != QProcess::NotRunning && t.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        p.waitForFinished(5);
    }
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
}

class CliFilesEmulated : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bridge.Ok());
        emulator.AddDevices(21, 1);
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
        emulator.SetPortName(bridge.PathA());
        emulator.SetActive(true);
        ASSERT_TRUE(emulator.Active()) << emulator.LastError().toStdString();
    }
    void TearDown() override { emulator.SetActive(false); }
    QStringList Files(const QStringList& More) {
        return QStringList{QStringLiteral("files"), QStringLiteral("--port"), bridge.PathB(),
                           QStringLiteral("--address"), QStringLiteral("1")} +
               More;
    }
    TVirtualFileManager& Virtual() {
        return *static_cast<TVirtualFileManager*>(emulator.DeviceAt(0)->AuxiliaryAt(18));
    }

    TPtyBridge bridge;
    TVirtualDeviceManager emulator;
    QTemporaryDir dir;
};

TEST_F(CliFilesEmulated, ListGetAndPut) {
    TCliRun r = RunServing(Files({QStringLiteral("list")}));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("  0  Passport.txt"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Calibration.bin")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("   256 bytes")));

    // By name, into a file named as on the device in the working folder.
    r = RunServing(Files({QStringLiteral("get"), QStringLiteral("Calibration.bin")}), dir.path());
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(ReadAll(dir.filePath(QStringLiteral("Calibration.bin"))), Virtual().Files()[2].Data);
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("Calibration.bin: 256 bytes to Calibration.bin"));

    const QString out = dir.filePath(QStringLiteral("p.txt"));
    r = RunServing(Files({QStringLiteral("get"), QStringLiteral("0"), QStringLiteral("--out"), out,
                          QStringLiteral("--json")}));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(ReadAll(out), Virtual().Files()[0].Data);
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o.value(QStringLiteral("bytes")).toInt(), Virtual().Files()[0].Data.size());

    QFile src(dir.filePath(QStringLiteral("new.log")));
    ASSERT_TRUE(src.open(QIODevice::WriteOnly));
    src.write("ten bytes!");
    src.close();
    r = RunServing(Files({QStringLiteral("put"), src.fileName(), QStringLiteral("1")}));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(Virtual().Files()[1].Data, QByteArray("ten bytes!"));
}

TEST(CliFiles, MistakesAreRefusedWithStatus2BeforeAnythingIsSent) {
    const QStringList base = {QStringLiteral("files"), QStringLiteral("--port"), QStringLiteral("/dev/null"),
                              QStringLiteral("--address"), QStringLiteral("1")};
    struct TCase {
        QStringList Args;
        const char* Error;
    };
    const TCase cases[] = {
        {{}, "ACTION is required"},
        {{QStringLiteral("fetch")}, "unknown action \"fetch\""},
        {{QStringLiteral("get")}, "get takes one device file"},
        {{QStringLiteral("put"), QStringLiteral("x")}, "put takes the computer file and the device file"},
        {{QStringLiteral("list"), QStringLiteral("2")}, "list takes nothing more"},
        {{QStringLiteral("list"), QStringLiteral("--out"), QStringLiteral("f")}, "--out goes with get only"},
        {{QStringLiteral("get"), QStringLiteral("1"), QStringLiteral("--quiet-ms"), QStringLiteral("5")},
         "--quiet-ms"},
        {{QStringLiteral("list"), QStringLiteral("--protocol"), QStringLiteral("modbus")}, "Nerix only"},
        {{QStringLiteral("put"), QStringLiteral("/nonexistent/w.log"), QStringLiteral("1")},
         "/nonexistent/w.log: no such file"},
        {{QStringLiteral("put"), QStringLiteral("/tmp"), QStringLiteral("1")},
         "/tmp is a folder, not a file"},
    };
    for (const TCase& c : cases) {
        const TCliRun r = Cli(base + c.Args);
        EXPECT_EQ(r.code, 2) << c.Args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.Error))) << r.err.toStdString();
    }
}

class CliFilesScripted : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        files.Files = {
            {"Passport.txt", "P\r\n"}, {"../../evil", "abcdef"}, {"Weights.log", QByteArray(30, 'w')}};
        dev.SetResponder([this](const QByteArray& r) { return files.Answer(r); });
    }
    QStringList Files(const QStringList& More) {
        return QStringList{QStringLiteral("files"),     QStringLiteral("--port"), dev.PortPath(),
                           QStringLiteral("--address"), QStringLiteral("5"),      QStringLiteral("--timeout"),
                           QStringLiteral("50")} +
               More;
    }
    TScriptedFileDevice files{5, 18};
    TScriptedDevice dev;
    QTemporaryDir dir;
};

TEST_F(CliFilesScripted, AFailedChunkNamesTheOffsetAndLeavesTheFileAsItWas) {
    const QString out = dir.filePath(QStringLiteral("w.log"));
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep me");
    f.close();
    files.FailDataAt = 9;
    const TCliRun r = Cli(Files({QStringLiteral("get"), QStringLiteral("2"), QStringLiteral("--out"), out}));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("failed at byte 9 of 30"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("was left as it was")));
    EXPECT_EQ(ReadAll(out), QByteArray("keep me"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(CliFilesScripted, ADeviceNameNeverLeavesTheWorkingFolderAndUnknownFilesAreRefused) {
    TCliRun r = RunServing(Files({QStringLiteral("get"), QStringLiteral("1")}), dir.path());
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(ReadAll(dir.filePath(QStringLiteral(".._.._evil"))), QByteArray("abcdef"));

    r = Cli(Files({QStringLiteral("get"), QStringLiteral("7")}));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("the device has no file \"7\""))) << r.err.toStdString();

    files.RefuseOpen = true;
    QFile src(dir.filePath(QStringLiteral("s")));
    ASSERT_TRUE(src.open(QIODevice::WriteOnly));
    src.write("xyz");
    src.close();
    r = Cli(Files({QStringLiteral("put"), src.fileName(), QStringLiteral("2")}));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Ошибка открытия файла!"))) << r.err.toStdString();
}

TEST_F(CliFilesScripted, ANonAnsweringAddressFailsTheListing) {
    const TCliRun r =
        Cli({QStringLiteral("files"), QStringLiteral("--port"), dev.PortPath(), QStringLiteral("--address"),
             QStringLiteral("9"), QStringLiteral("--timeout"), QStringLiteral("50"), QStringLiteral("list")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("file list could not be read: no answer from address 0x09")))
        << r.err.toStdString();
}

// The bytes the program wrote on the far end of a raw pseudo-terminal.
QByteArray Drain(const TPtyPair& Pty) {
    QByteArray bytes;
    char buf[64];
    for (;;) {
        pollfd p{Pty.Master(), POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            return bytes;
        const ssize_t n = ::read(Pty.Master(), buf, sizeof buf);
        if (n <= 0)
            return bytes;
        bytes.append(buf, int(n));
    }
}

// The code byte of each converter's table for each speed; the converter's 1-byte answer is never read.
TEST(CliConverter, SendsTheTableCodeForEachKindAndSpeed) {
    struct TCase {
        const char* Kind;
        const char* Speed;
        quint8 Code;
    };
    const TCase cases[] = {{"single", "1200", 96},    {"single", "9600", 12},    {"single", "115200", 1},
                           {"double", "1200", 150},   {"double", "br4800", 36},  {"double", "57600", 2},
                           {"repeater", "2400", 102}, {"repeater", "14400", 16}, {"repeater", "38400", 5}};
    TPtyPair pty;
    ASSERT_TRUE(pty.Ok());
    for (const TCase& c : cases) {
        ASSERT_EQ(::write(pty.Master(), "\x55", 1), 1); // a stray answer byte, purged before sending
        const TCliRun r =
            Cli({QStringLiteral("converter"), QStringLiteral("--port"), pty.SlavePath(),
                 QStringLiteral("--tries"), QStringLiteral("1"), QStringLiteral("--kind"),
                 QString::fromLatin1(c.Kind), QStringLiteral("--speed"), QString::fromLatin1(c.Speed)});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(Drain(pty), QByteArray(1, char(c.Code))) << c.Kind << " " << c.Speed;
    }
    const QStringList base = {QStringLiteral("converter"), QStringLiteral("--port"), pty.SlavePath()};
    TCliRun r = Cli(base + QStringList{QStringLiteral("--kind"), QStringLiteral("single"),
                                       QStringLiteral("--speed"), QStringLiteral("1000")});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--speed must be one of 1200, 2400"))) << r.err.toStdString();
    r = Cli(base + QStringList{QStringLiteral("--kind"), QStringLiteral("triple"), QStringLiteral("--speed"),
                               QStringLiteral("9600")});
    EXPECT_EQ(r.code, 2);
    r = Cli(base + QStringList{QStringLiteral("--kind"), QStringLiteral("single"), QStringLiteral("--speed"),
                               QStringLiteral("9600"), QStringLiteral("--baud"), QStringLiteral("9600")});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("at 1200 bit/s"))) << r.err.toStdString();
    EXPECT_TRUE(Drain(pty).isEmpty());
}

} // namespace
