#pragma once

#include <memory>

struct TDeviceProps;
class TDeviceRegister;
struct TScanHit;
struct TUdpHit;

// The device list's record of a device that a search found, its model named by the catalogue.
// The serial search and the command line's scan build it the same way; the UDP search also knows
// the device's byte order and time-out, which a serial scan does not read.
std::unique_ptr<TDeviceProps> FoundDeviceProps(const TScanHit& Hit, const TDeviceRegister& Catalogue);
std::unique_ptr<TDeviceProps> FoundDeviceProps(const TUdpHit& Hit, const TDeviceRegister& Catalogue);
