// The UDP access point against a gateway simulator on 127.0.0.1, in both ways of answering.
#include "bus/UdpPortAccessPoint.h"
#include "bus/UdpSockets.h"
#include "protocol/NerixModule.h"
#include "support/NerixFrames.h"
#include "support/UdpGateway.h"

#include <QElapsedTimer>
#include <QThread>
#include <QUdpSocket>
#include <gtest/gtest.h>

namespace {

class UdpAccessPoint : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        ASSERT_TRUE(gateway.Ok());
        gateway.Devices().AddNerixDevice(5, {{{0, 1}, 1234}, {{0, 2}, 77}});
        client.SetHost(QStringLiteral("127.0.0.1"));
        client.SetRemotePort(gateway.Port());
        server.SetDefaultPort(0);
        ap.SetUDPClient(&client);
        ap.SetUDPServer(&server);
        ap.SetUseLocalPort(GetParam());
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active());
        if (GetParam())
            gateway.SetAnswerPort(server.LocalPort());
        module.SetAP(&ap);
        module.SetAddress(5);
    }
    quint32 Read(quint16 property, bool* ok) {
        quint32 v = 0;
        *ok = module.ReadProperty(property, 0, v);
        return v;
    }

    TUdpGateway gateway;
    TUdpClientSocket client;
    TUdpServerSocket server;
    TUdpPortAccessPoint ap;
    TNerixModule module;
};

TEST_P(UdpAccessPoint, ReadsWritesAndSilence) {
    bool ok = false;
    EXPECT_EQ(Read(1, &ok), 1234u);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(module.WriteProperty(2, 0, 99));
    EXPECT_EQ(gateway.Devices().Property(5, 0, 2), 99u);
    Read(50, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(gateway.RequestCount(), 4); // two tries for the silent one
}

TEST_P(UdpAccessPoint, ALateAnswerIsNotTakenForTheNextRequest) {
    ap.SetTryCount(1);
    ap.SetTimeout(50);
    gateway.DelayNextAnswers({150});
    bool ok = true;
    Read(1, &ok);
    EXPECT_FALSE(ok);
    QThread::msleep(200); // the late answer arrives meanwhile
    EXPECT_EQ(Read(2, &ok), 77u);
    EXPECT_TRUE(ok);
}

TEST_P(UdpAccessPoint, DatagramsFromAnotherHostAreDropped) {
    ap.SetTryCount(1);
    ap.SetTimeout(150);
    gateway.DelayNextAnswers({60});
    // A forged answer from 127.0.0.2 to whichever socket is listening, before the real one.
    const quint16 port = GetParam() ? server.LocalPort() : client.Socket()->localPort();
    std::thread forger([port] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        TUdpGateway::SendForeign(NerixFrame(5, 0, 0, 1, 666), port);
    });
    bool ok = false;
    const quint32 v = Read(1, &ok);
    forger.join();
    EXPECT_TRUE(ok);
    EXPECT_EQ(v, 1234u);
    EXPECT_EQ(ap.ForeignDatagrams(), 1);
}

TEST_P(UdpAccessPoint, LengthChecksAndTheClosedState) {
    int traffic = 0;
    ap.OnTraffic = [&](const quint8*, quint16, bool) { ++traffic; };
    quint8 answer[11] = {};
    const quint8 request[1] = {0};
    EXPECT_FALSE(ap.DoExchange(request, 0, answer, 11)); // nothing to send
    EXPECT_EQ(gateway.RequestCount(), 0);
    std::vector<quint8> big(2049);
    EXPECT_FALSE(ap.DoExchange(big.data(), 2049, answer, 11));
    ap.SetActive(false);
    EXPECT_FALSE(ap.Active());
    bool ok = true;
    Read(1, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(gateway.RequestCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothWays, UdpAccessPoint, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "LocalPort" : "ToSender"; });

TEST(UdpAccessPointLocalPort, AnswersInPiecesAndTooLongAnswers) {
    TUdpGateway gateway;
    ASSERT_TRUE(gateway.Ok());
    gateway.Devices().AddNerixDevice(5, {{{0, 1}, 1234}});
    TUdpClientSocket client;
    client.SetHost(QStringLiteral("127.0.0.1"));
    client.SetRemotePort(gateway.Port());
    TUdpServerSocket server;
    server.SetDefaultPort(0);
    TUdpPortAccessPoint ap;
    ap.SetUDPClient(&client);
    ap.SetUDPServer(&server);
    ap.SetUseLocalPort(true);
    ap.SetTryCount(1);
    ASSERT_TRUE((ap.SetActive(true), ap.Active()));
    gateway.SetAnswerPort(server.LocalPort());
    TNerixModule module;
    module.SetAP(&ap);
    module.SetAddress(5);

    gateway.SetSplit(5);
    quint32 v = 0;
    EXPECT_TRUE(module.ReadProperty(1, 0, v));
    EXPECT_EQ(v, 1234u);

    gateway.SetSplit(0);
    gateway.SetTail(QByteArray(1, '\0')); // 12 bytes for 11
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(module.ReadProperty(1, 0, v));
    EXPECT_GE(t.elapsed(), 95); // it waited its full time-out

    // The way of receiving changes only while closed.
    ap.SetUseLocalPort(false);
    EXPECT_TRUE(ap.UseLocalPort());
    ap.SetActive(false);
    ap.SetUseLocalPort(false);
    EXPECT_FALSE(ap.UseLocalPort());
    EXPECT_FALSE(server.Active());
}

TEST(UdpAccessPointSettings, TimeoutRuleAndOpenFailures) {
    TUdpPortAccessPoint ap;
    EXPECT_EQ(ap.Timeout(), 100);
    ap.SetTimeout(9);
    EXPECT_EQ(ap.Timeout(), 100);
    ap.SetTimeout(10);
    EXPECT_EQ(ap.Timeout(), 10);
    EXPECT_EQ(ap.Baudrate(), 0);
    // No sockets: it cannot open.
    ap.SetActive(true);
    EXPECT_FALSE(ap.Active());

    // A local port that is taken: the open fails and leaves both sockets closed.
    TUdpServerSocket first;
    first.SetDefaultPort(0);
    ASSERT_TRUE(first.SetActive(true));
    TUdpServerSocket second;
    second.SetBindAddress(QStringLiteral("0.0.0.0"));
    second.SetDefaultPort(first.LocalPort());
    TUdpClientSocket client;
    client.SetHost(QStringLiteral("127.0.0.1"));
    ap.SetUDPClient(&client);
    ap.SetUDPServer(&second);
    ap.SetUseLocalPort(true);
    ap.SetActive(true);
    EXPECT_FALSE(ap.Active());
    EXPECT_FALSE(client.Active());
}

} // namespace
