#include "support/PtyTap.h"

#include <poll.h>
#include <unistd.h>

namespace {

void WriteAll(int Fd, const char* Data, ssize_t Count) {
    for (ssize_t done = 0; done < Count;) {
        const ssize_t w = ::write(Fd, Data + done, size_t(Count - done));
        if (w <= 0)
            return;
        done += w;
    }
}

} // namespace

TPtyTap::TPtyTap() {
    if (Ok())
        FThread = std::thread([this] { Run(); });
}

TPtyTap::~TPtyTap() {
    FStop = true;
    if (FThread.joinable())
        FThread.join();
}

void TPtyTap::Run() {
    const int fds[3] = {FA.Master(), FB.Master(), FM.Master()};
    char buffer[512];
    while (!FStop) {
        pollfd p[3] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}, {fds[2], POLLIN, 0}};
        if (::poll(p, 3, 5) <= 0)
            continue;
        for (int i = 0; i < 2; ++i) {
            if (!(p[i].revents & POLLIN))
                continue;
            const ssize_t n = ::read(fds[i], buffer, sizeof buffer);
            if (n <= 0)
                continue;
            // The monitor first: it must see the request before the answer can come back.
            WriteAll(fds[2], buffer, n);
            FTapped += n;
            WriteAll(fds[1 - i], buffer, n);
        }
        if (p[2].revents & POLLIN) {
            const ssize_t n = ::read(fds[2], buffer, sizeof buffer);
            if (n > 0)
                FMonitorSent += n;
        }
        if ((p[0].revents | p[1].revents | p[2].revents) & (POLLHUP | POLLERR))
            ::usleep(1000);
    }
}
