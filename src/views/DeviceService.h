#pragma once

#include "model/ZUVOModule.h"

#include <QString>
#include <QtGlobal>
#include <optional>

struct TDeviceProps;

// The firmware version word (system property 100) as text: "20" + year, month, day, "::i", the
// extra number when it is not 0, "." and the build: A = 16, B = 5, C = 21, D = 1, E = 0 gives
// "2016.05.21::i.1".
QString FirmwareVersionText(quint32 Word);

// Machine time in seconds as "days:hh:mm:ss", days in full.
QString MachineTimeText(quint32 Seconds);

// The machine time the user typed, in seconds. Fields are taken from the right while a ":" remains
// (seconds, minutes, hours) and what is left is the days, so "75" is 75 days; a missing field or one
// that is no number counts as 0. Seconds of 60 or more become 0, minutes of 60 or more 59, hours
// above 23 become 23, negative values 0. Nothing when the time does not fit the device's 32 bits.
std::optional<quint32> ParseMachineTime(const QString& Text);
// The largest machine time, as the text above shows it.
QString MaxMachineTimeText();

// The service operations of the device service window on one module's system channel. A request is
// only made while no other exchange of the module's access point is waiting: the access point would
// refuse it, and a refusal is not a device failure.
class TDeviceService {
public:
    explicit TDeviceService(TZUVOModule& Module) : FModule(Module) {}

    // Another exchange on the module's line is waiting for its answer.
    bool LineBusy() const;
    // The firmware version text; nothing when the device did not tell.
    std::optional<QString> ReadVersion();
    // The machine time text; nothing when the line was busy or the device did not answer.
    std::optional<QString> ReadTime();
    // False when the line was busy or the device did not take it.
    bool WriteTime(quint32 Seconds);

private:
    TZUVOModule& FModule;
};

// A module for a device whose model has no template (its family is not part of the program): it
// reaches the device's system object, which every model has, and nothing else.
class TSystemObjectModule : public TZUVOModule {
public:
    QString ClassName() const override { return QStringLiteral("TZUVOModule"); }
};
