#include "model/AnalogOutputModules.h"

#include "model/ModuleFactory.h"

namespace {

// Outputs of the analog output models sit one after the other, 32 registers each, from 16 on.
quint16 OutputBase(quint8 Object) {
    return quint16(16 + 32 * (Object - 1));
}

} // namespace

TKVDAOBUS::TKVDAOBUS() {
    for (quint8 object = 1; object <= 4; ++object)
        AddAnalogOutput(object, OutputBase(object));
    AddIntachnessCtrl<TAOIntachnessCtrlChannel>(5, 144, 5);
}

TKVDAO6BUS::TKVDAO6BUS() {
    for (quint8 object = 1; object <= 6; ++object)
        AddAnalogOutput(object, OutputBase(object));
    AddIntachnessCtrl<TAOIntachnessCtrlChannel>(7, 208, 5);
}

TKVDAO2VIXPro::TKVDAO2VIXPro() {
    AddAnalogOutput(1, 16);
    AddAnalogOutput(2, 48);
    AddIntachnessCtrl<TAOIntachnessCtrlChannel>(7, 208, 5);
}

TKVDAO16QAV::TKVDAO16QAV() {
    for (quint8 object = 1; object <= 16; ++object)
        AddAnalogOutput(object, OutputBase(object));
    AddIntachnessCtrl<TAOIntachnessCtrlChannel>(17, 512, 5);
}

TKVDMIOQAV::TKVDMIOQAV() {
    AddAnalogInputs(1, 8, TRegisterLayout::AI4);
    for (quint8 object = 9; object <= 14; ++object)
        AddAnalogOutput(object, quint16(object * 256));
    AddIntachnessCtrl<TAOIntachnessCtrlChannel>(15, 3840, 5);
    AddDiscreteInputs(16, 8);
    AddDiscreteOutputs(24, 8);
    AddManagerExt(32, 8208);
    AddRegisterSequence(Tunnel(), 33, 8464, 5);
    FDiscreteIntachnessCtrl = std::make_unique<TICDIO24QAV>(this, 33);
}

TKVDMIOQAV::~TKVDMIOQAV() = default;

namespace {

template <class T> void Register() {
    RegisterModuleClass(T().ClassName(), [] { return std::make_unique<T>(); });
}

} // namespace

void RegisterAnalogOutputModuleClasses() {
    Register<TKVDAOBUS>();
    Register<TKVDAO6BUS>();
    Register<TKVDAO2VIXPro>();
    Register<TKVDAO16QAV>();
    Register<TKVDMIOQAV>();
}
