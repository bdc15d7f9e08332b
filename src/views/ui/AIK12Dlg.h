#pragma once

#include "model/AlarmSystemChannel.h"
#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QString>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class TDm;
class TKVDAIK12BUS;
class TProcessTimer;

// One row of the signalling table as the user left it: the two switches and the four limits as
// typed.
struct TAlarmRowTexts {
    bool AlarmOn = false;
    QString AlarmLow, AlarmHigh;
    bool RelayOn = false;
    QString RelayLow, RelayHigh;
};
using TAlarmTableTexts = std::array<TAlarmRowTexts, TAlarmTable::kEntryCount>;

// The name of a row of the signalling table: "Input 1" .. "Input 12", then "Temperature".
QString AlarmRowName(int Row);
// Reads the typed rows into Table (all but RelayNormalState), "." or "," as the separator. The first
// fault's text, naming the row and the band: a limit that is no number, or a low limit above its
// high one. Empty when the table can be written.
QString CheckAlarmTable(const TAlarmTableTexts& Texts, TAlarmTable& Table);

// The window of KVD-AIK12-BUS (type 25), in one of two modes chosen by the channel kind it is opened
// for. The signalling mode (kind 22) edits the signalling system's table: alarm and relay bands of
// the twelve inputs and of the temperature, and the relays' normal state; "Read" and "Write" move
// the whole table. The analog input system mode (kind 28) lists the twelve inputs with their ranges
// and units. In both, "Start" polls the inputs' values.
//
// Reading the table takes over a second and lets the window run in its pauses, so every other
// exchange is kept out while it lasts: polling stops first and the controls are disabled.
class TAIK12Dlg : public QDialog {
    Q_OBJECT
public:
    enum TMode { amSignalling = 0, amAnalogInputs = 1 };
    static constexpr int kPollIntervalMs = 500;
    static constexpr int kInputCount = 12;
    // The signalling table's columns.
    enum { cChannel, cValue, cAlarm, cAlarmLow, cAlarmHigh, cRelay, cRelayLow, cRelayHigh, cColumns };
    // The input list's columns.
    enum { iInput, iRange, iValue, iUnit, iColumns };

    explicit TAIK12Dlg(TDm& Dm, QWidget* parent = nullptr);
    ~TAIK12Dlg() override;

    // Readies the mode of Kind on the current module: the signalling table read, or the inputs'
    // settings. False (with a message when the device failed) for another kind or module, or when the
    // device does not answer.
    bool Load(quint8 Kind);
    bool Execute(quint8 Kind);
    TMode Mode() const { return FMode; }
    // An exchange of the window is under way.
    bool Busy() const { return FBusy; }
    Q_INVOKABLE void UpdateLanguage();

    // The signalling table as the grid holds it now.
    TAlarmTableTexts TableTexts() const;

    QLabel* lbAddress = nullptr;
    QStackedWidget* Pages = nullptr;
    QTableWidget* AlarmGrid = nullptr;
    QTableWidget* InputGrid = nullptr;
    QCheckBox* RelayNormalStateCheck = nullptr;
    QPushButton *ReadBtn = nullptr, *WriteBtn = nullptr, *StartBtn = nullptr, *CloseBtn = nullptr;
    TProcessTimer* PollTimer = nullptr;
    TMessageHook OnMessage;

public Q_SLOTS:
    void ReadBtnClick();
    void WriteBtnClick();
    void StartBtnClick();
    // One poll of the inputs (the timer's tick).
    void Poll();

protected:
    void reject() override;

private:
    bool Idle() const;
    // A button pressed while a poll waits for the device runs once the poll is done.
    bool Deferred(void (TAIK12Dlg::*Action)());
    // The table's exchanges: polling stopped, the controls disabled, and polling back afterwards
    // when it ran.
    template <class F> bool TableExchange(F Exchange);
    // Reads range, normalization and flags of every input; false when none answered.
    bool LoadInputs();
    void ShowTable();
    void ShowInputs();
    void ClearValues();
    void FitGrids();
    void UpdateControls();
    void StopPolling();
    QString UnitOf(int Input) const;
    void Message(const QString& Text);

    TDm& FDm;
    TKVDAIK12BUS* FModule = nullptr;
    TMode FMode = amSignalling;
    bool FBusy = false;
    bool FTableBusy = false; // reading or writing the table
    bool FInputsLoaded = false;
    std::array<bool, kInputCount> FInputReady{};
    void (TAIK12Dlg::*FPending)() = nullptr;
};

// Makes the window the one the device properties window opens for kinds 22 and 28 of KVD-AIK12-BUS.
void RegisterAIK12Window(TAIK12Dlg& Form);
