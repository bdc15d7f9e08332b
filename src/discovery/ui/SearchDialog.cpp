#include "discovery/ui/SearchDialog.h"

#include "discovery/BusScan.h"
#include "localization/LanguageTables.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

TSearchDialog::TSearchDialog(QWidget* parent) : QDialog(parent) {
    setModal(true);
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
    ResultLbl = new QLabel(this);
    ResultLbl->setObjectName(QStringLiteral("ResultLbl"));
    connect(StartOneBtn, &QPushButton::clicked, this, &TSearchDialog::StartBtnClick);
    connect(StartBtn, &QPushButton::clicked, this, &TSearchDialog::StartBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TSearchDialog::CloseBtnClick);
}

bool TSearchDialog::Execute() {
    InitState();
    ResultLbl->clear();
    return exec() == QDialog::Accepted;
}

QString TSearchDialog::CloseCaption(bool Searching) const {
    const TFindUnitLanguage& t = FindUnitLanguage().Texts(CurrentLanguage());
    return Searching ? t.Stop : t.Close;
}

void TSearchDialog::StartBtnClick() {
    if (FSearch->Running())
        return;
    const auto* button = qobject_cast<QPushButton*>(sender());
    const bool firstOnly = !button || button->property("tag").toInt() == 0;
    const TTransferProtocol protocol = ChosenProtocol();
    const auto range = CheckAddressRange(StartEdit->text(), StopEdit->text(), protocol);
    if (!range) {
        QMessageBox::warning(this, windowTitle(),
                             FindUnitLanguage().Texts(CurrentLanguage()).MsgAddressRange);
        return;
    }
    const TFindUnitLanguage& t = FindUnitLanguage().Texts(CurrentLanguage());
    FListed = 0;
    ResultLbl->clear();
    SetSearching(true);
    RunSearch(range->first, range->second, protocol, firstOnly);
    SetSearching(false);
    // A search that finds nothing must not look like one that did not run.
    ResultLbl->setText(FListed > 0 ? t.MsgDevicesFound.arg(FListed) : t.MsgNoDeviceFound);
    if (FSearch->Found())
        accept();
}

void TSearchDialog::CloseBtnClick() {
    reject();
}

void TSearchDialog::reject() {
    // Esc, the close button or the window's close box while searching only stop the search; the
    // dialog closes when idle.
    if (FSearch->Running())
        FSearch->Stop();
    else
        QDialog::reject();
}
