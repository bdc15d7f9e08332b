#include "views/ui/SineGeneratorDlg.h"

#include "localization/AnalogChannelFormsLanguage.h"
#include "model/AOChannel.h"
#include "model/Helper.h"
#include "model/ZUVOModule.h"
#include "platform/ui/DialogTitle.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <tuple>

namespace {

const TSineGeneratorLanguage& Texts() {
    return SineGeneratorLanguage().Texts(CurrentLanguage());
}

QSlider* Track(QWidget* parent, int Min, int Max) {
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setRange(Min, Max);
    s->setMinimumWidth(260);
    return s;
}

} // namespace

TSineGeneratorDlg::TSineGeneratorDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SineGeneratorDlg"));
    setModal(true);
    Player = new TSinePlayer(this);

    FRangeCaption = new QLabel(this);
    RangeLb = new QLabel(this);
    QFont bold = RangeLb->font();
    bold.setBold(true);
    RangeLb->setFont(bold);
    FPointsCaption = new QLabel(this);
    FAmplitudeCaption = new QLabel(this);
    FOffsetCaption = new QLabel(this);
    PointsLb = new QLabel(this);
    AmplitudeLb = new QLabel(this);
    OffsetLb = new QLabel(this);
    for (QLabel* l : {PointsLb, AmplitudeLb, OffsetLb}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumWidth(90);
    }
    PointsTrack = Track(this, 8, 2048);
    PointsTrack->setValue(64);
    AmplitudeTrack = Track(this, 0, 100);
    OffsetTrack = Track(this, 0, 100);
    OffsetTrack->setValue(50);
    StartBtn = new QPushButton(this);
    StopBtn = new QPushButton(this);
    CloseBtn = new QPushButton(this);
    for (QPushButton* b : {StartBtn, StopBtn, CloseBtn})
        b->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(FRangeCaption, 0, 0);
    grid->addWidget(RangeLb, 0, 1, 1, 2);
    int row = 1;
    for (auto [caption, track, value] : {std::tuple{FPointsCaption, PointsTrack, PointsLb},
                                         std::tuple{FAmplitudeCaption, AmplitudeTrack, AmplitudeLb},
                                         std::tuple{FOffsetCaption, OffsetTrack, OffsetLb}}) {
        grid->addWidget(caption, row, 0);
        grid->addWidget(track, row, 1);
        grid->addWidget(value, row, 2);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(StartBtn);
    buttons->addWidget(StopBtn);
    buttons->addStretch(1);
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(StartBtn, &QPushButton::clicked, this, &TSineGeneratorDlg::StartBtnClick);
    connect(StopBtn, &QPushButton::clicked, this, &TSineGeneratorDlg::StopBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    for (QSlider* s : {PointsTrack, AmplitudeTrack, OffsetTrack})
        connect(s, &QSlider::valueChanged, this, &TSineGeneratorDlg::TrackChange);

    Player->Points = [this] { return PointsTrack->value(); };
    Player->Amplitude = [this] { return SineBarValue(FRecord.Low, FRecord.High, AmplitudeTrack->value()); };
    Player->Offset = [this] { return SineBarValue(FRecord.Low, FRecord.High, OffsetTrack->value()); };
    Player->Write = [this](float Value) {
        if (Write)
            return Write(Value);
        if (!FChannel)
            return swFailed;
        return FChannel->WriteOutput(Value) ? swDone : swFailed;
    };
    Player->OnPoint = [this](float Value, TSineWrite Result) {
        if (OnPoint)
            OnPoint(Value, Result);
    };
    Player->OnStopped = [this] { Stopped(); };
    StopBtn->setEnabled(false);
    UpdateLanguage();
}

TSineGeneratorDlg::~TSineGeneratorDlg() {
    Player->Stop();
}

void TSineGeneratorDlg::Setup(TAOChannel* Channel, const TPrTblRecord& Record, double StartValue) {
    Player->Stop();
    FChannel = Channel;
    FRecord = Record;
    Player->Low = Record.Low;
    Player->High = Record.High;
    RangeLb->setText(Record.Description.isEmpty() ? Record.ParameterName : Record.Description);
    PointsTrack->setValue(64);
    AmplitudeTrack->setValue(SineAmplitudePosition(Record.Low, Record.High, StartValue));
    OffsetTrack->setValue(50);
    StartBtn->setEnabled(true);
    StopBtn->setEnabled(false);
    TrackChange();
    FitToTitle(this);
}

QString TSineGeneratorDlg::ValueText(double Value) const {
    const QString format = FChannel ? FChannel->DisplayFormat() : QStringLiteral("0.000");
    QString text = FloatToText(format, Value);
    if (!FRecord.Unit.isEmpty())
        text += QLatin1Char(' ') + FRecord.Unit;
    return text;
}

void TSineGeneratorDlg::TrackChange() {
    PointsLb->setText(QString::number(PointsTrack->value()));
    AmplitudeLb->setText(ValueText(SineBarValue(FRecord.Low, FRecord.High, AmplitudeTrack->value())));
    OffsetLb->setText(ValueText(SineBarValue(FRecord.Low, FRecord.High, OffsetTrack->value())));
}

void TSineGeneratorDlg::UpdateLanguage() {
    const auto& t = Texts();
    setWindowTitle(t.Caption);
    FRangeCaption->setText(t.Range + QLatin1Char(':'));
    FPointsCaption->setText(t.NumberOfPoints + QLatin1Char(':'));
    FAmplitudeCaption->setText(t.Amplitude + QLatin1Char(':'));
    FOffsetCaption->setText(t.Offset + QLatin1Char(':'));
    StartBtn->setText(t.Start);
    StopBtn->setText(t.Stop);
    CloseBtn->setText(t.Close);
    FitToTitle(this);
}

void TSineGeneratorDlg::StartBtnClick() {
    if (Player->Running())
        return;
    StartBtn->setEnabled(false);
    StopBtn->setEnabled(true);
    Player->Start();
}

void TSineGeneratorDlg::StopBtnClick() {
    Player->Stop();
}

void TSineGeneratorDlg::Stopped() {
    StartBtn->setEnabled(true);
    StopBtn->setEnabled(false);
}

void TSineGeneratorDlg::done(int Result) {
    // The output keeps the last point sent; nothing more is written once the window is gone.
    Player->Stop();
    QDialog::done(Result);
}
