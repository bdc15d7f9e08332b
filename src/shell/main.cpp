#include "converters/ui/ConvCfgDlg.h"
#include "discovery/ui/FindDevices.h"
#include "emulator/VirtualDeviceManager.h"
#include "files/ui/FileMgrDlg.h"
#include "options/AdminOptions.h"
#include "options/OptionsDm.h"
#include "sensorbus/ui/SensorBusForm.h"
#include "sensorbus/ui/WndFramework.h"
#include "shell/DemoBus.h"
#include "shell/Dm.h"
#include "shell/ui/ConnectionsTool.h"
#include "shell/ui/Icons.h"
#include "shell/ui/InstrumentHooks.h"
#include "shell/ui/MainForm.h"
#include "views/ChannelWindows.h"
#include "views/DeviceSettingsWorkflow.h"
#include "views/ui/AIK12Dlg.h"
#include "views/ui/DIChannelForms.h"
#include "views/ui/DIOManagerForm.h"
#include "views/ui/DOChannelForms.h"
#include "views/ui/DevicePropsForm.h"
#include "views/ui/FlameChannelForms.h"
#include "views/ui/HealthControllerDlg.h"
#include "views/ui/KVD_AI8_ChannelForm.h"
#include "views/ui/KVD_AIK_ChannelForm.h"
#include "views/ui/KVD_AO_ChannelForm.h"
#include "views/ui/KVD_A_VIX_Form.h"
#include "views/ui/KvdRsDlg.h"
#include "views/ui/KvdTcDlg.h"
#include "views/ui/PropertySheetDlg.h"
#include "views/ui/SMDlg.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char* argv[]) {
    // Before the application object: help and version must print on a terminal without a display.
    const auto given = [&](const char* option) {
        return std::any_of(argv + 1, argv + argc, [&](const char* a) { return std::strcmp(a, option) == 0; });
    };
    if (given("--help") || given("-h")) {
        std::fputs("usage: dovuvavarovod [--demo]\n"
                   "       dovuvavarovod --version\n"
                   "  --demo     try the program on an emulated bus of eleven modules (COM1, 9600 bit/s,\n"
                   "             Nerix); your own Options.xml and ports folder are left alone\n"
                   "  --version  print the program's version\n"
                   "The command-line tool is dovuvavarovod-cli.\n",
                   stdout);
        return 0;
    }
    if (given("--version")) {
        std::fputs("dovuvavarovod " DVV_VERSION "\n", stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dovuvavarovod"));
    QApplication::setOrganizationName(QStringLiteral("ZUVO"));
    QApplication::setWindowIcon(ProgramIcon());
    const QStringList args = QApplication::arguments();
    // The toolkit has taken its own options (-style, -platform ...) out of the list by now.
    for (const QString& arg : args.mid(1))
        if (arg != QLatin1String("--demo")) {
            std::fprintf(stderr, "dovuvavarovod: unknown option \"%s\"\nTry 'dovuvavarovod --help'.\n",
                         qPrintable(arg));
            return 2;
        }
    const bool demoMode = args.contains(QStringLiteral("--demo"));

    // Start-up order: options, application context, main window. Shutdown runs the other way, and
    // the options, destroyed last, write Options.xml.
    std::unique_ptr<TDemoBus> demo;
    if (demoMode)
        demo = std::make_unique<TDemoBus>();
    auto options = std::make_unique<TOptionsDm>(demo ? demo->Folder() : QDir::currentPath());
    auto dm = std::make_unique<TDm>();
    if (demo) {
        TDemoBus::Configure(*options->AdminOptions());
        if (!demo->Start(*dm->VDMgr)) {
            QMessageBox::critical(nullptr, QStringLiteral("ZUVO Dovuvavarovod"), demo->Error());
            return 1;
        }
    }
    auto form = std::make_unique<TMainForm>(*dm, *options->AdminOptions());
    if (demo)
        form->ComConnection().ScanDialog().DefaultProtocol = tpNerix;

    // "Settings": the device properties window, made once and reused, run by the settings workflow.
    auto* deviceProps = new TDevicePropsForm(*dm, *options->AdminOptions(), form.get());
    RegisterInstrumentHooks(form->Instruments());
    RegisterAnalogInputWindow(*new TKVD_AIK_ChannelForm(*dm, form.get()));
    RegisterDIOManagerWindows(*new TDIOManagerForm(dm->DeviceRegister, *options->AdminOptions(), form.get()),
                              *new TDIOManagerExtDlg(form.get()), dm->DeviceRegister);
    RegisterHealthControllerWindows(*new THealthControllerDlg(form.get()));
    RegisterDOChannelWindows(*new TDOChannelForm(*dm, TDOWindow::KVD_DO, form.get()),
                             *new TDOChannelForm(*dm, TDOWindow::DOChannel, form.get()),
                             *new TDOChannelForm(*dm, TDOWindow::KVD_DOS, form.get()),
                             *new TDOChannelForm(*dm, TDOWindow::KVD_DOR, form.get()));
    RegisterDIChannelWindows(*new TDIChannelForm(*dm, TDIWindow::KVD_DI, form.get()),
                             *new TDIChannelForm(*dm, TDIWindow::KVD_DI_DC, form.get()),
                             *new TDIChannelForm(*dm, TDIWindow::DIDC, form.get()));
    RegisterAnalogOutputWindow(*new TKVD_AO_ChannelForm(*dm, form.get()));
    RegisterAnalogInputViewWindows(*new TKVD_AI8_ChannelForm(*dm, form.get()),
                                   *new TKVD_AIK_Heat_ChannelForm(*dm, form.get()));
    auto* sensorBusHost = new TWndFrameworkDlg(form.get());
    sensorBusHost->Options = options->AdminOptions();
    auto* sensorBus = new TKVD_VEVA_BUSDlg(form.get());
    sensorBus->hide();
    ChannelWindows().Register(QStringLiteral("TKVD_VEVA_BUSDlg"),
                              [sensorBusHost, sensorBus](const TChannelWindowContext& c) {
                                  sensorBus->Execute(*sensorBusHost, c.Module, c.Device, c.Row);
                              });
    RegisterKVD_A_VIX_Window(*new TKVD_A_VIX_Form(*dm, form.get()));
    RegisterFlameChannelWindow(*new TFlameChannelForm(*dm, form.get()));
    RegisterFotoSensorChannelWindow(*new TFotoSensorChannelForm(*dm, form.get()));
    RegisterKvdTcWindow(*new TKvdTcDlg(*dm, form.get()));
    RegisterKvdRsWindow(*new TKvdRsDlg(*dm, form.get()));
    RegisterAIK12Window(*new TAIK12Dlg(*dm, form.get()));
    RegisterSMWindow(*new TSMDlg(dm->Bus, form.get()), *dm);
    RegisterPropertySheetWindows(*new TPropertySheetDlg(form.get()), *options->AdminOptions());
    QPointer<TFileMgrDlg> fileMgr(new TFileMgrDlg(form.get()));
    ChannelWindows().Register(QStringLiteral("TFileMgrDlg"), [fileMgr](const TChannelWindowContext& c) {
        if (fileMgr)
            OpenFileMgr(*fileMgr, c.Module);
    });
    ConnectConverterActions(
        form->actRS232LANRS485, form->actConvCfgDouble, form->actCfgRepeater,
        [&dm] { return dm->CurrentAccessPoint; }, form.get());
    auto settings = std::make_unique<TDeviceSettingsWorkflow>(dm->Module, dm->cnl, dm->Bus);
    settings->OnExecute = [deviceProps](TDeviceProps& device, TDeviceParams& edited) {
        return deviceProps->Execute(device, edited);
    };
    TMainForm* main = form.get();
    settings->OnMessage = [main](const QString& text) {
        QMessageBox::information(main, main->windowTitle(), text);
    };
    settings->OnSearch = [main] { main->actFindDevicesExecute(); };
    form->OnDeviceSettings = [&dm, &settings] {
        if (dm->CurrentDevice)
            settings->Run(*dm->CurrentDevice, dm->CurrentAccessPoint);
    };

    form->show();
    const int code = QApplication::exec();
    settings.reset();
    form.reset();
    dm.reset();
    options.reset();
    demo.reset();
    return code;
}
