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
#include <vector>

namespace {

class CliIo : public ::testing::Test {
protected:
    // One device of each type, at addresses 1, 2, ...
    void Start(quint32 TypeCode, int Protocol = TVirtualDeviceManager::kProtocolNerix,
               std::vector<quint32> More = {}) {
        ASSERT_TRUE(bridge.Ok());
        emulator.AddDevices(TypeCode, 1);
        for (quint32 type : More)
            emulator.AddDevices(type, 1);
        emulator.SetProtocol(Protocol);
        emulator.SetPortName(bridge.PathA());
        emulator.SetActive(true);
        ASSERT_TRUE(emulator.Active()) << emulator.LastError().toStdString();
    }
    void TearDown() override { emulator.SetActive(false); }

    QStringList Io(QStringList More, int Address = 1) {
        return QStringList{QStringLiteral("io"),        QStringLiteral("--port"), bridge.PathB(),
                           QStringLiteral("--timeout"), QStringLiteral("200"),    QStringLiteral("--address"),
                           QString::number(Address)} +
               More;
    }
    QStringList ModbusIo(QStringList More, int Address = 1) {
        return Io(QStringList{QStringLiteral("--protocol"), QStringLiteral("modbus")} + More, Address);
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
    TVirtualDOChannel* DO(int Number, int Device = 0) {
        return static_cast<TVirtualDOChannel*>(emulator.DeviceAt(Device)->ChannelAt(Number - 1));
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

// Over Modbus RTU the module's tunnel finds the manager on its own page (KVD-DIO-BUS object 17 at
// 4368, KVD-DOS-BUS object 9 at 2320), and the emulator serves it there as a device does.
TEST_F(CliIo, OverModbusTheManagerListsSwitchesWithTheKeyAndWatches) {
    Start(6, TVirtualDeviceManager::kProtocolModbus, {7});
    TCustomVirtualChannel* input = emulator.DeviceAt(0)->ChannelAt(1);
    input->SetInput(0.0f); // input 2 closed
    DO(13)->Switch(true);  // the first output of the KVD-DIO-BUS
    TCliRun r = Run(ModbusIo({}));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QLatin1String("KVD-DIO-BUS at address 1\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QLatin1String("\ninput 1: off\ninput 2: on\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QLatin1String("\noutput 1: on\noutput 2: off\n"))) << r.out.toStdString();

    // Protected outputs of the KVD-DOS-BUS: the key is read and written through the registers too,
    // and the outputs not named keep their state.
    for (int n = 1; n <= 8; ++n)
        DO(n, 1)->SetProtected(true);
    DO(1, 1)->Switch(true);
    r = Run(ModbusIo({QStringLiteral("--set"), QStringLiteral("8=1"), QStringLiteral("--json")}, 2));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(DO(8, 1)->State(), 1u);
    EXPECT_EQ(DO(1, 1)->State(), 1u);
    EXPECT_EQ(DO(2, 1)->State(), 0u);
    const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(json.value(QStringLiteral("model")).toString(), QStringLiteral("KVD-DOS-BUS"));
    EXPECT_TRUE(json.value(QStringLiteral("protected")).toBool());
    EXPECT_TRUE(json.value(QStringLiteral("outputs"))
                    .toArray()
                    .at(7)
                    .toObject()
                    .value(QStringLiteral("on"))
                    .toBool());

    // Watching: an input that opens on the device is reported.
    bool changed = false;
    r = Run(ModbusIo({QStringLiteral("--watch")}), [&](const QString& out) {
        if (!changed && out.contains(QLatin1String("output 8: off\n"))) {
            input->SetInput(1.0f);
            changed = true;
        }
        return out.contains(QLatin1String("  input 2: off"));
    });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(
        QRegularExpression(QStringLiteral("\\n\\d\\d:\\d\\d:\\d\\d\\.\\d{3}  input 2: off\\n"))))
        << r.out.toStdString();
}

// The emulated KVD-DO-BUS carries two inputs where the module keeps its manager (object 9): it
// answers its type but not the manager, in either protocol, and io says so instead of "no answer".
TEST_F(CliIo, AManagerThatDoesNotAnswerIsToldApartFromASilentDevice) {
    Start(5, TVirtualDeviceManager::kProtocolBoth);
    TCliRun r = Run(Io({QStringLiteral("--set"), QStringLiteral("1=1")}));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, QStringLiteral("dovuvavarovod-cli: KVD-DO-BUS at address 1 answers, but its discrete "
                                    "input/output manager (object 9) does not: the device does not serve "
                                    "its inputs and outputs through a manager\n"));
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(DO(1)->State(), 0u); // nothing was switched
    r = Run(ModbusIo({QStringLiteral("--watch")}));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err,
              QStringLiteral("dovuvavarovod-cli: KVD-DO-BUS at address 1 answers, but its discrete "
                             "input/output manager (object 9, Modbus register 2326) does not: the "
                             "device does not serve its inputs and outputs that way over Modbus RTU\n"));
    // A device that is not there at all is still "no answer".
    r = Run(ModbusIo({}, 7));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QLatin1String("no answer from address"))) << r.err.toStdString();
}

} // namespace
