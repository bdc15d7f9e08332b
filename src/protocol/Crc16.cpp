#include "protocol/Crc16.h"

#include <array>

namespace {
constexpr std::array<quint16, 256> MakeTable() {
    std::array<quint16, 256> t{};
    for (int i = 0; i < 256; ++i) {
        quint16 c = quint16(i);
        for (int b = 0; b < 8; ++b)
            c = (c & 1) ? quint16((c >> 1) ^ 0xA001) : quint16(c >> 1);
        t[size_t(i)] = c;
    }
    return t;
}
constexpr auto kTable = MakeTable();
} // namespace

quint16 Crc16(const quint8* Data, int Count) {
    quint16 crc = 0xFFFF;
    for (int i = 0; i < Count; ++i)
        crc = quint16((crc >> 8) ^ kTable[(crc ^ Data[i]) & 0xFF]);
    return quint16((crc << 8) | (crc >> 8));
}

void PutCrc16(quint8* Data, int Count) {
    const quint16 swapped = Crc16(Data, Count);
    Data[Count] = quint8(swapped >> 8);
    Data[Count + 1] = quint8(swapped);
}
