// settings: every setting of a device's analog inputs, read through the device model.
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "model/DeviceRegister.h"
#include "model/ModuleFactory.h"
#include "model/Ranges.h"
#include "model/SimpleChannel.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <QJsonArray>

namespace {

// The model whose flags word has an input switch at bit 4 instead of a byte sequence.
constexpr quint16 kTypeWithInputSwitch = 24;

TCliOption ChannelOption() {
    return {QStringLiteral("channel"), QStringLiteral("N"),
            QStringLiteral("only analog input N, counted from 1 (default: every one)"), false,
            IntegerIn(&TCliOptions::Channel, "--channel", 1, 255)};
}

QString ModelText(quint16 Type) {
    const QString name = ModelNameOf(Type);
    return name.isEmpty() ? QStringLiteral("type %1").arg(Type)
                          : QStringLiteral("%1 (type %2)").arg(name).arg(Type);
}

// Whether the catalogue lists analog inputs for the type.
bool CatalogueHasAnalogInputs(quint16 Type) {
    TDeviceRegister catalogue;
    BuildDeviceRegister(catalogue);
    const TDeviceRegisterRecord* record = catalogue.FindByType(Type);
    if (!record || ModelNameOf(Type).isEmpty())
        return false;
    for (int kind : {9, 10, 11})
        if (record->Channels.CountOfKind(quint8(kind)) > 0)
            return true;
    return false;
}

QString ResultFormatText(quint32 Format) {
    switch (Format) {
    case 0:
        return QStringLiteral("floating point");
    case 4:
        return QStringLiteral("integer of 2 bytes");
    case 8:
        return QStringLiteral("integer of 3 bytes");
    default:
        return QStringLiteral("integer (code %1)").arg(Format);
    }
}

QString ByteSequenceText(quint8 Code) {
    static const char* const names[] = {"3210", "0123", "1032", "2301"};
    return QString::fromLatin1(names[Code & 3]);
}

QString RangeText(quint16 Code) {
    const QString name = RangeName(Code);
    if (name.isEmpty())
        return QStringLiteral("%1 (not in the ranges table)").arg(Code);
    const QString unit = RangeUnit(Code);
    return unit.isEmpty() ? QStringLiteral("%1 %2").arg(Code).arg(name)
                          : QStringLiteral("%1 %2 [%3]").arg(Code).arg(name, unit);
}

QString OnOff(bool On) {
    return On ? QStringLiteral("on") : QStringLiteral("off");
}

void PrintText(QTextStream& out, quint16 Type, int Number, const TSimpleChannel& c) {
    out << "channel " << Number << " (object " << c.Accessor.ObjectNumber << ")\n";
    out << "  range: " << RangeText(c.RangeCode) << "\n";
    out << "  ranges:";
    if (c.Ranges.Count() == 0)
        out << " none";
    for (int i = 0; i < c.Ranges.Count(); ++i) {
        const TRangeRec& r = *c.Ranges.Items(i);
        out << "\n    " << RangeText(r.Code) << ", attribute " << r.Attribute << ", coefficients "
            << FloatText(r.Coefficient1) << ", " << FloatText(r.Coefficient2);
    }
    out << "\n";
    out << "  accuracy class: " << c.AccuracyClass << "\n";
    out << "  filter cutoff: "
        << (c.FilterCutoff == 0 ? QStringLiteral("off") : FloatText(c.FilterCutoff) + QStringLiteral(" Hz"))
        << "\n";
    out << "  response time: " << c.ResponseTime << " ms\n";
    out << "  normalization: " << OnOff(c.Normalization) << "\n";
    out << "  polynomial: A " << FloatText(c.Polynomial[0]) << ", B " << FloatText(c.Polynomial[1]) << ", C "
        << FloatText(c.Polynomial[2]) << "\n";
    out << "  flags: 0x" << QString::number(c.Flags, 16).toUpper().rightJustified(8, QLatin1Char('0'))
        << "\n";
    out << "    polynomial: " << OnOff(c.PolynomialOn()) << "\n";
    out << "    thermocompensation: " << OnOff(c.ThermoCompensationOn()) << "\n";
    out << "    result format: " << ResultFormatText(c.ResultFormat()) << "\n";
    if (Type == kTypeWithInputSwitch)
        out << "    input: " << OnOff(c.InputEnabled()) << "\n";
    else
        out << "    byte sequence: " << ByteSequenceText(c.ByteSequence()) << "\n";
    out << "    RMS points: " << c.RmsPoints() << "\n";
    out << "  LED limits: " << FloatText(c.LedLow) << " .. " << FloatText(c.LedHigh) << Qt::endl;
}

QJsonObject RangeJson(quint16 Code) {
    const QString name = RangeName(Code);
    return {{QStringLiteral("code"), Code},
            {QStringLiteral("name"), name.isEmpty() ? QJsonValue() : QJsonValue(name)},
            {QStringLiteral("unit"), RangeUnit(Code)},
            {QStringLiteral("kind"), RangeKind(Code)}};
}

QJsonObject Json(const TCliOptions& o, quint16 Type, int Number, const TSimpleChannel& c) {
    QJsonArray ranges;
    for (int i = 0; i < c.Ranges.Count(); ++i) {
        const TRangeRec& r = *c.Ranges.Items(i);
        QJsonObject range = RangeJson(r.Code);
        range.insert(QStringLiteral("attribute"), r.Attribute);
        range.insert(QStringLiteral("coefficient1"), FloatJson(r.Coefficient1));
        range.insert(QStringLiteral("coefficient2"), FloatJson(r.Coefficient2));
        ranges.append(range);
    }
    QJsonObject flags{{QStringLiteral("word"), qint64(c.Flags)},
                      {QStringLiteral("polynomial"), c.PolynomialOn()},
                      {QStringLiteral("thermocompensation"), c.ThermoCompensationOn()},
                      {QStringLiteral("resultFormat"), ResultFormatText(c.ResultFormat())},
                      {QStringLiteral("rmsPoints"), c.RmsPoints()}};
    if (Type == kTypeWithInputSwitch)
        flags.insert(QStringLiteral("input"), c.InputEnabled());
    else
        flags.insert(QStringLiteral("byteSequence"), ByteSequenceText(c.ByteSequence()));
    return {{QStringLiteral("address"), o.Address},
            {QStringLiteral("type"), Type},
            {QStringLiteral("channel"), Number},
            {QStringLiteral("object"), c.Accessor.ObjectNumber},
            {QStringLiteral("range"), RangeJson(c.RangeCode)},
            {QStringLiteral("ranges"), ranges},
            {QStringLiteral("accuracyClass"), c.AccuracyClass},
            {QStringLiteral("filterCutoff"), FloatJson(c.FilterCutoff)},
            {QStringLiteral("responseTime"), c.ResponseTime},
            {QStringLiteral("normalization"), c.Normalization},
            {QStringLiteral("polynomial"),
             QJsonArray{FloatJson(c.Polynomial[0]), FloatJson(c.Polynomial[1]), FloatJson(c.Polynomial[2])}},
            {QStringLiteral("flags"), flags},
            {QStringLiteral("ledLow"), FloatJson(c.LedLow)},
            {QStringLiteral("ledHigh"), FloatJson(c.LedHigh)}};
}

int RunSettings(const TCliOptions& o, TCliIo& Io) {
    TCliLine line(o.Line);
    if (!line.Open(Io))
        return kExitFailed;
    if (o.Log)
        line.LogTraffic(Io.Err());

    // Which model answers decides which module object reads it.
    TNerixModule probe;
    SetUpModule(probe, line, o);
    quint32 typeWord = 0;
    if (!probe.ReadProperty(spTypeCode, 0, typeWord)) {
        Io.Fail(NoAnswerText(o.Address, probe.AP()), {{QStringLiteral("address"), o.Address}});
        return kExitFailed;
    }
    const quint16 type = quint16(typeWord & 0xFFFF);
    TModuleCreation made = CreateModuleForType(type);
    const QJsonObject where{{QStringLiteral("address"), o.Address}, {QStringLiteral("type"), type}};
    if (!made.Module || made.Module->AnalogInputCount() == 0) {
        Io.Fail(
            CatalogueHasAnalogInputs(type)
                ? QStringLiteral("the analog inputs of %1 cannot be read by this build").arg(ModelText(type))
                : QStringLiteral("%1 has no analog inputs").arg(ModelText(type)),
            where);
        return kExitFailed;
    }
    TZUVOModule& module = *made.Module;
    const int count = module.AnalogInputCount();
    if (o.Channel > count) {
        QJsonObject details = where;
        details.insert(QStringLiteral("channel"), o.Channel);
        Io.Fail(QStringLiteral("--channel %1: %2 has analog inputs 1 to %3")
                    .arg(o.Channel)
                    .arg(ModelText(type))
                    .arg(count),
                details);
        return kExitUsage;
    }
    module.SetAP(line.AP());
    module.SetAddress(quint8(o.Address));
    module.SetTransferProtocol(o.Line.Protocol);

    int failures = 0;
    const int first = o.Channel > 0 ? o.Channel : 1;
    const int last = o.Channel > 0 ? o.Channel : count;
    for (int number = first; number <= last; ++number) {
        TSimpleChannel& channel = *module.AnalogInput(number - 1);
        QString error;
        if (!channel.ReadSettings(ssCommon, error)) {
            ++failures;
            QJsonObject details = where;
            details.insert(QStringLiteral("channel"), number);
            details.insert(QStringLiteral("object"), channel.Accessor.ObjectNumber);
            Io.Fail(QStringLiteral("channel %1 (object %2): %3")
                        .arg(number)
                        .arg(channel.Accessor.ObjectNumber)
                        .arg(error),
                    details);
            continue;
        }
        if (Io.Json())
            Io.PrintJson(Json(o, type, number, channel));
        else
            PrintText(Io.Out(), type, number, channel);
    }
    return failures ? kExitFailed : kExitOk;
}

QString CheckSettings(TCliOptions& o) {
    return CheckLine(o.Line);
}

TCliCommand MakeSettingsCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("settings");
    c.Synopsis = QStringLiteral("--port COMn|PATH --address A [--channel N] [options]");
    c.Summary = QStringLiteral("show every setting of a device's analog inputs");
    c.Description =
        QStringLiteral("Reads the device's type, then every setting of each of its analog inputs: the range\n"
                       "with its name and unit, the device's list of ranges, accuracy class, filter cutoff,\n"
                       "response time, normalization, user polynomial, the flags word decoded and the LED\n"
                       "limits. A device without analog inputs is refused with status 1; a channel that\n"
                       "cannot be read is reported and the others still shown (status 1).");
    c.Options = {AddressOption(), ChannelOption(),
                 JsonOption(QStringLiteral("print one JSON object per channel; errors as JSON on stderr")),
                 LogOption()};
    for (TCliOption& option : LineOptions())
        c.Options.push_back(std::move(option));
    c.Check = CheckSettings;
    c.Run = RunSettings;
    return c;
}

} // namespace

const TCliCommand& SettingsCommand() {
    static const TCliCommand command = MakeSettingsCommand();
    return command;
}
