#pragma once

#include "files/FileTransfer.h"
#include "model/FileMgrObject.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

// The progress window of long operations: a gauge in a panel. Created once and kept.
class TLoaderForm : public QDialog {
    Q_OBJECT
public:
    explicit TLoaderForm(QWidget* parent = nullptr);
    Q_INVOKABLE void UpdateLanguage();
    // Shows the window without blocking; Position of Max (Max 0: a busy gauge).
    void ShowProgress(int Position, int Max);

    QProgressBar* Gauge = nullptr;
};

// The device's file list: a double click on a row chooses that file.
class TSelectFileDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSelectFileDlg(QWidget* parent = nullptr);
    Q_INVOKABLE void UpdateLanguage();

    void SetFiles(const std::vector<TDeviceFile>& Files);
    // Shows the list modally; the file double-clicked, or nothing when closed otherwise.
    std::optional<TDeviceFile> Choose();

    QTreeWidget* FileList = nullptr;
    QPushButton* CloseBtn = nullptr;

private Q_SLOTS:
    void FileListDblClick(QTreeWidgetItem* Item);

private:
    std::vector<TDeviceFile> FFiles;
    std::optional<TDeviceFile> FChosen;
};

// One transfer: starts by itself 600 ms after it is shown, shows the progress, and "Стоп" ends it.
// Run returns whether the transfer succeeded; Result and the transfer say how it ended.
class TCopyFileDlg : public QDialog {
    Q_OBJECT
public:
    explicit TCopyFileDlg(QWidget* parent = nullptr);
    Q_INVOKABLE void UpdateLanguage();

    // FromDevice: copies device file File into ComputerFile (none: the bytes are only shown);
    // otherwise ComputerFile into device file File.
    bool Run(TFileMgrObject& Object, const TDeviceFile& File, bool FromDevice, const QString& ComputerFile);
    TTransferResult Result() const { return FResult; }
    // The message for the way it ended (empty when it succeeded).
    QString Message() const { return FMessage; }

    // Each data word's bytes, as they go.
    std::function<void(const QByteArray& Bytes, quint32 Word)> OnData;
    int QuietMs = 3000;

    QLabel* FileLabel = nullptr;
    QProgressBar* Animation = nullptr;
    QLabel* ProgressLabel = nullptr;
    QPushButton* StopBtn = nullptr;
    QTimer* Timer = nullptr;

public Q_SLOTS:
    // Esc and the window's close box stop a running transfer like "Стоп"; the window closes when the
    // transfer has ended.
    void reject() override;

private Q_SLOTS:
    void TimerTimer();
    void StopBtnClick();

private:
    TFileMgrObject* FObject = nullptr;
    TDeviceFile FFile;
    bool FFromDevice = true;
    QString FComputerFile;
    TFileTransfer* FTransfer = nullptr;
    bool FRunning = false;
    TTransferResult FResult = TTransferResult::Stopped;
    QString FMessage;
};

// The file manager of a weight controller: device files to the computer and back, the bytes scrolling
// in hexadecimal and as text.
class TFileMgrDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHexLineLength = 48; // twelve bytes as "[XX]"

    explicit TFileMgrDlg(QWidget* parent = nullptr);
    Q_INVOKABLE void UpdateLanguage();

    // Lists the device's files and shows the window modally; false when the listing failed (the
    // window is then not shown).
    bool Execute(TFileMgrObject& Object);
    // Lists the files without showing the window (Execute's first half).
    bool Prepare(TFileMgrObject& Object);

    // Hooks for what would otherwise ask the user: a message, a computer file (Save: to write).
    std::function<void(const QString& Text)> OnMessage;
    std::function<QString(bool Save)> OnAskComputerFile;
    // Which device file SpeedButton5 and SpeedButton6 choose; the file list otherwise.
    std::function<std::optional<TDeviceFile>()> OnAskDeviceFile;

    // The data notification: the bytes of one word to the lists (and the computer file).
    void DataNotify(const QByteArray& Bytes);

    QLabel *FromDeviceLb = nullptr, *ToDeviceLb = nullptr, *ToCompLb = nullptr, *FromCompLb = nullptr;
    QLabel *FromDeviceCaption = nullptr, *ToDeviceCaption = nullptr, *ToCompCaption = nullptr,
           *FromCompCaption = nullptr, *HexCaption = nullptr, *TextCaption = nullptr, *StatusLb = nullptr;
    QGroupBox *DeviceBox = nullptr, *ComputerBox = nullptr;
    QPushButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr,
                *SpeedButton4 = nullptr, *SpeedButton5 = nullptr, *SpeedButton6 = nullptr;
    QListWidget *HexList = nullptr, *ContentList = nullptr;
    TSelectFileDlg* SelectFileDlg = nullptr;
    TCopyFileDlg* CopyFileDlg = nullptr;
    TLoaderForm* LoaderForm = nullptr;

public Q_SLOTS:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();

private:
    void ClearChoices();
    void ClearLists();
    void ShowChoices();
    void Message(const QString& Text);
    std::optional<TDeviceFile> AskDeviceFile();

    TFileMgrObject* FObject = nullptr;
    std::optional<TDeviceFile> FFromDevice, FToDevice;
    QString FToComp, FFromComp;
    QString FText;
};

class TZUVOModule;
// Opens the window on the file manager of Template, the template serving the device (a P340 or P341
// model); nothing happens for a template without one.
void OpenFileMgr(TFileMgrDlg& Dlg, TZUVOModule* Template);
