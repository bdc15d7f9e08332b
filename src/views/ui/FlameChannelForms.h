#pragma once

#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QString>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class TCustomFlameModule;
class TDm;
class TFlameChannel;
class TFotoSensorChannel;
class TKVDFLAMEDETECTORBUS;

// A yes/no question for the user: through the hook when assigned (tests), else a message box.
using TQuestionHook = std::function<bool(const QString& Text)>;

// The flame controller's status bits as the window shows them.
enum TFlameStatusBit : quint32 {
    fsbNoLinkChannel1 = 0x01, // the controller hears nothing from photosensor channel 1
    fsbNoLinkChannel2 = 0x02,
    fsbSurge = 0x04,    // a jump of the signal
    fsbOverload = 0x08, // the input stage is saturated
};

// The six tolerance levels of the flame controller.
class TFlameLevelsDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFlameLevelsDlg(QWidget* parent = nullptr);
    void Setup(const std::array<float, 6>& Levels);
    Q_INVOKABLE void UpdateLanguage();

    std::array<QLabel*, 6> Labels{};
    std::array<QLineEdit*, 6> Edits{};
    QPushButton *OkBtn = nullptr, *CancelBtn = nullptr;
};

// The flame controller window (channel kind 19, object 9 of both flame models). Opening reads every
// setting; a window whose read fails does not open. Each switch writes only the setting it stands
// for: an algorithm bit (a failure is reported), a relay's manual control (a failure offers to write
// again), the indication and the photosensor channels (a failure puts the old value back). A relay
// under manual control is switched through its discrete output. "Start" polls the components and
// the status twice a second; the poll stops before every full read and when the window closes.
class TFlameChannelForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPollMs = 500;

    explicit TFlameChannelForm(TDm& Dm, QWidget* parent = nullptr);
    ~TFlameChannelForm() override;

    bool Load();
    bool Execute();
    bool Polling() const;
    Q_INVOKABLE void UpdateLanguage();

    QLabel* lbAddress = nullptr;
    QGroupBox *MeasureBox = nullptr, *SetPointsBox = nullptr, *AlgorithmBox = nullptr, *RelayBox = nullptr,
              *AOBox = nullptr;
    QLabel *lbAC = nullptr, *ACValue = nullptr, *lbDC = nullptr, *DCValue = nullptr, *lbACMax = nullptr,
           *ACMaxValue = nullptr, *lbVersion = nullptr, *VersionValue = nullptr, *lbStatus = nullptr;
    std::array<QLabel*, 4> StatusLbs{};
    QLabel *lbACLevel = nullptr, *lbDCLevel = nullptr, *lbLags = nullptr;
    QLineEdit *ACLevelEdit = nullptr, *DCLevelEdit = nullptr;
    std::array<QLabel*, 4> LagLbs{};
    std::array<QLineEdit*, 4> LagEdits{};
    QPushButton *ApplySetPointsBtn = nullptr, *LevelsBtn = nullptr;
    QCheckBox *DimmingOffCheck = nullptr, *AutoRestartCheck = nullptr, *IndicationCheck = nullptr,
              *Channel1OffCheck = nullptr, *Channel2OffCheck = nullptr;
    QLabel *lbManual = nullptr, *lbRelayState = nullptr;
    std::array<QLabel*, 4> RelayLbs{};
    std::array<QCheckBox*, 4> ManualChecks{}; // DOMask bits 0..3
    std::array<QCheckBox*, 4> RelayChecks{};  // the relay's output, while under manual control
    QLabel* lbSource = nullptr;
    QComboBox* SourceBox = nullptr;
    std::array<QLabel*, 4> AOLbs{};
    std::array<QLineEdit*, 4> AOEdits{};
    QPushButton *SetAOBtn = nullptr, *RestartBtn = nullptr, *ZeroBtn = nullptr, *RefreshBtn = nullptr,
                *StartBtn = nullptr, *CloseBtn = nullptr;
    TFlameLevelsDlg* LevelsDlg = nullptr;
    QTimer* PollTimer = nullptr;

    TMessageHook OnMessage;
    TQuestionHook OnQuestion;
    std::function<int(QDialog& Dialog)> OnRunDialog;

public Q_SLOTS:
    void AlgorithmCheckClick();
    void ManualCheckClick(int Relay);
    void RelayCheckClick(int Relay);
    void IndicationCheckClick();
    void ChannelCheckClick();
    void ApplySetPointsBtnClick();
    void LevelsBtnClick();
    void SetAOBtnClick();
    void RestartBtnClick();
    void ZeroBtnClick();
    void RefreshBtnClick();
    void StartBtnClick();
    void PollTimerTimer();
    void done(int Result) override;

private:
    bool Idle() const;
    void StopPolling();
    void ShowAll();
    void ShowMeasurements();
    void ShowRelays();
    // Protection and state of the relays under manual control; the first failure's text.
    QString ReadRelays();
    void Message(const QString& Text);
    bool Ask(const QString& Text);
    // One write of the controller's settings under the exchange guard; the error text, empty when
    // the device took it. Busy: another exchange was running and nothing was sent.
    bool Write(int Selector, QString& Error);
    TFlameChannel* Flame() const;

    TDm& FDm;
    TCustomFlameModule* FModule = nullptr;
    bool FBusy = false;
};

// The photosensor channel window (channel kind 20, objects 1 and 2 of the detector model): every
// setting to edit, written together by "Write"; the channel's temperature, ADC voltage and ADC code;
// the result and amplitude polled twice a second after "Start". The normalization coefficients are
// never read from the device: a coefficient left empty is not written.
class TFotoSensorChannelForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPollMs = 500;

    explicit TFotoSensorChannelForm(TDm& Dm, QWidget* parent = nullptr);
    ~TFotoSensorChannelForm() override;

    bool Load();
    bool Execute();
    bool Polling() const;
    TFotoSensorChannel* Channel() const { return FChannel; }
    Q_INVOKABLE void UpdateLanguage();

    QLabel* lbAddress = nullptr;
    QGroupBox *SettingsBox = nullptr, *ValuesBox = nullptr;
    // HPF cut-off, filter 1, filter 2, time constant, jump level, recovery cycles, DAC code.
    std::array<QLabel*, 7> SettingLbs{};
    std::array<QLineEdit*, 7> SettingEdits{};
    QCheckBox *RegulatorCheck = nullptr, *PolynomialCheck = nullptr;
    QLabel* lbPolynomial = nullptr;
    std::array<QLabel*, 6> PolyLbs{};
    std::array<QLineEdit*, 6> PolyEdits{};
    QLabel *lbNorm = nullptr, *lbNorm1 = nullptr, *lbNorm2 = nullptr;
    QLineEdit *Norm1Edit = nullptr, *Norm2Edit = nullptr;
    QLabel *lbTemperature = nullptr, *TemperatureValue = nullptr, *lbADCVoltage = nullptr,
           *ADCVoltageValue = nullptr, *lbADCCode = nullptr, *ADCCodeValue = nullptr, *lbResult = nullptr,
           *ResultValue = nullptr, *lbAmplitude = nullptr, *AmplitudeValue = nullptr;
    QPushButton *ReadBtn = nullptr, *WriteBtn = nullptr, *StartBtn = nullptr, *CloseBtn = nullptr;
    QTimer* PollTimer = nullptr;

    TMessageHook OnMessage;

public Q_SLOTS:
    void ReadBtnClick();
    void WriteBtnClick();
    void StartBtnClick();
    void PollTimerTimer();
    void done(int Result) override;

private:
    bool Idle() const;
    void StopPolling();
    void ShowSettings();
    void ShowValues();
    void Message(const QString& Text);
    // Takes every edit into the channel; false (with a message, the channel untouched) when one is
    // no valid number.
    bool TakeEdits();

    TDm& FDm;
    TKVDFLAMEDETECTORBUS* FModule = nullptr;
    TFotoSensorChannel* FChannel = nullptr;
    bool FBusy = false;
};

// Make the windows the ones the device properties window opens for kinds 19 and 20.
void RegisterFlameChannelWindow(TFlameChannelForm& Form);
void RegisterFotoSensorChannelWindow(TFotoSensorChannelForm& Form);
