#include "protocol/NerixModule.h"
#include "support/FakeAccessPoint.h"
#include "support/NerixFrames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A device behind a fake access point: answers reads with `value` and echoes writes.
struct FakeDevice {
    quint32 value = 0;
    int answers = 0;
    TFakeAccessPoint ap{[this](const QByteArray& request, int) {
        ++answers;
        if (request[1] == 1)
            return request;
        return NerixFrame(quint8(request[0]), 0, quint8(request[2]),
                          quint16((quint8(request[3]) << 8) | quint8(request[4])), value);
    }};
    TNerixModule module;
    FakeDevice() {
        module.SetAP(&ap);
        module.SetAddress(5);
    }
};

TEST(NerixModule, ReadSendsTheExactRequestAndDecodesTheAnswer) {
    FakeDevice d;
    d.value = 0xFFFFFFFE;
    quint32 value = 0;
    ASSERT_TRUE(d.module.ReadProperty(3, 0, value));
    EXPECT_EQ(value, 0xFFFFFFFEu);
    ASSERT_EQ(d.ap.Attempts.size(), 1u);
    EXPECT_EQ(Hex(d.ap.Attempts[0]), QByteArray("05 00 00 00 03 00 00 00 00 71 A0"));
}

TEST(NerixModule, WritePutsTheValueInTheChosenOrder) {
    FakeDevice d;
    d.module.SetAddress(1);
    ASSERT_TRUE(d.module.WriteProperty(2, 1, 0x12345678));
    EXPECT_EQ(Hex(d.ap.Attempts.back().mid(0, 9)), QByteArray("01 01 01 00 02 12 34 56 78"));

    d.module.Buffer().ValueOrder = bo0123x10;
    ASSERT_TRUE(d.module.WriteProperty(2, 1, 0x12345678));
    EXPECT_EQ(Hex(d.ap.Attempts.back().mid(5, 4)), QByteArray("78 56 34 12"));
    // The CRC covers the value as it travels.
    const QByteArray sent = d.ap.Attempts.back();
    EXPECT_EQ(TNerixModule::Crc16(reinterpret_cast<const quint8*>(sent.constData()), 11), 0);
}

TEST(NerixModule, CorruptOrForeignAnswersFailTheAttemptAndAreRetried) {
    TFakeAccessPoint ap;
    TNerixModule module;
    module.SetAP(&ap);
    module.SetAddress(7);

    // A flipped bit in every answer: both attempts fail, the value stays 0.
    ap.SetAnswerer([](const QByteArray&, int) {
        QByteArray a = NerixFrame(7, 0, 1, 4, 99);
        a[6] = char(a[6] ^ 0x10);
        return a;
    });
    quint32 value = 123;
    EXPECT_FALSE(module.ReadProperty(4, 1, value));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(ap.Attempts.size(), 2u);

    // First an intact answer to another property (a late answer), then the right one.
    ap.Attempts.clear();
    int n = 0;
    ap.SetAnswerer([&n](const QByteArray&, int) {
        return ++n == 1 ? NerixFrame(7, 0, 1, 3, 55) : NerixFrame(7, 0, 1, 4, 66);
    });
    ASSERT_TRUE(module.ReadProperty(4, 1, value));
    EXPECT_EQ(value, 66u);
    EXPECT_EQ(ap.Attempts.size(), 2u);

    // An answer from another address is not ours either.
    ap.SetAnswerer([](const QByteArray&, int) { return NerixFrame(8, 0, 1, 4, 1); });
    EXPECT_FALSE(module.ReadProperty(4, 1, value));

    // ... unless we asked address 0.
    module.SetAddress(0);
    EXPECT_TRUE(module.ReadProperty(4, 1, value));
    EXPECT_EQ(value, 1u);
}

TEST(NerixModule, FloatsNaNBecomesZeroAndAFailedReadKeepsTheCallersValue) {
    FakeDevice d;
    float f = -5.0f;
    d.value = 0x7FC00000;
    ASSERT_TRUE(d.module.ReadFloat(1, 0, f));
    EXPECT_EQ(f, 0.0f);
    d.value = 0x3F800000;
    ASSERT_TRUE(d.module.ReadFloat(1, 0, f));
    EXPECT_EQ(f, 1.0f);
    d.value = 0xFF800000;
    ASSERT_TRUE(d.module.ReadFloat(1, 0, f));
    EXPECT_TRUE(std::isinf(f) && f < 0);

    d.ap.SetAnswerer({});
    f = 2.5f;
    EXPECT_FALSE(d.module.ReadFloat(1, 0, f));
    EXPECT_EQ(f, 2.5f);

    FakeDevice w;
    ASSERT_TRUE(w.module.WriteFloat(9, 2, 1.0f));
    EXPECT_EQ(Hex(w.ap.Attempts.back().mid(5, 4)), QByteArray("3F 80 00 00"));
}

TEST(NerixModule, ProtocolsWithoutAPathAndAMissingAccessPointSendNothing) {
    for (auto protocol : {tpModbus, tpZoVuru, tpZoVuruCheckSum}) {
        FakeDevice d;
        int traffic = 0;
        d.ap.OnTraffic = [&traffic](const quint8*, quint16, bool) { ++traffic; };
        d.module.SetTransferProtocol(protocol);
        quint32 v = 1;
        // Property 4 of the device has no Modbus register.
        EXPECT_FALSE(d.module.ReadProperty(4, 0, v)) << int(protocol);
        EXPECT_FALSE(d.module.WriteProperty(4, 0, 5)) << int(protocol);
        EXPECT_EQ(traffic, 0) << int(protocol);
        EXPECT_TRUE(d.ap.Attempts.empty());
    }
    TNerixModule orphan;
    quint32 v = 0;
    EXPECT_FALSE(orphan.ReadProperty(1, 0, v));
}

TEST(NerixModule, ATransactionStartedWhileOneWaitsFailsWithoutTraffic) {
    TNerixModule module;
    bool nestedResult = true;
    TFakeAccessPoint ap([&](const QByteArray& request, int) {
        quint32 v = 0;
        // An event handler running while the exchange waits.
        nestedResult = module.ReadProperty(9, 9, v);
        return NerixFrame(1, 0, 0, 1, 42);
    });
    module.SetAP(&ap);
    quint32 value = 0;
    ASSERT_TRUE(module.ReadProperty(1, 0, value));
    EXPECT_EQ(value, 42u);
    EXPECT_FALSE(nestedResult);
    EXPECT_EQ(ap.Attempts.size(), 1u);
}

} // namespace
