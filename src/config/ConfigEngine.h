#pragma once

#include "config/ConfigDocument.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TZUVOModule;

// One difference between a configuration document and a device: "channel 2 range: 4-20 mA -> 0-10 V".
struct TConfigChange {
    QString Channel; // "channel 2", "discrete output 1", "bus parameters"
    QString Setting; // the setting's name as the document holds it
    QString From;    // the device's value text
    QString To;      // the document's value text
    QString Line() const;
};

struct TRestoreOptions {
    bool DryRun = false;        // compare and list, write nothing
    bool Flash = false;         // save to flash at the end, only when every write verified
    bool WithBusParams = false; // write the bus parameters too, last of all
};

// What a comparison or a restore found and did. The changes are in the order they are (or would be)
// written; the first Written of them went to the device and read back as the document has them.
struct TRestoreReport {
    bool Ok = false;      // every change written and verified (a dry run: the comparison ran)
    QString Error;        // why the comparison or the restore stopped; empty when it did not
    QString FailedChange; // the line of the change that failed, when one did
    std::vector<TConfigChange> Changes;
    // Settings that differ but are never written: read-only values and the maker's calibration.
    std::vector<TConfigChange> Informational;
    int Written = 0;
    bool Flashed = false;
    bool BusParamsWritten = false;
    QStringList Warnings; // document parts that do not fit the device, skipped

    bool Equal() const { return Changes.empty(); }
};

// Backs a device's configuration up into a document and puts a document on a device, through the
// device's own model: every channel object of the model that the device's channel mask lists, and
// for each of them every step of its class's full settings read, recorded as the property transfers
// the step makes. A restore feeds the document's transfers back into the same read step so that
// the channel's fields take the document's values, writes them with the class's write step, and
// reads the step again to check. A step whose write opens the object's unlock code (the range list
// with its coefficients, the accuracy class) is the maker's calibration of that very device: it is
// kept as information and never written; so are steps the class reads but does not write.
//
// The module must be the class of the device's type, with its access point and address set. Every
// call is synchronous on the caller's thread and keeps the window alive as every transfer does.
class TConfigEngine {
public:
    explicit TConfigEngine(TZUVOModule& Module);
    ~TConfigEngine();
    TConfigEngine(const TConfigEngine&) = delete;
    TConfigEngine& operator=(const TConfigEngine&) = delete;

    // Called before each step read: steps done, steps in all, and what is being read.
    std::function<void(int Done, int Total, const QString& What)> OnProgress;

    // The type code the device reports; nothing (with Error) when it does not answer.
    std::optional<quint16> ReadTypeCode(QString& Error);
    // The whole configuration; nothing, with Error, when the device does not answer its identity or a
    // settings step fails (Error names the channel, the setting and the model's text).
    std::optional<TConfigDocument> Backup(QString& Error);
    // What the last backup left out: settings the device did not give.
    const QStringList& Warnings() const { return FWarnings; }
    // "the file is for KVD-AIK-BUS (type 0), the device is KVD-DIO-BUS (type 6)"; empty when the
    // types are the same.
    static QString TypeMismatch(const TConfigDocument& File, quint16 DeviceType);
    // Reads the device and compares it with File; with DryRun false writes what differs, in the
    // order of the class's write steps, checking each by reading it back, and stops at the first
    // change that fails. A document for another type writes nothing and fails.
    TRestoreReport Restore(const TConfigDocument& File, const TRestoreOptions& Options);

private:
    struct TChannelAccess;
    std::vector<TChannelAccess> Channels();
    // Runs one step with the module's transfers recorded into Setting; the model's error text.
    QString Record(TChannelAccess& Channel, int Step, bool Write, TConfigSetting& Setting);
    // Feeds Setting's transfers to the channel's read step: its fields take the document's values.
    QString Replay(TChannelAccess& Channel, const TConfigSetting& Setting);
    // Whether the class's write of Step opens the object's protection: the maker's settings.
    bool Protected(TChannelAccess& Channel, int Step);
    std::optional<quint32> ReadSystem(quint16 Property);
    bool WriteSystem(quint16 Property, quint32 Value);

    TZUVOModule& FModule;
    quint16 FType = 0; // as the device last reported it
    quint32 FChannelMask = 0;
    QStringList FWarnings;
    std::vector<std::pair<QString, int>> FProtectedKnown; // kind and step found protected
    std::vector<std::pair<QString, int>> FOpenKnown;      // kind and step found open
};
