#include "discovery/ui/TCPFinding.h"

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

TTCPFindingDlg::TTCPFindingDlg(TNerixModule& Module, TAccessPoint& AP, QWidget* parent)
    : TSearchDialog(parent), FModule(Module), FScan(std::make_unique<TBusScan>(Module, AP)) {
    setObjectName(QStringLiteral("TCPFindingDlg"));
    AttachSearch(*FScan);
    ProtocolEdit = new QComboBox(this);
    FillProtocols();
    FProtocolLbl = new QLabel(this);
    FStartLbl = new QLabel(this);
    FStopLbl = new QLabel(this);
    FAddressCaptionLbl = new QLabel(this);
    NoteLbl = new QLabel(this);
    NoteLbl->setWordWrap(true);
    NoteLbl->setVisible(false);

    auto* form = new QGridLayout;
    form->addWidget(FProtocolLbl, 0, 0);
    form->addWidget(ProtocolEdit, 0, 1);
    form->addWidget(NoteLbl, 1, 0, 1, 2);
    form->addWidget(FStartLbl, 2, 0);
    form->addWidget(StartEdit, 2, 1);
    form->addWidget(FStopLbl, 3, 0);
    form->addWidget(StopEdit, 3, 1);
    form->addWidget(FAddressCaptionLbl, 4, 0);
    form->addWidget(CurrentAddressLbl, 4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(StartOneBtn);
    buttons->addWidget(StartBtn);
    buttons->addStretch();
    buttons->addWidget(CloseBtn);
    auto* main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addLayout(buttons);
    main->addWidget(ResultLbl);

    connect(ProtocolEdit, &QComboBox::activated, this, &TTCPFindingDlg::ProtocolEditChange);
    FScan->OnAddress = [this](quint8 a) { CurrentAddressLbl->setText(AddressText(a)); };
    FScan->OnScanStart = [this] {
        if (OnScanStart)
            OnScanStart();
    };
    FScan->OnDeviceFound = [this](const TScanHit& hit) { CountListed(OnDeviceFound && OnDeviceFound(hit)); };
    UpdateLanguage();
}

TTCPFindingDlg::~TTCPFindingDlg() = default;

void TTCPFindingDlg::FillProtocols() {
    ProtocolEdit->clear();
    if (!FModbusOnly)
        ProtocolEdit->addItem(TransferProtocolName(tpNerix), int(tpNerix));
    ProtocolEdit->addItem(TransferProtocolName(tpModbus), int(tpModbus));
}

void TTCPFindingDlg::SetModbusOnly(bool Value) {
    if (Value == FModbusOnly)
        return;
    FModbusOnly = Value;
    FillProtocols();
    NoteLbl->setVisible(FModbusOnly);
}

void TTCPFindingDlg::UpdateLanguage() {
    const TFindUnitLanguage& t = FindUnitLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    FProtocolLbl->setText(t.CommunicationProtocol);
    FStartLbl->setText(t.InitialAddress);
    FStopLbl->setText(t.LastAddress);
    FAddressCaptionLbl->setText(t.CurrentAddress);
    StartOneBtn->setText(t.SearchFirst);
    StartBtn->setText(t.SearchAll);
    CloseBtn->setText(CloseCaption(FScan->Running()));
    NoteLbl->setText(TcpConnectionLanguage().Texts(CurrentLanguage()).MsgNerixOverModbusTcp);
    FitToTitle(this);
}

void TTCPFindingDlg::InitState() {
    // Modbus first, as the serial search starts.
    ProtocolEdit->setCurrentIndex(ProtocolEdit->findData(int(tpModbus)));
    StartEdit->setText(QStringLiteral("1"));
    StopEdit->setText(QStringLiteral("255"));
    CurrentAddressLbl->setText(AddressText(0));
    SetSearching(false);
    UpdateLanguage();
    ProtocolEditChange();
}

void TTCPFindingDlg::ProtocolEditChange() {
    const TTransferProtocol protocol = ChosenProtocol();
    FModule.SetTransferProtocol(protocol);
    if (OnProtocolChange)
        OnProtocolChange(protocol);
}

TTransferProtocol TTCPFindingDlg::ChosenProtocol() const {
    return TTransferProtocol(ProtocolEdit->currentData().toInt());
}

void TTCPFindingDlg::SetSearching(bool Searching) {
    ProtocolEdit->setEnabled(!Searching);
    StartOneBtn->setEnabled(!Searching);
    StartBtn->setEnabled(!Searching);
    StartEdit->setEnabled(!Searching);
    StopEdit->setEnabled(!Searching);
    CloseBtn->setText(CloseCaption(Searching));
}

void TTCPFindingDlg::RunSearch(int Start, int Stop, TTransferProtocol Protocol, bool FirstOnly) {
    TScanSettings s;
    s.Protocol = Protocol;
    s.Start = Start;
    s.Stop = Stop;
    s.FirstOnly = FirstOnly;
    FScan->Run(s);
}
