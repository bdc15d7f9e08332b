#pragma once

// Marks an exchange as running for its lifetime. Exchanges process window events while they wait, so
// a timer or button handler can try to start a second one on the same bus or module; that nested
// call must fail at once instead of purging the line and overwriting the frame under the first.
class TExchangeGuard {
public:
    explicit TExchangeGuard(bool& busy) : FBusy(busy), FAcquired(!busy) {
        if (FAcquired)
            FBusy = true;
    }
    ~TExchangeGuard() {
        if (FAcquired)
            FBusy = false;
    }
    TExchangeGuard(const TExchangeGuard&) = delete;
    TExchangeGuard& operator=(const TExchangeGuard&) = delete;

    // False when another exchange was already running: the caller must give up without any I/O.
    bool Acquired() const { return FAcquired; }

private:
    bool& FBusy;
    bool FAcquired;
};
