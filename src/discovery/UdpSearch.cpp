#include "discovery/UdpSearch.h"

#include "bus/UdpPortAccessPoint.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

void DecodeUdpBusSettings(quint32 Word, quint8& BaudCode, quint8& ParityCode, quint8& StopBitsCode) {
    const quint8 code = quint8(Word >> 8);
    BaudCode = code >= 3 && code <= 12 ? quint8(code + 1) : 7;
    const quint8 parity = quint8(Word >> 20);
    ParityCode = parity <= 4 ? parity : 0;
    switch (Word >> 28) {
    case 2:
        StopBitsCode = 1;
        break;
    case 3:
        StopBitsCode = 2;
        break;
    default:
        StopBitsCode = 0;
        break;
    }
}

TUdpSearch::TUdpSearch(TNerixModule& Module, TAccessPoint& AP) : TScanBase(Module), FAP(AP) {}

bool TUdpSearch::Probe(quint8 Address, TTransferProtocol Protocol, TUdpHit& Hit) {
    Hit = TUdpHit{};
    Hit.Address = Address;
    Hit.Protocol = Protocol;
    FModule.SetAddress(Address);
    FModule.SetTransferProtocol(Protocol);
    FModule.SetAP(&FAP);
    quint32 settings = 0;
    if (!Read(spTypeCode, Hit.TypeCode) || !Read(spSerialNumber, Hit.SerialNumber) ||
        !Read(spChannelMask, Hit.ChannelMask) || !Read(spBusSettings, settings))
        return false;
    Hit.BusSettings = settings;
    DecodeUdpBusSettings(settings, Hit.BaudCode, Hit.ParityCode, Hit.StopBitsCode);
    // Neither of the last two fails the probe: older devices do not have them. A code that is no
    // byte order means the device has none the program could use; taking it for order 0 would
    // offer, and later write, an order the device never reported.
    quint32 order = 0;
    Hit.ByteOrder = Read(spByteOrder, order) && order <= 7 ? quint8(order) : quint8(boNAN);
    if (!Read(spAnswerTimeout, Hit.TimeoutCode))
        Hit.TimeoutCode = 0;
    return true;
}

void TUdpSearch::Run(int Start, int Stop, TTransferProtocol Protocol, bool FirstOnly) {
    if (FRunning)
        return;
    FRunning = true;
    FFound = false;
    if (OnScanStart)
        OnScanStart();
    for (int address = Start; address <= Stop && FRunning; ++address) {
        if (OnAddress)
            OnAddress(quint8(address));
        if (!FRunning)
            break;
        TUdpHit hit;
        if (Probe(quint8(address), Protocol, hit)) {
            if (OnDeviceFound)
                OnDeviceFound(hit);
            if (FirstOnly) {
                FRunning = false;
                FFound = true;
            }
        }
        PauseAfterProbe();
    }
    FRunning = false;
}
