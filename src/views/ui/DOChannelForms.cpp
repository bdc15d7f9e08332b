#include "views/ui/DOChannelForms.h"

#include "bus/AccessPoint.h"
#include "localization/DiscreteChannelLanguage.h"
#include "model/BusSettings.h"
#include "model/DOChannel.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"
#include "platform/ExchangeGuard.h"
#include "platform/ProcessTimer.h"
#include "platform/Ticks.h"
#include "platform/ui/DialogTitle.h"
#include "shell/Dm.h"
#include "views/ChannelWindows.h"
#include "views/ui/SequenceEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace {

const Tkvd_custom_do_channel_unitLanguage& Texts() {
    return DOChannelLanguage().Texts(CurrentLanguage());
}

// A lamp: lit green for an output that is on, dark grey for one that is off.
QPixmap LampPicture(bool On) {
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(18, 18), 26);
    g.setColorAt(0, On ? QColor(180, 255, 180) : QColor(200, 200, 200));
    g.setColorAt(1, On ? QColor(0, 150, 0) : QColor(80, 80, 80));
    p.setBrush(g);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawEllipse(QRectF(4, 4, 40, 40));
    return pixmap;
}

} // namespace

QString DOWindowName(TDOWindow Window) {
    switch (Window) {
    case TDOWindow::KVD_DO:
        return QStringLiteral("TKVD_DO_ChannelForm");
    case TDOWindow::DOChannel:
        return QStringLiteral("TDOChannelDlg");
    case TDOWindow::KVD_DOS:
        return QStringLiteral("TKVD_DOS_ChannelForm");
    case TDOWindow::KVD_DOR:
        return QStringLiteral("TKVD_DOR_ChannelForm");
    }
    return {};
}

int DOOutputIndexFor(TDOWindow Window, quint32 TypeCode, int Row) {
    int index = -1;
    switch (Window) {
    case TDOWindow::KVD_DO:
        switch (TypeCode) {
        case 4:
        case 6:
            index = Row - 8;
            break;
        case 5:
            index = Row;
            break;
        case 19:
            index = Row < 13 ? Row - 2 : Row - 7;
            break;
        case 38:
        case 39:
            index = Row - 4;
            break;
        case 43:
            index = Row == 2 ? 0 : Row == 5 ? 1 : Row == 9 ? 2 : -1;
            break;
        case 64:
            index = Row - 24;
            break;
        case 69:
            index = Row - 23;
            break;
        default:
            break;
        }
        break;
    case TDOWindow::DOChannel:
        switch (TypeCode) {
        case 21:
        case 27:
        case 44:
            index = Row - 2;
            break;
        case 33:
            index = Row - 14;
            break;
        default:
            break;
        }
        break;
    case TDOWindow::KVD_DOS:
        switch (TypeCode) {
        case 6:
        case 39:
        case 67:
            index = Row - 4;
            break;
        case 7:
        case 17:
            index = Row;
            break;
        case 21:
        case 26:
        case 44:
            index = Row - 2;
            break;
        case 33:
            index = Row - 15;
            break;
        case 64:
            index = Row - 24;
            break;
        case 69:
            index = Row - 23;
            break;
        default:
            break;
        }
        break;
    case TDOWindow::KVD_DOR:
        if (TypeCode == 8)
            index = Row;
        break;
    }
    return index < 0 ? -1 : index;
}

TDOChannelForm::TDOChannelForm(TDm& Dm, TDOWindow Window, QWidget* parent)
    : QDialog(parent), FDm(Dm), FWindow(Window) {
    setObjectName(DOWindowName(Window));
    setModal(true);
    lbAddress = new QLabel(this);
    lbRate = new QLabel(this);
    ControlBox = new QCheckBox(this);
    ControlLb = new QLabel(this);
    ControlLb->installEventFilter(this);
    ControlLb->setCursor(Qt::PointingHandCursor);
    ControlGroup = new QGroupBox(this);
    StartBtn = new QPushButton(ControlGroup);
    SequenceBtn = new QPushButton(ControlGroup);
    PlayBtn = new QPushButton(ControlGroup);
    ModeBox = new QComboBox(ControlGroup);
    Image = new QLabel(this);
    Image->setAlignment(Qt::AlignCenter);
    Image->setMinimumSize(56, 56);
    CloseBtn = new QPushButton(this);
    SequenceDlg = new TSequenceEditorDlg(this);

    auto* control = new QHBoxLayout;
    control->addWidget(ControlBox);
    control->addWidget(ControlLb);
    control->addStretch();
    auto* group = new QGridLayout(ControlGroup);
    group->addWidget(StartBtn, 0, 0);
    group->addWidget(ModeBox, 0, 1);
    group->addWidget(SequenceBtn, 1, 0);
    group->addWidget(PlayBtn, 1, 1);
    auto* top = new QHBoxLayout;
    auto* labels = new QVBoxLayout;
    labels->addWidget(lbAddress);
    labels->addWidget(lbRate);
    labels->addLayout(control);
    top->addLayout(labels, 1);
    top->addWidget(Image);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ControlGroup);
    layout->addLayout(bottom);
    // No size constraint: FitToTitle sets the minimum, wide enough for the caption as well.

    connect(StartBtn, &QPushButton::clicked, this, &TDOChannelForm::StartBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TDOChannelForm::CloseBtnClick);
    connect(SequenceBtn, &QPushButton::clicked, this, &TDOChannelForm::SequenceBtnClick);
    connect(PlayBtn, &QPushButton::clicked, this, &TDOChannelForm::PlayBtnClick);
    connect(ModeBox, &QComboBox::currentIndexChanged, this, &TDOChannelForm::ModeBoxChange);

    Timer = new TProcessTimer(this);
    Timer->SetInterval(Window == TDOWindow::KVD_DOS ? 300 : 500);
    Timer->OnTimer = [this] { TimerTimer(); };
    if (Window != TDOWindow::DOChannel) {
        RelayStatusTimer = new TProcessTimer(this);
        RelayStatusTimer->SetInterval(kStatusMs);
        RelayStatusTimer->OnTimer = [this] { RelayStatusTimerTimer(); };
    }
    DrawState(0);
    UpdateLanguage();
}

TDOChannelForm::~TDOChannelForm() = default;

void TDOChannelForm::UpdateLanguage() {
    const auto& t = Texts();
    const QString blanks = FWindow == TDOWindow::KVD_DO ? QStringLiteral("  №") : QStringLiteral(" №");
    if (FDm.CurrentDevice && FOutput)
        setWindowTitle(t.Module + QStringLiteral(": ") + FDm.CurrentDevice->ModelName + QStringLiteral(".") +
                       t.Channel + blanks + QString::number(FChannelIndex + 1));
    else
        setWindowTitle(t.Caption);
    const QString address =
        FDm.CurrentDevice ? HexAddressText(quint8(FDm.CurrentDevice->Address)) : QString();
    lbAddress->setText(t.DeviceAddress + QStringLiteral(": ") + address);
    lbRate->setText(t.BaudRate + QStringLiteral(": br") + QString::number(FDm.Bus.BaudRateValue()));
    ControlLb->setText(t.Control);
    ControlGroup->setTitle(t.Control);
    SequenceBtn->setText(t.Sequence);
    PlayBtn->setText(t.Playback);
    StartBtn->setText(FRunning ? t.Stop : t.Start);
    CloseBtn->setText(t.Close);
    {
        const QSignalBlocker block(ModeBox);
        const int mode = FOutput && FOutput->Protected ? 1 : 0;
        ModeBox->clear();
        ModeBox->addItems({t.StandartMode, t.ProtectedMode});
        ModeBox->setCurrentIndex(mode);
    }
    SequenceDlg->UpdateLanguage();
    FitToTitle(this);
}

bool TDOChannelForm::Idle() const {
    if (FBusy)
        return false;
    const TAccessPoint* ap = FOutput && FOutput->Module() ? FOutput->Module()->AP() : nullptr;
    return !ap || !ap->Busy();
}

void TDOChannelForm::Message(const QString& Text) {
    ShowMessage(this, OnMessage, Text);
}

void TDOChannelForm::StopTimers() {
    Timer->Stop();
    if (RelayStatusTimer)
        RelayStatusTimer->Stop();
}

void TDOChannelForm::DrawState(int State) {
    FPicture = State ? 1 : 0;
    Image->setPixmap(LampPicture(FPicture == 1));
}

bool TDOChannelForm::Load() {
    TBusyCursor busy;
    StopTimers();
    FRunning = false;
    FOutput = nullptr;
    FChannelIndex = FDm.CurrentChannel;
    TZUVOModule* module = FDm.CurrentModule;
    const quint32 type = FDm.CurrentDevice ? FDm.CurrentDevice->TypeCode : 0xFFFF;
    const int index = DOOutputIndexFor(FWindow, type, FDm.CurrentChannel);
    if (!module || !FDm.CurrentDevice || index < 0)
        return false;
    TDOChannel* output = module->DiscreteOutput(index);
    if (!output)
        return false;
    {
        TExchangeGuard guard(FBusy);
        QString error;
        if (!guard.Acquired() || !output->ReadSettings(dosProtected, error))
            return false;
        output->ReadOutput();
        if (!module->Ok)
            return false;
    }
    FOutput = output;
    FLoading = true;
    ControlBox->setChecked(output->State != 0);
    UpdateLanguage();
    SetRunning(false);
    FLoading = false;
    DrawState(output->State);
    if (FWindow == TDOWindow::DOChannel) {
        // The emulator plays no sequences of a real device's output.
        SequenceBtn->setVisible(!FDm.EmulatorActive);
        PlayBtn->setVisible(!FDm.EmulatorActive);
    }
    return true;
}

bool TDOChannelForm::Execute() {
    if (!Load())
        return false;
    exec();
    StopTimers();
    FRunning = false;
    return true;
}

void TDOChannelForm::SetRunning(bool On) {
    FRunning = On;
    const auto& t = Texts();
    StartBtn->setText(On ? t.Stop : t.Start);
    SetTextColour(StartBtn, On ? QColor(Qt::red) : QColor(Qt::blue));
    ModeBox->setEnabled(!On);
    SequenceBtn->setEnabled(!On);
    PlayBtn->setEnabled(!On);
}

void TDOChannelForm::StartBtnClick() {
    if (!FOutput)
        return;
    SetRunning(!FRunning);
    if (FRunning)
        Timer->Start();
    else
        Timer->Stop();
    if (RelayStatusTimer) {
        if (FWindow == TDOWindow::KVD_DOS)
            RelayStatusTimer->Stop();
        if (FRunning)
            RelayStatusTimer->Start();
        else
            RelayStatusTimer->Stop();
    }
}

void TDOChannelForm::TimerTimer() {
    if (!FOutput || !FRunning)
        return;
    // Another exchange is waiting for its answer: this tick gives way, the next one writes.
    if (!Idle())
        return;
    TExchangeGuard guard(FBusy);
    const quint8 before = FOutput->State;
    FOutput->SetOutput(ControlBox->isChecked());
    if (FWindow == TDOWindow::DOChannel) {
        if (!FOutput->Module()->Ok)
            FOutput->State = before;
        DrawState(FOutput->State);
    }
}

void TDOChannelForm::RelayStatusTimerTimer() {
    if (!FOutput || !Idle())
        return;
    TExchangeGuard guard(FBusy);
    FOutput->ReadOutput();
    DrawState(FOutput->State);
}

void TDOChannelForm::ModeBoxChange(int Index) {
    if (FLoading || !FOutput || Index < 0)
        return;
    if (!Idle()) {
        // Refused, not failed: the box goes back to the mode the output has.
        const QSignalBlocker block(ModeBox);
        ModeBox->setCurrentIndex(FOutput->Protected ? 1 : 0);
        return;
    }
    TExchangeGuard guard(FBusy);
    FOutput->Protected = Index == 1;
    QString error;
    bool ok;
    {
        TBusyCursor busy;
        ok = FOutput->WriteSettings(dosProtected, error);
    }
    if (!ok)
        Message(Texts().ModeError);
}

void TDOChannelForm::SequenceBtnClick() {
    if (!FOutput || FRunning || !Idle())
        return;
    const auto& st = SequenceEditorLanguage().Texts(CurrentLanguage());
    TPulseSequence sequence;
    {
        TExchangeGuard guard(FBusy);
        std::optional<TBusyCursor> busy;
        busy.emplace();
        QString error;
        if (!FOutput->ReadSettings(dosSequence, error)) {
            busy.reset();
            Message(st.ErrorReadingSequence);
            return;
        }
        if (!FOutput->ReadSettings(dosStartValue, error)) {
            busy.reset();
            Message(st.ErrorReadingEntryLevel);
            return;
        }
        sequence.StartValue = FOutput->StartValue;
        // The model refuses a count beyond what an output holds; the editor's table must not be
        // overrun whatever the count says.
        const int count = std::min<int>(FOutput->StepCount, TDOChannel::kMaxSteps);
        sequence.Durations.assign(FOutput->Steps.begin(), FOutput->Steps.begin() + count);
    }
    SequenceDlg->OnMessage = OnMessage;
    SequenceDlg->Setup(sequence);
    const int result = OnRunDialog ? OnRunDialog(*SequenceDlg) : SequenceDlg->exec();
    if (result != QDialog::Accepted || !FOutput)
        return;
    const TPulseSequence& edited = SequenceDlg->Sequence();
    FOutput->StartValue = edited.StartValue;
    FOutput->ClearSteps();
    for (quint16 d : edited.Durations)
        FOutput->AddStep(d);
    // A status tick may still be waiting for the device; the write waits for nothing and must not
    // be lost, so it is tried again until the bus is free.
    const quint64 start = TickCount();
    while (!Idle() && TickCount() - start < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (!Idle()) {
        Message(Texts().SequenceSaveError);
        return;
    }
    TExchangeGuard guard(FBusy);
    QString error;
    bool ok;
    {
        TBusyCursor busy;
        ok = FOutput->WriteSettings(dosStartValue, error) && FOutput->WriteSettings(dosSequence, error);
    }
    if (!ok)
        Message(Texts().SequenceSaveError);
}

void TDOChannelForm::PlayBtnClick() {
    if (!FOutput || FRunning || !Idle())
        return;
    bool ok;
    {
        TExchangeGuard guard(FBusy);
        TBusyCursor busy;
        ok = FOutput->StartSequence();
    }
    if (!ok) {
        Message(Texts().PlaybackError);
        return;
    }
    // The picture follows the sequence as it plays, until Stop or until the window closes.
    if (RelayStatusTimer && (FWindow == TDOWindow::KVD_DO || FWindow == TDOWindow::KVD_DOR))
        RelayStatusTimer->Start();
}

void TDOChannelForm::ControlLbClick() {
    ControlBox->toggle();
}

bool TDOChannelForm::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == ControlLb && Event->type() == QEvent::MouseButtonRelease) {
        ControlLbClick();
        return true;
    }
    return QDialog::eventFilter(Watched, Event);
}

void TDOChannelForm::CloseBtnClick() {
    if (FRunning) {
        StartBtnClick();
        return;
    }
    done(QDialog::Rejected);
}

void TDOChannelForm::reject() {
    if (FRunning) {
        if (FWindow == TDOWindow::KVD_DO) {
            Timer->Stop();
            SetRunning(false);
        } else {
            StartBtnClick();
            return;
        }
    }
    done(QDialog::Rejected);
}

void TDOChannelForm::done(int Result) {
    // Nothing of this window talks to the device once it is closed.
    StopTimers();
    if (FRunning)
        SetRunning(false);
    QDialog::done(Result);
}

void RegisterDOChannelWindows(TDOChannelForm& Do, TDOChannelForm& DoDlg, TDOChannelForm& Dos,
                              TDOChannelForm& Dor) {
    for (TDOChannelForm* form : {&Do, &DoDlg, &Dos, &Dor}) {
        QPointer<TDOChannelForm> window(form);
        ChannelWindows().Register(DOWindowName(form->Window()), [window](const TChannelWindowContext&) {
            if (window)
                window->Execute();
        });
    }
}
