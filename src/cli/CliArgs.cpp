#include "cli/CliArgs.h"

#include <QLocale>
#include <QSet>
#include <cmath>
#include <limits>

namespace {

const TCliOption* FindOption(const TCliCommand& Command, const QString& Name) {
    for (const TCliOption& option : Command.Options)
        if (option.Name == Name)
            return &option;
    return nullptr;
}

// "--name VALUE" or "--name=VALUE" split into the name and the value; false for an argument that is
// no option at all.
struct TArgument {
    QString Name;
    QString Value;
    bool InlineValue = false;
};

std::optional<TArgument> SplitArgument(const QString& Arg) {
    if (!Arg.startsWith(QLatin1String("--")))
        return std::nullopt;
    TArgument a;
    a.Name = Arg.mid(2);
    if (const qsizetype eq = a.Name.indexOf(QLatin1Char('=')); eq >= 0) {
        a.Value = a.Name.mid(eq + 1);
        a.Name = a.Name.left(eq);
        a.InlineValue = true;
    }
    return a;
}

QString CheckRequired(const TCliCommand& Command, const QSet<QString>& Given) {
    for (const TCliOption& option : Command.Options)
        if (option.Required && !Given.contains(option.Name))
            return QStringLiteral("--%1 is required").arg(option.Name);
    return {};
}

} // namespace

TCliParseResult ParseCommandArguments(const TCliCommand& Command, const QStringList& Args) {
    TCliParseResult r;
    TCliOptions& o = r.Options;
    o.Command = Command.Name;
    // --help wins over everything else on the line, so a half-typed command can still ask.
    if (Args.contains(QLatin1String("--help")) || Args.contains(QLatin1String("-h"))) {
        o.Help = true;
        r.Ok = true;
        return r;
    }
    QSet<QString> given;
    for (int i = 0; i < Args.size(); ++i) {
        auto arg = SplitArgument(Args[i]);
        if (!arg && Command.Operand && (Command.RepeatOperand || !given.contains(QString()))) {
            if (const QString error = Command.Operand(o, Args[i]); !error.isEmpty()) {
                r.Error = error;
                return r;
            }
            given.insert(QString());
            continue;
        }
        if (!arg) {
            r.Error = QStringLiteral("unexpected argument \"%1\"").arg(Args[i]);
            return r;
        }
        const TCliOption* option = FindOption(Command, arg->Name);
        if (!option) {
            r.Error = QStringLiteral("unknown option --%1 for %2").arg(arg->Name, Command.Name);
            return r;
        }
        const bool takesValue = !option->Arg.isEmpty();
        if (takesValue && !arg->InlineValue) {
            if (i + 1 >= Args.size()) {
                r.Error = QStringLiteral("--%1 needs a value").arg(arg->Name);
                return r;
            }
            arg->Value = Args[++i];
        } else if (!takesValue && arg->InlineValue) {
            r.Error = QStringLiteral("--%1 takes no value").arg(arg->Name);
            return r;
        }
        if (const QString error = option->Apply(o, arg->Value); !error.isEmpty()) {
            r.Error = error;
            return r;
        }
        given.insert(option->Name);
    }
    r.Error = CheckRequired(Command, given);
    if (r.Error.isEmpty() && Command.Operand && !given.contains(QString()))
        r.Error = QStringLiteral("%1 is required").arg(Command.OperandName);
    if (r.Error.isEmpty() && Command.Check)
        r.Error = Command.Check(o);
    r.Ok = r.Error.isEmpty();
    return r;
}

QString CommandHelp(const TCliCommand& Command) {
    QString text = QStringLiteral("usage: dovuvavarovod-cli %1 %2\n\n%3\n\noptions:\n")
                       .arg(Command.Name, Command.Synopsis, Command.Description);
    constexpr int kColumn = 24;
    auto addRow = [&](const QString& left, const QString& help) {
        const QStringList lines = help.split(QLatin1Char('\n'));
        text += QStringLiteral("  ") + left;
        if (left.size() + 2 >= kColumn)
            text += QLatin1Char('\n') + QString(kColumn, QLatin1Char(' '));
        else
            text += QString(kColumn - 2 - left.size(), QLatin1Char(' '));
        text += lines.first() + QLatin1Char('\n');
        for (qsizetype i = 1; i < lines.size(); ++i)
            text += QString(kColumn, QLatin1Char(' ')) + lines[i] + QLatin1Char('\n');
    };
    for (const TCliOption& option : Command.Options) {
        QString left = QStringLiteral("--") + option.Name;
        if (!option.Arg.isEmpty())
            left += QLatin1Char(' ') + option.Arg;
        addRow(left, option.Required ? option.Help + QStringLiteral(" (required)") : option.Help);
    }
    addRow(QStringLiteral("--help"), QStringLiteral("this text"));
    text += QStringLiteral("\nNumbers may be given as 0x hexadecimal.\n"
                           "Exit status: 0 done, 1 no answer or port failure, 2 bad arguments.\n");
    return text;
}

TCliApply SetFlag(bool TCliOptions::*Field) {
    return [=](TCliOptions& o, const QString&) -> QString {
        o.*Field = true;
        return {};
    };
}

QString ParseIntegerIn(const QString& Text, const char* Name, qint64 Lo, qint64 Hi, int& Value) {
    const auto v = ParseInteger(Text);
    if (!v || *v < Lo || *v > Hi)
        return QStringLiteral("%1 must be a number from %2 to %3, not \"%4\"")
            .arg(QLatin1String(Name))
            .arg(Lo)
            .arg(Hi)
            .arg(Text);
    Value = int(*v);
    return {};
}

TCliApply IntegerIn(int TCliOptions::*Field, const char* Name, qint64 Lo, qint64 Hi) {
    return [=](TCliOptions& o, const QString& text) { return ParseIntegerIn(text, Name, Lo, Hi, o.*Field); };
}

TCliOption AddressOption() {
    return {QStringLiteral("address"), QStringLiteral("A"), QStringLiteral("the device's address, 0..255"),
            true, IntegerIn(&TCliOptions::Address, "--address", 0, 255)};
}

TCliOption JsonOption(const QString& Help) {
    return {QStringLiteral("json"), {}, Help, false, SetFlag(&TCliOptions::Json)};
}

TCliOption LogOption() {
    return {QStringLiteral("log"),
            {},
            QStringLiteral("print every request and answer in hexadecimal with a time stamp\n"
                           "on stderr (\"TX\" sent, \"RX\" received), so stdout stays parseable"),
            false,
            SetFlag(&TCliOptions::Log)};
}

std::optional<qint64> ParseInteger(const QString& Text) {
    bool ok = false;
    qint64 v = 0;
    if (Text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = Text.mid(2).toLongLong(&ok, 16);
    else
        v = Text.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<quint32> ParseValue32(const QString& Text) {
    const auto v = ParseInteger(Text.trimmed());
    if (!v || *v < std::numeric_limits<qint32>::min() || *v > qint64(std::numeric_limits<quint32>::max()))
        return std::nullopt;
    return quint32(*v);
}

std::optional<float> ParseFloatText(const QString& Text) {
    bool ok = false;
    const double d = QLocale::c().toDouble(Text.trimmed(), &ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(d);
}

QString FloatText(float Value) {
    if (std::isnan(Value))
        return QStringLiteral("nan");
    if (std::isinf(Value))
        return Value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    const QLocale c = QLocale::c();
    for (int digits = 6; digits < 9; ++digits) {
        const QString t = c.toString(double(Value), 'g', digits);
        if (float(c.toDouble(t)) == Value)
            return t;
    }
    return c.toString(double(Value), 'g', 9);
}

QJsonValue FloatJson(float Value) {
    if (!std::isfinite(Value))
        return QJsonValue();
    return QLocale::c().toDouble(FloatText(Value));
}

std::optional<std::vector<quint16>> ParsePropertyList(const QString& Text, QString& Error) {
    auto property = [](const QString& t) -> std::optional<quint16> {
        const auto v = ParseInteger(t.trimmed());
        if (!v || *v < 0 || *v > 65535)
            return std::nullopt;
        return quint16(*v);
    };
    std::vector<quint16> list;
    QSet<quint16> seen;
    for (const QString& item : Text.split(QLatin1Char(','))) {
        // A range's dash comes after its first digit, so "-1" is no range but a bad number.
        const qsizetype dash = item.indexOf(QLatin1Char('-'), 1);
        const auto first = property(dash < 0 ? item : item.left(dash));
        const auto last = dash < 0 ? first : property(item.mid(dash + 1));
        if (!first || !last) {
            Error = QStringLiteral("--property takes numbers 0..65535 and ranges such as 0-3, separated "
                                   "by commas, not \"%1\"")
                        .arg(Text);
            return std::nullopt;
        }
        if (*last < *first) {
            Error = QStringLiteral("--property range %1 ends before it starts").arg(item.trimmed());
            return std::nullopt;
        }
        if (int(list.size()) + (*last - *first) + 1 > kMaxProperties) {
            Error = QStringLiteral("--property names more than %1 properties").arg(kMaxProperties);
            return std::nullopt;
        }
        for (int p = *first; p <= *last; ++p) {
            if (seen.contains(quint16(p))) {
                Error = QStringLiteral("--property names %1 twice").arg(p);
                return std::nullopt;
            }
            seen.insert(quint16(p));
            list.push_back(quint16(p));
        }
    }
    return list;
}
