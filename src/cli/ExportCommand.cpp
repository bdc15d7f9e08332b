// export: an ADC data file as text (the oscilloscope's export) or as CSV.
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "measurement/AdfFile.h"

#include <QFileInfo>

namespace {

QString CheckExport(TCliOptions& o) {
    if (o.ExportCsv == o.ExportTxt)
        return QStringLiteral("give exactly one of --csv and --txt");
    if (o.OutFile.isEmpty()) {
        const QFileInfo in(o.AdfFile);
        o.OutFile = in.path() + QLatin1Char('/') + in.completeBaseName() +
                    (o.ExportCsv ? QStringLiteral(".csv") : QStringLiteral(".txt"));
    }
    return {};
}

int RunExport(const TCliOptions& o, TCliIo& Io) {
    TAdfReader reader;
    switch (reader.Open(o.AdfFile)) {
    case TAdfLoadResult::Ok:
        break;
    case TAdfLoadResult::NotAdf:
        Io.Fail(QStringLiteral("%1 is not an ADC data file").arg(o.AdfFile));
        return kExitFailed;
    default:
        Io.Fail(QStringLiteral("%1: %2").arg(
            o.AdfFile, reader.ErrorText().replace(QLatin1Char('\n'), QStringLiteral(": "))));
        return kExitFailed;
    }
    const qint64 sweeps = reader.SampleCount() / qint64(reader.Header().Channels.size());
    reader.Close();
    QString error;
    const bool ok =
        o.ExportCsv ? ExportAdfCsv(o.AdfFile, o.OutFile, error) : ExportAdfText(o.AdfFile, o.OutFile, error);
    if (!ok) {
        Io.Fail(QStringLiteral("cannot write %1: %2").arg(o.OutFile, error));
        return kExitFailed;
    }
    if (Io.Json())
        Io.PrintJson({{QStringLiteral("file"), o.OutFile}, {QStringLiteral("sweeps"), sweeps}});
    else
        Io.Out() << "wrote " << sweeps << " sweeps to " << o.OutFile << Qt::endl;
    return kExitOk;
}

TCliCommand MakeExportCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("export");
    c.Synopsis = QStringLiteral("FILE.adf --csv|--txt [--out FILE]");
    c.Summary = QStringLiteral("write an ADC data file as CSV or as the oscilloscope's text");
    c.Description = QStringLiteral(
        "--txt writes a line per sweep: the time and the values separated by tabs, as the\n"
        "oscilloscope window exports. --csv writes a header row with the channel labels, then\n"
        "a row per sweep with an ISO 8601 time. Without --out the file goes beside FILE.adf.");
    c.OperandName = QStringLiteral("FILE.adf");
    c.Operand = [](TCliOptions& o, const QString& v) -> QString {
        if (v.isEmpty())
            return QStringLiteral("FILE.adf is empty");
        o.AdfFile = v;
        return {};
    };
    c.Options = {
        {QStringLiteral("csv"), {}, QStringLiteral("write CSV"), false, SetFlag(&TCliOptions::ExportCsv)},
        {QStringLiteral("txt"),
         {},
         QStringLiteral("write the oscilloscope's text format"),
         false,
         SetFlag(&TCliOptions::ExportTxt)},
        {QStringLiteral("out"), QStringLiteral("FILE"), QStringLiteral("the file to write"), false,
         [](TCliOptions& o, const QString& v) -> QString {
             o.OutFile = v;
             return {};
         }},
        JsonOption(QStringLiteral("print the result as one JSON object")),
    };
    c.Check = CheckExport;
    c.Run = RunExport;
    return c;
}

} // namespace

const TCliCommand& ExportCommand() {
    static const TCliCommand command = MakeExportCommand();
    return command;
}
