#pragma once
// The console's size: set through the console's own calls, and the wait for
// a window large enough for the table where the host decides the size
// itself (a terminal that owns its window).

namespace platform::windows {

class ConsoleInput;
class ConsoleOutput;

struct WindowSize {
    int columns;
    int lines;
};

// The part of the console window that is visible, in cells.
WindowSize windowSize(void* outputHandle);

// Makes the screen buffer and the window exactly columns × lines, in an order
// the console accepts: the window never gets larger than the buffer.
void setWindowSize(void* outputHandle, int columns, int lines);

// While the window is smaller than columns × lines, shows a notice with both
// sizes and waits until the window grows or a key is pressed.
void waitForWindow(void* outputHandle, int columns, int lines, ConsoleInput& input,
                   ConsoleOutput& output);

} // namespace platform::windows
