#include "platform/posix/terminal_events.h"

#include "platform/posix/signal_actions.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform::posix {

namespace {

volatile sig_atomic_t resizedFlag = 0;
volatile sig_atomic_t resumedFlag = 0;
int wakePipe[2] = {-1, -1};

void wake() {
    const int savedErrno = errno;
    const char byte = 1;
    if (wakePipe[1] >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(wakePipe[1], &byte, 1); // full pipe: already awake
    }
    errno = savedErrno;
}

void onResize(int) {
    resizedFlag = 1;
    wake();
}

void onContinue(int) { noteResumed(); }

void makeWakePipe() {
    if (::pipe(wakePipe) != 0) {
        wakePipe[0] = wakePipe[1] = -1;
        return;
    }
    for (int fd : wakePipe) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
}

void drainWakePipe() {
    char bytes[64];
    while (wakePipe[0] >= 0 && ::read(wakePipe[0], bytes, sizeof bytes) > 0) {
    }
}

} // namespace

void watchTerminalEvents() {
    makeWakePipe();
    sigset_t none;
    sigemptyset(&none);
    handleUnlessIgnored(SIGWINCH, onResize, none);
    handleUnlessIgnored(SIGCONT, onContinue, none);
}

void noteResumed() {
    resumedFlag = 1;
    wake();
}

bool eventsWaiting() { return resizedFlag != 0 || resumedFlag != 0; }

TerminalEvents takeTerminalEvents() {
    drainWakePipe();
    TerminalEvents events;
    events.resized = resizedFlag != 0;
    events.resumed = resumedFlag != 0;
    resizedFlag = 0;
    resumedFlag = 0;
    return events;
}

int wakeDescriptor() { return wakePipe[0]; }

} // namespace platform::posix
