#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <mutex>
#include <string>
#include <vector>

// A weight controller's file-manager object as a scripted device answers it (Nerix frames, one
// address and object), with the faults the emulator does not make: a name without its end marker, a
// data word that is never answered, a device that stops sending, a refused open, a count above 255.
class TScriptedFileDevice {
public:
    struct TFile {
        QByteArray Name;
        QByteArray Data;
        int SizeWord = -1; // -1: the data's size
        quint8 Info1 = 0;
        quint8 Info2 = 0;
        bool NoNameEnd = false; // the name repeats without a zero byte
    };

    TScriptedFileDevice(quint8 Address, quint8 Object) : FAddress(Address), FObject(Object) {}

    std::vector<TFile> Files;
    int CountWord = -1;        // -1: the number of files
    int FailNameOfFile = -1;   // name reads of this file are not answered
    int FailDataAt = -1;       // data words at this offset are not answered
    int StallAt = -1;          // reads from this offset on give words without bytes
    bool RefuseOpen = false;   // opens are not answered
    quint32 StatusWord = 0x55; // what property 8 gives

    QByteArray Answer(const QByteArray& r);
    std::vector<std::string> Trace() const {
        std::lock_guard lock(FMutex);
        return FTrace;
    }
    int Count(const std::string& Entry) const;
    QByteArray FileData(int Index) const {
        std::lock_guard lock(FMutex);
        return Files[size_t(Index)].Data;
    }

private:
    mutable std::mutex FMutex;
    quint8 FAddress;
    quint8 FObject;
    int FSelected = -1;
    int FNamePos = 0;
    int FMode = -1;
    int FPos = 0;
    std::vector<std::string> FTrace;
};
