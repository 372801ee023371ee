// The console layer on the Windows console.
#include "platform/backend.h"
#include "platform/console.h"
#include "platform/console_settings.h"
#include "platform/screen_model.h"
#include "platform/windows/console_input.h"
#include "platform/windows/console_output.h"
#include "platform/windows/console_session.h"
#include "platform/windows/window_size.h"
#include "platform/windows/win32.h"

#include <cstdlib>
#include <string>

namespace platform {

namespace {

struct Console {
    windows::Session session;
    windows::ConsoleOutput output;
    windows::ConsoleInput input;
};

Console& console() {
    static Console c;
    return c;
}

// Shows what changed, in one call.
void flush() { console().output.present(screenModel()); }

// The window changed while a key was awaited: the notice while it is too
// small, then the whole table.
void onWindowChange() {
    Console& c = console();
    if (c.output.isConsole()) {
        windows::waitForWindow(c.session.output, screenModel(), c.input, c.output);
        c.output.repaint();
        flush();
    }
}

// Ctrl-L: the whole table drawn again at once, while the key wait goes on.
void onRepaintAsked() {
    console().output.repaint();
    flush();
}

void endAtExit() {
    flush();
    windows::endSession();
}

} // namespace

// The Windows console always takes cursor addressing and UTF-16 text.
std::string consoleProblem() { return ""; }

void open() {
    Console& c = console();
    c.session = windows::beginSession();
    c.input.attach(c.session.input, c.session.inputIsConsole, &onWindowChange, &onRepaintAsked);
    c.output.attach(c.session.output, c.session.presentation);
    std::atexit(endAtExit);
    if (c.output.isConsole()) {
        c.output.measureCells();
    }
}

void close() { endAtExit(); }

void resizeConsole(int columns, int lines) {
    Console& c = console();
    screenModel().resize(columns, lines);
    flush();
    if (c.output.isConsole()) {
        windows::setWindowSize(c.session.output, columns, lines);
        windows::waitForWindow(c.session.output, screenModel(), c.input, c.output);
    }
}

int readKey() {
    flush();
    return console().input.nextKey();
}

bool backend::linesAreTyped() { return console().input.isConsole(); }

LineKey backend::nextLineKey() {
    flush();
    return console().input.nextLineKey();
}

std::string backend::readRawLine() {
    flush();
    return console().input.nextRawLine();
}

void sleepMs(int milliseconds) {
    flush();
    const int pause = settings::pauseMs(milliseconds);
    if (pause > 0) {
        Sleep(static_cast<DWORD>(pause));
    }
}

} // namespace platform
