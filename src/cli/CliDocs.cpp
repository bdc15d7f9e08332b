#include "cli/CliDocs.h"

#include "cli/CliCommands.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>

namespace {

// Text for man(7): backslashes doubled, hyphens as hyphen-minus (so options can be copied and
// searched), and a line never starting with a control character.
QString Roff(QString Text) {
    Text.replace(QLatin1Char('\\'), QStringLiteral("\\e"));
    Text.replace(QLatin1Char('-'), QStringLiteral("\\-"));
    Text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (Text.startsWith(QLatin1Char('.')) || Text.startsWith(QLatin1Char('\'')))
        Text.prepend(QStringLiteral("\\&"));
    return Text;
}

// The words an option's value is one of, when its help starts with them ("none|odd|even ...").
QStringList ValueWords(const TCliOption& Option) {
    static const QRegularExpression words(QStringLiteral("^([A-Za-z0-9.]+(?:\\|[A-Za-z0-9.]+)+)(?:\\s|$)"));
    const auto m = words.match(Option.Help);
    return m.hasMatch() ? m.captured(1).split(QLatin1Char('|')) : QStringList();
}

bool TakesPath(const TCliOption& Option) {
    return Option.Arg.contains(QLatin1String("PATH")) || Option.Arg.contains(QLatin1String("FILE"));
}

} // namespace

QString CliManualPage() {
    QString t;
    t += QStringLiteral(".TH DOVUVAVAROVOD\\-CLI 1 \"\" \"dovuvavarovod %1\" \"User Commands\"\n")
             .arg(DVV_VERSION);
    // Options and synopses are copied by hand: never hyphenate or stretch them.
    t += QStringLiteral(".nh\n.ad l\n");
    t += QStringLiteral(
        ".SH NAME\n"
        "dovuvavarovod\\-cli \\- read, write, scan and emulate KVD I/O modules on an RS\\-485 bus\n"
        ".SH SYNOPSIS\n"
        ".B dovuvavarovod\\-cli\n.I COMMAND\n[\\fIoptions\\fR]\n.br\n"
        ".B dovuvavarovod\\-cli\n.I COMMAND\n.B \\-\\-help\n.br\n"
        ".B dovuvavarovod\\-cli \\-\\-version\n"
        ".SH DESCRIPTION\n"
        "The command\\-line companion of \\fBdovuvavarovod\\fR(1). It reaches the devices over a "
        "serial port (\\fB\\-\\-port\\fR COMn or a device path), a UDP gateway "
        "(\\fB\\-\\-udp\\fR HOST:PORT) or a TCP serial device server or Modbus TCP gateway "
        "(\\fB\\-\\-tcp\\fR HOST:PORT, with \\fB\\-\\-mbap\\fR for Modbus TCP), and can "
        "itself answer on a serial port or a TCP port as a bus of emulated devices. Numbers may be given as "
        "0x hexadecimal.\n"
        ".SH COMMANDS\n");
    for (const TCliCommand* c : CliCommands()) {
        t += QStringLiteral(".SS %1\n").arg(c->Name);
        t += QStringLiteral(".B dovuvavarovod\\-cli %1\n%2\n.PP\n%3\n")
                 .arg(c->Name, Roff(c->Synopsis), Roff(c->Description));
        for (const TCliOption& o : c->Options) {
            t += QStringLiteral(".TP\n.B \\-\\-%1").arg(Roff(o.Name));
            if (!o.Arg.isEmpty())
                t += QStringLiteral(" \\fI%1\\fR").arg(Roff(o.Arg));
            t += QLatin1Char('\n') + Roff(o.Help) + (o.Required ? QStringLiteral(" (required)") : QString()) +
                 QLatin1Char('\n');
        }
    }
    t += QStringLiteral(".SH EXIT STATUS\n"
                        ".TP\n.B 0\ndone\n"
                        ".TP\n.B 1\nno answer, or a port that cannot be used\n"
                        ".TP\n.B 2\nbad arguments\n"
                        ".SH FILES\n"
                        "COMn names are resolved through the ports folder of the program's configuration, "
                        "then the fixed table: COM1 to COM16 are /dev/ttyS0 to /dev/ttyS15, COM17 to COM32 "
                        "/dev/ttyUSB0 to /dev/ttyUSB15, COM33 to COM48 /dev/ttyACM0 to /dev/ttyACM15, COM49 "
                        "to COM64 /dev/ttyAMA0 to /dev/ttyAMA15. Serial ports need membership of the "
                        "\\fBdialout\\fR group.\n"
                        ".SH SEE ALSO\n"
                        "\\fBdovuvavarovod\\fR(1)\n");
    return t;
}

QString CliBashCompletion() {
    QStringList commands;
    QMap<QString, QStringList> valueWords; // option -> the words its value is one of
    QSet<QString> pathOptions, valueOptions;
    QString perCommand;
    for (const TCliCommand* c : CliCommands()) {
        commands << c->Name;
        QStringList options;
        for (const TCliOption& o : c->Options) {
            options << QStringLiteral("--") + o.Name;
            if (o.Arg.isEmpty())
                continue;
            valueOptions << o.Name;
            if (TakesPath(o))
                pathOptions << o.Name;
            for (const QString& w : ValueWords(o))
                if (!valueWords[o.Name].contains(w))
                    valueWords[o.Name] << w;
        }
        options << QStringLiteral("--help") << c->OperandWords;
        perCommand +=
            QStringLiteral("        %1) opts=\"%2\" ;;\n").arg(c->Name, options.join(QLatin1Char(' ')));
    }
    QString values;
    for (auto it = valueWords.cbegin(); it != valueWords.cend(); ++it)
        values += QStringLiteral("        --%1) COMPREPLY=($(compgen -W \"%2\" -- \"$cur\")); return ;;\n")
                      .arg(it.key(), it.value().join(QLatin1Char(' ')));
    QStringList paths(pathOptions.cbegin(), pathOptions.cend()), others;
    paths.sort();
    for (const QString& name : std::as_const(valueOptions))
        if (!valueWords.contains(name) && !pathOptions.contains(name))
            others << QStringLiteral("--") + name;
    others.sort();
    for (QString& p : paths)
        p.prepend(QStringLiteral("--"));

    QString t =
        QStringLiteral("# bash completion for dovuvavarovod-cli -*- shell-script -*-\n"
                       "# Written from the program's own option tables.\n\n"
                       "_dovuvavarovod_cli() {\n"
                       "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} opts\n"
                       "    COMPREPLY=()\n"
                       "    if [[ $COMP_CWORD -eq 1 ]]; then\n"
                       "        COMPREPLY=($(compgen -W \"%1 --help --version\" -- \"$cur\"))\n"
                       "        return\n"
                       "    fi\n"
                       "    case $prev in\n")
            .arg(commands.join(QLatin1Char(' ')));
    t += values;
    if (!paths.isEmpty())
        t += QStringLiteral("        %1) compopt -o filenames 2>/dev/null; "
                            "COMPREPLY=($(compgen -f -- \"${cur:-/dev/tty}\")); return ;;\n")
                 .arg(paths.join(QLatin1Char('|')));
    if (!others.isEmpty())
        t += QStringLiteral("        %1) return ;;\n").arg(others.join(QLatin1Char('|')));
    t += QStringLiteral("    esac\n"
                        "    case ${COMP_WORDS[1]} in\n");
    t += perCommand;
    t += QStringLiteral("        *) return ;;\n"
                        "    esac\n"
                        "    COMPREPLY=($(compgen -W \"$opts\" -- \"$cur\"))\n"
                        "}\n"
                        "complete -F _dovuvavarovod_cli dovuvavarovod-cli\n");
    return t;
}
