#include "cli/CliCommands.h"

#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "bus/UdpPortAccessPoint.h"
#include "bus/UdpSockets.h"
#include "cli/CliArgs.h"
#include "discovery/BusScan.h"
#include "discovery/UdpSearch.h"
#include "model/BusSettings.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"
#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"

#include "emulator/EmulatorRows.h"
#include "emulator/VirtualDeviceManager.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The line as the command line describes it: a serial port, or a UDP gateway.
class TCliLine {
public:
    explicit TCliLine(const TCliOptions& o) : FOptions(o) {
        if (Udp()) {
            FClient.SetHost(o.UdpHost);
            FClient.SetRemotePort(o.UdpPort);
            FServer.SetDefaultPort(quint16(std::max(o.LocalPort, 0)));
            FUdpAP.SetUDPClient(&FClient);
            FUdpAP.SetUDPServer(&FServer);
            FUdpAP.SetUseLocalPort(o.LocalPort >= 0);
            FUdpAP.SetTimeout(o.TimeoutMs);
            FUdpAP.SetTryCount(o.Tries);
            return;
        }
        FBus.SetPortName(o.Port);
        FBus.SetBaudRateValue(o.Baud);
        FBus.SetParity(o.Parity);
        FBus.SetStopBits(o.StopBits);
        FBus.SetHwFlow(o.Rts);
        FBus.SetInputTimeout(quint32(o.TimeoutMs));
        FBus.SetLocalEcho(o.Echo);
        FBus.SetTryCount(0);
        FAP.SetBus(&FBus);
        FAP.SetTryCount(o.Tries);
    }
    ~TCliLine() { AP()->SetActive(false); }

    bool Udp() const { return !FOptions.UdpHost.isEmpty(); }
    bool Open(QTextStream& err) {
        AP()->SetActive(true);
        if (AP()->Active())
            return true;
        if (Udp())
            err << "cannot open the UDP connection to " << FOptions.UdpHost << ":" << FOptions.UdpPort
                << (FOptions.LocalPort >= 0 ? QStringLiteral(" with local port %1").arg(FOptions.LocalPort) : QString())
                << Qt::endl;
        else
            err << "cannot open " << FOptions.Port << ": " << FBus.LastError() << Qt::endl;
        return false;
    }
    TAccessPoint* AP() { return Udp() ? static_cast<TAccessPoint*>(&FUdpAP) : &FAP; }
    TComPortAccessPoint& ComAP() { return FAP; }
    TUdpPortAccessPoint& UdpAP() { return FUdpAP; }
    TPowerRsBus& Bus() { return FBus; }

private:
    const TCliOptions& FOptions;
    TPowerRsBus FBus;
    TComPortAccessPoint FAP;
    TUdpClientSocket FClient;
    TUdpServerSocket FServer;
    TUdpPortAccessPoint FUdpAP;
};

bool HasRegister(TNerixModule& module, int object, int property) {
    quint16 reg = 0;
    return module.ModbusToNerix().Map().FindRegister(quint8(object), quint16(property), reg);
}

int RunExchange(const TCliOptions& o, QTextStream& out, QTextStream& err) {
    TNerixModule module;
    module.SetTransferProtocol(o.Protocol);
    if (o.Protocol == tpModbus && !HasRegister(module, o.Object, o.Property)) {
        err << "no register for object " << o.Object << " property " << o.Property << Qt::endl;
        return kExitFailed;
    }
    TCliLine line(o);
    if (!line.Open(err))
        return kExitFailed;
    module.SetAP(line.AP());
    module.SetAddress(quint8(o.Address));
    module.Buffer().ValueOrder = o.Order;
    const auto object = quint8(o.Object);
    const auto property = quint16(o.Property);

    bool ok = false;
    if (o.Command == QLatin1String("read") && o.Float) {
        float value = 0.0f;
        ok = module.ReadFloat(property, object, value);
        if (ok)
            out << FloatText(value) << Qt::endl;
    } else if (o.Command == QLatin1String("read")) {
        quint32 value = 0;
        ok = module.ReadProperty(property, object, value);
        if (ok)
            out << qint32(value) << Qt::endl;
    } else {
        ok = module.WriteProperty(property, object, *o.Value);
    }
    if (!ok) {
        err << "no answer" << Qt::endl;
        return kExitFailed;
    }
    return kExitOk;
}

// What a device says about itself: model, serial number, channels and bus settings.
int RunInfo(const TCliOptions& o, QTextStream& out, QTextStream& err) {
    TCliLine line(o);
    if (!line.Open(err))
        return kExitFailed;
    TNerixModule module;
    module.SetTransferProtocol(o.Protocol);
    module.SetAP(line.AP());
    module.SetAddress(quint8(o.Address));
    quint32 values[4] = {};
    for (quint16 p = spTypeCode; p <= spBusSettings; ++p) {
        if (!module.ReadProperty(p, 0, values[p])) {
            err << "no answer" << Qt::endl;
            return kExitFailed;
        }
    }
    const quint32 type = values[spTypeCode] & 0xFFFF;
    TDeviceRegister catalogue;
    BuildDeviceRegister(catalogue);
    const TDeviceRegisterRecord* record = catalogue.FindByType(type);
    const QString name = ModelNameOf(quint16(type));
    const quint64 mask = TDeviceProps::ChannelMaskFor(type, values[spChannelMask]);

    out << "model: " << (name.isEmpty() ? QStringLiteral("unknown") : record->ModelName) << " (type " << type;
    if (values[spTypeCode] >> 16)
        out << ", extension " << (values[spTypeCode] >> 16);
    out << ")\n";
    out << "serial number: " << values[spSerialNumber] << "\n";
    out << "channel mask: 0x" << QString::number(values[spChannelMask], 16).toUpper().rightJustified(8, QLatin1Char('0'))
        << "\n";
    out << "channels:";
    int shown = 0;
    for (int i = 0; i < record->Channels.Count() && i < 64; ++i) {
        if (!((mask >> i) & 1))
            continue;
        const TChannelRecord* c = record->Channels.Items(i);
        out << "\n  " << i << ": " << c->Name;
        if (!c->Note.isEmpty())
            out << " (" << c->Note << ")";
        out << ", kind " << c->Kind;
        ++shown;
    }
    out << (shown ? "\n" : " none\n");
    out << "bus settings: " << TBusSettings::Decode(values[spBusSettings]).Text() << Qt::endl;
    return kExitOk;
}

// Every device on the bus, printed as it is found.
int RunScan(const TCliOptions& o, QTextStream& out, QTextStream& err) {
    TCliLine line(o);
    if (!line.Open(err))
        return kExitFailed;
    TNerixModule module;
    TBusScan scan(module, line.ComAP(), line.Bus());
    TUdpSearch search(module, line.UdpAP());
    TDeviceRegister catalogue;
    BuildDeviceRegister(catalogue);
    static const char* parities[] = {"none", "odd", "even", "mark", "space"};
    static const char* stops[] = {"1", "1.5", "2"};

    // The address and speed being tried, on one line that keeps being rewritten, for a person
    // watching; not when stderr goes to a file or a pipe.
    const bool progress = ::isatty(STDERR_FILENO) == 1;
    QString address;
    auto clearProgress = [&] {
        if (progress)
            err << "\r\033[K" << Qt::flush;
    };
    scan.OnAddress = [&](quint8 a) { address = AddressText(a); };
    search.OnAddress = [&](quint8 a) {
        if (progress)
            err << "\r\033[K" << AddressText(a) << Qt::flush;
    };
    scan.OnSpeed = [&](quint32 baud) {
        if (progress)
            err << "\r\033[K" << address << " br" << baud << Qt::flush;
    };
    // A device that answers at several speeds is one device: the list's serial-number rule decides,
    // as in the window.
    TDevicePropsList devices;
    int found = 0;
    scan.OnDeviceFound = [&](const TScanHit& hit) {
        const QString model = catalogue.FindByType(hit.Identity.TypeCode)->ModelName;
        auto props = std::make_unique<TDeviceProps>(hit.Address, hit.BaudCode, hit.Protocol, hit.ParityCode,
                                                    hit.Identity.TypeCode, model, hit.Identity.SerialNumber,
                                                    hit.Identity.ChannelMask, hit.Identity.StopBitsCode);
        if (!devices.Add(props))
            return;
        ++found;
        clearProgress();
        if (o.Json) {
            const QJsonObject json{
                {QStringLiteral("address"), hit.Address},
                {QStringLiteral("addressText"), AddressText(hit.Address)},
                {QStringLiteral("baud"), qint64(hit.Baud)},
                {QStringLiteral("parity"), QLatin1String(parities[hit.ParityCode < 5 ? hit.ParityCode : 0])},
                {QStringLiteral("protocol"), TransferProtocolName(hit.Protocol)},
                {QStringLiteral("type"), hit.Identity.TypeCode},
                {QStringLiteral("model"), model},
                {QStringLiteral("serialNumber"), qint64(hit.Identity.SerialNumber)},
                {QStringLiteral("channelMask"), qint64(hit.Identity.ChannelMask)},
                {QStringLiteral("stopBits"), QLatin1String(stops[hit.Identity.StopBitsCode])},
            };
            out << QJsonDocument(json).toJson(QJsonDocument::Compact) << Qt::endl;
        } else {
            out << AddressText(hit.Address) << "  br" << hit.Baud << "  " << TransferProtocolName(hit.Protocol) << "  "
                << model << "  " << hit.Identity.SerialNumber << Qt::endl;
        }
    };
    search.OnDeviceFound = [&](const TUdpHit& h) {
        TScanHit hit;
        hit.Address = h.Address;
        hit.BaudCode = h.BaudCode;
        hit.Baud = BaudRateBits(TBaudRate(h.BaudCode));
        hit.ParityCode = h.ParityCode;
        hit.Protocol = h.Protocol;
        hit.Identity = {quint16(h.TypeCode), h.SerialNumber, h.ChannelMask, h.StopBitsCode};
        scan.OnDeviceFound(hit);
    };
    const auto range = CheckAddressRange(o.From, o.To, o.Protocol);
    if (line.Udp()) {
        search.Run(range->first, range->second, o.Protocol, o.FirstOnly);
    } else {
        TScanSettings settings;
        settings.Protocol = o.Protocol;
        settings.Method = o.BySpeeds ? TScanMethod::BySpeeds : TScanMethod::ByAddresses;
        settings.Start = range->first;
        settings.Stop = range->second;
        settings.SpeedMask = o.SpeedMask;
        settings.FirstOnly = o.FirstOnly;
        scan.Run(settings);
    }
    clearProgress();
    QTextStream& summary = o.Json ? err : out;
    if (found == 0)
        summary << "no devices found" << Qt::endl;
    else
        summary << found << (found == 1 ? " device found" : " devices found") << Qt::endl;
    return kExitOk;
}

// SIGINT and SIGTERM end the emulator through a pipe: the handler only writes a byte, and the
// event loop, which sees the pipe readable, quits and lets the port close as usual.
int gSignalPipe[2] = {-1, -1};

void SignalToPipe(int) {
    const int saved = errno;
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(gSignalPipe[1], &b, 1);
    errno = saved;
}

QString HexBytes(const quint8* Data, int Count) {
    QString text;
    for (int i = 0; i < Count; ++i) {
        if (i > 0)
            text += QLatin1Char(' ');
        text += QStringLiteral("%1").arg(Data[i], 2, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}

int RunEmulate(const TCliOptions& o, QTextStream& out, QTextStream& err) {
    std::vector<TEmulatorDeviceCount> devices;
    QString error;
    if (!ParseEmulatorDevices(o.Devices, devices, error)) {
        err << "dovuvavarovod-cli: " << error << Qt::endl;
        return kExitUsage;
    }
    if (!QCoreApplication::instance()) {
        err << "dovuvavarovod-cli: emulate needs an event loop" << Qt::endl;
        return kExitFailed;
    }
    TVirtualDeviceManager manager;
    for (const TEmulatorDeviceCount& d : devices)
        manager.AddDevices(d.TypeCode, d.Count);
    manager.SetProtocol(o.Protocol == tpModbus ? TVirtualDeviceManager::kProtocolModbus
                                               : TVirtualDeviceManager::kProtocolNerix);
    manager.SetPortName(o.Port);
    manager.SetBaudRateValue(o.Baud);
    if (o.Log)
        manager.OnFrame = [&out](int Direction, const quint8* Data, int Count) {
            out << QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz"))
                << (Direction == 1 ? " RX " : " TX ") << HexBytes(Data, Count) << Qt::endl;
        };

    if (::pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        err << "dovuvavarovod-cli: cannot create the signal pipe" << Qt::endl;
        return kExitFailed;
    }
    struct sigaction action = {};
    action.sa_handler = SignalToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    struct sigaction oldInt = {};
    struct sigaction oldTerm = {};
    sigaction(SIGINT, &action, &oldInt);
    sigaction(SIGTERM, &action, &oldTerm);
    QSocketNotifier stop(gSignalPipe[0], QSocketNotifier::Read);
    QObject::connect(&stop, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
    auto restore = [&] {
        sigaction(SIGINT, &oldInt, nullptr);
        sigaction(SIGTERM, &oldTerm, nullptr);
        stop.setEnabled(false);
        ::close(gSignalPipe[0]);
        ::close(gSignalPipe[1]);
        gSignalPipe[0] = gSignalPipe[1] = -1;
    };

    manager.SetActive(true);
    if (!manager.Active()) {
        err << "cannot open " << o.Port << ": " << manager.LastError() << Qt::endl;
        restore();
        return kExitFailed;
    }
    for (int i = 0; i < manager.DeviceCount(); ++i)
        out << "0x"
            << QStringLiteral("%1").arg(manager.DeviceAt(i)->Address(), 2, 16, QLatin1Char('0')).toUpper()
            << " " << manager.DeviceName(i) << Qt::endl;
    out << "emulating " << manager.DeviceCount() << " devices on " << o.Port << " ("
        << (o.Protocol == tpModbus ? "Modbus RTU" : "Nerix") << ", " << o.Baud << " bit/s)" << Qt::endl;

    QCoreApplication::exec();

    manager.SetActive(false);
    manager.OnFrame = nullptr;
    restore();
    out << "stopped" << Qt::endl;
    return kExitOk;
}

} // namespace

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err) {
    const TCliParseResult parsed = ParseCliArguments(args);
    if (!parsed.Ok) {
        err << "dovuvavarovod-cli: " << parsed.Error << "\n\n" << CliUsage();
        err.flush();
        return kExitUsage;
    }
    const QString& command = parsed.Options.Command;
    if (command == QLatin1String("help")) {
        out << CliUsage();
        out.flush();
        return kExitOk;
    }
    if (command == QLatin1String("info"))
        return RunInfo(parsed.Options, out, err);
    if (command == QLatin1String("scan"))
        return RunScan(parsed.Options, out, err);
    if (command == QLatin1String("emulate"))
        return RunEmulate(parsed.Options, out, err);
    return RunExchange(parsed.Options, out, err);
}
