#pragma once

#include "model/ZUVOChannel.h"

#include <QString>
#include <QtGlobal>
#include <vector>

class TZUVOModule;

// Properties of a discrete input object.
enum TDIProperty : quint16 {
    diState = 0,
    diLineBreakLevel = 2,  // float
    diLogicOneLevel = 3,   // float
    diSeparationLevel = 5, // float, read
    diTemperature = 6,     // float, read
    diUnlock = 7,          // unlock slot of the hardware range
    diLineBreakCheck = 8,  // 0 / 1
    diHardwareRange = 9,   // protected
    diResponseTime = 10,
    diLevel = 11, // the switching threshold as float, the capture value as integer
    diPhysicalChannel = 12,
};

// ReadSettings / WriteSettings selectors of a discrete input.
enum TDISelector : int {
    disHardwareRange = 0,
    disLogicOneLevel = 1,
    disLineBreakLevel = 2,
    disLineBreakCheck = 3,
    disTemperature = 4,     // read only
    disSeparationLevel = 6, // read only
    disResponseTime = 7,
    disThreshold = 8,
    disPhysicalChannel = 9,
    disCaptureLevel = 10,
    disAll = 11, // reading 0, 7, 8, 10, 1, 2, 3, 4, 9, 6; writing 0, 7, 8, 10, 1, 2, 3, 9
};

// One discrete input of a module with its level settings and its state.
//
// Every settings transfer clears the module's Ok, sets it after each successful step and ends at
// the first failing one with that step's text (in the language the application chose); earlier
// steps stay done. A selector the class does not know transfers nothing and fails without a text.
class TDIChannel {
public:
    TDIChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index);
    TDIChannel(const TDIChannel&) = delete;
    TDIChannel& operator=(const TDIChannel&) = delete;

    TNerixChannel Accessor;
    int Index = 0; // among the module's inputs
    TZUVOModule* Module() const { return FModule; }
    qint32 HardwareRange = 0;
    float LogicOneLevel = 0;
    float LineBreakLevel = 0;
    qint32 LineBreakCheck = 0; // 0 / 1
    float Temperature = 0;
    qint32 State = 0;
    float SeparationLevel = 0;
    qint32 ResponseTime = 0;
    qint32 CaptureLevel = 0;
    float Threshold = 0;
    qint32 PhysicalChannel = 0;

    bool ReadSettings(int Selector, QString& ErrorText);
    // Marks the module Modified.
    bool WriteSettings(int Selector, QString& ErrorText);
    // The steps of disAll, reading (Write false) or writing, in order.
    static std::vector<int> SettingSteps(bool Write);
    // Property 0 into State; State stays when the read fails. The module's Ok tells which.
    bool ReadState();

private:
    QString ReadStep(int Step);
    QString WriteStep(int Step);

    TZUVOModule* FModule;
};
