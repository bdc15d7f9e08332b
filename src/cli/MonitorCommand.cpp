// monitor: watches a line on which another master talks, and shows every frame decoded.
#include "cli/CliCommands.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "cli/CliSignals.h"
#include "platform/PortNames.h"
#include "platform/SerialLine.h"
#include "profiles/XMLProfileLoader.h"
#include "traffic/LineMonitor.h"
#include "traffic/TrafficSerializer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTimer>

namespace {

// The port the window shows for a saved capture: "COMn" as n - 1, a device path as 0.
int MasterPortOf(const QString& Port) {
    static const QRegularExpression com(QStringLiteral("^(?:\\\\\\\\\\.\\\\)?COM(\\d+)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = com.match(Port);
    return m.hasMatch() ? std::max(0, m.captured(1).toInt() - 1) : 0;
}

int RunMonitor(const TCliOptions& o, TCliIo& Io) {
    if (!QCoreApplication::instance()) {
        Io.Fail(QStringLiteral("monitor needs an event loop"));
        return kExitFailed;
    }
    const QString path = ResolvePortPath(o.Line.Port);
    if (path.isEmpty()) {
        Io.Fail(QStringLiteral("no such port: %1").arg(o.Line.Port));
        return kExitFailed;
    }
    TXMLProfileLoader profiles;
    profiles.SetFolder(TXMLProfileLoader::DefaultFolder());
    if (!profiles.Folder().isEmpty())
        profiles.LoadAll();
    for (const QString& warning : profiles.Warnings())
        Io.Err() << kProgramName << ": " << warning << Qt::endl;

    TSerialLine line;
    if (!line.Open(path)) {
        Io.Fail(CannotOpenText(o.Line.Port, line.ErrorText()));
        return kExitFailed;
    }
    TLineSettings settings;
    settings.BaudRate = o.Line.Baud;
    // A listener must never drive the bus: RTS low keeps an RS-485 adapter's transmitter off.
    settings.Rts = TLineRts::Off;
    if (!line.Apply(settings)) {
        Io.Fail(CannotOpenText(o.Line.Port, line.ErrorText()));
        return kExitFailed;
    }

    QElapsedTimer clock;
    clock.start();
    TLineMonitor monitor(o.Line.Protocol, &profiles.Devices(), QDateTime::currentDateTime(), 0);
    monitor.Framer().SetGapNs(qint64(o.GapMs) * 1'000'000);
    monitor.SetKeepPackages(!o.SaveFile.isEmpty());
    QTextStream& out = Io.Out();
    monitor.OnFrame = [&](const TMonitorFrame& Frame) {
        if (Io.Json())
            Io.PrintJson(TLineMonitor::FrameJson(Frame));
        else
            out << TLineMonitor::FrameText(Frame) << Qt::endl;
    };

    TCliStopSignals stop;
    if (!stop.Ok()) {
        Io.Fail(QStringLiteral("cannot create the signal pipe"));
        return kExitFailed;
    }
    bool failed = false;
    QSocketNotifier stopNotifier(stop.Handle(), QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
    auto readAll = [&] {
        quint8 buffer[4096];
        for (;;) {
            const qint64 n = line.Read(buffer, sizeof buffer);
            if (n > 0) {
                monitor.Feed(buffer, int(n), clock.nsecsElapsed());
                continue;
            }
            if (n < 0 || line.Failed()) {
                failed = true;
                QCoreApplication::quit();
            }
            return;
        }
    };
    QSocketNotifier readNotifier(line.NativeHandle(), QSocketNotifier::Read);
    QObject::connect(&readNotifier, &QSocketNotifier::activated, readAll);
    // The silence that ends a frame of unknown length is noticed between arrivals.
    QTimer poll;
    poll.setInterval(std::max(1, o.GapMs / 2));
    QObject::connect(&poll, &QTimer::timeout, [&] {
        readAll();
        monitor.Poll(clock.nsecsElapsed());
    });
    poll.start();
    if (Io.Json())
        Io.PrintJson({{QStringLiteral("monitoring"), o.Line.Port},
                      {QStringLiteral("protocol"),
                       o.Line.Protocol == tpModbus ? QStringLiteral("modbus") : QStringLiteral("nerix")},
                      {QStringLiteral("profiles"), profiles.Devices().Count()}});
    else
        out << "monitoring " << o.Line.Port << " (" << (o.Line.Protocol == tpModbus ? "Modbus RTU" : "Nerix")
            << ", " << o.Line.Baud << " bit/s), " << profiles.Devices().Count() << " device profiles"
            << Qt::endl;
    QCoreApplication::exec();

    poll.stop();
    readNotifier.setEnabled(false);
    stopNotifier.setEnabled(false);
    readAll();
    monitor.Flush();
    monitor.OnFrame = nullptr;
    line.Close();

    int status = kExitOk;
    if (failed) {
        Io.Fail(QStringLiteral("%1: the line failed: %2").arg(o.Line.Port, line.ErrorText()));
        status = kExitFailed;
    }
    if (!o.SaveFile.isEmpty()) {
        TTrafficFile file;
        file.MasterPort = MasterPortOf(o.Line.Port);
        file.Line = tlCom;
        file.Protocol = o.Line.Protocol == tpModbus ? 1 : 0;
        file.Packages = monitor.Packages();
        QString error;
        if (!SaveTraffic(o.SaveFile, file, &error)) {
            Io.Fail(QStringLiteral("cannot write %1: %2").arg(o.SaveFile, error));
            status = kExitFailed;
        }
    }
    const QJsonObject summary{{QStringLiteral("frames"), monitor.FrameCount()},
                              {QStringLiteral("answers"), monitor.AnswerCount()},
                              {QStringLiteral("unanswered"), monitor.UnansweredCount()},
                              {QStringLiteral("garbage"), monitor.DamagedCount()}};
    if (Io.Json())
        Io.PrintJson({{QStringLiteral("stopped"), summary}});
    else
        out << "stopped: " << monitor.FrameCount() << " frames, " << monitor.AnswerCount() << " answered, "
            << monitor.UnansweredCount() << " without answer, " << monitor.DamagedCount() << " garbage"
            << Qt::endl;
    return status;
}

TCliCommand MakeMonitorCommand() {
    TCliCommand c;
    c.Name = QStringLiteral("monitor");
    c.Synopsis = QStringLiteral("--port COMn|PATH [--baud N] [--protocol P] [--save FILE] [--json]");
    c.Summary = QStringLiteral("watch a line on which another master talks, frame by frame");
    c.Description = QStringLiteral(
        "Listens on the port, never sending, until Ctrl+C or SIGTERM. Each frame is printed on\n"
        "one line with its time, decoded (address, function, object and property or register,\n"
        "value, check sum), labelled from the device profiles and, for an answer, with the time\n"
        "since its request. Frames are cut by their length and check sum; silence ends only a\n"
        "frame whose length its bytes do not tell.");
    TCliOption port = PortOption();
    port.Required = true;
    c.Options = {port,
                 BaudOption(),
                 ProtocolOption(QStringLiteral("nerix|modbus (default nerix): how the frames are read")),
                 {QStringLiteral("save"), QStringLiteral("FILE"),
                  QStringLiteral("on stopping, write what was seen as a traffic file that the\n"
                                 "\"Traffic\" window loads"),
                  false,
                  [](TCliOptions& o, const QString& v) -> QString {
                      if (v.isEmpty())
                          return QStringLiteral("--save needs a file name");
                      o.SaveFile = v;
                      return {};
                  }},
                 {QStringLiteral("gap"), QStringLiteral("MS"),
                  QStringLiteral("silence that ends a frame of unknown length (default 20)"), false,
                  IntegerIn(&TCliOptions::GapMs, "--gap", 1, 10000)},
                 JsonOption(QStringLiteral("one JSON object per frame"))};
    c.Run = RunMonitor;
    return c;
}

} // namespace

const TCliCommand& MonitorCommand() {
    static const TCliCommand command = MakeMonitorCommand();
    return command;
}
