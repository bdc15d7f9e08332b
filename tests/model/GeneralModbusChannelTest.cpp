// The map constructor's Modbus master against libmodbus's slave, an implementation we did not write,
// on a pseudo-terminal; frame details against a scripted access point.
#include "model/GeneralModbusChannel.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "model/UMMCChannel.h"
#include "model/ZUVOModule.h"
#include "protocol/Crc16.h"
#include "protocol/NerixModule.h"
#include "support/FakeAccessPoint.h"
#include "support/ModbusSlave.h"

#include <gtest/gtest.h>

#include <bit>

namespace {

class TBareModule : public TZUVOModule {
public:
    QString ClassName() const override { return QStringLiteral("TBareModule"); }
};

// Registers up to just past the data window the tests use.
constexpr int kSlaveRegisters = 0x4000 + 300;

class GeneralModbusChannel : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(slave.Ok());
        bus.SetPortName(slave.PortPath());
        bus.SetInputTimeout(100);
        ap.SetBus(&bus);
        ap.SetTryCount(1);
        ap.SetActive(true);
        ASSERT_TRUE(ap.Active()) << bus.LastError().toStdString();
        ap.OnTraffic = [this](const quint8*, quint16, bool Received) { sent += Received ? 0 : 1; };
        module.SetAP(&ap);
        module.SetAddress(7);
    }
    TModbusSlave slave{7, kSlaveRegisters};
    TPowerRsBus bus;
    TComPortAccessPoint ap;
    TBareModule module;
    int sent = 0;
};

TEST_F(GeneralModbusChannel, ReadsBlocksUpToTheModbusLimit) {
    for (int r = 0; r < 130; ++r)
        slave.SetRegister(0x100 + r, quint16(0xA000 + r * 3));
    TGeneralModbusChannel channel(&module.NerixModule());
    channel.SetBase(0x100);
    for (int count : {1, 2, 125}) {
        SCOPED_TRACE(count);
        ASSERT_TRUE(channel.Read(count));
        EXPECT_EQ(channel.RegisterCount(), count);
        for (int r = 0; r < count; ++r) {
            ASSERT_TRUE(channel.HasWord());
            EXPECT_EQ(channel.TakeWord(), quint16(0xA000 + r * 3)) << r;
        }
        EXPECT_FALSE(channel.HasData());
        EXPECT_EQ(channel.TakeWord(), 0);
    }
}

TEST_F(GeneralModbusChannel, CountsOutsideOneRequestFailWithoutTraffic) {
    TGeneralModbusChannel channel(&module.NerixModule());
    channel.SetBase(0x100);
    for (int count : {0, 126, 127, 128, 200, -1}) {
        EXPECT_FALSE(channel.Read(count)) << count;
        EXPECT_FALSE(channel.HasData());
    }
    EXPECT_EQ(sent, 0);
    EXPECT_EQ(slave.Requests(), 0);
}

TEST_F(GeneralModbusChannel, WritesBlocksUpToWhatOneRequestHolds) {
    TGeneralModbusChannel channel(&module.NerixModule());
    channel.SetBase(0x200);
    for (int count : {1, 2, 120}) {
        SCOPED_TRACE(count);
        channel.SetOffset(quint8(count));
        channel.BeginWrite();
        for (int r = 0; r < count; ++r)
            ASSERT_TRUE(channel.AddWord(quint16(count * 1000 + r))) << r;
        if (count == 120) {
            EXPECT_FALSE(channel.AddWord(1)); // the 121st word would not fit with the CRC
            EXPECT_FALSE(channel.AddLong(1));
        }
        ASSERT_TRUE(channel.SendWrite());
        EXPECT_EQ(channel.Length(), 0);
        for (int r = 0; r < count; ++r)
            EXPECT_EQ(slave.Register(0x200 + count + r), quint16(count * 1000 + r)) << r;
    }
    // Sixty 32-bit values fill the same room.
    channel.SetOffset(0);
    channel.BeginWrite();
    for (int i = 0; i < 60; ++i)
        ASSERT_TRUE(channel.AddLong(0x10000u * quint32(i) + 7)) << i;
    EXPECT_FALSE(channel.AddWord(0));
    ASSERT_TRUE(channel.SendWrite());
    EXPECT_EQ(slave.Pair(0x200 + 2 * 59), 0x10000u * 59 + 7);
}

TEST_F(GeneralModbusChannel, BuildingIsRefusedWithoutAWriteOrWithAnAnswerPending) {
    TGeneralModbusChannel channel(&module.NerixModule());
    EXPECT_FALSE(channel.AddWord(1)); // no write begun
    EXPECT_FALSE(channel.SendWrite());
    channel.SetBase(0x10);
    ASSERT_TRUE(channel.Read(2));
    EXPECT_FALSE(channel.AddWord(1));
    EXPECT_FALSE(channel.AddFloat(1.0f));
    EXPECT_TRUE(channel.HasLong());
    EXPECT_EQ(sent, 1);
}

TEST_F(GeneralModbusChannel, AnExceptionAnswerIsAFailedExchangeNeverData) {
    TGeneralModbusChannel channel(&module.NerixModule());
    // Past the end of the slave's table: libmodbus answers with an illegal data address exception.
    channel.SetBase(quint16(kSlaveRegisters - 1));
    EXPECT_FALSE(channel.Read(4));
    EXPECT_FALSE(channel.HasData());
    EXPECT_EQ(channel.TakeWord(), 0);
    channel.BeginWrite();
    channel.AddWord(1);
    channel.AddWord(2);
    EXPECT_FALSE(channel.SendWrite());
    // The line is clean again afterwards.
    channel.SetBase(0);
    EXPECT_TRUE(channel.Read(1));
}

TEST_F(GeneralModbusChannel, OrderCodesApplyBothWays) {
    slave.SetRegister(0x30, 0x1122);
    slave.SetRegister(0x31, 0x3344);
    TGeneralModbusChannel channel(&module.NerixModule());
    channel.SetBase(0x30);
    const struct {
        quint8 Order32;
        quint32 Long;
    } cases[] = {{0, 0x11223344}, {1, 0x44332211}, {2, 0x33441122}, {3, 0x22114433}, {9, 0x11223344}};
    for (const auto& c : cases) {
        channel.SetOrder32(c.Order32);
        ASSERT_TRUE(channel.Read(2));
        EXPECT_EQ(channel.TakeLong(), c.Long) << int(c.Order32);
    }
    channel.SetOrder16(1);
    ASSERT_TRUE(channel.Read(1));
    EXPECT_EQ(channel.TakeWord(), 0x2211);
    // Written in an order, the same order reads it back; the registers hold the wire bytes.
    channel.SetOrder32(2);
    channel.BeginWrite();
    ASSERT_TRUE(channel.AddLong(0xCAFEBABE));
    ASSERT_TRUE(channel.SendWrite());
    EXPECT_EQ(slave.Register(0x30), 0xBABE);
    EXPECT_EQ(slave.Register(0x31), 0xCAFE);
    channel.BeginWrite();
    ASSERT_TRUE(channel.AddWord(0x1234)); // Order16 1
    ASSERT_TRUE(channel.SendWrite());
    EXPECT_EQ(slave.Register(0x30), 0x3412);
    channel.SetOrder32(0);
    channel.BeginWrite();
    ASSERT_TRUE(channel.AddFloat(-2.5f));
    ASSERT_TRUE(channel.SendWrite());
    ASSERT_TRUE(channel.Read(2));
    EXPECT_EQ(channel.TakeFloat(), -2.5f);
}

TEST(GeneralModbusChannelFrames, ReadConfigRequestAndAnswerLength) {
    QByteArray request;
    int expected = 0;
    TFakeAccessPoint ap([&](const QByteArray& r, int length) {
        request = r;
        expected = length;
        return QByteArray();
    });
    ap.SetTryCount(1);
    TBareModule module;
    module.SetAP(&ap);
    module.SetAddress(5);
    TUMMCChannel ummc(&module);
    EXPECT_FALSE(ummc.ReadConfig());
    EXPECT_FALSE(ummc.Ok);
    QByteArray want = QByteArray::fromHex("0503300000 0F");
    want.resize(8);
    PutCrc16(reinterpret_cast<quint8*>(want.data()), 6);
    EXPECT_EQ(request.toHex(' '), want.toHex(' '));
    EXPECT_EQ(expected, 35);
}

TEST_F(GeneralModbusChannel, MapConstructorConfigurationAndDataWindow) {
    slave.SetRegister(0x3000, 0x4010); // data base
    slave.SetRegister(0x3001, 3);
    slave.SetRegister(0x3004, 0);
    slave.SetRegister(0x3005, 0x06); // Order16 1, Order32 2
    const char name[] = "PUMP STATION";
    for (int w = 0; w < 6; ++w)
        slave.SetRegister(0x3008 + w, quint16(quint8(name[2 * w]) << 8 | quint8(name[2 * w + 1])));
    TUMMCChannel ummc(&module);
    EXPECT_EQ(ummc.NameText(), QStringLiteral("            "));
    ASSERT_TRUE(ummc.ReadConfig());
    EXPECT_TRUE(ummc.Ok);
    EXPECT_EQ(ummc.DataBase(), 0x4010);
    EXPECT_EQ(ummc.ConfigWord(1), 3);
    EXPECT_EQ(ummc.NameText(), QStringLiteral("PUMP STATION"));
    EXPECT_EQ(ummc.DataChannel().BaseRegister(), 0x4010);
    EXPECT_EQ(ummc.DataChannel().Order16(), 1);
    EXPECT_EQ(ummc.DataChannel().Order32(), 2);

    ASSERT_TRUE(ummc.WriteByteOrders(TUMMCChannel::ByteOrdersToOptions(0, 0)));
    EXPECT_EQ(slave.Pair(0x3004), 0u);
    EXPECT_EQ(ummc.DataChannel().Order16(), 0);
    EXPECT_EQ(ummc.DataChannel().Order32(), 0);

    slave.SetRegister(0x4012, 0x8000);
    slave.SetRegister(0x4013, 0xFFFF);
    slave.SetPair(0x4014, 0x80000000);
    slave.SetPair(0x4016, 0x12345678);
    slave.SetPair(0x4018, std::bit_cast<quint32>(1.5f));
    ASSERT_TRUE(ummc.ReadData(2, 8));
    EXPECT_EQ(ummc.Remaining(), 8);
    EXPECT_EQ(ummc.TakeSigned16(), -1);
    EXPECT_EQ(ummc.TakeUnsigned16(), 0xFFFF);
    EXPECT_EQ(ummc.TakeSigned32(), -1);
    EXPECT_EQ(ummc.TakeUnsigned32(), 0x12345678u);
    EXPECT_EQ(ummc.TakeFloat(), 1.5f);
    EXPECT_EQ(ummc.Remaining(), 0);
    EXPECT_EQ(ummc.TakeUnsigned16(), 0);

    ASSERT_TRUE(ummc.WriteConfigValue(15, 0x55));
    EXPECT_EQ(slave.Register(0x300F), 0x55);
    ASSERT_TRUE(ummc.ConfigValue15().has_value());
    EXPECT_EQ(*ummc.ConfigValue15(), 0x55);
    ASSERT_TRUE(ummc.WriteConfigValue(2, 9));
    EXPECT_EQ(ummc.ConfigWord(2), 9);
    const int before = slave.Requests();
    EXPECT_FALSE(ummc.WriteConfigValue(3, 1));
    EXPECT_EQ(slave.Requests(), before);
}

TEST_F(GeneralModbusChannel, DataWritesAtTheLimitsAndRefusals) {
    slave.SetRegister(0x3000, 0x4000);
    TUMMCChannel ummc(&module);
    ASSERT_TRUE(ummc.ReadConfig());
    const struct {
        const char* Text;
        int Type;
        quint32 Stored; // register contents, two registers high first for 32-bit types
    } stored[] = {
        {"-1", TUMMCChannel::dtSigned16, 0x8000},
        {"32767", TUMMCChannel::dtSigned16, 0x7FFF},
        {"0", TUMMCChannel::dtSigned16, 0},
        {"65535", TUMMCChannel::dtUnsigned16, 0xFFFF},
        {" 12 ", TUMMCChannel::dtUnsigned16, 12},
        {"-1", TUMMCChannel::dtSigned32, 0x80000000},
        {"2147483647", TUMMCChannel::dtSigned32, 0x7FFFFFFF},
        {"4294967295", TUMMCChannel::dtUnsigned32, 0xFFFFFFFF},
        {"-2.5", TUMMCChannel::dtFloat, 0xC0200000},
    };
    for (const auto& c : stored) {
        SCOPED_TRACE(c.Text);
        ASSERT_TRUE(ummc.WriteData(4, QString::fromLatin1(c.Text), c.Type));
        const bool wide = c.Type >= TUMMCChannel::dtSigned32;
        EXPECT_EQ(wide ? slave.Pair(0x4004) : slave.Register(0x4004), c.Stored);
        // What the window shows after reading it back is what was entered.
        ASSERT_TRUE(ummc.ReadData(4, wide ? 2 : 1));
        switch (c.Type) {
        case TUMMCChannel::dtSigned16:
            EXPECT_EQ(ummc.TakeSigned16(), QString::fromLatin1(c.Text).toInt());
            break;
        case TUMMCChannel::dtSigned32:
            EXPECT_EQ(ummc.TakeSigned32(), QString::fromLatin1(c.Text).toLongLong());
            break;
        default:
            break;
        }
    }
    const struct {
        const char* Text;
        int Type;
        TUMMCChannel::TWriteError Error;
    } refused[] = {
        {"-32768", TUMMCChannel::dtSigned16, TUMMCChannel::weOutOfRange}, // would store what +1 stores
        {"-2", TUMMCChannel::dtSigned16, TUMMCChannel::weOutOfRange},     // would read back as 32765
        {"32768", TUMMCChannel::dtSigned16, TUMMCChannel::weOutOfRange},
        {"65536", TUMMCChannel::dtUnsigned16, TUMMCChannel::weOutOfRange},
        {"-1", TUMMCChannel::dtUnsigned16, TUMMCChannel::weOutOfRange},
        {"-2147483648", TUMMCChannel::dtSigned32, TUMMCChannel::weOutOfRange},
        {"2147483648", TUMMCChannel::dtSigned32, TUMMCChannel::weOutOfRange},
        {"4294967296", TUMMCChannel::dtUnsigned32, TUMMCChannel::weOutOfRange},
        {"1e39", TUMMCChannel::dtFloat, TUMMCChannel::weOutOfRange},
        {"nan", TUMMCChannel::dtFloat, TUMMCChannel::weNotANumber},
        {"12a", TUMMCChannel::dtSigned16, TUMMCChannel::weNotANumber},
        {"", TUMMCChannel::dtUnsigned32, TUMMCChannel::weNotANumber},
        {"1,5", TUMMCChannel::dtFloat, TUMMCChannel::weNotANumber},
        {"1", 5, TUMMCChannel::weBadType},
    };
    const int before = slave.Requests();
    for (const auto& c : refused) {
        SCOPED_TRACE(c.Text);
        EXPECT_FALSE(ummc.WriteData(4, QString::fromLatin1(c.Text), c.Type));
        EXPECT_EQ(ummc.LastWriteError(), c.Error);
    }
    EXPECT_EQ(slave.Requests(), before);
}

TEST(MapConstructorEncoding, SignedReadingAsTheDevicesEncodeIt) {
    EXPECT_EQ(TUMMCChannel::DecodeSigned16(0x8000), -1);
    EXPECT_EQ(TUMMCChannel::DecodeSigned16(0xFFFF), 32766);
    EXPECT_EQ(TUMMCChannel::DecodeSigned16(0x7FFF), 32767);
    EXPECT_EQ(TUMMCChannel::DecodeSigned32(0x80000000u), -1);
    EXPECT_EQ(TUMMCChannel::DecodeSigned32(0xFFFFFFFFu), 0x7FFFFFFE);
    EXPECT_EQ(TUMMCChannel::ByteOrdersToOptions(1, 3), 7u);
    EXPECT_EQ(TUMMCChannel::ByteOrdersToOptions(0x301, 2), 0xC06u);
}

} // namespace
