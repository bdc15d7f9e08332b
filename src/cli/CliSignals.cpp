#include "cli/CliSignals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

int gSignalPipe[2] = {-1, -1};
struct sigaction gOldInt = {};
struct sigaction gOldTerm = {};
int gStatsPipe[2] = {-1, -1};
struct sigaction gOldUsr1 = {};

void SignalToPipe(int) {
    const int saved = errno;
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(gSignalPipe[1], &b, 1);
    errno = saved;
}

void StatsToPipe(int) {
    const int saved = errno;
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(gStatsPipe[1], &b, 1);
    errno = saved;
}

} // namespace

TCliStopSignals::TCliStopSignals() {
    if (gSignalPipe[0] >= 0 || ::pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = SignalToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &gOldInt);
    sigaction(SIGTERM, &action, &gOldTerm);
    FOk = true;
}

TCliStopSignals::~TCliStopSignals() {
    if (!FOk)
        return;
    sigaction(SIGINT, &gOldInt, nullptr);
    sigaction(SIGTERM, &gOldTerm, nullptr);
    ::close(gSignalPipe[0]);
    ::close(gSignalPipe[1]);
    gSignalPipe[0] = gSignalPipe[1] = -1;
}

int TCliStopSignals::Handle() const {
    return FOk ? gSignalPipe[0] : -1;
}

bool TCliStopSignals::WaitForStop(int Ms) const {
    if (!FOk)
        return false;
    pollfd p = {gSignalPipe[0], POLLIN, 0};
    // The byte stays in the pipe, so every later question is answered "stopped" too.
    int n = 0;
    do
        n = ::poll(&p, 1, Ms);
    while (n < 0 && errno == EINTR); // the handler wrote its byte first, so the retry sees it
    return n > 0 && (p.revents & POLLIN);
}

TCliStatsSignal::TCliStatsSignal() {
    if (gStatsPipe[0] >= 0 || ::pipe2(gStatsPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = StatsToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGUSR1, &action, &gOldUsr1);
    FOk = true;
}

TCliStatsSignal::~TCliStatsSignal() {
    if (!FOk)
        return;
    sigaction(SIGUSR1, &gOldUsr1, nullptr);
    ::close(gStatsPipe[0]);
    ::close(gStatsPipe[1]);
    gStatsPipe[0] = gStatsPipe[1] = -1;
}

int TCliStatsSignal::Handle() const {
    return FOk ? gStatsPipe[0] : -1;
}

bool TCliStatsSignal::Take() {
    if (!FOk)
        return false;
    bool any = false;
    char buffer[64];
    while (::read(gStatsPipe[0], buffer, sizeof buffer) > 0)
        any = true;
    return any;
}
