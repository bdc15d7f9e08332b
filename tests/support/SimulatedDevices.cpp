#include "support/SimulatedDevices.h"

#include "protocol/Crc16.h"

void TSimulatedDevices::AddNerixDevice(quint8 address,
                                       std::map<std::pair<quint8, quint16>, quint32> properties) {
    std::lock_guard lock(FMutex);
    FDevices[address].Properties = std::move(properties);
}

void TSimulatedDevices::SetDeviceBaud(quint8 address, quint32 baud) {
    std::lock_guard lock(FMutex);
    FDevices[address].Baud = baud;
}

void TSimulatedDevices::SetDeviceModbus(quint8 address, bool modbus) {
    std::lock_guard lock(FMutex);
    FDevices[address].Modbus = modbus;
}

void TSimulatedDevices::SetAddressFollowsBusSettings(quint8 address, bool follows) {
    std::lock_guard lock(FMutex);
    FDevices[address].AddressFollowsBusSettings = follows;
}

bool TSimulatedDevices::HasDevice(quint8 address) const {
    std::lock_guard lock(FMutex);
    return FDevices.count(address) > 0;
}

void TSimulatedDevices::AfterWrite(quint8 address, quint8 object, quint16 property) {
    const auto it = FDevices.find(address);
    if (it == FDevices.end() || !it->second.AddressFollowsBusSettings || object != 0 || property != 3)
        return;
    const quint8 moved = quint8(it->second.Properties[{0, 3}]);
    if (moved == address || moved == 0)
        return;
    TSimDevice dev = std::move(it->second);
    FDevices.erase(it);
    FDevices[moved] = std::move(dev);
}

quint32 TSimulatedDevices::Property(quint8 address, quint8 object, quint16 property) const {
    std::lock_guard lock(FMutex);
    const auto dev = FDevices.find(address);
    if (dev == FDevices.end())
        return 0;
    const auto it = dev->second.Properties.find({object, property});
    return it == dev->second.Properties.end() ? 0 : it->second;
}

QByteArray TSimulatedDevices::Answer(const QByteArray& request, quint32 lineSpeed) {
    std::lock_guard lock(FMutex);
    if (request.size() == 11 && quint8(request[1]) <= 1)
        return AnswerNerix(request, lineSpeed);
    return AnswerModbus(request, lineSpeed);
}

TSimulatedDevices::TSimDevice* TSimulatedDevices::DeviceFor(quint8 address, bool modbus, quint32 lineSpeed,
                                                            quint8* realAddress) {
    auto it = FDevices.end();
    if (address == 0) {
        if (FDevices.size() == 1)
            it = FDevices.begin();
    } else {
        it = FDevices.find(address);
    }
    if (it == FDevices.end())
        return nullptr;
    TSimDevice& dev = it->second;
    if (dev.Modbus != modbus || (dev.Baud != 0 && lineSpeed != 0 && lineSpeed != dev.Baud))
        return nullptr;
    *realAddress = it->first;
    return &dev;
}

QByteArray TSimulatedDevices::AnswerNerix(const QByteArray& request, quint32 lineSpeed) {
    if (Crc16(reinterpret_cast<const quint8*>(request.constData()), 11) != 0)
        return {};
    quint8 address = 0;
    TSimDevice* dev = DeviceFor(quint8(request[0]), false, lineSpeed, &address);
    if (!dev)
        return {};
    const auto object = quint8(request[2]);
    const auto property = quint16((quint8(request[3]) << 8) | quint8(request[4]));
    const auto it = dev->Properties.find(std::make_pair(object, property));
    if (it == dev->Properties.end())
        return {};
    QByteArray answer = request;
    auto* p = reinterpret_cast<quint8*>(answer.data());
    p[0] = address; // a request to address 0 is answered under the device's own address
    if (request[1] == 1) {
        it->second = (quint32(p[5]) << 24) | (quint32(p[6]) << 16) | (quint32(p[7]) << 8) | p[8];
    } else {
        const quint32 v = it->second;
        p[5] = quint8(v >> 24);
        p[6] = quint8(v >> 16);
        p[7] = quint8(v >> 8);
        p[8] = quint8(v);
    }
    PutCrc16(p, 9);
    if (request[1] == 1)
        AfterWrite(address, object, property);
    return answer;
}

QByteArray TSimulatedDevices::AnswerModbus(const QByteArray& request, quint32 lineSpeed) {
    static const std::map<quint16, quint16> registers = {{0, 0},     {2, 1},    {4, 2},    {6, 3},
                                                         {8, 5},     {10, 6},   {12, 15},  {14, 16},
                                                         {160, 160}, {32, 100}, {34, 101}, {36, 102}};
    const auto* q = reinterpret_cast<const quint8*>(request.constData());
    const int n = int(request.size());
    if (n < 8 || Crc16(q, n) != 0 || (q[1] != 3 && q[1] != 16) || q[4] != 0 || q[5] != 2 || q[0] == 0)
        return {};
    quint8 address = 0;
    TSimDevice* dev = DeviceFor(q[0], true, lineSpeed, &address);
    const auto reg = registers.find(quint16((q[2] << 8) | q[3]));
    if (!dev || reg == registers.end())
        return {};
    const auto it = dev->Properties.find(std::make_pair(quint8(0), reg->second));
    if (it == dev->Properties.end())
        return {};
    QByteArray a;
    if (q[1] == 3) {
        const quint32 v = it->second;
        a = QByteArray(reinterpret_cast<const char*>(q), 2);
        a.append(char(4)).append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
    } else {
        if (n != 13)
            return {};
        it->second = (quint32(q[7]) << 24) | (quint32(q[8]) << 16) | (quint32(q[9]) << 8) | q[10];
        a = QByteArray(reinterpret_cast<const char*>(q), 6);
    }
    a.resize(a.size() + 2);
    PutCrc16(reinterpret_cast<quint8*>(a.data()), int(a.size() - 2));
    if (q[1] == 16)
        AfterWrite(address, 0, reg->second);
    return a;
}
