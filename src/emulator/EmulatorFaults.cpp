#include "emulator/EmulatorFaults.h"

#include "protocol/Crc16.h"

#include <QRandomGenerator>
#include <charconv>

namespace {

constexpr int kMaxMs = 60000;
constexpr int kMaxGarbage = 64;
constexpr int kMaxCount = 1000000000;

struct TKeyInfo {
    const char* Name;
    quint32 Key;
};
constexpr TKeyInfo kKeys[] = {
    {"delay", TFaultSet::kDelay},
    {"drop", TFaultSet::kDrop},
    {"crc", TFaultSet::kCrc},
    {"split", TFaultSet::kSplit},
    {"garbage", TFaultSet::kGarbage},
    {"wrong-address", TFaultSet::kWrongAddress},
    {"stop-after", TFaultSet::kStopAfter},
    {"resume-after", TFaultSet::kResumeAfter},
};

QString KnownKeys() {
    QStringList names;
    for (const TKeyInfo& k : kKeys)
        names << QLatin1String(k.Name);
    names << QStringLiteral("device");
    return names.join(QLatin1String(", "));
}

bool ReadInt(const QString& Text, int Low, int High, int& Value) {
    const QString t = Text.trimmed();
    // Decimal digits only: toInt would also take a sign or "0x".
    if (t.isEmpty() || t.size() > 10)
        return false;
    for (QChar c : t)
        if (!c.isDigit() || c.unicode() > 127)
            return false;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (!ok || v < Low || v > High)
        return false;
    Value = int(v);
    return true;
}

bool ReadProbability(const QString& Text, double& Value) {
    const QByteArray t = Text.trimmed().toLatin1();
    if (t.isEmpty())
        return false;
    double v = 0;
    const auto [end, ec] = std::from_chars(t.constData(), t.constData() + t.size(), v);
    // "nan" and "inf" parse, and fail the range check like any number outside 0..1.
    if (ec != std::errc() || end != t.constData() + t.size() || !(v >= 0.0 && v <= 1.0))
        return false;
    Value = v;
    return true;
}

QString Number(double Value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, Value);
    return ec == std::errc() ? QString::fromLatin1(buffer, int(end - buffer)) : QString::number(Value);
}

// Reads one KEY=VALUE into Set; an error text for a bad one.
QString ReadKey(const QString& Item, TFaultSet& Set) {
    const qsizetype eq = Item.indexOf(QLatin1Char('='));
    const QString key = (eq < 0 ? Item : Item.left(eq)).trimmed().toLower();
    const QString value = eq < 0 ? QString() : Item.mid(eq + 1).trimmed();
    const auto bad = [&Item](const QString& Why) {
        return QStringLiteral("bad fault \"%1\": %2").arg(Item, Why);
    };
    const TKeyInfo* info = nullptr;
    for (const TKeyInfo& k : kKeys)
        if (key == QLatin1String(k.Name))
            info = &k;
    if (!info)
        return QStringLiteral("unknown fault \"%1\"; known: %2").arg(Item, KnownKeys());
    if (eq < 0 || value.isEmpty())
        return bad(QStringLiteral("needs a value"));
    TFaultSet s = Set;
    const QString ms = QStringLiteral("milliseconds are 0 to %1").arg(kMaxMs);
    const QString probability = QStringLiteral("a probability is 0 to 1");
    switch (info->Key) {
    case TFaultSet::kDelay: {
        const qsizetype dash = value.indexOf(QLatin1Char('-'));
        if (dash < 0) {
            if (!ReadInt(value, 0, kMaxMs, s.DelayMin))
                return bad(ms);
            s.DelayMax = s.DelayMin;
        } else {
            if (!ReadInt(value.left(dash), 0, kMaxMs, s.DelayMin) ||
                !ReadInt(value.mid(dash + 1), 0, kMaxMs, s.DelayMax))
                return bad(ms + QStringLiteral(", as MS or MIN-MAX"));
            if (s.DelayMin > s.DelayMax)
                return bad(QStringLiteral("the least delay is above the greatest"));
        }
        break;
    }
    case TFaultSet::kDrop:
        if (!ReadProbability(value, s.Drop))
            return bad(probability);
        break;
    case TFaultSet::kCrc:
        if (!ReadProbability(value, s.Crc))
            return bad(probability);
        break;
    case TFaultSet::kWrongAddress:
        if (!ReadProbability(value, s.WrongAddress))
            return bad(probability);
        break;
    case TFaultSet::kSplit: {
        const qsizetype at = value.indexOf(QLatin1Char('@'));
        if (at < 0 || !ReadInt(value.left(at), 1, 255, s.SplitAt) ||
            !ReadInt(value.mid(at + 1), 0, kMaxMs, s.SplitGap))
            return bad(QStringLiteral("give BYTES@MS: the first piece's length (1 to 255) and the gap (%1)")
                           .arg(ms));
        break;
    }
    case TFaultSet::kGarbage:
        if (!ReadInt(value, 0, kMaxGarbage, s.Garbage))
            return bad(QStringLiteral("the number of bytes is 0 to %1").arg(kMaxGarbage));
        break;
    case TFaultSet::kStopAfter:
        if (!ReadInt(value, 0, kMaxCount, s.StopAfter))
            return bad(QStringLiteral("a number of requests is 0 to %1").arg(kMaxCount));
        break;
    case TFaultSet::kResumeAfter:
        if (!ReadInt(value, 0, kMaxCount, s.ResumeAfter))
            return bad(QStringLiteral("a number of requests is 0 to %1").arg(kMaxCount));
        break;
    }
    s.Given |= info->Key;
    Set = s;
    return {};
}

QStringList KeysText(const TFaultSet& s) {
    QStringList items;
    if (s.Given & TFaultSet::kDelay)
        items << (s.DelayMin == s.DelayMax ? QStringLiteral("delay=%1").arg(s.DelayMin)
                                           : QStringLiteral("delay=%1-%2").arg(s.DelayMin).arg(s.DelayMax));
    if (s.Given & TFaultSet::kDrop)
        items << QStringLiteral("drop=") + Number(s.Drop);
    if (s.Given & TFaultSet::kCrc)
        items << QStringLiteral("crc=") + Number(s.Crc);
    if (s.Given & TFaultSet::kSplit)
        items << QStringLiteral("split=%1@%2").arg(s.SplitAt).arg(s.SplitGap);
    if (s.Given & TFaultSet::kGarbage)
        items << QStringLiteral("garbage=%1").arg(s.Garbage);
    if (s.Given & TFaultSet::kWrongAddress)
        items << QStringLiteral("wrong-address=") + Number(s.WrongAddress);
    if (s.Given & TFaultSet::kStopAfter)
        items << QStringLiteral("stop-after=%1").arg(s.StopAfter);
    if (s.Given & TFaultSet::kResumeAfter)
        items << QStringLiteral("resume-after=%1").arg(s.ResumeAfter);
    return items;
}

} // namespace

void TFaultSet::Merge(const TFaultSet& o) {
    if (o.Given & kDelay) {
        DelayMin = o.DelayMin;
        DelayMax = o.DelayMax;
    }
    if (o.Given & kDrop)
        Drop = o.Drop;
    if (o.Given & kCrc)
        Crc = o.Crc;
    if (o.Given & kSplit) {
        SplitAt = o.SplitAt;
        SplitGap = o.SplitGap;
    }
    if (o.Given & kGarbage)
        Garbage = o.Garbage;
    if (o.Given & kWrongAddress)
        WrongAddress = o.WrongAddress;
    if (o.Given & kStopAfter)
        StopAfter = o.StopAfter;
    if (o.Given & kResumeAfter)
        ResumeAfter = o.ResumeAfter;
    Given |= o.Given;
}

bool TFaultSet::Any() const {
    return DelayMax > 0 || Drop > 0 || Crc > 0 || SplitAt > 0 || Garbage > 0 || WrongAddress > 0 ||
           StopAfter > 0;
}

TFaultSet TEmulatorFaults::For(int Address) const {
    TFaultSet s = Bus;
    const auto it = Devices.find(Address);
    if (it != Devices.end())
        s.Merge(it->second);
    return s;
}

bool TEmulatorFaults::Any() const {
    if (Bus.Any())
        return true;
    for (const auto& [address, set] : Devices)
        if (For(address).Any())
            return true;
    return false;
}

bool ParseEmulatorFaults(const QString& Text, TEmulatorFaults& Out, QString& Error, QString* BadPart) {
    const auto fail = [BadPart](const QString& Part) {
        if (BadPart)
            *BadPart = Part;
        return false;
    };
    TEmulatorFaults faults;
    if (Text.trimmed().isEmpty()) {
        Out = faults;
        return true;
    }
    for (const QString& part : Text.split(QLatin1Char(','))) {
        const QString item = part.trimmed();
        if (item.isEmpty()) {
            Error = QStringLiteral("an empty item in the faults \"%1\"").arg(Text);
            return fail(Text);
        }
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        if (eq >= 0 && item.left(eq).trimmed().toLower() == QLatin1String("device")) {
            const QStringList pieces = item.mid(eq + 1).split(QLatin1Char(':'));
            int address = 0;
            if (!ReadInt(pieces.front(), 1, 255, address)) {
                Error = QStringLiteral("bad fault \"%1\": the device's address is 1 to 255").arg(item);
                return fail(item);
            }
            if (pieces.size() < 2) {
                Error = QStringLiteral("bad fault \"%1\": give the device's faults as "
                                       "device=ADDRESS:KEY=VALUE[:KEY=VALUE...]")
                            .arg(item);
                return fail(item);
            }
            TFaultSet& set = faults.Devices[address];
            for (qsizetype i = 1; i < pieces.size(); ++i) {
                Error = ReadKey(pieces[i].trimmed(), set);
                if (!Error.isEmpty()) {
                    Error += QStringLiteral(" (in \"%1\")").arg(item);
                    return fail(pieces[i].trimmed());
                }
            }
            continue;
        }
        Error = ReadKey(item, faults.Bus);
        if (!Error.isEmpty())
            return fail(item);
    }
    Out = faults;
    Error.clear();
    return true;
}

QString EmulatorFaultsText(const TEmulatorFaults& Faults) {
    QStringList items = KeysText(Faults.Bus);
    for (const auto& [address, set] : Faults.Devices) {
        const QStringList keys = KeysText(set);
        if (!keys.isEmpty())
            items << QStringLiteral("device=%1:").arg(address) + keys.join(QLatin1Char(':'));
    }
    return items.join(QLatin1Char(','));
}

QStringList EmulatorFaultsSyntax() {
    return {
        QStringLiteral("ITEM[,ITEM...]; ITEM is KEY=VALUE, or device=ADDRESS:KEY=VALUE[:KEY=VALUE...]"),
        QStringLiteral("delay=MS or delay=MIN-MAX  answer after MS, or after MIN to MAX ms at random"),
        QStringLiteral("drop=P                     no answer, with probability P (0 to 1)"),
        QStringLiteral("crc=P                      the answer's CRC corrupted, with probability P"),
        QStringLiteral("split=N@MS                 the answer's first N bytes, a gap of MS, the rest"),
        QStringLiteral("garbage=N                  N random bytes (up to 64) before the answer"),
        QStringLiteral("wrong-address=P            the answer from another address, with probability P"),
        QStringLiteral("stop-after=N               a device answers N requests, then none ..."),
        QStringLiteral("resume-after=M             ... until M went unanswered (default: never again)"),
        QStringLiteral("Keys outside device= apply to every device; a device's own keys replace them."),
    };
}

quint64 TFaultRandom::Next() {
    quint64 z = (FState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double TFaultRandom::Unit() {
    return double(Next() >> 11) * 0x1.0p-53;
}

int TFaultRandom::Between(int Low, int High) {
    if (High <= Low)
        return Low;
    return Low + int(Next() % quint64(qint64(High) - Low + 1));
}

bool TFaultRandom::Chance(double P) {
    if (P <= 0)
        return false;
    if (P >= 1)
        return true;
    return Unit() < P;
}

quint64 NewFaultSeed() {
    // Kept below 2^53 so that it reads back exactly wherever it passes through a double.
    return QRandomGenerator::global()->generate64() & ((quint64(1) << 53) - 1);
}

void TFaultPlanner::Reset(const TEmulatorFaults& Faults, quint64 Seed) {
    FFaults = Faults;
    FSeed = Seed;
    FRandom = TFaultRandom(Seed);
    FRequests.clear();
}

TFaultPlan TFaultPlanner::Plan(int Address, const QByteArray& Answer) {
    TFaultPlan plan;
    plan.Bytes = Answer;
    const TFaultSet f = FFaults.For(Address);
    if (!f.Any())
        return plan;
    const quint64 n = ++FRequests[Address];
    if (f.StopAfter > 0 && n > quint64(f.StopAfter) &&
        (f.ResumeAfter == 0 || n <= quint64(f.StopAfter) + quint64(f.ResumeAfter))) {
        plan.Drop = plan.Stopped = true;
        return plan;
    }
    if (FRandom.Chance(f.Drop)) {
        plan.Drop = true;
        return plan;
    }
    plan.Delay = FRandom.Between(f.DelayMin, f.DelayMax);
    const int size = int(plan.Bytes.size());
    // Drawn in this order whatever comes of them; the answer is copied only when one of them hits.
    const bool wrongAddress = size >= 3 && FRandom.Chance(f.WrongAddress);
    const bool badCrc = size >= 1 && FRandom.Chance(f.Crc);
    if (wrongAddress || badCrc) {
        auto* data = reinterpret_cast<quint8*>(plan.Bytes.data());
        if (wrongAddress) {
            // The next address up, so never the one asked; the CRC fits the new address, as a real
            // device's answer would.
            data[0] = quint8(data[0] == 255 ? 1 : data[0] + 1);
            PutCrc16(data, size - 2);
        }
        if (badCrc)
            data[size - 1] ^= 0x5A;
    }
    if (f.Garbage > 0) {
        QByteArray garbage(f.Garbage, Qt::Uninitialized);
        for (char& c : garbage)
            c = char(FRandom.Next() >> 56);
        plan.Bytes.prepend(garbage);
    }
    if (f.SplitAt > 0 && f.SplitAt < plan.Bytes.size()) {
        plan.SplitAt = f.SplitAt;
        plan.SplitGap = f.SplitGap;
    }
    return plan;
}

void TEmulatorDeviceStats::AddTime(qint64 Us) {
    // To 10 us: finer than the 0.1 ms shown, and a long run keeps a few thousand entries at most.
    ++Times[Us - Us % 10];
    ++TimeCount;
}

qint64 TEmulatorDeviceStats::MinTime() const {
    return Times.empty() ? 0 : Times.begin()->first;
}

qint64 TEmulatorDeviceStats::MaxTime() const {
    return Times.empty() ? 0 : Times.rbegin()->first;
}

qint64 TEmulatorDeviceStats::MedianTime() const {
    if (Times.empty())
        return 0;
    // The lower middle of an even count: a time that was measured, not a mean of two.
    const quint64 middle = (TimeCount - 1) / 2;
    quint64 seen = 0;
    for (const auto& [time, count] : Times) {
        seen += count;
        if (seen > middle)
            return time;
    }
    return Times.rbegin()->first;
}

QString EmulatorTimeText(qint64 Us) {
    return QString::number(double(Us) / 1000.0, 'f', 1);
}

QString EmulatorRefusalText(TEmulatorRefusal Cause) {
    switch (Cause) {
    case TEmulatorRefusal::Crc:
        return QStringLiteral("bad CRC");
    case TEmulatorRefusal::Function:
        return QStringLiteral("unsupported function");
    case TEmulatorRefusal::Malformed:
        return QStringLiteral("malformed");
    case TEmulatorRefusal::Address:
        return QStringLiteral("unknown address");
    case TEmulatorRefusal::Register:
        return QStringLiteral("unknown register or value");
    }
    return {};
}

QString EmulatorRefusedText(const TEmulatorDeviceStats& s) {
    QString text = QString::number(s.Refused);
    QStringList causes;
    for (int i = 0; i < kEmulatorRefusalCount; ++i)
        if (s.RefusedBy[size_t(i)] > 0)
            causes << EmulatorRefusalText(TEmulatorRefusal(i)) + QLatin1Char(' ') +
                          QString::number(s.RefusedBy[size_t(i)]);
    if (!causes.isEmpty())
        text += QStringLiteral(" (%1)").arg(causes.join(QLatin1String(", ")));
    return text;
}

QString EmulatorStatsText(const TEmulatorDeviceStats& s) {
    QString text = QStringLiteral("received %1, answered %2, dropped %3, refused %4")
                       .arg(s.Received)
                       .arg(s.Answered)
                       .arg(s.Dropped)
                       .arg(EmulatorRefusedText(s));
    if (s.TimeCount > 0)
        text += QStringLiteral(", answer time min/median/max %1/%2/%3 ms")
                    .arg(EmulatorTimeText(s.MinTime()), EmulatorTimeText(s.MedianTime()),
                         EmulatorTimeText(s.MaxTime()));
    return text;
}

bool ParseFaultSeed(const QString& Text, quint64& Seed) {
    QString t = Text.trimmed();
    // Hexadecimal with "0x", as the command line takes its other numbers.
    int base = 10;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        t = t.mid(2);
        base = 16;
    }
    if (t.isEmpty() || t.size() > (base == 16 ? 16 : 20))
        return false;
    for (QChar c : t) {
        const ushort u = c.unicode();
        const bool digit = u >= '0' && u <= '9';
        const bool hex = base == 16 && ((u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F'));
        if (!digit && !hex)
            return false;
    }
    bool ok = false;
    const quint64 v = t.toULongLong(&ok, base);
    if (!ok)
        return false;
    Seed = v;
    return true;
}
