#pragma once

#include "bus/AccessPoint.h"

#include <array>

class TPowerRsBus;

// The access point of a serial line: every attempt is one SendReceive of the bus.
class TComPortAccessPoint : public TAccessPoint {
public:
    TComPortAccessPoint() = default;

    // A reference, not owned; nil until the application binds its bus.
    TPowerRsBus* Bus() const { return FBus; }
    void SetBus(TPowerRsBus* Value) { FBus = Value; }

    bool DoExchange(const quint8* Request, int RequestLength, quint8* Answer, int AnswerLength) override;
    int GetBaudrate() const override;
    void SetBaudrate(int Value) override;
    void SetTimeout(int Value) override;
    int GetTimeout() const override;
    bool DoOpen() override;
    void DoClose() override;
    bool IsOpen() const override;

protected:
    int MaxRequestLength() const override;

private:
    TPowerRsBus* FBus = nullptr;
    // The bus answers into the block it sent from; the caller's request must survive for the next
    // attempt, so each attempt works on this copy.
    std::array<quint8, kMaxAnswer> FScratch{};
};
