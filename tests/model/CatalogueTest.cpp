#include "model/DeviceRegister.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// The kinds of a record's channels as runs: "2x9,2x10".
QString Runs(const TChannel& channels) {
    QStringList runs;
    int i = 0;
    while (i < channels.Count()) {
        const quint8 kind = channels.Items(i)->Kind;
        int n = 0;
        while (i < channels.Count() && channels.Items(i)->Kind == kind) {
            ++i;
            ++n;
        }
        runs << QStringLiteral("%1x%2").arg(n).arg(kind);
    }
    return runs.join(QLatin1Char(','));
}

struct Expected {
    quint32 type;
    quint32 family;
    const char* model;
    const char* runs;
};

const Expected kCatalogue[] = {
    {20, 1, "KVD-AIK-BUS", "2x9,2x10"},
    {0, 1, "KVD-AIK-BUS", "4x9,1x23"},
    {1, 1, "KVD-AIK8-BUS", "8x11"},
    {2, 2, "KVD-AO-BUS", "4x2,1x21"},
    {3, 2, "KVD-AO6-BUS", "6x3,1x21"},
    {4, 3, "KVD-DI-BUS", "8x4,2x6,1x12"},
    {5, 4, "KVD-DO-BUS", "8x6,1x12,1x21"},
    {6, 3, "KVD-DIO-BUS", "8x5,8x6,1x12,1x21"},
    {7, 4, "KVD-DOS-BUS", "8x7,1x12,1x21"},
    {8, 4, "KVD-DOR-BUS", "4x8,1x12,1x21"},
    {10, 3, "KVD-DIDC-BUS", "8x5,2x6,1x12"},
    {15, 1, "KVD-A-VIX", "1x9,1x14"},
    {17, 4, "KVD-DOS12-BUS", "12x7,1x12,1x21"},
    {18, 3, "KVD-DI14-BUS", "15x5,1x12"},
    {19, 4, "KVD-DOF-BUS", "2x5,4x6,2x15,1x12,4x5,2x6,1x21"},
    {21, 4, "KVD-P340-BUS", "2x9,8x6,4x5,2x3,1x12,1x16,2x9,1x21,4x17"},
    {32, 4, "KVD-3D-VIX", "3x9,3x6,1x12"},
    {22, 4, "KVD-TC-BUS", "13x17"},
    {30, 4, "KVD-TC-BUS", "12x17,1x24"},
    {23, 3, "KVD-RS-BUS", "12x18"},
    {40, 3, "KVD-RS-VIXPro", "4x18,1x27"},
    {27, 4, "KVD-FLAME-BUS", "2x20,4x6,1x3,1x12,1x19"},
    {26, 4, "KVD-FLAME-BUS", "2x9,4x6,1x3,1x12,1x19"},
    {24, 1, "KVD-AJ-VIX", "1x9,1x3"},
    {28, 1, "KVD-2A-VIX", "1x9,2x3"},
    {29, 1, "KVD-2AR-BUS", "2x9,2x3"},
    {25, 1, "KVD-AIK12-BUS", "12x9,1x22,1x28"},
    {31, 4, "KVD-STEP-BUS", "1x25"},
    {33, 4, "KVD-P680-BUS", "6x9,8x5,12x6,1x12,1x21,1x27"},
    {34, 2, "KVD-AO2-VIXPro", "2x3,1x21"},
    {35, 4, "KVD-TC-VIXPro", "4x17,1x27"},
    {36, 4, "KVD-µHost-VIXPro", ""},
    {42, 1, "KVD-AI7-VIXPro", "7x9,1x27"},
    {37, 1, "KVD-AI4-VIXPro", "4x9,1x27"},
    {41, 1, "KVD-AI-VIXPro", "4x9"},
    {64, 3, "KVD-DIO24-QAV", "24x5,24x7,1x12,1x21,1x27"},
    {67, 3, "KVD-DIO4-QAV", "4x5,4x7,1x12,1x21,1x27"},
    {38, 4, "KVD-MIO-VIXPro", "1x9,1x3,2x5,2x6,1x12,1x21,2x9,1x27"},
    {43, 4, "KVD-MIO-VIXPro", "1x9,1x5,1x6,1x9,1x5,1x6,1x3,1x9,1x5,1x6,1x12,1x21,1x27"},
    {65, 1, "KVD-AI24-QAV", "24x9,1x23,1x27"},
    {68, 1, "KVD-AI8-QAV", "8x9,1x27"},
    {72, 1, "KVD-AI-QAV", "2x9,1x27"},
    {39, 3, "KVD-DIO-VIXPro", "4x5,4x6,1x12,1x21,1x27"},
    {66, 2, "KVD-AO16-QAV", "16x3,1x21,1x27"},
    {69, 4, "KVD-MIO-QAV", "8x9,6x3,1x21,8x5,8x7,1x12,1x26,1x27"},
    {44, 4, "KVD-P341-BUS", "2x9,8x6,4x5,2x3,1x12,1x16,2x9,1x21,4x17"},
    {65535, 0, "Device not supported", ""},
};

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override { BuildDeviceRegister(reg); }
    TDeviceRegister reg;
};

TEST_F(Catalogue, EveryRecordInOrder) {
    ASSERT_EQ(reg.Count(), int(std::size(kCatalogue)));
    for (int i = 0; i < reg.Count(); ++i) {
        const auto* r = reg.Items(i);
        const auto& e = kCatalogue[i];
        EXPECT_EQ(r->TypeCode, e.type) << i;
        EXPECT_EQ(r->Family, e.family) << e.type;
        EXPECT_EQ(r->ModelName, QString::fromUtf8(e.model)) << e.type;
        EXPECT_EQ(Runs(r->Channels), QString::fromLatin1(e.runs)) << e.type;
    }
    EXPECT_EQ(reg.Items(reg.Count()), nullptr);
    // Building again replaces the records.
    BuildDeviceRegister(reg);
    EXPECT_EQ(reg.Count(), int(std::size(kCatalogue)));
}

TEST_F(Catalogue, NamesNumbersAndNotes) {
    auto channel = [&](quint32 type, int i) { return reg.FindByType(type)->Channels.Items(i); };
    EXPECT_EQ(channel(6, 0)->Name, QStringLiteral("Discrete input channel №1"));
    EXPECT_EQ(channel(6, 0)->Note, QStringLiteral("Group isolation"));
    EXPECT_EQ(channel(6, 15)->Name, QStringLiteral("Discrete output channel №8"));
    EXPECT_EQ(channel(6, 16)->Name, QStringLiteral("Manager of discrete input/output"));
    EXPECT_EQ(channel(19, 1)->Name, QStringLiteral("Discrete input channel#2"));
    EXPECT_EQ(channel(19, 7)->Name, QStringLiteral("Impulse generator channel№2"));
    EXPECT_EQ(channel(19, 9)->Name, QStringLiteral("Discrete input channel#3"));
    EXPECT_EQ(channel(19, 14)->Name, QStringLiteral("Discrete output channel#6"));
    EXPECT_EQ(channel(22, 0)->Note, QStringLiteral("Controller's temperature"));
    EXPECT_TRUE(channel(22, 1)->Note.isEmpty());
    EXPECT_EQ(channel(33, 5)->Name, QStringLiteral("Analog input channel AI-6"));
    EXPECT_EQ(channel(33, 21)->Note, QString());
    EXPECT_EQ(channel(33, 22)->Name, QStringLiteral("Discrete output channel DO-9"));
    EXPECT_EQ(channel(33, 22)->Note, QStringLiteral("Relay, normally off"));
    EXPECT_EQ(channel(33, 28)->Note, QStringLiteral("Universal Modbus Map Constructor (BR115200 is strongly recommended)"));
    EXPECT_EQ(channel(35, 4)->Name, QStringLiteral("UMMC"));
    EXPECT_EQ(channel(35, 4)->Note, QStringLiteral("Universal Modbus Map Constructor"));
    EXPECT_EQ(channel(43, 9)->Name, QStringLiteral("Discrete output channel №3"));
    EXPECT_EQ(channel(44, 4)->Name, QStringLiteral("Discrete output channel №3"));
    EXPECT_EQ(channel(44, 4)->Note, QStringLiteral("Group isolation"));
    EXPECT_EQ(channel(44, 2)->Note, QStringLiteral("Relay, normally off"));
    EXPECT_EQ(channel(44, 19)->Name, QStringLiteral("Analog input channel №4"));
    EXPECT_EQ(channel(44, 19)->Note, QStringLiteral("Per channel isolation"));
    EXPECT_EQ(channel(31, 0)->Name, QStringLiteral("SM Controller Modbus Map"));

    // Another language's texts replace names and notes.
    TCatalogueTexts other;
    other.DiscreteInputChannel = QStringLiteral("Дискретний вхід");
    other.GroupIsolation = QStringLiteral("Групова ізоляція");
    other.DeviceNotSupported = QStringLiteral("Пристрій не підтримується");
    BuildDeviceRegister(reg, other);
    EXPECT_EQ(channel(6, 1)->Name, QStringLiteral("Дискретний вхід №2"));
    EXPECT_EQ(channel(6, 1)->Note, QStringLiteral("Групова ізоляція"));
    EXPECT_EQ(reg.FindByType(9)->ModelName, QStringLiteral("Пристрій не підтримується"));
}

TEST_F(Catalogue, LookupsByTheLowByteWithTheFallback) {
    const auto* tc = reg.FindByType(30);
    ASSERT_NE(tc, nullptr);
    EXPECT_EQ(tc->ModelName, QStringLiteral("KVD-TC-BUS"));
    EXPECT_EQ(tc->Channels.Count(), 13);
    EXPECT_EQ(tc->Channels.CountOfKind(24), 1);
    EXPECT_EQ(reg.FindByType(9)->ModelName, QStringLiteral("Device not supported"));
    EXPECT_EQ(reg.FindByType(9)->Channels.Count(), 0);
    EXPECT_EQ(reg.FindByType(0x0114)->TypeCode, 20u); // low byte 0x14
    EXPECT_EQ(reg.IndexOfType(0), 1);
    EXPECT_EQ(reg.IndexOfType(9), reg.Count() - 1);
    // 65535 matches nothing before the last record; its low byte is 255.
    EXPECT_EQ(reg.FindByType(65535), reg.Items(reg.Count() - 1));
    EXPECT_EQ(reg.ChannelKindAt(69, 32), 26);
    EXPECT_EQ(reg.ChannelKindAt(69, 99), 0);

    TDeviceRegister empty;
    EXPECT_EQ(empty.FindByType(0), nullptr);
    EXPECT_EQ(empty.IndexOfType(0), -1);
    TDeviceRegister single;
    single.Add(std::make_unique<TDeviceRegisterRecord>());
    single.Add(nullptr);
    EXPECT_EQ(single.Count(), 1);
    EXPECT_EQ(single.FindByType(0), single.Items(0));
}

TEST(ModelNames, KnownAndUnknownCodes) {
    EXPECT_EQ(ModelNameOf(0), QStringLiteral("KVD-AIK-BUS"));
    EXPECT_EQ(ModelNameOf(20), QStringLiteral("KVD-HC-BUS"));
    EXPECT_EQ(ModelNameOf(36), QStringLiteral("KVD-uHost-VIXPro"));
    EXPECT_EQ(ModelNameOf(133), QStringLiteral("KVD-CONV-UNI"));
    int known = 0;
    for (int code = 0; code < 300; ++code)
        known += ModelNameOf(quint16(code)).isEmpty() ? 0 : 1;
    EXPECT_EQ(known, 55);
    for (quint16 none : {9, 11, 12, 14, 16, 45, 63, 73, 127, 134, 65535})
        EXPECT_TRUE(ModelNameOf(none).isEmpty()) << none;
}

TEST(DeviceProps, ChannelMasksOfThePointAndMixedModules) {
    auto bits = [](quint64 mask) {
        std::vector<int> v;
        for (int i = 0; i < 64; ++i)
            if ((mask >> i) & 1)
                v.push_back(i);
        return v;
    };
    std::vector<int> dio24 = {0, 1, 2, 3, 4, 5, 6, 7, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 48, 49, 50};
    EXPECT_EQ(bits(TDeviceProps::ChannelMaskFor(64, 0x00000D48)), dio24);
    EXPECT_EQ(bits(TDeviceProps::ChannelMaskFor(67, 3 | (3 << 5))), (std::vector<int>{0, 1, 2, 7, 10}));
    EXPECT_EQ(bits(TDeviceProps::ChannelMaskFor(69, 0xC0000000)), (std::vector<int>{31, 32, 33}));
    // d = 2 inputs, o = 9 outputs (cut to 6), the analog part and bit 15.
    EXPECT_EQ(bits(TDeviceProps::ChannelMaskFor(69, 0x00928003)),
              (std::vector<int>{0, 1, 14, 15, 16, 25, 26, 27, 28, 29, 30, 33}));
    EXPECT_EQ(bits(TDeviceProps::ChannelMaskFor(25, 0)), (std::vector<int>{13}));
    EXPECT_EQ(TDeviceProps::ChannelMaskFor(6, 0xFFFFFFFF), 0xFFFFFFFFull);

    TDeviceProps p(5, 7, tpModbus, 0, 0x00020040, QStringLiteral("KVD-DIO24-QAV"), 42, 0x00000D48, 2);
    EXPECT_EQ(p.TypeCode, 64u);
    EXPECT_EQ(p.TypeExtension, 2u);
    EXPECT_EQ(bits(p.ChannelMask), dio24);
    EXPECT_EQ(p.ByteOrder, boNAN);
}

TEST(DevicePropsList, SerialNumberRuleEventsAndBounds) {
    TDevicePropsList list;
    int added = 0, cleared = 0;
    list.OnAdd = [&] { ++added; };
    list.OnClear = [&] { ++cleared; };
    auto make = [](quint8 address, quint32 serial, quint32 type = 64, quint32 mask = 0x0D48) {
        return std::make_unique<TDeviceProps>(address, 7, tpNerix, 0, type, QString(), serial, mask, 0);
    };
    auto a = make(1, 1), b = make(2, 1), c = make(3, 1234), d = make(4, 1234);
    EXPECT_TRUE(list.Add(a));
    EXPECT_TRUE(list.Add(b));
    EXPECT_TRUE(list.Add(c));
    EXPECT_FALSE(list.Add(d));
    ASSERT_TRUE(d); // refused: still the caller's
    std::unique_ptr<TDeviceProps> none;
    EXPECT_FALSE(list.Add(none));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(added, 3);
    EXPECT_TRUE(list.HasAddress(2));
    EXPECT_FALSE(list.HasAddress(4));
    EXPECT_EQ(list.Items(-1), nullptr);
    EXPECT_EQ(list.Items(3), nullptr);
    list.Items(1)->Selected = true;
    EXPECT_EQ(list.SelectedCount(), 1);
    EXPECT_TRUE(list.HasChannel(0, 50));
    EXPECT_FALSE(list.HasChannel(0, 51));
    EXPECT_FALSE(list.HasChannel(0, 64 + 50)); // no wrap-around past the mask's width
    EXPECT_FALSE(list.HasChannel(0, -1));
    EXPECT_FALSE(list.HasChannel(3, 0));
    list.Clear();
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ChannelMask, OnlyIndexesBelow32) {
    TChannelMask m;
    m.Include(0);
    m.Include(31);
    m.Include(40);
    m.Include(-1);
    EXPECT_EQ(m.Count(), 2);
    EXPECT_TRUE(m.Contains(31));
    EXPECT_FALSE(m.Contains(40));
    EXPECT_EQ(m.Bits(), 0x80000001u);
    m.Clear();
    EXPECT_EQ(m.Count(), 0);
}

} // namespace
