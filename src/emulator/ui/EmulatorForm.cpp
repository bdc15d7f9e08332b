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
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
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

    auto* settings = new QFormLayout;
    settings->addRow(FPortLbl, PortBox);
    settings->addRow(QString(), RateBox);
    settings->addRow(FProtocolLbl, ProtocolBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CloseBtn);
    auto* main = new QVBoxLayout(this);
    main->addWidget(DeviceList);
    main->addLayout(settings);
    main->addLayout(buttons);
    resize(360, 420);

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
}

void TEmulatorForm::UpdateLanguage() {
    const TEmulatorLanguage& t = EmulatorLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    FitToTitle(this);
    FPortLbl->setText(t.ComPort);
    FProtocolLbl->setText(t.Protocol);
    DeviceList->setHeaderLabels({t.ColDevice, t.ColNumber});
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
    FManager.SetActive(false);
    FManager.ClearDevices();
    FManager.SetProtocol(ProtocolBox->currentIndex());
    FManager.SetPortAndRate(PortBox->currentIndex() + 1, RateBox->currentIndex() + 1);
    for (const auto& [type, count] : chosen)
        FManager.AddDevices(type, count);
    FManager.SetActive(true);
    if (!FManager.Active()) {
        Message(t.MsgComPortError);
        FManager.ClearDevices();
        return;
    }
    FOptions.SetPort(PortBox->currentIndex());
    FOptions.SetRateID(RateBox->currentIndex());
    FOptions.SetProtocol(ProtocolBox->currentIndex());
    accept();
}
