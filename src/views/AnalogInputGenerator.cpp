#include "views/AnalogInputGenerator.h"

TAnalogInputGeneratorHook& AnalogInputGenerator() {
    static TAnalogInputGeneratorHook hook;
    return hook;
}

TAnalogOutputTesterHook& AnalogOutputTester() {
    static TAnalogOutputTesterHook hook;
    return hook;
}

TDiscreteInputContactHook& DiscreteInputContact() {
    static TDiscreteInputContactHook hook;
    return hook;
}
