#pragma once

#include "protocol/TransferProtocol.h"

#include <QDateTime>
#include <QDialog>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QTimer;
class QTableView;
class QTableWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class TDeviceList;
class TPackageContainer;
class TPackageListModel;
struct TContainerItem;
struct TDecodedNode;
struct TTrafficWords;
struct TTrafficLanguage;

// "Traffic": the packages exchanged with the devices, newest on top, each decoded as a Nerix or a
// Modbus RTU frame, byte by byte, with what the device profiles say about the object it addresses.
// Made once at start-up and shown on demand; it keeps its packages while hidden.
class TTrafficDlg : public QDialog {
    Q_OBJECT
public:
    // Byte grid: 25 bytes to a row, 10 rows.
    static constexpr int kGridColumns = 25;
    static constexpr int kGridRows = 10;
    // While packages arrive and the window is shown, they are listed at most this often.
    static constexpr int kRefreshMs = 100;

    explicit TTrafficDlg(QWidget* parent = nullptr);
    ~TTrafficDlg() override;

    // Stores a captured package and lists it at the top: at once while the window is hidden, else
    // within kRefreshMs together with the others that came meanwhile (ListPending lists them now).
    // The package after the last one the store holds (TPackageContainer::kLimit) clears
    // everything first, packages not listed yet included, and is numbered 0 again. Ticks are the
    // monotonic clock's nanoseconds at capture (-1 unknown), from which response times come.
    void AddPackage(quint8 Direction, const quint8* Data, quint16 Length, const QDateTime& Time,
                    qint64 Ticks = -1);

    // The serial port, counted from 0 for COM1: the port label reads "COM" and Port + 1.
    void SetMasterPort(int Port);
    // A UDP gateway's remote port: the label reads "UDP" and the port.
    void SetMasterUdpPort(int RemotePort);
    // A TCP converter's port: shown as "TCP n". A file keeps only the number, as it keeps a UDP
    // gateway's, so a loaded one names it as UDP.
    void SetMasterTcpPort(int RemotePort);
    int MasterPort() const { return FMasterPort; }
    // Capturing is possible only while a connection is open (or the emulator listens).
    void SetConnected(bool Value);
    bool Connected() const { return FConnected; }
    void SetEmulatorRunning(bool Value);
    // The protocol the packages are decoded in; only Nerix and Modbus RTU are decoded, any other
    // choice leaves the current one.
    void SetProtocol(TTransferProtocol Value);
    TTransferProtocol Protocol() const { return FProtocol; }
    // Where the device context comes from; nothing leaves the context list empty.
    void SetProfiles(const TDeviceList* Profiles) { FProfiles = Profiles; }
    bool Capturing() const;

    // The store and its list.
    TPackageContainer& Packages() { return *FPackages; }
    TPackageListModel& ListModel() { return *FModel; }
    // The package shown in the structure tab (the current row); -1 for none.
    int ShownPackage() const { return FShown; }
    // The decoder's words in the current language.
    static TTrafficWords Words(const TTrafficLanguage& Texts);

    // The copy commands' texts (also what they put on the clipboard).
    QString SelectedPackagesText() const;
    QString DelphiArrayText() const;
    QString CArrayText() const;

    // The file commands without their dialogs. True when done; the failure message is shown.
    bool SaveToFile(const QString& Path);
    bool LoadFromFile(const QString& Path);

    // Lists the packages stored since the list was last brought up to date, and the counter.
    void ListPending();

    Q_INVOKABLE void UpdateLanguage();

    // Capture started and stopped (set by the data module).
    std::function<void()> OnStartCapture;
    std::function<void()> OnStopCapture;
    // Shows a message; a message box unless replaced (tests replace it).
    std::function<void(const QString& Text)> OnMessage;
    // Ask for a file to save to or load from; the standard dialogs unless replaced. Empty: cancelled.
    std::function<QString()> OnAskSaveFile;
    std::function<QString()> OnAskOpenFile;

    QToolBar* ToolBar = nullptr;
    QAction *actSpyTraffic = nullptr, *actSaveToFile = nullptr, *actLoadFromFile = nullptr,
            *actDeletePackages = nullptr, *actExit = nullptr;
    QTabWidget* Tabs = nullptr;
    QLabel* PortLb = nullptr;
    QTableView* PkgList = nullptr;
    QTreeWidget* PkgTree = nullptr;
    QRadioButton* ModbusRtuRb = nullptr;
    QRadioButton* NerixRb = nullptr;
    QTableWidget* PkgGrid = nullptr;
    QTreeWidget* ActionsList = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* CountLabel = nullptr;
    QLabel* CountValue = nullptr;
    QMenu* PkgListMenu = nullptr;
    QMenu* PkgGridMenu = nullptr;
    QAction *actListCopy = nullptr, *actGridCopy = nullptr, *actCopyDelphi = nullptr, *actCopyC = nullptr;

public Q_SLOTS:
    void actSpyTrafficExecute(bool Checked);
    void actSaveToFileExecute();
    void actLoadFromFileExecute();
    void actDeletePackagesExecute();
    void PkgListCopy();
    void PkgGridCopy();
    void PkgGridCopyDelphi();
    void PkgGridCopyC();
    // Closing the window (Exit, Escape, the title bar) ends a capture; F2 only hides it.
    void reject() override;

private:
    void UpdateActions();
    void UpdatePortLabel();
    void UpdateCounter();
    // Shows the package of the current row (or clears the views when there is none).
    void ShowPackage();
    void ShowTree(const std::vector<TDecodedNode>& Nodes, QTreeWidgetItem* Parent);
    // A decoded line in the window's language.
    QString NodeText(const QString& Text) const;
    void ClearPackageViews();
    void TreeNodeClicked(QTreeWidgetItem* Item);
    void Message(const QString& Text);
    const TTrafficLanguage& Texts() const;
    // The packages of the selected rows, newest first.
    std::vector<const TContainerItem*> SelectedPackages() const;

    std::unique_ptr<TPackageContainer> FPackages;
    TPackageListModel* FModel = nullptr;
    TTransferProtocol FProtocol = tpNerix;
    const TDeviceList* FProfiles = nullptr;
    int FMasterPort = 0;
    bool FMasterKnown = false;
    bool FMasterUdp = false;
    bool FMasterTcp = false;
    bool FConnected = false;
    bool FEmulator = false;
    int FShown = -1;
    QTimer* FRefresh = nullptr;
};
