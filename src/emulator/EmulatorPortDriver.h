#pragma once

#include "bus/CPDrv.h"

// The emulator's listening port: a TCommPortDriver that also tells its file descriptor, so that the
// emulator hears a request the moment it arrives instead of at the driver's next timer tick.
class TEmulatorPortDriver : public TCommPortDriver {
public:
    // -1 while closed.
    int Handle() const;
};
