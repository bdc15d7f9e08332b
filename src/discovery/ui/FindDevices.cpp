#include "discovery/ui/FindDevices.h"

#include "bus/ComPortAccessPoint.h"
#include "localization/LanguageTables.h"
#include "model/BusSettings.h"
#include "protocol/NerixModule.h"

#include "platform/ui/DialogTitle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The ticked speeds stay ticked while the program runs.
quint32 gRateTicks = 0;
} // namespace

TFindDevices::TFindDevices(TNerixModule& Module, TComPortAccessPoint& AP, TPowerRsBus& Bus, QWidget* parent)
    : TSearchDialog(parent), FModule(Module), FBus(Bus), FScan(std::make_unique<TBusScan>(Module, AP, Bus)) {
    setObjectName(QStringLiteral("FindDevices"));
    AttachSearch(*FScan);

    ProtocolEdit = new QComboBox(this);
    for (int p = 0; p < kTransferProtocolCount; ++p)
        ProtocolEdit->addItem(TransferProtocolName(TTransferProtocol(p)), p);
    ScanMethodEdit = new QComboBox(this);
    ScanMethodEdit->addItems({QString(), QString()});
    ParityBox = new QComboBox(this);
    ParityBox->addItems({QStringLiteral("ptNone"), QStringLiteral("ptOdd"), QStringLiteral("ptEven"),
                         QStringLiteral("ptMark"), QStringLiteral("ptSpace")});
    RateLbl = new QLabel(this);
    RateFieldEdit = new QGroupBox(this);
    auto* rates = new QGridLayout(RateFieldEdit);
    const TRateSet labels;
    for (int i = 0; i < TRateSet::kCount; ++i) {
        RateBoxes[size_t(i)] = new QCheckBox(labels.Items(i).Label, RateFieldEdit);
        RateBoxes[size_t(i)]->setProperty("tag", i);
        rates->addWidget(RateBoxes[size_t(i)], i % 6, i / 6);
        // Ticks are kept as they are made, so closing the dialog without a scan loses none.
        connect(RateBoxes[size_t(i)], &QCheckBox::toggled, this,
                [i](bool on) { gRateTicks = on ? gRateTicks | (1u << i) : gRateTicks & ~(1u << i); });
    }
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
    main->addWidget(ResultLbl);

    connect(ProtocolEdit, &QComboBox::activated, this, &TFindDevices::ProtocolEditChange);
    connect(ScanMethodEdit, &QComboBox::activated, this, &TFindDevices::ScanMethodEditChange);
    connect(ParityBox, &QComboBox::activated, this, &TFindDevices::ParityBoxChange);

    FScan->OnAddress = [this](quint8 address) { CurrentAddressLbl->setText(AddressText(address)); };
    FScan->OnSpeed = [this](quint32 baud) { RateLbl->setText(QStringLiteral("br%1").arg(baud)); };
    FScan->OnScanStart = [this] {
        if (OnScanStart)
            OnScanStart();
    };
    FScan->OnDeviceFound = [this](const TScanHit& hit) { CountListed(OnDeviceFound && OnDeviceFound(hit)); };
    UpdateLanguage();
}

TFindDevices::~TFindDevices() = default;

void TFindDevices::UpdateLanguage() {
    const TFindUnitLanguage& t = FindUnitLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    FitToTitle(this);
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
    CloseBtn->setText(CloseCaption(FScan->Running()));
}

void TFindDevices::InitState() {
    FRates = std::make_unique<TRateSet>();
    FRates->SetSelectionMask(gRateTicks);
    for (int i = 0; i < TRateSet::kCount; ++i)
        RateBoxes[size_t(i)]->setChecked(FRates->Items(i).Selected);
    ProtocolEdit->setCurrentIndex(DefaultProtocol);
    ScanMethodEdit->setCurrentIndex(0);
    ParityBox->setCurrentIndex(int(FBus.Parity()));
    StartEdit->setText(QStringLiteral("1"));
    StopEdit->setText(QStringLiteral("255"));
    CurrentAddressLbl->setText(QStringLiteral("0x00 (0)"));
    RateLbl->setText(QStringLiteral("br%1").arg(FBus.BaudRateValue()));
    SetSearching(false);
    UpdateLanguage();
    ProtocolEditChange();
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

TTransferProtocol TFindDevices::ChosenProtocol() const {
    return TTransferProtocol(ProtocolEdit->currentData().toInt());
}

void TFindDevices::SetSearching(bool Searching) {
    ProtocolEdit->setEnabled(!Searching);
    ScanMethodEdit->setEnabled(!Searching);
    RateFieldEdit->setEnabled(!Searching);
    StartOneBtn->setEnabled(!Searching);
    StartBtn->setEnabled(!Searching);
    StartEdit->setEnabled(!Searching);
    StopEdit->setEnabled(!Searching);
    ParityBox->setEnabled(!Searching);
    CloseBtn->setText(CloseCaption(Searching));
    if (!Searching)
        UpdateEnabling();
}

void TFindDevices::RunSearch(int Start, int Stop, TTransferProtocol Protocol, bool FirstOnly) {
    TScanSettings s;
    s.Protocol = Protocol;
    s.Method = ScanMethodEdit->currentIndex() == 0 ? TScanMethod::ByAddresses : TScanMethod::BySpeeds;
    s.Start = Start;
    s.Stop = Stop;
    s.FirstOnly = FirstOnly;
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
    FScan->Run(s);
}
