// Modbus TCP framing: an RTU request to MBAP and an MBAP answer back to RTU, against frames written
// out by hand from the protocol's rules.
#include "protocol/ModbusTcp.h"
#include "protocol/Crc16.h"
#include "support/NerixFrames.h"

#include <gtest/gtest.h>

#include <array>

namespace {

QByteArray WithCrc(QByteArray frame) {
    const int n = int(frame.size());
    frame.resize(n + 2);
    PutCrc16(reinterpret_cast<quint8*>(frame.data()), n);
    return frame;
}

const quint8* Bytes(const QByteArray& a) {
    return reinterpret_cast<const quint8*>(a.constData());
}

TEST(ModbusTcp, RtuRequestBecomesMbapAndTheAnswerRtuAgain) {
    // Read two holding registers at 0x0010 from unit 17.
    const QByteArray rtu = WithCrc(FromHex("11 03 00 10 00 02"));
    std::array<quint8, ModbusTcp::kMaxFrame> out{};
    const int n = ModbusTcp::FrameFromRtu(Bytes(rtu), int(rtu.size()), 0xBEEF, out.data(), int(out.size()));
    ASSERT_EQ(n, 12);
    EXPECT_EQ(Hex(QByteArray(reinterpret_cast<const char*>(out.data()), n)),
              QByteArray("BE EF 00 00 00 06 11 03 00 10 00 02"));

    const QByteArray answer = FromHex("BE EF 00 00 00 07 11 03 04 12 34 56 78");
    std::array<quint8, 300> back{};
    const int m = ModbusTcp::RtuFromFrame(Bytes(answer), int(answer.size()), back.data(), int(back.size()));
    ASSERT_EQ(m, 9);
    const QByteArray got(reinterpret_cast<const char*>(back.data()), m);
    EXPECT_EQ(got, WithCrc(FromHex("11 03 04 12 34 56 78")));
    EXPECT_EQ(Crc16(back.data(), m), 0);
}

TEST(ModbusTcp, HeaderLimits) {
    struct Case {
        const char* header;
        ModbusTcp::TParse expected;
    };
    const Case cases[] = {
        {"00 01 00 00 00 02 05", ModbusTcp::TParse::Ok},      // unit and function only
        {"00 01 00 00 00 FE 05", ModbusTcp::TParse::Ok},      // 254: a 260-byte frame
        {"00 01 00 00 00 FF 05", ModbusTcp::TParse::Invalid}, // 261 bytes
        {"00 01 00 00 FF FF 05", ModbusTcp::TParse::Invalid},
        {"00 01 00 00 00 01 05", ModbusTcp::TParse::Invalid}, // no room for a function code
        {"00 01 00 00 00 00 05", ModbusTcp::TParse::Invalid},
        {"00 01 00 01 00 06 05", ModbusTcp::TParse::Invalid}, // not the Modbus protocol id
        {"00 01 00 00 00 06", ModbusTcp::TParse::NeedMore},
    };
    for (const Case& c : cases) {
        const QByteArray h = FromHex(c.header);
        ModbusTcp::THeader header;
        EXPECT_EQ(ModbusTcp::ParseHeader(Bytes(h), int(h.size()), header), c.expected) << c.header;
    }
}

TEST(ModbusTcp, BrokenInputIsRefused) {
    std::array<quint8, ModbusTcp::kMaxFrame> out{};
    // A request whose CRC does not hold, and one too short to be RTU.
    QByteArray bad = WithCrc(FromHex("11 03 00 10 00 02"));
    bad[3] = char(0x11);
    EXPECT_EQ(ModbusTcp::FrameFromRtu(Bytes(bad), int(bad.size()), 1, out.data(), int(out.size())), -1);
    const QByteArray shortFrame = FromHex("11 03 00");
    EXPECT_EQ(ModbusTcp::FrameFromRtu(Bytes(shortFrame), 3, 1, out.data(), int(out.size())), -1);
    // An output too small for the frame.
    const QByteArray rtu = WithCrc(FromHex("11 03 00 10 00 02"));
    EXPECT_EQ(ModbusTcp::FrameFromRtu(Bytes(rtu), int(rtu.size()), 1, out.data(), 11), -1);

    // An answer whose byte count is not what its header says.
    const QByteArray answer = FromHex("00 01 00 00 00 07 11 03 04 12 34 56 78");
    EXPECT_EQ(ModbusTcp::RtuFromFrame(Bytes(answer), int(answer.size()) - 1, out.data(), int(out.size())),
              -1);
    EXPECT_EQ(
        ModbusTcp::RtuFromFrame(Bytes(answer + "x"), int(answer.size()) + 1, out.data(), int(out.size())),
        -1);
    EXPECT_EQ(ModbusTcp::RtuFromFrame(Bytes(answer), int(answer.size()), out.data(), 8), -1);
}

TEST(ModbusTcp, NerixFramesAreToldFromModbus) {
    EXPECT_TRUE(ModbusTcp::LooksLikeNerix(Bytes(NerixFrame(5, 0, 0, 1, 0)), 11));
    EXPECT_TRUE(ModbusTcp::LooksLikeNerix(Bytes(NerixFrame(5, 1, 2, 10, 7)), 11));
    // A write of two registers is 13 bytes, a read 8; no Modbus request has function 0 or 1 at 11.
    const QByteArray read = WithCrc(FromHex("05 03 00 10 00 02"));
    EXPECT_FALSE(ModbusTcp::LooksLikeNerix(Bytes(read), int(read.size())));
    const QByteArray write = WithCrc(FromHex("05 10 00 10 00 01 02 00 07"));
    EXPECT_FALSE(ModbusTcp::LooksLikeNerix(Bytes(write), int(write.size())));
}

} // namespace
