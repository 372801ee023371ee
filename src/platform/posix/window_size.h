#pragma once
// The terminal window's size.

namespace platform::posix {

struct WindowSize {
    int columns;
    int lines;
};

// The current size; a very large size when the output is not a terminal.
WindowSize windowSize();

bool fits(WindowSize window, WindowSize needed);

} // namespace platform::posix
