#include "emulator/EmulatorPortDriver.h"

#include "platform/SerialLine.h"

int TEmulatorPortDriver::Handle() const {
    return FOpen && FLine ? FLine->NativeHandle() : -1;
}
