// files: the numbered files of a weight controller (KVD-P340-BUS, KVD-P341-BUS): list them, copy one
// to the computer, or a computer file into one.
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "cli/CliSignals.h"
#include "files/FileTransfer.h"
#include "localization/FileMgrLanguage.h"
#include "model/DiscreteModules.h"
#include "protocol/NerixModule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <unistd.h>

namespace {

const TFileMgrLanguage& Texts() {
    return FileMgrLanguage().Language(0);
}

// A device file by its number in the list, or by its name when no number fits.
const TDeviceFile* FindFile(const std::vector<TDeviceFile>& Files, const QString& Which) {
    bool number = false;
    const int n = Which.toInt(&number);
    for (const TDeviceFile& f : Files)
        if (number ? f.Number == n : f.Name == Which)
            return &f;
    return nullptr;
}

// The device's name made safe as a file name in the current folder: the device chose it, so it must
// not climb out of the folder or name a device.
QString LocalName(const TDeviceFile& File) {
    QString name;
    for (const QChar c : File.Name)
        name += (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 32 || c.unicode() == 127)
                    ? QLatin1Char('_')
                    : c;
    name = name.trimmed();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("file-%1.bin").arg(File.Number);
    return name;
}

class TFilesRun {
public:
    TFilesRun(const TCliOptions& Options, TCliIo& Io) : FOptions(Options), FIo(Io) {}

    int Run() {
        TCliLine line(FOptions.Line);
        if (!line.Open(FIo))
            return kExitFailed;
        if (FOptions.Log)
            line.LogTraffic(FIo.Err());
        SetUpModule(FModule.NerixModule(), line, FOptions);
        if (!ListDeviceFiles(FModule.FileMgr(), FFiles)) {
            const QString why = NoAnswerText(FOptions.Address, FModule.NerixModule().AP());
            FIo.Fail(Texts().MsgListFailed + QStringLiteral(": ") + why,
                     {{QStringLiteral("address"), FOptions.Address}});
            return kExitFailed;
        }
        const QString action = FOptions.Operands.value(0);
        if (action == QLatin1String("list"))
            return List();
        const TDeviceFile* file = FindFile(
            FFiles, action == QLatin1String("get") ? FOptions.Operands.value(1) : FOptions.Operands.value(2));
        if (!file) {
            FIo.Fail(QStringLiteral("the device has no file \"%1\" (it has %2; see \"files ... list\")")
                         .arg(action == QLatin1String("get") ? FOptions.Operands.value(1)
                                                             : FOptions.Operands.value(2))
                         .arg(FFiles.size()));
            return kExitFailed;
        }
        return action == QLatin1String("get") ? Get(*file) : Put(*file);
    }

private:
    int List() {
        for (const TDeviceFile& f : FFiles) {
            if (FIo.Json())
                FIo.PrintJson({{QStringLiteral("number"), f.Number},
                               {QStringLiteral("name"), f.Name},
                               {QStringLiteral("size"), f.Size},
                               {QStringLiteral("info"), f.Info}});
            else
                FIo.Out() << QString::number(f.Number).rightJustified(3) << "  " << f.Name.leftJustified(24)
                          << " " << QString::number(f.Size).rightJustified(6) << " bytes  info " << f.Info
                          << Qt::endl;
        }
        if (FFiles.empty() && !FIo.Json())
            FIo.Out() << "no files" << Qt::endl;
        return kExitOk;
    }

    void Prepare(TFileTransfer& Transfer) {
        Transfer.QuietMs = FOptions.QuietMs;
        Transfer.OnIdle = [this, &Transfer] {
            if (FStop.Stopped())
                Transfer.Stop();
        };
        if (FTerminal)
            Transfer.OnProgress = [this](const TTransferProgress& p) {
                FIo.Err() << "\r\033[K" << ProgressText(p, Texts()) << Qt::flush;
                FProgressShown = true;
            };
    }

    int Finish(TTransferResult Result, const TFileTransfer& Transfer, const QString& Path,
               const TDeviceFile& File, bool ToComputer) {
        if (FProgressShown)
            FIo.Err() << "\r\033[K" << Qt::flush;
        QJsonObject details{{QStringLiteral("number"), File.Number},
                            {QStringLiteral("name"), File.Name},
                            {QStringLiteral("file"), Path},
                            {QStringLiteral("bytes"), Transfer.Offset()}};
        if (Result != TTransferResult::Done) {
            QString message = TransferMessage(Result, Transfer, Texts(), Path);
            if (Result == TTransferResult::OpenFailed && !ToComputer)
                message = Texts().MsgErrorOpeningForWriting;
            if (ToComputer && Result != TTransferResult::ComputerFile)
                message += QStringLiteral("; %1 was left as it was").arg(Path);
            if (!ToComputer && Result != TTransferResult::ComputerFile &&
                Result != TTransferResult::OpenFailed && Transfer.Offset() > 0)
                message +=
                    QStringLiteral("; the device file now holds the first %1 bytes").arg(Transfer.Offset());
            if (Transfer.HasStatus())
                details.insert(QStringLiteral("status"), qint64(Transfer.Status()));
            FIo.Fail(message, details);
            return kExitFailed;
        }
        if (FIo.Json())
            FIo.PrintJson(details);
        else if (ToComputer && Path != QLatin1String("-"))
            FIo.Out() << QStringLiteral("%1: %2 bytes to %3").arg(File.Name).arg(Transfer.Offset()).arg(Path)
                      << Qt::endl;
        else if (!ToComputer)
            FIo.Out() << QStringLiteral("%1: %2 bytes into device file %3 (%4)")
                             .arg(Path)
                             .arg(Transfer.Offset())
                             .arg(File.Number)
                             .arg(File.Name)
                      << Qt::endl;
        return kExitOk;
    }

    int Get(const TDeviceFile& File) {
        TFileTransfer transfer(FModule.FileMgr());
        Prepare(transfer);
        const QString path = FOptions.OutFile.isEmpty() ? LocalName(File) : FOptions.OutFile;
        if (path == QLatin1String("-")) {
            QByteArray data;
            const TTransferResult r = transfer.ReadFile(File.Number, File.Name, File.Size, data);
            if (r == TTransferResult::Done) {
                QFile out;
                if (!out.open(stdout, QIODevice::WriteOnly) || out.write(data) != data.size() || !out.flush())
                    return Finish(TTransferResult::ComputerFile, transfer, path, File, true);
            }
            return Finish(r, transfer, path, File, true);
        }
        const TTransferResult r = transfer.CopyToComputer(File.Number, File.Name, File.Size, path);
        return Finish(r, transfer, path, File, true);
    }

    int Put(const TDeviceFile& File) {
        const QString path = FOptions.Operands.value(1);
        TFileTransfer transfer(FModule.FileMgr());
        Prepare(transfer);
        return Finish(transfer.CopyToDevice(path, File.Number), transfer, path, File, false);
    }

    const TCliOptions& FOptions;
    TCliIo& FIo;
    TP340BUS FModule;
    std::vector<TDeviceFile> FFiles;
    TCliStopSignals FStop;
    const bool FTerminal = ::isatty(STDERR_FILENO) == 1 && !FOptions.Log;
    bool FProgressShown = false;
};

QString CheckFiles(TCliOptions& o) {
    if (const QString e = CheckLine(o.Line); !e.isEmpty())
        return e;
    const QString action = o.Operands.value(0);
    const QString usage = QStringLiteral("use \"list\", \"get N\" or \"put FILE N\"");
    if (action == QLatin1String("list")) {
        if (o.Operands.size() != 1)
            return QStringLiteral("list takes nothing more, not \"%1\"")
                .arg(o.Operands.mid(1).join(QLatin1Char(' ')));
    } else if (action == QLatin1String("get")) {
        if (o.Operands.size() != 2)
            return QStringLiteral("get takes one device file: its number or name");
    } else if (action == QLatin1String("put")) {
        if (o.Operands.size() != 3)
            return QStringLiteral("put takes the computer file and the device file: put FILE N");
        const QString path = o.Operands.value(1);
        if (path == QLatin1String("-"))
            return QStringLiteral("put needs a file, not standard input");
        // Checked before the line opens: a mistyped name must not cost a listing of the device.
        const QFileInfo local(path);
        if (!local.exists())
            return QStringLiteral("%1: no such file").arg(path);
        if (local.isDir())
            return QStringLiteral("%1 is a folder, not a file").arg(path);
        if (!local.isReadable())
            return QStringLiteral("%1 cannot be read").arg(path);
    } else {
        return QStringLiteral("unknown action \"%1\"; %2").arg(action, usage);
    }
    if (!o.OutFile.isEmpty() && action != QLatin1String("get"))
        return QStringLiteral("--out goes with get only");
    if (o.Line.Protocol != tpNerix)
        return QStringLiteral("the file manager speaks Nerix only");
    return {};
}

TCliCommand MakeFilesCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("files");
    c.Synopsis = QStringLiteral("--port COMn|PATH --address A list | get N [--out FILE] | put FILE N");
    c.Summary = QStringLiteral("list, read and write the files of a weight controller (KVD-P340/P341)");
    c.Description = QStringLiteral(
        "Talks to the file manager of a KVD-P340-BUS or KVD-P341-BUS (object 18).\n"
        "list      the device's files: number, name, size and first info byte\n"
        "get N     copies device file N (its number in the list, or its name) to --out, or to a\n"
        "          file named as on the device in the current folder; \"--out -\" writes to\n"
        "          standard output. The read ends when the listed size has arrived, or after\n"
        "          --quiet-ms without a byte. A failed or stopped copy leaves the computer file\n"
        "          as it was.\n"
        "put F N   writes computer file F into device file N. The device file is rewritten as\n"
        "          the bytes go, so a failure leaves it partly written; the message says how far.\n"
        "On a terminal a progress line shows bytes, rate and time left. Ctrl+C stops a copy.\n"
        "Exit status: 0 done, 1 the device or a file failed, 2 bad arguments.");
    c.OperandName = QStringLiteral("ACTION");
    c.RepeatOperand = true;
    c.OperandWords = {QStringLiteral("list"), QStringLiteral("get"), QStringLiteral("put")};
    c.Operand = [](TCliOptions& o, const QString& v) -> QString {
        o.Operands << v;
        return {};
    };
    c.Options = {
        AddressOption(),
        {QStringLiteral("out"), QStringLiteral("FILE"),
         QStringLiteral("get: the computer file to write (\"-\": standard output)"), false,
         [](TCliOptions& o, const QString& v) -> QString {
             if (v.isEmpty())
                 return QStringLiteral("--out needs a file name");
             o.OutFile = v;
             return {};
         }},
        {QStringLiteral("quiet-ms"), QStringLiteral("MS"),
         QStringLiteral("get: end the read after this long without a byte, 100 to 600000\n(default 3000)"),
         false, IntegerIn(&TCliOptions::QuietMs, "--quiet-ms", 100, 600000)},
        JsonOption(QStringLiteral("print one JSON object per file or transfer; errors as JSON on stderr")),
        LogOption()};
    for (TCliOption& option : LineOptions())
        c.Options.push_back(std::move(option));
    c.Check = CheckFiles;
    c.Run = [](const TCliOptions& o, TCliIo& Io) { return TFilesRun(o, Io).Run(); };
    return c;
}

} // namespace

const TCliCommand& FilesCommand() {
    static const TCliCommand command = MakeFilesCommand();
    return command;
}
