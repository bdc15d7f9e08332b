// Whatever a Modbus TCP gateway sends, the framing either refuses it or gives back an intact RTU
// frame of exactly the PDU the header announced, never reading past what arrived. The input is
// taken as a stream of frames, the way the access point walks it.
#include "protocol/Crc16.h"
#include "protocol/ModbusTcp.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the input's size, so reading past it is caught.
    std::vector<quint8> stream(data, data + size);
    int at = 0;
    while (int(stream.size()) - at >= ModbusTcp::kHeaderSize) {
        const quint8* frame = stream.data() + at;
        const int left = int(stream.size()) - at;
        ModbusTcp::THeader h;
        const ModbusTcp::TParse parse = ModbusTcp::ParseHeader(frame, left, h);
        if (parse == ModbusTcp::TParse::Invalid)
            break; // the access point drops the connection here
        if (parse != ModbusTcp::TParse::Ok || h.FrameSize() > ModbusTcp::kMaxFrame)
            std::abort();
        if (left < h.FrameSize())
            break;
        std::array<quint8, ModbusTcp::kMaxFrame> rtu{};
        const int n = ModbusTcp::RtuFromFrame(frame, h.FrameSize(), rtu.data(), int(rtu.size()));
        if (n != int(h.Length) + 2 || Crc16(rtu.data(), n) != 0 ||
            std::memcmp(rtu.data(), frame + 6, size_t(h.Length)) != 0)
            std::abort();
        // And back: the same frame again, under its own transaction id.
        std::array<quint8, ModbusTcp::kMaxFrame> again{};
        const int m =
            ModbusTcp::FrameFromRtu(rtu.data(), n, h.TransactionId, again.data(), int(again.size()));
        if (m != h.FrameSize() || std::memcmp(again.data(), frame, size_t(m)) != 0)
            std::abort();
        at += h.FrameSize();
    }
    return 0;
}
