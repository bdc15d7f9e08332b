#include "cli/CliArgs.h"

#include "discovery/BusScan.h"
#include "emulator/EmulatorRows.h"

#include <QLocale>
#include <bit>
#include <cmath>
#include <functional>
#include <vector>

namespace {

using TApply = std::function<QString(TCliOptions&, const QString&)>;

struct TOptionRule {
    QString Name;    // without the leading "--"
    bool TakesValue;
    QStringList Commands;
    TApply Apply;
};

// Commands that talk over a serial port.
const QStringList kExchangeCommands = {QStringLiteral("read"), QStringLiteral("write"), QStringLiteral("info"),
                                       QStringLiteral("scan")};
// Commands that talk to one device.
const QStringList kDeviceCommands = {QStringLiteral("read"), QStringLiteral("write"), QStringLiteral("info")};
const QStringList kScanCommands = {QStringLiteral("scan")};
const QStringList kEmulateCommands = {QStringLiteral("emulate")};
// Commands that open a serial port, asking or answering.
const QStringList kPortCommands = kExchangeCommands + kEmulateCommands;

TApply Flag(bool TCliOptions::*field) {
    return [=](TCliOptions& o, const QString&) -> QString {
        o.*field = true;
        return {};
    };
}
// Commands that name one property of one object.
const QStringList kPropertyCommands = {QStringLiteral("read"), QStringLiteral("write")};

std::optional<qint64> ParseInteger(const QString& text) {
    bool ok = false;
    qint64 v = 0;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = text.mid(2).toLongLong(&ok, 16);
    else
        v = text.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

// An integer option within [lo, hi].
TApply IntIn(int TCliOptions::*field, const char* what, qint64 lo, qint64 hi) {
    return [=](TCliOptions& o, const QString& text) -> QString {
        const auto v = ParseInteger(text);
        if (!v || *v < lo || *v > hi)
            return QStringLiteral("%1 must be a number from %2 to %3, not \"%4\"")
                .arg(QLatin1String(what))
                .arg(lo)
                .arg(hi)
                .arg(text);
        o.*field = int(*v);
        return {};
    };
}

const std::vector<TOptionRule>& Rules() {
    static const std::vector<TOptionRule> rules = {
        {QStringLiteral("port"), true, kPortCommands,
         [](TCliOptions& o, const QString& v) -> QString {
             if (v.isEmpty())
                 return QStringLiteral("--port needs COMn or a device path");
             o.Port = v;
             return {};
         }},
        {QStringLiteral("udp"), true, kExchangeCommands,
         [](TCliOptions& o, const QString& v) -> QString {
             const int colon = int(v.lastIndexOf(QLatin1Char(':')));
             bool ok = false;
             const int port = colon > 0 ? v.mid(colon + 1).toInt(&ok) : 0;
             if (!ok || port < 1 || port > 65535)
                 return QStringLiteral("--udp needs HOST:PORT, not \"%1\"").arg(v);
             o.UdpHost = v.left(colon);
             o.UdpPort = quint16(port);
             return {};
         }},
        {QStringLiteral("local-port"), true, kExchangeCommands, IntIn(&TCliOptions::LocalPort, "--local-port", 1, 65535)},
        {QStringLiteral("protocol"), true, kPortCommands,
         [](TCliOptions& o, const QString& v) -> QString {
             if (v.compare(QLatin1String("nerix"), Qt::CaseInsensitive) == 0)
                 o.Protocol = tpNerix;
             else if (v.compare(QLatin1String("modbus"), Qt::CaseInsensitive) == 0)
                 o.Protocol = tpModbus;
             else
                 return QStringLiteral("--protocol must be nerix or modbus, not \"%1\"").arg(v);
             return {};
         }},
        {QStringLiteral("address"), true, kDeviceCommands, IntIn(&TCliOptions::Address, "--address", 0, 255)},
        {QStringLiteral("from"), true, kScanCommands,
         [](TCliOptions& o, const QString& v) -> QString {
             o.From = v;
             return {};
         }},
        {QStringLiteral("to"), true, kScanCommands,
         [](TCliOptions& o, const QString& v) -> QString {
             o.To = v;
             return {};
         }},
        {QStringLiteral("speeds"), true, kScanCommands,
         [](TCliOptions& o, const QString& v) -> QString {
             const TRateSet rates;
             for (const QString& part : v.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                 const auto n = ParseInteger(part.trimmed());
                 const int i = n ? TRateSet::IndexOfRate(BaudRateOfBits(quint32(*n))) : -1;
                 if (i < 0)
                     return QStringLiteral("--speeds takes speeds from 1200 to 921600 bit/s of the bus's table, "
                                           "not \"%1\"")
                         .arg(part);
                 o.SpeedMask |= 1u << i;
             }
             if (o.SpeedMask == 0)
                 return QStringLiteral("--speeds needs at least one speed");
             return {};
         }},
        {QStringLiteral("first"), false, kScanCommands, Flag(&TCliOptions::FirstOnly)},
        {QStringLiteral("by-speeds"), false, kScanCommands, Flag(&TCliOptions::BySpeeds)},
        {QStringLiteral("json"), false, kScanCommands, Flag(&TCliOptions::Json)},
        {QStringLiteral("devices"), true, kEmulateCommands,
         [](TCliOptions& o, const QString& v) -> QString {
             std::vector<TEmulatorDeviceCount> devices;
             QString error;
             if (!ParseEmulatorDevices(v, devices, error))
                 return error;
             o.Devices = v;
             return {};
         }},
        {QStringLiteral("log"), false, kEmulateCommands, Flag(&TCliOptions::Log)},
        {QStringLiteral("object"), true, kPropertyCommands, IntIn(&TCliOptions::Object, "--object", 0, 255)},
        {QStringLiteral("property"), true, kPropertyCommands,
         IntIn(&TCliOptions::Property, "--property", 0, 65535)},
        {QStringLiteral("float"), false, kPropertyCommands,
         [](TCliOptions& o, const QString&) -> QString {
             o.Float = true;
             return {};
         }},
        {QStringLiteral("baud"), true, kPortCommands,
         [](TCliOptions& o, const QString& v) -> QString {
             const auto n = ParseInteger(v);
             if (!n || *n < 50 || *n > 4000000)
                 return QStringLiteral("--baud must be a speed in bit/s, not \"%1\"").arg(v);
             o.Baud = quint32(*n);
             return {};
         }},
        {QStringLiteral("parity"), true, kExchangeCommands,
         [](TCliOptions& o, const QString& v) -> QString {
             static const QStringList names = {QStringLiteral("none"), QStringLiteral("odd"), QStringLiteral("even"),
                                               QStringLiteral("mark"), QStringLiteral("space")};
             const int i = names.indexOf(v.toLower());
             if (i < 0)
                 return QStringLiteral("--parity must be none, odd, even, mark or space, not \"%1\"").arg(v);
             o.Parity = TParity(i);
             return {};
         }},
        {QStringLiteral("stop"), true, kExchangeCommands,
         [](TCliOptions& o, const QString& v) -> QString {
             if (v == QLatin1String("1"))
                 o.StopBits = sb1BITS;
             else if (v == QLatin1String("1.5"))
                 o.StopBits = sb1HALFBITS;
             else if (v == QLatin1String("2"))
                 o.StopBits = sb2BITS;
             else
                 return QStringLiteral("--stop must be 1, 1.5 or 2, not \"%1\"").arg(v);
             return {};
         }},
        {QStringLiteral("rts"), true, kExchangeCommands,
         [](TCliOptions& o, const QString& v) -> QString {
             static const QStringList names = {QStringLiteral("off"), QStringLiteral("on"),
                                               QStringLiteral("handshake"), QStringLiteral("toggle")};
             const int i = names.indexOf(v.toLower());
             if (i < 0)
                 return QStringLiteral("--rts must be off, on, handshake or toggle, not \"%1\"").arg(v);
             o.Rts = THwFlowControl(i);
             return {};
         }},
        {QStringLiteral("echo"), false, kExchangeCommands,
         [](TCliOptions& o, const QString&) -> QString {
             o.Echo = true;
             return {};
         }},
        {QStringLiteral("timeout"), true, kExchangeCommands, IntIn(&TCliOptions::TimeoutMs, "--timeout", 1, 60000)},
        {QStringLiteral("tries"), true, kExchangeCommands, IntIn(&TCliOptions::Tries, "--tries", 1, 10)},
        {QStringLiteral("order"), true, kPropertyCommands,
         [](TCliOptions& o, const QString& v) -> QString {
             const auto n = ParseInteger(v);
             if (!n || *n < 0 || *n >= kByteOrderCount)
                 return QStringLiteral("--order must be a number from 0 to 8, not \"%1\"").arg(v);
             o.Order = TByteOrder(*n);
             return {};
         }},
        // Resolved after all options are read, since --float may follow it.
        {QStringLiteral("value"), true, {QStringLiteral("write")}, nullptr},
    };
    return rules;
}

const TOptionRule* FindRule(const QString& name) {
    for (const auto& s : Rules())
        if (s.Name == name)
            return &s;
    return nullptr;
}

} // namespace

std::optional<quint32> ParseValue32(const QString& text) {
    const auto v = ParseInteger(text.trimmed());
    if (!v || *v < std::numeric_limits<qint32>::min() || *v > qint64(std::numeric_limits<quint32>::max()))
        return std::nullopt;
    return quint32(*v);
}

std::optional<float> ParseFloatText(const QString& text) {
    bool ok = false;
    const double d = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(d);
}

QString FloatText(float value) {
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    const QLocale c = QLocale::c();
    for (int digits = 6; digits < 9; ++digits) {
        const QString t = c.toString(double(value), 'g', digits);
        if (float(c.toDouble(t)) == value)
            return t;
    }
    return c.toString(double(value), 'g', 9);
}

TCliParseResult ParseCliArguments(const QStringList& args) {
    TCliParseResult r;
    if (args.isEmpty()) {
        r.Error = QStringLiteral("no command given");
        return r;
    }
    const QString command = args.first();
    if (command == QLatin1String("help") || command == QLatin1String("--help") || command == QLatin1String("-h")) {
        r.Options.Command = QStringLiteral("help");
        r.Ok = true;
        return r;
    }
    if (!kPortCommands.contains(command)) {
        r.Error = QStringLiteral("unknown command \"%1\"").arg(command);
        return r;
    }
    TCliOptions& o = r.Options;
    o.Command = command;
    QString valueText;
    bool valueGiven = false;
    for (int i = 1; i < args.size(); ++i) {
        QString arg = args[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            r.Error = QStringLiteral("unexpected argument \"%1\"").arg(arg);
            return r;
        }
        QString name = arg.mid(2);
        QString value;
        bool inlineValue = false;
        if (const int eq = name.indexOf(QLatin1Char('=')); eq >= 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            inlineValue = true;
        }
        const TOptionRule* rule = FindRule(name);
        if (!rule || !rule->Commands.contains(command)) {
            r.Error = QStringLiteral("unknown option --%1 for %2").arg(name, command);
            return r;
        }
        if (rule->TakesValue && !inlineValue) {
            if (i + 1 >= args.size()) {
                r.Error = QStringLiteral("--%1 needs a value").arg(name);
                return r;
            }
            value = args[++i];
        } else if (!rule->TakesValue && inlineValue) {
            r.Error = QStringLiteral("--%1 takes no value").arg(name);
            return r;
        }
        if (name == QLatin1String("value")) {
            valueText = value;
            valueGiven = true;
            continue;
        }
        if (const QString err = rule->Apply(o, value); !err.isEmpty()) {
            r.Error = err;
            return r;
        }
    }
    if (command == QLatin1String("emulate")) {
        if (o.Port.isEmpty()) {
            r.Error = QStringLiteral("--port is required");
            return r;
        }
        if (o.Devices.isEmpty()) {
            r.Error = QStringLiteral("--devices is required");
            return r;
        }
        r.Ok = true;
        return r;
    }
    if (o.Port.isEmpty() == o.UdpHost.isEmpty()) {
        r.Error = QStringLiteral("give either --port or --udp");
        return r;
    }
    if (!o.UdpHost.isEmpty() && o.TimeoutMs < 10) {
        r.Error = QStringLiteral("--timeout must be at least 10 ms for a UDP gateway");
        return r;
    }
    if (o.LocalPort >= 0 && o.UdpHost.isEmpty()) {
        r.Error = QStringLiteral("--local-port goes with --udp");
        return r;
    }
    if (!o.UdpHost.isEmpty() && (o.SpeedMask != 0 || o.BySpeeds)) {
        r.Error = QStringLiteral("a gateway owns its line's speed: --speeds and --by-speeds need --port");
        return r;
    }
    if (command == QLatin1String("scan")) {
        if (!CheckAddressRange(o.From, o.To, o.Protocol)) {
            r.Error = QStringLiteral("Error selecting address range: --from and --to must be 0..255 (from 1 with "
                                     "nerix and modbus), from not above to");
            return r;
        }
        r.Ok = true;
        return r;
    }
    if (o.Address < 0) {
        r.Error = QStringLiteral("--address is required");
        return r;
    }
    for (auto [field, name] : {std::pair{o.Object, "--object"}, std::pair{o.Property, "--property"}}) {
        if (field < 0 && kPropertyCommands.contains(command)) {
            r.Error = QStringLiteral("%1 is required").arg(QLatin1String(name));
            return r;
        }
    }
    if (command == QLatin1String("write")) {
        if (!valueGiven) {
            r.Error = QStringLiteral("--value is required");
            return r;
        }
        if (o.Float) {
            const auto f = ParseFloatText(valueText);
            if (!f) {
                r.Error = QStringLiteral("--value must be a number such as 12.5, not \"%1\"").arg(valueText);
                return r;
            }
            o.Value = std::bit_cast<quint32>(*f);
        } else {
            o.Value = ParseValue32(valueText);
            if (!o.Value) {
                r.Error = QStringLiteral("--value must be a 32-bit integer (decimal or 0x hexadecimal), not \"%1\"")
                              .arg(valueText);
                return r;
            }
        }
    }
    r.Ok = true;
    return r;
}

QString CliUsage() {
    return QStringLiteral(
        "usage:\n"
        "  dovuvavarovod-cli read  --port COMn|PATH --address A --object O --property P [options]\n"
        "  dovuvavarovod-cli write --port COMn|PATH --address A --object O --property P --value V [options]\n"
        "  dovuvavarovod-cli info  --port COMn|PATH --address A [options]\n"
        "  dovuvavarovod-cli scan  --port COMn|PATH [--from 1] [--to 255] [--speeds 9600,19200,...]\n"
        "                          [--first] [--by-speeds] [--json] [options]\n"
        "  dovuvavarovod-cli emulate --port COMn|PATH --devices NAME[=N],... [--protocol nerix|modbus]\n"
        "                          [--baud 9600] [--log]\n"
        "  Instead of --port: --udp HOST:PORT [--local-port N] reaches the devices behind a UDP\n"
        "  gateway (answers come back to the sender, or to local port N); a UDP scan has no speeds.\n"
        "\n"
        "info reads the device's type, serial number, channel mask and bus settings word and shows\n"
        "them with the model's channels from the catalogue.\n"
        "scan asks every address from --from to --to at each of --speeds (default: --baud) and prints\n"
        "each device as it is found; --first stops at the first, --by-speeds finds a single device\n"
        "whatever its address, --json prints one JSON object per device.\n"
        "emulate answers on the port as a bus of emulated devices, at addresses from 1 in the order\n"
        "given, until SIGINT or SIGTERM. NAME is a row of the emulator window: KVD-AIK-BUS,\n"
        "KVD-AIK8-BUS, KVD-AO-BUS, KVD-AO6-BUS, KVD-DI-BUS, KVD-DO-BUS, KVD-DIO-BUS, KVD-DOS-BUS,\n"
        "KVD-DOR-BUS, KVD-DOS12-BUS; N is 1 to 10 (default 1). --log prints every request and\n"
        "answer in hexadecimal with a time stamp.\n"
        "\n"
        "options:\n"
        "  --protocol P          nerix|modbus (default nerix); modbus reads and writes the property\n"
        "                        through the device's register map (two holding registers)\n"
        "  --float               the property is a single-precision number (\".\" as separator)\n"
        "  --baud N              speed in bit/s (default 9600)\n"
        "  --parity P            none|odd|even|mark|space (default none)\n"
        "  --stop S              1|1.5|2 stop bits (default 1)\n"
        "  --rts M               off|on|handshake|toggle (default toggle: raised while sending)\n"
        "  --echo                the line echoes what is sent; skip the echo before the answer\n"
        "  --timeout MS          idle time-out of an answer in ms (default 200; UDP: at least 10)\n"
        "  --tries N             attempts per exchange, 1 to 10 (default 2)\n"
        "  --order K             value byte order 0..8 (default 8: most significant byte first)\n"
        "\n"
        "A: 0..255, O: 0..255, P: 0..65535; numbers may be given as 0x hexadecimal.\n"
        "Exit status: 0 done, 1 no answer or port failure, 2 bad arguments.\n");
}
