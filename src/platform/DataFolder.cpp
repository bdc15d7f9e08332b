#include "platform/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString InstalledDataFolder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/dovuvavarovod"));
}

QString FindDataPath(const QString& Relative, const QString& WorkingFolder) {
    for (const QString& folder : {WorkingFolder, InstalledDataFolder()}) {
        if (folder.isEmpty())
            continue;
        const QString path = QDir(folder).filePath(Relative);
        if (QFileInfo::exists(path))
            return QDir::cleanPath(path);
    }
    return {};
}
