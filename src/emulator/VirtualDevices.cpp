#include "emulator/VirtualDevices.h"

#include "emulator/VirtualAnalogChannels.h"
#include "emulator/VirtualAuxiliaryChannels.h"
#include "emulator/VirtualDiscreteChannels.h"
#include "emulator/VirtualFileManager.h"
#include "emulator/VirtualThermometer.h"

#include <array>
#include <bit>
#include <cstring>

TVirtualKVDAIKBUS::TVirtualKVDAIKBUS(TVirtualDeviceManager* Manager) : TVirtualDevice(Manager, 0, 15) {
    AddChannels<TVirtualAIChannel>(1, 4);
}

bool TVirtualKVDAIKBUS::ReadModbusBlock(quint16 Start, quint16 Count, bool IsRead, quint8* Data) {
    if (!IsRead || !Data || Count == 0 || Start < kBlockStart || Start > kBlockLast ||
        int(Start) + int(Count) - 1 > kBlockLast)
        return false;
    // Built anew for every request, so a read always sees the outputs of this moment.
    std::array<quint8, 20> block{};
    auto put = [&](int Index, quint32 Bits) {
        for (int b = 0; b < 4; ++b)
            block[size_t(Index * 4 + b)] = quint8(Bits >> (24 - 8 * b));
    };
    for (int i = 0; i < 4; ++i) {
        const TCustomVirtualChannel* channel = ChannelAt(i);
        put(i, channel ? channel->Output() : 0);
    }
    put(4, std::bit_cast<quint32>(32.5f));
    std::memcpy(Data, block.data() + (Start - kBlockStart) * 2, size_t(Count) * 2);
    return true;
}

TVirtualKVDAI8BUS::TVirtualKVDAI8BUS(TVirtualDeviceManager* Manager) : TVirtualDevice(Manager, 1, 255) {
    AddChannels<TVirtualAI8Channel>(1, 8);
}

// The channel masks name every object a module answers on, its manager and health controller
// included, as the modules themselves report them: the device properties window lists an object
// only when its bit is set, so a mask of the inputs and outputs alone would hide the manager and
// controller windows.

TVirtualKVDAOBUS::TVirtualKVDAOBUS(TVirtualDeviceManager* Manager) : TVirtualDevice(Manager, 2, 0x1F) {
    AddChannels<TVirtualAOChannel>(1, 4);
    AddAuxiliary<TVirtualAOHealthController>(5);
}

TVirtualKVDAO6BUS::TVirtualKVDAO6BUS(TVirtualDeviceManager* Manager) : TVirtualDevice(Manager, 3, 0x7F) {
    AddChannels<TVirtualAOChannel>(1, 6);
    AddAuxiliary<TVirtualAOHealthController>(7);
}

TVirtualKVDDIBUS::TVirtualKVDDIBUS(TVirtualDeviceManager* Manager) : TVirtualDevice(Manager, 4, 0x4FF) {
    AddChannels<TVirtualDIChannel>(1, 8);
    AddAuxiliary<TVirtualDIOManager>(11);
}

// The mask covers the eight outputs only; inputs 9 and 10 are served all the same. This model
// emulates no manager or controller: its objects 9 and 10 are those inputs.
TVirtualKVDDOBUS::TVirtualKVDDOBUS(TVirtualDeviceManager* Manager) : TVirtualDevice(Manager, 5, 255) {
    AddChannels<TVirtualDOChannel>(1, 8);
    AddChannels<TVirtualDIChannel>(9, 2);
}

TVirtualKVDDIOBUS::TVirtualKVDDIOBUS(TVirtualDeviceManager* Manager) : TVirtualDevice(Manager, 6, 0x3F00F) {
    AddChannels<TVirtualDIChannel>(1, 4);
    AddChannels<TVirtualDOChannel>(13, 4);
    AddAuxiliary<TVirtualDIOManager>(17);
    AddAuxiliary<TVirtualHealthController>(18);
}

TVirtualKVDDOSBUS::TVirtualKVDDOSBUS(TVirtualDeviceManager* Manager) : TVirtualDevice(Manager, 7, 0x3FF) {
    AddChannels<TVirtualDOChannel>(1, 8);
    AddAuxiliary<TVirtualDIOManager>(9);
    AddAuxiliary<TVirtualHealthController>(10);
}

TVirtualKVDDORBUS::TVirtualKVDDORBUS(TVirtualDeviceManager* Manager) : TVirtualDevice(Manager, 8, 0x3F) {
    AddChannels<TVirtualDOChannel>(1, 4);
    AddAuxiliary<TVirtualDIOManager>(5, 4);
    AddAuxiliary<TVirtualHealthController>(6);
}

TVirtualKVDDIDCBUS::TVirtualKVDDIDCBUS(TVirtualDeviceManager* Manager) : TVirtualDevice(Manager, 10, 0x4FF) {
    AddChannels<TVirtualDIChannel>(1, 8);
    AddAuxiliary<TVirtualDIOManager>(11);
}

TVirtualKVDDOS12BUS::TVirtualKVDDOS12BUS(TVirtualDeviceManager* Manager)
    : TVirtualDevice(Manager, 17, 0x3FFF) {
    AddChannels<TVirtualDOChannel>(1, 12);
    AddAuxiliary<TVirtualDIOManager>(13);
    AddAuxiliary<TVirtualHealthController>(14);
}

TVirtualKVDDIOVIXPro::TVirtualKVDDIOVIXPro(TVirtualDeviceManager* Manager)
    : TVirtualDevice(Manager, 39, kChannelMask) {
    AddChannels<TVirtualDIChannel>(1, kInputs);
    AddChannels<TVirtualDOChannel>(5 + kInputs, kOutputs);
    AddAuxiliary<TVirtualDIOManagerExt>(9, kInputs);
    AddAuxiliary<TVirtualHealthController>(10);
}

// The mask names the file manager alone, so the device properties window offers only what answers.
TVirtualP340BUS::TVirtualP340BUS(TVirtualDeviceManager* Manager)
    : TVirtualDevice(Manager, 21, 1u << (kFileManagerObject - 1)) {
    AddAuxiliary<TVirtualFileManager>(kFileManagerObject);
}

std::unique_ptr<TVirtualDevice> CreateVirtualDevice(TVirtualDeviceManager* Manager, quint32 TypeCode) {
    switch (TypeCode) {
    case 0:
        return std::make_unique<TVirtualKVDAIKBUS>(Manager);
    case 1:
        return std::make_unique<TVirtualKVDAI8BUS>(Manager);
    case 2:
        return std::make_unique<TVirtualKVDAOBUS>(Manager);
    case 3:
        return std::make_unique<TVirtualKVDAO6BUS>(Manager);
    case 4:
        return std::make_unique<TVirtualKVDDIBUS>(Manager);
    case 5:
        return std::make_unique<TVirtualKVDDOBUS>(Manager);
    case 6:
        return std::make_unique<TVirtualKVDDIOBUS>(Manager);
    case 7:
        return std::make_unique<TVirtualKVDDOSBUS>(Manager);
    case 8:
        return std::make_unique<TVirtualKVDDORBUS>(Manager);
    case 10:
        return std::make_unique<TVirtualKVDDIDCBUS>(Manager);
    case 17:
        return std::make_unique<TVirtualKVDDOS12BUS>(Manager);
    case 21:
        return std::make_unique<TVirtualP340BUS>(Manager);
    case 30:
        return std::make_unique<TVirtualKVDVEVABUS>(Manager);
    case 39:
        return std::make_unique<TVirtualKVDDIOVIXPro>(Manager);
    default:
        return nullptr;
    }
}
