#include "bus/CPDrv.h"
#include "support/ScriptedDevice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

// Runs the event loop until `done` holds or the time is up.
template <typename F> bool SpinUntil(F done, int ms = 2000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

TEST(CommPortDriver, DeliversIncomingBytesFromItsTimerAndSends) {
    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    TCommPortDriver port;
    port.SetPortName(dev.PortPath());
    port.SetPollingDelay(1);
    EXPECT_EQ(port.PollingDelay(), 5);
    QByteArray received;
    port.OnReceiveData = [&](TCommPortDriver*, const quint8* p, quint32 n) {
        received.append(reinterpret_cast<const char*>(p), qsizetype(n));
    };
    ASSERT_TRUE(port.Open()) << port.LastError().toStdString();
    dev.SendUnsolicited(QByteArray("\x05\x00\x00\x00\x01", 5));
    dev.SendUnsolicited(QByteArray("hello"));
    EXPECT_TRUE(SpinUntil([&] { return received.size() == 10; }));
    EXPECT_EQ(received.mid(5), QByteArray("hello"));

    const QByteArray answer("\x07\x42\x01", 3); // not a known frame: the device delimits it by a gap
    EXPECT_EQ(port.Send(reinterpret_cast<const quint8*>(answer.constData()), 3), 3u);
    ASSERT_TRUE(dev.WaitForRequests(1, 2000));
    EXPECT_EQ(dev.Requests()[0], answer);
    port.Close();
    EXPECT_FALSE(port.IsOpen());
}

TEST(CommPortDriver, PacketsOfAFixedSizeAndTheirTimeout) {
    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    TCommPortDriver port;
    port.SetPortName(dev.PortPath());
    port.SetPacketSize(4);
    port.SetPacketTimeout(50);
    port.SetPacketMode(pmPass);
    std::vector<QByteArray> packets;
    port.OnReceivePacket = [&](TCommPortDriver*, const quint8* p, quint32 n) {
        packets.emplace_back(reinterpret_cast<const char*>(p), qsizetype(n));
    };
    ASSERT_TRUE(port.Open());
    dev.SendUnsolicited("abcdefghij");
    EXPECT_TRUE(SpinUntil([&] { return packets.size() == 3; }));
    ASSERT_EQ(packets.size(), 3u);
    EXPECT_EQ(packets[0], QByteArray("abcd"));
    EXPECT_EQ(packets[1], QByteArray("efgh"));
    EXPECT_EQ(packets[2], QByteArray("ij")); // passed on after the packet time-out

    port.SetPacketMode(pmDiscard);
    dev.SendUnsolicited("xy");
    SpinUntil([] { return false; }, 200);
    EXPECT_EQ(packets.size(), 3u);
}

TEST(CommPortDriver, ReceiveWaitsForItsBytesAndClosedValues) {
    TCommPortDriver closed;
    EXPECT_EQ(closed.InQueueCount(), 65535u);
    EXPECT_EQ(closed.OutQueueFree(), -1);

    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    TCommPortDriver port;
    port.SetPortName(dev.PortPath());
    port.SetInputTimeout(100);
    bool timerDelivered = false;
    port.OnReceiveData = [&](TCommPortDriver*, const quint8*, quint32) { timerDelivered = true; };
    ASSERT_TRUE(port.Open());
    dev.SendUnsolicited("12345");
    quint8 buf[8] = {};
    EXPECT_EQ(port.Receive(buf, 5), 5u);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(buf), 5), QByteArray("12345"));
    EXPECT_EQ(port.Receive(buf, 1), 0u); // idle time-out
    EXPECT_FALSE(timerDelivered);
}

} // namespace
