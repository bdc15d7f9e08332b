#pragma once

#include <functional>

class TSimpleChannel;

// The signal generator of the virtual instruments feeds an emulated analog input while its window
// measures. The instruments family assigns the hook; the analog input window calls it, only while
// the emulator is on, when measuring starts and stops and when the window closes. Unassigned, the
// window measures without a generator.
enum TGeneratorAction { gaStart, gaStop, gaClose };
using TAnalogInputGeneratorHook = std::function<void(TGeneratorAction Action, TSimpleChannel& Channel)>;
TAnalogInputGeneratorHook& AnalogInputGenerator();
