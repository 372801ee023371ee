#pragma once
// The console as the game borrows it from the shell that started it. Its
// modes, code pages, colours, cursor, buffer size and window are saved at
// start and given back on every way out: normal exit, end of input, Ctrl-C,
// Ctrl-Break and closing the window. The game draws where the user's own
// text is safe: in the console's alternate screen where the console takes
// terminal sequences (Windows 10 and later), otherwise in a screen buffer
// of its own.
//
// The control handler runs on a thread of its own: it and the drawing agree
// through one lock, so a frame is never cut by a restore, nothing is drawn
// after one, and a second restore waits for the first to finish.

#include <functional>

namespace platform::windows {

// How frames reach the console.
enum class Presentation {
    virtualTerminal, // terminal sequences, in the console's alternate screen
    screenBuffer,    // cells, in a screen buffer of the game's own
    stream,          // standard output is a file or a pipe
};

struct Session {
    void* input = nullptr;  // standard input's HANDLE
    void* output = nullptr; // the HANDLE frames go to
    bool inputIsConsole = false;
    Presentation presentation = Presentation::stream;
};

// Saves the console's state, sets the game's modes, chooses where frames go
// and installs the control handler.
Session beginSession();
// Gives the console back as it was. Idempotent.
void endSession();
// Runs the drawing under the session's lock, unless the console has been
// given back already (the program is on its way out). True when it ran.
bool whileSessionOn(const std::function<void()>& draw);

// Ctrl-C that reached a read as input rather than as a signal: the console
// is given back and the process ends as Ctrl-C ends it.
[[noreturn]] void stopOnControlC();

} // namespace platform::windows
