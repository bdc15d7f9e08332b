#include "model/SensorChannelModules.h"

#include "model/ModuleFactory.h"
#include "protocol/ModbusToNerix.h"

namespace {

template <class T> T* At(const std::vector<std::unique_ptr<T>>& Items, int Index) {
    if (Index < 0 || Index >= int(Items.size()))
        return nullptr;
    return Items[size_t(Index)].get();
}

} // namespace

TKVDTCBUS::TKVDTCBUS() {
    for (int i = 0; i < kChannelCount; ++i) {
        const quint8 object = quint8(i + 1);
        const quint16 base = quint16(object * 256);
        AddRegisterSequence(Tunnel(), object, base, 11);
        Tunnel().AddMapping(quint16(base + 28), object, 20);
        Tunnel().AddMapping(quint16(base + 30), object, 15);
        FChannels.push_back(std::make_unique<TTermoChannel>(this, object, i));
    }
}

TTermoChannel* TKVDTCBUS::GetChannel(int Index) const {
    return At(FChannels, Index);
}

TCustomFlowModule::TCustomFlowModule(int Count) {
    for (int i = 0; i < Count; ++i) {
        const quint8 object = quint8(i + 1);
        AddRegisterSequence(Tunnel(), object, quint16(object * 256), 23);
        FChannels.push_back(std::make_unique<TFlowChannel>(this, object, i));
    }
}

TFlowChannel* TCustomFlowModule::GetChannel(int Index) const {
    return At(FChannels, Index);
}

TCustomFlameModule::TCustomFlameModule() = default;
TCustomFlameModule::~TCustomFlameModule() = default;

void TCustomFlameModule::AddCommonObjects() {
    AddDiscreteOutputs(kFirstRelayObject, kRelayCount);
    // Objects 7 and 8 sit where the discrete layout would put them: object × 256 + 16.
    AddAnalogOutput(kAnalogOutputObject, DiscreteBase(kAnalogOutputObject));
    AddManager(kManagerObject, DiscreteBase(kManagerObject), 5);
}

void TCustomFlameModule::AddFlameChannel(int Properties) {
    AddRegisterSequence(Tunnel(), TFlameChannel::kObject, quint16(TFlameChannel::kObject * 256), Properties);
    FFlame = std::make_unique<TFlameChannel>(this, TFlameChannel::kObject, 0);
}

TKVDFLAMEBUS::TKVDFLAMEBUS() {
    AddAnalogInputs(1, 2, TRegisterLayout::AI8);
    AddCommonObjects();
    AddFlameChannel(12);
}

TKVDFLAMEDETECTORBUS::TKVDFLAMEDETECTORBUS() {
    for (int i = 0; i < kFotoSensorCount; ++i) {
        const quint8 object = quint8(i + 1);
        AddRegisterSequence(Tunnel(), object, quint16(object * 256), 22);
        FFotoSensors.push_back(std::make_unique<TFotoSensorChannel>(this, object, i));
    }
    AddCommonObjects();
    AddFlameChannel(22);
}

TKVDFLAMEDETECTORBUS::~TKVDFLAMEDETECTORBUS() = default;

TFotoSensorChannel* TKVDFLAMEDETECTORBUS::FotoSensor(int Index) const {
    return At(FFotoSensors, Index);
}

namespace {

template <class T> void Register() {
    RegisterModuleClass(T().ClassName(), [] { return std::make_unique<T>(); });
}

} // namespace

void RegisterSensorChannelModuleClasses() {
    Register<TKVDTCBUS>();
    Register<TKVDRSBUS>();
    Register<TKVDRSVIXPro>();
    Register<TKVDFLAMEBUS>();
    Register<TKVDFLAMEDETECTORBUS>();
    Register<TKVDuHostVIXPro>();
}
