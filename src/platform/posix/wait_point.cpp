#include "platform/posix/wait_point.h"

#include "platform/console.h"
#include "platform/posix/terminal_events.h"
#include "platform/posix/terminal_session.h"
#include "platform/window_notice.h"

#include <chrono>
#include <poll.h>
#include <unistd.h>

namespace platform::posix {

void WaitPoint::flush() {
    SignalHold hold;
    output.flush(STDOUT_FILENO);
}

WaitPoint::Woke WaitPoint::pollOnce(bool watchInput, int& milliseconds) {
    pollfd fds[2] = {{wakeDescriptor(), POLLIN, 0}, {inputFd, POLLIN, 0}};
    const auto start = std::chrono::steady_clock::now();
    const int n = ::poll(fds, watchInput ? 2 : 1, milliseconds);
    if (milliseconds > 0) {
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        milliseconds = waited.count() >= milliseconds ? 0 : milliseconds - static_cast<int>(waited.count());
    }
    if (n == 0) {
        return Woke::TimeUp;
    }
    if (n < 0 || fds[0].revents != 0) {
        return Woke::Event; // a signal came in, or its note is waiting
    }
    return Woke::Input;
}

bool WaitPoint::wait(int milliseconds, bool watchInput) {
    for (;;) {
        bringScreenBack();
        flush();
        const Woke woke = pollOnce(watchInput, milliseconds);
        if (woke == Woke::Input) {
            return true;
        }
        if (woke == Woke::TimeUp) {
            return false;
        }
    }
}

void WaitPoint::followWindow() {
    const WindowSize now = windowSize();
    output.setTerminalSize(now.columns, now.lines);
}

void WaitPoint::takeEvents() {
    if (takeTerminalEvents().resumed && resumeSession()) {
        output.restart(enterScreenSequence);
    }
}

void WaitPoint::bringScreenBack() {
    pollfd wake{wakeDescriptor(), POLLIN, 0};
    if (::poll(&wake, 1, 0) <= 0) {
        return;
    }
    takeEvents();
    followWindow();
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
        output.notice(windowTooSmallNotice(needed.columns, needed.lines, now.columns, now.lines));
        shown = true;
        flush();
        int forever = -1;
        if (pollOnce(true, forever) == Woke::Input) {
            discardKey();
            break;
        }
        takeEvents();
    }
    followWindow();
    return shown;
}

void WaitPoint::awaitSize(int milliseconds) {
    flush();
    bool changed = false;
    while (!fits(windowSize(), needed) && milliseconds > 0) {
        if (pollOnce(false, milliseconds) == Woke::Event) {
            takeEvents();
            changed = true;
        }
    }
    if (showNoticeUntilRoom() || changed) {
        output.repaint();
    }
}

} // namespace platform::posix
