#include "model/SensorProperty.h"

#include "model/Helper.h"

#include <cmath>

namespace SensorProperty {

const QString& SettingsFormat() {
    static const QString format = QStringLiteral("#0.") + QString(60, QLatin1Char('#'));
    return format;
}

bool ReadInteger(TNerixChannel& Accessor, quint16 Property, qint32& Value) {
    if (!Accessor.ReadPropertyAs(Property, dtInteger))
        return false;
    const auto v = Accessor.GetAsInteger();
    if (!v)
        return false;
    Value = *v;
    return true;
}

bool ReadFloat(TNerixChannel& Accessor, quint16 Property, float& Value) {
    if (!Accessor.ReadPropertyAs(Property, dtSingle))
        return false;
    const auto v = ParseFloat(Accessor.GetValueText());
    if (!v)
        return false;
    Value = float(*v);
    return true;
}

bool ReadBoolean(TNerixChannel& Accessor, quint16 Property, bool& Value) {
    qint32 v = 0;
    if (!ReadInteger(Accessor, Property, v))
        return false;
    Value = v != 0;
    return true;
}

bool WriteInteger(TNerixChannel& Accessor, quint16 Property, qint32 Value) {
    return Accessor.WritePropertyInteger(Property, Value);
}

bool WriteFloat(TNerixChannel& Accessor, quint16 Property, float Value) {
    if (!std::isfinite(Value))
        return false;
    return Accessor.WritePropertyFloat(Property, Value);
}

bool ReadField(TNerixChannel& Accessor, quint16 Property, bool& Field) {
    return ReadBoolean(Accessor, Property, Field);
}

bool ReadField(TNerixChannel& Accessor, quint16 Property, float& Field) {
    return ReadFloat(Accessor, Property, Field);
}

bool ReadField(TNerixChannel& Accessor, quint16 Property, quint16& Field) {
    qint32 v = 0;
    if (!ReadInteger(Accessor, Property, v))
        return false;
    Field = quint16(v);
    return true;
}

} // namespace SensorProperty
