#include "shell/DemoBus.h"

#include "emulator/EmulatorRows.h"
#include "emulator/VirtualDeviceManager.h"
#include "options/AdminOptions.h"
#include "platform/PtyCable.h"

#include <QDir>
#include <QFile>

namespace {
constexpr quint32 kDemoPointsModule = 39;
} // namespace

TDemoBus::TDemoBus() : FSavedPorts(qgetenv("DOVUVAVAROVOD_PORTS")) {}

TDemoBus::~TDemoBus() {
    if (FSavedPorts.isEmpty())
        qunsetenv("DOVUVAVAROVOD_PORTS");
    else
        qputenv("DOVUVAVAROVOD_PORTS", FSavedPorts);
}

bool TDemoBus::Start(TVirtualDeviceManager& Manager) {
    if (!FFolder.isValid()) {
        FError = QStringLiteral("no temporary folder for the demo");
        return false;
    }
    FCable = std::make_unique<TPtyCable>();
    if (!FCable->Ok()) {
        FError = QStringLiteral("no pseudo-terminals for the demo bus");
        return false;
    }
    const QString ports = FFolder.filePath(QStringLiteral("ports"));
    QDir().mkpath(ports);
    // COM1 is the program's end of the cable; the emulator listens on the other.
    QFile::link(FCable->EndA(), ports + QStringLiteral("/COM1"));
    qputenv("DOVUVAVAROVOD_PORTS", ports.toLocal8Bit());

    Manager.SetActive(false);
    Manager.ClearDevices();
    // Both protocols: the program speaks Nerix to the modules, and the oscilloscope reads the analog
    // inputs through Modbus RTU.
    Manager.SetProtocol(TVirtualDeviceManager::kProtocolBoth);
    Manager.SetPortName(FCable->EndB());
    Manager.SetBaudRateValue(9600);
    for (const TEmulatorRow& row : EmulatorRows())
        Manager.AddDevices(row.TypeCode, 1);
    // A KVD-DIO-VIXPro, a module of configurable points with the larger manager, so that its window
    // can be tried too; the emulator window offers the rows above only.
    Manager.AddDevices(kDemoPointsModule, 1);
    for (const TEmulatorRow& extra : EmulatorExtraDevices())
        Manager.AddDevices(extra.TypeCode, 1);
    Manager.SetActive(true);
    if (!Manager.Active()) {
        FError = QStringLiteral("the demo emulator did not start: %1").arg(Manager.LastError());
        Manager.ClearDevices();
        return false;
    }
    return true;
}

void TDemoBus::Configure(TAdminOptions& Options) {
    TComPortAPOptions& com = *Options.AccessPoints()->ComPortAPOptions();
    com.SetPort(0);
    com.SetRateID(6);
    com.SetParityID(0);
    com.SetStopBitsID(0);
    com.SetRTSMode(2);
    com.SetTimeout(50);
    Options.AccessPoints()->SetAccessPointID(0);
}
