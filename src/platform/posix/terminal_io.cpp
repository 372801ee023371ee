#include "platform/posix/terminal_io.h"

#include "platform/console.h"
#include "platform/key_decoder.h"
#include "platform/posix/readiness.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace platform::posix {

namespace {

// Waits until the descriptor can be read or the time is up. A signal is no
// reason to give up on the rest of a key sequence.
bool readableWithin(int fd, int milliseconds) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        const Readable found = awaitReadable({fd}, milliseconds);
        if (!found.interrupted || milliseconds < 0) {
            return found.at(0);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        milliseconds = left.count() > 0 ? static_cast<int>(left.count()) : 0;
    }
}

} // namespace

std::optional<std::string> readInput(int fd, int milliseconds, Recoder* recoder) {
    char byte = 0;
    if (!readableWithin(fd, milliseconds)) {
        return std::string();
    }
    const ssize_t n = ::read(fd, &byte, 1);
    if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) {
        return std::string(); // a signal, or another reader was first
    }
    if (n <= 0) {
        return std::nullopt; // the end of the input, or the terminal hung up
    }
    const std::string_view got(&byte, 1);
    return recoder != nullptr ? recoder->fromTerminal(got) : std::string(got);
}

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

namespace {

constexpr int answerTimeMs = 200;
// "ESC [ line ; column R" with numbers of up to five digits; anything
// longer is not the answer.
constexpr std::size_t longestReport = 14;
// Terminals count their lines and columns in 16 bits.
constexpr unsigned largestPosition = 65535;

// Reads the terminal's answer; bytes before it are keys typed ahead.
std::optional<std::string> readReport(KeyDecoder& input) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(answerTimeMs);
    std::string typedAhead;
    std::string report;
    while (Clock::now() < deadline) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const auto byte = input.nextWithin(static_cast<int>(left.count()) + 1);
        if (!byte) {
            break;
        }
        if (report.empty() && *byte != 0x1B) {
            typedAhead += static_cast<char>(*byte);
            continue;
        }
        report += static_cast<char>(*byte);
        if (*byte == 'R') {
            input.keepForLater(typedAhead);
            return report;
        }
        if (report.size() == longestReport) {
            break;
        }
    }
    input.keepForLater(typedAhead + report);
    return std::nullopt;
}

// A line or column number at the start of `text`, taken off it.
std::optional<int> takePosition(std::string_view& text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || value == 0 || value > largestPosition) {
        return std::nullopt;
    }
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return static_cast<int>(value);
}

} // namespace

std::optional<int> reportedColumn(std::string_view report) {
    if (!report.starts_with("\x1b[") || !report.ends_with('R')) {
        return std::nullopt;
    }
    std::string_view numbers = report.substr(2, report.size() - 3);
    if (!takePosition(numbers) || !numbers.starts_with(';')) {
        return std::nullopt;
    }
    numbers.remove_prefix(1);
    const std::optional<int> column = takePosition(numbers);
    return numbers.empty() ? column : std::nullopt;
}

bool glyphsDrawnNarrow(TerminalOutput& output, KeyDecoder& input, WaitPoint& waits) {
    output.controlMovingCursor("\x1b[H┌\x1b[6n");
    waits.flush();
    const auto report = readReport(input);
    output.controlMovingCursor("\r\x1b[K");
    const auto column = report ? reportedColumn(*report) : std::nullopt;
    return column != 3;
}

} // namespace platform::posix
