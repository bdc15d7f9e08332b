#pragma once

#include "protocol/NerixBuffer.h"

#include <QtGlobal>
#include <array>

// The request an emulated device is serving, taken apart into plain fields. A channel that serves
// it changes only Value: a read puts the register's value there, a write leaves the written value in
// place, so that the answer to a write echoes the request.
struct TNerixRequest {
    quint8 Address = 0;
    quint8 Operation = 0; // 0 read; any other value is a write
    quint8 Channel = 0;   // 0 the system channel, 1 .. the device's channels
    quint16 Register = 0;
    quint32 Value = 0; // floats travel as their IEEE 754 single-precision bit pattern
    quint16 Crc = 0;   // as Crc16 returns it: the byte at 9 high, the byte at 10 low

    bool IsRead() const { return Operation == 0; }

    // Takes the fields of an 11-byte frame (value most significant byte first). False, and nothing
    // taken, when the CRC over the first nine bytes is not the one the frame carries.
    bool FromFrame(const quint8* Frame);
    // The answer: the fields with a CRC computed afresh (which Crc then holds too).
    std::array<quint8, kNerixFrameSize> ToFrame();
};
