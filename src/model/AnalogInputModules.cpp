#include "model/AnalogInputModules.h"

#include "model/ModuleFactory.h"

void TSimpleChannelList::Create(TZUVOModule* Module, quint8 FirstObject, int Count) {
    for (int i = 0; i < Count; ++i)
        FItems.push_back(
            std::make_unique<TSimpleChannel>(Module, quint8(FirstObject + i), int(FItems.size())));
}

TSimpleChannel* TSimpleChannelList::At(int Index) const {
    if (Index < 0 || Index >= Count())
        return nullptr;
    return FItems[size_t(Index)].get();
}

void TAnalogInputModule::AddInputs(int Count, TRegisterLayout Layout, quint8 FirstObject) {
    for (int i = 0; i < Count; ++i) {
        const quint8 object = quint8(FirstObject + i);
        AddRegisterLayout(Tunnel(), Layout, object, quint16(object * 256));
    }
    FInputs.Create(this, FirstObject, Count);
}

void TAnalogInputModule::AddStreamController(quint8 Object, int Properties) {
    AddRegisterSequence(Tunnel(), Object, quint16(Object * 256), Properties);
    FStreamController = std::make_unique<TAIKDataStreamController>(this, Object);
}

TAOChannel* TAnalogInputModule::AnalogOutput(int Index) {
    if (Index < 0 || Index >= int(FOutputs.size()))
        return nullptr;
    return FOutputs[size_t(Index)].get();
}

void TAnalogInputModule::AddOutput(quint8 Object, quint16 Base) {
    AddRegisterLayout(Tunnel(), TRegisterLayout::AO, Object, Base);
    FOutputs.push_back(std::make_unique<TAOChannel>(this, Object, int(FOutputs.size())));
}

TKVDAIKBUS::TKVDAIKBUS() {
    AddInputs(4, TRegisterLayout::AI4);
    AddStreamController(5, 7);
}

TKVDAVIX::TKVDAVIX() : GVix(std::make_unique<TGVixChannel>(this, kGVixObject, 0)) {}

TKVDAI8BUS::TKVDAI8BUS() {
    AddInputs(8, TRegisterLayout::AI8);
}

TKVDAIK12BUS::TKVDAIK12BUS() {
    AddInputs(12, TRegisterLayout::AI8);
    AddRegisterSequence(Tunnel(), kAlarmSystemObject, quint16(kAlarmSystemObject * 256), 11);
    AlarmSystem = std::make_unique<TAlarmSystemChannel>(this);
    AddStreamController(kStreamObject, 4);
}

TKVDAI4VIXPro::TKVDAI4VIXPro() {
    AddInputs(4, TRegisterLayout::AI4);
    AddStreamController(5, 7);
}

TKVDAI7VIXPro::TKVDAI7VIXPro() {
    AddInputs(7, TRegisterLayout::AI4);
    AddStreamController(8, 7);
}

TKVDAI24QAV::TKVDAI24QAV() {
    AddInputs(24, TRegisterLayout::AI4);
}

TKVDAI8QAV::TKVDAI8QAV() {
    AddInputs(8, TRegisterLayout::AI4);
}

TKVDAIQAV::TKVDAIQAV() {
    AddInputs(2, TRegisterLayout::AI4);
}

// Object 1 of these models sits where the four-input layout puts it (256 .. 292).
TKVDAVIX_EXT::TKVDAVIX_EXT() {
    AddInputs(1, TRegisterLayout::AI4);
    AddOutput(kFirstOutputObject, 48);
}

TKVD2AVIX::TKVD2AVIX() {
    AddInputs(1, TRegisterLayout::AI4);
    // The output layout at object × 256 + 16.
    for (int i = 0; i < kOutputCount; ++i)
        AddOutput(quint8(kFirstOutputObject + i), quint16((kFirstOutputObject + i) * 256 + 16));
}

TKVD2ARVIX::TKVD2ARVIX() {
    AddInputs(2, TRegisterLayout::AI4);
    // The output layout at object × 256 + 16.
    for (int i = 0; i < kOutputCount; ++i)
        AddOutput(quint8(kFirstOutputObject + i), quint16((kFirstOutputObject + i) * 256 + 16));
}

namespace {

template <class T> void Register() {
    RegisterModuleClass(T().ClassName(), [] { return std::make_unique<T>(); });
}

} // namespace

void RegisterAnalogInputModuleClasses() {
    Register<TKVDAIKBUS>();
    Register<TKVDAVIX>();
    Register<TKVDAI8BUS>();
    Register<TKVDAIK12BUS>();
    Register<TKVDAI4VIXPro>();
    Register<TKVDAIVIXPro>();
    Register<TKVDAI7VIXPro>();
    Register<TKVDAI24QAV>();
    Register<TKVDAI8QAV>();
    Register<TKVDAIQAV>();
    Register<TKVDAVIX_EXT>();
    Register<TKVD2AVIX>();
    Register<TKVD2ARVIX>();
}
