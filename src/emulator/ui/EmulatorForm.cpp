#include "emulator/ui/EmulatorForm.h"

#include "bus/CPDrv.h"
#include "bus/SerialTypes.h"
#include "emulator/EmulatorRows.h"
#include "emulator/EmulatorStart.h"
#include "emulator/EmulatorTcpServer.h"
#include "emulator/VirtualDeviceManager.h"
#include "emulator/ui/EmulatorStatsView.h"
#include "localization/LanguageTables.h"
#include "options/AdminOptions.h"

#include "platform/ui/DialogButtons.h"
#include "platform/ui/DialogTitle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

TVirtualDeviceEditorForm::TVirtualDeviceEditorForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("VirtualDeviceEditorForm"));
    setModal(true);
    FPromptLbl = new QLabel(this);
    FNumberLbl = new QLabel(this);
    NumberEdit = new QSpinBox(this);
    NumberEdit->setRange(1, 10);
    ApplyBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    auto* form = new QFormLayout;
    form->addRow(FPromptLbl);
    form->addRow(FNumberLbl, NumberEdit);
    LayOutWithButtons(this, form, ApplyBtn, CancelBtn);
    connect(ApplyBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

void TVirtualDeviceEditorForm::UpdateLanguage() {
    const TEmulatorLanguage& t = EmulatorLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.EditorCaption);
    FitToTitle(this);
    FPromptLbl->setText(t.EditorPrompt);
    FNumberLbl->setText(t.EditorNumber);
    ApplyBtn->setText(t.EditorApply);
    CancelBtn->setText(t.EditorCancel);
}

bool TVirtualDeviceEditorForm::Execute(int& Count) {
    UpdateLanguage();
    NumberEdit->setValue(Count);
    if (exec() != QDialog::Accepted)
        return false;
    Count = NumberEdit->value();
    return true;
}

TEmulatorForm::TEmulatorForm(TVirtualDeviceManager& Manager, TEmulatorTcpServer& Server,
                             TEmulatorOptions& Options, QWidget* parent)
    : QDialog(parent), FManager(Manager), FServer(Server), FOptions(Options) {
    setObjectName(QStringLiteral("EmulatorForm"));
    setModal(true);
    DeviceList = new QTreeWidget(this);
    DeviceList->setRootIsDecorated(false);
    DeviceList->setColumnCount(2);
    // The model names are the point of the list: never cut short.
    DeviceList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    for (const TEmulatorRow& row : EmulatorRows()) {
        auto* item = new QTreeWidgetItem(DeviceList, {row.Name, QStringLiteral("1")});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        item->setData(0, Qt::UserRole, qulonglong(row.TypeCode));
    }
    PortBox = new QComboBox(this);
    for (int n = 1; n <= 255; ++n)
        PortBox->addItem(QStringLiteral("COM%1").arg(n));
    RateBox = new QComboBox(this);
    for (int id = 1; id <= 13; ++id)
        RateBox->addItem(QStringLiteral("br%1").arg(BaudRateBits(kPortRates[id])));
    RateBox->setCurrentIndex(6);
    ProtocolBox = new QComboBox(this);
    ProtocolBox->addItems({QStringLiteral("Nerix"), QStringLiteral("Modbus RTU")});
    TcpCheck = new QCheckBox(this);
    TcpCheck->setObjectName(QStringLiteral("TcpCheck"));
    TcpPortEdit = new QSpinBox(this);
    TcpPortEdit->setObjectName(QStringLiteral("TcpPortEdit"));
    TcpPortEdit->setRange(1, 65535);
    MbapCheck = new QCheckBox(this);
    MbapCheck->setObjectName(QStringLiteral("MbapCheck"));
    ApplyBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    CloseBtn = new QPushButton(this);
    FPortLbl = new QLabel(this);
    FProtocolLbl = new QLabel(this);
    FTcpPortLbl = new QLabel(this);
    FTcpPortLbl->setBuddy(TcpPortEdit);

    Pages = new QTabWidget(this);
    auto* devicesPage = new QWidget(Pages);
    auto* settings = new QFormLayout;
    settings->addRow(FPortLbl, PortBox);
    settings->addRow(QString(), RateBox);
    settings->addRow(FProtocolLbl, ProtocolBox);
    settings->addRow(TcpCheck);
    auto* tcpRow = new QHBoxLayout;
    tcpRow->addWidget(TcpPortEdit);
    tcpRow->addSpacing(12);
    tcpRow->addWidget(MbapCheck);
    tcpRow->addStretch();
    settings->addRow(FTcpPortLbl, tcpRow);
    auto* devicesLayout = new QVBoxLayout(devicesPage);
    DeviceList->setParent(devicesPage);
    devicesLayout->addWidget(DeviceList);
    devicesLayout->addLayout(settings);
    Pages->addTab(devicesPage, QString());

    // Faults: the text itself, checked as it is typed by the parser the command line uses.
    auto* faultsPage = new QWidget(Pages);
    FFaultsLbl = new QLabel(faultsPage);
    FaultsEdit = new QLineEdit(faultsPage);
    FaultsEdit->setObjectName(QStringLiteral("FaultsEdit"));
    FFaultsLbl->setBuddy(FaultsEdit);
    FSeedLbl = new QLabel(faultsPage);
    SeedEdit = new QLineEdit(faultsPage);
    SeedEdit->setObjectName(QStringLiteral("SeedEdit"));
    FSeedLbl->setBuddy(SeedEdit);
    FaultsState = new QLabel(faultsPage);
    FaultsState->setWordWrap(true);
    FaultsTcpNote = new QLabel(faultsPage);
    FaultsTcpNote->setObjectName(QStringLiteral("FaultsTcpNote"));
    FaultsTcpNote->setWordWrap(true);
    FaultsTcpNote->setStyleSheet(QStringLiteral("font-weight: bold;"));
    FFaultsHelp = new QLabel(faultsPage);
    FFaultsHelp->setWordWrap(true);
    FFaultsHelp->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* faultsLayout = new QVBoxLayout(faultsPage);
    faultsLayout->addWidget(FaultsTcpNote);
    faultsLayout->addWidget(FFaultsLbl);
    faultsLayout->addWidget(FaultsEdit);
    faultsLayout->addWidget(FSeedLbl);
    faultsLayout->addWidget(SeedEdit);
    faultsLayout->addWidget(FaultsState);
    faultsLayout->addSpacing(6);
    faultsLayout->addWidget(FFaultsHelp);
    faultsLayout->addStretch();
    Pages->addTab(faultsPage, QString());

    StatsView = new TEmulatorStatsView(FManager, Pages);
    Pages->addTab(StatsView, QString());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CloseBtn);
    auto* main = new QVBoxLayout(this);
    main->addWidget(Pages);
    main->addLayout(buttons);
    resize(900, 560);

    connect(FaultsEdit, &QLineEdit::textChanged, this, &TEmulatorForm::CheckFaults);
    connect(SeedEdit, &QLineEdit::textChanged, this, &TEmulatorForm::CheckFaults);
    connect(TcpCheck, &QCheckBox::toggled, this, &TEmulatorForm::UpdateLineControls);
    connect(MbapCheck, &QCheckBox::toggled, this, &TEmulatorForm::UpdateLineControls);
    connect(ApplyBtn, &QPushButton::clicked, this, &TEmulatorForm::ApplyBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(DeviceList, &QTreeWidget::itemDoubleClicked, this, &TEmulatorForm::DeviceListDblClick);
    LoadOptions();
    UpdateLanguage();
}

void TEmulatorForm::LoadOptions() {
    auto pick = [](QComboBox* box, int index) {
        if (index >= 0 && index < box->count())
            box->setCurrentIndex(index);
    };
    pick(PortBox, FOptions.Port());
    pick(RateBox, FOptions.RateID());
    pick(ProtocolBox, FOptions.Protocol());
    FaultsEdit->setText(FOptions.Faults());
    SeedEdit->setText(FOptions.FaultSeed());
    TcpPortEdit->setValue(FOptions.TcpPort());
    MbapCheck->setChecked(FOptions.Mbap());
    TcpCheck->setChecked(FOptions.TcpListen());
    UpdateLineControls();
}

void TEmulatorForm::UpdateLineControls() {
    const bool tcp = TcpCheck->isChecked();
    PortBox->setEnabled(!tcp);
    RateBox->setEnabled(!tcp);
    TcpPortEdit->setEnabled(tcp);
    FTcpPortLbl->setEnabled(tcp);
    MbapCheck->setEnabled(tcp);
    // A Modbus TCP gateway carries Modbus requests only.
    const bool mbap = tcp && MbapCheck->isChecked();
    if (mbap)
        ProtocolBox->setCurrentIndex(TVirtualDeviceManager::kProtocolModbus);
    ProtocolBox->setEnabled(!mbap);
    // The faults are the serial line's; the text stays for when the serial port is chosen again.
    FaultsEdit->setEnabled(!tcp);
    SeedEdit->setEnabled(!tcp);
    FaultsTcpNote->setVisible(tcp);
}

void TEmulatorForm::CheckFaults() {
    const TEmulatorLanguage& t = EmulatorLanguage().Texts(CurrentLanguage());
    TEmulatorFaults faults;
    QString error;
    quint64 seed = 0;
    QString part;
    bool ok = false;
    if (!ParseEmulatorFaults(FaultsEdit->text(), faults, error, &part))
        FaultsState->setText(t.MsgBadFaults.arg(part));
    else if (!SeedEdit->text().trimmed().isEmpty() && !ParseFaultSeed(SeedEdit->text(), seed))
        FaultsState->setText(t.MsgBadSeed);
    else {
        FaultsState->setText(t.FaultsOk);
        ok = true;
    }
    // An error stands out; "valid" is only a quiet confirmation.
    FaultsState->setStyleSheet(ok ? QString() : QStringLiteral("color: #b00000;"));
}

void TEmulatorForm::UpdateLanguage() {
    const TEmulatorLanguage& t = EmulatorLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    FitToTitle(this);
    FPortLbl->setText(t.ComPort);
    FProtocolLbl->setText(t.Protocol);
    DeviceList->setHeaderLabels({t.ColDevice, t.ColNumber});
    Pages->setTabText(0, t.TabDevices);
    Pages->setTabText(1, t.TabFaults);
    Pages->setTabText(2, t.TabStatistics);
    FFaultsLbl->setText(t.FaultsText);
    FSeedLbl->setText(t.FaultsSeed);
    FFaultsHelp->setText(t.FaultsHelp);
    TcpCheck->setText(t.TcpCheck);
    FTcpPortLbl->setText(t.TcpPort);
    MbapCheck->setText(t.TcpMbap);
    FaultsTcpNote->setText(t.FaultsTcpNote);
    CheckFaults();
    StatsView->UpdateLanguage();
    ApplyBtn->setText(t.Apply);
    CloseBtn->setText(t.Close);
    if (FEditor)
        FEditor->UpdateLanguage();
}

void TEmulatorForm::Message(const QString& text) {
    if (OnMessage)
        OnMessage(text);
    else
        QMessageBox::warning(this, windowTitle(), text);
}

void TEmulatorForm::DeviceListDblClick(QTreeWidgetItem* Item) {
    if (!Item)
        return;
    int count = Item->text(1).toInt();
    bool ok = false;
    if (OnEditCount) {
        ok = OnEditCount(count);
    } else {
        if (!FEditor)
            FEditor = new TVirtualDeviceEditorForm(this);
        ok = FEditor->Execute(count);
    }
    if (ok && count >= 1 && count <= 10)
        Item->setText(1, QString::number(count));
}

void TEmulatorForm::ApplyBtnClick() {
    const TEmulatorLanguage& t = EmulatorLanguage().Texts(CurrentLanguage());
    std::vector<std::pair<quint32, int>> chosen;
    for (int i = 0; i < DeviceList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = DeviceList->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked)
            chosen.emplace_back(quint32(item->data(0, Qt::UserRole).toULongLong()), item->text(1).toInt());
    }
    // A port opened for no device would stay open with nothing to answer.
    if (chosen.empty()) {
        Message(t.MsgChooseDevice);
        return;
    }
    TEmulatorSetup setup;
    for (const auto& [type, count] : chosen)
        setup.Devices.push_back({type, count});
    setup.Protocol = ProtocolBox->currentIndex();
    setup.PortName = PortNameOfNumber(PortBox->currentIndex() + 1);
    setup.Baud = BaudRateBits(kPortRates[RateBox->currentIndex() + 1]);
    const bool tcp = TcpCheck->isChecked();
    if (tcp) {
        setup.TcpPort = TcpPortEdit->value();
        setup.Mbap = MbapCheck->isChecked();
    } else {
        // The faults and their seed matter on the serial line only, so only there can they stop a
        // start.
        QString error;
        QString part;
        if (!ParseEmulatorFaults(FaultsEdit->text(), setup.Faults, error, &part)) {
            Pages->setCurrentIndex(1);
            Message(t.MsgBadFaults.arg(part));
            return;
        }
        if (SeedEdit->text().trimmed().isEmpty())
            setup.Seed = NewFaultSeed();
        else if (!ParseFaultSeed(SeedEdit->text(), setup.Seed)) {
            Pages->setCurrentIndex(1);
            Message(t.MsgBadSeed);
            return;
        }
    }
    switch (StartEmulator(FManager, FServer, setup)) {
    case TEmulatorStartResult::Ok:
        break;
    case TEmulatorStartResult::PortFailed:
        Message(t.MsgComPortError);
        FManager.ClearDevices();
        return;
    case TEmulatorStartResult::ListenFailed:
        Message(t.MsgListenError.arg(setup.TcpPort));
        FManager.ClearDevices();
        return;
    }
    FOptions.SetPort(PortBox->currentIndex());
    FOptions.SetRateID(RateBox->currentIndex());
    FOptions.SetProtocol(ProtocolBox->currentIndex());
    FOptions.SetFaults(FaultsEdit->text().trimmed());
    FOptions.SetFaultSeed(SeedEdit->text().trimmed());
    FOptions.SetTcpListen(tcp);
    FOptions.SetTcpPort(TcpPortEdit->value());
    FOptions.SetMbap(MbapCheck->isChecked());
    accept();
}
