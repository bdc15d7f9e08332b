#pragma once

#include "protocol/NerixBuffer.h"
#include "protocol/TransferProtocol.h"

#include <QtGlobal>
#include <functional>
#include <memory>
#include <optional>

class TAccessPoint;
class TModbusToNerix;
class TPlugZoVuru;

// One property transfer as the hooks of TNerixModule see it: Value is what a write sends or a read
// got; Float says the caller takes the 32 bits as a single.
struct TNerixTransfer {
    bool Write = false;
    bool Float = false;
    quint16 Property = 0;
    quint8 Object = 0;
    quint32 Value = 0;
};

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

    // Sees every property transfer before it goes to the device: a result answers the transfer in
    // its place (a read's answer in Value); nothing lets it go out. A configuration backup uses it to
    // learn what a settings step transfers, a restore to feed a step the values of a file.
    std::function<std::optional<bool>(TNerixTransfer& Transfer)> OnTransfer;
    // Told of each transfer that went to the device, with its outcome.
    std::function<void(const TNerixTransfer& Transfer, bool Ok)> OnTransferred;

    static quint16 Crc16(const quint8* Data, int Count);

    // The Modbus tunnel with this device's register map; device classes add their channel rows.
    TModbusToNerix& ModbusToNerix() { return *FModbusToNerix; }

private:
    bool Transfer(bool Write, bool Float, quint16 PropertyNumber, quint8 ObjectNumber, quint32& Value);
    bool Transact(quint8 Operation, quint16 PropertyNumber, quint8 ObjectNumber, quint32 Value);

    quint8 FAddress = 1;
    TAccessPoint* FAP = nullptr;
    TTransferProtocol FTransferProtocol = tpNerix;
    TPlugZoVuru* FZoVuruPlug = nullptr;
    TBuffer FBuffer;
    std::unique_ptr<TModbusToNerix> FModbusToNerix;
    bool FBusy = false;
};
