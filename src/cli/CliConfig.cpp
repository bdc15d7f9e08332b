#include "cli/CliConfig.h"

#include "cli/CliDevice.h"
#include "cli/CliLine.h"
#include "cli/CliOutput.h"
#include "config/ConfigEngine.h"
#include "model/DeviceRegister.h"
#include "model/ModuleFactory.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <unistd.h>

QString CliModelText(quint16 Type) {
    const QString name = ModelNameOf(Type);
    return name.isEmpty() ? QStringLiteral("type %1").arg(Type)
                          : QStringLiteral("%1 (type %2)").arg(name).arg(Type);
}

bool OpenConfigDevice(const TCliOptions& o, TCliIo& Io, TCliConfigDevice& Device, int& Status) {
    Status = kExitFailed;
    Device.Line = std::make_unique<TCliLine>(o.Line);
    if (!Device.Line->Open(Io))
        return false;
    if (o.Log)
        Device.Line->LogTraffic(Io.Err());
    // Which model answers decides which module object reads it.
    TNerixModule probe;
    SetUpModule(probe, *Device.Line, o);
    quint32 typeWord = 0;
    if (!probe.ReadProperty(spTypeCode, 0, typeWord)) {
        Io.Fail(NoAnswerText(o.Address, probe.AP()), {{QStringLiteral("address"), o.Address}});
        return false;
    }
    Device.Type = quint16(typeWord & 0xFFFF);
    TModuleCreation made = CreateModuleForType(Device.Type);
    if (!made.Module) {
        Io.Fail(QStringLiteral("%1 has no model in this build: %2").arg(CliModelText(Device.Type), made.Why));
        return false;
    }
    Device.Module = std::move(made.Module);
    Device.Module->SetAP(Device.Line->AP());
    Device.Module->SetAddress(quint8(o.Address));
    Device.Module->SetTransferProtocol(o.Line.Protocol);
    Device.Engine = std::make_unique<TConfigEngine>(*Device.Module);
    Status = kExitOk;
    return true;
}

TCliProgress::TCliProgress(const TCliOptions& Options, TCliIo& Io)
    : FIo(Io), FTerminal(::isatty(STDERR_FILENO) == 1 && !Options.Log) {}

TCliProgress::~TCliProgress() {
    Clear();
}

void TCliProgress::Show(int Done, int Total, const QString& What) {
    if (!FTerminal)
        return;
    QString text = What.isEmpty() ? QStringLiteral("%1/%2").arg(Done).arg(Total)
                                  : QStringLiteral("%1/%2 %3").arg(Done).arg(Total).arg(What);
    const int width = int(text.size());
    if (width < FWidth)
        text += QString(FWidth - width, QLatin1Char(' '));
    FWidth = width;
    FIo.Err() << '\r' << text << Qt::flush;
}

void TCliProgress::Clear() {
    if (!FTerminal || FWidth == 0)
        return;
    FIo.Err() << '\r' << QString(FWidth, QLatin1Char(' ')) << '\r' << Qt::flush;
    FWidth = 0;
}

TCliOption InFileOption() {
    return {QStringLiteral("in"), QStringLiteral("FILE"),
            QStringLiteral("the configuration document to put on the device"), true,
            [](TCliOptions& o, const QString& v) -> QString {
                if (v.isEmpty())
                    return QStringLiteral("--in needs a file name");
                o.InFile = v;
                return {};
            }};
}
