#pragma once

#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QString>
#include <QtGlobal>
#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QTreeWidget;
class TDIChannel;
class TDm;
class TProcessTimer;
class TZUVOModule;

// The three discrete input windows, served by one class.
enum class TDIWindow {
    KVD_DI,    // TKVD_DI_ChannelForm
    KVD_DI_DC, // TKVD_DI_DC_ChannelForm
    DIDC,      // TDIDCDialog, the fifteen-input module's window
};
QString DIWindowName(TDIWindow Window);
// The module's input index the window watches for a catalogue row of a device of TypeCode; -1 when
// the window does not serve that row.
int DIInputIndexFor(TDIWindow Window, quint32 TypeCode, int Row);

// What the window shows for an input state.
struct TDIStateLook {
    enum TText { None, Closed, Opened, LineBreak, ShortCircuit };
    TText Text = None; // None: the display stays as it is
    int Picture = -1;  // 0 closed contact, 1 open contact, -1 unchanged
    bool Fault = false;
};
TDIStateLook DIStateLook(TDIWindow Window, qint32 State);

// "Response time, ms": a track bar from 0 to 5000 ms.
class TTimeResponseForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxMs = 5000;

    explicit TTimeResponseForm(QWidget* parent = nullptr);
    // Shows the window with Value; true on "Apply", the chosen value then in Value().
    bool Execute(int Value);
    void SetValue(int Value);
    int Value() const { return FValue; }
    Q_INVOKABLE void UpdateLanguage();

    QLabel *lbCaption = nullptr, *ValueLb = nullptr;
    QSlider* TrackBar = nullptr;
    QPushButton *ApplyBtn = nullptr, *CloseBtn = nullptr;

private:
    int FValue = 0;
};

// Program input i of the fifteen-input module is read from physical channel entry i (from 0).
using TDIRemapList = std::array<quint8, 15>;

// "Hard channel": one physical channel out of 256.
class TdlgDIHardCnl : public QDialog {
    Q_OBJECT
public:
    explicit TdlgDIHardCnl(QWidget* parent = nullptr);
    void Setup(int Channel);
    int Channel() const;
    QLabel* lbChannel = nullptr;
    QListWidget* ChannelList = nullptr;
    QPushButton *OkBtn = nullptr, *CancelBtn = nullptr;
};

// Reassigns the physical channels of the fifteen inputs.
class TdlgDIRemap : public QDialog {
    Q_OBJECT
public:
    explicit TdlgDIRemap(QWidget* parent = nullptr);
    // Edits a copy of List; the copy goes back into List on "OK".
    bool Execute(TDIRemapList& List);
    void Setup(const TDIRemapList& List);
    const TDIRemapList& List() const { return FList; }
    // Opens the hard channel dialog for Row; OK there sets the entry.
    void EditRow(int Row);

    QTreeWidget* RemapList = nullptr;
    QPushButton *DefaultBtn = nullptr, *OkBtn = nullptr, *CancelBtn = nullptr;
    TdlgDIHardCnl* HardDlg = nullptr;
    std::function<int(QDialog& Dialog)> OnRunDialog;

public Q_SLOTS:
    void DefaultBtnClick();

private:
    void FillRows();
    TDIRemapList FList{};
};

// Watches one discrete input: its state while "Start" is active, its response time and, where the
// input has it, its line-break check; the fifteen-input module's window also shows and reassigns
// the physical channels.
//
// As in the output windows, a tick or a button that finds another exchange under way gives way and
// says nothing; the timers stop when the window closes.
class TDIChannelForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPollMs = 500;
    static constexpr int kBlinkMs = 500;

    TDIChannelForm(TDm& Dm, TDIWindow Window, QWidget* parent = nullptr);
    ~TDIChannelForm() override;

    TDIWindow Window() const { return FWindow; }
    bool Load();
    bool Execute();
    Q_INVOKABLE void UpdateLanguage();

    bool Running() const { return FRunning; }
    bool Polling() const { return FPolling; }
    bool Blinking() const;
    TDIChannel* Input() const { return FInput; }
    int PictureState() const { return FPicture; }

    QLabel *lbAddress = nullptr, *lbRate = nullptr, *lbStatus = nullptr, *StatusLb = nullptr,
           *Image = nullptr, *lbTimeResponse = nullptr, *TimeResponseLb = nullptr, *lbPhysCnl = nullptr,
           *lbPhysCnlCaption = nullptr;
    QPushButton *TimeResponseBtn = nullptr, *StartBtn = nullptr, *ReleBtn = nullptr, *CloseBtn = nullptr,
                *btnChangeCnl = nullptr;
    QCheckBox* BreakLevelCheck = nullptr;
    TProcessTimer* Timer = nullptr;
    TProcessTimer* BlinkTimer = nullptr;
    TTimeResponseForm* TimeResponseForm = nullptr;
    TdlgDIRemap* RemapDlg = nullptr;

    TMessageHook OnMessage;
    // Runs the response time and remapping dialogs; replaceable for tests.
    std::function<int(QDialog& Dialog)> OnRunDialog;

public Q_SLOTS:
    void StartBtnClick();
    void CloseBtnClick();
    void TimerTimer();
    void BlinkTimerTimer();
    // Shows or hides the remote contact of the emulated input (emulator mode only).
    void ReleBtnClick();
    void TimeResponseBtnClick();
    void BreakLevelCheckClick();
    void btnChangeCnlClick();

protected:
    void reject() override;
    void done(int Result) override;

private:
    bool Idle() const;
    bool LineBreakWindow() const { return FWindow != TDIWindow::KVD_DI; }
    void DisplayUpdate();
    void SetRunning(bool On);
    void DrawPicture(int Picture);
    void Message(const QString& Text);
    void StopTimers();
    int RunDialog(QDialog& Dialog);
    QString StateText(TDIStateLook::TText Text) const;

    TDm& FDm;
    TDIWindow FWindow;
    TDIChannel* FInput = nullptr;
    int FChannelIndex = 0;
    bool FRunning = false;
    bool FPolling = false;
    bool FReady = false;
    bool FBusy = false;
    bool FFault = false; // the shown state is a line fault
    TDIStateLook::TText FShown = TDIStateLook::None;
    int FPicture = 1;
};

// Makes the three windows the ones the device properties window opens for discrete inputs.
void RegisterDIChannelWindows(TDIChannelForm& Di, TDIChannelForm& DiDc, TDIChannelForm& Didc);
