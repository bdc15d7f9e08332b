#pragma once

#include "model/Ranges.h"
#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QSlider>
#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QPushButton;
class TAOChannel;
class TAiSimpleInputParam;
class TDm;
class TSineGeneratorDlg;

// A track bar that shows a selection between two positions (the value last sent and the one shown).
class TSelectionTrack : public QSlider {
    Q_OBJECT
public:
    explicit TSelectionTrack(QWidget* parent = nullptr);
    void SetSelection(int Start, int End);
    void ClearSelection() { SetSelection(-1, -1); }
    bool HasSelection() const { return FStart >= 0 && FEnd >= 0 && FStart != FEnd; }
    int SelStart() const { return FStart; }
    int SelEnd() const { return FEnd; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int FStart = -1;
    int FEnd = -1;
};

// The analog output window: one analog output of a real device, set by a track bar of 500 steps
// over the output's range (or a typed value) and "Set"; the value shown and not yet sent is marked
// in red. It changes the output's range and opens the sine generator, or, while the emulator runs,
// the tester. Made once at start-up and reused.
//
// Exchanges let events run while they wait: the window starts none while another waits, and a
// refused one is not a failure of the device.
class TKVD_AO_ChannelForm : public QDialog {
    Q_OBJECT
public:
    explicit TKVD_AO_ChannelForm(TDm& Dm, QWidget* parent = nullptr);
    ~TKVD_AO_ChannelForm() override;

    // Opens the window on the output of TDm.CurrentChannel; returns when it closes. False when it
    // could not open (nothing is shown then).
    bool Execute();
    // The steps of Execute before the window shows.
    bool Load();

    TAOChannel* Output() const { return FOutput; }
    const TPrTblRecord& RangeRecord() const { return FRangeRecord; }
    int SentPosition() const { return FSentPosition; }
    // The value the track's position stands for.
    double PositionValue(int Position) const;
    // The value shown differs from the one sent.
    bool Marked() const { return Track->value() != FSentPosition; }
    bool Idle() const;

    TMessageHook OnMessage;
    // Runs a dialog modally; exec() unless assigned.
    std::function<int(QDialog& Dialog)> OnRunDialog;
    // The typed value's input box; nothing when cancelled. A plain input box unless assigned.
    std::function<std::optional<QString>(const QString& Title, const QString& Prompt, const QString& Text)>
        OnInputValue;

    TAiSimpleInputParam* InputParamDlg = nullptr;
    TSineGeneratorDlg* SineDlg = nullptr;

    QLabel* AddressValue = nullptr;
    QLabel* BaudRateValue = nullptr;
    QGroupBox* SettingsBox = nullptr;
    QLabel* ParamLb = nullptr;
    QLabel* RangeLb = nullptr;
    QPushButton* RangeBtn = nullptr;
    QGroupBox* ValueBox = nullptr;
    QLabel* ResultLbl = nullptr;
    QLabel* UnitLbl = nullptr;
    TSelectionTrack* Track = nullptr;
    QPushButton* SetBtn = nullptr;
    QPushButton* TesterBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    Q_INVOKABLE void UpdateLanguage();

public Q_SLOTS:
    void SetBtnClick();
    void TrackChange();
    void RangeBtnClick();
    void ResultLblClick();
    void TesterBtnClick();
    void CloseBtnClick();
    void FormShow();
    void done(int Result) override;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void showEvent(QShowEvent* event) override;

private:
    int RunDialog(QDialog& Dialog);
    void Message(const QString& Text);
    // The mark of a value not sent, and the value of the track's position.
    void Mark();
    void ShowLabels();
    // The window's own write of the output; refused (nothing sent) while another exchange waits.
    std::optional<bool> WriteValue(double Value);
    quint32 TypeCode() const;

    TDm& FDm;
    TAOChannel* FOutput = nullptr;
    TPrTblRecord FRangeRecord;
    int FSentPosition = 0;
    int FChannelIndex = 0;
    bool FBusy = false;
    bool FLoading = false;
    QLabel* FAddressCaption = nullptr;
    QLabel* FBaudRateCaption = nullptr;
    QLabel* FParamCaption = nullptr;
    QLabel* FRangeCaption = nullptr;
    QLabel* FOutputParamCaption = nullptr;
};

// Makes Form the window the device properties window opens for analog outputs (kinds 2 and 3).
void RegisterAnalogOutputWindow(TKVD_AO_ChannelForm& Form);
