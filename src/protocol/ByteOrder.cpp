#include "protocol/ByteOrder.h"

namespace {
// For each code, which byte of the value (0 = least significant) travels first, second, ...
constexpr int kWire[4][4] = {{3, 2, 1, 0}, {0, 1, 2, 3}, {1, 0, 3, 2}, {2, 3, 0, 1}};
} // namespace

int ByteOrderCode(TByteOrder order, quint8 fallback) {
    if (order == boNAN || int(order) < 0 || int(order) >= kByteOrderCount)
        return fallback & 3;
    return int(order) % 4;
}

void EncodeValue32(quint32 value, int code, quint8* out) {
    const int* wire = kWire[code & 3];
    for (int i = 0; i < 4; ++i)
        out[i] = quint8(value >> (8 * wire[i]));
}

quint32 DecodeValue32(const quint8* in, int code) {
    const int* wire = kWire[code & 3];
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value |= quint32(in[i]) << (8 * wire[i]);
    return value;
}
