#pragma once

class QIODevice;

// How long one blocking wait of a synchronous exchange may last before pending events get their turn.
// Short enough for the window to feel immediate, long enough not to burn a core.
inline constexpr int kWaitSliceMs = 5;

enum class TIoWait { Read, Write };

// Lets queued window events (timers, paints, clicks) run; does nothing without an application object,
// nor when events were processed less than a millisecond ago. Window thread only.
void ProcessPendingEvents();

// One step of a synchronous wait: blocks until `device` has input (or has written pending output), or
// for at most min(maxMs, kWaitSliceMs) milliseconds, then processes pending events when asked to.
// Every exchange that waits on a port or socket loops over this, so no caller spins.
void WaitForDevice(QIODevice& device, TIoWait what, int maxMs, bool processEvents = true);

// Waits about `ms` milliseconds while pending events keep running, in slices short enough that the
// window stays alive and no core is burnt. Without an application object it simply sleeps.
void PauseProcessingEvents(int ms);
