#include "views/ui/ConfigTransferUi.h"

#include "localization/ConfigTransferLanguage.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"
#include "shell/Dm.h"
#include "views/ConfigTransfer.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const TConfigTransferLanguage& Texts() {
    return ConfigTransferLanguage().Texts(CurrentLanguage());
}

// The folder the last configuration file was chosen in, offered the next time.
QString& LastFolder() {
    static QString folder;
    return folder;
}

QString ModelOf(const TConfigDocument& Document) {
    return Document.Model.isEmpty() ? QString::number(Document.TypeCode) : Document.Model;
}

// Shown while the device is read or written: the steps done, and no way to start anything else
// meanwhile. The work keeps the window's events running as every transfer does.
class TProgress {
public:
    TProgress(QWidget* Parent, const QString& Label) : FDialog(Label, QString(), 0, 0, Parent) {
        FDialog.setWindowTitle(QApplication::applicationDisplayName());
        FDialog.setWindowModality(Qt::ApplicationModal);
        FDialog.setCancelButton(nullptr);
        FDialog.setAutoClose(false);
        FDialog.setAutoReset(false);
        FDialog.setMinimumDuration(300);
        FDialog.setMinimumWidth(420);
        FDialog.setValue(0);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~TProgress() {
        QApplication::restoreOverrideCursor();
        FDialog.close();
    }
    void SetLabel(const QString& Label) {
        if (FDialog.labelText() != Label)
            FDialog.setLabelText(Label);
    }
    void Set(int Done, int Total) {
        if (FDialog.maximum() != Total)
            FDialog.setMaximum(Total);
        FDialog.setValue(Done);
    }

private:
    QProgressDialog FDialog;
};

} // namespace

TConfigListDlg::TConfigListDlg(QWidget* Parent, const QString& Title, const QString& Heading,
                               const QStringList& Lines, bool Question, bool OfferFlash)
    : QDialog(Parent) {
    const TConfigTransferLanguage& t = Texts();
    setObjectName(QStringLiteral("ConfigListDlg"));
    setWindowTitle(Title);
    setSizeGripEnabled(true);
    HeadingLabel = new QLabel(Heading, this);
    HeadingLabel->setWordWrap(true);
    List = new QPlainTextEdit(this);
    List->setReadOnly(true);
    List->setLineWrapMode(QPlainTextEdit::NoWrap);
    List->setPlainText(Lines.join(QLatin1Char('\n')));
    auto* buttons = new QDialogButtonBox(this);
    if (Question) {
        WriteBtn = buttons->addButton(t.Write, QDialogButtonBox::AcceptRole);
        CloseBtn = buttons->addButton(t.Cancel, QDialogButtonBox::RejectRole);
        // A write is never started by a stray Enter.
        CloseBtn->setDefault(true);
    } else {
        CloseBtn = buttons->addButton(t.Close, QDialogButtonBox::AcceptRole);
        CloseBtn->setDefault(true);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(HeadingLabel);
    layout->addWidget(List, 1);
    if (Question && OfferFlash) {
        FlashBox = new QCheckBox(t.FlashAfter, this);
        layout->addWidget(FlashBox);
    }
    layout->addWidget(buttons);
    // Wide enough for a change line, "channel 2 range: 4-20 mA -> 0-10 V", to show whole.
    const QFontMetrics metrics(List->font());
    int widest = 0;
    for (const QString& line : Lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    resize(std::clamp(widest + 60, 480, 900),
           std::clamp(int(Lines.size()) * metrics.lineSpacing() + 160, 240, 600));
}

bool TConfigListDlg::Flash() const {
    return FlashBox && FlashBox->isChecked();
}

TConfigTransferUi::TConfigTransferUi(QWidget* Parent) : FParent(Parent) {}

QString TConfigTransferUi::FileName(bool Save, const QString& Suggested) {
    if (OnFileName)
        return OnFileName(Save, Suggested);
    const TConfigTransferLanguage& t = Texts();
    QFileDialog dialog(FParent, Save ? t.SaveConfig : t.LoadConfig, LastFolder(), t.FileFilter);
    dialog.setAcceptMode(Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("json"));
    if (!Suggested.isEmpty())
        dialog.selectFile(Suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    LastFolder() = QFileInfo(path).absolutePath();
    return path;
}

int TConfigTransferUi::Run(QDialog& Dialog) {
    return OnRunDialog ? OnRunDialog(Dialog) : Dialog.exec();
}

void TConfigTransferUi::Message(const QString& Text, bool Failure) {
    if (OnMessage) {
        OnMessage(Text);
        return;
    }
    if (Failure)
        QMessageBox::warning(FParent, QApplication::applicationDisplayName(), Text);
    else
        QMessageBox::information(FParent, QApplication::applicationDisplayName(), Text);
}

bool TConfigTransferUi::SaveConfiguration(TZUVOModule& Module, const TDeviceProps& Device) {
    const TConfigTransferLanguage& t = Texts();
    const QString path = FileName(true, ConfigFileName(Device));
    if (path.isEmpty())
        return false;
    TConfigEngine engine(Module);
    QString error;
    std::optional<TConfigDocument> document;
    {
        TProgress progress(FParent, t.Reading.arg(DeviceTitle(Device, t)));
        engine.OnProgress = [&](int Done, int Total, const QString&) { progress.Set(Done, Total); };
        document = engine.Backup(error);
    }
    if (!document) {
        Message(t.BackupFailed.arg(error), true);
        return false;
    }
    if (!SaveConfigFile(path, *document, error)) {
        Message(t.FileWriteFailed.arg(QDir::toNativeSeparators(path), error), true);
        return false;
    }
    QString text = t.Saved.arg(DeviceTitle(Device, t), QDir::toNativeSeparators(path));
    if (!engine.Warnings().isEmpty())
        text += QStringLiteral("\n\n") + t.SavedLeftOut + QLatin1Char('\n') +
                engine.Warnings().join(QLatin1Char('\n'));
    Message(text, false);
    return true;
}

bool TConfigTransferUi::LoadConfiguration(TZUVOModule& Module, const TDeviceProps& Device) {
    const TConfigTransferLanguage& t = Texts();
    const QString path = FileName(false, {});
    if (path.isEmpty())
        return false;
    QString error;
    QStringList warnings;
    const std::optional<TConfigDocument> document = LoadConfigFile(path, error, warnings);
    if (!document) {
        Message(t.FileReadFailed.arg(QDir::toNativeSeparators(path), error), true);
        return false;
    }
    if (document->TypeCode != quint16(Device.TypeCode)) {
        Message(t.TypeMismatch.arg(ModelOf(*document), Device.ModelName), true);
        return false;
    }

    const QString title = DeviceTitle(Device, t);
    TConfigEngine engine(Module);
    TRestoreOptions options;
    options.DryRun = true;
    TRestoreReport compare;
    {
        TProgress progress(FParent, t.Reading.arg(title));
        engine.OnProgress = [&](int Done, int Total, const QString&) { progress.Set(Done, Total); };
        compare = engine.Restore(*document, options);
    }
    if (!compare.Ok) {
        Message(t.CompareFailed.arg(compare.Error), true);
        return false;
    }
    warnings += compare.Warnings;
    QStringList lines;
    for (const TConfigChange& c : compare.Changes)
        lines << c.Line();
    if (!compare.Informational.empty()) {
        if (!lines.isEmpty())
            lines << QString();
        lines << t.NotWrittenHeading;
        for (const TConfigChange& c : compare.Informational)
            lines << c.Line();
    }
    if (!warnings.isEmpty()) {
        if (!lines.isEmpty())
            lines << QString();
        lines << t.FileSkipped << warnings;
    }
    if (compare.Equal()) {
        Message(lines.isEmpty() ? t.Equal : t.Equal + QStringLiteral("\n\n") + lines.join(QLatin1Char('\n')),
                false);
        return true;
    }
    TConfigListDlg ask(FParent, title, t.ChangesHeading.arg(compare.Changes.size()), lines, true, !Lite);
    if (Run(ask) != QDialog::Accepted)
        return false;

    options.DryRun = false;
    options.Flash = ask.Flash();
    TRestoreReport report;
    {
        TProgress progress(FParent, t.Writing.arg(title));
        engine.OnProgress = [&](int Done, int Total, const QString&) { progress.Set(Done, Total); };
        report = engine.Restore(*document, options);
    }
    // What is only in the device's working memory is asked about when the window closes.
    if (report.Flashed)
        Module.Modified = false;
    else if (report.Written > 0)
        Module.Modified = true;
    const TRestoreReportText result = RestoreReportText(report, options.Flash, t);
    TConfigListDlg done(FParent, title, result.Summary.join(QLatin1Char('\n')), result.Changes, false, false);
    Run(done);
    return report.Ok;
}

void TConfigTransferUi::GroupAdjust(TDm& Dm, const std::vector<TDeviceProps*>& Devices) {
    const TConfigTransferLanguage& t = Texts();
    const QString path = FileName(false, {});
    if (path.isEmpty())
        return;
    QString error;
    QStringList warnings;
    const std::optional<TConfigDocument> document = LoadConfigFile(path, error, warnings);
    if (!document) {
        Message(t.FileReadFailed.arg(QDir::toNativeSeparators(path), error), true);
        return;
    }
    std::vector<TGroupAdjustEntry> plan = PlanGroupAdjust(Devices, *document);
    QStringList targets, skipped;
    for (const TGroupAdjustEntry& e : plan)
        (e.Outcome == TGroupAdjustEntry::Pending ? targets : skipped) << DeviceTitle(*e.Device, t);
    if (targets.isEmpty()) {
        Message(t.GroupNone.arg(ModelOf(*document)) + QStringLiteral("\n\n") +
                    skipped.join(QLatin1Char('\n')),
                true);
        return;
    }
    QStringList lines;
    lines << t.GroupTargets.arg(targets.size()) << targets;
    if (!skipped.isEmpty())
        lines << QString() << t.GroupSkippedHeading.arg(skipped.size()) << skipped;
    if (!warnings.isEmpty())
        lines << QString() << t.FileSkipped << warnings;
    TConfigListDlg ask(FParent, t.GroupCaption,
                       t.GroupConfirm.arg(ModelOf(*document), QFileInfo(path).fileName()), lines, true,
                       !Lite);
    if (Run(ask) != QDialog::Accepted)
        return;
    const bool flash = ask.Flash();
    {
        TProgress progress(FParent, t.Writing.arg(targets.constFirst()));
        TDeviceProps* const previousDevice = Dm.CurrentDevice;
        TZUVOModule* const previousModule = Dm.CurrentModule;
        // Each device through its family's template, at its own speed, as when it is selected.
        const auto moduleFor = [&Dm](TDeviceProps& Device) {
            Dm.CurrentDevice = &Device;
            Dm.SelectCurrentModule();
            return Dm.CurrentModule;
        };
        RunGroupAdjust(plan, *document, flash, moduleFor,
                       [&](const TDeviceProps& Device, int Done, int Total) {
                           progress.SetLabel(t.Writing.arg(DeviceTitle(Device, t)));
                           progress.Set(Done, Total);
                       });
        Dm.CurrentDevice = previousDevice;
        if (previousDevice)
            Dm.SelectCurrentModule();
        else
            Dm.CurrentModule = previousModule;
    }
    int done = 0;
    QStringList report;
    for (const TGroupAdjustEntry& e : plan) {
        done += e.Outcome == TGroupAdjustEntry::Done;
        report << e.Line(flash, t);
    }
    TConfigListDlg result(FParent, t.GroupCaption, t.GroupReportHeading.arg(done).arg(targets.size()), report,
                          false, false);
    Run(result);
}
