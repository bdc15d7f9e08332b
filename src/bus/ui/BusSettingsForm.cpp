#include "bus/ui/BusSettingsForm.h"

#include "bus/PowerRSBus.h"
#include "localization/LanguageTables.h"
#include "platform/PortNames.h"

#include "platform/ui/DialogButtons.h"
#include "platform/ui/DialogTitle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

TBusSettingsForm::TBusSettingsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BusSettingsForm"));
    setModal(true);
    PortEdit = new QComboBox(this);
    RateEdit = new QComboBox(this);
    for (int id = 0; id < kBaudRateCount - 1; ++id)
        RateEdit->addItem(QStringLiteral("br") + TPowerRsBus::BaudRateText(TBaudRate(id + 1)));
    ParityBox = new QComboBox(this);
    ParityBox->addItems({QStringLiteral("ptNone"), QStringLiteral("ptOdd"), QStringLiteral("ptEven"),
                         QStringLiteral("ptMark"), QStringLiteral("ptSpace")});
    cbStopBits = new QComboBox(this);
    cbStopBits->addItems({QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")});
    cbRTS = new QComboBox(this);
    cbRTS->addItems({QString(), QString(), QString()}); // named in UpdateLanguage
    edtTimeout = new QLineEdit(this);
    cbLocalEcho = new QCheckBox(this);
    ApplyBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    FPortLbl = new QLabel(this);
    FRateLbl = new QLabel(this);
    FParityLbl = new QLabel(this);
    FStopBitsLbl = new QLabel(this);
    FRtsLbl = new QLabel(this);
    FTimeoutLbl = new QLabel(this);

    auto* form = new QFormLayout;
    form->addRow(FPortLbl, PortEdit);
    form->addRow(FRateLbl, RateEdit);
    form->addRow(FParityLbl, ParityBox);
    form->addRow(FStopBitsLbl, cbStopBits);
    form->addRow(FRtsLbl, cbRTS);
    form->addRow(FTimeoutLbl, edtTimeout);
    form->addRow(QString(), cbLocalEcho);
    LayOutWithButtons(this, form, ApplyBtn, CancelBtn);
    connect(ApplyBtn, &QPushButton::clicked, this, &TBusSettingsForm::ApplyBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

void TBusSettingsForm::UpdateLanguage() {
    const TMainUnitLanguage& t = MainUnitLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.SettingsCaption);
    FitToTitle(this);
    FPortLbl->setText(t.SettingsPort);
    FRateLbl->setText(t.SettingsBaudRate);
    FParityLbl->setText(t.SettingsParity);
    FStopBitsLbl->setText(t.SettingsStopBits);
    FRtsLbl->setText(t.SettingsRts);
    FTimeoutLbl->setText(t.SettingsTimeout);
    cbRTS->setItemText(0, t.RtsLow);
    cbRTS->setItemText(1, t.RtsHigh);
    cbRTS->setItemText(2, t.RtsToggle);
    cbLocalEcho->setText(t.SettingsLocalEcho);
    cbLocalEcho->setToolTip(t.SettingsLocalEchoHint);
    ApplyBtn->setText(t.SettingsApply);
    CancelBtn->setText(t.SettingsCancel);
}

void TBusSettingsForm::Load(const TBusSettingsValues& Values) {
    FValues = Values;
    PortEdit->clear();
    for (const TComPortEntry& e : ListComPorts())
        PortEdit->addItem(e.Label, e.Number);
    PortEdit->setCurrentIndex(PortEdit->findData(Values.Port + 1));
    auto pick = [](QComboBox* box, int index) {
        box->setCurrentIndex(index >= 0 && index < box->count() ? index : 0);
    };
    pick(RateEdit, Values.RateID);
    pick(ParityBox, Values.ParityID);
    pick(cbStopBits, Values.StopBitsID);
    pick(cbRTS, Values.RTSMode);
    edtTimeout->setText(QString::number(Values.Timeout));
    cbLocalEcho->setChecked(Values.LocalEcho);
}

QString TBusSettingsForm::Store(TBusSettingsValues& Values) const {
    bool ok = false;
    const int timeout = edtTimeout->text().trimmed().toInt(&ok);
    if (!ok || timeout < kMinTimeout || timeout > kMaxTimeout)
        return MainUnitLanguage().Texts(CurrentLanguage()).MsgTimeoutRange.arg(kMinTimeout).arg(kMaxTimeout);
    // With no port listed (or none chosen), the stored port stays.
    if (PortEdit->currentIndex() >= 0)
        Values.Port = PortEdit->currentData().toInt() - 1;
    Values.RateID = RateEdit->currentIndex();
    Values.ParityID = ParityBox->currentIndex();
    Values.StopBitsID = cbStopBits->currentIndex();
    Values.RTSMode = cbRTS->currentIndex();
    Values.Timeout = timeout;
    Values.LocalEcho = cbLocalEcho->isChecked();
    return {};
}

void TBusSettingsForm::ApplyBtnClick() {
    TBusSettingsValues values = FValues;
    const QString error = Store(values);
    if (!error.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), error);
        return;
    }
    FValues = values;
    accept();
}

bool TBusSettingsForm::Execute(TBusSettingsValues& Values) {
    UpdateLanguage();
    Load(Values);
    if (exec() != QDialog::Accepted)
        return false;
    Values = FValues;
    return true;
}
