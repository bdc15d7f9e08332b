#include "protocol/ModbusToNerix.h"

#include "protocol/Crc16.h"
#include "protocol/NerixModule.h"

#include <algorithm>
#include <cstring>

namespace {
// Object 0, the device itself, in every register map.
// clang-format off
constexpr TRecordPOD kDefaultRows[] = {
    {0, 0, 0},    {2, 0, 1},    {4, 0, 2},    {6, 0, 3},    {8, 0, 5},     {10, 0, 6},
    {12, 0, 15},  {14, 0, 16},  {160, 0, 160}, {32, 0, 100}, {34, 0, 101}, {36, 0, 102},
};
// clang-format on
constexpr quint8 kReadFunction = 3;
constexpr quint8 kWriteFunction = 16;
} // namespace

void TModbusPOD::AddMapping(quint16 Register, quint8 ObjectNumber, quint16 PropertyNumber) {
    const bool taken = std::any_of(FRows.begin(), FRows.end(), [&](const TRecordPOD& r) {
        return r.Register == Register ||
               (r.ObjectNumber == ObjectNumber && r.PropertyNumber == PropertyNumber);
    });
    if (!taken)
        FRows.push_back({Register, ObjectNumber, PropertyNumber});
}

bool TModbusPOD::FindRegister(quint8 ObjectNumber, quint16 PropertyNumber, quint16& Register) const {
    for (const auto& r : FRows) {
        if (r.ObjectNumber == ObjectNumber && r.PropertyNumber == PropertyNumber) {
            Register = r.Register;
            return true;
        }
    }
    return false;
}

bool ModbusPairAnswerMatches(quint8 address, quint8 function, quint16 reg, const quint8* a, int length) {
    if (address != 0 && a[0] != address)
        return false;
    if (a[1] != function)
        return false;
    if (function == kReadFunction)
        return length == 9 && a[2] == 4 && Crc16(a, 9) == 0;
    if (function == kWriteFunction)
        return length == 8 && a[2] == quint8(reg >> 8) && a[3] == quint8(reg) && a[4] == 0 && a[5] == 2 &&
               Crc16(a, 8) == 0;
    return false;
}

TModbusToNerix::TModbusToNerix(TNerixModule* owner) : FOwner(owner) {
    for (const auto& r : kDefaultRows)
        FMap.AddMapping(r.Register, r.ObjectNumber, r.PropertyNumber);
}

bool TModbusToNerix::PackRequest(int& RequestLength, int& AnswerLength) {
    const TBuffer& nerix = FOwner->Buffer();
    quint16 reg = 0;
    if (!FMap.FindRegister(nerix.ObjectNumber(), nerix.PropertyNumber(), reg))
        return false;
    auto& b = FBuffer;
    b[0] = nerix.Address();
    b[1] = nerix.Operation() == noWrite ? kWriteFunction : kReadFunction;
    b[2] = quint8(reg >> 8);
    b[3] = quint8(reg);
    b[4] = 0;
    b[5] = 2;
    if (b[1] == kReadFunction) {
        PutCrc16(b.data(), 6);
        RequestLength = 8;
        AnswerLength = 9;
    } else {
        b[6] = 4;
        // The value bytes travel as they stand in the Nerix frame, so its value order applies.
        std::memcpy(&b[7], &nerix.Frame[5], 4);
        PutCrc16(b.data(), 11);
        RequestLength = 13;
        AnswerLength = 8;
    }
    std::memcpy(FRequestHead.data(), b.data(), FRequestHead.size());
    return true;
}

bool TModbusToNerix::AnswerMatches(const quint8* answer, int length) const {
    const quint16 reg = quint16((FRequestHead[2] << 8) | FRequestHead[3]);
    return ModbusPairAnswerMatches(FRequestHead[0], FRequestHead[1], reg, answer, length);
}

bool TModbusToNerix::UnpackAnswer() {
    const quint8 function = FRequestHead[1];
    if (!AnswerMatches(FBuffer.data(), function == kReadFunction ? 9 : 8))
        return false;
    if (function == kReadFunction) {
        TBuffer& nerix = FOwner->Buffer();
        std::memcpy(&nerix.Frame[5], &FBuffer[3], 4);
        nerix.SetCrc(Crc16(nerix.Frame.data(), 9));
    }
    return true;
}
