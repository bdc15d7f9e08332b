// The sensor bus window in its host, offscreen, against a scripted multi-sensor thermometer on a
// pseudo-terminal: the list, polling, scan with its progress window, swapping, limits, options,
// identifier lists and the image to disk.
#include "sensorbus/ui/SensorBusForm.h"
#include "sensorbus/ui/TSMSBusView.h"
#include "sensorbus/ui/WndFramework.h"

#include "../Thermometer.h"
#include "localization/Localization.h"
#include "localization/SensorBusLanguage.h"
#include "model/ZUVOModule.h"
#include "options/AdminOptions.h"
#include "platform/ProcessTimer.h"
#include "sensorbus/SensorImage.h"
#include "shell/Dm.h"
#include "support/ScriptedDevice.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

TThermoSensor Sensor(const char* Text, qint32 T = 2150) {
    return {*TOneWireMAC::Parse(QString::fromLatin1(Text)), T, 0};
}

// Runs events until Done or a generous safety limit.
template <class Pred> bool RunUntil(Pred Done, int LimitMs = 8000) {
    QElapsedTimer clock;
    clock.start();
    while (!Done()) {
        if (clock.elapsed() > LimitMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

struct TEnglishAfterwards {
    ~TEnglishAfterwards() { SetCurrentLanguage(liEnglish); }
};

class SensorBusWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(line.Ok());
        thermo.SetSensors(2, {Sensor("28FF4A1B2C3D4E5F", 2345), Sensor("2800000000000002", 20000),
                              Sensor("2800000000000003", -1050)});
        line.SetResponder([this](const QByteArray& r) { return thermo.Answer(r); });
        dm.Bus.SetPortName(line.PortPath());
        dm.Bus.SetInputTimeout(60);
        dm.ComAccessPoint.SetTryCount(1);
        dm.ComAccessPoint.SetActive(true);
        ASSERT_TRUE(dm.ComAccessPoint.Active());
        dm.CurrentAccessPoint = &dm.ComAccessPoint;
        props = std::make_unique<TDeviceProps>(1, br9600, tpNerix, 0, 30, QStringLiteral("KVD-VEVA-BUS"), 77,
                                               0xFFFFFFFFu, 0);
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
        window->SetDevice(dm.CurrentModule, props.get(), 2);
        host.Open(window, *window->Frm, dm.CurrentModule, props.get());
    }
    void TearDown() override {
        host.Close();
        delete window;
        dm.ComAccessPoint.SetActive(false);
    }
    QString Cell(int Row, int Column) const { return window->Model()->Text(Row, Column); }
    void SelectRows(std::initializer_list<int> Rows) {
        auto* sel = window->SensorView->selectionModel();
        sel->clearSelection();
        for (int r : Rows)
            sel->select(window->Model()->index(r, 0),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    TScriptedDevice line;
    TThermometer thermo;
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

TEST_F(SensorBusWindow, OpensOnTheChosenBusWithItsSensorsAndPolls) {
    EXPECT_EQ(window->BusCombo->count(), 12);
    EXPECT_EQ(window->BusCombo->currentText(), QStringLiteral("Bus 3"));
    EXPECT_EQ(window->BusIndexLb->text(), QStringLiteral("3"));
    EXPECT_EQ(window->SensorCountLb->text(), QStringLiteral("3"));
    EXPECT_EQ(window->SensorIndexLb->text(), QStringLiteral("-1"));
    ASSERT_EQ(window->Model()->rowCount(), 4);
    EXPECT_EQ(Cell(0, TSensorListModel::cSensor), QStringLiteral("Mcu"));
    EXPECT_EQ(Cell(1, TSensorListModel::cSensor), QStringLiteral("28FF4A1B2C3D4E5F"));
    EXPECT_EQ(Cell(1, TSensorListModel::cNumber), QStringLiteral("2"));
    EXPECT_EQ(Cell(1, TSensorListModel::cAlarm), QStringLiteral("No"));
    EXPECT_EQ(Cell(1, TSensorListModel::cRelayMax), QStringLiteral("100"));
    EXPECT_EQ(host.windowTitle(), window->windowTitle());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();

    window->Execute(); // one poll
    EXPECT_EQ(Cell(0, TSensorListModel::cValue), QStringLiteral("36.75"));
    EXPECT_EQ(Cell(1, TSensorListModel::cValue), QStringLiteral("23.45"));
    EXPECT_EQ(Cell(2, TSensorListModel::cValue), QStringLiteral("Error"));
    EXPECT_EQ(Cell(3, TSensorListModel::cValue), QStringLiteral("-10.50"));
    EXPECT_EQ(Cell(1, TSensorListModel::cHumidity), SensorBusTexts().NoHumidity);

    // Another bus: an empty one shows the processor alone.
    window->BusCombo->setCurrentIndex(0);
    EXPECT_EQ(window->Model()->rowCount(), 1);
    EXPECT_EQ(window->BusIndexLb->text(), QStringLiteral("1"));
}

TEST_F(SensorBusWindow, HostStartsAndStopsPollingAndClosingWhileRunningOnlyStops) {
    host.Timer->Pause = [](int) {};
    EXPECT_TRUE(host.ControlPanel->NewDeviceBtn->isEnabled());
    host.ControlPanel->StartStopBtn->click();
    EXPECT_TRUE(host.Running());
    EXPECT_FALSE(host.ControlPanel->NewDeviceBtn->isEnabled());
    EXPECT_FALSE(host.ControlPanel->FlashBtn->isEnabled());
    EXPECT_TRUE(RunUntil([&] { return Cell(1, TSensorListModel::cValue) == QStringLiteral("23.45"); }));
    QMetaObject::invokeMethod(&host, "reject");
    EXPECT_FALSE(host.Running());
    EXPECT_TRUE(host.isVisible());
    EXPECT_TRUE(host.ControlPanel->NewDeviceBtn->isEnabled());
}

TEST_F(SensorBusWindow, SwapIsForTwoDifferentSensorsOnly) {
    SelectRows({1});
    EXPECT_FALSE(window->SwapBtn->isEnabled());
    EXPECT_EQ(window->SensorIndexLb->text(), QStringLiteral("0"));
    SelectRows({0, 2});
    EXPECT_FALSE(window->SwapBtn->isEnabled());
    SelectRows({1, 3});
    EXPECT_TRUE(window->SwapBtn->isEnabled());
    EXPECT_EQ(window->SwapIndexLb->text(), QStringLiteral("2"));
    window->SwapBtn->click();
    EXPECT_EQ(Cell(1, TSensorListModel::cSensor), QStringLiteral("2800000000000003"));
    EXPECT_EQ(Cell(3, TSensorListModel::cSensor), QStringLiteral("28FF4A1B2C3D4E5F"));
    EXPECT_EQ(thermo.Sensors(2)[0].Mac.Text(), QStringLiteral("2800000000000003"));
    // The rows now say what the device holds: a new fill shows the same order.
    window->FillSensorList();
    EXPECT_EQ(Cell(1, TSensorListModel::cSensor), QStringLiteral("2800000000000003"));
}

TEST_F(SensorBusWindow, LimitsRoundTripThroughTheDialog) {
    SelectRows({2});
    ASSERT_TRUE(window->EditBtn->isEnabled());
    dialog = [](QDialog& d) {
        auto& dlg = static_cast<TSensorLimitsDlg&>(d);
        dlg.AlarmCheck->setChecked(true);
        dlg.AlarmMinEdit->setValue(-15);
        dlg.AlarmMaxEdit->setValue(42);
        dlg.RelayCheck->setChecked(true);
        dlg.RelayMaxEdit->setValue(55);
        return int(QDialog::Accepted);
    };
    window->EditBtn->click();
    EXPECT_EQ(thermo.Limits(2, 1), (std::array<qint32, 5>{0xC0, -15, 42, 0, 55}));
    EXPECT_EQ(Cell(2, TSensorListModel::cAlarm), QStringLiteral("Yes"));
    EXPECT_EQ(Cell(2, TSensorListModel::cAlarmMax), QStringLiteral("42"));
    // Row 0 is the processor: its limits go to sensor 255.
    SelectRows({0});
    window->EditBtn->click();
    EXPECT_EQ(thermo.Limits(2, kCpuSensor)[1], -15);
    // What the device holds comes back on the next fill.
    window->FillSensorList();
    EXPECT_EQ(Cell(2, TSensorListModel::cRelayMax), QStringLiteral("55"));
    thermo.FailWrite(13, 3);
    SelectRows({1});
    window->EditBtn->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Error writing into controller")});
    EXPECT_EQ(Cell(1, TSensorListModel::cAlarm), QStringLiteral("No"));
}

TEST_F(SensorBusWindow, ScanFillsTheListAgainOrReportsTheFailure) {
    thermo.SetScanResult(2, {Sensor("2800000000000011"), Sensor("2800000000000012"),
                             Sensor("2800000000000013"), Sensor("2800000000000014")});
    thermo.SetScanSilence(3);
    window->UpdateBtn->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(window->Model()->rowCount(), 5);
    EXPECT_EQ(Cell(4, TSensorListModel::cSensor), QStringLiteral("2800000000000014"));
    EXPECT_EQ(window->ScanDlg->Bar->value(), window->ScanDlg->Bar->maximum());

    thermo.SetScanSilence(100000);
    window->UpdateBtn->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Bus scanning error")});
    EXPECT_EQ(window->Model()->rowCount(), 0);

    messages.clear();
    thermo.FailWrite(3, 0);
    window->UpdateBtn->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Command writing error")});
}

TEST_F(SensorBusWindow, IdentifierListsOpenAndSave) {
    fileName = dir.filePath(QStringLiteral("bad.mac"));
    WriteFileBytes(fileName, "2800000000000001\r2800000000000002\r280000000000003\r");
    thermo.ClearWrites();
    window->OpenMacBtn->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0],
              QStringLiteral("Error in line #3: [280000000000003]\nIncorrect MAC-address length"));
    EXPECT_TRUE(thermo.Writes().empty());

    messages.clear();
    WriteFileBytes(fileName, "2800000000000001\r\n28000000000000QQ\r\n");
    window->OpenMacBtn->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0],
              QStringLiteral("Error in line №2: [28000000000000QQ]\nIncorrect MAC-address value"));

    messages.clear();
    fileName = dir.filePath(QStringLiteral("good.mac"));
    WriteFileBytes(fileName, "2800000000000021\n2800000000000022\n");
    dm.CurrentModule->Modified = false;
    window->OpenMacBtn->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(window->Model()->rowCount(), 3);
    EXPECT_EQ(Cell(2, TSensorListModel::cSensor), QStringLiteral("2800000000000022"));
    EXPECT_TRUE(dm.CurrentModule->Modified);

    // "Save MACs" writes the identifiers, which "Open MACs" reads back.
    fileName = dir.filePath(QStringLiteral("saved.mac"));
    window->SaveMacBtn->click();
    EXPECT_EQ(ReadFileBytes(fileName), QByteArray("2800000000000021\r2800000000000022\r"));

    // A store that fails part-way says which identifier and that nothing was committed.
    thermo.FailWrite(3, 12, 2);
    fileName = dir.filePath(QStringLiteral("good.mac"));
    window->OpenMacBtn->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(
        QStringLiteral("MAC-addresses writing error\nIdentifier 2 (2800000000000022)")))
        << messages[0].toStdString();
    // The bus still holds the list stored before.
    ASSERT_EQ(thermo.Sensors(2).size(), 2u);
    EXPECT_EQ(thermo.Sensors(2)[1].Mac.Text(), QStringLiteral("2800000000000022"));
}

TEST_F(SensorBusWindow, OptionsRefuseAZeroJump) {
    int runs = 0;
    dialog = [&](QDialog& d) {
        ++runs;
        auto& dlg = static_cast<TAddOptionsDlg&>(d);
        EXPECT_EQ(dlg.ErrorTempEdit->value(), 320);
        dlg.JumpEdit->setValue(0);
        dlg.ApplyBtn->click();
        EXPECT_EQ(dlg.result(), int(QDialog::Rejected));
        dlg.JumpEdit->setValue(9);
        dlg.RelayDefaultCheck->setChecked(true);
        dlg.ErrorHumEdit->setValue(101);
        dlg.ApplyBtn->click();
        return dlg.result();
    };
    window->OptionsBtn->click();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Value must be above null.")});
    EXPECT_EQ(thermo.DeviceOptions(), (320u << 16) | 9u);
    EXPECT_EQ(thermo.ErrorHumidity(), 101u);
    EXPECT_EQ(window->DefaultRelayLb->text(), QStringLiteral("On"));
}

TEST_F(SensorBusWindow, ActivePoweringAndImageToDisk) {
    window->PowerCheck->click();
    EXPECT_EQ(thermo.BusOptions(2), 1u);
    EXPECT_EQ(window->PowerLb->text(), QStringLiteral("Yes"));

    fileName = dir.filePath(QStringLiteral("device.tsi"));
    window->ImageToDiskBtn->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    TSensorImage image;
    ASSERT_TRUE(LoadSensorImage(fileName, image).Ok());
    ASSERT_EQ(image.Buses()->Count(), 12);
    EXPECT_TRUE(image.Buses()->Bus(2)->PowerActive);
    ASSERT_EQ(image.Buses()->Bus(2)->Sensors()->Count(), 3);
    EXPECT_EQ(image.Buses()->Bus(2)->Sensors()->Sensor(0)->Serial, QStringLiteral("28FF4A1B2C3D4E5F"));

    // A failed read leaves the file that was there.
    const QByteArray before = ReadFileBytes(fileName);
    thermo.FailWrite(13, 1);
    window->ImageToDiskBtn->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Error reading from controller")});
    EXPECT_EQ(ReadFileBytes(fileName), before);
}

TEST_F(SensorBusWindow, ImageEditorLoadsEditsAndWritesToTheDevice) {
    TTSMSBusView& view = *window->ImageView;
    fileName = dir.filePath(QStringLiteral("broken.tsi"));
    WriteFileBytes(fileName, "<config>not an image");
    dialog = [&](QDialog& d) {
        if (&d != &view)
            return int(QDialog::Rejected);
        view.OpenBtnClick();
        EXPECT_EQ(messages, QStringList{QStringLiteral("The file is not a sensor image.")});
        view.AddBusBtnClick();
        view.AddBusBtnClick();
        view.AddBusBtnClick();
        EXPECT_EQ(view.Tree->topLevelItemCount(), 3);
        view.Tree->setCurrentItem(view.Tree->topLevelItem(2));
        view.Tree->topLevelItem(2)->setSelected(true);
        view.Image().Buses()->Bus(2)->Sensors()->Add();
        qobject_cast<TSensorItem*>(view.Image().Buses()->Bus(2)->Sensors()->Items(0))->Serial =
            QStringLiteral("2800000000000031");
        view.Refresh();
        view.ToDeviceBtnClick();
        EXPECT_TRUE(view.WrittenToDevice());
        fileName = dir.filePath(QStringLiteral("edited.tsi"));
        view.SaveAsBtnClick();
        EXPECT_FALSE(view.Modified());
        return int(QDialog::Accepted);
    };
    window->ImagesBtn->click();
    ASSERT_EQ(thermo.Sensors(2).size(), 1u);
    EXPECT_EQ(thermo.Sensors(2)[0].Mac.Text(), QStringLiteral("2800000000000031"));
    EXPECT_TRUE(thermo.Sensors(0).empty());
    // The window read the device again.
    ASSERT_EQ(window->Model()->rowCount(), 2);
    EXPECT_EQ(Cell(1, TSensorListModel::cSensor), QStringLiteral("2800000000000031"));
    TSensorImage saved;
    EXPECT_TRUE(LoadSensorImage(dir.filePath(QStringLiteral("edited.tsi")), saved).Ok());
}

TEST_F(SensorBusWindow, SpeaksUkrainian) {
    TEnglishAfterwards english;
    SetCurrentLanguage(liUkrainian);
    window->UpdateLanguage();
    host.UpdateLanguage();
    EXPECT_EQ(window->UpdateBtn->text(), QStringLiteral("Оновити список датчиків"));
    EXPECT_EQ(host.ControlPanel->StartStopBtn->text(), QStringLiteral("Старт / Стоп"));
    EXPECT_EQ(
        window->Model()->headerData(TSensorListModel::cValue, Qt::Horizontal, Qt::DisplayRole).toString(),
        QStringLiteral("Значення, °C"));
    EXPECT_EQ(Cell(1, TSensorListModel::cAlarm), QStringLiteral("Ні"));
    // Texts read before the switch follow it too.
    EXPECT_EQ(window->PowerLb->text(), QStringLiteral("Ні"));
    EXPECT_EQ(window->DefaultRelayLb->text(), QStringLiteral("Вимк."));
    for (const TTableReport& r : CheckSensorBusLanguageTables())
        EXPECT_TRUE(r.Missing.isEmpty()) << r.Missing.join(QLatin1Char(' ')).toStdString();
}

TEST_F(SensorBusWindow, SaveToFlashIsRefusedInLiteModeAndDoneOtherwise) {
    TAdminOptions options;
    options.SetLiteVersion(true);
    host.Options = &options;
    host.Close();
    host.Open(window, *window->Frm, dm.CurrentModule, props.get());
    EXPECT_FALSE(host.ControlPanel->FlashBtn->isEnabled());
    // Even when asked directly nothing is sent, and the user is told why.
    messages.clear();
    int before = line.RequestCount();
    host.FlashClick();
    EXPECT_EQ(line.RequestCount(), before);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Work with flash memory unavailable in Lite mode"));
    // Stopping a poll does not bring the button back.
    host.Timer->Pause = [](int) {};
    host.ControlPanel->StartStopBtn->click();
    host.ControlPanel->StartStopBtn->click();
    EXPECT_FALSE(host.ControlPanel->FlashBtn->isEnabled());

    // Advanced mode saves: one request to the system object, and the window's own message.
    options.SetLiteVersion(false);
    host.Close();
    host.Open(window, *window->Frm, dm.CurrentModule, props.get());
    ASSERT_TRUE(host.ControlPanel->FlashBtn->isEnabled());
    messages.clear();
    before = line.RequestCount();
    host.ControlPanel->FlashBtn->click();
    EXPECT_EQ(line.RequestCount(), before + 1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_NE(messages[0], QStringLiteral("Work with flash memory unavailable in Lite mode"));
}

// Not a check: with DVV_SENSORBUS_SHOW_MS set (and a real display), the window stays up polling for
// that long so that it can be looked at; DVV_SENSORBUS_LANGUAGE=uk shows it in Ukrainian.
TEST_F(SensorBusWindow, ShownForALookWhenAsked) {
    const int ms = qEnvironmentVariableIntValue("DVV_SENSORBUS_SHOW_MS");
    if (ms <= 0)
        GTEST_SKIP() << "set DVV_SENSORBUS_SHOW_MS to look at the window";
    TEnglishAfterwards english;
    if (qEnvironmentVariable("DVV_SENSORBUS_LANGUAGE") == QLatin1String("uk")) {
        SetCurrentLanguage(liUkrainian);
        window->UpdateLanguage();
        host.UpdateLanguage();
    }
    thermo.SetSensors(2, {Sensor("28FF4A1B2C3D4E5F", 2345),
                          Sensor("2800000000000002", 20000),
                          Sensor("2800000000000003", -1050),
                          {*TOneWireMAC::Parse(QStringLiteral("2200000000000004")), 2210, 4530}});
    thermo.SetLimits(2, 0, {0xC0, -5, 30, 1, 25});
    window->FillSensorList();
    host.ControlPanel->StartStopBtn->click();
    SelectRows({1, 3});
    // DVV_SENSORBUS_SHOW=images: the image editor with the device's image instead.
    if (qEnvironmentVariable("DVV_SENSORBUS_SHOW") == QLatin1String("images")) {
        host.ControlPanel->StartStopBtn->click();
        ASSERT_TRUE(window->Device()->ReadImage(window->ImageView->Image()));
        window->ImageView->Image().Buses()->Bus(2)->Note = QStringLiteral("Silo 3");
        window->ImageView->SetDevice(window->Device(), nullptr);
        window->ImageView->Refresh();
        window->ImageView->show();
    }
    RunUntil([] { return false; }, ms);
    host.ControlPanel->StartStopBtn->click();
}
