#pragma once

#include <QtGlobal>

// Line speeds. The first kBaudRateCount ordinals are the bus's own list: the ordinal is the "rate
// ID" that the scan and the device list carry (the options store it minus 1). The two after them
// exist only in the listening port's list (see kPortRates). brCustom means the speed in bits is set
// directly.
enum TBaudRate {
    brCustom,
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br153600,
    br230400,
    br345600,
    br460800,
    br576000,
    br691200,
    br921600,
    br128000,
    br256000,
};
inline constexpr int kBaudRateCount = br921600 + 1;

// The listening port's speeds (the emulator's), in the order its users store them: the bus's list
// up to 115200, then 128000 and 256000.
inline constexpr TBaudRate kPortRates[] = {brCustom, br110,    br300,    br600,   br1200,  br2400,
                                           br4800,   br9600,   br14400,  br19200, br38400, br56000,
                                           br57600,  br115200, br128000, br256000};
inline constexpr int kPortRateCount = int(sizeof kPortRates / sizeof kPortRates[0]);

// Bits per second of a rate; 0 for brCustom and values outside the enumeration.
quint32 BaudRateBits(TBaudRate rate);
// The rate of the bus's list whose speed is exactly `bits`, or brCustom.
TBaudRate BaudRateOfBits(quint32 bits);
