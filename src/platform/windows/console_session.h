#pragma once
// The console as the game borrows it from the shell that started it: its
// modes, code pages, colours and cursor saved at start and given back on
// every way out: normal exit, end of input, Ctrl-C, Ctrl-Break and closing
// the window.

namespace platform::windows {

// Saves the console's state, hides the cursor, sets the normal colours and
// installs the control handler that gives everything back on Ctrl-C,
// Ctrl-Break and closing the window.
void beginSession(bool inputIsConsole, bool outputIsConsole);
// Gives the console back as it was. Idempotent, and safe from the thread the
// system runs the control handler on.
void endSession();

// Ctrl-C that reached a read as input rather than as a signal: the console
// is given back and the process ends as Ctrl-C ends it.
[[noreturn]] void stopOnControlC();

// While a typed line is read the console's own line editing, echo and cursor
// are on; otherwise keys come one at a time from the key reader.
void setLineEditing(bool on);

} // namespace platform::windows
