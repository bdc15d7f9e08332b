#include "emulator/VirtualDevice.h"

#include "emulator/VirtualDiscreteChannels.h"

TVirtualDevice::TVirtualDevice(TVirtualDeviceManager* Manager, quint32 TypeCode, quint32 ChannelMask)
    : FManager(Manager),
      FSystemChannel(std::make_unique<TVirtualSystemChannel>(this, TypeCode, ChannelMask)) {
    FSystemChannel->OnStore = [this] { Store(); };
    FSystemChannel->OnRestore = [this] { Restore(); };
}

TVirtualDevice::~TVirtualDevice() = default;

int TVirtualDevice::ChannelCount() const {
    return int(FChannels.size());
}

TCustomVirtualChannel* TVirtualDevice::ChannelAt(int Index) const {
    if (Index < 0)
        return nullptr;
    for (const auto& channel : FChannels)
        if (channel->Number() == Index + 1)
            return channel.get();
    return nullptr;
}

TCustomVirtualChannel* TVirtualDevice::AuxiliaryAt(quint8 Number) const {
    for (const auto& object : FAuxiliaries)
        if (object->Number() == Number)
            return object.get();
    return nullptr;
}

void TVirtualDevice::Store() {
    for (const auto& channel : FChannels)
        channel->Store();
    for (const auto& object : FAuxiliaries)
        object->Store();
    FSystemChannel->Store();
    FSettingsChanged = false;
}

void TVirtualDevice::Restore() {
    for (const auto& channel : FChannels)
        channel->Restore();
    for (const auto& object : FAuxiliaries)
        object->Restore();
    FSystemChannel->Restore();
}

bool TVirtualDevice::Process(TNerixRequest& Request) {
    if (Request.Address != Address())
        return false;
    if (Request.Channel == 0)
        return FSystemChannel->Process(Request);
    TCustomVirtualChannel* channel = ChannelAt(Request.Channel - 1);
    if (!channel)
        channel = AuxiliaryAt(Request.Channel);
    return channel && channel->Process(Request);
}

void TVirtualDevice::Adopt(std::unique_ptr<TCustomVirtualChannel> Channel) {
    if (Channel->Kind() == vkDiscreteOutput)
        static_cast<TVirtualDOChannel*>(Channel.get())->OnProtectionChange = [this](bool Protected) {
            SetOutputsProtected(Protected);
        };
    FChannels.push_back(std::move(Channel));
}

void TVirtualDevice::SetOutputsProtected(bool Protected) {
    for (const auto& channel : FChannels)
        if (channel->Kind() == vkDiscreteOutput)
            static_cast<TVirtualDOChannel*>(channel.get())->SetProtected(Protected);
}
