#include "pseudo_terminal.h"

#include "platform/posix/readiness.h"
#include "support/openpty.h"

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace bench {

namespace {

constexpr std::string_view cursorQuestion = "\x1b[6n";
// Row 1, column 3: the glyph written before the question took two cells.
constexpr std::string_view cursorAnswer = "\x1b[1;3R";

} // namespace

void writeWhole(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n <= 0) {
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

PseudoTerminal::PseudoTerminal(Options chosen) : options(chosen) {
    winsize size{};
    size.ws_col = static_cast<unsigned short>(options.columns);
    size.ws_row = static_cast<unsigned short>(options.lines);
    if (openpty(&terminalFd, &programFd, nullptr, nullptr, &size) != 0 || pipe(stopPipe) != 0) {
        throw std::runtime_error("no pseudo-terminal");
    }
    if (options.raw) {
        termios mode{};
        tcgetattr(programFd, &mode);
        cfmakeraw(&mode);
        tcsetattr(programFd, TCSANOW, &mode);
    }
    reader = std::thread(&PseudoTerminal::readLoop, this);
}

PseudoTerminal::~PseudoTerminal() {
    writeWhole(stopPipe[1], "x");
    reader.join();
    for (int fd : {terminalFd, programFd, stopPipe[0], stopPipe[1]}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void PseudoTerminal::closeProgramSide() {
    ::close(programFd);
    programFd = -1;
}

void PseudoTerminal::type(std::string_view keys) {
    writeWhole(terminalFd, keys);
}

void PseudoTerminal::readLoop() {
    char chunk[65536];
    for (;;) {
        const platform::posix::Readable found = platform::posix::awaitReadable({terminalFd, stopPipe[0]}, -1);
        if (!found.at(0)) {
            if (found.at(1)) {
                return; // stopped, and nothing is left to read
            }
            continue;
        }
        const ssize_t n = ::read(terminalFd, chunk, sizeof chunk);
        if (n <= 0) {
            if (!found.at(1)) {
                platform::posix::awaitReadable({stopPipe[0]}, -1); // the program's side is closed: wait to be stopped
            }
            return;
        }
        std::lock_guard<std::mutex> guard(lock);
        bytesRead += n;
        if (options.keepOutput) {
            output.append(chunk, static_cast<std::size_t>(n));
            answerQuestions();
        }
        arrived.notify_all();
    }
}

void PseudoTerminal::answerQuestions() {
    for (;;) {
        const std::size_t at = output.find(cursorQuestion, answeredUpTo);
        if (at == std::string::npos) {
            answeredUpTo = output.size() < cursorQuestion.size()
                               ? 0
                               : output.size() - cursorQuestion.size() + 1;
            return;
        }
        writeWhole(terminalFd, cursorAnswer);
        answeredUpTo = at + cursorQuestion.size();
    }
}

bool PseudoTerminal::waitFor(std::string_view text, int timeoutMs) {
    std::unique_lock<std::mutex> guard(lock);
    return arrived.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                            [&] { return output.find(text) != std::string::npos; });
}

std::string PseudoTerminal::received() {
    std::lock_guard<std::mutex> guard(lock);
    return output;
}

void PseudoTerminal::waitForBytes(long long total) {
    std::unique_lock<std::mutex> guard(lock);
    arrived.wait(guard, [&] { return bytesRead >= total; });
}

} // namespace bench
