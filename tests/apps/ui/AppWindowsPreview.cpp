// Shows the application windows on a scripted KVD-P340-BUS for a look under a real X server (the
// demo bus has no weight controller): `dvv_apps_preview selector|power|weight|editor [uk]`. Not a
// test; it runs until it is closed.
#include "apps/ui/AppFrameworkDlg.h"
#include "apps/ui/AppSelectorDlg.h"
#include "apps/ui/P340Apps.h"
#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "localization/Localization.h"
#include "model/DiscreteModules.h"
#include "support/ScriptedDevice.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <bit>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString what = argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("selector");
    SetCurrentLanguage(argc > 2 && QByteArray(argv[2]) == "uk" ? liUkrainian : liEnglish);
    QTemporaryDir tmp;
    qputenv("DOVUVAVAROVOD_REGISTRY", tmp.filePath(QStringLiteral("registry.ini")).toUtf8());

    TScriptedDevice dev;
    std::map<std::pair<quint8, quint16>, quint32> props;
    const quint8 objects[] = {1, 2, 19, 20};
    for (int k = 0; k < 4; ++k) {
        props[{objects[k], 0}] = std::bit_cast<quint32>(12.5f * float(k + 1));
        props[{objects[k], 1}] = 4;
        props[{objects[k], 32}] = std::bit_cast<quint32>(229.8f + float(k));
        props[{objects[k], 34}] = std::bit_cast<quint32>(4.75f);
        props[{objects[k], 35}] = std::bit_cast<quint32>(0.97f);
    }
    props[{17, 0}] = 0x02000500;
    dev.AddNerixDevice(1, props);
    TPowerRsBus bus;
    bus.SetPortName(dev.PortPath());
    TComPortAccessPoint ap;
    ap.SetBus(&bus);
    ap.SetActive(true);
    TP340BUS module;
    module.SetAP(&ap);
    module.SetAddress(1);

    TAppSelectorDlg selector;
    selector.Prepare(21, &module);
    const int row = what == QLatin1String("weight") ? 1 : 0;
    if (what != QLatin1String("selector")) {
        QTimer::singleShot(300, [&] { selector.Rows[size_t(row)]->ExecuteBtn->click(); });
        if (what == QLatin1String("editor"))
            QTimer::singleShot(900, [&] { selector.Host->ControlPanel->ParamBtn->click(); });
        else
            QTimer::singleShot(900, [&] { selector.Host->ControlPanel->StartStopBtn->click(); });
    }
    selector.exec();
    return 0;
}
