#include "support/PtySpeed.h"

// Only the kernel's own termios2 carries arbitrary speeds; it clashes with <termios.h>, hence this
// file of its own.
#include <asm/termbits.h>
#include <sys/ioctl.h>

quint32 PtyLineSpeed(int fd) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return 0;
    return t.c_ospeed;
}
