// The console layer on a POSIX terminal (Linux, macOS, the BSDs).
#include "platform/backend.h"
#include "platform/console.h"
#include "platform/key_decoder.h"
#include "platform/posix/terminal_io.h"
#include "platform/posix/codeset.h"
#include "platform/posix/terminal_session.h"
#include "platform/screen_model.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>
#include <unistd.h>

namespace platform {

namespace {

// How long a terminal may take to carry out a size request.
constexpr int resizeAnswerMs = 200;

struct Terminal {
    bool inputIsTerminal = isatty(STDIN_FILENO) == 1;
    bool outputIsTerminal = isatty(STDOUT_FILENO) == 1;
    std::unique_ptr<posix::Recoder> recoder = posix::recoderFor(posix::TerminalEnvironment::current());
    posix::TerminalOutput output{screenModel(), recoder.get()};
    posix::WaitPoint waits{output, STDIN_FILENO, inputIsTerminal};
    // A wait without end is where what was drawn reaches the terminal.
    KeyDecoder keys{[this](int ms) {
                        if (ms < 0) {
                            waits.wait(-1, true);
                        }
                        return posix::readInput(STDIN_FILENO, ms, recoder.get());
                    },
                    [this] { output.repaint(); }};
};

Terminal& terminal() {
    static Terminal t;
    return t;
}

void endAtExit() {
    terminal().waits.flush();
    posix::endSession();
}

} // namespace

// A POSIX file name is bytes, and the arguments are those bytes: passed on
// as they came.
std::vector<std::string> programArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

// A terminal takes the bytes of its own codeset; the messages are in English
// and a file name is the bytes it was given, so the line goes out as it is.
void writeErrorLine(std::string_view line) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

std::string consoleProblem() { return posix::terminalProblem(posix::TerminalEnvironment::current()); }

void open() {
    Terminal& t = terminal();
    posix::beginSession(t.inputIsTerminal, t.outputIsTerminal);
    std::atexit(endAtExit);
    if (!t.outputIsTerminal) {
        return;
    }
    t.output.control(posix::enterScreenSequence);
    const posix::WindowSize window = posix::windowSize();
    t.output.setTerminalSize(window.columns, window.lines);
    if (t.inputIsTerminal) {
        t.output.setGlyphsNarrow(posix::glyphsDrawnNarrow(t.output, t.keys, t.waits));
    }
}

void close() { endAtExit(); }

void resizeConsole(int columns, int lines) {
    Terminal& t = terminal();
    screenModel().resize(columns, lines);
    t.waits.setNeededSize({columns, lines});
    if (t.outputIsTerminal) {
        t.output.control("\x1b[8;" + std::to_string(lines) + ';' + std::to_string(columns) + 't');
        t.waits.awaitSize(resizeAnswerMs);
    }
}

int readKey() { return terminal().keys.nextKey(); }

bool backend::linesAreTyped() { return terminal().inputIsTerminal; }

LineKey backend::nextLineKey() { return terminal().keys.nextLineKey(); }

std::string backend::readRawLine() { return terminal().keys.nextLine(); }

void sleepMs(int milliseconds) {
    if (!settings::framesHeld()) {
        terminal().waits.wait(settings::pauseMs(milliseconds), false);
    }
}

} // namespace platform
