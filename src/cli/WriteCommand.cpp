// write: one property of one object.
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "protocol/NerixModule.h"

#include <bit>

namespace {

QString CheckWrite(TCliOptions& o) {
    if (const QString error = CheckLine(o.Line); !error.isEmpty())
        return error;
    // Resolved here, since --float may come after --value.
    if (o.Float) {
        const auto f = ParseFloatText(o.ValueText);
        if (!f)
            return QStringLiteral("--value must be a number such as 12.5, not \"%1\"").arg(o.ValueText);
        o.Value = std::bit_cast<quint32>(*f);
    } else {
        o.Value = ParseValue32(o.ValueText);
        if (!o.Value)
            return QStringLiteral("--value must be a 32-bit integer (decimal or 0x hexadecimal), not \"%1\"")
                .arg(o.ValueText);
    }
    return {};
}

int RunWrite(const TCliOptions& o, TCliIo& Io) {
    TNerixModule module;
    module.SetTransferProtocol(o.Line.Protocol);
    if (!CheckRegisters(module, o, Io))
        return kExitFailed;
    TCliLine line(o.Line);
    if (!line.Open(Io))
        return kExitFailed;
    if (o.Log)
        line.LogTraffic(Io.Err());
    SetUpModule(module, line, o);
    const quint16 property = o.Properties.front();
    QJsonObject json = DeviceJson(o);
    json.insert(QStringLiteral("property"), property);
    if (!module.WriteProperty(property, quint8(o.Object), *o.Value)) {
        Io.Fail(NoAnswerText(o.Address, module.AP()), json);
        return kExitFailed;
    }
    if (Io.Json()) {
        json.insert(QStringLiteral("value"),
                    o.Float ? FloatJson(std::bit_cast<float>(*o.Value)) : QJsonValue(qint32(*o.Value)));
        json.insert(QStringLiteral("written"), true);
        Io.PrintJson(json);
    }
    return kExitOk;
}

TCliCommand MakeWriteCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("write");
    c.Synopsis = QStringLiteral("--port COMn|PATH --address A --object O --property P --value V [options]");
    c.Summary = QStringLiteral("write one property of one object");
    c.Description =
        QStringLiteral("Writes V to the property P of object O of the device at address A; prints\n"
                       "nothing when the device took it, unless --json.");
    c.Options = {
        AddressOption(),
        ObjectOption(),
        {QStringLiteral("property"), QStringLiteral("P"), QStringLiteral("the property, 0..65535"), true,
         [](TCliOptions& o, const QString& v) -> QString {
             const auto n = ParseInteger(v);
             if (!n || *n < 0 || *n > 65535)
                 return QStringLiteral("--property must be a number from 0 to 65535, not \"%1\"").arg(v);
             o.Properties = {quint16(*n)};
             return {};
         }},
        {QStringLiteral("value"), QStringLiteral("V"),
         QStringLiteral("a 32-bit integer (signed or unsigned decimal, or 0x hexadecimal),\n"
                        "or a number with --float"),
         true,
         [](TCliOptions& o, const QString& v) -> QString {
             o.ValueText = v;
             return {};
         }},
        FloatOption(),
        OrderOption(),
        JsonOption(QStringLiteral("print the written value as one JSON object; errors as JSON on stderr")),
        LogOption()};
    for (TCliOption& option : LineOptions())
        c.Options.push_back(std::move(option));
    c.Check = CheckWrite;
    c.Run = RunWrite;
    return c;
}

} // namespace

const TCliCommand& WriteCommand() {
    static const TCliCommand command = MakeWriteCommand();
    return command;
}
