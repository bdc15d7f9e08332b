#include "model/DeviceRegister.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override { BuildDeviceRegister(reg); }
    TDeviceRegister reg;
};

TEST_F(Catalogue, TheUnsupportedDeviceIsTheLastRecord) {
    ASSERT_GT(reg.Count(), 1);
    const auto* last = reg.Items(reg.Count() - 1);
    EXPECT_EQ(last->TypeCode, 65535u);
    EXPECT_EQ(last->Family, 0u);
    EXPECT_EQ(last->ModelName, QStringLiteral("Device not supported"));
    EXPECT_EQ(last->Channels.Count(), 0);
    EXPECT_EQ(reg.Items(reg.Count()), nullptr);
    // Building again replaces the records rather than adding to them.
    const int count = reg.Count();
    BuildDeviceRegister(reg);
    EXPECT_EQ(reg.Count(), count);
}

// Lookups compare the low byte of the type code only: a second record with the same low byte would
// never be found, and one with 0xFF would answer for unknown devices in the fallback's place.
TEST_F(Catalogue, EveryModelIsFoundByItsOwnTypeCode) {
    std::set<quint32> lowBytes;
    for (int i = 0; i + 1 < reg.Count(); ++i) {
        const auto* r = reg.Items(i);
        EXPECT_TRUE(lowBytes.insert(r->TypeCode & 0xFF).second) << "type code used twice: " << r->TypeCode;
        EXPECT_NE(r->TypeCode & 0xFF, 0xFFu) << r->TypeCode;
        EXPECT_EQ(reg.FindByType(r->TypeCode), r) << r->TypeCode;
        EXPECT_EQ(reg.FindByType(0x0300 | r->TypeCode), r) << r->TypeCode; // the extension is ignored
        EXPECT_EQ(reg.IndexOfType(r->TypeCode), i) << r->TypeCode;
        // The bus search skips a type it has no model name for, so a model missing there could never
        // be found on the bus.
        EXPECT_FALSE(ModelNameOf(quint16(r->TypeCode)).isEmpty()) << r->TypeCode;
    }
}

TEST_F(Catalogue, EveryModelHasANameAFamilyAndChannelsOfAKnownKind) {
    for (int i = 0; i + 1 < reg.Count(); ++i) {
        const auto* r = reg.Items(i);
        EXPECT_FALSE(r->ModelName.isEmpty()) << r->TypeCode;
        EXPECT_GE(r->Family, 1u) << r->TypeCode;
        EXPECT_LE(r->Family, 4u) << r->TypeCode;
        // A found device's channels are bits of a 64-bit mask.
        EXPECT_LE(r->Channels.Count(), 64) << r->TypeCode;
        for (int c = 0; c < r->Channels.Count(); ++c) {
            const TChannelRecord* channel = r->Channels.Items(c);
            // Kind 0 is what ChannelKindAt answers for a channel that is not there.
            EXPECT_GE(channel->Kind, ckAnalogOutput2) << r->TypeCode << " channel " << c;
            EXPECT_LE(channel->Kind, ckAnalogInputSystem) << r->TypeCode << " channel " << c;
            EXPECT_FALSE(channel->Name.isEmpty()) << r->TypeCode << " channel " << c;
            EXPECT_EQ(reg.ChannelKindAt(r->TypeCode, c), channel->Kind);
        }
        EXPECT_EQ(reg.ChannelKindAt(r->TypeCode, r->Channels.Count()), 0);
    }
}

// Groups are numbered from 1 on, each in its own pattern; a manager or a map is one unnumbered channel.
TEST_F(Catalogue, ChannelNamesNumbersAndNotes) {
    auto channel = [&](quint32 type, int i) { return reg.FindByType(type)->Channels.Items(i); };
    EXPECT_EQ(channel(6, 0)->Name, QStringLiteral("Discrete input channel №1"));
    EXPECT_EQ(channel(6, 0)->Note, QStringLiteral("Group isolation"));
    EXPECT_EQ(channel(6, 15)->Name, QStringLiteral("Discrete output channel №8"));
    EXPECT_EQ(channel(6, 16)->Name, QStringLiteral("Manager of discrete input/output"));
    EXPECT_EQ(channel(19, 1)->Name, QStringLiteral("Discrete input channel#2"));
    EXPECT_EQ(channel(33, 22)->Name, QStringLiteral("Discrete output channel DO-9"));
    EXPECT_EQ(channel(33, 22)->Note, QStringLiteral("Relay, normally off"));
    EXPECT_EQ(channel(35, 4)->Name, QStringLiteral("UMMC"));
    EXPECT_EQ(channel(35, 4)->Note, QStringLiteral("Universal Modbus Map Constructor"));

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
