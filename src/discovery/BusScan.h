#pragma once

#include "bus/PowerRSBus.h"
#include "discovery/ScanBase.h"
#include "protocol/TransferProtocol.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

class TAccessPoint;
class TComPortAccessPoint;
class TNerixModule;

// The speeds a scan can try: the bus's 1200 .. 921600 bit/s. Entry i is bit i of a selection mask.
class TRateSet {
public:
    struct TEntry {
        TBaudRate Rate;
        bool Selected = false;
        QString Label; // "br9600"
    };
    static constexpr int kCount = 17;

    TRateSet();
    const TEntry& Items(int Index) const { return FEntries[size_t(Index)]; }
    void SetSelected(int Index, bool Selected) { FEntries[size_t(Index)].Selected = Selected; }
    quint32 SelectionMask() const;
    void SetSelectionMask(quint32 Mask);
    // The entry of a speed, or -1 when the speed has none.
    static int IndexOfRate(TBaudRate Rate);

private:
    std::array<TEntry, kCount> FEntries;
};

// One device's identity as a probe learned it.
struct TProbeResult {
    quint16 TypeCode = 65535;
    quint32 SerialNumber = 0;
    quint32 ChannelMask = 0;
    quint8 StopBitsCode = 0;
    quint32 BusSettings = 0; // the word StopBitsCode was decoded from
};

// A device the scan found, as the connection lists it.
struct TScanHit {
    quint8 Address = 0;
    quint32 Baud = 0;    // bit/s the device answered at
    quint8 BaudCode = 0; // that speed's TBaudRate ordinal (brCustom for a speed outside the table)
    quint8 ParityCode = 0;
    TTransferProtocol Protocol = tpNerix;
    TProbeResult Identity;
};

enum class TScanMethod { ByAddresses, BySpeeds };

struct TScanSettings {
    TTransferProtocol Protocol = tpModbus;
    TScanMethod Method = TScanMethod::ByAddresses;
    int Start = 1;
    int Stop = 255;
    quint32 SpeedMask = 0; // TRateSet bits; none: the bus's own speed
    bool FirstOnly = false;
};

// Checks an address range as typed: two integers in 0..255, start not above stop, and not 0 for the
// protocols whose address 0 is no device. Nothing when the range is refused.
std::optional<std::pair<int, int>> CheckAddressRange(const QString& Start, const QString& Stop,
                                                     TTransferProtocol Protocol);

// Finds devices on the serial bus by asking each address (and speed) for its identity: type code,
// serial number, channel mask and bus settings of object 0. Synchronous on the window thread: events
// are processed while it waits and after every probe, so Stop (from a button) takes effect before
// the next probe.
//
// Behind a serial device server (a TCP converter in transparent mode) the same probes run over that
// access point, with the same guard against a line that echoes; the converter owns the line's speed,
// so only addresses are asked and a device's speed is the one its bus settings name.
class TBusScan : public TScanBase {
public:
    TBusScan(TNerixModule& Module, TComPortAccessPoint& AP, TPowerRsBus& Bus);
    // Over a line whose speed this program does not set: speeds are neither tried nor switched, and
    // a search by speeds asks the addresses instead.
    TBusScan(TNerixModule& Module, TAccessPoint& AP);

    bool OwnsSpeed() const { return FSerialAP != nullptr; }

    // One identity query of one address at one speed. The bus speed is back as it was afterwards.
    bool ProbeAddress(quint8 Address, quint32 Baud, TTransferProtocol Protocol, TProbeResult& Result);

    // Runs a whole scan. The range must have passed CheckAddressRange.
    void Run(const TScanSettings& Settings);

    std::function<void(const TScanHit&)> OnDeviceFound;
    // Progress: the speed about to be tried.
    std::function<void(quint32 Baud)> OnSpeed;

private:
    // Puts the access point on `baud` (closing and reopening the port); returns the speed it had.
    quint32 SwitchSpeed(quint32 baud);
    void Report(quint8 Address, quint32 Baud, TTransferProtocol Protocol, const TProbeResult& Identity);
    void RunByAddresses(const TScanSettings& s);
    void RunBySpeeds(const TScanSettings& s);

    TAccessPoint& FAP;
    // Both set on the serial bus, both null behind a converter.
    TComPortAccessPoint* FSerialAP = nullptr;
    TPowerRsBus* FBus = nullptr;
};
