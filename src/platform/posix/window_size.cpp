#include "platform/posix/window_size.h"

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

} // namespace platform::posix
