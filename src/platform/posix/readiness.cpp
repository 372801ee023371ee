#include "platform/posix/readiness.h"

#include <cerrno>

#include <sys/select.h>

namespace platform::posix {

namespace {

// select() cannot name descriptors past FD_SETSIZE; the backend's are the
// standard input and a pipe made at start-up, far below it.
bool selectable(int fd) { return fd >= 0 && fd < FD_SETSIZE; }

} // namespace

Readable awaitReadable(std::initializer_list<int> fds, int milliseconds) {
    fd_set watched;
    FD_ZERO(&watched);
    int highest = -1;
    for (int fd : fds) {
        if (selectable(fd)) {
            FD_SET(fd, &watched);
            highest = fd > highest ? fd : highest;
        }
    }
    timeval limit{milliseconds / 1000, static_cast<decltype(limit.tv_usec)>(milliseconds % 1000) * 1000};
    Readable found;
    if (::select(highest + 1, &watched, nullptr, nullptr, milliseconds < 0 ? nullptr : &limit) < 0) {
        found.interrupted = errno == EINTR;
        if (!found.interrupted) {
            // A descriptor that is not open: the read reports it.
            found.ready = (1U << fds.size()) - 1;
        }
        return found;
    }
    unsigned bit = 1;
    for (int fd : fds) {
        if (selectable(fd) && FD_ISSET(fd, &watched)) {
            found.ready |= bit;
        }
        bit <<= 1;
    }
    return found;
}

void awaitWritable(int fd) {
    if (!selectable(fd)) {
        return;
    }
    fd_set watched;
    FD_ZERO(&watched);
    FD_SET(fd, &watched);
    ::select(fd + 1, nullptr, &watched, nullptr, nullptr);
}

} // namespace platform::posix
