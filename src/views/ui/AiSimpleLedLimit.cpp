#include "views/ui/AiSimpleLedLimit.h"

#include "localization/AnalogInputLanguage.h"
#include "views/AnalogInputDialogs.h"

#include "platform/ui/DialogButtons.h"
#include "platform/ui/DialogTitle.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TaiSimpleLedLimit::TaiSimpleLedLimit(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aiSimpleLedLimit"));
    setModal(true);
    FMinLabel = new QLabel(this);
    FMaxLabel = new QLabel(this);
    MinEdit = new QLineEdit(this);
    MaxEdit = new QLineEdit(this);
    MinEdit->setAlignment(Qt::AlignRight);
    MaxEdit->setAlignment(Qt::AlignRight);
    auto* grid = new QGridLayout;
    grid->addWidget(FMinLabel, 0, 0);
    grid->addWidget(MinEdit, 0, 1);
    grid->addWidget(FMaxLabel, 1, 0);
    grid->addWidget(MaxEdit, 1, 1);
    grid->setColumnStretch(1, 1);
    ApplyBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    LayOutWithButtons(this, grid, ApplyBtn, CancelBtn);
    connect(ApplyBtn, &QPushButton::clicked, this, &TaiSimpleLedLimit::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TaiSimpleLedLimit::reject);
    UpdateLanguage();
}

void TaiSimpleLedLimit::UpdateLanguage() {
    const TAiLedLimitLanguage& t = AiLedLimitLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    FMinLabel->setText(t.Min);
    FMaxLabel->setText(t.Max);
    ApplyBtn->setText(t.Apply);
    CancelBtn->setText(t.Cancel);
    FitToTitle(this);
}

void TaiSimpleLedLimit::Setup(float Low, float High) {
    UpdateLanguage();
    setResult(Rejected);
    FLow = Low;
    FHigh = High;
    MinEdit->setText(LedLimitText(Low));
    MaxEdit->setText(LedLimitText(High));
    MinEdit->setFocus();
}

void TaiSimpleLedLimit::accept() {
    float low = 0, high = 0;
    if (!CheckLedLimits(MinEdit->text(), MaxEdit->text(), low, high)) {
        ShowMessage(this, OnMessage, AiLedLimitLanguage().Texts(CurrentLanguage()).MsgMaxBelowMin);
        MaxEdit->setFocus();
        return;
    }
    FLow = low;
    FHigh = high;
    QDialog::accept();
}
