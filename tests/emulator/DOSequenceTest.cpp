#include "EmulatorRequests.h"

#include "emulator/DOSequenceThread.h"
#include "emulator/VirtualDiscreteChannels.h"
#include "model/ZUVOModule.h"
#include "platform/Ticks.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Polls until Done or TimeoutMs have passed; whether Done came true.
bool WaitUntil(const std::function<bool()>& Done, quint64 TimeoutMs) {
    const quint64 start = TickCount();
    while (!Done()) {
        if (TickCount() - start > TimeoutMs)
            return false;
        SleepMs(1);
    }
    return true;
}

// Steps and durations (in 100 ms) of output Channel of the device at address 1.
void SetSequence(TVirtualDeviceManager& m, quint8 Channel, quint8 StartState,
                 const std::vector<quint16>& Durations) {
    ASSERT_TRUE(WriteReg(m, 1, Channel, 5, StartState));
    ASSERT_TRUE(WriteReg(m, 1, Channel, 6, quint32(Durations.size())));
    for (size_t i = 0; i < Durations.size(); ++i) {
        ASSERT_TRUE(WriteReg(m, 1, Channel, 7, quint32(i)));
        ASSERT_TRUE(WriteReg(m, 1, Channel, 8, Durations[i]));
    }
}

struct TChange {
    quint64 Ms; // since the sequence was started
    quint32 State;
};

// Watches register 0 through the bus, as a client would, and notes every change of the state until
// Count changes have been seen and the state then held for QuietMs, or TimeoutMs have passed.
std::vector<TChange> WatchState(TVirtualDeviceManager& m, quint8 Channel, quint64 Start, quint32 Initial,
                                size_t Count, quint64 QuietMs, quint64 TimeoutMs) {
    std::vector<TChange> changes;
    quint32 last = Initial;
    for (;;) {
        const quint64 now = TickCount() - Start;
        if (now > TimeoutMs || (changes.size() >= Count && now - changes.back().Ms > QuietMs))
            break;
        const std::optional<quint32> state = ReadReg(m, 1, Channel, 0);
        if (!state)
            break;
        if (*state != last) {
            changes.push_back({now, *state});
            last = *state;
        }
        SleepMs(2);
    }
    return changes;
}

TEST(DOSequence, StatePassesThroughTheStepsThenHolds) {
    TVirtualDeviceManager m;
    m.AddDevices(8, 1);
    SetSequence(m, 2, 1, {3, 3, 3});
    const auto* channel = static_cast<const TVirtualDOChannel*>(m.DeviceAt(0)->ChannelAt(1));

    const quint64 start = TickCount();
    ASSERT_TRUE(WriteReg(m, 1, 2, 4, 0));
    const std::vector<TChange> changes = WatchState(m, 2, start, 0, 4, 500, 6000);

    // The start state at once, then a toggle at the end of each 300 ms step. The lower bounds are
    // strict (a step never ends early); the upper ones leave room for a busy machine.
    ASSERT_EQ(changes.size(), 4u);
    const quint32 states[] = {1, 0, 1, 0};
    for (size_t k = 0; k < 4; ++k)
        EXPECT_EQ(changes[k].State, states[k]) << k;
    EXPECT_LT(changes[0].Ms, 300u);
    for (size_t k = 1; k < 4; ++k) {
        EXPECT_GE(changes[k].Ms + 3, 300 * k) << k;
        EXPECT_LE(changes[k].Ms, 300 * k + 1000) << k;
    }

    // Finished, but still in sequence mode: the settings stay closed until the state is written.
    ASSERT_NE(channel->SequenceThread(), nullptr);
    EXPECT_TRUE(channel->SequenceThread()->Finished());
    EXPECT_EQ(ReadReg(m, 1, 2, 4), 1u);
    EXPECT_FALSE(WriteReg(m, 1, 2, 5, 0));
    EXPECT_FALSE(WriteReg(m, 1, 2, 6, 1));
    EXPECT_FALSE(WriteReg(m, 1, 2, 8, 1));
    EXPECT_TRUE(WriteReg(m, 1, 2, 7, 1));
    EXPECT_EQ(ReadReg(m, 1, 2, 8), 3u);

    EXPECT_TRUE(WriteReg(m, 1, 2, 0, 1));
    EXPECT_EQ(ReadReg(m, 1, 2, 4), 0u);
    EXPECT_EQ(channel->SequenceThread(), nullptr);
    EXPECT_TRUE(WriteReg(m, 1, 2, 5, 0));
    EXPECT_EQ(ReadReg(m, 1, 2, 0), 1u);
}

TEST(DOSequence, WritingTheStateStopsARunningSequencePromptly) {
    TVirtualDeviceManager m;
    m.AddDevices(7, 1);
    SetSequence(m, 3, 1, {100, 100}); // ten seconds a step
    ASSERT_TRUE(WriteReg(m, 1, 3, 4, 0));
    ASSERT_TRUE(WaitUntil([&] { return ReadReg(m, 1, 3, 0) == 1u; }, 2000));

    const quint64 start = TickCount();
    ASSERT_TRUE(WriteReg(m, 1, 3, 0, 0));
    EXPECT_LT(TickCount() - start, 1000u);
    EXPECT_EQ(ReadReg(m, 1, 3, 0), 0u);
    EXPECT_EQ(ReadReg(m, 1, 3, 4), 0u);
    EXPECT_EQ(static_cast<const TVirtualDOChannel*>(m.DeviceAt(0)->ChannelAt(2))->SequenceThread(), nullptr);
}

// A sequence plays what was set when it started: restoring the flash copy (or storing) meanwhile
// changes the channel's settings, not the running sequence, and does not race with it.
TEST(DOSequence, RestoreAndStoreWhileASequenceRuns) {
    TVirtualDeviceManager m;
    m.AddDevices(17, 1);
    SetSequence(m, 5, 1, {2, 2});
    SetSequence(m, 6, 0, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    ASSERT_TRUE(WriteReg(m, 1, 6, 4, 0));
    const quint64 start = TickCount();
    ASSERT_TRUE(WriteReg(m, 1, 5, 4, 0));
    ASSERT_TRUE(WriteReg(m, 1, 0, spRestoreFromFlash, 0));
    EXPECT_EQ(ReadReg(m, 1, 5, 6), 0u); // the flash copy has no steps

    // Meanwhile the other sequence runs on while the settings are stored and restored under it.
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(WriteReg(m, 1, 0, i % 2 ? spSaveToFlash : spRestoreFromFlash, 0));
        ASSERT_TRUE(ReadReg(m, 1, 6, 0));
        SleepMs(5);
    }
    const std::vector<TChange> changes = WatchState(m, 5, start, 0, 3, 300, 5000);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].State, 1u);
    EXPECT_EQ(changes[1].State, 0u);
    EXPECT_EQ(changes[2].State, 1u);
    EXPECT_GE(changes[2].Ms + 3, 400u);

    // Starting again while running replaces the sequence; the new one starts from the start state.
    ASSERT_TRUE(WriteReg(m, 1, 6, 4, 0));
    ASSERT_TRUE(WaitUntil([&] { return ReadReg(m, 1, 6, 4) == 1u; }, 1000));
}

TEST(DOSequence, FreeingDevicesStopsTheirSequences) {
    TVirtualDeviceManager m;
    m.AddDevices(17, 3);
    for (quint8 address = 1; address <= 3; ++address)
        for (quint8 channel = 1; channel <= 12; ++channel) {
            ASSERT_TRUE(WriteReg(m, address, channel, 6, 1));
            ASSERT_TRUE(WriteReg(m, address, channel, 8, 600)); // a minute
            ASSERT_TRUE(WriteReg(m, address, channel, 4, 0));
        }
    const quint64 start = TickCount();
    m.ClearDevices();
    EXPECT_LT(TickCount() - start, 3000u);
    EXPECT_EQ(m.DeviceCount(), 0);

    // The manager's own end stops what still runs.
    auto other = std::make_unique<TVirtualDeviceManager>();
    other->AddDevices(8, 1);
    ASSERT_TRUE(WriteReg(*other, 1, 1, 6, 1));
    ASSERT_TRUE(WriteReg(*other, 1, 1, 8, 600));
    ASSERT_TRUE(WriteReg(*other, 1, 1, 4, 0));
    other.reset();
}

TEST(DOSequenceThread, RunsOnlyWhenStartedAndTogglesOnceWhenTerminated) {
    std::atomic<quint32> state{7};
    TDOSequenceThread::TDurations durations{};
    durations[0] = 100;
    {
        TDOSequenceThread idle(state, 0, 1, durations);
        idle.WaitFor();
        EXPECT_FALSE(idle.Finished());
        EXPECT_EQ(state.load(), 7u);
    }
    EXPECT_EQ(state.load(), 7u);

    {
        TDOSequenceThread empty(state, 0, 0, durations);
        empty.Start();
        empty.WaitFor();
        EXPECT_TRUE(empty.Finished());
        EXPECT_EQ(state.load(), 0u);
        empty.Start(); // a finished thread does not run again
        EXPECT_EQ(state.load(), 0u);
    }

    TDOSequenceThread waiting(state, 1, 3, durations);
    waiting.Start();
    ASSERT_TRUE(WaitUntil([&] { return state.load() == 1u; }, 2000));
    const quint64 start = TickCount();
    waiting.Terminate();
    waiting.WaitFor();
    EXPECT_LT(TickCount() - start, 1000u);
    EXPECT_TRUE(waiting.Finished());
    EXPECT_TRUE(waiting.Terminated());
    EXPECT_EQ(state.load(), 0u);
}

} // namespace
