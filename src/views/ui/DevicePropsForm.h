#pragma once

#include "views/DeviceSettings.h"

#include <QDialog>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TAdminOptions;
class TConfigTransferUi;
class TDeviceServiceDlg;
class TDm;
class TSystemObjectModule;
class TZUVOModule;
struct TDeviceProps;

// The device properties window: a device's bus parameters for editing, its channels (the objects
// page), each opened in its own window, and the save of its settings to flash. Modal, created once
// at start-up; the device-settings workflow runs it through Execute.
class TDevicePropsForm : public QDialog {
    Q_OBJECT
public:
    TDevicePropsForm(TDm& Dm, TAdminOptions& Options, QWidget* parent = nullptr);
    ~TDevicePropsForm() override;

    // Shows the window for Device (TDm.CurrentDevice when the main window runs it). True when the
    // user pressed "Apply"; Edited then holds the values of the lists.
    bool Execute(TDeviceProps& Device, TDeviceParams& Edited);
    // Set when the window closes: the edited values differ from the device's.
    bool ParamsChanged() const { return FParamsChanged; }
    TDeviceParams Edited() const { return FEdited; }
    // The module the window saves and serves through: the device's template, or for a model
    // without one a module that reaches the device's system object. Nothing outside Execute.
    TZUVOModule* Module() const { return FModule; }
    TDeviceServiceDlg& ServiceDlg() { return *FServiceDlg; }
    // Saving the device's configuration to a file and loading one onto it (the flash page).
    TConfigTransferUi& ConfigUi() { return *FConfigUi; }

    Q_INVOKABLE void UpdateLanguage();

    QLabel *lbAddress = nullptr, *lbRate = nullptr, *lbProtocol = nullptr, *lbParity = nullptr,
           *lbStopBits = nullptr, *lbResponseTimeout = nullptr, *lbByteOrder = nullptr;
    QComboBox *AddressEdit = nullptr, *RateEdit = nullptr, *ProtocolEdit = nullptr, *ParityBox = nullptr,
              *cbStopBits = nullptr, *cbResponseTimeout = nullptr, *cbByteOrder = nullptr;
    QPushButton *ServiceBtn = nullptr, *SaveBtn = nullptr, *RestoreBtn = nullptr, *OkBtn = nullptr,
                *CancelBtn = nullptr, *SaveConfigBtn = nullptr, *LoadConfigBtn = nullptr;
    QTabWidget* Pages = nullptr;
    QWidget *ObjectsPage = nullptr, *FlashPage = nullptr;
    QTreeWidget* ChannelList = nullptr;
    QMenu* ChannelMenu = nullptr;
    QAction* N1 = nullptr;

public Q_SLOTS:
    void OkBtnClick();
    void CancelBtnClick();
    // The change handler of all seven lists.
    void ProtocolEditChange();
    void ChannelListDblClick();
    void N1Click();
    // False when the save failed.
    bool SaveBtnClick();
    void ServiceBtnClick();
    void SaveConfigBtnClick();
    void LoadConfigBtnClick();

protected:
    void showEvent(QShowEvent* Event) override;
    void done(int Result) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void FillLists();
    void Select(const TParamsSelection& Selection);
    TParamsSelection CurrentSelection() const;
    void FillChannelList();
    void UpdateMarker(QTreeWidgetItem* Item);
    void OpenSelectedChannel();
    void Message(const QString& Text);

    TDm& FDm;
    TAdminOptions& FOptions;
    TDeviceServiceDlg* FServiceDlg = nullptr;
    std::unique_ptr<TSystemObjectModule> FSystemModule;
    std::unique_ptr<TConfigTransferUi> FConfigUi;
    TDeviceProps* FDevice = nullptr;
    TZUVOModule* FModule = nullptr;
    TDeviceParams FEdited;
    TParamsSelection FRestore;
    bool FParamsChanged = false;
    bool FLoading = false;
};
