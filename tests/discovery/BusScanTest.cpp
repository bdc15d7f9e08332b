// The scan against a bus of simulated devices on a pseudo-terminal.
#include "discovery/BusScan.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "protocol/NerixModule.h"
#include "support/FakeAccessPoint.h"
#include "support/ScriptedDevice.h"
#include "support/SimulatedDevices.h"

#include <gtest/gtest.h>

namespace {

// Bus settings word: address, device speed code (the bus's code minus 1), stop-bits code in 28..31.
quint32 Settings(quint8 address, TBaudRate rate, quint32 stopCode) {
    return address | (quint32(rate - 1) << 8) | (stopCode << 28);
}

class BusScan : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        dev.AddNerixDevice(
            3, {{{0, 0}, 6}, {{0, 1}, 1001}, {{0, 2}, 0x0003F00F}, {{0, 3}, Settings(3, br9600, 3)}});
        dev.AddNerixDevice(
            7, {{{0, 0}, 64}, {{0, 1}, 2002}, {{0, 2}, 0x00000D48}, {{0, 3}, Settings(7, br9600, 2)}});
        dev.AddNerixDevice(9, {{{0, 0}, 9}, {{0, 1}, 3003}, {{0, 2}, 1}, {{0, 3}, Settings(9, br9600, 0)}});
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(30);
        ap.SetBus(&bus);
        ap.SetTryCount(1);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();
        scan.OnDeviceFound = [this](const TScanHit& h) { hits.push_back(h); };
    }

    std::vector<int> RequestedAddresses() const {
        std::vector<int> a;
        for (const auto& r : dev.Requests())
            a.push_back(quint8(r[0]));
        return a;
    }

    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TNerixModule module;
    TBusScan scan{module, ap, bus};
    std::vector<TScanHit> hits;
    TScanSettings settings{tpNerix, TScanMethod::ByAddresses, 1, 10, 0, false};
};

TEST_F(BusScan, AllDevicesInAddressOrderWithTheirIdentity) {
    bus.SetParity(ptODD);
    int starts = 0;
    scan.OnScanStart = [&] { ++starts; };
    scan.Run(settings);
    EXPECT_EQ(starts, 1);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].Address, 3);
    EXPECT_EQ(hits[0].Baud, 9600u);
    EXPECT_EQ(hits[0].BaudCode, br9600);
    EXPECT_EQ(hits[0].ParityCode, ptODD);
    EXPECT_EQ(hits[0].Protocol, tpNerix);
    EXPECT_EQ(hits[0].Identity.TypeCode, 6);
    EXPECT_EQ(hits[0].Identity.SerialNumber, 1001u);
    EXPECT_EQ(hits[0].Identity.ChannelMask, 0x0003F00Fu);
    EXPECT_EQ(hits[0].Identity.StopBitsCode, 0); // 3 is no stop-bits code
    EXPECT_EQ(hits[1].Address, 7);
    EXPECT_EQ(hits[1].Identity.StopBitsCode, 2);
    EXPECT_FALSE(scan.Found());
    EXPECT_FALSE(scan.Running());

    // Type 9 has no name: only its type was asked for.
    int askedNine = 0;
    for (const auto& r : dev.Requests())
        if (quint8(r[0]) == 9) {
            ++askedNine;
            EXPECT_EQ(quint8(r[4]), 0);
        }
    EXPECT_EQ(askedNine, 1);
    const auto asked = RequestedAddresses();
    EXPECT_TRUE(std::is_sorted(asked.begin(), asked.end()));
    EXPECT_EQ(asked.back(), 10);
    EXPECT_EQ(bus.BaudRateValue(), 9600u);
}

TEST_F(BusScan, FirstDeviceOnlyAndTheSameOverModbus) {
    settings.FirstOnly = true;
    scan.Run(settings);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].Address, 3);
    EXPECT_TRUE(scan.Found());
    EXPECT_EQ(RequestedAddresses().back(), 3);

    for (quint8 a : {3, 7, 9})
        dev.SetDeviceModbus(a, true);
    hits.clear();
    settings.FirstOnly = false;
    settings.Protocol = tpModbus;
    scan.Run(settings);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].Protocol, tpModbus);
    EXPECT_EQ(hits[1].Identity.SerialNumber, 2002u);
    EXPECT_EQ(hits[1].Identity.ChannelMask, 0x00000D48u);
}

TEST_F(BusScan, SeveralSpeedsAndTheBusSpeedRestored) {
    dev.SetDeviceBaud(3, 9600);
    dev.SetDeviceBaud(7, 19200);
    settings.SpeedMask = (1u << TRateSet::IndexOfRate(br9600)) | (1u << TRateSet::IndexOfRate(br19200));
    scan.Run(settings);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].Baud, 9600u);
    EXPECT_EQ(hits[1].Address, 7);
    EXPECT_EQ(hits[1].Baud, 19200u);
    EXPECT_EQ(hits[1].BaudCode, br19200);
    EXPECT_EQ(bus.BaudRateValue(), 9600u);
    EXPECT_TRUE(bus.IsOpen());
}

TEST_F(BusScan, ByTheBusSpeedWhenNoBoxFitsIt) {
    ap.SetActive(false);
    bus.SetBaudRateValue(250000);
    ap.SetActive(true);
    ASSERT_TRUE(ap.Active());
    settings.Stop = 3;
    scan.Run(settings);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].Baud, 250000u);
    EXPECT_EQ(hits[0].BaudCode, brCustom);
}

TEST(BusScanBySpeeds, ASingleDeviceAtItsSpeedWhateverItsAddress) {
    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    dev.AddNerixDevice(0x2A,
                       {{{0, 0}, 5}, {{0, 1}, 42}, {{0, 2}, 0xFF}, {{0, 3}, Settings(0x2A, br19200, 1)}});
    dev.SetDeviceBaud(0x2A, 19200);
    TPowerRsBus bus;
    bus.SetPortName(dev.PortPath());
    bus.SetInputTimeout(30);
    TComPortAccessPoint ap;
    ap.SetBus(&bus);
    ap.SetTryCount(1);
    ap.SetActive(true);
    ASSERT_TRUE(ap.Active());
    TNerixModule module;
    TBusScan scan(module, ap, bus);
    std::vector<TScanHit> hits;
    scan.OnDeviceFound = [&](const TScanHit& h) { hits.push_back(h); };
    std::vector<quint32> tried;
    scan.OnSpeed = [&](quint32 b) { tried.push_back(b); };
    scan.Run({tpNerix, TScanMethod::BySpeeds, 1, 255, 0, false});
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].Address, 0x2A);
    EXPECT_EQ(hits[0].Baud, 19200u);
    EXPECT_EQ(hits[0].Identity.StopBitsCode, 1);
    EXPECT_TRUE(scan.Found());
    EXPECT_EQ(tried, (std::vector<quint32>{1200, 2400, 4800, 9600, 14400, 19200}));
    EXPECT_EQ(bus.BaudRateValue(), 9600u);
}

TEST_F(BusScan, StopEndsTheScanBeforeTheNextProbe) {
    scan.OnAddress = [this](quint8 a) {
        if (a == 4)
            scan.Stop();
    };
    scan.Run(settings);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(RequestedAddresses().back(), 3);
    EXPECT_FALSE(scan.Running());
}

TEST_F(BusScan, AsciiProtocolsSendNothingAndFindNothing) {
    settings.Protocol = tpZoVuruCheckSum;
    settings.Start = 0;
    settings.Stop = 4;
    scan.Run(settings);
    EXPECT_TRUE(hits.empty());
    EXPECT_EQ(dev.RequestCount(), 0);
}

TEST(BusScanRange, RefusedRanges) {
    auto q = [](const char* s) { return QString::fromLatin1(s); };
    EXPECT_FALSE(CheckAddressRange(q("0"), q("5"), tpNerix));
    EXPECT_FALSE(CheckAddressRange(q("0"), q("5"), tpModbus));
    EXPECT_TRUE(CheckAddressRange(q("0"), q("5"), tpZoVuru));
    EXPECT_FALSE(CheckAddressRange(q("10"), q("5"), tpNerix));
    EXPECT_FALSE(CheckAddressRange(q("1"), q("256"), tpNerix));
    EXPECT_FALSE(CheckAddressRange(q("-1"), q("5"), tpZoVuru));
    EXPECT_FALSE(CheckAddressRange(q("a"), q("5"), tpNerix));
    EXPECT_FALSE(CheckAddressRange(q("1"), q(""), tpNerix));
    const auto r = CheckAddressRange(q(" 1"), q("255 "), tpNerix);
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, std::make_pair(1, 255));
}

TEST(RateSet, SpeedsLabelsAndMask) {
    TRateSet rates;
    EXPECT_EQ(rates.Items(0).Label, QStringLiteral("br1200"));
    EXPECT_EQ(rates.Items(3).Rate, br9600);
    EXPECT_EQ(rates.Items(16).Label, QStringLiteral("br921600"));
    EXPECT_EQ(rates.SelectionMask(), 0u);
    rates.SetSelectionMask(0x10009);
    EXPECT_TRUE(rates.Items(16).Selected);
    EXPECT_EQ(rates.SelectionMask(), 0x10009u);
    EXPECT_EQ(TRateSet::IndexOfRate(br9600), 3);
    EXPECT_EQ(TRateSet::IndexOfRate(br600), -1);
    EXPECT_EQ(TRateSet::IndexOfRate(brCustom), -1);
}

// An adapter that echoes, with nobody behind it: every read "answers" with its own request, which
// carries the value 0, the type code of a real model. No phantom device may be listed.
TEST_F(BusScan, AnEchoAloneIsNoDevice) {
    dev.SetEcho(true);
    dev.SetSilent(true);
    settings.Stop = 4;
    scan.Run(settings);
    EXPECT_TRUE(hits.empty());
    EXPECT_FALSE(bus.LocalEcho()); // an echo with no answer after it teaches nothing

    // With the devices answering behind the echo, the scan finds them and the bus learns the echo.
    dev.SetSilent(false);
    scan.Run(settings);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].Address, 3);
    EXPECT_EQ(hits[0].Identity.SerialNumber, 1001u);
    EXPECT_TRUE(bus.LocalEcho());
}

// A genuine device whose type code is 0 answers the type read with a copy of the request; its serial
// number confirms it.
TEST_F(BusScan, ADeviceOfTypeZeroIsConfirmedByItsSerialNumber) {
    dev.AddNerixDevice(2, {{{0, 0}, 0}, {{0, 1}, 4242}, {{0, 2}, 1}, {{0, 3}, Settings(2, br9600, 0)}});
    settings.Stop = 2;
    scan.Run(settings);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].Identity.TypeCode, 0);
    EXPECT_EQ(hits[0].Identity.SerialNumber, 4242u);
    EXPECT_FALSE(bus.LocalEcho());
}

// Behind a converter that owns the line's speed: addresses only, whatever the settings ask for,
// each device with the speed and parity its own settings name, and the echo guard still on.
TEST(BusScanBehindAConverter, AddressesOnlyWithEachDevicesOwnLineSettings) {
    TSimulatedDevices devices;
    devices.AddNerixDevice(
        3, {{{0, 0}, 6}, {{0, 1}, 1001}, {{0, 2}, 0xF}, {{0, 3}, Settings(3, br19200, 1) | (2u << 24)}});
    devices.AddNerixDevice(6,
                           {{{0, 0}, 64}, {{0, 1}, 3003}, {{0, 2}, 1}, {{0, 3}, Settings(6, br115200, 0)}});
    // A settings word whose speed field names no device speed (below 1200 bit/s).
    devices.AddNerixDevice(8, {{{0, 0}, 6}, {{0, 1}, 3004}, {{0, 2}, 1}, {{0, 3}, 8}});
    TFakeAccessPoint ap([&](const QByteArray& request, int) {
        // Address 5 is a line that only mirrors what it is sent.
        return quint8(request[0]) == 5 ? request : devices.Answer(request, 0);
    });
    ap.SetTryCount(1);
    ap.SetActive(true);
    TNerixModule module;
    TBusScan scan(module, ap);
    EXPECT_FALSE(scan.OwnsSpeed());
    std::vector<TScanHit> hits;
    int speeds = 0;
    scan.OnDeviceFound = [&](const TScanHit& h) { hits.push_back(h); };
    scan.OnSpeed = [&](quint32) { ++speeds; };
    // Speeds ticked and a search by speeds asked for: neither has a meaning here.
    scan.Run({tpNerix, TScanMethod::BySpeeds, 1, 8, 0x1FFFF, false});
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[0].Address, 3);
    EXPECT_EQ(hits[0].Baud, 19200u);
    EXPECT_EQ(hits[0].BaudCode, br19200);
    EXPECT_EQ(hits[0].ParityCode, 2);
    EXPECT_EQ(hits[0].Identity.StopBitsCode, 1);
    EXPECT_EQ(hits[1].Address, 6);
    EXPECT_EQ(hits[1].Baud, 115200u);
    EXPECT_EQ(hits[2].Address, 8);
    EXPECT_EQ(hits[2].Baud, 0u);
    EXPECT_EQ(hits[2].BaudCode, 0);
    EXPECT_EQ(speeds, 0);
    // One type read for each of the four silent addresses, the mirror's type and serial reads, four
    // reads per device.
    EXPECT_EQ(ap.Attempts.size(), size_t(4 + 2 + 3 * 4));
}

} // namespace
