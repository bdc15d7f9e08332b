#include "sensorbus/ui/WndFramework.h"

#include "localization/LanguageTables.h"
#include "localization/SensorBusLanguage.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"
#include "options/AdminOptions.h"
#include "platform/ProcessTimer.h"
#include "protocol/TransferProtocol.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

TDeviceInfoToolDlg::TDeviceInfoToolDlg(QWidget* Parent) : QFrame(Parent) {
    setFrameShape(QFrame::StyledPanel);
    setMinimumHeight(kHeight);
    auto* grid = new QGridLayout(this);
    ModelLb = new QLabel(this);
    QFont bold = ModelLb->font();
    bold.setBold(true);
    ModelLb->setFont(bold);
    AddressCaption = new QLabel(this);
    AddressLb = new QLabel(this);
    SerialCaption = new QLabel(this);
    SerialLb = new QLabel(this);
    ProtocolCaption = new QLabel(this);
    ProtocolLb = new QLabel(this);
    grid->addWidget(ModelLb, 0, 0, 1, 2);
    grid->addWidget(AddressCaption, 1, 0);
    grid->addWidget(AddressLb, 1, 1);
    grid->addWidget(SerialCaption, 2, 0);
    grid->addWidget(SerialLb, 2, 1);
    grid->addWidget(ProtocolCaption, 3, 0);
    grid->addWidget(ProtocolLb, 3, 1);
    grid->setColumnStretch(1, 1);
    UpdateLanguage();
}

void TDeviceInfoToolDlg::Fill(const TDeviceProps* Device) {
    if (!Device) {
        for (QLabel* l : {ModelLb, AddressLb, SerialLb, ProtocolLb})
            l->clear();
        return;
    }
    ModelLb->setText(Device->ModelName);
    AddressLb->setText(QString::number(Device->Address));
    SerialLb->setText(QString::number(Device->SerialNumber));
    ProtocolLb->setText(TransferProtocolName(TTransferProtocol(Device->Protocol)));
}

void TDeviceInfoToolDlg::UpdateLanguage() {
    const auto& t = SensorBusTexts();
    AddressCaption->setText(t.Address);
    SerialCaption->setText(t.SerialNumber);
    ProtocolCaption->setText(t.Protocol);
}

TWndFrmControlPanelDlg::TWndFrmControlPanelDlg(QWidget* Parent) : QFrame(Parent) {
    setFrameShape(QFrame::StyledPanel);
    setMinimumHeight(kHeight);
    auto* box = new QVBoxLayout(this);
    NewDeviceBtn = new QPushButton(this);
    ApplyBtn = new QPushButton(this);
    FlashBtn = new QPushButton(this);
    StartStopBtn = new QPushButton(this);
    StartStopBtn->setCheckable(true);
    for (QPushButton* b : {NewDeviceBtn, ApplyBtn, FlashBtn, StartStopBtn}) {
        b->setAutoDefault(false);
        box->addWidget(b);
    }
    UpdateLanguage();
}

void TWndFrmControlPanelDlg::UpdateLanguage() {
    const auto& t = SensorBusTexts();
    NewDeviceBtn->setText(t.NewDevice);
    ApplyBtn->setText(t.ApplyParams);
    FlashBtn->setText(t.SaveFlash);
    StartStopBtn->setText(t.StartStop);
    // The panel is as wide as its longest caption in the language shown.
    int width = 0;
    for (QPushButton* b : {NewDeviceBtn, ApplyBtn, FlashBtn, StartStopBtn})
        width = std::max(width, b->fontMetrics().horizontalAdvance(b->text()) + 24);
    for (QPushButton* b : {NewDeviceBtn, ApplyBtn, FlashBtn, StartStopBtn})
        b->setMinimumWidth(width);
}

TWndFrameworkDlg::TWndFrameworkDlg(QWidget* Parent) : QDialog(Parent) {
    auto* main = new QHBoxLayout(this);
    FClientBox = new QVBoxLayout;
    main->addLayout(FClientBox, 1);
    auto* tools = new QVBoxLayout;
    InfoPanel = new TDeviceInfoToolDlg(this);
    ControlPanel = new TWndFrmControlPanelDlg(this);
    tools->addWidget(InfoPanel);
    tools->addWidget(ControlPanel);
    tools->addStretch(1);
    main->addLayout(tools);
    Timer = new TProcessTimer(this);
    Timer->OnTimer = [this] { Tick(); };
    connect(ControlPanel->NewDeviceBtn, &QPushButton::clicked, this, &TWndFrameworkDlg::NewDeviceClick);
    connect(ControlPanel->ApplyBtn, &QPushButton::clicked, this, &TWndFrameworkDlg::ApplyClick);
    connect(ControlPanel->FlashBtn, &QPushButton::clicked, this, &TWndFrameworkDlg::FlashClick);
    connect(ControlPanel->StartStopBtn, &QPushButton::clicked, this, &TWndFrameworkDlg::StartStopClick);
}

TWndFrameworkDlg::~TWndFrameworkDlg() {
    Unbind();
}

bool TWndFrameworkDlg::Running() const {
    return FFrm && FFrm->Running();
}

void TWndFrameworkDlg::Bind(QWidget* Client, TWndFrmClient& Frm, TZUVOModule* Module,
                            const TDeviceProps* Device) {
    Unbind();
    FClient = Client;
    FClientParent = Client->parentWidget();
    FFrm = &Frm;
    FModule = Module;
    FFrm->SetRunning(false);
    FClientBox->addWidget(Client);
    Client->show();
    setWindowTitle(Client->windowTitle());
    InfoPanel->Fill(Device);
    if (Frm.AutoSize) {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        adjustSize();
        setFixedSize(sizeHint());
    }
    Timer->SetInterval(Frm.UpDateInterval);
    UpdateLanguage();
    EnableActions();
    NewDeviceClick();
}

void TWndFrameworkDlg::Unbind() {
    if (Timer)
        Timer->Stop();
    if (FFrm)
        FFrm->SetRunning(false);
    if (FClient) {
        FClientBox->removeWidget(FClient);
        FClient->hide();
        FClient->setParent(FClientParent);
    }
    FClient = nullptr;
    FFrm = nullptr;
    FModule = nullptr;
}

void TWndFrameworkDlg::Open(QWidget* Client, TWndFrmClient& Frm, TZUVOModule* Module,
                            const TDeviceProps* Device) {
    Bind(Client, Frm, Module, Device);
    show();
}

void TWndFrameworkDlg::Execute(QWidget* Client, TWndFrmClient& Frm, TZUVOModule* Module,
                               const TDeviceProps* Device) {
    Bind(Client, Frm, Module, Device);
    exec();
    Unbind();
}

void TWndFrameworkDlg::Close() {
    if (Running())
        StartStopClick();
    hide();
    Unbind();
}

void TWndFrameworkDlg::UpdateLanguage() {
    InfoPanel->UpdateLanguage();
    ControlPanel->UpdateLanguage();
    if (FClient)
        setWindowTitle(FClient->windowTitle());
    // Longer texts in another language must not be squeezed into the old size.
    if (isVisible() && layout()) {
        layout()->activate();
        resize(size().expandedTo(minimumSizeHint()));
    }
}

void TWndFrameworkDlg::EnableActions() {
    const bool stopped = !Running();
    ControlPanel->NewDeviceBtn->setEnabled(stopped && FFrm);
    ControlPanel->ApplyBtn->setEnabled(stopped && FFrm && FFrm->OnSaveAll);
    ControlPanel->FlashBtn->setEnabled(stopped && FModule && !Lite());
    ControlPanel->StartStopBtn->setEnabled(FFrm && FFrm->OnExecute);
    ControlPanel->StartStopBtn->setChecked(!stopped);
}

void TWndFrameworkDlg::NewDeviceClick() {
    if (!FFrm || Running() || !FFrm->OnNewDevice)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        FFrm->OnNewDevice();
    } catch (...) {
        // A failing device must not take the host down; the window shows what it could read.
    }
    QApplication::restoreOverrideCursor();
}

void TWndFrameworkDlg::ApplyClick() {
    if (FFrm && !Running() && FFrm->OnSaveAll)
        FFrm->OnSaveAll();
}

bool TWndFrameworkDlg::Lite() const {
    return Options && Options->LiteVersion();
}

void TWndFrameworkDlg::Message(const QString& Text) {
    if (OnMessage)
        OnMessage(Text);
    else
        QMessageBox::warning(this, windowTitle(), Text);
}

void TWndFrameworkDlg::FlashClick() {
    if (!FFrm || !FModule || Running())
        return;
    // Lite mode keeps the device's flash as it is, whoever asks.
    if (Lite()) {
        Message(MainUnitLanguage().Texts(CurrentLanguage()).MsgFlashUnavailable);
        return;
    }
    FModule->SystemChannel().SaveToFlash();
    if (FFrm->OnSaveToFlash) {
        FFrm->OnSaveToFlash();
        return;
    }
    if (!FModule->Ok)
        Message(SensorBusTexts().DataNotSaved);
}

void TWndFrameworkDlg::StartStopClick() {
    if (!FFrm)
        return;
    const bool start = !FFrm->Running();
    FFrm->SetRunning(start);
    if (start)
        Timer->Start();
    else
        Timer->Stop();
    EnableActions();
    if (FFrm && FFrm->OnStartStop)
        FFrm->OnStartStop(start);
}

void TWndFrameworkDlg::Tick() {
    if (!FFrm || !FFrm->Running() || !FFrm->OnExecute)
        return;
    try {
        FFrm->OnExecute();
    } catch (...) {
        // One failed poll is no reason to stop polling.
    }
}

void TWndFrameworkDlg::reject() {
    // Closing a running window only stops it; a second close closes.
    if (Running()) {
        StartStopClick();
        return;
    }
    QDialog::reject();
}
