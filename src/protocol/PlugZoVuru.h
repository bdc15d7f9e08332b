#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

class TNerixModule;

// One command of the ASCII protocol: which Nerix property of which objects it reads or writes.
struct TZoVuruPODRecord {
    quint16 DeviceGroup = 0;
    quint8 IsWrite = 0; // 0 reads the property, 1 writes it
    quint8 FirstObject = 0;
    quint8 LastObject = 0;
    quint16 PropertyNumber = 0;
    QString
        Prefix;   // "$" device, "#" channel value, "@" input/configuration, "&" discrete output, "%" manager
    QString Code; // two characters; empty for "#" rows
    quint8 Length = 0;
};

// The ASCII protocol's vocabulary: for each device group, the command that stands for each Nerix
// object and property. The program never puts such a command on the line (reads and writes under
// these protocols fail at once); the catalogue is what a device switched to them selects.
class TPlugZoVuru {
public:
    TPlugZoVuru();

    const std::vector<TZoVuruPODRecord>& Records() const { return FRecords; }

    // A reference, not owned: the module of the device object the plug was last given to.
    TNerixModule* NerixModule() const { return FNerixModule; }
    void SetNerixModule(TNerixModule* Value) { FNerixModule = Value; }
    // The current device group.
    quint16 SelectDevice() const { return FSelectDevice; }
    void SetSelectDevice(quint16 Value) { FSelectDevice = Value; }

private:
    std::vector<TZoVuruPODRecord> FRecords;
    TNerixModule* FNerixModule = nullptr;
    quint16 FSelectDevice = 0;
};
