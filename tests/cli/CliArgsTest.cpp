#include "cli/CliCommands.h"

#include <bit>
#include <gtest/gtest.h>
#include <limits>

namespace {

QStringList Args(const char* line) {
    return QString::fromLatin1(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

TEST(CliArgs, ReadWithDefaultsAndEveryOption) {
    auto r = ParseCliArguments(Args("read --port COM3 --address 5 --object 0 --property 1"));
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(r.Options.Line.Port, QStringLiteral("COM3"));
    EXPECT_EQ(r.Options.Line.Baud, 9600u);
    EXPECT_EQ(r.Options.Line.Parity, ptNONE);
    EXPECT_EQ(r.Options.Line.StopBits, sb1BITS);
    EXPECT_EQ(r.Options.Line.TimeoutMs, 200);
    EXPECT_EQ(r.Options.Line.Tries, 2);
    EXPECT_EQ(r.Options.Order, boNAN);
    EXPECT_FALSE(r.Options.Float);

    r = ParseCliArguments(
        Args("read --port /dev/ttyUSB0 --address 0x1F --object 255 --property 65535 --float "
             "--baud 115200 --parity mark --stop 1.5 --timeout 50 --tries 10 --order 1 --echo "
             "--rts on"));
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(r.Options.Address, 31);
    EXPECT_EQ(r.Options.Object, 255);
    EXPECT_EQ(r.Options.Properties, std::vector<quint16>{65535});
    EXPECT_TRUE(r.Options.Float);
    EXPECT_EQ(r.Options.Line.Baud, 115200u);
    EXPECT_EQ(r.Options.Line.Parity, ptMARK);
    EXPECT_EQ(r.Options.Line.StopBits, sb1HALFBITS);
    EXPECT_EQ(r.Options.Line.TimeoutMs, 50);
    EXPECT_EQ(r.Options.Line.Tries, 10);
    EXPECT_EQ(r.Options.Order, bo0123x10);
    EXPECT_TRUE(r.Options.Line.Echo);
    EXPECT_EQ(r.Options.Line.Rts, hfNONERTSON);
    EXPECT_EQ(r.Options.Line.Protocol, tpNerix);

    r = ParseCliArguments(
        Args("write --port COM1 --address 1 --object 0 --property 1 --value 1 --protocol modbus"));
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(r.Options.Line.Protocol, tpModbus);
}

TEST(CliArgs, WriteValuesAsIntegersHexOrFloats) {
    auto r = ParseCliArguments(Args("write --port COM1 --address 1 --object 2 --property 3 --value -1"));
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(*r.Options.Value, 0xFFFFFFFFu);
    r = ParseCliArguments(Args("write --port COM1 --address 1 --object 2 --property 3 --value 0xDEADBEEF"));
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(*r.Options.Value, 0xDEADBEEFu);
    // --float after --value still makes it a float.
    r = ParseCliArguments(Args("write --port COM1 --address 1 --object 2 --property 3 --value=2.5 --float"));
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(std::bit_cast<float>(*r.Options.Value), 2.5f);
}

TEST(CliArgs, RefusedCommandLinesSayWhy) {
    const char* bad[] = {
        "",
        "frobnicate --port COM1",
        "read --address 1 --object 0 --property 1",
        "read --port COM1 --object 0 --property 1",
        "read --port COM1 --address 256 --object 0 --property 1",
        "read --port COM1 --address 1 --object 0 --property 65536",
        "read --port COM1 --address 1 --object 0 --property 1 --tries 0",
        "read --port COM1 --address 1 --object 0 --property 1 --tries 11",
        "read --port COM1 --address 1 --object 0 --property 1 --order 9",
        "read --port COM1 --address 1 --object 0 --property 1 --stop 3",
        "read --port COM1 --address 1 --object 0 --property 1 --parity weird",
        "read --port COM1 --address 1 --object 0 --property 1 --baud fast",
        "read --port COM1 --address 1 --object 0 --property 1 --value 5",
        "read --port COM1 --address 1 --object 0 --property 1 --timeout",
        "read --port COM1 --address 1 --object 0 --property 1 stray",
        "read --port COM1 --address 1 --object 0 --property 1 --float=yes",
        "write --port COM1 --address 1 --object 0 --property 1",
        "read --port COM1 --address 1 --object 0 --property 1 --protocol zovuru",
        "write --port COM1 --address 1 --object 0 --property 1 --value 4294967296",
        "write --port COM1 --address 1 --object 0 --property 1 --value 1,5 --float",
        "write --port COM1 --address 1 --object 0 --property 1 --value 1e39 --float",
    };
    for (const char* line : bad) {
        const auto r = ParseCliArguments(Args(line));
        EXPECT_FALSE(r.Ok) << line;
        EXPECT_FALSE(r.Error.isEmpty()) << line;
    }
}

TEST(CliArgs, PropertyListsAndRanges) {
    QString error;
    EXPECT_EQ(ParsePropertyList(QStringLiteral("7"), error), std::vector<quint16>{7});
    EXPECT_EQ(ParsePropertyList(QStringLiteral("0-3"), error), (std::vector<quint16>{0, 1, 2, 3}));
    EXPECT_EQ(ParsePropertyList(QStringLiteral("0,2,5"), error), (std::vector<quint16>{0, 2, 5}));
    EXPECT_EQ(ParsePropertyList(QStringLiteral("9, 1-2,0x10"), error), (std::vector<quint16>{9, 1, 2, 16}));
    EXPECT_EQ(ParsePropertyList(QStringLiteral("65535"), error), std::vector<quint16>{65535});
    EXPECT_EQ(ParsePropertyList(QStringLiteral("0-255"), error)->size(), 256u);
    for (const char* bad : {"", ",", "1,", "-1", "1-", "-", "3-1", "1-2-3", "x", "65536", "0-65536", "1,1",
                            "0-3,2", "0-256", "0-200,300-400", "1.5"}) {
        error.clear();
        EXPECT_FALSE(ParsePropertyList(QString::fromLatin1(bad), error)) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }

    // read takes a list, write exactly one property; --count needs --poll.
    auto r = ParseCliArguments(
        Args("read --port COM1 --address 1 --object 0 --property 0-2 --poll 100 --count 3"));
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(r.Options.Properties, (std::vector<quint16>{0, 1, 2}));
    EXPECT_EQ(r.Options.PollMs, 100);
    EXPECT_EQ(r.Options.Count, 3);
    for (const char* bad : {"write --port COM1 --address 1 --object 0 --property 0-2 --value 1",
                            "read --port COM1 --address 1 --object 0 --property 1 --count 3",
                            "read --port COM1 --address 1 --object 0 --property 1 --poll 0",
                            "read --port COM1 --address 1 --object 0 --property 1 --poll 10 --count 0"})
        EXPECT_FALSE(ParseCliArguments(Args(bad)).Ok) << bad;
}

TEST(CliArgs, FloatTextIsShortestWithADot) {
    EXPECT_EQ(FloatText(1.0f), QStringLiteral("1"));
    EXPECT_EQ(FloatText(0.1f), QStringLiteral("0.1"));
    EXPECT_EQ(FloatText(-2.5f), QStringLiteral("-2.5"));
    EXPECT_EQ(FloatText(16777217.0f), QStringLiteral("16777216"));
    const float third = 1.0f / 3.0f;
    EXPECT_EQ(ParseFloatText(FloatText(third)).value(), third);
    EXPECT_EQ(ParseFloatText(QStringLiteral("3.25")).value(), 3.25f);
    EXPECT_FALSE(ParseFloatText(QStringLiteral("3,25")).has_value());
    // JSON carries the short form too, and null where it has no number.
    EXPECT_EQ(FloatJson(0.1f).toDouble(), 0.1);
    EXPECT_TRUE(FloatJson(std::numeric_limits<float>::quiet_NaN()).isNull());
    EXPECT_TRUE(FloatJson(-std::numeric_limits<float>::infinity()).isNull());
}

} // namespace
