#include "traffic/TrafficSerializer.h"

#include <array>

#include <QDomDocument>
#include <QDomElement>
#include <QFile>
#include <QSaveFile>
#include <QStringEncoder>
#include <QXmlStreamWriter>

namespace {

// The locale's short date and time, widened so that nothing is lost: a two-digit year would read
// back as the 1900s, and the short time has neither seconds nor the milliseconds a capture needs.
QString TimeFormat(const QLocale& Locale) {
    QString date = Locale.dateFormat(QLocale::ShortFormat);
    if (!date.contains(QLatin1String("yyyy")))
        date.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    QString time = Locale.timeFormat(QLocale::ShortFormat);
    if (!time.contains(QLatin1String("ss"))) {
        const int minutes = time.indexOf(QLatin1String("mm"));
        if (minutes >= 0)
            time.insert(minutes + 2, QLatin1String(":ss"));
        else
            time += QLatin1String(":ss");
    }
    if (!time.contains(QLatin1String("zzz")))
        time.replace(QLatin1String("ss"), QLatin1String("ss.zzz"));
    return date + QLatin1Char(' ') + time;
}

bool ParseHex(const QString& Text, QByteArray& Bytes) {
    if (Text.isEmpty() || Text.size() % 2 != 0 || Text.size() / 2 > 0xFFFF)
        return false;
    for (QChar c : Text)
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
            return false;
    Bytes = QByteArray::fromHex(Text.toLatin1());
    return Bytes.size() == Text.size() / 2;
}

void SetError(QString* Error, const QString& Text) {
    if (Error)
        *Error = Text;
}

const std::array<QString, 4>& LineNames() {
    static const std::array<QString, 4> names{QString(), QStringLiteral("com"), QStringLiteral("udp"),
                                              QStringLiteral("tcp")};
    return names;
}

} // namespace

QString TrafficTimeText(const QDateTime& Time, const QLocale& Locale) {
    return Locale.toString(Time.toLocalTime(), TimeFormat(Locale));
}

QDateTime ParseTrafficTime(const QString& Text, const QLocale& Locale) {
    const QString text = Text.trimmed();
    if (text.isEmpty())
        return {};
    for (const QLocale& locale : {Locale, QLocale::c()}) {
        for (const QString& format : {TimeFormat(locale), locale.dateTimeFormat(QLocale::ShortFormat),
                                      locale.dateTimeFormat(QLocale::LongFormat)}) {
            const QDateTime time = locale.toDateTime(text, format);
            if (time.isValid())
                return time;
        }
    }
    QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!time.isValid())
        time = QDateTime::fromString(text, Qt::ISODate);
    return time;
}

QByteArray TrafficToXml(const TTrafficFile& File) {
    QString text;
    QXmlStreamWriter writer(&text);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(2);
    writer.writeStartElement(QStringLiteral("traffic"));
    writer.writeTextElement(QStringLiteral("master_port"), QString::number(File.MasterPort));
    // An element of its own, so that a reader that does not know it still reads the number.
    if (File.Line != tlUnknown)
        writer.writeTextElement(QStringLiteral("master_line"), LineNames()[File.Line]);
    writer.writeTextElement(QStringLiteral("protocol"), QString::number(File.Protocol));
    for (const TContainerItem& item : File.Packages) {
        writer.writeStartElement(QStringLiteral("package"));
        // The text is the user's own form; the attribute lets a machine with another locale read
        // the same moment back exactly.
        writer.writeStartElement(QStringLiteral("time_stamp"));
        // Local time, as the user saw it, whatever the capture stamped it in.
        const QDateTime time = item.Time.toLocalTime();
        writer.writeAttribute(QStringLiteral("iso"), time.toString(Qt::ISODateWithMs));
        writer.writeCharacters(TrafficTimeText(time));
        writer.writeEndElement();
        writer.writeTextElement(QStringLiteral("port"), QString::number(item.Direction));
        writer.writeTextElement(QStringLiteral("data"), QString::fromLatin1(item.Data.toHex().toUpper()));
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndDocument();

    QByteArray bytes = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n");
    // The text is ASCII but for what the locale puts into the time stamps. A character that
    // windows-1251 has goes as its byte; any other (Arabic-Indic digits, say) as a character
    // reference, which reads back the same where the encoder would write "?".
    QStringEncoder encoder("windows-1251");
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80) {
            bytes += char(c);
            continue;
        }
        const bool pair = QChar::isHighSurrogate(c) && i + 1 < text.size();
        const QString one = text.mid(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        if (encoder.isValid()) {
            const QByteArray encoded = encoder.encode(one);
            if (!encoder.hasError() && encoded != "?") {
                bytes += encoded;
                continue;
            }
            encoder.resetState();
        }
        bytes += QStringLiteral("&#x%1;").arg(one.toUcs4().value(0), 0, 16).toLatin1();
    }
    return bytes;
}

bool SaveTraffic(const QString& Path, const TTrafficFile& File, QString* Error) {
    QSaveFile file(Path);
    if (!file.open(QIODevice::WriteOnly)) {
        SetError(Error, file.errorString());
        return false;
    }
    const QByteArray bytes = TrafficToXml(File);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        SetError(Error, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

bool TrafficFromXml(const QByteArray& Xml, TTrafficFile& File, int* Skipped, QString* Error) {
    File = {};
    if (Skipped)
        *Skipped = 0;
    QDomDocument document;
    QString message;
    int line = 0, column = 0;
    if (!document.setContent(Xml, &message, &line, &column)) {
        SetError(Error,
                 QStringLiteral("not XML (line %1, column %2: %3)").arg(line).arg(column).arg(message));
        return false;
    }
    const QDomElement root = document.documentElement();
    if (root.tagName() != QLatin1String("traffic")) {
        SetError(Error, QStringLiteral("no traffic document"));
        return false;
    }
    auto number = [&](const QString& Name, int& Value) {
        const QDomElement e = root.firstChildElement(Name);
        if (e.isNull())
            return true;
        bool ok = false;
        Value = e.text().trimmed().toInt(&ok);
        if (!ok)
            SetError(Error, QStringLiteral("\"%1\" is no number").arg(Name));
        return ok;
    };
    if (!number(QStringLiteral("master_port"), File.MasterPort) ||
        !number(QStringLiteral("protocol"), File.Protocol))
        return false;
    // An unknown kind of line leaves the guess to the caller, as in a file that names none.
    const QString lineName = root.firstChildElement(QStringLiteral("master_line")).text().trimmed().toLower();
    for (int i = tlCom; i <= tlTcp; ++i)
        if (!lineName.isEmpty() && lineName == LineNames()[size_t(i)])
            File.Line = TTrafficLine(i);
    if (File.Protocol != 0 && File.Protocol != 1) {
        SetError(Error, QStringLiteral("unknown protocol %1").arg(File.Protocol));
        return false;
    }
    for (QDomElement e = root.firstChildElement(QStringLiteral("package")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("package"))) {
        TContainerItem item;
        const QDomElement stamp = e.firstChildElement(QStringLiteral("time_stamp"));
        if (stamp.isNull()) {
            item.Time = QDateTime::currentDateTime();
        } else {
            const QString iso = stamp.attribute(QStringLiteral("iso"));
            if (!iso.isEmpty())
                item.Time = QDateTime::fromString(iso, Qt::ISODateWithMs);
            if (!item.Time.isValid())
                item.Time = ParseTrafficTime(stamp.text());
        }
        item.Direction =
            e.firstChildElement(QStringLiteral("port")).text().trimmed() == QLatin1String("1") ? 1 : 0;
        if (!item.Time.isValid() ||
            !ParseHex(e.firstChildElement(QStringLiteral("data")).text().trimmed(), item.Data)) {
            if (Skipped)
                ++*Skipped;
            continue;
        }
        item.Length = quint16(item.Data.size());
        File.Packages.push_back(std::move(item));
    }
    return true;
}

bool LoadTraffic(const QString& Path, TTrafficFile& File, int* Skipped, QString* Error) {
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly)) {
        File = {};
        if (Skipped)
            *Skipped = 0;
        SetError(Error, file.errorString());
        return false;
    }
    return TrafficFromXml(file.readAll(), File, Skipped, Error);
}
