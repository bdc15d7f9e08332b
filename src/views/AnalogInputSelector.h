#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

class TCustomZUVOChannel;
class TZUVOModule;

// The channel selector for analog inputs (kind 9) of the device properties window: which analog
// input of the template a row of the objects page stands for, and the preparation of that channel
// before its window opens.

// The index of the template's analog input channel (among its analog inputs) that row Row of a
// device of TypeCode stands for; nothing when that row opens nothing.
std::optional<int> AnalogInputIndexFor(quint32 TypeCode, int Row);

// The template's analog input channel Index, or nothing. The analog input family assigns it, since
// only the module classes know where their channels are.
using TAnalogInputChannelLookup = std::function<TCustomZUVOChannel*(TZUVOModule& Template, int Index)>;
void SetAnalogInputChannelLookup(TAnalogInputChannelLookup Lookup);
// Through the lookup; nothing while no lookup is assigned.
TCustomZUVOChannel* AnalogInputChannelOf(TZUVOModule& Template, int Index);

// Readies the channel for its window: reads the selected range (nothing opens when the device does
// not answer), switches normalization on where it is off (nothing opens when that write fails),
// shows values with ten decimals. The window to open: the frequency window for a frequency range,
// the analog input window otherwise; empty when nothing opens.
QString PrepareAnalogInputChannel(TCustomZUVOChannel& Channel);
