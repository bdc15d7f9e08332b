#include "measurement/Responder.h"
#include "bus/AccessPoint.h"
#include "bus/PowerRSBus.h"
#include "protocol/Crc16.h"

#include <bit>
#include <cmath>

bool TCustomResponder::ReadValue(quint8, int, float&) {
    return false;
}

bool TCustomResponder::ReadRangeCode(quint8, int, quint32&) {
    return false;
}

std::array<quint8, 8> TModbusResponder::Request(quint8 Address, int ChannelIndex, quint8 Low) {
    std::array<quint8, 8> r{Address, 3, quint8(ChannelIndex + 1), Low, 0, 2, 0, 0};
    PutCrc16(r.data(), 6);
    return r;
}

bool TModbusResponder::AnswerBits(const quint8* Answer, quint32& Bits) {
    if (Crc16(Answer, 9) != 0 || Answer[1] != 3 || Answer[2] != 4)
        return false;
    Bits = quint32(Answer[3]) << 24 | quint32(Answer[4]) << 16 | quint32(Answer[5]) << 8 | Answer[6];
    return true;
}

bool TModbusResponder::ReadValue(quint8 Address, int ChannelIndex, float& Value) {
    if (!FAccessPoint)
        return false;
    const auto request = Request(Address, ChannelIndex, 0);
    std::array<quint8, 9> answer{};
    quint32 bits = 0;
    // A rejected answer costs the attempt, not the read: the access point tries again.
    const TAnswerCheck check = [](const quint8* a, int n) {
        quint32 b = 0;
        return n == 9 && AnswerBits(a, b);
    };
    if (!FAccessPoint->Exchange(request.data(), int(request.size()), int(answer.size()), answer.data(),
                                check) ||
        !AnswerBits(answer.data(), bits))
        return false;
    const float v = std::bit_cast<float>(bits);
    Value = std::isnan(v) ? 0.0f : v;
    return true;
}

bool TModbusResponder::ReadRangeCode(quint8 Address, int ChannelIndex, quint32& Value) {
    const auto request = Request(Address, ChannelIndex, 2);
    quint32 bits = 0;
    if (FBus && FBus->IsOpen()) {
        // On a serial line the range code goes straight through the bus's own transaction.
        std::copy(request.begin(), request.end(), FBuffer.begin());
        if (!FBus->SendReceive(FBuffer.data(), quint32(request.size()), quint32(FBuffer.size())) ||
            !AnswerBits(FBuffer.data(), bits))
            return false;
    } else {
        // A UDP or TCP line has no serial bus open; its access point carries the read instead,
        // or every range would show as unknown there.
        if (!FAccessPoint)
            return false;
        std::array<quint8, 9> answer{};
        if (!FAccessPoint->Exchange(request.data(), int(request.size()), int(answer.size()), answer.data()) ||
            !AnswerBits(answer.data(), bits))
            return false;
    }
    Value = bits;
    return true;
}
