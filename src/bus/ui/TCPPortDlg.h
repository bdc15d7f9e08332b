#pragma once

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;

// The TCP access point's settings as the options store them.
struct TTcpSettingsValues {
    QString Host;
    int RemoutePort = 8081;
    int Framing = 0; // TTcpFraming: 0 raw, 1 Modbus TCP
    int Timeout = 200;
};

// The TCP connection settings: the converter's host and port, how frames travel (unchanged, as a
// serial device server passes them, or in Modbus TCP), and the answer time-out.
class TTCPPortDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinTimeout = 20;
    static constexpr int kMaxTimeout = 10000;

    explicit TTCPPortDlg(QWidget* parent = nullptr);

    // Shows the dialog on Values; true, with Values replaced, when the user confirmed valid ones.
    bool Execute(TTcpSettingsValues& Values);
    void Load(const TTcpSettingsValues& Values);
    // Checks every field first and takes all or none; empty on success, else the message naming
    // the field.
    QString Store(TTcpSettingsValues& Values) const;

    Q_INVOKABLE void UpdateLanguage();

    QLineEdit* edtHost = nullptr;
    QLineEdit* edtRemoutePort = nullptr;
    QComboBox* cbFraming = nullptr;
    QLineEdit* edtTimeout = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

public Q_SLOTS:
    void OkBtnClick();

private:
    TTcpSettingsValues FValues;
    QFormLayout* FForm = nullptr;
};
