#pragma once

// A multi-sensor thermometer as the tests need it, answering Nerix frames on a scripted line: buses
// with sensors (identifier, temperature, humidity), the scan, swap and store commands, the bus and
// device options, and the signalling object with the limits of every sensor. Every write is logged.
// Thread-safe: the line thread answers while the test thread looks.

#include "sensorbus/MacList.h"
#include "sensorbus/SensorBusDevice.h"

#include <QByteArray>
#include <QtGlobal>
#include <array>
#include <map>
#include <mutex>
#include <optional>
#include <tuple>
#include <vector>

struct TThermoSensor {
    TOneWireMAC Mac;
    qint32 Temperature = 2150; // × 100
    qint32 Humidity = 0;       // × 100
};

struct TThermoWrite {
    quint8 Object;
    quint16 Property;
    quint32 Value;
    bool operator==(const TThermoWrite&) const = default;
};

class TThermometer {
public:
    // Buses on objects FirstObject.. ; the signalling object 13 unless Signalling is false.
    explicit TThermometer(quint8 Address = 1, int Buses = 12, quint8 FirstObject = 1, bool Signalling = true);

    // The answer to one request; empty: silence.
    QByteArray Answer(const QByteArray& Request);

    // Test-side access (under the lock).
    void SetSensors(int Bus, std::vector<TThermoSensor> Sensors);
    std::vector<TThermoSensor> Sensors(int Bus) const;
    void SetTemperature(int Bus, int Sensor, qint32 Hundredths);
    void SetCount(int Bus, quint32 Count); // what property 1 reports, whatever the list holds
    void SetLimits(int Bus, int Sensor, std::array<qint32, 5> Limits);
    std::array<qint32, 5> Limits(int Bus, int Sensor) const;
    quint32 BusOptions(int Bus) const;
    quint32 DeviceOptions() const;
    quint32 ErrorHumidity() const;
    quint32 Signalling() const;
    bool StoreMode() const;
    // After a scan command the bus stays silent on property 1 for this many reads.
    void SetScanSilence(int Reads);
    // The scan replaces the bus's list with this one.
    void SetScanResult(int Bus, std::vector<TThermoSensor> Found);
    // The write of (object, property) fails (silence) from its n-th next occurrence on (1 = the next).
    void FailWrite(quint8 Object, quint16 Property, int Occurrence = 1);
    std::vector<TThermoWrite> Writes() const;
    void ClearWrites();

private:
    struct TBus {
        std::vector<TThermoSensor> Sensors;
        std::vector<TThermoSensor> Store; // the list being stored
        std::optional<std::vector<TThermoSensor>> ScanResult;
        std::optional<quint32> Count;
        quint32 Selected = 0;
        quint32 Options = 0;
        int ScanSilence = 0;
    };
    TBus* BusOf(quint8 Object);
    std::optional<quint32> Read(quint8 Object, quint16 Property);
    bool Write(quint8 Object, quint16 Property, quint32 Value);

    mutable std::mutex FMutex;
    quint8 FAddress;
    quint8 FFirstObject;
    bool FSignallingOn;
    std::vector<TBus> FBuses;
    bool FStoreMode = false;
    int FScanSilence = 0;
    quint32 FDeviceOptions = (quint32(320) << 16) | 7;
    quint32 FErrorHumidity = 0;
    quint32 FSignalling = 0;
    quint32 FLimitBus = 0, FLimitSensor = 0;
    std::map<std::pair<quint32, quint32>, std::array<qint32, 5>> FLimits;
    std::map<std::pair<quint8, quint16>, int> FFailAt;
    std::map<std::pair<quint8, quint16>, int> FWriteCount;
    std::vector<TThermoWrite> FWrites;
};
