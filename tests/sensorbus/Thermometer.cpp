#include "Thermometer.h"

#include "support/NerixFrames.h"

TThermometer::TThermometer(quint8 Address, int Buses, quint8 FirstObject, bool Signalling)
    : FAddress(Address), FFirstObject(FirstObject), FSignallingOn(Signalling), FBuses(size_t(Buses)) {}

TThermometer::TBus* TThermometer::BusOf(quint8 Object) {
    const int i = int(Object) - FFirstObject;
    return i >= 0 && i < int(FBuses.size()) ? &FBuses[size_t(i)] : nullptr;
}

std::optional<quint32> TThermometer::Read(quint8 Object, quint16 Property) {
    if (FSignallingOn && Object == 13) {
        if (Property == 0)
            return FSignalling;
        if (Property == 1)
            return FLimitBus;
        if (Property == 2)
            return FLimitSensor;
        if (Property >= 3 && Property <= 7) {
            const auto it = FLimits.find({FLimitBus, FLimitSensor});
            const std::array<qint32, 5> def = {0, 0, 100, 0, 100};
            return quint32((it == FLimits.end() ? def : it->second)[Property - 3]);
        }
        return std::nullopt;
    }
    TBus* bus = BusOf(Object);
    if (!bus)
        return std::nullopt;
    const TThermoSensor* s = bus->Selected < bus->Sensors.size() ? &bus->Sensors[bus->Selected] : nullptr;
    switch (Property) {
    case 1:
        if (FScanSilence > 0) {
            --FScanSilence;
            return std::nullopt;
        }
        return bus->Count.value_or(quint32(bus->Sensors.size()));
    case 2:
        return bus->Selected;
    case 3:
        return s ? std::optional<quint32>(s->Mac.Family()) : std::nullopt;
    case 4:
        return s ? std::optional<quint32>(quint32(s->Temperature)) : std::nullopt;
    case 5:
        return quint32(3675);
    case 8:
        return bus->Options;
    case 9:
        return FDeviceOptions;
    case 12:
        return s ? std::optional<quint32>(s->Mac.Low()) : std::nullopt;
    case 13:
        return s ? std::optional<quint32>(s->Mac.High()) : std::nullopt;
    case 15:
        return s ? std::optional<quint32>(quint32(s->Humidity)) : std::nullopt;
    case 20:
        return FErrorHumidity;
    default:
        return std::nullopt;
    }
}

bool TThermometer::Write(quint8 Object, quint16 Property, quint32 Value) {
    const auto key = std::make_pair(Object, Property);
    const int n = ++FWriteCount[key];
    if (const auto f = FFailAt.find(key); f != FFailAt.end() && n >= f->second)
        return false;
    FWrites.push_back({Object, Property, Value});
    if (FSignallingOn && Object == 13) {
        if (Property == 0)
            FSignalling = Value;
        else if (Property == 1)
            FLimitBus = Value;
        else if (Property == 2)
            FLimitSensor = Value;
        else if (Property >= 3 && Property <= 7) {
            auto it = FLimits.find({FLimitBus, FLimitSensor});
            if (it == FLimits.end())
                it = FLimits.insert({{FLimitBus, FLimitSensor}, {0, 0, 100, 0, 100}}).first;
            it->second[Property - 3] = qint32(Value);
        } else
            return false;
        return true;
    }
    TBus* bus = BusOf(Object);
    if (!bus)
        return false;
    auto& list = FStoreMode ? bus->Store : bus->Sensors;
    switch (Property) {
    case 0:
        if (Value != kScanCommand)
            return false;
        if (bus->ScanResult)
            bus->Sensors = *bus->ScanResult;
        FScanSilence = bus->ScanSilence;
        return true;
    case 1:
        if (FStoreMode)
            bus->Store.assign(Value, TThermoSensor{});
        else if (Value == 0)
            bus->Sensors.clear();
        return true;
    case 2:
        bus->Selected = Value;
        return true;
    case 6: {
        const quint32 a = Value >> 8, b = Value & 0xFF;
        if (a >= bus->Sensors.size() || b >= bus->Sensors.size())
            return false;
        std::swap(bus->Sensors[a], bus->Sensors[b]);
        return true;
    }
    case 8:
        bus->Options = Value;
        return true;
    case 9:
        FDeviceOptions = Value;
        return true;
    case 11:
        if (Value == kStoreCommand) {
            FStoreMode = true;
            for (TBus& b : FBuses)
                b.Store = b.Sensors;
            return true;
        }
        if (Value == 0 && FStoreMode) {
            FStoreMode = false;
            for (TBus& b : FBuses)
                b.Sensors = b.Store;
            return true;
        }
        return false;
    case 12:
    case 13: {
        if (bus->Selected >= list.size())
            return false;
        TThermoSensor& s = list[bus->Selected];
        const quint32 low = Property == 12 ? Value : s.Mac.Low();
        const quint32 high = Property == 13 ? Value : s.Mac.High();
        s.Mac = TOneWireMAC::FromWords(low, high);
        return true;
    }
    case 20:
        FErrorHumidity = Value;
        return true;
    default:
        return false;
    }
}

QByteArray TThermometer::Answer(const QByteArray& Request) {
    if (Request.size() != 11 || quint8(Request[0]) != FAddress)
        return {};
    const auto op = quint8(Request[1]);
    const auto object = quint8(Request[2]);
    const auto property = quint16((quint8(Request[3]) << 8) | quint8(Request[4]));
    const quint32 value = (quint32(quint8(Request[5])) << 24) | (quint32(quint8(Request[6])) << 16) |
                          (quint32(quint8(Request[7])) << 8) | quint8(Request[8]);
    std::lock_guard lock(FMutex);
    if (op == 1)
        return Write(object, property, value) ? Request : QByteArray();
    const auto v = Read(object, property);
    return v ? NerixFrame(FAddress, 0, object, property, *v) : QByteArray();
}

void TThermometer::SetSensors(int Bus, std::vector<TThermoSensor> Sensors) {
    std::lock_guard lock(FMutex);
    FBuses[size_t(Bus)].Sensors = std::move(Sensors);
}

std::vector<TThermoSensor> TThermometer::Sensors(int Bus) const {
    std::lock_guard lock(FMutex);
    return FBuses[size_t(Bus)].Sensors;
}

void TThermometer::SetTemperature(int Bus, int Sensor, qint32 Hundredths) {
    std::lock_guard lock(FMutex);
    FBuses[size_t(Bus)].Sensors[size_t(Sensor)].Temperature = Hundredths;
}

void TThermometer::SetCount(int Bus, quint32 Count) {
    std::lock_guard lock(FMutex);
    FBuses[size_t(Bus)].Count = Count;
}

void TThermometer::SetLimits(int Bus, int Sensor, std::array<qint32, 5> Limits) {
    std::lock_guard lock(FMutex);
    FLimits[{quint32(Bus), quint32(Sensor)}] = Limits;
}

std::array<qint32, 5> TThermometer::Limits(int Bus, int Sensor) const {
    std::lock_guard lock(FMutex);
    const auto it = FLimits.find({quint32(Bus), quint32(Sensor)});
    return it == FLimits.end() ? std::array<qint32, 5>{0, 0, 100, 0, 100} : it->second;
}

quint32 TThermometer::BusOptions(int Bus) const {
    std::lock_guard lock(FMutex);
    return FBuses[size_t(Bus)].Options;
}

quint32 TThermometer::DeviceOptions() const {
    std::lock_guard lock(FMutex);
    return FDeviceOptions;
}

quint32 TThermometer::ErrorHumidity() const {
    std::lock_guard lock(FMutex);
    return FErrorHumidity;
}

quint32 TThermometer::Signalling() const {
    std::lock_guard lock(FMutex);
    return FSignalling;
}

bool TThermometer::StoreMode() const {
    std::lock_guard lock(FMutex);
    return FStoreMode;
}

void TThermometer::SetScanSilence(int Reads) {
    std::lock_guard lock(FMutex);
    for (TBus& b : FBuses)
        b.ScanSilence = Reads;
}

void TThermometer::SetScanResult(int Bus, std::vector<TThermoSensor> Found) {
    std::lock_guard lock(FMutex);
    FBuses[size_t(Bus)].ScanResult = std::move(Found);
}

void TThermometer::FailWrite(quint8 Object, quint16 Property, int Occurrence) {
    std::lock_guard lock(FMutex);
    // Counted from now: the writes already made do not count.
    FFailAt[{Object, Property}] = FWriteCount[{Object, Property}] + Occurrence;
}

std::vector<TThermoWrite> TThermometer::Writes() const {
    std::lock_guard lock(FMutex);
    return FWrites;
}

void TThermometer::ClearWrites() {
    std::lock_guard lock(FMutex);
    FWrites.clear();
}
