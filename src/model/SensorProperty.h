#pragma once

#include "model/ZUVOChannel.h"
#include "model/ZUVOModule.h"

#include <QtGlobal>
#include <type_traits>

// Single property transfers of the special sensor channels through their accessor. The settings
// travel through the accessor's value text, so they are formatted with enough decimals that every
// single comes back bit for bit; a value that is no finite number fails before anything is sent.
// Each returns the transfer's outcome and leaves Value alone on failure.
namespace SensorProperty {

// The value mask the sensor channels give their accessor.
const QString& SettingsFormat();

bool ReadInteger(TNerixChannel& Accessor, quint16 Property, qint32& Value);
bool ReadFloat(TNerixChannel& Accessor, quint16 Property, float& Value);
// A boolean is an integer: read "not zero", sent as 1 or 0.
bool ReadBoolean(TNerixChannel& Accessor, quint16 Property, bool& Value);
bool WriteInteger(TNerixChannel& Accessor, quint16 Property, qint32 Value);
bool WriteFloat(TNerixChannel& Accessor, quint16 Property, float Value);
inline bool WriteBoolean(TNerixChannel& Accessor, quint16 Property, bool Value) {
    return WriteInteger(Accessor, Property, Value ? 1 : 0);
}

// A field read in its own type: booleans and 16-bit settings travel as integers (a 16-bit setting
// takes the low half of what the device answers).
bool ReadField(TNerixChannel& Accessor, quint16 Property, bool& Field);
bool ReadField(TNerixChannel& Accessor, quint16 Property, float& Field);
bool ReadField(TNerixChannel& Accessor, quint16 Property, quint16& Field);

// The single write of one setting: Ok takes the outcome, the field takes the new value only when
// the device took it, and a write that reached the device leaves the module "not saved to flash"
// (only a flash save clears that). A failed write leaves Modified as it was.
template <class T>
bool WriteField(TZUVOModule& Module, TNerixChannel& Accessor, quint16 Property, T& Field, T Value) {
    bool ok = false;
    if constexpr (std::is_same_v<T, float>)
        ok = WriteFloat(Accessor, Property, Value);
    else
        ok = WriteInteger(Accessor, Property, qint32(Value));
    Module.Ok = ok;
    if (ok) {
        Field = Value;
        Module.Modified = true;
    }
    return ok;
}

} // namespace SensorProperty
