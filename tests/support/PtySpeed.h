#pragma once

#include <QtGlobal>

// The speed in bit/s that the far end of a pseudo-terminal has set on its line; 0 when unknown.
quint32 PtyLineSpeed(int fd);
