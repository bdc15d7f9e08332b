#pragma once

#include "bus/AccessPoint.h"

#include <QtGlobal>
#include <array>
#include <functional>

class TPowerRsBus;

// A direct Modbus RTU master for 32-bit values in pairs of holding registers, most significant
// register first. It talks to the serial bus itself, so it has only the bus's retries and raises no
// traffic notification of an access point.
class TModbus {
public:
    // Called with the frame length and 1 for a request about to be sent, 0 for an answer received.
    using TNotifyEvent = std::function<void(quint8 Length, quint8 IsRequest)>;

    explicit TModbus(TPowerRsBus* bus);

    bool ReadRegisterPair(quint8 Address, quint16 Register, quint32& Value);
    bool WriteRegisterPair(quint8 Address, quint16 Register, quint32 Value);

    TNotifyEvent OnNotify;

private:
    bool Transfer(int RequestLength, int AnswerLength, quint8 Address, quint8 Function, quint16 Register);

    TPowerRsBus* FBus;
    std::array<quint8, 16> FBuffer{};
    bool FBusy = false;
};
