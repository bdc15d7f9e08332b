#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>
#include <vector>

// One property transfer that a settings step made: read or written, of which property of which
// object, with the 32 bits that travelled (Float: the step takes them as a single).
struct TConfigTransfer {
    bool Write = false;
    bool Float = false;
    quint8 Object = 0;
    quint16 Property = 0;
    quint32 Value = 0;
    bool operator==(const TConfigTransfer&) const = default;
};

// One setting of a channel as a read step of its class found it: the step's name and number, the
// transfers the step made, and what the values mean where the model can say it. Writable false: the
// class reads the setting but a configuration never writes it (status, measurements, the maker's
// calibration).
struct TConfigSetting {
    QString Name;
    int Step = 0;
    bool Writable = false;
    std::vector<TConfigTransfer> Transfers;
    QString Meaning;

    // The values the step read, in order: what two settings are compared by.
    std::vector<quint32> ReadValues() const;
    // The meaning, else the values read (singles as numbers).
    QString ValueText() const;
};

// One channel object of the device: its kind ("analogInput", "analogOutput", "discreteInput",
// "discreteOutput"), its number among the module's channels of that kind (from 1) and its object.
struct TConfigChannel {
    QString Kind;
    int Number = 0;
    quint8 Object = 0;
    std::vector<TConfigSetting> Settings;

    const TConfigSetting* Find(const QString& Name) const;
    // "channel 2" for an analog input (as the settings command counts them), "discrete output 3" …
    QString Title() const;
};

// The device's bus parameters: the bus settings word (system property 3), the answer time-out
// (101) and the byte order (160); the last two only when the device has them.
struct TConfigBusParams {
    std::optional<quint32> BusSettingsWord;
    std::optional<quint32> AnswerTimeout;
    std::optional<quint32> ByteOrder;
};

// A device's whole configuration as it is stored in a file.
struct TConfigDocument {
    static constexpr int kVersion = 1;
    static const QString kFormat; // "dovuvavarovod-configuration"

    int Version = kVersion;
    QString Model;
    quint16 TypeCode = 0;
    // For information only: nothing of them is ever written to a device.
    quint32 SerialNumber = 0;
    std::optional<quint32> FirmwareWord;
    QString FirmwareVersion;
    TConfigBusParams BusParams;
    std::vector<TConfigChannel> Channels;

    const TConfigChannel* Find(const QString& Kind, int Number) const;

    // Indented JSON, one document per file.
    QByteArray ToJson() const;
    // Nothing, with Error, for text that is no document of this format or of a later version.
    // Fields this version does not know are ignored with a line in Warnings; fields left out leave
    // their part empty (a setting the file does not hold is not touched by a restore).
    static std::optional<TConfigDocument> FromJson(const QByteArray& Json, QString& Error,
                                                   QStringList& Warnings);
};

// "filterCutoff" → "filter cutoff": how a setting's name is shown in a line of text.
QString SettingTitle(const QString& Name);
