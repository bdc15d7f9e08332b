#pragma once

#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QString>
#include <QtGlobal>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TDm;
class TDOChannel;
class TProcessTimer;
class TSequenceEditorDlg;

// The four discrete output windows differ only in the devices they serve and in a few details of
// timing and closing; one class serves them all, told apart by this.
enum class TDOWindow {
    KVD_DO,    // TKVD_DO_ChannelForm
    DOChannel, // TDOChannelDlg
    KVD_DOS,   // TKVD_DOS_ChannelForm
    KVD_DOR,   // TKVD_DOR_ChannelForm
};
QString DOWindowName(TDOWindow Window);
// The module's output index the window drives for a catalogue row of a device of TypeCode; -1 when
// the window does not serve that row.
int DOOutputIndexFor(TDOWindow Window, quint32 TypeCode, int Row);

// Drives one discrete output: the wanted state re-sent every tick while "Start" is active, the
// standard or protected mode, the pulse sequence edited and played, and the output's state.
//
// Exchanges let window events run while they wait; every timer tick and button of the window gives
// way (does nothing, says nothing) while another exchange of the window or on the bus is under way,
// so that no exchange ever starts inside another. Both timers stop when the window closes.
class TDOChannelForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kStatusMs = 500;

    TDOChannelForm(TDm& Dm, TDOWindow Window, QWidget* parent = nullptr);
    ~TDOChannelForm() override;

    TDOWindow Window() const { return FWindow; }
    // Prepares the window for TDm.CurrentModule / CurrentChannel without showing it; false (nothing
    // to show) when the window does not serve the row or the output does not answer.
    bool Load();
    // Load, then the window modally; false when it did not open.
    bool Execute();
    Q_INVOKABLE void UpdateLanguage();

    bool Running() const { return FRunning; }
    TDOChannel* Output() const { return FOutput; }
    // The state the picture shows: 1 on, 0 off.
    int PictureState() const { return FPicture; }

    QLabel *lbAddress = nullptr, *lbRate = nullptr, *ControlLb = nullptr, *Image = nullptr;
    QCheckBox* ControlBox = nullptr;
    QGroupBox* ControlGroup = nullptr;
    QPushButton *StartBtn = nullptr, *SequenceBtn = nullptr, *PlayBtn = nullptr, *CloseBtn = nullptr;
    QComboBox* ModeBox = nullptr;
    TProcessTimer* Timer = nullptr;            // the write timer
    TProcessTimer* RelayStatusTimer = nullptr; // status polling; none in TDOChannelDlg
    TSequenceEditorDlg* SequenceDlg = nullptr;

    TMessageHook OnMessage;
    // Runs the sequence editor; replaceable for tests.
    std::function<int(QDialog& Dialog)> OnRunDialog;

public Q_SLOTS:
    void StartBtnClick();
    void CloseBtnClick();
    void TimerTimer();
    void RelayStatusTimerTimer();
    void ModeBoxChange(int Index);
    void SequenceBtnClick();
    void PlayBtnClick();
    void ControlLbClick();

protected:
    void reject() override;
    void done(int Result) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // No exchange of the window and none on the bus is under way.
    bool Idle() const;
    void SetRunning(bool On);
    void DrawState(int State);
    void Message(const QString& Text);
    void StopTimers();

    TDm& FDm;
    TDOWindow FWindow;
    TDOChannel* FOutput = nullptr;
    int FChannelIndex = 0;
    bool FRunning = false;
    bool FBusy = false;
    bool FLoading = false;
    int FPicture = 0;
};

// Makes the four windows the ones the device properties window opens for discrete outputs.
void RegisterDOChannelWindows(TDOChannelForm& Do, TDOChannelForm& DoDlg, TDOChannelForm& Dos,
                              TDOChannelForm& Dor);
