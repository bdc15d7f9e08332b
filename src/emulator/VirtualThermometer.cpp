#include "emulator/VirtualThermometer.h"

#include "model/MultiSensorProperties.h"
#include "platform/Ticks.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The 1-Wire check byte (polynomial x^8 + x^5 + x^4 + 1, bits taken lowest first) over Bytes.
quint8 OneWireCrc(const quint8* Bytes, int Count) {
    quint8 crc = 0;
    for (int i = 0; i < Count; ++i) {
        quint8 b = Bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            const bool mix = (crc ^ b) & 1;
            crc >>= 1;
            if (mix)
                crc ^= 0x8C;
            b >>= 1;
        }
    }
    return crc;
}

// A bus object (1..12): everything it serves is the device's, by bus number.
class TVirtualSensorBusObject : public TCustomVirtualChannel {
public:
    TVirtualSensorBusObject(TVirtualDevice* Device, quint8 Number, TVirtualKVDVEVABUS* Owner, int Bus)
        : TCustomVirtualChannel(Device, Number, vkAuxiliary), FOwner(Owner), FBus(Bus) {}

protected:
    std::optional<quint32> ReadRegister(quint16 Register) override { return FOwner->ReadBus(FBus, Register); }
    bool WriteRegister(quint16 Register, quint32 Value) override {
        return FOwner->WriteBus(FBus, Register, Value);
    }

private:
    TVirtualKVDVEVABUS* FOwner;
    int FBus;
};

// The signalling object 13.
class TVirtualSensorAlarmObject : public TCustomVirtualChannel {
public:
    TVirtualSensorAlarmObject(TVirtualDevice* Device, quint8 Number, TVirtualKVDVEVABUS* Owner)
        : TCustomVirtualChannel(Device, Number, vkAuxiliary), FOwner(Owner) {}

protected:
    std::optional<quint32> ReadRegister(quint16 Register) override {
        return FOwner->ReadSignalling(Register);
    }
    bool WriteRegister(quint16 Register, quint32 Value) override {
        return FOwner->WriteSignalling(Register, Value);
    }

private:
    TVirtualKVDVEVABUS* FOwner;
};

constexpr quint8 kDS18S20 = 0x10; // family 16
constexpr quint8 kDS18B20 = 0x28; // family 40
constexpr quint8 kHumidity = kHumidityKind;

} // namespace

TVirtualSensorId TVirtualSensorId::Make(quint8 Kind, quint64 Serial) {
    quint8 bytes[8] = {Kind};
    for (int i = 0; i < 6; ++i)
        bytes[1 + i] = quint8(Serial >> (8 * i));
    bytes[7] = OneWireCrc(bytes, 7);
    TVirtualSensorId id;
    for (int i = 0; i < 4; ++i) {
        id.Low |= quint32(bytes[i]) << (8 * i);
        id.High |= quint32(bytes[4 + i]) << (8 * i);
    }
    return id;
}

TVirtualKVDVEVABUS::TVirtualKVDVEVABUS(TVirtualDeviceManager* Manager)
    : TVirtualDevice(Manager, kTypeCode, kChannelMask), Clock([] { return TickCount(); }) {
    for (int bus = 0; bus < kBuses; ++bus)
        AddAuxiliary<TVirtualSensorBusObject>(quint8(bus + 1), this, bus);
    AddAuxiliary<TVirtualSensorAlarmObject>(kSignallingObject, this);

    // A few sensors around room temperature: three on bus 1 (one of them with humidity), two on
    // bus 2, and one on bus 3 that is attached but not yet listed, for a scan to find.
    FBuses[0].Attached = {
        {TVirtualSensorId::Make(kDS18B20, 0x4E3D2C1B4AFF), 2150, 0.0, 0},
        {TVirtualSensorId::Make(kDS18B20, 0x0B7A3C126461), 2230, 1.9, 0},
        {TVirtualSensorId::Make(kHumidity, 0x00001A7F32C5), 2080, 4.1, 4500},
    };
    FBuses[1].Attached = {
        {TVirtualSensorId::Make(kDS18S20, 0x000801518C2E), 1940, 2.6, 0},
        {TVirtualSensorId::Make(kDS18B20, 0x02131FD539AA), 2310, 5.3, 0},
    };
    FBuses[2].Attached = {
        {TVirtualSensorId::Make(kDS18B20, 0x00000AE3770C), 1890, 3.4, 0},
    };
    for (int bus = 0; bus < 2; ++bus)
        for (const TVirtualPhysicalSensor& s : FBuses[size_t(bus)].Attached)
            FWorking.Lists[size_t(bus)].push_back(s.Id);
    FFlash = FWorking;
}

TVirtualKVDVEVABUS::~TVirtualKVDVEVABUS() = default;

quint64 TVirtualKVDVEVABUS::Now() const {
    return Clock ? Clock() : TickCount();
}

const std::vector<TVirtualSensorId>& TVirtualKVDVEVABUS::Listed(int Bus) const {
    return FWorking.Lists[size_t(std::clamp(Bus, 0, kBuses - 1))];
}

std::vector<TVirtualPhysicalSensor>& TVirtualKVDVEVABUS::Attached(int Bus) {
    return FBuses[size_t(std::clamp(Bus, 0, kBuses - 1))].Attached;
}

qint32 TVirtualKVDVEVABUS::TemperatureAt(const TVirtualPhysicalSensor& Sensor, quint64 Ms) {
    // A slow swing of ±0.6 °C over about a minute and a half with a quicker ripple of ±0.25 °C:
    // a list polled every 300 ms moves by a few hundredths a poll, never by leaps.
    const double t = double(Ms) / 1000.0;
    constexpr double tau = 2 * std::numbers::pi;
    const double v = Sensor.Base + 60.0 * std::sin(tau * t / 97.0 + Sensor.Phase) +
                     25.0 * std::sin(tau * t / 13.0 + 2.3 * Sensor.Phase);
    return qint32(std::lround(v));
}

qint32 TVirtualKVDVEVABUS::HumidityAt(const TVirtualPhysicalSensor& Sensor, quint64 Ms) {
    const double t = double(Ms) / 1000.0;
    const double v = Sensor.HumidityBase + 300.0 * std::sin(2 * std::numbers::pi * t / 61.0 + Sensor.Phase);
    return qint32(std::lround(v));
}

qint32 TVirtualKVDVEVABUS::CpuTemperatureAt(quint64 Ms) const {
    return TemperatureAt({{}, 3675, FCpuPhase, 0}, Ms);
}

std::array<qint32, 5> TVirtualKVDVEVABUS::Limits(int Bus, int Sensor) const {
    const auto it = FWorking.Limits.find({Bus, Sensor});
    return it == FWorking.Limits.end() ? kDefaultLimits : it->second;
}

quint32 TVirtualKVDVEVABUS::BusOptions(int Bus) const {
    return FWorking.BusOptions[size_t(std::clamp(Bus, 0, kBuses - 1))];
}

void TVirtualKVDVEVABUS::Store() {
    TVirtualDevice::Store();
    FFlash = FWorking;
}

void TVirtualKVDVEVABUS::Restore() {
    TVirtualDevice::Restore();
    FWorking = FFlash;
    // The selections may now point past the lists; the client selects again before it reads.
}

bool TVirtualKVDVEVABUS::Scanning(const TBus& Bus) const {
    return Bus.ScanUntil > 0 && Now() < Bus.ScanUntil;
}

const TVirtualPhysicalSensor* TVirtualKVDVEVABUS::AttachedSensor(int Bus, const TVirtualSensorId& Id) const {
    for (const TVirtualPhysicalSensor& s : FBuses[size_t(Bus)].Attached)
        if (s.Id == Id)
            return &s;
    return nullptr;
}

qint32 TVirtualKVDVEVABUS::ErrorTemperature() const {
    return qint32(qint16(quint16(FWorking.DeviceOptions >> 16))) * 100;
}

void TVirtualKVDVEVABUS::DropLapsedStore() {
    if (FStoring && Now() - FStoreTouched > quint64(kStoreLapseMs))
        FStoring = false;
}

void TVirtualKVDVEVABUS::Changed() {
    SetSettingsChanged(true);
}

std::optional<quint32> TVirtualKVDVEVABUS::ReadBus(int Bus, quint16 Property) {
    if (Bus < 0 || Bus >= kBuses)
        return std::nullopt;
    TBus& bus = FBuses[size_t(Bus)];
    // A bus being scanned has no time for questions.
    if (Scanning(bus))
        return std::nullopt;
    const quint64 now = Now();
    const std::vector<TVirtualSensorId>& list = FWorking.Lists[size_t(Bus)];
    const TVirtualSensorId* id = bus.Selected < list.size() ? &list[bus.Selected] : nullptr;
    const TVirtualPhysicalSensor* sensor = id ? AttachedSensor(Bus, *id) : nullptr;
    switch (Property) {
    case sbCount:
        return quint32(list.size());
    case sbSelect:
        return bus.Selected;
    case sbKind:
        return id ? std::optional<quint32>(id->Kind()) : std::nullopt;
    case sbTemperature:
        if (!id)
            return std::nullopt;
        return quint32(sensor ? TemperatureAt(*sensor, now) : ErrorTemperature());
    case sbCpuTemperature:
        return quint32(CpuTemperatureAt(now));
    case sbBusOptions:
        return FWorking.BusOptions[size_t(Bus)];
    case sbDeviceOptions:
        return FWorking.DeviceOptions;
    case sbSerialLow:
        return id ? std::optional<quint32>(id->Low) : std::nullopt;
    case sbSerialHigh:
        return id ? std::optional<quint32>(id->High) : std::nullopt;
    case sbHumidity:
        if (!id)
            return std::nullopt;
        if (id->Kind() != kHumidityKind)
            return 0u;
        return quint32(sensor ? HumidityAt(*sensor, now)
                              : qint32(qint16(quint16(FWorking.ErrorHumidity))) * 100);
    case sbErrorHumidity:
        return FWorking.ErrorHumidity;
    default:
        return std::nullopt;
    }
}

bool TVirtualKVDVEVABUS::WriteBus(int Bus, quint16 Property, quint32 Value) {
    if (Bus < 0 || Bus >= kBuses)
        return false;
    TBus& bus = FBuses[size_t(Bus)];
    if (Scanning(bus))
        return false;
    DropLapsedStore();
    if (FStoring)
        FStoreTouched = Now();
    std::vector<TVirtualSensorId>& list = FWorking.Lists[size_t(Bus)];
    switch (Property) {
    case sbScan:
        if (Value != kScanCommand)
            return false;
        list.clear();
        for (const TVirtualPhysicalSensor& s : bus.Attached)
            list.push_back(s.Id);
        bus.ScanUntil = Now() + kScanMs;
        Changed();
        return true;
    case sbCount:
        if (FStoring) {
            if (Value > quint32(kMaxSensors))
                return false;
            bus.Pending.assign(Value, TVirtualSensorId{});
            return true;
        }
        // Outside a store the count only clears the list.
        if (Value != 0)
            return false;
        list.clear();
        Changed();
        return true;
    case sbSelect:
        if (Value >= quint32(kMaxSensors))
            return false;
        bus.Selected = Value;
        return true;
    case sbSwap: {
        const quint32 a = Value >> 8, b = Value & 0xFF;
        if (Value > 0xFFFF || a >= list.size() || b >= list.size())
            return false;
        std::swap(list[a], list[b]);
        // The limits go with their sensor, as the window shows them after a swap.
        auto& limits = FWorking.Limits;
        const auto la = limits.find({Bus, int(a)}), lb = limits.find({Bus, int(b)});
        const auto va = la == limits.end() ? kDefaultLimits : la->second;
        const auto vb = lb == limits.end() ? kDefaultLimits : lb->second;
        limits[{Bus, int(a)}] = vb;
        limits[{Bus, int(b)}] = va;
        Changed();
        return true;
    }
    case sbBusOptions:
        FWorking.BusOptions[size_t(Bus)] = Value;
        Changed();
        return true;
    case sbDeviceOptions:
        FWorking.DeviceOptions = Value;
        Changed();
        return true;
    case sbStore:
        if (Value == kStoreCommand) {
            // Every bus starts from its present list, so a store that names some buses only leaves
            // the others as they are.
            FStoring = true;
            FStoreTouched = Now();
            for (int b = 0; b < kBuses; ++b)
                FBuses[size_t(b)].Pending = FWorking.Lists[size_t(b)];
            return true;
        }
        if (Value != 0 || !FStoring)
            return false;
        FStoring = false;
        for (int b = 0; b < kBuses; ++b)
            FWorking.Lists[size_t(b)] = FBuses[size_t(b)].Pending;
        Changed();
        return true;
    case sbSerialLow:
    case sbSerialHigh: {
        // Identifiers are written only into a list being stored.
        if (!FStoring || bus.Selected >= bus.Pending.size())
            return false;
        TVirtualSensorId& id = bus.Pending[bus.Selected];
        (Property == sbSerialLow ? id.Low : id.High) = Value;
        return true;
    }
    case sbErrorHumidity:
        FWorking.ErrorHumidity = Value;
        Changed();
        return true;
    default:
        return false;
    }
}

std::optional<quint32> TVirtualKVDVEVABUS::ReadSignalling(quint16 Property) {
    switch (Property) {
    case slRelayDefault:
        return FWorking.Signalling;
    case slBus:
        return FLimitBus;
    case slSensor:
        return FLimitSensor;
    default:
        if (Property >= slFlags && Property < slFlags + 5)
            return quint32(Limits(int(FLimitBus), int(FLimitSensor))[Property - slFlags]);
        return std::nullopt;
    }
}

bool TVirtualKVDVEVABUS::WriteSignalling(quint16 Property, quint32 Value) {
    switch (Property) {
    case slRelayDefault:
        FWorking.Signalling = Value;
        Changed();
        return true;
    case slBus:
        if (Value >= quint32(kBuses))
            return false;
        FLimitBus = Value;
        return true;
    case slSensor:
        if (Value > quint32(kCpuSensor))
            return false;
        FLimitSensor = Value;
        return true;
    default:
        if (Property >= slFlags && Property < slFlags + 5) {
            auto it = FWorking.Limits.try_emplace({int(FLimitBus), int(FLimitSensor)}, kDefaultLimits).first;
            it->second[Property - slFlags] = qint32(Value);
            Changed();
            return true;
        }
        return false;
    }
}
