#pragma once

#include <QDialog>
#include <QFrame>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTimer;
class TAppController;

// The control panel of an application: poll interval and start/stop, recording to file, and the
// application's parameters.
class TAppControlToolWnd : public QFrame {
    Q_OBJECT
public:
    explicit TAppControlToolWnd(QWidget* parent = nullptr);
    ~TAppControlToolWnd() override;

    // Registers the panel with the controller and fills the edits at once.
    void SetController(TAppController* Controller);
    TAppController* Controller() const { return FController; }
    bool Running() const { return FRunning; }
    Q_INVOKABLE void UpdateLanguage();

    // An error message; a message box unless replaced (tests replace it).
    std::function<void(const QString& Text)> OnMessage;

    QLabel* Header = nullptr;
    QGroupBox *SaveGroup = nullptr, *PollGroup = nullptr, *ParamGroup = nullptr;
    QLabel *FileNameLb = nullptr, *SaveIntervalLb = nullptr, *IntervalLb = nullptr, *ProcessingLb = nullptr;
    QLineEdit *SaveIntervalEdit = nullptr, *IntervalEdit = nullptr;
    QPushButton *StartStopSaveBtn = nullptr, *StartStopBtn = nullptr, *ParamBtn = nullptr;
    QTimer* Timer = nullptr;
    QTimer* BlinkTimer = nullptr;

public Q_SLOTS:
    void StartStopBtnClick();
    void StartStopSaveBtnClick();
    void ParamBtnClick();
    void TimerTimer();
    void BlinkTimerTimer();

private:
    void RefreshEdits();
    void UpdateState();
    // The edit's number when it is a whole number of at least 10 ms; otherwise the message.
    bool ReadInterval(QLineEdit* Edit, int& Value);

    TAppController* FController = nullptr;
    bool FRunning = false;
};

// The modal frame an application runs in: its window in a scroll box, the control panel beside it.
// It refuses to close while the panel polls.
class TAppFrameworkDlg : public QDialog {
    Q_OBJECT
public:
    explicit TAppFrameworkDlg(QWidget* parent = nullptr);

    // Shows Form under the panel bound to Controller, modally. Form stays the caller's.
    void Run(QWidget* Form, TAppController* Controller, const QString& Caption);

    TAppControlToolWnd* ControlPanel = nullptr;
    QScrollArea* ScrollBox = nullptr;

    void reject() override;

protected:
    void closeEvent(QCloseEvent* Event) override;
};
