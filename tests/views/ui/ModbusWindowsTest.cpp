// The stepper controller window against libmodbus's slave holding the controller's map, and the
// property-sheet window for the map constructor (libmodbus again), the stream input controller and
// the impulse generator (scripted Nerix devices), all on pseudo-terminals.
#include "ViewsUiSupport.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "localization/Localization.h"
#include "model/AnalogInputModules.h"
#include "model/DiscreteModules.h"
#include "model/UMMCChannel.h"
#include "options/AdminOptions.h"
#include "platform/ProcessTimer.h"
#include "protocol/ByteOrder.h"
#include "support/LanguageRestored.h"
#include "support/ModbusSlave.h"
#include "support/ScriptedDevice.h"
#include "views/ChannelWindows.h"
#include "views/PropertySheet.h"
#include "views/ui/PropertySheetDlg.h"
#include "views/ui/SMDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <bit>

namespace {

constexpr int kBase = 8192;

// With DVV_WINDOW_SHOTS set to a folder, the windows are saved there as pictures, to look at them
// in each language.
void Shot(QWidget& Window, const QString& Name) {
    const QString folder = qEnvironmentVariable("DVV_WINDOW_SHOTS");
    if (folder.isEmpty())
        return;
    Window.show();
    QApplication::processEvents();
    Window.grab().save(folder + QLatin1Char('/') + Name + QStringLiteral(".png"));
    Window.hide();
}

class StepperWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(slave.Ok());
        appBus.SetPortName(slave.PortPath());
        appBus.SetBaudRateValue(19200);
        appBus.SetInputTimeout(100);
        dlg.Map().Manager.Timer().Pause = [](int) {};
        dlg.OnMessage = [this](const QString& Text) { messages << Text; };
    }
    void TearDown() override { dlg.Finish(); }
    bool Cycles(int N) {
        const int start = dlg.Cycles();
        return RunUntil([&] { return dlg.Cycles() >= start + N; }, 3000);
    }
    QString Row(int Row, int Column) const { return dlg.RegisterList->topLevelItem(Row)->text(Column); }

    TLanguageRestored language;
    TModbusSlave slave{5, kBase + 32};
    TPowerRsBus appBus;
    TSMDlg dlg{appBus};
    QStringList messages;
};

TEST_F(StepperWindow, OpeningTakesTheLineAndClosingLeavesTheBusAsItWas) {
    for (bool wasOpen : {true, false}) {
        SCOPED_TRACE(wasOpen);
        if (wasOpen) {
            ASSERT_TRUE(appBus.Open());
        } else {
            appBus.Close();
        }
        dlg.Start(5);
        EXPECT_FALSE(appBus.IsOpen());
        EXPECT_TRUE(dlg.Map().Port.IsOpen());
        EXPECT_EQ(dlg.Map().Port.PortName(), appBus.PortName());
        EXPECT_EQ(dlg.Map().Port.BaudRateValue(), 19200u);
        EXPECT_EQ(dlg.Map().Space.DeviceAddress, 5);
        EXPECT_EQ(dlg.Map().Space.ReadInterval, 100);
        EXPECT_TRUE(dlg.MapRunning());
        ASSERT_TRUE(Cycles(2));
        dlg.Finish();
        EXPECT_FALSE(dlg.MapRunning());
        EXPECT_FALSE(dlg.Map().Port.IsOpen());
        EXPECT_EQ(appBus.IsOpen(), wasOpen);
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(StepperWindow, RowsShowTheDeviceAndEditsReachIt) {
    // Options 2: the 32-bit values have their halves' bytes exchanged (order 1032).
    slave.SetPair(kBase + 0, 2);
    slave.SetRegister(kBase + 11, 37);
    quint8 wire[4];
    EncodeValue32(std::bit_cast<quint32>(812.5f), 2, wire);
    slave.SetRegister(kBase + 21, quint16(wire[0] << 8 | wire[1]));
    slave.SetRegister(kBase + 22, quint16(wire[2] << 8 | wire[3]));
    dlg.Start(5);
    // Values show once the first read has brought the options.
    ASSERT_TRUE(RunUntil([&] { return !Row(13, 1).isEmpty(); }, 3000));
    ASSERT_EQ(dlg.RegisterList->topLevelItemCount(), 14);
    EXPECT_EQ(Row(0, 1), QStringLiteral("00000002"));
    EXPECT_EQ(Row(0, 2), QStringLiteral("2000/2001"));
    EXPECT_EQ(Row(6, 0), QStringLiteral("Controller temperature"));
    EXPECT_EQ(Row(6, 1), QStringLiteral("37"));
    EXPECT_EQ(Row(6, 2), QStringLiteral("200B"));
    EXPECT_EQ(Row(6, 3), QStringLiteral("°C"));
    EXPECT_TRUE(Row(6, 4).isEmpty()); // read only
    EXPECT_FALSE(Row(9, 4).isEmpty());
    EXPECT_EQ(Row(13, 1), QStringLiteral("812.50"));
    Shot(dlg, QStringLiteral("sm-en"));
    {
        TLanguageRestored back;
        SetCurrentLanguage(liUkrainian);
        dlg.UpdateLanguage();
        Shot(dlg, QStringLiteral("sm-uk"));
        dlg.ShowTrafficCheck->setChecked(true);
        dlg.SeriesList->item(13)->setCheckState(Qt::Checked);
        Cycles(6);
        dlg.Pages->setCurrentIndex(1);
        Shot(dlg, QStringLiteral("sm-uk-chart"));
        dlg.Pages->setCurrentIndex(2);
        Shot(dlg, QStringLiteral("sm-uk-traffic"));
        dlg.Pages->setCurrentIndex(0);
        dlg.ShowTrafficCheck->setChecked(false);
    }
    dlg.UpdateLanguage();

    int asked = 0;
    dlg.OnInput = [&](const QString&, const QString& Prompt, const QString& Text) -> std::optional<QString> {
        ++asked;
        EXPECT_EQ(Prompt, QStringLiteral("Set point: CLK frequency"));
        EXPECT_EQ(Text, QStringLiteral("0.00"));
        return QStringLiteral("1500.5");
    };
    dlg.EditRow(9);
    EncodeValue32(std::bit_cast<quint32>(1500.5f), 2, wire);
    ASSERT_TRUE(
        RunUntil([&] { return slave.Register(kBase + 15) == quint16(wire[0] << 8 | wire[1]); }, 3000));
    EXPECT_EQ(slave.Register(kBase + 16), quint16(wire[2] << 8 | wire[3]));
    dlg.EditRow(6); // read only: not even asked
    EXPECT_EQ(asked, 1);
    dlg.OnInput = [](const QString&, const QString&, const QString&) -> std::optional<QString> {
        return QStringLiteral("fast");
    };
    dlg.EditRow(10);
    EXPECT_FALSE(dlg.Map().MoveRight.Modified);
}

TEST_F(StepperWindow, TrafficPageListsFramesWhileAsked) {
    dlg.Start(5);
    ASSERT_TRUE(Cycles(2));
    EXPECT_EQ(dlg.TrafficList->count(), 0);
    dlg.ShowTrafficCheck->setChecked(true);
    ASSERT_TRUE(Cycles(3));
    ASSERT_GE(dlg.TrafficList->count(), 2);
    EXPECT_TRUE(dlg.TrafficList->item(0)->text().startsWith(QStringLiteral("out  05 03 20 00 00 17 ")))
        << dlg.TrafficList->item(0)->text().toStdString();
    EXPECT_TRUE(dlg.TrafficList->item(1)->text().startsWith(QStringLiteral("in  05 03 2E ")));
    dlg.ClearBtnClick();
    EXPECT_EQ(dlg.TrafficList->count(), 0);
}

TEST_F(StepperWindow, UkrainianTexts) {
    SetCurrentLanguage(liUkrainian);
    dlg.UpdateLanguage();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Карта Modbus контролера КД"));
    EXPECT_EQ(Row(6, 0), QStringLiteral("Температура контролера"));
    EXPECT_EQ(Row(1, 3), QStringLiteral("Гц"));
    EXPECT_EQ(dlg.CloseBtn->text(), QStringLiteral("Закрити"));
}

TEST(StepperValues, EntriesByTypeAndIndex) {
    TSMModbusMap map;
    const struct {
        TModbusParameter TSMModbusMap::*Member;
        const char* Text;
        bool Accepted;
        const char* Shown;
    } cases[] = {
        {&TSMModbusMap::Options, "1F", true, "0000001F"},
        {&TSMModbusMap::Options, "0x80000000", true, "80000000"},
        {&TSMModbusMap::Options, "G1", false, "80000000"},
        {&TSMModbusMap::StepCounter, "FF", true, "255"},
        {&TSMModbusMap::StepCount, "-5", true, "-5"},
        {&TSMModbusMap::StepCount, "4294967295", true, "-1"},
        {&TSMModbusMap::StepCount, "4294967296", false, "-1"},
        {&TSMModbusMap::MoveRight, "65535", true, "65535"},
        {&TSMModbusMap::MoveRight, "70000", false, "65535"},
        {&TSMModbusMap::MoveRight, "-1", false, "65535"},
        {&TSMModbusMap::Clock, "2.345", true, "2.35"},
        {&TSMModbusMap::Clock, "1,5", false, "2.35"},
        {&TSMModbusMap::Clock, "1e40", false, "2.35"},
    };
    for (const auto& c : cases) {
        TModbusParameter& p = map.*c.Member;
        SCOPED_TRACE(p.Name().toStdString() + " " + c.Text);
        EXPECT_EQ(SMSetValueFromText(p, QString::fromLatin1(c.Text)), c.Accepted);
        EXPECT_EQ(SMValueText(p), QString::fromLatin1(c.Shown));
    }
    EXPECT_EQ(SMDecimalsOf(QStringLiteral("0.000")), 3);
    EXPECT_EQ(SMDecimalsOf(QStringLiteral("0")), 0);
}

// ---- the property sheet ----

TEST(PropertySheet, EditsAreCheckedAndWrittenInOrderUntilAFailure) {
    TPropertySheet sheet;
    std::vector<double> written;
    bool failSecond = true;
    TSheetProperty f = SheetProperty(QStringLiteral("F"), TSheetType::Float, QStringLiteral("Hz"), 0, 100,
                                     TSheetAccess::ReadWrite, 1);
    f.Read = [] { return std::optional<double>(12.5); };
    f.Write = [&](double v) { return written.push_back(v), true; };
    TSheetProperty h =
        SheetProperty(QStringLiteral("H"), TSheetType::Hex, QString(), 0, 0xFF, TSheetAccess::ReadWrite, 2);
    h.Read = [] { return std::optional<double>(0x0A); };
    h.Write = [&](double v) { return failSecond ? false : (written.push_back(v), true); };
    TSheetProperty r =
        SheetProperty(QStringLiteral("R"), TSheetType::Integer, QString(), 0, 0, TSheetAccess::ReadOnly, 0);
    r.Read = [] { return std::optional<double>(); }; // fails to read
    sheet.Properties = {f, h, r};
    EXPECT_FALSE(sheet.ReadAll());
    EXPECT_EQ(sheet.ValueText(0), QStringLiteral("12.5"));
    EXPECT_EQ(sheet.ValueText(1), QStringLiteral("0x0A"));
    EXPECT_FALSE(sheet.Read(2));
    EXPECT_EQ(sheet.LimitsText(1), QStringLiteral("0x00 … 0xFF"));

    const struct {
        int Row;
        const char* Text;
        TPropertySheet::TEditResult Result;
    } edits[] = {
        {0, "150", TPropertySheet::erOutOfLimits}, {0, "-0.1", TPropertySheet::erOutOfLimits},
        {0, "abc", TPropertySheet::erBadValue},    {0, "1,5", TPropertySheet::erBadValue},
        {0, "inf", TPropertySheet::erBadValue},    {1, "100", TPropertySheet::erOutOfLimits},
        {1, "zz", TPropertySheet::erBadValue},     {2, "0", TPropertySheet::erReadOnly},
        {0, " 99.5 ", TPropertySheet::erOk},       {1, "0x1f", TPropertySheet::erOk},
    };
    for (const auto& e : edits)
        EXPECT_EQ(sheet.SetEdit(e.Row, QString::fromLatin1(e.Text)), e.Result) << e.Text;
    EXPECT_TRUE(sheet.Edited(0));
    EXPECT_EQ(sheet.ValueText(1), QStringLiteral("0x1F"));
    EXPECT_EQ(sheet.WriteChanged(), 1);
    EXPECT_EQ(written, std::vector<double>{99.5});
    EXPECT_FALSE(sheet.Edited(0)); // written: it is the value now
    EXPECT_TRUE(sheet.Edited(1));  // kept for the next try
    failSecond = false;
    EXPECT_EQ(sheet.WriteChanged(), -1);
    EXPECT_EQ(written, (std::vector<double>{99.5, 0x1F}));
    EXPECT_FALSE(sheet.HasChanges());
    // Entering the value read withdraws the edit.
    EXPECT_EQ(sheet.SetEdit(0, QStringLiteral("99.5")), TPropertySheet::erOk);
    EXPECT_FALSE(sheet.HasChanges());
}

class TBareModule : public TZUVOModule {
public:
    QString ClassName() const override { return QStringLiteral("TBareModule"); }
};

class MapConstructorWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(slave.Ok());
        slave.SetRegister(0x3000, 0x4000);
        slave.SetRegister(0x3001, 7);
        slave.SetRegister(0x3003, 0x0105); // kept as a byte: 5
        const char name[] = "BOILER 2    ";
        for (int w = 0; w < 6; ++w)
            slave.SetRegister(0x3008 + w, quint16(quint8(name[2 * w]) << 8 | quint8(name[2 * w + 1])));
        bus.SetPortName(slave.PortPath());
        bus.SetInputTimeout(100);
        ap.SetBus(&bus);
        ap.SetTryCount(1);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active());
        module.SetAP(&ap);
        module.SetAddress(9);
        dlg.OnMessage = [this](const QString& Text) { messages << Text; };
    }
    QString Value(int Row) const { return dlg.PropertyList->topLevelItem(Row)->text(1); }

    TLanguageRestored language;
    TModbusSlave slave{9, 0x4000 + 64};
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TBareModule module;
    TUMMCChannel ummc{&module};
    TPropertySheetDlg dlg;
    QStringList messages;
};

TEST_F(MapConstructorWindow, ShowsAndEditsTheConfiguration) {
    auto sheet = MapConstructorSheet(ummc, module);
    ASSERT_TRUE(dlg.Load(*sheet, QStringLiteral("UMMC"), QStringLiteral("0x09"), QStringLiteral("br9600"),
                         false, &ummc));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(dlg.DataBox->isVisibleTo(&dlg));
    EXPECT_EQ(Value(0), QStringLiteral("BOILER 2    "));
    EXPECT_EQ(Value(1), QStringLiteral("0x4000"));
    EXPECT_EQ(Value(2), QStringLiteral("0")); // Order16
    EXPECT_EQ(Value(4), QStringLiteral("7")); // word 1
    EXPECT_EQ(Value(6), QStringLiteral("5")); // word 3
    if (!qEnvironmentVariableIsEmpty("DVV_WINDOW_SHOTS")) {
        Shot(dlg, QStringLiteral("ummc-en"));
        {
            TLanguageRestored back;
            SetCurrentLanguage(liUkrainian);
            auto uk = MapConstructorSheet(ummc, module);
            dlg.Load(*uk, QStringLiteral("UMMC"), QStringLiteral("0x09"), QStringLiteral("br9600"), false,
                     &ummc);
            Shot(dlg, QStringLiteral("ummc-uk"));
        }
        ASSERT_TRUE(dlg.Load(*sheet, QStringLiteral("UMMC"), QStringLiteral("0x09"), QStringLiteral("br9600"),
                             false, &ummc));
    }
    EXPECT_FALSE(dlg.ApplyBtn->isEnabled());

    dlg.EditValue(3, QStringLiteral("4")); // Order32 is 0 .. 3
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("between 0 and 3"))) << messages[0].toStdString();
    dlg.EditValue(3, QStringLiteral("2"));
    dlg.EditValue(2, QStringLiteral("1"));
    dlg.EditValue(10, QStringLiteral("200")); // word 15, written alone
    EXPECT_TRUE(dlg.ApplyBtn->isEnabled());
    dlg.ApplyBtnClick();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(slave.Pair(0x3004), 6u);
    EXPECT_EQ(slave.Register(0x300F), 200);
    EXPECT_EQ(ummc.DataChannel().Order32(), 2);
    EXPECT_FALSE(dlg.ApplyBtn->isEnabled());
    // A device that stops answering: the failed property is named, the edit kept.
    dlg.EditValue(4, QStringLiteral("8"));
    module.SetAddress(10);
    dlg.ApplyBtnClick();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].contains(QStringLiteral("Configuration word 1"))) << messages[1].toStdString();
    EXPECT_TRUE(dlg.ApplyBtn->isEnabled());
}

TEST_F(MapConstructorWindow, ReadsAndWritesTheDataWindow) {
    for (int r = 0; r < 4; ++r)
        slave.SetRegister(0x4000 + r, quint16(100 + r));
    auto sheet = MapConstructorSheet(ummc, module);
    ASSERT_TRUE(dlg.Load(*sheet, QStringLiteral("UMMC"), QString(), QString(), false, &ummc));
    dlg.OffsetEdit->setValue(0);
    dlg.CountEdit->setValue(4);
    dlg.TypeBox->setCurrentIndex(TUMMCChannel::dtUnsigned16);
    dlg.ReadDataBtnClick();
    ASSERT_EQ(dlg.DataList->topLevelItemCount(), 4);
    EXPECT_EQ(dlg.DataList->topLevelItem(3)->text(1), QStringLiteral("103"));
    EXPECT_TRUE(dlg.DataList->topLevelItem(3)->text(0).startsWith(QStringLiteral("0x4003")));

    dlg.OffsetEdit->setValue(2);
    dlg.TypeBox->setCurrentIndex(TUMMCChannel::dtSigned16);
    dlg.DataValueEdit->setText(QStringLiteral("-2"));
    const int before = slave.Requests();
    dlg.WriteDataBtnClick();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("cannot be stored"))) << messages[0].toStdString();
    EXPECT_EQ(slave.Requests(), before);
    dlg.DataValueEdit->setText(QStringLiteral("-1"));
    dlg.WriteDataBtnClick();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(slave.Register(0x4002), 0x8000);
}

class StreamControllerWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(device.Ok());
        device.AddNerixDevice(4, {{{5, 0}, std::bit_cast<quint32>(100.0f)},
                                  {{5, 1}, 0x0003},
                                  {{5, 2}, 2},
                                  {{0, 5}, 7},
                                  {{7, 0}, std::bit_cast<quint32>(50.0f)},
                                  {{7, 1}, 10},
                                  {{7, 2}, 5}});
        bus.SetPortName(device.PortPath());
        bus.SetInputTimeout(100);
        ap.SetBus(&bus);
        ap.SetTryCount(1);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active());
        for (TZUVOModule* m : {static_cast<TZUVOModule*>(&aik), static_cast<TZUVOModule*>(&dof)}) {
            m->SetAP(&ap);
            m->SetAddress(4);
        }
        dlg.OnMessage = [this](const QString& Text) { messages << Text; };
    }
    QString Value(int Row) const { return dlg.PropertyList->topLevelItem(Row)->text(1); }

    TLanguageRestored language;
    TScriptedDevice device;
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TKVDAIKBUS aik;
    TKVDDOFBUS dof;
    TPropertySheetDlg dlg;
    QStringList messages;
};

TEST_F(StreamControllerWindow, ReadsEditsWritesAndSavesToFlash) {
    auto sheet = StreamControllerSheet(*aik.StreamController(), aik, aik.AnalogInputCount());
    ASSERT_TRUE(dlg.Load(*sheet, QStringLiteral("AIK"), QString(), QString(), false));
    EXPECT_FALSE(dlg.DataBox->isVisibleTo(&dlg));
    EXPECT_EQ(Value(0), QStringLiteral("100.00"));
    EXPECT_EQ(Value(1), QStringLiteral("0x0003"));
    EXPECT_EQ(Value(2), QStringLiteral("0x00000002"));
    if (!qEnvironmentVariableIsEmpty("DVV_WINDOW_SHOTS")) {
        Shot(dlg, QStringLiteral("stream-en"));
        {
            TLanguageRestored back;
            SetCurrentLanguage(liUkrainian);
            auto uk = StreamControllerSheet(*aik.StreamController(), aik, aik.AnalogInputCount());
            dlg.Load(*uk, QStringLiteral("AIK"), QString(), QString(), false);
            Shot(dlg, QStringLiteral("stream-uk"));
        }
        ASSERT_TRUE(dlg.Load(*sheet, QStringLiteral("AIK"), QString(), QString(), false));
    }
    dlg.EditValue(1, QStringLiteral("1F")); // four inputs: 0x0 .. 0xF
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(Value(1), QStringLiteral("0x0003"));
    dlg.EditValue(1, QStringLiteral("F"));
    dlg.EditValue(0, QStringLiteral("250"));
    dlg.ApplyBtnClick();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(device.Property(4, 5, 1), 0xFu);
    EXPECT_EQ(device.Property(4, 5, 0), std::bit_cast<quint32>(250.0f));
    EXPECT_EQ(device.Property(4, 5, 2), 2u); // not changed, not written
    EXPECT_TRUE(dlg.ToFlashBtn->isEnabled());
    dlg.ToFlashBtnClick();
    EXPECT_EQ(device.Property(4, 0, 5), 0u);
    EXPECT_EQ(messages.last(), QStringLiteral("Settings saved to flash"));
}

TEST_F(StreamControllerWindow, LiteModeRefusesTheFlash) {
    auto sheet = StreamControllerSheet(*aik.StreamController(), aik, aik.AnalogInputCount());
    ASSERT_TRUE(dlg.Load(*sheet, QStringLiteral("AIK"), QString(), QString(), true));
    EXPECT_FALSE(dlg.ToFlashBtn->isEnabled());
    const int before = device.RequestCount();
    dlg.ToFlashBtnClick();
    EXPECT_EQ(device.RequestCount(), before);
    EXPECT_EQ(device.Property(4, 0, 5), 7u);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Saving to flash is not available in Lite mode")});
}

TEST_F(StreamControllerWindow, ImpulseGeneratorAndASilentDevice) {
    EXPECT_EQ(ImpulseGeneratorOutputFor(19, 6), 4);
    EXPECT_EQ(ImpulseGeneratorOutputFor(19, 7), 5);
    EXPECT_EQ(ImpulseGeneratorOutputFor(19, 5), -1);
    EXPECT_EQ(ImpulseGeneratorOutputFor(18, 6), -1);
    auto sheet = ImpulseGeneratorSheet(*dof.DiscreteOutput(4), dof);
    ASSERT_TRUE(dlg.Load(*sheet, QStringLiteral("DOF"), QString(), QString(), false));
    EXPECT_EQ(Value(0), QStringLiteral("50.00"));
    EXPECT_EQ(Value(1), QStringLiteral("15"));
    dlg.EditValue(1, QStringLiteral("0")); // the counter takes 0 only: a reset
    dlg.ApplyBtnClick();
    EXPECT_EQ(device.Property(4, 7, 1), 0u);
    EXPECT_TRUE(messages.isEmpty());

    device.SetSilent(true);
    EXPECT_FALSE(dlg.Load(*sheet, QStringLiteral("DOF"), QString(), QString(), false));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Error reading parameters")});
    EXPECT_EQ(Value(0), QStringLiteral("not read"));
}

TEST(PropertySheetWindow, UkrainianTextsAndRegistration) {
    TLanguageRestored language;
    SetCurrentLanguage(liUkrainian);
    TPropertySheetDlg dlg;
    EXPECT_EQ(dlg.ApplyBtn->text(), QStringLiteral("Застосувати"));
    EXPECT_EQ(dlg.PropertyList->headerItem()->text(0), QStringLiteral("Властивість"));
    TAdminOptions options;
    RegisterPropertySheetWindows(dlg, options);
    for (const char* name :
         {"TKVD_FREQ_DLG", "TAIKDataStreamControllerDlg", "TAIK12DataStreamControllerDlg", "TUMMCDlg"})
        EXPECT_TRUE(ChannelWindows().Has(QString::fromLatin1(name))) << name;
    for (const char* name :
         {"TKVD_FREQ_DLG", "TAIKDataStreamControllerDlg", "TAIK12DataStreamControllerDlg", "TUMMCDlg"})
        ChannelWindows().Unregister(QString::fromLatin1(name));
}

} // namespace
