#pragma once

#include "emulator/VirtualDevice.h"

#include <QtGlobal>
#include <memory>

// The emulated models. Each creates its channels with their bus numbers and reports its type code
// and channel mask in the system channel.

class TVirtualKVDAIKBUS : public TVirtualDevice { // 4 analog inputs
public:
    explicit TVirtualKVDAIKBUS(TVirtualDeviceManager* Manager);

    // The measurement block at holding registers 4096 .. 4105: the outputs of channels 1 to 4 and
    // the constant 32.5, each float most significant byte first. Only reads that stay inside it.
    static constexpr quint16 kBlockStart = 4096;
    static constexpr quint16 kBlockLast = 4105;
    bool ReadModbusBlock(quint16 Start, quint16 Count, bool IsRead, quint8* Data) override;
};

class TVirtualKVDAI8BUS : public TVirtualDevice { // 8 analog inputs of the eight-channel kind
public:
    explicit TVirtualKVDAI8BUS(TVirtualDeviceManager* Manager);
};

class TVirtualKVDAOBUS : public TVirtualDevice { // 4 analog outputs
public:
    explicit TVirtualKVDAOBUS(TVirtualDeviceManager* Manager);
};

class TVirtualKVDAO6BUS : public TVirtualDevice { // 6 analog outputs
public:
    explicit TVirtualKVDAO6BUS(TVirtualDeviceManager* Manager);
};

class TVirtualKVDDIBUS : public TVirtualDevice { // 8 discrete inputs
public:
    explicit TVirtualKVDDIBUS(TVirtualDeviceManager* Manager);
};

class TVirtualKVDDOBUS : public TVirtualDevice { // 8 discrete outputs, 2 discrete inputs (9, 10)
public:
    explicit TVirtualKVDDOBUS(TVirtualDeviceManager* Manager);
};

class TVirtualKVDDIOBUS : public TVirtualDevice { // 4 discrete inputs (1..4), 4 outputs (13..16)
public:
    explicit TVirtualKVDDIOBUS(TVirtualDeviceManager* Manager);
};

class TVirtualKVDDOSBUS : public TVirtualDevice { // 8 discrete outputs
public:
    explicit TVirtualKVDDOSBUS(TVirtualDeviceManager* Manager);
};

class TVirtualKVDDORBUS : public TVirtualDevice { // 4 discrete outputs
public:
    explicit TVirtualKVDDORBUS(TVirtualDeviceManager* Manager);
};

class TVirtualKVDDIDCBUS : public TVirtualDevice { // 8 discrete inputs
public:
    explicit TVirtualKVDDIDCBUS(TVirtualDeviceManager* Manager);
};

class TVirtualKVDDOS12BUS : public TVirtualDevice { // 12 discrete outputs
public:
    explicit TVirtualKVDDOS12BUS(TVirtualDeviceManager* Manager);
};

// Four points, each an input or an output: here points 0 and 1 are inputs (channels 1, 2) and points 2
// and 3 outputs (channels 7, 8: the output of point p is channel 5 + p), with the larger manager (9)
// and a health controller (10). The channel mask tells the configuration as these modules report
// it: the number of inputs in bits 0..4, of outputs in bits 5..9, bit 10 the manager, bit 11 the
// controller.
class TVirtualKVDDIOVIXPro : public TVirtualDevice {
public:
    static constexpr int kInputs = 2;
    static constexpr int kOutputs = 2;
    static constexpr quint32 kChannelMask = kInputs | (kOutputs << 5) | (1 << 10) | (1 << 11);
    explicit TVirtualKVDDIOVIXPro(TVirtualDeviceManager* Manager);
};

// The weight controller, as far as the emulator goes: its file manager (object 18) and nothing else.
class TVirtualP340BUS : public TVirtualDevice {
public:
    static constexpr quint8 kFileManagerObject = 18;
    explicit TVirtualP340BUS(TVirtualDeviceManager* Manager);
};

// A new device of the class that emulates TypeCode; nothing for a code no class emulates.
std::unique_ptr<TVirtualDevice> CreateVirtualDevice(TVirtualDeviceManager* Manager, quint32 TypeCode);
