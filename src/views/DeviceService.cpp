#include "views/DeviceService.h"

#include "bus/AccessPoint.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <limits>

namespace {

constexpr quint64 kSecondsPerDay = 86400;

QString Two(quint64 Value) {
    return QString::number(Value).rightJustified(2, QLatin1Char('0'));
}

// A field of the typed time: its value, 0 when it is no number. A number too long for 64 bits
// keeps its sign and saturates, so that it is refused or clamped rather than read as 0.
qint64 FieldValue(const QString& Field) {
    static const QRegularExpression number(QStringLiteral(R"(^\s*([+-]?)(\d+)\s*$)"));
    const auto m = number.match(Field);
    if (!m.hasMatch())
        return 0;
    const bool negative = m.captured(1) == QLatin1String("-");
    bool ok = false;
    const qint64 v = m.captured(2).toLongLong(&ok);
    if (!ok)
        return negative ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
    return negative ? -v : v;
}

} // namespace

QString FirmwareVersionText(quint32 Word) {
    const quint32 a = Word & 0xFF;
    const quint32 b = (Word >> 8) & 0xFF;
    const quint32 c = (Word >> 16) & 0x1F;
    const quint32 d = (Word >> 21) & 0x07;
    const quint32 e = Word >> 24;
    QString text = QStringLiteral("20") + Two(a) + QLatin1Char('.') + Two(b) + QLatin1Char('.') + Two(c) +
                   QStringLiteral("::i");
    if (e != 0)
        text += QString::number(e);
    return text + QLatin1Char('.') + QString::number(d);
}

QString MachineTimeText(quint32 Seconds) {
    quint64 t = Seconds;
    const quint64 days = t / kSecondsPerDay;
    t -= days * kSecondsPerDay;
    const quint64 hours = t / 3600;
    t -= hours * 3600;
    const quint64 minutes = t / 60;
    return QString::number(days) + QLatin1Char(':') + Two(hours) + QLatin1Char(':') + Two(minutes) +
           QLatin1Char(':') + Two(t % 60);
}

QString MaxMachineTimeText() {
    return MachineTimeText(0xFFFFFFFFu);
}

std::optional<quint32> ParseMachineTime(const QString& Text) {
    QString rest = Text;
    qint64 fields[3] = {0, 0, 0}; // seconds, minutes, hours
    for (qint64& field : fields) {
        const int colon = rest.lastIndexOf(QLatin1Char(':'));
        if (colon < 0)
            break;
        field = FieldValue(rest.mid(colon + 1));
        rest.truncate(colon);
    }
    qint64 seconds = std::max<qint64>(fields[0], 0);
    qint64 minutes = std::max<qint64>(fields[1], 0);
    qint64 hours = std::max<qint64>(fields[2], 0);
    const qint64 days = std::max<qint64>(FieldValue(rest), 0);
    if (seconds >= 60)
        seconds = 0;
    if (minutes >= 60)
        minutes = 59;
    if (hours > 23)
        hours = 23;
    // Past this many days the sum no longer fits, whatever the rest is; checked first so that the
    // multiplication below cannot overflow either.
    if (days > qint64(0xFFFFFFFFu / kSecondsPerDay))
        return std::nullopt;
    const quint64 total =
        quint64(days) * kSecondsPerDay + quint64(hours) * 3600 + quint64(minutes) * 60 + quint64(seconds);
    if (total > 0xFFFFFFFFu)
        return std::nullopt;
    return quint32(total);
}

bool TDeviceService::LineBusy() const {
    const TAccessPoint* ap = FModule.AP();
    return ap && ap->Busy();
}

std::optional<QString> TDeviceService::ReadVersion() {
    if (LineBusy())
        return std::nullopt;
    const quint32 word = FModule.SystemChannel().ReadFirmwareVersion();
    if (!FModule.Ok)
        return std::nullopt;
    return FirmwareVersionText(word);
}

std::optional<QString> TDeviceService::ReadTime() {
    if (LineBusy())
        return std::nullopt;
    const quint32 t = FModule.SystemChannel().ReadMachineTime();
    if (!FModule.Ok)
        return std::nullopt;
    return MachineTimeText(t);
}

bool TDeviceService::WriteTime(quint32 Seconds) {
    if (LineBusy())
        return false;
    FModule.SystemChannel().WriteMachineTime(Seconds);
    return FModule.Ok;
}
