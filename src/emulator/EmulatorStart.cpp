#include "emulator/EmulatorStart.h"

#include "emulator/EmulatorTcpServer.h"
#include "emulator/VirtualDeviceManager.h"

TEmulatorStartResult StartEmulator(TVirtualDeviceManager& Manager, TEmulatorTcpServer& Server,
                                   const TEmulatorSetup& Setup) {
    StopEmulator(Manager, Server);
    Manager.ClearDevices();
    Manager.SetProtocol(Setup.Protocol);
    Manager.SetPortName(Setup.PortName);
    Manager.SetBaudRateValue(Setup.Baud);
    for (const TEmulatorDeviceCount& d : Setup.Devices)
        Manager.AddDevices(d.TypeCode, d.Count);
    const bool tcp = Setup.TcpPort >= 0;
    // The TCP side answers each request the moment it is served, with no send queue to hold an
    // answer back, so faults belong to the serial line alone.
    Manager.SetFaults(tcp ? TEmulatorFaults() : Setup.Faults, Setup.Seed);
    if (tcp) {
        Server.SetMbap(Setup.Mbap);
        if (!Server.Listen(quint16(Setup.TcpPort)))
            return TEmulatorStartResult::ListenFailed;
        return TEmulatorStartResult::Ok;
    }
    Manager.SetActive(true);
    return Manager.Active() ? TEmulatorStartResult::Ok : TEmulatorStartResult::PortFailed;
}

void StopEmulator(TVirtualDeviceManager& Manager, TEmulatorTcpServer& Server) {
    Server.Close();
    Manager.SetActive(false);
}
