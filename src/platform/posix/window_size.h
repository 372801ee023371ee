#pragma once
// The terminal window's size, and what the player is told while it is too
// small for the table.

#include <string>
#include <vector>

namespace platform::posix {

struct WindowSize {
    int columns;
    int lines;
};

// The current size; a very large size when the output is not a terminal.
WindowSize windowSize();

bool fits(WindowSize window, WindowSize needed);

// The notice shown while the window is too small: the size needed and the
// size there is, and how to go on.
std::vector<std::string> sizeNotice(WindowSize needed, WindowSize now);

} // namespace platform::posix
