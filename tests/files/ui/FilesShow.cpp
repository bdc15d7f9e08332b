// Shows the file manager windows and a converter configurator for a look under a real X server,
// against the emulated weight controller on a bridged pair of pseudo-terminals.
//   dvv_files_show [--uk] manager | select | copy | converter
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "converters/ui/ConvCfgDlg.h"
#include "emulator/VirtualDeviceManager.h"
#include "files/ui/FileMgrDlg.h"
#include "localization/Localization.h"
#include "model/DiscreteModules.h"
#include "support/PtyBridge.h"

#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <QTreeWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    SetCurrentLanguage(args.removeAll(QStringLiteral("--uk")) ? liUkrainian : liEnglish);
    const QString what = args.value(0, QStringLiteral("manager"));
    TPtyBridge bridge;
    TVirtualDeviceManager emulator;
    emulator.AddDevices(21, 1);
    emulator.SetProtocol(TVirtualDeviceManager::kProtocolNerix);
    emulator.SetPortName(bridge.PathA());
    emulator.SetActive(true);
    TPowerRsBus bus;
    bus.SetPortName(bridge.PathB());
    bus.SetInputTimeout(150);
    TComPortAccessPoint ap;
    ap.SetBus(&bus);
    ap.SetActive(true);
    if (what == QLatin1String("converter")) {
        TConvCfgDoubleDlg dlg(&ap);
        dlg.show();
        return QApplication::exec();
    }
    TP340BUS module;
    module.SetAP(&ap);
    module.SetAddress(1);
    TFileMgrDlg dlg;
    if (!dlg.Prepare(module.FileMgr()))
        return 1;
    if (what == QLatin1String("select")) {
        dlg.SelectFileDlg->show();
        return QApplication::exec();
    }
    // In "copy" the size is left unknown and the quiet period long, so the transfer window stays up.
    const bool copy = what == QLatin1String("copy");
    const quint16 size = copy ? 0 : 600;
    dlg.CopyFileDlg->QuietMs = copy ? 600000 : 3000;
    dlg.OnAskDeviceFile = [size] {
        return std::optional<TDeviceFile>(TDeviceFile{1, QStringLiteral("Weights.log"), size, 2});
    };
    dlg.OnAskComputerFile = [](bool) { return QStringLiteral("/tmp/weights-copy.log"); };
    dlg.SpeedButton5Click();
    dlg.SpeedButton3Click();
    dlg.show();
    QTimer::singleShot(300, &dlg, [&] { dlg.SpeedButton1Click(); });
    return QApplication::exec();
}
