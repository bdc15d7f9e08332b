// io against emulated discrete modules: the emulator runs in this process, so the test can switch
// its inputs and look at its outputs while the command-line program talks to it over a bridged
// pair of pseudo-terminals.
#include "emulator/VirtualChannel.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/VirtualDiscreteChannels.h"
#include "support/PtyBridge.h"

#include "CliProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>

namespace {

class CliIo : public ::testing::Test {
protected:
    void Start(quint32 TypeCode) {
        ASSERT_TRUE(bridge.Ok());
        emulator.AddDevices(TypeCode, 1);
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
        emulator.SetPortName(bridge.PathA());
        emulator.SetActive(true);
        ASSERT_TRUE(emulator.Active()) << emulator.LastError().toStdString();
    }
    void TearDown() override { emulator.SetActive(false); }

    QStringList Io(QStringList More) {
        return QStringList{QStringLiteral("io"),        QStringLiteral("--port"), bridge.PathB(),
                           QStringLiteral("--timeout"), QStringLiteral("200"),    QStringLiteral("--address"),
                           QStringLiteral("1")} +
               More;
    }
    // Runs the program while the emulator keeps answering; Until, when given, is asked after every
    // round with what the program printed so far, and true sends it SIGINT.
    TCliRun Run(const QStringList& Args, std::function<bool(const QString&)> Until = {}) {
        QProcess p;
        p.start(QStringLiteral(DVV_CLI_PATH), Args);
        TCliRun r;
        QElapsedTimer t;
        t.start();
        bool stopped = false;
        while (p.state() != QProcess::NotRunning && t.elapsed() < 20000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            p.waitForFinished(5);
            r.out += QString::fromUtf8(p.readAllStandardOutput());
            if (Until && !stopped && Until(r.out)) {
                ::kill(pid_t(p.processId()), SIGINT);
                stopped = true;
            }
        }
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.out += QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return r;
    }
    TVirtualDOChannel* DO(int Number) {
        return static_cast<TVirtualDOChannel*>(emulator.DeviceAt(0)->ChannelAt(Number - 1));
    }

    TPtyBridge bridge;
    TVirtualDeviceManager emulator;
};

TEST_F(CliIo, ListsEveryInputAndOutputAndSwitchesOutputsWithTheKey) {
    Start(7); // KVD-DOS-BUS: eight outputs
    DO(3)->Switch(true);
    TCliRun r = Run(Io({}));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QLatin1String("KVD-DOS-BUS at address 1\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QLatin1String("\noutput 1: off\n")));
    EXPECT_TRUE(r.out.contains(QLatin1String("\noutput 3: on\n")));
    EXPECT_TRUE(r.out.endsWith(QLatin1String("output 8: off\n")));
    EXPECT_FALSE(r.out.contains(QLatin1String("input")));

    // Protected outputs take the write only with the key; the others keep their state.
    for (int n = 1; n <= 8; ++n)
        DO(n)->SetProtected(true);
    r = Run(Io({QStringLiteral("--set"), QStringLiteral("2=1"), QStringLiteral("--set=3=0"),
                QStringLiteral("--json")}));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(DO(2)->State(), 1u);
    EXPECT_EQ(DO(3)->State(), 0u);
    EXPECT_EQ(DO(1)->State(), 0u);
    const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_TRUE(json.value(QStringLiteral("protected")).toBool());
    EXPECT_EQ(json.value(QStringLiteral("outputs")).toArray().size(), 8);
    EXPECT_TRUE(json.value(QStringLiteral("outputs"))
                    .toArray()
                    .at(1)
                    .toObject()
                    .value(QStringLiteral("on"))
                    .toBool());

    // Mistakes: an output the module does not have, a bad value, a module without a manager.
    r = Run(Io({QStringLiteral("--set"), QStringLiteral("9=1")}));
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, QStringLiteral("dovuvavarovod-cli: KVD-DOS-BUS has 8 outputs; there is no output 9\n"));
    r = Run(Io({QStringLiteral("--set"), QStringLiteral("2=on")}));
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.startsWith(QLatin1String("dovuvavarovod-cli: --set wants N=0 or N=1")))
        << r.err.toStdString();
}

TEST_F(CliIo, AModuleWithoutAManagerIsRefused) {
    Start(0); // KVD-AIK-BUS
    const TCliRun r = Run(Io({}));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(
        r.err,
        QStringLiteral("dovuvavarovod-cli: KVD-AIK-BUS at address 1 has no discrete input/output manager\n"));
    EXPECT_TRUE(r.out.isEmpty());
}

TEST_F(CliIo, WatchPrintsAnInputThatChangesOnTheDevice) {
    Start(6); // KVD-DIO-BUS: inputs on objects 1..4 of the emulator
    TCustomVirtualChannel* input = emulator.DeviceAt(0)->ChannelAt(1);
    input->SetInput(1.0f); // open
    bool changed = false;
    const TCliRun r = Run(Io({QStringLiteral("--watch")}), [&](const QString& out) {
        if (!changed && out.contains(QLatin1String("output 8: off\n"))) {
            input->SetInput(0.0f); // the contact closes
            changed = true;
        }
        return out.contains(QLatin1String("input 2: on"));
    });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QLatin1String("\ninput 2: off\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(
        QRegularExpression(QStringLiteral("\\n\\d\\d:\\d\\d:\\d\\d\\.\\d{3}  input 2: on\\n"))))
        << r.out.toStdString();
}

} // namespace
