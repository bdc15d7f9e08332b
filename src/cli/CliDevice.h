#pragma once

#include "cli/CliArgs.h"

#include <QJsonObject>

class TCliIo;
class TAccessPoint;
class TCliLine;
class TNerixModule;

// What read and write share: the object and value options, and the module they talk through.
TCliOption ObjectOption();
TCliOption FloatOption();
TCliOption OrderOption();

// The module at --address on the line, with the protocol and byte order of the command line.
void SetUpModule(TNerixModule& Module, TCliLine& Line, const TCliOptions& Options);
// With Modbus every property needs a register of the device's map; false after telling Io which has
// none, before anything is sent.
bool CheckRegisters(TNerixModule& Module, const TCliOptions& Options, TCliIo& Io);

// "no answer from address 0x05 (5)"
QString NoAnswerText(int Address, const TAccessPoint* AP = nullptr);
// {"address":5,"object":0}: the start of every JSON object about the device's properties.
QJsonObject DeviceJson(const TCliOptions& Options);
