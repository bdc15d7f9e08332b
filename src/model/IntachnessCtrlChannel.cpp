#include "model/IntachnessCtrlChannel.h"

#include "model/ZUVOModule.h"
#include "protocol/NerixModule.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

bool ValidParameter(int Index) {
    return Index >= 0 && Index < TIntachnessCtrlChannel::kParameterCount;
}

} // namespace

TIntachnessCtrlChannel::TIntachnessCtrlChannel(TZUVOModule* Module, quint8 ObjectNumber) : FModule(Module) {
    Accessor.Module = &Module->NerixModule();
    Accessor.ObjectNumber = ObjectNumber;
    // Safe values travel through the value text: keep every digit of a single.
    Accessor.Fotmat = QStringLiteral("#0.") + QString(60, QLatin1Char('#'));
}

qint32 TIntachnessCtrlChannel::ReadInteger(quint16 Property) {
    FModule->Ok = false;
    if (!Accessor.ReadPropertyAs(Property, dtInteger))
        return 0;
    const auto v = Accessor.GetAsInteger();
    if (!v)
        return 0;
    FModule->Ok = true;
    return *v;
}

bool TIntachnessCtrlChannel::WriteInteger(quint16 Property, qint32 Value) {
    FModule->Ok = Accessor.WritePropertyInteger(Property, Value);
    if (FModule->Ok)
        FModule->Modified = true;
    return FModule->Ok;
}

quint32 TIntachnessCtrlChannel::ReadTimeout() {
    return quint32(ReadInteger(icTimeout));
}

bool TIntachnessCtrlChannel::WriteTimeout(quint32 Value) {
    FModule->Ok = false;
    Accessor.ChannelDirection = cdOutput;
    Accessor.PropertyNumber = icTimeout;
    Accessor.SetAsCardinal(Value);
    Accessor.Transfer();
    FModule->Ok = Accessor.LastOk;
    if (FModule->Ok)
        FModule->Modified = true;
    return FModule->Ok;
}

bool TIntachnessCtrlChannel::ReadResetCondition() {
    return ReadInteger(icResetCondition) != 0;
}

bool TIntachnessCtrlChannel::WriteResetCondition(bool Value) {
    return WriteInteger(icResetCondition, Value ? 1 : 0);
}

qint32 TIntachnessCtrlChannel::ReadParameterInteger(int Index) {
    FModule->Ok = false;
    return ValidParameter(Index) ? ReadInteger(quint16(icParameter0 + Index)) : 0;
}

bool TIntachnessCtrlChannel::WriteParameterInteger(int Index, qint32 Value) {
    FModule->Ok = false;
    return ValidParameter(Index) && WriteInteger(quint16(icParameter0 + Index), Value);
}

float TIntachnessCtrlChannel::ReadParameterFloat(int Index) {
    FModule->Ok = false;
    if (!ValidParameter(Index) || !Accessor.ReadPropertyAs(quint16(icParameter0 + Index), dtSingle))
        return 0;
    FModule->Ok = true;
    return Accessor.GetAsFloat();
}

bool TIntachnessCtrlChannel::WriteParameterFloat(int Index, float Value) {
    FModule->Ok = false;
    if (!ValidParameter(Index) || !std::isfinite(Value))
        return false;
    FModule->Ok = Accessor.WritePropertyFloat(quint16(icParameter0 + Index), Value);
    if (FModule->Ok)
        FModule->Modified = true;
    return FModule->Ok;
}

float TAOIntachnessCtrlChannel::ReadSafeValue(int Output) {
    if (!WriteParameterInteger(0, Output))
        return 0;
    return ReadParameterFloat(1);
}

bool TAOIntachnessCtrlChannel::WriteSafeValue(int Output, float Value) {
    return WriteParameterInteger(0, Output) && WriteParameterFloat(1, Value);
}

namespace {

QString Single(float Value) {
    return QLocale::c().toString(double(Value), 'g', 7);
}

// "0x05 (outputs 1, 3)": a mask with bit i for output i + 1.
QString MaskText(quint32 Mask) {
    QStringList outputs;
    for (int i = 0; i < 32; ++i)
        if (Mask & (1u << i))
            outputs << QString::number(i + 1);
    return QStringLiteral("0x%1 (%2)")
        .arg(Mask, 2, 16, QLatin1Char('0'))
        .arg(outputs.isEmpty() ? QStringLiteral("none")
                               : QStringLiteral("outputs ") + outputs.join(QStringLiteral(", ")));
}

} // namespace

bool TIntachnessCtrlChannel::Lists(int Step) const {
    const std::vector<int> steps = SettingSteps();
    return std::find(steps.begin(), steps.end(), Step) != steps.end();
}

QString TIntachnessCtrlChannel::StepName(int Step) const {
    switch (Step) {
    case icsTimeout:
        return QStringLiteral("timeout");
    case icsResetCondition:
        return QStringLiteral("resetCondition");
    case icsSafeValues:
        return QStringLiteral("safeValues");
    default:
        if (Step >= icsParameter0 && Step < icsParameter0 + kParameterCount)
            return ParameterName(Step - icsParameter0);
        return QStringLiteral("step%1").arg(Step);
    }
}

QString TIntachnessCtrlChannel::StepMeaning(int Step) const {
    switch (Step) {
    case icsTimeout:
        return QStringLiteral("%1 ms").arg(Timeout);
    case icsResetCondition:
        return ResetCondition ? QStringLiteral("an exchange with this module")
                              : QStringLiteral("any exchange on the bus");
    case icsSafeValues: {
        QStringList values;
        for (float v : SafeValues)
            values << Single(v);
        return values.isEmpty() ? QStringLiteral("none") : values.join(QStringLiteral("; "));
    }
    default:
        break;
    }
    const int index = Step - icsParameter0;
    if (index < 0 || index >= kParameterCount)
        return {};
    return FloatParameter(index) ? Single(FloatParameters[size_t(index)])
                                 : MaskText(quint32(IntegerParameters[size_t(index)]));
}

bool TIntachnessCtrlChannel::ReadSettings(int Step, QString& ErrorText) {
    ErrorText.clear();
    FModule->Ok = false;
    const int index = Step - icsParameter0;
    if (!Lists(Step) || Step == icsSafeValues)
        return false;
    // Every read goes to a local first: a failed read leaves the field as the last good one.
    if (Step == icsTimeout) {
        const quint32 v = ReadTimeout();
        if (FModule->Ok)
            Timeout = v;
    } else if (Step == icsResetCondition) {
        const bool v = ReadResetCondition();
        if (FModule->Ok)
            ResetCondition = v;
    } else if (FloatParameter(index)) {
        const float v = ReadParameterFloat(index);
        if (FModule->Ok)
            FloatParameters[size_t(index)] = v;
    } else {
        const qint32 v = ReadParameterInteger(index);
        if (FModule->Ok)
            IntegerParameters[size_t(index)] = v;
    }
    if (!FModule->Ok)
        ErrorText = QStringLiteral("the health controller did not give its %1").arg(StepName(Step));
    return FModule->Ok;
}

bool TIntachnessCtrlChannel::WriteSettings(int Step, QString& ErrorText) {
    ErrorText.clear();
    FModule->Ok = false;
    const int index = Step - icsParameter0;
    if (!Lists(Step) || Step == icsSafeValues)
        return false;
    if (Step == icsTimeout)
        WriteTimeout(Timeout);
    else if (Step == icsResetCondition)
        WriteResetCondition(ResetCondition);
    else if (FloatParameter(index))
        WriteParameterFloat(index, FloatParameters[size_t(index)]);
    else
        WriteParameterInteger(index, IntegerParameters[size_t(index)]);
    if (!FModule->Ok)
        ErrorText = QStringLiteral("the health controller did not take its %1").arg(StepName(Step));
    return FModule->Ok;
}

QString TDOFIntachnessCtrlChannel::ParameterName(int Index) const {
    switch (Index) {
    case 0:
        return QStringLiteral("safeStates");
    case 1:
        return QStringLiteral("safeFrequency1");
    case 2:
        return QStringLiteral("safeFrequency2");
    default:
        return QStringLiteral("controlledOutputs");
    }
}

QString TP340IntachnessCtrlChannel::ParameterName(int Index) const {
    switch (Index) {
    case 0:
        return QStringLiteral("safeStates");
    case 1:
        return QStringLiteral("safeAnalogValue1");
    case 2:
        return QStringLiteral("safeAnalogValue2");
    default:
        return TIntachnessCtrlChannel::ParameterName(Index);
    }
}

QString TAOIntachnessCtrlChannel::ParameterName(int Index) const {
    return Index == 2 ? QStringLiteral("controlledOutputs") : TIntachnessCtrlChannel::ParameterName(Index);
}

bool TAOIntachnessCtrlChannel::ReadSettings(int Step, QString& ErrorText) {
    if (Step != icsSafeValues)
        return TIntachnessCtrlChannel::ReadSettings(Step, ErrorText);
    ErrorText.clear();
    // The selector writes only point at an output: reading changes nothing of the device.
    const bool modified = Module()->Modified;
    std::vector<float> values;
    for (int i = 0; i < Module()->AnalogOutputCount(); ++i) {
        const float v = ReadSafeValue(i);
        Module()->Modified = modified;
        if (!Module()->Ok) {
            ErrorText =
                QStringLiteral("the health controller did not give the safe value of output %1").arg(i + 1);
            return false;
        }
        values.push_back(v);
    }
    SafeValues = std::move(values);
    Module()->Ok = true;
    return true;
}

bool TAOIntachnessCtrlChannel::WriteSettings(int Step, QString& ErrorText) {
    if (Step != icsSafeValues)
        return TIntachnessCtrlChannel::WriteSettings(Step, ErrorText);
    ErrorText.clear();
    Module()->Ok = false;
    // Only values a read gave: a list of another length is no picture of this module's outputs.
    if (int(SafeValues.size()) != Module()->AnalogOutputCount()) {
        ErrorText = QStringLiteral("the safe values were not read");
        return false;
    }
    for (int i = 0; i < int(SafeValues.size()); ++i)
        if (!WriteSafeValue(i, SafeValues[size_t(i)])) {
            ErrorText =
                QStringLiteral("the health controller did not take the safe value of output %1").arg(i + 1);
            return false;
        }
    return true;
}

QString TICMIOVIXPro::ParameterName(int Index) const {
    switch (Index) {
    case 0:
        return QStringLiteral("safeStates");
    case 1:
        return QStringLiteral("safeAnalogValue");
    default:
        return QStringLiteral("controlledOutputs");
    }
}
