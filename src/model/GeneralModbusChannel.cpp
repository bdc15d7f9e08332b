#include "model/GeneralModbusChannel.h"

#include "bus/AccessPoint.h"
#include "protocol/ByteOrder.h"
#include "protocol/Crc16.h"
#include "protocol/NerixModule.h"

#include <algorithm>
#include <bit>

namespace {

int Code16(quint8 Order) {
    return Order == 1 ? 1 : 0;
}
int Code32(quint8 Order) {
    return Order <= 3 ? Order : 0;
}

} // namespace

TGeneralModbusChannel::TGeneralModbusChannel(TNerixModule* Module) : FModule(Module) {}

void TGeneralModbusChannel::Clear() {
    FLength = 0;
    FRegisterCount = 0;
    FHasData = false;
    FWriting = false;
    FCursor = 0;
}

void TGeneralModbusChannel::SetBase(quint16 Register) {
    FBaseRegister = Register;
    Clear();
}

void TGeneralModbusChannel::SetOffset(quint8 Offset) {
    FOffset = Offset;
    Clear();
}

void TGeneralModbusChannel::BeginWrite() {
    Clear();
    const quint16 reg = Register();
    FBuffer[0] = FModule ? FModule->Address() : 0;
    FBuffer[1] = 16;
    FBuffer[2] = quint8(reg >> 8);
    FBuffer[3] = quint8(reg);
    // Register count and byte count are filled in by SendWrite.
    FBuffer[4] = FBuffer[5] = FBuffer[6] = 0;
    FLength = kWriteHeader;
    FWriting = true;
}

bool TGeneralModbusChannel::CanAdd(int Bytes) const {
    // A word needs at most 246 bytes in use, a long 244: the request then still has room for its
    // CRC, and a request of 120 registers is the longest one there is.
    return FWriting && !FHasData && FLength <= kBufferSize - 9 - (Bytes - 2);
}

bool TGeneralModbusChannel::AddWord(quint16 Value) {
    if (!CanAdd(2))
        return false;
    const bool swapped = Code16(FOrder16) == 1;
    FBuffer[FLength] = swapped ? quint8(Value) : quint8(Value >> 8);
    FBuffer[FLength + 1] = swapped ? quint8(Value >> 8) : quint8(Value);
    FLength += 2;
    FRegisterCount += 1;
    return true;
}

bool TGeneralModbusChannel::AddLong(quint32 Value) {
    if (!CanAdd(4))
        return false;
    EncodeValue32(Value, Code32(FOrder32), FBuffer.data() + FLength);
    FLength += 4;
    FRegisterCount += 2;
    return true;
}

bool TGeneralModbusChannel::AddFloat(float Value) {
    return AddLong(std::bit_cast<quint32>(Value));
}

bool TGeneralModbusChannel::SendWrite() {
    if (!FWriting || FRegisterCount == 0 || !FModule || !FModule->AP())
        return false;
    FBuffer[4] = 0;
    FBuffer[5] = FRegisterCount;
    FBuffer[6] = quint8(2 * FRegisterCount);
    PutCrc16(FBuffer.data(), FLength);
    const int requestLength = FLength + 2;
    const quint8 address = FBuffer[0];
    const quint8 regHigh = FBuffer[2], regLow = FBuffer[3], count = FRegisterCount;
    const TAnswerCheck check = [&](const quint8* a, int n) {
        return n == 8 && Crc16(a, 8) == 0 && a[0] == address && a[1] == 16 && a[2] == regHigh &&
               a[3] == regLow && a[4] == 0 && a[5] == count;
    };
    std::array<quint8, 8> answer{};
    if (!FModule->AP()->Exchange(FBuffer.data(), requestLength, 8, answer.data(), check) ||
        !check(answer.data(), 8))
        return false;
    Clear();
    return true;
}

bool TGeneralModbusChannel::Read(int Count) {
    FWriting = false;
    if (Count < 1 || Count > kMaxReadCount || !FModule || !FModule->AP()) {
        Clear();
        return false;
    }
    const quint16 reg = Register();
    const quint8 address = FModule->Address();
    std::array<quint8, 8> request = {address, 3, quint8(reg >> 8), quint8(reg), 0, quint8(Count)};
    PutCrc16(request.data(), 6);
    const int answerLength = 2 * Count + 5;
    const TAnswerCheck check = [&](const quint8* a, int n) {
        return n == answerLength && Crc16(a, n) == 0 && a[0] == address && a[1] == 3 && a[2] == 2 * Count;
    };
    std::array<quint8, kBufferSize> answer{};
    Clear();
    if (!FModule->AP()->Exchange(request.data(), 8, answerLength, answer.data(), check) ||
        !check(answer.data(), answerLength))
        return false;
    std::copy_n(answer.begin() + 3, 2 * Count, FBuffer.begin());
    FLength = quint8(2 * Count);
    FRegisterCount = quint8(Count);
    FHasData = true;
    return true;
}

void TGeneralModbusChannel::Taken(int Bytes) {
    FCursor += Bytes;
    FRegisterCount = quint8(FRegisterCount - Bytes / 2);
    if (FCursor >= FLength)
        FHasData = false;
}

quint16 TGeneralModbusChannel::TakeWord() {
    if (!HasWord())
        return 0;
    const quint8 a = FBuffer[FCursor], b = FBuffer[FCursor + 1];
    const quint16 value = Code16(FOrder16) == 1 ? quint16(b << 8 | a) : quint16(a << 8 | b);
    Taken(2);
    return value;
}

quint32 TGeneralModbusChannel::TakeLong() {
    if (!HasLong())
        return 0;
    const quint32 value = DecodeValue32(FBuffer.data() + FCursor, Code32(FOrder32));
    Taken(4);
    return value;
}

float TGeneralModbusChannel::TakeFloat() {
    return std::bit_cast<float>(TakeLong());
}
