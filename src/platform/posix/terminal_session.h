#pragma once
// The user's terminal as the game borrows it: its settings saved at start,
// the alternate screen while the game runs, and everything given back on
// every way out: normal exit, end of input and the terminating signals.

namespace platform::posix {

// Saves the terminal's settings, switches to the alternate screen with the
// cursor hidden and no echo, and installs the handlers that give it back.
void beginSession(bool inputIsTerminal, bool outputIsTerminal);
// Gives the terminal back exactly as it was. Idempotent and safe to call from
// a signal handler.
void endSession();

// While a typed line is read the terminal's own line editing and echo are on
// otherwise single keys arrive unechoed.
void setLineEditing(bool on);

// True once the window size changed since the last call.
bool takeResizeNotice();

} // namespace platform::posix
