// restore and diff: a configuration document against a device, written or only compared.
#include "cli/CliCommands.h"
#include "cli/CliConfig.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "config/ConfigEngine.h"

#include <QFile>

namespace {

// The document of --in; nothing after telling Io why. Its warnings go to stderr.
std::optional<TConfigDocument> LoadDocument(const TCliOptions& o, TCliIo& Io) {
    QFile file(o.InFile);
    if (!file.open(QIODevice::ReadOnly)) {
        Io.Fail(QStringLiteral("cannot open %1: %2").arg(o.InFile, file.errorString()));
        return std::nullopt;
    }
    QString error;
    QStringList warnings;
    auto document = TConfigDocument::FromJson(file.readAll(), error, warnings);
    if (!document) {
        Io.Fail(QStringLiteral("%1: %2").arg(o.InFile, error));
        return std::nullopt;
    }
    for (const QString& w : warnings)
        Io.Err() << kProgramName << ": warning: " << o.InFile << ": " << w << Qt::endl;
    return document;
}

int Run(const TCliOptions& o, TCliIo& Io, bool Diff) {
    const auto document = LoadDocument(o, Io);
    if (!document)
        return kExitFailed;
    TCliConfigDevice device;
    int status = kExitOk;
    if (!OpenConfigDevice(o, Io, device, status))
        return status;
    // Another type is refused before anything else is asked of the device.
    const QString mismatch = TConfigEngine::TypeMismatch(*document, device.Type);
    if (!mismatch.isEmpty()) {
        Io.Fail(mismatch, {{QStringLiteral("address"), o.Address}});
        return kExitFailed;
    }
    TCliProgress progress(o, Io);
    device.Engine->OnProgress = [&](int Done, int Total, const QString& What) {
        progress.Show(Done, Total, What);
    };
    TRestoreOptions options;
    options.DryRun = Diff || o.DryRun;
    options.Flash = o.Flash;
    options.WithBusParams = o.WithBusParams && !Diff;
    const TRestoreReport report = device.Engine->Restore(*document, options);
    progress.Clear();
    for (const QString& w : report.Warnings)
        Io.Err() << kProgramName << ": warning: " << w << Qt::endl;

    QTextStream& out = Io.Out();
    if (options.DryRun) {
        if (!report.Error.isEmpty()) {
            Io.Fail(report.Error);
            return kExitFailed;
        }
        for (const TConfigChange& c : report.Changes)
            out << c.Line() << "\n";
        for (const TConfigChange& c : report.Informational)
            out << c.Line() << " (the device's own, not written)\n";
        if (Diff)
            out << (report.Equal() ? QStringLiteral("equal")
                                   : QStringLiteral("%1 different").arg(report.Changes.size()))
                << Qt::endl;
        else
            out << QStringLiteral("%1 to write; dry run, nothing written").arg(report.Changes.size())
                << Qt::endl;
        return Diff && !report.Equal() ? kExitFailed : kExitOk;
    }

    for (int i = 0; i < report.Written; ++i)
        out << report.Changes[size_t(i)].Line() << "\n";
    if (!report.Ok) {
        out.flush();
        Io.Fail(report.Error);
        if (report.Written > 0 || !report.Changes.empty()) {
            Io.Err() << kProgramName << ": written and verified: " << report.Written << " of "
                     << report.Changes.size() << Qt::endl;
            for (size_t i = size_t(report.Written); i < report.Changes.size(); ++i)
                Io.Err() << kProgramName << ": "
                         << (i == size_t(report.Written) && !report.FailedChange.isEmpty() ? "failed: "
                                                                                           : "not written: ")
                         << report.Changes[i].Line() << Qt::endl;
        }
        if (o.Flash && !report.Flashed)
            Io.Err() << kProgramName << ": not saved to flash" << Qt::endl;
        return kExitFailed;
    }
    if (report.Changes.empty())
        out << "nothing to write: the device has the file's settings" << Qt::endl;
    else
        out << report.Written << " written and verified" << (report.Flashed ? ", saved to flash" : "")
            << Qt::endl;
    if (report.BusParamsWritten)
        out << "bus parameters written: the device now answers with them" << Qt::endl;
    return kExitOk;
}

std::vector<TCliOption> Options(bool Diff) {
    std::vector<TCliOption> options = {AddressOption(), InFileOption()};
    if (!Diff) {
        options.push_back({QStringLiteral("dry-run"),
                           {},
                           QStringLiteral("print the changes and write nothing"),
                           false,
                           SetFlag(&TCliOptions::DryRun)});
        options.push_back({QStringLiteral("flash"),
                           {},
                           QStringLiteral("save to flash at the end, only when every write verified"),
                           false,
                           SetFlag(&TCliOptions::Flash)});
        options.push_back({QStringLiteral("with-bus-params"),
                           {},
                           QStringLiteral("write the file's bus parameters too, last; the device then\n"
                                          "answers at its new address, speed and protocol"),
                           false,
                           SetFlag(&TCliOptions::WithBusParams)});
    }
    options.push_back(LogOption());
    for (TCliOption& option : LineOptions())
        options.push_back(std::move(option));
    return options;
}

TCliCommand MakeRestoreCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("restore");
    c.Synopsis =
        QStringLiteral("--port COMn|PATH --address A --in FILE [--dry-run] [--flash] [--with-bus-params] "
                       "[options]");
    c.Summary = QStringLiteral("put a saved configuration on a device of the same type");
    c.Description = QStringLiteral(
        "Refuses a file for another type code (status 1). Reads the device's present settings,\n"
        "writes only those that differ, reads each one back and prints a line per change\n"
        "(\"channel 2 range: 4-20 mA -> 0-10 V\"). A failure stops the restore, says what was\n"
        "written and what not, and exits with status 1. The maker's calibration (range list,\n"
        "accuracy class) and read-only values are never written.");
    c.Options = Options(false);
    c.Check = [](TCliOptions& o) -> QString {
        if (o.DryRun && o.Flash)
            return QStringLiteral("--dry-run writes nothing, so it cannot be given with --flash");
        return CheckLine(o.Line);
    };
    c.Run = [](const TCliOptions& o, TCliIo& Io) { return Run(o, Io, false); };
    return c;
}

TCliCommand MakeDiffCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("diff");
    c.Synopsis = QStringLiteral("--port COMn|PATH --address A --in FILE [options]");
    c.Summary = QStringLiteral("compare a device with a saved configuration");
    c.Description =
        QStringLiteral("The comparison of restore without writing: a line per setting that differs, then\n"
                       "\"equal\" or the number of differences. Status 0 when equal, 1 when different.");
    c.Options = Options(true);
    c.Check = [](TCliOptions& o) { return CheckLine(o.Line); };
    c.Run = [](const TCliOptions& o, TCliIo& Io) { return Run(o, Io, true); };
    return c;
}

} // namespace

const TCliCommand& RestoreCommand() {
    static const TCliCommand command = MakeRestoreCommand();
    return command;
}

const TCliCommand& DiffCommand() {
    static const TCliCommand command = MakeDiffCommand();
    return command;
}
