#include "bus/ui/TCPPortDlg.h"

#include "localization/LanguageTables.h"

#include "platform/ui/DialogButtons.h"
#include "platform/ui/DialogTitle.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

TTCPPortDlg::TTCPPortDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TCPPortDlg"));
    setModal(true);
    edtHost = new QLineEdit(this);
    edtRemoutePort = new QLineEdit(this);
    cbFraming = new QComboBox(this);
    cbFraming->addItem(QString());
    cbFraming->addItem(QString());
    edtTimeout = new QLineEdit(this);
    OkBtn = new QPushButton(this);
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    FForm = new QFormLayout;
    FForm->addRow(QStringLiteral("-"), edtHost);
    FForm->addRow(QStringLiteral("-"), edtRemoutePort);
    FForm->addRow(QStringLiteral("-"), cbFraming);
    FForm->addRow(QStringLiteral("-"), edtTimeout);
    LayOutWithButtons(this, FForm, OkBtn, CancelBtn);
    connect(OkBtn, &QPushButton::clicked, this, &TTCPPortDlg::OkBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLanguage();
}

void TTCPPortDlg::UpdateLanguage() {
    const TTcpConnectionLanguage& t = TcpConnectionLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.SettingsCaption);
    const QString labels[] = {t.SettingsHost, t.SettingsPort, t.SettingsFraming, t.SettingsTimeout};
    for (int row = 0; row < 4; ++row)
        if (auto* label = qobject_cast<QLabel*>(FForm->itemAt(row, QFormLayout::LabelRole)->widget()))
            label->setText(labels[row]);
    cbFraming->setItemText(0, t.FramingRaw);
    cbFraming->setItemText(1, t.FramingModbusTcp);
    OkBtn->setText(t.SettingsOk);
    CancelBtn->setText(t.SettingsCancel);
    FitToTitle(this);
}

void TTCPPortDlg::Load(const TTcpSettingsValues& Values) {
    FValues = Values;
    edtHost->setText(Values.Host);
    edtRemoutePort->setText(QString::number(Values.RemoutePort));
    cbFraming->setCurrentIndex(Values.Framing == 1 ? 1 : 0);
    edtTimeout->setText(QString::number(Values.Timeout));
}

QString TTCPPortDlg::Store(TTcpSettingsValues& Values) const {
    const TTcpConnectionLanguage& t = TcpConnectionLanguage().Texts(CurrentLanguage());
    auto number = [](const QLineEdit* edit, int lo, int hi, int& out) {
        bool ok = false;
        out = edit->text().trimmed().toInt(&ok);
        return ok && out >= lo && out <= hi;
    };
    int port = 0, timeout = 0;
    // A host with blanks inside cannot be a name or an address; the resolver would only say so later.
    const QString host = edtHost->text().trimmed();
    if (host.isEmpty() || host.contains(QLatin1Char(' ')))
        return t.MsgHostEmpty;
    // Port 0 would ask the system for any port, which means nothing for the far end.
    if (!number(edtRemoutePort, 1, 65535, port))
        return t.MsgPortRange;
    if (!number(edtTimeout, kMinTimeout, kMaxTimeout, timeout))
        return t.MsgTimeoutRange.arg(kMinTimeout).arg(kMaxTimeout);
    Values.Host = host;
    Values.RemoutePort = port;
    Values.Framing = cbFraming->currentIndex() == 1 ? 1 : 0;
    Values.Timeout = timeout;
    return {};
}

void TTCPPortDlg::OkBtnClick() {
    TTcpSettingsValues values = FValues;
    const QString error = Store(values);
    if (!error.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), error);
        return;
    }
    FValues = values;
    accept();
}

bool TTCPPortDlg::Execute(TTcpSettingsValues& Values) {
    UpdateLanguage();
    Load(Values);
    if (exec() != QDialog::Accepted)
        return false;
    Values = FValues;
    return true;
}
