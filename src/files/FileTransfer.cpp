#include "files/FileTransfer.h"

#include "localization/FileMgrLanguage.h"
#include "model/FileMgrObject.h"
#include "platform/Ticks.h"

#include <QFile>
#include <QSaveFile>

bool TFileTransfer::Open(int Number, int Mode) {
    FStopRequested = false;
    FOffset = 0;
    FHasStatus = false;
    FStatus = 0;
    FFileError.clear();
    FStartMs = qint64(TickCount());
    FLastProgressMs = -1;
    return FObject.SelectFile(Number) && FObject.OpenFile(Mode);
}

void TFileTransfer::ChunkFailed() {
    quint32 status = 0;
    FHasStatus = FObject.ReadStatus(status);
    FStatus = status;
}

void TFileTransfer::Progress(bool Force) {
    if (!OnProgress)
        return;
    const qint64 now = qint64(TickCount());
    if (!Force && FLastProgressMs >= 0 && now - FLastProgressMs < ProgressMs)
        return;
    FLastProgressMs = now;
    TTransferProgress p;
    p.Done = FOffset;
    p.Total = FTotal;
    const qint64 elapsed = now - FStartMs;
    if (elapsed > 0)
        p.BytesPerSecond = double(FOffset) * 1000.0 / double(elapsed);
    if (FTotal > 0 && p.BytesPerSecond > 0)
        p.MsLeft = qint64(double(qMax<qint64>(FTotal - FOffset, 0)) * 1000.0 / p.BytesPerSecond);
    OnProgress(p);
}

TTransferResult TFileTransfer::Finish(TTransferResult Result) {
    Progress(true);
    // The device file is closed whatever happened before, so the device is left ready for the next.
    const bool closed = FObject.CloseFile();
    if (Result == TTransferResult::Done && !closed)
        return TTransferResult::CloseFailed;
    return Result;
}

TTransferResult TFileTransfer::ReadFile(int Number, const QString& Name, qint64 Size, QByteArray& Data) {
    Data.clear();
    FTotal = qMax<qint64>(Size, 0);
    if (!Open(Number, 0))
        return TTransferResult::OpenFailed;
    const bool passport = Name == QLatin1String("Passport.txt");
    qint64 lastByteMs = qint64(TickCount());
    for (;;) {
        if (FStopRequested)
            return Finish(TTransferResult::Stopped);
        if (FTotal > 0 && FOffset >= FTotal)
            return Finish(TTransferResult::Done);
        quint32 w = 0;
        if (!FObject.ReadData(w)) {
            ChunkFailed();
            return Finish(TTransferResult::ChunkFailed);
        }
        const QByteArray bytes = DataWordBytes(w);
        if (!bytes.isEmpty()) {
            Data += bytes;
            FOffset += bytes.size();
            lastByteMs = qint64(TickCount());
            if (OnData)
                OnData(bytes, w);
        } else if (passport) {
            return Finish(TTransferResult::Done);
        } else if (qint64(TickCount()) - lastByteMs >= QuietMs) {
            return Finish(FTotal > 0 ? TTransferResult::Short : TTransferResult::Done);
        }
        Progress(false);
        if (OnIdle)
            OnIdle();
    }
}

TTransferResult TFileTransfer::WriteFile(int Number, const QByteArray& Data) {
    FTotal = Data.size();
    if (!Open(Number, 1))
        return TTransferResult::OpenFailed;
    while (FOffset < Data.size()) {
        if (FStopRequested)
            return Finish(TTransferResult::Stopped);
        const int n = int(qMin<qint64>(3, Data.size() - FOffset));
        const quint32 w = PackDataWord(Data.constData() + FOffset, n);
        if (!FObject.WriteData(w)) {
            ChunkFailed();
            return Finish(TTransferResult::ChunkFailed);
        }
        FOffset += n;
        if (OnData)
            OnData(Data.mid(FOffset - n, n), w);
        Progress(false);
        if (OnIdle)
            OnIdle();
    }
    return Finish(TTransferResult::Done);
}

TTransferResult TFileTransfer::CopyToComputer(int Number, const QString& Name, qint64 Size,
                                              const QString& Path) {
    // Opened first: a target that cannot be written costs no traffic. QSaveFile writes beside the
    // target and renames over it on commit only.
    QSaveFile file(Path);
    if (!file.open(QIODevice::WriteOnly)) {
        FOffset = 0;
        FFileError = file.errorString();
        return TTransferResult::ComputerFile;
    }
    QByteArray data;
    const TTransferResult result = ReadFile(Number, Name, Size, data);
    if (result != TTransferResult::Done) {
        file.cancelWriting();
        return result;
    }
    if (file.write(data) != data.size() || !file.commit()) {
        FFileError = file.errorString();
        return TTransferResult::ComputerFile;
    }
    return result;
}

TTransferResult TFileTransfer::CopyToDevice(const QString& Path, int Number) {
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly)) {
        FOffset = 0;
        FFileError = file.errorString();
        return TTransferResult::ComputerFile;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        FFileError = file.errorString();
        return TTransferResult::ComputerFile;
    }
    return WriteFile(Number, data);
}

QString TransferMessage(TTransferResult Result, const TFileTransfer& Transfer, const TFileMgrLanguage& Texts,
                        const QString& Path) {
    switch (Result) {
    case TTransferResult::Done:
        return {};
    case TTransferResult::Stopped:
        return Texts.MsgStopped.arg(Transfer.Offset());
    case TTransferResult::OpenFailed:
        return Texts.MsgErrorOpening;
    case TTransferResult::ChunkFailed: {
        QString text = Texts.MsgChunkFailed.arg(Transfer.Offset()).arg(Transfer.Total());
        if (Transfer.HasStatus())
            text += QStringLiteral(" (") + Texts.MsgDeviceStatus.arg(Transfer.Status()) + QLatin1Char(')');
        return text;
    }
    case TTransferResult::Short:
        return Texts.MsgShort.arg(Transfer.Offset()).arg(Transfer.Total());
    case TTransferResult::CloseFailed:
        return Texts.MsgErrorClosing;
    case TTransferResult::ComputerFile:
        return Texts.MsgComputerFile.arg(Path, Transfer.FileError());
    }
    return {};
}

QString ProgressText(const TTransferProgress& Progress, const TFileMgrLanguage& Texts) {
    const QString rate = QString::number(qRound64(Progress.BytesPerSecond));
    if (Progress.Total > 0)
        return Texts.ProgressKnown.arg(Progress.Done)
            .arg(Progress.Total)
            .arg(rate)
            .arg(Progress.MsLeft < 0 ? QStringLiteral("?") : QString::number((Progress.MsLeft + 999) / 1000));
    return Texts.ProgressUnknown.arg(Progress.Done).arg(rate);
}
