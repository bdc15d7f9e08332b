#include "discovery/FoundDevice.h"

#include "discovery/BusScan.h"
#include "discovery/UdpSearch.h"
#include "model/DeviceRegister.h"

std::unique_ptr<TDeviceProps> FoundDeviceProps(const TScanHit& Hit, const TDeviceRegister& Catalogue) {
    const TProbeResult& id = Hit.Identity;
    return std::make_unique<TDeviceProps>(Hit.Address, Hit.BaudCode, Hit.Protocol, Hit.ParityCode, id.TypeCode,
                                          Catalogue.FindByType(id.TypeCode)->ModelName, id.SerialNumber,
                                          id.ChannelMask, id.StopBitsCode);
}

std::unique_ptr<TDeviceProps> FoundDeviceProps(const TUdpHit& Hit, const TDeviceRegister& Catalogue) {
    auto props = std::make_unique<TDeviceProps>(Hit.Address, Hit.BaudCode, Hit.Protocol, Hit.ParityCode,
                                                Hit.TypeCode, Catalogue.FindByType(Hit.TypeCode)->ModelName,
                                                Hit.SerialNumber, Hit.ChannelMask, Hit.StopBitsCode);
    props->ByteOrder = Hit.ByteOrder;
    props->TimeoutCode = Hit.TimeoutCode;
    return props;
}
