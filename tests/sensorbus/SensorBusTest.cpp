// The sensor bus logic: identifier lists, sensor images, and every operation of the window against a
// scripted multi-sensor thermometer on a pseudo-terminal.
#include "Thermometer.h"
#include "model/ModuleFactory.h"
#include "model/MultiSensorModules.h"
#include "protocol/ModbusToNerix.h"
#include "sensorbus/MacList.h"
#include "sensorbus/SensorBusDevice.h"
#include "sensorbus/SensorImage.h"
#include "shell/Dm.h"
#include "support/ScriptedDevice.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TOneWireMAC Mac(const char* Text) {
    return *TOneWireMAC::Parse(QString::fromLatin1(Text));
}

TThermoSensor Sensor(const char* Text, qint32 T = 2150, qint32 H = 0) {
    return {Mac(Text), T, H};
}

// A thermometer of TypeCode at address 1 behind a pseudo-terminal, its template the current module.
class SensorBusRig : public ::testing::Test {
protected:
    void Open(quint32 TypeCode, quint64 Mask = ~0ull, int Buses = 12, quint8 FirstObject = 1,
              bool Signalling = true) {
        thermo = std::make_unique<TThermometer>(1, Buses, FirstObject, Signalling);
        ASSERT_TRUE(line.Ok());
        line.SetResponder([this](const QByteArray& r) { return thermo->Answer(r); });
        dm.Bus.SetPortName(line.PortPath());
        dm.Bus.SetInputTimeout(60);
        dm.ComAccessPoint.SetTryCount(1);
        dm.ComAccessPoint.SetActive(true);
        ASSERT_TRUE(dm.ComAccessPoint.Active());
        dm.CurrentAccessPoint = &dm.ComAccessPoint;
        props = std::make_unique<TDeviceProps>(1, br9600, tpNerix, 0, TypeCode, QStringLiteral("T"), 7,
                                               0xFFFFFFFFu, 0);
        props->ChannelMask = Mask;
        props->ByteOrder = boNAN;
        dm.CurrentDevice = props.get();
        dm.SelectCurrentModule();
        ASSERT_NE(dm.CurrentModule, nullptr);
        device = std::make_unique<TSensorBusDevice>(*dm.CurrentModule, TypeCode, Mask);
    }
    void TearDown() override { dm.ComAccessPoint.SetActive(false); }

    TScriptedDevice line;
    std::unique_ptr<TThermometer> thermo;
    TDm dm;
    std::unique_ptr<TDeviceProps> props;
    std::unique_ptr<TSensorBusDevice> device;
};

} // namespace

TEST(MacList, IdentifierTextAndWords) {
    const TOneWireMAC m = Mac("28ff4a1b2c3d4e5f");
    EXPECT_EQ(m.Text(), QStringLiteral("28FF4A1B2C3D4E5F"));
    EXPECT_EQ(m.Family(), 0x28);
    EXPECT_EQ(m.Low(), 0x1B4AFF28u);
    EXPECT_EQ(m.High(), 0x5F4E3D2Cu);
    EXPECT_EQ(TOneWireMAC::FromWords(m.Low(), m.High()), m);
    for (const char* bad :
         {"28FF4A1B2C3D4E5", "28FF4A1B2C3D4E5F0", "28FF4A1B2C3D4E5G", "28 F4A1B2C3D4E5F", ""})
        EXPECT_FALSE(TOneWireMAC::Parse(QString::fromLatin1(bad))) << bad;
}

TEST(MacList, ReadsEveryLineEndAndStopsAtTheFirstBadLine) {
    struct TCase {
        QByteArray Text;
        TMacReadResult::TFault Fault;
        int Line;
        int Count;
        QString LineText;
    } cases[] = {
        {"2800000000000001\r2800000000000002\r", TMacReadResult::None, 0, 2, {}},
        {"2800000000000001\n2800000000000002", TMacReadResult::None, 0, 2, {}},
        {"2800000000000001\r\n2800000000000002\r\n", TMacReadResult::None, 0, 2, {}},
        {"", TMacReadResult::None, 0, 0, {}},
        {"2800000000000001\r2800000000000002\r280000000000003\r2800000000000004\r", TMacReadResult::BadLength,
         3, 0, QStringLiteral("280000000000003")},
        {"2800000000000001\r\rX", TMacReadResult::BadLength, 2, 0, {}},
        {"2800000000000001\r28000000000000ZZ\r", TMacReadResult::BadValue, 2, 0,
         QStringLiteral("28000000000000ZZ")},
    };
    for (const TCase& c : cases) {
        TMACList list = {Mac("1000000000000000")};
        const TMacReadResult r = ReadMacText(c.Text, list);
        SCOPED_TRACE(c.Text.toStdString());
        EXPECT_EQ(r.Fault, c.Fault);
        EXPECT_EQ(r.Line, c.Line);
        EXPECT_EQ(r.LineText, c.LineText);
        // A refused file leaves the list in hand alone.
        EXPECT_EQ(int(list.size()), c.Fault == TMacReadResult::None ? c.Count : 1);
    }
}

TEST(MacList, FileRoundTripEndsLinesInCr) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bus.mac"));
    const TMACList list = {Mac("28FF4A1B2C3D4E5F"), Mac("2200000000000001")};
    ASSERT_TRUE(WriteMacFile(path, list));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("28FF4A1B2C3D4E5F\r2200000000000001\r"));
    TMACList back;
    ASSERT_TRUE(ReadMacFile(path, back).Ok());
    EXPECT_EQ(back, list);
    EXPECT_EQ(ReadMacFile(dir.filePath(QStringLiteral("none.mac")), back).Fault, TMacReadResult::ReadError);
}

TEST(SensorImage, RoundTripThroughTheOptionsSerializer) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("device.tsi"));
    TSensorImage image;
    image.CpuTemp()->AlarmEnabled = true;
    image.CpuTemp()->AlarmMax = 70;
    image.AddProperties()->Value = 1;
    image.AddProperties()->TempJumpValue = 12;
    for (int b = 0; b < 2; ++b) {
        auto* bus = qobject_cast<TBusItem*>(image.Buses()->Add());
        bus->PowerActive = b == 1;
        bus->Note = QStringLiteral("Silo %1").arg(b + 1);
        for (int s = 0; s < 3; ++s) {
            auto* sensor = qobject_cast<TSensorItem*>(bus->Sensors()->Add());
            sensor->Serial =
                QStringLiteral("28000000000000%1").arg(b * 16 + s, 2, 16, QLatin1Char('0')).toUpper();
            sensor->RelayEnabled = s == 2;
            sensor->RelayMin = -10 - s;
        }
    }
    ASSERT_TRUE(SaveSensorImage(path, image));
    const QString text = ReadFileText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("<config"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("VEVA"))) << text.toStdString();
    TSensorImage back;
    ASSERT_TRUE(LoadSensorImage(path, back).Ok());
    ASSERT_EQ(back.Buses()->Count(), 2);
    EXPECT_EQ(back.Buses()->Bus(1)->Note, QStringLiteral("Silo 2"));
    EXPECT_TRUE(back.Buses()->Bus(1)->PowerActive);
    ASSERT_EQ(back.Buses()->Bus(1)->Sensors()->Count(), 3);
    EXPECT_EQ(back.Buses()->Bus(1)->Sensors()->Sensor(2)->Serial, QStringLiteral("2800000000000012"));
    EXPECT_EQ(back.Buses()->Bus(1)->Sensors()->Sensor(2)->RelayMin, -12);
    EXPECT_TRUE(back.Buses()->Bus(1)->Sensors()->Sensor(2)->RelayEnabled);
    EXPECT_TRUE(back.CpuTemp()->AlarmEnabled);
    EXPECT_EQ(back.CpuTemp()->AlarmMax, 70);
    EXPECT_EQ(back.AddProperties()->TempJumpValue, 12);
    EXPECT_EQ(back.AddProperties()->ErrorTempValue, 320);
}

TEST(SensorImage, RefusesMalformedFilesAndKeepsTheImageInHand) {
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.tsi"));
    TSensorImage source;
    auto* bus = qobject_cast<TBusItem*>(source.Buses()->Add());
    qobject_cast<TSensorItem*>(bus->Sensors()->Add())->Serial = QStringLiteral("2800000000000001");
    ASSERT_TRUE(SaveSensorImage(good, source));
    const QString text = ReadFileText(good);
    auto variant = [&](const QString& from, const QString& to) {
        QString t = text;
        t.replace(from, to);
        return t.toUtf8();
    };
    QString manyBuses = text;
    {
        const int start = text.indexOf(QStringLiteral("<Item>"));
        const int end = text.indexOf(QStringLiteral("</Buses>"));
        ASSERT_GT(start, 0);
        const QString item = text.mid(start, end - start);
        manyBuses.replace(start, end - start, item.repeated(13));
    }
    struct TCase {
        const char* Name;
        QByteArray Bytes;
        TImageFault Fault;
    } cases[] = {
        {"not XML", "<<<", TImageFault::NotAnImage},
        {"empty", "", TImageFault::NotAnImage},
        {"other program", variant(QStringLiteral("VEVA"), QStringLiteral("Other")), TImageFault::NotAnImage},
        {"short identifier", variant(QStringLiteral("2800000000000001"), QStringLiteral("280000000000001")),
         TImageFault::BadSerial},
        {"identifier not hex",
         variant(QStringLiteral("2800000000000001"), QStringLiteral("28000000000000XY")),
         TImageFault::BadSerial},
        {"limit not a number",
         variant(QStringLiteral("<AlarmMax>100</AlarmMax>"), QStringLiteral("<AlarmMax>hot</AlarmMax>")),
         TImageFault::NotAnImage},
        {"limit out of range",
         variant(QStringLiteral("<AlarmMax>100</AlarmMax>"), QStringLiteral("<AlarmMax>99999</AlarmMax>")),
         TImageFault::BadValue},
        {"jump zero",
         variant(QStringLiteral("<TempJumpValue>7</TempJumpValue>"),
                 QStringLiteral("<TempJumpValue>0</TempJumpValue>")),
         TImageFault::BadValue},
        {"13 buses", manyBuses.toUtf8(), TImageFault::TooManyBuses},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSensorImage image;
        image.AddProperties()->TempJumpValue = 42;
        const TImageCheck check = LoadSensorImageText(c.Bytes, image);
        EXPECT_EQ(int(check.Fault), int(c.Fault));
        EXPECT_EQ(image.AddProperties()->TempJumpValue, 42);
    }
    TSensorImage image;
    EXPECT_EQ(int(LoadSensorImage(dir.filePath(QStringLiteral("none.tsi")), image).Fault),
              int(TImageFault::NoFile));
}

TEST(MultiSensorModules, CreatedByTypeWithTheirRegisterMaps) {
    auto veva = CreateModuleForType(30);
    ASSERT_TRUE(veva.Module) << veva.Why.toStdString();
    auto* ms = dynamic_cast<TCustomMultiSensorModule*>(veva.Module.get());
    ASSERT_NE(ms, nullptr);
    EXPECT_EQ(ms->ClassName(), QStringLiteral("TKVDTCMSBUS"));
    EXPECT_EQ(ms->SensorBusCount(), 12);
    EXPECT_EQ(ms->SensorBus(12), nullptr);
    ASSERT_NE(ms->SensorAlarm(), nullptr);
    EXPECT_EQ(ms->SensorAlarm()->Accessor.ObjectNumber, 13);
    EXPECT_EQ(ms->SensorBus(11)->Accessor.ObjectNumber, 12);
    auto vix = CreateModuleForType(35);
    ASSERT_TRUE(vix.Module) << vix.Why.toStdString();
    auto* ms35 = dynamic_cast<TCustomMultiSensorModule*>(vix.Module.get());
    ASSERT_NE(ms35, nullptr);
    EXPECT_EQ(ms35->ClassName(), QStringLiteral("TKVDTCVIXPro"));
    EXPECT_EQ(ms35->SensorBusCount(), 4);
    EXPECT_EQ(ms35->SensorAlarm(), nullptr);
}

TEST_F(SensorBusRig, EmptyBusShowsOnlyTheProcessorRow) {
    Open(30);
    thermo->SetLimits(0, kCpuSensor, {0x80, 5, 60, 0, 100});
    std::vector<TSensorRow> rows;
    ASSERT_TRUE(device->FillSensorList(0, rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].Cpu);
    EXPECT_TRUE(rows[0].Limits.AlarmOn());
    EXPECT_EQ(rows[0].Limits.AlarmMax, 60);
    ASSERT_TRUE(device->Poll(0, rows));
    EXPECT_DOUBLE_EQ(rows[0].Temperature, 36.75);
    EXPECT_EQ(HumidityLook(rows[0]), TCellLook::Placeholder);
}

TEST_F(SensorBusRig, FillsAndPollsTheSensorsOfTheChosenBus) {
    Open(30);
    thermo->SetSensors(2, {Sensor("28FF4A1B2C3D4E5F", 2345), Sensor("2800000000000002", 20000),
                           Sensor("2800000000000003", -1050), Sensor("0100000000000004", 1999)});
    thermo->SetLimits(2, 1, {0xC0, -5, 30, 1, 25});
    std::vector<TSensorRow> rows;
    ASSERT_TRUE(device->FillSensorList(2, rows));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1].Mac.Text(), QStringLiteral("28FF4A1B2C3D4E5F"));
    EXPECT_EQ(rows[1].Kind, 0x28);
    EXPECT_TRUE(SensorKindHasIdentifier(rows[1].Kind));
    EXPECT_EQ(rows[2].Sensor, 1);
    EXPECT_TRUE(rows[2].Limits.AlarmOn());
    EXPECT_TRUE(rows[2].Limits.RelayOn());
    EXPECT_EQ(rows[2].Limits.AlarmMin, -5);
    EXPECT_EQ(rows[2].Limits.RelayMax, 25);
    EXPECT_FALSE(rows[1].Limits.AlarmOn());
    EXPECT_FALSE(SensorKindHasIdentifier(rows[4].Kind)); // shown as "Mcu"
    ASSERT_TRUE(device->Poll(2, rows));
    EXPECT_DOUBLE_EQ(rows[1].Temperature, 23.45);
    EXPECT_EQ(TemperatureLook(rows[1]), TCellLook::Value);
    EXPECT_EQ(TemperatureLook(rows[2]), TCellLook::Error); // 200.00 °C
    EXPECT_DOUBLE_EQ(rows[3].Temperature, -10.5);
    EXPECT_EQ(TemperatureLook(rows[4]), TCellLook::Value); // 199.99 °C
    EXPECT_EQ(HumidityLook(rows[1]), TCellLook::Placeholder);
    // Only the bus's own object and the signalling object were asked.
    for (const TThermoWrite& w : thermo->Writes())
        EXPECT_TRUE(w.Object == 3 || w.Object == 13) << int(w.Object);
}

TEST_F(SensorBusRig, HumiditySensorsOfKind34) {
    Open(30);
    thermo->SetSensors(0, {{Mac("2200000000000001"), 2000, 4512},
                           {Mac("2200000000000002"), 2000, 10000},
                           {Mac("2200000000000003"), 2000, 50},
                           {Mac("2800000000000004"), 2000, 4512}});
    std::vector<TSensorRow> rows;
    ASSERT_TRUE(device->FillSensorList(0, rows));
    ASSERT_EQ(rows.size(), 5u);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(rows[size_t(i)].Kind, kHumidityKind);
    ASSERT_TRUE(device->Poll(0, rows));
    EXPECT_DOUBLE_EQ(rows[1].Humidity, 45.12);
    EXPECT_EQ(HumidityLook(rows[1]), TCellLook::Value);
    EXPECT_EQ(HumidityLook(rows[2]), TCellLook::Error);
    EXPECT_EQ(HumidityLook(rows[3]), TCellLook::Placeholder);
    EXPECT_EQ(HumidityLook(rows[4]), TCellLook::Placeholder);
    EXPECT_DOUBLE_EQ(rows[4].Humidity, -1);
}

TEST_F(SensorBusRig, CountBeyondWhatABusHoldsIsRefused) {
    Open(30);
    thermo->SetCount(0, 1000);
    std::vector<TSensorRow> rows;
    EXPECT_FALSE(device->FillSensorList(0, rows));
    EXPECT_EQ(device->LastFailure(), TSensorBusDevice::TFailure::TooManySensors);
    EXPECT_EQ(device->LastCount(), 1000);
    EXPECT_TRUE(rows.empty());
}

TEST_F(SensorBusRig, ScanSwapLimitsAndOptions) {
    Open(30);
    thermo->SetSensors(1,
                       {Sensor("2800000000000001"), Sensor("2800000000000002"), Sensor("2800000000000003")});
    ASSERT_TRUE(device->StartScan(1));
    ASSERT_TRUE(device->Swap(1, 0, 2));
    EXPECT_EQ(thermo->Sensors(1)[0].Mac.Text(), QStringLiteral("2800000000000003"));
    EXPECT_FALSE(device->Swap(1, 1, 1));
    const std::vector<TThermoWrite> expected = {{2, 0, kScanCommand}, {2, 6, 0x0002}};
    EXPECT_EQ(thermo->Writes(), expected);

    TSensorLimits limits;
    limits.SetAlarmOn(true);
    limits.AlarmMin = -20;
    limits.AlarmMax = 45;
    limits.RelayMin = -30;
    limits.RelayMax = 50;
    ASSERT_TRUE(device->WriteLimits(1, 2, limits));
    const auto back = device->ReadLimits(1, 2);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, limits);
    EXPECT_EQ(thermo->Limits(1, 2), (std::array<qint32, 5>{0x80, -20, 45, -30, 50}));
    ASSERT_TRUE(device->WriteLimits(1, kCpuSensor, limits));
    EXPECT_EQ(thermo->Limits(1, kCpuSensor)[1], -20);

    ASSERT_TRUE(device->WritePowerActive(1, true));
    EXPECT_EQ(device->ReadPowerActive(1), std::optional<bool>(true));
    EXPECT_EQ(thermo->BusOptions(1), 1u);

    auto options = device->ReadOptions();
    ASSERT_TRUE(options);
    EXPECT_EQ(options->ErrorTemperature, 320);
    EXPECT_EQ(options->TemperatureJump, 7);
    options->RelayDefault = true;
    options->ErrorTemperature = 250;
    options->TemperatureJump = 3;
    options->ErrorHumidity = 99;
    ASSERT_TRUE(device->WriteOptions(*options));
    EXPECT_EQ(thermo->Signalling(), 1u);
    EXPECT_EQ(thermo->DeviceOptions(), (250u << 16) | 3u);
    EXPECT_EQ(thermo->ErrorHumidity(), 99u);
}

TEST_F(SensorBusRig, StoringIdentifiers) {
    Open(30);
    // An empty list only clears the bus.
    thermo->SetSensors(0, {Sensor("2800000000000001")});
    ASSERT_TRUE(device->StoreIdentifiers(0, {}));
    EXPECT_EQ(thermo->Writes(), (std::vector<TThermoWrite>{{1, 1, 0}}));
    EXPECT_TRUE(thermo->Sensors(0).empty());

    thermo->ClearWrites();
    const TMACList list = {Mac("28FF4A1B2C3D4E5F"), Mac("2200000000000002")};
    ASSERT_TRUE(device->StoreIdentifiers(0, list));
    const std::vector<TThermoWrite> expected = {{1, 11, kStoreCommand},
                                                {1, 1, 2},
                                                {1, 2, 0},
                                                {1, 12, list[0].Low()},
                                                {1, 13, list[0].High()},
                                                {1, 2, 1},
                                                {1, 12, list[1].Low()},
                                                {1, 13, list[1].High()},
                                                {1, 11, 0}};
    EXPECT_EQ(thermo->Writes(), expected);
    ASSERT_EQ(thermo->Sensors(0).size(), 2u);
    EXPECT_EQ(thermo->Sensors(0)[0].Mac, list[0]);
    // The access point's own time-out is back after the commit.
    EXPECT_EQ(dm.ComAccessPoint.Timeout(), 60);
}

TEST_F(SensorBusRig, AStoreThatFailsPartWayIsNotCommitted) {
    Open(30);
    thermo->SetSensors(0, {Sensor("2800000000000009")});
    thermo->FailWrite(1, 13, 2); // the second identifier's upper half
    int failedAt = -2;
    const TMACList list = {Mac("2800000000000001"), Mac("2800000000000002"), Mac("2800000000000003")};
    EXPECT_FALSE(device->StoreIdentifiers(0, list, &failedAt));
    EXPECT_EQ(failedAt, 1);
    for (const TThermoWrite& w : thermo->Writes())
        EXPECT_FALSE(w.Property == 11 && w.Value == 0) << "committed a partial list";
    // The device never took the partial list as the bus's list.
    ASSERT_EQ(thermo->Sensors(0).size(), 1u);
    EXPECT_EQ(thermo->Sensors(0)[0].Mac.Text(), QStringLiteral("2800000000000009"));
}

TEST_F(SensorBusRig, ImageFromTheDeviceToDiskAndBack) {
    Open(30, 0b101); // buses 1 and 3 only
    thermo->SetSensors(0, {Sensor("2800000000000001"), Sensor("2800000000000002")});
    thermo->SetSensors(2, {Sensor("2800000000000003")});
    thermo->SetLimits(2, 0, {0x40, 0, 0, -7, 33});
    thermo->SetLimits(0, kCpuSensor, {0x80, 1, 61, 0, 100});
    ASSERT_EQ(device->Buses().size(), 2u);
    TSensorImage image;
    ASSERT_TRUE(device->ReadImage(image));
    ASSERT_EQ(image.Buses()->Count(), 2);
    EXPECT_EQ(image.Buses()->Bus(0)->Sensors()->Count(), 2);
    EXPECT_EQ(image.Buses()->Bus(1)->Sensors()->Sensor(0)->Serial, QStringLiteral("2800000000000003"));
    EXPECT_TRUE(image.Buses()->Bus(1)->Sensors()->Sensor(0)->RelayEnabled);
    EXPECT_EQ(image.Buses()->Bus(1)->Sensors()->Sensor(0)->RelayMin, -7);
    EXPECT_EQ(image.CpuTemp()->AlarmMax, 61);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.tsi"));
    ASSERT_TRUE(SaveSensorImage(path, image));
    TSensorImage loaded;
    ASSERT_TRUE(LoadSensorImage(path, loaded).Ok());

    // Wipe the device, then restore it from the file.
    thermo->SetSensors(0, {});
    thermo->SetSensors(2, {});
    thermo->SetLimits(2, 0, {0, 0, 100, 0, 100});
    loaded.Buses()->Bus(0)->PowerActive = true;
    ASSERT_TRUE(device->WriteImage(loaded));
    EXPECT_FALSE(thermo->StoreMode());
    ASSERT_EQ(thermo->Sensors(0).size(), 2u);
    EXPECT_EQ(thermo->Sensors(0)[1].Mac.Text(), QStringLiteral("2800000000000002"));
    ASSERT_EQ(thermo->Sensors(2).size(), 1u);
    EXPECT_EQ(thermo->Limits(2, 0), (std::array<qint32, 5>{0x40, 0, 0, -7, 33}));
    EXPECT_EQ(thermo->BusOptions(0), 1u);
    EXPECT_EQ(thermo->Limits(0, kCpuSensor)[2], 61);

    // A failed read abandons the image.
    thermo->FailWrite(13, 2, 1);
    TSensorImage untouched;
    EXPECT_FALSE(device->ReadImage(untouched));
    EXPECT_EQ(untouched.Buses()->Count(), 0);
}

TEST_F(SensorBusRig, WeightControllersKeepTheirBusesOnObjects22To25) {
    // Catalogue channels 21..24 of the weight controller are its sensor buses.
    Open(21, (1ull << 21) | (1ull << 23), 4, 22, false);
    ASSERT_EQ(device->Buses().size(), 2u);
    EXPECT_EQ(device->Buses()[0].Channel, 21);
    EXPECT_EQ(device->Buses()[1].Number, 2);
    EXPECT_EQ(device->BusForChannel(23), 2);
    EXPECT_EQ(device->BusForChannel(5), 0);
    EXPECT_FALSE(device->HasSignalling());
    thermo->SetSensors(2, {Sensor("2800000000000001", 1234)});
    std::vector<TSensorRow> rows;
    ASSERT_TRUE(device->FillSensorList(2, rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_FALSE(rows[1].HasLimits);
    ASSERT_TRUE(device->Poll(2, rows));
    EXPECT_DOUBLE_EQ(rows[1].Temperature, 12.34);
    for (const TThermoWrite& w : thermo->Writes())
        EXPECT_EQ(w.Object, 24);
}
