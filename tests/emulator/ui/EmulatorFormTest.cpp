#include "emulator/ui/EmulatorForm.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "options/AdminOptions.h"
#include "support/PortsFolder.h"
#include "support/PtyPair.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

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
    TAdminOptions options;
    TEmulatorForm form{manager, *options.EmulatorPoints()};
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
    form.UpdateStatistics();
    ASSERT_EQ(form.StatsList->topLevelItemCount(), 2);
    EXPECT_EQ(form.StatsList->topLevelItem(0)->text(0), QStringLiteral("1  KVD-AIK-BUS"));
    EXPECT_EQ(form.StatsList->topLevelItem(1)->text(0), QStringLiteral("other"));
    EXPECT_TRUE(form.StatsInfo->text().contains(QLatin1String("seed 99")))
        << form.StatsInfo->text().toStdString();
    manager.SetActive(false);
    manager.ClearDevices();
    form.UpdateStatistics();
    EXPECT_EQ(form.StatsList->topLevelItemCount(), 2);

    // Reopened, the window shows what the options keep; an empty seed draws a new one.
    TEmulatorForm again(manager, *options.EmulatorPoints());
    EXPECT_EQ(again.FaultsEdit->text(), QStringLiteral("delay=5-40 , device=1:stop-after=3"));
    EXPECT_EQ(again.SeedEdit->text(), QStringLiteral("99"));
}
