#include "bus/ComPortAccessPoint.h"

#include "bus/PowerRSBus.h"

#include <cstring>

bool TComPortAccessPoint::DoExchange(const quint8* Request, int RequestLength, quint8* Answer,
                                     int AnswerLength) {
    if (!FBus || RequestLength > TPowerRsBus::kMaxRequest || RequestLength < 0 || AnswerLength < 0 ||
        AnswerLength > kMaxAnswer)
        return false;
    if (RequestLength > 0)
        std::memcpy(FScratch.data(), Request, size_t(RequestLength));
    if (!FBus->SendReceive(FScratch.data(), quint32(RequestLength), quint32(AnswerLength), AnswerCheck()))
        return false;
    if (AnswerLength > 0)
        std::memcpy(Answer, FScratch.data(), size_t(AnswerLength));
    return true;
}

int TComPortAccessPoint::MaxRequestLength() const {
    return TPowerRsBus::kMaxRequest;
}

int TComPortAccessPoint::GetBaudrate() const {
    return FBus ? int(FBus->BaudRateValue()) : 0;
}

void TComPortAccessPoint::SetBaudrate(int Value) {
    if (FBus && Value > 0)
        FBus->SetBaudRateValue(quint32(Value));
}

void TComPortAccessPoint::SetTimeout(int Value) {
    if (FBus && Value >= 0)
        FBus->SetInputTimeout(quint32(Value));
}

int TComPortAccessPoint::GetTimeout() const {
    return FBus ? int(FBus->InputTimeout()) : 0;
}

bool TComPortAccessPoint::DoOpen() {
    if (!FBus)
        return false;
    // Writing the speed as a value keeps it while it turns BaudRate into brCustom.
    FBus->SetBaudRateValue(FBus->BaudRateValue());
    return FBus->Open();
}

void TComPortAccessPoint::DoClose() {
    if (FBus)
        FBus->Close();
}

bool TComPortAccessPoint::IsOpen() const {
    return FBus && FBus->IsOpen();
}
