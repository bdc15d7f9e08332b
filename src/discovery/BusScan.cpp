#include "discovery/BusScan.h"

#include "bus/ComPortAccessPoint.h"
#include "model/BusSettings.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"
#include "platform/EventWait.h"
#include "protocol/NerixModule.h"

TRateSet::TRateSet() {
    for (int i = 0; i < kCount; ++i) {
        const auto rate = TBaudRate(br1200 + i);
        FEntries[size_t(i)] = {rate, false, QStringLiteral("br") + TPowerRsBus::BaudRateText(rate)};
    }
}

quint32 TRateSet::SelectionMask() const {
    quint32 mask = 0;
    for (int i = 0; i < kCount; ++i)
        if (FEntries[size_t(i)].Selected)
            mask |= 1u << i;
    return mask;
}

void TRateSet::SetSelectionMask(quint32 Mask) {
    for (int i = 0; i < kCount; ++i)
        FEntries[size_t(i)].Selected = (Mask >> i) & 1;
}

int TRateSet::IndexOfRate(TBaudRate Rate) {
    const int i = int(Rate) - int(br1200);
    return i >= 0 && i < kCount ? i : -1;
}

std::optional<std::pair<int, int>> CheckAddressRange(const QString& Start, const QString& Stop,
                                                     TTransferProtocol Protocol) {
    bool okStart = false, okStop = false;
    const int start = Start.trimmed().toInt(&okStart);
    const int stop = Stop.trimmed().toInt(&okStop);
    if (!okStart || !okStop || start > stop || start < 0 || stop > 255)
        return std::nullopt;
    if (start == 0 && (Protocol == tpNerix || Protocol == tpModbus))
        return std::nullopt;
    return std::make_pair(start, stop);
}

TBusScan::TBusScan(TNerixModule& Module, TComPortAccessPoint& AP, TPowerRsBus& Bus)
    : TScanBase(Module), FAP(AP), FSerialAP(&AP), FBus(&Bus) {}

TBusScan::TBusScan(TNerixModule& Module, TAccessPoint& AP) : TScanBase(Module), FAP(AP) {}

quint32 TBusScan::SwitchSpeed(quint32 baud) {
    if (!FSerialAP)
        return baud;
    const quint32 before = FBus->BaudRateValue();
    if (before != baud) {
        FSerialAP->SetActive(false);
        FSerialAP->SetBaudrate(int(baud));
        FSerialAP->SetActive(true);
    }
    return before;
}

bool TBusScan::ProbeAddress(quint8 Address, quint32 Baud, TTransferProtocol Protocol, TProbeResult& Result) {
    Result = TProbeResult{};
    FModule.SetAddress(Address);
    FModule.SetTransferProtocol(Protocol);
    FModule.SetAP(&FAP);
    const quint32 before = SwitchSpeed(Baud);
    const bool ok = [&] {
        quint32 type = 0;
        if (!Read(spTypeCode, type))
            return false;
        // An answer identical to the request may be the line's echo with nobody behind it: only a
        // second answer that is not a mirror of its request (the serial number) makes it a device.
        const bool mirrored = FAP.LastAnswerMirrored();
        Result.TypeCode = quint16(type);
        // A type the program has no name for is no device of ours: its other properties stay unread.
        if (ModelNameOf(Result.TypeCode).isEmpty())
            return false;
        quint32 settings = 0;
        if (!Read(spSerialNumber, Result.SerialNumber) || (mirrored && FAP.LastAnswerMirrored()))
            return false;
        if (!Read(spChannelMask, Result.ChannelMask) || !Read(spBusSettings, settings))
            return false;
        Result.StopBitsCode = TBusSettings::Decode(settings).StopBitsCode;
        Result.BusSettings = settings;
        return true;
    }();
    SwitchSpeed(before);
    return ok;
}

void TBusScan::Report(quint8 Address, quint32 Baud, TTransferProtocol Protocol,
                      const TProbeResult& Identity) {
    TScanHit hit;
    hit.Address = Address;
    if (FBus) {
        hit.Baud = Baud;
        hit.BaudCode = quint8(BaudRateOfBits(Baud));
        hit.ParityCode = quint8(FBus->Parity());
    } else {
        // Behind a converter the device's own settings are all there is to say about its line. Devices
        // speak 1200 bit/s and up: a lower code (an emulated device that never had its speed set)
        // names no speed, and the hit has none rather than a wrong one.
        const TBusSettings line = TBusSettings::Decode(Identity.BusSettings);
        const bool known = line.BaudCode >= br1200 && line.BaudCode <= br921600;
        hit.BaudCode = known ? line.BaudCode : 0;
        hit.Baud = known ? BaudRateBits(TBaudRate(line.BaudCode)) : 0;
        hit.ParityCode = line.ParityCode < kParityCount ? line.ParityCode : 0;
    }
    hit.Protocol = Protocol;
    hit.Identity = Identity;
    if (OnDeviceFound)
        OnDeviceFound(hit);
}

void TBusScan::RunByAddresses(const TScanSettings& s) {
    std::vector<quint32> speeds;
    const TRateSet rates;
    for (int i = 0; i < TRateSet::kCount; ++i)
        if ((s.SpeedMask >> i) & 1)
            speeds.push_back(BaudRateBits(rates.Items(i).Rate));
    // Nothing ticked: the bus's own speed, whether or not it has a box. A converter's line has one
    // speed, whatever was ticked.
    if (!FBus)
        speeds.assign(1, 0);
    else if (speeds.empty())
        speeds.push_back(FBus->BaudRateValue());

    for (int address = s.Start; address <= s.Stop && FRunning; ++address) {
        if (OnAddress)
            OnAddress(quint8(address));
        for (quint32 baud : speeds) {
            if (!FRunning)
                break;
            if (OnSpeed && FBus)
                OnSpeed(baud);
            TProbeResult identity;
            if (ProbeAddress(quint8(address), baud, s.Protocol, identity)) {
                Report(quint8(address), baud, s.Protocol, identity);
                if (s.FirstOnly) {
                    FRunning = false;
                    FFound = true;
                }
            }
            PauseAfterProbe();
        }
    }
}

void TBusScan::RunBySpeeds(const TScanSettings& s) {
    FModule.SetAddress(0);
    if (OnAddress)
        OnAddress(0);
    const TRateSet rates;
    for (int i = 0; i < 12 && FRunning; ++i) {
        const quint32 baud = BaudRateBits(rates.Items(i).Rate);
        if (OnSpeed)
            OnSpeed(baud);
        FModule.SetAddress(0);
        FModule.SetTransferProtocol(s.Protocol);
        FModule.SetAP(&FAP);
        const quint32 before = SwitchSpeed(baud);
        quint32 settings = 0;
        const bool answered = Read(spBusSettings, settings);
        SwitchSpeed(before);
        if (answered) {
            const auto address = quint8(settings & 0xFF);
            TProbeResult identity;
            if (ProbeAddress(address, baud, s.Protocol, identity)) {
                Report(address, baud, s.Protocol, identity);
                FFound = true;
                break;
            }
        }
        ProcessPendingEvents();
    }
}

void TBusScan::Run(const TScanSettings& Settings) {
    if (FRunning)
        return;
    FRunning = true;
    FFound = false;
    if (OnScanStart)
        OnScanStart();
    if (Settings.Method == TScanMethod::BySpeeds && FBus)
        RunBySpeeds(Settings);
    else
        RunByAddresses(Settings);
    FRunning = false;
}
