#include "platform/posix/terminal_io.h"

#include "platform/console.h"
#include "platform/key_decoder.h"
#include "platform/posix/readiness.h"
#include "platform/posix/terminal_session.h"
#include "platform/frame_encoder.h"

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
    if (recoder == nullptr) {
        return std::string(1, byte);
    }
    // A character of the terminal's codeset is read whole: its rest follows
    // at once (a character cut by the end of the input is "?").
    std::string text = recoder->fromTerminal(std::string_view(&byte, 1));
    while (text.empty()) {
        text = ::read(fd, &byte, 1) == 1 ? recoder->fromTerminal(std::string_view(&byte, 1)) : "?";
    }
    return text;
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

// Reads the terminal's answer. Bytes before it are keys typed ahead: they
// are kept, with what came of an answer that did not end.
std::optional<std::string> readReport(KeyDecoder& input) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(answerTimeMs);
    std::string typedAhead;
    std::string report;
    while ((report.empty() || report.back() != 'R') && report.size() < longestReport) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const auto byte = left > 0 ? input.nextWithin(static_cast<int>(left)) : std::nullopt;
        if (!byte) {
            break;
        }
        (report.empty() && *byte != 0x1B ? typedAhead : report) += static_cast<char>(*byte);
    }
    const bool answered = !report.empty() && report.back() == 'R';
    input.keepForLater(answered ? typedAhead : typedAhead + report);
    return answered ? std::optional<std::string>(report) : std::nullopt;
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

// Every wait: what was drawn goes out, and a screen the terminal lost comes back.

void WaitPoint::flush() {
    SignalHold hold;
    if (!output.flush(STDOUT_FILENO)) {
        endForLostOutput();
    }
}

namespace {

// Whole milliseconds left until `end`, rounded up: a wait never ends before
// it, so it needs no second wait for a fraction of a millisecond.
int millisecondsUntil(std::chrono::steady_clock::time_point end) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

} // namespace

WaitPoint::Woke WaitPoint::waitOnce(bool watchInput, int milliseconds) {
    const Readable found = awaitReadable({wakeDescriptor(), watchInput ? inputFd : -1}, milliseconds);
    if (found.interrupted || found.at(0)) {
        return Woke::Event; // a signal came in, or its note is waiting
    }
    return found.at(1) ? Woke::Input : Woke::TimeUp;
}

std::optional<WaitPoint::Clock::time_point> WaitPoint::endOfWait(int milliseconds, bool watchInput) {
    const std::optional<Clock::time_point> previous = std::exchange(pauseDue, std::nullopt);
    if (milliseconds < 0) {
        return std::nullopt;
    }
    const auto length = std::chrono::milliseconds(milliseconds);
    // A pause follows on from when the last one was due to end; when the
    // game is later than a whole pause (it was stopped, the terminal held
    // the output back), the pause starts afresh rather than not at all.
    const bool followsOn = !watchInput && previous && *previous + length > Clock::now();
    return (followsOn ? *previous : Clock::now()) + length;
}

bool WaitPoint::wait(int milliseconds, bool watchInput) {
    const std::optional<Clock::time_point> end = endOfWait(milliseconds, watchInput);
    for (Woke woke = Woke::Event; woke != Woke::Input;) {
        bringScreenBack();
        flush();
        // A pause whose time is up already (none at all at --pace 0) asks
        // the system nothing more: its events are taken at the next wait.
        if (end && Clock::now() >= *end && (!watchInput || woke == Woke::TimeUp)) {
            pauseDue = watchInput ? std::nullopt : end;
            return false;
        }
        woke = waitOnce(watchInput, end ? millisecondsUntil(*end) : -1);
    }
    return true;
}

void WaitPoint::takeEvents() {
    if (takeTerminalEvents()) {
        output.restart(enterScreenSequence);
    }
}

void WaitPoint::bringScreenBack() {
    if (!eventsWaiting()) {
        return;
    }
    takeEvents();
    showNoticeUntilRoom();
    output.repaint();
}

void WaitPoint::discardKey() {
    char bytes[64];
    // A key on a terminal arrives in one piece; from a pipe only one byte
    // is taken, so what follows is still read in order.
    const std::size_t want = inputIsTerminal ? sizeof bytes : 1;
    if (::read(inputFd, bytes, want) == 0) {
        throw InputClosed();
    }
}

bool WaitPoint::showNoticeUntilRoom() {
    bool shown = false;
    while (!fits(windowSize(), needed)) {
        const WindowSize now = windowSize();
        output.setTerminalSize(now.columns, now.lines);
        output.notice(windowTooSmallNotice(needed.columns, needed.lines, now.columns, now.lines));
        shown = true;
        flush();
        if (waitOnce(true, -1) == Woke::Input) {
            discardKey();
            break;
        }
        takeEvents();
    }
    const WindowSize now = windowSize();
    output.setTerminalSize(now.columns, now.lines);
    return shown;
}

void WaitPoint::awaitSize(int milliseconds) {
    pauseDue.reset();
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(milliseconds);
    bool changed = false;
    // A window large enough already: the request goes out with the next
    // frame, as nothing is waited for.
    while (!fits(windowSize(), needed) && Clock::now() < end) {
        flush();
        if (waitOnce(false, millisecondsUntil(end)) == Woke::Event) {
            takeEvents();
            changed = true;
        }
    }
    if (showNoticeUntilRoom() || changed) {
        output.repaint();
    }
}

} // namespace platform::posix
