// scan: every device on the bus, printed as it is found.
#include "cli/CliCommands.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "discovery/BusScan.h"
#include "discovery/FoundDevice.h"
#include "discovery/UdpSearch.h"
#include "model/BusSettings.h"
#include "model/DeviceRegister.h"
#include "protocol/NerixModule.h"

#include <unistd.h>

namespace {

TCliOption SpeedsOption() {
    return {QStringLiteral("speeds"), QStringLiteral("N,..."),
            QStringLiteral("the speeds to try, 1200 to 921600 bit/s (default: --baud)"), false,
            [](TCliOptions& o, const QString& v) -> QString {
                o.SpeedMask = 0;
                for (const QString& part : v.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                    const auto n = ParseInteger(part.trimmed());
                    const int i = n ? TRateSet::IndexOfRate(BaudRateOfBits(quint32(*n))) : -1;
                    if (i < 0)
                        return QStringLiteral(
                                   "--speeds takes speeds from 1200 to 921600 bit/s of the bus's table, "
                                   "not \"%1\"")
                            .arg(part);
                    o.SpeedMask |= 1u << i;
                }
                if (o.SpeedMask == 0)
                    return QStringLiteral("--speeds needs at least one speed");
                return {};
            }};
}

QString CheckScan(TCliOptions& o) {
    if (const QString error = CheckLine(o.Line); !error.isEmpty())
        return error;
    if ((o.Line.Udp() || o.Line.Tcp()) && (o.SpeedMask != 0 || o.BySpeeds))
        return QStringLiteral("a gateway owns its line's speed: --speeds and --by-speeds need --port");
    if (!CheckAddressRange(o.From, o.To, o.Line.Protocol))
        return QStringLiteral("Error selecting address range: --from and --to must be 0..255 (from 1 with "
                              "nerix and modbus), from not above to");
    return {};
}

// Prints each device once, as it is found, and the count at the end. A device that answers at
// several speeds is one device: the list's serial-number rule decides, as in the window.
class TScanPrinter {
public:
    TScanPrinter(const TCliOptions& Options, TCliIo& Io) : FOptions(Options), FIo(Io) {
        BuildDeviceRegister(FCatalogue);
    }

    // The address and speed being tried, on one line that keeps being rewritten, for a person
    // watching; not when stderr goes to a file or a pipe, nor while the traffic is logged there.
    void Progress(const QString& Text) {
        if (FProgress)
            FIo.Err() << "\r\033[K" << Text << Qt::flush;
    }
    void ClearProgress() { Progress({}); }

    void Found(const TScanHit& Hit) {
        auto props = FoundDeviceProps(Hit, FCatalogue);
        const QString model = props->ModelName;
        if (!FDevices.Add(props))
            return;
        ++FFound;
        ClearProgress();
        if (FOptions.Json)
            FIo.PrintJson(Json(Hit, model));
        else
            FIo.Out() << AddressText(Hit.Address) << "  br" << Hit.Baud << "  "
                      << TransferProtocolName(Hit.Protocol) << "  " << model << "  "
                      << Hit.Identity.SerialNumber << Qt::endl;
    }

    // On stdout, or on stderr when stdout carries JSON.
    void Summary() {
        ClearProgress();
        QTextStream& summary = FOptions.Json ? FIo.Err() : FIo.Out();
        if (FFound == 0)
            summary << "no devices found" << Qt::endl;
        else
            summary << FFound << (FFound == 1 ? " device found" : " devices found") << Qt::endl;
    }

private:
    static QJsonObject Json(const TScanHit& Hit, const QString& Model) {
        return {
            {QStringLiteral("address"), Hit.Address},
            {QStringLiteral("addressText"), AddressText(Hit.Address)},
            {QStringLiteral("baud"), qint64(Hit.Baud)},
            {QStringLiteral("parity"),
             Hit.ParityCode < kParityCount ? ParityName(Hit.ParityCode) : ParityName(0)},
            {QStringLiteral("protocol"), TransferProtocolName(Hit.Protocol)},
            {QStringLiteral("type"), Hit.Identity.TypeCode},
            {QStringLiteral("model"), Model},
            {QStringLiteral("serialNumber"), qint64(Hit.Identity.SerialNumber)},
            {QStringLiteral("channelMask"), qint64(Hit.Identity.ChannelMask)},
            {QStringLiteral("stopBits"), StopBitsName(Hit.Identity.StopBitsCode)},
        };
    }

    const TCliOptions& FOptions;
    TCliIo& FIo;
    const bool FProgress = ::isatty(STDERR_FILENO) == 1 && !FOptions.Log;
    TDeviceRegister FCatalogue;
    TDevicePropsList FDevices;
    int FFound = 0;
};

void ScanSerial(const TCliOptions& o, TCliLine& Line, TNerixModule& Module, TScanPrinter& Printer) {
    TBusScan scan(Module, Line.ComAP(), Line.Bus());
    QString address;
    scan.OnAddress = [&](quint8 a) { address = AddressText(a); };
    scan.OnSpeed = [&](quint32 baud) { Printer.Progress(QStringLiteral("%1 br%2").arg(address).arg(baud)); };
    scan.OnDeviceFound = [&](const TScanHit& hit) { Printer.Found(hit); };
    const auto range = CheckAddressRange(o.From, o.To, o.Line.Protocol);
    TScanSettings settings;
    settings.Protocol = o.Line.Protocol;
    settings.Method = o.BySpeeds ? TScanMethod::BySpeeds : TScanMethod::ByAddresses;
    settings.Start = range->first;
    settings.Stop = range->second;
    settings.SpeedMask = o.SpeedMask;
    settings.FirstOnly = o.FirstOnly;
    scan.Run(settings);
}

// A gateway (UDP or TCP) owns its line's speed, so its search asks the addresses only.
void ScanUdp(const TCliOptions& o, TCliLine& Line, TNerixModule& Module, TScanPrinter& Printer) {
    TUdpSearch search(Module, *Line.AP());
    search.OnAddress = [&](quint8 a) { Printer.Progress(AddressText(a)); };
    search.OnDeviceFound = [&](const TUdpHit& h) {
        TScanHit hit;
        hit.Address = h.Address;
        hit.BaudCode = h.BaudCode;
        hit.Baud = BaudRateBits(TBaudRate(h.BaudCode));
        hit.ParityCode = h.ParityCode;
        hit.Protocol = h.Protocol;
        hit.Identity = {quint16(h.TypeCode), h.SerialNumber, h.ChannelMask, h.StopBitsCode};
        Printer.Found(hit);
    };
    const auto range = CheckAddressRange(o.From, o.To, o.Line.Protocol);
    search.Run(range->first, range->second, o.Line.Protocol, o.FirstOnly);
}

int RunScan(const TCliOptions& o, TCliIo& Io) {
    // scan's JSON is its stream of devices; its complaints stay text, as they always were.
    Io.SetJson(false);
    TCliLine line(o.Line);
    if (!line.Open(Io))
        return kExitFailed;
    if (o.Log)
        line.LogTraffic(Io.Err());
    TNerixModule module;
    TScanPrinter printer(o, Io);
    if (line.Udp() || line.Tcp())
        ScanUdp(o, line, module, printer);
    else
        ScanSerial(o, line, module, printer);
    printer.Summary();
    return kExitOk;
}

TCliCommand MakeScanCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("scan");
    c.Synopsis = QStringLiteral("--port COMn|PATH [--from 1] [--to 255] [--speeds 9600,19200,...] [options]");
    c.Summary = QStringLiteral("find the devices on the bus");
    c.Description = QStringLiteral(
        "Asks every address from --from to --to at each of --speeds for its identity and prints each\n"
        "device as it is found, then how many were found. Over --udp and --tcp the gateway owns the\n"
        "speed.");
    c.Options = {
        {QStringLiteral("from"), QStringLiteral("A"), QStringLiteral("first address (default 1)"), false,
         [](TCliOptions& o, const QString& v) -> QString {
             o.From = v;
             return {};
         }},
        {QStringLiteral("to"), QStringLiteral("A"), QStringLiteral("last address (default 255)"), false,
         [](TCliOptions& o, const QString& v) -> QString {
             o.To = v;
             return {};
         }},
        SpeedsOption(),
        {QStringLiteral("first"),
         {},
         QStringLiteral("stop at the first device"),
         false,
         SetFlag(&TCliOptions::FirstOnly)},
        {QStringLiteral("by-speeds"),
         {},
         QStringLiteral(
             "find a single device whatever its address (asks address 0\nat 1200 to 230400 bit/s)"),
         false,
         SetFlag(&TCliOptions::BySpeeds)},
        JsonOption(QStringLiteral("print one JSON object per device; the summary goes to stderr")),
        LogOption()};
    for (TCliOption& option : LineOptions())
        c.Options.push_back(std::move(option));
    c.Check = CheckScan;
    c.Run = RunScan;
    return c;
}

} // namespace

const TCliCommand& ScanCommand() {
    static const TCliCommand command = MakeScanCommand();
    return command;
}
