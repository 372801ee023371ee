#include "platform/posix/terminal_session.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <termios.h>
#include <unistd.h>

namespace platform::posix {

namespace {

constexpr char enterScreen[] = "\x1b[?1049h\x1b[?25l\x1b[0m";
constexpr char leaveScreen[] = "\x1b[0m\x1b[?25h\x1b[?1049l";

struct SessionState {
    bool inputIsTerminal = false;
    bool outputIsTerminal = false;
    termios saved{};
    bool savedValid = false;
};

SessionState state;
volatile sig_atomic_t sessionActive = 0;
volatile sig_atomic_t resized = 0;

void writeAll(const char* text, std::size_t length) {
    while (length > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, text, length);
        if (n <= 0) {
            return;
        }
        text += n;
        length -= static_cast<std::size_t>(n);
    }
}

void applyMode(bool lineEditing) {
    if (!state.savedValid) {
        return;
    }
    termios mode = state.saved;
    mode.c_lflag |= ISIG;
    if (lineEditing) {
        mode.c_lflag |= ICANON | ECHO | ECHOE | ECHOK;
    } else {
        mode.c_lflag &= ~(ICANON | ECHO);
        mode.c_cc[VMIN] = 1;
        mode.c_cc[VTIME] = 0;
    }
    tcsetattr(STDIN_FILENO, TCSANOW, &mode);
}

void onTerminatingSignal(int signal) {
    endSession();
    std::signal(signal, SIG_DFL);
    raise(signal);
}

void onResize(int) { resized = 1; }

void installHandlers() {
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = onTerminatingSignal;
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        sigaction(signal, &action, nullptr);
    }
    struct sigaction resize {};
    sigemptyset(&resize.sa_mask);
    resize.sa_handler = onResize;
    sigaction(SIGWINCH, &resize, nullptr);
}

} // namespace

void beginSession(bool inputIsTerminal, bool outputIsTerminal) {
    state.inputIsTerminal = inputIsTerminal;
    state.outputIsTerminal = outputIsTerminal;
    if (inputIsTerminal && tcgetattr(STDIN_FILENO, &state.saved) == 0) {
        state.savedValid = true;
    }
    installHandlers();
    sessionActive = 1;
    applyMode(false);
    if (outputIsTerminal) {
        writeAll(enterScreen, std::strlen(enterScreen));
    }
}

void endSession() {
    if (!sessionActive) {
        return;
    }
    sessionActive = 0;
    if (state.outputIsTerminal) {
        writeAll(leaveScreen, sizeof leaveScreen - 1);
    }
    if (state.savedValid) {
        tcsetattr(STDIN_FILENO, TCSANOW, &state.saved);
    }
}

void setLineEditing(bool on) { applyMode(on); }

bool takeResizeNotice() {
    const bool was = resized != 0;
    resized = 0;
    return was;
}

} // namespace platform::posix
