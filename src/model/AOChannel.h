#pragma once

#include "model/CustomZUVOChannel.h"

#include <QString>
#include <QtGlobal>
#include <vector>

class TZUVOModule;

// Properties of an analog output object besides the common ones of every analog channel.
enum TAOProperty : quint16 {
    aoValue = 0, // the output value (float)
};

// An analog output: the common analog settings and the output value.
//
// Selectors: reading 1 accuracy class, 2 selected range, 3 range list, 14 = 1, 2, 3; writing also 4
// (range list with the user scale). Every failure gives its text (in the language the application
// chose) and leaves the module's Ok False; success leaves the text empty and Ok True.
//
// The device's range list of an output keeps field 1 for itself: a read skips it (Attribute stays
// 0) and a four-field write sends the selector value in its place, as the devices expect.
class TAOChannel : public TCustomZUVOChannel {
public:
    TAOChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index);

    float OutputValue = 0; // the last value written or read

    // The value read (also in OutputValue), or -1 when the read failed (OutputValue stays).
    float ReadOutput();
    // OutputValue follows a successful write.
    bool WriteOutput(float Value);
    // The range's format, whether the device normalizes or not: an output is always set in the
    // range's units.
    QString DisplayFormat() const override;

protected:
    QString ReadStep(int Selector) override;
    QString WriteStep(int Selector) override;
    std::vector<int> ReadSteps(int Selector) const override;
    std::vector<int> WriteSteps(int Selector) const override;

private:
    QString WriteOutputRanges();
};
