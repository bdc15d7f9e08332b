#include "views/ui/aiSimpleAdcAverage.h"

#include "localization/AnalogChannelFormsLanguage.h"
#include "model/Helper.h"
#include "platform/ui/DialogTitle.h"
#include "views/AnalogChannelForms.h"
#include "views/ui/AiWindowSupport.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

TaiSimpleAdcAverage::TaiSimpleAdcAverage(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aiSimpleAdcAverage"));
    setModal(true);
    FFrequencyCaption = new QLabel(this);
    FrequencyTrack = new QSlider(Qt::Horizontal, this);
    FrequencyTrack->setRange(0, kAdcAverageSteps);
    FrequencyTrack->setMinimumWidth(260);
    FrequencyLb = new QLabel(this);
    FResponseCaption = new QLabel(this);
    ResponseTrack = new QSlider(Qt::Horizontal, this);
    ResponseTrack->setRange(0, kAdcResponseTrackMax);
    ResponseLb = new QLabel(this);
    RateCaption = new QLabel(this);
    RateLb = new QLabel(this);
    RateLb->setAutoFillBackground(true);
    RateLb->setAlignment(Qt::AlignCenter);
    RateLb->setMinimumWidth(60);
    for (QLabel* l : {FrequencyLb, ResponseLb}) {
        l->setMinimumWidth(50);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    ApplyBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);

    auto* grid = new QGridLayout;
    grid->addWidget(FFrequencyCaption, 0, 0, 1, 2);
    grid->addWidget(FrequencyTrack, 1, 0);
    grid->addWidget(FrequencyLb, 1, 1);
    grid->addWidget(FResponseCaption, 2, 0, 1, 2);
    grid->addWidget(ResponseTrack, 3, 0);
    grid->addWidget(ResponseLb, 3, 1);
    auto* rate = new QHBoxLayout;
    rate->addWidget(RateCaption);
    rate->addWidget(RateLb);
    rate->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(rate);
    layout->addLayout(buttons);

    connect(FrequencyTrack, &QSlider::valueChanged, this, &TaiSimpleAdcAverage::TrackChange);
    connect(ResponseTrack, &QSlider::valueChanged, this, &TaiSimpleAdcAverage::TrackChange);
    connect(ApplyBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

void TaiSimpleAdcAverage::Setup(quint16 ResponseTime, float Cutoff, bool ShowRate) {
    FShowRate = ShowRate;
    FrequencyTrack->setValue(AdcCutoffPosition(Cutoff));
    // The track covers what the devices are set to; a longer time the device holds is kept whole
    // rather than cut to its low byte.
    ResponseTrack->setMaximum(std::max<int>(kAdcResponseTrackMax, ResponseTime));
    ResponseTrack->setValue(ResponseTime);
    RateCaption->setVisible(ShowRate);
    RateLb->setVisible(ShowRate);
    TrackChange();
    FitToTitle(this);
}

float TaiSimpleAdcAverage::Cutoff() const {
    return AdcCutoffOf(FrequencyTrack->value());
}

quint16 TaiSimpleAdcAverage::ResponseTime() const {
    return quint16(ResponseTrack->value());
}

void TaiSimpleAdcAverage::TrackChange() {
    const auto& t = AdcAverageLanguage().Texts(CurrentLanguage());
    const int position = FrequencyTrack->value();
    FrequencyLb->setText(position == 0 ? t.FilterOff
                                       : FloatToText(QStringLiteral("0.0"), AdcCutoffOf(position)));
    ResponseLb->setText(QString::number(ResponseTrack->value()));
    RateLb->setText(QString::number(AdcRateOf(position)));
    QPalette p = RateLb->palette();
    p.setColor(QPalette::Window, position == 0 ? QColor(230, 40, 40) : QColor(Qt::white));
    RateLb->setPalette(p);
}

void TaiSimpleAdcAverage::UpdateLanguage() {
    const auto& t = AdcAverageLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    FFrequencyCaption->setText(t.FilterFrequency);
    FResponseCaption->setText(t.ResponseTime);
    RateCaption->setText(t.AdcFrequency + QLatin1Char(':'));
    ApplyBtn->setText(t.Apply);
    CancelBtn->setText(t.Cancel);
    TrackChange();
    FitToTitle(this);
}
