#include "support/PtyBridge.h"

#include <poll.h>
#include <unistd.h>

TPtyBridge::TPtyBridge() {
    if (Ok())
        FThread = std::thread([this] { Run(); });
}

TPtyBridge::~TPtyBridge() {
    FStop = true;
    if (FThread.joinable())
        FThread.join();
}

void TPtyBridge::Run() {
    const int fds[2] = {FA.Master(), FB.Master()};
    char buffer[512];
    while (!FStop) {
        pollfd p[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
        if (::poll(p, 2, 5) <= 0)
            continue;
        for (int i = 0; i < 2; ++i) {
            // POLLHUP while no program holds the slave open: nothing to copy, and the other
            // pair's data waits until it is opened again.
            if (!(p[i].revents & POLLIN))
                continue;
            const ssize_t n = ::read(fds[i], buffer, sizeof buffer);
            for (ssize_t done = 0; n > 0 && done < n;) {
                const ssize_t w = ::write(fds[1 - i], buffer + done, size_t(n - done));
                if (w <= 0)
                    break;
                done += w;
            }
        }
        if ((p[0].revents | p[1].revents) & (POLLHUP | POLLERR))
            ::usleep(1000); // the slave is held by the pair itself, so this is brief at most
    }
}
