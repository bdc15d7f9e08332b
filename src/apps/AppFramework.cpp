#include "apps/AppFramework.h"

#include "localization/AppsLanguage.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

TCustomFileSaver::TCustomFileSaver() : FDirectory(DefaultDirectory()) {
    FFilePath = PathFor(FFileIndex);
}

TCustomFileSaver::~TCustomFileSaver() = default;

QString TCustomFileSaver::DefaultDirectory() {
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        docs = QDir::homePath();
    return docs + QStringLiteral("/Dovuvavarovod");
}

void TCustomFileSaver::SetDirectory(const QString& Dir) {
    FDirectory = Dir;
    if (!FActive)
        FFilePath = PathFor(FFileIndex);
}

QString TCustomFileSaver::PathFor(int Index) const {
    return QDir(FDirectory).filePath(QStringLiteral("Archive%1.dat").arg(Index));
}

void TCustomFileSaver::SetActive(bool On) {
    if (On == FActive)
        return;
    if (!On) {
        ++FFileIndex;
        FActive = false;
        FDue = false;
        CloseFile();
        FFilePath = PathFor(FFileIndex);
        return;
    }
    QString path;
    for (;;) {
        path = PathFor(FFileIndex);
        if (!QFileInfo::exists(path))
            break;
        const TFileExistsAnswer answer = OnFileExists ? OnFileExists(QFileInfo(path).fileName()) : feAbort;
        if (answer == feReplace)
            break;
        if (answer != feNext)
            return;
        ++FFileIndex;
    }
    FFilePath = path;
    QDir().mkpath(FDirectory);
    QString error;
    if (!OpenFile(path, error)) {
        // Claiming to record into a file that does not exist would lose every line unnoticed.
        if (OnMessage) {
            const QString text = AppsLanguage().Texts(CurrentLanguage()).MsgFileAccessError;
            OnMessage(text + QStringLiteral("\n") + QDir::toNativeSeparators(path) +
                      (error.isEmpty() ? QString() : QStringLiteral("\n") + error));
        }
        return;
    }
    FActive = true;
    FDue = false;
    FNextDueMs = 0; // the first refresh after the start writes the first line
    FClock.start();
}

bool TCustomFileSaver::DueCheck() {
    if (!FActive) {
        FDue = false;
        return false;
    }
    if (!FDue) {
        const qint64 now = FClock.elapsed();
        if (now >= FNextDueMs) {
            FDue = true;
            // Keep to the grid of intervals from the start, so that refreshes that come a little late
            // do not make the lines drift; after a long stall the grid starts again from now.
            FNextDueMs += qMax(SaveInterval, 1);
            if (FNextDueMs <= now)
                FNextDueMs = now + qMax(SaveInterval, 1);
        }
    }
    return FDue;
}

TStringFileSaver::~TStringFileSaver() {
    CloseFile();
}

bool TStringFileSaver::OpenFile(const QString& Path, QString& Error) {
    CloseFile();
    FFile.setFileName(Path);
    if (!FFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        Error = FFile.errorString();
        return false;
    }
    if (!Header.isEmpty()) {
        FFile.write((Header + QLatin1Char('\n')).toUtf8());
        FFile.flush();
    }
    return true;
}

void TStringFileSaver::CloseFile() {
    if (FFile.isOpen())
        FFile.close();
}

bool TStringFileSaver::WriteLine(const QString& Text) {
    if (!Due() || !FFile.isOpen())
        return false;
    // Flushed line by line: a recording cut short by a crash keeps every line up to it.
    FFile.write((Text + QLatin1Char('\n')).toUtf8());
    FFile.flush();
    LineWritten();
    return true;
}

QString LogLine(const QDateTime& Time, const QStringList& Fields) {
    QStringList parts;
    parts << Time.toString(Qt::ISODateWithMs);
    parts << Fields;
    return parts.join(QLatin1Char('\t'));
}

QString LogNumber(double Value) {
    return QLocale::c().toString(Value, 'g', 7);
}

TAppController::TAppController() : FSaver(std::make_unique<TStringFileSaver>()) {}

TAppController::~TAppController() = default;

void TAppController::SetInterval(int Value) {
    if (FRunning || Value == FInterval || Value < 10)
        return;
    FInterval = Value;
    if (OnChange)
        OnChange();
}

void TAppController::SetSaveInterval(int Value) {
    if (FRunning || Value == FSaver->SaveInterval || Value < 10)
        return;
    FSaver->SaveInterval = Value;
    if (OnChange)
        OnChange();
}

void TAppController::Refresh() {
    FSaver->DueCheck();
    if (OnRefresh)
        OnRefresh(this);
}

void TAppController::Options() {
    if (OnOptions)
        OnOptions(this);
}

void TAppController::Start() {
    if (OnStart)
        OnStart(this);
}

void TAppController::Stop() {
    if (OnStop)
        OnStop(this);
}

void TAppDescriptor::SetAppController(TAppController* C) {
    FAppController = C;
    if (C)
        C->SetAppDescriptor(this);
}

bool HasApplications(quint32 TypeCode) {
    return TypeCode == 21 || TypeCode == 44;
}
