#include "discovery/ui/UDPFinding.h"
#include "bus/UdpPortAccessPoint.h"
#include "bus/UdpSockets.h"
#include "protocol/NerixModule.h"
#include "support/UdpGateway.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(UDPFindingDlg, InitialStateAndTheFirstDeviceClosesIt) {
    TUdpGateway gateway;
    ASSERT_TRUE(gateway.Ok());
    gateway.Devices().AddNerixDevice(3, {{{0, 0}, 6}, {{0, 1}, 9}, {{0, 2}, 1}, {{0, 3}, 0}});
    TUdpClientSocket client;
    client.SetHost(QStringLiteral("127.0.0.1"));
    client.SetRemotePort(gateway.Port());
    TUdpServerSocket server;
    TUdpPortAccessPoint ap;
    ap.SetUDPClient(&client);
    ap.SetUDPServer(&server);
    ap.SetUseLocalPort(false);
    ap.SetTryCount(1);
    ap.SetTimeout(20);
    ap.SetActive(true);
    TNerixModule module;
    TUDPFindingDlg dlg(module, ap);
    dlg.InitState();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Device detection"));
    EXPECT_EQ(dlg.ProtocolEdit->count(), 2);
    EXPECT_EQ(dlg.ProtocolEdit->currentText(), QStringLiteral("Modbus RTU"));
    EXPECT_EQ(module.TransferProtocol(), tpModbus);
    EXPECT_EQ(dlg.CurrentAddressLbl->text(), QStringLiteral("0x00"));
    EXPECT_EQ(dlg.StartEdit->text(), QStringLiteral("1"));
    EXPECT_EQ(dlg.StopEdit->text(), QStringLiteral("255"));
    EXPECT_EQ(dlg.CloseBtn->text(), QStringLiteral("Close"));

    dlg.ProtocolEdit->setCurrentIndex(0);
    dlg.ProtocolEditChange();
    std::vector<int> found;
    dlg.OnDeviceFound = [&](const TUdpHit& h) {
        found.push_back(h.Address);
        return true;
    };
    QString during;
    dlg.Search().OnAddress = [&](quint8 a) {
        during = dlg.CloseBtn->text();
        dlg.CurrentAddressLbl->setText(QStringLiteral("0x%1").arg(a, 2, 16, QLatin1Char('0')).toUpper());
    };
    dlg.show();
    dlg.StartOneBtn->click();
    EXPECT_EQ(found, std::vector<int>{3});
    EXPECT_EQ(during, QStringLiteral("Stop"));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

} // namespace
