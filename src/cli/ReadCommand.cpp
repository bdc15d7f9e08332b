// read: one or several properties of one object, once or every --poll milliseconds.
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "cli/CliSignals.h"
#include "protocol/NerixModule.h"

#include <QElapsedTimer>
#include <QJsonValue>
#include <algorithm>
#include <cmath>

namespace {

TCliOption PropertyListOption() {
    return {QStringLiteral("property"), QStringLiteral("P"),
            QStringLiteral("the property 0..65535, or a list and ranges such as 0,2,5 or 0-3\n"
                           "(at most 256); each is printed as \"P: value\""),
            true, [](TCliOptions& o, const QString& v) -> QString {
                QString error;
                const auto list = ParsePropertyList(v, error);
                if (!list)
                    return error;
                o.Properties = *list;
                return {};
            }};
}

QString CheckRead(TCliOptions& o) {
    if (const QString error = CheckLine(o.Line); !error.isEmpty())
        return error;
    if (o.Count > 0 && o.PollMs == 0)
        return QStringLiteral("--count goes with --poll");
    return {};
}

// One property's value, as text and as JSON.
struct TValue {
    quint16 Property = 0;
    QString Text;
    QJsonValue Json;
};

// Reads every property of the command line; false at the first that gets no answer.
bool ReadValues(TNerixModule& Module, const TCliOptions& o, std::vector<TValue>& Values) {
    Values.clear();
    for (const quint16 property : o.Properties) {
        TValue v;
        v.Property = property;
        if (o.Float) {
            float value = 0.0f;
            if (!Module.ReadFloat(property, quint8(o.Object), value))
                return false;
            v.Text = FloatText(value);
            v.Json = FloatJson(value);
        } else {
            quint32 value = 0;
            if (!Module.ReadProperty(property, quint8(o.Object), value))
                return false;
            v.Text = QString::number(qint32(value));
            v.Json = qint32(value);
        }
        Values.push_back(v);
    }
    return true;
}

// A single property is its bare value, several are "P: value" each.
QString ValuesText(const std::vector<TValue>& Values, const QString& Separator) {
    if (Values.size() == 1)
        return Values.front().Text;
    QStringList parts;
    for (const TValue& v : Values)
        parts << QStringLiteral("%1: %2").arg(v.Property).arg(v.Text);
    return parts.join(Separator);
}

void AddValuesJson(QJsonObject& Json, const std::vector<TValue>& Values) {
    if (Values.size() == 1) {
        Json.insert(QStringLiteral("property"), Values.front().Property);
        Json.insert(QStringLiteral("value"), Values.front().Json);
        return;
    }
    QJsonObject all;
    for (const TValue& v : Values)
        all.insert(QString::number(v.Property), v.Json);
    Json.insert(QStringLiteral("values"), all);
}

QJsonObject NoAnswerJson(const TCliOptions& o) {
    QJsonObject details = DeviceJson(o);
    if (o.Properties.size() == 1)
        details.insert(QStringLiteral("property"), o.Properties.front());
    return details;
}

int ReadOnce(TNerixModule& Module, const TCliOptions& o, TCliIo& Io) {
    std::vector<TValue> values;
    if (!ReadValues(Module, o, values)) {
        Io.Fail(NoAnswerText(o.Address, Module.AP()), NoAnswerJson(o));
        return kExitFailed;
    }
    if (Io.Json()) {
        QJsonObject json = DeviceJson(o);
        AddValuesJson(json, values);
        Io.PrintJson(json);
    } else {
        Io.Out() << ValuesText(values, QStringLiteral("\n")) << Qt::endl;
    }
    return kExitOk;
}

// What --poll sums up at its end, as ping does.
class TPollSummary {
public:
    void Add(bool Ok, double Ms) {
        ++FReads;
        if (Ok)
            FTimes.push_back(Ms);
        else
            ++FErrors;
    }
    bool AnyAnswer() const { return !FTimes.empty(); }

    void Print(TCliIo& Io) {
        std::sort(FTimes.begin(), FTimes.end());
        const size_t n = FTimes.size();
        const double median = n == 0 ? 0 : n % 2 ? FTimes[n / 2] : (FTimes[n / 2 - 1] + FTimes[n / 2]) / 2;
        if (Io.Json()) {
            QJsonObject json{{QStringLiteral("reads"), FReads}, {QStringLiteral("errors"), FErrors}};
            if (n > 0) {
                json.insert(QStringLiteral("minMs"), Rounded(FTimes.front()));
                json.insert(QStringLiteral("medianMs"), Rounded(median));
                json.insert(QStringLiteral("maxMs"), Rounded(FTimes.back()));
            }
            Io.PrintJson(json);
            return;
        }
        QTextStream& out = Io.Out();
        out << FReads << (FReads == 1 ? " read, " : " reads, ") << FErrors
            << (FErrors == 1 ? " error" : " errors");
        if (n > 0)
            out << ", response time min/median/max " << Ms(FTimes.front()) << "/" << Ms(median) << "/"
                << Ms(FTimes.back()) << " ms";
        out << Qt::endl;
    }

private:
    static double Rounded(double Ms) { return std::round(Ms * 10) / 10; }
    static QString Ms(double Ms) { return QString::number(Rounded(Ms), 'f', 1); }

    int FReads = 0;
    int FErrors = 0;
    std::vector<double> FTimes;
};

// Reads every --poll ms, counted from the start of one read to the next, until --count reads or a
// stop signal; a read without answer counts as an error and the polling goes on.
int Poll(TNerixModule& Module, const TCliOptions& o, TCliIo& Io) {
    TCliStopSignals stop;
    TPollSummary summary;
    QElapsedTimer clock;
    clock.start();
    std::vector<TValue> values;
    for (int read = 0; (o.Count == 0 || read < o.Count) && !stop.Stopped(); ++read) {
        const qint64 due = qint64(read) * o.PollMs;
        if (const qint64 wait = due - clock.elapsed(); wait > 0 && stop.WaitForStop(int(wait)))
            break;
        const QString stamp = TimeStamp();
        const qint64 started = clock.nsecsElapsed();
        const bool ok = ReadValues(Module, o, values);
        const double ms = double(clock.nsecsElapsed() - started) / 1e6;
        summary.Add(ok, ms);
        if (!ok) {
            QJsonObject details = NoAnswerJson(o);
            details.insert(QStringLiteral("time"), stamp);
            Io.Fail(QStringLiteral("%1 at %2").arg(NoAnswerText(o.Address, Module.AP()), stamp), details);
        } else if (Io.Json()) {
            QJsonObject json = DeviceJson(o);
            json.insert(QStringLiteral("time"), stamp);
            AddValuesJson(json, values);
            json.insert(QStringLiteral("responseMs"), std::round(ms * 10) / 10);
            Io.PrintJson(json);
        } else {
            Io.Out() << stamp << "  " << ValuesText(values, QStringLiteral("  ")) << Qt::endl;
        }
    }
    summary.Print(Io);
    return summary.AnyAnswer() ? kExitOk : kExitFailed;
}

int RunRead(const TCliOptions& o, TCliIo& Io) {
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
    return o.PollMs > 0 ? Poll(module, o, Io) : ReadOnce(module, o, Io);
}

TCliCommand MakeReadCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("read");
    c.Synopsis = QStringLiteral("--port COMn|PATH --address A --object O --property P [options]");
    c.Summary = QStringLiteral("read one or several properties of one object, once or repeatedly");
    c.Description = QStringLiteral(
        "Reads the properties of an object of the device at address A and prints each value: signed\n"
        "decimal, or the number with --float. With --poll the read repeats every MS ms, each value\n"
        "with a time stamp, until --count reads or Ctrl+C; then a summary of reads, errors and\n"
        "response times. Polling exits with 1 only when no read was answered.");
    c.Options = {AddressOption(),
                 ObjectOption(),
                 PropertyListOption(),
                 FloatOption(),
                 OrderOption(),
                 {QStringLiteral("poll"), QStringLiteral("MS"),
                  QStringLiteral("repeat the read every MS ms, 1..3600000"), false,
                  IntegerIn(&TCliOptions::PollMs, "--poll", 1, 3600000)},
                 {QStringLiteral("count"), QStringLiteral("N"),
                  QStringLiteral("with --poll: stop after N reads (default: until Ctrl+C)"), false,
                  IntegerIn(&TCliOptions::Count, "--count", 1, 1000000000)},
                 JsonOption(QStringLiteral("print one JSON object per read; errors as JSON on stderr")),
                 LogOption()};
    for (TCliOption& option : LineOptions())
        c.Options.push_back(std::move(option));
    c.Check = CheckRead;
    c.Run = RunRead;
    return c;
}

} // namespace

const TCliCommand& ReadCommand() {
    static const TCliCommand command = MakeReadCommand();
    return command;
}
