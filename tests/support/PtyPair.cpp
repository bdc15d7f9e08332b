#include "support/PtyPair.h"

#include <pty.h>
#include <termios.h>
#include <unistd.h>

TPtyPair::TPtyPair() {
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (::openpty(&FMaster, &FSlave, name, &raw, nullptr) != 0) {
        FMaster = FSlave = -1;
        return;
    }
    // The slave stays open here as well: with no slave open, the master reads EIO between the
    // program's opens.
    FPath = QString::fromLocal8Bit(name);
}

TPtyPair::~TPtyPair() {
    CloseMaster();
    if (FSlave >= 0)
        ::close(FSlave);
}

void TPtyPair::CloseMaster() {
    if (FMaster >= 0) {
        ::close(FMaster);
        FMaster = -1;
    }
}
