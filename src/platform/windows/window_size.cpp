#include "platform/windows/window_size.h"

#include "platform/window_notice.h"
#include "platform/windows/console_input.h"
#include "platform/windows/console_session.h"
#include "platform/windows/console_output.h"
#include "platform/windows/win32.h"

#include <algorithm>

namespace platform::windows {

namespace {

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

} // namespace

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

} // namespace platform::windows
