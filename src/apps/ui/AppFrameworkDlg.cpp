#include "apps/ui/AppFrameworkDlg.h"

#include "apps/AppFramework.h"
#include "localization/AppsLanguage.h"
#include "platform/ui/DialogTitle.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const TAppsLanguage& Texts() {
    return AppsLanguage().Texts(CurrentLanguage());
}

} // namespace

TAppControlToolWnd::TAppControlToolWnd(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    Header = new QLabel(this);
    Header->setAutoFillBackground(true);
    Header->setBackgroundRole(QPalette::Mid);
    Header->setMargin(3);

    SaveGroup = new QGroupBox(this);
    FileNameLb = new QLabel(SaveGroup);
    FileNameLb->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SaveIntervalLb = new QLabel(SaveGroup);
    SaveIntervalEdit = new QLineEdit(QStringLiteral("300"), SaveGroup);
    StartStopSaveBtn = new QPushButton(SaveGroup);
    auto* save = new QVBoxLayout(SaveGroup);
    save->addWidget(FileNameLb);
    save->addWidget(SaveIntervalLb);
    save->addWidget(SaveIntervalEdit);
    save->addWidget(StartStopSaveBtn);

    PollGroup = new QGroupBox(this);
    IntervalLb = new QLabel(PollGroup);
    IntervalEdit = new QLineEdit(QStringLiteral("300"), PollGroup);
    StartStopBtn = new QPushButton(PollGroup);
    ProcessingLb = new QLabel(PollGroup);
    ProcessingLb->setAlignment(Qt::AlignCenter);
    // The blinking label must not make the panel jump.
    auto policy = ProcessingLb->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    ProcessingLb->setSizePolicy(policy);
    auto* poll = new QVBoxLayout(PollGroup);
    poll->addWidget(IntervalLb);
    poll->addWidget(IntervalEdit);
    poll->addWidget(StartStopBtn);
    poll->addWidget(ProcessingLb);

    ParamGroup = new QGroupBox(this);
    ParamBtn = new QPushButton(ParamGroup);
    auto* param = new QVBoxLayout(ParamGroup);
    param->addWidget(ParamBtn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Header);
    layout->addWidget(PollGroup);
    layout->addWidget(SaveGroup);
    layout->addWidget(ParamGroup);
    layout->addStretch(1);

    Timer = new QTimer(this);
    BlinkTimer = new QTimer(this);
    BlinkTimer->setInterval(500);
    connect(Timer, &QTimer::timeout, this, &TAppControlToolWnd::TimerTimer);
    connect(BlinkTimer, &QTimer::timeout, this, &TAppControlToolWnd::BlinkTimerTimer);
    connect(StartStopBtn, &QPushButton::clicked, this, &TAppControlToolWnd::StartStopBtnClick);
    connect(StartStopSaveBtn, &QPushButton::clicked, this, &TAppControlToolWnd::StartStopSaveBtnClick);
    connect(ParamBtn, &QPushButton::clicked, this, &TAppControlToolWnd::ParamBtnClick);

    OnMessage = [this](const QString& Text) { QMessageBox::critical(this, Header->text(), Text); };
    UpdateLanguage();
    UpdateState();
}

TAppControlToolWnd::~TAppControlToolWnd() {
    if (FController)
        FController->OnChange = nullptr;
}

void TAppControlToolWnd::UpdateLanguage() {
    const TAppsLanguage& t = Texts();
    Header->setText(t.PanelCaption);
    SaveGroup->setTitle(t.SavingToFile);
    SaveIntervalLb->setText(t.RecordingInterval);
    PollGroup->setTitle(t.DevicePolling);
    IntervalLb->setText(t.PollingInterval);
    ProcessingLb->setText(t.Processing);
    ParamGroup->setTitle(t.Parameters);
    ParamBtn->setText(t.Edit);
    StartStopBtn->setText(FRunning ? t.Stop : t.Start);
    const bool recording = FController && FController->Saver().Active();
    StartStopSaveBtn->setText(recording ? t.Stop : t.Start);
}

void TAppControlToolWnd::SetController(TAppController* Controller) {
    if (FController)
        FController->OnChange = nullptr;
    FController = Controller;
    if (!FController)
        return;
    FController->OnChange = [this] { RefreshEdits(); };
    TStringFileSaver& saver = FController->Saver();
    saver.OnFileExists = [this](const QString& FileName) {
        const TAppsLanguage& t = Texts();
        QMessageBox box(QMessageBox::Question, Header->text(), t.MsgFileExists.arg(FileName),
                        QMessageBox::NoButton, this);
        QPushButton* yes = box.addButton(t.Replace, QMessageBox::YesRole);
        QPushButton* no = box.addButton(t.Next, QMessageBox::NoRole);
        box.addButton(t.Abort, QMessageBox::RejectRole);
        box.exec();
        if (box.clickedButton() == yes)
            return feReplace;
        return box.clickedButton() == no ? feNext : feAbort;
    };
    saver.OnMessage = [this](const QString& Text) { QMessageBox::warning(this, Header->text(), Text); };
    RefreshEdits();
    UpdateState();
}

void TAppControlToolWnd::RefreshEdits() {
    if (!FController)
        return;
    IntervalEdit->setText(QString::number(FController->Interval()));
    SaveIntervalEdit->setText(QString::number(FController->SaveInterval()));
    FileNameLb->setText(QFileInfo(FController->Saver().FilePath()).fileName());
    FileNameLb->setToolTip(FController->Saver().FilePath());
}

void TAppControlToolWnd::UpdateState() {
    const bool recording = FController && FController->Saver().Active();
    if (FRunning) {
        if (!Timer->isActive())
            Timer->start();
        if (!BlinkTimer->isActive())
            BlinkTimer->start();
    } else {
        Timer->stop();
        BlinkTimer->stop();
    }
    ProcessingLb->setVisible(false);
    IntervalEdit->setEnabled(!FRunning);
    ParamBtn->setEnabled(!FRunning);
    SaveIntervalEdit->setEnabled(!recording);
    StartStopSaveBtn->setEnabled(FRunning);
    StartStopBtn->setEnabled(FController != nullptr);
}

bool TAppControlToolWnd::ReadInterval(QLineEdit* Edit, int& Value) {
    bool ok = false;
    Value = Edit->text().trimmed().toInt(&ok);
    if (ok && Value >= 10)
        return true;
    OnMessage(Texts().MsgIntervalTooSmall);
    return false;
}

void TAppControlToolWnd::StartStopBtnClick() {
    if (!FController)
        return;
    const TAppsLanguage& t = Texts();
    if (!FRunning) {
        int interval = 0, saveInterval = 0;
        // Setting the interval refreshes both edits from the controller; the typed recording
        // interval must be taken before that, or it would be lost unseen.
        const QString typedSave = SaveIntervalEdit->text();
        if (!ReadInterval(IntervalEdit, interval))
            return;
        FController->SetInterval(interval);
        SaveIntervalEdit->setText(typedSave);
        if (!ReadInterval(SaveIntervalEdit, saveInterval))
            return;
        FController->Saver().SaveInterval = saveInterval;
        FController->Start();
        StartStopBtn->setText(t.Stop);
        FRunning = true;
        FController->SetRunning(true);
        Timer->setInterval(FController->Interval());
        UpdateState();
        return;
    }
    if (FController->Saver().Active())
        StartStopSaveBtnClick();
    FController->Stop();
    StartStopBtn->setText(t.Start);
    FRunning = false;
    FController->SetRunning(false);
    UpdateState();
}

void TAppControlToolWnd::StartStopSaveBtnClick() {
    if (!FController)
        return;
    TStringFileSaver& saver = FController->Saver();
    saver.SetActive(!saver.Active());
    StartStopSaveBtn->setText(saver.Active() ? Texts().Stop : Texts().Start);
    FileNameLb->setText(QFileInfo(saver.FilePath()).fileName());
    FileNameLb->setToolTip(saver.FilePath());
    UpdateState();
}

void TAppControlToolWnd::ParamBtnClick() {
    if (FController)
        FController->Options();
}

void TAppControlToolWnd::TimerTimer() {
    // Ticks never overlap: an exchange that outlasts the interval delays the next tick.
    Timer->stop();
    if (FController)
        FController->Refresh();
    if (FRunning)
        Timer->start();
}

void TAppControlToolWnd::BlinkTimerTimer() {
    if (!FRunning) {
        ProcessingLb->setVisible(false);
        BlinkTimer->stop();
        return;
    }
    ProcessingLb->setVisible(!ProcessingLb->isVisible());
}

TAppFrameworkDlg::TAppFrameworkDlg(QWidget* parent) : QDialog(parent) {
    ControlPanel = new TAppControlToolWnd(this);
    ControlPanel->setMinimumHeight(300);
    ControlPanel->setFixedWidth(qMax(200, ControlPanel->sizeHint().width()));
    ScrollBox = new QScrollArea(this);
    ScrollBox->setWidgetResizable(true);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(ControlPanel);
    layout->addWidget(ScrollBox, 1);
}

void TAppFrameworkDlg::Run(QWidget* Form, TAppController* Controller, const QString& Caption) {
    ScrollBox->setWidget(Form);
    Form->show();
    ControlPanel->SetController(Controller);
    ControlPanel->setFixedWidth(qMax(200, ControlPanel->sizeHint().width()));
    setWindowTitle(Caption);
    const QSize form = Form->sizeHint();
    resize(ControlPanel->width() + form.width() + 60, qMax(420, form.height() + 40));
    FitToTitle(this);
    exec();
    // The form is the caller's: hand it back before the scroll box would delete it.
    ScrollBox->takeWidget();
    ControlPanel->SetController(nullptr);
}

void TAppFrameworkDlg::reject() {
    if (ControlPanel->Running())
        return;
    QDialog::reject();
}

void TAppFrameworkDlg::closeEvent(QCloseEvent* Event) {
    if (ControlPanel->Running()) {
        Event->ignore();
        return;
    }
    QDialog::closeEvent(Event);
}
