#pragma once

#include <QtGlobal>

// The connection test's rhythm: a row chosen in the list is tested on every timer tick once the
// choice has stood for 500 ms; choosing another row, or none, starts over.
class TConnectionTestMachine {
public:
    enum TState { tsIdle, tsWaiting, tsTesting };
    static constexpr quint64 kSettleMs = 500;

    // One timer tick with the row selected now (-1: none) at monotonic time Now. True when this
    // tick runs one test transaction on Row().
    bool Tick(int Selected, quint64 Now);

    TState State() const { return FState; }
    int Row() const { return FRow; }

private:
    TState FState = tsIdle;
    int FRow = -1;
    quint64 FSince = 0;
};
