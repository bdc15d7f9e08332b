#include "platform/Launcher.h"

#include <QProcess>

TLauncher::TLauncher(QObject* parent) : QObject(parent) {}

TLauncher::~TLauncher() {
    // An opener still running (waiting for its viewer) is ended quietly; the viewer itself is its
    // own process and stays.
    for (QProcess* p : findChildren<QProcess*>()) {
        p->disconnect(this);
        p->kill();
        p->waitForFinished(200);
    }
}

void TLauncher::Fail(const QString& Path, const QString& Reason) {
    if (OnFailed)
        OnFailed(Path, Reason);
}

void TLauncher::Open(const QString& Path) {
    QString opener = qEnvironmentVariable("DOVUVAVAROVOD_OPENER");
    if (opener.isEmpty())
        opener = QStringLiteral("xdg-open");
    // The opener may stay until the viewer closes (xdg-open does on a bare window manager), so it is
    // left running on its own; it removes itself when it ends.
    auto* process = new QProcess(this);
    process->setProgram(opener);
    process->setArguments({Path});
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(process, &QProcess::errorOccurred, this, [this, process, Path, opener](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            Fail(Path, QStringLiteral("%1 could not be started").arg(opener));
            process->deleteLater();
        }
    });
    connect(process, &QProcess::finished, this, [this, process, Path](int code, QProcess::ExitStatus status) {
        // xdg-open: 1 bad command line, 2 file missing, 3 no tool found, 4 the tool failed.
        if (status != QProcess::NormalExit || code != 0)
            Fail(Path, QStringLiteral("exit code %1").arg(code));
        process->deleteLater();
    });
    process->start();
}
