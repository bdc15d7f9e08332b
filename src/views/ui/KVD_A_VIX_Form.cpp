#include "views/ui/KVD_A_VIX_Form.h"

#include "bus/AccessPoint.h"
#include "localization/Localization.h"
#include "localization/SensorChannelLanguage.h"
#include "model/AnalogInputModules.h"
#include "model/BusSettings.h"
#include "model/DeviceRegister.h"
#include "model/GVixChannel.h"
#include "model/Helper.h"
#include "model/Ranges.h"
#include "model/SimpleChannel.h"
#include "platform/ExchangeGuard.h"
#include "platform/ui/DialogTitle.h"
#include "shell/Dm.h"
#include "views/ChannelWindows.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

const TKVD_A_VIX_FormLanguage& Texts() {
    return KVD_A_VIX_FormLanguage().Texts(CurrentLanguage());
}

QString Number(float Value) {
    return FloatToTrimmedText(QStringLiteral("0.######"), double(Value));
}

QString RangeText(quint16 Code) {
    const QString name = RangeName(Code);
    return name.isEmpty() ? Texts().UnknownRange.arg(Code) : name;
}

} // namespace

TGVixRangeInput CheckGVixRange(const std::array<QString, 4>& Texts) {
    const auto& t = ::Texts();
    const QString names[4] = {t.InputStart, t.InputStop, t.OutputStart, t.OutputStop};
    TGVixRangeInput result;
    for (size_t i = 0; i < 4; ++i) {
        const auto v = ParseFloat(Texts[i].trimmed());
        if (!v || !std::isfinite(float(*v))) {
            result.Error = t.NotANumber.arg(names[i], Texts[i]);
            return result;
        }
        result.Values[i] = float(*v);
    }
    if (result.Values[0] == result.Values[1])
        result.Error = t.ZeroInputSpan;
    return result;
}

TGVixRangeDlg::TGVixRangeDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TGVixRangeDlg"));
    setModal(true);
    auto* grid = new QGridLayout;
    for (size_t i = 0; i < 4; ++i) {
        Labels[i] = new QLabel(this);
        Edits[i] = new QLineEdit(this);
        Edits[i]->setMinimumWidth(120);
        grid->addWidget(Labels[i], int(i), 0);
        grid->addWidget(Edits[i], int(i), 1);
    }
    OkBtn = new QPushButton(this);
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

void TGVixRangeDlg::Setup(const std::array<float, 4>& Range) {
    for (size_t i = 0; i < 4; ++i)
        Edits[i]->setText(Number(Range[i]));
}

std::array<QString, 4> TGVixRangeDlg::Texts() const {
    std::array<QString, 4> texts;
    for (size_t i = 0; i < 4; ++i)
        texts[i] = Edits[i]->text();
    return texts;
}

void TGVixRangeDlg::UpdateLanguage() {
    const auto& t = ::Texts();
    setWindowTitle(t.ConversionRange);
    const QString names[4] = {t.InputStart, t.InputStop, t.OutputStart, t.OutputStop};
    for (size_t i = 0; i < 4; ++i)
        Labels[i]->setText(names[i] + QStringLiteral(":"));
    OkBtn->setText(t.Ok);
    CancelBtn->setText(t.Cancel);
    FitToTitle(this);
}

TKVD_A_VIX_Form::TKVD_A_VIX_Form(TDm& Dm, QWidget* parent) : QDialog(parent), FDm(Dm) {
    setObjectName(QStringLiteral("TKVD_A_VIX_Form"));
    setModal(true);
    lbAddress = new QLabel(this);
    lbInputRange = new QLabel(this);
    InputRangeLb = new QLabel(this);
    lbOutputRange = new QLabel(this);
    OutputRangeLb = new QLabel(this);
    NormalizationCheck = new QCheckBox(this);
    lbConversion = new QLabel(this);
    ConversionLb = new QLabel(this);
    RangeBtn = new QPushButton(this);
    lbOutputValue = new QLabel(this);
    OutputValueEdit = new QLineEdit(this);
    OutputValueEdit->setMinimumWidth(100);
    SetOutputBtn = new QPushButton(this);
    RefreshBtn = new QPushButton(this);
    CloseBtn = new QPushButton(this);
    RangeDlg = new TGVixRangeDlg(this);
    QFont bold = InputRangeLb->font();
    bold.setBold(true);
    InputRangeLb->setFont(bold);
    OutputRangeLb->setFont(bold);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(lbInputRange, row, 0);
    grid->addWidget(InputRangeLb, row++, 1, 1, 2);
    grid->addWidget(lbOutputRange, row, 0);
    grid->addWidget(OutputRangeLb, row++, 1, 1, 2);
    grid->addWidget(NormalizationCheck, row++, 0, 1, 3);
    grid->addWidget(lbConversion, row, 0);
    grid->addWidget(ConversionLb, row, 1);
    grid->addWidget(RangeBtn, row++, 2);
    grid->addWidget(lbOutputValue, row, 0);
    grid->addWidget(OutputValueEdit, row, 1);
    grid->addWidget(SetOutputBtn, row++, 2);
    grid->setColumnStretch(1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(RefreshBtn);
    bottom->addStretch();
    bottom->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbAddress);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(bottom);

    connect(NormalizationCheck, &QCheckBox::clicked, this, &TKVD_A_VIX_Form::NormalizationCheckClick);
    connect(RangeBtn, &QPushButton::clicked, this, &TKVD_A_VIX_Form::RangeBtnClick);
    connect(SetOutputBtn, &QPushButton::clicked, this, &TKVD_A_VIX_Form::SetOutputBtnClick);
    connect(OutputValueEdit, &QLineEdit::returnPressed, this, &TKVD_A_VIX_Form::SetOutputBtnClick);
    connect(RefreshBtn, &QPushButton::clicked, this, &TKVD_A_VIX_Form::RefreshBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

TKVD_A_VIX_Form::~TKVD_A_VIX_Form() = default;

void TKVD_A_VIX_Form::UpdateLanguage() {
    const auto& t = Texts();
    if (FDm.CurrentDevice && FModule)
        setWindowTitle(t.Module + QStringLiteral(": ") + FDm.CurrentDevice->ModelName + QStringLiteral(". ") +
                       t.Caption);
    else
        setWindowTitle(t.Caption);
    lbAddress->setText(t.DeviceAddress + QStringLiteral(": ") +
                       (FDm.CurrentDevice ? HexAddressText(quint8(FDm.CurrentDevice->Address)) : QString()));
    lbInputRange->setText(t.InputRange + QStringLiteral(":"));
    lbOutputRange->setText(t.OutputRange + QStringLiteral(":"));
    NormalizationCheck->setText(t.Normalization);
    lbConversion->setText(t.ConversionRange + QStringLiteral(":"));
    RangeBtn->setText(t.Change);
    lbOutputValue->setText(t.OutputValue + QStringLiteral(":"));
    SetOutputBtn->setText(t.Set);
    RefreshBtn->setText(t.Refresh);
    CloseBtn->setText(t.Close);
    RangeDlg->UpdateLanguage();
    ShowSettings();
    FitToTitle(this);
}

bool TKVD_A_VIX_Form::Idle() const {
    if (FBusy)
        return false;
    const TAccessPoint* ap = FModule ? FModule->AP() : nullptr;
    return !ap || !ap->Busy();
}

void TKVD_A_VIX_Form::Message(const QString& Text) {
    ShowMessage(this, OnMessage, Text);
}

QString TKVD_A_VIX_Form::ReadAll() {
    TSimpleChannel* input = FModule->AnalogInput(0);
    QString error;
    if (!input || !input->ReadSettings(ssCommon, error))
        return error;
    if (!FModule->GVix->ReadSettings(gvAll, error))
        return error;
    return {};
}

void TKVD_A_VIX_Form::ShowSettings() {
    if (!FModule) {
        for (QLabel* l : {InputRangeLb, OutputRangeLb, ConversionLb})
            l->clear();
        return;
    }
    const TGVixChannel& g = *FModule->GVix;
    const TSimpleChannel* input = FModule->AnalogInput(0);
    InputRangeLb->setText(input ? RangeText(input->RangeCode) : QString());
    OutputRangeLb->setText(RangeText(quint16(g.OutputRangeCode)));
    NormalizationCheck->setChecked(g.NormalizationOn);
    const auto& r = g.ConversionRange;
    ConversionLb->setText(Texts().RangeArrow.arg(Number(r[0]), Number(r[1]), Number(r[2]), Number(r[3])));
}

bool TKVD_A_VIX_Form::Load() {
    FModule = nullptr;
    auto* module = dynamic_cast<TKVDAVIX*>(FDm.CurrentModule);
    if (!module || !FDm.CurrentDevice || !module->GVix)
        return false;
    FModule = module;
    QString error;
    {
        TExchangeGuard guard(FBusy);
        if (!guard.Acquired()) {
            FModule = nullptr;
            return false;
        }
        TBusyCursor busy;
        error = ReadAll();
    }
    if (!FModule->Ok) {
        FModule = nullptr;
        if (!error.isEmpty())
            Message(error);
        return false;
    }
    OutputValueEdit->setText(Number(FModule->GVix->OutputValue));
    UpdateLanguage();
    return true;
}

bool TKVD_A_VIX_Form::Execute() {
    if (!Load())
        return false;
    exec();
    return true;
}

void TKVD_A_VIX_Form::NormalizationCheckClick() {
    if (!FModule)
        return;
    TGVixChannel& g = *FModule->GVix;
    if (!Idle()) {
        NormalizationCheck->setChecked(g.NormalizationOn);
        return;
    }
    const bool old = g.NormalizationOn;
    g.NormalizationOn = NormalizationCheck->isChecked();
    QString error;
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = g.WriteSettings(gvNormalizationOn, error);
    }
    if (!ok) {
        g.NormalizationOn = old;
        NormalizationCheck->setChecked(old);
        Message(error);
    }
}

void TKVD_A_VIX_Form::RangeBtnClick() {
    if (!FModule || !Idle())
        return;
    TGVixChannel& g = *FModule->GVix;
    RangeDlg->Setup(g.ConversionRange);
    const int result = OnRunDialog ? OnRunDialog(*RangeDlg) : RangeDlg->exec();
    if (result != QDialog::Accepted || !FModule)
        return;
    const TGVixRangeInput input = CheckGVixRange(RangeDlg->Texts());
    if (!input.Error.isEmpty()) {
        Message(input.Error);
        return;
    }
    if (!Idle())
        return;
    const std::array<float, 4> old = g.ConversionRange;
    g.ConversionRange = input.Values;
    QString error;
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = g.WriteSettings(gvConversionRanges, error);
    }
    if (!ok) {
        // What the device holds now is uncertain; the window shows what it last knew for sure.
        g.ConversionRange = old;
        Message(Texts().SaveRangesFailed);
    }
    ShowSettings();
}

void TKVD_A_VIX_Form::SetOutputBtnClick() {
    if (!FModule || !Idle())
        return;
    TGVixChannel& g = *FModule->GVix;
    const auto v = ParseFloat(OutputValueEdit->text().trimmed());
    if (!v || !std::isfinite(float(*v))) {
        Message(Texts().NotANumber.arg(Texts().OutputValue, OutputValueEdit->text()));
        return;
    }
    const float old = g.OutputValue;
    g.OutputValue = float(*v);
    QString error;
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = g.WriteSettings(gvOutputValue, error);
    }
    if (!ok) {
        g.OutputValue = old;
        Message(error);
    }
}

void TKVD_A_VIX_Form::RefreshBtnClick() {
    if (!FModule || !Idle())
        return;
    QString error;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        error = ReadAll();
    }
    ShowSettings();
    if (!FModule->Ok && !error.isEmpty())
        Message(error);
}

void RegisterKVD_A_VIX_Window(TKVD_A_VIX_Form& Form) {
    QPointer<TKVD_A_VIX_Form> window(&Form);
    ChannelWindows().Register(QStringLiteral("TKVD_A_VIX_Form"), [window](const TChannelWindowContext&) {
        if (window)
            window->Execute();
    });
}
