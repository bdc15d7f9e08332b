#include "views/AnalogInputGenerator.h"

TAnalogInputGeneratorHook& AnalogInputGenerator() {
    static TAnalogInputGeneratorHook hook;
    return hook;
}
