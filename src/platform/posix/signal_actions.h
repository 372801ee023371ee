#pragma once
// Setting what a signal does, for the terminal session and its events.

#include <csignal>

namespace platform::posix {

// Runs `handler` on the signal, with the signals of `blocked` held back
// meanwhile, unless the signal is ignored: a signal that whoever started the
// program chose to ignore (nohup, `trap '' INT`, a background job of a
// shell without job control) stays ignored. Returns whether the handler
// was set.
bool handleUnlessIgnored(int signal, void (*handler)(int), const sigset_t& blocked);

// The system's own action for the signal again. Safe in a signal handler.
void actByDefault(int signal);

} // namespace platform::posix
