// Modbus TCP framing: an RTU request to MBAP and an MBAP answer back to RTU, against frames written
// out by hand from the protocol's rules.
#include "protocol/ModbusTcp.h"
#include "protocol/Crc16.h"
#include "support/NerixFrames.h"

#include <QDir>
#include <QFile>
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

// The fuzz target's seeds are only worth their place if each is what its name says: the valid
// answers come apart into intact RTU frames, the broken ones are refused where the access point
// would drop the connection. A seed edited by mistake shows here, not as a silently weaker fuzz run.
TEST(ModbusTcp, FuzzSeedsAreWhatTheirNamesSay) {
    struct Seed {
        const char* name;
        int frames;      // whole frames taken before the stream ends or is refused
        bool refused;    // the stream ends in a header the access point drops the connection for
        quint16 lastId;  // transaction id of the last whole frame
        quint8 function; // function code of the last whole frame's RTU
    };
    const Seed seeds[] = {
        {"read_holding_registers", 1, false, 1, 0x03},
        {"read_holding_registers_long", 1, false, 0x1234, 0x03},
        {"write_multiple_registers", 1, false, 2, 0x10},
        {"exception_illegal_address", 1, false, 3, 0x83},
        {"exception_gateway_target", 1, false, 4, 0x83},
        {"stale_then_current", 2, false, 8, 0x03},
        {"length_below_minimum", 0, true, 0, 0},
        {"length_above_maximum", 0, true, 0, 0},
        {"protocol_id_not_zero", 0, true, 0, 0},
        {"truncated_frame", 0, false, 0, 0},
    };
    EXPECT_EQ(QDir(QStringLiteral(DVV_MBAP_CORPUS)).entryList(QDir::Files).size(),
              qsizetype(std::size(seeds)));
    for (const Seed& seed : seeds) {
        SCOPED_TRACE(seed.name);
        QFile f(QStringLiteral(DVV_MBAP_CORPUS "/") + QLatin1String(seed.name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray data = f.readAll();
        int at = 0, frames = 0;
        bool refused = false;
        ModbusTcp::THeader last;
        std::array<quint8, ModbusTcp::kMaxFrame> rtu{};
        int rtuLength = 0;
        while (int(data.size()) - at >= ModbusTcp::kHeaderSize) {
            ModbusTcp::THeader h;
            if (ModbusTcp::ParseHeader(Bytes(data) + at, int(data.size()) - at, h) ==
                ModbusTcp::TParse::Invalid) {
                refused = true;
                break;
            }
            if (int(data.size()) - at < h.FrameSize())
                break;
            rtuLength = ModbusTcp::RtuFromFrame(Bytes(data) + at, h.FrameSize(), rtu.data(), int(rtu.size()));
            ASSERT_GT(rtuLength, 0);
            EXPECT_EQ(Crc16(rtu.data(), rtuLength), 0);
            last = h;
            ++frames;
            at += h.FrameSize();
        }
        EXPECT_EQ(frames, seed.frames);
        EXPECT_EQ(refused, seed.refused);
        if (frames > 0) {
            EXPECT_EQ(last.TransactionId, seed.lastId);
            EXPECT_EQ(rtu[1], seed.function);
        }
    }
}

} // namespace
