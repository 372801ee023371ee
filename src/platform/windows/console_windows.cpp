// The console layer on the Windows console.
#include "platform/backend.h"
#include "platform/console.h"
#include "platform/console_settings.h"
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
    HANDLE outputHandle = INVALID_HANDLE_VALUE;
    windows::ConsoleOutput output;
    windows::ConsoleInput input;
};

Console& console() {
    static Console c;
    return c;
}

void flush() { console().output.flush(); }

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != FALSE;
}

// The console's line editing and echo for as long as one typed line is read,
// however the read ends.
struct LineEditing {
    LineEditing() { windows::setLineEditing(true); }
    ~LineEditing() { windows::setLineEditing(false); }
    LineEditing(const LineEditing&) = delete;
    LineEditing& operator=(const LineEditing&) = delete;
};

void endAtExit() {
    Console& c = console();
    if (c.output.isConsole()) {
        // The shell's prompt comes back on an empty console, not in the
        // middle of the table.
        c.output.clear();
    }
    flush();
    windows::endSession();
}

} // namespace

// The Windows console always takes cursor addressing and UTF-16 text.
std::string consoleProblem() { return ""; }

void open() {
    Console& c = console();
    const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    c.outputHandle = GetStdHandle(STD_OUTPUT_HANDLE);
    c.input.attach(in, isConsole(in));
    c.output.attach(c.outputHandle, isConsole(c.outputHandle));
    windows::beginSession(c.input.isConsole(), c.output.isConsole());
    std::atexit(endAtExit);
    if (c.output.isConsole()) {
        c.output.setGlyphsNarrow(c.output.measureGlyphCells() != 2);
    }
}

void close() { endAtExit(); }

void moveCursor(int x, int y) { console().output.moveCursor(x, y); }

void setAttribute(int attribute) { console().output.setAttribute(settings::shownAttribute(attribute)); }

void write(std::string_view text) { console().output.write(text); }

void clearScreen() { console().output.clear(); }

void resizeConsole(int columns, int lines) {
    Console& c = console();
    flush();
    if (c.output.isConsole()) {
        windows::setWindowSize(c.outputHandle, columns, lines);
        windows::waitForWindow(c.outputHandle, columns, lines, c.input, c.output);
    }
}

int readKey() {
    Console& c = console();
    flush();
    const int key = c.input.nextKey();
    if (!c.input.isConsole()) {
        return key == '\r' || key == '\n' ? keyEnter : key;
    }
    if (key == 3) {
        windows::stopOnControlC(); // Ctrl-C comes to a key read as a key
    }
    // The numeric keypad's cursor keys come with the prefix 0 rather than
    // 224: to the game both are cursor keys.
    return key == 0 ? keyExtendedPrefix : key;
}

void pause() {
    write(backend::pausePrompt);
    readKey();
    write("\n");
}

std::string backend::readTypedLine() {
    Console& c = console();
    flush();
    if (!c.input.isConsole()) {
        return c.input.nextLine();
    }
    const LineEditing editing;
    return c.input.nextLine();
}

void sleepMs(int milliseconds) {
    flush();
    const int pause = settings::pauseMs(milliseconds);
    if (pause > 0) {
        Sleep(static_cast<DWORD>(pause));
    }
}

} // namespace platform
