#pragma once

#include "views/ui/AiWindowSupport.h"

#include <QDialog>
#include <QtGlobal>

class QLabel;
class QLineEdit;
class QPushButton;

// The input filter of an analog input: its cutoff frequency and the response time.
class TFilterParamDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFilterParamDlg(QWidget* parent = nullptr);

    void Setup(quint16 ResponseTime, float Cutoff);
    // What Apply accepted.
    float Cutoff() const { return FCutoff; }
    quint16 ResponseTime() const { return FResponseTime; }

    QLineEdit* FrequencyEdit = nullptr;
    QLineEdit* ResponseTimeEdit = nullptr;
    QPushButton* DisableBtn = nullptr;
    QPushButton* ApplyBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    TMessageHook OnMessage;

    Q_INVOKABLE void UpdateLanguage();

public Q_SLOTS:
    void accept() override;
    void DisableBtnClick();

private:
    float FCutoff = 0;
    quint16 FResponseTime = 0;
    QLabel* FFrequencyLabel = nullptr;
    QLabel* FResponseTimeLabel = nullptr;
};
