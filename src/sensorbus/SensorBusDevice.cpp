#include "sensorbus/SensorBusDevice.h"

#include "bus/AccessPoint.h"
#include "model/MultiSensorModules.h"
#include "model/ZUVOModule.h"
#include "sensorbus/SensorImage.h"

namespace {

// The weight controllers' sensor buses: catalogue channels 21..24 on objects 22..25.
constexpr int kWeightFirstChannel = 21;
constexpr quint8 kWeightFirstObject = 22;
constexpr int kWeightBuses = 4;
// The signalling object where the model has one.
constexpr quint8 kSignallingObject = 13;

bool WeightController(quint32 TypeCode) {
    return TypeCode == 21 || TypeCode == 44;
}

int BusCountOf(quint32 TypeCode) {
    switch (TypeCode) {
    case 30:
        return 12;
    case 35:
        return 4;
    case 21:
    case 44:
        return kWeightBuses;
    default:
        return 0;
    }
}

TSensorLimits LimitsOf(const TSensorItem& Item) {
    TSensorLimits l;
    l.SetAlarmOn(Item.AlarmEnabled);
    l.SetRelayOn(Item.RelayEnabled);
    l.AlarmMin = Item.AlarmMin;
    l.AlarmMax = Item.AlarmMax;
    l.RelayMin = Item.RelayMin;
    l.RelayMax = Item.RelayMax;
    return l;
}

void PutLimits(TSensorItem& Item, const TSensorLimits& L) {
    Item.AlarmEnabled = L.AlarmOn();
    Item.RelayEnabled = L.RelayOn();
    Item.AlarmMin = L.AlarmMin;
    Item.AlarmMax = L.AlarmMax;
    Item.RelayMin = L.RelayMin;
    Item.RelayMax = L.RelayMax;
}

} // namespace

bool SensorKindHasIdentifier(quint8 Kind) {
    return Kind == 16 || Kind == 34 || Kind == 40;
}

TCellLook TemperatureLook(const TSensorRow& Row) {
    if (!Row.Polled)
        return TCellLook::Empty;
    return Row.Temperature >= kTemperatureErrorFrom ? TCellLook::Error : TCellLook::Value;
}

TCellLook HumidityLook(const TSensorRow& Row) {
    if (!Row.Polled)
        return TCellLook::Empty;
    if (Row.Humidity >= kHumidityErrorFrom)
        return TCellLook::Error;
    return Row.Humidity < 1 ? TCellLook::Placeholder : TCellLook::Value;
}

TSensorBusDevice::TSensorBusDevice(TZUVOModule& Module, quint32 TypeCode, quint64 ChannelMask)
    : FModule(Module) {
    auto* multi = dynamic_cast<TCustomMultiSensorModule*>(&Module);
    const bool weight = WeightController(TypeCode);
    const int count = BusCountOf(TypeCode);
    for (int n = 0; n < count; ++n) {
        const int channel = weight ? kWeightFirstChannel + n : n;
        if (!((ChannelMask >> channel) & 1))
            continue;
        TTermoMultiSensorChannel* object = nullptr;
        if (multi) {
            object = multi->SensorBus(n);
        } else {
            FOwnBuses.push_back(std::make_unique<TTermoMultiSensorChannel>(
                &Module, quint8((weight ? kWeightFirstObject : 1) + n), n));
            object = FOwnBuses.back().get();
        }
        if (object)
            FBuses.push_back({n, channel, object});
    }
    if (multi && multi->SensorAlarm()) {
        FSignalling = multi->SensorAlarm();
    } else if (TypeCode == 35) {
        // The four-bus model keeps its limits in a signalling object as the twelve-bus one does, but
        // its model class does not hold it.
        FOwnSignalling = std::make_unique<TTermoMultiSensorChannel>(&Module, kSignallingObject, 0);
        FSignalling = FOwnSignalling.get();
    }
}

TSensorBusDevice::~TSensorBusDevice() = default;

bool TSensorBusDevice::Serves(quint32 TypeCode) {
    return BusCountOf(TypeCode) > 0;
}

int TSensorBusDevice::BusForChannel(int Channel) const {
    if (FBuses.empty())
        return -1;
    for (const TBus& b : FBuses)
        if (b.Channel == Channel)
            return b.Number;
    return FBuses.front().Number;
}

TTermoMultiSensorChannel* TSensorBusDevice::Object(int Bus) const {
    for (const TBus& b : FBuses)
        if (b.Number == Bus)
            return b.Object;
    return nullptr;
}

std::optional<qint32> TSensorBusDevice::Read(TTermoMultiSensorChannel* Object, quint16 Property) {
    if (!Object) {
        FFailure = TFailure::Transfer;
        return std::nullopt;
    }
    auto v = Object->ReadProperty(Property);
    if (!v)
        FFailure = TFailure::Transfer;
    return v;
}

bool TSensorBusDevice::Write(TTermoMultiSensorChannel* Object, quint16 Property, qint32 Value) {
    if (!Object || !Object->WriteProperty(Property, Value)) {
        FFailure = TFailure::Transfer;
        return false;
    }
    return true;
}

std::optional<int> TSensorBusDevice::ReadSensorCount(int Bus) {
    FFailure = TFailure::None;
    const auto count = Read(Object(Bus), sbCount);
    if (!count)
        return std::nullopt;
    FLastCount = *count;
    // A count beyond what sensor numbers can address is no list this window could read.
    if (*count < 0 || *count > kMaxSensors) {
        FFailure = TFailure::TooManySensors;
        return std::nullopt;
    }
    return *count;
}

bool TSensorBusDevice::SelectLimits(int Bus, int Sensor) {
    return Write(FSignalling, slBus, Bus) && Write(FSignalling, slSensor, Sensor);
}

std::optional<TSensorLimits> TSensorBusDevice::ReadLimits(int Bus, int Sensor) {
    if (!FSignalling || !SelectLimits(Bus, Sensor))
        return std::nullopt;
    TSensorLimits l;
    qint32* fields[] = {nullptr, &l.AlarmMin, &l.AlarmMax, &l.RelayMin, &l.RelayMax};
    for (int i = 0; i < 5; ++i) {
        const auto v = Read(FSignalling, quint16(slFlags + i));
        if (!v)
            return std::nullopt;
        if (i == 0)
            l.Flags = quint32(*v);
        else
            *fields[i] = *v;
    }
    return l;
}

bool TSensorBusDevice::WriteLimits(int Bus, int Sensor, const TSensorLimits& L) {
    FFailure = TFailure::None;
    if (!FSignalling || !SelectLimits(Bus, Sensor)) {
        FFailure = TFailure::Transfer;
        return false;
    }
    const qint32 values[] = {qint32(L.Flags), L.AlarmMin, L.AlarmMax, L.RelayMin, L.RelayMax};
    for (int i = 0; i < 5; ++i)
        if (!Write(FSignalling, quint16(slFlags + i), values[i]))
            return false;
    return true;
}

bool TSensorBusDevice::FillSensorList(int Bus, std::vector<TSensorRow>& Rows) {
    Rows.clear();
    const auto count = ReadSensorCount(Bus);
    if (!count)
        return false;
    TTermoMultiSensorChannel* bus = Object(Bus);
    TSensorRow cpu;
    cpu.Cpu = true;
    if (FSignalling) {
        const auto limits = ReadLimits(Bus, kCpuSensor);
        cpu.HasLimits = limits.has_value();
        if (limits)
            cpu.Limits = *limits;
    }
    Rows.push_back(cpu);
    for (int i = 0; i < *count; ++i) {
        TSensorRow row;
        row.Sensor = i;
        if (!Write(bus, sbSelect, i))
            return false;
        const auto kind = Read(bus, sbKind);
        if (!kind || !Write(bus, sbSelect, i))
            return false;
        const auto low = Read(bus, sbSerialLow);
        const auto high = low ? Read(bus, sbSerialHigh) : std::nullopt;
        if (!high)
            return false;
        row.Kind = quint8(*kind);
        row.Mac = TOneWireMAC::FromWords(quint32(*low), quint32(*high));
        if (FSignalling) {
            const auto limits = ReadLimits(Bus, i);
            if (!limits)
                return false;
            row.HasLimits = true;
            row.Limits = *limits;
        }
        Rows.push_back(row);
    }
    FFailure = TFailure::None;
    return true;
}

bool TSensorBusDevice::Poll(int Bus, std::vector<TSensorRow>& Rows) {
    FFailure = TFailure::None;
    TTermoMultiSensorChannel* bus = Object(Bus);
    for (TSensorRow& row : Rows) {
        if (row.Cpu) {
            const auto t = Read(bus, sbCpuTemperature);
            if (!t)
                return false;
            row.Temperature = *t / 100.0;
            row.Humidity = -1;
            row.Polled = true;
            continue;
        }
        if (!Write(bus, sbSelect, row.Sensor))
            return false;
        const auto t = Read(bus, sbTemperature);
        if (!t)
            return false;
        double humidity = -1;
        if (row.Kind == kHumidityKind) {
            const auto h = Read(bus, sbHumidity);
            if (!h)
                return false;
            humidity = *h / 100.0;
        }
        row.Temperature = *t / 100.0;
        row.Humidity = humidity;
        row.Polled = true;
    }
    return true;
}

bool TSensorBusDevice::StartScan(int Bus) {
    FFailure = TFailure::None;
    return Write(Object(Bus), sbScan, qint32(kScanCommand));
}

bool TSensorBusDevice::Swap(int Bus, int SensorA, int SensorB) {
    FFailure = TFailure::None;
    if (SensorA < 0 || SensorB < 0 || SensorA > 254 || SensorB > 254 || SensorA == SensorB) {
        FFailure = TFailure::Transfer;
        return false;
    }
    return Write(Object(Bus), sbSwap, (SensorA << 8) | SensorB);
}

std::optional<bool> TSensorBusDevice::ReadPowerActive(int Bus) {
    FFailure = TFailure::None;
    const auto v = Read(Object(Bus), sbBusOptions);
    if (!v)
        return std::nullopt;
    return (*v & 1) != 0;
}

bool TSensorBusDevice::WritePowerActive(int Bus, bool On) {
    FFailure = TFailure::None;
    TTermoMultiSensorChannel* bus = Object(Bus);
    // The other bits of the word are the device's; only bit 0 is ours to change.
    const auto v = Read(bus, sbBusOptions);
    if (!v)
        return false;
    const qint32 word = On ? (*v | 1) : (*v & ~1);
    return Write(bus, sbBusOptions, word);
}

std::optional<TDeviceOptions> TSensorBusDevice::ReadOptions() {
    FFailure = TFailure::None;
    if (FBuses.empty()) {
        FFailure = TFailure::Transfer;
        return std::nullopt;
    }
    TTermoMultiSensorChannel* first = FBuses.front().Object;
    TDeviceOptions o;
    if (FSignalling) {
        const auto s = Read(FSignalling, slRelayDefault);
        if (!s)
            return std::nullopt;
        o.Signalling = quint32(*s);
        o.RelayDefault = (o.Signalling & 1) != 0;
    }
    const auto word = Read(first, sbDeviceOptions);
    if (!word)
        return std::nullopt;
    o.OptionsWord = quint32(*word);
    o.ErrorTemperature = qint16(quint16(o.OptionsWord >> 16));
    o.TemperatureJump = int(o.OptionsWord & 0xFF);
    const auto humidity = Read(first, sbErrorHumidity);
    if (!humidity)
        return std::nullopt;
    o.ErrorHumidity = qint16(quint16(*humidity));
    return o;
}

bool TSensorBusDevice::WriteOptions(const TDeviceOptions& O) {
    FFailure = TFailure::None;
    if (FBuses.empty()) {
        FFailure = TFailure::Transfer;
        return false;
    }
    TTermoMultiSensorChannel* first = FBuses.front().Object;
    if (FSignalling) {
        const quint32 s = O.RelayDefault ? (O.Signalling | 1u) : (O.Signalling & ~1u);
        if (!Write(FSignalling, slRelayDefault, qint32(s)))
            return false;
    }
    const quint32 word = (quint32(quint16(O.ErrorTemperature)) << 16) | (O.OptionsWord & 0xFF00u) |
                         quint32(O.TemperatureJump & 0xFF);
    return Write(first, sbDeviceOptions, qint32(word)) &&
           Write(first, sbErrorHumidity, qint32(quint16(O.ErrorHumidity)));
}

bool TSensorBusDevice::Commit(TTermoMultiSensorChannel* Object) {
    TAccessPoint* ap = FModule.AP();
    const int saved = ap ? ap->Timeout() : 0;
    if (ap)
        ap->SetTimeout(kCommitTimeoutMs);
    const bool ok = Write(Object, sbStore, 0);
    if (ap)
        ap->SetTimeout(saved);
    return ok;
}

bool TSensorBusDevice::StoreIdentifiers(int Bus, const TMACList& List, int* FailedAt) {
    FFailure = TFailure::None;
    if (FailedAt)
        *FailedAt = -1;
    TTermoMultiSensorChannel* bus = Object(Bus);
    if (List.empty())
        return Write(bus, sbCount, 0);
    if (int(List.size()) > kMaxSensors) {
        FFailure = TFailure::TooManySensors;
        return false;
    }
    if (!Write(bus, sbStore, qint32(kStoreCommand)) || !Write(bus, sbCount, qint32(List.size())))
        return false;
    for (size_t i = 0; i < List.size(); ++i) {
        if (!Write(bus, sbSelect, qint32(i)) || !Write(bus, sbSerialLow, qint32(List[i].Low())) ||
            !Write(bus, sbSerialHigh, qint32(List[i].High()))) {
            // Committing now would make a partial list the bus's list.
            if (FailedAt)
                *FailedAt = int(i);
            return false;
        }
    }
    return Commit(bus);
}

bool TSensorBusDevice::ReadImage(TSensorImage& Image) {
    FFailure = TFailure::None;
    TSensorImage image;
    const auto options = ReadOptions();
    if (!options)
        return false;
    image.AddProperties()->Value = options->Signalling;
    image.AddProperties()->ErrorTempValue = options->ErrorTemperature;
    image.AddProperties()->TempJumpValue = options->TemperatureJump;
    if (FSignalling && !FBuses.empty()) {
        const auto cpu = ReadLimits(FBuses.front().Number, kCpuSensor);
        if (!cpu)
            return false;
        PutLimits(*image.CpuTemp(), *cpu);
    }
    for (const TBus& b : FBuses) {
        std::vector<TSensorRow> rows;
        if (!FillSensorList(b.Number, rows))
            return false;
        const auto power = ReadPowerActive(b.Number);
        if (!power)
            return false;
        auto* item = qobject_cast<TBusItem*>(image.Buses()->Add());
        item->PowerActive = *power;
        for (const TSensorRow& row : rows) {
            if (row.Cpu)
                continue;
            auto* sensor = qobject_cast<TSensorItem*>(item->Sensors()->Add());
            sensor->Serial = row.Mac.Text();
            PutLimits(*sensor, row.Limits);
        }
    }
    Image.Assign(&image);
    return true;
}

bool TSensorBusDevice::WriteBusImage(int Bus, const TBusItem* Item) {
    TTermoMultiSensorChannel* bus = Object(Bus);
    if (!Item)
        return Write(bus, sbCount, 0) && Write(bus, sbBusOptions, 0);
    const TSensorList& sensors = *Item->Sensors();
    if (sensors.Count() > kMaxSensors) {
        FFailure = TFailure::TooManySensors;
        return false;
    }
    if (!Write(bus, sbCount, sensors.Count()) || !Write(bus, sbBusOptions, Item->PowerActive ? 1 : 0))
        return false;
    for (int i = 0; i < sensors.Count(); ++i) {
        const TSensorItem& s = *sensors.Sensor(i);
        const auto mac = TOneWireMAC::Parse(s.Serial);
        if (!mac) {
            FFailure = TFailure::Transfer;
            return false;
        }
        if (!Write(bus, sbSelect, i) || !Write(bus, sbSerialLow, qint32(mac->Low())) ||
            !Write(bus, sbSerialHigh, qint32(mac->High())))
            return false;
        if (FSignalling && !WriteLimits(Bus, i, LimitsOf(s)))
            return false;
    }
    return true;
}

bool TSensorBusDevice::WriteImage(const TSensorImage& Image, int Only) {
    FFailure = TFailure::None;
    if (FBuses.empty() || !CheckSensorImage(Image).Ok()) {
        FFailure = TFailure::Transfer;
        return false;
    }
    TTermoMultiSensorChannel* first = FBuses.front().Object;
    const TAddProperties& add = *Image.AddProperties();
    if (FSignalling) {
        if (!WriteLimits(FBuses.front().Number, kCpuSensor, LimitsOf(*Image.CpuTemp())) ||
            !Write(FSignalling, slRelayDefault, qint32(add.Value)))
            return false;
    }
    const auto word = Read(first, sbDeviceOptions);
    if (!word)
        return false;
    const quint32 options = (quint32(quint16(add.ErrorTempValue)) << 16) | (quint32(*word) & 0xFF00u) |
                            quint32(add.TempJumpValue & 0xFF);
    if (!Write(first, sbDeviceOptions, qint32(options)) || !Write(first, sbStore, qint32(kStoreCommand)))
        return false;
    for (size_t k = 0; k < FBuses.size(); ++k) {
        if (Only >= 0 && int(k) != Only)
            continue;
        if (!WriteBusImage(FBuses[k].Number, Image.Buses()->Bus(int(k))))
            return false;
    }
    return Commit(first);
}
