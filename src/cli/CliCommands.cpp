#include "cli/CliCommands.h"

#include "bus/ComPortAccessPoint.h"
#include "bus/PowerRSBus.h"
#include "cli/CliArgs.h"
#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The bus as the command line describes it.
void ConfigureBus(TPowerRsBus& bus, const TCliOptions& o) {
    bus.SetPortName(o.Port);
    bus.SetBaudRateValue(o.Baud);
    bus.SetParity(o.Parity);
    bus.SetStopBits(o.StopBits);
    bus.SetHwFlow(o.Rts);
    bus.SetInputTimeout(quint32(o.TimeoutMs));
    bus.SetLocalEcho(o.Echo);
    bus.SetTryCount(0);
}

int RunExchange(const TCliOptions& o, QTextStream& out, QTextStream& err) {
    TNerixModule module;
    module.SetTransferProtocol(o.Protocol);
    quint16 reg = 0;
    if (o.Protocol == tpModbus && !module.ModbusToNerix().Map().FindRegister(quint8(o.Object), quint16(o.Property), reg)) {
        err << "no register for object " << o.Object << " property " << o.Property << Qt::endl;
        return kExitFailed;
    }

    TPowerRsBus bus;
    ConfigureBus(bus, o);
    TComPortAccessPoint ap;
    ap.SetBus(&bus);
    ap.SetTryCount(o.Tries);
    ap.SetActive(true);
    if (!ap.Active()) {
        err << "cannot open " << o.Port << ": " << bus.LastError() << Qt::endl;
        return kExitFailed;
    }

    module.SetAP(&ap);
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
    ap.SetActive(false);
    if (!ok) {
        err << "no answer" << Qt::endl;
        return kExitFailed;
    }
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
    if (parsed.Options.Command == QLatin1String("help")) {
        out << CliUsage();
        out.flush();
        return kExitOk;
    }
    return RunExchange(parsed.Options, out, err);
}
