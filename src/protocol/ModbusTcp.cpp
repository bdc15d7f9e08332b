#include "protocol/ModbusTcp.h"

#include "bus/TcpPortAccessPoint.h"
#include "protocol/Crc16.h"

#include <QString>

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

namespace {
class TModbusTcpCodec : public TTcpFrameCodec {
public:
    QString Refuse(const quint8* Request, int Length) const override {
        if (LooksLikeNerix(Request, Length))
            return QStringLiteral("a Modbus TCP gateway carries Modbus only: Nerix needs the raw framing "
                                  "(a serial device server in transparent mode)");
        if (!Request || Length < kMinRtuFrame || Crc16(Request, Length) != 0)
            return QStringLiteral("a Modbus TCP gateway carries Modbus RTU requests only");
        return {};
    }
    int MaxRequest() const override { return kMaxLengthField + 2; }
    int Wrap(const quint8* Request, int Length, quint16 Id, quint8* Out, int OutSize) const override {
        return FrameFromRtu(Request, Length, Id, Out, OutSize);
    }
    int FrameSize(const quint8* Data, int Count, quint16& Id, QString& Why) const override {
        THeader h;
        switch (ParseHeader(Data, Count, h)) {
        case TParse::NeedMore:
            return 0;
        case TParse::Invalid:
            Why = QStringLiteral("a frame that is not Modbus TCP (protocol %1, length %2)")
                      .arg(h.ProtocolId)
                      .arg(h.Length);
            return -1;
        case TParse::Ok:
            break;
        }
        Id = h.TransactionId;
        return h.FrameSize();
    }
    int Unwrap(const quint8* Frame, int Count, quint8* Out, int OutSize) const override {
        return RtuFromFrame(Frame, Count, Out, OutSize);
    }
};
} // namespace

const TTcpFrameCodec& Codec() {
    static const TModbusTcpCodec codec;
    return codec;
}

} // namespace ModbusTcp

void UseModbusTcp(TTcpPortAccessPoint& AP) {
    AP.SetFraming(TTcpFraming::ModbusTcp);
    AP.SetCodec(&ModbusTcp::Codec());
}
