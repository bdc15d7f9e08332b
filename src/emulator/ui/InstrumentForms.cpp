#include "emulator/ui/InstrumentForms.h"

#include "emulator/VirtualAnalogChannels.h"
#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "localization/InstrumentsLanguage.h"
#include "localization/Localization.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

// --- Chart ---

TInstrumentChart::TInstrumentChart(int Curves, QWidget* parent) : QWidget(parent) {
    FChart = new QChart;
    FChart->legend()->setAlignment(Qt::AlignBottom);
    FChart->setMargins(QMargins(4, 4, 4, 4));
    FTime = new QDateTimeAxis(FChart);
    FTime->setFormat(QStringLiteral("hh:mm:ss"));
    FTime->setTickCount(4);
    FValues = new QValueAxis(FChart);
    // Short labels also when the axis is only a few millionths high around a steady value.
    FValues->setLabelFormat(QStringLiteral("%.5g"));
    FChart->addAxis(FTime, Qt::AlignBottom);
    FChart->addAxis(FValues, Qt::AlignLeft);
    for (int i = 0; i < Curves; ++i) {
        auto* series = new QLineSeries(FChart);
        FChart->addSeries(series);
        series->attachAxis(FTime);
        series->attachAxis(FValues);
        FSeries.push_back(series);
    }
    FPoints.resize(size_t(Curves));
    View = new QChartView(FChart, this);
    View->setRenderHint(QPainter::Antialiasing);
    View->setMinimumSize(360, 200);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(View);
    Clear();
}

void TInstrumentChart::SetCurveName(int Curve, const QString& Name) {
    FSeries[size_t(Curve)]->setName(Name);
}

void TInstrumentChart::Add(int Curve, qint64 NowMs, double Value, bool Widen) {
    FPoints[size_t(Curve)].emplace_back(double(NowMs), Value);
    if (Widen)
        FAxis.Include(Value);
}

void TInstrumentChart::Refresh(qint64 NowMs) {
    for (size_t i = 0; i < FSeries.size(); ++i) {
        TrimChartPoints(FPoints[i], NowMs);
        FSeries[i]->replace(QList<QPointF>(FPoints[i].begin(), FPoints[i].end()));
    }
    FTime->setRange(QDateTime::fromMSecsSinceEpoch(NowMs - kInstrumentChartSpanMs),
                    QDateTime::fromMSecsSinceEpoch(NowMs));
    if (!FAxis.Empty())
        FValues->setRange(FAxis.Min(), FAxis.Max());
}

void TInstrumentChart::Clear() {
    for (size_t i = 0; i < FSeries.size(); ++i) {
        FPoints[i].clear();
        FSeries[i]->clear();
    }
    FAxis.Clear();
    FValues->setRange(0, 1);
    Refresh(QDateTime::currentMSecsSinceEpoch());
}

// --- The shared part ---

TInstrumentForm::TInstrumentForm(TVirtualDeviceManager& Manager, TVirtualChannelKind Kind, QWidget* parent)
    : QDialog(parent), FManager(Manager), FKind(Kind) {
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    FTimer = new QTimer(this);
    connect(FTimer, &QTimer::timeout, this, [this] {
        // A tick after the devices were freed finds no channel and does nothing.
        if (Channel())
            Tick();
    });
    PointBox = new QGroupBox(this);
    DeviceBox = new QComboBox(PointBox);
    DeviceBox->setObjectName(QStringLiteral("DeviceBox"));
    DeviceBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ChannelBox = new QComboBox(PointBox);
    ChannelBox->setObjectName(QStringLiteral("ChannelBox"));
    FDeviceLbl = new QLabel(PointBox);
    FChannelLbl = new QLabel(PointBox);
    auto* point = new QFormLayout(PointBox);
    point->addRow(FDeviceLbl, DeviceBox);
    point->addRow(FChannelLbl, ChannelBox);
    StateLbl = new QLabel(this);
    StateLbl->setStyleSheet(QStringLiteral("color: #c00000;"));
    StateLbl->setVisible(false);
    connect(DeviceBox, &QComboBox::currentIndexChanged, this, [this] {
        if (!FFilling)
            DeviceChosen();
    });
    connect(ChannelBox, &QComboBox::currentIndexChanged, this, [this] {
        if (!FFilling)
            ChannelBoxChanged();
    });
}

const TVirtualInstrumentsLanguage& TInstrumentForm::Texts() const {
    return VirtualInstrumentsLanguage().Texts(CurrentLanguage());
}

QString TInstrumentForm::DeviceText(const TVirtualDevice& Device) const {
    return InstrumentDeviceText(Device, Texts().Address);
}

bool TInstrumentForm::Current() const {
    return !FStopped && FGeneration == FManager.DevicesGeneration();
}

void TInstrumentForm::Fill() {
    FFilling = true;
    FStopped = false;
    FGeneration = FManager.DevicesGeneration();
    FDevices = InstrumentDevices(FManager, FKind);
    DeviceBox->clear();
    for (const TVirtualDevice* device : FDevices)
        DeviceBox->addItem(DeviceText(*device));
    DeviceBox->setCurrentIndex(FDevices.empty() ? -1 : 0);
    FFilling = false;
    DeviceChosen();
}

void TInstrumentForm::DeviceChosen() {
    FFilling = true;
    ChannelBox->clear();
    FChannels.clear();
    const int device = DeviceBox->currentIndex();
    if (Current() && device >= 0 && device < int(FDevices.size()))
        FChannels = InstrumentChannels(*FDevices[size_t(device)], FKind);
    for (const TCustomVirtualChannel* channel : FChannels)
        ChannelBox->addItem(QString::number(channel->Number()));
    ChannelBox->setCurrentIndex(FChannels.empty() ? -1 : 0);
    FFilling = false;
    ChannelBoxChanged();
}

void TInstrumentForm::ChannelBoxChanged() {
    ShowState();
    ChannelChosen();
    UpdateTimer();
}

bool TInstrumentForm::Select(const TCustomVirtualChannel* Channel) {
    if (!Channel || !Current())
        return false;
    for (size_t d = 0; d < FDevices.size(); ++d) {
        if (FDevices[d] != Channel->Device())
            continue;
        DeviceBox->setCurrentIndex(int(d)); // fills the channel box when the device changes
        for (size_t c = 0; c < FChannels.size(); ++c)
            if (FChannels[c] == Channel) {
                ChannelBox->setCurrentIndex(int(c));
                return true;
            }
    }
    return false;
}

TCustomVirtualChannel* TInstrumentForm::Channel() const {
    const int index = ChannelBox->currentIndex();
    if (!Current() || index < 0 || index >= int(FChannels.size()))
        return nullptr;
    return FChannels[size_t(index)];
}

void TInstrumentForm::EmulatorStopped() {
    FStopped = true;
    FFilling = true;
    FDevices.clear();
    FChannels.clear();
    DeviceBox->clear();
    ChannelBox->clear();
    FFilling = false;
    ChannelBoxChanged();
}

void TInstrumentForm::UpdateTimer() {
    if (isVisible() && Channel())
        FTimer->start();
    else
        FTimer->stop();
}

void TInstrumentForm::ShowState() {
    const TVirtualInstrumentsLanguage& t = Texts();
    const bool none = !FStopped && FDevices.empty();
    StateLbl->setText(FStopped ? t.EmulatorStopped : none ? t.NoDevices : QString());
    StateLbl->setVisible(FStopped || none);
    PointBox->setEnabled(!FStopped && !none);
}

void TInstrumentForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    UpdateTimer();
}

void TInstrumentForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // Closing (Esc included) stops the timer.
    FTimer->stop();
}

void TInstrumentForm::UpdateLanguage() {
    const TVirtualInstrumentsLanguage& t = Texts();
    PointBox->setTitle(PointCaption(t));
    FDeviceLbl->setText(t.Device);
    FChannelLbl->setText(t.Channel);
    // The device texts carry a word of the language.
    if (Current()) {
        FFilling = true;
        for (size_t i = 0; i < FDevices.size(); ++i)
            DeviceBox->setItemText(int(i), DeviceText(*FDevices[i]));
        FFilling = false;
    }
    ShowState();
}

// --- Generator ---

TGeneratorForm::TGeneratorForm(TVirtualDeviceManager& Manager, QWidget* parent)
    : TInstrumentForm(Manager, vkAnalogInput, parent) {
    setObjectName(QStringLiteral("TGeneratorForm"));
    Timer()->setInterval(kTickMs);
    FSignalBox = new QGroupBox(this);
    const auto bar = [this] {
        auto* b = new QSlider(Qt::Horizontal, FSignalBox);
        b->setRange(0, kGeneratorBarMax);
        b->setTickPosition(QSlider::TicksBelow);
        b->setTickInterval(5);
        b->setMinimumWidth(200);
        return b;
    };
    SignalBar = bar();
    SignalBar->setObjectName(QStringLiteral("SignalBar"));
    NoiseBar = bar();
    NoiseBar->setObjectName(QStringLiteral("NoiseBar"));
    WaveBox = new QComboBox(FSignalBox);
    WaveBox->addItems({QString(), QString(), QString()});
    PeriodEdit = new QSpinBox(FSignalBox);
    PeriodEdit->setRange(1, 3600);
    PeriodEdit->setValue(10);
    PeriodEdit->setEnabled(false);
    SignalValue = new QLabel(FSignalBox);
    NoiseValue = new QLabel(FSignalBox);
    for (QLabel* l : {SignalValue, NoiseValue}) {
        l->setMinimumWidth(110);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    FSignalBarLbl = new QLabel(FSignalBox);
    FNoiseBarLbl = new QLabel(FSignalBox);
    FWaveLbl = new QLabel(FSignalBox);
    FPeriodLbl = new QLabel(FSignalBox);
    FSignalLbl = new QLabel(FSignalBox);
    FNoiseLbl = new QLabel(FSignalBox);
    auto* grid = new QGridLayout(FSignalBox);
    grid->addWidget(FSignalBarLbl, 0, 0);
    grid->addWidget(SignalBar, 0, 1);
    grid->addWidget(FNoiseBarLbl, 1, 0);
    grid->addWidget(NoiseBar, 1, 1);
    grid->addWidget(FWaveLbl, 2, 0);
    auto* wave = new QHBoxLayout;
    wave->addWidget(WaveBox);
    wave->addWidget(FPeriodLbl);
    wave->addWidget(PeriodEdit);
    wave->addStretch();
    grid->addLayout(wave, 2, 1);
    auto* values = new QFormLayout;
    values->addRow(FSignalLbl, SignalValue);
    values->addRow(FNoiseLbl, NoiseValue);
    grid->addLayout(values, 0, 2, 3, 1);
    grid->setColumnStretch(1, 1);
    connect(WaveBox, &QComboBox::currentIndexChanged, this, [this](int Index) {
        PeriodEdit->setEnabled(Index != gwLevel);
        FWaveClock.restart();
    });
    Chart = new TInstrumentChart(2, this);
    auto* top = new QHBoxLayout;
    top->addWidget(PointBox);
    top->addWidget(FSignalBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(StateLbl);
    layout->addWidget(Chart, 1);
    FRandom.seed(QRandomGenerator::global()->generate());
    FWaveClock.start();
    UpdateLanguage();
    resize(720, 440);
}

QString TGeneratorForm::PointCaption(const TVirtualInstrumentsLanguage& T) const {
    return T.GeneratorPoint;
}

void TGeneratorForm::UpdateLanguage() {
    const TVirtualInstrumentsLanguage& t = Texts();
    setWindowTitle(t.GeneratorCaption);
    FSignalBox->setTitle(t.SignalParameters);
    FSignalBarLbl->setText(t.SignalLevel);
    FNoiseBarLbl->setText(t.SignalNoiseLevel);
    FWaveLbl->setText(t.Waveform);
    FPeriodLbl->setText(t.PeriodS);
    WaveBox->setItemText(gwLevel, t.WaveLevel);
    WaveBox->setItemText(gwSine, t.WaveSine);
    WaveBox->setItemText(gwRamp, t.WaveRamp);
    FSignalLbl->setText(t.SignalLevel);
    FNoiseLbl->setText(t.NoiseLevel);
    Chart->SetCurveName(0, t.GeneratorSignal);
    Chart->SetCurveName(1, t.ChannelValue);
    TInstrumentForm::UpdateLanguage();
}

void TGeneratorForm::ChannelChosen() {
    FRange = TInstrumentRange();
    Chart->Clear();
    SignalValue->clear();
    NoiseValue->clear();
}

void TGeneratorForm::Tick() {
    auto* channel = dynamic_cast<TCustomVirtualChannelAI*>(Channel());
    if (!channel)
        return;
    if (FRange.Code != channel->RangeCode()) {
        FRange.Load(channel->RangeCode(), true);
        Chart->Clear();
    }
    const TGeneratorValues v = GeneratorValues(FRange, SignalBar->value(), NoiseBar->value(),
                                               TGeneratorWave(WaveBox->currentIndex()), FWaveClock.elapsed(),
                                               qint64(PeriodEdit->value()) * 1000, FRandom);
    channel->SetInput(float(v.Signal + v.Noise));
    SignalValue->setText(FRange.Text(v.Signal));
    NoiseValue->setText(FRange.Text(v.Noise));
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    Chart->Add(0, now, channel->Input());
    // The channel's value follows the input through its filter; only the input widens the axis.
    Chart->Add(1, now, channel->OutputAsFloat(), false);
    Chart->Refresh(now);
}

// --- Tester ---

TTesterForm::TTesterForm(TVirtualDeviceManager& Manager, QWidget* parent)
    : TInstrumentForm(Manager, vkAnalogOutput, parent) {
    setObjectName(QStringLiteral("TTesterForm"));
    Timer()->setInterval(kTickMs);
    FValueCaption = new QLabel(this);
    ValueLbl = new QLabel(this);
    QFont big = ValueLbl->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    ValueLbl->setFont(big);
    ValueLbl->setMinimumWidth(160);
    Chart = new TInstrumentChart(1, this);
    auto* value = new QVBoxLayout;
    value->addWidget(FValueCaption);
    value->addWidget(ValueLbl);
    value->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(PointBox);
    top->addLayout(value, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(StateLbl);
    layout->addWidget(Chart, 1);
    UpdateLanguage();
    resize(600, 400);
}

QString TTesterForm::PointCaption(const TVirtualInstrumentsLanguage& T) const {
    return T.TesterPoint;
}

void TTesterForm::UpdateLanguage() {
    const TVirtualInstrumentsLanguage& t = Texts();
    setWindowTitle(t.TesterCaption);
    FValueCaption->setText(t.Value);
    Chart->SetCurveName(0, t.Value);
    TInstrumentForm::UpdateLanguage();
}

void TTesterForm::ChannelChosen() {
    FRange = TInstrumentRange();
    Chart->Clear();
    ValueLbl->clear();
}

void TTesterForm::Tick() {
    auto* channel = dynamic_cast<TCustomVirtualChannelAO*>(Channel());
    if (!channel)
        return;
    if (FRange.Code != channel->RangeCode()) {
        FRange.Load(channel->RangeCode(), false);
        Chart->Clear();
    }
    const double value = channel->OutputAsFloat();
    ValueLbl->setText(FRange.Text(value));
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    Chart->Add(0, now, value);
    Chart->Refresh(now);
}

// --- Remote contact ---

namespace {

// The on/off picture of a contact button: a lit lamp or a dark one.
QIcon SwitchIcon() {
    const auto lamp = [](const QColor& colour) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(colour);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        return pixmap;
    };
    QIcon icon;
    icon.addPixmap(lamp(QColor(170, 170, 170)), QIcon::Normal, QIcon::Off);
    icon.addPixmap(lamp(QColor(40, 200, 60)), QIcon::Normal, QIcon::On);
    return icon;
}

} // namespace

TContactForm::TContactForm(TVirtualDeviceManager& Manager, QWidget* parent)
    : TInstrumentForm(Manager, vkDiscreteInput, parent) {
    setObjectName(QStringLiteral("TContactForm"));
    const auto toggle = [this](QGroupBox* Box) {
        auto* b = new QPushButton(Box);
        b->setCheckable(true);
        b->setIcon(SwitchIcon());
        b->setMinimumWidth(120);
        connect(b, &QPushButton::toggled, this, [this] { Apply(); });
        auto* l = new QVBoxLayout(Box);
        l->addWidget(b);
        return b;
    };
    FRelayBox = new QGroupBox(this);
    FLineBox = new QGroupBox(this);
    RelayBtn = toggle(FRelayBox);
    RelayBtn->setObjectName(QStringLiteral("RelayBtn"));
    LineBreakBtn = toggle(FLineBox);
    LineBreakBtn->setObjectName(QStringLiteral("LineBreakBtn"));
    auto* switches = new QHBoxLayout;
    switches->addWidget(FRelayBox);
    switches->addWidget(FLineBox);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PointBox);
    layout->addLayout(switches);
    layout->addWidget(StateLbl);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    UpdateLanguage();
}

QString TContactForm::PointCaption(const TVirtualInstrumentsLanguage& T) const {
    return T.ContactPoint;
}

void TContactForm::UpdateLanguage() {
    const TVirtualInstrumentsLanguage& t = Texts();
    setWindowTitle(t.ContactCaption);
    FRelayBox->setTitle(t.RelayContact);
    FLineBox->setTitle(t.LineBreak);
    RelayBtn->setText(t.OnOff);
    LineBreakBtn->setText(t.OnOff);
    TInstrumentForm::UpdateLanguage();
}

void TContactForm::ChannelChosen() {
    Apply();
}

void TContactForm::Apply() {
    if (TCustomVirtualChannel* channel = Channel())
        channel->SetInput(ContactInput(RelayBtn->isChecked(), LineBreakBtn->isChecked()));
}

// --- The instruments ---

TVirtualInstruments::TVirtualInstruments(TVirtualDeviceManager& Manager, QWidget* Owner)
    : QObject(Owner), FManager(Manager), FOwner(Owner) {}

TGeneratorForm* TVirtualInstruments::Generator() {
    if (!FGenerator)
        FGenerator = new TGeneratorForm(FManager, FOwner);
    return FGenerator;
}

TTesterForm* TVirtualInstruments::Tester() {
    if (!FTester)
        FTester = new TTesterForm(FManager, FOwner);
    return FTester;
}

TContactForm* TVirtualInstruments::Contact() {
    if (!FContact)
        FContact = new TContactForm(FManager, FOwner);
    return FContact;
}

void TVirtualInstruments::Open(TInstrumentForm* Form, const TCustomVirtualChannel* Channel) {
    // A modal window blocks every window that is not its own; the instrument it asks for must stay
    // usable beside it.
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent || parent == Form)
        parent = FOwner;
    if (Form->parentWidget() != parent)
        Form->setParent(parent, Form->windowFlags());
    if (!Form->isVisible() || Form->Stopped() || Channel)
        Form->Fill();
    if (Channel)
        Form->Select(Channel);
    Form->UpdateLanguage();
    Form->show();
    Form->raise();
    Form->activateWindow();
}

void TVirtualInstruments::StartGenerator(int Address, int Index) {
    Open(Generator(), MatchingVirtualChannel(FManager, Address, vkAnalogInput, Index));
}

void TVirtualInstruments::HideGenerator() {
    if (FGenerator)
        FGenerator->hide();
}

void TVirtualInstruments::Toggle(TInstrumentForm* Form, TVirtualChannelKind Kind, int Address, int Index) {
    if (Form->isVisible())
        Form->close();
    else
        Open(Form, MatchingVirtualChannel(FManager, Address, Kind, Index));
}

void TVirtualInstruments::ToggleGenerator(int Address, int Index) {
    Toggle(Generator(), vkAnalogInput, Address, Index);
}

void TVirtualInstruments::CloseGenerator() {
    if (FGenerator)
        FGenerator->close();
}

void TVirtualInstruments::ToggleTester(int Address, int Index) {
    Toggle(Tester(), vkAnalogOutput, Address, Index);
}

void TVirtualInstruments::CloseTester() {
    if (FTester)
        FTester->close();
}

void TVirtualInstruments::ToggleContact(int Address, int Index) {
    Toggle(Contact(), vkDiscreteInput, Address, Index);
}

void TVirtualInstruments::EmulatorStopped() {
    for (TInstrumentForm* form : std::initializer_list<TInstrumentForm*>{FGenerator, FTester, FContact})
        if (form)
            form->EmulatorStopped();
}

void TVirtualInstruments::EmulatorStarted() {
    for (TInstrumentForm* form : std::initializer_list<TInstrumentForm*>{FGenerator, FTester, FContact})
        if (form && form->isVisible())
            form->Fill();
}
