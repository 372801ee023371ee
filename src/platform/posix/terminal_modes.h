#pragma once
// The two ways the game sets the terminal's input, both derived from the
// user's own settings so that everything the game does not need is left as
// the user had it.

#include <termios.h>

namespace platform::posix {

// Single keys: each key at once, not echoed, Ctrl-S no stop of the output;
// Ctrl-C and Ctrl-Z still work.
// Output keeps its line-end translation, which the cursor tracking relies on.
termios keyMode(const termios& user);

// Typed lines: the terminal's own line editing with echo, Enter ending the
// line, backspace taking back a whole UTF-8 character.
termios lineMode(const termios& user);

} // namespace platform::posix
