#include "emulator/VirtualDeviceManager.h"

#include "emulator/VirtualDevices.h"
#include "model/DeviceRegister.h"

TVirtualDeviceManager::TVirtualDeviceManager() = default;

TVirtualDeviceManager::~TVirtualDeviceManager() {
    ClearDevices();
}

void TVirtualDeviceManager::AddDevices(quint32 TypeCode, int Count) {
    for (int i = 0; i < Count && FNextAddress < kAddressLimit; ++i, ++FNextAddress) {
        std::unique_ptr<TVirtualDevice> device = CreateVirtualDevice(this, TypeCode);
        if (!device)
            continue;
        device->SystemChannel().SetAddress(quint8(FNextAddress));
        device->SystemChannel().SetSerialNumber(kSerialBase + FNextAddress);
        FDevices.push_back(std::move(device));
    }
}

void TVirtualDeviceManager::ClearDevices() {
    FDevices.clear();
    FNextAddress = 1;
}

TVirtualDevice* TVirtualDeviceManager::DeviceAt(int Index) const {
    if (Index < 0 || Index >= DeviceCount())
        return nullptr;
    return FDevices[size_t(Index)].get();
}

QString TVirtualDeviceManager::DeviceName(int Index) const {
    const TVirtualDevice* device = DeviceAt(Index);
    if (!device)
        return QStringLiteral("Out of range!");
    return ModelNameOf(quint16(device->TypeCode()));
}

int TVirtualDeviceManager::ChannelCountOfKind(int DeviceIndex, quint8 Kind) const {
    const TVirtualDevice* device = DeviceAt(DeviceIndex);
    if (!device)
        return 0;
    int count = 0;
    for (int i = 0; i < device->ChannelCount(); ++i) {
        const TCustomVirtualChannel* channel = device->ChannelAt(i);
        if (channel && channel->Kind() == Kind)
            ++count;
    }
    return count;
}

bool TVirtualDeviceManager::ProcessNerixRequest(const quint8* Data, int Count,
                                                std::array<quint8, kNerixFrameSize>& Answer) {
    if (!Data || Count != kNerixFrameSize)
        return false;
    TNerixRequest request;
    if (!request.FromFrame(Data))
        return false;
    FRequest = request;
    for (const auto& device : FDevices) {
        if (device->Process(FRequest)) {
            Answer = FRequest.ToFrame();
            return true;
        }
    }
    return false;
}

bool TVirtualDeviceManager::ProcessNerixRequest(const QByteArray& Frame, QByteArray& Answer) {
    std::array<quint8, kNerixFrameSize> answer{};
    if (!ProcessNerixRequest(reinterpret_cast<const quint8*>(Frame.constData()), int(Frame.size()), answer))
        return false;
    Answer = QByteArray(reinterpret_cast<const char*>(answer.data()), kNerixFrameSize);
    return true;
}
