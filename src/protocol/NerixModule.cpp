#include "protocol/NerixModule.h"

#include "bus/AccessPoint.h"
#include "platform/ExchangeGuard.h"
#include "protocol/Crc16.h"
#include "protocol/ModbusToNerix.h"

#include <bit>
#include <cmath>

TNerixModule::TNerixModule() : FModbusToNerix(std::make_unique<TModbusToNerix>(this)) {}
TNerixModule::~TNerixModule() = default;

quint16 TNerixModule::Crc16(const quint8* Data, int Count) {
    return ::Crc16(Data, Count);
}

bool TNerixModule::Transact(quint8 Operation, quint16 PropertyNumber, quint8 ObjectNumber, quint32 Value) {
    if (!FAP)
        return false;
    TExchangeGuard guard(FBusy);
    if (!guard.Acquired())
        return false;
    FBuffer.Build(FAddress, Operation, ObjectNumber, PropertyNumber, Value);
    const auto request = FBuffer.Frame;
    bool exchanged = false;
    switch (FTransferProtocol) {
    case tpNerix: {
        // Every attempt's answer must be intact and answer this very request; a stray frame makes
        // the attempt fail so the request is sent again.
        const auto check = [&request](const quint8* answer, int) {
            return ::Crc16(answer, kNerixFrameSize) == 0 && NerixAnswerMatches(request.data(), answer);
        };
        exchanged =
            FAP->Exchange(request.data(), kNerixFrameSize, kNerixFrameSize, FBuffer.Frame.data(), check);
        break;
    }
    case tpModbus: {
        int requestLength = 0;
        int answerLength = 0;
        if (!FModbusToNerix->PackRequest(requestLength, answerLength))
            return false; // no register for this pair: nothing goes on the line
        TModbusToNerix& tunnel = *FModbusToNerix;
        const auto check = [&tunnel](const quint8* answer, int length) {
            return tunnel.AnswerMatches(answer, length);
        };
        exchanged = FAP->Exchange(tunnel.Buffer(), requestLength, answerLength, tunnel.Buffer(), check) &&
                    tunnel.UnpackAnswer();
        break;
    }
    case tpZoVuru:
    case tpZoVuruCheckSum:
        return false;
    }
    if (!exchanged)
        return false;
    return FBuffer.Intact();
}

bool TNerixModule::Transfer(bool Write, bool Float, quint16 PropertyNumber, quint8 ObjectNumber,
                            quint32& Value) {
    TNerixTransfer transfer{Write, Float, PropertyNumber, ObjectNumber, Write ? Value : 0};
    if (OnTransfer) {
        if (const auto answered = OnTransfer(transfer)) {
            if (!Write)
                Value = *answered ? transfer.Value : 0;
            return *answered;
        }
    }
    const bool ok = Transact(Write ? noWrite : noRead, PropertyNumber, ObjectNumber, transfer.Value);
    if (!Write)
        Value = ok ? FBuffer.Value() : 0;
    transfer.Value = Value;
    if (OnTransferred)
        OnTransferred(transfer, ok);
    return ok;
}

bool TNerixModule::ReadProperty(quint16 PropertyNumber, quint8 ObjectNumber, quint32& Value) {
    return Transfer(false, false, PropertyNumber, ObjectNumber, Value);
}

bool TNerixModule::WriteProperty(quint16 PropertyNumber, quint8 ObjectNumber, quint32 Value) {
    return Transfer(true, false, PropertyNumber, ObjectNumber, Value);
}

bool TNerixModule::ReadFloat(quint16 PropertyNumber, quint8 ObjectNumber, float& Value) {
    quint32 bits = 0;
    if (!Transfer(false, true, PropertyNumber, ObjectNumber, bits))
        return false;
    const float f = std::bit_cast<float>(bits);
    Value = std::isnan(f) ? 0.0f : f;
    return true;
}

bool TNerixModule::WriteFloat(quint16 PropertyNumber, quint8 ObjectNumber, float Value) {
    quint32 bits = std::bit_cast<quint32>(Value);
    return Transfer(true, true, PropertyNumber, ObjectNumber, bits);
}
