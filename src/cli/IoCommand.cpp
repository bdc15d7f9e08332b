// io: every discrete input and output of a module through its manager; switching outputs; watching.
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "cli/CliSignals.h"
#include "model/DeviceRegister.h"
#include "model/IOModule.h"
#include "model/ModuleFactory.h"
#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"

#include <QJsonArray>
#include <memory>

namespace {

// How often --watch looks.
constexpr int kWatchMs = 100;

TCliOption SetOption() {
    return {QStringLiteral("set"), QStringLiteral("N=0|1"),
            QStringLiteral("switch output N (from 1) off or on before reading; may be given\n"
                           "several times; keyed when the module's outputs are protected"),
            false, [](TCliOptions& o, const QString& v) -> QString {
                const QStringList parts = v.split(QLatin1Char('='));
                const QString state = parts.size() == 2 ? parts[1].trimmed() : QString();
                qint64 n = 0;
                if (parts.size() == 2)
                    n = ParseInteger(parts[0].trimmed()).value_or(0);
                if (n < 1 || n > 64 || (state != QLatin1String("0") && state != QLatin1String("1")))
                    return QStringLiteral("--set wants N=0 or N=1 with an output N from 1 to 64, not \"%1\"")
                        .arg(v);
                for (const auto& [output, on] : o.Sets)
                    if (output == n)
                        return QStringLiteral("--set names output %1 twice").arg(n);
                o.Sets.emplace_back(int(n), state == QLatin1String("1"));
                return {};
            }};
}

// One input or output as the manager last reported it.
struct TPoint {
    bool On = false;
    bool Fault = false; // an output's fault flag, an input's line break
    bool ShortCircuit = false;
    bool operator==(const TPoint&) const = default;
};

struct TSnapshot {
    bool Protected = false;
    std::vector<TPoint> Inputs;
    std::vector<TPoint> Outputs;
};

// The module's manager, of either kind, behind one face.
class TManagedModule {
public:
    TManagedModule(TIOModule* Module) : FModule(Module) {}

    int Inputs() const { return FModule->ManagedInputCount(); }
    int Outputs() const { return FModule->ManagedOutputCount(); }
    // The manager's object and the property that holds the protected mode, read first on every look.
    quint8 Object() const {
        if (TDIOManager* m = FModule->DIOManager())
            return m->Accessor.ObjectNumber;
        return FModule->DIOManagerExt()->Accessor.ObjectNumber;
    }
    quint16 ModeProperty() const {
        return FModule->DIOManager() ? quint16(dmProtected) : quint16(dxProtected);
    }

    bool ReadMode(bool& Protected) {
        QString error;
        bool ok = false;
        if (TDIOManager* m = FModule->DIOManager()) {
            ok = m->ReadMode(error);
            Protected = m->Protected;
        } else if (TDIOManagerExt* m = FModule->DIOManagerExt()) {
            ok = m->ReadMode(error);
            Protected = m->Protected;
        }
        return ok;
    }

    bool Read(TSnapshot& S) {
        if (!ReadMode(S.Protected))
            return false;
        S.Inputs.assign(size_t(Inputs()), {});
        S.Outputs.assign(size_t(Outputs()), {});
        if (TDIOManager* m = FModule->DIOManager()) {
            if (!m->ReadInputs())
                return false;
            // The second word exists only on the models with more than eight of either.
            if ((Inputs() > 8 || Outputs() > 8) && !m->ReadOutputs())
                return false;
            for (int i = 0; i < Inputs(); ++i)
                S.Inputs[size_t(i)] = {m->InputOn(i), m->InputFault(i), false};
            for (int i = 0; i < Outputs(); ++i)
                S.Outputs[size_t(i)] = {m->OutputOn(i), m->OutputFault(i), false};
            return true;
        }
        TDIOManagerExt* m = FModule->DIOManagerExt();
        const int first = FModule->FirstManagedOutput();
        if ((Inputs() > 0 && !m->ReadInputPoints(0, Inputs())) ||
            (Outputs() > 0 && !m->ReadOutputPoints(first, Outputs())))
            return false;
        for (int i = 0; i < Inputs(); ++i) {
            const int state = m->InputState(i);
            S.Inputs[size_t(i)] = {state == 1 || state == 3, state == 2, state == 3};
        }
        for (int i = 0; i < Outputs(); ++i)
            S.Outputs[size_t(i)] = {m->OutputState(first + i) != 0, false, false};
        return true;
    }

    // Reads the outputs as they are, changes the ones asked for and writes them back in one go.
    bool Switch(const std::vector<std::pair<int, bool>>& Sets) {
        TSnapshot now;
        if (!Read(now))
            return false;
        quint64 mask = 0;
        for (int i = 0; i < Outputs(); ++i)
            if (now.Outputs[size_t(i)].On)
                mask |= quint64(1) << i;
        for (const auto& [output, on] : Sets) {
            const quint64 bit = quint64(1) << (output - 1);
            mask = on ? mask | bit : mask & ~bit;
        }
        if (TDIOManager* m = FModule->DIOManager())
            return m->WriteOutputs(quint32(mask));
        return FModule->DIOManagerExt()->WriteOutputPoints(FModule->FirstManagedOutput(), Outputs(), mask);
    }

private:
    TIOModule* FModule;
};

QString PointText(const TPoint& P, bool Input) {
    QString text = P.On ? QStringLiteral("on") : QStringLiteral("off");
    if (P.ShortCircuit)
        text += QStringLiteral(", short circuit");
    else if (P.Fault)
        text += Input ? QStringLiteral(", line break") : QStringLiteral(", fault");
    return text;
}

QJsonObject PointJson(int Number, const TPoint& P, bool Input) {
    QJsonObject json{{QStringLiteral("n"), Number}, {QStringLiteral("on"), P.On}};
    if (Input) {
        json.insert(QStringLiteral("lineBreak"), P.Fault);
        json.insert(QStringLiteral("shortCircuit"), P.ShortCircuit);
    } else {
        json.insert(QStringLiteral("fault"), P.Fault);
    }
    return json;
}

void PrintSnapshot(TCliIo& Io, const TCliOptions& o, const QString& Model, const TSnapshot& S) {
    if (Io.Json()) {
        QJsonArray inputs, outputs;
        for (size_t i = 0; i < S.Inputs.size(); ++i)
            inputs.append(PointJson(int(i) + 1, S.Inputs[i], true));
        for (size_t i = 0; i < S.Outputs.size(); ++i)
            outputs.append(PointJson(int(i) + 1, S.Outputs[i], false));
        Io.PrintJson({{QStringLiteral("address"), o.Address},
                      {QStringLiteral("model"), Model},
                      {QStringLiteral("protected"), S.Protected},
                      {QStringLiteral("inputs"), inputs},
                      {QStringLiteral("outputs"), outputs}});
        return;
    }
    QTextStream& out = Io.Out();
    out << Model << " at address " << o.Address << (S.Protected ? ", outputs protected" : "") << "\n";
    for (size_t i = 0; i < S.Inputs.size(); ++i)
        out << "input " << i + 1 << ": " << PointText(S.Inputs[i], true) << "\n";
    for (size_t i = 0; i < S.Outputs.size(); ++i)
        out << "output " << i + 1 << ": " << PointText(S.Outputs[i], false) << "\n";
    out.flush();
}

// One line per input or output whose state differs from the last snapshot.
void PrintChanges(TCliIo& Io, const TCliOptions& o, const TSnapshot& Before, const TSnapshot& Now) {
    const QString stamp = TimeStamp();
    auto report = [&](const std::vector<TPoint>& was, const std::vector<TPoint>& is, bool Input) {
        for (size_t i = 0; i < is.size(); ++i) {
            if (i < was.size() && was[i] == is[i])
                continue;
            if (Io.Json()) {
                QJsonObject json = PointJson(int(i) + 1, is[i], Input);
                json.insert(QStringLiteral("address"), o.Address);
                json.insert(QStringLiteral("time"), stamp);
                json.insert(QStringLiteral("kind"),
                            Input ? QStringLiteral("input") : QStringLiteral("output"));
                Io.PrintJson(json);
            } else {
                Io.Out() << stamp << "  " << (Input ? "input " : "output ") << i + 1 << ": "
                         << PointText(is[i], Input) << Qt::endl;
            }
        }
    };
    report(Before.Inputs, Now.Inputs, true);
    report(Before.Outputs, Now.Outputs, false);
    if (Before.Protected != Now.Protected && !Io.Json())
        Io.Out() << stamp << "  outputs " << (Now.Protected ? "protected" : "unprotected") << Qt::endl;
}

// Polls until a stop signal; a failing read is told once, and again only after an answer came.
int Watch(TCliIo& Io, const TCliOptions& o, TManagedModule& Managed, TSnapshot Last) {
    TCliStopSignals stop;
    bool failing = false;
    while (!stop.WaitForStop(kWatchMs)) {
        TSnapshot now;
        if (!Managed.Read(now)) {
            if (!failing)
                Io.Fail(QStringLiteral("%1 at %2").arg(NoAnswerText(o.Address), TimeStamp()),
                        {{QStringLiteral("address"), o.Address}});
            failing = true;
            continue;
        }
        failing = false;
        PrintChanges(Io, o, Last, now);
        Last = now;
    }
    return kExitOk;
}

// The device answered its type; its manager must answer too before anything is switched. A device
// that has none where its model keeps it (an emulated module built without one, or one that leaves
// the manager out of its Modbus registers) is told apart from a silent line.
bool ManagerAnswers(TCliIo& Io, const TCliOptions& o, const QString& Model, TIOModule& Module,
                    TManagedModule& Managed) {
    const bool modbus = o.Line.Protocol == tpModbus;
    const QJsonObject details{
        {QStringLiteral("address"), o.Address},
        {QStringLiteral("object"), Managed.Object()},
        {QStringLiteral("protocol"), modbus ? QStringLiteral("modbus") : QStringLiteral("nerix")}};
    quint16 reg = 0;
    if (modbus && !Module.NerixModule().ModbusToNerix().Map().FindRegister(Managed.Object(),
                                                                           Managed.ModeProperty(), reg)) {
        Io.Fail(QStringLiteral("the discrete input/output manager of %1 (object %2) has no Modbus register")
                    .arg(Model)
                    .arg(Managed.Object()),
                details);
        return false;
    }
    bool protectedMode = false;
    if (Managed.ReadMode(protectedMode))
        return true;
    QString text =
        QStringLiteral("%1 at address %2 answers, but its discrete input/output manager (object %3")
            .arg(Model)
            .arg(o.Address)
            .arg(Managed.Object());
    if (modbus)
        text += QStringLiteral(", Modbus register %1").arg(reg);
    text += modbus ? QStringLiteral(") does not: the device does not serve its inputs and outputs that way "
                                    "over Modbus RTU")
                   : QStringLiteral(") does not: the device does not serve its inputs and outputs through a "
                                    "manager");
    Io.Fail(text, details);
    return false;
}

int RunIo(const TCliOptions& o, TCliIo& Io) {
    TCliLine line(o.Line);
    if (!line.Open(Io))
        return kExitFailed;
    if (o.Log)
        line.LogTraffic(Io.Err());
    // The type decides the model class; its manager does the rest.
    TNerixModule probe;
    SetUpModule(probe, line, o);
    quint32 type = 0;
    if (!probe.ReadProperty(0, 0, type)) {
        Io.Fail(NoAnswerText(o.Address), {{QStringLiteral("address"), o.Address}});
        return kExitFailed;
    }
    const quint16 code = quint16(type & 0xFFFF);
    const QString model =
        ModelNameOf(code).isEmpty() ? QStringLiteral("type %1").arg(code) : ModelNameOf(code);
    TModuleCreation created = CreateModuleForType(code);
    auto* module = dynamic_cast<TIOModule*>(created.Module.get());
    if (!module || (!module->DIOManager() && !module->DIOManagerExt())) {
        Io.Fail(
            QStringLiteral("%1 at address %2 has no discrete input/output manager").arg(model).arg(o.Address),
            {{QStringLiteral("address"), o.Address}, {QStringLiteral("type"), code}});
        return kExitFailed;
    }
    module->SetAP(line.AP());
    module->SetAddress(quint8(o.Address));
    module->SetTransferProtocol(o.Line.Protocol);
    TManagedModule managed(module);
    if (!ManagerAnswers(Io, o, model, *module, managed))
        return kExitFailed;
    for (const auto& [output, on] : o.Sets) {
        if (output > managed.Outputs()) {
            Io.Fail(QStringLiteral("%1 has %2 outputs; there is no output %3")
                        .arg(model)
                        .arg(managed.Outputs())
                        .arg(output),
                    {{QStringLiteral("address"), o.Address}, {QStringLiteral("output"), output}});
            return kExitUsage;
        }
    }
    if (!o.Sets.empty() && !managed.Switch(o.Sets)) {
        Io.Fail(QStringLiteral("the outputs of address %1 could not be switched").arg(o.Address),
                {{QStringLiteral("address"), o.Address}});
        return kExitFailed;
    }
    TSnapshot snapshot;
    if (!managed.Read(snapshot)) {
        Io.Fail(NoAnswerText(o.Address), {{QStringLiteral("address"), o.Address}});
        return kExitFailed;
    }
    PrintSnapshot(Io, o, model, snapshot);
    return o.Watch ? Watch(Io, o, managed, snapshot) : kExitOk;
}

TCliCommand MakeIoCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("io");
    c.Synopsis = QStringLiteral("--port COMn|PATH --address A [--set N=0|1 ...] [--watch] [options]");
    c.Summary = QStringLiteral("show and switch the discrete inputs and outputs of a module");
    c.Description = QStringLiteral(
        "Reads every discrete input and output of the module at address A through its manager and\n"
        "prints them, numbered from 1: on or off, with a line break or short circuit where the input\n"
        "reports one. --set switches outputs first (with the write key while the outputs are\n"
        "protected). --watch keeps reading and prints a line whenever a state changes, until\n"
        "Ctrl+C. A module without a manager, or whose manager does not answer (over Modbus RTU: is\n"
        "not among its registers), is refused with exit status 1.");
    c.Options = {
        AddressOption(),
        SetOption(),
        {QStringLiteral("watch"),
         {},
         QStringLiteral("keep reading and print every change, until Ctrl+C"),
         false,
         SetFlag(&TCliOptions::Watch)},
        JsonOption(QStringLiteral("print one JSON object, then one per change; errors as JSON on stderr")),
        LogOption()};
    for (TCliOption& option : LineOptions())
        c.Options.push_back(std::move(option));
    c.Check = [](TCliOptions& o) { return CheckLine(o.Line); };
    c.Run = RunIo;
    return c;
}

} // namespace

const TCliCommand& IoCommand() {
    static const TCliCommand command = MakeIoCommand();
    return command;
}
