#pragma once

#include "emulator/NerixRequest.h"

#include <QtGlobal>
#include <atomic>
#include <functional>
#include <optional>

class TVirtualDevice;

// What an emulated channel is; the instrument windows pick channels by it.
enum TVirtualChannelKind : quint8 {
    vkSystem = 0,
    vkAnalogInput = 1,
    vkAnalogOutput = 2,
    vkDiscreteInput = 3,
    vkDiscreteOutput = 4,
    vkAuxiliary = 5, // a manager or controller object, not a channel of the device
};

// The base of every channel of an emulated device. A channel answers register reads and writes of
// its number on the bus, holds a simulated physical input that the instrument windows set, and an
// output: a float for analog inputs, the written 32 bits for analog outputs, the state of discrete
// channels. A refused request changes nothing and is not answered.
class TCustomVirtualChannel {
public:
    TCustomVirtualChannel(TVirtualDevice* Device, quint8 Number, TVirtualChannelKind Kind);
    virtual ~TCustomVirtualChannel();
    TCustomVirtualChannel(const TCustomVirtualChannel&) = delete;
    TCustomVirtualChannel& operator=(const TCustomVirtualChannel&) = delete;

    TVirtualDevice* Device() const { return FDevice; }
    quint8 Number() const { return FNumber; }
    TVirtualChannelKind Kind() const { return FKind; }

    float Input() const { return FInput; }
    // Stores X as the input, then lets OnInputChange work out what the channel makes of it.
    void SetInput(float X);
    // The output word; the sequence thread of a discrete output writes it while the window thread
    // reads it, so it is one atomic 32-bit word.
    quint32 Output() const { return FOutput.load(); }
    float OutputAsFloat() const;

    // Working settings to the flash copy, and back.
    virtual void Store() {}
    virtual void Restore() {}
    // Serves the request when every check passes. The base asks ReadRegister or WriteRegister.
    virtual bool Process(TNerixRequest& Request);

    // Called by SetInput; the analog and discrete inputs attach their own rule at creation.
    std::function<void()> OnInputChange;

protected:
    // The register's value for a read; nothing refuses the read.
    virtual std::optional<quint32> ReadRegister(quint16 Register) { return std::nullopt; }
    // Takes a written value; false refuses the write.
    virtual bool WriteRegister(quint16 Register, quint32 Value) { return false; }

    void SetOutput(quint32 Value) { FOutput.store(Value); }
    void SetOutputFloat(float Value);
    // A served write changed a setting that Store keeps: the device now differs from its flash.
    void MarkSettingsChanged();

    std::atomic<quint32> FOutput{0};

private:
    TVirtualDevice* FDevice;
    quint8 FNumber;
    TVirtualChannelKind FKind;
    float FInput = 0;
};

// Channel 0 of every device: identity, bus address and the service registers. The serial number
// and the channel mask are protected: each write needs the unlock code written to register 15
// right before it.
class TVirtualSystemChannel : public TCustomVirtualChannel {
public:
    TVirtualSystemChannel(TVirtualDevice* Device, quint32 TypeCode, quint32 ChannelMask);

    quint32 TypeCode() const { return FTypeCode; }
    quint8 Address() const { return FAddress; }
    void SetAddress(quint8 Value) { FAddress = Value; }
    quint32 SerialNumber() const { return FSerialNumber; }
    void SetSerialNumber(quint32 Value) { FSerialNumber = Value; }
    quint32 ChannelMask() const { return FChannelMask; }
    quint32 UnlockSlot() const { return FUnlockSlot; }

    // Whether the slot holds the unlock code. The slot is cleared by every check, passed or not,
    // so one unlock opens exactly one protected write.
    bool UnlockCheck();

    // The firmware version word every emulated device reports (register 100): 2024.03.18, build 2.
    static constexpr quint32 kFirmwareVersion = 0x00520318;
    // The device's clock (register 102): seconds, counting from 0 at creation or from the last
    // value written, on the monotonic clock.
    quint32 MachineTime() const;
    void SetMachineTime(quint32 Seconds);

    // Bound by the device to its own Store and Restore (registers 5 and 6).
    std::function<void()> OnStore;
    std::function<void()> OnRestore;

protected:
    std::optional<quint32> ReadRegister(quint16 Register) override;
    bool WriteRegister(quint16 Register, quint32 Value) override;

private:
    quint32 FTypeCode;
    quint8 FAddress = 0;
    quint32 FSerialNumber = 0;
    quint32 FChannelMask;
    quint32 FUnlockSlot = 0;
    quint32 FMachineTimeSet = 0;   // the clock's value at FMachineTimeSetAt
    quint64 FMachineTimeSetAt = 0; // monotonic milliseconds
};
