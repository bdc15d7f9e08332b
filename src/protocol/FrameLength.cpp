#include "protocol/FrameLength.h"

namespace {

constexpr int kNerixFrame = 11;

// Functions whose length is known at all.
bool KnownModbusFunction(quint8 Function) {
    switch (Function & 0x7F) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 15:
    case 16:
        return true;
    default:
        return false;
    }
}

} // namespace

int ModbusRequestLength(const quint8* Data, int Count) {
    if (!Data || Count < 2)
        return 0;
    switch (Data[1]) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        return 8;
    case 15:
    case 16:
        return Count >= 7 ? 9 + Data[6] : 0;
    default:
        return 0;
    }
}

int ModbusAnswerLength(const quint8* Data, int Count) {
    if (!Data || Count < 2)
        return 0;
    if ((Data[1] & 0x80) && KnownModbusFunction(Data[1]))
        return 5;
    switch (Data[1]) {
    case 1:
    case 2:
    case 3:
    case 4:
        return Count >= 3 ? 5 + Data[2] : 0;
    case 5:
    case 6:
    case 15:
    case 16:
        return 8;
    default:
        return 0;
    }
}

int FrameLength(TTransferProtocol Protocol, TFrameRole Role, const quint8* Data, int Count) {
    switch (Protocol) {
    case tpNerix:
        return kNerixFrame;
    case tpModbus: {
        if (!Data || Count < 2)
            return 0;
        if (Role == TFrameRole::Request && (Data[1] & 0x80))
            return -1;
        if (!KnownModbusFunction(Data[1]))
            return -1;
        return Role == TFrameRole::Request ? ModbusRequestLength(Data, Count)
                                           : ModbusAnswerLength(Data, Count);
    }
    default:
        return -1;
    }
}
