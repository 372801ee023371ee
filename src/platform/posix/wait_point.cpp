#include "platform/posix/terminal_io.h"

#include "platform/console.h"
#include "platform/posix/readiness.h"
#include "platform/posix/terminal_session.h"
#include "platform/frame_encoder.h"

#include <chrono>
#include <cstddef>
#include <unistd.h>

namespace platform::posix {

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
    const std::optional<Clock::time_point> previous = pauseDue;
    pauseDue.reset();
    if (milliseconds < 0) {
        return std::nullopt;
    }
    const Clock::time_point now = Clock::now();
    const auto length = std::chrono::milliseconds(milliseconds);
    // A pause follows on from when the last one was due to end; when the
    // game is later than a whole pause (it was stopped, the terminal held
    // the output back), the pause starts afresh rather than not at all.
    if (!watchInput && previous && *previous + length > now) {
        return *previous + length;
    }
    return now + length;
}

bool WaitPoint::wait(int milliseconds, bool watchInput) {
    const std::optional<Clock::time_point> end = endOfWait(milliseconds, watchInput);
    for (;;) {
        bringScreenBack();
        flush();
        // A pause whose time is up already (none at all at --pace 0) asks
        // the system nothing more: its events are taken at the next wait.
        if (!watchInput && end && Clock::now() >= *end) {
            pauseDue = end;
            return false;
        }
        const Woke woke = waitOnce(watchInput, end ? millisecondsUntil(*end) : -1);
        if (woke == Woke::Input) {
            return true;
        }
        if (woke == Woke::TimeUp && end && Clock::now() >= *end) {
            if (!watchInput) {
                pauseDue = end;
            }
            return false;
        }
    }
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
