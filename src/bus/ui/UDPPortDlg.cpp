#include "bus/ui/UDPPortDlg.h"

#include "platform/ui/DialogButtons.h"
#include "platform/ui/DialogTitle.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

TUDPPortDlg::TUDPPortDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("UDPPortDlg"));
    setModal(true);
    // This dialog's texts are not translated.
    setWindowTitle(QStringLiteral("Параметры UDP-соединения"));
    FitToTitle(this);
    edtHost = new QLineEdit(this);
    edtRemoutePort = new QLineEdit(this);
    cbUseLocalPort = new QCheckBox(QStringLiteral("Use local port"), this);
    edtLocalPort = new QLineEdit(this);
    edtTimeout = new QLineEdit(this);
    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Host"), edtHost);
    form->addRow(QStringLiteral("Remoute port"), edtRemoutePort);
    form->addRow(QString(), cbUseLocalPort);
    form->addRow(QStringLiteral("Local port"), edtLocalPort);
    form->addRow(QStringLiteral("Timeout, ms"), edtTimeout);
    LayOutWithButtons(this, form, OkBtn, CancelBtn);
    connect(OkBtn, &QPushButton::clicked, this, &TUDPPortDlg::OkBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TUDPPortDlg::Load(const TUdpSettingsValues& Values) {
    FValues = Values;
    edtHost->setText(Values.Host);
    edtRemoutePort->setText(QString::number(Values.RemoutePort));
    cbUseLocalPort->setChecked(Values.UseLocalPort);
    edtLocalPort->setText(QString::number(Values.LocalPort));
    edtTimeout->setText(QString::number(Values.Timeout));
}

QString TUDPPortDlg::Store(TUdpSettingsValues& Values) const {
    auto number = [](const QLineEdit* edit, int lo, int hi, int& out) {
        bool ok = false;
        out = edit->text().trimmed().toInt(&ok);
        return ok && out >= lo && out <= hi;
    };
    int remote = 0, local = 0, timeout = 0;
    if (edtHost->text().trimmed().isEmpty())
        return QStringLiteral("Host: enter the gateway's address or name");
    if (!number(edtRemoutePort, 0, 65535, remote))
        return QStringLiteral("Remoute port: enter a whole number from 0 to 65535");
    if (!number(edtLocalPort, 0, 65535, local))
        return QStringLiteral("Local port: enter a whole number from 0 to 65535");
    if (!number(edtTimeout, kMinTimeout, kMaxTimeout, timeout))
        return QStringLiteral("Timeout, ms: enter a whole number from %1 to %2")
            .arg(kMinTimeout)
            .arg(kMaxTimeout);
    Values.Host = edtHost->text().trimmed();
    Values.RemoutePort = remote;
    Values.UseLocalPort = cbUseLocalPort->isChecked();
    Values.LocalPort = local;
    Values.Timeout = timeout;
    return {};
}

void TUDPPortDlg::OkBtnClick() {
    TUdpSettingsValues values = FValues;
    const QString error = Store(values);
    if (!error.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), error);
        return;
    }
    FValues = values;
    accept();
}

bool TUDPPortDlg::Execute(TUdpSettingsValues& Values) {
    Load(Values);
    if (exec() != QDialog::Accepted)
        return false;
    Values = FValues;
    return true;
}
