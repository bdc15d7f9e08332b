#include "views/ui/AIFlagsV.h"

#include "localization/AnalogInputLanguage.h"
#include "model/Helper.h"
#include "model/SimpleChannel.h"
#include "views/AnalogInputDialogs.h"
#include "views/AnalogInputDisplay.h"

#include "platform/ui/DialogButtons.h"
#include "platform/ui/DialogTitle.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QButtonGroup* RadioGroup(QGroupBox* Box, int Count, bool Vertical) {
    auto* group = new QButtonGroup(Box);
    QBoxLayout* layout = Vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(Box)) : new QHBoxLayout(Box);
    for (int i = 0; i < Count; ++i) {
        auto* radio = new QRadioButton(Box);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    if (!Vertical)
        layout->addStretch(1);
    return group;
}

} // namespace

TAIFlagsV::TAIFlagsV(quint32 Flags, bool PolynomialSupported, QWidget* parent)
    : QDialog(parent), FFlags(Flags) {
    setObjectName(QStringLiteral("AIFlagsV"));
    setModal(true);
    FFormatBox = new QGroupBox(this);
    FormatGroup = RadioGroup(FFormatBox, 3, true);
    FSequenceBox = new QGroupBox(this);
    SequenceGroup = RadioGroup(FSequenceBox, 4, true);
    const char* sequences[] = {"3210", "0123", "1032", "2301"};
    for (int i = 0; i < 4; ++i)
        SequenceGroup->button(i)->setText(QLatin1String(sequences[i]));
    FThermoBox = new QGroupBox(this);
    ThermoGroup = RadioGroup(FThermoBox, 2, false);
    PolynomialBox = new QGroupBox(this);
    PolynomialGroup = RadioGroup(PolynomialBox, 2, false);
    PolynomialBox->setEnabled(PolynomialSupported);
    FRmsLabel = new QLabel(this);
    RmsPointsEdit = new QLineEdit(this);
    RmsPointsEdit->setAlignment(Qt::AlignRight);
    FRmsLabel->setBuddy(RmsPointsEdit);

    auto* grid = new QGridLayout;
    grid->addWidget(FFormatBox, 0, 0);
    grid->addWidget(FSequenceBox, 0, 1);
    grid->addWidget(FThermoBox, 1, 0);
    grid->addWidget(PolynomialBox, 1, 1);
    auto* rms = new QHBoxLayout;
    rms->addWidget(FRmsLabel);
    rms->addWidget(RmsPointsEdit, 1);
    grid->addLayout(rms, 2, 0, 1, 2);
    OkBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    OkBtn->setDefault(true);
    LayOutWithButtons(this, grid, OkBtn, CancelBtn);
    connect(OkBtn, &QPushButton::clicked, this, &TAIFlagsV::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TAIFlagsV::reject);

    // Each choice changes its bits at once.
    connect(FormatGroup, &QButtonGroup::idClicked, this,
            [this](int id) { FFlags = WithResultFormat(FFlags, id); });
    connect(SequenceGroup, &QButtonGroup::idClicked, this,
            [this](int id) { FFlags = WithByteSequence(FFlags, id); });
    connect(ThermoGroup, &QButtonGroup::idClicked, this, [this](int id) {
        FFlags = id ? SetBits(FFlags, afThermoCompensation) : ClearBits(FFlags, afThermoCompensation);
    });
    connect(PolynomialGroup, &QButtonGroup::idClicked, this, [this](int id) {
        FFlags = id ? SetBits(FFlags, afPolynomial) : ClearBits(FFlags, afPolynomial);
    });
    UpdateLanguage();
    ShowFlags();
}

void TAIFlagsV::UpdateLanguage() {
    const TAIFlagsLanguage& t = AIFlagsLanguage().Texts(CurrentLanguage());
    const TAIChannelLanguage& c = AIChannelLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    FFormatBox->setTitle(t.DataFormat);
    FormatGroup->button(0)->setText(c.FloatingPoint);
    // The same entries as the window's format list.
    FormatGroup->button(1)->setText(c.IntegerType + c.TwoBytes);
    FormatGroup->button(2)->setText(c.IntegerType + c.ThreeBytes);
    FSequenceBox->setTitle(t.ByteLayout);
    FThermoBox->setTitle(t.ThermoCompensation);
    PolynomialBox->setTitle(t.UserPolynomial);
    for (QButtonGroup* g : {ThermoGroup, PolynomialGroup}) {
        g->button(0)->setText(t.Off);
        g->button(1)->setText(t.On);
    }
    FRmsLabel->setText(t.RmsPoints);
    OkBtn->setText(t.Ok);
    CancelBtn->setText(t.Cancel);
    FitToTitle(this);
}

void TAIFlagsV::ShowFlags() {
    const auto check = [](QButtonGroup* Group, int Id) {
        // A value no choice stands for shows none chosen.
        Group->setExclusive(false);
        for (QAbstractButton* b : Group->buttons())
            b->setChecked(false);
        Group->setExclusive(true);
        if (QAbstractButton* b = Group->button(Id))
            b->setChecked(true);
    };
    const quint32 format = FFlags & afResultFormat;
    check(FormatGroup, format == 12 ? -1 : int(format >> 2));
    check(SequenceGroup, int((FFlags & afByteSequence) >> 4));
    check(ThermoGroup, TestBits(FFlags, afThermoCompensation) ? 1 : 0);
    check(PolynomialGroup, TestBits(FFlags, afPolynomial) ? 1 : 0);
    RmsPointsEdit->setText(QString::number(FFlags >> 16));
}

void TAIFlagsV::accept() {
    bool error = false;
    FFlags = WithRmsPoints(FFlags, RmsPointsEdit->text(), error);
    if (error)
        ShowMessage(this, OnMessage, AIFlagsLanguage().Texts(CurrentLanguage()).MsgBadRms);
    QDialog::accept();
}
