// The emulator's faults on real pseudo-terminals, as two different masters meet them: libmodbus's
// (in a thread of its own, while this thread runs the emulator's events) and our own access point
// (which runs the emulator's events itself while it waits for an answer).
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "discovery/BusScan.h"
#include "emulator/VirtualDeviceManager.h"
#include "protocol/NerixModule.h"
#include "support/ModbusMaster.h"
#include "support/PtyBridge.h"
#include "support/PtyPair.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cerrno>
#include <gtest/gtest.h>
#include <modbus/modbus.h>
#include <termios.h>
#include <thread>

namespace {

TEmulatorFaults Faults(const char* Text) {
    TEmulatorFaults f;
    QString error;
    EXPECT_TRUE(ParseEmulatorFaults(QString::fromLatin1(Text), f, error))
        << Text << ": " << error.toStdString();
    return f;
}

// The emulator on one pty pair (Modbus RTU, a KVD-AIK-BUS at 1), libmodbus's master on its other end.
class LibmodbusAgainstFaults : public ::testing::Test {
protected:
    void Start(const char* FaultText, quint64 Seed = 1) {
        ASSERT_TRUE(pty.Ok());
        manager.AddDevices(0, 1);
        manager.SetProtocol(TVirtualDeviceManager::kProtocolModbus);
        manager.SetPortName(pty.SlavePath());
        manager.SetFaults(Faults(FaultText), Seed);
        manager.SetActive(true);
        ASSERT_TRUE(manager.Active()) << manager.LastError().toStdString();
    }
    void TearDown() override { manager.SetActive(false); }

    // Reads Count times (2 registers at 256) with the given response time-out; each result's
    // return code, and errno after a failure.
    struct TResult {
        int Rc;
        int Errno;
    };
    std::vector<TResult> Reads(int Count, int TimeoutMs) {
        std::vector<TResult> results;
        QEventLoop loop;
        std::thread master([&] {
            TModbusMaster modbus(pty.Master(), 1, TimeoutMs);
            for (int i = 0; i < Count; ++i) {
                quint16 regs[2] = {};
                errno = 0;
                const int rc = modbus.ReadRegisters(256, 2, regs);
                results.push_back({rc, rc < 0 ? errno : 0});
            }
            QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
        });
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
        master.join();
        return results;
    }
    TResult Read(int TimeoutMs) { return Reads(1, TimeoutMs).front(); }
    const TEmulatorDeviceStats& Stats() const { return manager.DeviceStats(0); }

    TPtyPair pty;
    TVirtualDeviceManager manager;
};

TEST_F(LibmodbusAgainstFaults, ADelayBelowTheTimeoutIsToleratedAboveItFails) {
    Start("delay=60");
    const TResult fast = Read(400);
    EXPECT_EQ(fast.Rc, 2);
    EXPECT_GE(Stats().MinTime(), 60000);
    const TResult slow = Read(20);
    EXPECT_EQ(slow.Rc, -1);
    EXPECT_EQ(slow.Errno, ETIMEDOUT);
    // The late answer still went out, after its time.
    QEventLoop wait;
    QTimer::singleShot(100, &wait, &QEventLoop::quit);
    wait.exec();
    EXPECT_EQ(Stats().Answered, 2u);
    EXPECT_EQ(manager.PendingPieces(), 0);
}

TEST_F(LibmodbusAgainstFaults, DropAlwaysTimesOut) {
    Start("drop=1");
    const auto results = Reads(3, 50);
    for (const TResult& r : results) {
        EXPECT_EQ(r.Rc, -1);
        EXPECT_EQ(r.Errno, ETIMEDOUT);
    }
    EXPECT_EQ(Stats().Received, 3u);
    EXPECT_EQ(Stats().Dropped, 3u);
    EXPECT_EQ(Stats().Answered, 0u);
}

TEST_F(LibmodbusAgainstFaults, ACorruptedCrcIsRejected) {
    Start("crc=1");
    const TResult r = Read(200);
    EXPECT_EQ(r.Rc, -1);
    EXPECT_EQ(r.Errno, EMBBADCRC);
    EXPECT_EQ(Stats().Answered, 1u);
}

TEST_F(LibmodbusAgainstFaults, ASplitAnswerIsAssembled) {
    Start("split=3@30");
    const auto results = Reads(3, 300);
    for (const TResult& r : results)
        EXPECT_EQ(r.Rc, 2);
    EXPECT_GE(Stats().MinTime(), 30000);
}

TEST_F(LibmodbusAgainstFaults, GarbageOrAnotherAddressIsNotTakenForTheAnswer) {
    Start("device=1:garbage=3");
    EXPECT_EQ(Read(200).Rc, -1);
    manager.SetFaults(Faults("wrong-address=1"), 1);
    // Whatever libmodbus made of the three stray bytes is gone before the next request.
    ::tcflush(pty.Master(), TCIOFLUSH);
    EXPECT_EQ(Read(200).Rc, -1);
}

TEST_F(LibmodbusAgainstFaults, StopAfterAndResume) {
    Start("stop-after=2,resume-after=2");
    QString pattern;
    for (const TResult& r : Reads(6, 60))
        pattern += r.Rc == 2 ? 'a' : '-';
    EXPECT_EQ(pattern, QStringLiteral("aa--aa"));
    EXPECT_EQ(Stats().Received, 6u);
    EXPECT_EQ(Stats().Dropped, 2u);
    EXPECT_EQ(Stats().Answered, 4u);
}

TEST_F(LibmodbusAgainstFaults, DelayedSplitAnswersArriveWhole) {
    Start("delay=0-40,split=4@5", 99);
    const auto results = Reads(20, 500);
    for (const TResult& r : results)
        EXPECT_EQ(r.Rc, 2);
    EXPECT_EQ(Stats().Answered, 20u);
    EXPECT_LE(Stats().MaxTime(), 60000);
}

// Answers leave in the order of their requests: the one held back holds back the one after it,
// which had no delay of its own. Each answer's time counts from its own request.
TEST(EmulatorSendQueue, AnswersLeaveInTheOrderOfTheirRequests) {
    TVirtualDeviceManager manager;
    manager.AddDevices(0, 1);
    manager.AddDevices(5, 1);
    manager.SetProtocol(TVirtualDeviceManager::kProtocolModbus);
    manager.SetFaults(Faults("device=1:delay=80"), 1);
    std::vector<quint8> answeredBy;
    manager.OnFrame = [&](int Direction, const quint8* Data, int) {
        if (Direction == 0)
            answeredBy.push_back(Data[0]);
    };
    // Read 2 registers at 0 (the type code) from 1, then from 2.
    const quint8 one[] = {1, 3, 0, 0, 0, 2, 0xC4, 0x0B};
    const quint8 two[] = {2, 3, 0, 0, 0, 2, 0xC4, 0x38};
    manager.DataReceived(one, 8);
    manager.DataReceived(two, 8);
    EXPECT_TRUE(answeredBy.empty());
    EXPECT_EQ(manager.PendingPieces(), 2);
    QEventLoop loop;
    QTimer::singleShot(200, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(answeredBy, (std::vector<quint8>{1, 2}));
    EXPECT_GE(manager.DeviceStats(0).MinTime(), 80000);
    EXPECT_GE(manager.DeviceStats(1).MinTime(), 80000); // it waited for the first
    EXPECT_LT(manager.DeviceStats(1).MinTime(), 150000);
}

// Our access point (Nerix, one KVD-AIK-BUS at 1 and a KVD-DO-BUS at 2) through a bridge of two pty
// pairs; both ends run on this thread.
class AccessPointAgainstFaults : public ::testing::Test {
protected:
    void Start(const char* FaultText, quint64 Seed = 1, int Tries = 1, int TimeoutMs = 100) {
        ASSERT_TRUE(bridge.Ok());
        manager.AddDevices(0, 1);
        manager.AddDevices(5, 1);
        manager.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
        manager.SetPortName(bridge.PathA());
        manager.SetBaudRateValue(9600);
        manager.SetFaults(Faults(FaultText), Seed);
        manager.SetActive(true);
        ASSERT_TRUE(manager.Active()) << manager.LastError().toStdString();
        bus.SetPortName(bridge.PathB());
        bus.SetInputTimeout(quint32(TimeoutMs));
        ap.SetBus(&bus);
        ap.SetTryCount(Tries);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();
        module.SetAP(&ap);
        module.SetAddress(1);
    }
    void TearDown() override {
        ap.SetActive(false);
        manager.SetActive(false);
    }
    // The serial number (1246 for the device at 1), or nothing on a failure.
    bool ReadSerial() {
        quint32 v = 0;
        return module.ReadProperty(1, 0, v) && v == TVirtualDeviceManager::kSerialBase + 1;
    }
    QString Pattern(int Count) {
        QString s;
        for (int i = 0; i < Count; ++i)
            s += ReadSerial() ? 'a' : '-';
        return s;
    }
    const TEmulatorDeviceStats& Stats() const { return manager.DeviceStats(0); }

    TPtyBridge bridge;
    TVirtualDeviceManager manager;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TNerixModule module;
};

TEST_F(AccessPointAgainstFaults, TheFaultFreeBusAnswersEveryRequest) {
    Start("");
    EXPECT_EQ(Pattern(5), QStringLiteral("aaaaa"));
    EXPECT_EQ(Stats().Received, 5u);
    EXPECT_EQ(Stats().Answered, 5u);
}

TEST_F(AccessPointAgainstFaults, ADelayBelowTheTimeoutIsToleratedAboveItFails) {
    Start("device=1:delay=40", 1, 1, 150);
    EXPECT_TRUE(ReadSerial());
    bus.SetInputTimeout(15);
    EXPECT_FALSE(ReadSerial());
}

TEST_F(AccessPointAgainstFaults, DropAlwaysFailsAfterEveryTry) {
    Start("drop=1", 1, 3, 30);
    EXPECT_FALSE(ReadSerial());
    EXPECT_EQ(Stats().Received, 3u);
    EXPECT_EQ(Stats().Dropped, 3u);
}

TEST_F(AccessPointAgainstFaults, ACorruptedCrcIsRetried) {
    Start("crc=1", 1, 2, 50);
    EXPECT_FALSE(ReadSerial());
    EXPECT_EQ(Stats().Received, 2u); // the request went again
    EXPECT_EQ(Stats().Answered, 2u);
    // Half the answers broken, three tries: a read fails only after three broken answers, and
    // reads that met a broken answer and then an intact one got through.
    manager.SetFaults(Faults("crc=0.5"), 5);
    ap.SetTryCount(3);
    int retriedAndRead = 0, failed = 0;
    for (int i = 0; i < 20; ++i) {
        const quint64 before = Stats().Received;
        const bool ok = ReadSerial();
        const quint64 tries = Stats().Received - before;
        if (ok) {
            EXPECT_GE(tries, 1u);
            EXPECT_LE(tries, 3u);
            retriedAndRead += tries > 1;
        } else {
            EXPECT_EQ(tries, 3u);
            ++failed;
        }
    }
    EXPECT_GT(retriedAndRead, 0);
    EXPECT_LT(failed, 10);
}

TEST_F(AccessPointAgainstFaults, ASplitAnswerIsAssembled) {
    Start("split=4@30", 1, 1, 100);
    EXPECT_EQ(Pattern(3), QStringLiteral("aaa"));
    EXPECT_GE(Stats().MinTime(), 30000);
}

TEST_F(AccessPointAgainstFaults, StopAfterAndResume) {
    Start("device=1:stop-after=3:resume-after=2", 1, 1, 30);
    EXPECT_EQ(Pattern(7), QStringLiteral("aaa--aa"));
    EXPECT_EQ(manager.DeviceStats(1).Received, 0u);
}

TEST_F(AccessPointAgainstFaults, TheSameSeedRepeatsTheRun) {
    Start("drop=0.4", 1234, 1, 30);
    const QString first = Pattern(20);
    EXPECT_TRUE(first.contains('a') && first.contains('-')) << first.toStdString();
    manager.SetFaults(Faults("drop=0.4"), 1234);
    EXPECT_EQ(Pattern(20), first);
    manager.SetFaults(Faults("drop=0.4"), 1235);
    EXPECT_NE(Pattern(20), first);
}

TEST_F(AccessPointAgainstFaults, RequestsNobodyTakesAreCountedAsRefused) {
    Start("", 1, 1, 30);
    module.SetAddress(9);
    quint32 v = 0;
    EXPECT_FALSE(module.ReadProperty(1, 0, v));
    EXPECT_EQ(manager.UnknownStats().Received, 1u);
    EXPECT_EQ(manager.UnknownStats().Refused, 1u);
    module.SetAddress(1);
    EXPECT_FALSE(module.ReadProperty(999, 0, v)); // no such property
    EXPECT_EQ(Stats().Refused, 1u);
}

// A scan of five emulated devices on a bus that drops a fifth of the answers: three tries find all
// five. The seed makes the run the same every time.
TEST(EmulatorScan, ThreeTriesFindEveryDeviceOnALossyBus) {
    TPtyBridge bridge;
    ASSERT_TRUE(bridge.Ok());
    TVirtualDeviceManager manager;
    manager.AddDevices(0, 2);
    manager.AddDevices(5, 3);
    manager.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
    manager.SetPortName(bridge.PathA());
    manager.SetBaudRateValue(9600);
    manager.SetFaults(Faults("drop=0.2"), 2026);
    manager.SetActive(true);
    ASSERT_TRUE(manager.Active());
    TPowerRsBus bus;
    bus.SetPortName(bridge.PathB());
    bus.SetInputTimeout(30);
    TComPortAccessPoint ap;
    ap.SetBus(&bus);
    ap.SetTryCount(3);
    ap.SetActive(true);
    ASSERT_TRUE(ap.Active());
    TNerixModule module;
    TBusScan scan{module, ap, bus};
    std::vector<int> found;
    scan.OnDeviceFound = [&](const TScanHit& h) { found.push_back(h.Address); };
    scan.Run(TScanSettings{tpNerix, TScanMethod::ByAddresses, 1, 8, 0, false});
    EXPECT_EQ(found, (std::vector<int>{1, 2, 3, 4, 5}));
    quint64 dropped = 0;
    for (int i = 0; i < 5; ++i)
        dropped += manager.DeviceStats(i).Dropped;
    EXPECT_GT(dropped, 0u); // the faults did happen
    ap.SetActive(false);
    manager.SetActive(false);
}

} // namespace
