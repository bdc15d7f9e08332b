#include "platform/ProcessTimer.h"

#include "platform/Ticks.h"

#include <QCoreApplication>
#include <QStringList>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Runs the event loop until Done or a generous safety limit; the limit only keeps a broken timer
// from hanging the suite, no assertion depends on how long anything took.
template <class Pred> bool RunUntil(Pred Done, int LimitMs = 5000) {
    const quint64 start = TickCount();
    while (!Done()) {
        if (TickCount() - start > quint64(LimitMs))
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        SleepMs(1);
    }
    return true;
}

// What an exchange does while it waits for an answer: lets events run for a while.
void WaitLikeAnExchange(int Rounds) {
    for (int i = 0; i < Rounds; ++i) {
        QCoreApplication::processEvents();
        SleepMs(1);
    }
}

TEST(ProcessTimer, TicksNeverOverlapEvenWhenTheHandlerLetsEventsRun) {
    TProcessTimer timer;
    timer.SetInterval(0);
    timer.Pause = [](int) {};
    int depth = 0, ticks = 0, stops = 0;
    bool overlapped = false;
    timer.OnStop = [&] { ++stops; };
    timer.OnTimer = [&] {
        overlapped = overlapped || depth > 0;
        ++depth;
        ++ticks;
        EXPECT_TRUE(timer.InTick());
        WaitLikeAnExchange(20);
        if (ticks == 5)
            timer.Stop();
        --depth;
    };
    timer.Start();
    ASSERT_TRUE(RunUntil([&] { return stops == 1; }));
    WaitLikeAnExchange(20); // a stopped timer stays quiet
    EXPECT_FALSE(overlapped);
    EXPECT_EQ(ticks, 5);
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(timer.Running());
    EXPECT_FALSE(timer.InTick());
}

TEST(ProcessTimer, AStopFromInsideATickReportsOnceWhenTheTickEnds) {
    TProcessTimer timer;
    timer.SetInterval(0);
    QStringList log;
    timer.Pause = [&](int ms) { log << QStringLiteral("pause %1").arg(ms); };
    timer.OnStart = [&] { log << QStringLiteral("start"); };
    timer.OnStop = [&] { log << QStringLiteral("stop"); };
    timer.OnTimer = [&] {
        log << QStringLiteral("tick");
        timer.Stop();
        timer.Stop(); // a second stop changes nothing
        EXPECT_FALSE(timer.Running());
        log << QStringLiteral("tick ends");
    };
    timer.Start();
    ASSERT_TRUE(RunUntil([&] { return log.contains(QStringLiteral("stop")); }));
    WaitLikeAnExchange(10);
    EXPECT_EQ(log, (QStringList{"start", "tick", "tick ends", "stop"}));
}

TEST(ProcessTimer, AStopFromOutsidePausesThenReports) {
    TProcessTimer timer;
    timer.SetInterval(0);
    QStringList log;
    int ticks = 0;
    timer.Pause = [&](int ms) { log << QStringLiteral("pause %1").arg(ms); };
    timer.OnStop = [&] { log << QStringLiteral("stop"); };
    timer.OnTimer = [&] { ++ticks; };
    timer.Start();
    timer.Start(); // running already: no second start
    ASSERT_TRUE(RunUntil([&] { return ticks >= 3; }));
    timer.Stop();
    EXPECT_EQ(log, (QStringList{"pause 200", "stop"}));
    const int stoppedAt = ticks;
    WaitLikeAnExchange(20);
    EXPECT_EQ(ticks, stoppedAt);
    timer.Stop(); // stopped already: nothing
    EXPECT_EQ(log.size(), 2);
}

TEST(ProcessTimer, TheStopPauseLetsEventsRun) {
    TProcessTimer timer;
    timer.SetInterval(1000);
    bool posted = false, postedBeforeStop = false;
    timer.OnStop = [&] { postedBeforeStop = posted; };
    timer.Start();
    QMetaObject::invokeMethod(
        &timer, [&] { posted = true; }, Qt::QueuedConnection);
    timer.Stop();
    EXPECT_TRUE(postedBeforeStop);
}

TEST(ProcessTimer, AStopWhileATickWaitsIsReportedWhenTheTickEnds) {
    // The owner closes while the tick's exchange waits: the stop arrives from an event the tick let
    // run. OnStop must come once, after the tick, not in the middle of it.
    TProcessTimer timer;
    timer.SetInterval(0);
    QStringList log;
    timer.Pause = [&](int) { log << QStringLiteral("pause"); };
    timer.OnStop = [&] { log << QStringLiteral("stop"); };
    timer.OnTimer = [&] {
        log << QStringLiteral("tick");
        QMetaObject::invokeMethod(
            &timer, [&] { timer.Stop(); }, Qt::QueuedConnection);
        WaitLikeAnExchange(10);
        log << QStringLiteral("tick ends");
    };
    timer.Start();
    ASSERT_TRUE(RunUntil([&] { return log.contains(QStringLiteral("stop")); }));
    EXPECT_EQ(log, (QStringList{"tick", "tick ends", "stop"}));
}

TEST(ProcessTimer, ARestartInsideTheTickKeepsTickingWithoutOverlap) {
    TProcessTimer timer;
    timer.SetInterval(0);
    timer.Pause = [](int) {};
    QStringList log;
    int ticks = 0, depth = 0;
    bool overlapped = false;
    timer.OnStart = [&] { log << QStringLiteral("start"); };
    timer.OnStop = [&] { log << QStringLiteral("stop"); };
    timer.OnTimer = [&] {
        overlapped = overlapped || depth > 0;
        ++depth;
        ++ticks;
        if (ticks == 1) {
            timer.Stop();
            timer.Start();
            WaitLikeAnExchange(10); // started again, yet no tick may come in here
        }
        if (ticks == 3)
            timer.Stop();
        --depth;
    };
    timer.Start();
    ASSERT_TRUE(RunUntil([&] { return ticks == 3 && !timer.InTick(); }));
    WaitLikeAnExchange(10);
    EXPECT_FALSE(overlapped);
    EXPECT_EQ(ticks, 3);
    // Each run ends with its own stop.
    EXPECT_EQ(log, (QStringList{"start", "stop", "start", "stop"}));
}

TEST(ProcessTimer, ARestartDuringTheStopPauseIsNotReportedAsStopped) {
    TProcessTimer timer;
    timer.SetInterval(1000);
    int stops = 0, starts = 0;
    timer.OnStart = [&] { ++starts; };
    timer.OnStop = [&] { ++stops; };
    timer.Pause = [&](int) { timer.Start(); };
    timer.Start();
    timer.Stop();
    EXPECT_TRUE(timer.Running());
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(stops, 0);
}

TEST(ProcessTimer, AThrowingHandlerEndsOnlyItsOwnTick) {
    TProcessTimer timer;
    timer.SetInterval(0);
    timer.Pause = [](int) {};
    int ticks = 0;
    timer.OnTimer = [&] {
        if (++ticks == 1)
            throw std::runtime_error("device gone");
    };
    timer.Start();
    ASSERT_TRUE(RunUntil([&] { return ticks >= 3; }));
    EXPECT_TRUE(timer.Running());
    EXPECT_FALSE(timer.InTick());
    timer.Stop();
}

TEST(ProcessTimer, DestroyedWhileRunningCallsNothing) {
    int stops = 0;
    {
        TProcessTimer timer;
        timer.SetInterval(0);
        timer.OnStop = [&] { ++stops; };
        timer.Start();
    }
    WaitLikeAnExchange(5);
    EXPECT_EQ(stops, 0);
}

} // namespace
