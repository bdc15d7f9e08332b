#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The serial access point's settings as the options store them: Port counts from 0 for COM1, RateID
// from 0 for 110 bit/s, the others are the ordinals of parity, stop bits and RTS mode.
struct TBusSettingsValues {
    int Port = 1;
    int RateID = 6;
    int ParityID = 0;
    int StopBitsID = 0;
    int RTSMode = 2;
    int Timeout = 50;
    bool LocalEcho = false;
};

// "Settings" of the serial bus: port, speed, parity, stop bits, RTS mode, answer time-out and whether
// the adapter echoes what is sent.
class TBusSettingsForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinTimeout = 20;
    static constexpr int kMaxTimeout = 10000;

    explicit TBusSettingsForm(QWidget* parent = nullptr);

    // Shows the dialog on Values; true, with Values replaced, when the user applied valid settings.
    bool Execute(TBusSettingsValues& Values);
    // Fills the controls; the port list is built anew from the ports that exist.
    void Load(const TBusSettingsValues& Values);
    // Checks every field before anything is taken: all or nothing. Empty on success, else the
    // message naming the field.
    QString Store(TBusSettingsValues& Values) const;

    Q_INVOKABLE void UpdateLanguage();

    QComboBox* PortEdit = nullptr;
    QComboBox* RateEdit = nullptr;
    QComboBox* ParityBox = nullptr;
    QComboBox* cbStopBits = nullptr;
    QComboBox* cbRTS = nullptr;
    QLineEdit* edtTimeout = nullptr;
    QCheckBox* cbLocalEcho = nullptr;
    QPushButton* ApplyBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

public Q_SLOTS:
    void ApplyBtnClick();

private:
    TBusSettingsValues FValues;
    QLabel* FPortLbl = nullptr;
    QLabel* FRateLbl = nullptr;
    QLabel* FParityLbl = nullptr;
    QLabel* FStopBitsLbl = nullptr;
    QLabel* FRtsLbl = nullptr;
    QLabel* FTimeoutLbl = nullptr;
};
