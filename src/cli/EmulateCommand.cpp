// emulate: the workstation answers on a serial port, or on a TCP port as a serial device server or a
// Modbus TCP gateway would, as a bus of emulated devices.
#include "cli/CliCommands.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "cli/CliSignals.h"
#include "emulator/EmulatorFaults.h"
#include "emulator/EmulatorRows.h"
#include "emulator/EmulatorStart.h"
#include "emulator/EmulatorTcpServer.h"
#include "emulator/VirtualDeviceManager.h"
#include "model/BusSettings.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <memory>

namespace {

TCliOption DevicesOption() {
    return {QStringLiteral("devices"), QStringLiteral("NAME[=N],..."),
            QStringLiteral("the devices, at addresses from 1 in the order given; NAME is a row\n"
                           "of the emulator window, a catalogue model a row emulates, or\n"
                           "KVD-P340-BUS or KVD-VEVA-BUS; N is 1 to 10 (default 1)"),
            true, [](TCliOptions& o, const QString& v) -> QString {
                std::vector<TEmulatorDeviceCount> devices;
                QString error;
                if (!ParseEmulatorDevices(v, devices, error))
                    return error;
                o.Devices = v;
                return {};
            }};
}

TCliOption FaultsOption() {
    QString help = QStringLiteral("faults the devices make, each off unless given:");
    for (const QString& line : EmulatorFaultsSyntax())
        help += QStringLiteral("\n  ") + line;
    help += QStringLiteral("\nexample: delay=5-40,drop=0.05,crc=0.01,split=3@8,device=2:stop-after=100");
    return {QStringLiteral("faults"), QStringLiteral("LIST"), help, false,
            [](TCliOptions& o, const QString& v) -> QString {
                TEmulatorFaults faults;
                QString error;
                if (!ParseEmulatorFaults(v, faults, error))
                    return error;
                o.Faults = v;
                return {};
            }};
}

TCliOption SeedOption() {
    return {QStringLiteral("seed"), QStringLiteral("N"),
            QStringLiteral("the seed of the faults' random generator, 0 to 2^64-1, to repeat a run\n"
                           "exactly (default: a new one, printed at the start)"),
            false, [](TCliOptions& o, const QString& v) -> QString {
                quint64 seed = 0;
                if (!ParseFaultSeed(v, seed))
                    return QStringLiteral(
                               "--seed must be a whole number 0 to 18446744073709551615, not \"%1\"")
                        .arg(v);
                o.Seed = seed;
                return {};
            }};
}

void PrintStats(const TVirtualDeviceManager& Manager, QTextStream& Out) {
    Out << "statistics:" << Qt::endl;
    for (int i = 0; i < Manager.DeviceCount(); ++i)
        Out << "  " << HexAddressText(Manager.DeviceAt(i)->Address()) << " " << Manager.DeviceName(i) << ": "
            << EmulatorStatsText(Manager.DeviceStats(i)) << Qt::endl;
    const TEmulatorDeviceStats& unknown = Manager.UnknownStats();
    Out << "  other addresses and noise: received " << unknown.Received << ", refused "
        << EmulatorRefusedText(unknown) << Qt::endl;
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
    // The TCP side answers each request as it is served; faults are made on the serial line only.
    if (o.Line.TcpListen >= 0 && !o.Faults.trimmed().isEmpty())
        return QStringLiteral("--faults works on a serial port (--port), not with --tcp-listen");
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
    TEmulatorFaults faults;
    if (!ParseEmulatorFaults(o.Faults, faults, error)) {
        Io.Fail(error);
        return kExitUsage;
    }
    TVirtualDeviceManager manager;
    TEmulatorTcpServer server(manager);
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

    TEmulatorSetup setup;
    setup.Devices = devices;
    setup.Protocol = o.Line.Protocol == tpModbus ? TVirtualDeviceManager::kProtocolModbus
                                                 : TVirtualDeviceManager::kProtocolNerix;
    setup.PortName = o.Line.Port;
    setup.Baud = o.Line.Baud;
    setup.TcpPort = o.Line.TcpListen;
    setup.Mbap = o.Line.Mbap;
    setup.Faults = faults;
    setup.Seed = o.Seed ? *o.Seed : NewFaultSeed();
    const quint64 seed = setup.Seed;
    switch (StartEmulator(manager, server, setup)) {
    case TEmulatorStartResult::Ok:
        break;
    case TEmulatorStartResult::ListenFailed:
        Io.Fail(server.LastError(), {{QStringLiteral("tcpListen"), o.Line.TcpListen}});
        return kExitFailed;
    case TEmulatorStartResult::PortFailed:
        Io.Fail(CannotOpenText(o.Line.Port, manager.LastError()));
        return kExitFailed;
    }
    TCliStatsSignal statsSignal;
    std::unique_ptr<QSocketNotifier> statsNotifier;
    if (statsSignal.Ok()) {
        statsNotifier = std::make_unique<QSocketNotifier>(statsSignal.Handle(), QSocketNotifier::Read);
        QObject::connect(statsNotifier.get(), &QSocketNotifier::activated, [&] {
            if (statsSignal.Take())
                PrintStats(manager, out);
        });
    }
    ListDevices(manager, o, server.Port(), out);
    if (faults.Any() || o.Seed)
        out << "faults: " << (faults.Any() ? EmulatorFaultsText(faults) : QStringLiteral("none")) << "; seed "
            << seed << Qt::endl;
    QCoreApplication::exec();

    if (statsNotifier)
        statsNotifier->setEnabled(false);
    stopNotifier.setEnabled(false);
    manager.OnFrame = nullptr;
    StopEmulator(manager, server);
    if (o.Stats)
        PrintStats(manager, out);
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
    for (const TEmulatorRow& row : EmulatorExtraDevices())
        rows << row.Name;
    c.Description =
        QStringLiteral("Answers on the port as a bus of emulated devices until Ctrl+C or SIGTERM.\n"
                       "With --tcp-listen it answers TCP masters instead, as a serial device server\n"
                       "in transparent mode would, or with --mbap as a Modbus TCP gateway; several\n"
                       "masters may be connected at once.\n"
                       "The rows: %1.\n"
                       "KVD-DI-BUS emulates KVD-DIDC-BUS devices; KVD-P340-BUS only its file\n"
                       "manager, with three sample files (Nerix only); KVD-VEVA-BUS twelve sensor\n"
                       "buses with a few sensors whose temperatures drift slowly.\n"
                       "SIGUSR1 prints each device's statistics: requests received, answered,\n"
                       "dropped by a fault and refused (by cause: bad CRC, unsupported function,\n"
                       "malformed, unknown address, unknown register or value), and the answer\n"
                       "time (min/median/max).")
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
                  SetFlag(&TCliOptions::Log)},
                 FaultsOption(),
                 SeedOption(),
                 {QStringLiteral("stats"),
                  {},
                  QStringLiteral("print each device's statistics on exit"),
                  false,
                  SetFlag(&TCliOptions::Stats)}};
    c.Check = CheckEmulate;
    c.Run = RunEmulate;
    return c;
}

} // namespace

const TCliCommand& EmulateCommand() {
    static const TCliCommand command = MakeEmulateCommand();
    return command;
}
