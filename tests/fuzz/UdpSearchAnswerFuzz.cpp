// Whatever datagrams come back to the UDP search's probe of one address, the probe either finds no
// device or reports one whose identity values are those of intact answers to their own requests and
// whose line settings are within their ranges; and it finds the device whenever the four answers it
// cannot do without are intact.
//
// Input: byte 0 chooses the protocol (bit 0: Modbus RTU, else Nerix) and whether every datagram of
// three bytes or more gets a correct CRC in its last two (bit 1: values can then be explored
// without first hitting the CRC), byte 1 the address asked (0 asks address 1, as the search never
// asks 0), then the datagrams, each a length byte and its bytes; the last may be cut short.
#include "bus/UdpPortAccessPoint.h"
#include "discovery/UdpSearch.h"
#include "model/ZUVOModule.h"
#include "platform/Ticks.h"
#include "protocol/Crc16.h"
#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"

#include <QByteArray>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

// The probe paces its reads a few milliseconds apart on the monotonic clock. In this program the
// clock is the fuzzer's own (these two take the place of platform/Ticks.cpp, which the linker then
// leaves out) and moves only when something sleeps: the pacing costs no time and every run of an
// input takes the same path.
namespace {
quint64 gClock = 0;
}
quint64 TickCount() {
    return gClock;
}
void SleepMs(int ms) {
    if (ms > 0)
        gClock += quint64(ms);
}

namespace {

// The gateway as the probe meets it, without a socket: each attempt's answer is the next datagram.
// One datagram is the whole answer, as on the client socket: one of another length fails the attempt.
class TDatagramGateway : public TUdpPortAccessPoint {
public:
    TDatagramGateway(std::vector<QByteArray> Datagrams, TNerixModule& Module)
        : FDatagrams(std::move(Datagrams)), FModule(Module) {}

    bool DoExchange(const quint8* Request, int RequestLength, quint8* Answer, int AnswerLength) override {
        if (FNext >= FDatagrams.size())
            return false;
        const QByteArray& datagram = FDatagrams[FNext++];
        const std::optional<quint16> property = PropertyAsked(Request, RequestLength);
        if (!property)
            std::abort(); // the probe asks nothing but properties of object 0
        Returned[*property] = datagram;
        if (datagram.size() != AnswerLength)
            return false;
        std::memcpy(Answer, datagram.constData(), size_t(AnswerLength));
        return true;
    }
    bool DoOpen() override { return true; }
    void DoClose() override {}
    bool IsOpen() const override { return true; }

    // The last datagram returned to a request for each property.
    std::map<quint16, QByteArray> Returned;

private:
    std::optional<quint16> PropertyAsked(const quint8* Request, int Length) const {
        if (FModule.TransferProtocol() == tpNerix)
            return Length == kNerixFrameSize && Request[1] == noRead && Request[2] == 0
                       ? std::optional<quint16>(quint16((Request[3] << 8) | Request[4]))
                       : std::nullopt;
        if (Length != 8 || Request[1] != 3)
            return std::nullopt;
        const quint16 reg = quint16((Request[2] << 8) | Request[3]);
        for (const TRecordPOD& row : FModule.ModbusToNerix().Map().Rows())
            if (row.Register == reg && row.ObjectNumber == 0)
                return row.PropertyNumber;
        return std::nullopt;
    }

    std::vector<QByteArray> FDatagrams;
    size_t FNext = 0;
    TNerixModule& FModule;
};

quint32 BigEndian(const QByteArray& Bytes, int At) {
    const auto b = [&](int i) { return quint32(quint8(Bytes[At + i])); };
    return (b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3);
}

// The value a datagram carries when it is an intact answer to reading Property of object 0 at
// Address; nothing otherwise. The bare module of the search reads values most significant byte
// first.
std::optional<quint32> AnswerValue(const std::map<quint16, QByteArray>& Returned, TTransferProtocol Protocol,
                                   quint8 Address, quint16 Property) {
    const auto it = Returned.find(Property);
    if (it == Returned.end())
        return std::nullopt;
    const QByteArray& d = it->second;
    const auto* u = reinterpret_cast<const quint8*>(d.constData());
    if (Protocol == tpNerix) {
        if (d.size() != kNerixFrameSize || Crc16(u, kNerixFrameSize) != 0 || u[0] != Address ||
            u[1] != noRead || u[2] != 0 || u[3] != quint8(Property >> 8) || u[4] != quint8(Property))
            return std::nullopt;
        return BigEndian(d, 5);
    }
    if (d.size() != 9 || Crc16(u, 9) != 0 || u[0] != Address || u[1] != 3 || u[2] != 4)
        return std::nullopt;
    return BigEndian(d, 3);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const TTransferProtocol protocol = data[0] & 1 ? tpModbus : tpNerix;
    const quint8 address = data[1] ? data[1] : 1;
    std::vector<QByteArray> datagrams;
    for (size_t at = 2; at < size;) {
        const size_t length = std::min<size_t>(data[at], size - at - 1);
        QByteArray datagram(reinterpret_cast<const char*>(data + at + 1), qsizetype(length));
        if ((data[0] & 2) && length >= 3)
            PutCrc16(reinterpret_cast<quint8*>(datagram.data()), int(length - 2));
        datagrams.push_back(std::move(datagram));
        at += 1 + length;
    }

    TNerixModule module;
    TDatagramGateway gateway(std::move(datagrams), module);
    TUdpSearch search(module, gateway);
    TUdpHit hit;
    const bool found = search.Probe(address, protocol, hit);

    const auto value = [&](quint16 property) {
        return AnswerValue(gateway.Returned, protocol, address, property);
    };
    const auto type = value(spTypeCode);
    const auto serial = value(spSerialNumber);
    const auto mask = value(spChannelMask);
    const auto settings = value(spBusSettings);
    if (found != (type && serial && mask && settings))
        std::abort();
    if (!found)
        return 0;
    if (hit.Address != address || hit.Protocol != protocol || hit.TypeCode != *type ||
        hit.SerialNumber != *serial || hit.ChannelMask != *mask)
        std::abort();
    // The gateway owns the line: only speeds 1200 .. 115200, parities 0 .. 4, stop codes 0 .. 2.
    if (hit.BaudCode < 4 || hit.BaudCode > 13 || hit.ParityCode > 4 || hit.StopBitsCode > 2)
        std::abort();
    // Neither of the last two is needed: without an intact answer they read as unknown.
    const auto order = value(spByteOrder);
    if (order ? hit.ByteOrder != (*order <= 7 ? *order : 0) : hit.ByteOrder != boNAN)
        std::abort();
    if (hit.TimeoutCode != value(spAnswerTimeout).value_or(0))
        std::abort();
    return 0;
}
