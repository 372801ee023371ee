#include "platform/windows/window_size.h"

#include "platform/window_notice.h"
#include "platform/windows/console_input.h"
#include "platform/windows/console_output.h"
#include "platform/windows/win32.h"

#include <algorithm>

namespace platform::windows {

namespace {

bool largeEnough(WindowSize size, int columns, int lines) {
    return size.columns >= columns && size.lines >= lines;
}

bool setWindow(HANDLE out, int columns, int lines) {
    const SMALL_RECT window{0, 0, static_cast<SHORT>(columns - 1), static_cast<SHORT>(lines - 1)};
    return SetConsoleWindowInfo(out, TRUE, &window) != FALSE;
}

void showNotice(int columns, int lines, WindowSize now, ConsoleOutput& output) {
    output.clear();
    const auto notice = windowTooSmallNotice(columns, lines, now.columns, now.lines);
    for (std::size_t i = 0; i < notice.size(); ++i) {
        output.moveCursor(0, static_cast<int>(i));
        output.write(notice[i]);
    }
    output.flush();
}

} // namespace

WindowSize windowSize(void* outputHandle) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(outputHandle, &info)) {
        return {32767, 32767};
    }
    WindowSize size{info.srWindow.Right - info.srWindow.Left + 1, info.srWindow.Bottom - info.srWindow.Top + 1};
    // A host that owns its window (a terminal running the console) may take
    // any window size and still show only what fits on the screen: no more
    // than the largest window it can show is visible.
    const COORD largest = GetLargestConsoleWindowSize(outputHandle);
    if (largest.X > 0 && largest.Y > 0) {
        size.columns = std::min(size.columns, static_cast<int>(largest.X));
        size.lines = std::min(size.lines, static_cast<int>(largest.Y));
    }
    return size;
}

void setWindowSize(void* outputHandle, int columns, int lines) {
    const WindowSize now = windowSize(outputHandle);
    // Shrinking: the window first, so the buffer may follow it down.
    if (now.columns > columns || now.lines > lines) {
        setWindow(outputHandle, std::min(now.columns, columns), std::min(now.lines, lines));
    }
    // Growing: the buffer first, so the window has room to grow into.
    SetConsoleScreenBufferSize(outputHandle, COORD{static_cast<SHORT>(columns), static_cast<SHORT>(lines)});
    setWindow(outputHandle, columns, lines);
}

void waitForWindow(void* outputHandle, int columns, int lines, ConsoleInput& input,
                   ConsoleOutput& output) {
    WindowSize shown{0, 0};
    while (!largeEnough(windowSize(outputHandle), columns, lines)) {
        const WindowSize now = windowSize(outputHandle);
        if (now.columns != shown.columns || now.lines != shown.lines) {
            showNotice(columns, lines, now, output);
            shown = now;
        }
        if (input.keyPressedWithin(250) || !input.isConsole()) {
            break; // a key: go on at whatever size there is
        }
    }
    if (shown.columns != 0) {
        output.clear();
    }
}

} // namespace platform::windows
