#include "cli/CliCommands.h"

#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "cli/CliArgs.h"
#include "model/BusSettings.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"
#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The serial line as the command line describes it, with its access point.
class TCliLine {
public:
    explicit TCliLine(const TCliOptions& o) {
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
    ~TCliLine() { FAP.SetActive(false); }

    bool Open(const TCliOptions& o, QTextStream& err) {
        FAP.SetActive(true);
        if (!FAP.Active())
            err << "cannot open " << o.Port << ": " << FBus.LastError() << Qt::endl;
        return FAP.Active();
    }
    TAccessPoint* AP() { return &FAP; }

private:
    TPowerRsBus FBus;
    TComPortAccessPoint FAP;
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
    if (!line.Open(o, err))
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
    if (!line.Open(o, err))
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
    return RunExchange(parsed.Options, out, err);
}
