#include "discovery/ui/UDPFinding.h"

#include "localization/LanguageTables.h"
#include "model/BusSettings.h"
#include "protocol/NerixModule.h"

#include "platform/ui/DialogTitle.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TUDPFindingDlg::TUDPFindingDlg(TNerixModule& Module, TAccessPoint& AP, QWidget* parent)
    : TSearchDialog(parent), FModule(Module), FSearch(std::make_unique<TUdpSearch>(Module, AP)) {
    setObjectName(QStringLiteral("UDPFindingDlg"));
    AttachSearch(*FSearch);
    ProtocolEdit = new QComboBox(this);
    ProtocolEdit->addItem(TransferProtocolName(tpNerix), int(tpNerix));
    ProtocolEdit->addItem(TransferProtocolName(tpModbus), int(tpModbus));
    FProtocolLbl = new QLabel(this);
    FStartLbl = new QLabel(this);
    FStopLbl = new QLabel(this);
    FAddressCaptionLbl = new QLabel(this);

    auto* form = new QGridLayout;
    form->addWidget(FProtocolLbl, 0, 0);
    form->addWidget(ProtocolEdit, 0, 1);
    form->addWidget(FStartLbl, 1, 0);
    form->addWidget(StartEdit, 1, 1);
    form->addWidget(FStopLbl, 2, 0);
    form->addWidget(StopEdit, 2, 1);
    form->addWidget(FAddressCaptionLbl, 3, 0);
    form->addWidget(CurrentAddressLbl, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(StartOneBtn);
    buttons->addWidget(StartBtn);
    buttons->addStretch();
    buttons->addWidget(CloseBtn);
    auto* main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addLayout(buttons);
    main->addWidget(ResultLbl);

    connect(ProtocolEdit, &QComboBox::activated, this, &TUDPFindingDlg::ProtocolEditChange);
    FSearch->OnAddress = [this](quint8 a) { CurrentAddressLbl->setText(HexAddressText(a)); };
    FSearch->OnScanStart = [this] {
        if (OnScanStart)
            OnScanStart();
    };
    FSearch->OnDeviceFound = [this](const TUdpHit& hit) { CountListed(OnDeviceFound && OnDeviceFound(hit)); };
    UpdateLanguage();
}

TUDPFindingDlg::~TUDPFindingDlg() = default;

void TUDPFindingDlg::UpdateLanguage() {
    const TFindUnitLanguage& t = FindUnitLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    FitToTitle(this);
    FProtocolLbl->setText(t.CommunicationProtocol);
    FStartLbl->setText(t.InitialAddress);
    FStopLbl->setText(t.LastAddress);
    FAddressCaptionLbl->setText(t.CurrentAddress);
    StartOneBtn->setText(t.SearchFirst);
    StartBtn->setText(t.SearchAll);
    CloseBtn->setText(CloseCaption(FSearch->Running()));
}

void TUDPFindingDlg::InitState() {
    ProtocolEdit->setCurrentIndex(1);
    StartEdit->setText(QStringLiteral("1"));
    StopEdit->setText(QStringLiteral("255"));
    CurrentAddressLbl->setText(QStringLiteral("0x00"));
    SetSearching(false);
    UpdateLanguage();
    ProtocolEditChange();
}

void TUDPFindingDlg::ProtocolEditChange() {
    const auto protocol = TTransferProtocol(ProtocolEdit->currentData().toInt());
    FModule.SetTransferProtocol(protocol);
    if (OnProtocolChange)
        OnProtocolChange(protocol);
}

TTransferProtocol TUDPFindingDlg::ChosenProtocol() const {
    return TTransferProtocol(ProtocolEdit->currentData().toInt());
}

void TUDPFindingDlg::SetSearching(bool Searching) {
    ProtocolEdit->setEnabled(!Searching);
    StartOneBtn->setEnabled(!Searching);
    StartBtn->setEnabled(!Searching);
    StartEdit->setEnabled(!Searching);
    StopEdit->setEnabled(!Searching);
    CloseBtn->setText(CloseCaption(Searching));
}

void TUDPFindingDlg::RunSearch(int Start, int Stop, TTransferProtocol Protocol, bool FirstOnly) {
    FSearch->Run(Start, Stop, Protocol, FirstOnly);
}
