#include "platform/posix/terminal_session.h"

#include "platform/posix/terminal_events.h"
#include "platform/posix/terminal_modes.h"

#include <cerrno>
#include <cstddef>
#include <termios.h>
#include <unistd.h>

namespace platform::posix {

namespace {

constexpr char leaveScreen[] = "\x1b[0m\x1b[?25h\x1b[?1049l";
constexpr int terminatingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT};

// Written before any handler is installed, only read afterwards.
termios userSettings{};
bool settingsSaved = false;
bool outputIsTerminal = false;

volatile sig_atomic_t sessionActive = 0;
volatile sig_atomic_t suspended = 0;

void writeAll(const char* text, std::size_t length) {
    while (length > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, text, length);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        text += n;
        length -= static_cast<std::size_t>(n);
    }
}

void applyMode() {
    if (settingsSaved) {
        const termios mode = keyMode(userSettings);
        tcsetattr(STDIN_FILENO, TCSANOW, &mode);
    }
}

// The one restore, for every way out. Only async-signal-safe calls.
void restoreTerminal() {
    if (!sessionActive) {
        return;
    }
    sessionActive = 0;
    // When the program was stopped with others of its job, the shell may
    // have the terminal already: the screen is still given back, without the
    // program being stopped for touching a terminal that is not its own, and
    // the settings are left to the shell, which has set its own by now.
    sigset_t ttou;
    sigset_t previous;
    sigemptyset(&ttou);
    sigaddset(&ttou, SIGTTOU);
    sigprocmask(SIG_BLOCK, &ttou, &previous);
    if (outputIsTerminal) {
        writeAll(leaveScreen, sizeof leaveScreen - 1);
    }
    if (settingsSaved && tcgetpgrp(STDIN_FILENO) == getpgrp()) {
        tcsetattr(STDIN_FILENO, TCSANOW, &userSettings);
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
}

void sessionSignals(sigset_t& set) {
    sigemptyset(&set);
    for (int signal : terminatingSignals) {
        sigaddset(&set, signal);
    }
    sigaddset(&set, SIGTSTP);
}

void install(int signal, void (*handler)(int)) {
    struct sigaction action {};
    sessionSignals(action.sa_mask);
    action.sa_handler = handler;
    sigaction(signal, &action, nullptr);
}

void onTerminatingSignal(int signal) {
    restoreTerminal();
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = SIG_DFL;
    sigaction(signal, &action, nullptr);
    raise(signal); // delivered as soon as the handler returns: the program ends by it
}

void stopNow() {
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = SIG_DFL;
    sigaction(SIGTSTP, &action, nullptr);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &stop, nullptr);
    raise(SIGTSTP); // the program stops here until it is continued
}

void onSuspend(int) {
    const int savedErrno = errno;
    const bool wasActive = sessionActive != 0;
    restoreTerminal();
    stopNow();
    install(SIGTSTP, onSuspend);
    if (wasActive) {
        suspended = 1;
        noteResumed();
    }
    errno = savedErrno;
}

} // namespace

SignalHold::SignalHold() {
    sigset_t set;
    sessionSignals(set);
    sigprocmask(SIG_BLOCK, &set, &previous);
}

SignalHold::~SignalHold() { sigprocmask(SIG_SETMASK, &previous, nullptr); }

void beginSession(bool inputIsTerminal, bool outputTerminal) {
    outputIsTerminal = outputTerminal;
    settingsSaved = inputIsTerminal && tcgetattr(STDIN_FILENO, &userSettings) == 0;
    for (int signal : terminatingSignals) {
        install(signal, onTerminatingSignal);
    }
    install(SIGTSTP, onSuspend);
    watchTerminalEvents();
    SignalHold hold;
    sessionActive = 1;
    applyMode();
}

void endSession() {
    SignalHold hold;
    restoreTerminal();
}

bool resumeSession() {
    SignalHold hold;
    if (suspended) {
        suspended = 0;
        sessionActive = 1;
    }
    if (!sessionActive) {
        return false;
    }
    applyMode();
    return outputIsTerminal;
}

} // namespace platform::posix
