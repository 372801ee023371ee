#pragma once
// The console's size: asked for through the console's own calls, never
// larger than the screen can show, and the wait for a window large enough
// for the table where it could not be had (a small screen, or a terminal
// that owns its window).

#include "platform/screen_model.h"

namespace platform::windows {

class ConsoleInput;
class ConsoleOutput;

struct WindowSize {
    int columns;
    int lines;
};

// The part of the console window that is visible, in cells.
WindowSize windowSize(void* outputHandle);

// Makes the screen buffer columns × lines and the window as large as that
// or as the screen allows, whichever is smaller, in an order the console
// accepts: the window never gets larger than the buffer.
void setWindowSize(void* outputHandle, int columns, int lines);

// While the window is smaller than the model, shows a notice with both sizes
// and waits until the window grows or a key is pressed; then the whole
// model is drawn again.
void waitForWindow(void* outputHandle, const ScreenModel& model, ConsoleInput& input, ConsoleOutput& output);

} // namespace platform::windows
