#include "model/MultiSensorModules.h"

#include "model/ModuleFactory.h"
#include "protocol/ModbusToNerix.h"

std::optional<qint32> TTermoMultiSensorChannel::ReadProperty(quint16 Property) {
    const bool ok = Accessor.ReadPropertyAs(Property, dtInteger);
    std::optional<qint32> value;
    if (ok)
        value = Accessor.GetAsInteger();
    if (Module())
        Module()->Ok = value.has_value();
    return value;
}

bool TTermoMultiSensorChannel::WriteProperty(quint16 Property, qint32 Value) {
    // The accessor keeps the type of its last read; these objects take integers only.
    Accessor.DataType = dtInteger;
    const bool ok = Accessor.WritePropertyInteger(Property, Value);
    if (Module())
        Module()->Ok = ok;
    return ok;
}

TCustomMultiSensorModule::~TCustomMultiSensorModule() = default;

TTermoMultiSensorChannel* TCustomMultiSensorModule::SensorBus(int Index) {
    return Index >= 0 && Index < int(FBuses.size()) ? FBuses[size_t(Index)].get() : nullptr;
}

void TCustomMultiSensorModule::AddBus(quint8 Object, bool WithHumidity) {
    const quint16 base = quint16(Object * 256);
    AddRegisterSequence(Tunnel(), Object, base, 14);
    if (WithHumidity) {
        Tunnel().AddMapping(quint16(base + 28), Object, 20);
        Tunnel().AddMapping(quint16(base + 30), Object, 15);
    }
    FBuses.push_back(std::make_unique<TTermoMultiSensorChannel>(this, Object, int(FBuses.size())));
}

void TCustomMultiSensorModule::AddAlarm(quint8 Object, quint16 Base, int Properties) {
    AddRegisterSequence(Tunnel(), Object, Base, Properties);
    FAlarm = std::make_unique<TTermoMultiSensorAlarmChannel>(this, Object, 0);
}

TKVDTCMSBUS::TKVDTCMSBUS() {
    for (quint8 object = 1; object <= 12; ++object)
        AddBus(object, true);
    AddAlarm(13, 3328, 8);
}

TKVDTCVIXPro::TKVDTCVIXPro() {
    for (quint8 object = 1; object <= 4; ++object)
        AddBus(object, false);
}

namespace {

template <class T> void Register() {
    RegisterModuleClass(T().ClassName(), [] { return std::make_unique<T>(); });
}

} // namespace

void RegisterMultiSensorModuleClasses() {
    Register<TKVDTCMSBUS>();
    Register<TKVDTCVIXPro>();
}
