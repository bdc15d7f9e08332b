#include "model/DiscreteModules.h"

#include "model/ModuleFactory.h"

TKVDDIBUS::TKVDDIBUS() {
    AddDiscreteInputs(1, 8);
    AddDiscreteOutputs(9, 2);
    AddManager(11, 2832);
}

TKVDDI14BUS::TKVDDI14BUS() {
    AddDiscreteInputs(1, 15, 13);
    AddManagerExt(16, 4112);
}

TKVDDIOBUS::TKVDDIOBUS() {
    AddDiscreteInputs(1, 8);
    AddDiscreteOutputs(9, 8);
    AddManager(17, 4368);
    AddIntachnessCtrl<TDOS12IntachnessCtrlChannel>(18, 4624, 5);
}

TKVDDOBUS::TKVDDOBUS() {
    AddDiscreteOutputs(1, 8);
    AddManager(9, 2320);
    AddIntachnessCtrl<TDOS12IntachnessCtrlChannel>(10, 2576, 5);
}

TKVDDOSBUS::TKVDDOSBUS() {
    AddDiscreteOutputs(1, 8);
    AddManager(9, 2320);
    AddIntachnessCtrl<TDOS12IntachnessCtrlChannel>(10, 2576, 5);
}

TKVDDOS12BUS::TKVDDOS12BUS() {
    AddDiscreteOutputs(1, 12);
    AddManager(13, 3344);
    AddIntachnessCtrl<TDOS12IntachnessCtrlChannel>(14, 3600, 5);
}

TKVDDORBUS::TKVDDORBUS() {
    AddDiscreteOutputs(1, 4);
    AddManager(5, 1296, 4);
    AddIntachnessCtrl<TDOS12IntachnessCtrlChannel>(6, 1552, 5);
}

TKVDDOFBUS::TKVDDOFBUS() {
    AddDiscreteInputs({1, 2});
    AddDiscreteOutputs(3, 6);
    AddManager(9, 2320);
    AddDiscreteInputs({10, 11, 12, 13});
    AddDiscreteOutputs(14, 2);
    AddIntachnessCtrl<TDOFIntachnessCtrlChannel>(16, 4096, 6);
}

TKVDDIO24QAV::TKVDDIO24QAV() {
    AddDiscreteInputs(1, 24);
    AddDiscreteOutputs(25, 24);
    AddManagerExt(49, 12560);
    AddIntachnessCtrl<TICDIO24QAV>(50, 12816, 5);
}

TKVDDIOVIXPro::TKVDDIOVIXPro() {
    Build();
    AddIntachnessCtrl<TICDIOVIXPro>(10, 2576, 5);
}

TKVDDIOVIXPro::TKVDDIOVIXPro(TNoController) {
    Build();
}

void TKVDDIOVIXPro::Build() {
    AddDiscreteInputs(1, 4);
    AddDiscreteOutputs(5, 4);
    AddManagerExt(9, 2320);
}

TKVDDIO4QAV::TKVDDIO4QAV() : TKVDDIOVIXPro(TNoController{}) {
    AddIntachnessCtrl<TICDIO24QAV>(10, 2576, 5);
}

TMIOVIXPro::TMIOVIXPro() {
    AddAnalogInputs(1, 1, TRegisterLayout::AIVExt);
    AddAnalogOutput(2, DiscreteBase(2));
    AddDiscreteInputs(3, 2);
    AddDiscreteOutputs(5, 2);
    AddManager(7, 1808);
    AddIntachnessCtrl<TICMIOVIXPro>(8, 2048, 6);
}

TMIOExVIXPro::TMIOExVIXPro() {
    AddAnalogInputs(1, 3, TRegisterLayout::AIVExt);
    AddDiscreteInputs(4, 3);
    AddAnalogOutput(7, DiscreteBase(7));
    AddDiscreteOutputs(8, 3);
    AddManagerExt(11, DiscreteBase(11));
    AddIntachnessCtrl<TICMIOVIXPro>(12, 3072, 5);
}

TP340BUS::TP340BUS() {
    AddAnalogInputs(1, 2, TRegisterLayout::AIVExt);
    AddDiscreteOutputs(3, 8);
    AddDiscreteInputs(11, 4);
    AddAnalogOutput(15, DiscreteBase(15));
    AddAnalogOutput(16, DiscreteBase(16));
    AddManager(17, 4368);
    AddRegisterSequence(Tunnel(), kFileManagerObject, 4624, 11);
    FFileMgr = std::make_unique<TFileMgrObject>(this, kFileManagerObject);
    AddAnalogInputs(19, 2, TRegisterLayout::AIVExt);
    AddIntachnessCtrl<TP340IntachnessCtrlChannel>(21, 5376, 6);
    for (int i = 0; i < kTemperatureCount; ++i) {
        const quint8 object = quint8(kFirstTemperatureObject + i);
        AddRegisterSequence(Tunnel(), object, quint16(object * 256), 14);
    }
}

TP340BUS::~TP340BUS() = default;

TP680BUS::TP680BUS() {
    AddAnalogInputs(1, 6, TRegisterLayout::AIVExt);
    AddDiscreteInputs(7, 8);
    AddDiscreteOutputs(15, 12);
    AddManager(27, 6928);
    AddIntachnessCtrl<TDOS12IntachnessCtrlChannel>(28, 7184, 5);
}

TW3DVIX::TW3DVIX() {
    AddAnalogInputs(1, 3, TRegisterLayout::AIVExt);
    AddDiscreteOutputs(4, 3);
    AddManager(7, 4368);
}

namespace {

template <class T> void Register() {
    RegisterModuleClass(T().ClassName(), [] { return std::make_unique<T>(); });
}

} // namespace

void RegisterDiscreteModuleClasses() {
    Register<TKVDDIBUS>();
    Register<TKVDDI14BUS>();
    Register<TKVDDIOBUS>();
    Register<TKVDDOBUS>();
    Register<TKVDDOSBUS>();
    Register<TKVDDOS12BUS>();
    Register<TKVDDORBUS>();
    Register<TKVDDOFBUS>();
    Register<TKVDDIO24QAV>();
    Register<TKVDDIOVIXPro>();
    Register<TKVDDIO4QAV>();
    Register<TMIOVIXPro>();
    Register<TMIOExVIXPro>();
    Register<TP340BUS>();
    Register<TP341BUS>();
    Register<TP680BUS>();
    Register<TW3DVIX>();
}
