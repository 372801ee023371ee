#include "platform/posix/terminal_output.h"

#include "platform/posix/readiness.h"

#include <cerrno>
#include <cstddef>
#include <unistd.h>
#include <utility>

namespace platform::posix {

namespace {

// Sends the text in one write() when the file takes it whole, as a terminal
// does. A file set not to block (by whoever shares it) that is full gets
// the rest when it can take more: the frame is recorded as shown, so all of
// it must arrive. False when the file is gone.
bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            awaitWritable(fd);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

void TerminalOutput::restart(std::string_view setup) {
    pending.assign(setup);
    encoder.forget();
}

std::string TerminalOutput::takePending() {
    std::string text = std::move(pending);
    pending.clear();
    if (!framesHeld) {
        text += encoder.encode(model);
    }
    return text;
}

bool TerminalOutput::flush(int fd) {
    const std::string text = takePending();
    return writeAll(fd, recoder != nullptr ? recoder->toTerminal(text) : text);
}

} // namespace platform::posix
