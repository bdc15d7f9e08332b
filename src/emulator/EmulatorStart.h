#pragma once

#include "emulator/EmulatorFaults.h"
#include "emulator/EmulatorRows.h"

#include <QString>
#include <QtGlobal>
#include <vector>

class TEmulatorTcpServer;
class TVirtualDeviceManager;

// Everything that starts an emulated bus, whoever asks for it (the emulate command, the emulator
// window): the devices, the protocol and where the masters are, a serial port or a TCP port.
struct TEmulatorSetup {
    std::vector<TEmulatorDeviceCount> Devices;
    int Protocol = 0; // TVirtualDeviceManager::kProtocolNerix ...
    // The serial port: "COMn" or a device path, and its speed in bit/s.
    QString PortName;
    quint32 Baud = 9600;
    // 0 .. 65535: TCP masters on this port instead of the serial port (0: any free port); -1: serial.
    int TcpPort = -1;
    // On TCP: Modbus TCP frames (a gateway) instead of the bus frames themselves.
    bool Mbap = false;
    // The faults of the serial line; a TCP master gets every answer as it is.
    TEmulatorFaults Faults;
    quint64 Seed = 1;
};

enum class TEmulatorStartResult {
    Ok,
    PortFailed,   // the serial port did not open: Manager.LastError() says why
    ListenFailed, // the TCP port could not be listened on: Server.LastError() says why
};

// Stops what ran before (its devices are cleared, so their statistics become the last session's),
// adds the devices and opens the serial port or listens on TCP. On failure nothing is left open;
// the devices stay, so that the caller may still read what it asked for.
TEmulatorStartResult StartEmulator(TVirtualDeviceManager& Manager, TEmulatorTcpServer& Server,
                                   const TEmulatorSetup& Setup);
// Closes the serial port and the TCP port; the devices and their counters stay.
void StopEmulator(TVirtualDeviceManager& Manager, TEmulatorTcpServer& Server);
