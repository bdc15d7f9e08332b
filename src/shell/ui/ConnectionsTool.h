#pragma once

#include "protocol/TransferProtocol.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>

class QLabel;
class QStatusBar;
class QTreeWidget;
class TAccessPoint;
class TAdminOptions;
class TBusSettingsForm;
class TDm;
class TFindDevices;
class TTCPFindingDlg;
class TTCPPortDlg;
class TUDPFindingDlg;
class TUDPPortDlg;
struct TDeviceProps;

// "COM port connection error", then the port as "COM2 (/dev/ttyS1)" and the system's reason, and for
// a refused permission what the user must do about it.
QString ComPortErrorText(int Port, const QString& DevicePath, const QString& Reason, bool Permission,
                         quint8 Language);

// One kind of access point as the main window works with it: how to set it up, open and close it,
// show its settings, search through it, and how the device list and status bar look for it.
class TCustomConnectionConfig {
public:
    TCustomConnectionConfig(QTreeWidget* DeviceList, QStatusBar* StatusBar, TDm& Dm, TAdminOptions& Options);
    virtual ~TCustomConnectionConfig();
    TCustomConnectionConfig(const TCustomConnectionConfig&) = delete;
    TCustomConnectionConfig& operator=(const TCustomConnectionConfig&) = delete;

    // The name on the access point button.
    virtual QString GetName() const { return {}; }
    // Makes this configuration the one shown: empties the device list and the view, then builds
    // its columns and status panels.
    virtual void SetupView();
    virtual void ResizeColumns() {}
    virtual void UpdateLanguage() {}
    // Shows the settings dialog; true when the user confirmed it.
    virtual bool ShowSettings() { return false; }
    virtual bool Connect() { return false; }
    virtual void Disconnect() {}
    virtual void Search() {}
    virtual bool IsConnected() const { return false; }

    // Makes AP the current access point of the application and of its raw module.
    void SetCurrentAccessPoint(TAccessPoint* AP);
    void AddStatusPanel(int Width, Qt::Alignment Alignment);
    // Panel i's text holder, nothing out of range (tests and the traffic window read them).
    QLabel* Panel(int Index) const;

    // The traffic monitor's hooks: the port or remote port, and the connection state.
    std::function<void(int Port)> OnTrafficPort;
    std::function<void(bool Connected)> OnTrafficConnected;
    // The protocol chosen in the search dialog, which the traffic monitor decodes.
    std::function<void(TTransferProtocol Protocol)> OnTrafficProtocol;
    // Shows an error message; a message box unless replaced (tests replace it).
    std::function<void(const QString& Text)> OnError;
    // The connection changed by itself (not by Connect or Disconnect): the window's buttons follow.
    std::function<void()> OnStateChange;

protected:
    // Empties the application's device list and the view (a scan start does the same).
    void ClearDevices();
    // Adds a found device to the application's list and, if the list takes it, a row to the view.
    // True when it was listed.
    bool AddDevice(std::unique_ptr<TDeviceProps> Props, const QStringList& Columns);
    void ShowError(const QString& Text);
    void SetPanel(int Index, const QString& Text);
    // Creates the columns with their widths; the flexible one is then fitted.
    void SetColumns(const QList<int>& Widths, int Flexible);
    // The flexible column gets what the others leave of the list's width, less 221. The others count
    // with the widths they were made with: the last column stretches over what is left, and its
    // stretched width must not squeeze the flexible one on the next fit.
    void FitColumn();

    QList<int> FColumnWidths;
    int FFlexible = -1;
    QTreeWidget* FDeviceList;
    QStatusBar* FStatusBar;
    TDm& FDm;
    TAdminOptions& FOptions;

private:
    QList<QLabel*> Panels() const;
};

// The serial bus.
class TComPortConnection : public TCustomConnectionConfig {
public:
    TComPortConnection(QTreeWidget* DeviceList, QStatusBar* StatusBar, TDm& Dm, TAdminOptions& Options);
    ~TComPortConnection() override;

    // The status panels.
    enum {
        kPanelPortLabel,
        kPanelPortName,
        kPanelBaudLabel,
        kPanelBaud,
        kPanelStateLabel,
        kPanelConnected,
        kPanelEcho
    };

    QString GetName() const override;
    void SetupView() override;
    void ResizeColumns() override;
    void UpdateLanguage() override;
    bool ShowSettings() override;
    bool Connect() override;
    void Disconnect() override;
    void Search() override;
    bool IsConnected() const override;

    // Made on first use.
    TBusSettingsForm& SettingsDialog();
    TFindDevices& ScanDialog();

private:
    // The bus found out that the line echoes: say so where the connection's state is shown.
    void ShowLocalEcho();

    std::unique_ptr<TBusSettingsForm> FSettings;
    std::unique_ptr<TFindDevices> FScan;
};

// Devices behind a UDP gateway.
class TUdpPortConnection : public TCustomConnectionConfig {
public:
    TUdpPortConnection(QTreeWidget* DeviceList, QStatusBar* StatusBar, TDm& Dm, TAdminOptions& Options);
    ~TUdpPortConnection() override;

    QString GetName() const override;
    void SetupView() override;
    void ResizeColumns() override;
    void UpdateLanguage() override;
    bool ShowSettings() override;
    bool Connect() override;
    void Disconnect() override;
    void Search() override;
    bool IsConnected() const override;

    // The status panels.
    enum {
        kPanelHostLabel,
        kPanelHost,
        kPanelRemoteLabel,
        kPanelRemotePort,
        kPanelLocalLabel,
        kPanelLocalPort,
        kPanelConnected
    };

    TUDPPortDlg& SettingsDialog();
    TUDPFindingDlg& SearchDialog();

private:
    std::unique_ptr<TUDPPortDlg> FSettings;
    std::unique_ptr<TUDPFindingDlg> FSearch;
};

// Devices behind a TCP converter: a serial device server passing the bus's frames unchanged, or a
// Modbus TCP gateway.
class TTcpPortConnection : public TCustomConnectionConfig {
public:
    TTcpPortConnection(QTreeWidget* DeviceList, QStatusBar* StatusBar, TDm& Dm, TAdminOptions& Options);
    ~TTcpPortConnection() override;

    QString GetName() const override;
    void SetupView() override;
    void ResizeColumns() override;
    void UpdateLanguage() override;
    bool ShowSettings() override;
    bool Connect() override;
    void Disconnect() override;
    void Search() override;
    bool IsConnected() const override;

    // The status panels.
    enum {
        kPanelHostLabel,
        kPanelHost,
        kPanelPortLabel,
        kPanelPort,
        kPanelFramingLabel,
        kPanelFraming,
        kPanelState
    };
    // What the state panel says.
    enum class TLinkState { None, Connected, PeerClosed, Lost };
    TLinkState LinkState() const { return FLinkState; }

    TTCPPortDlg& SettingsDialog();
    TTCPFindingDlg& SearchDialog();

private:
    // The access point's news of its connection, possibly from inside an exchange.
    void LinkChanged(int Event, const QString& Why);
    void ShowLinkState(TLinkState State, const QString& Why);
    // The host, port and framing of the open access point in their panels.
    void ShowValues();

    std::unique_ptr<TTCPPortDlg> FSettings;
    std::unique_ptr<TTCPFindingDlg> FSearch;
    TLinkState FLinkState = TLinkState::None;
    QString FLinkWhy;
    bool FConnecting = false;
};
