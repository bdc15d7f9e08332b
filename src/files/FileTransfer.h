#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>

class TFileMgrObject;

// How a transfer ended.
enum class TTransferResult {
    Done,
    Stopped,      // the user stopped it
    OpenFailed,   // the device did not select or open the file
    ChunkFailed,  // a data word failed after the access point's tries; Offset() tells where
    Short,        // the device fell silent before the size from its file list was reached
    CloseFailed,  // the device did not close the file
    ComputerFile, // the computer file could not be read or written
};

struct TTransferProgress {
    qint64 Done = 0;
    qint64 Total = 0; // 0: not known
    double BytesPerSecond = 0;
    qint64 MsLeft = -1; // -1: not known
};

// Moves one device file through the file-manager object, three bytes a data word, reporting every
// word and the progress. Reading from the device ends when the size from the device's file list has
// arrived, or after QuietMs without a byte (for a file whose size is not known, and for a device that
// stops short), or at the first word without bytes for "Passport.txt", which the devices end so.
// Writing goes straight into the device's file, so a failure there leaves it partly written and is
// reported with the offset reached. Either way the device file is closed at the end.
class TFileTransfer {
public:
    explicit TFileTransfer(TFileMgrObject& Object) : FObject(Object) {}

    int QuietMs = 3000;
    // Every data word that carried bytes, with its bytes.
    std::function<void(const QByteArray& Bytes, quint32 Word)> OnData;
    // After every exchange: the window processes its events here (a click on "Stop" lands then).
    std::function<void()> OnIdle;
    // At most every ProgressMs, and once at the end.
    std::function<void(const TTransferProgress&)> OnProgress;
    int ProgressMs = 200;

    void Stop() { FStopRequested = true; }

    // Reads device file Number (named Name, of Size bytes, 0 when not known) into Data.
    TTransferResult ReadFile(int Number, const QString& Name, qint64 Size, QByteArray& Data);
    TTransferResult WriteFile(int Number, const QByteArray& Data);

    // Reads the device file into the computer file Path. The computer file is written beside the
    // target and put in place only when the whole transfer succeeded: a failed or stopped copy leaves
    // whatever was there before.
    TTransferResult CopyToComputer(int Number, const QString& Name, qint64 Size, const QString& Path);
    TTransferResult CopyToDevice(const QString& Path, int Number);

    // The bytes transferred when the transfer ended.
    qint64 Offset() const { return FOffset; }
    qint64 Total() const { return FTotal; }
    // The device's status word after a failed data word, when it could be read.
    bool HasStatus() const { return FHasStatus; }
    quint32 Status() const { return FStatus; }
    // Why the computer file failed (ComputerFile).
    QString FileError() const { return FFileError; }

private:
    bool Open(int Number, int Mode);
    TTransferResult Finish(TTransferResult Result);
    void ChunkFailed();
    void Progress(bool Force);

    TFileMgrObject& FObject;
    bool FStopRequested = false;
    qint64 FOffset = 0;
    qint64 FTotal = 0;
    bool FHasStatus = false;
    quint32 FStatus = 0;
    QString FFileError;
    qint64 FStartMs = 0;
    qint64 FLastProgressMs = -1;
};

struct TFileMgrLanguage;
// The message for how a transfer ended, in the given language; empty for Done. Path names the
// computer file for ComputerFile.
QString TransferMessage(TTransferResult Result, const TFileTransfer& Transfer, const TFileMgrLanguage& Texts,
                        const QString& Path = {});
// "1200 of 4000 bytes, 950 B/s, 3 s left".
QString ProgressText(const TTransferProgress& Progress, const TFileMgrLanguage& Texts);
