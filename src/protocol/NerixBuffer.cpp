#include "protocol/NerixBuffer.h"

#include "protocol/Crc16.h"

quint32 TBuffer::Value() const {
    return DecodeValue32(&Frame[5], OrderCode());
}

void TBuffer::SetValue(quint32 v) {
    EncodeValue32(v, OrderCode(), &Frame[5]);
}

quint16 TBuffer::Word(int index) const {
    if (index < 0 || index > 9)
        return 0;
    return quint16((Frame[size_t(index)] << 8) | Frame[size_t(index) + 1]);
}

void TBuffer::SetWord(int index, quint16 v) {
    if (index < 0 || index > 9)
        return;
    Frame[size_t(index)] = quint8(v >> 8);
    Frame[size_t(index) + 1] = quint8(v);
}

void TBuffer::Build(quint8 address, quint8 operation, quint8 object, quint16 property, quint32 value) {
    SetAddress(address);
    SetOperation(operation);
    SetObjectNumber(object);
    SetPropertyNumber(property);
    SetValue(value);
    SetCrc(Crc16(Frame.data(), 9));
}

bool TBuffer::Intact() const {
    return Crc16(Frame.data(), kNerixFrameSize) == 0;
}

bool NerixAnswerMatches(const quint8* request, const quint8* answer) {
    if (request[0] != 0 && answer[0] != request[0])
        return false;
    return answer[1] == request[1] && answer[2] == request[2] && answer[3] == request[3] &&
           answer[4] == request[4];
}
