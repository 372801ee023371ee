// The console layer on the Windows console.
#include "platform/backend.h"
#include "platform/console.h"
#include "platform/frame_encoder.h"
#include "platform/screen_model.h"
#include "platform/windows/console_windows.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <shellapi.h>

namespace platform::windows {

namespace {

// The console's size: asked for through the console's own calls, never
// larger than the screen can show, and the wait for a window large enough
// for the table where it could not be had (a small screen, or a terminal
// that owns its window).
struct WindowSize {
    int columns;
    int lines;
};

// How often the wait looks at the window again.
constexpr int lookAgainMs = 250;

bool largeEnough(WindowSize size, const ScreenModel& model) {
    return size.columns >= model.columns() && size.lines >= model.lines();
}

bool setWindow(HANDLE out, int columns, int lines) {
    const SMALL_RECT window{0, 0, static_cast<SHORT>(columns - 1), static_cast<SHORT>(lines - 1)};
    return SetConsoleWindowInfo(out, TRUE, &window) != FALSE;
}

// The largest window the screen can show; the wanted size where the
// console cannot tell.
WindowSize largestWindow(HANDLE out, int columns, int lines) {
    const COORD largest = GetLargestConsoleWindowSize(out);
    return {largest.X > 0 ? std::min(columns, static_cast<int>(largest.X)) : columns,
            largest.Y > 0 ? std::min(lines, static_cast<int>(largest.Y)) : lines};
}


// The part of the console window that is visible, in cells.
WindowSize windowSize(void* outputHandle) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(outputHandle, &info)) {
        return {32767, 32767};
    }
    const WindowSize shown{info.srWindow.Right - info.srWindow.Left + 1, info.srWindow.Bottom - info.srWindow.Top + 1};
    // A host that owns its window (a terminal running the console) may take
    // any window size and still show only what fits on the screen.
    return largestWindow(outputHandle, shown.columns, shown.lines);
}

// Makes the screen buffer columns × lines and the window as large as that
// or as the screen allows, whichever is smaller, in an order the console
// accepts: the window never gets larger than the buffer.
void setWindowSize(void* outputHandle, int columns, int lines) {
    whileSessionOn([=] {
        const WindowSize now = windowSize(outputHandle);
        const WindowSize wanted = largestWindow(outputHandle, columns, lines);
        // Shrinking: the window first, so the buffer may follow it down.
        if (now.columns > columns || now.lines > lines) {
            setWindow(outputHandle, std::min(now.columns, columns), std::min(now.lines, lines));
        }
        // Growing: the buffer first, so the window has room to grow into.
        SetConsoleScreenBufferSize(outputHandle, COORD{static_cast<SHORT>(columns), static_cast<SHORT>(lines)});
        setWindow(outputHandle, wanted.columns, wanted.lines);
    });
}

// While the window is smaller than the model, shows a notice with both sizes
// and waits until the window grows or a key is pressed; then the whole
// model is drawn again.
void waitForWindow(void* outputHandle, const ScreenModel& model, ConsoleInput& input, ConsoleOutput& output) {
    WindowSize shown{0, 0};
    while (!largeEnough(windowSize(outputHandle), model)) {
        const WindowSize now = windowSize(outputHandle);
        if (now.columns != shown.columns || now.lines != shown.lines) {
            output.showNotice(model, windowTooSmallNotice(model.columns(), model.lines(), now.columns, now.lines));
            shown = now;
        }
        if (!input.isConsole() || input.keyPressedWithin(lookAgainMs)) {
            break; // a key: go on at whatever size there is
        }
    }
    const WindowSize now = windowSize(outputHandle);
    output.setWindow(now.columns, now.lines);
    if (shown.columns != 0) {
        output.repaint();
    }
}

} // namespace

} // namespace platform::windows

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

// The narrow arguments are in the ANSI code page; the wide ones hold what was
// typed, whatever the code page.
std::vector<std::string> programArguments(int, char**) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(std::max(bytes, 1)), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), bytes, nullptr, nullptr);
        text.resize(text.size() - 1); // the closing zero
        arguments.push_back(std::move(text));
    }
    LocalFree(wide);
    return arguments;
}

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
