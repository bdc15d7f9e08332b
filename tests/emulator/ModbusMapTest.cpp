// The register maps and the Modbus conversion, without a port.
#include "emulator/ModbusMap.h"
#include "emulator/ConverterMO.h"
#include "emulator/EmulatorRows.h"
#include "emulator/VirtualDeviceManager.h"
#include "protocol/Crc16.h"
#include "protocol/FrameLength.h"
#include "support/NerixFrames.h"

#include <gtest/gtest.h>

namespace {

struct TLookup {
    quint16 TypeCode;
    quint16 Address;
    int Channel; // -1: not translated
    int Register;
};

} // namespace

TEST(ModbusMap, MapsComeInTheirOrderWithTheirEntryCounts) {
    const TModbusMapManager maps;
    const std::vector<std::pair<quint16, int>> expected = {{0, 5},  {1, 9},   {2, 5},   {3, 7},
                                                           {4, 18}, {10, 18}, {5, 18},  {6, 19},
                                                           {7, 16}, {8, 7},   {17, 20}, {30, 14}};
    ASSERT_EQ(maps.MapCount(), int(expected.size()));
    for (int i = 0; i < maps.MapCount(); ++i) {
        EXPECT_EQ(maps.MapAt(i).TypeCode(), expected[size_t(i)].first);
        EXPECT_EQ(maps.MapAt(i).EntryCount(), expected[size_t(i)].second)
            << "type " << expected[size_t(i)].first;
        const auto& e0 = maps.MapAt(i).Entry(0);
        EXPECT_EQ(e0.First, 0);
        EXPECT_EQ(e0.Last, 15);
    }
}

TEST(ModbusMap, TranslatesAddressesByTypeAndTable) {
    const TModbusMapManager maps;
    const std::vector<TLookup> cases = {
        {0, 0, 0, 0},     {0, 8, 0, 5},      {0, 12, 0, 15},    {0, 14, -1, -1}, // S has 7 positions
        {0, 256, 1, 0},   {0, 258, 1, 1},    {0, 268, 1, 16},   {0, 288, 1, 50},   {0, 257, -1, -1},
        {0, 290, -1, -1}, {0, 1024, 4, 0},   {0, 1280, -1, -1}, {1, 2048, 8, 0},   {2, 16, 1, 0},
        {2, 30, 1, 49},   {2, 48, 2, 0},     {2, 144, -1, -1},  {3, 176, 6, 0},    {4, 272, 1, 0},
        {4, 292, 1, 10},  {4, 294, -1, -1},  {10, 2832, 11, 0}, {10, 2840, 11, 4}, {4, 2576, 10, 0},
        {5, 2324, 9, 2},  {5, 288, 1, 8},    {5, 290, -1, -1},  {6, 3344, 13, 0},  {6, 1296, -1, -1},
        {7, 2326, 9, 3},  {7, 2328, 9, 4},   {7, 2838, -1, -1}, {7, 2584, 10, 4},  {8, 1304, 5, 4},
        {8, 1552, 6, 0},  {17, 3088, 12, 0}, {17, 3352, 13, 4}, {17, 3608, 14, 4}, {6, 4368, 17, 0},
        {6, 4376, 17, 4}, {6, 4378, -1, -1}, {6, 4632, 18, 4},  {99, 0, -1, -1},
    };
    for (const TLookup& c : cases) {
        quint8 channel = 0xEE;
        quint16 reg = 0xEEEE;
        const bool ok = maps.Lookup(c.TypeCode, c.Address, channel, reg);
        EXPECT_EQ(ok, c.Channel >= 0) << "type " << c.TypeCode << " address " << c.Address;
        if (ok && c.Channel >= 0) {
            EXPECT_EQ(channel, c.Channel) << "type " << c.TypeCode << " address " << c.Address;
            EXPECT_EQ(reg, c.Register) << "type " << c.TypeCode << " address " << c.Address;
        }
    }
}

TEST(EmulatorRows, RowsAddTheirTypesAndTheDiRowAddsType10) {
    ASSERT_EQ(EmulatorRows().size(), 10u);
    EXPECT_EQ(EmulatorRows().front().Name, QStringLiteral("KVD-AIK-BUS"));
    EXPECT_EQ(EmulatorRows().back().Name, QStringLiteral("KVD-DOS12-BUS"));
    EXPECT_EQ(EmulatorRowTypeCode(QStringLiteral("KVD-DI-BUS")), 10u);
    EXPECT_EQ(EmulatorRowTypeCode(QStringLiteral("kvd-dos12-bus")), 17u);
    EXPECT_FALSE(EmulatorRowTypeCode(QStringLiteral("KVD-DIDC-BUS")));

    std::vector<TEmulatorDeviceCount> devices;
    QString error;
    ASSERT_TRUE(
        ParseEmulatorDevices(QStringLiteral("KVD-AIK-BUS=2, KVD-DI-BUS,KVD-DO-BUS=10"), devices, error));
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0].TypeCode, 0u);
    EXPECT_EQ(devices[0].Count, 2);
    EXPECT_EQ(devices[1].TypeCode, 10u);
    EXPECT_EQ(devices[1].Count, 1);
    EXPECT_EQ(devices[2].Count, 10);
    // A catalogue model stands for the row that emulates its type; a model no row emulates is refused.
    ASSERT_TRUE(ParseEmulatorDevices(QStringLiteral("kvd-didc-bus=3,KVD-DOS12-BUS"), devices, error))
        << error.toStdString();
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].TypeCode, 10u);
    EXPECT_EQ(devices[0].Count, 3);
    EXPECT_EQ(devices[1].TypeCode, 17u);
    for (const char* bad :
         {"", ",", "KVD-AIK-BUS=0", "KVD-AIK-BUS=11", "KVD-AIK-BUS=x", "KVD-XYZ", "KVD-EM-BUS"})
        EXPECT_FALSE(ParseEmulatorDevices(QString::fromLatin1(bad), devices, error)) << bad;

    // The row's devices report the type they were added as.
    TVirtualDeviceManager manager;
    manager.AddDevices(*EmulatorRowTypeCode(QStringLiteral("KVD-DI-BUS")), 1);
    QByteArray answer;
    ASSERT_TRUE(manager.ProcessNerixRequest(NerixFrame(1, 0, 0, 0, 0), answer));
    EXPECT_EQ(answer.mid(5, 4), QByteArray::fromHex("0000000a"));
}

TEST(ConverterMO, RefusesWhatItCannotServeSafely) {
    TVirtualDeviceManager manager;
    manager.AddDevices(0, 1);
    TConverterMO& converter = manager.Converter();
    auto frame = [](QByteArray body) {
        body.resize(body.size() + 2);
        PutCrc16(reinterpret_cast<quint8*>(body.data()), int(body.size()) - 2);
        return body;
    };
    QByteArray answer;
    // A one-register write would have taken the CRC as value bytes.
    EXPECT_FALSE(converter.Process(frame(QByteArray::fromHex("011001040001020001")), answer));
    // Quantity 2 with a byte count of 6 and a 15-byte request: the length agrees, the pair does not.
    EXPECT_FALSE(converter.Process(frame(QByteArray::fromHex("011001040002060000000100 00")), answer));
    EXPECT_FALSE(converter.Process(frame(QByteArray::fromHex("0106010400 01")), answer));
    // A read of the block past its end is not served from it nor from the map.
    EXPECT_FALSE(converter.Process(frame(QByteArray::fromHex("01031000000b")), answer));
    // Reads of the block that the buffer could not hold are refused before any device is asked.
    EXPECT_FALSE(converter.Process(frame(QByteArray::fromHex("01031000ffff")), answer));
    // A whole request longer than the buffer.
    EXPECT_FALSE(converter.Process(QByteArray(71, '\x01'), answer));
    // A write to the block is not a read of it.
    EXPECT_FALSE(converter.Process(frame(QByteArray::fromHex("01101000000204 00000001")), answer));

    EXPECT_TRUE(converter.Process(frame(QByteArray::fromHex("010301000002")), answer));
    EXPECT_EQ(answer.size(), 9);
    EXPECT_EQ(ModbusRequestLength(reinterpret_cast<const quint8*>("\x01\x10\x01\x04\x00\x02\x04"), 7), 13);
    EXPECT_EQ(ModbusRequestLength(reinterpret_cast<const quint8*>("\x01\x41"), 2), 0);
}
