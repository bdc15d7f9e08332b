// The emulated twelve-bus thermometer, through real request frames: its lists, the drift of its
// readings on a clock the test steps, the scan, swap, store sessions, options, limits, flash and its
// Modbus map.
#include "EmulatorRequests.h"

#include "emulator/ConverterMO.h"
#include "emulator/EmulatorRows.h"
#include "emulator/ModbusMap.h"
#include "emulator/VirtualThermometer.h"
#include "model/MultiSensorProperties.h"
#include "model/ZUVOModule.h"
#include "support/ModbusFrames.h"

#include <gtest/gtest.h>
#include <set>

namespace {

class VirtualThermometer : public ::testing::Test {
protected:
    void SetUp() override {
        manager.AddDevices(*EmulatorDeviceTypeCode(QStringLiteral("KVD-VEVA-BUS")), 1);
        ASSERT_EQ(manager.DeviceCount(), 1);
        device = dynamic_cast<TVirtualKVDVEVABUS*>(manager.DeviceAt(0));
        ASSERT_NE(device, nullptr);
        device->Clock = [this] { return now; };
    }
    std::optional<quint32> Read(quint8 Object, quint16 Property) {
        return ReadReg(manager, 1, Object, Property);
    }
    bool Write(quint8 Object, quint16 Property, quint32 Value) {
        return WriteReg(manager, 1, Object, Property, Value);
    }
    // The bus's identifiers as the window reads them: select, then the two words.
    std::vector<std::pair<quint32, quint32>> Ids(quint8 Object) {
        std::vector<std::pair<quint32, quint32>> ids;
        const auto count = Read(Object, sbCount);
        for (quint32 i = 0; count && i < *count; ++i) {
            EXPECT_TRUE(Write(Object, sbSelect, i));
            ids.emplace_back(Read(Object, sbSerialLow).value_or(0), Read(Object, sbSerialHigh).value_or(0));
        }
        return ids;
    }
    qint32 Temperature(quint8 Object, quint32 Sensor) {
        EXPECT_TRUE(Write(Object, sbSelect, Sensor));
        return qint32(Read(Object, sbTemperature).value_or(0x7FFFFFFF));
    }

    TVirtualDeviceManager manager;
    TVirtualKVDVEVABUS* device = nullptr;
    quint64 now = 100000;
};

} // namespace

TEST_F(VirtualThermometer, IdentifiesItselfAndListsPlausibleSensors) {
    EXPECT_EQ(Read(0, 0), 30u);
    EXPECT_EQ(Read(0, 2), 0x1FFFu);
    EXPECT_EQ(manager.DeviceName(0), QStringLiteral("KVD-VEVA-BUS"));
    // The 1-Wire check byte of a well-known identifier: 02 1C B8 01 00 00 00, check A2.
    const TVirtualSensorId known = TVirtualSensorId::Make(0x02, 0x01B81C);
    EXPECT_EQ(known.Low, 0x01B81C02u);
    EXPECT_EQ(known.High, 0xA2000000u);

    const std::vector<int> counts = {3, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::set<std::pair<quint32, quint32>> seen;
    for (int bus = 0; bus < 12; ++bus) {
        SCOPED_TRACE(bus);
        const auto ids = Ids(quint8(bus + 1));
        ASSERT_EQ(int(ids.size()), counts[size_t(bus)]);
        for (quint32 i = 0; i < ids.size(); ++i) {
            ASSERT_TRUE(Write(quint8(bus + 1), sbSelect, i));
            const quint32 kind = *Read(quint8(bus + 1), sbKind);
            EXPECT_EQ(kind, ids[i].first & 0xFF);
            EXPECT_TRUE(kind == 16 || kind == 34 || kind == 40) << kind;
            const qint32 t = Temperature(quint8(bus + 1), i);
            EXPECT_GT(t, 1500);
            EXPECT_LT(t, 3000);
            seen.insert(ids[i]);
        }
    }
    EXPECT_EQ(seen.size(), 5u); // every identifier its own
    // Bus 1 has the humidity sensor; the others report none.
    ASSERT_TRUE(Write(1, sbSelect, 2));
    EXPECT_EQ(Read(1, sbKind), quint32(kHumidityKind));
    const quint32 humidity = *Read(1, sbHumidity);
    EXPECT_GT(humidity, 3000u);
    EXPECT_LT(humidity, 6000u);
    ASSERT_TRUE(Write(1, sbSelect, 0));
    EXPECT_EQ(Read(1, sbHumidity), 0u);
    // Nothing is selected past the list; objects past the signalling one do not answer.
    ASSERT_TRUE(Write(1, sbSelect, 3));
    EXPECT_FALSE(Read(1, sbTemperature));
    EXPECT_FALSE(Read(1, sbSerialLow));
    EXPECT_FALSE(Read(14, sbCount));
    EXPECT_FALSE(Write(1, sbSelect, 255));
    const qint32 cpu = qint32(*Read(1, sbCpuTemperature));
    EXPECT_GT(cpu, 3000);
    EXPECT_LT(cpu, 4500);
}

TEST_F(VirtualThermometer, ReadingsDriftSlowlyAndRepeatForTheSameMoment) {
    std::vector<qint32> first, again, later;
    for (quint32 i = 0; i < 3; ++i)
        first.push_back(Temperature(1, i));
    for (quint32 i = 0; i < 3; ++i)
        again.push_back(Temperature(1, i));
    EXPECT_EQ(first, again);
    int changed = 0;
    for (int step = 1; step <= 20; ++step) {
        now += 300;
        later.clear();
        for (quint32 i = 0; i < 3; ++i) {
            later.push_back(Temperature(1, i));
            // A poll period moves a reading by hundredths, not by degrees.
            EXPECT_LE(std::abs(later[i] - again[i]), 10) << "sensor " << i << " step " << step;
        }
        changed += later != again;
        again = later;
    }
    EXPECT_GE(changed, 18);
    // Over minutes the swing stays around room temperature.
    for (quint64 t = 0; t < 600000; t += 7000) {
        now = t;
        const qint32 v = Temperature(2, 1);
        EXPECT_GE(v, 2310 - 90);
        EXPECT_LE(v, 2310 + 90);
    }
}

TEST_F(VirtualThermometer, ScanListsTheAttachedSensorsAndKeepsTheBusBusyForAMoment) {
    EXPECT_EQ(Read(3, sbCount), 0u);
    EXPECT_FALSE(Write(3, sbScan, kScanCommand + 1));
    ASSERT_TRUE(Write(3, sbScan, kScanCommand));
    EXPECT_FALSE(Read(3, sbCount));  // still scanning
    EXPECT_EQ(Read(4, sbCount), 0u); // the other buses answer
    now += TVirtualKVDVEVABUS::kScanMs - 1;
    EXPECT_FALSE(Read(3, sbCount));
    now += 1;
    EXPECT_EQ(Read(3, sbCount), 1u);
    EXPECT_EQ(Ids(3).front().first & 0xFF, 0x28u);

    // A scan of a bus whose list lost a sensor finds it again.
    ASSERT_TRUE(Write(2, sbCount, 0));
    EXPECT_EQ(Read(2, sbCount), 0u);
    ASSERT_TRUE(Write(2, sbScan, kScanCommand));
    now += TVirtualKVDVEVABUS::kScanMs;
    EXPECT_EQ(Read(2, sbCount), 2u);
}

TEST_F(VirtualThermometer, SwapMovesIdentifiersReadingsAndLimitsTogether) {
    const auto before = Ids(1);
    const qint32 t0 = Temperature(1, 0), t2 = Temperature(1, 2);
    ASSERT_TRUE(Write(13, slBus, 0));
    ASSERT_TRUE(Write(13, slSensor, 0));
    ASSERT_TRUE(Write(13, slFlags, 0x80));
    ASSERT_TRUE(Write(13, slFlags + 1, quint32(-5)));

    ASSERT_TRUE(Write(1, sbSwap, (0 << 8) | 2));
    const auto after = Ids(1);
    EXPECT_EQ(after[0], before[2]);
    EXPECT_EQ(after[2], before[0]);
    EXPECT_EQ(after[1], before[1]);
    EXPECT_EQ(Temperature(1, 0), t2);
    EXPECT_EQ(Temperature(1, 2), t0);
    EXPECT_EQ(device->Limits(0, 2)[0], 0x80);
    EXPECT_EQ(device->Limits(0, 2)[1], -5);
    EXPECT_EQ(device->Limits(0, 0), TVirtualKVDVEVABUS::kDefaultLimits);
    // Sensors past the list are not swapped.
    EXPECT_FALSE(Write(1, sbSwap, (0 << 8) | 3));
    EXPECT_FALSE(Write(3, sbSwap, (0 << 8) | 1));
}

TEST_F(VirtualThermometer, StoreSessionsCommitWholeOrNotAtAll) {
    const TVirtualSensorId a = TVirtualSensorId::Make(0x28, 0x111111111111);
    const TVirtualSensorId b = TVirtualSensorId::Make(0x10, 0x222222222222);
    const auto bus2 = Ids(2);
    // Identifiers are taken only inside a store, and only 0 clears a list outside one.
    EXPECT_FALSE(Write(1, sbSerialLow, a.Low));
    EXPECT_FALSE(Write(1, sbCount, 2));
    EXPECT_FALSE(Write(1, sbStore, 0)); // nothing to commit
    EXPECT_FALSE(Write(1, sbStore, 12345));

    auto store = [&](std::initializer_list<TVirtualSensorId> List) {
        ASSERT_TRUE(Write(1, sbStore, kStoreCommand));
        ASSERT_TRUE(Write(1, sbCount, quint32(List.size())));
        quint32 i = 0;
        for (const TVirtualSensorId& id : List) {
            ASSERT_TRUE(Write(1, sbSelect, i++));
            ASSERT_TRUE(Write(1, sbSerialLow, id.Low));
            ASSERT_TRUE(Write(1, sbSerialHigh, id.High));
        }
    };
    // Not committed: the list stays; reads meanwhile show the list in force.
    store({a, b});
    EXPECT_TRUE(device->Storing());
    EXPECT_EQ(Read(1, sbCount), 3u);
    ASSERT_TRUE(Write(1, sbSelect, 2));
    EXPECT_FALSE(Write(1, sbSerialLow, a.Low)); // past the pending list

    // A store left alone lapses; its commit is refused and nothing changed.
    now += TVirtualKVDVEVABUS::kStoreLapseMs + 1;
    EXPECT_FALSE(Write(1, sbStore, 0));
    EXPECT_FALSE(device->Storing());
    EXPECT_EQ(Read(1, sbCount), 3u);

    store({a, b});
    ASSERT_TRUE(Write(1, sbStore, 0));
    EXPECT_FALSE(device->Storing());
    const auto ids = Ids(1);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[0], std::make_pair(a.Low, a.High));
    EXPECT_EQ(ids[1], std::make_pair(b.Low, b.High));
    EXPECT_EQ(Ids(2), bus2); // a bus the store did not name keeps its list
    // A stored sensor that is not attached reads as a dead one, with the device's chosen value.
    EXPECT_EQ(Temperature(1, 0), 32000);
    ASSERT_TRUE(Write(1, sbDeviceOptions, (quint32(quint16(-55)) << 16) | 7));
    EXPECT_EQ(Temperature(1, 1), -5500);

    // Clearing is a count of 0 outside a store.
    ASSERT_TRUE(Write(1, sbCount, 0));
    EXPECT_EQ(Read(1, sbCount), 0u);
}

TEST_F(VirtualThermometer, OptionsLimitsAndFlash) {
    // The device options and the humidity of a dead sensor are one word each for the device.
    EXPECT_EQ(Read(1, sbDeviceOptions), (320u << 16) | 7);
    ASSERT_TRUE(Write(1, sbErrorHumidity, 99));
    EXPECT_EQ(Read(5, sbErrorHumidity), 99u);
    ASSERT_TRUE(Write(2, sbBusOptions, 1));
    EXPECT_EQ(Read(2, sbBusOptions), 1u);
    EXPECT_EQ(Read(1, sbBusOptions), 0u);

    // Limits by bus and sensor, the processor as 255; unset ones read as the defaults.
    struct TCase {
        quint32 Bus, Sensor;
        std::array<qint32, 5> Limits;
    };
    const std::vector<TCase> cases = {
        {0, 255, {0xC0, -10, 60, 0, 55}}, {0, 1, {0x80, 15, 30, 15, 30}}, {11, 254, {0x40, -40, -20, 0, 0}}};
    for (const TCase& c : cases) {
        ASSERT_TRUE(Write(13, slBus, c.Bus));
        ASSERT_TRUE(Write(13, slSensor, c.Sensor));
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(Write(13, quint16(slFlags + i), quint32(c.Limits[size_t(i)])));
    }
    for (const TCase& c : cases) {
        ASSERT_TRUE(Write(13, slBus, c.Bus));
        ASSERT_TRUE(Write(13, slSensor, c.Sensor));
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(Read(13, quint16(slFlags + i)), quint32(c.Limits[size_t(i)]))
                << c.Bus << "/" << c.Sensor;
    }
    ASSERT_TRUE(Write(13, slSensor, 7));
    EXPECT_EQ(Read(13, slFlags + 2), 100u);
    EXPECT_FALSE(Write(13, slBus, 12));
    EXPECT_FALSE(Write(13, slSensor, 256));
    EXPECT_FALSE(Read(13, 8));

    // Flash: stored settings come back on restore; the device says when it differs from flash.
    EXPECT_TRUE(device->SettingsChanged());
    ASSERT_TRUE(Write(0, spSaveToFlash, 0));
    EXPECT_FALSE(device->SettingsChanged());
    ASSERT_TRUE(Write(13, slRelayDefault, 1));
    ASSERT_TRUE(Write(1, sbCount, 0));
    ASSERT_TRUE(Write(13, slBus, 0));
    ASSERT_TRUE(Write(13, slSensor, 255));
    ASSERT_TRUE(Write(13, slFlags, 0));
    EXPECT_TRUE(device->SettingsChanged());
    ASSERT_TRUE(Write(0, spRestoreFromFlash, 0));
    EXPECT_EQ(Read(13, slRelayDefault), 0u);
    EXPECT_EQ(Read(1, sbCount), 3u);
    EXPECT_EQ(Read(13, slFlags), 0xC0u);
}

TEST_F(VirtualThermometer, AnswersModbusAtTheMappedAddresses) {
    TConverterMO& converter = manager.Converter();
    auto read = [&](quint16 Address) -> std::optional<quint32> {
        QByteArray request = QByteArray::fromHex("0103");
        request.append(char(Address >> 8)).append(char(Address & 0xFF)).append('\0').append('\2');
        QByteArray answer;
        if (!converter.Process(WithCrc(request), answer))
            return std::nullopt;
        EXPECT_EQ(answer.size(), 9);
        const auto* b = reinterpret_cast<const quint8*>(answer.constData());
        return quint32(b[3]) << 24 | quint32(b[4]) << 16 | quint32(b[5]) << 8 | b[6];
    };
    auto write = [&](quint16 Address, quint32 Value) {
        QByteArray request = QByteArray::fromHex("0110");
        request.append(char(Address >> 8)).append(char(Address & 0xFF)).append(QByteArray::fromHex("000204"));
        for (int i = 3; i >= 0; --i)
            request.append(char(Value >> (8 * i)));
        QByteArray answer;
        return converter.Process(WithCrc(request), answer) && answer.size() == 8;
    };
    EXPECT_EQ(read(0), 30u);
    EXPECT_EQ(read(256 + 2 * sbCount), 3u);    // bus 1, property 1
    EXPECT_EQ(read(512 + 2 * sbCount), 2u);    // bus 2
    EXPECT_EQ(read(3072 + 2 * sbCount), 0u);   // bus 12
    ASSERT_TRUE(write(256 + 2 * sbSelect, 2)); // the humidity sensor
    EXPECT_EQ(read(256 + 2 * sbKind), quint32(kHumidityKind));
    EXPECT_GT(read(256 + 30).value_or(0), 3000u); // property 15, the humidity
    ASSERT_TRUE(write(256 + 28, 77));             // property 20
    EXPECT_EQ(device->ErrorHumidity(), 77u);
    EXPECT_FALSE(read(256 + 32)); // past the bus's table
    // The signalling object's eight properties at 3328.
    ASSERT_TRUE(write(3328 + 2 * slBus, 1));
    ASSERT_TRUE(write(3328 + 2 * slSensor, 0));
    ASSERT_TRUE(write(3328 + 2 * (slFlags + 2), 42));
    EXPECT_EQ(device->Limits(1, 0)[2], 42);
    EXPECT_EQ(read(3328 + 2 * (slFlags + 2)), 42u);
    EXPECT_FALSE(read(3328 + 16));
}

TEST(VirtualThermometerMap, BusesAndTheSignallingObjectHaveTheirPages) {
    // A bus's properties 0 .. 13 in order, then 20 and 15; the signalling object's 0 .. 7 at 3328.
    struct TCase {
        quint16 Address;
        int Channel; // -1: not translated
        int Register;
    };
    const std::vector<TCase> cases = {{256, 1, 0},   {282, 1, 13},   {284, 1, 20},   {286, 1, 15},
                                      {288, -1, -1}, {257, -1, -1},  {3102, 12, 15}, {3328, 13, 0},
                                      {3342, 13, 7}, {3344, -1, -1}, {14, -1, -1}};
    const TModbusMapManager maps;
    for (const TCase& c : cases) {
        quint8 channel = 0xEE;
        quint16 reg = 0xEEEE;
        const bool ok = maps.Lookup(TVirtualKVDVEVABUS::kTypeCode, c.Address, channel, reg);
        ASSERT_EQ(ok, c.Channel >= 0) << c.Address;
        if (ok) {
            EXPECT_EQ(channel, c.Channel) << c.Address;
            EXPECT_EQ(reg, c.Register) << c.Address;
        }
    }
}
