#include "views/ui/AiSimpleInputParam.h"

#include "localization/AnalogInputLanguage.h"
#include "model/Helper.h"
#include "model/Ranges.h"
#include "views/AnalogInputDialogs.h"

#include "platform/ui/DialogButtons.h"
#include "platform/ui/DialogTitle.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TAiSimpleInputParam::TAiSimpleInputParam(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AiSimpleInputParam"));
    setModal(true);
    FParameterLabel = new QLabel(this);
    FRangeLabel = new QLabel(this);
    InputParameterBox = new QComboBox(this);
    RangeBox = new QComboBox(this);
    RangeBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ExtensionBtn = new QToolButton(this);
    ExtensionBtn->setText(QStringLiteral("+"));
    ExtensionBtn->setMinimumWidth(ExtensionBtn->sizeHint().height());

    Extension = new QWidget(this);
    FPossibleLabel = new QLabel(Extension);
    FMinLabel = new QLabel(Extension);
    FMaxLabel = new QLabel(Extension);
    MinEdit = new QLineEdit(Extension);
    MaxEdit = new QLineEdit(Extension);
    MinEdit->setAlignment(Qt::AlignRight);
    MaxEdit->setAlignment(Qt::AlignRight);
    auto* ext = new QGridLayout(Extension);
    ext->setContentsMargins(0, 0, 0, 0);
    ext->addWidget(FPossibleLabel, 0, 0, 1, 4);
    ext->addWidget(FMinLabel, 1, 0);
    ext->addWidget(MinEdit, 1, 1);
    ext->addWidget(FMaxLabel, 1, 2);
    ext->addWidget(MaxEdit, 1, 3);
    ext->setColumnStretch(1, 1);
    ext->setColumnStretch(3, 1);
    Extension->hide();

    auto* grid = new QGridLayout;
    grid->addWidget(FParameterLabel, 0, 0);
    grid->addWidget(InputParameterBox, 0, 1, 1, 2);
    grid->addWidget(FRangeLabel, 1, 0);
    grid->addWidget(RangeBox, 1, 1);
    grid->addWidget(ExtensionBtn, 1, 2);
    grid->addWidget(Extension, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    ApplyBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    LayOutWithButtons(this, grid, ApplyBtn, CancelBtn);
    connect(ApplyBtn, &QPushButton::clicked, this, &TAiSimpleInputParam::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TAiSimpleInputParam::reject);
    connect(InputParameterBox, &QComboBox::currentIndexChanged, this,
            &TAiSimpleInputParam::InputParameterBoxChange);
    connect(RangeBox, &QComboBox::currentIndexChanged, this, &TAiSimpleInputParam::RangeBoxChange);
    connect(ExtensionBtn, &QToolButton::clicked, this, &TAiSimpleInputParam::ExtensionBtnClick);
    UpdateLanguage();
    resize(420, kClosedHeight);
}

void TAiSimpleInputParam::UpdateLanguage() {
    const TAiInputParamLanguage& t = AiInputParamLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    FParameterLabel->setText(t.InputParameter);
    FRangeLabel->setText(t.Range);
    FPossibleLabel->setText(t.PossibleValues);
    FMinLabel->setText(t.Min);
    FMaxLabel->setText(t.Max);
    ApplyBtn->setText(t.Apply);
    CancelBtn->setText(t.Cancel);
    FitToTitle(this);
}

void TAiSimpleInputParam::Setup(TRangeList* Ranges, const TPrTbl* Table, bool AllParameters, quint16 Code) {
    FRanges = Ranges;
    FTable = Table;
    FScaleChanged = false;
    setResult(Rejected);
    UpdateLanguage();
    FLoading = true;
    InputParameterBox->clear();
    RangeBox->clear();
    InputParameterBox->addItems(ParameterNamesOf(*FRanges, *FTable, AllParameters));
    FLoading = false;
    const int parameter = InputParameterBox->findText(FTable->ParameterName(Code));
    InputParameterBox->setCurrentIndex(-1);
    InputParameterBox->setCurrentIndex(parameter >= 0 ? parameter : 0);
    const int range = RangeBox->findData(FRanges->IndexOfCode(Code));
    if (range >= 0)
        RangeBox->setCurrentIndex(range);
    RangeBoxChange();
}

quint16 TAiSimpleInputParam::Code() const {
    if (!FRanges || RangeBox->currentIndex() < 0)
        return 0;
    const TRangeRec* rec = FRanges->Items(RangeBox->currentData().toInt());
    return rec ? rec->Code : 0;
}

void TAiSimpleInputParam::InputParameterBoxChange() {
    if (FLoading || !FRanges)
        return;
    RangeBox->blockSignals(true);
    RangeBox->clear();
    for (int i : RangeIndexesOf(*FRanges, *FTable, InputParameterBox->currentText()))
        RangeBox->addItem(RangeItemText(FRanges->Items(i)->Code, *FTable), i);
    RangeBox->setCurrentIndex(RangeBox->count() > 0 ? 0 : -1);
    RangeBox->blockSignals(false);
    RangeBoxChange();
}

void TAiSimpleInputParam::RangeBoxChange() {
    const TRangeRec* rec =
        FRanges && RangeBox->currentIndex() >= 0 ? FRanges->Items(RangeBox->currentData().toInt()) : nullptr;
    MinEdit->setText(rec ? ScaleText(*rec, false) : QString());
    MaxEdit->setText(rec ? ScaleText(*rec, true) : QString());
    // With nothing chosen there is no range to take the scale: an empty list offers nothing to apply.
    ApplyBtn->setEnabled(rec != nullptr);
}

void TAiSimpleInputParam::ExtensionBtnClick() {
    const bool open = Extension->isHidden();
    Extension->setVisible(open);
    ExtensionBtn->setText(open ? QStringLiteral("-") : QStringLiteral("+"));
    FitHeight();
}

void TAiSimpleInputParam::FitHeight() {
    const bool open = !Extension->isHidden();
    const int want = open ? kOpenHeight : kClosedHeight;
    layout()->activate();
    const int need = open ? sizeHint().height() : minimumSizeHint().height();
    setMinimumHeight(0);
    resize(width(), std::max(want, need));
}

void TAiSimpleInputParam::accept() {
    TRangeRec* rec =
        FRanges && RangeBox->currentIndex() >= 0 ? FRanges->Items(RangeBox->currentData().toInt()) : nullptr;
    if (!rec)
        return;
    rec->MinValue = float(TextToFloat(MinEdit->text()));
    rec->MaxValue = float(TextToFloat(MaxEdit->text()));
    FScaleChanged = true;
    QDialog::accept();
}
