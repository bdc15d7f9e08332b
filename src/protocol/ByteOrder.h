#pragma once

#include <QtGlobal>

// The wire order of the four bytes of a 32-bit value (byte 0 is the least significant). The x10/x01
// suffix does not change a frame: only the ordinal modulo 4 counts. boNAN defers to a fallback code.
enum TByteOrder {
    bo3210x10, // 3, 2, 1, 0: most significant first
    bo0123x10, // 0, 1, 2, 3: least significant first
    bo1032x10, // 1, 0, 3, 2
    bo2301x10, // 2, 3, 0, 1
    bo3210x01,
    bo0123x01,
    bo1032x01,
    bo2301x01,
    boNAN,
};
inline constexpr int kByteOrderCount = 9;

// The order code 0 .. 3 that a frame uses: the order's ordinal modulo 4, or the fallback for boNAN.
int ByteOrderCode(TByteOrder order, quint8 fallback);

// Writes `value` into out[0..3] in the wire order of `code` (0 .. 3). Each order is its own inverse,
// so DecodeValue32 with the same code gives the value back.
void EncodeValue32(quint32 value, int code, quint8* out);
quint32 DecodeValue32(const quint8* in, int code);
