#pragma once

#include "profiles/DeviceProfiles.h"

#include <QString>
#include <QStringList>

// The names of the files of one folder that match a mask, in name order (byte-wise, so the order
// is the same on every machine and in every locale).
class TDirFileList {
public:
    QString Folder() const { return FFolder; }
    void SetFolder(const QString& Value);
    QString Mask() const { return FMask; }
    void SetMask(const QString& Value);
    bool Active() const { return FActive; }
    // True rescans with Folder and Mask; false clears the list.
    void SetActive(bool Value);

    // Clears the list and lists the files of Folder that match Mask; false when none does.
    bool Scan(const QString& Folder, const QString& Mask);
    const QStringList& Files() const { return FFiles; }

private:
    QString FFolder = QStringLiteral(".");
    QString FMask = QStringLiteral("*.*");
    bool FActive = true;
    QStringList FFiles;
};

// Reads every profile of one folder into a device list. The profiles are only read, never written.
class TXMLProfileLoader {
public:
    QString Folder() const { return FFolder; }
    void SetFolder(const QString& Value) { FFolder = Value; }

    // Clears the list and loads every "*.xml" file of Folder in name order. A file that cannot be
    // read or breaks the format is skipped, with a warning naming it and why; the others load.
    // True when no file was skipped (also when there are none, or the folder does not exist).
    bool LoadAll();
    // Appends one description read from Path. A file that fails adds nothing; Error (and the
    // loader's last error) says why.
    bool LoadFile(const QString& Path, QString* Error = nullptr);
    // Reads a profile from memory, as LoadFile does from a file.
    bool LoadData(const QByteArray& Data, QString* Error = nullptr);

    TDeviceList& Devices() { return FDevices; }
    const TDeviceList& Devices() const { return FDevices; }
    // One line per file LoadAll skipped: its name and why.
    QStringList Warnings() const { return FWarnings; }
    // The files LoadAll read successfully, in load order.
    QStringList LoadedFiles() const { return FLoaded; }

    // The folder the program reads its profiles from: DB/DevicesXMLProfiles under the working
    // folder, else under the installed data folder; empty when neither exists.
    static QString DefaultFolder();

private:
    QString FFolder;
    TDeviceList FDevices;
    TDirFileList FFileList;
    QStringList FWarnings;
    QStringList FLoaded;
};
