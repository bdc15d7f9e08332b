// info: what a device says about itself, with its model's channels from the catalogue.
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "model/BusSettings.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <QJsonArray>

namespace {

// Object 0's first four properties: type code, serial number, channel mask, bus settings word.
struct TIdentity {
    quint32 Values[4] = {};
    quint32 Type() const { return Values[spTypeCode] & 0xFFFF; }
    quint32 Extension() const { return Values[spTypeCode] >> 16; }
};

struct TChannelLine {
    int Index;
    const TChannelRecord* Record;
};

// The channels the mask says the device has. A type the catalogue does not know has none to name.
std::vector<TChannelLine> ChannelsOf(const TIdentity& Id, const TDeviceRegister& Catalogue) {
    std::vector<TChannelLine> channels;
    if (ModelNameOf(quint16(Id.Type())).isEmpty())
        return channels;
    const TDeviceRegisterRecord* record = Catalogue.FindByType(Id.Type());
    const quint64 mask = TDeviceProps::ChannelMaskFor(Id.Type(), Id.Values[spChannelMask]);
    for (int i = 0; record && i < record->Channels.Count() && i < 64; ++i)
        if ((mask >> i) & 1)
            channels.push_back({i, record->Channels.Items(i)});
    return channels;
}

void PrintText(QTextStream& out, const TIdentity& Id, const QString& Model,
               const std::vector<TChannelLine>& Channels) {
    out << "model: " << (Model.isEmpty() ? QStringLiteral("unknown") : Model) << " (type " << Id.Type();
    if (Id.Extension())
        out << ", extension " << Id.Extension();
    out << ")\n";
    out << "serial number: " << Id.Values[spSerialNumber] << "\n";
    out << "channel mask: 0x"
        << QString::number(Id.Values[spChannelMask], 16).toUpper().rightJustified(8, QLatin1Char('0'))
        << "\n";
    out << "channels:";
    for (const TChannelLine& c : Channels) {
        out << "\n  " << c.Index << ": " << c.Record->Name;
        if (!c.Record->Note.isEmpty())
            out << " (" << c.Record->Note << ")";
        out << ", kind " << c.Record->Kind;
    }
    out << (Channels.empty() ? " none\n" : "\n");
    out << "bus settings: " << TBusSettings::Decode(Id.Values[spBusSettings]).Text() << Qt::endl;
}

QJsonObject Json(int Address, const TIdentity& Id, const QString& Model,
                 const std::vector<TChannelLine>& Channels) {
    QJsonArray channels;
    for (const TChannelLine& c : Channels)
        channels.append(QJsonObject{{QStringLiteral("index"), c.Index},
                                    {QStringLiteral("name"), c.Record->Name},
                                    {QStringLiteral("note"), c.Record->Note},
                                    {QStringLiteral("kind"), c.Record->Kind}});
    return {{QStringLiteral("address"), Address},
            {QStringLiteral("model"), Model.isEmpty() ? QJsonValue() : QJsonValue(Model)},
            {QStringLiteral("type"), qint64(Id.Type())},
            {QStringLiteral("extension"), qint64(Id.Extension())},
            {QStringLiteral("serialNumber"), qint64(Id.Values[spSerialNumber])},
            {QStringLiteral("channelMask"), qint64(Id.Values[spChannelMask])},
            {QStringLiteral("channels"), channels},
            {QStringLiteral("busSettingsWord"), qint64(Id.Values[spBusSettings])},
            {QStringLiteral("busSettings"), TBusSettings::Decode(Id.Values[spBusSettings]).Text()}};
}

int RunInfo(const TCliOptions& o, TCliIo& Io) {
    TCliLine line(o.Line);
    if (!line.Open(Io))
        return kExitFailed;
    if (o.Log)
        line.LogTraffic(Io.Err());
    TNerixModule module;
    SetUpModule(module, line, o);
    TIdentity id;
    for (quint16 p = spTypeCode; p <= spBusSettings; ++p) {
        if (!module.ReadProperty(p, 0, id.Values[p])) {
            Io.Fail(NoAnswerText(o.Address, module.AP()), {{QStringLiteral("address"), o.Address}});
            return kExitFailed;
        }
    }
    TDeviceRegister catalogue;
    BuildDeviceRegister(catalogue);
    const QString model = ModelNameOf(quint16(id.Type()));
    const std::vector<TChannelLine> channels = ChannelsOf(id, catalogue);
    if (Io.Json())
        Io.PrintJson(Json(o.Address, id, model, channels));
    else
        PrintText(Io.Out(), id, model, channels);
    return kExitOk;
}

TCliCommand MakeInfoCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("info");
    c.Synopsis = QStringLiteral("--port COMn|PATH --address A [options]");
    c.Summary = QStringLiteral("show a device's model, serial number, channels and bus settings");
    c.Description = QStringLiteral(
        "Reads the device's type, serial number, channel mask and bus settings word (object 0,\n"
        "properties 0 to 3) and shows them with the model's channels from the catalogue.");
    c.Options = {AddressOption(),
                 JsonOption(QStringLiteral("print one JSON object; errors as JSON on stderr")), LogOption()};
    for (TCliOption& option : LineOptions())
        c.Options.push_back(std::move(option));
    c.Check = [](TCliOptions& o) { return CheckLine(o.Line); };
    c.Run = RunInfo;
    return c;
}

} // namespace

const TCliCommand& InfoCommand() {
    static const TCliCommand command = MakeInfoCommand();
    return command;
}
