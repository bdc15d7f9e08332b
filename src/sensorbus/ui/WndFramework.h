#pragma once

#include <QDialog>
#include <QFrame>
#include <QObject>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QVBoxLayout;
class TAdminOptions;
class TProcessTimer;
class TZUVOModule;
struct TDeviceProps;

// What a window hosted by the framework offers: its events and how it is polled. The host binds
// itself to it while the window is shown.
class TWndFrmClient : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultInterval = 300;

    explicit TWndFrmClient(QObject* Parent = nullptr) : QObject(Parent) {}

    bool AutoSize = true;                  // the host may be resized
    int UpDateInterval = kDefaultInterval; // ms between two polls while started
    std::function<void()> OnNewDevice;
    std::function<void()> OnSaveAll;
    std::function<void()> OnSaveToFlash;
    std::function<void(bool Running)> OnStartStop;
    std::function<void()> OnExecute;

    bool Running() const { return FRunning; }
    void SetRunning(bool Value) { FRunning = Value; }

private:
    bool FRunning = false;
};

// The device information panel of the host: model, address, speed and protocol, serial number.
class TDeviceInfoToolDlg : public QFrame {
    Q_OBJECT
public:
    static constexpr int kHeight = 100;
    explicit TDeviceInfoToolDlg(QWidget* Parent = nullptr);
    void Fill(const TDeviceProps* Device);
    Q_INVOKABLE void UpdateLanguage();

    QLabel *ModelLb = nullptr, *AddressCaption = nullptr, *AddressLb = nullptr, *SerialCaption = nullptr,
           *SerialLb = nullptr, *ProtocolCaption = nullptr, *ProtocolLb = nullptr;
};

// The control panel: new device, apply, save to flash, start/stop.
class TWndFrmControlPanelDlg : public QFrame {
    Q_OBJECT
public:
    static constexpr int kHeight = 110;
    explicit TWndFrmControlPanelDlg(QWidget* Parent = nullptr);
    Q_INVOKABLE void UpdateLanguage();

    QPushButton *NewDeviceBtn = nullptr, *ApplyBtn = nullptr, *FlashBtn = nullptr, *StartStopBtn = nullptr;
};

// Hosts a window with the device information and the control panel, modally.
class TWndFrameworkDlg : public QDialog {
    Q_OBJECT
public:
    explicit TWndFrameworkDlg(QWidget* Parent = nullptr);
    ~TWndFrameworkDlg() override;

    // Puts Client inside, binds to Frm and Module, runs "new device" and shows the host modally.
    // Client goes back to its own parent when the host closes.
    void Execute(QWidget* Client, TWndFrmClient& Frm, TZUVOModule* Module, const TDeviceProps* Device);
    // The same without the modal loop, for tests: the host is shown and stays so.
    void Open(QWidget* Client, TWndFrmClient& Frm, TZUVOModule* Module, const TDeviceProps* Device);
    void Close();
    Q_INVOKABLE void UpdateLanguage();

    bool Running() const;
    TProcessTimer* Timer = nullptr;
    TDeviceInfoToolDlg* InfoPanel = nullptr;
    TWndFrmControlPanelDlg* ControlPanel = nullptr;
    // A message for the user; a message box unless assigned (tests).
    std::function<void(const QString& Text)> OnMessage;
    // The program's options: in Lite mode nothing is saved to a device's flash. None: advanced mode.
    const TAdminOptions* Options = nullptr;

public Q_SLOTS:
    void NewDeviceClick();
    void ApplyClick();
    void FlashClick();
    void StartStopClick();

protected:
    void reject() override;

private:
    void Bind(QWidget* Client, TWndFrmClient& Frm, TZUVOModule* Module, const TDeviceProps* Device);
    void Unbind();
    void Tick();
    void EnableActions();
    bool Lite() const;
    void Message(const QString& Text);

    QWidget* FClient = nullptr;
    QWidget* FClientParent = nullptr; // where the client goes back when the host lets it go
    TWndFrmClient* FFrm = nullptr;
    TZUVOModule* FModule = nullptr;
    QVBoxLayout* FClientBox = nullptr;
};
