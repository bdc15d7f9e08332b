// record: the oscilloscope without its window. The same measurer, store and file writer poll the
// analog inputs over Modbus RTU (on a serial port, or through a TCP converter or Modbus TCP gateway)
// and write an ADC data file; Ctrl+C ends it with the file closed.
#include "cli/CliCommands.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "cli/CliSignals.h"
#include "measurement/Measurer.h"
#include "measurement/Recorder.h"
#include "model/DeviceRegister.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

// "0x05.1,0x05.2,7.3": device address and 1-based channel number.
QString ParseChannels(const QString& Text, std::vector<std::pair<quint8, int>>& Channels) {
    Channels.clear();
    for (const QString& item : Text.split(QLatin1Char(','))) {
        const QStringList parts = item.trimmed().split(QLatin1Char('.'));
        const auto address = parts.size() == 2 ? ParseInteger(parts[0]) : std::nullopt;
        const auto channel = parts.size() == 2 ? ParseInteger(parts[1]) : std::nullopt;
        if (!address || !channel || *address < 1 || *address > 255 || *channel < 1 || *channel > 64)
            return QStringLiteral("--channels: \"%1\" is not ADDRESS.CHANNEL (address 1..255, channel 1..64)")
                .arg(item);
        const std::pair<quint8, int> c{quint8(*address), int(*channel - 1)};
        if (std::find(Channels.begin(), Channels.end(), c) != Channels.end())
            return QStringLiteral("--channels: \"%1\" is given twice").arg(item);
        Channels.push_back(c);
    }
    if (Channels.size() > size_t(TOscDm::kMaxChannels))
        return QStringLiteral("--channels: at most %1 channels").arg(TOscDm::kMaxChannels);
    return {};
}

QString CheckRecord(TCliOptions& o) {
    // The measurer speaks Modbus RTU whatever the line would otherwise default to, and a Modbus TCP
    // gateway is checked against that.
    o.Line.Protocol = tpModbus;
    return CheckLine(o.Line);
}

class TRecording {
public:
    TRecording(const TCliOptions& o, TCliIo& Io, TCliLine& Line)
        : FOptions(o), FIo(Io), FMeasurer(&FDm, &Line.Bus(), Line.AP()), FRecorder(&FDm) {
        FDm.SamplingFrequency = quint32(o.RateHz);
        FDm.FileName = o.OutFile;
        for (const auto& [address, channel] : o.Channels) {
            auto& device = FDevices[address];
            if (!device) {
                device = std::make_unique<TDeviceProps>();
                device->Address = address;
            }
            TChannelProfile* p = FDm.ChannelProfiles.AddProfile();
            p->Device = device.get();
            p->ChannelIndex = channel;
            p->Label = ProfileLabel(QStringLiteral("KVD"), address, channel);
        }
        // The block of the date-time scales: the file grows twice a second.
        FMeasurer.Store().SetWindow(500);
        FMeasurer.Store().OnBlockFull = [this](TDataStore* Store) { BlockFull(*Store); };
    }

    int Run() {
        TCliStopSignals stop;
        if (!stop.Ok()) {
            FIo.Fail(QStringLiteral("cannot create the signal pipe"));
            return kExitFailed;
        }
        if (!FRecorder.SetRecording(true)) {
            FIo.Fail(QStringLiteral("cannot write %1: %2").arg(FDm.FileName, FRecorder.ErrorText()));
            return kExitFailed;
        }
        QSocketNotifier stopNotifier(stop.Handle(), QSocketNotifier::Read);
        QObject::connect(&stopNotifier, &QSocketNotifier::activated, [this] { Stop(); });
        QTimer progress;
        const bool terminal = !FIo.Json() && isatty(STDOUT_FILENO);
        if (terminal) {
            QObject::connect(&progress, &QTimer::timeout, [this] { Progress(false); });
            progress.start(1000);
        }
        if (FOptions.DurationS > 0)
            QTimer::singleShot(qint64(FOptions.DurationS) * 1000, &FLoop, [this] { Stop(); });
        FClock.start();
        FMeasurer.Prepare();
        FMeasurer.SetRunning(true);
        FLoop.exec();
        progress.stop();
        stopNotifier.setEnabled(false);
        FMeasurer.SetRunning(false);
        // The complete sweeps of the last block go into the file too.
        FMeasurer.Store().Flush();
        FRecorder.SetRecording(false);
        if (terminal)
            Progress(true);
        if (!FError.isEmpty()) {
            FIo.Fail(QStringLiteral("writing %1 failed: %2").arg(FDm.FileName, FError));
            return kExitFailed;
        }
        Summary();
        return kExitOk;
    }

private:
    void BlockFull(const TDataStore& Store) {
        if (!FRecorder.Recording())
            return;
        if (!FRecorder.BlockFull(Store)) {
            FError = FRecorder.ErrorText();
            Stop();
            return;
        }
        FSamples += Store.Count();
    }

    void Stop() {
        FMeasurer.SetRunning(false);
        FLoop.quit();
    }

    void Progress(bool Last) {
        const qint64 sweeps = FSamples / std::max(1, FDm.ChannelProfiles.Count());
        FIo.Out() << "\r" << FDm.FileName << ": " << FClock.elapsed() / 1000 << " s, " << sweeps
                  << " sweeps, " << FRecorder.Written() << " bytes" << (Last ? "\n" : "   ") << Qt::flush;
    }

    void Summary() {
        const int n = FDm.ChannelProfiles.Count();
        const qint64 sweeps = FSamples / std::max(1, n);
        if (FIo.Json()) {
            FIo.PrintJson({{QStringLiteral("file"), FDm.FileName},
                           {QStringLiteral("channels"), n},
                           {QStringLiteral("rateHz"), FOptions.RateHz},
                           {QStringLiteral("sweeps"), sweeps},
                           {QStringLiteral("bytes"), FRecorder.Written()}});
            return;
        }
        FIo.Out() << "recorded " << sweeps << " sweeps of " << n << (n == 1 ? " channel" : " channels")
                  << " at " << FOptions.RateHz << " Hz into " << FDm.FileName << Qt::endl;
    }

    const TCliOptions& FOptions;
    TCliIo& FIo;
    TOscDm FDm;
    std::map<quint8, std::unique_ptr<TDeviceProps>> FDevices;
    TMeasurer FMeasurer;
    TRecorder FRecorder;
    QEventLoop FLoop;
    QElapsedTimer FClock;
    qint64 FSamples = 0;
    QString FError;
};

int RunRecord(const TCliOptions& o, TCliIo& Io) {
    if (!QCoreApplication::instance()) {
        Io.Fail(QStringLiteral("record needs an event loop"));
        return kExitFailed;
    }
    TCliLine line(o.Line);
    if (!line.Open(Io))
        return kExitFailed;
    if (o.Log)
        line.LogTraffic(Io.Err());
    int code = TRecording(o, Io, line).Run();
    if (code == kExitOk && !o.CsvFile.isEmpty()) {
        QString error;
        if (!ExportAdfCsv(o.OutFile, o.CsvFile, error)) {
            Io.Fail(QStringLiteral("cannot write %1: %2").arg(o.CsvFile, error));
            code = kExitFailed;
        }
    }
    return code;
}

TCliCommand MakeRecordCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("record");
    c.Synopsis =
        QStringLiteral("--port COMn|PATH|--tcp HOST:PORT --channels A.C,... --out FILE.adf [options]");
    c.Summary = QStringLiteral("record analog inputs into an ADC data file, as the oscilloscope does");
    c.Description =
        QStringLiteral("Reads every channel once per sampling period over Modbus RTU and writes the values\n"
                       "to an ADC data file (.adf), as the oscilloscope window records them. Over --tcp the\n"
                       "frames pass a serial device server unchanged, or go as Modbus TCP with --mbap.\n"
                       "A channel that does not answer repeats its last value. Ends after --duration or\n"
                       "at Ctrl+C/SIGTERM, with the file closed; a terminal shows a progress line.");
    std::vector<TCliOption> line = LineOptions();
    // The measurer speaks Modbus RTU whatever the line's protocol is set to; it has not been made to
    // run through a UDP gateway.
    line.erase(std::remove_if(line.begin(), line.end(),
                              [](const TCliOption& x) {
                                  return x.Name == QLatin1String("protocol") ||
                                         x.Name == QLatin1String("udp") ||
                                         x.Name == QLatin1String("local-port");
                              }),
               line.end());
    c.Options = line;
    c.Options.push_back({QStringLiteral("channels"), QStringLiteral("A.C,..."),
                         QStringLiteral("the channels: device address and channel number from 1,\n"
                                        "e.g. 0x05.1,0x05.2,7.1 (at most 100)"),
                         true,
                         [](TCliOptions& o, const QString& v) { return ParseChannels(v, o.Channels); }});
    c.Options.push_back(
        {QStringLiteral("rate"), QStringLiteral("HZ"), QStringLiteral("sampling rate, 1..100 Hz (default 2)"),
         false, IntegerIn(&TCliOptions::RateHz, "--rate", TOscDm::kMinFrequency, TOscDm::kMaxFrequency)});
    c.Options.push_back({QStringLiteral("duration"), QStringLiteral("S"),
                         QStringLiteral("seconds to record (default: until Ctrl+C)"), false,
                         IntegerIn(&TCliOptions::DurationS, "--duration", 1, 10 * 24 * 3600)});
    c.Options.push_back({QStringLiteral("out"), QStringLiteral("FILE.adf"),
                         QStringLiteral("the ADC data file; an existing one is overwritten"), true,
                         [](TCliOptions& o, const QString& v) -> QString {
                             if (v.isEmpty())
                                 return QStringLiteral("--out needs a file name");
                             o.OutFile = v;
                             return {};
                         }});
    c.Options.push_back({QStringLiteral("csv"), QStringLiteral("FILE.csv"),
                         QStringLiteral("also export the recording as CSV when it ends"), false,
                         [](TCliOptions& o, const QString& v) -> QString {
                             if (v.isEmpty())
                                 return QStringLiteral("--csv needs a file name");
                             o.CsvFile = v;
                             return {};
                         }});
    c.Options.push_back(JsonOption(QStringLiteral("print the summary as one JSON object")));
    c.Options.push_back(LogOption());
    c.Check = CheckRecord;
    c.Run = RunRecord;
    return c;
}

} // namespace

const TCliCommand& RecordCommand() {
    static const TCliCommand command = MakeRecordCommand();
    return command;
}
