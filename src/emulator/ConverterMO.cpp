#include "emulator/ConverterMO.h"

#include "emulator/VirtualDeviceManager.h"
#include "protocol/Crc16.h"

#include <cstring>

namespace {
constexpr quint8 kReadHolding = 3;
constexpr quint8 kWriteMultiple = 16;
} // namespace

TConverterMO::TConverterMO(TVirtualDeviceManager* Manager)
    : FManager(Manager), FMaps(std::make_unique<TModbusMapManager>()) {}

TConverterMO::~TConverterMO() = default;

bool TConverterMO::SetRequest(const quint8* Data, int Count) {
    FCount = 0;
    if (!Data || Count <= 0 || Count > kBufferSize)
        return false;
    std::memcpy(FBuffer.data(), Data, size_t(Count));
    FCount = Count;
    return true;
}

bool TConverterMO::Process(const QByteArray& Request, QByteArray& Answer) {
    if (!SetRequest(reinterpret_cast<const quint8*>(Request.constData()), int(Request.size())) ||
        !ProcessModbusRequest()) {
        FCount = 0;
        return false;
    }
    Answer = QByteArray(reinterpret_cast<const char*>(FBuffer.data()), FCount);
    return true;
}

void TConverterMO::Finish(int Length) {
    PutCrc16(FBuffer.data(), Length);
    FCount = Length + 2;
}

bool TConverterMO::ProcessModbusRequest() {
    if (FCount < 2)
        return false;
    const quint8 function = FBuffer[1];
    if (function == kReadHolding) {
        if (FCount != 8)
            return false;
    } else if (function == kWriteMultiple) {
        // Only a write of one register pair carries a whole Nerix value; any other quantity would
        // have the CRC or a stray register taken as value bytes.
        if (FCount != 13 || FBuffer[6] != 4 || Word(4) != 2)
            return false;
    } else {
        return false;
    }
    if (Crc16(FBuffer.data(), FCount) != 0)
        return false;
    return TryDirectRead() || ConvertAndServe();
}

bool TConverterMO::TryDirectRead() {
    if (!FManager)
        return false;
    const quint16 start = Word(2);
    const quint16 count = Word(4);
    // Byte count, data and CRC must fit the buffer, whatever a device's block would take.
    if (count == 0 || 3 + int(count) * 2 + 2 > kBufferSize)
        return false;
    const bool isRead = FBuffer[1] == kReadHolding;
    for (int i = 0; i < FManager->DeviceCount(); ++i) {
        TVirtualDevice* device = FManager->DeviceAt(i);
        if (device->Address() != FBuffer[0])
            continue;
        if (!device->ReadModbusBlock(start, count, isRead, FBuffer.data() + 3))
            return false;
        FBuffer[2] = quint8(count * 2);
        Finish(3 + count * 2);
        return true;
    }
    return false;
}

bool TConverterMO::ConvertAndServe() {
    if (!FManager)
        return false;
    const bool isWrite = FBuffer[1] == kWriteMultiple;
    std::array<quint8, kNerixFrameSize> request{};
    request[1] = isWrite ? 1 : 0;
    if (isWrite)
        std::memcpy(request.data() + 5, FBuffer.data() + 7, 4);

    TVirtualDevice* device = nullptr;
    for (int i = 0; i < FManager->DeviceCount() && !device; ++i)
        if (FManager->DeviceAt(i)->Address() == FBuffer[0])
            device = FManager->DeviceAt(i);
    if (!device)
        return false;

    quint8 channel = 0;
    quint16 reg = 0;
    if (!FMaps->Lookup(quint16(device->TypeCode()), Word(2), channel, reg))
        return false;
    request[0] = FBuffer[0];
    request[2] = channel;
    request[3] = quint8(reg >> 8);
    request[4] = quint8(reg);
    PutCrc16(request.data(), 9);

    std::array<quint8, kNerixFrameSize> answer{};
    if (!FManager->ProcessNerixRequest(request.data(), kNerixFrameSize, answer))
        return false;
    if (isWrite) {
        // The echo: address, function, start and quantity as asked.
        Finish(6);
        return true;
    }
    // One register pair answers whatever quantity was asked: the devices map one value per pair.
    FBuffer[2] = 4;
    std::memcpy(FBuffer.data() + 3, answer.data() + 5, 4);
    Finish(7);
    return true;
}
