#include "views/ConfigTransfer.h"

#include "localization/ConfigTransferLanguage.h"
#include "model/DeviceRegister.h"
#include "model/ZUVOModule.h"

#include <QFile>
#include <QSaveFile>

bool SaveConfigFile(const QString& Path, const TConfigDocument& Document, QString& Error) {
    QSaveFile file(Path);
    if (!file.open(QIODevice::WriteOnly)) {
        Error = file.errorString();
        return false;
    }
    const QByteArray json = Document.ToJson();
    if (file.write(json) != json.size() || !file.commit()) {
        Error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

std::optional<TConfigDocument> LoadConfigFile(const QString& Path, QString& Error, QStringList& Warnings) {
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly)) {
        Error = file.errorString();
        return std::nullopt;
    }
    return TConfigDocument::FromJson(file.readAll(), Error, Warnings);
}

QString DeviceTitle(const TDeviceProps& Device, const TConfigTransferLanguage& Texts) {
    return Texts.DeviceAt.arg(Device.ModelName).arg(Device.Address);
}

QString ConfigFileName(const TDeviceProps& Device) {
    QString model = Device.ModelName;
    // A model name is a file name on every system the program runs on, save for a separator.
    model.replace(QLatin1Char('/'), QLatin1Char('-'));
    return QStringLiteral("%1-%2.json").arg(model).arg(Device.SerialNumber);
}

TRestoreReportText RestoreReportText(const TRestoreReport& Report, bool FlashAsked,
                                     const TConfigTransferLanguage& t) {
    TRestoreReportText text;
    const int total = int(Report.Changes.size());
    if (Report.Ok) {
        if (total == 0) {
            text.Summary << t.Equal;
            return text;
        }
        text.Summary << t.ReportDone.arg(Report.Written)
                     << (Report.Flashed ? t.ReportFlashed : t.ReportNotFlashed);
        for (const TConfigChange& c : Report.Changes)
            text.Changes << c.Line();
        return text;
    }
    text.Summary << t.ReportFailed.arg(Report.Error) << t.ReportWrittenOf.arg(Report.Written).arg(total);
    // With every change written it was the flash save itself that failed.
    if (FlashAsked && Report.Written < total)
        text.Summary << t.ReportFlashRefused;
    else if (FlashAsked || Report.Written > 0)
        text.Summary << t.ReportNotFlashed;
    for (int i = 0; i < total; ++i) {
        const QString line = Report.Changes[size_t(i)].Line();
        if (i < Report.Written)
            text.Changes << line;
        else if (i == Report.Written && line == Report.FailedChange)
            text.Changes << t.ReportFailedLine.arg(line);
        else
            text.Changes << t.ReportNotWritten.arg(line);
    }
    return text;
}

QString TGroupAdjustEntry::Line(bool FlashAsked, const TConfigTransferLanguage& t) const {
    const QString device = DeviceTitle(*Device, t);
    switch (Outcome) {
    case Pending:
        return device;
    case Skipped:
        return t.GroupSkipped.arg(device);
    case NoModel:
        return t.GroupNoModel.arg(device);
    case Done:
        if (Report.Changes.empty())
            return t.GroupDeviceEqual.arg(device);
        return t.GroupDeviceDone.arg(device).arg(Report.Written) +
               (Report.Flashed ? t.GroupFlashed : t.GroupNotFlashed);
    case Failed:
        break;
    }
    // Stopped before the comparison: the device did not answer, or is not what the list says.
    if (Report.Changes.empty())
        return t.GroupDeviceNotRead.arg(device, Report.Error);
    return t.GroupDeviceFailed.arg(device).arg(Report.Written).arg(Report.Changes.size()).arg(Report.Error) +
           (FlashAsked || Report.Written > 0 ? t.GroupNotFlashed : QString());
}

std::vector<TGroupAdjustEntry> PlanGroupAdjust(const std::vector<TDeviceProps*>& Devices,
                                               const TConfigDocument& Document) {
    std::vector<TGroupAdjustEntry> plan;
    for (const bool ofType : {true, false})
        for (TDeviceProps* d : Devices)
            if (d && (quint16(d->TypeCode) == Document.TypeCode) == ofType) {
                TGroupAdjustEntry entry;
                entry.Device = d;
                entry.Outcome = ofType ? TGroupAdjustEntry::Pending : TGroupAdjustEntry::Skipped;
                plan.push_back(entry);
            }
    return plan;
}

void RunGroupAdjust(std::vector<TGroupAdjustEntry>& Plan, const TConfigDocument& Document, bool Flash,
                    const std::function<TZUVOModule*(TDeviceProps&)>& ModuleFor,
                    const std::function<void(const TDeviceProps&, int, int)>& Progress) {
    for (TGroupAdjustEntry& entry : Plan) {
        if (entry.Outcome != TGroupAdjustEntry::Pending)
            continue;
        TZUVOModule* module = ModuleFor(*entry.Device);
        if (!module) {
            entry.Outcome = TGroupAdjustEntry::NoModel;
            continue;
        }
        TConfigEngine engine(*module);
        if (Progress)
            engine.OnProgress = [&](int Done, int Total, const QString&) {
                Progress(*entry.Device, Done, Total);
            };
        TRestoreOptions options;
        options.Flash = Flash;
        entry.Report = engine.Restore(Document, options);
        entry.Outcome = entry.Report.Ok ? TGroupAdjustEntry::Done : TGroupAdjustEntry::Failed;
    }
}
