#include "shell/ui/ConnectionsTool.h"
#include "bus/ui/BusSettingsForm.h"
#include "bus/ui/UDPPortDlg.h"
#include "discovery/ui/FindDevices.h"
#include "discovery/ui/UDPFinding.h"
#include "localization/Localization.h"
#include "options/AdminOptions.h"
#include "shell/Dm.h"
#include "support/LanguageRestored.h"
#include "support/PortsFolder.h"
#include "support/ScriptedDevice.h"
#include "support/UdpGateway.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUdpSocket>
#include <gtest/gtest.h>

namespace {

class Connections : public ::testing::Test {
protected:
    void SetUp() override {
        list.resize(800, 300);
        com.OnError = [this](const QString& t) { errors << t; };
        udp.OnError = [this](const QString& t) { errors << t; };
    }
    TLanguageRestored language;
    QTreeWidget list;
    QStatusBar bar;
    TDm dm;
    TAdminOptions options;
    TComPortConnection com{&list, &bar, dm, options};
    TUdpPortConnection udp{&list, &bar, dm, options};
    QStringList errors;
};

TEST_F(Connections, SerialViewColumnsPanelsAndLanguage) {
    com.SetupView();
    EXPECT_EQ(com.GetName(), QStringLiteral("Com Port"));
    ASSERT_EQ(list.columnCount(), 5);
    EXPECT_EQ(list.headerItem()->text(0), QStringLiteral("Address"));
    EXPECT_EQ(list.headerItem()->text(4), QStringLiteral("Serial number"));
    EXPECT_EQ(list.columnWidth(1), 150);
    EXPECT_EQ(com.Panel(0)->text(), QStringLiteral("Port"));
    EXPECT_EQ(com.Panel(4)->text(), QStringLiteral("State"));
    EXPECT_EQ(com.Panel(6)->width(), 150);
    EXPECT_EQ(com.Panel(7), nullptr);
    EXPECT_TRUE(com.Panel(1)->alignment() & Qt::AlignHCenter);
    SetCurrentLanguage(34);
    com.UpdateLanguage();
    EXPECT_EQ(list.headerItem()->text(3), QStringLiteral("Тип пристрою"));
    SetCurrentLanguage(liEnglish);

    udp.SetupView();
    EXPECT_EQ(list.columnCount(), 4);
    EXPECT_EQ(udp.Panel(2)->text(), QStringLiteral("Remote port"));
    // The serial panels went with the serial view.
    EXPECT_EQ(udp.Panel(0)->text(), QStringLiteral("Host"));
    EXPECT_NE(udp.Panel(7), nullptr);
    EXPECT_EQ(udp.Panel(8), nullptr);
}

TEST_F(Connections, SerialConnectFromTheOptions) {
    TPortsFolder ports;
    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    ports.Link(3, dev.PortPath());
    auto& o = *options.AccessPoints()->ComPortAPOptions();
    o.SetPort(2);
    o.SetRateID(6);
    o.SetRTSMode(2);
    com.SetupView();
    ASSERT_TRUE(com.Connect()) << errors.join(QLatin1Char(';')).toStdString();
    EXPECT_TRUE(com.IsConnected());
    EXPECT_EQ(dm.Bus.BaudRateValue(), 9600u);
    EXPECT_EQ(dm.Bus.HwFlow(), hfRTSTOGGLE);
    EXPECT_EQ(com.Panel(1)->text(), QStringLiteral("COM3"));
    EXPECT_EQ(com.Panel(3)->text(), QStringLiteral("br9600"));
    EXPECT_EQ(com.Panel(5)->text(), QStringLiteral("Connected"));
    EXPECT_EQ(dm.CurrentAccessPoint, &dm.ComAccessPoint);
    EXPECT_EQ(dm.Module.AP(), &dm.ComAccessPoint);
    // Connecting again leaves the open port alone.
    o.SetRateID(9);
    EXPECT_TRUE(com.Connect());
    EXPECT_EQ(dm.Bus.BaudRateValue(), 9600u);
    com.Disconnect();
    EXPECT_FALSE(com.IsConnected());
    EXPECT_TRUE(com.Panel(5)->text().isEmpty());

    // Values a hand-edited file may hold fall back to the defaults.
    o.SetParityID(17);
    o.SetStopBitsID(9);
    ASSERT_TRUE(com.Connect());
    EXPECT_EQ(dm.Bus.Parity(), ptNONE);
    EXPECT_EQ(dm.Bus.StopBits(), sb1BITS);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(Connections, RtsModesSetTheLineOnceAfterOpening) {
    TPortsFolder ports;
    TScriptedDevice dev;
    ports.Link(3, dev.PortPath());
    auto& o = *options.AccessPoints()->ComPortAPOptions();
    o.SetPort(2);
    std::vector<int> levels;
    dm.Bus.OnRtsLevel = [&](int level) { levels.push_back(level); };
    com.SetupView();
    for (int mode : {1, 0, 2}) {
        levels.clear();
        o.SetRTSMode(mode);
        ASSERT_TRUE(com.Connect());
        EXPECT_EQ(dm.Bus.HwFlow(), mode == 2 ? hfRTSTOGGLE : hfNONERTSON);
        EXPECT_EQ(levels, mode == 2 ? std::vector<int>{} : std::vector<int>{mode}) << mode;
        com.Disconnect();
    }
}

TEST_F(Connections, SerialOpenFailureClearsThePanels) {
    TPortsFolder ports; // empty: COM200 stands for nothing
    options.AccessPoints()->ComPortAPOptions()->SetPort(199);
    com.SetupView();
    com.Panel(1)->setText(QStringLiteral("old"));
    EXPECT_FALSE(com.Connect());
    // The message names the port and says why, on lines of their own.
    EXPECT_EQ(errors, QStringList{QStringLiteral(
                          "COM port connection error\nCOM200: no serial device has this name")});
    EXPECT_TRUE(com.Panel(1)->text().isEmpty());
    EXPECT_FALSE(com.IsConnected());
}

// The echo is set in the settings, or learnt on the first exchange; either way the status bar shows
// it while connected.
TEST_F(Connections, LocalEchoSetOrLearntShowsInTheStatusBar) {
    TPortsFolder ports;
    TScriptedDevice dev;
    ASSERT_TRUE(dev.Ok());
    dev.AddNerixDevice(1, {{{0, 1}, 4321}});
    dev.SetEcho(true);
    ports.Link(3, dev.PortPath());
    auto& o = *options.AccessPoints()->ComPortAPOptions();
    o.SetPort(2);
    com.SetupView();
    ASSERT_TRUE(com.Connect());
    EXPECT_TRUE(com.Panel(TComPortConnection::kPanelEcho)->text().isEmpty());
    dm.Module.SetAddress(1);
    quint32 serial = 0;
    ASSERT_TRUE(dm.Module.ReadProperty(1, 0, serial));
    EXPECT_EQ(serial, 4321u);
    EXPECT_EQ(com.Panel(TComPortConnection::kPanelEcho)->text(), QStringLiteral("Local echo"));
    EXPECT_FALSE(com.Panel(TComPortConnection::kPanelEcho)->toolTip().isEmpty());
    com.Disconnect();
    EXPECT_TRUE(com.Panel(TComPortConnection::kPanelEcho)->text().isEmpty());

    // Set in the options: on from the start.
    o.SetLocalEcho(true);
    ASSERT_TRUE(com.Connect());
    EXPECT_TRUE(dm.Bus.LocalEcho());
    EXPECT_EQ(com.Panel(TComPortConnection::kPanelEcho)->text(), QStringLiteral("Local echo"));
    ASSERT_TRUE(dm.Module.ReadProperty(1, 0, serial));
    com.Disconnect();
}

// A refused permission tells the user what to do; the port is named with its device.
TEST(ComPortError, NamesThePortItsDeviceAndTheRemedy) {
    const QString text =
        ComPortErrorText(2, QStringLiteral("/dev/ttyS1"), QStringLiteral("Permission denied"), true, 9);
    const QStringList lines = text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("COM port connection error"));
    EXPECT_EQ(lines[1], QStringLiteral("COM2 (/dev/ttyS1): Permission denied"));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("dialout")));
    EXPECT_TRUE(ComPortErrorText(5, QString(), QString(), false, 34).startsWith(QStringLiteral("Помилка")));
}

TEST_F(Connections, FoundDevicesAreListedOnceEach) {
    com.SetupView();
    TScanHit hit;
    hit.Address = 31;
    hit.Baud = 19200;
    hit.BaudCode = br19200;
    hit.Protocol = tpNerix;
    hit.Identity = {6, 1234, 0xFF, 0};
    com.ScanDialog().OnDeviceFound(hit);
    com.ScanDialog().OnDeviceFound(hit); // the same serial number again
    ASSERT_EQ(list.topLevelItemCount(), 1);
    EXPECT_EQ(list.topLevelItem(0)->text(0), QStringLiteral("0x1F (31)"));
    EXPECT_EQ(list.topLevelItem(0)->text(1), QStringLiteral("br19200"));
    EXPECT_EQ(list.topLevelItem(0)->text(2), QStringLiteral("Nerix"));
    EXPECT_EQ(list.topLevelItem(0)->text(3), QStringLiteral("KVD-DIO-BUS"));
    EXPECT_EQ(list.topLevelItem(0)->text(4), QStringLiteral("1234"));
    ASSERT_EQ(dm.Devices.Count(), 1);
    EXPECT_EQ(dm.Devices.Items(0)->BaudCode, br19200);
    com.ScanDialog().OnScanStart();
    EXPECT_EQ(list.topLevelItemCount(), 0);
    EXPECT_EQ(dm.Devices.Count(), 0);

    udp.SetupView();
    TUdpHit u;
    u.Address = 31;
    u.TypeCode = 9;
    u.SerialNumber = 5;
    u.ByteOrder = 3;
    udp.SearchDialog().OnDeviceFound(u);
    ASSERT_EQ(list.topLevelItemCount(), 1);
    EXPECT_EQ(list.topLevelItem(0)->text(0), QStringLiteral("0x1F"));
    EXPECT_EQ(list.topLevelItem(0)->text(2), QStringLiteral("Device not supported"));
    EXPECT_EQ(dm.Devices.Items(0)->ByteOrder, 3);
}

TEST_F(Connections, UdpConnectAndItsFailure) {
    TUdpGateway gateway;
    auto& o = *options.AccessPoints()->UdpPortAPOptions();
    o.SetHost(QStringLiteral("127.0.0.1"));
    o.SetRemoutePort(gateway.Port());
    o.SetUseLocalPort(false);
    udp.SetupView();
    ASSERT_TRUE(udp.Connect());
    EXPECT_EQ(udp.Panel(1)->text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(udp.Panel(3)->text(), QString::number(gateway.Port()));
    EXPECT_EQ(udp.Panel(6)->text(), QStringLiteral("Connected"));
    EXPECT_EQ(dm.CurrentAccessPoint, &dm.UdpAccessPoint);
    EXPECT_TRUE(udp.Connect());
    udp.Disconnect();
    EXPECT_FALSE(udp.IsConnected());

    // A local port that is taken.
    QUdpSocket taken;
    ASSERT_TRUE(taken.bind(QHostAddress::AnyIPv4, 0));
    o.SetUseLocalPort(true);
    o.SetLocalPort(taken.localPort());
    EXPECT_FALSE(udp.Connect());
    EXPECT_EQ(errors, QStringList{QStringLiteral("Error connection")});
    EXPECT_TRUE(udp.Panel(6)->text().isEmpty());
}

TEST(BusSettingsForm, AllOrNothingAndAMissingPortKeepsTheStoredOne) {
    TPortsFolder ports;
    TBusSettingsForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Settings"));
    EXPECT_EQ(form.RateEdit->count(), 20);
    EXPECT_EQ(form.RateEdit->itemText(6), QStringLiteral("br9600"));
    TBusSettingsValues v{150, 6, 0, 0, 2, 50};
    form.Load(v);
    form.RateEdit->setCurrentIndex(9);
    form.cbRTS->setCurrentIndex(1);
    form.edtTimeout->setText(QStringLiteral("fast"));
    TBusSettingsValues out = v;
    EXPECT_FALSE(form.Store(out).isEmpty());
    EXPECT_EQ(out.RateID, 6); // nothing taken
    form.edtTimeout->setText(QStringLiteral("10001"));
    EXPECT_FALSE(form.Store(out).isEmpty());
    form.edtTimeout->setText(QStringLiteral("120"));
    EXPECT_TRUE(form.Store(out).isEmpty());
    EXPECT_EQ(out.RateID, 9);
    EXPECT_EQ(out.RTSMode, 1);
    EXPECT_EQ(out.Timeout, 120);
    EXPECT_EQ(out.Port, 150); // COM151 is not there: the stored port stays

    TScriptedDevice dev;
    ports.Link(151, dev.PortPath());
    form.Load(v);
    EXPECT_EQ(form.PortEdit->currentText(), QStringLiteral("COM151 (%1)").arg(dev.PortPath().mid(5)));
}

TEST(UDPPortDlg, EveryFieldCheckedBeforeAnyIsTaken) {
    TUDPPortDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Параметры UDP-соединения"));
    TUdpSettingsValues v{QStringLiteral("10.0.0.5"), 4001, true, 8080, 100};
    dlg.Load(v);
    dlg.edtHost->setText(QStringLiteral("gateway.local"));
    dlg.edtRemoutePort->setText(QStringLiteral("5000"));
    dlg.edtLocalPort->setText(QStringLiteral("70000"));
    TUdpSettingsValues out = v;
    const QString error = dlg.Store(out);
    EXPECT_TRUE(error.startsWith(QStringLiteral("Local port"))) << error.toStdString();
    EXPECT_EQ(out.Host, QStringLiteral("10.0.0.5"));
    EXPECT_EQ(out.RemoutePort, 4001);
    dlg.edtLocalPort->setText(QStringLiteral("9000"));
    dlg.cbUseLocalPort->setChecked(false);
    EXPECT_TRUE(dlg.Store(out).isEmpty());
    EXPECT_EQ(out.Host, QStringLiteral("gateway.local"));
    EXPECT_EQ(out.RemoutePort, 5000);
    EXPECT_FALSE(out.UseLocalPort);
    EXPECT_EQ(out.LocalPort, 9000);
    dlg.edtTimeout->setText(QStringLiteral("5"));
    EXPECT_TRUE(dlg.Store(out).startsWith(QStringLiteral("Timeout")));
}

} // namespace
