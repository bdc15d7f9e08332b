#pragma once

#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "bus/TcpPortAccessPoint.h"
#include "bus/UdpPortAccessPoint.h"
#include "bus/UdpSockets.h"
#include "model/DeviceRegister.h"
#include "model/Ranges.h"
#include "model/ZUVOChannel.h"
#include "protocol/Modbus.h"
#include "protocol/NerixModule.h"
#include "protocol/PlugZoVuru.h"

#include <map>
#include <memory>

class TEmulatorTcpServer;
class TVirtualDeviceManager;
class TZUVOModule;

// The application context that every window reads: the one serial bus and the access points, the
// device catalogue, the devices found by the last search, the ranges table, the module templates,
// and what is current (language, device, module, access point, channel). Created once at start-up
// after the options, freed after the windows.
class TDm {
public:
    TDm();
    ~TDm();
    TDm(const TDm&) = delete;
    TDm& operator=(const TDm&) = delete;

    TPowerRsBus Bus;
    // A bare module for raw property access to any device, and its object 0 channel.
    TNerixModule Module;
    TNerixChannel cnl;
    TPlugZoVuru PlugZoVuru;
    TUdpClientSocket UdpClient;
    TUdpServerSocket UdpServer;

    TComPortAccessPoint ComAccessPoint;
    TUdpPortAccessPoint UdpAccessPoint;
    // Devices behind a TCP converter: a serial device server or a Modbus TCP gateway.
    TTcpPortAccessPoint TcpAccessPoint;
    std::unique_ptr<TModbus> Modbus;
    TDeviceRegister DeviceRegister;
    TPrTbl RangesTable;
    TDevicePropsList Devices;
    TChannelMask ChannelSelection;
    // The emulator's bus of virtual devices.
    std::unique_ptr<TVirtualDeviceManager> VDMgr;
    // Its TCP side, for masters on the network instead of the serial port (freed before VDMgr).
    std::unique_ptr<TEmulatorTcpServer> VDTcp;

    // The language every window shows; 0 until the main window first applies one.
    quint8 CurrentLanguage() const;
    void SetCurrentLanguage(quint8 Value);
    TDeviceProps* CurrentDevice = nullptr;
    TZUVOModule* CurrentModule = nullptr;
    TAccessPoint* CurrentAccessPoint = nullptr;
    qint16 CurrentChannel = 0;
    bool EmulatorActive = false;

    // The template serving a type code, or nothing when its family is not part of this build.
    TZUVOModule* TemplateFor(quint16 TypeCode) const;
    // Points the template of the current device at it: its address, protocol and the current access
    // point; the bus runs at the device's speed. A type without a template leaves no current module.
    void SelectCurrentModule();

private:
    std::map<QString, std::unique_ptr<TZUVOModule>> FTemplatesByClass;
    std::map<quint16, TZUVOModule*> FTemplates;
};
