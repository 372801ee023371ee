#include "platform/posix/window_size.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace platform::posix {

namespace {

std::string sizeText(WindowSize size) {
    return std::to_string(size.columns) + "×" + std::to_string(size.lines);
}

} // namespace

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
    return {"창이 작습니다. 필요한 크기 " + sizeText(needed) + ", 지금 " + sizeText(now) + ".",
            "창을 키우거나 아무 키나 누르십시오."};
}

} // namespace platform::posix
