#pragma once

#include "sensorbus/SensorBusDevice.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class QTimer;
class TSensorImage;
struct TImageCheck;
class TTSMSBusView;
class TWndFrameworkDlg;
class TWndFrmClient;
class TZUVOModule;
struct TDeviceProps;

// The sensor list: row 0 the processor, then one row per sensor of the bus.
class TSensorListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn {
        cNumber,
        cSensor,
        cValue,
        cHumidity,
        cAlarm,
        cAlarmMin,
        cAlarmMax,
        cRelay,
        cRelayMin,
        cRelayMax,
        cCount
    };
    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex& Parent = {}) const override;
    int columnCount(const QModelIndex& Parent = {}) const override;
    QVariant data(const QModelIndex& Index, int Role) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override;

    void SetRows(std::vector<TSensorRow> Rows);
    std::vector<TSensorRow>& Rows() { return FRows; }
    // New readings in Rows(): repaints the value columns only.
    void ValuesChanged();
    void RowChanged(int Row);
    void SwapRows(int A, int B);
    void Retranslate();
    // What a cell shows, as the table shows it.
    QString Text(int Row, int Column) const;

private:
    std::vector<TSensorRow> FRows;
};

// "Limits": alarm and relay flags and bounds of one sensor.
class TSensorLimitsDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSensorLimitsDlg(QWidget* Parent = nullptr);
    void Setup(const TSensorLimits& Limits);
    TSensorLimits Limits() const;
    Q_INVOKABLE void UpdateLanguage();

    QCheckBox *AlarmCheck = nullptr, *RelayCheck = nullptr;
    QSpinBox *AlarmMinEdit = nullptr, *AlarmMaxEdit = nullptr, *RelayMinEdit = nullptr,
             *RelayMaxEdit = nullptr;
    QLabel *AlarmMinLb = nullptr, *AlarmMaxLb = nullptr, *RelayMinLb = nullptr, *RelayMaxLb = nullptr;
    QPushButton *ApplyBtn = nullptr, *CancelBtn = nullptr;

private:
    quint32 FOtherFlags = 0; // flag bits this dialog does not edit travel back unchanged
};

// "Additional options": relay default, the values of a sensor that does not work, the jump.
class TAddOptionsDlg : public QDialog {
    Q_OBJECT
public:
    explicit TAddOptionsDlg(QWidget* Parent = nullptr);
    void Setup(const TDeviceOptions& Options, bool Signalling);
    TDeviceOptions Options() const;
    Q_INVOKABLE void UpdateLanguage();

    QCheckBox* RelayDefaultCheck = nullptr;
    QSpinBox *ErrorTempEdit = nullptr, *ErrorHumEdit = nullptr, *JumpEdit = nullptr;
    QLabel *ErrorTempLb = nullptr, *ErrorHumLb = nullptr, *JumpLb = nullptr;
    QPushButton *ApplyBtn = nullptr, *CancelBtn = nullptr;
    std::function<void(const QString&)> OnMessage;

public Q_SLOTS:
    void ApplyBtnClick();

private:
    TDeviceOptions FOptions;
};

// "Search": asks the bus for its sensor count on a timer until the device answers or 3 s pass.
class TScanProgressDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLimitMs = 3000;
    static constexpr int kTickMs = 100;
    static constexpr int kSettleMs = 300;

    explicit TScanProgressDlg(QWidget* Parent = nullptr);
    // Runs modally; true when the device answered in time.
    bool Run(std::function<bool()> ReadCount);
    Q_INVOKABLE void UpdateLanguage();

    QLabel* TextLb = nullptr;
    QProgressBar* Bar = nullptr;
    QTimer* Timer = nullptr;

private:
    void Tick();

    std::function<bool()> FReadCount;
    QElapsedTimer FClock;
    bool FAnswered = false;
    bool FInTick = false;
};

// The sensor bus window (hosted by TWndFrameworkDlg): one bus of a multi-sensor thermometer.
//
// Every exchange runs under one guard: a button or timer that finds another exchange under way gives
// way without touching the line.
class TKVD_VEVA_BUSDlg : public QWidget {
    Q_OBJECT
public:
    explicit TKVD_VEVA_BUSDlg(QWidget* Parent = nullptr);
    ~TKVD_VEVA_BUSDlg() override;

    // Binds the window to a device; Channel is the catalogue channel it was opened for.
    void SetDevice(TZUVOModule* Module, const TDeviceProps* Device, int Channel);
    // Opens the window in Host modally.
    void Execute(TWndFrameworkDlg& Host, TZUVOModule* Module, const TDeviceProps* Device, int Channel);
    Q_INVOKABLE void UpdateLanguage();

    TWndFrmClient* Frm = nullptr;
    TSensorBusDevice* Device() const { return FDevice.get(); }
    int CurrentBus() const { return FBus; }
    TSensorListModel* Model() const { return FModel; }

    QComboBox* BusCombo = nullptr;
    QLabel *lbBus = nullptr, *lbBusIndex = nullptr, *BusIndexLb = nullptr, *lbSensorCount = nullptr,
           *SensorCountLb = nullptr, *lbSensorIndex = nullptr, *SensorIndexLb = nullptr,
           *lbSwapIndex = nullptr, *SwapIndexLb = nullptr, *PowerLb = nullptr, *lbDefaultRelay = nullptr,
           *DefaultRelayLb = nullptr;
    QTableView* SensorView = nullptr;
    QPushButton *UpdateBtn = nullptr, *SwapBtn = nullptr, *EditBtn = nullptr, *OpenMacBtn = nullptr,
                *SaveMacBtn = nullptr, *ImageToDiskBtn = nullptr, *ImagesBtn = nullptr, *OptionsBtn = nullptr;
    QCheckBox* PowerCheck = nullptr;
    TSensorLimitsDlg* LimitsDlg = nullptr;
    TAddOptionsDlg* OptionsDlg = nullptr;
    TScanProgressDlg* ScanDlg = nullptr;
    TTSMSBusView* ImageView = nullptr;

    // Replaceable for tests: messages, questions, dialogs, file names.
    std::function<void(const QString&)> OnMessage;
    std::function<bool(const QString&)> OnAsk;
    std::function<int(QDialog&)> OnRunDialog;
    std::function<QString(bool Save, const QString& Filter, const QString& Suffix)> OnFileName;

    // Handlers, public for the host and the tests.
    void NewDevice();
    void Execute();
    void SaveToFlash();
    void FillSensorList();
    void FillBusOptions();
    void ReadOptions();

public Q_SLOTS:
    void BusComboChange(int Index);
    void UpdateBtnClick();
    void SwapBtnClick();
    void EditBtnClick();
    void PowerCheckClick();
    void OptionsBtnClick();
    void OpenMacBtnClick();
    void SaveMacBtnClick();
    void ImageToDiskBtnClick();
    void ImagesBtnClick();

private:
    bool Idle() const;
    // One exchange of a handler with the device: Work under the exchange guard, with the busy cursor
    // when Wait. False, and Failure shown when given, when Work failed or another exchange was under
    // way (then nothing goes over the line).
    bool Exchange(const std::function<bool()>& Work, const QString& Failure = {}, bool Wait = false);
    void EnableActions(bool On);
    void UpdateSelection();
    std::vector<int> SelectedRows() const;
    void Message(const QString& Text);
    bool Ask(const QString& Text);
    int RunDialog(QDialog& Dialog);
    QString FileName(bool Save, const QString& Filter, const QString& Suffix);
    void ClearList();
    void FitColumns();

    std::unique_ptr<TSensorBusDevice> FDevice;
    TSensorListModel* FModel = nullptr;
    TZUVOModule* FModule = nullptr;
    const TDeviceProps* FProps = nullptr;
    int FChannel = 0;
    std::optional<bool> FPower;        // the bus's "Active powering" as last read
    std::optional<bool> FRelayDefault; // the relay default as last read
    int FBus = -1;
    bool FBusy = false;
    bool FActions = false;
    bool FFilling = false;
};

// What the sensor bus window says about an identifier list that could not be read.
QString MacReadMessage(const TMacReadResult& Result);
// What it says about a refused image file.
QString ImageCheckMessage(const TImageCheck& Check);
