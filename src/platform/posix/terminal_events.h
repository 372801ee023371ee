#pragma once
// What happens to the terminal behind the program's back: the window changed
// size, or the program was continued after a stop. Signal handlers note it
// and wake any wait; the program takes the notes at its next wait and draws
// the screen again there, never from inside a handler.

namespace platform::posix {

struct TerminalEvents {
    bool resized = false;
    bool resumed = false;

    bool any() const { return resized || resumed; }
};

// Installs the handlers for window changes and continuing, and the wake-up
// descriptor. Called once.
void watchTerminalEvents();

// Notes that the program was continued. Safe in a signal handler.
void noteResumed();

// Whether an event is waiting to be taken. Asks the system nothing.
bool eventsWaiting();

// The events since the last call; forgets them.
TerminalEvents takeTerminalEvents();

// A descriptor that is readable while an event is waiting to be taken, so a
// wait on input or on time ends at once; -1 before watchTerminalEvents.
int wakeDescriptor();

} // namespace platform::posix
