#pragma once

#include "discovery/ScanBase.h"
#include "protocol/ByteOrder.h"
#include "protocol/TransferProtocol.h"

class TAccessPoint;

// A device found behind a UDP gateway, with what it says of its line settings.
struct TUdpHit {
    quint8 Address = 0;
    TTransferProtocol Protocol = tpNerix;
    quint8 ByteOrder = boNAN;
    quint8 StopBitsCode = 0;
    quint8 ParityCode = 0;
    quint8 BaudCode = 7; // TBaudRate ordinal
    quint32 TimeoutCode = 0;
    quint32 ChannelMask = 0;
    quint32 SerialNumber = 0;
    quint32 TypeCode = 0;
    quint32 BusSettings = 0; // the raw word the settings above were decoded from
};

// The line settings as the UDP search reads the bus settings word: the gateway owns the line, so
// only speeds 1200 .. 115200 are taken (anything else reads as 9600), the parity is the byte at
// bits 20..27, and stop bits are coded 1, 2, 3 for 1, 1.5, 2.
void DecodeUdpBusSettings(quint32 Word, quint8& BaudCode, quint8& ParityCode, quint8& StopBitsCode);

// Finds the devices behind a gateway that owns its line's speed (UDP, or a TCP converter): every
// address of a range is asked for its identity. Every answering device is taken, whatever its type.
class TUdpSearch : public TScanBase {
public:
    TUdpSearch(TNerixModule& Module, TAccessPoint& AP);

    bool Probe(quint8 Address, TTransferProtocol Protocol, TUdpHit& Hit);
    // The range must have passed CheckAddressRange.
    void Run(int Start, int Stop, TTransferProtocol Protocol, bool FirstOnly);

    std::function<void(const TUdpHit&)> OnDeviceFound;

private:
    TAccessPoint& FAP;
};
