#include "views/DeviceService.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "emulator/VirtualChannel.h"
#include "emulator/VirtualDeviceManager.h"
#include "platform/Ticks.h"
#include "support/PtyBridge.h"
#include "support/ScriptedDevice.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

quint32 VersionWord(quint32 a, quint32 b, quint32 c, quint32 d, quint32 e) {
    return a | (b << 8) | (c << 16) | (d << 21) | (e << 24);
}

TEST(DeviceService, FirmwareVersionText) {
    EXPECT_EQ(FirmwareVersionText(VersionWord(16, 5, 21, 1, 0)), QStringLiteral("2016.05.21::i.1"));
    EXPECT_EQ(FirmwareVersionText(VersionWord(9, 12, 3, 7, 2)), QStringLiteral("2009.12.03::i2.7"));
    EXPECT_EQ(FirmwareVersionText(0), QStringLiteral("2000.00.00::i.0"));
    EXPECT_EQ(FirmwareVersionText(0xFFFFFFFF), QStringLiteral("20255.255.31::i255.7"));
}

TEST(DeviceService, MachineTimeTextShowsTheDaysInFull) {
    EXPECT_EQ(MachineTimeText(0), QStringLiteral("0:00:00:00"));
    EXPECT_EQ(MachineTimeText(93784), QStringLiteral("1:02:03:04"));
    EXPECT_EQ(MachineTimeText(300 * 86400 + 59), QStringLiteral("300:00:00:59"));
    EXPECT_EQ(MachineTimeText(0xFFFFFFFF), QStringLiteral("49710:06:28:15"));
    EXPECT_EQ(MaxMachineTimeText(), QStringLiteral("49710:06:28:15"));
}

TEST(DeviceService, ParsingTheTypedTime) {
    EXPECT_EQ(ParseMachineTime(QStringLiteral("1:02:03:04")), 93784u);
    EXPECT_EQ(ParseMachineTime(QStringLiteral("75")), 75u * 86400);   // what is left is the days
    EXPECT_EQ(ParseMachineTime(QStringLiteral("1:30")), 86400u + 30); // days and seconds
    EXPECT_EQ(ParseMachineTime(QStringLiteral("2:03:04")), 2u * 86400 + 3 * 60 + 4); // no hours field
    EXPECT_EQ(ParseMachineTime(QStringLiteral("0:00:00:75")), 0u);         // seconds of 60 or more: 0
    EXPECT_EQ(ParseMachineTime(QStringLiteral("0:00:75:00")), 59u * 60);   // minutes: 59
    EXPECT_EQ(ParseMachineTime(QStringLiteral("0:30:00:00")), 23u * 3600); // hours: 23
    EXPECT_EQ(ParseMachineTime(QStringLiteral("-4:00:00:01")), 1u);        // negative days: 0
    EXPECT_EQ(ParseMachineTime(QStringLiteral("0:-3:-1:-9")), 0u);
    EXPECT_EQ(ParseMachineTime(QStringLiteral("x:1:y:2")), 3600u + 2); // no number counts as 0
    EXPECT_EQ(ParseMachineTime(QStringLiteral(" 1 : 02 : 03 : 04 ")), 93784u);
    EXPECT_EQ(ParseMachineTime(QString()), 0u);
    EXPECT_EQ(ParseMachineTime(QStringLiteral("::")), 0u);
    EXPECT_EQ(ParseMachineTime(QStringLiteral("1:2:3:4:5")), 3u * 3600 + 4 * 60 + 5); // days "1:2": no number
    // The device counts 32 bits of seconds: 49710 days, 6:28:15 at most.
    EXPECT_EQ(ParseMachineTime(QStringLiteral("49710:06:28:15")), 0xFFFFFFFFu);
    EXPECT_EQ(ParseMachineTime(QStringLiteral("49710:06:28:16")), std::nullopt);
    EXPECT_EQ(ParseMachineTime(QStringLiteral("49711")), std::nullopt);
    EXPECT_EQ(ParseMachineTime(QStringLiteral("99999999999999999999999999")), std::nullopt);
    EXPECT_EQ(ParseMachineTime(QStringLiteral("0:99999999999999999999999:0:0")), 23u * 3600);
}

// The service operations against an emulated device on a pseudo-terminal.
class ServiceOnTheEmulator : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bridge.Ok());
        manager.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
        manager.SetPortName(bridge.PathA());
        manager.SetBaudRateValue(9600);
        manager.AddDevices(5, 2);
        manager.SetActive(true);
        ASSERT_TRUE(manager.Active()) << manager.LastError().toStdString();
        bus.SetPortName(bridge.PathB());
        bus.SetInputTimeout(50);
        ap.SetBus(&bus);
        ap.SetTryCount(1);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active());
        module.SetAP(&ap);
        module.SetAddress(2);
    }
    void TearDown() override { manager.SetActive(false); }

    TPtyBridge bridge;
    TVirtualDeviceManager manager;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TSystemObjectModule module;
    TDeviceService service{module};
};

TEST_F(ServiceOnTheEmulator, VersionAndTheMachineTimeRoundTrip) {
    EXPECT_EQ(service.ReadVersion(), FirmwareVersionText(TVirtualSystemChannel::kFirmwareVersion));
    EXPECT_EQ(service.ReadVersion(), QStringLiteral("2024.03.18::i.2"));

    const quint64 before = TickCount();
    const auto typed = ParseMachineTime(QStringLiteral("75:01:02:03"));
    ASSERT_TRUE(typed);
    ASSERT_TRUE(service.WriteTime(*typed));
    EXPECT_LE(manager.DeviceAt(1)->SystemChannel().MachineTime() - *typed, (TickCount() - before) / 1000 + 1);
    const auto shown = service.ReadTime();
    ASSERT_TRUE(shown);
    const auto back = ParseMachineTime(*shown);
    ASSERT_TRUE(back);
    EXPECT_GE(*back, *typed);
    EXPECT_LE(*back, *typed + (TickCount() - before) / 1000 + 1);
    EXPECT_TRUE(shown->startsWith(QStringLiteral("75:01:0")));
    // The other device's clock is its own.
    EXPECT_LT(manager.DeviceAt(0)->SystemChannel().MachineTime(), *typed);

    // A device that is not there: nothing to show, nothing taken.
    module.SetAddress(9);
    EXPECT_EQ(service.ReadVersion(), std::nullopt);
    EXPECT_EQ(service.ReadTime(), std::nullopt);
    EXPECT_FALSE(service.WriteTime(5));
}

TEST(DeviceService, NothingIsAskedWhileAnotherExchangeWaits) {
    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    dev.AddNerixDevice(1, {{{0, 1}, 7}, {{0, 102}, 93784}});
    dev.SetDelayMs(60);
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    bus.SetPortName(dev.PortPath());
    bus.SetInputTimeout(300);
    ap.SetBus(&bus);
    ap.SetTryCount(1);
    ap.SetActive(true);
    ASSERT_TRUE(ap.Active());
    TSystemObjectModule module;
    module.SetAP(&ap);
    module.SetAddress(1);
    TDeviceService service(module);

    // A handler that runs while the serial number read waits, as a timer tick would.
    bool asked = false, busy = false;
    std::optional<QString> during = QStringLiteral("untouched");
    QObject context;
    QMetaObject::invokeMethod(
        &context,
        [&] {
            asked = true;
            busy = service.LineBusy();
            during = service.ReadTime();
        },
        Qt::QueuedConnection);
    TSystemObjectModule other;
    other.SetAP(&ap);
    other.SetAddress(1);
    EXPECT_EQ(other.SystemChannel().ReadSerialNumber(), 7u);
    ASSERT_TRUE(asked);
    EXPECT_TRUE(busy);
    EXPECT_EQ(during, std::nullopt);
    EXPECT_EQ(dev.RequestCount(), 1); // only the serial number read went out
    EXPECT_FALSE(service.LineBusy());
    EXPECT_EQ(service.ReadTime(), QStringLiteral("1:02:03:04"));
}

} // namespace
