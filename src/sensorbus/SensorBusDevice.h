#pragma once

#include "model/MultiSensorProperties.h"
#include "sensorbus/MacList.h"

#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>
#include <vector>

class TBusItem;
class TSensorImage;
class TTermoMultiSensorChannel;
class TZUVOModule;

// Committing a stored list takes the device a while.
inline constexpr int kCommitTimeoutMs = 2000;
// Sensor kinds (family bytes) whose identifier is shown; others are the device's own.
bool SensorKindHasIdentifier(quint8 Kind);

struct TSensorLimits {
    quint32 Flags = 0; // bit 7 alarm enabled, bit 6 relay enabled
    qint32 AlarmMin = 0;
    qint32 AlarmMax = 100;
    qint32 RelayMin = 0;
    qint32 RelayMax = 100;
    bool AlarmOn() const { return Flags & 0x80u; }
    bool RelayOn() const { return Flags & 0x40u; }
    void SetAlarmOn(bool On) { Flags = On ? (Flags | 0x80u) : (Flags & ~0x80u); }
    void SetRelayOn(bool On) { Flags = On ? (Flags | 0x40u) : (Flags & ~0x40u); }
    bool operator==(const TSensorLimits&) const = default;
};

// One row of the sensor list; the processor's own sensor is row 0.
struct TSensorRow {
    bool Cpu = false;
    int Sensor = -1; // the sensor's number on the bus; -1 for the processor
    quint8 Kind = 0;
    TOneWireMAC Mac;
    bool Polled = false; // Temperature and Humidity hold a reading
    double Temperature = 0;
    double Humidity = -1; // -1: the sensor has none
    bool HasLimits = false;
    TSensorLimits Limits;
};

// What a value cell shows.
inline constexpr double kTemperatureErrorFrom = 200.0;
inline constexpr double kHumidityErrorFrom = 100.0;
enum class TCellLook { Empty, Value, Error, Placeholder };
TCellLook TemperatureLook(const TSensorRow& Row);
TCellLook HumidityLook(const TSensorRow& Row);

// The device options of the "Additional options" dialog.
struct TDeviceOptions {
    bool RelayDefault = false;
    quint32 Signalling = 0;   // the signalling object's property 0 as read; bit 0 is RelayDefault
    quint32 OptionsWord = 0;  // property 9 as read; bits 8..15 are kept as they are
    int ErrorTemperature = 0; // bits 16..31 of property 9
    int TemperatureJump = 1;  // bits 0..7
    int ErrorHumidity = 0;    // low 16 bits of property 20
};

// Everything the sensor bus window does with the device, on the window thread. Buses are numbered
// from 0 in the order of the model's temperature channels whose channel-mask bit is set, as the
// window lists them; the signalling object knows them by the same numbers.
//
// The weight controllers (types 21 and 44) carry four sensor buses as their catalogue channels
// 21..24 on objects 22..25; they have no signalling object, so their sensors have no limits there.
class TSensorBusDevice {
public:
    struct TBus {
        int Number = 0;  // the device's bus number (0 for the first bus of the model)
        int Channel = 0; // the catalogue channel that shows it
        TTermoMultiSensorChannel* Object = nullptr;
    };
    enum class TFailure { None, Transfer, TooManySensors };

    TSensorBusDevice(TZUVOModule& Module, quint32 TypeCode, quint64 ChannelMask);
    ~TSensorBusDevice();

    // True for models that have sensor buses at all.
    static bool Serves(quint32 TypeCode);
    // The buses with their mask bit set, in order.
    const std::vector<TBus>& Buses() const { return FBuses; }
    // The bus shown for a catalogue channel; the first bus when the channel shows none; -1 when
    // there is no bus at all.
    int BusForChannel(int Channel) const;
    bool HasSignalling() const { return FSignalling != nullptr; }
    TZUVOModule& Module() const { return FModule; }
    // Why the last operation failed.
    TFailure LastFailure() const { return FFailure; }
    int LastCount() const { return FLastCount; }

    std::optional<int> ReadSensorCount(int Bus);
    // The processor row, then one row per sensor as far as they could be read. False when the count
    // could not be read (or was more than a bus holds) or a sensor failed; Rows holds what was read.
    bool FillSensorList(int Bus, std::vector<TSensorRow>& Rows);
    // New temperatures (and humidities) into Rows; false at the first failure.
    bool Poll(int Bus, std::vector<TSensorRow>& Rows);
    bool StartScan(int Bus);
    bool Swap(int Bus, int SensorA, int SensorB);
    std::optional<TSensorLimits> ReadLimits(int Bus, int Sensor);
    bool WriteLimits(int Bus, int Sensor, const TSensorLimits& Limits);
    std::optional<bool> ReadPowerActive(int Bus);
    bool WritePowerActive(int Bus, bool On);
    std::optional<TDeviceOptions> ReadOptions();
    bool WriteOptions(const TDeviceOptions& Options);
    // Stores List as the bus's identifiers. An empty list clears the bus (property 1 := 0 only).
    // The list is committed only when every identifier went in; FailedAt then says which did not
    // (-1: the command or the count).
    bool StoreIdentifiers(int Bus, const TMACList& List, int* FailedAt = nullptr);
    // A new image of the device; false when any read failed (Image is then left as it was).
    bool ReadImage(TSensorImage& Image);
    // Writes Image to the device: the image's buses in order onto the device's buses (Only >= 0:
    // just image bus Only onto the device's bus at that place of Buses()), after the processor
    // sensor's limits and the options. Committed only when all went in.
    bool WriteImage(const TSensorImage& Image, int Only = -1);

private:
    TTermoMultiSensorChannel* Object(int Bus) const;
    std::optional<qint32> Read(TTermoMultiSensorChannel* Object, quint16 Property);
    bool Write(TTermoMultiSensorChannel* Object, quint16 Property, qint32 Value);
    bool SelectLimits(int Bus, int Sensor);
    // Property 11 := 0 with the long time-out for that one exchange.
    bool Commit(TTermoMultiSensorChannel* Object);
    bool WriteBusImage(int Bus, const TBusItem* Item);

    TZUVOModule& FModule;
    std::vector<TBus> FBuses;
    // The weight controllers' buses are not objects of their model class; they are made here.
    std::vector<std::unique_ptr<TTermoMultiSensorChannel>> FOwnBuses;
    std::unique_ptr<TTermoMultiSensorChannel> FOwnSignalling;
    TTermoMultiSensorChannel* FSignalling = nullptr;
    TFailure FFailure = TFailure::None;
    int FLastCount = 0;
};
