// backup: a device's whole configuration as a document.
#include "cli/CliCommands.h"
#include "cli/CliConfig.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "config/ConfigEngine.h"
#include "views/DeviceService.h"

#include <QSaveFile>

namespace {

int RunBackup(const TCliOptions& o, TCliIo& Io) {
    TCliConfigDevice device;
    int status = kExitOk;
    if (!OpenConfigDevice(o, Io, device, status))
        return status;
    TCliProgress progress(o, Io);
    device.Engine->OnProgress = [&](int Done, int Total, const QString& What) {
        progress.Show(Done, Total, What);
    };
    QString error;
    auto document = device.Engine->Backup(error);
    progress.Clear();
    for (const QString& w : device.Engine->Warnings())
        Io.Err() << kProgramName << ": warning: " << w << Qt::endl;
    if (!document) {
        Io.Fail(error, {{QStringLiteral("address"), o.Address}});
        return kExitFailed;
    }
    if (document->FirmwareWord)
        document->FirmwareVersion = FirmwareVersionText(*document->FirmwareWord);
    const QByteArray json = document->ToJson();
    if (o.OutFile.isEmpty() || o.OutFile == QLatin1String("-")) {
        Io.Out() << QString::fromUtf8(json) << Qt::flush;
        return kExitOk;
    }
    // Written beside the target and put in place whole: a failed backup never spoils an older one.
    QSaveFile file(o.OutFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit()) {
        Io.Fail(QStringLiteral("cannot write %1: %2").arg(o.OutFile, file.errorString()));
        return kExitFailed;
    }
    return kExitOk;
}

TCliCommand MakeBackupCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("backup");
    c.Synopsis = QStringLiteral("--port COMn|PATH --address A [--out FILE] [options]");
    c.Summary = QStringLiteral("save a device's whole configuration to a file");
    c.Description = QStringLiteral(
        "Reads every setting of every channel of the device through its model, with the bus\n"
        "parameters, serial number and firmware version, and writes them as one JSON document\n"
        "(standard output without --out). On a terminal stderr shows the setting being read.");
    c.Options = {AddressOption(),
                 {QStringLiteral("out"), QStringLiteral("FILE"),
                  QStringLiteral("the file to write (default: standard output)"), false,
                  [](TCliOptions& o, const QString& v) -> QString {
                      if (v.isEmpty())
                          return QStringLiteral("--out needs a file name");
                      o.OutFile = v;
                      return {};
                  }},
                 LogOption()};
    for (TCliOption& option : LineOptions())
        c.Options.push_back(std::move(option));
    c.Check = [](TCliOptions& o) { return CheckLine(o.Line); };
    c.Run = RunBackup;
    return c;
}

} // namespace

const TCliCommand& BackupCommand() {
    static const TCliCommand command = MakeBackupCommand();
    return command;
}
