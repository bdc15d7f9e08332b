#include "protocol/Modbus.h"

#include "bus/PowerRSBus.h"
#include "platform/ExchangeGuard.h"
#include "protocol/Crc16.h"
#include "protocol/ModbusToNerix.h"

TModbus::TModbus(TPowerRsBus* bus) : FBus(bus) {}

bool TModbus::Transfer(int RequestLength, int AnswerLength, quint8 Address, quint8 Function,
                       quint16 Register) {
    if (!FBus)
        return false;
    if (OnNotify)
        OnNotify(quint8(RequestLength), 1);
    // Only an intact answer of the same function (and device) counts; the bus skips stray bytes.
    const TAnswerCheck check = [=](const quint8* answer, int length) {
        return ModbusPairAnswerMatches(Address, Function, Register, answer, length);
    };
    if (!FBus->SendReceive(FBuffer.data(), quint32(RequestLength), quint32(AnswerLength), &check))
        return false;
    if (!check(FBuffer.data(), AnswerLength))
        return false;
    if (OnNotify)
        OnNotify(quint8(AnswerLength), 0);
    return true;
}

bool TModbus::ReadRegisterPair(quint8 Address, quint16 Register, quint32& Value) {
    TExchangeGuard guard(FBusy);
    if (!guard.Acquired())
        return false;
    auto& b = FBuffer;
    b = {Address, 3, quint8(Register >> 8), quint8(Register), 0, 2};
    PutCrc16(b.data(), 6);
    if (!Transfer(8, 9, Address, 3, Register))
        return false;
    Value = (quint32(b[3]) << 24) | (quint32(b[4]) << 16) | (quint32(b[5]) << 8) | b[6];
    return true;
}

bool TModbus::WriteRegisterPair(quint8 Address, quint16 Register, quint32 Value) {
    TExchangeGuard guard(FBusy);
    if (!guard.Acquired())
        return false;
    auto& b = FBuffer;
    b = {Address,
         16,
         quint8(Register >> 8),
         quint8(Register),
         0,
         2,
         4,
         quint8(Value >> 24),
         quint8(Value >> 16),
         quint8(Value >> 8),
         quint8(Value)};
    PutCrc16(b.data(), 11);
    return Transfer(13, 8, Address, 16, Register);
}
