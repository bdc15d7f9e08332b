#include "views/ui/HealthControllerDlg.h"

#include "bus/BaudRate.h"
#include "localization/DIOManagerLanguage.h"
#include "model/DeviceRegister.h"
#include "model/IntachnessCtrlChannel.h"
#include "model/ZUVOModule.h"
#include "platform/ui/DialogTitle.h"
#include "views/ChannelWindows.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

namespace {

const TIntactnessControllerDOFLanguage& Texts() {
    return HealthCtrlLanguage().Texts(CurrentLanguage());
}

int AnalogOutputsOf(quint32 TypeCode) {
    switch (TypeCode) {
    case 2:
        return 4;
    case 3:
    case 69:
        return 6;
    case 34:
        return 2;
    case 66:
        return 16;
    default:
        return 0;
    }
}

// Accepts "." and "," as the decimal separator; nothing for text that is no finite number.
std::optional<float> FloatOf(const QString& Text) {
    QString s = Text.trimmed();
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return float(v);
}

QString FloatText(float Value, int Decimals) {
    return QString::number(double(Value), 'f', Decimals);
}

} // namespace

THealthControllerFamily HealthControllerFamilyFor(const QString& Window, quint32 TypeCode) {
    const auto& t = Texts();
    using F = THealthControllerField;
    THealthControllerFamily family;
    const QString frequency = t.FrequencyOutput + QStringLiteral(" №");
    if (Window == QLatin1String("TIntactnessControllerDORDlg") ||
        Window == QLatin1String("TIntactnessControllerP340Dlg"))
        family.TimeoutInSeconds = true;
    if (Window == QLatin1String("TIntactnessControllerDOS12Dlg")) {
        family.Fields = {{F::Hex, 0, 3, t.DOStates}};
    } else if (Window == QLatin1String("TIntactnessControllerP340Dlg")) {
        family.Fields = {{F::Hex, 0, 2, t.DOStates},
                         {F::Float, 1, 2, QStringLiteral("AO 1")},
                         {F::Float, 2, 2, QStringLiteral("AO 2")}};
    } else if (Window == QLatin1String("TIntactnessControllerDOFDlg")) {
        family.Fields = {{F::Hex, 0, 2, t.DOStates},
                         {F::Float, 1, 3, frequency + QStringLiteral("1")},
                         {F::Float, 2, 3, frequency + QStringLiteral("2")},
                         {F::Hex, 3, 2, t.DOMask}};
    } else if (Window == QLatin1String("TIntactnessControllerAODlg")) {
        for (int i = 0; i < AnalogOutputsOf(TypeCode); ++i)
            family.Fields.push_back(
                {F::SafeValue, i, 3, t.AnalogOutput + QStringLiteral(" №") + QString::number(i + 1)});
        family.Fields.push_back({F::Hex, 2, (AnalogOutputsOf(TypeCode) + 3) / 4, t.DOMask});
    } else if (Window == QLatin1String("TICDIO24QAVDlg")) {
        family.Fields = {{F::Hex, 0, 6, t.DOStates}, {F::Hex, 1, 6, t.DOMask}};
    } else if (Window == QLatin1String("TICMIOVIXProDlg")) {
        family.Fields = {
            {F::Hex, 0, 1, t.DOStates}, {F::Hex, 2, 1, t.DOMask}, {F::Float, 1, 3, QStringLiteral("AO")}};
    } else { // DOS, DOR, DIO
        family.Fields = {{F::Hex, 0, 2, t.DOStates}};
    }
    return family;
}

THealthControllerDlg::THealthControllerDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HealthControllerDlg"));
    setModal(true);
    lbAddress = new QLabel(this);
    lbRate = new QLabel(this);
    lbTimeout = new QLabel(this);
    lbReset = new QLabel(this);
    TimeoutEdit = new QLineEdit(this);
    OnlyDevicePoolBox = new QComboBox(this);
    CloseBtn = new QPushButton(this);
    ApplyBtn = new QPushButton(this);
    ApplyBtn->setDefault(true);
    FForm = new QFormLayout;
    FForm->addRow(lbAddress);
    FForm->addRow(lbRate);
    FForm->addRow(lbTimeout, TimeoutEdit);
    FForm->addRow(lbReset, OnlyDevicePoolBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(FForm);
    layout->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    connect(ApplyBtn, &QPushButton::clicked, this, &THealthControllerDlg::ApplyBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &THealthControllerDlg::CloseBtnClick);
    UpdateLanguage();
}

THealthControllerDlg::~THealthControllerDlg() = default;

void THealthControllerDlg::UpdateLanguage() {
    const auto& t = Texts();
    lbTimeout->setText(FFamily.TimeoutInSeconds ? t.TimeoutS : t.TimeoutMs);
    lbReset->setText(t.ResetCondition);
    const int reset = OnlyDevicePoolBox->currentIndex();
    OnlyDevicePoolBox->clear();
    OnlyDevicePoolBox->addItems({t.AnyData, t.CallToModule});
    OnlyDevicePoolBox->setCurrentIndex(reset < 0 ? 0 : reset);
    CloseBtn->setText(t.Cancel);
    ApplyBtn->setText(t.Apply);
}

void THealthControllerDlg::Message(const QString& Text) {
    if (OnMessage)
        OnMessage(Text);
    else
        QMessageBox::information(this, windowTitle(), Text);
}

bool THealthControllerDlg::Execute(TIntachnessCtrlChannel& Controller, const THealthControllerFamily& Family,
                                   const QString& Caption, const QString& AddressText,
                                   const QString& RateText) {
    FController = &Controller;
    FFamily = Family;
    const auto& t = Texts();
    setWindowTitle(Caption);
    lbAddress->setText(t.DeviceAddress + QStringLiteral(": ") + AddressText);
    lbRate->setText(t.BaudRate + QStringLiteral(": ") + RateText);
    for (QLabel* l : FFieldLabels)
        FForm->removeRow(l);
    FFieldLabels.clear();
    FieldEdits.clear();
    for (const THealthControllerField& f : FFamily.Fields) {
        auto* label = new QLabel(f.Label, this);
        auto* edit = new QLineEdit(this);
        FForm->addRow(label, edit);
        FFieldLabels.push_back(label);
        FieldEdits.push_back(edit);
    }
    UpdateLanguage();
    OnlyDevicePoolBox->setCurrentIndex(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool read = ReadAll();
    QApplication::restoreOverrideCursor();
    // Values half read must not be written back as if they were the device's.
    ApplyBtn->setEnabled(read);
    if (!read)
        Message(t.ErrorReading);
    FitToTitle(this);
    return exec() == QDialog::Accepted;
}

bool THealthControllerDlg::ReadAll() {
    TZUVOModule& m = *FController->Module();
    const quint32 timeout = FController->ReadTimeout();
    if (!m.Ok)
        return false;
    TimeoutEdit->setText(QString::number(timeout));
    const bool reset = FController->ReadResetCondition();
    if (!m.Ok)
        return false;
    OnlyDevicePoolBox->setCurrentIndex(reset ? 1 : 0);
    auto* ao = dynamic_cast<TAOIntachnessCtrlChannel*>(FController);
    for (size_t i = 0; i < FFamily.Fields.size(); ++i) {
        const THealthControllerField& f = FFamily.Fields[i];
        QString text;
        switch (f.Kind) {
        case THealthControllerField::Hex:
            text =
                QStringLiteral("%1")
                    .arg(quint32(FController->ReadParameterInteger(f.Index)), f.Digits, 16, QLatin1Char('0'))
                    .toUpper();
            break;
        case THealthControllerField::Float:
            text = FloatText(FController->ReadParameterFloat(f.Index), f.Digits);
            break;
        case THealthControllerField::SafeValue:
            if (!ao)
                return false;
            text = FloatText(ao->ReadSafeValue(f.Index), f.Digits);
            break;
        }
        if (!m.Ok)
            return false;
        FieldEdits[i]->setText(text);
    }
    return true;
}

void THealthControllerDlg::ApplyBtnClick() {
    if (!FController)
        return;
    const auto& t = Texts();
    // Every field is checked before anything is sent: a refused field leaves the device untouched.
    bool ok = false;
    const QString timeoutText = TimeoutEdit->text().trimmed();
    const qlonglong timeout = timeoutText.toLongLong(&ok);
    if (ok && timeout < 0) {
        Message(t.TimeoutPositive);
        return;
    }
    if (!ok || timeout > qlonglong(0xFFFFFFFFu)) {
        Message(t.BadValue.arg(lbTimeout->text(), timeoutText));
        return;
    }
    std::vector<quint32> ints(FFamily.Fields.size());
    std::vector<float> floats(FFamily.Fields.size());
    for (size_t i = 0; i < FFamily.Fields.size(); ++i) {
        const THealthControllerField& f = FFamily.Fields[i];
        const QString text = FieldEdits[i]->text().trimmed();
        bool good = false;
        if (f.Kind == THealthControllerField::Hex) {
            const qulonglong v = text.toULongLong(&good, 16);
            good = good && v <= 0xFFFFFFFFull;
            ints[i] = quint32(v);
        } else if (const auto v = FloatOf(text)) {
            floats[i] = *v;
            good = true;
        }
        if (!good) {
            Message(t.BadValue.arg(f.Label, text));
            FieldEdits[i]->setFocus();
            return;
        }
    }
    TZUVOModule& m = *FController->Module();
    auto failed = [&](const QString& What) {
        Message(t.WriteFailedAt.arg(What));
        return false;
    };
    if (!FController->WriteTimeout(quint32(timeout)) && !failed(lbTimeout->text()))
        return;
    if (!FController->WriteResetCondition(OnlyDevicePoolBox->currentIndex() == 1) && !failed(lbReset->text()))
        return;
    auto* ao = dynamic_cast<TAOIntachnessCtrlChannel*>(FController);
    for (size_t i = 0; i < FFamily.Fields.size(); ++i) {
        const THealthControllerField& f = FFamily.Fields[i];
        bool written = false;
        switch (f.Kind) {
        case THealthControllerField::Hex:
            written = FController->WriteParameterInteger(f.Index, qint32(ints[i]));
            break;
        case THealthControllerField::Float:
            written = FController->WriteParameterFloat(f.Index, floats[i]);
            break;
        case THealthControllerField::SafeValue:
            written = ao && ao->WriteSafeValue(f.Index, floats[i]);
            break;
        }
        if (!written || !m.Ok) {
            failed(f.Label);
            return;
        }
    }
    accept();
}

void THealthControllerDlg::CloseBtnClick() {
    reject();
}

void RegisterHealthControllerWindows(THealthControllerDlg& Dlg) {
    QPointer<THealthControllerDlg> dlg(&Dlg);
    auto controllerOf = [](TZUVOModule& Template, int Controller) {
        return Controller == 1 ? Template.DiscreteIntachnessCtrl() : Template.IntachnessCtrl();
    };
    for (const char* name :
         {"TIntactnessControllerDOSDlg", "TIntactnessControllerDORDlg", "TIntactnessControllerDIODlg",
          "TIntactnessControllerDOS12Dlg", "TIntactnessControllerP340Dlg", "TIntactnessControllerDOFDlg",
          "TIntactnessControllerAODlg", "TICDIO24QAVDlg", "TICMIOVIXProDlg"}) {
        ChannelWindows().Register(QString::fromLatin1(name), [dlg,
                                                              controllerOf](const TChannelWindowContext& c) {
            if (!dlg || !c.Module || !c.Device)
                return;
            // Kind 26 on type code 69 is the second controller; that one edits outputs as the QAV
            // family does.
            TIntachnessCtrlChannel* controller = controllerOf(*c.Module, c.HealthController);
            if (!controller)
                return;
            const QString window = c.HealthController == 1 ? QStringLiteral("TICDIO24QAVDlg") : c.Window;
            const auto& t = Texts();
            const QString caption = t.Module + QStringLiteral(": ") + c.Device->ModelName +
                                    QStringLiteral(".") + t.Channel + QStringLiteral("  №") +
                                    QString::number(c.Row + 1);
            dlg->Execute(*controller, HealthControllerFamilyFor(window, c.Device->TypeCode), caption,
                         QStringLiteral("0x%1")
                             .arg(c.Device->Address, 2, 16, QLatin1Char('0'))
                             .toUpper()
                             .replace(QStringLiteral("0X"), QStringLiteral("0x")),
                         QStringLiteral("br") + QString::number(BaudRateBits(TBaudRate(c.Device->BaudCode))));
        });
    }
    // The marker of a health controller row: the controller's property 0 is not zero.
    SetHealthControllerProbe([controllerOf](TZUVOModule& Template, int Controller) -> std::optional<quint32> {
        TIntachnessCtrlChannel* controller = controllerOf(Template, Controller);
        if (!controller)
            return std::nullopt;
        const quint32 value = controller->ReadTimeout();
        if (!Template.Ok)
            return std::nullopt;
        return value;
    });
}
