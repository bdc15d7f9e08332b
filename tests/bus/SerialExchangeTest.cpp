// Exchanges over a real pseudo-terminal with a scripted device on the far end: the faults a serial
// line has, end to end through the bus, the access point and the protocol engine.
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "protocol/NerixModule.h"
#include "support/NerixFrames.h"
#include "support/ScriptedDevice.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class SerialExchange : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        dev.AddNerixDevice(5, {{{0, 1}, 1234}, {{0, 2}, 0xFFFFFFFF}, {{1, 7}, 0x3F800000}});
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(150);
        ap.SetBus(&bus);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();
        module.SetAP(&ap);
        module.SetAddress(5);
    }

    quint32 Read(quint16 property, quint8 object = 0, bool* ok = nullptr) {
        quint32 v = 0;
        const bool r = module.ReadProperty(property, object, v);
        if (ok)
            *ok = r;
        return v;
    }

    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TNerixModule module;
};

TEST_F(SerialExchange, AnswerAtOnceReadsAndWrites) {
    bool ok = false;
    EXPECT_EQ(Read(1, 0, &ok), 1234u);
    EXPECT_TRUE(ok);
    EXPECT_EQ(qint32(Read(2, 0, &ok)), -1);
    EXPECT_TRUE(ok);
    float f = 0;
    EXPECT_TRUE(module.ReadFloat(7, 1, f));
    EXPECT_EQ(f, 1.0f);

    EXPECT_TRUE(module.WriteProperty(1, 0, 0xCAFE));
    EXPECT_EQ(dev.Property(5, 0, 1), 0xCAFEu);
    EXPECT_EQ(Read(1, 0, &ok), 0xCAFEu);
    EXPECT_EQ(dev.RequestCount(), 5);
}

TEST_F(SerialExchange, SilenceFailsAfterEveryAttemptWithTheSameRequest) {
    bool ok = true;
    EXPECT_EQ(Read(99, 0, &ok), 0u); // the device has no such property and stays silent
    EXPECT_FALSE(ok);
    const auto requests = dev.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], requests[1]);
    EXPECT_EQ(requests[0], NerixFrame(5, 0, 0, 99, 0));
}

TEST_F(SerialExchange, ShortAnswerIsPurgedAndTheRequestSentAgain) {
    dev.SetResponder([](const QByteArray& r) { return r.left(5); });
    bool ok = true;
    Read(1, 0, &ok);
    EXPECT_FALSE(ok);
    const auto requests = dev.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], requests[1]);
    // The stray five bytes did not survive into the next exchange.
    dev.SetResponder({});
    dev.AddNerixDevice(5, {{{0, 1}, 77}});
    EXPECT_EQ(Read(1, 0, &ok), 77u);
    EXPECT_TRUE(ok);
}

TEST_F(SerialExchange, GarbageBeforeTheFrameIsSkipped) {
    dev.SetGarbage(FromHex("00 FF 13"));
    bool ok = false;
    EXPECT_EQ(Read(1, 0, &ok), 1234u);
    EXPECT_TRUE(ok);
    EXPECT_EQ(dev.RequestCount(), 1);
}

TEST_F(SerialExchange, AnswerInTwoPiecesWithinTheIdleTimeout) {
    dev.SetSplit(4, 80); // 80 ms pause, timeout 150 ms
    bool ok = false;
    EXPECT_EQ(Read(1, 0, &ok), 1234u);
    EXPECT_TRUE(ok);
    EXPECT_EQ(dev.RequestCount(), 1);
}

TEST_F(SerialExchange, LocalEchoIsTakenBackBeforeTheAnswer) {
    dev.SetEcho(true);
    bus.SetLocalEcho(true);
    bool ok = false;
    EXPECT_EQ(Read(1, 0, &ok), 1234u);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(module.WriteProperty(1, 0, 5));
    EXPECT_EQ(dev.Property(5, 0, 1), 5u);

    // With nobody answering, the echo alone is not an answer.
    dev.SetSilent(true);
    Read(1, 0, &ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(module.WriteProperty(1, 0, 6));
}

// The line echoes and nobody said so: the first exchange shows it (its own request, then an answer)
// and the bus switches echo on for the rest of the connection, without a retry.
TEST_F(SerialExchange, AnEchoingLineIsRecognisedByItsFirstExchange) {
    int told = 0;
    bus.OnLocalEchoDetected = [&] { ++told; };
    dev.SetEcho(true);
    bool ok = false;
    EXPECT_EQ(Read(1, 0, &ok), 1234u);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(bus.LocalEcho());
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(module.WriteProperty(1, 0, 77));
    EXPECT_EQ(Read(1, 0, &ok), 77u);
    EXPECT_EQ(dev.RequestCount(), 3);
    EXPECT_EQ(told, 1);
}

// A write's confirmation is a copy of the request, like an echo; when a second copy follows, the
// first one was the echo.
TEST_F(SerialExchange, AnEchoIsAlsoRecognisedOnAWrite) {
    dev.SetEcho(true);
    EXPECT_TRUE(module.WriteProperty(1, 0, 5));
    EXPECT_TRUE(bus.LocalEcho());
    EXPECT_EQ(dev.Property(5, 0, 1), 5u);
    EXPECT_EQ(dev.RequestCount(), 1);
}

// On a line that does not echo, a confirmation alone is taken as the answer, and the first answer
// that differs from its request settles that the line does not echo.
TEST_F(SerialExchange, ALineWithoutEchoIsNotTakenForOne) {
    int told = 0;
    bus.OnLocalEchoDetected = [&] { ++told; };
    EXPECT_TRUE(module.WriteProperty(1, 0, 9));
    bool ok = false;
    EXPECT_EQ(Read(1, 0, &ok), 9u);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(module.WriteProperty(1, 0, 10));
    EXPECT_FALSE(bus.LocalEcho());
    EXPECT_EQ(told, 0);
    EXPECT_EQ(dev.RequestCount(), 3);
}

// Modbus answers have another length than their requests: the echo is skipped in front of the
// answer, and recognised the same way.
TEST_F(SerialExchange, AModbusEchoIsRecognisedToo) {
    dev.SetDeviceModbus(5, true);
    dev.SetEcho(true);
    module.SetTransferProtocol(tpModbus);
    bool ok = false;
    EXPECT_EQ(Read(1, 0, &ok), 1234u);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(bus.LocalEcho());
    EXPECT_TRUE(module.WriteProperty(1, 0, 3));
    EXPECT_EQ(dev.Property(5, 0, 1), 3u);
}

TEST_F(SerialExchange, LateAnswerIsNotTakenForTheNextRequest) {
    // The scripted device serves one request at a time, so the second request is only answered
    // once the late one is out: 300 ms of time-out leaves that answer 200 ms to spare.
    bus.SetInputTimeout(300);
    ap.SetTryCount(1);
    dev.DelayNextAnswers({400}); // the first answer comes after the time-out
    bool ok = true;
    Read(1, 0, &ok);
    EXPECT_FALSE(ok);
    // The next exchange asks for another property; the late 1234 may still be on the line.
    EXPECT_EQ(qint32(Read(2, 0, &ok)), -1);
    EXPECT_TRUE(ok);
}

TEST_F(SerialExchange, PortVanishingMidExchangeEndsItWithoutHanging) {
    bus.SetInputTimeout(3000);
    ap.SetTryCount(1);
    dev.SetSilent(true);
    QTimer::singleShot(50, [this] { dev.Vanish(); });
    QElapsedTimer t;
    t.start();
    bool ok = true;
    Read(1, 0, &ok);
    EXPECT_FALSE(ok);
    // Not waiting out the 3 s idle time-out: the vanished line ends the attempt.
    EXPECT_LT(t.elapsed(), 2500);
    EXPECT_FALSE(module.WriteProperty(1, 0, 1));
}

TEST_F(SerialExchange, HandlerClosingThePortEndsTheWait) {
    bus.SetInputTimeout(3000);
    ap.SetTryCount(2);
    dev.SetSilent(true);
    QTimer::singleShot(50, [this] { bus.Close(); });
    QElapsedTimer t;
    t.start();
    bool ok = true;
    Read(1, 0, &ok);
    EXPECT_FALSE(ok);
    EXPECT_LT(t.elapsed(), 2500);
    EXPECT_EQ(dev.RequestCount(), 1);
}

TEST_F(SerialExchange, ExchangeStartedFromAHandlerFailsAtOnce) {
    dev.SetDelayMs(100);
    TNerixModule other;
    other.SetAP(&ap);
    other.SetAddress(5);
    bool nestedRan = false;
    bool nestedOk = true;
    QTimer::singleShot(20, [&] {
        quint32 v = 0;
        nestedRan = true;
        nestedOk = other.ReadProperty(2, 0, v);
    });
    bool ok = false;
    EXPECT_EQ(Read(1, 0, &ok), 1234u);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(nestedRan);
    EXPECT_FALSE(nestedOk);
    EXPECT_EQ(dev.RequestCount(), 1);
}

TEST_F(SerialExchange, DataTransferEventAfterEveryAttempt) {
    std::vector<std::pair<int, int>> sizes;
    bus.OnDataTransfer = [&](const quint8*, quint16 tx, const quint8*, quint16 rx) {
        sizes.emplace_back(tx, rx);
    };
    bool ok = false;
    Read(1, 0, &ok);
    Read(99, 0, &ok);
    ASSERT_EQ(sizes.size(), 3u);
    EXPECT_EQ(sizes[0], std::make_pair(11, 11));
    EXPECT_EQ(sizes[1], std::make_pair(11, 0));
    EXPECT_EQ(sizes[2], std::make_pair(11, 0));
}

} // namespace
