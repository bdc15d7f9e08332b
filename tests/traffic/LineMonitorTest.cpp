// The line monitor's pairing, response times and the packages it keeps for saving.
#include "traffic/LineMonitor.h"
#include "support/ModbusFrames.h"
#include "support/NerixFrames.h"

#include <QJsonArray>
#include <gtest/gtest.h>

namespace {

struct TMonitorRig {
    explicit TMonitorRig(TTransferProtocol Protocol)
        : Monitor(Protocol, nullptr, QDateTime(QDate(2026, 12, 11), QTime(3, 0)), 0) {
        Monitor.SetKeepPackages(true);
        Monitor.OnFrame = [this](const TMonitorFrame& F) { Frames.push_back(F); };
    }
    void Feed(const QByteArray& Bytes, qint64 Ticks) {
        Monitor.Feed(reinterpret_cast<const quint8*>(Bytes.constData()), int(Bytes.size()), Ticks);
    }
    TLineMonitor Monitor;
    std::vector<TMonitorFrame> Frames;
};

} // namespace

TEST(LineMonitor, PairsAnswersAndMarksRequestsWithoutOne) {
    TMonitorRig rig(tpNerix);
    rig.Feed(NerixFrame(1, 0, 0, 1, 0), 1'000'000);
    rig.Feed(NerixFrame(1, 0, 0, 1, 1246), 5'550'000);
    rig.Feed(NerixFrame(7, 0, 0, 1, 0), 9'000'000);  // nobody answers
    rig.Feed(NerixFrame(7, 0, 0, 1, 0), 12'000'000); // the retry is taken as an answer of value 0
    rig.Feed(NerixFrame(8, 0, 0, 0, 0), 15'000'000);
    rig.Feed(NerixFrame(9, 0, 0, 0, 0), 16'000'000);
    ASSERT_EQ(rig.Frames.size(), 6u);
    EXPECT_FALSE(rig.Frames[0].Answer());
    EXPECT_EQ(rig.Frames[1].Request, 0);
    EXPECT_DOUBLE_EQ(rig.Frames[1].ResponseMs, 4.6);
    EXPECT_EQ(rig.Frames[1].Time, QDateTime(QDate(2026, 12, 11), QTime(3, 0, 0, 5)));
    EXPECT_EQ(rig.Frames[5].Unanswered, 4);
    EXPECT_EQ(rig.Monitor.UnansweredCount(), 1);
    EXPECT_EQ(rig.Monitor.AnswerCount(), 2);
    ASSERT_EQ(rig.Monitor.Packages().size(), 6u);
    EXPECT_EQ(rig.Monitor.Packages()[1].Direction, 1);
    EXPECT_EQ(rig.Monitor.Packages()[1].Ticks, 5'550'000);

    const QString text = TLineMonitor::FrameText(rig.Frames[1]);
    EXPECT_TRUE(text.startsWith(QLatin1String("03:00:00.005 #1 answer to #0 after 4.6 ms: 01 00 00 00 01")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("Data: 0x000004DE 1246"))) << text.toStdString();
    const QJsonObject json = TLineMonitor::FrameJson(rig.Frames[1]);
    EXPECT_EQ(json.value(QLatin1String("role")).toString(), QStringLiteral("answer"));
    EXPECT_EQ(json.value(QLatin1String("request")).toInt(), 0);
    EXPECT_TRUE(json.value(QLatin1String("crc_ok")).toBool());
    EXPECT_EQ(json.value(QLatin1String("nodes")).toArray().size(), 6);
}

TEST(LineMonitor, ModbusAnswerMustComeFromTheAskedDevice) {
    TMonitorRig rig(tpModbus);
    rig.Feed(WithCrc(QByteArray::fromHex("010301000002")), 0);
    rig.Feed(WithCrc(QByteArray::fromHex("0103043F800000")), 3'000'000);
    rig.Feed(WithCrc(QByteArray::fromHex("020301000002")), 4'000'000);
    rig.Feed(WithCrc(QByteArray::fromHex("0583")) + QByteArray::fromHex("02"), 5'000'000);
    rig.Monitor.Flush();
    ASSERT_EQ(rig.Frames.size(), 4u);
    EXPECT_EQ(rig.Frames[1].Request, 0);
    EXPECT_DOUBLE_EQ(rig.Frames[1].ResponseMs, 3.0);
    EXPECT_EQ(rig.Frames[1].Decoded.Nodes[1].Text, QStringLiteral("Function:[READ - Response]"));
    EXPECT_EQ(rig.Frames[2].Decoded.Nodes[2].Text, QStringLiteral("Initial register:  [0x0100]"));
    // Garbage is no answer to anything.
    EXPECT_EQ(rig.Frames[3].Request, -1);
    EXPECT_EQ(rig.Monitor.AnswerCount(), 1);
}
