#include "platform/posix/terminal_input.h"

#include "platform/console.h"
#include "platform/posix/readiness.h"
#include "platform/typed_input.h"

#include <cerrno>
#include <chrono>
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

void TerminalInput::keepForLater(std::string_view bytes) {
    readAhead.insert(readAhead.begin(), bytes.begin(), bytes.end());
}

bool TerminalInput::readableWithin(int milliseconds) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        const Readable found = awaitReadable({fd}, milliseconds);
        if (!found.interrupted || milliseconds < 0) {
            return found.at(0);
        }
        // A signal is no reason to give up on the rest of a key sequence.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        milliseconds = left.count() > 0 ? static_cast<int>(left.count()) : 0;
    }
}

std::optional<unsigned char> TerminalInput::readByte() {
    for (;;) {
        if (waitReadable != nullptr) {
            waitReadable();
        }
        unsigned char byte = 0;
        const ssize_t n = ::read(fd, &byte, 1);
        if (n == 1) {
            return byte;
        }
        if (n == 0) {
            return std::nullopt;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            readableWithin(-1); // the descriptor was left non-blocking by someone else
        } else if (errno != EINTR) {
            return std::nullopt; // the terminal hung up
        }
    }
}

unsigned char TerminalInput::inUtf8(unsigned char raw) {
    if (recoder == nullptr) {
        return raw;
    }
    std::string text = recoder->fromTerminal(std::string(1, static_cast<char>(raw)));
    while (text.empty()) {
        const auto more = readByte();
        text = more ? recoder->fromTerminal(std::string(1, static_cast<char>(*more))) : "?";
    }
    keepForLater(std::string_view(text).substr(1));
    return static_cast<unsigned char>(text[0]);
}

unsigned char TerminalInput::next() {
    if (auto byte = takeReadAhead()) {
        return *byte;
    }
    if (auto byte = readByte()) {
        return inUtf8(*byte);
    }
    throw InputClosed();
}

std::optional<unsigned char> TerminalInput::nextWithin(int milliseconds) {
    if (auto byte = takeReadAhead()) {
        return byte;
    }
    if (!readableWithin(milliseconds)) {
        return std::nullopt;
    }
    unsigned char byte = 0;
    if (::read(fd, &byte, 1) != 1) {
        return std::nullopt;
    }
    return inUtf8(byte);
}

std::string TerminalInput::nextLine() {
    return lineOfBytes([this] { return next(); });
}

} // namespace platform::posix
