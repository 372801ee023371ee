#include "platform/posix/window_size.h"

#include "platform/window_notice.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace platform::posix {

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

std::vector<std::string> sizeNotice(WindowSize needed, WindowSize now) {
    return windowTooSmallNotice(needed.columns, needed.lines, now.columns, now.lines);
}

} // namespace platform::posix
