// converter: sets the working speed of an interface converter by sending it the one code byte of
// its table, as the converter configurators of the program do.
#include "bus/AccessPoint.h"
#include "cli/CliCommands.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "converters/ConverterCodes.h"

#include <QJsonObject>

namespace {

constexpr quint32 kConfigurationBaud = 1200;

QString Speeds() {
    QStringList speeds;
    for (const TConverterRate& rate : ConverterRates(TConverterKind::Single))
        speeds << QString::number(rate.Baud);
    return speeds.join(QLatin1Char('|'));
}

int RunConverter(const TCliOptions& o, TCliIo& Io) {
    const TConverterKind kind = *ConverterKindByName(o.ConverterKind);
    const quint8 code = *ConverterCode(kind, o.ConverterBaud);
    TCliLine line(o.Line);
    if (!line.Open(Io))
        return kExitFailed;
    if (o.Log)
        line.LogTraffic(Io.Err());
    // The converter answers nothing; only whether the byte went out counts.
    if (!SendConverterCode(*line.AP(), code)) {
        Io.Fail(QStringLiteral("the code could not be sent") +
                    (line.AP()->LastError().isEmpty() ? QString()
                                                      : QStringLiteral(": ") + line.AP()->LastError()),
                {{QStringLiteral("code"), code}});
        return kExitFailed;
    }
    if (Io.Json())
        Io.PrintJson({{QStringLiteral("kind"), ConverterKindName(kind)},
                      {QStringLiteral("model"), ConverterModel(kind)},
                      {QStringLiteral("speed"), qint64(o.ConverterBaud)},
                      {QStringLiteral("code"), code}});
    else
        Io.Out() << "sent code " << code << " (br" << o.ConverterBaud << ") to the " << ConverterModel(kind)
                 << " converter" << Qt::endl;
    return kExitOk;
}

TCliCommand MakeConverterCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("converter");
    c.Synopsis = QStringLiteral("--port COMn|PATH --kind single|double|repeater --speed B [options]");
    c.Summary = QStringLiteral("set an interface converter's working speed");
    c.Description = QStringLiteral(
        "Sends the converter the one code byte that names its new speed, from the same fixed\n"
        "tables as the converter configurators of the program:\n"
        "  single    KVD-RS232(USB)-LAN-RS485-BUS\n"
        "  double    KVD-2xRS232-RS485-ILOOP-BUS\n"
        "  repeater  KVD-RS485-RS485-BUS\n"
        "On a serial port the line runs at 1200 bit/s, at which the converters take the code;\n"
        "--baud may only say so. No answer is expected: exit status 0 means the byte went out.");
    c.Options = {
        {QStringLiteral("kind"), QStringLiteral("KIND"),
         QStringLiteral("single|double|repeater (the converter; see above)"), true,
         [](TCliOptions& o, const QString& v) -> QString {
             if (!ConverterKindByName(v))
                 return QStringLiteral("--kind must be single, double or repeater, not \"%1\"").arg(v);
             o.ConverterKind = v;
             return {};
         }},
        {QStringLiteral("speed"), QStringLiteral("B"),
         Speeds() + QStringLiteral("\nthe new speed in bit/s (\"br9600\" also does)"), true,
         [](TCliOptions& o, const QString& v) -> QString {
             QString text = v;
             if (text.startsWith(QLatin1String("br")))
                 text = text.mid(2);
             const auto n = ParseInteger(text);
             if (!n || !ConverterCode(TConverterKind::Single,
                                      quint32(qBound<qint64>(qint64(0), *n, qint64(1) << 30))))
                 return QStringLiteral("--speed must be one of %1, not \"%2\"")
                     .arg(Speeds().replace(QLatin1Char('|'), QStringLiteral(", ")), v);
             o.ConverterBaud = quint32(*n);
             return {};
         }},
        JsonOption(QStringLiteral("print one JSON object; errors as JSON on stderr")),
        LogOption()};
    for (TCliOption& option : LineOptions()) {
        // Only the protocol of the devices behind the converter would matter, and the code byte has
        // none; --address is not asked for either.
        if (option.Name == QLatin1String("protocol"))
            continue;
        if (option.Name == QLatin1String("baud")) {
            option.Help = QStringLiteral(
                "speed in bit/s: 1200, the converters' configuration speed\n(the default here)");
            const TCliApply apply = option.Apply;
            option.Apply = [apply](TCliOptions& o, const QString& v) -> QString {
                o.LineBaudGiven = true;
                return apply(o, v);
            };
        }
        c.Options.push_back(std::move(option));
    }
    c.Check = [](TCliOptions& o) -> QString {
        if (o.LineBaudGiven && o.Line.Baud != kConfigurationBaud)
            return QStringLiteral("the converters take their code at 1200 bit/s, not at --baud %1")
                .arg(o.Line.Baud);
        o.Line.Baud = kConfigurationBaud;
        return CheckLine(o.Line);
    };
    c.Run = RunConverter;
    return c;
}

} // namespace

const TCliCommand& ConverterCommand() {
    static const TCliCommand command = MakeConverterCommand();
    return command;
}
