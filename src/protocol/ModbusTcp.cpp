#include "protocol/ModbusTcp.h"

#include "protocol/Crc16.h"

#include <cstring>

namespace ModbusTcp {

namespace {
quint16 Word(const quint8* p) {
    return quint16((p[0] << 8) | p[1]);
}
void PutWord(quint8* p, quint16 v) {
    p[0] = quint8(v >> 8);
    p[1] = quint8(v);
}
} // namespace

TParse ParseHeader(const quint8* Data, int Count, THeader& Header) {
    if (!Data || Count < kHeaderSize)
        return TParse::NeedMore;
    Header.TransactionId = Word(Data);
    Header.ProtocolId = Word(Data + 2);
    Header.Length = Word(Data + 4);
    Header.Unit = Data[6];
    if (Header.ProtocolId != 0 || Header.Length < kMinLengthField || Header.Length > kMaxLengthField)
        return TParse::Invalid;
    return TParse::Ok;
}

int FrameFromRtu(const quint8* Rtu, int RtuLength, quint16 TransactionId, quint8* Out, int OutSize) {
    if (!Rtu || !Out || RtuLength < kMinRtuFrame || Crc16(Rtu, RtuLength) != 0)
        return -1;
    const int unitAndPdu = RtuLength - 2; // the CRC stays behind
    if (unitAndPdu > kMaxLengthField || 6 + unitAndPdu > OutSize)
        return -1;
    PutWord(Out, TransactionId);
    PutWord(Out + 2, 0);
    PutWord(Out + 4, quint16(unitAndPdu));
    std::memcpy(Out + 6, Rtu, size_t(unitAndPdu));
    return 6 + unitAndPdu;
}

int RtuFromFrame(const quint8* Frame, int Count, quint8* Out, int OutSize) {
    THeader h;
    if (!Out || ParseHeader(Frame, Count, h) != TParse::Ok || Count != h.FrameSize())
        return -1;
    const int unitAndPdu = int(h.Length);
    if (unitAndPdu + 2 > OutSize)
        return -1;
    std::memcpy(Out, Frame + 6, size_t(unitAndPdu));
    PutCrc16(Out, unitAndPdu);
    return unitAndPdu + 2;
}

bool LooksLikeNerix(const quint8* Request, int Count) {
    return Request && Count == 11 && Request[1] <= 1;
}

} // namespace ModbusTcp
