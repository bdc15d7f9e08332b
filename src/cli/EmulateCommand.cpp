// emulate: the workstation answers on a serial port as a bus of emulated devices.
#include "cli/CliCommands.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "cli/CliSignals.h"
#include "emulator/EmulatorRows.h"
#include "emulator/VirtualDeviceManager.h"
#include "model/BusSettings.h"

#include <QCoreApplication>
#include <QSocketNotifier>

namespace {

TCliOption DevicesOption() {
    return {QStringLiteral("devices"), QStringLiteral("NAME[=N],..."),
            QStringLiteral("the devices, at addresses from 1 in the order given; NAME is a row\n"
                           "of the emulator window or a catalogue model a row emulates,\n"
                           "N is 1 to 10 (default 1)"),
            true, [](TCliOptions& o, const QString& v) -> QString {
                std::vector<TEmulatorDeviceCount> devices;
                QString error;
                if (!ParseEmulatorDevices(v, devices, error))
                    return error;
                o.Devices = v;
                return {};
            }};
}

void ListDevices(const TVirtualDeviceManager& Manager, const TCliOptions& o, QTextStream& Out) {
    for (int i = 0; i < Manager.DeviceCount(); ++i)
        Out << HexAddressText(Manager.DeviceAt(i)->Address()) << " " << Manager.DeviceName(i) << Qt::endl;
    const int n = Manager.DeviceCount();
    Out << "emulating " << n << (n == 1 ? " device" : " devices") << " on " << o.Line.Port << " ("
        << (o.Line.Protocol == tpModbus ? "Modbus RTU" : "Nerix") << ", " << o.Line.Baud << " bit/s)"
        << Qt::endl;
}

int RunEmulate(const TCliOptions& o, TCliIo& Io) {
    std::vector<TEmulatorDeviceCount> devices;
    QString error;
    if (!ParseEmulatorDevices(o.Devices, devices, error)) {
        Io.Fail(error);
        return kExitUsage;
    }
    if (!QCoreApplication::instance()) {
        Io.Fail(QStringLiteral("emulate needs an event loop"));
        return kExitFailed;
    }
    TVirtualDeviceManager manager;
    for (const TEmulatorDeviceCount& d : devices)
        manager.AddDevices(d.TypeCode, d.Count);
    manager.SetProtocol(o.Line.Protocol == tpModbus ? TVirtualDeviceManager::kProtocolModbus
                                                    : TVirtualDeviceManager::kProtocolNerix);
    manager.SetPortName(o.Line.Port);
    manager.SetBaudRateValue(o.Line.Baud);
    QTextStream& out = Io.Out();
    if (o.Log)
        manager.OnFrame = [&out](int Direction, const quint8* Data, int Count) {
            out << TimeStamp() << (Direction == 1 ? " RX " : " TX ") << HexBytes(Data, Count) << Qt::endl;
        };

    TCliStopSignals stop;
    if (!stop.Ok()) {
        Io.Fail(QStringLiteral("cannot create the signal pipe"));
        return kExitFailed;
    }
    QSocketNotifier stopNotifier(stop.Handle(), QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });

    manager.SetActive(true);
    if (!manager.Active()) {
        Io.Fail(CannotOpenText(o.Line.Port, manager.LastError()));
        return kExitFailed;
    }
    ListDevices(manager, o, out);
    QCoreApplication::exec();

    stopNotifier.setEnabled(false);
    manager.OnFrame = nullptr;
    manager.SetActive(false);
    out << "stopped" << Qt::endl;
    return kExitOk;
}

TCliCommand MakeEmulateCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("emulate");
    c.Synopsis = QStringLiteral("--port COMn|PATH --devices NAME[=N],... [options]");
    c.Summary = QStringLiteral("answer on a serial port as a bus of emulated devices");
    QStringList rows;
    for (const TEmulatorRow& row : EmulatorRows())
        rows << row.Name;
    c.Description =
        QStringLiteral("Answers on the port as a bus of emulated devices until Ctrl+C or SIGTERM.\n"
                       "The rows: %1.\n"
                       "KVD-DI-BUS emulates KVD-DIDC-BUS devices.")
            .arg(rows.join(QLatin1String(", ")));
    TCliOption port = PortOption();
    port.Required = true;
    c.Options = {port,
                 DevicesOption(),
                 ProtocolOption(QStringLiteral("nerix|modbus (default nerix)")),
                 BaudOption(),
                 {QStringLiteral("log"),
                  {},
                  QStringLiteral("print every request (\"RX\") and answer (\"TX\") in hexadecimal with\n"
                                 "a time stamp, on stdout"),
                  false,
                  SetFlag(&TCliOptions::Log)}};
    c.Run = RunEmulate;
    return c;
}

} // namespace

const TCliCommand& EmulateCommand() {
    static const TCliCommand command = MakeEmulateCommand();
    return command;
}
