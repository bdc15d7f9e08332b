// The Nerix and Modbus RTU decoders: node texts, byte ranges and device context.
#include "traffic/TrafficDecoder.h"
#include "profiles/XMLProfileLoader.h"
#include "protocol/Crc16.h"
#include "support/ModbusFrames.h"
#include "support/NerixFrames.h"

#include <gtest/gtest.h>

namespace {

TDecodedPackage Decode(TTransferProtocol Protocol, const QByteArray& Bytes, bool Received,
                       const TDeviceList* Profiles = nullptr) {
    return DecodePackage(Protocol, reinterpret_cast<const quint8*>(Bytes.constData()), int(Bytes.size()),
                         Received, Profiles);
}

QString Hex4(quint16 Value) {
    return QStringLiteral("%1").arg(Value, 4, 16, QLatin1Char('0')).toUpper();
}

QStringList Texts(const TDecodedPackage& P) {
    QStringList t;
    for (const TDecodedNode& n : P.Nodes)
        t << n.Text;
    return t;
}

QString Ranges(const TDecodedPackage& P) {
    QStringList t;
    for (const TDecodedNode& n : P.Nodes)
        t << QStringLiteral("%1-%2").arg(n.First).arg(n.Last);
    return t.join(' ');
}

const TDeviceList& Profiles() {
    static TXMLProfileLoader loader;
    if (loader.Devices().Count() == 0) {
        loader.LoadData(
            "<p><device><name>KVD-T</name></device><protocols>"
            "<protocol><name>Nerix</name><objects><object><name>Input 1</name><id>1</id><properties>"
            "<property><name>Value</name><id>0</id></property></properties></object></objects></protocol>"
            "<protocol><name>Modbus</name><spaces><space><name>Input 1</name><parameters><parameter>"
            "<name>Value</name><start_reg>100</start_reg><count_reg>2</count_reg></parameter>"
            "</parameters></space></spaces></protocol></protocols></p>");
    }
    return loader.Devices();
}

} // namespace

TEST(NerixDecoder, RequestAndAnswer) {
    const QByteArray request = NerixFrame(0x05, 0, 1, 0, 0);
    const TDecodedPackage r = Decode(tpNerix, request, false, &Profiles());
    const quint16 crc = quint16((quint8(request[9]) << 8) | quint8(request[10]));
    EXPECT_EQ(Texts(r),
              (QStringList{QStringLiteral("Address:  [0x05]"), QStringLiteral("Function:[READ - Request]"),
                           QStringLiteral("Object:   [0x01]"), QStringLiteral("Property: [0x0000]"),
                           QStringLiteral("Data:"), QStringLiteral("Check sum:  [0x%1]").arg(Hex4(crc))}));
    EXPECT_EQ(Ranges(r), QStringLiteral("0-0 1-1 2-2 3-4 5-8 9-10"));
    ASSERT_EQ(r.Context.size(), 1u);
    EXPECT_EQ(r.Context[0].Device, QStringLiteral("KVD-T"));
    EXPECT_EQ(r.Context[0].Object, QStringLiteral("Input 1"));
    EXPECT_EQ(r.Context[0].Action, QStringLiteral("Value"));

    const TDecodedPackage a = Decode(tpNerix, NerixFrame(0x05, 1, 0x12, 0xABCD, 0x3F800000), true);
    EXPECT_EQ(a.Nodes[1].Text, QStringLiteral("Function[WRITE - Response]"));
    EXPECT_EQ(a.Nodes[3].Text, QStringLiteral("Property: [0xABCD]"));
    ASSERT_EQ(a.Nodes[4].Children.size(), 3u);
    EXPECT_EQ(a.Nodes[4].Children[0].Text, QStringLiteral("AsHex:     0x3F800000"));
    EXPECT_EQ(a.Nodes[4].Children[1].Text, QStringLiteral("AsInteger: 1065353216"));
    EXPECT_EQ(a.Nodes[4].Children[2].Text, QStringLiteral("AsFloat:   1.000000"));
    EXPECT_TRUE(a.Context.empty());
}

TEST(NerixDecoder, FaultsAndOddLengths) {
    QByteArray frame = NerixFrame(1, 7, 0, 0, 0xFFFFFFFF);
    TDecodedPackage p = Decode(tpNerix, frame, true);
    EXPECT_EQ(p.Nodes[1].Text, QStringLiteral("Function: /*Function error*/"));
    EXPECT_EQ(p.Nodes[4].Children[1].Text, QStringLiteral("AsInteger: 4294967295"));
    EXPECT_FALSE(NerixPackageCorrupted(reinterpret_cast<const quint8*>(frame.constData()), 11));

    const quint16 good = Crc16(reinterpret_cast<const quint8*>(frame.constData()), 9);
    frame[10] = char(frame[10] ^ 0x01);
    p = Decode(tpNerix, frame, true);
    EXPECT_EQ(
        p.Nodes.back().Text,
        QStringLiteral("Check sum:  [0x%1] -Incorrect [0x%2]").arg(Hex4(quint16(good ^ 0x01)), Hex4(good)));
    EXPECT_TRUE(NerixPackageCorrupted(reinterpret_cast<const quint8*>(frame.constData()), 11));

    for (int length : {0, 1, 2, 3, 9, 10, 12}) {
        const QByteArray bytes = NerixFrame(1, 0, 0, 0, 0).leftJustified(length, '\0', true);
        p = Decode(tpNerix, bytes, false);
        ASSERT_EQ(p.Nodes.size(), 1u) << length;
        EXPECT_EQ(p.Nodes[0].Text, QStringLiteral("Unknown format"));
        EXPECT_EQ(p.Nodes[0].Last, length - 1);
        EXPECT_TRUE(NerixPackageCorrupted(reinterpret_cast<const quint8*>(bytes.constData()), length));
    }
    EXPECT_TRUE(Decode(tpNerix, {}, false).Nodes[0].First == -1);
}

TEST(ModbusDecoder, Table) {
    struct TCase {
        QByteArray Bytes;
        bool Received;
        QStringList Nodes; // without the check sum, which every case checks apart
    };
    const std::vector<TCase> cases = {
        {WithCrc(QByteArray::fromHex("010301000002")),
         false,
         {"Address:  [0x01]", "Function:[READ - Request]", "Initial register:  [0x0100]",
          "Number of registers:  [2]"}},
        {WithCrc(QByteArray::fromHex("0103043F800000")),
         true,
         {"Address:  [0x01]", "Function:[READ - Response]", "Data:"}},
        {WithCrc(QByteArray::fromHex("01100100000204 40490FDB")),
         false,
         {"Address:  [0x01]", "Function:[WRITE - Request]", "Initial register:  [0x0100]",
          "Number of registers:  [2]", "Data:"}},
        {WithCrc(QByteArray::fromHex("011001000002")),
         true,
         {"Address:  [0x01]", "Function:[WRITE - Response]", "Initial register:  [0x0100]",
          "Number of registers:  [2]"}},
        // A read request seen as received, a four-register answer, a write answer seen as sent.
        {WithCrc(QByteArray::fromHex("010301000002")), true, {"Address:  [0x01]", "Unknown format"}},
        {WithCrc(QByteArray::fromHex("010308000000000000000000")),
         true,
         {"Address:  [0x01]", "Unknown format"}},
        {WithCrc(QByteArray::fromHex("011001000002")), false, {"Address:  [0x01]", "Unknown format"}},
        {WithCrc(QByteArray::fromHex("018302")), true, {"Address:  [0x01]", "Function:Function error"}},
        {WithCrc(QByteArray::fromHex("0106000A0001")),
         false,
         {"Address:  [0x01]", "Function:Function error"}},
        // Address, function and CRC are the least a frame has.
        {QByteArray::fromHex("010300"), true, {"Unknown format"}},
        {QByteArray::fromHex("0103"), false, {"Unknown format"}},
        {QByteArray::fromHex("01"), false, {"Unknown format"}},
        {QByteArray(), false, {"Unknown format"}},
        {QByteArray::fromHex("01030000"), true, {"Address:  [0x01]", "Unknown format"}},
    };
    for (const TCase& c : cases) {
        const TDecodedPackage p = Decode(tpModbus, c.Bytes, c.Received, &Profiles());
        QStringList texts = Texts(p);
        if (c.Bytes.size() >= 4) {
            const QString sum = texts.takeLast();
            EXPECT_TRUE(sum.startsWith(QLatin1String("Check sum:  [0x"))) << sum.toStdString();
            EXPECT_EQ(p.Nodes.back().First, c.Bytes.size() - 2);
            EXPECT_EQ(sum.endsWith(QLatin1String(" - Incorrect")),
                      Crc16(reinterpret_cast<const quint8*>(c.Bytes.constData()), int(c.Bytes.size())) != 0)
                << c.Bytes.toHex().toStdString();
        }
        EXPECT_EQ(texts, c.Nodes) << c.Bytes.toHex().toStdString();
    }
}

TEST(ModbusDecoder, RangesValuesAndContext) {
    TDecodedPackage p =
        Decode(tpModbus, WithCrc(QByteArray::fromHex("01100100000204 3F800000")), false, &Profiles());
    EXPECT_EQ(Ranges(p), QStringLiteral("0-0 1-1 2-3 4-5 7-10 11-12"));
    EXPECT_EQ(p.Nodes[4].Children[2].Text, QStringLiteral("AsFloat:   1.000000"));
    ASSERT_EQ(p.Context.size(), 1u);
    EXPECT_EQ(p.Context[0].Object, QStringLiteral("Input 1"));
    p = Decode(tpModbus, WithCrc(QByteArray::fromHex("0103043F800000")), true, &Profiles());
    EXPECT_EQ(Ranges(p), QStringLiteral("0-0 1-1 3-6 7-8"));
    EXPECT_TRUE(p.Context.empty());
    p = Decode(tpModbus, WithCrc(QByteArray::fromHex("010301020002")), false, &Profiles());
    EXPECT_TRUE(p.Context.empty()); // 0x102 is past the parameter
    QByteArray bad = WithCrc(QByteArray::fromHex("010301000002"));
    bad[7] = char(bad[7] ^ 0xFF);
    EXPECT_TRUE(Texts(Decode(tpModbus, bad, false)).last().endsWith(QLatin1String(" - Incorrect")));
}

TEST(TrafficWords, DecoderUsesTheGivenWords) {
    TTrafficWords words;
    words.Read = QStringLiteral("LESEN");
    words.Request = QStringLiteral("Anfrage");
    words.Object = QStringLiteral("Objekt");
    const QByteArray f = NerixFrame(1, 0, 2, 3, 0);
    const TDecodedPackage p =
        DecodePackage(tpNerix, reinterpret_cast<const quint8*>(f.constData()), 11, false, nullptr, words);
    EXPECT_EQ(p.Nodes[1].Text, QStringLiteral("Function:[LESEN - Anfrage]"));
    EXPECT_EQ(p.Nodes[2].Text, QStringLiteral("Objekt:   [0x02]"));
}
