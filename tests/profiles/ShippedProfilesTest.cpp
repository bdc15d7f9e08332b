// The profiles shipped for the emulated families: they load cleanly and label what the demo bus
// really sends.
#include "emulator/EmulatorRows.h"
#include "emulator/ModbusMap.h"
#include "model/DeviceRegister.h"
#include "profiles/XMLProfileLoader.h"
#include "traffic/TrafficDecoder.h"

#include <gtest/gtest.h>

namespace {

const TXMLProfileLoader& Shipped() {
    static TXMLProfileLoader loader;
    static bool loaded = false;
    if (!loaded) {
        loader.SetFolder(QStringLiteral(DVV_PROFILES_DIR));
        loader.LoadAll();
        loaded = true;
    }
    return loader;
}

const TDeviceDesc* Profile(const QString& Model) {
    const TDeviceList& devices = Shipped().Devices();
    for (int i = 0; i < devices.Count(); ++i)
        if (devices.Items(i)->Header().Name() == Model)
            return devices.Items(i);
    return nullptr;
}

bool Labelled(const std::vector<TContextRow>& Rows, const QString& Device, const QString& Object,
              const QString& Action) {
    for (const TContextRow& row : Rows)
        if (row.Device == Device && row.Object == Object && row.Action == Action)
            return true;
    return false;
}

} // namespace

TEST(ShippedProfiles, OnePerEmulatedFamilyAndNoWarnings) {
    EXPECT_TRUE(Shipped().Warnings().isEmpty()) << Shipped().Warnings().join('\n').toStdString();
    EXPECT_EQ(Shipped().Devices().Count(), int(EmulatorRows().size()));
    for (const TEmulatorRow& row : EmulatorRows())
        EXPECT_NE(Profile(ModelNameOf(quint16(row.TypeCode))), nullptr) << row.Name.toStdString();
}

TEST(ShippedProfiles, CoverEveryRegisterTheEmulatorTranslates) {
    TModbusMapManager maps;
    for (const TEmulatorRow& row : EmulatorRows()) {
        const QString model = ModelNameOf(quint16(row.TypeCode));
        const TDeviceDesc* desc = Profile(model);
        ASSERT_NE(desc, nullptr) << model.toStdString();
        for (quint32 address = 0; address < 0x1000; ++address) {
            quint8 channel = 0;
            quint16 reg = 0;
            if (!maps.Lookup(quint16(row.TypeCode), quint16(address), channel, reg))
                continue;
            // The Modbus parameter at that address, and the Nerix property it stands for.
            bool covered = false;
            const TAddressSpaces& spaces = desc->ModbusMap().Spaces();
            for (int s = 0; s < spaces.Count() && !covered; ++s)
                for (int p = 0; p < spaces.Items(s)->Parameters().Count() && !covered; ++p)
                    covered = spaces.Items(s)->Parameters().Items(p)->Covers(quint16(address));
            EXPECT_TRUE(covered) << model.toStdString() << " register " << address;
            bool property = false;
            const TDeviceObjects& objects = desc->NerixMap().Objects();
            for (int o = 0; o < objects.Count() && !property; ++o)
                property = objects.Items(o)->Id() == channel && objects.Items(o)->Properties().Find(reg);
            EXPECT_TRUE(property) << model.toStdString() << " object " << int(channel) << " property " << reg;
        }
    }
}

TEST(ShippedProfiles, LabelWhatTheDemoBusSends) {
    const TDeviceList* profiles = &Shipped().Devices();
    // The scan's identification read: object 0, property 0 (type code), on every family.
    const std::vector<TContextRow> type = NerixContext(profiles, 0, 0);
    EXPECT_EQ(type.size(), EmulatorRows().size());
    EXPECT_TRUE(Labelled(type, QStringLiteral("KVD-DIDC-BUS"), QStringLiteral("Device"),
                         QStringLiteral("Type code")));
    // The connection test's serial number.
    EXPECT_TRUE(Labelled(NerixContext(profiles, 0, 1), QStringLiteral("KVD-AIK-BUS"),
                         QStringLiteral("Device"), QStringLiteral("Serial number")));
    // An analog input's value over Nerix and over Modbus (channel 1 at 0x100, two registers).
    EXPECT_TRUE(Labelled(NerixContext(profiles, 1, 0), QStringLiteral("KVD-AIK-BUS"),
                         QStringLiteral("Analog input 1"), QStringLiteral("Value")));
    EXPECT_TRUE(Labelled(ModbusContext(profiles, 0x100), QStringLiteral("KVD-AIK-BUS"),
                         QStringLiteral("Analog input 1"), QStringLiteral("Value")));
    EXPECT_TRUE(Labelled(ModbusContext(profiles, 0x1000), QStringLiteral("KVD-AIK-BUS"),
                         QStringLiteral("Measurement block"), QStringLiteral("Value of input 1")));
    // A discrete output's state (channel 2 of a KVD-DOS12-BUS at 0x210).
    EXPECT_TRUE(Labelled(ModbusContext(profiles, 0x210), QStringLiteral("KVD-DOS12-BUS"),
                         QStringLiteral("Discrete output 2"), QStringLiteral("State")));
}
