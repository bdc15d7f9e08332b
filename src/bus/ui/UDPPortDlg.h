#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The UDP access point's settings as the options store them.
struct TUdpSettingsValues {
    QString Host;
    int RemoutePort = 8080;
    bool UseLocalPort = true;
    int LocalPort = 8080;
    int Timeout = 100;
};

// The UDP connection settings: gateway host and port, the local port answers come to, time-out.
class TUDPPortDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinTimeout = 20;
    static constexpr int kMaxTimeout = 10000;

    explicit TUDPPortDlg(QWidget* parent = nullptr);

    // Shows the dialog on Values; true, with Values replaced, when the user confirmed valid ones.
    bool Execute(TUdpSettingsValues& Values);
    void Load(const TUdpSettingsValues& Values);
    // Checks every field first and takes all or none; empty on success, else the message naming
    // the field.
    QString Store(TUdpSettingsValues& Values) const;

    QLineEdit* edtHost = nullptr;
    QLineEdit* edtRemoutePort = nullptr;
    QCheckBox* cbUseLocalPort = nullptr;
    QLineEdit* edtLocalPort = nullptr;
    QLineEdit* edtTimeout = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

public Q_SLOTS:
    void OkBtnClick();

private:
    TUdpSettingsValues FValues;
};
