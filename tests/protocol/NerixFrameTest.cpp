#include "protocol/ByteOrder.h"
#include "protocol/Crc16.h"
#include "protocol/NerixBuffer.h"
#include "protocol/TransferProtocol.h"
#include "support/NerixFrames.h"

#include <gtest/gtest.h>

namespace {

const quint8* Bytes(const QByteArray& a) {
    return reinterpret_cast<const quint8*>(a.constData());
}

TEST(Crc16, KnownVectorsAndWholeFrameCheck) {
    // The classic Modbus example: 01 03 00 00 00 0A carries C5 CD.
    const QByteArray modbus = FromHex("01 03 00 00 00 0A");
    EXPECT_EQ(Crc16(Bytes(modbus), modbus.size()), 0xC5CD);

    const QByteArray frame = FromHex("05 00 00 00 03 00 00 00 00 71 A0");
    EXPECT_EQ(Crc16(Bytes(frame), 9), 0x71A0);
    EXPECT_EQ(Crc16(Bytes(frame), 11), 0);

    // Any single flipped bit breaks the whole-frame check.
    for (int bit = 0; bit < 88; ++bit) {
        QByteArray bad = frame;
        bad[bit / 8] = char(bad[bit / 8] ^ (1 << (bit % 8)));
        EXPECT_NE(Crc16(Bytes(bad), 11), 0) << "bit " << bit;
    }
}

TEST(ByteOrder, WireOrdersOfEveryOrdinalAndTheFallback) {
    struct Case {
        TByteOrder order;
        quint8 fallback;
        const char* wire;
    };
    const Case cases[] = {
        {bo3210x10, 0, "12 34 56 78"}, {bo0123x10, 0, "78 56 34 12"}, {bo1032x10, 0, "56 78 12 34"},
        {bo2301x10, 0, "34 12 78 56"}, {bo3210x01, 3, "12 34 56 78"}, {bo0123x01, 0, "78 56 34 12"},
        {bo1032x01, 0, "56 78 12 34"}, {bo2301x01, 0, "34 12 78 56"}, {boNAN, 0, "12 34 56 78"},
        {boNAN, 1, "78 56 34 12"},     {boNAN, 2, "56 78 12 34"},     {boNAN, 3, "34 12 78 56"},
    };
    for (const auto& c : cases) {
        TBuffer b;
        b.ValueOrder = c.order;
        b.FallbackOrder = c.fallback;
        b.SetValue(0x12345678);
        const QByteArray wire(reinterpret_cast<const char*>(&b.Frame[5]), 4);
        EXPECT_EQ(Hex(wire), QByteArray(c.wire))
            << "order " << int(c.order) << " fallback " << int(c.fallback);
        EXPECT_EQ(b.Value(), 0x12345678u) << "round trip of order " << int(c.order);
    }
}

TEST(NerixBuffer, FieldsAndOutOfRangeWordIndexes) {
    TBuffer b;
    b.Build(5, noRead, 0, 3, 0);
    EXPECT_EQ(Hex(QByteArray(reinterpret_cast<const char*>(b.Frame.data()), 11)),
              QByteArray("05 00 00 00 03 00 00 00 00 71 A0"));
    EXPECT_TRUE(b.Intact());
    EXPECT_EQ(b.PropertyNumber(), 3);
    EXPECT_EQ(b.Crc(), 0x71A0);

    const auto before = b.Frame;
    b.SetWord(10, 0xFFFF);
    b.SetWord(-1, 0xFFFF);
    EXPECT_EQ(b.Frame, before);
    EXPECT_EQ(b.Word(10), 0);
    EXPECT_EQ(b.Word(9), 0x71A0);
}

TEST(NerixBuffer, AnswerMatchingRequiresSameOperationObjectPropertyAndAddress) {
    const QByteArray request = NerixFrame(5, 0, 2, 0x0103, 0);
    EXPECT_TRUE(NerixAnswerMatches(Bytes(request), Bytes(NerixFrame(5, 0, 2, 0x0103, 77))));
    EXPECT_FALSE(NerixAnswerMatches(Bytes(request), Bytes(NerixFrame(6, 0, 2, 0x0103, 77))));
    EXPECT_FALSE(NerixAnswerMatches(Bytes(request), Bytes(NerixFrame(5, 1, 2, 0x0103, 77))));
    EXPECT_FALSE(NerixAnswerMatches(Bytes(request), Bytes(NerixFrame(5, 0, 3, 0x0103, 77))));
    EXPECT_FALSE(NerixAnswerMatches(Bytes(request), Bytes(NerixFrame(5, 0, 2, 0x0003, 77))));
    EXPECT_FALSE(NerixAnswerMatches(Bytes(request), Bytes(NerixFrame(5, 0, 2, 0x0104, 77))));
    // A request to address 0 learns the address from the answer.
    const QByteArray anyone = NerixFrame(0, 0, 0, 1, 0);
    EXPECT_TRUE(NerixAnswerMatches(Bytes(anyone), Bytes(NerixFrame(0x1F, 0, 0, 1, 9))));
}

TEST(TransferProtocol, Names) {
    EXPECT_EQ(TransferProtocolName(tpNerix), QStringLiteral("Nerix"));
    EXPECT_EQ(TransferProtocolName(tpModbus), QStringLiteral("Modbus RTU"));
    EXPECT_EQ(TransferProtocolName(tpZoVuru), QStringLiteral("ZoVuru without CheckSum"));
    EXPECT_EQ(TransferProtocolName(tpZoVuruCheckSum), QStringLiteral("ZoVuru with CheckSum"));
}

} // namespace
