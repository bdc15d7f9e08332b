#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One run of the command-line program as a separate process, as a user or a script runs it.
struct TCliRun {
    int code = -1; // -1: it crashed or did not end within 20 s
    QString out;
    QString err;
};

inline TCliRun Cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(DVV_CLI_PATH), args);
    TCliRun r;
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
