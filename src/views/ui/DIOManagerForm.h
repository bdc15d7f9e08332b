#pragma once

#include <QDialog>
#include <QtGlobal>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QTreeWidget;
class QVBoxLayout;
class TAdminOptions;
class TDeviceRegister;
class TDIChannel;
class TDIOManager;
class TDIOManagerExt;
class TProcessTimer;
class TZUVOModule;
struct TDeviceProps;

// How many outputs and inputs the smaller manager's window shows for a device, and which discrete
// input (by the model's input index) reports the module's temperature, -1 for none.
struct TDIOManagerLayout {
    int Outputs = 0;
    int Inputs = 0;
    int TemperatureInput = -1;
};
TDIOManagerLayout DIOManagerLayoutFor(const TDeviceProps& Device, const TDeviceRegister& Catalogue);

// The same for the larger manager. The outputs follow the inputs in the manager's numbering except
// on type code 43, whose present points are listed in OutputPoints / InputPoints.
struct TDIOManagerExtLayout {
    std::vector<int> InputPoints;  // manager index of input row i
    std::vector<int> OutputPoints; // manager index of output row i
};
TDIOManagerExtLayout DIOManagerExtLayoutFor(const TDeviceProps& Device, const TDeviceRegister& Catalogue);

// The live panel of the smaller discrete manager: every output as a check box with its state, every
// input with its state, the protected mode, all outputs to 0 or 1, the save to flash and the
// temperature. Output writes are queued and made by the next tick, retried until they go through.
class TDIOManagerForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTickMs = 50;

    TDIOManagerForm(const TDeviceRegister& Catalogue, TAdminOptions& Options, QWidget* parent = nullptr);
    ~TDIOManagerForm() override;

    // Shows the window modally for the device; false (nothing shown) when its mode cannot be read.
    bool Execute(TZUVOModule& Module, const TDeviceProps& Device);
    Q_INVOKABLE void UpdateLanguage();

    QCheckBox* SafeModeEdit = nullptr;
    QLabel* lbOutputs = nullptr;
    QLabel* lbInputs = nullptr;
    QScrollArea* ScrollBox = nullptr;
    QPushButton *SetLowLevelBtn = nullptr, *SetHiLevelBtn = nullptr, *SetDoChannels = nullptr,
                *ToFlashBtn = nullptr, *Button2 = nullptr;
    QTreeWidget* DIChannelList = nullptr;
    QGroupBox* AddInfoBox = nullptr;
    QCheckBox* AddInfoCheckBox = nullptr;
    QLabel* lbTemperature = nullptr;
    QLabel* TemperatureLb = nullptr;
    TProcessTimer* Timer = nullptr;
    std::vector<QCheckBox*> OutputBoxes;
    std::vector<QLabel*> OutputStates;

public Q_SLOTS:
    void TimerTimer();
    void Button2Click();
    void SetLowLevelBtnClick(int Level);
    void SetDoChannelsClick();
    void ToFlashBtnClick();
    void AddInfoCheckBoxClick();

protected:
    void closeEvent(QCloseEvent* Event) override;
    void reject() override;

private:
    void BuildRows();
    void DestroyRows();
    void ShowStates();

    const TDeviceRegister& FCatalogue;
    TAdminOptions& FOptions;
    TZUVOModule* FModule = nullptr;
    TDIOManager* FManager = nullptr;
    TDIChannel* FTemperatureInput = nullptr;
    QVBoxLayout* FRowsLayout = nullptr;
    TDIOManagerLayout FLayout;
    quint32 FTypeExtension = 0;
    quint32 FTypeCode = 0;
    quint32 FMask = 0;
    bool FPolling = false;
    bool FSetPending = false;
    bool FFlashPending = false;
    bool FShowTemperature = false;
};

// The live panel of the larger discrete manager: outputs above, inputs below, refreshed every second
// while "Auto" is on or by the refresh button.
class TDIOManagerExtDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTickMs = 1000;

    explicit TDIOManagerExtDlg(QWidget* parent = nullptr);
    ~TDIOManagerExtDlg() override;

    bool Execute(TZUVOModule& Module, const TDeviceProps& Device, const TDeviceRegister& Catalogue);
    Q_INVOKABLE void UpdateLanguage();

    QWidget* OutputPanel = nullptr;
    QWidget* InputPanel = nullptr;
    QLabel* lbOutputs = nullptr;
    QLabel* lbInputs = nullptr;
    QCheckBox* SafeModeEdit = nullptr;
    QPushButton *SpeedButtonAuto = nullptr, *SetLowLevelBtn = nullptr, *SetHiLevelBtn = nullptr,
                *BitBtnRefresh = nullptr;
    QTreeWidget* DIChannelList = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel *StatusModel = nullptr, *StatusInputs = nullptr, *StatusOutputs = nullptr;
    TProcessTimer* Timer = nullptr;
    std::vector<QCheckBox*> OutputBoxes;
    std::vector<QLabel*> OutputStates;

public Q_SLOTS:
    void BitBtnRefreshClick();
    void TimerTimer();
    void SetLowLevelBtnClick();
    void SetHiLevelBtnClick();
    void SpeedButtonAutoClick();
    void ScrollBoxClick();

protected:
    void done(int Result) override;

private:
    void Refresh();
    void SetAll(bool Level);

    TZUVOModule* FModule = nullptr;
    TDIOManagerExt* FManager = nullptr;
    QVBoxLayout* FRowsLayout = nullptr;
    TDIOManagerExtLayout FLayout;
    bool FSetPending = false;
};

// Makes both windows the ones the device properties window opens for a manager channel.
void RegisterDIOManagerWindows(TDIOManagerForm& Form, TDIOManagerExtDlg& ExtDlg,
                               const TDeviceRegister& Catalogue);
