#include "support/ModbusFrames.h"

#include "protocol/Crc16.h"

QByteArray WithCrc(QByteArray Body) {
    Body.resize(Body.size() + 2);
    PutCrc16(reinterpret_cast<quint8*>(Body.data()), int(Body.size()) - 2);
    return Body;
}
