#pragma once

#include "model/ZUVOChannel.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <vector>

class TZUVOModule;

// Properties of the weight controllers' file-manager object.
enum TFileMgrProperty : quint16 {
    fmFileCount = 0,   // read: number of files (low byte)
    fmSelectFile = 1,  // write: the 0-based number of the file the others refer to
    fmRestartName = 2, // write 0: the next read of fmNameChars starts the name again
    fmNameChars = 3,   // read, repeated: the next four characters of the name, first in the top byte
    fmOpenFile = 4,    // write: 0 opens the selected file for reading from the device, 1 for writing
    fmCloseFile = 5,   // write 0
    fmFileInfo = 6,    // read: size word in bits 0..15, info bytes in 16..23 and 24..31
    fmData = 7,        // read / write: one data word (see DataWordBytes)
    fmStatus = 8,      // read after a failed data transfer
};

// The file-manager object of the weight controllers (KVD-P340-BUS, KVD-P341-BUS): lists the device's
// numbered files and moves their contents three bytes at a time. Every operation clears the module's
// Ok first and sets it to the outcome.
class TFileMgrObject {
public:
    // Names longer than this are cut here: a device that never sends the end marker must not keep
    // the listing reading for ever.
    static constexpr int kMaxNameLength = 64;
    // Failed reads of the name's characters (each already repeated by the access point's tries)
    // after which the name counts as unreadable.
    static constexpr int kMaxFailedNameReads = 3;

    TFileMgrObject(TZUVOModule* Module, quint8 ObjectNumber);
    TFileMgrObject(const TFileMgrObject&) = delete;
    TFileMgrObject& operator=(const TFileMgrObject&) = delete;

    TNerixChannel Accessor;
    TZUVOModule* Module() const { return FModule; }

    // From the last successful ReadInfo.
    quint16 Size = 0;
    quint8 Info1 = 0;
    quint8 Info2 = 0;

    // The number of files: the low byte of property 0 (a device reporting 300 has 44). 0 on failure.
    int FileCount();
    bool SelectFile(int Number);
    // The selected file's name, ending at the first zero byte or at kMaxNameLength characters.
    bool ReadName(QString& Name);
    bool ReadInfo();
    // Mode 0: reading from the device; 1: writing into it.
    bool OpenFile(int Mode);
    bool CloseFile();
    bool ReadData(quint32& Word);
    bool WriteData(quint32 Word);
    bool ReadStatus(quint32& Word);

private:
    bool ReadWord(quint16 Property, quint32& Word);
    bool WriteWord(quint16 Property, quint32 Word);

    TZUVOModule* FModule;
};

// A data word: bits 24..31 the number of bytes n, then up to three bytes from bit 23 down. The bytes
// of a word whose count is not 1..3 are none.
QByteArray DataWordBytes(quint32 Word);
// Packs the first min(Count, 3) bytes; missing bytes are 0.
quint32 PackDataWord(const char* Bytes, int Count);

// One row of the device's file list.
struct TDeviceFile {
    int Number = 0;
    QString Name;
    quint16 Size = 0;
    quint8 Info = 0; // the first info byte
};
// Reads the whole list: the count, then for every file its name and info. False (with the rows read
// so far) when any step failed; a listing that stopped part-way is no listing.
bool ListDeviceFiles(TFileMgrObject& Object, std::vector<TDeviceFile>& Files);
