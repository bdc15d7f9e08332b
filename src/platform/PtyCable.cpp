#include "platform/PtyCable.h"

#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

TPtyCable::TPtyCable() {
    for (int i = 0; i < 2; ++i) {
        char name[256] = {};
        termios raw{};
        cfmakeraw(&raw);
        if (::openpty(&FMaster[i], &FSlave[i], name, &raw, nullptr) != 0) {
            FMaster[i] = FSlave[i] = -1;
            return;
        }
        ::fcntl(FMaster[i], F_SETFL, ::fcntl(FMaster[i], F_GETFL) | O_NONBLOCK);
        // The slave stays open here too: with no slave open the master reads EIO whenever the
        // program closes its port.
        FPath[i] = QString::fromLocal8Bit(name);
    }
    for (int i = 0; i < 2; ++i) {
        FNotifier[i] = std::make_unique<QSocketNotifier>(FMaster[i], QSocketNotifier::Read);
        QObject::connect(FNotifier[i].get(), &QSocketNotifier::activated, [this, i] { Relay(i); });
    }
}

TPtyCable::~TPtyCable() {
    for (int i = 0; i < 2; ++i) {
        FNotifier[i].reset();
        if (FMaster[i] >= 0)
            ::close(FMaster[i]);
        if (FSlave[i] >= 0)
            ::close(FSlave[i]);
    }
}

void TPtyCable::Relay(int from) {
    const int to = 1 - from;
    char buf[1024];
    while (true) {
        const ssize_t n = ::read(FMaster[from], buf, sizeof buf);
        if (n <= 0)
            return; // drained (EAGAIN), or nobody at that end now
        ssize_t done = 0;
        while (done < n) {
            const ssize_t w = ::write(FMaster[to], buf + done, size_t(n - done));
            if (w <= 0)
                return; // the other end's buffer is full or gone: the line drops the rest
            done += w;
        }
    }
}
