#include "model/Helper.h"
#include "model/BusSettings.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

// Switches the default locale to one with a decimal comma for the life of the object.
struct CommaLocale {
    QLocale saved;
    CommaLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~CommaLocale() { QLocale::setDefault(saved); }
};

TEST(Helper, FloatTextsUseADotWhateverTheLocale) {
    CommaLocale comma;
    const QString mask = QStringLiteral("#0.00000000000000");
    EXPECT_EQ(FloatToTrimmedText(mask, 0), QStringLiteral("0"));
    EXPECT_EQ(FloatToTrimmedText(mask, 12.5), QStringLiteral("12.5"));
    EXPECT_EQ(FloatToTrimmedText(mask, 2.0), QStringLiteral("2"));
    EXPECT_EQ(FloatToTrimmedText(mask, -0.25), QStringLiteral("-0.25"));
    EXPECT_EQ(FloatToTrimmedText(QStringLiteral("###############0.000000000"), 1.5), QStringLiteral("1.5"));
    EXPECT_EQ(FloatToText(QStringLiteral("0.00"), 3.14159), QStringLiteral("3.14"));
    EXPECT_EQ(FloatToText(QStringLiteral("000.0#"), 3.1), QStringLiteral("003.1"));
    EXPECT_EQ(FloatToText(QStringLiteral("#.##"), 0.5), QStringLiteral(".5"));
    EXPECT_EQ(FloatToText(QStringLiteral("0.0"), -0.01), QStringLiteral("0.0"));
    EXPECT_DOUBLE_EQ(TextToFloat(QStringLiteral("12.5")), 12.5);
    EXPECT_DOUBLE_EQ(TextToFloat(QStringLiteral("12,5")), 12.5);
    EXPECT_DOUBLE_EQ(TextToFloat(QStringLiteral("abc")), 0.0);
    EXPECT_FALSE(ParseFloat(QString()).has_value());
}

TEST(Helper, ClampedTextStaysInsideTheMask) {
    EXPECT_EQ(FloatToClampedText(QStringLiteral("0.00"), 0.004), QStringLiteral("0.00"));
    EXPECT_EQ(FloatToClampedText(QStringLiteral("0.00"), 0.02), QStringLiteral("0.02"));
    EXPECT_EQ(FloatToClampedText(QStringLiteral("0.00"), 12.3), QStringLiteral("9.99"));
    EXPECT_EQ(FloatToClampedText(QStringLiteral("00.0"), 150), QStringLiteral("99.9"));
    // "#0.1" is no number, so nothing is too small.
    EXPECT_EQ(FloatToClampedText(QStringLiteral("#0.0"), 0.01), QStringLiteral("0.0"));
}

TEST(Helper, BitsBytesAndBinary) {
    EXPECT_TRUE(TestBits(0b1010, 0b0010));
    EXPECT_FALSE(TestBits(0b1010, 0b0101));
    EXPECT_EQ(SetBits(0b1000, 0b0011), 0b1011u);
    EXPECT_EQ(ClearBits(0b1011, 0b0011), 0b1000u);
    EXPECT_EQ(ToggleBits(0b1001, 0b0011), 0b1000u); // one of them set: cleared
    EXPECT_EQ(ToggleBits(0b1000, 0b0011), 0b1011u);
    EXPECT_EQ(BinaryText(5, 4), QStringLiteral("0101"));
    EXPECT_EQ(BinaryText(0xFFFFFFFF, 32), QString(32, QLatin1Char('1')));
    EXPECT_TRUE(BinaryText(5, 0).isEmpty());
    EXPECT_TRUE(BinaryText(5, 33).isEmpty());
    EXPECT_EQ(ReorderBytes32(0, 0x12345678), 0x78563412u);
    EXPECT_EQ(ReorderBytes32(2, 0x12345678), 0x34127856u);
    EXPECT_EQ(ReorderBytes32(3, 0x12345678), 0x56781234u);
    EXPECT_EQ(ReorderBytes32(1, 0x12345678), 0x12345678u);
    EXPECT_EQ(SwapBytes16(false, 0x1234), 0x3412);
    EXPECT_EQ(SwapBytes16(true, 0x1234), 0x1234);
}

TEST(BusSettings, DecodeEncodeAndText) {
    // Address 5, 9600 (device code 6), Modbus, parity even, 2 stop bits.
    const quint32 word = 0x22010605;
    const auto s = TBusSettings::Decode(word);
    EXPECT_EQ(s.Address, 5);
    EXPECT_EQ(s.BaudCode, 7);
    EXPECT_EQ(s.Protocol, 1);
    EXPECT_EQ(s.ParityCode, 2);
    EXPECT_EQ(s.StopBitsCode, 2);
    EXPECT_EQ(s.Encode(), word);
    EXPECT_EQ(s.Text(), QStringLiteral("address 0x05 (5), 9600 bit/s, Modbus RTU, parity even, 2 stop bits"));
    EXPECT_EQ(TBusSettings::Decode(0xF0000000).StopBitsCode, 0);
    EXPECT_EQ(AddressText(0x1F), QStringLiteral("0x1F (31)"));
}

TEST(BusSettings, SpeedCodesOutsideTheDeviceTableAreNamedAsUnknown) {
    // Field 3 is 1200 bit/s and field 19 is 921600 bit/s: the ends of the device's table.
    EXPECT_TRUE(TBusSettings::Decode(0x00000301).Text().contains(QLatin1String(", 1200 bit/s,")));
    EXPECT_TRUE(TBusSettings::Decode(0x00001301).Text().contains(QLatin1String(", 921600 bit/s,")));
    // Field 0 once read as 110 bit/s; 2 as 600; 20 is past the table; 255 wraps the +1 to 0.
    for (const quint32 field : {0u, 2u, 20u, 255u})
        EXPECT_EQ(TBusSettings::Decode(field << 8 | 1).Text(),
                  QStringLiteral("address 0x01 (1), unknown speed code %1, Nerix, parity none, 1 stop bit")
                      .arg(field))
            << field;
}

TEST(BusSettings, ParityAndStopBitsNames) {
    EXPECT_EQ(ParityName(0), QStringLiteral("none"));
    EXPECT_EQ(ParityName(4), QStringLiteral("space"));
    EXPECT_TRUE(ParityName(5).isEmpty());
    EXPECT_TRUE(ParityName(-1).isEmpty());
    EXPECT_EQ(StopBitsName(1), QStringLiteral("1.5"));
    EXPECT_TRUE(StopBitsName(3).isEmpty());
    EXPECT_TRUE(TBusSettings::Decode(0x11000601).Text().endsWith(QLatin1String("parity odd, 1.5 stop bits")));
}

} // namespace
