#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QToolButton;
class QTreeWidget;
class TAdminOptions;
class TComPortConnection;
class TConfigTransferUi;
class TCustomConnectionConfig;
class TDm;
class TEmulatorStatsForm;
class TLauncher;
class TTcpPortConnection;
class TTrafficAttachDockDM;
class TTrafficDlg;
class TUdpPortConnection;
class TVirtualInstruments;

// The program's main window: the device list, connecting to a bus, searching it, and the way to
// every other window.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    TMainForm(TDm& Dm, TAdminOptions& Options, QWidget* parent = nullptr);
    ~TMainForm() override;

    void SetLanguage(int Language);
    void ApplyMode(bool Lite);
    void SetEmulatorActive(bool On);
    // Re-reads the texts of every window made at start-up.
    void BroadcastUpdateLanguage();
    // Refills the catalogue in the current language.
    void BuildDeviceRegister();
    Q_INVOKABLE void UpdateLanguage();
    // The first activation: columns, stored mode and language. Later ones do nothing.
    void FormActivate();
    bool Activated() const { return FActivated; }
    // The program's title by the language and the mode ("Dovuvavarovod Lite" in Lite mode).
    QString ApplicationTitle() const { return FApplicationTitle; }
    // The idle-time rules of the actions that depend on the bus.
    void UpdateActions();
    // "Group adjust.": a configuration file put on the selected devices of its type.
    TConfigTransferUi& ConfigUi() { return *FConfigUi; }

    TCustomConnectionConfig* ActiveConfig() const { return FActiveConfig; }
    TComPortConnection& ComConnection() { return *FComConnection; }
    TUdpPortConnection& UdpConnection() { return *FUdpConnection; }
    TTcpPortConnection& TcpConnection() { return *FTcpConnection; }
    // The traffic window and the module that feeds it, made with the main window and kept for the
    // whole run.
    TTrafficDlg& TrafficDlg() { return *FTraffic; }
    TTrafficAttachDockDM& TrafficDock() { return *FTrafficDock; }
    // The generator, tester and remote contact of the emulated devices.
    TVirtualInstruments& Instruments() { return *FInstruments; }

    // Asks Yes or No; a message box unless replaced (tests replace it).
    std::function<bool(const QString& Text)> OnConfirm;
    // Shows a message; a message box unless replaced.
    std::function<void(const QString& Text)> OnMessage;
    // The device-settings workflow for the current device (the device properties window).
    std::function<void()> OnDeviceSettings;
    // The emulator's set-up window: true when it was confirmed with devices to emulate.
    std::function<bool()> OnEmulatorSetup;

    QTreeWidget* DeviceList = nullptr;
    QToolButton* btnAP = nullptr;
    QAction *QuitBtn = nullptr, *ConnectBtn = nullptr, *FindBtn = nullptr, *PropertyBtn = nullptr,
            *GroupPropertyBtn = nullptr, *AppSelectorBtn = nullptr, *OscBtn = nullptr, *EmulatorBtn = nullptr,
            *AboutBtn = nullptr;
    QAction *actClose = nullptr, *actBusSettings = nullptr, *actBusConnect = nullptr,
            *actFindDevices = nullptr, *actDevSettings = nullptr, *actConvCfgDouble = nullptr,
            *actRS232LANRS485 = nullptr, *actCfgRepeater = nullptr, *actStartTestConnection = nullptr,
            *actGenerator = nullptr, *actTester = nullptr, *actRemoveContact = nullptr,
            *actChangeMode = nullptr, *actOscilloscope = nullptr, *actShowRangesList = nullptr,
            *actTraffic = nullptr, *actSetEngLang = nullptr, *actSetUkrLang = nullptr,
            *actSetGerLang = nullptr, *actSetFrenchLang = nullptr, *actSetSpanLang = nullptr,
            *actSetRusLang = nullptr, *actHelp = nullptr, *actAbout = nullptr, *actOrderProducts = nullptr,
            *actEmulator = nullptr, *actEmulatorStats = nullptr;
    QAction *menuCOMPort = nullptr, *menuTcpPort = nullptr, *menuUdpPort = nullptr;
    QMenu *MenuBus = nullptr, *MenuDevices = nullptr, *MenuService = nullptr, *MenuVirtualTools = nullptr;

public Q_SLOTS:
    void menuCOMPortClick();
    void menuUdpPortClick();
    void menuTcpPortClick();
    void btnAPClick();
    void ConnectBtnClick();
    void actFindDevicesExecute();
    void DeviceListSelectItem();
    void DeviceListChange();
    void actDevSettingsExecute();
    // "Applications": the selector of the selected device's applications.
    void AppSelectorBtnClick();
    void GroupPropertyBtnClick();
    void actChangeModeExecute();
    void actStartTestConnectionExecute();
    void actShowRangesListExecute();
    void actOscilloscopeExecute();
    void actHelpExecute();
    void actAboutExecute();
    void actEmulatorExecute();
    // "Emulator statistics": the live statistics window, beside the others.
    void actEmulatorStatsExecute();
    // F2 and "Traffic": hides the traffic window when it shows, shows it otherwise.
    void actTrafficExecute();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildActions();
    void ChooseConfig(TCustomConnectionConfig* config, int accessPointId);
    void UpdateConnectionState();
    void UpdateSelectionButtons();
    void Message(const QString& text);
    // The list's background by the mode, and a selection that shows on it.
    void ApplyListColours(bool Lite);
    void BuildTraffic();

    TDm& FDm;
    TAdminOptions& FOptions;
    std::unique_ptr<TComPortConnection> FComConnection;
    std::unique_ptr<TUdpPortConnection> FUdpConnection;
    std::unique_ptr<TTcpPortConnection> FTcpConnection;
    TCustomConnectionConfig* FActiveConfig = nullptr;
    TTrafficDlg* FTraffic = nullptr;
    std::unique_ptr<TTrafficAttachDockDM> FTrafficDock;
    // Whoever watched the emulator's frames before the traffic monitor joined in.
    std::function<void(int Direction, const quint8* Data, int Length)> FEmulatorObserver;
    TEmulatorStatsForm* FEmulatorStats = nullptr;
    TVirtualInstruments* FInstruments = nullptr;
    std::unique_ptr<TConfigTransferUi> FConfigUi;
    QMenu* FLanguagesMenu = nullptr;
    QMenu* FHelpMenu = nullptr;
    QMenu* FApMenu = nullptr;
    bool FActivated = false;
    bool FLite = false;
    QString FApplicationTitle;
    TLauncher* FLauncher = nullptr;
};
