#pragma once

#include "protocol/ByteOrder.h"

#include <QtGlobal>
#include <array>

// The fixed 11-byte Nerix frame, request and answer alike:
//   0 address | 1 operation (0 read, 1 write) | 2 object | 3-4 property, high byte first |
//   5-8 value in the frame's value order | 9-10 CRC, low byte first.
inline constexpr int kNerixFrameSize = 11;

enum TNerixOperation : quint8 { noRead = 0, noWrite = 1 };

// The frame of one module with the value order used to pack and unpack its value.
class TBuffer {
public:
    quint8 FallbackOrder = 0; // 0 .. 3, used while ValueOrder is boNAN
    TByteOrder ValueOrder = boNAN;
    std::array<quint8, kNerixFrameSize> Frame{};

    quint8 Address() const { return Frame[0]; }
    void SetAddress(quint8 v) { Frame[0] = v; }
    quint8 Operation() const { return Frame[1]; }
    void SetOperation(quint8 v) { Frame[1] = v; }
    quint8 ObjectNumber() const { return Frame[2]; }
    void SetObjectNumber(quint8 v) { Frame[2] = v; }
    quint16 PropertyNumber() const { return Word(3); }
    void SetPropertyNumber(quint16 v) { SetWord(3, v); }
    quint32 Value() const;
    void SetValue(quint32 v);
    // The CRC field as the swapped value of Crc16: high byte at 9, low byte at 10.
    quint16 Crc() const { return Word(9); }
    void SetCrc(quint16 v) { SetWord(9, v); }

    // The 16-bit field starting at byte `index`, high byte first; 0 / nothing for an index above 9.
    quint16 Word(int index) const;
    void SetWord(int index, quint16 v);

    // The order code (0 .. 3) that Value and SetValue use now.
    int OrderCode() const { return ByteOrderCode(ValueOrder, FallbackOrder); }

    // Fills the whole frame, CRC included.
    void Build(quint8 address, quint8 operation, quint8 object, quint16 property, quint32 value);
    // The CRC over all 11 bytes is 0.
    bool Intact() const;
};

// Whether `answer` answers `request`: the same operation, object and property, and the same address
// unless the request went to address 0 (a scan by speeds asks there and learns the address).
// A frame taken only on its CRC could be a stray or late answer to another request.
bool NerixAnswerMatches(const quint8* request, const quint8* answer);
