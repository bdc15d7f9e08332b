#include "views/ui/DeviceServiceDlg.h"

#include "localization/DeviceViewsLanguage.h"
#include "platform/ProcessTimer.h"
#include "platform/ui/DialogTitle.h"
#include "views/DeviceService.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

TDeviceServiceDlg::TDeviceServiceDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DeviceServiceDlg"));
    setModal(true);
    lbMachineTime = new QLabel(this);
    lbVersion = new QLabel(this);
    MachineTimeLb = new QLabel(QStringLiteral("0"), this);
    VersionLb = new QLabel(this);
    QFont value = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    value.setPointSizeF(value.pointSizeF() * 1.25);
    value.setBold(true);
    for (QLabel* l : {MachineTimeLb, VersionLb}) {
        l->setFont(value);
        l->setTextInteractionFlags(Qt::NoTextInteraction);
    }
    // Room for the longest time the device can count, so the window does not jump as days pass.
    MachineTimeLb->setMinimumWidth(
        QFontMetrics(value).horizontalAdvance(MaxMachineTimeText() + QLatin1Char(' ')));
    MachineTimeLb->setCursor(Qt::PointingHandCursor);
    MachineTimeLb->installEventFilter(this);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(16);
    form->setVerticalSpacing(10);
    form->addRow(lbMachineTime, MachineTimeLb);
    form->addRow(lbVersion, VersionLb);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 16);
    layout->addLayout(form);
    layout->addStretch();
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    Timer = new TProcessTimer(this);
    Timer->SetInterval(kRefreshMs);
    Timer->OnTimer = [this] { TimerTimer(); };
    UpdateLanguage();
}

TDeviceServiceDlg::~TDeviceServiceDlg() = default;

void TDeviceServiceDlg::UpdateLanguage() {
    const TDeviceServiceLanguage& t = DeviceServiceLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    lbMachineTime->setText(t.MachineTime);
    lbVersion->setText(t.FirmwareVersion);
    MachineTimeLb->setToolTip(t.MachineTimeHint);
    if (!FVersionKnown)
        VersionLb->setText(t.NotAvailable);
    FitToTitle(this);
}

void TDeviceServiceDlg::Execute(TZUVOModule& Module) {
    FService = std::make_unique<TDeviceService>(Module);
    FVersionKnown = false;
    FClickQueued = false;
    MachineTimeLb->setText(QStringLiteral("0"));
    UpdateLanguage();
    if (const auto version = FService->ReadVersion()) {
        FVersionKnown = true;
        VersionLb->setText(*version);
        Timer->Start();
    }
    exec();
    Timer->Stop();
    FService.reset();
}

void TDeviceServiceDlg::done(int Result) {
    // A window that is gone must not keep asking the device.
    Timer->Stop();
    QDialog::done(Result);
}

void TDeviceServiceDlg::TimerTimer() {
    // A failed read is not reported: the last time shown stays.
    if (FService)
        if (const auto text = FService->ReadTime())
            MachineTimeLb->setText(*text);
}

bool TDeviceServiceDlg::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == MachineTimeLb && Event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(Event)->button() == Qt::LeftButton) {
        MachineTimeLbClick();
        return true;
    }
    return QDialog::eventFilter(Watched, Event);
}

void TDeviceServiceDlg::MachineTimeLbClick() {
    // Setting the time is offered while the time is being shown, that is while the device answers.
    if (!FService || !Timer->Running() || FClickQueued)
        return;
    // A click that lands while a read waits for its answer would have its write refused; it comes
    // back once the read is over.
    if (Timer->InTick() || FService->LineBusy()) {
        FClickQueued = true;
        QTimer::singleShot(kClickRetryMs, this, [this] {
            FClickQueued = false;
            MachineTimeLbClick();
        });
        return;
    }
    Timer->Stop();
    const TDeviceServiceLanguage& t = DeviceServiceLanguage().Texts(CurrentLanguage());
    QInputDialog box(this);
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(t.InputMachineTime);
    box.setLabelText(t.MachineTime + QLatin1Char(':'));
    box.setTextValue(MachineTimeLb->text());
    FitToTitle(&box);
    // The box sizes itself from its layout, whatever minimum it is given; the field carries the
    // width the title needs.
    if (auto* edit = box.findChild<QLineEdit*>())
        edit->setMinimumWidth(box.minimumWidth() - 2 * box.style()->pixelMetric(QStyle::PM_LayoutLeftMargin) -
                              8);
    const bool ok = box.exec() == QDialog::Accepted;
    const QString answer = box.textValue();
    // Cancel leaves the device's clock alone.
    if (ok && FService) {
        if (const auto seconds = ParseMachineTime(answer))
            FService->WriteTime(*seconds);
        else
            QMessageBox::warning(this, windowTitle(), t.MsgTimeTooLarge.arg(MaxMachineTimeText()));
    }
    if (FService && isVisible())
        Timer->Start();
}
