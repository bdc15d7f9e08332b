#pragma once

#include <QtGlobal>

class TTcpFrameCodec;
class TTcpPortAccessPoint;

// Modbus TCP framing. A Modbus TCP gateway takes the application data unit of RTU without its CRC,
// behind a 7-byte header (MBAP): transaction id, protocol id 0, the count of the bytes that follow,
// and the unit id, which stands where the RTU address stood. The functions here turn an RTU frame
// into that header and data unit and back, so everything above the access point keeps speaking RTU.
namespace ModbusTcp {

inline constexpr int kHeaderSize = 7;
// The largest frame a Modbus TCP peer may send: header and a PDU of at most 253 bytes.
inline constexpr int kMaxFrame = 260;
// The header's length field counts the unit id and the PDU: at least the function code.
inline constexpr int kMinLengthField = 2;
inline constexpr int kMaxLengthField = kMaxFrame - 6;
// The shortest RTU frame: address, function, CRC.
inline constexpr int kMinRtuFrame = 4;

struct THeader {
    quint16 TransactionId = 0;
    quint16 ProtocolId = 0;
    quint16 Length = 0; // bytes after the length field: unit id and PDU
    quint8 Unit = 0;
    // The whole frame's size, header included.
    int FrameSize() const { return 6 + int(Length); }
};

enum class TParse {
    NeedMore, // fewer than kHeaderSize bytes (or fewer than the header announces, for ParseFrame)
    Ok,
    Invalid, // protocol id not 0 or length field out of range: the stream cannot be trusted further
};

// Reads the header at Data. Invalid when the protocol id is not 0 or the length field lies outside
// kMinLengthField .. kMaxLengthField.
TParse ParseHeader(const quint8* Data, int Count, THeader& Header);

// The MBAP frame of an RTU request: Rtu holds address, function, data and a CRC, which must be
// intact. Returns the frame's length in Out, or -1 when Rtu is not an intact RTU frame or Out is too
// small (kMaxFrame always suffices).
int FrameFromRtu(const quint8* Rtu, int RtuLength, quint16 TransactionId, quint8* Out, int OutSize);

// The RTU frame of one whole MBAP frame (Count must be the header's FrameSize): the unit id as
// address, the PDU, a fresh CRC. Returns the RTU length in Out, or -1 when the frame is not valid or
// Out is too small.
int RtuFromFrame(const quint8* Frame, int Count, quint8* Out, int OutSize);

// Whether an RTU-sized request is a Nerix frame rather than Modbus: 11 bytes whose second byte is a
// Nerix operation (0 read, 1 write). No Modbus request has that shape: function 0 does not exist and
// a function 1 request is 8 bytes long.
bool LooksLikeNerix(const quint8* Request, int Count);

// The framing above as the TCP access point uses it.
const TTcpFrameCodec& Codec();

} // namespace ModbusTcp

// Makes AP a Modbus TCP client: its framing and the codec that goes with it.
void UseModbusTcp(TTcpPortAccessPoint& AP);
