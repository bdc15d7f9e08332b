#include "emulator/VirtualChannel.h"

#include "emulator/VirtualDevice.h"
#include "model/ZUVOModule.h"
#include "platform/Ticks.h"

#include <bit>

TCustomVirtualChannel::TCustomVirtualChannel(TVirtualDevice* Device, quint8 Number, TVirtualChannelKind Kind)
    : FDevice(Device), FNumber(Number), FKind(Kind) {}

TCustomVirtualChannel::~TCustomVirtualChannel() = default;

void TCustomVirtualChannel::SetInput(float X) {
    FInput = X;
    if (OnInputChange)
        OnInputChange();
}

float TCustomVirtualChannel::OutputAsFloat() const {
    return std::bit_cast<float>(Output());
}

void TCustomVirtualChannel::SetOutputFloat(float Value) {
    SetOutput(std::bit_cast<quint32>(Value));
}

void TCustomVirtualChannel::MarkSettingsChanged() {
    if (FDevice)
        FDevice->SetSettingsChanged(true);
}

bool TCustomVirtualChannel::Process(TNerixRequest& Request) {
    if (Request.IsRead()) {
        const std::optional<quint32> value = ReadRegister(Request.Register);
        if (!value)
            return false;
        Request.Value = *value;
        return true;
    }
    return WriteRegister(Request.Register, Request.Value);
}

TVirtualSystemChannel::TVirtualSystemChannel(TVirtualDevice* Device, quint32 TypeCode, quint32 ChannelMask)
    : TCustomVirtualChannel(Device, 0, vkSystem), FTypeCode(TypeCode), FChannelMask(ChannelMask),
      FMachineTimeSetAt(TickCount()) {}

quint32 TVirtualSystemChannel::MachineTime() const {
    // Wraps at 32 bits as the device's own counter does.
    return quint32(FMachineTimeSet + (TickCount() - FMachineTimeSetAt) / 1000);
}

void TVirtualSystemChannel::SetMachineTime(quint32 Seconds) {
    FMachineTimeSet = Seconds;
    FMachineTimeSetAt = TickCount();
}

bool TVirtualSystemChannel::UnlockCheck() {
    const bool open = FUnlockSlot == kUnlockCode;
    FUnlockSlot = 0;
    return open;
}

std::optional<quint32> TVirtualSystemChannel::ReadRegister(quint16 Register) {
    switch (Register) {
    case spTypeCode:
        return FTypeCode;
    case spSerialNumber:
        return FSerialNumber;
    case spChannelMask:
        return FChannelMask;
    case 3:
        return FAddress; // the bus address alone, fixed for the device's life
    case spFirmwareVersion:
        return kFirmwareVersion;
    case spMachineTime:
        return MachineTime();
    default:
        return std::nullopt;
    }
}

bool TVirtualSystemChannel::WriteRegister(quint16 Register, quint32 Value) {
    switch (Register) {
    case spSerialNumber:
        if (!UnlockCheck())
            return false;
        FSerialNumber = Value;
        return true;
    case spChannelMask:
        if (!UnlockCheck())
            return false;
        FChannelMask = Value;
        return true;
    case spSaveToFlash:
        if (OnStore)
            OnStore();
        return true;
    case spRestoreFromFlash:
        if (OnRestore)
            OnRestore();
        return true;
    case spUnlock:
        FUnlockSlot = Value;
        return true;
    case spMachineTime:
        SetMachineTime(Value);
        return true;
    default:
        return false;
    }
}
