// Waits with poll(): every system whose poll() can wait on a terminal.
#include "platform/posix/readiness.h"

#include <cerrno>
#include <cstddef>
#include <iterator>

#include <poll.h>

namespace platform::posix {

Readable awaitReadable(std::initializer_list<int> fds, int milliseconds) {
    pollfd watched[8] = {};
    std::size_t count = 0;
    for (int fd : fds) {
        if (count < std::size(watched)) {
            watched[count++] = {fd, POLLIN, 0}; // poll() leaves out a negative descriptor by itself
        }
    }
    Readable found;
    if (::poll(watched, static_cast<nfds_t>(count), milliseconds) < 0) {
        found.interrupted = errno == EINTR;
        return found;
    }
    for (std::size_t i = 0; i < count; ++i) {
        // POLLHUP, POLLERR and POLLNVAL are what a read would report.
        if (watched[i].revents != 0) {
            found.ready |= 1U << i;
        }
    }
    return found;
}

} // namespace platform::posix
