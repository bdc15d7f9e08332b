#pragma once

#include <QtGlobal>

// Milliseconds on a monotonic clock since the first call in this process. Pacing and time-outs are
// measured with it, never with wall-clock time, which may jump.
quint64 TickCount();

// Sleeps the calling thread without processing events.
void SleepMs(int ms);
