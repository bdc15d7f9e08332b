#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TAppController;

// What the user answers when the proposed log file exists already.
enum TFileExistsAnswer { feReplace, feNext, feAbort };

// Records an application's values to numbered files "Archive<n>.dat" in a directory, at most one
// line per save interval.
class TCustomFileSaver {
public:
    TCustomFileSaver();
    virtual ~TCustomFileSaver();

    int SaveInterval = 500; // ms
    QString Directory() const { return FDirectory; }
    void SetDirectory(const QString& Dir);
    int FileIndex() const { return FFileIndex; }
    // The file being written, or the one the next recording proposes first.
    QString FilePath() const { return FFilePath; }
    bool Active() const { return FActive; }
    bool Due() const { return FDue; }

    // Asked when the proposed file exists; unassigned means Abort (nothing is overwritten unasked).
    std::function<TFileExistsAnswer(const QString& FileName)> OnFileExists;
    // Shown when the file cannot be created.
    std::function<void(const QString& Text)> OnMessage;

    // True: picks the file (asking about existing ones) and starts recording; false: stops and moves
    // on to the next index. Nothing when the state is already the asked one. Recording stays off when
    // the user aborts or the file cannot be created.
    void SetActive(bool On);
    // Whether a line is due: set once per save interval while recording, measured on a monotonic
    // clock from the start of the recording; cleared when not recording.
    bool DueCheck();

    // The user's documents folder, subfolder "Dovuvavarovod".
    static QString DefaultDirectory();

protected:
    virtual bool OpenFile(const QString& Path, QString& Error) = 0;
    virtual void CloseFile() = 0;
    // A line went out: the next one waits for the next interval.
    void LineWritten() { FDue = false; }

private:
    QString PathFor(int Index) const;

    QElapsedTimer FClock;
    qint64 FNextDueMs = 0;
    bool FDue = false;
    QString FDirectory;
    QString FFilePath;
    bool FActive = false;
    int FFileIndex = 1;
};

// The text-line saver: a header line naming the columns when a file is created, then the lines.
class TStringFileSaver : public TCustomFileSaver {
public:
    ~TStringFileSaver() override;
    // Written as the first line of every new file; nothing when empty.
    QString Header;
    // Appends Text as one line when a line is due; true when it was written.
    bool WriteLine(const QString& Text);

protected:
    bool OpenFile(const QString& Path, QString& Error) override;
    void CloseFile() override;

private:
    QFile FFile;
};

// One log line: an ISO 8601 local time with milliseconds, then the fields, tab-separated.
QString LogLine(const QDateTime& Time, const QStringList& Fields);
// A number for a log line: "." decimals, no grouping, up to seven significant digits.
QString LogNumber(double Value);

class TAppDescriptor;

// The periodic side of an application: its intervals, running state and events. The control panel
// drives it; the application handles its events.
class TAppController {
public:
    using TNotify = std::function<void(TAppController* Sender)>;

    TAppController();
    ~TAppController();

    int Interval() const { return FInterval; }
    // Ignored while running, when unchanged, or below 10 ms; an accepted change calls OnChange.
    void SetInterval(int Value);
    int SaveInterval() const { return FSaver->SaveInterval; }
    void SetSaveInterval(int Value);
    TAppDescriptor* AppDescriptor() const { return FAppDescriptor; }
    void SetAppDescriptor(TAppDescriptor* D) { FAppDescriptor = D; }
    TStringFileSaver& Saver() { return *FSaver; }
    bool Running() const { return FRunning; }
    void SetRunning(bool On) { FRunning = On; }

    TNotify OnRefresh, OnStart, OnStop, OnOptions;
    // The control panel's refresh of its edits.
    std::function<void()> OnChange;

    // The saver's due check, then OnRefresh.
    void Refresh();
    void Options();
    void Start();
    void Stop();

private:
    int FInterval = 0;
    TAppDescriptor* FAppDescriptor = nullptr;
    std::unique_ptr<TStringFileSaver> FSaver;
    bool FRunning = false;
};

// One application in the selector: its names, the controller it runs and how it starts.
class TAppDescriptor {
public:
    QString AppName;
    QString AppDesc;
    int ImageIndex = -1;
    std::function<void(TAppDescriptor* Sender)> OnExecute;

    TAppController* AppController() const { return FAppController; }
    // Binds both ways.
    void SetAppController(TAppController* C);

private:
    TAppController* FAppController = nullptr;
};

// The applications a device type offers: those of the weight controllers (KVD-P340-BUS, 21, and
// KVD-P341-BUS, 44), none for any other.
bool HasApplications(quint32 TypeCode);
