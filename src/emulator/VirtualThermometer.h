#pragma once

#include "emulator/VirtualDevice.h"

#include <QtGlobal>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// One sensor identifier as the thermometer passes it: bytes 0..3 and 4..7 of the 8-byte identifier
// as two words, the lower byte in the lower bits. Byte 0 is the sensor's family, its kind.
struct TVirtualSensorId {
    quint32 Low = 0;
    quint32 High = 0;
    quint8 Kind() const { return quint8(Low & 0xFF); }
    bool operator==(const TVirtualSensorId&) const = default;
    // The identifier of family Kind with the six serial bytes of Serial (lowest byte first) and the
    // 1-Wire check byte after them, as a real sensor carries it.
    static TVirtualSensorId Make(quint8 Kind, quint64 Serial);
};

// A sensor hanging on one of the emulated buses: what a scan of the bus finds, and what it measures.
// Its readings drift slowly around Base, each sensor in its own phase, so that a polled list shows
// live values.
struct TVirtualPhysicalSensor {
    TVirtualSensorId Id;
    qint32 Base = 2150;      // °C × 100
    double Phase = 0;        // radians
    qint32 HumidityBase = 0; // % × 100; only a sensor of the humidity kind reports it
};

// The emulated KVD-VEVA-BUS: twelve sensor buses on objects 1..12 and the signalling object 13 with
// the relay default and every sensor's alarm and relay limits.
//
// A bus lists the identifiers it was given (by a scan or a store) and reports, for the selected
// one, the temperature of the attached sensor with that identifier; a listed sensor that is not
// attached reads as the device options' temperature of a sensor that does not work. A scan lists
// the attached sensors and keeps the bus busy (silent) for a moment. A store is a session of the
// whole device: the store command, then per bus the count and each identifier into a pending list,
// and 0 to the store property commits every bus's pending list at once; a session that is never
// committed leaves the lists as they were and lapses after a while without writes.
class TVirtualKVDVEVABUS : public TVirtualDevice {
public:
    static constexpr quint32 kTypeCode = 30;
    static constexpr int kBuses = 12;
    static constexpr quint8 kSignallingObject = 13;
    static constexpr quint32 kChannelMask = 0x1FFF; // the buses and the signalling object
    // A scan keeps its bus silent this long.
    static constexpr int kScanMs = 400;
    // A store session with no write for this long is dropped, uncommitted.
    static constexpr int kStoreLapseMs = 5000;
    // The limits of a sensor nobody set: flags, alarm minimum and maximum, relay minimum and maximum.
    static constexpr std::array<qint32, 5> kDefaultLimits = {0, 0, 100, 0, 100};

    explicit TVirtualKVDVEVABUS(TVirtualDeviceManager* Manager);
    ~TVirtualKVDVEVABUS() override;

    // The time, in milliseconds, that drives the drift, the scan and the store lapse: the monotonic
    // clock unless replaced (tests step it by hand).
    std::function<quint64()> Clock;

    // The identifiers bus Bus (0 .. 11) lists, in order.
    const std::vector<TVirtualSensorId>& Listed(int Bus) const;
    // The sensors attached to the bus, in the order a scan finds them.
    std::vector<TVirtualPhysicalSensor>& Attached(int Bus);
    // A sensor's readings at the moment Ms, × 100.
    static qint32 TemperatureAt(const TVirtualPhysicalSensor& Sensor, quint64 Ms);
    static qint32 HumidityAt(const TVirtualPhysicalSensor& Sensor, quint64 Ms);
    qint32 CpuTemperatureAt(quint64 Ms) const;
    std::array<qint32, 5> Limits(int Bus, int Sensor) const;
    quint32 BusOptions(int Bus) const;
    quint32 DeviceOptions() const { return FWorking.DeviceOptions; }
    quint32 ErrorHumidity() const { return FWorking.ErrorHumidity; }
    quint32 SignallingWord() const { return FWorking.Signalling; }
    bool Storing() const { return FStoring; }

    void Store() override;
    void Restore() override;

    // What the bus and signalling objects serve.
    std::optional<quint32> ReadBus(int Bus, quint16 Property);
    bool WriteBus(int Bus, quint16 Property, quint32 Value);
    std::optional<quint32> ReadSignalling(quint16 Property);
    bool WriteSignalling(quint16 Property, quint32 Value);

private:
    // What the device keeps in flash.
    struct TSettings {
        std::array<std::vector<TVirtualSensorId>, kBuses> Lists;
        std::array<quint32, kBuses> BusOptions{};
        quint32 DeviceOptions = (quint32(320) << 16) | 7; // 320 °C for a dead sensor, a jump of 7
        quint32 ErrorHumidity = 0;
        quint32 Signalling = 0;
        std::map<std::pair<int, int>, std::array<qint32, 5>> Limits;
    };
    struct TBus {
        std::vector<TVirtualPhysicalSensor> Attached;
        std::vector<TVirtualSensorId> Pending; // the list being stored
        quint32 Selected = 0;
        quint64 ScanUntil = 0;
    };

    quint64 Now() const;
    bool Scanning(const TBus& Bus) const;
    const TVirtualPhysicalSensor* AttachedSensor(int Bus, const TVirtualSensorId& Id) const;
    qint32 ErrorTemperature() const;
    void DropLapsedStore();
    void Changed();

    TSettings FWorking;
    TSettings FFlash;
    std::array<TBus, kBuses> FBuses;
    quint32 FLimitBus = 0;
    quint32 FLimitSensor = 0;
    bool FStoring = false;
    quint64 FStoreTouched = 0;
    double FCpuPhase = 0.7;
};
