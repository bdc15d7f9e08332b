#pragma once

#include "protocol/NerixBuffer.h"
#include "protocol/TransferProtocol.h"

#include <QtGlobal>
#include <memory>

class TAccessPoint;
class TModbusToNerix;
class TPlugZoVuru;

// The protocol engine of one device: builds the Nerix frame for one property of one object, sends it
// through the access point (as it is, or tunnelled in Modbus RTU), checks the answer and extracts
// the value. One transaction at a time: the frame is a member.
class TNerixModule {
public:
    TNerixModule();
    ~TNerixModule();
    TNerixModule(const TNerixModule&) = delete;
    TNerixModule& operator=(const TNerixModule&) = delete;

    quint8 Address() const { return FAddress; }
    void SetAddress(quint8 Value) { FAddress = Value; }
    // A reference, not owned.
    TAccessPoint* AP() const { return FAP; }
    void SetAP(TAccessPoint* Value) { FAP = Value; }
    TTransferProtocol TransferProtocol() const { return FTransferProtocol; }
    void SetTransferProtocol(TTransferProtocol Value) { FTransferProtocol = Value; }
    // A reference, not owned.
    TPlugZoVuru* ZoVuruPlug() const { return FZoVuruPlug; }
    void SetZoVuruPlug(TPlugZoVuru* Value) { FZoVuruPlug = Value; }

    // The frame and its value order; channel code sets the order around one transaction.
    TBuffer& Buffer() { return FBuffer; }
    const TBuffer& Buffer() const { return FBuffer; }

    // All return true on success. A failed read leaves Value at 0; a failed float read leaves the
    // caller's variable unchanged. A call made while another transaction of this module is waiting
    // (from an event handler) fails at once without traffic.
    bool ReadProperty(quint16 PropertyNumber, quint8 ObjectNumber, quint32& Value);
    bool WriteProperty(quint16 PropertyNumber, quint8 ObjectNumber, quint32 Value);
    bool ReadFloat(quint16 PropertyNumber, quint8 ObjectNumber, float& Value);
    bool WriteFloat(quint16 PropertyNumber, quint8 ObjectNumber, float Value);

    static quint16 Crc16(const quint8* Data, int Count);

    // The Modbus tunnel with this device's register map; device classes add their channel rows.
    TModbusToNerix& ModbusToNerix() { return *FModbusToNerix; }

private:
    bool Transact(quint8 Operation, quint16 PropertyNumber, quint8 ObjectNumber, quint32 Value);

    quint8 FAddress = 1;
    TAccessPoint* FAP = nullptr;
    TTransferProtocol FTransferProtocol = tpNerix;
    TPlugZoVuru* FZoVuruPlug = nullptr;
    TBuffer FBuffer;
    std::unique_ptr<TModbusToNerix> FModbusToNerix;
    bool FBusy = false;
};
