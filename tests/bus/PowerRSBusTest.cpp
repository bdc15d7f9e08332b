#include "bus/PowerRSBus.h"
#include "bus/ComPortAccessPoint.h"
#include "support/ScriptedDevice.h"

#include <gtest/gtest.h>

namespace {

TEST(PowerRsBus, DefaultsAndTheRateTable) {
    TPowerRsBus bus;
    EXPECT_EQ(bus.Port(), 2);
    EXPECT_EQ(bus.PortName(), QStringLiteral("\\\\.\\COM2"));
    EXPECT_EQ(bus.BaudRate(), br9600);
    EXPECT_EQ(bus.BaudRateValue(), 9600u);
    EXPECT_EQ(bus.HwFlow(), hfNONERTSON);
    EXPECT_EQ(bus.InputTimeout(), 200u);
    EXPECT_EQ(bus.OutputTimeout(), 500);
    EXPECT_EQ(bus.TryCount(), 0);

    const quint32 bits[] = {0,      110,    300,    600,    1200,   2400,   4800,
                            9600,   14400,  19200,  38400,  56000,  57600,  115200,
                            153600, 230400, 345600, 460800, 576000, 691200, 921600};
    for (int i = 0; i < kBaudRateCount; ++i) {
        EXPECT_EQ(BaudRateBits(TBaudRate(i)), bits[i]) << i;
        EXPECT_EQ(TPowerRsBus::BaudRateText(TBaudRate(i)), QString::number(bits[i]));
        if (i > 0) {
            EXPECT_EQ(BaudRateOfBits(bits[i]), TBaudRate(i));
        }
    }
    EXPECT_EQ(BaudRateOfBits(250000), brCustom);
}

TEST(PowerRsBus, SettersWhileClosed) {
    TPowerRsBus bus;
    bus.SetPort(7);
    EXPECT_EQ(bus.PortName(), QStringLiteral("\\\\.\\COM7"));
    bus.SetPort(pnCustom);
    EXPECT_EQ(bus.PortName(), QStringLiteral("\\\\.\\COM7"));
    bus.SetPortName(QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(bus.Port(), pnCustom);

    bus.SetBaudRate(br921600);
    EXPECT_EQ(bus.BaudRateValue(), 921600u);
    bus.SetBaudRateValue(250000);
    EXPECT_EQ(bus.BaudRate(), brCustom);
    bus.SetBaudRate(brCustom);
    EXPECT_EQ(bus.BaudRateValue(), 250000u);

    bus.SetInBufSize(50);
    EXPECT_EQ(bus.InBufSize(), 128u);
    bus.SetInBufSize(10000);
    EXPECT_EQ(bus.InBufSize(), 8192u);
    bus.SetOutBufSize(1);
    EXPECT_EQ(bus.OutBufSize(), 128u);

    bus.SetTryCount(10);
    EXPECT_EQ(bus.TryCount(), 10);
    bus.SetTryCount(11);
    EXPECT_EQ(bus.TryCount(), 10);
    bus.SetTryCount(0);
    EXPECT_EQ(bus.TryCount(), 0);
}

TEST(PowerRsBus, ClosedBusReportsItsClosedValues) {
    TPowerRsBus bus;
    quint8 buf[16] = {1, 2, 3};
    EXPECT_FALSE(bus.IsOpen());
    EXPECT_EQ(bus.InQueueCount(), 65535u);
    EXPECT_EQ(bus.OutQueueFree(), -1);
    EXPECT_EQ(bus.Send(buf, 3, 10), 0u);
    EXPECT_EQ(bus.Receive(buf, 3), 0u);
    EXPECT_FALSE(bus.SendReceive(buf, 3, 3));
    EXPECT_FALSE(bus.ApplySettings());
    EXPECT_FALSE(bus.Purge(true, true));
    std::vector<quint8> big(1001);
    EXPECT_FALSE(bus.SendReceive(big.data(), 1001, 1));
}

TEST(PowerRsBus, OpenFailsCleanlyAndOpenBusIgnoresPortAndQueueChanges) {
    TPowerRsBus bus;
    bus.SetPortName(QStringLiteral("/dev/does-not-exist"));
    EXPECT_FALSE(bus.Open());
    EXPECT_FALSE(bus.IsOpen());
    EXPECT_FALSE(bus.LastError().isEmpty());

    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    int statusChanges = 0;
    bus.OnChangeStatus = [&](TPowerRsBus*) { ++statusChanges; };
    bus.SetPortName(dev.PortPath());
    bus.SetInBufSize(4000);
    ASSERT_TRUE(bus.Open()) << bus.LastError().toStdString();
    EXPECT_EQ(statusChanges, 1);
    // Every open asks for 300-byte queues.
    EXPECT_EQ(bus.InBufSize(), 300u);
    EXPECT_EQ(bus.OutBufSize(), 300u);
    EXPECT_EQ(bus.OutQueueFree(), 300);
    EXPECT_EQ(bus.InQueueCount(), 0u);

    bus.SetInBufSize(1000);
    EXPECT_EQ(bus.InBufSize(), 300u);
    bus.SetPort(7);
    EXPECT_EQ(bus.PortName(), dev.PortPath());
    bus.SetPortName(QStringLiteral("/dev/null"));
    EXPECT_EQ(bus.PortName(), dev.PortPath());

    // A speed change while open re-applies the line at once.
    bus.SetBaudRate(br921600);
    EXPECT_TRUE(bus.IsOpen());
    EXPECT_TRUE(bus.ApplySettings());
    EXPECT_EQ(bus.BaudRateValue(), 921600u);

    bus.Close();
    EXPECT_EQ(statusChanges, 2);
    bus.Close();
    EXPECT_EQ(statusChanges, 2);
}

TEST(ComPortAccessPoint, FollowsItsBus) {
    TComPortAccessPoint ap;
    EXPECT_EQ(ap.Timeout(), 0);
    EXPECT_EQ(ap.Baudrate(), 0);
    ap.SetActive(true);
    EXPECT_FALSE(ap.Active());

    TPowerRsBus bus;
    ap.SetBus(&bus);
    ap.SetTimeout(150);
    EXPECT_EQ(bus.InputTimeout(), 150u);
    ap.SetBaudrate(19200);
    EXPECT_EQ(bus.BaudRateValue(), 19200u);
    EXPECT_EQ(ap.Baudrate(), 19200);

    // A request longer than the bus carries fails before any traffic.
    int traffic = 0;
    ap.OnTraffic = [&](const quint8*, quint16, bool) { ++traffic; };
    std::vector<quint8> big(1001), answer(11);
    EXPECT_FALSE(ap.Exchange(big.data(), 1001, 11, answer.data()));
    EXPECT_EQ(traffic, 0);

    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    bus.SetPortName(dev.PortPath());
    bus.SetBaudRate(br57600);
    ap.SetActive(true);
    EXPECT_TRUE(ap.Active());
    EXPECT_TRUE(bus.IsOpen());
    // Opening keeps the speed but marks it as a custom value.
    EXPECT_EQ(bus.BaudRate(), brCustom);
    EXPECT_EQ(bus.BaudRateValue(), 57600u);
    bus.Close();
    EXPECT_FALSE(ap.Active());
}

} // namespace
