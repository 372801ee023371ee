#pragma once
// How the game sets the terminal's input, derived from the user's own
// settings so that everything the game does not need is left as the user
// had it. Typed lines are edited by the game itself, key by key.

#include <termios.h>

namespace platform::posix {

// Single keys: each key at once, not echoed, Ctrl-S no stop of the output;
// Ctrl-C and Ctrl-Z still work.
// Output keeps the line-end translation a shell message after the game needs.
termios keyMode(const termios& user);

} // namespace platform::posix
