#pragma once

// While alive, SIGINT and SIGTERM do not end the process but ask the running command to stop: the
// handler only writes a byte to a pipe, which the command watches (an event-loop notifier, or a
// bounded wait between polled reads). The previous handlers come back on destruction.
class TCliStopSignals {
public:
    TCliStopSignals();
    ~TCliStopSignals();
    TCliStopSignals(const TCliStopSignals&) = delete;
    TCliStopSignals& operator=(const TCliStopSignals&) = delete;

    bool Ok() const { return FOk; }
    // The pipe's read end: readable once a stop was asked for.
    int Handle() const;
    bool Stopped() const { return WaitForStop(0); }
    // Waits up to Ms for a stop; true when one was asked for.
    bool WaitForStop(int Ms) const;

private:
    bool FOk = false;
};

// While alive, SIGUSR1 asks the running command to print its statistics: the handler writes a byte
// to a pipe of its own, which the command watches with an event-loop notifier and drains.
class TCliStatsSignal {
public:
    TCliStatsSignal();
    ~TCliStatsSignal();
    TCliStatsSignal(const TCliStatsSignal&) = delete;
    TCliStatsSignal& operator=(const TCliStatsSignal&) = delete;

    bool Ok() const { return FOk; }
    int Handle() const;
    // Empties the pipe: true when a signal had come.
    bool Take();

private:
    bool FOk = false;
};
