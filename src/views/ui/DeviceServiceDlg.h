#pragma once

#include <QDialog>
#include <memory>

class QLabel;
class TDeviceService;
class TProcessTimer;
class TZUVOModule;

// "Device Service": a device's firmware version and its running machine time, which a click on the
// time lets the user set. Created once with the device properties window and reused.
class TDeviceServiceDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 500;
    // How long a click waits before it tries again while the line is busy.
    static constexpr int kClickRetryMs = 20;

    explicit TDeviceServiceDlg(QWidget* parent = nullptr);
    ~TDeviceServiceDlg() override;

    // Shows the window modally for the device Module reaches; returns when it closes.
    void Execute(TZUVOModule& Module);
    Q_INVOKABLE void UpdateLanguage();

    QLabel* lbMachineTime = nullptr;
    QLabel* MachineTimeLb = nullptr;
    QLabel* lbVersion = nullptr;
    QLabel* VersionLb = nullptr;
    TProcessTimer* Timer = nullptr;

public Q_SLOTS:
    void MachineTimeLbClick();
    void TimerTimer();

protected:
    void done(int Result) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    std::unique_ptr<TDeviceService> FService;
    bool FVersionKnown = false;
    bool FClickQueued = false;
};
