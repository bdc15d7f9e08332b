// The emulator on a real pseudo-terminal: the test is the bus master on the pty's master end.
#include "bus/CPDrv.h"
#include "emulator/VirtualChannel.h"
#include "emulator/VirtualDeviceManager.h"
#include "protocol/Crc16.h"
#include "support/ModbusFrames.h"
#include "support/ModbusMaster.h"
#include "support/NerixFrames.h"
#include "support/PtyBridge.h"
#include "support/PtyPair.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <bit>
#include <ctime>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray ModbusRead(quint8 address, quint16 start, quint16 count) {
    QByteArray b;
    b.append(char(address)).append(char(3));
    b.append(char(start >> 8)).append(char(start)).append(char(count >> 8)).append(char(count));
    return WithCrc(b);
}

QByteArray ModbusWritePair(quint8 address, quint16 start, quint32 value) {
    QByteArray b;
    b.append(char(address)).append(char(16));
    b.append(char(start >> 8)).append(char(start)).append(char(0)).append(char(2)).append(char(4));
    for (int i = 3; i >= 0; --i)
        b.append(char(value >> (8 * i)));
    return WithCrc(b);
}

class EmulatorPort : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        manager.AddDevices(0, 1); // KVD-AIK-BUS at 1
        manager.AddDevices(5, 1); // KVD-DO-BUS at 2
        for (int i = 0; i < 4; ++i)
            manager.DeviceAt(0)->ChannelAt(i)->SetInput(10.0f * float(i + 1));
        manager.OnFrame = [this](int Direction, const quint8* Data, int Count) {
            frames.push_back({Direction, QByteArray(reinterpret_cast<const char*>(Data), Count)});
        };
    }
    void Start(int Protocol) {
        manager.SetProtocol(Protocol);
        manager.SetPortName(pty.SlavePath());
        manager.SetActive(true);
        ASSERT_TRUE(manager.Active()) << manager.LastError().toStdString();
    }
    void TearDown() override { manager.SetActive(false); }

    void Write(const QByteArray& bytes) {
        ASSERT_EQ(::write(pty.Master(), bytes.constData(), size_t(bytes.size())), bytes.size());
    }
    // What comes back within ms milliseconds, the emulator's events running meanwhile. Stops early
    // once Expect bytes are in (more would still show in the next call).
    QByteArray Collect(int ms, int Expect = -1) {
        QByteArray got;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms && (Expect < 0 || got.size() < Expect)) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            pollfd p{pty.Master(), POLLIN, 0};
            if (::poll(&p, 1, 1) > 0 && (p.revents & POLLIN)) {
                char buf[256];
                const ssize_t n = ::read(pty.Master(), buf, sizeof buf);
                if (n > 0)
                    got.append(buf, n);
            }
        }
        return got;
    }
    // Long enough for the silence gap and a poll tick after it: an answer that is coming has come.
    static constexpr int kSilent = 60;
    QByteArray Exchange(const QByteArray& request, int Expect) {
        Write(request);
        return Expect > 0 ? Collect(500, Expect) : Collect(kSilent);
    }
    float ChannelOutput(int Channel) const {
        return manager.DeviceAt(0)->ChannelAt(Channel - 1)->OutputAsFloat();
    }
    QByteArray FloatBytes(float f) const {
        const quint32 bits = std::bit_cast<quint32>(f);
        QByteArray b;
        for (int i = 3; i >= 0; --i)
            b.append(char(bits >> (8 * i)));
        return b;
    }

    TPtyPair pty;
    TVirtualDeviceManager manager;
    std::vector<std::pair<int, QByteArray>> frames;
};

TEST_F(EmulatorPort, ModbusReadsThroughTheMapAndTheMeasurementBlock) {
    Start(TVirtualDeviceManager::kProtocolModbus);
    ASSERT_NE(ChannelOutput(1), 0.0f);

    QByteArray a = Exchange(ModbusRead(1, 256, 2), 9);
    ASSERT_EQ(a.size(), 9) << Hex(a).constData();
    EXPECT_EQ(a.left(3), QByteArray::fromHex("010304"));
    EXPECT_EQ(a.mid(3, 4), FloatBytes(ChannelOutput(1)));
    EXPECT_EQ(Crc16(reinterpret_cast<const quint8*>(a.constData()), 9), 0);

    // Three registers asked, still one pair answered.
    a = Exchange(ModbusRead(1, 256, 3), 9);
    EXPECT_EQ(a.left(3), QByteArray::fromHex("010304"));
    EXPECT_EQ(a.size(), 9);

    a = Exchange(ModbusRead(1, 4096, 10), 25);
    ASSERT_EQ(a.size(), 25) << Hex(a).constData();
    EXPECT_EQ(a.left(3), QByteArray::fromHex("010314"));
    EXPECT_EQ(a.mid(3, 4), FloatBytes(ChannelOutput(1)));
    EXPECT_EQ(a.mid(19, 4), QByteArray::fromHex("42020000"));
    EXPECT_EQ(Crc16(reinterpret_cast<const quint8*>(a.constData()), 25), 0);

    a = Exchange(ModbusRead(1, 4100, 2), 9);
    ASSERT_EQ(a.size(), 9);
    EXPECT_EQ(a.mid(3, 4), FloatBytes(ChannelOutput(3)));

    // The block is the AIK's own: the DO at 2 reads its map only.
    EXPECT_TRUE(Exchange(ModbusRead(2, 4096, 2), 0).isEmpty());
    a = Exchange(ModbusRead(2, 0, 2), 9); // system register 0: the type code
    EXPECT_EQ(a.mid(3, 4), QByteArray::fromHex("00000005"));
}

TEST_F(EmulatorPort, ModbusRequestsNobodyServesGetNoAnswer) {
    Start(TVirtualDeviceManager::kProtocolModbus);
    EXPECT_TRUE(Exchange(ModbusRead(1, 257, 2), 0).isEmpty());  // odd
    EXPECT_TRUE(Exchange(ModbusRead(1, 290, 2), 0).isEmpty());  // past table A
    EXPECT_TRUE(Exchange(ModbusRead(9, 256, 2), 0).isEmpty());  // no such device
    EXPECT_TRUE(Exchange(ModbusRead(1, 4104, 3), 0).isEmpty()); // past the block's end
    QByteArray bad = ModbusRead(1, 256, 2);
    bad[7] = char(bad[7] ^ 0x01);
    EXPECT_TRUE(Exchange(bad, 0).isEmpty());
    // A one-register write: its CRC would have become value bytes.
    EXPECT_TRUE(Exchange(WithCrc(QByteArray::fromHex("011001040001020001")), 0).isEmpty());
    // Unknown function: its length cannot be told, so it goes after the silence.
    EXPECT_TRUE(Exchange(WithCrc(QByteArray::fromHex("010401000002")), 0).isEmpty());
    // None of that left bytes behind that spoil the next request.
    EXPECT_EQ(Exchange(ModbusRead(1, 256, 2), 9).size(), 9);
}

// Every refused request is counted once, by its cause, on the row of the device it named (or the
// row of no device). The frames go over the pty as a master would send them.
TEST_F(EmulatorPort, RefusedRequestsAreCountedByCause) {
    using R = TEmulatorRefusal;
    const auto flipLast = [](QByteArray b) {
        b[b.size() - 1] = char(b[b.size() - 1] ^ 0x5A);
        return b;
    };
    QByteArray fourRegisters = QByteArray::fromHex("011001000004080000000000000000");
    struct TCase {
        const char* Name;
        int Protocol;
        QByteArray Frame;
        int Row;                // device index; 2: no device
        std::optional<R> Cause; // none: answered
    };
    const std::vector<TCase> cases = {
        {"read", TVirtualDeviceManager::kProtocolModbus, ModbusRead(1, 256, 2), 0, std::nullopt},
        {"bad CRC", TVirtualDeviceManager::kProtocolModbus, flipLast(ModbusRead(1, 256, 2)), 0, R::Crc},
        {"write single register", TVirtualDeviceManager::kProtocolModbus,
         WithCrc(QByteArray::fromHex("010601000001")), 0, R::Function},
        {"write of four registers", TVirtualDeviceManager::kProtocolModbus, WithCrc(fourRegisters), 0,
         R::Malformed},
        {"odd address", TVirtualDeviceManager::kProtocolModbus, ModbusRead(2, 257, 2), 1, R::Register},
        {"unknown address", TVirtualDeviceManager::kProtocolModbus, ModbusRead(9, 256, 2), 2, R::Address},
        {"noise to no device", TVirtualDeviceManager::kProtocolModbus, flipLast(ModbusRead(9, 256, 2)), 2,
         R::Crc},
        {"Nerix bad CRC", TVirtualDeviceManager::kProtocolNerix, flipLast(NerixFrame(2, 0, 0, 1, 0)), 1,
         R::Crc},
        {"Nerix unknown channel", TVirtualDeviceManager::kProtocolNerix, NerixFrame(2, 0, 99, 0, 0), 1,
         R::Register},
        {"Nerix cut short", TVirtualDeviceManager::kProtocolNerix, NerixFrame(1, 0, 0, 1, 0).left(6), 0,
         R::Malformed},
        {"Nerix unknown address", TVirtualDeviceManager::kProtocolNerix, NerixFrame(7, 0, 0, 1, 0), 2,
         R::Address},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        manager.SetActive(false);
        manager.ResetStatistics();
        Start(c.Protocol);
        const QByteArray answer = Exchange(c.Frame, c.Cause ? 0 : 9);
        EXPECT_EQ(answer.isEmpty(), c.Cause.has_value());
        const TEmulatorDeviceStats& s = c.Row < 2 ? manager.DeviceStats(c.Row) : manager.UnknownStats();
        EXPECT_EQ(s.Received, 1u);
        EXPECT_EQ(s.Refused, c.Cause ? 1u : 0u);
        for (int i = 0; i < kEmulatorRefusalCount; ++i)
            EXPECT_EQ(s.RefusedBy[size_t(i)], c.Cause && int(*c.Cause) == i ? 1u : 0u) << "cause " << i;
        // Nothing was counted anywhere else.
        quint64 received = 0;
        for (int i = 0; i <= manager.DeviceCount(); ++i)
            received += manager.DeviceStats(i).Received;
        EXPECT_EQ(received, 1u);
    }
    EXPECT_EQ(EmulatorRefusedText(manager.UnknownStats()), QStringLiteral("1 (unknown address 1)"));
}

TEST_F(EmulatorPort, ModbusWriteOfAPairIsEchoedAndTakesEffect) {
    Start(TVirtualDeviceManager::kProtocolModbus);
    // Register 2 of channel 1 (enabled) at 260: disable, then enable again.
    QByteArray request = ModbusWritePair(1, 260, 0);
    QByteArray a = Exchange(request, 8);
    ASSERT_EQ(a.size(), 8) << Hex(a).constData();
    EXPECT_EQ(a.left(6), request.left(6));
    EXPECT_EQ(Crc16(reinterpret_cast<const quint8*>(a.constData()), 8), 0);
    EXPECT_EQ(Exchange(ModbusRead(1, 260, 2), 9).mid(3, 4), QByteArray::fromHex("00000000"));

    request = ModbusWritePair(1, 260, 1);
    EXPECT_EQ(Exchange(request, 8).left(6), request.left(6));
    EXPECT_EQ(Exchange(ModbusRead(1, 260, 2), 9).mid(3, 4), QByteArray::fromHex("00000001"));
}

TEST_F(EmulatorPort, ARequestInPiecesIsAssembledAndAnsweredOnceAtOnce) {
    Start(TVirtualDeviceManager::kProtocolModbus);
    const QByteArray request = ModbusRead(1, 256, 2);
    Write(request.left(3));
    Collect(5);
    Write(request.mid(3, 2));
    Collect(5);
    QElapsedTimer t;
    t.start();
    Write(request.mid(5));
    QByteArray a = Collect(500, 9);
    const qint64 latency = t.elapsed();
    ASSERT_EQ(a.size(), 9) << Hex(a).constData();
    a += Collect(kSilent);
    EXPECT_EQ(a.size(), 9) << "answered more than once: " << Hex(a).constData();
    // Complete by its length, it does not wait for the 20 ms of silence.
    EXPECT_LT(latency, 19);
    // The observer saw the assembled request and one answer.
    int sent = 0;
    QByteArray received;
    for (const auto& [direction, bytes] : frames) {
        if (direction == 0)
            ++sent;
        else
            received += bytes;
    }
    EXPECT_EQ(sent, 1);
    EXPECT_EQ(received, request);
}

TEST_F(EmulatorPort, GarbageIsDiscardedAfterTheSilence) {
    Start(TVirtualDeviceManager::kProtocolModbus);
    // A lone byte forms no request; had it been kept, the next request would be shifted by it.
    EXPECT_TRUE(Exchange(QByteArray::fromHex("01"), 0).isEmpty());
    EXPECT_EQ(Exchange(ModbusRead(1, 256, 2), 9).size(), 9);
    // An incomplete function-16 request as well.
    EXPECT_TRUE(Exchange(QByteArray::fromHex("0110010400020400"), 0).isEmpty());
    EXPECT_EQ(Exchange(ModbusRead(1, 256, 2), 9).size(), 9);
}

TEST_F(EmulatorPort, NerixFramesAnsweredBadOnesIgnored) {
    Start(TVirtualDeviceManager::kProtocolNerix);
    QByteArray good = NerixFrame(1, 0, 0, 0, 0);
    QByteArray bad = good;
    bad[10] = char(bad[10] ^ 0x55);
    EXPECT_TRUE(Exchange(bad, 0).isEmpty());
    QByteArray a = Exchange(good, 11);
    ASSERT_EQ(a.size(), 11);
    EXPECT_EQ(a, good); // type code 0 reads back as the request itself

    // Twelve bytes in one chunk are no frame.
    EXPECT_TRUE(Exchange(NerixFrame(2, 0, 0, 0, 0) + QByteArray(1, '\0'), 0).isEmpty());
    a = Exchange(NerixFrame(2, 0, 0, 0, 0), 11);
    EXPECT_EQ(a.mid(5, 4), QByteArray::fromHex("00000005"));

    // Modbus is not spoken in Nerix mode, nor anything in an unknown mode.
    EXPECT_TRUE(Exchange(ModbusRead(1, 256, 2), 0).isEmpty());
    manager.SetActive(false);
    manager.SetProtocol(7);
    manager.SetActive(true);
    EXPECT_TRUE(Exchange(good, 0).isEmpty());
}

TEST_F(EmulatorPort, BothProtocolsOnOneLine) {
    Start(TVirtualDeviceManager::kProtocolBoth);
    // Interleaved, back to back: each request is served in its own protocol.
    for (int round = 0; round < 2; ++round) {
        QByteArray a = Exchange(NerixFrame(2, 0, 0, 0, 0), 11);
        ASSERT_EQ(a.size(), 11);
        EXPECT_EQ(a.mid(5, 4), QByteArray::fromHex("00000005"));
        a = Exchange(ModbusRead(1, 256, 2), 9);
        ASSERT_EQ(a.size(), 9);
        EXPECT_EQ(a.left(3), QByteArray::fromHex("010304"));
    }
    // A Nerix frame with a broken CRC is still no request of either kind.
    QByteArray bad = NerixFrame(1, 0, 0, 0, 0);
    bad[9] = char(bad[9] ^ 0x01);
    EXPECT_TRUE(Exchange(bad, 0).isEmpty());
    EXPECT_EQ(Exchange(ModbusWritePair(1, 260, 1), 8).size(), 8);
}

TEST_F(EmulatorPort, ActivationFollowsThePort) {
    manager.SetPortName(QStringLiteral("/nonexistent/tty"));
    manager.SetActive(true);
    EXPECT_FALSE(manager.Active());
    EXPECT_FALSE(manager.LastError().isEmpty());

    manager.SetPortAndRate(3, 13);
    EXPECT_TRUE(manager.Port().PortName().endsWith(QLatin1String("COM3")))
        << manager.Port().PortName().toStdString();
    EXPECT_EQ(manager.Port().BaudRateValue(), 115200u);

    Start(TVirtualDeviceManager::kProtocolNerix);
    manager.SetPortAndRate(4, 1); // open: kept as it is
    EXPECT_EQ(manager.Port().PortName(), pty.SlavePath());
    EXPECT_EQ(manager.Port().BaudRateValue(), 115200u);
    manager.SetActive(true); // already: nothing happens
    EXPECT_TRUE(manager.Active());
    manager.SetActive(false);
    EXPECT_FALSE(manager.Port().IsOpen());
    // Closed, nothing answers.
    Write(NerixFrame(1, 0, 0, 0, 0));
    EXPECT_TRUE(Collect(kSilent).isEmpty());
}

TEST_F(EmulatorPort, AFarEndThatHangsUpDoesNotSpin) {
    Start(TVirtualDeviceManager::kProtocolNerix);
    pty.CloseMaster();
    // A hung-up line stays readable for ever; were the readiness notifier left on, the event loop
    // would spin on it and burn the core for the whole 300 ms.
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    const std::clock_t before = std::clock();
    loop.exec();
    const double cpuMs = double(std::clock() - before) * 1000.0 / CLOCKS_PER_SEC;
    EXPECT_LT(cpuMs, 150.0);
    manager.SetActive(false);
}

// libmodbus's master from a thread of its own, while this thread runs the emulator's events.
TEST_F(EmulatorPort, LibmodbusMasterReadsAndWrites) {
    Start(TVirtualDeviceManager::kProtocolModbus);
    int readRc = -2, writeRc = -2, blockRc = -2;
    uint16_t got[2] = {}, block[10] = {};
    QEventLoop loop;
    std::thread master([&] {
        TModbusMaster modbus(pty.Master(), 1, 1000);
        readRc = modbus.ReadRegisters(256, 2, got);
        const uint16_t values[2] = {0, 1};
        writeRc = modbus.WriteRegisters(260, 2, values);
        blockRc = modbus.ReadRegisters(4096, 10, block);
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    master.join();
    EXPECT_EQ(readRc, 2);
    EXPECT_EQ(std::bit_cast<float>(quint32(got[0]) << 16 | got[1]), ChannelOutput(1));
    EXPECT_EQ(writeRc, 2);
    EXPECT_EQ(blockRc, 10);
    EXPECT_EQ(std::bit_cast<float>(quint32(block[4]) << 16 | block[5]), ChannelOutput(3));
    EXPECT_EQ(std::bit_cast<float>(quint32(block[8]) << 16 | block[9]), 32.5f);
}

// mbpoll opens a terminal path of its own, so it talks to the emulator through a bridge of two pty
// pairs.
TEST_F(EmulatorPort, MbpollReadsAChannelFloat) {
    const QString mbpoll = QStringLiteral("/usr/bin/mbpoll");
    if (!QFileInfo(mbpoll).isExecutable())
        GTEST_SKIP() << "mbpoll is not installed";
    TPtyBridge bridge;
    ASSERT_TRUE(bridge.Ok());
    manager.SetProtocol(TVirtualDeviceManager::kProtocolModbus);
    manager.SetPortName(bridge.PathA());
    manager.SetActive(true);
    ASSERT_TRUE(manager.Active());

    QProcess p;
    p.start(mbpoll, {QStringLiteral("-m"), QStringLiteral("rtu"), QStringLiteral("-a"), QStringLiteral("1"),
                     QStringLiteral("-0"), QStringLiteral("-r"), QStringLiteral("256"), QStringLiteral("-c"),
                     QStringLiteral("1"), QStringLiteral("-t"), QStringLiteral("4:float"),
                     QStringLiteral("-B"), QStringLiteral("-b"), QStringLiteral("9600"), QStringLiteral("-P"),
                     QStringLiteral("none"), QStringLiteral("-1"), bridge.PathB()});
    QElapsedTimer t;
    t.start();
    while (p.state() != QProcess::NotRunning && t.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        p.waitForFinished(2);
    }
    ASSERT_EQ(p.state(), QProcess::NotRunning);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), 0) << out.toStdString() << p.readAllStandardError().toStdString();
    // "[256]: 	10.5"
    const qsizetype at = out.indexOf(QLatin1String("[256]:"));
    ASSERT_GE(at, 0) << out.toStdString();
    const QString value = out.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed();
    bool ok = false;
    const float f = value.toFloat(&ok);
    ASSERT_TRUE(ok) << value.toStdString();
    EXPECT_NEAR(f, ChannelOutput(1), std::abs(ChannelOutput(1)) * 1e-5f);
}

} // namespace
