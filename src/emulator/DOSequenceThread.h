#pragma once

#include <QtGlobal>
#include <array>
#include <atomic>
#include <thread>

// Plays the pulse sequence of one emulated discrete output: the state starts at the start state
// and toggles at the end of every step. The thread works on a copy of the sequence taken when it
// is made, so that the window thread may change or restore the channel's settings meanwhile; the
// only thing the two threads share is the channel's state word, which is atomic.
class TDOSequenceThread {
public:
    static constexpr int kMaxSteps = 15;
    static constexpr int kTickMs = 100; // the unit of a step's duration
    static constexpr int kPollMs = 10;  // how often a waiting step looks for Terminate
    using TDurations = std::array<quint16, kMaxSteps>;

    // Made suspended: nothing runs before Start.
    TDOSequenceThread(std::atomic<quint32>& State, quint8 StartState, quint8 Steps,
                      const TDurations& Durations);
    // Terminates the thread and waits for it.
    ~TDOSequenceThread();
    TDOSequenceThread(const TDOSequenceThread&) = delete;
    TDOSequenceThread& operator=(const TDOSequenceThread&) = delete;

    // Runs Execute on its own thread; a second call does nothing.
    void Start();
    // Asks the thread to end; a step that is waiting ends its wait, toggles once more and stops.
    void Terminate() { FTerminated.store(true); }
    // Until the thread has ended (at once when it never started).
    void WaitFor();
    bool Terminated() const { return FTerminated.load(); }
    // Execute has returned.
    bool Finished() const { return FFinished.load(); }

private:
    void Execute();

    std::atomic<quint32>& FState;
    const quint8 FStartState;
    const quint8 FSteps;
    const TDurations FDurations;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::thread FThread;
};
