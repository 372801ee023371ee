#include "platform/posix/terminal_session.h"

#include "platform/backend.h"
#include "platform/posix/readiness.h"

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <fcntl.h>
#include <initializer_list>
#include <pthread.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>

namespace platform::posix {

namespace {

// Runs `handler` on the signal, with the signals of `blocked` held back
// meanwhile, unless the signal is ignored: a signal that whoever started the
// program chose to ignore (nohup, `trap '' INT`, a background job of a
// shell without job control) stays ignored.
void handleUnlessIgnored(int signal, void (*handler)(int), const sigset_t& blocked) {
    struct sigaction current {};
    if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) {
        return;
    }
    struct sigaction action {};
    action.sa_mask = blocked;
    action.sa_handler = handler;
    sigaction(signal, &action, nullptr);
}

// The signals as a set. Safe in a signal handler.
sigset_t setOf(std::initializer_list<int> signals) {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : signals) {
        sigaddset(&set, signal);
    }
    return set;
}

// The system's own action for the signal again. Safe in a signal handler.
void actByDefault(int signal) {
    struct sigaction action {};
    action.sa_mask = setOf({});
    action.sa_handler = SIG_DFL;
    sigaction(signal, &action, nullptr);
}

volatile sig_atomic_t eventFlag = 0;
volatile sig_atomic_t resumedFlag = 0;
int wakePipe[2] = {-1, -1};
void (*whileTakingEvents)() = nullptr;

void wake() {
    const int savedErrno = errno;
    const char byte = 1;
    if (wakePipe[1] >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(wakePipe[1], &byte, 1); // full pipe: already awake
    }
    errno = savedErrno;
}

void onResize(int) {
    eventFlag = 1;
    wake();
}

void onContinue(int) {
    resumedFlag = 1;
    onResize(0);
}

void makeWakePipe() {
    if (::pipe(wakePipe) != 0) {
        wakePipe[0] = wakePipe[1] = -1;
        return;
    }
    for (int fd : wakePipe) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
}

void drainWakePipe() {
    char bytes[64];
    while (wakePipe[0] >= 0 && ::read(wakePipe[0], bytes, sizeof bytes) > 0) {
    }
}

constexpr char leaveScreen[] = "\x1b[0m\x1b[?25h\x1b[?1049l";
constexpr char lostOutputMessage[] = "brannocktide: the output was closed; the game ends\n";

// Written before any handler is installed, only read afterwards.
termios userSettings{};
bool settingsSaved = false;
bool outputIsTerminal = false;

volatile sig_atomic_t sessionActive = 0;
volatile sig_atomic_t suspended = 0;

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
    const sigset_t ttou = setOf({SIGTTOU});
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &ttou, &previous);
    if (outputIsTerminal) {
        writeAll(STDOUT_FILENO, leaveScreen);
    }
    if (settingsSaved && tcgetpgrp(STDIN_FILENO) == getpgrp()) {
        tcsetattr(STDIN_FILENO, TCSANOW, &userSettings);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

// The terminating signals and the suspend, held back while the terminal is
// being written to or restored.
sigset_t sessionSignals() { return setOf({SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT, SIGTSTP}); }

void install(int signal, void (*handler)(int)) { handleUnlessIgnored(signal, handler, sessionSignals()); }

void onTerminatingSignal(int signal) {
    restoreTerminal();
    // Where the game is kept, or what was lost, on stderr if it leads anywhere.
    writeAll(STDERR_FILENO, backend::exitNote());
    actByDefault(signal);
    raise(signal); // delivered as soon as the handler returns: the program ends by it
}

void stopNow() {
    actByDefault(SIGTSTP);
    const sigset_t stop = setOf({SIGTSTP});
    pthread_sigmask(SIG_UNBLOCK, &stop, nullptr);
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
        onContinue(SIGCONT);
    }
    errno = savedErrno;
}

} // namespace

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n > 0) {
            text.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            awaitWritable(fd);
        } else if (n == 0 || errno != EINTR) {
            return false;
        }
    }
    return true;
}

SignalHold::SignalHold() {
    const sigset_t set = sessionSignals();
    pthread_sigmask(SIG_BLOCK, &set, &previous);
}

SignalHold::~SignalHold() { pthread_sigmask(SIG_SETMASK, &previous, nullptr); }

void beginSession(bool inputIsTerminal, bool outputTerminal) {
    outputIsTerminal = outputTerminal;
    settingsSaved = inputIsTerminal && tcgetattr(STDIN_FILENO, &userSettings) == 0;
    // A write to a pipe whose reader has gone (SIGPIPE) ends the program as
    // the others do. It is not held back with them: it comes from the
    // program's own write, which is made while they are held. Where it is
    // ignored, the failed write ends the game instead (endForLostOutput).
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT, SIGPIPE}) {
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

void endForLostOutput() {
    endSession();
    writeAll(STDERR_FILENO, lostOutputMessage);
    std::_Exit(lostOutputStatus);
}

termios keyMode(const termios& user) {
    termios mode = user;
    mode.c_lflag |= ISIG;
    mode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHONL);
    mode.c_oflag |= OPOST | ONLCR;
    // Ctrl-S would freeze the table until Ctrl-Q; here it is just a key.
    mode.c_iflag &= ~static_cast<tcflag_t>(IXON);
    mode.c_cc[VMIN] = 1;
    mode.c_cc[VTIME] = 0;
    return mode;
}

void watchTerminalEvents() {
    makeWakePipe();
    handleUnlessIgnored(SIGWINCH, onResize, setOf({}));
    handleUnlessIgnored(SIGCONT, onContinue, setOf({}));
}

bool eventsWaiting() { return eventFlag != 0; }

bool takeTerminalEvents() {
    // The note goes before the wake-ups: a signal landing in between leaves
    // its note for the next wait, where a wake-up left without a note would
    // end every later wait at once with nothing to take, and no key would
    // get through.
    eventFlag = 0;
    if (void (*meanwhile)() = std::exchange(whileTakingEvents, nullptr)) {
        meanwhile();
    }
    drainWakePipe();
    if (resumedFlag == 0) {
        return false;
    }
    resumedFlag = 0;
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

int wakeDescriptor() { return wakePipe[0]; }

void landWhileTakingEvents(void (*meanwhile)()) { whileTakingEvents = meanwhile; }

WindowSize windowSize() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) {
        return {32767, 32767};
    }
    return {size.ws_col, size.ws_row};
}

bool fits(WindowSize window, WindowSize needed) {
    return window.columns >= needed.columns && window.lines >= needed.lines;
}

} // namespace platform::posix
