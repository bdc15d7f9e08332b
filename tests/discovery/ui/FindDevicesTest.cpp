#include "discovery/ui/FindDevices.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "localization/Localization.h"
#include "protocol/NerixModule.h"
#include "support/LanguageRestored.h"
#include "support/ScriptedDevice.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class FindDevicesDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dev.Ok());
        dev.AddNerixDevice(2, {{{0, 0}, 6}, {{0, 1}, 55}, {{0, 2}, 1}, {{0, 3}, 0x602}});
        bus.SetPortName(dev.PortPath());
        bus.SetInputTimeout(20);
        ap.SetBus(&bus);
        ap.SetTryCount(1);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active());
        dlg = std::make_unique<TFindDevices>(module, ap, bus);
        dlg->InitState();
    }
    // Closes the message box that the next action opens, and remembers its text.
    void ExpectMessageBox() {
        QTimer::singleShot(0, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message = box->text();
                box->close();
            }
        });
    }

    TLanguageRestored language;
    TScriptedDevice dev;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TNerixModule module;
    std::unique_ptr<TFindDevices> dlg;
    QString message;
};

TEST_F(FindDevicesDialog, InitialStateAndTexts) {
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Device detection"));
    EXPECT_EQ(dlg->ProtocolEdit->currentText(), QStringLiteral("Modbus RTU"));
    EXPECT_EQ(dlg->ProtocolEdit->count(), 4);
    EXPECT_EQ(dlg->ScanMethodEdit->currentText(), QStringLiteral("By addresses"));
    EXPECT_EQ(dlg->ParityBox->currentText(), QStringLiteral("ptNone"));
    EXPECT_EQ(dlg->StartEdit->text(), QStringLiteral("1"));
    EXPECT_EQ(dlg->StopEdit->text(), QStringLiteral("255"));
    EXPECT_EQ(dlg->StartEdit->alignment() & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(dlg->CurrentAddressLbl->text(), QStringLiteral("0x00 (0)"));
    EXPECT_EQ(dlg->StartOneBtn->text(), QStringLiteral("Search first device"));
    EXPECT_EQ(dlg->StartBtn->text(), QStringLiteral("Search all devices"));
    EXPECT_EQ(dlg->CloseBtn->text(), QStringLiteral("Close"));
    EXPECT_EQ(dlg->RateFieldEdit->title(), QStringLiteral("Speeds"));
    EXPECT_EQ(dlg->RateBoxes[16]->text(), QStringLiteral("br921600"));
    EXPECT_EQ(module.TransferProtocol(), tpModbus); // the protocol choice is the module's at once

    SetCurrentLanguage(34);
    dlg->UpdateLanguage();
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Пошук пристроїв"));
}

TEST_F(FindDevicesDialog, EnablingRules) {
    dlg->ScanMethodEdit->setCurrentIndex(1);
    dlg->ScanMethodEditChange();
    EXPECT_FALSE(dlg->StartBtn->isEnabled());
    EXPECT_FALSE(dlg->RateFieldEdit->isEnabled());
    EXPECT_TRUE(dlg->StartOneBtn->isEnabled());

    dlg->ProtocolEdit->setCurrentIndex(tpZoVuru);
    dlg->ProtocolEditChange();
    EXPECT_EQ(module.TransferProtocol(), tpZoVuru);
    EXPECT_EQ(dlg->ScanMethodEdit->currentIndex(), 0);
    EXPECT_FALSE(dlg->ScanMethodEdit->isEnabled());
    EXPECT_TRUE(dlg->StartBtn->isEnabled());

    dlg->ProtocolEdit->setCurrentIndex(tpNerix);
    dlg->ProtocolEditChange();
    EXPECT_TRUE(dlg->ScanMethodEdit->isEnabled());

    dlg->ParityBox->setCurrentIndex(ptEVEN);
    dlg->ParityBoxChange();
    EXPECT_EQ(bus.Parity(), ptEVEN);
}

TEST_F(FindDevicesDialog, RangeErrorsShowTheMessageAndSendNothing) {
    dlg->ProtocolEdit->setCurrentIndex(tpNerix);
    dlg->ProtocolEditChange();
    for (auto [start, stop] : {std::pair{"0", "5"}, std::pair{"10", "5"}, std::pair{"1", "256"}}) {
        message.clear();
        dlg->StartEdit->setText(QLatin1String(start));
        dlg->StopEdit->setText(QLatin1String(stop));
        ExpectMessageBox();
        dlg->StartBtn->click();
        EXPECT_EQ(message, QStringLiteral("Error selecting address range")) << start << ".." << stop;
    }
    EXPECT_EQ(dev.RequestCount(), 0);
}

TEST_F(FindDevicesDialog, StopWhileScanningAndTheStateAfterwards) {
    dlg->ProtocolEdit->setCurrentIndex(tpNerix);
    dlg->ProtocolEditChange();
    dlg->StopEdit->setText(QStringLiteral("20"));
    std::vector<int> found;
    dlg->OnDeviceFound = [&](const TScanHit& h) {
        found.push_back(h.Address);
        return true;
    };
    int starts = 0;
    dlg->OnScanStart = [&] { ++starts; };
    QString closeText;
    bool protocolEnabled = true;
    dlg->Scan().OnAddress = [&](quint8 a) {
        if (a == 5) {
            closeText = dlg->CloseBtn->text();
            protocolEnabled = dlg->ProtocolEdit->isEnabled();
            dlg->CloseBtn->click();
        }
    };
    dlg->StartBtn->click();
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(closeText, QStringLiteral("Stop"));
    EXPECT_FALSE(protocolEnabled);
    EXPECT_EQ(found, std::vector<int>{2});
    EXPECT_EQ(dlg->CloseBtn->text(), QStringLiteral("Close"));
    EXPECT_TRUE(dlg->ProtocolEdit->isEnabled());
    EXPECT_TRUE(dlg->StartBtn->isEnabled());
    // With nothing ticked, the bus's own speed got its tick.
    EXPECT_TRUE(dlg->RateBoxes[3]->isChecked());
    EXPECT_NE(dlg->result(), QDialog::Accepted);
}

TEST_F(FindDevicesDialog, FirstDeviceClosesTheDialog) {
    dlg->ProtocolEdit->setCurrentIndex(tpNerix);
    dlg->ProtocolEditChange();
    dlg->show();
    dlg->StartOneBtn->click();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(dlg->isVisible());
}

// The end of a search says what it found, and nothing found is said too. A device the list already
// holds (the same serial number again) is not counted twice.
TEST_F(FindDevicesDialog, TheResultLineCountsTheListedDevices) {
    dlg->ProtocolEdit->setCurrentIndex(tpNerix);
    dlg->ProtocolEditChange();
    dlg->StopEdit->setText(QStringLiteral("3"));
    dlg->OnDeviceFound = [](const TScanHit&) { return true; };
    dlg->StartBtn->click();
    EXPECT_EQ(dlg->ResultLbl->text(), QStringLiteral("Devices found: 1"));
    dlg->OnDeviceFound = [](const TScanHit&) { return false; };
    dlg->StartBtn->click();
    EXPECT_EQ(dlg->ResultLbl->text(), QStringLiteral("No device found"));
    dlg->StartEdit->setText(QStringLiteral("3"));
    dlg->StartBtn->click();
    EXPECT_EQ(dlg->ResultLbl->text(), QStringLiteral("No device found"));
    // Showing the dialog again starts with no result.
    dlg->InitState();
    QTimer::singleShot(0, [this] { dlg->reject(); });
    dlg->Execute();
    EXPECT_TRUE(dlg->ResultLbl->text().isEmpty());
}

TEST_F(FindDevicesDialog, TicksSurviveClosingWithoutAScan) {
    for (QCheckBox* box : dlg->RateBoxes)
        box->setChecked(false);
    dlg->RateBoxes[5]->setChecked(true);
    dlg->RateBoxes[9]->setChecked(true);
    dlg->reject();
    TFindDevices another(module, ap, bus);
    another.InitState();
    EXPECT_TRUE(another.RateBoxes[5]->isChecked());
    EXPECT_TRUE(another.RateBoxes[9]->isChecked());
    EXPECT_FALSE(another.RateBoxes[3]->isChecked());
    another.RateBoxes[5]->setChecked(false);
    another.RateBoxes[9]->setChecked(false);
}

} // namespace
