#include "platform/posix/window_size.h"

#include "platform/posix/terminal_input.h"
#include "platform/posix/terminal_output.h"

#include <string>
#include <sys/ioctl.h>
#include <unistd.h>

namespace platform::posix {

namespace {

bool largeEnough(WindowSize size, int columns, int lines) {
    return size.columns >= columns && size.lines >= lines;
}

void showNotice(int columns, int lines, WindowSize now, TerminalOutput& output) {
    output.clear();
    output.write("창이 작습니다. " + std::to_string(columns) + "×" + std::to_string(lines) +
                 " 이상이 필요합니다 (지금 " + std::to_string(now.columns) + "×" +
                 std::to_string(now.lines) + ").\n");
    output.write("창을 키우거나 아무 키나 누르십시오.");
    output.flush(STDOUT_FILENO);
}

} // namespace

WindowSize windowSize() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) {
        return {32767, 32767};
    }
    return {size.ws_col, size.ws_row};
}

void waitForWindow(int columns, int lines, TerminalInput& input, TerminalOutput& output) {
    // A terminal that honours the size request answers within a moment.
    for (int waited = 0; waited < 200 && !largeEnough(windowSize(), columns, lines); waited += 20) {
        input.ready(20);
    }
    WindowSize shown{0, 0};
    while (!largeEnough(windowSize(), columns, lines)) {
        const WindowSize now = windowSize();
        if (now.columns != shown.columns || now.lines != shown.lines) {
            showNotice(columns, lines, now, output);
            shown = now;
        }
        if (input.ready(250)) {
            input.next(); // a key: go on at whatever size there is
            break;
        }
    }
    if (shown.columns != 0) {
        output.clear();
    }
}

} // namespace platform::posix
