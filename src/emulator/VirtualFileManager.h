#pragma once

#include "emulator/VirtualChannel.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <vector>

// The file-manager object of the emulated weight controller: a few numbered files whose names and
// contents a client lists, reads and writes three bytes at a time. Property 0 the file count, 1
// selects a file, 2 restarts its name, 3 gives the next four name characters (top byte first, a
// zero byte after the last), 4 opens the selected file (0 for reading, 1 for writing, which empties
// it), 5 closes it, 6 the size word with the two info bytes, 7 one data word (byte count in the top
// byte; a read at the end gives a count of 0), 8 the status of the last data transfer.
class TVirtualFileManager : public TCustomVirtualChannel {
public:
    struct TFile {
        QString Name;
        QByteArray Data;
        quint8 Info1 = 0;
        quint8 Info2 = 0;
    };
    enum TStatus : quint32 { fsOk = 0, fsNotOpen = 1, fsBadCount = 2, fsFull = 3 };
    // A file holds at most what its size word can tell.
    static constexpr int kMaxFileSize = 0xFFFF;

    TVirtualFileManager(TVirtualDevice* Device, quint8 Number);

    std::vector<TFile>& Files() { return FFiles; }
    const std::vector<TFile>& Files() const { return FFiles; }
    // -1 closed, 0 open for reading, 1 for writing.
    int OpenMode() const { return FOpenMode; }

protected:
    std::optional<quint32> ReadRegister(quint16 Register) override;
    bool WriteRegister(quint16 Register, quint32 Value) override;

private:
    TFile* Selected();

    std::vector<TFile> FFiles;
    int FSelected = -1;
    int FNamePos = 0;
    int FOpenMode = -1;
    int FPosition = 0;
    quint32 FStatus = fsOk;
};
