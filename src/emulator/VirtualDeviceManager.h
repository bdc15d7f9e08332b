#pragma once

#include "emulator/NerixRequest.h"
#include "emulator/VirtualDevice.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <memory>
#include <vector>

// The emulated bus: owns the emulated devices and answers Nerix requests as they would. Devices get
// consecutive addresses from 1 and serial numbers from the same counter; a refused or unaddressed
// request gets no answer at all, never an error reply.
class TVirtualDeviceManager {
public:
    // The next-address counter stops adding devices when it reaches this.
    static constexpr int kAddressLimit = 256;
    // Serial number of a device = this + its address counter value.
    static constexpr quint32 kSerialBase = 1245;

    TVirtualDeviceManager();
    // Frees the devices; their sequences stop first.
    ~TVirtualDeviceManager();
    TVirtualDeviceManager(const TVirtualDeviceManager&) = delete;
    TVirtualDeviceManager& operator=(const TVirtualDeviceManager&) = delete;

    // Adds up to Count devices of the class that emulates TypeCode, each at the next address. Every
    // repetition takes an address, also for a code no class emulates (nothing is created then);
    // the adding stops once the counter reaches kAddressLimit.
    void AddDevices(quint32 TypeCode, int Count);
    // Frees every device and starts the addresses again at 1.
    void ClearDevices();
    int DeviceCount() const { return int(FDevices.size()); }
    // Nothing when Index is out of range.
    TVirtualDevice* DeviceAt(int Index) const;
    // The model name of the device; "Out of range!" for an index past the list, empty for a type
    // code without a name.
    QString DeviceName(int Index) const;
    // How many of ChannelAt(0 .. ChannelCount - 1) exist and are of Kind; 0 for an index past the
    // list.
    int ChannelCountOfKind(int DeviceIndex, quint8 Kind) const;
    // The address (and serial number base) the next device gets.
    quint16 NextAddress() const { return FNextAddress; }

    // Serves one received Nerix frame: exactly 11 bytes with an intact CRC, served by the first
    // device that takes it. True when served; Answer then holds the 11 bytes to send back.
    bool ProcessNerixRequest(const quint8* Data, int Count, std::array<quint8, kNerixFrameSize>& Answer);
    bool ProcessNerixRequest(const QByteArray& Frame, QByteArray& Answer);
    // The request served last (or being served).
    const TNerixRequest& Request() const { return FRequest; }

private:
    std::vector<std::unique_ptr<TVirtualDevice>> FDevices;
    quint16 FNextAddress = 1;
    TNerixRequest FRequest;
};
