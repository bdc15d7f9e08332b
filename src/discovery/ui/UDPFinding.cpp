#include "discovery/ui/UDPFinding.h"

#include "discovery/BusScan.h"
#include "localization/LanguageTables.h"
#include "protocol/NerixModule.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString ShortAddressText(quint8 address) {
    return QStringLiteral("0x") + QString::number(address, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}
} // namespace

TUDPFindingDlg::TUDPFindingDlg(TNerixModule& Module, TUdpPortAccessPoint& AP, QWidget* parent)
    : QDialog(parent), FModule(Module), FSearch(std::make_unique<TUdpSearch>(Module, AP)) {
    setObjectName(QStringLiteral("UDPFindingDlg"));
    setModal(true);
    ProtocolEdit = new QComboBox(this);
    ProtocolEdit->addItem(TransferProtocolName(tpNerix), int(tpNerix));
    ProtocolEdit->addItem(TransferProtocolName(tpModbus), int(tpModbus));
    StartEdit = new QLineEdit(this);
    StartEdit->setAlignment(Qt::AlignRight);
    StopEdit = new QLineEdit(this);
    StopEdit->setAlignment(Qt::AlignRight);
    CurrentAddressLbl = new QLabel(this);
    StartOneBtn = new QPushButton(this);
    StartOneBtn->setProperty("tag", 0);
    StartBtn = new QPushButton(this);
    StartBtn->setProperty("tag", 1);
    CloseBtn = new QPushButton(this);
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

    connect(ProtocolEdit, &QComboBox::activated, this, &TUDPFindingDlg::ProtocolEditChange);
    connect(StartOneBtn, &QPushButton::clicked, this, &TUDPFindingDlg::StartBtnClick);
    connect(StartBtn, &QPushButton::clicked, this, &TUDPFindingDlg::StartBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TUDPFindingDlg::CloseBtnClick);
    FSearch->OnAddress = [this](quint8 a) { CurrentAddressLbl->setText(ShortAddressText(a)); };
    FSearch->OnScanStart = [this] {
        if (OnScanStart)
            OnScanStart();
    };
    FSearch->OnDeviceFound = [this](const TUdpHit& hit) {
        if (OnDeviceFound)
            OnDeviceFound(hit);
    };
    UpdateLanguage();
}

TUDPFindingDlg::~TUDPFindingDlg() = default;

void TUDPFindingDlg::UpdateLanguage() {
    const TFindUnitLanguage& t = FindUnitLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    FProtocolLbl->setText(t.CommunicationProtocol);
    FStartLbl->setText(t.InitialAddress);
    FStopLbl->setText(t.LastAddress);
    FAddressCaptionLbl->setText(t.CurrentAddress);
    StartOneBtn->setText(t.SearchFirst);
    StartBtn->setText(t.SearchAll);
    CloseBtn->setText(FSearch->Running() ? t.Stop : t.Close);
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

bool TUDPFindingDlg::Execute() {
    InitState();
    return exec() == QDialog::Accepted;
}

void TUDPFindingDlg::ProtocolEditChange() {
    const auto protocol = TTransferProtocol(ProtocolEdit->currentData().toInt());
    FModule.SetTransferProtocol(protocol);
    if (OnProtocolChange)
        OnProtocolChange(protocol);
}

void TUDPFindingDlg::SetSearching(bool searching) {
    ProtocolEdit->setEnabled(!searching);
    StartOneBtn->setEnabled(!searching);
    StartBtn->setEnabled(!searching);
    StartEdit->setEnabled(!searching);
    StopEdit->setEnabled(!searching);
    const TFindUnitLanguage& t = FindUnitLanguage().Texts(CurrentLanguage());
    CloseBtn->setText(searching ? t.Stop : t.Close);
}

void TUDPFindingDlg::StartBtnClick() {
    if (FSearch->Running())
        return;
    const auto* button = qobject_cast<QPushButton*>(sender());
    const bool firstOnly = !button || button->property("tag").toInt() == 0;
    const auto protocol = TTransferProtocol(ProtocolEdit->currentData().toInt());
    const auto range = CheckAddressRange(StartEdit->text(), StopEdit->text(), protocol);
    if (!range) {
        QMessageBox::warning(this, windowTitle(), FindUnitLanguage().Texts(CurrentLanguage()).MsgAddressRange);
        return;
    }
    SetSearching(true);
    FSearch->Run(range->first, range->second, protocol, firstOnly);
    SetSearching(false);
    if (FSearch->Found())
        accept();
}

void TUDPFindingDlg::CloseBtnClick() {
    if (FSearch->Running())
        FSearch->Stop();
    else
        QDialog::reject();
}

void TUDPFindingDlg::reject() {
    if (FSearch->Running())
        FSearch->Stop();
    else
        QDialog::reject();
}
