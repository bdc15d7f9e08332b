#include "discovery/FoundDevice.h"

#include "discovery/BusScan.h"
#include "discovery/UdpSearch.h"
#include "model/DeviceRegister.h"

std::unique_ptr<TDeviceProps> FoundDeviceProps(const TScanHit& Hit, const TDeviceRegister& Catalogue) {
    const TProbeResult& id = Hit.Identity;
    auto props = std::make_unique<TDeviceProps>(Hit.Address, Hit.BaudCode, Hit.Protocol, Hit.ParityCode,
                                                id.TypeCode, Catalogue.FindByType(id.TypeCode)->ModelName,
                                                id.SerialNumber, id.ChannelMask, id.StopBitsCode);
    // The scan reads neither the byte order nor the answer time-out. Order 0 and time-out 0 are
    // what the settings workflow takes for "ask the device" (8 and -1 would mean "has none").
    props->ByteOrder = bo3210x10;
    props->TimeoutCode = 0;
    return props;
}

std::unique_ptr<TDeviceProps> FoundDeviceProps(const TUdpHit& Hit, const TDeviceRegister& Catalogue) {
    auto props = std::make_unique<TDeviceProps>(Hit.Address, Hit.BaudCode, Hit.Protocol, Hit.ParityCode,
                                                Hit.TypeCode, Catalogue.FindByType(Hit.TypeCode)->ModelName,
                                                Hit.SerialNumber, Hit.ChannelMask, Hit.StopBitsCode);
    props->ByteOrder = Hit.ByteOrder;
    props->TimeoutCode = Hit.TimeoutCode;
    props->BusSettingsWord = Hit.BusSettings;
    return props;
}
