// The sensor bus window, offscreen, against the emulated KVD-VEVA-BUS on a bridged pair of
// pseudo-terminals, in Nerix and through the Modbus tunnel: the list, live polling, swap, limits,
// a stored identifier list and the scan, each checked on the device's side too.
#include "sensorbus/ui/SensorBusForm.h"
#include "sensorbus/ui/WndFramework.h"

#include "emulator/VirtualDeviceManager.h"
#include "emulator/VirtualThermometer.h"
#include "localization/Localization.h"
#include "model/ZUVOModule.h"
#include "shell/Dm.h"
#include "support/PtyBridge.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString IdText(const TVirtualSensorId& Id) {
    QString text;
    for (int i = 0; i < 8; ++i) {
        const quint32 word = i < 4 ? Id.Low : Id.High;
        text += QStringLiteral("%1").arg((word >> (8 * (i % 4))) & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}

class SensorBusOnEmulator : public ::testing::TestWithParam<TTransferProtocol> {
protected:
    void SetUp() override {
        ASSERT_TRUE(bridge.Ok());
        emulator.AddDevices(TVirtualKVDVEVABUS::kTypeCode, 1);
        device = dynamic_cast<TVirtualKVDVEVABUS*>(emulator.DeviceAt(0));
        ASSERT_NE(device, nullptr);
        // Real time, plus whatever the test skips ahead, so that the scan's busy moment passes on
        // its own while the drift between two polls can be made certain.
        clock.start();
        device->Clock = [this] { return quint64(100000 + clock.elapsed() + skipped); };
        emulator.SetProtocol(TVirtualDeviceManager::kProtocolBoth);
        emulator.SetPortName(bridge.PathA());
        emulator.SetActive(true);
        ASSERT_TRUE(emulator.Active());
        dm.Bus.SetPortName(bridge.PathB());
        dm.Bus.SetInputTimeout(150);
        dm.ComAccessPoint.SetTryCount(1);
        dm.ComAccessPoint.SetActive(true);
        ASSERT_TRUE(dm.ComAccessPoint.Active());
        dm.CurrentAccessPoint = &dm.ComAccessPoint;
        props = std::make_unique<TDeviceProps>(1, br9600, GetParam(), 0, TVirtualKVDVEVABUS::kTypeCode,
                                               QStringLiteral("KVD-VEVA-BUS"), 1246,
                                               TVirtualKVDVEVABUS::kChannelMask, 0);
        props->ByteOrder = boNAN;
        dm.CurrentDevice = props.get();
        dm.SelectCurrentModule();
        ASSERT_NE(dm.CurrentModule, nullptr);
        window = new TKVD_VEVA_BUSDlg;
        window->OnMessage = [this](const QString& t) { messages << t; };
        window->OnAsk = [](const QString&) { return true; };
        window->OnFileName = [this](bool, const QString&, const QString&) { return fileName; };
        window->OnRunDialog = [this](QDialog& d) { return dialog ? dialog(d) : int(QDialog::Rejected); };
        host.OnMessage = [this](const QString& t) { messages << t; };
        window->SetDevice(dm.CurrentModule, props.get(), 0);
        host.Open(window, *window->Frm, dm.CurrentModule, props.get());
    }
    void TearDown() override {
        host.Close();
        delete window;
        dm.ComAccessPoint.SetActive(false);
        emulator.SetActive(false);
    }
    QString Cell(int Row, int Column) const { return window->Model()->Text(Row, Column); }
    QStringList Column(int Column) const {
        QStringList cells;
        for (int r = 0; r < window->Model()->rowCount(); ++r)
            cells << Cell(r, Column);
        return cells;
    }
    QStringList Listed(int Bus) const {
        QStringList ids{QStringLiteral("Mcu")};
        for (const TVirtualSensorId& id : device->Listed(Bus))
            ids << IdText(id);
        return ids;
    }
    void SelectRows(std::initializer_list<int> Rows) {
        auto* sel = window->SensorView->selectionModel();
        sel->clearSelection();
        for (int r : Rows)
            sel->select(window->Model()->index(r, 0),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    TPtyBridge bridge;
    TVirtualDeviceManager emulator;
    TVirtualKVDVEVABUS* device = nullptr;
    QElapsedTimer clock;
    qint64 skipped = 0;
    TDm dm;
    std::unique_ptr<TDeviceProps> props;
    TWndFrameworkDlg host;
    TKVD_VEVA_BUSDlg* window = nullptr;
    QStringList messages;
    QString fileName;
    std::function<int(QDialog&)> dialog;
    QTemporaryDir dir;
};

} // namespace

TEST_P(SensorBusOnEmulator, FillsPollsSwapsAndKeepsLimits) {
    EXPECT_EQ(window->BusCombo->count(), 12);
    EXPECT_EQ(window->BusCombo->currentText(), QStringLiteral("Bus 1"));
    ASSERT_EQ(window->Model()->rowCount(), 4);
    EXPECT_EQ(Column(TSensorListModel::cSensor), Listed(0));
    EXPECT_EQ(window->SensorCountLb->text(), QStringLiteral("3"));
    EXPECT_EQ(Cell(1, TSensorListModel::cRelayMax), QStringLiteral("100"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();

    // Two polls a few seconds apart on the device's clock: live values around room temperature.
    window->Execute();
    const QStringList first = Column(TSensorListModel::cValue);
    skipped += 5000;
    window->Execute();
    const QStringList second = Column(TSensorListModel::cValue);
    EXPECT_NE(first, second);
    for (int r = 0; r < 4; ++r) {
        bool ok = false;
        const double t = second[r].toDouble(&ok);
        EXPECT_TRUE(ok) << second[r].toStdString();
        EXPECT_GT(t, 15.0);
        EXPECT_LT(t, 40.0);
    }
    // The third sensor has humidity; the others show the placeholder.
    EXPECT_GT(Cell(3, TSensorListModel::cHumidity).toDouble(), 30.0);
    EXPECT_EQ(Cell(1, TSensorListModel::cHumidity), Cell(2, TSensorListModel::cHumidity));

    // Swap the first and the third sensor: the device holds the new order, and a new fill shows it.
    const QStringList before = Listed(0);
    SelectRows({1, 3});
    ASSERT_TRUE(window->SwapBtn->isEnabled());
    window->SwapBtn->click();
    EXPECT_EQ(Listed(0), (QStringList{before[0], before[3], before[2], before[1]}));
    EXPECT_EQ(Column(TSensorListModel::cSensor), Listed(0));
    window->FillSensorList();
    EXPECT_EQ(Column(TSensorListModel::cSensor), Listed(0));

    // Limits of the second sensor and of the processor, written and read back.
    dialog = [](QDialog& d) {
        auto& dlg = static_cast<TSensorLimitsDlg&>(d);
        dlg.AlarmCheck->setChecked(true);
        dlg.AlarmMinEdit->setValue(-12);
        dlg.AlarmMaxEdit->setValue(31);
        dlg.RelayCheck->setChecked(true);
        dlg.RelayMaxEdit->setValue(45);
        return int(QDialog::Accepted);
    };
    SelectRows({2});
    window->EditBtn->click();
    SelectRows({0});
    window->EditBtn->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(device->Limits(0, 1), (std::array<qint32, 5>{0xC0, -12, 31, 0, 45}));
    EXPECT_EQ(device->Limits(0, kCpuSensor), (std::array<qint32, 5>{0xC0, -12, 31, 0, 45}));
    window->FillSensorList();
    EXPECT_EQ(Column(TSensorListModel::cAlarmMin), (QStringList{QStringLiteral("-12"), QStringLiteral("0"),
                                                                QStringLiteral("-12"), QStringLiteral("0")}));
    EXPECT_EQ(Cell(0, TSensorListModel::cRelay), QStringLiteral("Yes"));
}

TEST_P(SensorBusOnEmulator, StoresAnIdentifierListAndScansTheBus) {
    // A list of one attached sensor and one that is not on the bus.
    const QString attached = Listed(0)[2];
    fileName = dir.filePath(QStringLiteral("bus1.mac"));
    WriteFileBytes(fileName, (attached + QStringLiteral("\r\n28000000000000AB\r\n")).toLatin1());
    window->OpenMacBtn->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(device->Storing());
    EXPECT_EQ(Listed(0), (QStringList{QStringLiteral("Mcu"), attached, QStringLiteral("28000000000000AB")}));
    EXPECT_EQ(Column(TSensorListModel::cSensor), Listed(0));
    window->Execute();
    EXPECT_NE(Cell(1, TSensorListModel::cValue), QStringLiteral("Error"));
    EXPECT_EQ(Cell(2, TSensorListModel::cValue), QStringLiteral("Error")); // a sensor that does not answer

    // "Save MACs" writes what the device lists.
    fileName = dir.filePath(QStringLiteral("saved.mac"));
    window->SaveMacBtn->click();
    EXPECT_EQ(ReadFileBytes(fileName), (attached + QStringLiteral("\r28000000000000AB\r")).toLatin1());

    // The scan lists what is attached again; the progress window waits out the device's busy moment.
    window->UpdateBtn->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(window->Model()->rowCount(), 4);
    EXPECT_EQ(Column(TSensorListModel::cSensor), Listed(0));

    // Bus 3 lists nothing until a scan finds its sensor.
    window->BusCombo->setCurrentIndex(2);
    EXPECT_EQ(window->Model()->rowCount(), 1);
    window->UpdateBtn->click();
    ASSERT_EQ(window->Model()->rowCount(), 2);
    EXPECT_EQ(Column(TSensorListModel::cSensor), Listed(2));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Protocols, SensorBusOnEmulator, ::testing::Values(tpNerix, tpModbus),
                         [](const ::testing::TestParamInfo<TTransferProtocol>& Info) {
                             return Info.param == tpNerix ? std::string("Nerix") : std::string("Modbus");
                         });
