// The main window's TCP connection: its view and settings, connecting and searching through a serial
// device server (socat relaying a TCP port to the emulator's terminal) and a Modbus TCP gateway (the
// emulator's own TCP front end), and what the window shows when the peer closes the connection.
#include "bus/ui/TCPPortDlg.h"
#include "discovery/ui/TCPFinding.h"
#include "localization/Localization.h"
#include "options/AdminOptions.h"
#include "options/OptionsDm.h"
#include "protocol/NerixModule.h"
#include "shell/Dm.h"
#include "shell/ui/ConnectionsTool.h"
#include "shell/ui/MainForm.h"
#include "support/LanguageRestored.h"
#include "support/NerixFrames.h"
#include "support/TcpDeviceServer.h"
#include "support/TcpPeer.h"
#include "traffic/ui/TrafficUnit.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs Action on the modal dialog of type T once it shows; the caller then starts what shows it.
template <typename T> void WhenShown(std::function<void(T&)> Action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, Action] {
        if (auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            Action(*dlg);
        }
    });
    timer->start();
}

bool WaitUntil(const std::function<bool()>& Done, int Ms = 3000) {
    QElapsedTimer t;
    t.start();
    while (!Done() && t.elapsed() < Ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return Done();
}

// The program as start-up builds it, with the TCP connection chosen and pointed at Port.
struct App {
    TLanguageRestored language;
    QTemporaryDir folder;
    std::unique_ptr<TOptionsDm> options;
    std::unique_ptr<TDm> dm;
    std::unique_ptr<TMainForm> form;
    QStringList errors;
    App(quint16 Port, int Framing = 0) {
        options = std::make_unique<TOptionsDm>(folder.path());
        TAccessPointsOptions& ap = *options->AdminOptions()->AccessPoints();
        ap.SetAccessPointID(kAccessPointTcp);
        ap.TcpPortAPOptions()->SetHost(QStringLiteral("127.0.0.1"));
        ap.TcpPortAPOptions()->SetRemoutePort(Port);
        ap.TcpPortAPOptions()->SetFraming(Framing);
        ap.TcpPortAPOptions()->SetTimeout(100);
        dm = std::make_unique<TDm>();
        form = std::make_unique<TMainForm>(*dm, *options->AdminOptions());
        form->resize(880, 581);
        Tcp().OnError = [this](const QString& t) { errors << t; };
    }
    TTcpPortConnection& Tcp() { return form->TcpConnection(); }
    QString Panel(int i) { return Tcp().Panel(i) ? Tcp().Panel(i)->text() : QStringLiteral("<none>"); }
    // "Search", through the main window, over addresses 1 .. Stop with the protocol at Protocol.
    void Search(int Stop, int Protocol) {
        WhenShown<TTCPFindingDlg>([Stop, Protocol](TTCPFindingDlg& dlg) {
            dlg.ProtocolEdit->setCurrentIndex(dlg.ProtocolEdit->findData(Protocol));
            dlg.ProtocolEditChange();
            dlg.StopEdit->setText(QString::number(Stop));
            dlg.StartBtn->click();
            dlg.CloseBtn->click();
        });
        form->actFindDevicesExecute();
    }
    QStringList Row(int i) {
        QStringList r;
        for (int c = 0; c < form->DeviceList->columnCount(); ++c)
            r << form->DeviceList->topLevelItem(i)->text(c);
        return r;
    }
};

TEST(TcpConnection, ChosenAtStartWithItsViewInEveryLanguage) {
    App app(1);
    ASSERT_EQ(app.form->ActiveConfig(), &app.Tcp());
    EXPECT_TRUE(app.form->menuTcpPort->isVisible());
    EXPECT_EQ(app.form->btnAP->text(), QStringLiteral("TCP Port"));
    ASSERT_EQ(app.form->DeviceList->columnCount(), 5);
    EXPECT_EQ(app.form->DeviceList->headerItem()->text(1), QStringLiteral("Baud rate"));
    EXPECT_EQ(app.Panel(0), QStringLiteral("Host"));
    EXPECT_EQ(app.Panel(4), QStringLiteral("Framing"));
    EXPECT_EQ(app.Panel(6), QString());
    EXPECT_EQ(app.Panel(7), QStringLiteral("<none>"));
    app.form->SetLanguage(liUkrainian);
    EXPECT_EQ(app.form->btnAP->text(), QStringLiteral("TCP-порт"));
    EXPECT_EQ(app.form->DeviceList->headerItem()->text(3), QStringLiteral("Тип пристрою"));
    EXPECT_EQ(app.Panel(0), QStringLiteral("Хост"));
    // Switching away and back builds the view again.
    app.form->menuUdpPortClick();
    EXPECT_EQ(app.form->DeviceList->columnCount(), 4);
    app.form->menuTcpPortClick();
    EXPECT_EQ(app.options->AdminOptions()->AccessPoints()->AccessPointID(), kAccessPointTcp);
    EXPECT_EQ(app.Panel(2), QStringLiteral("Порт"));
}

TEST(TcpConnection, RefusedConnectionIsReportedAndLeavesItDisconnected) {
    App app(1); // nobody listens on port 1
    app.form->ConnectBtnClick();
    EXPECT_FALSE(app.Tcp().IsConnected());
    EXPECT_FALSE(app.form->actBusConnect->isChecked());
    EXPECT_FALSE(app.form->actFindDevices->isEnabled());
    ASSERT_EQ(app.errors.size(), 1);
    EXPECT_TRUE(
        app.errors[0].startsWith(QStringLiteral("TCP connection error\ncannot connect to 127.0.0.1:1")))
        << app.errors[0].toStdString();
    EXPECT_TRUE(app.errors[0].contains(QLatin1String("refused")));
    EXPECT_EQ(app.Panel(1), QString());
}

// What the dialog shows is what the options hold, what it takes goes into them all or nothing, and
// they survive the program's shutdown and the next start.
TEST(TcpConnection, SettingsRoundTripThroughTheDialogAndTheOptionsFile) {
    TLanguageRestored language;
    QTemporaryDir folder;
    {
        TOptionsDm options(folder.path());
        TDm dm;
        TMainForm form(dm, *options.AdminOptions());
        form.menuTcpPortClick();
        QString firstError;
        WhenShown<TTCPPortDlg>([&](TTCPPortDlg& dlg) {
            EXPECT_EQ(dlg.windowTitle(), QStringLiteral("TCP connection settings"));
            EXPECT_EQ(dlg.edtRemoutePort->text(), QStringLiteral("8081"));
            EXPECT_EQ(dlg.cbFraming->currentText(), QStringLiteral("Raw (serial device server)"));
            dlg.edtHost->setText(QStringLiteral(" converter.local "));
            dlg.edtRemoutePort->setText(QStringLiteral("0"));
            dlg.cbFraming->setCurrentIndex(1);
            dlg.edtTimeout->setText(QStringLiteral("350"));
            TTcpSettingsValues v;
            firstError = dlg.Store(v); // port 0 refused, nothing taken
            EXPECT_EQ(v.Host, QString());
            dlg.edtRemoutePort->setText(QStringLiteral("4001"));
            dlg.CancelBtn->click();
        });
        EXPECT_FALSE(form.TcpConnection().ShowSettings());
        EXPECT_EQ(firstError, QStringLiteral("Port: enter a whole number from 1 to 65535"));
        EXPECT_EQ(options.AdminOptions()->AccessPoints()->TcpPortAPOptions()->RemoutePort(), 8081);

        WhenShown<TTCPPortDlg>([](TTCPPortDlg& dlg) {
            dlg.edtHost->setText(QStringLiteral(" converter.local "));
            dlg.edtRemoutePort->setText(QStringLiteral("4001"));
            dlg.cbFraming->setCurrentIndex(1);
            dlg.edtTimeout->setText(QStringLiteral("350"));
            dlg.OkBtn->click();
        });
        EXPECT_TRUE(form.TcpConnection().ShowSettings());
    }
    TOptionsDm options(folder.path());
    const TAccessPointsOptions& ap = *options.AdminOptions()->AccessPoints();
    EXPECT_EQ(ap.AccessPointID(), kAccessPointTcp);
    EXPECT_EQ(ap.TcpPortAPOptions()->Host(), QStringLiteral("converter.local"));
    EXPECT_EQ(ap.TcpPortAPOptions()->RemoutePort(), 4001);
    EXPECT_EQ(ap.TcpPortAPOptions()->Framing(), 1);
    EXPECT_EQ(ap.TcpPortAPOptions()->Timeout(), 350);

    TTCPPortDlg dlg;
    const struct {
        const char *host, *port, *timeout, *error;
    } bad[] = {
        {"", "502", "200", "Host: enter the converter's address or name"},
        {"a b", "502", "200", "Host: enter the converter's address or name"},
        {"h", "65536", "200", "Port: enter a whole number from 1 to 65535"},
        {"h", "x", "200", "Port: enter a whole number from 1 to 65535"},
        {"h", "502", "19", "Timeout, ms: enter a whole number from 20 to 10000"},
        {"h", "502", "10001", "Timeout, ms: enter a whole number from 20 to 10000"},
    };
    for (const auto& c : bad) {
        dlg.edtHost->setText(QString::fromLatin1(c.host));
        dlg.edtRemoutePort->setText(QString::fromLatin1(c.port));
        dlg.edtTimeout->setText(QString::fromLatin1(c.timeout));
        TTcpSettingsValues v;
        EXPECT_EQ(dlg.Store(v), QString::fromLatin1(c.error)) << c.host << " " << c.port << " " << c.timeout;
    }
}

// Nerix and Modbus through a serial device server: the window connects with the stored settings, and
// its search is the serial scan over the TCP access point.
TEST(TcpConnection, SearchThroughASerialDeviceServerNerixAndModbus) {
    for (const char* protocol : {"nerix", "modbus"}) {
        SCOPED_TRACE(protocol);
        TTcpDeviceServer server(QStringLiteral(DVV_CLI_PATH), protocol, "KVD-AIK-BUS,KVD-DO-BUS");
        ASSERT_TRUE(server.Ready()) << server.emulator.Out().toStdString();
        App app(server.port);
        app.form->ConnectBtnClick();
        ASSERT_TRUE(app.Tcp().IsConnected()) << app.errors.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(app.form->actBusConnect->isChecked());
        EXPECT_FALSE(app.form->btnAP->isEnabled());
        EXPECT_EQ(app.Panel(1), QStringLiteral("127.0.0.1"));
        EXPECT_EQ(app.Panel(3), QString::number(server.port));
        EXPECT_EQ(app.Panel(5), QStringLiteral("Raw"));
        EXPECT_EQ(app.Panel(6), QStringLiteral("Connected"));
        EXPECT_EQ(app.dm->CurrentAccessPoint, &app.dm->TcpAccessPoint);
        EXPECT_EQ(app.form->TrafficDlg().PortLb->text(), QStringLiteral("TCP %1").arg(server.port));

        const bool modbus = QLatin1String(protocol) == QLatin1String("modbus");
        app.Search(4, modbus ? tpModbus : tpNerix);
        ASSERT_EQ(app.form->DeviceList->topLevelItemCount(), 2);
        EXPECT_EQ(app.Row(0)[0], QStringLiteral("0x01 (1)"));
        // An emulated device's settings word names no speed: the column stays empty rather than wrong.
        EXPECT_EQ(app.Row(0)[1], QString());
        EXPECT_EQ(app.Row(0)[2], modbus ? QStringLiteral("Modbus RTU") : QStringLiteral("Nerix"));
        EXPECT_EQ(app.Row(0)[3], QStringLiteral("KVD-AIK-BUS"));
        EXPECT_EQ(app.Row(1)[3], QStringLiteral("KVD-DO-BUS"));
        EXPECT_EQ(app.dm->Devices.Count(), 2);
        EXPECT_TRUE(app.form->actOscilloscope->isEnabled());

        // A device chosen in the list is reached over the same connection.
        app.form->DeviceList->topLevelItem(1)->setSelected(true);
        EXPECT_EQ(app.dm->CurrentDevice, app.dm->Devices.Items(1));
        app.dm->Module.SetAP(app.dm->CurrentAccessPoint);
        app.dm->Module.SetAddress(2);
        app.dm->Module.SetTransferProtocol(modbus ? tpModbus : tpNerix);
        quint32 type = 0;
        EXPECT_TRUE(app.dm->Module.ReadProperty(0, 0, type));
        EXPECT_EQ(type, 5u);

        app.form->ConnectBtnClick();
        EXPECT_FALSE(app.Tcp().IsConnected());
        EXPECT_EQ(app.Panel(6), QString());
        EXPECT_TRUE(app.form->btnAP->isEnabled());
    }
}

// A Modbus TCP gateway carries Modbus alone: the search offers nothing else and finds the devices.
TEST(TcpConnection, SearchThroughAModbusTcpGateway) {
    TChildProcess gateway(QStringLiteral(DVV_CLI_PATH),
                          {QStringLiteral("emulate"), QStringLiteral("--tcp-listen"), QStringLiteral("0"),
                           QStringLiteral("--mbap"), QStringLiteral("--devices"),
                           QStringLiteral("KVD-AIK-BUS,KVD-DOS12-BUS")});
    ASSERT_TRUE(gateway.WaitFor(QStringLiteral("emulating"))) << gateway.Out().toStdString();
    const auto m = QRegularExpression(QStringLiteral("TCP port (\\d+)")).match(gateway.Out());
    ASSERT_TRUE(m.hasMatch());
    App app(quint16(m.captured(1).toUInt()), 1);
    app.form->ConnectBtnClick();
    ASSERT_TRUE(app.Tcp().IsConnected()) << app.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(app.Panel(5), QStringLiteral("Modbus TCP"));
    int protocols = -1;
    bool note = false;
    WhenShown<TTCPFindingDlg>([&](TTCPFindingDlg& dlg) {
        protocols = dlg.ProtocolEdit->count();
        note = dlg.NoteLbl->isVisible();
        dlg.StopEdit->setText(QStringLiteral("3"));
        dlg.StartBtn->click();
        dlg.CloseBtn->click();
    });
    app.form->actFindDevicesExecute();
    EXPECT_EQ(protocols, 1);
    EXPECT_TRUE(note);
    ASSERT_EQ(app.form->DeviceList->topLevelItemCount(), 2);
    EXPECT_EQ(app.Row(1)[2], QStringLiteral("Modbus RTU"));
    EXPECT_EQ(app.Row(1)[3], QStringLiteral("KVD-DOS12-BUS"));
}

// The peer closes: the window says so at once and stays connected, since the next request connects
// again. When that fails too, the connection is shown as lost and the buttons as disconnected, and
// nothing waits on a peer that is gone.
TEST(TcpConnection, PeerClosedThenReconnectedThenLost) {
    auto peer = std::make_unique<TTcpPeer>();
    ASSERT_TRUE(peer->Ok());
    // A device at address 5 whose every property reads 42.
    peer->OnData = [](QTcpSocket* s, const QByteArray& request) {
        s->write(NerixFrame(5, 0, 0, quint16(request[4]), 42));
    };
    App app(peer->Port());
    app.form->ConnectBtnClick();
    ASSERT_TRUE(app.Tcp().IsConnected());
    EXPECT_EQ(app.Panel(6), QStringLiteral("Connected"));

    peer->CloseAll();
    ASSERT_TRUE(WaitUntil([&] { return app.Panel(6) == QStringLiteral("Closed by peer"); }))
        << app.Panel(6).toStdString();
    EXPECT_EQ(app.Tcp().LinkState(), TTcpPortConnection::TLinkState::PeerClosed);
    EXPECT_TRUE(app.Tcp().Panel(6)->toolTip().contains(QLatin1String("closed the connection")));
    EXPECT_TRUE(app.Tcp().Panel(6)->toolTip().contains(QLatin1String("The next request connects again.")));
    EXPECT_TRUE(app.form->actBusConnect->isChecked());
    EXPECT_TRUE(app.form->actFindDevices->isEnabled());
    app.form->SetLanguage(liUkrainian);
    EXPECT_EQ(app.Panel(6), QStringLiteral("Закрито іншою стороною"));
    app.form->SetLanguage(liEnglish);

    // Any request connects again and the state says so.
    TNerixModule& module = app.dm->Module;
    module.SetAP(&app.dm->TcpAccessPoint);
    module.SetAddress(5);
    module.SetTransferProtocol(tpNerix);
    quint32 v = 0;
    EXPECT_TRUE(module.ReadProperty(1, 0, v));
    EXPECT_EQ(v, 42u);
    EXPECT_EQ(app.Panel(6), QStringLiteral("Connected"));
    EXPECT_EQ(app.dm->TcpAccessPoint.Connects(), 2);

    // Now the converter is gone altogether.
    peer.reset();
    ASSERT_TRUE(WaitUntil([&] { return app.Panel(6) == QStringLiteral("Closed by peer"); }));
    // A search finds that out at its first address and ends there, instead of asking 255 addresses
    // over a connection that is gone.
    QElapsedTimer t;
    t.start();
    app.Search(255, tpNerix);
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_EQ(app.form->DeviceList->topLevelItemCount(), 0);
    EXPECT_EQ(app.Panel(6), QStringLiteral("Connection lost"));
    EXPECT_TRUE(app.Tcp().Panel(6)->toolTip().contains(QLatin1String("refused")))
        << app.Tcp().Panel(6)->toolTip().toStdString();
    EXPECT_FALSE(app.Tcp().IsConnected());
    EXPECT_FALSE(app.form->actBusConnect->isChecked());
    EXPECT_FALSE(app.form->actFindDevices->isEnabled());
    EXPECT_TRUE(app.form->btnAP->isEnabled());
    // Later requests fail at once, without trying the dead peer again.
    const int connects = app.dm->TcpAccessPoint.Connects();
    EXPECT_FALSE(module.ReadProperty(1, 0, v));
    EXPECT_EQ(app.dm->TcpAccessPoint.Connects(), connects);
    EXPECT_TRUE(app.errors.isEmpty());
}

} // namespace
