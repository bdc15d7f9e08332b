#include "config/ConfigDocument.h"

#include "model/BusSettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <bit>
#include <cmath>
#include <set>

const QString TConfigDocument::kFormat = QStringLiteral("dovuvavarovod-configuration");

namespace {

QString SingleText(quint32 Bits) {
    const float f = std::bit_cast<float>(Bits);
    if (!std::isfinite(f))
        return QStringLiteral("0x%1").arg(Bits, 8, 16, QLatin1Char('0'));
    return QLocale::c().toString(double(f), 'g', 9);
}

// The reader of one file: every field it takes is checked for its type; what it does not know
// becomes a warning with the field's place.
class TReader {
public:
    QStringList& Warnings;
    QString Error;

    void Unknown(const QJsonObject& Object, const QString& Where, std::initializer_list<const char*> Known) {
        std::set<QString> known;
        for (const char* k : Known)
            known.insert(QString::fromLatin1(k));
        for (auto it = Object.begin(); it != Object.end(); ++it)
            if (!known.count(it.key()))
                Warnings << QStringLiteral("%1%2: unknown field, ignored").arg(Where, it.key());
    }

    // A whole number from 0 to Max; nothing with Error for anything else.
    std::optional<quint32> Number(const QJsonValue& Value, const QString& Where, double Max = 4294967295.0) {
        const double d = Value.toDouble(-1);
        if (!Value.isDouble() || d < 0 || d > Max || d != std::floor(d)) {
            if (Error.isEmpty())
                Error =
                    QStringLiteral("%1: a whole number from 0 to %2 is expected").arg(Where).arg(qint64(Max));
            return std::nullopt;
        }
        return quint32(d);
    }

    // A field that may be left out: nothing when absent, Error when present and wrong.
    std::optional<quint32> OptionalNumber(const QJsonObject& Object, const char* Key, const QString& Where,
                                          double Max = 4294967295.0) {
        const QJsonValue v = Object.value(QLatin1String(Key));
        if (v.isUndefined() || v.isNull())
            return std::nullopt;
        return Number(v, Where + QLatin1String(Key), Max);
    }
};

} // namespace

std::vector<quint32> TConfigSetting::ReadValues() const {
    std::vector<quint32> values;
    for (const TConfigTransfer& t : Transfers)
        if (!t.Write)
            values.push_back(t.Value);
    return values;
}

QString TConfigSetting::ValueText() const {
    if (!Meaning.isEmpty())
        return Meaning;
    QStringList parts;
    for (const TConfigTransfer& t : Transfers)
        if (!t.Write)
            parts << (t.Float ? SingleText(t.Value) : QString::number(qint32(t.Value)));
    return parts.isEmpty() ? QStringLiteral("(nothing)") : parts.join(QStringLiteral(", "));
}

const TConfigSetting* TConfigChannel::Find(const QString& Name) const {
    for (const TConfigSetting& s : Settings)
        if (s.Name == Name)
            return &s;
    return nullptr;
}

QString TConfigChannel::Title() const {
    if (Kind == QLatin1String("analogInput"))
        return QStringLiteral("channel %1").arg(Number);
    return QStringLiteral("%1 %2").arg(SettingTitle(Kind)).arg(Number);
}

QString SettingTitle(const QString& Name) {
    QString text;
    for (QChar c : Name) {
        if (c.isUpper()) {
            text += QLatin1Char(' ');
            text += c.toLower();
        } else {
            text += c;
        }
    }
    return text;
}

const TConfigChannel* TConfigDocument::Find(const QString& Kind, int Number) const {
    for (const TConfigChannel& c : Channels)
        if (c.Kind == Kind && c.Number == Number)
            return &c;
    return nullptr;
}

QByteArray TConfigDocument::ToJson() const {
    QJsonObject root{{QStringLiteral("format"), kFormat},
                     {QStringLiteral("version"), Version},
                     {QStringLiteral("model"), Model},
                     {QStringLiteral("typeCode"), TypeCode},
                     {QStringLiteral("serialNumber"), qint64(SerialNumber)}};
    if (FirmwareWord) {
        root.insert(QStringLiteral("firmwareWord"), qint64(*FirmwareWord));
        root.insert(QStringLiteral("firmwareVersion"), FirmwareVersion);
    }
    QJsonObject bus;
    if (BusParams.BusSettingsWord) {
        bus.insert(QStringLiteral("busSettingsWord"), qint64(*BusParams.BusSettingsWord));
        bus.insert(QStringLiteral("busSettings"), TBusSettings::Decode(*BusParams.BusSettingsWord).Text());
    }
    if (BusParams.AnswerTimeout)
        bus.insert(QStringLiteral("answerTimeout"), qint64(*BusParams.AnswerTimeout));
    if (BusParams.ByteOrder)
        bus.insert(QStringLiteral("byteOrder"), qint64(*BusParams.ByteOrder));
    root.insert(QStringLiteral("busParameters"), bus);

    QJsonArray channels;
    for (const TConfigChannel& c : Channels) {
        QJsonArray settings;
        for (const TConfigSetting& s : c.Settings) {
            QJsonArray transfers;
            for (const TConfigTransfer& t : s.Transfers) {
                QJsonObject transfer{
                    {QStringLiteral("op"), t.Write ? QStringLiteral("write") : QStringLiteral("read")},
                    {QStringLiteral("object"), t.Object},
                    {QStringLiteral("property"), t.Property},
                    {QStringLiteral("value"), qint64(t.Value)}};
                if (t.Float) {
                    transfer.insert(QStringLiteral("float"), true);
                    // For the reader only; the 32 bits above are what a restore uses.
                    transfer.insert(QStringLiteral("single"), SingleText(t.Value));
                }
                transfers.append(transfer);
            }
            QJsonObject setting{{QStringLiteral("name"), s.Name},
                                {QStringLiteral("step"), s.Step},
                                {QStringLiteral("writable"), s.Writable},
                                {QStringLiteral("transfers"), transfers}};
            if (!s.Meaning.isEmpty())
                setting.insert(QStringLiteral("meaning"), s.Meaning);
            settings.append(setting);
        }
        channels.append(QJsonObject{{QStringLiteral("kind"), c.Kind},
                                    {QStringLiteral("number"), c.Number},
                                    {QStringLiteral("object"), c.Object},
                                    {QStringLiteral("settings"), settings}});
    }
    root.insert(QStringLiteral("channels"), channels);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<TConfigDocument> TConfigDocument::FromJson(const QByteArray& Json, QString& Error,
                                                         QStringList& Warnings) {
    QJsonParseError parse;
    const QJsonDocument json = QJsonDocument::fromJson(Json, &parse);
    if (parse.error != QJsonParseError::NoError) {
        Error = QStringLiteral("not a JSON document (%1 at offset %2)")
                    .arg(parse.errorString())
                    .arg(parse.offset);
        return std::nullopt;
    }
    if (!json.isObject()) {
        Error = QStringLiteral("not a configuration document: the top level is no object");
        return std::nullopt;
    }
    const QJsonObject root = json.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat) {
        Error = QStringLiteral("not a configuration document: \"format\" is not \"%1\"").arg(kFormat);
        return std::nullopt;
    }
    TReader r{Warnings, {}};
    TConfigDocument d;
    const auto version = r.Number(root.value(QStringLiteral("version")), QStringLiteral("version"), 1000000);
    if (!version) {
        Error = r.Error;
        return std::nullopt;
    }
    if (*version > quint32(kVersion) || *version < 1) {
        Error = QStringLiteral("configuration document version %1: this program reads version %2")
                    .arg(*version)
                    .arg(kVersion);
        return std::nullopt;
    }
    d.Version = int(*version);
    r.Unknown(root, {},
              {"format", "version", "model", "typeCode", "serialNumber", "firmwareWord", "firmwareVersion",
               "busParameters", "channels"});
    d.Model = root.value(QStringLiteral("model")).toString();
    const auto type = r.Number(root.value(QStringLiteral("typeCode")), QStringLiteral("typeCode"), 65535);
    if (!type) {
        Error = r.Error;
        return std::nullopt;
    }
    d.TypeCode = quint16(*type);
    d.SerialNumber = r.OptionalNumber(root, "serialNumber", {}).value_or(0);
    d.FirmwareWord = r.OptionalNumber(root, "firmwareWord", {});
    d.FirmwareVersion = root.value(QStringLiteral("firmwareVersion")).toString();

    const QJsonObject bus = root.value(QStringLiteral("busParameters")).toObject();
    r.Unknown(bus, QStringLiteral("busParameters."),
              {"busSettingsWord", "busSettings", "answerTimeout", "byteOrder"});
    d.BusParams.BusSettingsWord = r.OptionalNumber(bus, "busSettingsWord", QStringLiteral("busParameters."));
    d.BusParams.AnswerTimeout = r.OptionalNumber(bus, "answerTimeout", QStringLiteral("busParameters."));
    d.BusParams.ByteOrder = r.OptionalNumber(bus, "byteOrder", QStringLiteral("busParameters."));

    const QJsonArray channels = root.value(QStringLiteral("channels")).toArray();
    for (int ci = 0; ci < channels.size(); ++ci) {
        const QString cw = QStringLiteral("channels[%1].").arg(ci);
        const QJsonObject co = channels.at(ci).toObject();
        r.Unknown(co, cw, {"kind", "number", "object", "settings"});
        TConfigChannel c;
        c.Kind = co.value(QStringLiteral("kind")).toString();
        const auto number = r.Number(co.value(QStringLiteral("number")), cw + QStringLiteral("number"), 255);
        const auto object = r.Number(co.value(QStringLiteral("object")), cw + QStringLiteral("object"), 255);
        if (c.Kind.isEmpty() && r.Error.isEmpty())
            r.Error = cw + QStringLiteral("kind: a channel kind is expected");
        if (!r.Error.isEmpty()) {
            Error = r.Error;
            return std::nullopt;
        }
        c.Number = int(*number);
        c.Object = quint8(*object);
        const QJsonArray settings = co.value(QStringLiteral("settings")).toArray();
        for (int si = 0; si < settings.size(); ++si) {
            const QString sw = cw + QStringLiteral("settings[%1].").arg(si);
            const QJsonObject so = settings.at(si).toObject();
            r.Unknown(so, sw, {"name", "step", "writable", "transfers", "meaning"});
            TConfigSetting s;
            s.Name = so.value(QStringLiteral("name")).toString();
            if (s.Name.isEmpty()) {
                Error = sw + QStringLiteral("name: a setting name is expected");
                return std::nullopt;
            }
            s.Step = int(r.OptionalNumber(so, "step", sw, 255).value_or(0));
            s.Writable = so.value(QStringLiteral("writable")).toBool();
            s.Meaning = so.value(QStringLiteral("meaning")).toString();
            const QJsonArray transfers = so.value(QStringLiteral("transfers")).toArray();
            for (int ti = 0; ti < transfers.size(); ++ti) {
                const QString tw = sw + QStringLiteral("transfers[%1].").arg(ti);
                const QJsonObject to = transfers.at(ti).toObject();
                r.Unknown(to, tw, {"op", "object", "property", "value", "float", "single"});
                TConfigTransfer t;
                const QString op = to.value(QStringLiteral("op")).toString();
                if (op != QLatin1String("read") && op != QLatin1String("write")) {
                    Error = tw + QStringLiteral("op: \"read\" or \"write\" is expected");
                    return std::nullopt;
                }
                t.Write = op == QLatin1String("write");
                t.Float = to.value(QStringLiteral("float")).toBool();
                const auto o =
                    r.Number(to.value(QStringLiteral("object")), tw + QStringLiteral("object"), 255);
                const auto p =
                    r.Number(to.value(QStringLiteral("property")), tw + QStringLiteral("property"), 65535);
                const auto v = r.Number(to.value(QStringLiteral("value")), tw + QStringLiteral("value"));
                if (!r.Error.isEmpty()) {
                    Error = r.Error;
                    return std::nullopt;
                }
                t.Object = quint8(*o);
                t.Property = quint16(*p);
                t.Value = *v;
                s.Transfers.push_back(t);
            }
            c.Settings.push_back(std::move(s));
        }
        d.Channels.push_back(std::move(c));
    }
    if (!r.Error.isEmpty()) {
        Error = r.Error;
        return std::nullopt;
    }
    return d;
}
