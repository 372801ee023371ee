#pragma once
// The terminal window's size, and the wait for a window large enough for the
// table.

namespace platform::posix {

class TerminalInput;
class TerminalOutput;

struct WindowSize {
    int columns;
    int lines;
};

// The current size; a very large size when the output is not a terminal.
WindowSize windowSize();

// While the window is smaller than columns × lines, shows a notice with both
// sizes and waits until the window grows or a key is pressed.
void waitForWindow(int columns, int lines, TerminalInput& input, TerminalOutput& output);

} // namespace platform::posix
