#pragma once

#include "emulator/NerixRequest.h"
#include "emulator/VirtualChannel.h"

#include <QtGlobal>
#include <memory>
#include <vector>

class TVirtualDeviceManager;

// The base of every emulated device: a system channel (channel 0) and the channels its class
// creates, all held for the device's life. A device serves a request addressed to it when the
// channel it names serves it; otherwise it stays silent, as a device that is not on the bus.
class TVirtualDevice {
public:
    TVirtualDevice(TVirtualDeviceManager* Manager, quint32 TypeCode, quint32 ChannelMask);
    virtual ~TVirtualDevice();
    TVirtualDevice(const TVirtualDevice&) = delete;
    TVirtualDevice& operator=(const TVirtualDevice&) = delete;

    // The channels, not counting the system channel.
    virtual int ChannelCount() const;
    // The channel whose number is Index + 1, or nothing. Channel numbers need not be contiguous,
    // so some indexes below ChannelCount may give nothing and some above it a channel.
    virtual TCustomVirtualChannel* ChannelAt(int Index) const;
    // Every channel's working settings to its flash copy, then the system channel's.
    virtual void Store();
    // Every channel's flash copy back to its working settings, then the system channel's.
    virtual void Restore();
    // Serves the request when it is addressed to this device and the channel it names serves it.
    virtual bool Process(TNerixRequest& Request);
    // A Modbus read answered from a block of the device's own, Count * 2 bytes into Data. No
    // device has one unless its class says so.
    virtual bool ReadModbusBlock(quint16 Start, quint16 Count, bool IsRead, quint8* Data) { return false; }

    TVirtualDeviceManager* Manager() const { return FManager; }
    TVirtualSystemChannel& SystemChannel() { return *FSystemChannel; }
    const TVirtualSystemChannel& SystemChannel() const { return *FSystemChannel; }
    quint32 TypeCode() const { return FSystemChannel->TypeCode(); }
    quint8 Address() const { return FSystemChannel->Address(); }

    // Set when a client changed a setting that flash keeps; Store clears it. The group settings
    // window offers to store on close while it is set.
    bool SettingsChanged() const { return FSettingsChanged; }
    void SetSettingsChanged(bool Value) { FSettingsChanged = Value; }

protected:
    // Creates Count channels of class T numbered First, First + 1, ...; the device classes call it
    // in their constructors, in channel order.
    template <class T> void AddChannels(quint8 First, int Count) {
        for (int i = 0; i < Count; ++i)
            Adopt(std::make_unique<T>(this, quint8(First + i)));
    }
    // An object that answers on its number without being one of the device's channels (a manager,
    // a health controller).
    template <class T, class... Args> T* AddAuxiliary(quint8 Number, Args... More) {
        auto object = std::make_unique<T>(this, Number, More...);
        T* result = object.get();
        FAuxiliaries.push_back(std::move(object));
        return result;
    }

public:
    // The auxiliary object with that number, or nothing.
    TCustomVirtualChannel* AuxiliaryAt(quint8 Number) const;

private:
    void Adopt(std::unique_ptr<TCustomVirtualChannel> Channel);
    // Written protection goes to every discrete output of the device at once.
    void SetOutputsProtected(bool Protected);

    TVirtualDeviceManager* FManager;
    std::unique_ptr<TVirtualSystemChannel> FSystemChannel;
    std::vector<std::unique_ptr<TCustomVirtualChannel>> FChannels;
    std::vector<std::unique_ptr<TCustomVirtualChannel>> FAuxiliaries;
    bool FSettingsChanged = false;
};
