#include "emulator/ui/EmulatorForm.h"

#include "bus/CPDrv.h"
#include "emulator/EmulatorRows.h"
#include "emulator/VirtualDeviceManager.h"
#include "localization/LanguageTables.h"
#include "options/AdminOptions.h"

#include "platform/ui/DialogButtons.h"
#include "platform/ui/DialogTitle.h"

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
#include <QTimer>
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

TEmulatorForm::TEmulatorForm(TVirtualDeviceManager& Manager, TEmulatorOptions& Options, QWidget* parent)
    : QDialog(parent), FManager(Manager), FOptions(Options) {
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
    ApplyBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    CloseBtn = new QPushButton(this);
    FPortLbl = new QLabel(this);
    FProtocolLbl = new QLabel(this);

    Pages = new QTabWidget(this);
    auto* devicesPage = new QWidget(Pages);
    auto* settings = new QFormLayout;
    settings->addRow(FPortLbl, PortBox);
    settings->addRow(QString(), RateBox);
    settings->addRow(FProtocolLbl, ProtocolBox);
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
    FFaultsHelp = new QLabel(faultsPage);
    FFaultsHelp->setWordWrap(true);
    FFaultsHelp->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* faultsLayout = new QVBoxLayout(faultsPage);
    faultsLayout->addWidget(FFaultsLbl);
    faultsLayout->addWidget(FaultsEdit);
    faultsLayout->addWidget(FSeedLbl);
    faultsLayout->addWidget(SeedEdit);
    faultsLayout->addWidget(FaultsState);
    faultsLayout->addSpacing(6);
    faultsLayout->addWidget(FFaultsHelp);
    faultsLayout->addStretch();
    Pages->addTab(faultsPage, QString());

    auto* statsPage = new QWidget(Pages);
    StatsList = new QTreeWidget(statsPage);
    StatsList->setObjectName(QStringLiteral("StatsList"));
    StatsList->setRootIsDecorated(false);
    StatsList->setColumnCount(6);
    StatsList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    StatsList->header()->setStretchLastSection(true);
    StatsInfo = new QLabel(statsPage);
    StatsInfo->setWordWrap(true);
    ResetStatsBtn = new QPushButton(statsPage);
    auto* statsButtons = new QHBoxLayout;
    statsButtons->addWidget(StatsInfo, 1);
    statsButtons->addWidget(ResetStatsBtn);
    auto* statsLayout = new QVBoxLayout(statsPage);
    statsLayout->addWidget(StatsList);
    statsLayout->addLayout(statsButtons);
    Pages->addTab(statsPage, QString());
    FStatsTimer = new QTimer(this);
    FStatsTimer->setInterval(500);
    connect(FStatsTimer, &QTimer::timeout, this, &TEmulatorForm::UpdateStatistics);
    FStatsTimer->start();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CloseBtn);
    auto* main = new QVBoxLayout(this);
    main->addWidget(Pages);
    main->addLayout(buttons);
    resize(620, 520);

    connect(FaultsEdit, &QLineEdit::textChanged, this, &TEmulatorForm::CheckFaults);
    connect(SeedEdit, &QLineEdit::textChanged, this, &TEmulatorForm::CheckFaults);
    connect(ResetStatsBtn, &QPushButton::clicked, this, [this] {
        FManager.ResetStatistics();
        UpdateStatistics();
    });
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

void TEmulatorForm::UpdateStatistics() {
    const TEmulatorLanguage& t = EmulatorLanguage().Texts(CurrentLanguage());
    // The running session's, else those of the session that ended last.
    const bool live = FManager.DeviceCount() > 0;
    const std::vector<TVirtualDeviceManager::TStatsRow> rows =
        live ? FManager.StatisticsRows() : FManager.LastStatistics();
    const int count = int(rows.size());
    while (StatsList->topLevelItemCount() > count)
        delete StatsList->takeTopLevelItem(StatsList->topLevelItemCount() - 1);
    while (StatsList->topLevelItemCount() < count)
        new QTreeWidgetItem(StatsList);
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* item = StatsList->topLevelItem(i);
        const TVirtualDeviceManager::TStatsRow& row = rows[size_t(i)];
        const bool device = row.Address > 0;
        const TEmulatorDeviceStats& s = row.Stats;
        item->setText(0, device ? QStringLiteral("%1  %2").arg(row.Address).arg(row.Name) : t.StatsOther);
        item->setText(1, QString::number(s.Received));
        item->setText(2, device ? QString::number(s.Answered) : QString());
        item->setText(3, device ? QString::number(s.Dropped) : QString());
        item->setText(4, QString::number(s.Refused));
        item->setText(5, s.TimeCount
                             ? QStringLiteral("%1 / %2 / %3")
                                   .arg(EmulatorTimeText(s.MinTime()), EmulatorTimeText(s.MedianTime()),
                                        EmulatorTimeText(s.MaxTime()))
                             : QString());
        for (int c = 1; c < 5; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    const QString faults = EmulatorFaultsText(FManager.Faults());
    StatsInfo->setText(
        count > 0 ? t.StatsSeed.arg(faults.isEmpty() ? t.StatsNoFaults : faults).arg(FManager.FaultSeed())
                  : QString());
    ResetStatsBtn->setEnabled(live);
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
    StatsList->setHeaderLabels(
        {t.ColDevice, t.ColReceived, t.ColAnswered, t.ColDropped, t.ColRefused, t.ColTimes});
    ResetStatsBtn->setText(t.StatsReset);
    CheckFaults();
    UpdateStatistics();
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
    TEmulatorFaults faults;
    QString error;
    QString part;
    if (!ParseEmulatorFaults(FaultsEdit->text(), faults, error, &part)) {
        Pages->setCurrentIndex(1);
        Message(t.MsgBadFaults.arg(part));
        return;
    }
    quint64 seed = 0;
    if (SeedEdit->text().trimmed().isEmpty())
        seed = NewFaultSeed();
    else if (!ParseFaultSeed(SeedEdit->text(), seed)) {
        Pages->setCurrentIndex(1);
        Message(t.MsgBadSeed);
        return;
    }
    FManager.SetActive(false);
    FManager.ClearDevices();
    FManager.SetProtocol(ProtocolBox->currentIndex());
    FManager.SetPortAndRate(PortBox->currentIndex() + 1, RateBox->currentIndex() + 1);
    for (const auto& [type, count] : chosen)
        FManager.AddDevices(type, count);
    FManager.SetFaults(faults, seed);
    FManager.SetActive(true);
    if (!FManager.Active()) {
        Message(t.MsgComPortError);
        FManager.ClearDevices();
        return;
    }
    FOptions.SetPort(PortBox->currentIndex());
    FOptions.SetRateID(RateBox->currentIndex());
    FOptions.SetProtocol(ProtocolBox->currentIndex());
    FOptions.SetFaults(FaultsEdit->text().trimmed());
    FOptions.SetFaultSeed(SeedEdit->text().trimmed());
    accept();
}
