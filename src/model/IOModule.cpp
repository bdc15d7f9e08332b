#include "model/IOModule.h"

#include "protocol/ModbusToNerix.h"

namespace {

template <class T> T* At(const std::vector<std::unique_ptr<T>>& Items, int Index) {
    if (Index < 0 || Index >= int(Items.size()))
        return nullptr;
    return Items[size_t(Index)].get();
}

} // namespace

TIOModule::TIOModule() = default;
TIOModule::~TIOModule() = default;

TDIChannel* TIOModule::DiscreteInput(int Index) {
    return At(FDiscreteInputs, Index);
}

TDOChannel* TIOModule::DiscreteOutput(int Index) {
    return At(FDiscreteOutputs, Index);
}

TAOChannel* TIOModule::AnalogOutput(int Index) {
    return At(FAnalogOutputs, Index);
}

void TIOModule::AddDiscreteInputs(std::initializer_list<quint8> Objects, int Properties) {
    for (quint8 object : Objects) {
        AddRegisterSequence(Tunnel(), object, DiscreteBase(object), Properties);
        FDiscreteInputs.push_back(std::make_unique<TDIChannel>(this, object, int(FDiscreteInputs.size())));
    }
}

void TIOModule::AddDiscreteInputs(quint8 First, int Count, int Properties) {
    for (int i = 0; i < Count; ++i)
        AddDiscreteInputs({quint8(First + i)}, Properties);
}

void TIOModule::AddDiscreteOutputs(quint8 First, int Count) {
    for (int i = 0; i < Count; ++i) {
        const quint8 object = quint8(First + i);
        AddRegisterSequence(Tunnel(), object, DiscreteBase(object), kDOProperties);
        FDiscreteOutputs.push_back(std::make_unique<TDOChannel>(this, object, int(FDiscreteOutputs.size())));
    }
}

void TIOModule::AddAnalogInputs(quint8 First, int Count, TRegisterLayout Layout) {
    for (int i = 0; i < Count; ++i) {
        const quint8 object = quint8(First + i);
        AddRegisterLayout(Tunnel(), Layout, object, quint16(object * 256));
    }
    FAnalogInputs.Create(this, First, Count);
}

void TIOModule::AddAnalogOutput(quint8 Object, quint16 Base) {
    AddRegisterLayout(Tunnel(), TRegisterLayout::AO, Object, Base);
    FAnalogOutputs.push_back(std::make_unique<TAOChannel>(this, Object, int(FAnalogOutputs.size())));
}

void TIOModule::AddManager(quint8 Object, quint16 Base, int Properties) {
    AddRegisterSequence(Tunnel(), Object, Base, Properties);
    FManager = std::make_unique<TDIOManager>(this, Object);
}

void TIOModule::AddManagerExt(quint8 Object, quint16 Base) {
    AddRegisterSequence(Tunnel(), Object, Base, 10);
    FManagerExt = std::make_unique<TDIOManagerExt>(this, Object);
}
