#include "discovery/ui/FindDevices.h"

#include "bus/ComPortAccessPoint.h"
#include "localization/LanguageTables.h"
#include "model/BusSettings.h"
#include "protocol/NerixModule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The ticked speeds stay ticked while the program runs.
quint32 gRateTicks = 0;
} // namespace

TFindDevices::TFindDevices(TNerixModule& Module, TComPortAccessPoint& AP, TPowerRsBus& Bus, QWidget* parent)
    : QDialog(parent), FModule(Module), FBus(Bus), FScan(std::make_unique<TBusScan>(Module, AP, Bus)) {
    setObjectName(QStringLiteral("FindDevices"));
    setModal(true);

    ProtocolEdit = new QComboBox(this);
    for (int p = 0; p < kTransferProtocolCount; ++p)
        ProtocolEdit->addItem(TransferProtocolName(TTransferProtocol(p)), p);
    ScanMethodEdit = new QComboBox(this);
    ScanMethodEdit->addItems({QString(), QString()});
    ParityBox = new QComboBox(this);
    ParityBox->addItems({QStringLiteral("ptNone"), QStringLiteral("ptOdd"), QStringLiteral("ptEven"),
                         QStringLiteral("ptMark"), QStringLiteral("ptSpace")});
    StartEdit = new QLineEdit(this);
    StartEdit->setAlignment(Qt::AlignRight);
    StopEdit = new QLineEdit(this);
    StopEdit->setAlignment(Qt::AlignRight);
    CurrentAddressLbl = new QLabel(this);
    RateLbl = new QLabel(this);
    RateFieldEdit = new QGroupBox(this);
    auto* rates = new QGridLayout(RateFieldEdit);
    const TRateSet labels;
    for (int i = 0; i < TRateSet::kCount; ++i) {
        RateBoxes[size_t(i)] = new QCheckBox(labels.Items(i).Label, RateFieldEdit);
        RateBoxes[size_t(i)]->setProperty("tag", i);
        rates->addWidget(RateBoxes[size_t(i)], i % 6, i / 6);
    }
    StartOneBtn = new QPushButton(this);
    StartOneBtn->setProperty("tag", 0);
    StartBtn = new QPushButton(this);
    StartBtn->setProperty("tag", 1);
    CloseBtn = new QPushButton(this);

    FProtocolLbl = new QLabel(this);
    FMethodLbl = new QLabel(this);
    FStartLbl = new QLabel(this);
    FStopLbl = new QLabel(this);
    FAddressCaptionLbl = new QLabel(this);
    FRateCaptionLbl = new QLabel(this);
    FParityLbl = new QLabel(this);

    auto* form = new QGridLayout;
    int row = 0;
    auto put = [&](QLabel* caption, QWidget* field) {
        form->addWidget(caption, row, 0);
        form->addWidget(field, row, 1);
        ++row;
    };
    put(FProtocolLbl, ProtocolEdit);
    put(FMethodLbl, ScanMethodEdit);
    put(FParityLbl, ParityBox);
    put(FStartLbl, StartEdit);
    put(FStopLbl, StopEdit);
    put(FAddressCaptionLbl, CurrentAddressLbl);
    put(FRateCaptionLbl, RateLbl);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(StartOneBtn);
    buttons->addWidget(StartBtn);
    buttons->addStretch();
    buttons->addWidget(CloseBtn);
    auto* top = new QHBoxLayout;
    top->addLayout(form);
    top->addWidget(RateFieldEdit);
    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(buttons);

    connect(ProtocolEdit, &QComboBox::activated, this, &TFindDevices::ProtocolEditChange);
    connect(ScanMethodEdit, &QComboBox::activated, this, &TFindDevices::ScanMethodEditChange);
    connect(ParityBox, &QComboBox::activated, this, &TFindDevices::ParityBoxChange);
    connect(StartOneBtn, &QPushButton::clicked, this, &TFindDevices::StartBtnClick);
    connect(StartBtn, &QPushButton::clicked, this, &TFindDevices::StartBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TFindDevices::CloseBtnClick);

    FScan->OnAddress = [this](quint8 address) { CurrentAddressLbl->setText(AddressText(address)); };
    FScan->OnSpeed = [this](quint32 baud) { RateLbl->setText(QStringLiteral("br%1").arg(baud)); };
    FScan->OnScanStart = [this] {
        if (OnScanStart)
            OnScanStart();
    };
    FScan->OnDeviceFound = [this](const TScanHit& hit) {
        if (OnDeviceFound)
            OnDeviceFound(hit);
    };
    UpdateLanguage();
}

TFindDevices::~TFindDevices() = default;

void TFindDevices::UpdateLanguage() {
    const TFindUnitLanguage& t = FindUnitLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    FProtocolLbl->setText(t.CommunicationProtocol);
    FMethodLbl->setText(t.ScanMethod);
    FStartLbl->setText(t.InitialAddress);
    FStopLbl->setText(t.LastAddress);
    FAddressCaptionLbl->setText(t.CurrentAddress);
    FRateCaptionLbl->setText(t.CurrentSpeed);
    FParityLbl->setText(t.Parity);
    RateFieldEdit->setTitle(t.Speeds);
    ScanMethodEdit->setItemText(0, t.ByAddresses);
    ScanMethodEdit->setItemText(1, t.BySpeeds);
    StartOneBtn->setText(t.SearchFirst);
    StartBtn->setText(t.SearchAll);
    CloseBtn->setText(FScan->Running() ? t.Stop : t.Close);
}

void TFindDevices::InitState() {
    FRates = std::make_unique<TRateSet>();
    FRates->SetSelectionMask(gRateTicks);
    for (int i = 0; i < TRateSet::kCount; ++i)
        RateBoxes[size_t(i)]->setChecked(FRates->Items(i).Selected);
    ProtocolEdit->setCurrentIndex(tpModbus);
    ScanMethodEdit->setCurrentIndex(0);
    ParityBox->setCurrentIndex(int(FBus.Parity()));
    StartEdit->setText(QStringLiteral("1"));
    StopEdit->setText(QStringLiteral("255"));
    CurrentAddressLbl->setText(QStringLiteral("0x00 (0)"));
    RateLbl->setText(QStringLiteral("br%1").arg(FBus.BaudRateValue()));
    SetScanning(false);
    UpdateLanguage();
    ProtocolEditChange();
}

bool TFindDevices::Execute() {
    InitState();
    const bool found = exec() == QDialog::Accepted;
    FRates.reset();
    return found;
}

void TFindDevices::UpdateEnabling() {
    const auto protocol = TTransferProtocol(ProtocolEdit->currentData().toInt());
    const bool ascii = protocol == tpZoVuru || protocol == tpZoVuruCheckSum;
    const bool byAddresses = ScanMethodEdit->currentIndex() == 0;
    ScanMethodEdit->setEnabled(!ascii);
    StartBtn->setEnabled(byAddresses);
    RateFieldEdit->setEnabled(byAddresses);
}

void TFindDevices::ProtocolEditChange() {
    const auto protocol = TTransferProtocol(ProtocolEdit->currentData().toInt());
    FModule.SetTransferProtocol(protocol);
    if (protocol == tpZoVuru || protocol == tpZoVuruCheckSum)
        ScanMethodEdit->setCurrentIndex(0);
    if (OnProtocolChange)
        OnProtocolChange(protocol);
    UpdateEnabling();
}

void TFindDevices::ScanMethodEditChange() {
    UpdateEnabling();
}

void TFindDevices::ParityBoxChange() {
    FBus.SetParity(TParity(ParityBox->currentIndex()));
}

void TFindDevices::SetScanning(bool scanning) {
    ProtocolEdit->setEnabled(!scanning);
    ScanMethodEdit->setEnabled(!scanning);
    RateFieldEdit->setEnabled(!scanning);
    StartOneBtn->setEnabled(!scanning);
    StartBtn->setEnabled(!scanning);
    StartEdit->setEnabled(!scanning);
    StopEdit->setEnabled(!scanning);
    ParityBox->setEnabled(!scanning);
    const TFindUnitLanguage& t = FindUnitLanguage().Texts(CurrentLanguage());
    CloseBtn->setText(scanning ? t.Stop : t.Close);
    if (!scanning)
        UpdateEnabling();
}

void TFindDevices::StartBtnClick() {
    if (FScan->Running())
        return;
    const auto* button = qobject_cast<QPushButton*>(sender());
    const bool firstOnly = !button || button->property("tag").toInt() == 0;
    const auto protocol = TTransferProtocol(ProtocolEdit->currentData().toInt());
    const auto range = CheckAddressRange(StartEdit->text(), StopEdit->text(), protocol);
    if (!range) {
        QMessageBox::warning(this, windowTitle(), FindUnitLanguage().Texts(CurrentLanguage()).MsgAddressRange);
        return;
    }
    TScanSettings s;
    s.Protocol = protocol;
    s.Method = ScanMethodEdit->currentIndex() == 0 ? TScanMethod::ByAddresses : TScanMethod::BySpeeds;
    s.Start = range->first;
    s.Stop = range->second;
    s.FirstOnly = firstOnly;
    quint32 mask = 0;
    for (int i = 0; i < TRateSet::kCount; ++i)
        if (RateBoxes[size_t(i)]->isChecked())
            mask |= 1u << i;
    if (mask == 0) {
        // Nothing ticked: tick the bus's own speed when it has a box (otherwise the scan uses the
        // bus's speed as it is).
        const int own = TRateSet::IndexOfRate(BaudRateOfBits(FBus.BaudRateValue()));
        if (own >= 0) {
            mask = 1u << own;
            RateBoxes[size_t(own)]->setChecked(true);
        }
    }
    gRateTicks = mask;
    if (FRates)
        FRates->SetSelectionMask(mask);
    s.SpeedMask = mask;

    SetScanning(true);
    FScan->Run(s);
    SetScanning(false);
    if (FScan->Found())
        accept();
}

void TFindDevices::CloseBtnClick() {
    if (FScan->Running())
        FScan->Stop();
    else
        QDialog::reject();
}

void TFindDevices::reject() {
    // Esc or the window's close box while scanning only stops the scan; the dialog closes when idle.
    if (FScan->Running())
        FScan->Stop();
    else
        QDialog::reject();
}
