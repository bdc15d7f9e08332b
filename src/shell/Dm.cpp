#include "shell/Dm.h"

#include "emulator/EmulatorTcpServer.h"
#include "emulator/VirtualDeviceManager.h"
#include "localization/Localization.h"
#include "model/ModuleFactory.h"
#include "model/ZUVOModule.h"

namespace {
// Every type code the program keeps a template for.
constexpr quint16 kTemplateTypes[] = {0,  20, 31, 1,  2,  3,  4,  5,  6,  7,  8,  10, 15, 17, 18, 19,
                                      21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 32, 33, 34, 35, 36, 37,
                                      38, 39, 40, 41, 42, 43, 44, 64, 65, 66, 67, 68, 69, 72};
} // namespace

TDm::TDm() {
    Bus.SetPortName(PortNameOfNumber(2));
    Bus.SetHwFlow(hfRTSTOGGLE);
    Bus.SetTryCount(0);
    Module.SetAddress(1);
    cnl.Module = &Module;
    cnl.ObjectNumber = 0;
    cnl.DataType = dtInteger;
    cnl.ChannelDirection = cdInput;
    cnl.Fotmat = QStringLiteral("###############0.00");
    UdpServer.SetBindAddress(QStringLiteral("0.0.0.0"));
    UdpServer.SetDefaultPort(8080);

    ComAccessPoint.SetBus(&Bus);
    UdpAccessPoint.SetUDPClient(&UdpClient);
    UdpAccessPoint.SetUDPServer(&UdpServer);
    Modbus = std::make_unique<TModbus>(&Bus);
    VDMgr = std::make_unique<TVirtualDeviceManager>();
    VDTcp = std::make_unique<TEmulatorTcpServer>(*VDMgr);
    // English until the main window applies a language, so that lookups never meet an empty
    // catalogue.
    BuildDeviceRegister(DeviceRegister);

    // One template per model; types that share a class share its template, except the two discrete
    // input models, which keep one each.
    for (quint16 type : kTemplateTypes) {
        const QString cls = ModuleClassOf(type);
        const QString key = type == 10 ? cls + QStringLiteral("#10") : cls;
        auto it = FTemplatesByClass.find(key);
        if (it == FTemplatesByClass.end()) {
            TModuleCreation made = CreateModuleForType(type);
            if (!made.Module)
                continue;
            made.Module->SetAddress(1);
            made.Module->SetByteOrder(boNAN);
            made.Module->SetZoVuruPlug(&PlugZoVuru);
            it = FTemplatesByClass.emplace(key, std::move(made.Module)).first;
        }
        FTemplates[type] = it->second.get();
    }
}

TDm::~TDm() {
    VDTcp->Close();
    VDMgr->SetActive(false);
    ComAccessPoint.SetActive(false);
    UdpAccessPoint.SetActive(false);
    TcpAccessPoint.OnLinkChange = nullptr;
    TcpAccessPoint.SetActive(false);
}

quint8 TDm::CurrentLanguage() const {
    return ::CurrentLanguage();
}

void TDm::SetCurrentLanguage(quint8 Value) {
    ::SetCurrentLanguage(Value);
}

TZUVOModule* TDm::TemplateFor(quint16 TypeCode) const {
    const auto it = FTemplates.find(TypeCode);
    return it == FTemplates.end() ? nullptr : it->second;
}

void TDm::SelectCurrentModule() {
    if (!CurrentDevice)
        return;
    TZUVOModule* module = TemplateFor(quint16(CurrentDevice->TypeCode));
    // Without a template there is no module for this device; keeping the previous device's would
    // send its requests to the wrong device.
    CurrentModule = module;
    if (!module)
        return;
    CurrentModule = module;
    if (CurrentAccessPoint == &ComAccessPoint && CurrentDevice->BaudCode > 0 &&
        CurrentDevice->BaudCode < kBaudRateCount)
        Bus.SetBaudRate(TBaudRate(CurrentDevice->BaudCode));
    module->SetAP(CurrentAccessPoint);
    module->SetAddress(CurrentDevice->Address);
    module->SetTransferProtocol(TTransferProtocol(CurrentDevice->Protocol));
    module->Modified = false;
}
