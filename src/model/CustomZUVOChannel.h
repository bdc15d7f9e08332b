#pragma once

#include "model/Ranges.h"
#include "model/ZUVOChannel.h"
#include "protocol/ByteOrder.h"

#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>
#include <vector>

class TZUVOModule;

// Properties that every analog channel object has.
enum TAnalogProperty : quint16 {
    apRangeCode = 1,
    apNormalization = 2,
    apRangeCount = 14,
    apUnlock = 15,
    apAccuracyClass = 16,
    apRangeSelector = 48, // field number in bits 0..7, range index in bits 8..15
    apRangeField = 49,    // the field the selector points at
    apCommand = 51,
    apCommandStatus = 52,
};

// The selectors of ReadSettings and WriteSettings that every analog channel knows; each stands for
// one step, except ssCommon.
enum TSettingsSelector : int {
    ssAccuracyClass = 1,
    ssRangeCode = 2,
    ssRangeList = 3,          // four fields per range
    ssRangeListWithScale = 4, // six fields, with the user scale; the base writes it only
    ssFilterCutoff = 5,       // analog inputs
    ssNormalization = 6,
    ssPolynomial = 7,    // analog inputs
    ssFlags = 8,         // analog inputs
    ssLedLimits = 9,     // analog inputs
    ssResponseTime = 10, // analog inputs
    ssCommand = 12,
    ssCommandStatus = 13, // read only
    ssCommon = 14,        // every setting the class has; the base: 1, 2, 3 and 6 in this order
};

// The base of the analog channels of every family: one numbered object of the device with a local
// copy of its common settings. ReadSettings copies the settings a selector names from the device,
// WriteSettings copies them to it; the dialogs edit the fields in between. Every failure gives its
// own fixed text and leaves the module's Ok False; success leaves the text empty and Ok True.
//
// Selectors: 1 accuracy class, 2 selected range, 3 range list (4 fields per range), 4 range list
// with the user scale (6 fields, write only), 6 normalization, 12 command, 13 command status (read
// only), 14 = 1, 2, 3 and 6 in this order. A selector the class does not know transfers nothing
// and returns false with an empty text. The texts are those of ChannelTexts() (Russian unless the
// application chose a language).
class TCustomZUVOChannel {
public:
    TCustomZUVOChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index);
    virtual ~TCustomZUVOChannel();
    TCustomZUVOChannel(const TCustomZUVOChannel&) = delete;
    TCustomZUVOChannel& operator=(const TCustomZUVOChannel&) = delete;

    TZUVOModule* Module() const { return FModule; }

    // Bound to the module's protocol engine and the channel's object; reused for every property.
    TNerixChannel Accessor;
    // Zero-based among the module's channels of the same kind.
    int Index = 0;
    // The byte order of the measured-value reads; the dialogs switch it to the device's order while
    // they read values.
    TByteOrder ValueOrder = bo3210x10;
    bool Normalization = false; // the device recalculates the value
    TRangeList Ranges;          // the device's ranges of this channel
    quint16 RangeCode = 0;      // the selected range
    quint8 RangeCount = 0;      // as the device last reported it
    quint8 AccuracyClass = 0;
    quint8 Command = 0;
    quint8 CommandStatus = 0;

    // Both return the module's Ok; ErrorText is empty on success.
    virtual bool ReadSettings(int Selector, QString& ErrorText);
    virtual bool WriteSettings(int Selector, QString& ErrorText);
    // The steps of a full read (Write false) or write, in the class's order: what a configuration
    // backup walks, one step at a time, through ReadSettings and WriteSettings.
    std::vector<int> SettingSteps(bool Write) const {
        return Write ? WriteSteps(ssCommon) : ReadSteps(ssCommon);
    }
    // Writes the unlock code (On) or 0 to the channel's unlock slot; the outcome.
    bool SetUnlock(bool On);
    // The mask the channel's values are shown with: the range's format when the device normalizes,
    // otherwise two decimals of the raw value.
    virtual QString DisplayFormat() const;

protected:
    // One step of the selector tables: the step's error text, empty on success. The families build
    // their own selectors from these.
    virtual QString ReadStep(int Selector);
    virtual QString WriteStep(int Selector);
    // The steps a selector stands for, in order; none for a selector the class does not know.
    virtual std::vector<int> ReadSteps(int Selector) const;
    virtual std::vector<int> WriteSteps(int Selector) const;
    // FieldCount is kShortRangeFieldCount (code, attribute, coefficients) or kRangeFieldCount (with
    // the user scale). An output's range attribute is the device's own: it is read but, with
    // KeepAttribute false, not kept.
    QString ReadRangeList(int FieldCount = kShortRangeFieldCount, bool KeepAttribute = true);
    QString WriteRangeList(int FieldCount);
    // As above, with FailText for a failed transfer and SelectorFailText for a refused range
    // selector (property 48).
    QString WriteRangeList(int FieldCount, const QString& FailText, const QString& SelectorFailText);

    // Property as integer; nothing on failure, with ErrorText set to StepText, or to the channel
    // read text when the value is not a number.
    std::optional<qint32> ReadInteger(quint16 Property, const QString& StepText, QString& ErrorText);
    std::optional<float> ReadFloat(quint16 Property, const QString& StepText, QString& ErrorText);

private:
    // Runs the unlocked writes, then locks again whatever happened: a failed write must not leave
    // the protected properties open. The outcome of both.
    template <class Writes> bool Unlocked(Writes writes);

    TZUVOModule* FModule;
};

// What a class reference does for the module classes: creates a channel of a chosen family class.
using TCustomZUVOChannelClass = std::unique_ptr<TCustomZUVOChannel> (*)(TZUVOModule* Module,
                                                                        quint8 ObjectNumber, int Index);
template <class T>
std::unique_ptr<TCustomZUVOChannel> CreateChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index) {
    return std::make_unique<T>(Module, ObjectNumber, Index);
}
