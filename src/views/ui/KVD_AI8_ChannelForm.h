#pragma once

#include "model/Ranges.h"
#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class TAiSimpleInputParam;
class TDm;
class TLamp;
class TProcessTimer;
class TSimpleChannel;
class TaiSimpleAdcAverage;
class TaiSimpleLedLimit;
class TaiSimpleUserPolynom;

// The two simpler analog input windows: they show one input and poll it while "Start" is on. The
// eight-channel window (range, filter, user polynomial, generator) and the pulse-counter window
// (the pulse count, its reset, user polynomial, LED limits with the LED) share all but their
// settings; each is its own class below, made once at start-up and reused.
//
// Exchanges let events run while they wait: the window starts none while another waits (a tick then
// skips its turn), and a refused exchange is not shown as a failure of the device.
class TAiSimpleChannelForm : public QDialog {
    Q_OBJECT
public:
    ~TAiSimpleChannelForm() override;

    // Opens the window on Channel (nothing: the input of TDm.CurrentChannel); returns when it
    // closes. False when the channel could not be read: the window did not open.
    bool Execute(TSimpleChannel* Channel = nullptr);
    // The steps of Execute before the window shows.
    bool Load(TSimpleChannel* Channel = nullptr);

    bool Heat() const { return FHeat; }
    TSimpleChannel* ChannelObject() const { return FChannel; }
    const TPrTblRecord& RangeRecord() const { return FRangeRecord; }
    bool Measuring() const { return FMeasuring; }
    // The pulse counter's zone of the last value read: 0 below LedLow, 1 up to LedHigh, 2 above.
    int Zone() const { return FZone; }
    bool Idle() const;

    TMessageHook OnMessage;
    std::function<int(QDialog& Dialog)> OnRunDialog;

    TAiSimpleInputParam* InputParamDlg = nullptr;
    TaiSimpleAdcAverage* AdcAverageDlg = nullptr;
    TaiSimpleUserPolynom* PolynomDlg = nullptr;
    TaiSimpleLedLimit* LedLimitDlg = nullptr;

    TProcessTimer* ProcessTimer = nullptr;
    QTimer* BlinkTimer = nullptr;
    QTimer* IndicatorTimer = nullptr;

    QLabel* AddressValue = nullptr;
    QLabel* BaudRateValue = nullptr;
    QGroupBox* SettingsBox = nullptr;
    QLabel* TemperatureLb = nullptr; // eight-channel: "t = 23.5°C"
    QLabel* CountLb = nullptr;       // pulse counter: the count
    QLabel* InputParameterValue = nullptr;
    QLabel* RangeValue = nullptr;
    QLabel* CutoffValue = nullptr;
    QLabel* ResponseTimeValue = nullptr;
    QLabel* PolynomialState = nullptr;
    TLamp* PolynomialMarker = nullptr;
    TLamp* Led = nullptr;
    QLabel* MinimumValue = nullptr;
    QLabel* MaximumValue = nullptr;
    QLabel* ResultValue = nullptr;
    QLabel* ResultUnit = nullptr;
    TLamp* WorkMarker = nullptr;
    QPushButton* SelectInputBtn = nullptr; // range (eight-channel) or counter reset (pulse counter)
    QPushButton* ADCAverageBtn = nullptr;
    QPushButton* UserPolynomBtn = nullptr;
    QPushButton* AlgBtn = nullptr;
    QPushButton* LedIndicatorBtn = nullptr;
    QPushButton* GeneratorBtn = nullptr;
    QPushButton* ResultBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    Q_INVOKABLE void UpdateLanguage();

public Q_SLOTS:
    void ResultBtnClick();
    void ProcessTimerTimer();
    void ProcessIndikatorTimer();
    void BlinkProcessIndicator();
    void BlinkTimerTimer();
    void UserPolynomBtnClick();
    void AlgBtnClick();
    void SelectInputBtnClick();
    void ADCAverageBtnClick();
    void GeneratorBtnClick();
    void LedIndicatorBtnClick();
    void UpDateDisplayMask();
    void CloseBtnClick();
    void done(int Result) override;

protected:
    TAiSimpleChannelForm(TDm& Dm, bool Heat, QWidget* parent);

private:
    void BuildWindow();
    int RunDialog(QDialog& Dialog);
    void Message(const QString& Text);
    void EnableSettings(bool On);
    void StopTimers();
    void ShowSettings();
    void ShowPolynomial();
    void ShowLimits();
    void Units();
    quint32 TypeCode() const;
    TSimpleChannel* ChannelOfRow() const;
    bool Generator() const;

    TDm& FDm;
    const bool FHeat;
    TSimpleChannel* FChannel = nullptr;
    TPrTblRecord FRangeRecord;
    int FChannelIndex = 0;
    bool FMeasuring = false;
    bool FBusy = false;
    bool FStopping = false;
    int FZone = 0;
    QLabel* FAddressCaption = nullptr;
    QLabel* FBaudRateCaption = nullptr;
    QLabel* FCountCaption = nullptr;
    QLabel* FInputParameterCaption = nullptr;
    QLabel* FRangeCaption = nullptr;
    QLabel* FCutoffCaption = nullptr;
    QLabel* FResponseTimeCaption = nullptr;
    QLabel* FPolynomialCaption = nullptr;
    QLabel* FMinimumCaption = nullptr;
    QLabel* FMaximumCaption = nullptr;
    QLabel* FIndicatorCaption = nullptr;
    QLabel* FGeneratorCaption = nullptr;
    QGroupBox* FResultBox = nullptr;
};

// The eight-channel input module's window (channel kind 11).
class TKVD_AI8_ChannelForm : public TAiSimpleChannelForm {
    Q_OBJECT
public:
    explicit TKVD_AI8_ChannelForm(TDm& Dm, QWidget* parent = nullptr)
        : TAiSimpleChannelForm(Dm, false, parent) {}
};

// The pulse counter's window (channel kind 10, and analog inputs whose range is a frequency).
class TKVD_AIK_Heat_ChannelForm : public TAiSimpleChannelForm {
    Q_OBJECT
public:
    explicit TKVD_AIK_Heat_ChannelForm(TDm& Dm, QWidget* parent = nullptr)
        : TAiSimpleChannelForm(Dm, true, parent) {}
};

// Makes the two windows those the device properties window opens.
void RegisterAnalogInputViewWindows(TKVD_AI8_ChannelForm& Eight, TKVD_AIK_Heat_ChannelForm& Heat);
