#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"
#include "protocol/PortFrameMaker.h"
#include "support/FakeAccessPoint.h"
#include "support/ModbusFrames.h"
#include "support/NerixFrames.h"

#include <QThread>
#include <gtest/gtest.h>

namespace {

struct ModbusDevice {
    std::vector<int> answerLengths;
    QByteArray answer;
    TFakeAccessPoint ap{[this](const QByteArray&, int n) {
        answerLengths.push_back(n);
        return answer;
    }};
    TNerixModule module;
    ModbusDevice(quint8 address) {
        module.SetAP(&ap);
        module.SetAddress(address);
        module.SetTransferProtocol(tpModbus);
    }
};

TEST(ModbusTunnel, ReadRequestAndAnswerVectors) {
    ModbusDevice d(7);
    d.answer = FromHex("07 03 04 00 00 01 2C 9C 7E");
    quint32 value = 0;
    ASSERT_TRUE(d.module.ReadProperty(100, 0, value));
    EXPECT_EQ(value, 300u);
    ASSERT_EQ(d.ap.Attempts.size(), 1u);
    EXPECT_EQ(Hex(d.ap.Attempts[0]), QByteArray("07 03 00 20 00 02 C5 A7"));
    EXPECT_EQ(d.answerLengths[0], 9);
    // The answer became an intact Nerix frame.
    EXPECT_TRUE(d.module.Buffer().Intact());
}

TEST(ModbusTunnel, WriteRequestCarriesTheFrameBytesInTheirOrder) {
    ModbusDevice d(1);
    d.answer = WithCrc(FromHex("01 10 00 0C 00 02"));
    ASSERT_TRUE(d.module.WriteFloat(15, 0, 1.0f));
    EXPECT_EQ(Hex(d.ap.Attempts[0]), QByteArray("01 10 00 0C 00 02 04 3F 80 00 00 FE 06"));
    EXPECT_EQ(d.answerLengths[0], 8);

    d.module.Buffer().ValueOrder = bo1032x10;
    ASSERT_TRUE(d.module.WriteProperty(15, 0, 0x12345678));
    EXPECT_EQ(Hex(d.ap.Attempts[1].mid(7, 4)), QByteArray("56 78 12 34"));
}

TEST(ModbusTunnel, AnswersThatDoNotAnswerTheRequestFail) {
    ModbusDevice d(7);
    quint32 value = 99;
    // An exception answer, padded to the expected length, with a correct CRC.
    d.answer = WithCrc(FromHex("07 83 02 00 00 00 00"));
    EXPECT_FALSE(d.module.ReadProperty(100, 0, value));
    EXPECT_EQ(value, 0u);
    // A write's answer to a read: it would leave the request frame (value 0) to pass its own CRC.
    d.answer = WithCrc(FromHex("07 10 00 20 00 02 00"));
    EXPECT_FALSE(d.module.ReadProperty(100, 0, value));
    // A byte count other than 4.
    d.answer = WithCrc(FromHex("07 03 02 00 00 01 2C"));
    EXPECT_FALSE(d.module.ReadProperty(100, 0, value));
    // Another device's answer.
    d.answer = WithCrc(FromHex("08 03 04 00 00 01 2C"));
    EXPECT_FALSE(d.module.ReadProperty(100, 0, value));
    // A broken CRC.
    d.answer = FromHex("07 03 04 00 00 01 2C 9C 7F");
    EXPECT_FALSE(d.module.ReadProperty(100, 0, value));

    // A write confirmed for another register.
    d.answer = WithCrc(FromHex("07 10 00 22 00 02"));
    EXPECT_FALSE(d.module.WriteProperty(100, 0, 1));
    d.answer = WithCrc(FromHex("07 10 00 20 00 02"));
    EXPECT_TRUE(d.module.WriteProperty(100, 0, 1));
}

TEST(ModbusTunnel, PairsWithoutARegisterSendNothing) {
    ModbusDevice d(7);
    int traffic = 0;
    d.ap.OnTraffic = [&](const quint8*, quint16, bool) { ++traffic; };
    quint32 value = 5;
    EXPECT_FALSE(d.module.ReadProperty(4, 0, value));
    EXPECT_FALSE(d.module.WriteProperty(0, 1, 1));
    EXPECT_EQ(traffic, 0);
    EXPECT_TRUE(d.ap.Attempts.empty());
}

TEST(ModbusTunnel, DefaultRowsAndTheDuplicateRule) {
    TNerixModule module;
    TModbusToNerix& tunnel = module.ModbusToNerix();
    const std::vector<std::tuple<quint16, quint8, quint16>> expected = {
        {0, 0, 0},   {2, 0, 1},   {4, 0, 2},     {6, 0, 3},    {8, 0, 5},    {10, 0, 6},
        {12, 0, 15}, {14, 0, 16}, {160, 0, 160}, {32, 0, 100}, {34, 0, 101}, {36, 0, 102},
    };
    ASSERT_EQ(tunnel.Map().Rows().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto& r = tunnel.Map().Rows()[i];
        EXPECT_EQ(std::make_tuple(r.Register, r.ObjectNumber, r.PropertyNumber), expected[i]) << i;
    }
    tunnel.AddMapping(2, 0, 7);  // register taken
    tunnel.AddMapping(40, 0, 1); // pair taken
    EXPECT_EQ(tunnel.Map().Rows().size(), expected.size());
    tunnel.AddMapping(100, 1, 0);
    quint16 reg = 0;
    ASSERT_TRUE(tunnel.Map().FindRegister(1, 0, reg));
    EXPECT_EQ(reg, 100);
    EXPECT_FALSE(tunnel.Map().FindRegister(1, 1, reg));
}

TEST(PortFrameOfData, BurstsAreCutAt1024AndFramesEndAfterTheGap) {
    TPortFrameOfData frames;
    std::vector<QByteArray> got;
    frames.OnFrame = [&](const quint8* b, quint16 n) {
        got.emplace_back(reinterpret_cast<const char*>(b), n);
    };
    QByteArray burst(1500, '\0');
    for (int i = 0; i < burst.size(); ++i)
        burst[i] = char(i);
    frames.DataReceived(reinterpret_cast<const quint8*>(burst.constData()), quint32(burst.size()));
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], burst.left(1024));
    frames.Poll();
    EXPECT_EQ(got.size(), 1u); // the line has not been quiet for long enough yet
    QThread::msleep(30);
    frames.Poll();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1], burst.mid(1024));

    // Exactly one area full waits for the gap like any frame; chunks close together make one frame.
    frames.DataReceived(reinterpret_cast<const quint8*>(burst.constData()), 1000);
    frames.DataReceived(reinterpret_cast<const quint8*>(burst.constData()), 24);
    EXPECT_EQ(got.size(), 2u);
    QThread::msleep(30);
    frames.Poll();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[2].size(), 1024);

    // Without a handler the bytes are still dropped at delivery.
    frames.OnFrame = nullptr;
    frames.DataReceived(reinterpret_cast<const quint8*>(burst.constData()), 10);
    QThread::msleep(30);
    frames.Poll();
    EXPECT_EQ(frames.Pending(), 0);
}

} // namespace
