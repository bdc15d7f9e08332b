#include "views/DeviceSettingsWorkflow.h"

#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "localization/Localization.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOChannel.h"
#include "model/ZUVOModule.h"
#include "platform/EventWait.h"
#include "protocol/NerixModule.h"

TDeviceSettingsWorkflow::TDeviceSettingsWorkflow(TNerixModule& Module, TNerixChannel& Channel,
                                                 TPowerRsBus& Bus)
    : FModule(Module), FChannel(Channel), FBus(Bus) {}

bool TDeviceSettingsWorkflow::OnSerialBus(TAccessPoint* AP) const {
    const auto* com = dynamic_cast<TComPortAccessPoint*>(AP);
    return com && com->Bus() == &FBus;
}

void TDeviceSettingsWorkflow::PointAt(const TDeviceProps& Device, TAccessPoint* AP) {
    FModule.SetAP(AP);
    FModule.SetAddress(Device.Address);
    FModule.SetTransferProtocol(TTransferProtocol(Device.Protocol));
    FChannel.Module = &FModule;
    FChannel.ObjectNumber = 0;
    // The device answers at its own speed; a device behind a gateway has nothing to do with the
    // serial line's.
    if (OnSerialBus(AP) && Device.BaudCode >= kFirstBaudCode &&
        Device.BaudCode < kFirstBaudCode + kBaudCodeCount && FBus.BaudRate() != TBaudRate(Device.BaudCode))
        FBus.SetBaudRate(TBaudRate(Device.BaudCode));
}

void TDeviceSettingsWorkflow::Wait(int Ms) {
    if (Pause)
        Pause(Ms);
    else
        PauseProcessingEvents(Ms);
}

void TDeviceSettingsWorkflow::AskDevice(TDeviceProps& Device) {
    if (Device.ByteOrder != boNAN) {
        const bool read = FChannel.ReadPropertyAs(spByteOrder, dtInteger);
        const auto order = read ? FChannel.GetAsInteger() : std::nullopt;
        Device.ByteOrder =
            order && *order >= 0 && *order < kByteOrderChoices ? quint8(*order) : quint8(boNAN);
    }
    if (qint32(Device.TimeoutCode) >= 0) {
        const bool read = FChannel.ReadPropertyAs(spAnswerTimeout, dtInteger);
        const auto timeout = read ? FChannel.GetAsInteger() : std::nullopt;
        Device.TimeoutCode = timeout ? quint32(*timeout) : kNoTimeoutCode;
    }
}

void TDeviceSettingsWorkflow::WriteParams(const TDeviceProps& Device, const TDeviceParams& Edited) {
    if (qint32(Device.TimeoutCode) >= 0) {
        FChannel.WritePropertyInteger(spAnswerTimeout, Edited.Timeout);
        Wait(kWritePauseMs);
    }
    if (Edited.ByteOrder != boNAN) {
        FChannel.WritePropertyInteger(spByteOrder, Edited.ByteOrder);
        Wait(kWritePauseMs);
    }
    FChannel.WritePropertyInteger(spBusSettings, qint32(BusSettingsWordFor(Edited, Device)));
}

bool TDeviceSettingsWorkflow::Run(TDeviceProps& Device, TAccessPoint* AP) {
    PointAt(Device, AP);
    AskDevice(Device);
    TDeviceParams edited = DeviceParamsOf(Device);
    if (!OnExecute || !OnExecute(Device, edited))
        return false;
    // Only what differs from the device is worth a rewrite and a new search.
    if (!ParamsChanged(edited, Device))
        return false;
    // The window may have talked to the device through other modules meanwhile.
    PointAt(Device, AP);
    WriteParams(Device, edited);
    if (OnSerialBus(AP))
        FBus.SetParity(TParity(edited.Parity));
    if (OnMessage)
        OnMessage(RescanMessage(CurrentLanguage()));
    // The search empties the device list, this entry with it: nothing may touch Device afterwards.
    if (OnSearch)
        OnSearch();
    return true;
}
