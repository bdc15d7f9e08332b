#include "views/ui/FlameChannelForms.h"

#include "bus/AccessPoint.h"
#include "localization/FlameLanguage.h"
#include "localization/Localization.h"
#include "model/BusSettings.h"
#include "model/DOChannel.h"
#include "model/DeviceRegister.h"
#include "model/Helper.h"
#include "model/SensorChannelModules.h"
#include "platform/ExchangeGuard.h"
#include "platform/ui/DialogTitle.h"
#include "shell/Dm.h"
#include "views/ChannelWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

namespace {

const TFlameChannelFormLanguage& FlameTexts() {
    return FlameChannelFormLanguage().Texts(CurrentLanguage());
}

const TFotoSensorChannelFormLanguage& FotoTexts() {
    return FotoSensorChannelFormLanguage().Texts(CurrentLanguage());
}

// Seven significant digits show every single as the user would type it.
QString Number(float Value) {
    return QLocale::c().toString(double(Value), 'g', 7);
}

std::optional<float> ParseFinite(const QString& Text) {
    const auto v = ParseFloat(Text.trimmed());
    if (!v || !std::isfinite(float(*v)))
        return std::nullopt;
    return float(*v);
}

// The value an edit stands for: the field itself while the edit still shows it (so a value that
// seven digits cannot carry is not changed by a write), else what the user typed.
std::optional<float> EditValue(const QLineEdit* Edit, float Field) {
    if (Edit->text() == Number(Field))
        return Field;
    return ParseFinite(Edit->text());
}

QString RelayName(int Relay) {
    return QStringLiteral("K%1").arg(Relay + 1);
}

QString TitleOf(const TDm& Dm, const QString& Module, const QString& Caption) {
    if (!Dm.CurrentDevice)
        return Caption;
    return Module + QStringLiteral(": ") + Dm.CurrentDevice->ModelName + QStringLiteral(". ") + Caption;
}

QString AddressOf(const TDm& Dm, const QString& Caption) {
    return Caption + QStringLiteral(": ") +
           (Dm.CurrentDevice ? HexAddressText(quint8(Dm.CurrentDevice->Address)) : QString());
}

void SetChecked(QCheckBox* Box, bool On) {
    const bool blocked = Box->blockSignals(true);
    Box->setChecked(On);
    Box->blockSignals(blocked);
}

bool BusyAccessPoint(TZUVOModule* Module) {
    const TAccessPoint* ap = Module ? Module->AP() : nullptr;
    return ap && ap->Busy();
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// The tolerance levels dialog

TFlameLevelsDlg::TFlameLevelsDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFlameLevelsDlg"));
    setModal(true);
    auto* grid = new QGridLayout;
    for (size_t i = 0; i < Edits.size(); ++i) {
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

void TFlameLevelsDlg::Setup(const std::array<float, 6>& Levels) {
    for (size_t i = 0; i < Edits.size(); ++i)
        Edits[i]->setText(Number(Levels[i]));
}

void TFlameLevelsDlg::UpdateLanguage() {
    const auto& t = FlameTexts();
    setWindowTitle(t.LevelsCaption);
    for (size_t i = 0; i < Labels.size(); ++i)
        Labels[i]->setText(t.Level.arg(i + 1) + QStringLiteral(":"));
    OkBtn->setText(t.Ok);
    CancelBtn->setText(t.Cancel);
    FitToTitle(this);
}

// ---------------------------------------------------------------------------------------------------
// The flame controller window

TFlameChannelForm::TFlameChannelForm(TDm& Dm, QWidget* parent) : QDialog(parent), FDm(Dm) {
    setObjectName(QStringLiteral("TFlameChannelForm"));
    setModal(true);
    lbAddress = new QLabel(this);

    // Measurements and status.
    MeasureBox = new QGroupBox(this);
    auto* measure = new QGridLayout(MeasureBox);
    const auto value = [this](QLabel*& Caption, QLabel*& Value) {
        Caption = new QLabel(this);
        Value = new QLabel(this);
        Value->setMinimumWidth(90);
        QFont bold = Value->font();
        bold.setBold(true);
        Value->setFont(bold);
    };
    value(lbAC, ACValue);
    value(lbDC, DCValue);
    value(lbACMax, ACMaxValue);
    value(lbVersion, VersionValue);
    int row = 0;
    for (auto [caption, shown] : {std::pair{lbAC, ACValue}, std::pair{lbDC, DCValue},
                                  std::pair{lbACMax, ACMaxValue}, std::pair{lbVersion, VersionValue}}) {
        measure->addWidget(caption, row, 0);
        measure->addWidget(shown, row++, 1);
    }
    lbStatus = new QLabel(this);
    measure->addWidget(lbStatus, row++, 0, 1, 2);
    for (QLabel*& l : StatusLbs) {
        l = new QLabel(this);
        measure->addWidget(l, row++, 0, 1, 2);
    }
    measure->setRowStretch(row, 1);

    // Set-points, relay delays and the levels dialog.
    SetPointsBox = new QGroupBox(this);
    auto* points = new QGridLayout(SetPointsBox);
    lbACLevel = new QLabel(this);
    ACLevelEdit = new QLineEdit(this);
    lbDCLevel = new QLabel(this);
    DCLevelEdit = new QLineEdit(this);
    lbLags = new QLabel(this);
    row = 0;
    points->addWidget(lbACLevel, row, 0);
    points->addWidget(ACLevelEdit, row++, 1);
    points->addWidget(lbDCLevel, row, 0);
    points->addWidget(DCLevelEdit, row++, 1);
    points->addWidget(lbLags, row++, 0, 1, 2);
    for (size_t i = 0; i < LagEdits.size(); ++i) {
        LagLbs[i] = new QLabel(this);
        LagEdits[i] = new QLineEdit(this);
        points->addWidget(LagLbs[i], row, 0);
        points->addWidget(LagEdits[i], row++, 1);
    }
    ApplySetPointsBtn = new QPushButton(this);
    LevelsBtn = new QPushButton(this);
    auto* pointButtons = new QHBoxLayout;
    pointButtons->addWidget(LevelsBtn);
    pointButtons->addStretch();
    pointButtons->addWidget(ApplySetPointsBtn);
    points->addLayout(pointButtons, row++, 0, 1, 2);
    points->setColumnStretch(1, 1);

    // Algorithm, indication and the photosensor channels: each box writes its own setting.
    AlgorithmBox = new QGroupBox(this);
    auto* algorithm = new QVBoxLayout(AlgorithmBox);
    DimmingOffCheck = new QCheckBox(this);
    AutoRestartCheck = new QCheckBox(this);
    IndicationCheck = new QCheckBox(this);
    Channel1OffCheck = new QCheckBox(this);
    Channel2OffCheck = new QCheckBox(this);
    for (QCheckBox* c :
         {DimmingOffCheck, AutoRestartCheck, IndicationCheck, Channel1OffCheck, Channel2OffCheck})
        algorithm->addWidget(c);
    algorithm->addStretch();

    // Relays: manual control, and the relay itself while under it.
    RelayBox = new QGroupBox(this);
    auto* relays = new QGridLayout(RelayBox);
    lbManual = new QLabel(this);
    lbRelayState = new QLabel(this);
    relays->addWidget(lbManual, 0, 1);
    relays->addWidget(lbRelayState, 0, 2);
    for (size_t i = 0; i < ManualChecks.size(); ++i) {
        RelayLbs[i] = new QLabel(this);
        ManualChecks[i] = new QCheckBox(this);
        RelayChecks[i] = new QCheckBox(this);
        relays->addWidget(RelayLbs[i], int(i) + 1, 0);
        relays->addWidget(ManualChecks[i], int(i) + 1, 1, Qt::AlignHCenter);
        relays->addWidget(RelayChecks[i], int(i) + 1, 2, Qt::AlignHCenter);
        const int relay = int(i);
        connect(ManualChecks[i], &QCheckBox::clicked, this, [this, relay] { ManualCheckClick(relay); });
        connect(RelayChecks[i], &QCheckBox::clicked, this, [this, relay] { RelayCheckClick(relay); });
    }

    // The analog output.
    AOBox = new QGroupBox(this);
    auto* ao = new QGridLayout(AOBox);
    lbSource = new QLabel(this);
    SourceBox = new QComboBox(this);
    ao->addWidget(lbSource, 0, 0);
    ao->addWidget(SourceBox, 0, 1);
    for (size_t i = 0; i < AOEdits.size(); ++i) {
        AOLbs[i] = new QLabel(this);
        AOEdits[i] = new QLineEdit(this);
        ao->addWidget(AOLbs[i], int(i) + 1, 0);
        ao->addWidget(AOEdits[i], int(i) + 1, 1);
    }
    SetAOBtn = new QPushButton(this);
    ao->addWidget(SetAOBtn, 5, 1, Qt::AlignRight);
    ao->setColumnStretch(1, 1);

    RestartBtn = new QPushButton(this);
    ZeroBtn = new QPushButton(this);
    RefreshBtn = new QPushButton(this);
    StartBtn = new QPushButton(this);
    CloseBtn = new QPushButton(this);
    LevelsDlg = new TFlameLevelsDlg(this);
    PollTimer = new QTimer(this);
    PollTimer->setInterval(kPollMs);

    auto* grid = new QGridLayout;
    grid->addWidget(MeasureBox, 0, 0);
    grid->addWidget(SetPointsBox, 0, 1);
    grid->addWidget(AlgorithmBox, 1, 0);
    grid->addWidget(RelayBox, 1, 1);
    grid->addWidget(AOBox, 2, 0, 1, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(StartBtn);
    bottom->addWidget(RefreshBtn);
    bottom->addWidget(RestartBtn);
    bottom->addWidget(ZeroBtn);
    bottom->addStretch();
    bottom->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbAddress);
    layout->addLayout(grid);
    layout->addLayout(bottom);

    for (QCheckBox* c : {DimmingOffCheck, AutoRestartCheck})
        connect(c, &QCheckBox::clicked, this, &TFlameChannelForm::AlgorithmCheckClick);
    connect(IndicationCheck, &QCheckBox::clicked, this, &TFlameChannelForm::IndicationCheckClick);
    for (QCheckBox* c : {Channel1OffCheck, Channel2OffCheck})
        connect(c, &QCheckBox::clicked, this, &TFlameChannelForm::ChannelCheckClick);
    connect(ApplySetPointsBtn, &QPushButton::clicked, this, &TFlameChannelForm::ApplySetPointsBtnClick);
    connect(LevelsBtn, &QPushButton::clicked, this, &TFlameChannelForm::LevelsBtnClick);
    connect(SetAOBtn, &QPushButton::clicked, this, &TFlameChannelForm::SetAOBtnClick);
    connect(RestartBtn, &QPushButton::clicked, this, &TFlameChannelForm::RestartBtnClick);
    connect(ZeroBtn, &QPushButton::clicked, this, &TFlameChannelForm::ZeroBtnClick);
    connect(RefreshBtn, &QPushButton::clicked, this, &TFlameChannelForm::RefreshBtnClick);
    connect(StartBtn, &QPushButton::clicked, this, &TFlameChannelForm::StartBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(PollTimer, &QTimer::timeout, this, &TFlameChannelForm::PollTimerTimer);
    UpdateLanguage();
}

TFlameChannelForm::~TFlameChannelForm() = default;

TFlameChannel* TFlameChannelForm::Flame() const {
    return FModule ? FModule->FlameChannel() : nullptr;
}

bool TFlameChannelForm::Polling() const {
    return PollTimer->isActive();
}

void TFlameChannelForm::UpdateLanguage() {
    const auto& t = FlameTexts();
    setWindowTitle(FModule ? TitleOf(FDm, t.Module, t.Caption) : t.Caption);
    lbAddress->setText(AddressOf(FDm, t.DeviceAddress));
    MeasureBox->setTitle(t.Measurements);
    lbAC->setText(t.AC + QStringLiteral(":"));
    lbDC->setText(t.DC + QStringLiteral(":"));
    lbACMax->setText(t.ACMax + QStringLiteral(":"));
    lbVersion->setText(t.Version + QStringLiteral(":"));
    lbStatus->setText(t.Status + QStringLiteral(":"));
    const QString status[4] = {t.StatusNoLink1, t.StatusNoLink2, t.StatusSurge, t.StatusOverload};
    for (size_t i = 0; i < StatusLbs.size(); ++i)
        StatusLbs[i]->setText(status[i]);
    SetPointsBox->setTitle(t.SetPoints);
    lbACLevel->setText(t.ACLevel + QStringLiteral(":"));
    lbDCLevel->setText(t.DCLevel + QStringLiteral(":"));
    lbLags->setText(t.RelayLags + QStringLiteral(":"));
    const QString relays[4] = {t.RelayK1, t.RelayK2, t.RelayK3, t.RelayK4};
    for (size_t i = 0; i < 4; ++i) {
        LagLbs[i]->setText(relays[i] + QStringLiteral(":"));
        RelayLbs[i]->setText(relays[i]);
    }
    ApplySetPointsBtn->setText(t.Apply);
    LevelsBtn->setText(t.Levels);
    AlgorithmBox->setTitle(t.Algorithm);
    DimmingOffCheck->setText(t.DimmingRelayOff);
    AutoRestartCheck->setText(t.AutoRestart);
    IndicationCheck->setText(t.IndicationOff);
    Channel1OffCheck->setText(t.Channel1Off);
    Channel2OffCheck->setText(t.Channel2Off);
    RelayBox->setTitle(t.Relays);
    lbManual->setText(t.ManualControl);
    lbRelayState->setText(t.RelayState);
    AOBox->setTitle(t.AnalogOutput);
    lbSource->setText(t.AOSource + QStringLiteral(":"));
    const QString ao[4] = {t.InputStart, t.InputStop, t.OutputStart, t.OutputStop};
    for (size_t i = 0; i < 4; ++i)
        AOLbs[i]->setText(ao[i] + QStringLiteral(":"));
    SetAOBtn->setText(t.Set);
    RestartBtn->setText(t.Restart);
    ZeroBtn->setText(t.ZeroCorrection);
    RefreshBtn->setText(t.Refresh);
    StartBtn->setText(Polling() ? t.Stop : t.Start);
    CloseBtn->setText(t.Close);
    LevelsDlg->UpdateLanguage();
    // The source list is named in the language too; the edits keep what the user typed.
    if (const TFlameChannel* f = Flame()) {
        const int source =
            SourceBox->currentData().isValid() ? SourceBox->currentData().toInt() : f->AOSource;
        SourceBox->clear();
        SourceBox->addItem(t.SourceAC, 0);
        SourceBox->addItem(t.SourceDC, 1);
        for (int s : {int(f->AOSource), source})
            if (SourceBox->findData(s) < 0)
                SourceBox->addItem(t.SourceOther.arg(s), s);
        SourceBox->setCurrentIndex(SourceBox->findData(source));
    }
    FitToTitle(this);
}

bool TFlameChannelForm::Idle() const {
    return !FBusy && !BusyAccessPoint(FModule);
}

void TFlameChannelForm::Message(const QString& Text) {
    ShowMessage(this, OnMessage, Text);
}

bool TFlameChannelForm::Ask(const QString& Text) {
    if (OnQuestion)
        return OnQuestion(Text);
    return QMessageBox::question(this, windowTitle(), Text) == QMessageBox::Yes;
}

bool TFlameChannelForm::Write(int Selector, QString& Error) {
    TExchangeGuard guard(FBusy);
    TBusyCursor busy;
    Error.clear();
    return Flame()->WriteSettings(Selector, Error);
}

void TFlameChannelForm::StopPolling() {
    PollTimer->stop();
    StartBtn->setText(FlameTexts().Start);
}

void TFlameChannelForm::ShowMeasurements() {
    const TFlameChannel* f = Flame();
    if (!f)
        return;
    ACValue->setText(Number(f->AC));
    DCValue->setText(Number(f->DC));
    for (size_t i = 0; i < StatusLbs.size(); ++i) {
        const bool on = (f->Status >> i) & 1;
        // A raised status is red; a quiet one stays grey so that the four are always there to read.
        StatusLbs[i]->setEnabled(on);
        if (on)
            SetTextColour(StatusLbs[i], Qt::red);
        else
            ResetTextColour(StatusLbs[i]);
    }
}

void TFlameChannelForm::ShowRelays() {
    const TFlameChannel* f = Flame();
    if (!f)
        return;
    for (size_t i = 0; i < ManualChecks.size(); ++i) {
        const bool manual = (f->DOMask >> i) & 1;
        SetChecked(ManualChecks[i], manual);
        const TDOChannel* out = FModule->DiscreteOutput(int(i));
        RelayChecks[i]->setEnabled(manual && out);
        SetChecked(RelayChecks[i], out && out->State);
    }
}

void TFlameChannelForm::ShowAll() {
    const TFlameChannel* f = Flame();
    if (!f)
        return;
    ShowMeasurements();
    ACMaxValue->setText(Number(f->ACMax));
    VersionValue->setText(QString::number(f->Version));
    ACLevelEdit->setText(Number(f->ACLevel));
    DCLevelEdit->setText(Number(f->DCLevel));
    for (size_t i = 0; i < LagEdits.size(); ++i)
        LagEdits[i]->setText(QString::number(f->RelayLags[i]));
    SetChecked(DimmingOffCheck, f->Algorithm & TFlameChannel::kDimmingRelayOff);
    SetChecked(AutoRestartCheck, f->Algorithm & TFlameChannel::kAutoRestart);
    SetChecked(IndicationCheck, f->Indication == TFlameChannel::kIndicationOff);
    SetChecked(Channel1OffCheck, f->ChannelEnabled & TFlameChannel::kChannel1Off);
    SetChecked(Channel2OffCheck, f->ChannelEnabled & TFlameChannel::kChannel2Off);
    ShowRelays();
    SourceBox->clear(); // UpdateLanguage fills it with the device's source chosen
    for (size_t i = 0; i < AOEdits.size(); ++i)
        AOEdits[i]->setText(Number(f->AOConversion[i]));
}

bool TFlameChannelForm::Load() {
    StopPolling();
    FModule = nullptr;
    auto* module = dynamic_cast<TCustomFlameModule*>(FDm.CurrentModule);
    if (!module || !FDm.CurrentDevice || !module->FlameChannel())
        return false;
    if (!Idle())
        return false;
    FModule = module;
    QString error;
    bool ok = false;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = Flame()->ReadSettings(fcsAll, error);
    }
    if (!ok) {
        FModule = nullptr;
        Message(error);
        return false;
    }
    const QString relayError = ReadRelays();
    ShowAll();
    UpdateLanguage();
    if (!relayError.isEmpty())
        Message(relayError);
    return true;
}

QString TFlameChannelForm::ReadRelays() {
    // A relay under manual control shows what it does, and is switched with the key when its output
    // is protected: both come from the output itself.
    TExchangeGuard guard(FBusy);
    for (int i = 0; i < FModule->DiscreteOutputCount(); ++i) {
        if (!((Flame()->DOMask >> i) & 1))
            continue;
        TDOChannel* out = FModule->DiscreteOutput(i);
        QString error;
        if (!out->ReadSettings(dosProtected, error) || out->ReadOutput() < 0)
            return FlameTexts().RelayNotRead.arg(RelayName(i));
    }
    return {};
}

bool TFlameChannelForm::Execute() {
    if (!Load())
        return false;
    exec();
    return true;
}

void TFlameChannelForm::AlgorithmCheckClick() {
    TFlameChannel* f = Flame();
    if (!f)
        return;
    if (!Idle()) {
        ShowAll();
        return;
    }
    quint8 algorithm = f->Algorithm;
    const auto bit = [&](QCheckBox* Box, quint8 Bit) {
        algorithm = Box->isChecked() ? quint8(algorithm | Bit) : quint8(algorithm & ~Bit);
    };
    bit(DimmingOffCheck, TFlameChannel::kDimmingRelayOff);
    bit(AutoRestartCheck, TFlameChannel::kAutoRestart);
    f->Algorithm = algorithm;
    QString error;
    // The algorithm stays as chosen: the failure is reported, and the next write sends it again.
    if (!Write(fcsAlgorithm, error))
        Message(error);
}

void TFlameChannelForm::ManualCheckClick(int Relay) {
    TFlameChannel* f = Flame();
    if (!f || Relay < 0 || Relay >= TFlameChannel::kRelayCount)
        return;
    if (!Idle()) {
        ShowRelays();
        return;
    }
    const quint8 old = f->DOMask;
    const quint8 bit = quint8(1u << Relay);
    f->DOMask = ManualChecks[size_t(Relay)]->isChecked() ? quint8(old | bit) : quint8(old & ~bit);
    for (;;) {
        QString error;
        if (Write(fcsDOMask, error))
            break;
        if (!Ask(FlameTexts().RetryWrite.arg(error))) {
            // Given up: the window goes on with the mask the device took last.
            f->DOMask = old;
            break;
        }
        if (!FModule)
            return;
    }
    QString error;
    if (((f->DOMask & ~old) >> Relay) & 1)
        error = ReadRelays();
    ShowRelays();
    if (!error.isEmpty())
        Message(error);
}

void TFlameChannelForm::RelayCheckClick(int Relay) {
    TFlameChannel* f = Flame();
    if (!f || Relay < 0 || Relay >= FModule->DiscreteOutputCount())
        return;
    TDOChannel* out = FModule->DiscreteOutput(Relay);
    if (!Idle() || !((f->DOMask >> Relay) & 1)) {
        ShowRelays();
        return;
    }
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = out->SetOutput(RelayChecks[size_t(Relay)]->isChecked());
    }
    ShowRelays();
    if (!ok)
        Message(FlameTexts().SwitchFailed.arg(RelayName(Relay)));
}

void TFlameChannelForm::IndicationCheckClick() {
    TFlameChannel* f = Flame();
    if (!f)
        return;
    if (!Idle()) {
        ShowAll();
        return;
    }
    const quint8 old = f->Indication;
    f->Indication = IndicationCheck->isChecked() ? TFlameChannel::kIndicationOff : 0;
    QString error;
    if (!Write(fcsIndication, error)) {
        f->Indication = old;
        SetChecked(IndicationCheck, old == TFlameChannel::kIndicationOff);
        Message(error);
    }
}

void TFlameChannelForm::ChannelCheckClick() {
    TFlameChannel* f = Flame();
    if (!f)
        return;
    if (!Idle()) {
        ShowAll();
        return;
    }
    const quint8 old = f->ChannelEnabled;
    quint8 enabled = old;
    const auto bit = [&](QCheckBox* Box, quint8 Bit) {
        enabled = Box->isChecked() ? quint8(enabled | Bit) : quint8(enabled & ~Bit);
    };
    bit(Channel1OffCheck, TFlameChannel::kChannel1Off);
    bit(Channel2OffCheck, TFlameChannel::kChannel2Off);
    f->ChannelEnabled = enabled;
    QString error;
    if (!Write(fcsChannelEnabled, error)) {
        f->ChannelEnabled = old;
        SetChecked(Channel1OffCheck, old & TFlameChannel::kChannel1Off);
        SetChecked(Channel2OffCheck, old & TFlameChannel::kChannel2Off);
        Message(error);
    }
}

void TFlameChannelForm::ApplySetPointsBtnClick() {
    TFlameChannel* f = Flame();
    if (!f || !Idle())
        return;
    const auto& t = FlameTexts();
    // Everything is checked before the first write.
    const auto ac = EditValue(ACLevelEdit, f->ACLevel);
    if (!ac) {
        Message(t.NotANumber.arg(t.ACLevel, ACLevelEdit->text()));
        return;
    }
    const auto dc = EditValue(DCLevelEdit, f->DCLevel);
    if (!dc) {
        Message(t.NotANumber.arg(t.DCLevel, DCLevelEdit->text()));
        return;
    }
    std::array<quint16, 4> lags{};
    const QString names[4] = {t.RelayK1, t.RelayK2, t.RelayK3, t.RelayK4};
    for (size_t i = 0; i < lags.size(); ++i) {
        bool ok = false;
        const uint v = LagEdits[i]->text().trimmed().toUInt(&ok);
        if (!ok || v > 65535) {
            Message(t.NotALag.arg(names[i], LagEdits[i]->text()));
            return;
        }
        lags[i] = quint16(v);
    }
    // Only what changed goes to the device; a failed write leaves its field as the device had it
    // and the edits as typed, so nothing typed is lost.
    const auto write = [&](int Selector, auto& Field, auto Value) {
        if (Field == Value)
            return true;
        const auto old = Field;
        Field = Value;
        QString error;
        if (Write(Selector, error))
            return true;
        Field = old;
        Message(error);
        return false;
    };
    if (write(fcsACLevel, f->ACLevel, *ac) && write(fcsDCLevel, f->DCLevel, *dc) &&
        write(fcsRelayLags, f->RelayLags, lags)) {
        ACLevelEdit->setText(Number(f->ACLevel));
        DCLevelEdit->setText(Number(f->DCLevel));
    }
}

void TFlameChannelForm::LevelsBtnClick() {
    TFlameChannel* f = Flame();
    if (!f || !Idle())
        return;
    LevelsDlg->Setup(f->Levels);
    const int result = OnRunDialog ? OnRunDialog(*LevelsDlg) : LevelsDlg->exec();
    if (result != QDialog::Accepted || !Flame() || !Idle())
        return;
    const auto& t = FlameTexts();
    std::array<float, 6> levels{};
    for (size_t i = 0; i < levels.size(); ++i) {
        const auto v = EditValue(LevelsDlg->Edits[i], f->Levels[i]);
        if (!v) {
            Message(t.NotANumber.arg(t.Level.arg(i + 1), LevelsDlg->Edits[i]->text()));
            return;
        }
        levels[i] = *v;
    }
    const auto old = f->Levels;
    f->Levels = levels;
    QString error;
    if (!Write(fcsLevels, error)) {
        f->Levels = old;
        Message(error);
    }
}

void TFlameChannelForm::SetAOBtnClick() {
    TFlameChannel* f = Flame();
    if (!f || !Idle())
        return;
    const auto& t = FlameTexts();
    const QString names[4] = {t.InputStart, t.InputStop, t.OutputStart, t.OutputStop};
    std::array<float, 4> conversion{};
    for (size_t i = 0; i < conversion.size(); ++i) {
        const auto v = EditValue(AOEdits[i], f->AOConversion[i]);
        if (!v) {
            Message(t.NotANumber.arg(names[i], AOEdits[i]->text()));
            return;
        }
        conversion[i] = *v;
    }
    const quint8 oldSource = f->AOSource;
    const auto oldConversion = f->AOConversion;
    if (SourceBox->currentData().isValid())
        f->AOSource = quint8(SourceBox->currentData().toInt());
    f->AOConversion = conversion;
    QString error;
    if (!Write(fcsAnalogOutput, error)) {
        f->AOSource = oldSource;
        f->AOConversion = oldConversion;
        Message(error);
    }
}

void TFlameChannelForm::RestartBtnClick() {
    if (!Flame() || !Idle())
        return;
    QString error;
    Message(Write(fcsRestart, error) ? FlameTexts().RestartSent : error);
}

void TFlameChannelForm::ZeroBtnClick() {
    if (!Flame() || !Idle())
        return;
    QString error;
    Message(Write(fcsZeroCorrection, error) ? FlameTexts().ZeroCorrected : error);
}

void TFlameChannelForm::RefreshBtnClick() {
    if (!Flame())
        return;
    // A full read does not share the line with the poll.
    StopPolling();
    if (!Idle())
        return;
    QString error;
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = Flame()->ReadSettings(fcsAll, error);
    }
    if (ok)
        error = ReadRelays();
    ShowAll();
    UpdateLanguage();
    if (!error.isEmpty())
        Message(error);
}

void TFlameChannelForm::StartBtnClick() {
    if (!Flame())
        return;
    if (Polling()) {
        StopPolling();
        return;
    }
    PollTimer->start();
    StartBtn->setText(FlameTexts().Stop);
}

void TFlameChannelForm::PollTimerTimer() {
    TFlameChannel* f = Flame();
    if (!f || !Idle())
        return; // the next tick tries again
    QString error;
    bool ok = true;
    {
        TExchangeGuard guard(FBusy);
        for (int selector : {fcsAC, fcsDC, fcsStatus})
            if (ok)
                ok = f->ReadSettings(selector, error);
    }
    ShowMeasurements();
    if (!ok) {
        // One message, not one every half second.
        StopPolling();
        Message(error);
    }
}

void TFlameChannelForm::done(int Result) {
    StopPolling();
    QDialog::done(Result);
}

void RegisterFlameChannelWindow(TFlameChannelForm& Form) {
    QPointer<TFlameChannelForm> window(&Form);
    ChannelWindows().Register(QStringLiteral("TFlameChannelForm"), [window](const TChannelWindowContext&) {
        if (window)
            window->Execute();
    });
}

// ---------------------------------------------------------------------------------------------------
// The photosensor channel window

TFotoSensorChannelForm::TFotoSensorChannelForm(TDm& Dm, QWidget* parent) : QDialog(parent), FDm(Dm) {
    setObjectName(QStringLiteral("TFotoSensorChannelForm"));
    setModal(true);
    lbAddress = new QLabel(this);

    SettingsBox = new QGroupBox(this);
    auto* settings = new QGridLayout(SettingsBox);
    int row = 0;
    for (size_t i = 0; i < SettingEdits.size(); ++i) {
        SettingLbs[i] = new QLabel(this);
        SettingEdits[i] = new QLineEdit(this);
        SettingEdits[i]->setMinimumWidth(110);
        settings->addWidget(SettingLbs[i], row, 0);
        settings->addWidget(SettingEdits[i], row++, 1, 1, 3);
    }
    RegulatorCheck = new QCheckBox(this);
    settings->addWidget(RegulatorCheck, row++, 0, 1, 4);
    PolynomialCheck = new QCheckBox(this);
    settings->addWidget(PolynomialCheck, row++, 0, 1, 4);
    lbPolynomial = new QLabel(this);
    settings->addWidget(lbPolynomial, row++, 0, 1, 4);
    for (size_t i = 0; i < PolyEdits.size(); ++i) {
        PolyLbs[i] = new QLabel(QStringLiteral("a%1:").arg(i), this);
        PolyEdits[i] = new QLineEdit(this);
        // Two coefficients a row: a0 a1, a2 a3, a4 a5.
        settings->addWidget(PolyLbs[i], row + int(i / 2), int(i % 2) * 2, Qt::AlignRight);
        settings->addWidget(PolyEdits[i], row + int(i / 2), int(i % 2) * 2 + 1);
    }
    row += 3;
    lbNorm = new QLabel(this);
    settings->addWidget(lbNorm, row++, 0, 1, 4);
    lbNorm1 = new QLabel(this);
    Norm1Edit = new QLineEdit(this);
    lbNorm2 = new QLabel(this);
    Norm2Edit = new QLineEdit(this);
    settings->addWidget(lbNorm1, row, 0);
    settings->addWidget(Norm1Edit, row++, 1, 1, 3);
    settings->addWidget(lbNorm2, row, 0);
    settings->addWidget(Norm2Edit, row++, 1, 1, 3);
    settings->setColumnStretch(1, 1);
    settings->setColumnStretch(3, 1);

    ValuesBox = new QGroupBox(this);
    auto* values = new QGridLayout(ValuesBox);
    row = 0;
    const auto value = [&](QLabel*& Caption, QLabel*& Value) {
        Caption = new QLabel(this);
        Value = new QLabel(this);
        Value->setMinimumWidth(90);
        Value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QFont bold = Value->font();
        bold.setBold(true);
        Value->setFont(bold);
        values->addWidget(Caption, row, 0);
        values->addWidget(Value, row++, 1);
    };
    value(lbTemperature, TemperatureValue);
    value(lbADCVoltage, ADCVoltageValue);
    value(lbADCCode, ADCCodeValue);
    value(lbResult, ResultValue);
    value(lbAmplitude, AmplitudeValue);
    values->setRowStretch(row, 1);

    ReadBtn = new QPushButton(this);
    WriteBtn = new QPushButton(this);
    StartBtn = new QPushButton(this);
    CloseBtn = new QPushButton(this);
    PollTimer = new QTimer(this);
    PollTimer->setInterval(kPollMs);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(SettingsBox, 3);
    boxes->addWidget(ValuesBox, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ReadBtn);
    bottom->addWidget(WriteBtn);
    bottom->addWidget(StartBtn);
    bottom->addStretch();
    bottom->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbAddress);
    layout->addLayout(boxes);
    layout->addLayout(bottom);

    connect(ReadBtn, &QPushButton::clicked, this, &TFotoSensorChannelForm::ReadBtnClick);
    connect(WriteBtn, &QPushButton::clicked, this, &TFotoSensorChannelForm::WriteBtnClick);
    connect(StartBtn, &QPushButton::clicked, this, &TFotoSensorChannelForm::StartBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(PollTimer, &QTimer::timeout, this, &TFotoSensorChannelForm::PollTimerTimer);
    UpdateLanguage();
}

TFotoSensorChannelForm::~TFotoSensorChannelForm() = default;

bool TFotoSensorChannelForm::Polling() const {
    return PollTimer->isActive();
}

void TFotoSensorChannelForm::UpdateLanguage() {
    const auto& t = FotoTexts();
    const QString caption = t.Caption.arg(FChannel ? FChannel->Index + 1 : FDm.CurrentChannel + 1);
    setWindowTitle(FChannel ? TitleOf(FDm, t.Module, caption) : caption);
    lbAddress->setText(AddressOf(FDm, t.DeviceAddress));
    SettingsBox->setTitle(t.Settings);
    const QString names[7] = {t.HPFCutoff, t.FilterCutoff,   t.FilterCutoff2, t.TimeConstant,
                              t.JumpLevel, t.RecoveryCycles, t.DACCode};
    for (size_t i = 0; i < SettingLbs.size(); ++i)
        SettingLbs[i]->setText(names[i] + QStringLiteral(":"));
    RegulatorCheck->setText(t.RegulatorOn);
    PolynomialCheck->setText(t.PolynomialOn);
    lbPolynomial->setText(t.Polynomial + QStringLiteral(":"));
    lbNorm->setText(t.NormCoefficients + QStringLiteral(":"));
    lbNorm1->setText(t.NormCoefficient1 + QStringLiteral(":"));
    lbNorm2->setText(t.NormCoefficient2 + QStringLiteral(":"));
    Norm1Edit->setPlaceholderText(t.NotWritten);
    Norm2Edit->setPlaceholderText(t.NotWritten);
    ValuesBox->setTitle(t.Values);
    lbTemperature->setText(t.Temperature + QStringLiteral(":"));
    lbADCVoltage->setText(t.ADCVoltage + QStringLiteral(":"));
    lbADCCode->setText(t.ADCCode + QStringLiteral(":"));
    lbResult->setText(t.Result + QStringLiteral(":"));
    lbAmplitude->setText(t.Amplitude + QStringLiteral(":"));
    ReadBtn->setText(t.Read);
    WriteBtn->setText(t.Write);
    StartBtn->setText(Polling() ? t.Stop : t.Start);
    CloseBtn->setText(t.Close);
    FitToTitle(this);
}

bool TFotoSensorChannelForm::Idle() const {
    return !FBusy && !BusyAccessPoint(FModule);
}

void TFotoSensorChannelForm::Message(const QString& Text) {
    ShowMessage(this, OnMessage, Text);
}

void TFotoSensorChannelForm::StopPolling() {
    PollTimer->stop();
    StartBtn->setText(FotoTexts().Start);
}

void TFotoSensorChannelForm::ShowSettings() {
    if (!FChannel)
        return;
    const TFotoSensorChannel& c = *FChannel;
    const float floats[7] = {c.HPFCutoff, c.FilterCutoff, c.FilterCutoff2, c.DetectorTimeConstant,
                             c.JumpLevel, 0.0f,           c.DACCode};
    for (size_t i = 0; i < SettingEdits.size(); ++i)
        SettingEdits[i]->setText(i == 5 ? QString::number(c.RecoveryCyclesCount) : Number(floats[i]));
    RegulatorCheck->setChecked(c.RegulatorOn);
    PolynomialCheck->setChecked(c.PolynomialOn);
    for (size_t i = 0; i < PolyEdits.size(); ++i)
        PolyEdits[i]->setText(Number(c.Polynomial[i]));
    // The coefficients are what the user set, never what the device holds: it does not tell.
    Norm1Edit->setText(c.NormCoefficient1 ? Number(*c.NormCoefficient1) : QString());
    Norm2Edit->setText(c.NormCoefficient2 ? Number(*c.NormCoefficient2) : QString());
    ShowValues();
}

void TFotoSensorChannelForm::ShowValues() {
    if (!FChannel)
        return;
    TemperatureValue->setText(Number(FChannel->ChannelTemperature));
    ADCVoltageValue->setText(Number(FChannel->ADCVoltage));
    ADCCodeValue->setText(Number(FChannel->ADCCode));
}

bool TFotoSensorChannelForm::Load() {
    StopPolling();
    FModule = nullptr;
    FChannel = nullptr;
    auto* module = dynamic_cast<TKVDFLAMEDETECTORBUS*>(FDm.CurrentModule);
    if (!module || !FDm.CurrentDevice || !module->FotoSensor(FDm.CurrentChannel))
        return false;
    if (!Idle())
        return false;
    FModule = module;
    FChannel = module->FotoSensor(FDm.CurrentChannel);
    QString error;
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = FChannel->ReadSettings(pssAll, error);
    }
    if (!ok) {
        FModule = nullptr;
        FChannel = nullptr;
        Message(error);
        return false;
    }
    ResultValue->clear();
    AmplitudeValue->clear();
    ShowSettings();
    UpdateLanguage();
    return true;
}

bool TFotoSensorChannelForm::Execute() {
    if (!Load())
        return false;
    exec();
    return true;
}

bool TFotoSensorChannelForm::TakeEdits() {
    TFotoSensorChannel& c = *FChannel;
    const auto& t = FotoTexts();
    const QString names[7] = {t.HPFCutoff, t.FilterCutoff,   t.FilterCutoff2, t.TimeConstant,
                              t.JumpLevel, t.RecoveryCycles, t.DACCode};
    float* floats[7] = {&c.HPFCutoff, &c.FilterCutoff, &c.FilterCutoff2, &c.DetectorTimeConstant,
                        &c.JumpLevel, nullptr,         &c.DACCode};
    std::array<float, 7> values{};
    for (size_t i = 0; i < SettingEdits.size(); ++i) {
        if (!floats[i])
            continue;
        const auto v = EditValue(SettingEdits[i], *floats[i]);
        if (!v) {
            Message(t.NotANumber.arg(names[i], SettingEdits[i]->text()));
            return false;
        }
        values[i] = *v;
    }
    bool ok = false;
    const uint cycles = SettingEdits[5]->text().trimmed().toUInt(&ok);
    if (!ok || cycles > 255) {
        Message(t.NotACount.arg(names[5], SettingEdits[5]->text()));
        return false;
    }
    std::array<float, 6> polynomial{};
    for (size_t i = 0; i < PolyEdits.size(); ++i) {
        const auto v = EditValue(PolyEdits[i], c.Polynomial[i]);
        if (!v) {
            Message(t.NotANumber.arg(QStringLiteral("a%1").arg(i), PolyEdits[i]->text()));
            return false;
        }
        polynomial[i] = *v;
    }
    // An empty coefficient is one the user has not set: it is not written.
    std::optional<float> norm[2];
    const std::pair<QLineEdit*, const std::optional<float>*> normEdits[2] = {
        {Norm1Edit, &c.NormCoefficient1}, {Norm2Edit, &c.NormCoefficient2}};
    const QString normNames[2] = {t.NormCoefficient1, t.NormCoefficient2};
    for (size_t i = 0; i < 2; ++i) {
        const auto [edit, field] = normEdits[i];
        if (edit->text().trimmed().isEmpty())
            continue;
        norm[i] = *field ? EditValue(edit, **field) : ParseFinite(edit->text());
        if (!norm[i]) {
            Message(t.NotANumber.arg(normNames[i], edit->text()));
            return false;
        }
    }
    for (size_t i = 0; i < SettingEdits.size(); ++i)
        if (floats[i])
            *floats[i] = values[i];
    c.RecoveryCyclesCount = quint8(cycles);
    c.RegulatorOn = RegulatorCheck->isChecked();
    c.PolynomialOn = PolynomialCheck->isChecked();
    c.Polynomial = polynomial;
    c.NormCoefficient1 = norm[0];
    c.NormCoefficient2 = norm[1];
    return true;
}

void TFotoSensorChannelForm::ReadBtnClick() {
    if (!FChannel)
        return;
    // A full read does not share the line with the poll.
    StopPolling();
    if (!Idle())
        return;
    QString error;
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = FChannel->ReadSettings(pssAll, error);
    }
    ShowSettings();
    if (!ok)
        Message(error);
}

void TFotoSensorChannelForm::WriteBtnClick() {
    if (!FChannel || !Idle() || !TakeEdits())
        return;
    QString error;
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = FChannel->WriteSettings(pssAll, error);
    }
    // A write the transfer layer broke off gives no text; it is still no success.
    if (!ok)
        Message(error.isEmpty() ? FotoTexts().NoAnswer.arg(FotoTexts().Settings) : error);
    else
        Message(FotoTexts().Written);
}

void TFotoSensorChannelForm::StartBtnClick() {
    if (!FChannel)
        return;
    if (Polling()) {
        StopPolling();
        return;
    }
    PollTimer->start();
    StartBtn->setText(FotoTexts().Stop);
}

void TFotoSensorChannelForm::PollTimerTimer() {
    if (!FChannel || !Idle())
        return; // the next tick tries again
    const auto& t = FotoTexts();
    QString failed;
    {
        TExchangeGuard guard(FBusy);
        const float result = FChannel->ReadResult();
        if (FModule->Ok) {
            ResultValue->setText(Number(result));
            const float amplitude = FChannel->ReadAmplitude();
            if (FModule->Ok)
                AmplitudeValue->setText(Number(amplitude));
            else
                failed = t.Amplitude;
        } else {
            failed = t.Result;
        }
    }
    if (!failed.isEmpty()) {
        // One message, not one every half second.
        StopPolling();
        Message(t.NoAnswer.arg(failed));
    }
}

void TFotoSensorChannelForm::done(int Result) {
    StopPolling();
    QDialog::done(Result);
}

void RegisterFotoSensorChannelWindow(TFotoSensorChannelForm& Form) {
    QPointer<TFotoSensorChannelForm> window(&Form);
    ChannelWindows().Register(QStringLiteral("TFotoSensorChannelForm"),
                              [window](const TChannelWindowContext&) {
                                  if (window)
                                      window->Execute();
                              });
}
