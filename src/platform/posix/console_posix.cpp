// The console layer on a POSIX terminal (Linux, macOS, the BSDs).
#include "platform/backend.h"
#include "platform/console.h"
#include "platform/posix/terminal_input.h"
#include "platform/posix/terminal_output.h"
#include "platform/posix/terminal_session.h"
#include "platform/posix/window_size.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <string>
#include <optional>
#include <unistd.h>

namespace platform {

namespace {

struct Terminal {
    posix::TerminalOutput output;
    posix::TerminalInput input;
    bool inputIsTerminal = false;
    bool outputIsTerminal = false;
    std::optional<int> secondKeyCode; // the code after a 224 prefix
};

Terminal& terminal() {
    static Terminal t;
    return t;
}

void flush() { terminal().output.flush(STDOUT_FILENO); }

// Asks the terminal where the cursor is after one glyph: two cells on means
// the terminal draws the layout glyphs as wide as the layout needs.
bool glyphsDrawnNarrow() {
    Terminal& t = terminal();
    t.output.control("\x1b[2;1H┌\x1b[6n");
    flush();
    std::string reply;
    int column = 0;
    for (int waited = 0; waited < 200;) {
        const auto byte = t.input.nextWithin(20);
        if (!byte) {
            waited += 20;
            continue;
        }
        if (reply.empty() && *byte != 0x1B) {
            t.input.keepForLater(*byte);
            continue;
        }
        reply += static_cast<char>(*byte);
        if (*byte == 'R') {
            const auto semicolon = reply.find(';');
            if (semicolon != std::string::npos) {
                column = std::atoi(reply.c_str() + semicolon + 1);
            }
            break;
        }
    }
    t.output.control("\x1b[2;1H  \x1b[H");
    return column != 3;
}

int translateEscape() {
    Terminal& t = terminal();
    const auto introducer = t.input.nextWithin(30);
    if (!introducer) {
        return 27;
    }
    if (*introducer != '[' && *introducer != 'O') {
        t.input.keepForLater(*introducer);
        return 27;
    }
    const auto final = t.input.nextWithin(30);
    const int codes[] = {72, 80, 77, 75}; // up, down, right, left as the console gives them
    if (final && *final >= 'A' && *final <= 'D') {
        t.secondKeyCode = codes[*final - 'A'];
        return keyExtendedPrefix;
    }
    t.input.keepForLater(*introducer);
    if (final) {
        t.input.keepForLater(*final);
    }
    return 27;
}

} // namespace

void open() {
    Terminal& t = terminal();
    t.inputIsTerminal = isatty(STDIN_FILENO) == 1;
    t.outputIsTerminal = isatty(STDOUT_FILENO) == 1;
    posix::beginSession(t.inputIsTerminal, t.outputIsTerminal);
    std::atexit(posix::endSession);
    if (t.outputIsTerminal) {
        t.output.setColumns(posix::windowSize().columns);
    }
    if (t.inputIsTerminal && t.outputIsTerminal) {
        t.output.setGlyphsNarrow(glyphsDrawnNarrow());
    }
}

void close() {
    flush();
    posix::endSession();
}

void moveCursor(int x, int y) { terminal().output.moveCursor(x, y); }

void setAttribute(int attribute) { terminal().output.setAttribute(attribute); }

void write(std::string_view text) { terminal().output.write(text); }

void clearScreen() { terminal().output.clear(); }

void resizeConsole(int columns, int lines) {
    Terminal& t = terminal();
    t.output.control("\x1b[8;" + std::to_string(lines) + ';' + std::to_string(columns) + 't');
    flush();
    if (t.outputIsTerminal) {
        posix::waitForWindow(columns, lines, t.input, t.output);
        t.output.setColumns(posix::windowSize().columns);
    }
}

int readKey() {
    Terminal& t = terminal();
    if (t.secondKeyCode) {
        const int code = *t.secondKeyCode;
        t.secondKeyCode.reset();
        return code;
    }
    flush();
    const unsigned char byte = t.input.next();
    if (byte == '\r' || byte == '\n') {
        return keyEnter;
    }
    if (byte == 0x1B && t.inputIsTerminal) {
        return translateEscape();
    }
    return byte;
}

void pause() {
    write(backend::pausePrompt);
    readKey();
    write("\n");
}

std::string backend::readTypedLine() {
    Terminal& t = terminal();
    if (!t.inputIsTerminal) {
        flush();
        return t.input.nextLine();
    }
    t.output.control("\x1b[?25h");
    flush();
    posix::setLineEditing(true);
    std::string line;
    try {
        line = t.input.nextLine();
    } catch (...) {
        posix::setLineEditing(false);
        throw;
    }
    posix::setLineEditing(false);
    t.output.control("\x1b[?25l");
    t.output.forgetCursor(); // the terminal's echo moved it
    return line;
}

void sleepMs(int milliseconds) {
    flush();
#ifdef BRANNOCKTIDE_INSTANT_SLEEP
    (void)milliseconds;
#else
    timespec left{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
#endif
}

} // namespace platform
