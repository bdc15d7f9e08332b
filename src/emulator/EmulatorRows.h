#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

// The emulator's device rows, in the order the emulator window lists them, with the type code each
// row adds. The row "KVD-DI-BUS" adds KVD-DIDC-BUS devices (type 10).
struct TEmulatorRow {
    QString Name;
    quint32 TypeCode;
};

const std::vector<TEmulatorRow>& EmulatorRows();
// The type code of the row named Name (case-insensitive); nothing for a name that is no row.
std::optional<quint32> EmulatorRowTypeCode(const QString& Name);

// Models the emulator serves beyond the window's rows, on the command line and in the demo: the
// weight controller with its file manager and the twelve-bus thermometer.
const std::vector<TEmulatorRow>& EmulatorExtraDevices();

// The type code a device list entry stands for: a row's name, or the model name of the catalogue
// that a row emulates ("KVD-DIDC-BUS", which the row "KVD-DI-BUS" adds); a row's name wins.
std::optional<quint32> EmulatorDeviceTypeCode(const QString& Name);

// A device list as the command line gives it: "KVD-AIK-BUS=2,KVD-DO-BUS" (a count of 1 to 10,
// 1 when left out), each named as EmulatorDeviceTypeCode takes it. The pairs in the given order;
// false with Error for an unknown device, a bad count or an empty list.
struct TEmulatorDeviceCount {
    quint32 TypeCode;
    int Count;
};
bool ParseEmulatorDevices(const QString& Text, std::vector<TEmulatorDeviceCount>& Devices, QString& Error);
