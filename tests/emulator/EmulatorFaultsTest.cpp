// The fault text form, the seeded generator and the per-answer fault plans.
#include "emulator/EmulatorFaults.h"
#include "protocol/Crc16.h"

#include <gtest/gtest.h>

namespace {

struct GoodCase {
    const char* text;
    const char* normalised; // EmulatorFaultsText of the result
};

TEST(EmulatorFaultsText, GoodTextsParseAndPrintBack) {
    const GoodCase cases[] = {
        {"", ""},
        {"   ", ""},
        {"delay=5", "delay=5"},
        {"delay=5-40", "delay=5-40"},
        {"delay=7-7", "delay=7"},
        {" drop = 0.05 , crc=0.01 ", "drop=0.05,crc=0.01"},
        {"split=3@8", "split=3@8"},
        {"garbage=4,wrong-address=0.5", "garbage=4,wrong-address=0.5"},
        {"stop-after=100,resume-after=20", "stop-after=100,resume-after=20"},
        {"delay=5-40,drop=0.05,crc=0.01,split=3@8,device=2:stop-after=100",
         "delay=5-40,drop=0.05,crc=0.01,split=3@8,device=2:stop-after=100"},
        {"device=2:stop-after=100:resume-after=5,device=1:drop=1",
         "device=1:drop=1,device=2:stop-after=100:resume-after=5"},
        // The same key again keeps the last value; device items for one address add up.
        {"drop=0.1,drop=0.2", "drop=0.2"},
        {"device=3:drop=0.5,device=3:crc=1", "device=3:drop=0.5:crc=1"},
        {"DROP=1,Device=4:Delay=0", "drop=1,device=4:delay=0"},
        {"drop=1e-2", "drop=0.01"},
        {"delay=0-60000", "delay=0-60000"},
    };
    for (const GoodCase& c : cases) {
        TEmulatorFaults f;
        QString error;
        ASSERT_TRUE(ParseEmulatorFaults(QString::fromUtf8(c.text), f, error))
            << c.text << ": " << error.toStdString();
        EXPECT_TRUE(error.isEmpty());
        const QString text = EmulatorFaultsText(f);
        EXPECT_EQ(text.toStdString(), c.normalised) << c.text;
        TEmulatorFaults again;
        ASSERT_TRUE(ParseEmulatorFaults(text, again, error)) << text.toStdString();
        EXPECT_EQ(again, f) << c.text;
    }
}

struct BadCase {
    const char* text;
    const char* named; // the part the message must name
};

TEST(EmulatorFaultsText, BadTextsNameTheBadPartAndChangeNothing) {
    const BadCase cases[] = {
        {"drop=1.5", "drop=1.5"},
        {"drop=-0.1", "drop=-0.1"},
        {"drop=nan", "drop=nan"},
        {"drop=", "drop="},
        {"drop", "drop"},
        {"crc=x", "crc=x"},
        {"delay=40-5", "delay=40-5"},
        {"delay=-5", "delay=-5"},
        {"delay=60001", "delay=60001"},
        {"delay=5-", "delay=5-"},
        {"delay=0x10", "delay=0x10"},
        {"split=3", "split=3"},
        {"split=0@5", "split=0@5"},
        {"split=3@", "split=3@"},
        {"garbage=65", "garbage=65"},
        {"stop-after=-1", "stop-after=-1"},
        {"wrong-address=2", "wrong-address=2"},
        {"jitter=5", "jitter=5"},
        {"drop=0.1,,crc=0.1", "empty item"},
        {"drop=0.1,", "empty item"},
        {"device=0:drop=1", "device=0:drop=1"},
        {"device=256:drop=1", "device=256:drop=1"},
        {"device=x:drop=1", "device=x:drop=1"},
        {"device=2", "device=2"},
        {"device=2:drop=2", "bad fault \"drop=2\": a probability is 0 to 1 (in \"device=2:drop=2\")"},
        {"device=2:device=3:drop=1", "device=3"},
    };
    for (const BadCase& c : cases) {
        TEmulatorFaults f;
        f.Bus.Drop = 0.25; // stays as it was
        QString error;
        QString part;
        EXPECT_FALSE(ParseEmulatorFaults(QString::fromUtf8(c.text), f, error, &part)) << c.text;
        // The bad part alone, for the window's own message.
        EXPECT_FALSE(part.isEmpty()) << c.text;
        EXPECT_TRUE(QString::fromUtf8(c.text).contains(part)) << c.text << " -> " << part.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.named))) << c.text << " -> " << error.toStdString();
        EXPECT_EQ(f.Bus.Drop, 0.25) << c.text;
    }
}

TEST(EmulatorFaultsText, ADeviceKeyReplacesOnlyThatKeyOfTheBus) {
    TEmulatorFaults f;
    QString error;
    ASSERT_TRUE(ParseEmulatorFaults(QStringLiteral("drop=0.5,delay=10,device=2:drop=0,device=3:split=2@1"), f,
                                    error));
    EXPECT_EQ(f.For(1).Drop, 0.5);
    EXPECT_EQ(f.For(2).Drop, 0.0);
    EXPECT_EQ(f.For(2).DelayMax, 10);
    EXPECT_EQ(f.For(3).Drop, 0.5);
    EXPECT_EQ(f.For(3).SplitAt, 2);
    EXPECT_EQ(f.For(1).SplitAt, 0);
    EXPECT_TRUE(f.Any());
    ASSERT_TRUE(ParseEmulatorFaults(QStringLiteral("drop=0,device=9:delay=0"), f, error));
    EXPECT_FALSE(f.Any());
}

TEST(FaultSeed, DecimalOrHexadecimalUpTo64Bits) {
    quint64 seed = 0;
    EXPECT_TRUE(ParseFaultSeed(QStringLiteral(" 18446744073709551615 "), seed));
    EXPECT_EQ(seed, 18446744073709551615ull);
    EXPECT_TRUE(ParseFaultSeed(QStringLiteral("0"), seed));
    EXPECT_EQ(seed, 0u);
    EXPECT_TRUE(ParseFaultSeed(QStringLiteral("0xFFFFFFFFFFFFFFFF"), seed));
    EXPECT_EQ(seed, 18446744073709551615ull);
    EXPECT_TRUE(ParseFaultSeed(QStringLiteral("0x10"), seed));
    EXPECT_EQ(seed, 16u);
    for (const char* bad :
         {"", "-1", "+1", "18446744073709551616", "0x10000000000000000", "0x", "1e3", "12a", "0x-1"})
        EXPECT_FALSE(ParseFaultSeed(QString::fromLatin1(bad), seed)) << bad;
}

QByteArray Answer(quint8 address) {
    QByteArray a = QByteArray::fromHex("000304000000000000");
    a[0] = char(address);
    PutCrc16(reinterpret_cast<quint8*>(a.data()), 7);
    return a;
}

std::vector<TFaultPlan> Plans(const QString& Text, quint64 Seed, int Count, int Address = 1) {
    TEmulatorFaults f;
    QString error;
    EXPECT_TRUE(ParseEmulatorFaults(Text, f, error)) << error.toStdString();
    TFaultPlanner planner;
    planner.Reset(f, Seed);
    std::vector<TFaultPlan> plans;
    for (int i = 0; i < Count; ++i)
        plans.push_back(planner.Plan(Address, Answer(quint8(Address))));
    return plans;
}

QString Outcome(const std::vector<TFaultPlan>& Plans) {
    QString s;
    for (const TFaultPlan& p : Plans)
        s += p.Drop ? QStringLiteral("-")
                    : QStringLiteral("%1,%2;").arg(p.Delay).arg(QString::fromLatin1(p.Bytes.toHex()));
    return s;
}

TEST(FaultPlanner, TheSameSeedGivesTheSameFaults) {
    const QString text = QStringLiteral("delay=1-50,drop=0.3,crc=0.2,garbage=2,wrong-address=0.1");
    const QString a = Outcome(Plans(text, 42, 300));
    EXPECT_EQ(a, Outcome(Plans(text, 42, 300)));
    EXPECT_NE(a, Outcome(Plans(text, 43, 300)));
    // Roughly the probabilities asked for.
    const auto plans = Plans(text, 7, 2000);
    int answered = 0, badCrc = 0, wrong = 0;
    for (const TFaultPlan& p : plans) {
        if (p.Drop)
            continue;
        ++answered;
        ASSERT_EQ(p.Bytes.size(), 11);
        const QByteArray frame = p.Bytes.mid(2);
        if (Crc16(reinterpret_cast<const quint8*>(frame.constData()), 9) != 0)
            ++badCrc;
        if (frame[0] != char(1))
            ++wrong;
        EXPECT_GE(p.Delay, 1);
        EXPECT_LE(p.Delay, 50);
    }
    EXPECT_NEAR(double(2000 - answered) / 2000, 0.3, 0.05);
    EXPECT_NEAR(double(badCrc) / answered, 0.2, 0.05);
    EXPECT_NEAR(double(wrong) / answered, 0.1, 0.04);
}

TEST(FaultPlanner, EachFaultShapesTheAnswer) {
    const QByteArray clean = Answer(1);
    auto one = [](const char* text) { return Plans(QString::fromLatin1(text), 1, 1).front(); };

    TFaultPlan p = one("");
    EXPECT_FALSE(p.Drop);
    EXPECT_EQ(p.Bytes, clean);
    EXPECT_EQ(p.Delay, 0);
    EXPECT_EQ(p.SplitAt, 0);

    EXPECT_EQ(one("delay=25").Delay, 25);
    EXPECT_TRUE(one("drop=1").Drop);

    p = one("crc=1");
    EXPECT_EQ(p.Bytes.left(7), clean.left(7));
    EXPECT_NE(p.Bytes, clean);

    p = one("wrong-address=1");
    EXPECT_EQ(quint8(p.Bytes[0]), 2);
    EXPECT_EQ(Crc16(reinterpret_cast<const quint8*>(p.Bytes.constData()), 9), 0);
    EXPECT_EQ(p.Bytes.mid(1, 6), clean.mid(1, 6));

    p = one("garbage=5");
    EXPECT_EQ(p.Bytes.size(), 14);
    EXPECT_EQ(p.Bytes.right(9), clean);

    p = one("split=3@8");
    EXPECT_EQ(p.SplitAt, 3);
    EXPECT_EQ(p.SplitGap, 8);
    EXPECT_EQ(p.Bytes, clean);
    EXPECT_EQ(one("split=9@8").SplitAt, 0); // nothing left for a second piece
}

TEST(FaultPlanner, StopAfterCountsEachDeviceAndResumes) {
    TEmulatorFaults f;
    QString error;
    ASSERT_TRUE(
        ParseEmulatorFaults(QStringLiteral("stop-after=2,resume-after=3,device=2:resume-after=0"), f, error));
    TFaultPlanner planner;
    planner.Reset(f, 1);
    QString one, two;
    for (int i = 0; i < 8; ++i) {
        one += planner.Plan(1, Answer(1)).Drop ? '-' : 'a';
        two += planner.Plan(2, Answer(2)).Drop ? '-' : 'a';
    }
    EXPECT_EQ(one, QStringLiteral("aa---aaa"));
    EXPECT_EQ(two, QStringLiteral("aa------"));
    EXPECT_TRUE(planner.Plan(2, Answer(2)).Stopped);
    planner.Reset(f, 1); // counting starts again
    EXPECT_FALSE(planner.Plan(2, Answer(2)).Drop);
}

TEST(EmulatorDeviceStats, MinMedianMax) {
    TEmulatorDeviceStats s;
    EXPECT_EQ(s.MedianTime(), 0);
    for (qint64 t : {500, 100, 300, 300, 9000})
        s.AddTime(t);
    EXPECT_EQ(s.MinTime(), 100);
    EXPECT_EQ(s.MedianTime(), 300);
    EXPECT_EQ(s.MaxTime(), 9000);
    s.AddTime(50);
    EXPECT_EQ(s.MedianTime(), 300); // the lower middle of six
    s.Received = 7;
    s.Answered = 6;
    s.Dropped = 1;
    EXPECT_EQ(EmulatorStatsText(s).toStdString(),
              "received 7, answered 6, dropped 1, refused 0, answer time min/median/max 0.1/0.3/9.0 ms");
}

} // namespace
