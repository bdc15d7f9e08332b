#include "views/ui/KVD_AI8_ChannelForm.h"

#include "bus/AccessPoint.h"
#include "localization/AnalogChannelFormsLanguage.h"
#include "localization/AnalogInputLanguage.h"
#include "model/BusSettings.h"
#include "model/Helper.h"
#include "model/SimpleChannel.h"
#include "model/ZUVOModule.h"
#include "platform/ExchangeGuard.h"
#include "platform/ProcessTimer.h"
#include "platform/ui/DialogTitle.h"
#include "shell/Dm.h"
#include "views/AnalogChannelForms.h"
#include "views/AnalogInputDisplay.h"
#include "views/AnalogInputGenerator.h"
#include "views/AnalogInputSelector.h"
#include "views/ChannelWindows.h"
#include "views/ui/AiSimpleInputParam.h"
#include "views/ui/AiSimpleLedLimit.h"
#include "views/ui/AiSimpleUserPolynom.h"
#include "views/ui/SignalChainView.h"
#include "views/ui/aiSimpleAdcAverage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QColor kRed(200, 0, 0);
const QColor kGreen(0, 140, 0);
const QColor kBlue(0, 0, 200);

const TAIChannelLanguage& AiTexts() {
    return AIChannelLanguage().Texts(CurrentLanguage());
}

const TAnalogChannelFormsLanguage& FormTexts() {
    return AnalogChannelFormsLanguage().Texts(CurrentLanguage());
}

QLabel* Bold(QWidget* parent, double Scale = 1.0) {
    auto* l = new QLabel(parent);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * Scale);
    l->setFont(f);
    return l;
}

QString Mask01(float Value) {
    return FloatToText(QStringLiteral("0.0"), Value);
}

} // namespace

TAiSimpleChannelForm::TAiSimpleChannelForm(TDm& Dm, bool Heat, QWidget* parent)
    : QDialog(parent), FDm(Dm), FHeat(Heat) {
    setObjectName(Heat ? QStringLiteral("KVD_AIK_Heat_ChannelForm") : QStringLiteral("KVD_AI8_ChannelForm"));
    setModal(true);
    BuildWindow();

    InputParamDlg = new TAiSimpleInputParam(this);
    AdcAverageDlg = new TaiSimpleAdcAverage(this);
    PolynomDlg = new TaiSimpleUserPolynom(this);
    LedLimitDlg = new TaiSimpleLedLimit(this);

    ProcessTimer = new TProcessTimer(this);
    ProcessTimer->SetInterval(Heat ? 100 : 1000);
    ProcessTimer->OnTimer = [this] { ProcessTimerTimer(); };
    // Only the pulse counter lets a last tick finish with a pause after Stop.
    if (!Heat)
        ProcessTimer->Pause = [](int) {};
    BlinkTimer = new QTimer(this);
    BlinkTimer->setInterval(300);
    connect(BlinkTimer, &QTimer::timeout, this, &TAiSimpleChannelForm::BlinkTimerTimer);
    IndicatorTimer = new QTimer(this);
    IndicatorTimer->setInterval(100);
    IndicatorTimer->setSingleShot(true);
    connect(IndicatorTimer, &QTimer::timeout, this, &TAiSimpleChannelForm::ProcessIndikatorTimer);
    UpdateLanguage();
}

TAiSimpleChannelForm::~TAiSimpleChannelForm() {
    StopTimers();
}

void TAiSimpleChannelForm::BuildWindow() {
    FAddressCaption = new QLabel(this);
    AddressValue = Bold(this);
    FBaudRateCaption = new QLabel(this);
    BaudRateValue = Bold(this);
    auto* header = new QHBoxLayout;
    header->addWidget(FAddressCaption);
    header->addWidget(AddressValue);
    header->addSpacing(24);
    header->addWidget(FBaudRateCaption);
    header->addWidget(BaudRateValue);
    header->addStretch(1);

    SettingsBox = new QGroupBox(this);
    auto* grid = new QGridLayout(SettingsBox);
    int row = 0;
    const auto line = [&](QLabel* Caption, QWidget* Value, QPushButton* Button = nullptr,
                          QPushButton* Second = nullptr) {
        grid->addWidget(Caption, row, 0);
        if (Value)
            grid->addWidget(Value, row, 1);
        if (Button)
            grid->addWidget(Button, row, 2);
        if (Second)
            grid->addWidget(Second, row, 3);
        ++row;
    };

    TemperatureLb = Bold(SettingsBox);
    CountLb = Bold(SettingsBox, 1.4);
    FCountCaption = new QLabel(SettingsBox);
    FInputParameterCaption = new QLabel(SettingsBox);
    InputParameterValue = Bold(SettingsBox);
    FRangeCaption = new QLabel(SettingsBox);
    RangeValue = Bold(SettingsBox);
    FCutoffCaption = new QLabel(SettingsBox);
    CutoffValue = Bold(SettingsBox);
    FResponseTimeCaption = new QLabel(SettingsBox);
    ResponseTimeValue = Bold(SettingsBox);
    FPolynomialCaption = new QLabel(SettingsBox);
    PolynomialState = Bold(SettingsBox, 1.3);
    PolynomialMarker = new TLamp(kRed, 12, SettingsBox);
    FIndicatorCaption = new QLabel(SettingsBox);
    Led = new TLamp(QColor(0, 200, 0), 22, SettingsBox);
    Led->SetSocket(true);
    FMinimumCaption = new QLabel(SettingsBox);
    FMaximumCaption = new QLabel(SettingsBox);
    MinimumValue = Bold(SettingsBox);
    MaximumValue = Bold(SettingsBox);
    SetTextColour(MinimumValue, kGreen);
    SetTextColour(MaximumValue, kRed);
    FGeneratorCaption = new QLabel(SettingsBox);
    SelectInputBtn = new QPushButton(SettingsBox);
    ADCAverageBtn = new QPushButton(SettingsBox);
    UserPolynomBtn = new QPushButton(SettingsBox);
    AlgBtn = new QPushButton(SettingsBox);
    LedIndicatorBtn = new QPushButton(SettingsBox);
    GeneratorBtn = new QPushButton(SettingsBox);

    auto* polynomial = new QWidget(SettingsBox);
    auto* polynomialRow = new QHBoxLayout(polynomial);
    polynomialRow->setContentsMargins(0, 0, 0, 0);
    polynomialRow->addWidget(PolynomialState);
    polynomialRow->addWidget(PolynomialMarker);
    polynomialRow->addStretch(1);

    if (FHeat) {
        line(FCountCaption, CountLb, SelectInputBtn);
        line(FPolynomialCaption, polynomial, UserPolynomBtn, AlgBtn);
        auto* limits = new QWidget(SettingsBox);
        auto* l = new QGridLayout(limits);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(Led, 0, 0, 2, 1);
        l->addWidget(FMinimumCaption, 0, 1);
        l->addWidget(MinimumValue, 0, 2);
        l->addWidget(FMaximumCaption, 1, 1);
        l->addWidget(MaximumValue, 1, 2);
        l->setColumnStretch(3, 1);
        line(FIndicatorCaption, limits, LedIndicatorBtn);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 TemperatureLb, FInputParameterCaption, InputParameterValue, FRangeCaption, RangeValue,
                 FCutoffCaption, CutoffValue, FResponseTimeCaption, ResponseTimeValue, ADCAverageBtn,
                 GeneratorBtn, FGeneratorCaption})
            w->hide();
    } else {
        grid->addWidget(TemperatureLb, row++, 0, 1, 4);
        line(FInputParameterCaption, InputParameterValue, SelectInputBtn);
        line(FRangeCaption, RangeValue);
        line(FCutoffCaption, CutoffValue, ADCAverageBtn);
        line(FResponseTimeCaption, ResponseTimeValue);
        line(FPolynomialCaption, polynomial, UserPolynomBtn, AlgBtn);
        line(FGeneratorCaption, nullptr, GeneratorBtn);
        for (QWidget* w :
             std::initializer_list<QWidget*>{CountLb, FCountCaption, FIndicatorCaption, Led, FMinimumCaption,
                                             FMaximumCaption, MinimumValue, MaximumValue, LedIndicatorBtn})
            w->hide();
    }
    grid->setColumnStretch(1, 1);

    FResultBox = new QGroupBox(this);
    ResultValue = Bold(FResultBox, 1.8);
    ResultValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ResultValue->setMinimumWidth(160);
    ResultUnit = Bold(FResultBox);
    WorkMarker = new TLamp(kBlue, 10, FResultBox);
    auto* result = new QHBoxLayout(FResultBox);
    result->addStretch(1);
    result->addWidget(ResultValue);
    result->addWidget(ResultUnit);
    result->addWidget(WorkMarker);
    result->addStretch(1);

    ResultBtn = new QPushButton(this);
    CloseBtn = new QPushButton(this);
    for (QPushButton* b : {SelectInputBtn, ADCAverageBtn, UserPolynomBtn, AlgBtn, LedIndicatorBtn,
                           GeneratorBtn, ResultBtn, CloseBtn})
        b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ResultBtn);
    buttons->addStretch(1);
    buttons->addWidget(CloseBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(SettingsBox);
    layout->addWidget(FResultBox);
    layout->addLayout(buttons);

    connect(ResultBtn, &QPushButton::clicked, this, &TAiSimpleChannelForm::ResultBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TAiSimpleChannelForm::CloseBtnClick);
    connect(SelectInputBtn, &QPushButton::clicked, this, &TAiSimpleChannelForm::SelectInputBtnClick);
    connect(ADCAverageBtn, &QPushButton::clicked, this, &TAiSimpleChannelForm::ADCAverageBtnClick);
    connect(UserPolynomBtn, &QPushButton::clicked, this, &TAiSimpleChannelForm::UserPolynomBtnClick);
    connect(AlgBtn, &QPushButton::clicked, this, &TAiSimpleChannelForm::AlgBtnClick);
    connect(LedIndicatorBtn, &QPushButton::clicked, this, &TAiSimpleChannelForm::LedIndicatorBtnClick);
    connect(GeneratorBtn, &QPushButton::clicked, this, &TAiSimpleChannelForm::GeneratorBtnClick);
}

void TAiSimpleChannelForm::UpdateLanguage() {
    const auto& a = AiTexts();
    const auto& t = FormTexts();
    if (FChannel && FDm.CurrentDevice)
        setWindowTitle(a.Module + QStringLiteral(": ") + FDm.CurrentDevice->ModelName + QStringLiteral(".") +
                       a.Channel + (FHeat ? QStringLiteral("  №") : QStringLiteral(" №")) +
                       QString::number(FChannelIndex + 1));
    else
        setWindowTitle(a.ChannelSettings);
    FAddressCaption->setText(a.DeviceAddress + QLatin1Char(':'));
    FBaudRateCaption->setText(a.BaudRate + QLatin1Char(':'));
    SettingsBox->setTitle(a.ChannelSettings);
    FCountCaption->setText(t.PulseCount + QLatin1Char(':'));
    FInputParameterCaption->setText(a.InputParameter + QLatin1Char(':'));
    FRangeCaption->setText(a.Range + QLatin1Char(':'));
    FCutoffCaption->setText(a.FilterFrequency + a.HzSuffix);
    FResponseTimeCaption->setText(a.ResponseTime + a.MsSuffix);
    FPolynomialCaption->setText(a.UserPolynomial + QLatin1Char(':'));
    FIndicatorCaption->setText(a.Indicator + QLatin1Char(':'));
    FMinimumCaption->setText(a.Minimum);
    FMaximumCaption->setText(a.Maximum);
    FGeneratorCaption->setText(a.Generator + QLatin1Char(':'));
    SelectInputBtn->setText(FHeat ? t.Reset : a.BtnSelect);
    ADCAverageBtn->setText(a.BtnFilter);
    UserPolynomBtn->setText(a.BtnCoefficients);
    AlgBtn->setText(a.BtnSwitch);
    LedIndicatorBtn->setText(a.BtnLimits);
    GeneratorBtn->setText(a.BtnGenerator);
    FResultBox->setTitle(a.Result);
    ResultBtn->setText(FMeasuring ? a.Stop : a.Start);
    CloseBtn->setText(t.Close);
    if (FChannel) {
        ShowSettings();
        Units();
    }
    InputParamDlg->UpdateLanguage();
    AdcAverageDlg->UpdateLanguage();
    FitToTitle(this);
}

quint32 TAiSimpleChannelForm::TypeCode() const {
    return CurrentTypeCode(FDm);
}

bool TAiSimpleChannelForm::Idle() const {
    return ChannelIdle(FBusy, FChannel);
}

bool TAiSimpleChannelForm::Generator() const {
    return FDm.EmulatorActive && AnalogInputGenerator() && FChannel;
}

int TAiSimpleChannelForm::RunDialog(QDialog& Dialog) {
    return OnRunDialog ? OnRunDialog(Dialog) : Dialog.exec();
}

void TAiSimpleChannelForm::Message(const QString& Text) {
    ShowMessage(this, OnMessage, Text);
}

TSimpleChannel* TAiSimpleChannelForm::ChannelOfRow() const {
    TZUVOModule* module = FDm.CurrentModule;
    if (!module)
        return nullptr;
    if (!FHeat)
        return module->AnalogInput(FDm.CurrentChannel);
    const int index = HeatInputIndexFor(TypeCode(), FDm.CurrentChannel);
    return index < 0 ? nullptr : module->AnalogInput(index);
}

bool TAiSimpleChannelForm::Load(TSimpleChannel* Channel) {
    TBusyCursor busy;
    StopTimers();
    FMeasuring = false;
    FZone = 0;
    FChannel = nullptr;
    FChannelIndex = FDm.CurrentChannel;
    TSimpleChannel* channel = Channel ? Channel : ChannelOfRow();
    if (!channel || !FDm.CurrentDevice)
        return false;
    {
        TExchangeGuard guard(FBusy);
        if (!guard.Acquired())
            return false;
        QString error;
        const std::vector<int> reads =
            FHeat ? std::vector<int>{ssCommon}
                  : std::vector<int>{ssRangeCode,    ssRangeList,  ssFilterCutoff, ssNormalization,
                                     ssResponseTime, ssPolynomial, ssFlags};
        for (int selector : reads)
            if (!channel->ReadSettings(selector, error))
                return false;
        if (FHeat && !channel->Normalization) {
            channel->Normalization = true;
            if (!channel->WriteSettings(ssNormalization, error))
                return false;
        }
        channel->SetValueFormat(QStringLiteral("0.0000000"));
        const float first = channel->ReadTemperature();
        if (!channel->Module()->Ok)
            return false;
        FChannel = channel;
        if (FHeat)
            CountLb->setText(QString::number(std::lround(first)));
        else
            TemperatureLb->setText(QStringLiteral("t = ") + FloatToText(QStringLiteral("00.0"), first) +
                                   QStringLiteral("°C"));
    }
    FRangeRecord = FDm.RangesTable.Record(FChannel->RangeCode);
    AddressValue->setText(HexAddressText(quint8(FDm.CurrentDevice->Address)));
    BaudRateValue->setText(QStringLiteral("br") + QString::number(FDm.Bus.BaudRateValue()));
    ResultValue->setText(FHeat ? Mask01(0) : FloatToText(FChannel->DisplayFormat(), 0));
    Led->SetLit(false);
    WorkMarker->SetLit(false);
    EnableSettings(true);
    UpdateLanguage();
    SetTextColour(ResultBtn, kGreen);
    return true;
}

bool TAiSimpleChannelForm::Execute(TSimpleChannel* Channel) {
    if (!Load(Channel))
        return false;
    exec();
    FMeasuring = false;
    StopTimers();
    return true;
}

void TAiSimpleChannelForm::ShowSettings() {
    if (!FChannel)
        return;
    if (!FHeat) {
        const int position = AdcCutoffPosition(FChannel->FilterCutoff);
        CutoffValue->setText(position == 0 && !(FChannel->FilterCutoff > 0)
                                 ? AdcAverageLanguage().Texts(CurrentLanguage()).FilterOff
                                 : Mask01(FChannel->FilterCutoff));
        ResponseTimeValue->setText(QString::number(FChannel->ResponseTime));
    }
    ShowPolynomial();
    ShowLimits();
}

void TAiSimpleChannelForm::ShowPolynomial() {
    if (!FChannel)
        return;
    const bool on = FChannel->PolynomialOn();
    PolynomialState->setText(on ? QStringLiteral("1") : QStringLiteral("0"));
    SetTextColour(PolynomialState, on ? kRed : kGreen);
    PolynomialMarker->SetLit(on);
}

void TAiSimpleChannelForm::ShowLimits() {
    if (!FChannel || !FHeat)
        return;
    MinimumValue->setText(Mask01(FChannel->LedLow));
    MaximumValue->setText(Mask01(FChannel->LedHigh));
}

void TAiSimpleChannelForm::UpDateDisplayMask() {
    ShowLimits();
}

void TAiSimpleChannelForm::Units() {
    if (FHeat) {
        ResultUnit->clear();
        return;
    }
    InputParameterValue->setText(FRangeRecord.ParameterName);
    RangeValue->setText(FRangeRecord.Description);
    ResultUnit->setText(AI8ResultUnit(FDm.EmulatorActive, FChannel && FChannel->Normalization,
                                      FRangeRecord.Unit, AiTexts().Code));
}

void TAiSimpleChannelForm::EnableSettings(bool On) {
    for (QPushButton* b : {SelectInputBtn, ADCAverageBtn, UserPolynomBtn, AlgBtn, LedIndicatorBtn})
        b->setEnabled(On);
}

void TAiSimpleChannelForm::StopTimers() {
    if (ProcessTimer) {
        const auto pause = ProcessTimer->Pause;
        ProcessTimer->Pause = [](int) {};
        ProcessTimer->Stop();
        ProcessTimer->Pause = pause;
    }
    if (BlinkTimer)
        BlinkTimer->stop();
    if (IndicatorTimer)
        IndicatorTimer->stop();
}

// --- Measuring ---

void TAiSimpleChannelForm::ResultBtnClick() {
    if (!FChannel || FStopping)
        return;
    const auto& a = AiTexts();
    if (!FMeasuring) {
        ResultBtn->setText(a.Stop);
        SetTextColour(ResultBtn, kRed);
        if (Generator())
            AnalogInputGenerator()(gaStart, *FChannel);
        FMeasuring = true;
        ProcessTimer->Start();
        if (FHeat)
            BlinkTimer->start();
    } else {
        ResultBtn->setText(a.Start);
        SetTextColour(ResultBtn, kGreen);
        if (Generator())
            AnalogInputGenerator()(gaStop, *FChannel);
        FMeasuring = false;
        BlinkTimer->stop();
        IndicatorTimer->stop();
        WorkMarker->SetLit(false);
        Led->SetLit(false);
        FStopping = true;
        ProcessTimer->Stop();
        FStopping = false;
    }
    EnableSettings(!FMeasuring);
}

void TAiSimpleChannelForm::ProcessTimerTimer() {
    if (!FChannel || !FMeasuring || !Idle())
        return;
    TExchangeGuard guard(FBusy);
    TZUVOModule* module = FChannel->Module();
    const float temperature = FChannel->ReadTemperature();
    const bool temperatureOk = module->Ok;
    float value;
    bool valueOk;
    if (FHeat) {
        const TByteOrder order = FDm.CurrentDevice && FDm.CurrentDevice->ByteOrder < boNAN
                                     ? TByteOrder(FDm.CurrentDevice->ByteOrder)
                                     : boNAN;
        FChannel->ValueOrder = order;
        value = FChannel->ReadValue();
        valueOk = module->Ok;
        FChannel->ValueOrder = boNAN;
    } else {
        value = FChannel->ReadValue();
        valueOk = module->Ok;
    }
    // Stopped (or closed) while the device was asked: the reading no longer belongs on screen.
    if (!FMeasuring)
        return;
    if (FHeat) {
        if (temperatureOk)
            CountLb->setText(QString::number(std::lround(temperature)));
        if (valueOk)
            FZone = int(ZoneOf(value, FChannel->LedLow, FChannel->LedHigh));
        ResultValue->setText(Mask01(value));
    } else {
        if (temperatureOk)
            TemperatureLb->setText(QStringLiteral("t = ") + FloatToText(QStringLiteral("00.0"), temperature) +
                                   QStringLiteral("°C"));
        ResultValue->setText(FloatToText(FChannel->DisplayFormat(), value));
    }
    BlinkProcessIndicator();
}

void TAiSimpleChannelForm::BlinkProcessIndicator() {
    WorkMarker->SetLit(true);
    IndicatorTimer->start();
}

void TAiSimpleChannelForm::ProcessIndikatorTimer() {
    WorkMarker->SetLit(false);
}

void TAiSimpleChannelForm::BlinkTimerTimer() {
    if (!FMeasuring)
        return;
    Led->SetLit(HeatLedAfterBlink(FZone, Led->Lit()));
}

// --- Closing ---

void TAiSimpleChannelForm::CloseBtnClick() {
    close();
}

void TAiSimpleChannelForm::done(int Result) {
    if (FMeasuring) {
        ResultBtnClick();
        return;
    }
    if (FStopping)
        return;
    if (Generator())
        AnalogInputGenerator()(gaClose, *FChannel);
    EnableSettings(true);
    StopTimers();
    WorkMarker->SetLit(false);
    Led->SetLit(false);
    QDialog::done(Result);
}

// --- Settings ---

void TAiSimpleChannelForm::SelectInputBtnClick() {
    if (!FChannel || FMeasuring || !Idle())
        return;
    if (FHeat) {
        bool ok;
        {
            TExchangeGuard guard(FBusy);
            TBusyCursor busy;
            ok = FChannel->ResetPulseCounter();
            if (!ok) {
                // Devices without the reset command clear the count when their range is written.
                QString error;
                ok = FChannel->WriteSettings(ssRangeCode, error);
            }
        }
        if (!ok)
            Message(FormTexts().CounterResetError);
        return;
    }
    InputParamDlg->Setup(&FChannel->Ranges, &FDm.RangesTable, true, FChannel->RangeCode);
    if (RunDialog(*InputParamDlg) != QDialog::Accepted || !FChannel->Ranges.HasCode(InputParamDlg->Code()))
        return;
    if (!Idle())
        return;
    QString error;
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        const quint16 old = FChannel->RangeCode;
        FChannel->RangeCode = InputParamDlg->Code();
        ok = FChannel->WriteSettings(ssRangeCode, error);
        if (!ok)
            FChannel->RangeCode = old;
    }
    if (!ok) {
        Message(error);
        return;
    }
    FRangeRecord = FDm.RangesTable.Record(FChannel->RangeCode);
    ResultValue->setText(FloatToText(FChannel->DisplayFormat(), FChannel->LastValue));
    Units();
    FitToTitle(this);
}

void TAiSimpleChannelForm::ADCAverageBtnClick() {
    if (!FChannel || FHeat || FMeasuring || !Idle())
        return;
    AdcAverageDlg->Setup(FChannel->ResponseTime, FChannel->FilterCutoff, TypeCode() == 0);
    if (RunDialog(*AdcAverageDlg) != QDialog::Accepted || !Idle())
        return;
    const float oldCutoff = FChannel->FilterCutoff;
    const quint16 oldResponse = FChannel->ResponseTime;
    const float cutoff = AdcAverageDlg->Cutoff();
    const quint16 response = AdcAverageDlg->ResponseTime();
    QString error;
    bool ok = true;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        FChannel->FilterCutoff = cutoff;
        FChannel->ResponseTime = response;
        // Only what changed goes to the device: each write marks its settings as changed.
        if (cutoff != oldCutoff)
            ok = FChannel->WriteSettings(ssFilterCutoff, error);
        if (ok && response != oldResponse)
            ok = FChannel->WriteSettings(ssResponseTime, error);
    }
    if (!ok) {
        FChannel->FilterCutoff = oldCutoff;
        FChannel->ResponseTime = oldResponse;
        Message(error);
    }
    ShowSettings();
}

void TAiSimpleChannelForm::UserPolynomBtnClick() {
    if (!FChannel || FMeasuring || !Idle())
        return;
    PolynomDlg->OnMessage = OnMessage;
    PolynomDlg->Setup(*FChannel, [this] {
        TaiSimpleUserPolynom::TValueRead read;
        if (!Idle())
            return read;
        TExchangeGuard guard(FBusy);
        read.Done = true;
        read.Value = FChannel->ReadValue();
        read.Ok = FChannel->Module()->Ok;
        return read;
    });
    if (RunDialog(*PolynomDlg) != QDialog::Accepted || !Idle())
        return;
    const auto old = FChannel->Polynomial;
    QString error;
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        FChannel->Polynomial = PolynomDlg->Coefficients();
        ok = FChannel->WriteSettings(ssPolynomial, error);
    }
    if (!ok) {
        FChannel->Polynomial = old;
        Message(error);
    }
}

void TAiSimpleChannelForm::AlgBtnClick() {
    if (!FChannel || FMeasuring || !Idle())
        return;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        QString error;
        const quint32 old = FChannel->Flags;
        FChannel->Flags ^= afPolynomial;
        if (!FChannel->WriteSettings(ssFlags, error))
            FChannel->Flags = old;
        FChannel->ReadSettings(ssFlags, error);
    }
    ShowPolynomial();
}

void TAiSimpleChannelForm::LedIndicatorBtnClick() {
    if (!FChannel || !FHeat || FMeasuring || !Idle())
        return;
    LedLimitDlg->OnMessage = OnMessage;
    LedLimitDlg->Setup(FChannel->LedLow, FChannel->LedHigh);
    if (RunDialog(*LedLimitDlg) != QDialog::Accepted || !Idle())
        return;
    const float oldLow = FChannel->LedLow;
    const float oldHigh = FChannel->LedHigh;
    QString error;
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        FChannel->LedLow = LedLimitDlg->Low();
        FChannel->LedHigh = LedLimitDlg->High();
        ok = FChannel->WriteSettings(ssLedLimits, error);
    }
    if (!ok) {
        FChannel->LedLow = oldLow;
        FChannel->LedHigh = oldHigh;
        Message(error);
    }
    ShowLimits();
}

void TAiSimpleChannelForm::GeneratorBtnClick() {
    if (!FChannel)
        return;
    if (!FDm.EmulatorActive) {
        Message(FormTexts().GeneratorOnlyInEmulation);
        return;
    }
    if (AnalogInputGenerator())
        AnalogInputGenerator()(gaToggle, *FChannel);
}

void RegisterAnalogInputViewWindows(TKVD_AI8_ChannelForm& Eight, TKVD_AIK_Heat_ChannelForm& Heat) {
    QPointer<TKVD_AI8_ChannelForm> eight(&Eight);
    QPointer<TKVD_AIK_Heat_ChannelForm> heat(&Heat);
    ChannelWindows().Register(QStringLiteral("TKVD_AI8_ChannelForm"), [eight](const TChannelWindowContext&) {
        if (eight)
            eight->Execute();
    });
    ChannelWindows().Register(kAnalogInputHeatWindow, [heat](const TChannelWindowContext& Context) {
        // Through the analog input selector the channel comes ready; a kind 10 row names its input.
        if (heat)
            heat->Execute(dynamic_cast<TSimpleChannel*>(Context.AnalogInput));
    });
}
