#include "platform/posix/terminal_input.h"

#include "platform/console.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace platform::posix {

std::optional<unsigned char> TerminalInput::takeReadAhead() {
    if (readAhead.empty()) {
        return std::nullopt;
    }
    const unsigned char byte = readAhead.front();
    readAhead.pop_front();
    return byte;
}

unsigned char TerminalInput::next() {
    if (auto byte = takeReadAhead()) {
        return *byte;
    }
    for (;;) {
        unsigned char byte = 0;
        const ssize_t n = ::read(STDIN_FILENO, &byte, 1);
        if (n == 1) {
            return byte;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        throw InputClosed();
    }
}

bool TerminalInput::ready(int milliseconds) {
    if (!readAhead.empty()) {
        return true;
    }
    pollfd in{STDIN_FILENO, POLLIN, 0};
    const int n = ::poll(&in, 1, milliseconds);
    return n > 0;
}

std::optional<unsigned char> TerminalInput::nextWithin(int milliseconds) {
    if (!ready(milliseconds)) {
        return std::nullopt;
    }
    return next();
}

std::string TerminalInput::nextLine() {
    std::string line;
    for (;;) {
        unsigned char byte = 0;
        try {
            byte = next();
        } catch (const InputClosed&) {
            if (line.empty()) {
                throw;
            }
            return line + '\n';
        }
        line += static_cast<char>(byte);
        if (byte == '\n') {
            return line;
        }
    }
}

} // namespace platform::posix
