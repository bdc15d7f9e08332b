#include "support/NerixFrames.h"

#include "protocol/Crc16.h"

QByteArray NerixFrame(quint8 address, quint8 operation, quint8 object, quint16 property, quint32 value) {
    QByteArray f(11, '\0');
    auto* p = reinterpret_cast<quint8*>(f.data());
    p[0] = address;
    p[1] = operation;
    p[2] = object;
    p[3] = quint8(property >> 8);
    p[4] = quint8(property);
    p[5] = quint8(value >> 24);
    p[6] = quint8(value >> 16);
    p[7] = quint8(value >> 8);
    p[8] = quint8(value);
    PutCrc16(p, 9);
    return f;
}

QByteArray Hex(const QByteArray& bytes) {
    return bytes.toHex(' ').toUpper();
}

QByteArray FromHex(const char* spaced) {
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}
