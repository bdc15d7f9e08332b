#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// A periodic timer of the window thread that pauses itself while its handler runs. Handlers talk to
// devices, and an exchange lets events run while it waits, so a plain timer would fire again in the
// middle of its own tick; this one never does.
//
// Start (when stopped): OnStart, then ticks every Interval ms. Stop (when running): no further tick,
// a pause of kStopPauseMs with events running, then OnStop. A stop made while a tick runs (from its
// handler or from anything the handler's exchange lets run) reports OnStop once, when the tick ends.
// An exception thrown by OnTimer ends that tick and nothing else.
class TProcessTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int kStopPauseMs = 200;

    explicit TProcessTimer(QObject* parent = nullptr);
    // Stops ticking without any handler or pause: the owner is going away.
    ~TProcessTimer() override;

    int Interval() const { return FTimer.interval(); }
    void SetInterval(int Ms) { FTimer.setInterval(Ms); }
    bool Running() const { return FRunning; }
    // A tick's handler is running (possibly waiting for a device).
    bool InTick() const { return FInTick; }

    void Start();
    void Stop();

    std::function<void()> OnTimer;
    std::function<void()> OnStart;
    std::function<void()> OnStop;
    // How Stop pauses; waits while events are processed unless replaced.
    std::function<void(int Ms)> Pause;

private:
    void Tick();
    void FireStop();

    QTimer FTimer;
    bool FRunning = false;
    bool FInTick = false;
    // Stopped during the tick that is running: OnStop is owed when it ends.
    bool FStopOwed = false;
};
