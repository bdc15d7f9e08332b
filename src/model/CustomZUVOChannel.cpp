#include "model/CustomZUVOChannel.h"

#include "model/Helper.h"
#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <initializer_list>
#include <vector>

namespace {

const QString kReadAccuracyClassText = QStringLiteral("Ошибка при считывании класса точности");
const QString kReadRangeCodeText = QStringLiteral("Ошибка при считывании значения выбранного диапазона");
const QString kReadRangeListText = QStringLiteral("Ошибка при считывании списка диапазонов");
const QString kReadNormalizationText = QStringLiteral("Ошибка при считывании алгоритма пересчета");
const QString kReadCommandText = QStringLiteral("Ошибка при чтении кода комманды");
const QString kReadCommandStatusText = QStringLiteral("Ошибка при чтении статуса выполнения комманды");
const QString kReadChannelText = QStringLiteral("Ошибка при чтении с канала");

const QString kWriteAccuracyClassText = QStringLiteral("Ошибка при установке класса точности.");
const QString kWriteRangeCodeText = QStringLiteral("Ошибка при записи измеряемой величины и диапазона.");
const QString kWriteRangeListText = QStringLiteral("Ошибка при записи списка диапазонов");
const QString kWriteNormalizationText = QStringLiteral("Ошибка при установке разрешения нормализации");
const QString kWriteCommandText = QStringLiteral("Ошибка при записи комманды");

// The range fields travel through the value text; this many decimals keep the coefficients' digits
// on the way (the accessor's own mask would round small ones away).
const QString kRangeFieldFormat = QStringLiteral("0.000000000000000000");

// The selector index carries the range in one byte, and the device counts its ranges in one.
constexpr int kMaxRanges = 255;

qint32 RangeSelector(int Field, int Range) {
    return qint32(Field + 256 * Range);
}

// The steps a selector stands for, in order; nothing for a selector the class does not know.
std::vector<int> StepsOf(int Selector, std::initializer_list<int> Single) {
    if (Selector == ssCommon)
        return {ssAccuracyClass, ssRangeCode, ssRangeList, ssNormalization};
    for (int step : Single)
        if (step == Selector)
            return {step};
    return {};
}

std::vector<int> ReadStepsOf(int Selector) {
    return StepsOf(Selector, {ssAccuracyClass, ssRangeCode, ssRangeList, ssNormalization, ssCommand, ssCommandStatus});
}

std::vector<int> WriteStepsOf(int Selector) {
    return StepsOf(Selector, {ssAccuracyClass, ssRangeCode, ssRangeList, ssRangeListWithScale, ssNormalization, ssCommand});
}

} // namespace

TCustomZUVOChannel::TCustomZUVOChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index)
    : Index(Index), FModule(Module) {
    Accessor.Module = &Module->NerixModule();
    Accessor.ObjectNumber = ObjectNumber;
}

TCustomZUVOChannel::~TCustomZUVOChannel() = default;

std::optional<qint32> TCustomZUVOChannel::ReadInteger(quint16 Property, const QString& StepText,
                                                      QString& ErrorText) {
    if (!Accessor.ReadPropertyAs(Property, dtInteger)) {
        ErrorText = StepText;
        return std::nullopt;
    }
    const auto value = Accessor.GetAsInteger();
    if (!value)
        ErrorText = kReadChannelText;
    return value;
}

std::optional<float> TCustomZUVOChannel::ReadFloat(quint16 Property, const QString& StepText,
                                                   QString& ErrorText) {
    if (!Accessor.ReadPropertyAs(Property, dtSingle)) {
        ErrorText = StepText;
        return std::nullopt;
    }
    const auto value = ParseFloat(Accessor.GetValueText());
    if (!value) {
        ErrorText = kReadChannelText;
        return std::nullopt;
    }
    return float(*value);
}

QString TCustomZUVOChannel::ReadRangeList() {
    Accessor.Fotmat = kRangeFieldFormat;
    QString error;
    const auto count = ReadInteger(apRangeCount, kReadRangeListText, error);
    if (!count)
        return error;
    RangeCount = quint8(*count);
    Ranges.Clear();
    for (int i = 0; i < RangeCount; ++i) {
        TRangeRec rec;
        for (int field = 0; field < kShortRangeFieldCount; ++field) {
            if (!Accessor.WritePropertyInteger(apRangeSelector, RangeSelector(field, i)))
                return kReadRangeListText;
            std::optional<double> v;
            if (RangeFieldIsFloat(field))
                v = ReadFloat(apRangeField, kReadRangeListText, error);
            else
                v = ReadInteger(apRangeField, kReadRangeListText, error);
            if (!v)
                return error;
            SetRangeFieldValue(rec, field, *v);
        }
        // Only whole records join the list; the ones read before a failure stay.
        Ranges.AddCopy(&rec);
    }
    return {};
}

QString TCustomZUVOChannel::ReadStep(int Selector) {
    QString error;
    switch (Selector) {
    case ssAccuracyClass:
        if (const auto v = ReadInteger(apAccuracyClass, kReadAccuracyClassText, error))
            AccuracyClass = quint8(*v);
        return error;
    case ssRangeCode:
        if (const auto v = ReadInteger(apRangeCode, kReadRangeCodeText, error))
            RangeCode = quint16(*v);
        return error;
    case ssRangeList:
        return ReadRangeList();
    case ssNormalization: {
        const auto v = ReadInteger(apNormalization, kReadNormalizationText, error);
        Normalization = v && *v != 0;
        return error;
    }
    case ssCommand:
        if (const auto v = ReadInteger(apCommand, kReadCommandText, error))
            Command = quint8(*v);
        return error;
    case ssCommandStatus:
        if (const auto v = ReadInteger(apCommandStatus, kReadCommandStatusText, error))
            CommandStatus = quint8(*v);
        return error;
    default:
        return {};
    }
}

bool TCustomZUVOChannel::ReadSettings(int Selector, QString& ErrorText) {
    ErrorText.clear();
    FModule->Ok = false;
    for (int step : ReadStepsOf(Selector)) {
        Accessor.ChannelDirection = cdInput;
        const QString error = ReadStep(step);
        if (!error.isEmpty()) {
            // A later step's failure must not hide behind an earlier step's success.
            FModule->Ok = false;
            ErrorText = error;
            return false;
        }
        FModule->Ok = true;
    }
    return FModule->Ok;
}

bool TCustomZUVOChannel::SetUnlock(bool On) {
    return Accessor.WritePropertyInteger(apUnlock, On ? qint32(kUnlockCode) : 0);
}

template <class Writes> bool TCustomZUVOChannel::Unlocked(Writes writes) {
    const bool done = SetUnlock(true) && writes();
    // Locked again even when the unlock itself seemed to fail: the code may have arrived and only
    // the answer got lost.
    const bool locked = SetUnlock(false);
    return done && locked;
}

QString TCustomZUVOChannel::WriteRangeList(int FieldCount) {
    // A longer list cannot be addressed: its indexes would spill out of the selector's range byte
    // and overwrite the device's first ranges.
    if (Ranges.Count() > kMaxRanges)
        return kWriteRangeListText;
    Accessor.Fotmat = kRangeFieldFormat;
    const bool ok = Unlocked([&] {
        if (!Accessor.WritePropertyInteger(apRangeCount, Ranges.Count()))
            return false;
        for (int b = 0; b < Ranges.Count(); ++b) {
            const TRangeRec& rec = *Ranges.Items(b);
            for (int field = 0; field < FieldCount; ++field) {
                if (!Accessor.WritePropertyInteger(apRangeSelector, RangeSelector(field, b)))
                    return false;
                const double value = RangeFieldValue(rec, field);
                const bool written = RangeFieldIsFloat(field)
                                         ? Accessor.WritePropertyFloat(apRangeField, float(value))
                                         : Accessor.WritePropertyInteger(apRangeField, qint32(value));
                if (!written)
                    return false;
            }
        }
        return true;
    });
    return ok ? QString() : kWriteRangeListText;
}

QString TCustomZUVOChannel::WriteStep(int Selector) {
    switch (Selector) {
    case ssAccuracyClass: {
        const bool ok =
            Unlocked([this] { return Accessor.WritePropertyInteger(apAccuracyClass, AccuracyClass); });
        return ok ? QString() : kWriteAccuracyClassText;
    }
    case ssRangeCode:
        return Accessor.WritePropertyInteger(apRangeCode, RangeCode) ? QString() : kWriteRangeCodeText;
    case ssRangeList:
        return WriteRangeList(kShortRangeFieldCount);
    case ssRangeListWithScale:
        return WriteRangeList(kRangeFieldCount);
    case ssNormalization:
        return Accessor.WritePropertyInteger(apNormalization, Normalization ? 1 : 0)
                   ? QString()
                   : kWriteNormalizationText;
    case ssCommand:
        return Accessor.WritePropertyInteger(apCommand, Command) ? QString() : kWriteCommandText;
    default:
        return {};
    }
}

bool TCustomZUVOChannel::WriteSettings(int Selector, QString& ErrorText) {
    ErrorText.clear();
    FModule->Modified = true;
    FModule->Ok = false;
    Accessor.ChannelDirection = cdOutput;
    for (int step : WriteStepsOf(Selector)) {
        const QString error = WriteStep(step);
        if (!error.isEmpty()) {
            FModule->Ok = false;
            ErrorText = error;
            return false;
        }
        FModule->Ok = true;
    }
    return FModule->Ok;
}

QString TCustomZUVOChannel::DisplayFormat() const {
    return Normalization ? RangeFormat(RangeCode) : QStringLiteral("0.00");
}
