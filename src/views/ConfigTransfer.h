#pragma once

#include "config/ConfigEngine.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class TZUVOModule;
struct TConfigTransferLanguage;
struct TDeviceProps;

// A configuration document in a file. The file is written beside its place and put there whole, so
// a failed save never spoils an older file of that name.
bool SaveConfigFile(const QString& Path, const TConfigDocument& Document, QString& Error);
// Nothing, with Error, for a file that cannot be read or holds no configuration this program reads;
// Warnings name what the file holds that this version does not use.
std::optional<TConfigDocument> LoadConfigFile(const QString& Path, QString& Error, QStringList& Warnings);

// "KVD-AIK-BUS at address 3".
QString DeviceTitle(const TDeviceProps& Device, const TConfigTransferLanguage& Texts);
// The name offered for a device's configuration file: "KVD-AIK-BUS-12345.json".
QString ConfigFileName(const TDeviceProps& Device);

// What a restore did, for the person who asked for it: the summary (the count written and the flash
// save, after a failure why it stopped) and the changes, marked after a failure as written, failed
// or not written.
struct TRestoreReportText {
    QStringList Summary;
    QStringList Changes;
};
TRestoreReportText RestoreReportText(const TRestoreReport& Report, bool FlashAsked,
                                     const TConfigTransferLanguage& Texts);

// One device of a group adjustment and what became of it.
struct TGroupAdjustEntry {
    // Pending: of the document's type, not yet written.
    enum TOutcome { Pending, Skipped, NoModel, Done, Failed };
    TDeviceProps* Device = nullptr;
    TOutcome Outcome = Pending;
    TRestoreReport Report;
    // One line of the report at the end.
    QString Line(bool FlashAsked, const TConfigTransferLanguage& Texts) const;
};

// The selected devices split by the document's type: those of it first, pending, the others after,
// skipped; each group in the order given.
std::vector<TGroupAdjustEntry> PlanGroupAdjust(const std::vector<TDeviceProps*>& Devices,
                                               const TConfigDocument& Document);

// Puts Document on every pending entry of the plan, one device after another, through the module
// ModuleFor points at the device (nothing: the program has no model of it), without its bus
// parameters. A device that fails does not stop the next. Progress gets the device and the step the
// engine is at.
void RunGroupAdjust(std::vector<TGroupAdjustEntry>& Plan, const TConfigDocument& Document, bool Flash,
                    const std::function<TZUVOModule*(TDeviceProps&)>& ModuleFor,
                    const std::function<void(const TDeviceProps&, int Done, int Total)>& Progress = {});
