#include "cli/CliCommands.h"

#include "cli/CliOutput.h"
#include "localization/ChannelLanguage.h"

const std::vector<const TCliCommand*>& CliCommands() {
    static const std::vector<const TCliCommand*> commands = {
        &ReadCommand(),      &WriteCommand(),   &InfoCommand(),     &SettingsCommand(),
        &ScanCommand(),      &EmulateCommand(), &RecordCommand(),   &ExportCommand(),
        &IoCommand(),        &MonitorCommand(), &ProfilesCommand(), &FilesCommand(),
        &ConverterCommand(), &BackupCommand(),  &RestoreCommand(),  &DiffCommand()};
    return commands;
}

namespace {

const TCliCommand* FindCommand(const QString& Name) {
    for (const TCliCommand* c : CliCommands())
        if (c->Name == Name)
            return c;
    return nullptr;
}

} // namespace

TCliParseResult ParseCliArguments(const QStringList& Args) {
    TCliParseResult r;
    if (Args.isEmpty()) {
        r.Error = QStringLiteral("no command given");
        return r;
    }
    const QString& first = Args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        r.Options.Help = true;
        r.Ok = true;
        return r;
    }
    if (first == QLatin1String("--version")) {
        r.Options.Version = true;
        r.Ok = true;
        return r;
    }
    const TCliCommand* command = FindCommand(first);
    if (!command) {
        r.Error = QStringLiteral("unknown command \"%1\"").arg(first);
        return r;
    }
    return ParseCommandArguments(*command, Args.mid(1));
}

QString CliUsage() {
    QString text = QStringLiteral("usage: dovuvavarovod-cli COMMAND [options]\n"
                                  "       dovuvavarovod-cli COMMAND --help\n"
                                  "       dovuvavarovod-cli --version\n\n"
                                  "commands:\n");
    for (const TCliCommand* c : CliCommands())
        text += QStringLiteral("  %1%2\n").arg(c->Name.leftJustified(10, QLatin1Char(' ')), c->Summary);
    text +=
        QStringLiteral("\nThe devices are reached over a serial port (--port COMn or a device path), a UDP\n"
                       "gateway (--udp HOST:PORT) or a TCP serial device server or Modbus TCP gateway\n"
                       "(--tcp HOST:PORT [--mbap]). \"dovuvavarovod-cli COMMAND --help\" lists a command's "
                       "options.\n"
                       "Exit status: 0 done, 1 no answer or port failure, 2 bad arguments.\n");
    return text;
}

int RunCli(const QStringList& Args, QTextStream& Out, QTextStream& Err) {
    // The device model reports its failures in the language of the command line's own messages.
    ApplyChannelTexts(liEnglish);
    TCliParseResult parsed = ParseCliArguments(Args);
    const TCliCommand* command = Args.isEmpty() ? nullptr : FindCommand(Args.first());
    if (!parsed.Ok) {
        // One line of why and one of where to read more: the whole usage would bury the reason.
        Err << kProgramName << ": " << parsed.Error << "\n"
            << "Try '" << kProgramName << (command ? QLatin1Char(' ') + command->Name : QString())
            << " --help'." << Qt::endl;
        return kExitUsage;
    }
    const TCliOptions& o = parsed.Options;
    if (o.Version) {
        Out << kProgramName << " " << DVV_VERSION << Qt::endl;
        return kExitOk;
    }
    if (o.Help) {
        Out << (command ? CommandHelp(*command) : CliUsage()) << Qt::flush;
        return kExitOk;
    }
    TCliIo io(Out, Err);
    io.SetJson(o.Json);
    return command->Run(o, io);
}
