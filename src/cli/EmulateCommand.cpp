// emulate: the workstation answers on a serial port, or on a TCP port as a serial device server or a
// Modbus TCP gateway would, as a bus of emulated devices.
#include "cli/CliCommands.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "cli/CliSignals.h"
#include "emulator/EmulatorRows.h"
#include "emulator/EmulatorTcpServer.h"
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

void ListDevices(const TVirtualDeviceManager& Manager, const TCliOptions& o, quint16 TcpPort,
                 QTextStream& Out) {
    for (int i = 0; i < Manager.DeviceCount(); ++i)
        Out << HexAddressText(Manager.DeviceAt(i)->Address()) << " " << Manager.DeviceName(i) << Qt::endl;
    const int n = Manager.DeviceCount();
    Out << "emulating " << n << (n == 1 ? " device" : " devices") << " on ";
    if (o.Line.TcpListen >= 0)
        Out << "TCP port " << TcpPort << " ("
            << (o.Line.Mbap                   ? "Modbus TCP"
                : o.Line.Protocol == tpModbus ? "Modbus RTU"
                                              : "Nerix")
            << ")";
    else
        Out << o.Line.Port << " (" << (o.Line.Protocol == tpModbus ? "Modbus RTU" : "Nerix") << ", "
            << o.Line.Baud << " bit/s)";
    Out << Qt::endl;
}

QString CheckEmulate(TCliOptions& o) {
    if (o.Line.Port.isEmpty() == (o.Line.TcpListen < 0))
        return QStringLiteral("give either --port or --tcp-listen");
    if (o.Line.Mbap && o.Line.TcpListen < 0)
        return QStringLiteral("--mbap goes with --tcp-listen");
    if (o.Line.Mbap && o.Line.Protocol != tpModbus)
        return QStringLiteral("a Modbus TCP gateway (--mbap) carries Modbus only, not --protocol nerix");
    return {};
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

    TEmulatorTcpServer server(manager);
    if (o.Line.TcpListen >= 0) {
        server.SetMbap(o.Line.Mbap);
        if (!server.Listen(quint16(o.Line.TcpListen))) {
            Io.Fail(server.LastError(), {{QStringLiteral("tcpListen"), o.Line.TcpListen}});
            return kExitFailed;
        }
    } else {
        manager.SetActive(true);
        if (!manager.Active()) {
            Io.Fail(CannotOpenText(o.Line.Port, manager.LastError()));
            return kExitFailed;
        }
    }
    ListDevices(manager, o, server.Port(), out);
    QCoreApplication::exec();

    stopNotifier.setEnabled(false);
    manager.OnFrame = nullptr;
    server.Close();
    manager.SetActive(false);
    out << "stopped" << Qt::endl;
    return kExitOk;
}

TCliCommand MakeEmulateCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("emulate");
    c.Synopsis = QStringLiteral("--port COMn|PATH|--tcp-listen PORT --devices NAME[=N],... [options]");
    c.Summary = QStringLiteral("answer on a serial or TCP port as a bus of emulated devices");
    QStringList rows;
    for (const TEmulatorRow& row : EmulatorRows())
        rows << row.Name;
    c.Description =
        QStringLiteral("Answers on the port as a bus of emulated devices until Ctrl+C or SIGTERM.\n"
                       "With --tcp-listen it answers TCP masters instead, as a serial device server\n"
                       "in transparent mode would, or with --mbap as a Modbus TCP gateway; several\n"
                       "masters may be connected at once.\n"
                       "The rows: %1.\n"
                       "KVD-DI-BUS emulates KVD-DIDC-BUS devices.")
            .arg(rows.join(QLatin1String(", ")));
    c.Options = {PortOption(),
                 {QStringLiteral("tcp-listen"), QStringLiteral("PORT"),
                  QStringLiteral("instead of --port: answer TCP connections on this port\n(0: any free port, "
                                 "printed)"),
                  false,
                  [](TCliOptions& o, const QString& v) -> QString {
                      return ParseIntegerIn(v, "--tcp-listen", 0, 65535, o.Line.TcpListen);
                  }},
                 MbapOption(),
                 DevicesOption(),
                 ProtocolOption(QStringLiteral("nerix|modbus (default nerix; modbus with --mbap)")),
                 BaudOption(),
                 {QStringLiteral("log"),
                  {},
                  QStringLiteral("print every request (\"RX\") and answer (\"TX\") in hexadecimal with\n"
                                 "a time stamp, on stdout"),
                  false,
                  SetFlag(&TCliOptions::Log)}};
    c.Check = CheckEmulate;
    c.Run = RunEmulate;
    return c;
}

} // namespace

const TCliCommand& EmulateCommand() {
    static const TCliCommand command = MakeEmulateCommand();
    return command;
}
