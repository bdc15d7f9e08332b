#include "views/ui/KVD_AIK_ChannelForm.h"

#include "bus/AccessPoint.h"
#include "localization/AnalogInputLanguage.h"
#include "model/BusSettings.h"
#include "model/Helper.h"
#include "model/SimpleChannel.h"
#include "model/ZUVOModule.h"
#include "platform/ExchangeGuard.h"
#include "platform/ProcessTimer.h"
#include "shell/Dm.h"
#include "views/AnalogInputGenerator.h"
#include "views/AnalogInputSelector.h"
#include "views/ChannelWindows.h"
#include "views/ui/AIFlagsV.h"
#include "views/ui/AiSimpleInputParam.h"
#include "views/ui/AiSimpleLedLimit.h"
#include "views/ui/AiSimpleUserPolynom.h"
#include "views/ui/FilterParamDlg.h"
#include "views/ui/SignalChainView.h"

#include "platform/ui/DialogTitle.h"

#include <QAction>
#include <QComboBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

namespace {

const QColor kRed(200, 0, 0);
const QColor kGreen(0, 140, 0);
const QColor kBlue(0, 0, 200);
const QColor kGrey(128, 128, 128);

QLabel* BigLabel(QWidget* parent, double Scale) {
    auto* label = new QLabel(parent);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * Scale);
    f.setBold(true);
    label->setFont(f);
    return label;
}

// A state label with its marker beside it, centred.
QHBoxLayout* StateRow(QLabel* State, TLamp* Marker) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(State);
    row->addWidget(Marker, 0, Qt::AlignVCenter);
    row->addStretch(1);
    return row;
}

} // namespace

TKVD_AIK_ChannelForm::TKVD_AIK_ChannelForm(TDm& Dm, QWidget* parent) : QDialog(parent), FDm(Dm) {
    setObjectName(QStringLiteral("KVD_AIK_ChannelForm"));
    setModal(true);
    setSizeGripEnabled(true);
    BuildWindow();

    InputParamDlg = new TAiSimpleInputParam(this);
    FilterDlg = new TFilterParamDlg(this);
    PolynomDlg = new TaiSimpleUserPolynom(this);
    LedLimitDlg = new TaiSimpleLedLimit(this);

    ProcessTimer = new TProcessTimer(this);
    ProcessTimer->SetInterval(TAiMeasuring::kProcessIntervalMs);
    ProcessTimer->OnTimer = [this] { ProcessTimerTimer(); };
    BlinkTimer = new QTimer(this);
    BlinkTimer->setInterval(TAiMeasuring::kBlinkIntervalMs);
    connect(BlinkTimer, &QTimer::timeout, this, &TKVD_AIK_ChannelForm::BlinkTimerTimer);
    IndicatorTimer = new QTimer(this);
    IndicatorTimer->setInterval(TAiMeasuring::kMarkerIntervalMs);
    IndicatorTimer->setSingleShot(true);
    connect(IndicatorTimer, &QTimer::timeout, this, &TKVD_AIK_ChannelForm::ProcessIndikatorTimer);

    UpdateLanguage();
    ResetLook();
}

TKVD_AIK_ChannelForm::~TKVD_AIK_ChannelForm() {
    StopTimers();
}

void TKVD_AIK_ChannelForm::BuildWindow() {
    auto* main = new QVBoxLayout(this);

    auto* header = new QHBoxLayout;
    FAddressCaption = new QLabel(this);
    AddressValue = BigLabel(this, 1.0);
    FBaudRateCaption = new QLabel(this);
    BaudRateValue = BigLabel(this, 1.0);
    header->addWidget(FAddressCaption);
    header->addWidget(AddressValue);
    header->addSpacing(24);
    header->addWidget(FBaudRateCaption);
    header->addWidget(BaudRateValue);
    header->addStretch(1);
    main->addLayout(header);

    SettingsBox = new QGroupBox(this);
    auto* settings = new QVBoxLayout(SettingsBox);
    Chain = new TSignalChainView(SettingsBox);
    settings->addWidget(Chain);
    main->addWidget(SettingsBox, 1);

    // The generator feeds the input while the emulator runs.
    GeneratorBlock = new TChainBlock(Chain);
    FGeneratorPicture = BigLabel(GeneratorBlock, 2.2);
    FGeneratorPicture->setText(QStringLiteral("∿"));
    FGeneratorPicture->setAlignment(Qt::AlignCenter);
    GeneratorBlock->Contents->addWidget(FGeneratorPicture);
    GeneratorBtn = new QPushButton(GeneratorBlock);
    GeneratorBlock->Buttons->addWidget(GeneratorBtn);

    InputBlock = new TChainBlock(Chain);
    FInputParameterCaption = new QLabel(InputBlock);
    InputParameterValue = BigLabel(InputBlock, 1.0);
    FRangeCaption = new QLabel(InputBlock);
    RangeValue = BigLabel(InputBlock, 1.0);
    for (QLabel* l : {FInputParameterCaption, InputParameterValue, FRangeCaption, RangeValue})
        InputBlock->Contents->addWidget(l);
    SelectInputBtn = new QPushButton(InputBlock);
    InputBlock->Buttons->addWidget(SelectInputBtn);

    AdcBlock = new TChainBlock(Chain);
    FCutoffCaption = new QLabel(AdcBlock);
    CutoffValue = BigLabel(AdcBlock, 1.0);
    FResponseTimeCaption = new QLabel(AdcBlock);
    ResponseTimeValue = BigLabel(AdcBlock, 1.0);
    for (QLabel* l : {FCutoffCaption, CutoffValue, FResponseTimeCaption, ResponseTimeValue})
        AdcBlock->Contents->addWidget(l);
    ADCAverageBtn = new QPushButton(AdcBlock);
    AdcBlock->Buttons->addWidget(ADCAverageBtn);

    PolynomialBlock = new TChainBlock(Chain);
    PolynomialState = BigLabel(PolynomialBlock, 1.6);
    PolynomialMarker = new TLamp(kRed, 12, PolynomialBlock);
    PolynomialBlock->Contents->addLayout(StateRow(PolynomialState, PolynomialMarker));
    PolynomialLegend = new QLabel(PolynomialBlock);
    PolynomialLegend->setAlignment(Qt::AlignHCenter);
    PolynomialBlock->Contents->addWidget(PolynomialLegend);
    UserPolynomBtn = new QPushButton(PolynomialBlock);
    AlgBtn = new QPushButton(PolynomialBlock);
    PolynomialBlock->Buttons->addWidget(UserPolynomBtn);
    PolynomialBlock->Buttons->addWidget(AlgBtn);

    ThermoBlock = new TChainBlock(Chain);
    ThermoState = BigLabel(ThermoBlock, 1.6);
    ThermoMarker = new TLamp(kRed, 12, ThermoBlock);
    ThermoBlock->Contents->addLayout(StateRow(ThermoState, ThermoMarker));
    ThermoLegend = new QLabel(ThermoBlock);
    ThermoLegend->setAlignment(Qt::AlignHCenter);
    ThermoBlock->Contents->addWidget(ThermoLegend);
    TemperatureValue = BigLabel(ThermoBlock, 1.0);
    TemperatureValue->setAlignment(Qt::AlignHCenter);
    ThermoBlock->Contents->addWidget(TemperatureValue);
    ThermoCompensationBtn = new QPushButton(ThermoBlock);
    ThermoBlock->Buttons->addWidget(ThermoCompensationBtn);

    IndicatorBlock = new TChainBlock(Chain);
    Led = new TLamp(QColor(0, 200, 0), 22, IndicatorBlock);
    Led->SetSocket(true);
    IndicatorBlock->Contents->addWidget(Led, 0, Qt::AlignHCenter);
    auto* limits = new QGridLayout;
    MinimumCaption = new QLabel(IndicatorBlock);
    MaximumCaption = new QLabel(IndicatorBlock);
    MinimumValue = BigLabel(IndicatorBlock, 1.0);
    MaximumValue = BigLabel(IndicatorBlock, 1.0);
    MinimumUnit = new QLabel(IndicatorBlock);
    MaximumUnit = new QLabel(IndicatorBlock);
    MinimumValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    MaximumValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    limits->addWidget(MinimumCaption, 0, 0);
    limits->addWidget(MinimumValue, 0, 1);
    limits->addWidget(MinimumUnit, 0, 2);
    limits->addWidget(MaximumCaption, 1, 0);
    limits->addWidget(MaximumValue, 1, 1);
    limits->addWidget(MaximumUnit, 1, 2);
    limits->setColumnStretch(1, 1);
    IndicatorBlock->Contents->addLayout(limits);
    LedIndicatorBtn = new QPushButton(IndicatorBlock);
    IndicatorBlock->Buttons->addWidget(LedIndicatorBtn);

    ResultBlock = new TChainBlock(Chain);
    auto* result = new QHBoxLayout;
    ResultValue = BigLabel(ResultBlock, 1.5);
    ResultValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ResultUnit = new QLabel(ResultBlock);
    WorkMarker = new TLamp(kBlue, 10, ResultBlock);
    result->addWidget(WorkMarker, 0, Qt::AlignVCenter);
    result->addWidget(ResultValue, 1);
    result->addWidget(ResultUnit);
    ResultBlock->Contents->addLayout(result);
    ResultBtn = new QPushButton(ResultBlock);
    ResultBlock->Buttons->addWidget(ResultBtn);

    // How the result goes on the line: not a stage of the chain, so beside it.
    auto* output = new QWidget(Chain);
    auto* form = new QFormLayout(output);
    form->setContentsMargins(0, 0, 0, 0);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    FormatCaption = new QLabel(output);
    ResultFormatBox = new QComboBox(output);
    ByteOrderCaption = new QLabel(output);
    NetDataSequenceBox = new QComboBox(output);
    NetDataSequenceBox->addItems(
        {QStringLiteral("3210"), QStringLiteral("0123"), QStringLiteral("1032"), QStringLiteral("2301")});
    InputSwitchCaption = new QLabel(output);
    cbAIEnable = new QComboBox(output);
    btnFlags = new QPushButton(output);
    form->addRow(FormatCaption, ResultFormatBox);
    form->addRow(ByteOrderCaption, NetDataSequenceBox);
    form->addRow(InputSwitchCaption, cbAIEnable);
    form->addRow(btnFlags);

    Chain->Place(GeneratorBlock, 0, 0);
    Chain->Place(InputBlock, 0, 1);
    Chain->Place(AdcBlock, 0, 2);
    Chain->Place(PolynomialBlock, 0, 3);
    Chain->Place(ThermoBlock, 1, 0);
    Chain->Place(IndicatorBlock, 1, 1);
    Chain->Place(ResultBlock, 1, 2);
    Chain->Place(output, 1, 3);
    Chain->SetChain(
        {GeneratorBlock, InputBlock, AdcBlock, PolynomialBlock, ThermoBlock, IndicatorBlock, ResultBlock},
        true);

    Action1 = new QAction(this);
    Action1->setShortcut(Qt::Key_Escape);
    addAction(Action1);
    connect(Action1, &QAction::triggered, this, &TKVD_AIK_ChannelForm::Action1Execute);

    connect(ResultBtn, &QPushButton::clicked, this, &TKVD_AIK_ChannelForm::ResultBtnClick);
    connect(SelectInputBtn, &QPushButton::clicked, this, &TKVD_AIK_ChannelForm::SelectInputBtnClick);
    connect(ADCAverageBtn, &QPushButton::clicked, this, &TKVD_AIK_ChannelForm::ADCAverageBtnClick);
    connect(UserPolynomBtn, &QPushButton::clicked, this, &TKVD_AIK_ChannelForm::UserPolynomBtnClick);
    connect(AlgBtn, &QPushButton::clicked, this, &TKVD_AIK_ChannelForm::AlgBtnClick);
    connect(ThermoCompensationBtn, &QPushButton::clicked, this,
            &TKVD_AIK_ChannelForm::ThermoCompensationBtnClick);
    connect(LedIndicatorBtn, &QPushButton::clicked, this, &TKVD_AIK_ChannelForm::LedIndicatorBtnClick);
    connect(btnFlags, &QPushButton::clicked, this, &TKVD_AIK_ChannelForm::btnFlagsClick);
    connect(ResultFormatBox, &QComboBox::currentIndexChanged, this,
            &TKVD_AIK_ChannelForm::ResultFormatBoxChange);
    connect(NetDataSequenceBox, &QComboBox::currentIndexChanged, this,
            &TKVD_AIK_ChannelForm::NetDataSequenceBoxChange);
    connect(cbAIEnable, &QComboBox::currentIndexChanged, this, &TKVD_AIK_ChannelForm::cbAIEnableChange);
}

void TKVD_AIK_ChannelForm::UpdateLanguage() {
    const TAIChannelLanguage& t = AIChannelLanguage().Texts(CurrentLanguage());
    QString model;
    if (FDm.CurrentDevice)
        model = FDm.CurrentDevice->ModelName;
    setWindowTitle(t.Module + QStringLiteral(": ") + model + QLatin1Char('.') + t.Channel +
                   QStringLiteral(" №") + QString::number(FChannelIndex + 1));
    FAddressCaption->setText(t.DeviceAddress + QLatin1Char(':'));
    FBaudRateCaption->setText(t.BaudRate + QLatin1Char(':'));
    SettingsBox->setTitle(t.ChannelSettings);
    GeneratorBlock->Caption->setText(t.Generator);
    GeneratorBtn->setText(t.BtnGenerator);
    GeneratorBtn->setToolTip(t.GeneratorHint);
    GeneratorBlock->setToolTip(t.GeneratorHint);
    InputBlock->Caption->setText(t.InputParameter + QStringLiteral(", ") + t.Range);
    FInputParameterCaption->setText(t.InputParameter + QLatin1Char(':'));
    FRangeCaption->setText(t.Range + QLatin1Char(':'));
    SelectInputBtn->setText(t.BtnSelect);
    AdcBlock->Caption->setText(t.ADC);
    FCutoffCaption->setText(t.FilterFrequency + t.HzSuffix);
    FResponseTimeCaption->setText(t.ResponseTime + t.MsSuffix);
    ADCAverageBtn->setText(t.BtnFilter);
    PolynomialBlock->Caption->setText(t.UserPolynomial);
    PolynomialLegend->setText(t.Legend);
    UserPolynomBtn->setText(t.BtnCoefficients);
    AlgBtn->setText(t.BtnSwitch);
    ThermoBlock->Caption->setText(t.ThermalCompensator);
    ThermoLegend->setText(t.Legend);
    ThermoCompensationBtn->setText(t.BtnSwitch);
    IndicatorBlock->Caption->setText(t.Indicator);
    MinimumCaption->setText(t.Minimum);
    MaximumCaption->setText(t.Maximum);
    LedIndicatorBtn->setText(t.BtnLimits);
    ResultBlock->Caption->setText(t.Result);
    ResultBtn->setText(Measuring() ? t.Stop : t.Start);
    FormatCaption->setText(t.Format);
    ByteOrderCaption->setText(t.ByteOrder);
    InputSwitchCaption->setText(t.InputSwitch);
    btnFlags->setText(t.Flags);

    const bool loading = FLoading;
    FLoading = true;
    const int format = ResultFormatBox->currentIndex();
    ResultFormatBox->clear();
    ResultFormatBox->addItems({t.FloatingPoint, t.IntegerType + t.TwoBytes, t.IntegerType + t.ThreeBytes});
    ResultFormatBox->setCurrentIndex(format);
    const int input = cbAIEnable->currentIndex();
    cbAIEnable->clear();
    cbAIEnable->addItems({t.Off, t.On});
    cbAIEnable->setCurrentIndex(input);
    FLoading = loading;

    if (FChannel) {
        ShowCutoff();
        Units();
    }
    FitToTitle(this);
}

quint32 TKVD_AIK_ChannelForm::TypeCode() const {
    return CurrentTypeCode(FDm);
}

bool TKVD_AIK_ChannelForm::Idle() const {
    return ChannelIdle(FBusy, FChannel);
}

TByteOrder TKVD_AIK_ChannelForm::DeviceOrder() const {
    if (!FDm.CurrentDevice || FDm.CurrentDevice->ByteOrder >= boNAN)
        return boNAN;
    return TByteOrder(FDm.CurrentDevice->ByteOrder);
}

int TKVD_AIK_ChannelForm::RunDialog(QDialog& Dialog) {
    if (OnRunDialog)
        return OnRunDialog(Dialog);
    return Dialog.exec();
}

bool TKVD_AIK_ChannelForm::Load(TSimpleChannel& Channel) {
    TBusyCursor busy;
    StopTimers();
    FDisplay.Reset();
    ResetLook();
    FChannel = &Channel;
    FChannelIndex = FDm.CurrentChannel;
    FSupport = TAiChannelSupport();
    TemperatureValue->setText(TemperatureText(0) + QStringLiteral(" °C"));
    if (FDm.CurrentDevice)
        AddressValue->setText(HexAddressText(FDm.CurrentDevice->Address));
    BaudRateValue->setText(QStringLiteral("br") + QString::number(FDm.Bus.BaudRateValue()));
    UpdateLanguage();

    bool ready = false;
    {
        TExchangeGuard guard(FBusy);
        const auto pause = [this](int Ms) {
            if (Pause) {
                Pause(Ms);
                return;
            }
            QEventLoop loop;
            QTimer::singleShot(Ms, &loop, &QEventLoop::quit);
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        };
        ready = guard.Acquired() && LoadAnalogInputChannel(Channel, TypeCode(), FSupport, pause);
    }
    if (!ready) {
        FChannel = nullptr;
        return false;
    }

    FRangeRecord = FDm.RangesTable.Record(Channel.RangeCode);
    ShowCutoff();
    ResponseTimeValue->setText(QString::number(Channel.ResponseTime));
    FlagsDisplay();
    UpDateDisplayMask();
    ShowResult(0, Channel.IntegerResult());
    const TAIChannelLanguage& t = AIChannelLanguage().Texts(CurrentLanguage());
    ResultBtn->setText(t.Start);
    SetTextColour(ResultBtn, kGreen);
    ResultBtn->setEnabled(true);
    Units();
    GeneratorBtn->setEnabled(false);
    GeneratorBlock->Caption->setEnabled(false);
    FGeneratorPicture->setEnabled(false);
    EnableSettings(true);
    SupportGreying();
    FormShow();
    // The range's names and the values may need more room than the last channel's.
    FitToTitle(this);
    return true;
}

bool TKVD_AIK_ChannelForm::Execute(TSimpleChannel& Channel) {
    if (!Load(Channel))
        return false;
    exec();
    FDisplay.Reset();
    StopTimers();
    return true;
}

void TKVD_AIK_ChannelForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TKVD_AIK_ChannelForm::FormShow() {
    // A device with its own byte order sends every value in it; only without one does the channel's
    // byte sequence matter.
    const bool own = DeviceOrder() == boNAN;
    ByteOrderCaption->setVisible(own);
    NetDataSequenceBox->setVisible(own);
}

void TKVD_AIK_ChannelForm::ShowCutoff() {
    if (!FChannel)
        return;
    const QString text = CutoffText(FChannel->FilterCutoff);
    if (text.isEmpty()) {
        CutoffValue->setText(AIChannelLanguage().Texts(CurrentLanguage()).FilterOff);
        SetTextColour(CutoffValue, kRed);
    } else {
        CutoffValue->setText(text);
        ResetTextColour(CutoffValue);
    }
}

void TKVD_AIK_ChannelForm::Units() {
    const TAIChannelLanguage& t = AIChannelLanguage().Texts(CurrentLanguage());
    const bool scaled = FDm.EmulatorActive || (FChannel && FChannel->Normalization);
    const QString unit = scaled ? FRangeRecord.Unit : t.Code;
    MinimumUnit->setText(unit);
    MaximumUnit->setText(unit);
    ResultUnit->setText(unit);
    InputParameterValue->setText(FRangeRecord.ParameterName);
    RangeValue->setText(FRangeRecord.Description);
}

void TKVD_AIK_ChannelForm::UpDateDisplayMask() {
    ShowLimits();
}

void TKVD_AIK_ChannelForm::ShowLimits() {
    if (!FChannel)
        return;
    const QString format = FChannel->DisplayFormat();
    MinimumValue->setText(LimitText(format, FChannel->LedLow));
    MaximumValue->setText(LimitText(format, FChannel->LedHigh));
    SupportGreying();
}

void TKVD_AIK_ChannelForm::ShowResult(float Value, bool Integer) {
    ResultValue->setText(ResultText(Value, Integer));
}

void TKVD_AIK_ChannelForm::FlagsDisplay() {
    if (!FChannel)
        return;
    const TAiFlagsView v = FlagsViewOf(FChannel->Flags, TypeCode(), FSupport);
    const auto look = [](QLabel* Label, TAiStateLook Look) {
        Label->setText(StateText(Look));
        SetTextColour(Label, Look == slOn ? kRed : Look == slOff ? kGreen : kGrey);
    };
    look(PolynomialState, v.Polynomial);
    PolynomialMarker->SetLit(v.PolynomialMarker);
    look(ThermoState, v.ThermoCompensation);
    ThermoMarker->SetLit(v.ThermoCompensationMarker);
    const bool loading = FLoading;
    FLoading = true;
    ResultFormatBox->setCurrentIndex(v.ResultFormatIndex);
    NetDataSequenceBox->setCurrentIndex(v.ByteSequenceIndex);
    InputSwitchCaption->setVisible(v.InputSwitchVisible);
    cbAIEnable->setVisible(v.InputSwitchVisible);
    cbAIEnable->setCurrentIndex(v.InputOn ? 1 : 0);
    FLoading = loading;
    SupportGreying();
}

void TKVD_AIK_ChannelForm::SupportGreying() {
    if (!FChannel || TypeCode() != kProbedTypeCode)
        return;
    if (!FSupport.PolynomialSupported) {
        AlgBtn->setEnabled(false);
        UserPolynomBtn->setEnabled(false);
        PolynomialState->setText(StateText(slUnsupported));
        SetTextColour(PolynomialState, kGrey);
        PolynomialMarker->SetLit(false);
        PolynomialLegend->setVisible(false);
        PolynomialBlock->Caption->setEnabled(false);
    }
    if (!FSupport.LedLimitsSupported) {
        LedIndicatorBtn->setEnabled(false);
        Led->SetLit(false);
        for (QLabel* l : {IndicatorBlock->Caption, MinimumCaption, MaximumCaption, MinimumValue, MaximumValue,
                          MinimumUnit, MaximumUnit})
            l->setEnabled(false);
        MinimumValue->setText(QStringLiteral("0"));
        MaximumValue->setText(QStringLiteral("0"));
    }
}

void TKVD_AIK_ChannelForm::EnableSettings(bool On) {
    for (QWidget* w : std::initializer_list<QWidget*>{SelectInputBtn, ADCAverageBtn, UserPolynomBtn, AlgBtn,
                                                      ThermoCompensationBtn, LedIndicatorBtn, ResultFormatBox,
                                                      NetDataSequenceBox, cbAIEnable, btnFlags})
        w->setEnabled(On);
}

void TKVD_AIK_ChannelForm::ResetLook() {
    for (TChainBlock* b : {InputBlock, AdcBlock, PolynomialBlock, ThermoBlock, IndicatorBlock, ResultBlock})
        b->Caption->setEnabled(true);
    for (QLabel* l : {MinimumCaption, MaximumCaption, MinimumValue, MaximumValue, MinimumUnit, MaximumUnit})
        l->setEnabled(true);
    PolynomialLegend->setVisible(true);
    EnableSettings(true);
    SetTextColour(MinimumValue, kGreen);
    SetTextColour(MaximumValue, kRed);
    Led->SetLit(false);
    WorkMarker->SetLit(false);
}

void TKVD_AIK_ChannelForm::StopTimers() {
    if (ProcessTimer) {
        // Closing is no reason to wait: the pause of a stop is for a tick that may still be running,
        // and none is when this is reached.
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

void TKVD_AIK_ChannelForm::ShowWriteError(const QString& Text) {
    ShowMessage(this, OnMessage, Text);
}

// --- Measuring ---

void TKVD_AIK_ChannelForm::ResultBtnClick() {
    if (!FChannel || FStopping)
        return;
    const TAIChannelLanguage& t = AIChannelLanguage().Texts(CurrentLanguage());
    const bool generator = FDm.EmulatorActive && AnalogInputGenerator();
    if (!FDisplay.Measuring()) {
        ResultBtn->setText(t.Stop);
        SetTextColour(ResultBtn, kRed);
        if (generator)
            AnalogInputGenerator()(gaStart, *FChannel);
        FDisplay.Start(!FChannel->IntegerResult());
        ProcessTimer->Start();
        if (FDisplay.Blinking())
            BlinkTimer->start();
    } else {
        if (generator)
            AnalogInputGenerator()(gaStop, *FChannel);
        ResultBtn->setText(t.Start);
        SetTextColour(ResultBtn, kGreen);
        FDisplay.Stop();
        BlinkTimer->stop();
        IndicatorTimer->stop();
        Led->SetLit(false);
        WorkMarker->SetLit(false);
        FStopping = true;
        ProcessTimer->Stop();
        FStopping = false;
    }
    EnableSettings(!FDisplay.Measuring());
    SupportGreying();
}

void TKVD_AIK_ChannelForm::ProcessTimerTimer() {
    if (!FChannel || !FDisplay.Measuring())
        return;
    TAiReading reading;
    {
        // A tick that meets a waiting exchange of the window's own skips its turn; the next one reads.
        if (!Idle())
            return;
        TExchangeGuard guard(FBusy);
        reading = ReadMeasurement(*FChannel, DeviceOrder());
    }
    // Stopped (or closed) while the device was asked: the reading no longer belongs on screen.
    if (!FDisplay.Measuring())
        return;
    // A failed read is not reported: the value shown is what the channel holds, and the next tick
    // tries again.
    TemperatureValue->setText(TemperatureText(reading.Temperature) + QStringLiteral(" °C"));
    ShowResult(reading.Value, reading.Integer);
    // A value longer than any before needs a wider window; the window never cuts it.
    if (ResultValue->width() < ResultValue->minimumSizeHint().width() ||
        TemperatureValue->width() < TemperatureValue->minimumSizeHint().width())
        FitToTitle(this);
    FDisplay.Reading(reading.Value, FChannel->LedLow, FChannel->LedHigh);
    BlinkProcessIndicator();
}

void TKVD_AIK_ChannelForm::BlinkProcessIndicator() {
    WorkMarker->SetLit(FDisplay.MarkerVisible());
    IndicatorTimer->start();
}

void TKVD_AIK_ChannelForm::ProcessIndikatorTimer() {
    FDisplay.MarkerElapsed();
    WorkMarker->SetLit(false);
}

void TKVD_AIK_ChannelForm::BlinkTimerTimer() {
    FDisplay.BlinkTick();
    Led->SetLit(FDisplay.LedVisible());
    SupportGreying();
}

// --- Closing ---

void TKVD_AIK_ChannelForm::Action1Execute() {
    close();
}

void TKVD_AIK_ChannelForm::done(int Result) {
    if (FDisplay.Measuring()) {
        ResultBtnClick();
        return;
    }
    if (FStopping)
        return;
    if (FChannel && FDm.EmulatorActive && AnalogInputGenerator())
        AnalogInputGenerator()(gaClose, *FChannel);
    StopTimers();
    FDisplay.Reset();
    ResetLook();
    QDialog::done(Result);
}

// --- Settings ---

void TKVD_AIK_ChannelForm::SelectInputBtnClick() {
    if (!FChannel || !Idle())
        return;
    // The scale the dialog may change in the list, to put back when the device refuses.
    std::vector<std::pair<float, float>> scale;
    for (int i = 0; i < FChannel->Ranges.Count(); ++i)
        scale.emplace_back(FChannel->Ranges.Items(i)->MinValue, FChannel->Ranges.Items(i)->MaxValue);
    const auto restoreScale = [this, &scale] {
        for (int i = 0; i < FChannel->Ranges.Count() && i < int(scale.size()); ++i) {
            FChannel->Ranges.Items(i)->MinValue = scale[size_t(i)].first;
            FChannel->Ranges.Items(i)->MaxValue = scale[size_t(i)].second;
        }
    };
    InputParamDlg->Setup(&FChannel->Ranges, &FDm.RangesTable, true, FChannel->RangeCode);
    // Only a range of the channel's own list can be chosen; nothing chosen, nothing written.
    if (RunDialog(*InputParamDlg) != QDialog::Accepted || !FChannel->Ranges.HasCode(InputParamDlg->Code()))
        return;
    if (!Idle())
        return;
    TExchangeGuard guard(FBusy);
    std::optional<TBusyCursor> busy;
    busy.emplace();
    ResultBtn->setEnabled(false);
    const quint16 old = FChannel->RangeCode;
    FChannel->RangeCode = InputParamDlg->Code();
    QString error;
    if (!FChannel->WriteSettings(ssRangeCode, error)) {
        FChannel->RangeCode = old;
        restoreScale();
        busy.reset();
        ResultBtn->setEnabled(true);
        ShowWriteError(error);
        return;
    }
    if (FSupport.ExtendedRangesSupported && InputParamDlg->ScaleChanged() &&
        !FChannel->WriteSettings(ssRangeListWithScale, error)) {
        restoreScale();
        busy.reset();
        ResultBtn->setEnabled(true);
        ShowWriteError(error);
        // The range itself was taken: what the window shows must be the device's range.
    }
    UpDateDisplayMask();
    busy.reset();
    ResultBtn->setEnabled(true);
    FRangeRecord = FDm.RangesTable.Record(FChannel->RangeCode);
    Units();
    FitToTitle(this);
}

void TKVD_AIK_ChannelForm::ADCAverageBtnClick() {
    if (!FChannel || !Idle())
        return;
    FilterDlg->OnMessage = OnMessage;
    FilterDlg->Setup(FChannel->ResponseTime, FChannel->FilterCutoff);
    if (RunDialog(*FilterDlg) != QDialog::Accepted)
        return;
    if (!Idle())
        return;
    TExchangeGuard guard(FBusy);
    const float oldCutoff = FChannel->FilterCutoff;
    const quint16 oldResponse = FChannel->ResponseTime;
    QString error;
    bool ok;
    {
        TBusyCursor busy;
        FChannel->FilterCutoff = FilterDlg->Cutoff();
        ok = FChannel->WriteSettings(ssFilterCutoff, error);
        if (ok) {
            FChannel->ResponseTime = FilterDlg->ResponseTime();
            ok = FChannel->WriteSettings(ssResponseTime, error);
        }
    }
    if (!ok) {
        FChannel->FilterCutoff = oldCutoff;
        FChannel->ResponseTime = oldResponse;
        ShowWriteError(error);
        return;
    }
    ShowCutoff();
    ResponseTimeValue->setText(QString::number(FChannel->ResponseTime));
}

void TKVD_AIK_ChannelForm::UserPolynomBtnClick() {
    if (!FChannel || !Idle())
        return;
    PolynomDlg->OnMessage = OnMessage;
    PolynomDlg->Setup(*FChannel, [this] {
        TaiSimpleUserPolynom::TValueRead read;
        if (!Idle())
            return read;
        TExchangeGuard guard(FBusy);
        read.Done = true;
        FChannel->ValueOrder = DeviceOrder();
        read.Value = FChannel->ReadValue();
        read.Ok = FChannel->Module()->Ok;
        FChannel->ValueOrder = boNAN;
        return read;
    });
    if (RunDialog(*PolynomDlg) != QDialog::Accepted)
        return;
    if (!Idle())
        return;
    TExchangeGuard guard(FBusy);
    const auto old = FChannel->Polynomial;
    FChannel->Polynomial = PolynomDlg->Coefficients();
    QString error;
    bool ok;
    {
        TBusyCursor busy;
        ok = FChannel->WriteSettings(ssPolynomial, error);
    }
    if (!ok) {
        FChannel->Polynomial = old;
        ShowWriteError(error);
    }
}

void TKVD_AIK_ChannelForm::LedIndicatorBtnClick() {
    if (!FChannel || !Idle())
        return;
    LedLimitDlg->OnMessage = OnMessage;
    LedLimitDlg->Setup(FChannel->LedLow, FChannel->LedHigh);
    if (RunDialog(*LedLimitDlg) != QDialog::Accepted)
        return;
    if (!Idle())
        return;
    TExchangeGuard guard(FBusy);
    const float oldLow = FChannel->LedLow;
    const float oldHigh = FChannel->LedHigh;
    FChannel->LedLow = LedLimitDlg->Low();
    FChannel->LedHigh = LedLimitDlg->High();
    QString error;
    bool ok;
    {
        TBusyCursor busy;
        ok = FChannel->WriteSettings(ssLedLimits, error);
    }
    if (!ok) {
        FChannel->LedLow = oldLow;
        FChannel->LedHigh = oldHigh;
        ShowWriteError(error);
        return;
    }
    ShowLimits();
}

// --- Flag switches ---

void TKVD_AIK_ChannelForm::FlagSwitch(quint32 NewFlags) {
    if (!FChannel)
        return;
    if (Idle()) {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        SwitchFlags(*FChannel, NewFlags);
    }
    // Refused or not, the controls show what the channel holds.
    FlagsDisplay();
}

void TKVD_AIK_ChannelForm::AlgBtnClick() {
    if (FChannel)
        FlagSwitch(ToggleBits(FChannel->Flags, afPolynomial));
}

void TKVD_AIK_ChannelForm::ThermoCompensationBtnClick() {
    if (FChannel)
        FlagSwitch(ToggleBits(FChannel->Flags, afThermoCompensation));
}

void TKVD_AIK_ChannelForm::ResultFormatBoxChange() {
    if (FLoading || !FChannel || ResultFormatBox->currentIndex() < 0)
        return;
    FlagSwitch(WithResultFormat(FChannel->Flags, ResultFormatBox->currentIndex()));
}

void TKVD_AIK_ChannelForm::NetDataSequenceBoxChange() {
    if (FLoading || !FChannel || NetDataSequenceBox->currentIndex() < 0)
        return;
    FlagSwitch(WithByteSequence(FChannel->Flags, NetDataSequenceBox->currentIndex()));
}

void TKVD_AIK_ChannelForm::cbAIEnableChange() {
    if (FLoading || !FChannel || cbAIEnable->currentIndex() < 0)
        return;
    FlagSwitch(WithInputSwitch(FChannel->Flags, cbAIEnable->currentIndex() == 1));
}

void TKVD_AIK_ChannelForm::btnFlagsClick() {
    if (!FChannel || !Idle())
        return;
    TAIFlagsV flags(FChannel->Flags, FSupport.PolynomialSupported, this);
    flags.OnMessage = OnMessage;
    if (RunDialog(flags) != QDialog::Accepted)
        return;
    FlagSwitch(flags.Flags());
}

void RegisterAnalogInputWindow(TKVD_AIK_ChannelForm& Form) {
    SetAnalogInputChannelLookup(
        [](TZUVOModule& Template, int Index) -> TCustomZUVOChannel* { return Template.AnalogInput(Index); });
    QPointer<TKVD_AIK_ChannelForm> form(&Form);
    ChannelWindows().Register(kAnalogInputWindow, [form](const TChannelWindowContext& Context) {
        // The selector prepared an analog input of the template; its window needs no more.
        auto* channel = dynamic_cast<TSimpleChannel*>(Context.AnalogInput);
        if (form && channel)
            form->Execute(*channel);
    });
}
