#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

// Points the ports folder at a temporary directory for the life of the object, so a test can give
// "COMn" names to pseudo-terminals without touching the user's folder.
struct TPortsFolder {
    QTemporaryDir dir;
    QByteArray saved = qgetenv("DOVUVAVAROVOD_PORTS");
    TPortsFolder() { qputenv("DOVUVAVAROVOD_PORTS", dir.path().toLocal8Bit()); }
    ~TPortsFolder() {
        if (saved.isEmpty())
            qunsetenv("DOVUVAVAROVOD_PORTS");
        else
            qputenv("DOVUVAVAROVOD_PORTS", saved);
    }
    TPortsFolder(const TPortsFolder&) = delete;
    TPortsFolder& operator=(const TPortsFolder&) = delete;

    // Makes "COMn" stand for target.
    bool Link(int n, const QString& target) {
        return QFile::link(target, dir.filePath(QStringLiteral("COM%1").arg(n)));
    }
};
