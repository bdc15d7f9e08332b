#pragma once

#include <functional>

class TSimpleChannel;
class TAOChannel;
class TDIChannel;

// The virtual instruments stand in for the world around the emulated devices. The channel windows
// reach them only through these hooks, which the instruments family assigns when the program
// starts; a window calls a hook only while the emulator is on. Unassigned, a window works without
// the instrument.

// The signal generator feeds an emulated analog input while a window measures: started and stopped
// with the measurement (shown and hidden), toggled by a window's generator button, closed with the
// window.
enum TGeneratorAction { gaStart, gaStop, gaToggle, gaClose };
using TAnalogInputGeneratorHook = std::function<void(TGeneratorAction Action, TSimpleChannel& Channel)>;
TAnalogInputGeneratorHook& AnalogInputGenerator();

// The tester shows what a client wrote to an emulated analog output: the output window's tester
// button opens it (or closes it when open), closing the window closes it.
enum TTesterAction { taToggle, taClose };
using TAnalogOutputTesterHook = std::function<void(TTesterAction Action, TAOChannel& Channel)>;
TAnalogOutputTesterHook& AnalogOutputTester();

// The remote contact drives an emulated discrete input: the input window's relay button shows it
// (or hides it when it shows).
enum TContactAction { caToggle };
using TDiscreteInputContactHook = std::function<void(TContactAction Action, TDIChannel& Channel)>;
TDiscreteInputContactHook& DiscreteInputContact();
