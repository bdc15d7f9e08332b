#pragma once

#include <QString>
#include <vector>

// The user names serial ports "COM" and a number, as the options and every dialog store them. On Linux
// such a name stands for a device path: first an entry "COMn" in the ports folder (usually a symbolic
// link to /dev/ttyUSB0, /dev/serial/by-id/... or a pseudo-terminal), else the fixed table below.

// One block of the fixed table: COM<FirstNumber> .. COM<FirstNumber + Count - 1> stand for
// <DevicePrefix>0 .. <DevicePrefix><Count - 1>.
struct TPortTableBlock {
    int FirstNumber;
    const char* DevicePrefix;
    int Count;
};

// COM1-COM16 = /dev/ttyS0-15, COM17-COM32 = /dev/ttyUSB0-15, COM33-COM48 = /dev/ttyACM0-15,
// COM49-COM64 = /dev/ttyAMA0-15. Numbers beyond come only from the ports folder.
const std::vector<TPortTableBlock>& FixedPortTable();

// $DOVUVAVAROVOD_PORTS when set, else ~/.config/dovuvavarovod/ports.
QString PortsFolder();

// The number n of "COMn" or "\\.\COMn" (case-insensitive, n >= 1); 0 for anything else.
int PortNumberFromName(const QString& name);

// The fixed table's device for COMn, or an empty text when the table has none.
QString FixedDeviceForPort(int number);

// A port that exists now.
struct TComPortEntry {
    int Number;         // n of "COMn"
    QString DevicePath; // what it opens
    QString Label;      // "COM17 (ttyUSB0)": the name and the device it stands for
};

// The ports that exist: the ports folder's "COMn" entries whose target is there, then the fixed
// table's devices that are present, in number order, each number once (the folder wins). Nothing is
// opened to find them.
std::vector<TComPortEntry> ListComPorts();

// The device path to open for a port name: a path starting with "/" is taken as it is; "COMn" (or
// "\\.\COMn") is the ports folder's entry, resolved to its target when that exists, else the fixed
// table's device. Empty when the name stands for nothing.
QString ResolvePortPath(const QString& name);
