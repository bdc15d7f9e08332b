#include "emulator/ui/EmulatorForm.h"
#include "emulator/EmulatorTcpServer.h"
#include "emulator/VirtualChannel.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/ui/EmulatorStatsView.h"
#include "options/AdminOptions.h"
#include "support/PortsFolder.h"
#include "support/PtyPair.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTcpServer>
#include <QTreeWidget>
#include <bit>
#include <gtest/gtest.h>
#include <modbus/modbus.h>
#include <thread>

namespace {

class EmulatorWindow : public ::testing::Test {
protected:
    void SetUp() override {
        form.OnMessage = [this](const QString& t) { messages << t; };
    }
    void Check(int row, bool on = true) {
        form.DeviceList->topLevelItem(row)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
    TVirtualDeviceManager manager;
    TEmulatorTcpServer server{manager};
    TAdminOptions options;
    TEmulatorForm form{manager, server, *options.EmulatorPoints()};
    QStringList messages;
};

TEST_F(EmulatorWindow, RowsBoxesAndTexts) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Select devices"));
    ASSERT_EQ(form.DeviceList->topLevelItemCount(), 10);
    EXPECT_EQ(form.DeviceList->topLevelItem(4)->text(0), QStringLiteral("KVD-DI-BUS"));
    EXPECT_EQ(form.DeviceList->topLevelItem(9)->text(1), QStringLiteral("1"));
    EXPECT_EQ(form.PortBox->count(), 255);
    EXPECT_EQ(form.RateBox->itemText(0), QStringLiteral("br110"));
    EXPECT_EQ(form.RateBox->itemText(12), QStringLiteral("br115200"));
    // The options' choices (COM2, br9600, Nerix by default).
    EXPECT_EQ(form.PortBox->currentText(), QStringLiteral("COM2"));
    EXPECT_EQ(form.RateBox->currentText(), QStringLiteral("br9600"));
    EXPECT_EQ(form.ProtocolBox->currentText(), QStringLiteral("Nerix"));

    int offered = 0;
    form.OnEditCount = [&](int& count) {
        offered = count;
        count = 4;
        return true;
    };
    form.DeviceListDblClick(form.DeviceList->topLevelItem(2));
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(form.DeviceList->topLevelItem(2)->text(1), QStringLiteral("4"));
}

TEST_F(EmulatorWindow, NothingCheckedOpensNothing) {
    form.ApplyBtn->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Choose at least one device to emulate")});
    EXPECT_FALSE(manager.Active());
    EXPECT_NE(form.result(), QDialog::Accepted);
}

TEST_F(EmulatorWindow, ApplyStartsTheBusAndKeepsTheChoices) {
    TPortsFolder ports;
    TPtyPair pty;
    ports.Link(7, pty.SlavePath());
    Check(4); // KVD-DI-BUS: its devices report type 10
    Check(0);
    form.PortBox->setCurrentIndex(6);
    form.RateBox->setCurrentIndex(9);
    form.ProtocolBox->setCurrentIndex(1);
    form.ApplyBtn->click();
    ASSERT_TRUE(manager.Active()) << messages.join(QLatin1Char(';')).toStdString();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    ASSERT_EQ(manager.DeviceCount(), 2);
    EXPECT_EQ(manager.DeviceAt(0)->TypeCode(), 0u);
    EXPECT_EQ(manager.DeviceAt(1)->TypeCode(), 10u);
    EXPECT_EQ(manager.Protocol(), 1);
    EXPECT_EQ(options.EmulatorPoints()->Port(), 6);
    EXPECT_EQ(options.EmulatorPoints()->RateID(), 9);
    EXPECT_EQ(options.EmulatorPoints()->Protocol(), 1);
    manager.SetActive(false);
}

TEST_F(EmulatorWindow, APortThatDoesNotOpenLeavesNoDevices) {
    TPortsFolder ports; // COM250 stands for nothing
    Check(1);
    form.PortBox->setCurrentIndex(249);
    form.ApplyBtn->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("COM-port connection error")});
    EXPECT_EQ(manager.DeviceCount(), 0);
    EXPECT_FALSE(manager.Active());
    EXPECT_EQ(options.EmulatorPoints()->Port(), 1); // not stored
}

} // namespace

TEST_F(EmulatorWindow, BadFaultsOrSeedStartNothingAndSayWhatIsWrong) {
    TPortsFolder ports;
    TPtyPair pty;
    ports.Link(2, pty.SlavePath());
    Check(0);
    form.FaultsEdit->setText(QStringLiteral("delay=5,drop=2"));
    EXPECT_TRUE(form.FaultsState->text().contains(QLatin1String("drop=2")))
        << form.FaultsState->text().toStdString();
    form.ApplyBtn->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QLatin1String("\"drop=2\""))) << messages[0].toStdString();
    EXPECT_FALSE(manager.Active());
    EXPECT_EQ(form.Pages->currentIndex(), 1);

    form.FaultsEdit->setText(QStringLiteral("drop=0.5"));
    EXPECT_EQ(form.FaultsState->text(), QStringLiteral("The faults are valid"));
    form.SeedEdit->setText(QStringLiteral("-3"));
    form.ApplyBtn->click();
    EXPECT_EQ(messages.size(), 2);
    EXPECT_FALSE(manager.Active());
    EXPECT_TRUE(options.EmulatorPoints()->Faults().isEmpty());
}

TEST_F(EmulatorWindow, FaultsAndSeedGoToTheBusAndTheOptions) {
    TPortsFolder ports;
    TPtyPair pty;
    ports.Link(2, pty.SlavePath());
    Check(0);
    form.FaultsEdit->setText(QStringLiteral(" delay=5-40 , device=1:stop-after=3 "));
    form.SeedEdit->setText(QStringLiteral("99"));
    form.ApplyBtn->click();
    ASSERT_TRUE(manager.Active()) << messages.join(QLatin1Char(';')).toStdString();
    EXPECT_EQ(EmulatorFaultsText(manager.Faults()), QStringLiteral("delay=5-40,device=1:stop-after=3"));
    EXPECT_EQ(manager.FaultSeed(), 99u);
    EXPECT_EQ(options.EmulatorPoints()->Faults(), QStringLiteral("delay=5-40 , device=1:stop-after=3"));
    EXPECT_EQ(options.EmulatorPoints()->FaultSeed(), QStringLiteral("99"));

    // The statistics page lists the device and the other addresses, and keeps the session's
    // figures after the bus is stopped.
    TEmulatorStatsView& stats = *form.StatsView;
    stats.UpdateStatistics();
    ASSERT_EQ(stats.StatsList->topLevelItemCount(), 2);
    EXPECT_EQ(stats.StatsList->topLevelItem(0)->text(0), QStringLiteral("1  KVD-AIK-BUS"));
    EXPECT_EQ(stats.StatsList->topLevelItem(1)->text(0), QStringLiteral("other"));
    EXPECT_TRUE(stats.StatsInfo->text().contains(QLatin1String("seed 99")))
        << stats.StatsInfo->text().toStdString();
    EXPECT_EQ(stats.StatsState->text(), QStringLiteral("The emulator is running: the counts are live."));
    manager.SetActive(false);
    manager.ClearDevices();
    stats.UpdateStatistics();
    EXPECT_EQ(stats.StatsList->topLevelItemCount(), 2);
    EXPECT_EQ(stats.StatsState->text(),
              QStringLiteral("The emulator is stopped: the counts of its last session."));

    // Reopened, the window shows what the options keep; an empty seed draws a new one.
    TEmulatorForm again(manager, server, *options.EmulatorPoints());
    EXPECT_EQ(again.FaultsEdit->text(), QStringLiteral("delay=5-40 , device=1:stop-after=3"));
    EXPECT_EQ(again.SeedEdit->text(), QStringLiteral("99"));
}

namespace {

// A port nobody listens on just now.
quint16 FreeTcpPort() {
    QTcpServer probe;
    EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    return probe.serverPort();
}

// libmodbus's Modbus TCP master reads 2 registers at Start, Count times, in a thread of its own
// while this one runs the emulator's events; the results' return codes.
std::vector<int> ModbusTcpReads(quint16 Port, int Unit, int Start, int Count, quint16* Last = nullptr) {
    std::vector<int> results;
    bool done = false;
    std::thread master([&] {
        modbus_t* ctx = modbus_new_tcp("127.0.0.1", Port);
        modbus_set_slave(ctx, Unit);
        modbus_set_response_timeout(ctx, 1, 0);
        if (modbus_connect(ctx) == 0) {
            for (int i = 0; i < Count; ++i) {
                quint16 regs[2] = {};
                results.push_back(modbus_read_registers(ctx, Start, 2, regs));
                if (Last)
                    std::copy(regs, regs + 2, Last);
            }
            modbus_close(ctx);
        }
        modbus_free(ctx);
        done = true;
    });
    QElapsedTimer t;
    t.start();
    while (!done && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    master.join();
    return results;
}

} // namespace

TEST_F(EmulatorWindow, TcpMastersAreServedAsAModbusTcpGatewayWithoutFaults) {
    Check(0); // KVD-AIK-BUS at 1
    form.ProtocolBox->setCurrentIndex(0);
    form.FaultsEdit->setText(QStringLiteral("drop=1"));
    form.TcpCheck->setChecked(true);
    // The serial choices and the faults step aside; the note says why the faults do.
    EXPECT_FALSE(form.PortBox->isEnabled());
    EXPECT_FALSE(form.RateBox->isEnabled());
    EXPECT_TRUE(form.TcpPortEdit->isEnabled());
    EXPECT_FALSE(form.FaultsEdit->isEnabled());
    EXPECT_FALSE(form.SeedEdit->isEnabled());
    EXPECT_FALSE(form.FaultsTcpNote->isHidden());
    // Modbus TCP carries Modbus only.
    form.MbapCheck->setChecked(true);
    EXPECT_EQ(form.ProtocolBox->currentIndex(), 1);
    EXPECT_FALSE(form.ProtocolBox->isEnabled());
    const quint16 port = FreeTcpPort();
    form.TcpPortEdit->setValue(port);
    manager.AddDevices(0, 1); // devices of before go: only the window's choice counts
    form.ApplyBtn->click();
    ASSERT_TRUE(server.Listening()) << messages.join(QLatin1Char(';')).toStdString();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(manager.Active()); // no serial port is opened
    ASSERT_EQ(manager.DeviceCount(), 1);
    EXPECT_FALSE(manager.Faults().Any());
    manager.DeviceAt(0)->ChannelAt(0)->SetInput(12.5f);

    quint16 regs[2] = {};
    EXPECT_EQ(ModbusTcpReads(port, 1, 256, 3, regs), (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(std::bit_cast<float>(quint32(regs[0]) << 16 | regs[1]),
              manager.DeviceAt(0)->ChannelAt(0)->OutputAsFloat());
    // A unit nobody has: the gateway's exception, counted on the row of no device.
    EXPECT_EQ(ModbusTcpReads(port, 9, 256, 1), std::vector<int>{-1});
    EXPECT_EQ(manager.DeviceStats(0).Received, 3u);
    EXPECT_EQ(manager.DeviceStats(0).Answered, 3u);
    EXPECT_EQ(manager.UnknownStats().RefusedFor(TEmulatorRefusal::Address), 1u);
    form.StatsView->UpdateStatistics();
    EXPECT_EQ(form.StatsView->StatsList->topLevelItem(0)->text(TEmulatorStatsView::kColAnswered),
              QStringLiteral("3"));
    EXPECT_EQ(form.StatsView->StatsList->topLevelItem(1)->text(TEmulatorStatsView::kColAddress),
              QStringLiteral("1"));

    // The choice is kept, and the faults text stays for the serial port.
    const TEmulatorOptions& o = *options.EmulatorPoints();
    EXPECT_TRUE(o.TcpListen());
    EXPECT_EQ(o.TcpPort(), port);
    EXPECT_TRUE(o.Mbap());
    EXPECT_EQ(o.Faults(), QStringLiteral("drop=1"));
    TEmulatorForm again(manager, server, *options.EmulatorPoints());
    EXPECT_TRUE(again.TcpCheck->isChecked());
    EXPECT_TRUE(again.MbapCheck->isChecked());
    EXPECT_EQ(again.TcpPortEdit->value(), port);
    server.Close();
}

TEST_F(EmulatorWindow, RawTcpCarriesTheBusFramesOfTheChosenProtocol) {
    Check(0);
    form.TcpCheck->setChecked(true);
    form.ProtocolBox->setCurrentIndex(1); // Modbus RTU frames in the stream
    const quint16 port = FreeTcpPort();
    form.TcpPortEdit->setValue(port);
    form.ApplyBtn->click();
    ASSERT_TRUE(server.Listening()) << messages.join(QLatin1Char(';')).toStdString();
    EXPECT_FALSE(server.Mbap());
    EXPECT_FALSE(options.EmulatorPoints()->Mbap());
    // libmodbus's RTU master on the TCP stream, as through a serial device server.
    std::vector<int> results;
    bool done = false;
    std::thread master([&] {
        modbus_t* tcp = modbus_new_tcp("127.0.0.1", port);
        if (modbus_connect(tcp) == 0) {
            modbus_t* rtu = modbus_new_rtu("/dev/null", 9600, 'N', 8, 1);
            modbus_set_socket(rtu, modbus_get_socket(tcp));
            modbus_set_slave(rtu, 1);
            modbus_set_response_timeout(rtu, 1, 0);
            quint16 regs[2] = {};
            results.push_back(modbus_read_registers(rtu, 256, 2, regs));
            modbus_free(rtu);
            modbus_close(tcp);
        }
        modbus_free(tcp);
        done = true;
    });
    QElapsedTimer t;
    t.start();
    while (!done && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    master.join();
    EXPECT_EQ(results, std::vector<int>{2});
    EXPECT_EQ(manager.DeviceStats(0).Answered, 1u);
    server.Close();
}

TEST_F(EmulatorWindow, ATcpPortInUseLeavesNoDevicesAndKeepsTheOptions) {
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::Any, 0));
    Check(0);
    form.TcpCheck->setChecked(true);
    form.TcpPortEdit->setValue(taken.serverPort());
    form.ApplyBtn->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Cannot listen on TCP port %1").arg(taken.serverPort())});
    EXPECT_FALSE(server.Listening());
    EXPECT_EQ(manager.DeviceCount(), 0);
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_FALSE(options.EmulatorPoints()->TcpListen());
}

// The statistics view reads the counters again while it shows, and not while it is hidden.
TEST(EmulatorStatsView, FollowsTheRunningBusWhileItShows) {
    TVirtualDeviceManager manager;
    TEmulatorStatsForm window(manager);
    EXPECT_EQ(window.View->StatsState->text(), QStringLiteral("The emulator has not run yet."));
    EXPECT_FALSE(window.isModal());
    manager.AddDevices(0, 1);
    manager.SetProtocol(TVirtualDeviceManager::kProtocolModbus);
    const QByteArray bad = QByteArray::fromHex("0103010000020000"); // a read with a wrong CRC
    QByteArray answer;
    manager.ServeFrame(reinterpret_cast<const quint8*>(bad.constData()), int(bad.size()), answer);
    window.show();
    EXPECT_TRUE(window.View->Refreshing());
    QTreeWidget* list = window.View->StatsList;
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(TEmulatorStatsView::kColCrc), QStringLiteral("1"));
    EXPECT_EQ(list->topLevelItem(0)->text(TEmulatorStatsView::kColRefused), QStringLiteral("1"));
    manager.ServeFrame(reinterpret_cast<const quint8*>(bad.constData()), int(bad.size()), answer);
    QElapsedTimer t;
    t.start();
    while (list->topLevelItem(0)->text(TEmulatorStatsView::kColCrc) != QLatin1String("2") &&
           t.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(list->topLevelItem(0)->text(TEmulatorStatsView::kColCrc), QStringLiteral("2"));
    EXPECT_LT(t.elapsed(), 2 * TEmulatorStatsView::kRefreshMs + 500);
    window.hide();
    EXPECT_FALSE(window.View->Refreshing());
}
