#include "views/ui/KVD_AO_ChannelForm.h"

#include "bus/AccessPoint.h"
#include "localization/AnalogChannelFormsLanguage.h"
#include "localization/AnalogInputLanguage.h"
#include "model/AOChannel.h"
#include "model/BusSettings.h"
#include "model/Helper.h"
#include "model/ZUVOModule.h"
#include "platform/ExchangeGuard.h"
#include "platform/ui/DialogTitle.h"
#include "shell/Dm.h"
#include "views/AnalogChannelForms.h"
#include "views/AnalogInputGenerator.h"
#include "views/ChannelWindows.h"
#include "views/ui/AiSimpleInputParam.h"
#include "views/ui/SineGeneratorDlg.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QVBoxLayout>

namespace {

const QColor kRed(200, 0, 0);
const QColor kBlue(0, 0, 200);
const QColor kBlack(0, 0, 0);

const TAnalogChannelFormsLanguage& FormTexts() {
    return AnalogChannelFormsLanguage().Texts(CurrentLanguage());
}

const TAIChannelLanguage& AiTexts() {
    return AIChannelLanguage().Texts(CurrentLanguage());
}

} // namespace

TSelectionTrack::TSelectionTrack(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void TSelectionTrack::SetSelection(int Start, int End) {
    FStart = Start;
    FEnd = End;
    update();
}

void TSelectionTrack::paintEvent(QPaintEvent* event) {
    if (HasSelection()) {
        // The span between the value sent and the one shown, under the groove; this painter ends
        // before the slider's own begins.
        QPainter p(this);
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        const QRect groove = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
        const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
        const int span = groove.width() - handle.width();
        const auto x = [&](int v) {
            return groove.left() + handle.width() / 2 +
                   QStyle::sliderPositionFromValue(minimum(), maximum(), v, span);
        };
        const int a = x(std::min(FStart, FEnd));
        const int b = x(std::max(FStart, FEnd));
        p.fillRect(QRect(a, groove.center().y() - 4, std::max(b - a, 1), 9), QColor(230, 90, 90));
    }
    QSlider::paintEvent(event);
}

TKVD_AO_ChannelForm::TKVD_AO_ChannelForm(TDm& Dm, QWidget* parent) : QDialog(parent), FDm(Dm) {
    setObjectName(QStringLiteral("KVD_AO_ChannelForm"));
    setModal(true);

    FAddressCaption = new QLabel(this);
    AddressValue = new QLabel(this);
    FBaudRateCaption = new QLabel(this);
    BaudRateValue = new QLabel(this);
    QFont bold = AddressValue->font();
    bold.setBold(true);
    AddressValue->setFont(bold);
    BaudRateValue->setFont(bold);
    auto* header = new QHBoxLayout;
    header->addWidget(FAddressCaption);
    header->addWidget(AddressValue);
    header->addSpacing(24);
    header->addWidget(FBaudRateCaption);
    header->addWidget(BaudRateValue);
    header->addStretch(1);

    SettingsBox = new QGroupBox(this);
    FParamCaption = new QLabel(SettingsBox);
    ParamLb = new QLabel(SettingsBox);
    FRangeCaption = new QLabel(SettingsBox);
    RangeLb = new QLabel(SettingsBox);
    ParamLb->setFont(bold);
    RangeLb->setFont(bold);
    FOutputParamCaption = new QLabel(SettingsBox);
    RangeBtn = new QPushButton(SettingsBox);
    auto* settings = new QGridLayout(SettingsBox);
    settings->addWidget(FParamCaption, 0, 0);
    settings->addWidget(ParamLb, 0, 1);
    settings->addWidget(FRangeCaption, 1, 0);
    settings->addWidget(RangeLb, 1, 1);
    settings->addWidget(FOutputParamCaption, 2, 0);
    settings->addWidget(RangeBtn, 2, 1, Qt::AlignLeft);
    settings->setColumnStretch(1, 1);

    ValueBox = new QGroupBox(this);
    ResultLbl = new QLabel(ValueBox);
    QFont big = ResultLbl->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    ResultLbl->setFont(big);
    ResultLbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ResultLbl->setCursor(Qt::PointingHandCursor);
    ResultLbl->installEventFilter(this);
    UnitLbl = new QLabel(ValueBox);
    UnitLbl->setFont(bold);
    Track = new TSelectionTrack(ValueBox);
    Track->setRange(0, kAoTrackSteps);
    Track->setPageStep(25);
    Track->setTickPosition(QSlider::TicksBelow);
    Track->setTickInterval(50);
    Track->setMinimumWidth(320);
    Track->installEventFilter(this);
    auto* valueRow = new QHBoxLayout;
    valueRow->addStretch(1);
    valueRow->addWidget(ResultLbl);
    valueRow->addWidget(UnitLbl);
    valueRow->addStretch(1);
    auto* value = new QVBoxLayout(ValueBox);
    value->addLayout(valueRow);
    value->addWidget(Track);

    SetBtn = new QPushButton(this);
    TesterBtn = new QPushButton(this);
    CloseBtn = new QPushButton(this);
    for (QPushButton* b : {RangeBtn, SetBtn, TesterBtn, CloseBtn})
        b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SetBtn);
    buttons->addWidget(TesterBtn);
    buttons->addStretch(1);
    buttons->addWidget(CloseBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(SettingsBox);
    layout->addWidget(ValueBox);
    layout->addLayout(buttons);

    InputParamDlg = new TAiSimpleInputParam(this);
    SineDlg = new TSineGeneratorDlg(this);

    connect(SetBtn, &QPushButton::clicked, this, &TKVD_AO_ChannelForm::SetBtnClick);
    connect(Track, &QSlider::valueChanged, this, &TKVD_AO_ChannelForm::TrackChange);
    connect(RangeBtn, &QPushButton::clicked, this, &TKVD_AO_ChannelForm::RangeBtnClick);
    connect(TesterBtn, &QPushButton::clicked, this, &TKVD_AO_ChannelForm::TesterBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TKVD_AO_ChannelForm::CloseBtnClick);

    UpdateLanguage();
}

TKVD_AO_ChannelForm::~TKVD_AO_ChannelForm() = default;

void TKVD_AO_ChannelForm::UpdateLanguage() {
    const auto& t = FormTexts();
    const auto& a = AiTexts();
    if (FDm.CurrentDevice && FOutput)
        setWindowTitle(a.Module + QStringLiteral(": ") + FDm.CurrentDevice->ModelName + QStringLiteral(". ") +
                       a.Channel + QStringLiteral(" №") + QString::number(FChannelIndex + 1));
    else
        setWindowTitle(a.ChannelSettings);
    FAddressCaption->setText(a.DeviceAddress + QLatin1Char(':'));
    FBaudRateCaption->setText(a.BaudRate + QLatin1Char(':'));
    SettingsBox->setTitle(a.ChannelSettings);
    FParamCaption->setText(a.InputParameter + QLatin1Char(':'));
    FRangeCaption->setText(a.Range + QLatin1Char(':'));
    FOutputParamCaption->setText(t.OutputParameter + QLatin1Char(':'));
    RangeBtn->setText(a.BtnSelect);
    ValueBox->setTitle(t.OutputValue);
    SetBtn->setText(t.Set);
    TesterBtn->setText(FDm.EmulatorActive ? t.Tester : t.Generator);
    CloseBtn->setText(t.Close);
    InputParamDlg->UpdateLanguage();
    SineDlg->UpdateLanguage();
    FitToTitle(this);
}

quint32 TKVD_AO_ChannelForm::TypeCode() const {
    return CurrentTypeCode(FDm);
}

bool TKVD_AO_ChannelForm::Idle() const {
    return ChannelIdle(FBusy, FOutput);
}

int TKVD_AO_ChannelForm::RunDialog(QDialog& Dialog) {
    return OnRunDialog ? OnRunDialog(Dialog) : Dialog.exec();
}

void TKVD_AO_ChannelForm::Message(const QString& Text) {
    ShowMessage(this, OnMessage, Text);
}

double TKVD_AO_ChannelForm::PositionValue(int Position) const {
    return AoTrackValue(FRangeRecord.Low, FRangeRecord.High, Position);
}

bool TKVD_AO_ChannelForm::Load() {
    TBusyCursor busy;
    SineDlg->Player->Stop();
    FOutput = nullptr;
    FChannelIndex = FDm.CurrentChannel;
    TZUVOModule* module = FDm.CurrentModule;
    const int index = AnalogOutputIndexFor(TypeCode(), FDm.CurrentChannel);
    TAOChannel* output = module && FDm.CurrentDevice && index >= 0 ? module->AnalogOutput(index) : nullptr;
    if (!output)
        return false;
    {
        TExchangeGuard guard(FBusy);
        if (!guard.Acquired())
            return false;
        output->ValueOrder =
            FDm.CurrentDevice->ByteOrder >= boNAN ? boNAN : TByteOrder(FDm.CurrentDevice->ByteOrder);
        QString error;
        if (!output->ReadSettings(ssCommon, error))
            return false;
        // An output class without a normalization flag transfers nothing for it (false with no
        // text): there is nothing to switch on then.
        if (output->ReadSettings(ssNormalization, error)) {
            if (!output->Normalization) {
                output->Normalization = true;
                if (!output->WriteSettings(ssNormalization, error))
                    return false;
            }
        } else if (!error.isEmpty()) {
            return false;
        }
        output->ReadOutput();
        if (!module->Ok)
            return false;
    }
    FOutput = output;
    FRangeRecord = FDm.RangesTable.Record(output->RangeCode);
    FLoading = true;
    const int position = AoTrackPosition(FRangeRecord.Low, FRangeRecord.High, output->OutputValue);
    Track->setValue(position);
    FSentPosition = position;
    FLoading = false;
    if (FDm.CurrentDevice)
        AddressValue->setText(HexAddressText(quint8(FDm.CurrentDevice->Address)));
    BaudRateValue->setText(QStringLiteral("br") + QString::number(FDm.Bus.BaudRateValue()));
    ShowLabels();
    UpdateLanguage();
    Mark();
    return true;
}

bool TKVD_AO_ChannelForm::Execute() {
    if (!Load())
        return false;
    exec();
    SineDlg->Player->Stop();
    return true;
}

void TKVD_AO_ChannelForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TKVD_AO_ChannelForm::FormShow() {
    Track->setFocus();
}

void TKVD_AO_ChannelForm::ShowLabels() {
    ParamLb->setText(FRangeRecord.ParameterName);
    RangeLb->setText(FRangeRecord.Description);
    UnitLbl->setText(FRangeRecord.Unit);
}

void TKVD_AO_ChannelForm::Mark() {
    const QString format = FOutput ? FOutput->DisplayFormat() : QStringLiteral("0.000");
    ResultLbl->setText(FloatToText(format, PositionValue(Track->value())));
    if (Track->value() == FSentPosition) {
        SetTextColour(SetBtn, kBlack);
        SetTextColour(ResultLbl, kBlue);
        Track->ClearSelection();
    } else {
        SetTextColour(SetBtn, kRed);
        SetTextColour(ResultLbl, kRed);
        Track->SetSelection(FSentPosition, Track->value());
    }
}

void TKVD_AO_ChannelForm::TrackChange() {
    if (!FLoading)
        Mark();
}

std::optional<bool> TKVD_AO_ChannelForm::WriteValue(double Value) {
    if (!FOutput || !Idle())
        return std::nullopt;
    TExchangeGuard guard(FBusy);
    return FOutput->WriteOutput(float(Value));
}

void TKVD_AO_ChannelForm::SetBtnClick() {
    if (!FOutput)
        return;
    const int position = Track->value();
    SetBtn->setDown(true);
    std::optional<bool> ok;
    {
        TBusyCursor busy;
        ok = WriteValue(PositionValue(position));
    }
    SetBtn->setDown(false);
    // Refused while another exchange waited: nothing was sent, the mark stays for the next try.
    if (!ok)
        return;
    if (*ok) {
        FSentPosition = position;
        Mark();
    } else {
        Message(FormTexts().ErrorSettingValue);
    }
}

bool TKVD_AO_ChannelForm::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == Track && Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            SetBtnClick();
            return true;
        }
    }
    if (Watched == ResultLbl && Event->type() == QEvent::MouseButtonRelease) {
        ResultLblClick();
        return true;
    }
    return QDialog::eventFilter(Watched, Event);
}

void TKVD_AO_ChannelForm::ResultLblClick() {
    if (!FOutput)
        return;
    const auto& a = AiTexts();
    const auto& t = FormTexts();
    const QString current = QString::asprintf("%.3f", PositionValue(Track->value()));
    std::optional<QString> answer;
    if (OnInputValue) {
        answer = OnInputValue(a.ChannelSettings, t.OutputValue, current);
    } else {
        bool ok = false;
        const QString text =
            QInputDialog::getText(this, a.ChannelSettings, t.OutputValue, QLineEdit::Normal, current, &ok);
        if (ok)
            answer = text;
    }
    if (!answer)
        return;
    const auto value = ParseTypedValue(*answer);
    if (!value) {
        Message(t.NotANumber.arg(*answer));
        return;
    }
    // Kept within the range; sent only by "Set".
    Track->setValue(AoTrackPosition(FRangeRecord.Low, FRangeRecord.High, *value));
}

void TKVD_AO_ChannelForm::RangeBtnClick() {
    if (!FOutput || !Idle())
        return;
    InputParamDlg->Setup(&FOutput->Ranges, &FDm.RangesTable, true, FOutput->RangeCode);
    if (RunDialog(*InputParamDlg) != QDialog::Accepted || !FOutput->Ranges.HasCode(InputParamDlg->Code()))
        return;
    if (!Idle())
        return;
    std::optional<QString> failure;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        const quint16 old = FOutput->RangeCode;
        FOutput->RangeCode = InputParamDlg->Code();
        QString error;
        if (!FOutput->WriteSettings(ssRangeCode, error)) {
            FOutput->RangeCode = old;
            failure = error;
        } else if (InputParamDlg->ScaleChanged() && !FOutput->WriteSettings(ssRangeListWithScale, error)) {
            failure = error;
        }
        if (!failure) {
            // The position stays; in the new range it stands for another value, which is sent at once.
            FRangeRecord = FDm.RangesTable.Record(FOutput->RangeCode);
            if (FOutput->WriteOutput(float(PositionValue(Track->value()))))
                FSentPosition = Track->value();
        }
    }
    if (failure) {
        Message(*failure);
        return;
    }
    ShowLabels();
    Mark();
    FitToTitle(this);
}

void TKVD_AO_ChannelForm::TesterBtnClick() {
    if (!FOutput)
        return;
    if (FDm.EmulatorActive) {
        if (AnalogOutputTester())
            AnalogOutputTester()(taToggle, *FOutput);
        return;
    }
    SineDlg->Setup(FOutput, FRangeRecord, PositionValue(Track->value()));
    SineDlg->Write = [this](float Value) {
        const auto ok = WriteValue(Value);
        return !ok ? swRefused : *ok ? swDone : swFailed;
    };
    SineDlg->OnPoint = [this](float Value, TSineWrite Result) {
        if (Result != swDone)
            return;
        FLoading = true;
        Track->setValue(AoTrackPosition(FRangeRecord.Low, FRangeRecord.High, Value));
        FLoading = false;
        FSentPosition = Track->value();
        Mark();
    };
    RunDialog(*SineDlg);
    SineDlg->Player->Stop();
}

void TKVD_AO_ChannelForm::CloseBtnClick() {
    close();
}

void TKVD_AO_ChannelForm::done(int Result) {
    SineDlg->Player->Stop();
    if (FOutput && FDm.EmulatorActive && AnalogOutputTester())
        AnalogOutputTester()(taClose, *FOutput);
    QDialog::done(Result);
}

void RegisterAnalogOutputWindow(TKVD_AO_ChannelForm& Form) {
    QPointer<TKVD_AO_ChannelForm> form(&Form);
    ChannelWindows().Register(QStringLiteral("TKVD_AO_ChannelForm"), [form](const TChannelWindowContext&) {
        if (form)
            form->Execute();
    });
}
