#include "discovery/UdpSearch.h"
#include "bus/UdpPortAccessPoint.h"
#include "bus/UdpSockets.h"
#include "model/DeviceRegister.h"
#include "protocol/NerixModule.h"
#include "support/UdpGateway.h"

#include <gtest/gtest.h>

namespace {

TEST(UdpBusSettings, TheSearchsOwnDecoding) {
    quint8 baud = 0, parity = 0, stop = 0;
    DecodeUdpBusSettings(0x20010600, baud, parity, stop);
    EXPECT_EQ(baud, 7);
    EXPECT_EQ(parity, 0);
    EXPECT_EQ(stop, 1);
    DecodeUdpBusSettings(0x30200C00, baud, parity, stop); // code 12, parity byte 2, stop code 3
    EXPECT_EQ(baud, 13);
    EXPECT_EQ(parity, 2);
    EXPECT_EQ(stop, 2);
    DecodeUdpBusSettings(0x1FF01300, baud, parity, stop); // code 19, parity byte 0xFF, stop code 1
    EXPECT_EQ(baud, 7);
    EXPECT_EQ(parity, 0);
    EXPECT_EQ(stop, 0);
    DecodeUdpBusSettings(0x00000200, baud, parity, stop); // code 2 is below the range
    EXPECT_EQ(baud, 7);
}

class UdpSearch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gateway.Ok());
        gateway.Devices().AddNerixDevice(
            2, {{{0, 0}, 9}, {{0, 1}, 501}, {{0, 2}, 3}, {{0, 3}, 0x20010600}, {{0, 101}, 4}});
        gateway.Devices().AddNerixDevice(
            4,
            {{{0, 0}, 6}, {{0, 1}, 502}, {{0, 2}, 0xFF}, {{0, 3}, 0x30200C00}, {{0, 160}, 9}, {{0, 101}, 2}});
        client.SetHost(QStringLiteral("127.0.0.1"));
        client.SetRemotePort(gateway.Port());
        ap.SetUDPClient(&client);
        ap.SetUDPServer(&server);
        ap.SetUseLocalPort(false);
        ap.SetTryCount(1);
        ap.SetTimeout(30);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active());
        search.OnDeviceFound = [this](const TUdpHit& h) { hits.push_back(h); };
    }
    TUdpGateway gateway;
    TUdpClientSocket client;
    TUdpServerSocket server;
    TUdpPortAccessPoint ap;
    TNerixModule module;
    TUdpSearch search{module, ap};
    std::vector<TUdpHit> hits;
};

TEST_F(UdpSearch, EveryAnsweringDeviceWithItsSettings) {
    search.Run(1, 5, tpNerix, false);
    ASSERT_EQ(hits.size(), 2u);
    const TUdpHit& unknown = hits[0];
    EXPECT_EQ(unknown.Address, 2);
    EXPECT_EQ(unknown.TypeCode, 9u); // taken although the catalogue has no name for it
    EXPECT_EQ(unknown.BaudCode, 7);
    EXPECT_EQ(unknown.StopBitsCode, 1);
    EXPECT_EQ(unknown.ByteOrder, boNAN); // no property 160
    EXPECT_EQ(unknown.TimeoutCode, 4u);
    TDeviceRegister catalogue;
    BuildDeviceRegister(catalogue);
    EXPECT_EQ(catalogue.FindByType(unknown.TypeCode)->ModelName, QStringLiteral("Device not supported"));

    const TUdpHit& dio = hits[1];
    EXPECT_EQ(dio.Address, 4);
    EXPECT_EQ(dio.SerialNumber, 502u);
    EXPECT_EQ(dio.ChannelMask, 0xFFu);
    EXPECT_EQ(dio.ByteOrder, boNAN); // 9 is no order: the device has none the program can use
    EXPECT_EQ(dio.ParityCode, 2);
    EXPECT_EQ(dio.BaudCode, 13);
    EXPECT_EQ(dio.TimeoutCode, 2u);
    EXPECT_FALSE(search.Found());
}

TEST_F(UdpSearch, FirstOnlyAndStop) {
    search.Run(1, 5, tpNerix, true);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_TRUE(search.Found());
    hits.clear();
    search.OnAddress = [this](quint8 a) {
        if (a == 3)
            search.Stop();
    };
    const int before = gateway.RequestCount();
    search.Run(3, 5, tpNerix, false);
    EXPECT_TRUE(hits.empty());
    EXPECT_EQ(gateway.RequestCount(), before);
}

} // namespace
