#pragma once

#include "model/Ranges.h"
#include "views/AnalogInputChannel.h"
#include "views/AnalogInputDisplay.h"
#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <functional>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class TAiSimpleInputParam;
class TChainBlock;
class TDm;
class TFilterParamDlg;
class TLamp;
class TProcessTimer;
class TSignalChainView;
class TSimpleChannel;
class TaiSimpleLedLimit;
class TaiSimpleUserPolynom;

// The analog input channel window: one analog input of a device as the picture of its signal chain
// (input and range, ADC with its filter, user polynomial, thermocompensator, LED indicator with its
// limits, result), a button on each block to change its settings, and the measured value live.
// Made once at start-up and reused; its dialogs too, except the flags window.
//
// The device is reached synchronously and an exchange lets events run while it waits, so a click or
// a tick can arrive in the middle of one: the window starts no exchange while another of its own
// waits (the bus would refuse it, which is no fault of the device).
class TKVD_AIK_ChannelForm : public QDialog {
    Q_OBJECT
public:
    explicit TKVD_AIK_ChannelForm(TDm& Dm, QWidget* parent = nullptr);
    ~TKVD_AIK_ChannelForm() override;

    // Opens the window on Channel, an analog input of the current module that the channel selector
    // chose for TDm.CurrentChannel; returns when it closes. False when the channel could not be
    // read or prepared: the window did not open and no message is due.
    bool Execute(TSimpleChannel& Channel);
    // The steps of Execute before the window shows.
    bool Load(TSimpleChannel& Channel);

    TSimpleChannel* ChannelObject() const { return FChannel; }
    int ChannelIndex() const { return FChannelIndex; }
    const TPrTblRecord& RangeRecord() const { return FRangeRecord; }
    const TAiChannelSupport& Support() const { return FSupport; }
    const TAiMeasuring& Display() const { return FDisplay; }
    bool Measuring() const { return FDisplay.Measuring(); }
    // One of the window's exchanges is waiting for the device.
    bool Exchanging() const { return FBusy; }
    // No exchange waits, neither the window's own nor another on the channel's access point: the
    // window may start one.
    bool Idle() const;

    // A message for the user; a message box unless assigned.
    TMessageHook OnMessage;
    // Runs one of the window's dialogs modally and returns its result; exec() unless assigned.
    std::function<int(QDialog& Dialog)> OnRunDialog;
    // The pause between a refused range list with the user scale and the short one; waits with
    // window events running unless assigned.
    std::function<void(int Ms)> Pause;

    // The dialogs, made with the window.
    TAiSimpleInputParam* InputParamDlg = nullptr;
    TFilterParamDlg* FilterDlg = nullptr;
    TaiSimpleUserPolynom* PolynomDlg = nullptr;
    TaiSimpleLedLimit* LedLimitDlg = nullptr;

    // The timers: measuring (500 ms), LED blink (300 ms), working marker (100 ms, single).
    TProcessTimer* ProcessTimer = nullptr;
    QTimer* BlinkTimer = nullptr;
    QTimer* IndicatorTimer = nullptr;

    // Header.
    QLabel* AddressValue = nullptr;
    QLabel* BaudRateValue = nullptr;
    QGroupBox* SettingsBox = nullptr;
    TSignalChainView* Chain = nullptr;
    // Blocks and what they show.
    TChainBlock* GeneratorBlock = nullptr;
    TChainBlock* InputBlock = nullptr;
    TChainBlock* AdcBlock = nullptr;
    TChainBlock* PolynomialBlock = nullptr;
    TChainBlock* ThermoBlock = nullptr;
    TChainBlock* IndicatorBlock = nullptr;
    TChainBlock* ResultBlock = nullptr;
    QLabel* InputParameterValue = nullptr;
    QLabel* RangeValue = nullptr;
    QLabel* CutoffValue = nullptr;
    QLabel* ResponseTimeValue = nullptr;
    QLabel* PolynomialState = nullptr;
    QLabel* PolynomialLegend = nullptr;
    TLamp* PolynomialMarker = nullptr;
    QLabel* ThermoState = nullptr;
    QLabel* ThermoLegend = nullptr;
    TLamp* ThermoMarker = nullptr;
    QLabel* TemperatureValue = nullptr;
    TLamp* Led = nullptr;
    QLabel* MinimumCaption = nullptr;
    QLabel* MaximumCaption = nullptr;
    QLabel* MinimumValue = nullptr;
    QLabel* MaximumValue = nullptr;
    QLabel* MinimumUnit = nullptr;
    QLabel* MaximumUnit = nullptr;
    QLabel* ResultValue = nullptr;
    QLabel* ResultUnit = nullptr;
    TLamp* WorkMarker = nullptr;
    // Buttons and drop-downs.
    QPushButton* GeneratorBtn = nullptr;
    QPushButton* SelectInputBtn = nullptr;
    QPushButton* ADCAverageBtn = nullptr;
    QPushButton* UserPolynomBtn = nullptr;
    QPushButton* AlgBtn = nullptr;
    QPushButton* ThermoCompensationBtn = nullptr;
    QPushButton* LedIndicatorBtn = nullptr;
    QPushButton* ResultBtn = nullptr;
    QLabel* FormatCaption = nullptr;
    QComboBox* ResultFormatBox = nullptr;
    QLabel* ByteOrderCaption = nullptr;
    QComboBox* NetDataSequenceBox = nullptr;
    QLabel* InputSwitchCaption = nullptr;
    QComboBox* cbAIEnable = nullptr;
    QPushButton* btnFlags = nullptr;
    QAction* Action1 = nullptr;

    Q_INVOKABLE void UpdateLanguage();

public Q_SLOTS:
    void FormShow();
    void ResultBtnClick();
    void ProcessTimerTimer();
    void BlinkTimerTimer();
    void ProcessIndikatorTimer();
    void BlinkProcessIndicator();
    void SelectInputBtnClick();
    void ADCAverageBtnClick();
    void UserPolynomBtnClick();
    void AlgBtnClick();
    void ThermoCompensationBtnClick();
    void LedIndicatorBtnClick();
    void ResultFormatBoxChange();
    void NetDataSequenceBoxChange();
    void cbAIEnableChange();
    void btnFlagsClick();
    void UpDateDisplayMask();
    void Action1Execute();
    // Every way of closing ends here: while measuring it only stops the measuring.
    void done(int Result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildWindow();
    int RunDialog(QDialog& Dialog);
    // A flag switch: the new flags written and read back, then shown; errors are not shown.
    void FlagSwitch(quint32 NewFlags);
    void FlagsDisplay();
    void SupportGreying();
    void Units();
    void ShowCutoff();
    void ShowLimits();
    void ShowResult(float Value, bool Integer);
    void EnableSettings(bool On);
    void StopTimers();
    // Back to the look of a fresh window: every block enabled, captions and limits in their colours,
    // nothing lit.
    void ResetLook();
    void ShowWriteError(const QString& Text);
    quint32 TypeCode() const;
    TByteOrder DeviceOrder() const;

    TDm& FDm;
    TSimpleChannel* FChannel = nullptr;
    int FChannelIndex = 0;
    TPrTblRecord FRangeRecord;
    TAiChannelSupport FSupport;
    TAiMeasuring FDisplay;
    bool FLoading = false;
    bool FBusy = false;
    // "Stop" pauses with events running; a click on the button meanwhile is not a new start.
    bool FStopping = false;
    QLabel* FAddressCaption = nullptr;
    QLabel* FBaudRateCaption = nullptr;
    QLabel* FInputParameterCaption = nullptr;
    QLabel* FRangeCaption = nullptr;
    QLabel* FCutoffCaption = nullptr;
    QLabel* FResponseTimeCaption = nullptr;
    QLabel* FGeneratorPicture = nullptr;
};

// Makes Form the window that the device properties window opens for an analog input (kind 9) whose
// range is no frequency, and lets the channel selector find the analog inputs of every model.
void RegisterAnalogInputWindow(TKVD_AIK_ChannelForm& Form);
