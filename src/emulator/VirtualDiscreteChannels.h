#pragma once

#include "emulator/DOSequenceThread.h"
#include "emulator/VirtualChannel.h"

#include <QtGlobal>
#include <functional>
#include <memory>

// The settings of a discrete input that Store keeps in flash; the two thresholds are kept by the
// devices but reached by no register.
struct TVirtualDISettings {
    bool LineCheck = true;
    quint16 P = 0;
    float Reserved1 = 5.0f;
    float Reserved2 = 2.5f;

    bool operator==(const TVirtualDISettings&) const = default;
};

// An emulated discrete input. Its state follows the simulated input voltage when it is set:
// 1 for a closed contact (input <= 0.21), 2 for a broken line (input > 2.0 with line check on),
// 0 otherwise.
class TVirtualDIChannel : public TCustomVirtualChannel {
public:
    TVirtualDIChannel(TVirtualDevice* Device, quint8 Number);

    quint32 State() const { return Output(); }
    const TVirtualDISettings& Settings() const { return FSettings; }
    const TVirtualDISettings& FlashCopy() const { return FFlash; }

    void Store() override { FFlash = FSettings; }
    void Restore() override { FSettings = FFlash; }

protected:
    std::optional<quint32> ReadRegister(quint16 Register) override;
    bool WriteRegister(quint16 Register, quint32 Value) override;

private:
    void InputChanged();

    TVirtualDISettings FSettings;
    TVirtualDISettings FFlash;
};

// The settings of a discrete output that Store keeps in flash.
struct TVirtualDOSettings {
    bool Protected = false;
    quint8 StartState = 1;
    quint8 Steps = 0;                          // 0 .. 15
    TDOSequenceThread::TDurations Durations{}; // in units of 100 ms

    bool operator==(const TVirtualDOSettings&) const = default;
};

// An emulated discrete output. A protected output takes a write of its state or a sequence start
// only with the current write key in the value's upper 24 bits; every keyed attempt moves the key
// on, so a key can be used once. A started pulse sequence runs on its own thread.
class TVirtualDOChannel : public TCustomVirtualChannel {
public:
    static constexpr quint32 kInitialWriteKey = 0x6B3A2F00;
    static constexpr quint32 kWriteKeyStep = 0x2B5E1900;

    TVirtualDOChannel(TVirtualDevice* Device, quint8 Number);
    // Stops a running sequence first: the thread writes into this channel.
    ~TVirtualDOChannel() override;

    quint32 State() const { return Output(); }
    quint32 WriteKey() const { return FWriteKey; }
    quint8 SelectedStep() const { return FSelectedStep; }
    bool SequenceMode() const { return FSequenceMode; }
    // The thread of the last started sequence, running or finished; nothing when none is attached.
    const TDOSequenceThread* SequenceThread() const { return FSequence.get(); }
    const TVirtualDOSettings& Settings() const { return FSettings; }
    const TVirtualDOSettings& FlashCopy() const { return FFlash; }

    bool Protected() const { return FSettings.Protected; }
    // The manager's write: the state without a key, ending a sequence as a write of register 0 does.
    void Switch(bool On);
    void SetProtected(bool Value) { FSettings.Protected = Value; }

    void Store() override { FFlash = FSettings; }
    void Restore() override { FSettings = FFlash; }
    // Only operation 1 writes; other non-zero operations are refused here.
    bool Process(TNerixRequest& Request) override;

    // Bound by the device: spreads a written protection flag to every discrete output it has.
    std::function<void(bool Protected)> OnProtectionChange;

protected:
    std::optional<quint32> ReadRegister(quint16 Register) override;
    bool WriteRegister(quint16 Register, quint32 Value) override;

private:
    // The data of a keyed write: the value itself when unprotected; when protected the low byte,
    // and only when the rest of the value is the write key. The key moves on with every protected
    // attempt, matched or not.
    std::optional<quint32> Keyed(quint32 Value);
    // Terminates the sequence thread, waits for it and releases it.
    void StopSequence();
    void StartSequence();

    quint32 FWriteKey = kInitialWriteKey;
    quint8 FSelectedStep = 0;
    bool FSequenceMode = false;
    std::unique_ptr<TDOSequenceThread> FSequence;
    TVirtualDOSettings FSettings;
    TVirtualDOSettings FFlash;
};
