#include "platform/posix/terminal_output.h"

#include "platform/posix/output_costs.h"

#include <cerrno>
#include <cstddef>
#include <unistd.h>
#include <utility>

namespace platform::posix {

namespace {

// Sends the text in one write() when the file takes it whole, as a terminal
// does. False when the file is gone; a file set not to block that is full
// loses the rest of the text instead.
bool writeAll(int fd, std::string_view text) {
    OutputCosts& costs = outputCosts();
    costs.flushes += text.empty() ? 0 : 1;
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        ++costs.writeCalls;
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return true;
        }
        if (n <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
        costs.bytes += n;
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
