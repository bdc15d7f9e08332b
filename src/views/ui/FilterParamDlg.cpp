#include "views/ui/FilterParamDlg.h"

#include "localization/AnalogInputLanguage.h"
#include "views/AnalogInputDialogs.h"

#include "platform/ui/DialogButtons.h"
#include "platform/ui/DialogTitle.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFilterParamDlg::TFilterParamDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FilterParamDlg"));
    setModal(true);
    FFrequencyLabel = new QLabel(this);
    FResponseTimeLabel = new QLabel(this);
    FrequencyEdit = new QLineEdit(this);
    ResponseTimeEdit = new QLineEdit(this);
    FrequencyEdit->setAlignment(Qt::AlignRight);
    ResponseTimeEdit->setAlignment(Qt::AlignRight);
    DisableBtn = new QPushButton(this);
    auto* grid = new QGridLayout;
    grid->addWidget(FFrequencyLabel, 0, 0);
    grid->addWidget(FrequencyEdit, 0, 1);
    grid->addWidget(FResponseTimeLabel, 1, 0);
    grid->addWidget(ResponseTimeEdit, 1, 1);
    grid->addWidget(DisableBtn, 2, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    ApplyBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    LayOutWithButtons(this, grid, ApplyBtn, CancelBtn);
    connect(ApplyBtn, &QPushButton::clicked, this, &TFilterParamDlg::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TFilterParamDlg::reject);
    connect(DisableBtn, &QPushButton::clicked, this, &TFilterParamDlg::DisableBtnClick);
    UpdateLanguage();
}

void TFilterParamDlg::UpdateLanguage() {
    const TFilterParamLanguage& t = FilterParamLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    FFrequencyLabel->setText(t.FilterFrequency);
    FResponseTimeLabel->setText(t.ResponseTime);
    DisableBtn->setText(t.DisableFilter);
    ApplyBtn->setText(t.Apply);
    CancelBtn->setText(t.Cancel);
    FitToTitle(this);
}

void TFilterParamDlg::Setup(quint16 ResponseTime, float Cutoff) {
    UpdateLanguage();
    setResult(Rejected);
    FCutoff = Cutoff;
    FResponseTime = ResponseTime;
    FrequencyEdit->setText(FilterCutoffText(Cutoff));
    ResponseTimeEdit->setText(QString::number(ResponseTime));
    FrequencyEdit->setFocus();
    FrequencyEdit->selectAll();
}

void TFilterParamDlg::DisableBtnClick() {
    FrequencyEdit->setText(QStringLiteral("0"));
    ResponseTimeEdit->setText(QStringLiteral("0"));
}

void TFilterParamDlg::accept() {
    const TFilterParamLanguage& t = FilterParamLanguage().Texts(CurrentLanguage());
    float cutoff = 0;
    quint16 response = 0;
    switch (CheckFilterParams(FrequencyEdit->text(), ResponseTimeEdit->text(), cutoff, response)) {
    case fcBadCutoff:
        ShowMessage(this, OnMessage, t.MsgBadCutoff);
        FrequencyEdit->setFocus();
        return;
    case fcBadResponseTime:
        ShowMessage(this, OnMessage, t.MsgBadResponseTime);
        ResponseTimeEdit->setFocus();
        return;
    case fcOk:
        break;
    }
    FCutoff = cutoff;
    FResponseTime = response;
    QDialog::accept();
}
